// Number texts in the user's locale through ICU's decimal formatter.
//
// The locale is read from the environment each call: LC_ALL, then LC_NUMERIC, then LANG (the first
// that is set and not empty). The encoding and modifier parts ("de_DE.UTF-8@euro" gives "de_DE")
// are dropped. "C", "POSIX" or no setting at all give ICU's root locale: comma groups of three
// and a full stop before the fraction, which keeps counts readable in a bare shell.
#include "census/RegionalSettings.h"

#include <unicode/dcfmtsym.h>
#include <unicode/decimfmt.h>
#include <unicode/locid.h>
#include <unicode/numfmt.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

std::string UserLocaleId ()
{
    const char* value = nullptr;
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
        const char* v = std::getenv (name);
        if (v != nullptr && v[0] != '\0') {
            value = v;
            break;
        }
    }
    std::string id = value != nullptr ? value : "";
    const std::string::size_type cut = id.find_first_of (".@");
    if (cut != std::string::npos)
        id.erase (cut);
    if (id.empty () || id == "C" || id == "POSIX")
        return "root";
    return id;
}

// The decimal formatter of the user's locale: at most three fraction digits, ties to even.
std::unique_ptr<icu::NumberFormat> MakeFormatter ()
{
    const icu::Locale locale (UserLocaleId ().c_str ());
    if (locale.isBogus ())
        return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> format (icu::NumberFormat::createInstance (locale, UNUM_DECIMAL, status));
    if (U_FAILURE (status) || format == nullptr)
        return nullptr;
    format->setMaximumFractionDigits (3);
    format->setRoundingMode (icu::NumberFormat::kRoundHalfEven);
    return format;
}

// UTF-8 of `text` into a 256-byte buffer; false when it does not fit in 255 bytes or fails.
bool ToEightBit (const icu::UnicodeString& text, GS::String& result)
{
    char buffer[256];
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8 (buffer, sizeof (buffer), &length, text.getBuffer (), text.length (), &status);
    if (U_FAILURE (status) || length < 0 || length >= static_cast<int32_t> (sizeof (buffer)))
        return false;
    result = GS::String (buffer, static_cast<USize> (length));
    return true;
}

GS::String FormatInteger (int64_t value)
{
    GS::String result;
    const std::unique_ptr<icu::NumberFormat> format = MakeFormatter ();
    if (format == nullptr)
        return result;
    icu::UnicodeString text;
    format->format (value, text);
    if (text.isBogus ())
        return result;
    ToEightBit (text, result);
    return result;
}

}   // namespace

GS::String RegionalSettings::CutInGr (Int32 value)
{
    return FormatInteger (value);
}

GS::String RegionalSettings::CutInGr (Int64 value)
{
    return FormatInteger (value);
}

GS::String RegionalSettings::CutInGr (double percent)
{
    GS::String result;
    const std::unique_ptr<icu::NumberFormat> format = MakeFormatter ();
    if (format == nullptr)
        return result;

    icu::UnicodeString text;
    format->format (percent, text);
    GS::String number;
    if (!text.isBogus () && ToEightBit (text, number))
        result.Append (number);

    const auto* decimal = dynamic_cast<const icu::DecimalFormat*> (format.get ());
    const icu::DecimalFormatSymbols* symbols = decimal != nullptr ? decimal->getDecimalFormatSymbols () : nullptr;
    GS::String percentSign;
    if (symbols != nullptr && ToEightBit (symbols->getSymbol (icu::DecimalFormatSymbols::kPercentSymbol), percentSign))
        result.Append (percentSign);
    return result;
}
