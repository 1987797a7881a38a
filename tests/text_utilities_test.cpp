// Text utilities: filling a line to a length, the byte-wise string order, and numbers as text in
// the user's locale.
#include "census/OGSString.h"
#include "census/RegionalSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

std::string Str (const GS::String& s)
{
    return s.ToStd ();
}

TEST (PadTest, FillsUpToTheLengthAndNeverShortens)
{
    struct Case {
        const char* text;
        UInt32 length;
        char fill;
        const char* expected;
    };
    const Case cases[] = {
        {"", 3, '.', "..."},          {"ab", 5, ' ', "ab   "}, {"abc", 3, ' ', "abc"},
        {"abcdef", 2, ' ', "abcdef"}, {"ab", 0, '-', "ab"},    {"", 0, ' ', ""},
    };
    for (const Case& c : cases) {
        OGSString s (c.text);
        OGSString& returned = s.Pad (c.length, c.fill);
        EXPECT_EQ (&returned, &s) << "Pad answers the string itself";
        EXPECT_EQ (Str (s), c.expected) << '"' << c.text << "\" to " << c.length;
    }
}

TEST (ByteOrderTest, ShorterPrefixFirstSignedBytesAndEqualIsNotLess)
{
    struct Case {
        std::string a;
        std::string b;
        bool less;
    };
    const Case cases[] = {
        {"ab", "abc", true},
        {"abc", "ab", false},
        {"abc", "abc", false},
        {"", "", false},
        {"", "a", true},
        {"a", "", false},
        {"\xE9", "e", true},   // 0xE9 is negative as a signed byte
        {"e", "\xE9", false},
        {"x\xE9zz", "xe", true},   // first difference decides, lengths do not
        {"xe", "x\xE9zz", false},
        {"\x80", "\x7F", true},
        {"\xFF", "\x80", false},
        {"B", "a", true},         // upper case before lower case
        {"abd", "abcd", false},   // longer but smaller at the difference
        {"abcd", "abd", true},
        {std::string ("a\0b", 3), std::string ("a\0c", 3), true},   // bytes after a zero still count
        {std::string ("a\0", 2), "a", false},
    };
    for (const Case& c : cases) {
        const OGSString a (c.a.data (), c.a.size ());
        const OGSString b (c.b.data (), c.b.size ());
        EXPECT_EQ (a < b, c.less) << '"' << c.a << "\" < \"" << c.b << '"';
    }
}

// Sets LC_ALL for the test's lifetime and puts back what was there.
class LocaleGuard {
public:
    explicit LocaleGuard (const char* value)
    {
        if (const char* old = std::getenv ("LC_ALL"))
            previous = old;
        setenv ("LC_ALL", value, 1);
    }
    ~LocaleGuard ()
    {
        if (previous)
            setenv ("LC_ALL", previous->c_str (), 1);
        else
            unsetenv ("LC_ALL");
    }

private:
    std::optional<std::string> previous;
};

struct NumberCase {
    const char* locale;
    const char* int32Text;      // 1234567
    const char* negativeText;   // -9876543
    const char* int64Text;      // 5000000000
    const char* percentText;    // 12.5
    const char* halfEvenText;   // 0.0625
    const char* zeroPercent;    // 0.0
};

TEST (CutInGrTest, GroupsDigitsTheLocaleWay)
{
    const NumberCase cases[] = {
        {"en_US.UTF-8", "1,234,567", "-9,876,543", "5,000,000,000", "12.5%", "0.062%", "0%"},
        {"de_DE.UTF-8", "1.234.567", "-9.876.543", "5.000.000.000", "12,5%", "0,062%", "0%"},
    };
    for (const NumberCase& c : cases) {
        LocaleGuard guard (c.locale);
        SCOPED_TRACE (c.locale);
        RegionalSettings rs;
        EXPECT_EQ (Str (rs.CutInGr (Int32 (1234567))), c.int32Text);
        EXPECT_EQ (Str (rs.CutInGr (Int32 (0))), "0");
        EXPECT_EQ (Str (rs.CutInGr (Int64 (0))), "0");
        EXPECT_EQ (Str (rs.CutInGr (Int32 (-9876543))), c.negativeText);
        EXPECT_EQ (Str (rs.CutInGr (Int64 (5000000000LL))), c.int64Text);
        EXPECT_EQ (Str (rs.CutInGr (12.5)), c.percentText);
        EXPECT_EQ (Str (rs.CutInGr (0.0625)), c.halfEvenText);
        EXPECT_EQ (Str (rs.CutInGr (0.0)), c.zeroPercent);
    }
}

TEST (CutInGrTest, FractionsRoundHalfToEvenAtTheThirdDigitAndDropTrailingZeros)
{
    LocaleGuard guard ("en_US.UTF-8");
    RegionalSettings rs;
    struct Case {
        double value;
        const char* expected;
    };
    const Case cases[] = {
        {0.0625, "0.062%"},   // exactly halfway: down to even
        {0.1875, "0.188%"},   // exactly halfway: up to even
        {2.5, "2.5%"},      {100.0, "100%"},   {1234.5, "1,234.5%"},
        {0.0004, "0%"},     {-3.25, "-3.25%"}, {33.33333, "33.333%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ (Str (rs.CutInGr (c.value)), c.expected) << c.value;
}

TEST (CutInGrTest, SixtyFourBitExtremesFormatInFull)
{
    LocaleGuard guard ("en_US.UTF-8");
    RegionalSettings rs;
    EXPECT_EQ (Str (rs.CutInGr (Int64 (2147483648LL))), "2,147,483,648");
    EXPECT_EQ (Str (rs.CutInGr (Int64 (INT64_MAX))), "9,223,372,036,854,775,807");
    EXPECT_EQ (Str (rs.CutInGr (Int64 (INT64_MIN))), "-9,223,372,036,854,775,808");
    EXPECT_EQ (Str (rs.CutInGr (Int32 (INT32_MIN))), "-2,147,483,648");
}

TEST (CutInGrTest, LocaleComesFromLcAllThenLcNumericThenLang)
{
    std::optional<std::string> saved[3];
    const char* names[3] = {"LC_ALL", "LC_NUMERIC", "LANG"};
    for (int i = 0; i < 3; ++i)
        if (const char* v = std::getenv (names[i]))
            saved[i] = v;

    struct Case {
        const char* lcAll;
        const char* lcNumeric;
        const char* lang;
        const char* expected;   // 1234567
    };
    const Case cases[] = {
        {"de_DE.UTF-8", "en_US.UTF-8", "en_US.UTF-8", "1.234.567"},
        {"", "de_DE.UTF-8", "en_US.UTF-8", "1.234.567"},   // empty counts as unset
        {nullptr, nullptr, "de_DE.UTF-8", "1.234.567"},
        {nullptr, "de_DE@euro", nullptr, "1.234.567"},
        {"C", "de_DE.UTF-8", nullptr, "1,234,567"},   // C is a choice, not a gap
        {nullptr, nullptr, nullptr, "1,234,567"},
        {"POSIX", nullptr, nullptr, "1,234,567"},
        {"fr_FR.UTF-8", nullptr, nullptr,
         "1\xE2\x80\xAF"
         "234\xE2\x80\xAF"
         "567"},
    };
    for (const Case& c : cases) {
        const char* values[3] = {c.lcAll, c.lcNumeric, c.lang};
        for (int i = 0; i < 3; ++i)
            if (values[i] != nullptr)
                setenv (names[i], values[i], 1);
            else
                unsetenv (names[i]);
        EXPECT_EQ (Str (RegionalSettings ().CutInGr (Int32 (1234567))), c.expected)
            << (c.lcAll ? c.lcAll : "-") << ' ' << (c.lcNumeric ? c.lcNumeric : "-") << ' ' << (c.lang ? c.lang : "-");
    }

    for (int i = 0; i < 3; ++i)
        if (saved[i])
            setenv (names[i], saved[i]->c_str (), 1);
        else
            unsetenv (names[i]);
}

}   // namespace
