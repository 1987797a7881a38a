// GS::Guid: a 128-bit identifier made from its text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
// (braces optional, hex digits in any case). A text that is not a GUID leaves the null GUID and
// makes ConvertFromString answer false.
#pragma once

#include "GSString.h"

#include <array>

namespace GS {

class Guid {
public:
    Guid () = default;
    explicit Guid (const char* text) { ConvertFromString (text); }

    bool ConvertFromString (const char* text);
    String ToUniString () const;   // upper-case hex with braces

    bool IsNull () const;
    bool operator== (const Guid& other) const { return bytes == other.bytes; }
    bool operator!= (const Guid& other) const { return bytes != other.bytes; }

private:
    std::array<UInt8, 16> bytes{};
};

}   // namespace GS
