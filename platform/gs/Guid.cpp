#include "Guid.h"

#include <cctype>
#include <cstdio>
#include <string>

namespace GS {

namespace {

int HexValue (char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char> (std::tolower (static_cast<unsigned char> (c)));
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

}   // namespace

bool Guid::ConvertFromString (const char* text)
{
    bytes.fill (0);
    if (text == nullptr)
        return false;
    std::string s (text);
    if (s.size () == 38 && s.front () == '{' && s.back () == '}')
        s = s.substr (1, 36);
    if (s.size () != 36 || s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-')
        return false;
    std::array<UInt8, 16> parsed{};
    int nibble = 0;
    for (char c : s) {
        if (c == '-')
            continue;
        const int v = HexValue (c);
        if (v < 0)
            return false;
        parsed[nibble / 2] = static_cast<UInt8> (parsed[nibble / 2] | (nibble % 2 == 0 ? v << 4 : v));
        ++nibble;
    }
    bytes = parsed;
    return true;
}

String Guid::ToUniString () const
{
    char text[39];
    std::snprintf (text, sizeof text,
                   "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                   bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7],
                   bytes[8], bytes[9], bytes[10], bytes[11], bytes[12], bytes[13], bytes[14], bytes[15]);
    return String (text);
}

bool Guid::IsNull () const
{
    for (UInt8 b : bytes)
        if (b != 0)
            return false;
    return true;
}

}   // namespace GS
