// GS::String: an 8-bit text whose length counts bytes. No encoding is assumed or converted; a
// zero byte may sit inside. Thin value type over std::string; copying copies the text.
// Runs on the host's main thread like every foundation type; keeps no shared state.
#pragma once

#include "GSTypes.h"

#include <string>
#include <string_view>

namespace GS {

class String {
public:
    String () = default;
    String (const char* text) : text (text != nullptr ? text : "") {}
    String (const char* bytes, USize length) : text (bytes, length) {}
    String (std::string text) : text (std::move (text)) {}
    String (USize count, char fill) : text (count, fill) {}
    virtual ~String () = default;

    String (const String&) = default;
    String (String&&) noexcept = default;
    String& operator= (const String&) = default;
    String& operator= (String&&) noexcept = default;

    UInt32 GetLength () const { return static_cast<UInt32> (text.size ()); }
    bool IsEmpty () const { return text.empty (); }
    void Clear () { text.clear (); }

    // Zero-terminated view of the bytes; valid until the string changes.
    const char* ToCStr () const { return text.c_str (); }
    char GetChar (UInt32 index) const { return text[index]; }
    char operator[] (UInt32 index) const { return text[index]; }

    String& Append (const String& other) { text.append (other.text); return *this; }
    String& Append (const char* bytes, USize length) { text.append (bytes, length); return *this; }
    String& Append (USize count, char fill) { text.append (count, fill); return *this; }
    String& operator+= (const String& other) { return Append (other); }
    String& operator+= (const char* other) { text.append (other != nullptr ? other : ""); return *this; }
    String& operator+= (char c) { text.push_back (c); return *this; }
    String operator+ (const String& other) const { return String (text + other.text); }

    // The bytes from `from` up to, not including, `from + length`, cut to the text.
    String GetSubstring (UInt32 from, UInt32 length) const
    {
        if (from >= text.size ())
            return String ();
        return String (text.substr (from, length));
    }

    bool operator== (const String& other) const { return text == other.text; }
    bool operator!= (const String& other) const { return text != other.text; }

    const std::string& ToStd () const { return text; }
    std::string_view View () const { return text; }

private:
    std::string text;
};

}   // namespace GS

namespace std {
template <>
struct hash<GS::String> {
    size_t operator() (const GS::String& s) const noexcept { return hash<string> () (s.ToStd ()); }
};
}   // namespace std
