// GuidStr: a library part's unique-ID text as the host reports it, in a fixed 256-byte buffer,
// zero-terminated (at most 255 characters; longer texts are cut). Copying copies the text up to
// its terminator; two GuidStr are equal when their texts are byte-for-byte equal (case matters).
// Tables hash the text. A plain value type; no host calls.
#pragma once

#include "gs/GSTypes.h"

#include <cstring>
#include <functional>
#include <string_view>

struct GuidStr {
    static constexpr USize Capacity = 256;

    GuidStr () { text[0] = '\0'; }
    GuidStr (const char* from) { Set (from); }
    GuidStr (const char* from, USize length) { Set (from, length); }
    GuidStr (const GuidStr& other) { Set (other.text); }
    GuidStr& operator= (const GuidStr& other)
    {
        if (this != &other)
            Set (other.text);
        return *this;
    }

    void Set (const char* from) { Set (from, from != nullptr ? std::strlen (from) : 0); }
    void Set (const char* from, USize length)
    {
        if (length > Capacity - 1)
            length = Capacity - 1;
        if (length > 0)
            std::memmove (text, from, length);
        text[length] = '\0';
    }

    const char* c_str () const { return text; }
    USize Length () const { return std::strlen (text); }
    std::string_view View () const { return std::string_view (text, Length ()); }

    bool operator== (const GuidStr& other) const { return std::strcmp (text, other.text) == 0; }
    bool operator!= (const GuidStr& other) const { return !(*this == other); }

    char text[Capacity];
};

namespace std {
template <>
struct hash<GuidStr> {
    size_t operator() (const GuidStr& g) const noexcept { return hash<string_view> () (g.View ()); }
};
}   // namespace std
