// RegionalSettings: numbers as text in the user's locale (taken from LC_ALL, LC_NUMERIC or LANG),
// through ICU's decimal formatter: grouped digits, at most three fraction digits rounded half to
// even, the locale's minus sign; the double form appends the locale's percent sign (the caller
// passes the percentage itself). Never fails loudly: a step that fails leaves the text empty.
// Keeps the formatter of the last locale it was asked for (made anew when the locale changes).
#pragma once

#include "gs/GSString.h"

class RegionalSettings {
public:
    GS::String CutInGr (Int32 value);
    GS::String CutInGr (Int64 value);   // polygon sums, which outgrow 32 bits on large models
    GS::String CutInGr (double percent);
};
