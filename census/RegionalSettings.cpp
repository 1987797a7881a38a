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

#include <cstdint>
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

// UTF-8 of `text` into a 256-byte buffer; false when it does not fit in 255 bytes or fails.
bool ToEightBit (const icu::UnicodeString& text, GS::String& result);

// Whole numbers written from the locale's digits, grouping separator, group sizes and sign
// affixes, as read from its formatter. Used only when it writes a set of probe numbers exactly as
// the formatter does; the formatter writes every number otherwise. A report writes two numbers
// per line, and the formatter's general path costs many times more.
class IntegerWriter {
public:
    // Reads the locale's rules from `format` and probes them; false leaves the writer unused.
    bool Learn (const icu::NumberFormat& format)
    {
        usable = false;
        const auto* decimal = dynamic_cast<const icu::DecimalFormat*> (&format);
        if (decimal == nullptr)
            return false;
        const icu::DecimalFormatSymbols* symbols = decimal->getDecimalFormatSymbols ();
        if (symbols == nullptr)
            return false;
        GS::String text;
        for (int d = 0; d < 10; ++d) {
            if (!ToEightBit (symbols->getConstDigitSymbol (d), text))
                return false;
            digits[d] = text.ToStd ();
        }
        if (!ToEightBit (symbols->getSymbol (icu::DecimalFormatSymbols::kGroupingSeparatorSymbol), text))
            return false;
        separator = text.ToStd ();
        icu::UnicodeString affix;
        if (!ToEightBit (decimal->getPositivePrefix (affix), text))
            return false;
        positivePrefix = text.ToStd ();
        if (!ToEightBit (decimal->getPositiveSuffix (affix), text))
            return false;
        positiveSuffix = text.ToStd ();
        if (!ToEightBit (decimal->getNegativePrefix (affix), text))
            return false;
        negativePrefix = text.ToStd ();
        if (!ToEightBit (decimal->getNegativeSuffix (affix), text))
            return false;
        negativeSuffix = text.ToStd ();
        grouping = decimal->isGroupingUsed ();
        primary = decimal->getGroupingSize ();
        secondary = decimal->getSecondaryGroupingSize ();
        if (secondary <= 0)
            secondary = primary;
        minimumGrouping = decimal->getMinimumGroupingDigits ();
        if (minimumGrouping < 1)
            minimumGrouping = 1;

        static const int64_t probes[] = {0,
                                         1,
                                         -1,
                                         7,
                                         -8,
                                         12,
                                         99,
                                         100,
                                         999,
                                         1000,
                                         -1000,
                                         1234,
                                         9999,
                                         10000,
                                         12345,
                                         99999,
                                         100000,
                                         123456,
                                         1000000,
                                         1234567,
                                         12345678,
                                         123456789,
                                         -123456789,
                                         1234567890,
                                         2147483647,
                                         -2147483647 - 1,
                                         98765432101234,
                                         INT64_MAX,
                                         INT64_MIN};
        for (int64_t probe : probes) {
            icu::UnicodeString expected;
            format.format (probe, expected);
            GS::String expectedText;
            if (expected.isBogus () || !ToEightBit (expected, expectedText))
                return false;
            if (Write (probe) != expectedText.ToStd ())
                return false;
        }
        usable = true;
        return true;
    }

    bool Usable () const { return usable; }

    std::string Write (int64_t value) const
    {
        const bool negative = value < 0;
        uint64_t magnitude = negative ? 0 - static_cast<uint64_t> (value) : static_cast<uint64_t> (value);
        char plain[24];
        int n = 0;
        do {
            plain[n++] = static_cast<char> (magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);

        std::string text = negative ? negativePrefix : positivePrefix;
        const bool grouped = grouping && primary > 0 && n - primary >= minimumGrouping;
        for (int i = n - 1; i >= 0; --i) {
            text += digits[static_cast<int> (plain[i])];
            // a separator between the digit of magnitude i and the next one
            if (grouped && i > 0 && i >= primary && (i - primary) % secondary == 0)
                text += separator;
        }
        text += negative ? negativeSuffix : positiveSuffix;
        return text;
    }

private:
    bool usable = false;
    std::string digits[10];
    std::string separator, positivePrefix, positiveSuffix, negativePrefix, negativeSuffix;
    bool grouping = false;
    int32_t primary = 0, secondary = 0, minimumGrouping = 1;
};

// The decimal formatter of the user's locale: at most three fraction digits, ties to even. Made
// once per locale and kept: building one costs far more than formatting a number, and a report
// formats two numbers per line. Null when the locale has none. `integers` is its fast writer.
const icu::NumberFormat* Formatter (const IntegerWriter** integers = nullptr)
{
    static std::string madeFor;
    static std::unique_ptr<icu::NumberFormat> made;
    static IntegerWriter writer;
    static bool tried = false;

    std::string id = UserLocaleId ();
    if (integers != nullptr)
        *integers = &writer;
    if (tried && id == madeFor)
        return made.get ();
    tried = true;
    madeFor = std::move (id);
    made.reset ();
    writer = IntegerWriter ();
    const icu::Locale locale (madeFor.c_str ());
    if (locale.isBogus ())
        return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> format (icu::NumberFormat::createInstance (locale, UNUM_DECIMAL, status));
    if (U_FAILURE (status) || format == nullptr)
        return nullptr;
    format->setMaximumFractionDigits (3);
    format->setRoundingMode (icu::NumberFormat::kRoundHalfEven);
    made = std::move (format);
    writer.Learn (*made);
    return made.get ();
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
    const IntegerWriter* integers = nullptr;
    const icu::NumberFormat* format = Formatter (&integers);
    if (format == nullptr)
        return result;
    if (integers->Usable ()) {
        std::string text = integers->Write (value);
        if (text.size () < 256)   // what the formatter's path gives, too
            result = GS::String (std::move (text));
        return result;
    }
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
    const icu::NumberFormat* format = Formatter ();
    if (format == nullptr)
        return result;

    icu::UnicodeString text;
    format->format (percent, text);
    GS::String number;
    if (!text.isBogus () && ToEightBit (text, number))
        result.Append (number);

    const auto* decimal = dynamic_cast<const icu::DecimalFormat*> (format);
    const icu::DecimalFormatSymbols* symbols = decimal != nullptr ? decimal->getDecimalFormatSymbols () : nullptr;
    GS::String percentSign;
    if (symbols != nullptr && ToEightBit (symbols->getSymbol (icu::DecimalFormatSymbols::kPercentSymbol), percentSign))
        result.Append (percentSign);
    return result;
}
