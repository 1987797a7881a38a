// Shortcuts taken for speed answer exactly what the slow way answers: number texts written from
// a locale's learned rules against the locale's formatter, and the host's library-part search by
// unique ID (an index) against the part list as it changes.
#include "TestHost.h"

#include "census/RegionalSettings.h"
#include "gs/IOLocation.h"
#include "host/ACAPI.h"

#include <unicode/locid.h>
#include <unicode/numfmt.h>
#include <unicode/unistr.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// The formatter's own text, made afresh for the locale.
std::string FormatterText (const char* localeId, int64_t value)
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::NumberFormat> format (
        icu::NumberFormat::createInstance (icu::Locale (localeId), UNUM_DECIMAL, status));
    if (U_FAILURE (status) || format == nullptr)
        return "";
    format->setMaximumFractionDigits (3);
    format->setRoundingMode (icu::NumberFormat::kRoundHalfEven);
    icu::UnicodeString text;
    format->format (value, text);
    std::string utf8;
    text.toUTF8String (utf8);
    return utf8;
}

TEST (FastPathsTest, NumberTextsMatchTheLocalesFormatter)
{
    struct Case {
        const char* environment;   // LC_ALL
        const char* icuLocale;     // what the add-on reads it as
    };
    const Case cases[] = {
        {"en_US.UTF-8", "en_US"}, {"de_DE.UTF-8", "de_DE"}, {"fr_FR.UTF-8", "fr_FR"}, {"es_ES.UTF-8", "es_ES"},
        {"hi_IN.UTF-8", "hi_IN"}, {"ar_EG.UTF-8", "ar_EG"}, {"de_CH", "de_CH"},       {"C", "root"},
    };
    const int64_t values[] = {0,        3,      -3,      999,         1000,       -1000,           1234,
                              12345,    123456, 1234567, 98765432101, 2147483647, -2147483647 - 1, INT64_MAX,
                              INT64_MIN};
    const char* saved = std::getenv ("LC_ALL");
    const std::string savedText = saved != nullptr ? saved : "";
    for (const Case& c : cases) {
        setenv ("LC_ALL", c.environment, 1);
        for (int64_t value : values) {
            const std::string expected = FormatterText (c.icuLocale, value);
            EXPECT_EQ (RegionalSettings ().CutInGr (static_cast<Int64> (value)).ToStd (), expected)
                << c.environment << " " << value;
            if (value >= INT32_MIN && value <= INT32_MAX) {
                EXPECT_EQ (RegionalSettings ().CutInGr (static_cast<Int32> (value)).ToStd (), expected)
                    << c.environment << " " << value;
            }
        }
    }
    if (saved != nullptr)
        setenv ("LC_ALL", savedText.c_str (), 1);
    else
        unsetenv ("LC_ALL");
}

class LibPartSearchTest : public TestSupport::AddonTest {
public:
    // The index of the part the host finds for `guid`, or 0 when it finds none.
    Int32 Search (const std::string& guid)
    {
        API_LibPart record;
        std::memset (&record, 0, sizeof record);
        std::strncpy (record.ownUnID, guid.c_str (), sizeof record.ownUnID - 1);
        const GSErrCode err = ACAPI_LibPart_Search (&record, false);
        delete record.location;
        return err == NoError ? record.index : 0;
    }

    void AddPart (const std::string& guid)
    {
        HostSim::LibPart part;
        part.guid = guid;
        part.name = guid;
        host.project.AddLibPart (part);
    }
};

TEST_F (LibPartSearchTest, SearchFollowsThePartListAsItChanges)
{
    for (const char* guid : {"{A}", "{B}", "{C}"})
        AddPart (guid);
    EXPECT_EQ (Search ("{B}"), 2);
    EXPECT_EQ (Search ("{C}"), 3);
    EXPECT_EQ (Search ("{b}"), 0);   // case matters

    host.project.libParts[1].guid = "{B2}";   // changed in place, list size unchanged
    EXPECT_EQ (Search ("{B}"), 0);
    EXPECT_EQ (Search ("{B2}"), 2);

    AddPart ("{D}");
    EXPECT_EQ (Search ("{D}"), 4);

    host.project.libParts.pop_back ();
    EXPECT_EQ (Search ("{D}"), 0);
    EXPECT_EQ (Search ("{A}"), 1);

    host.project.libParts.clear ();
    EXPECT_EQ (Search ("{A}"), 0);
}

}   // namespace
