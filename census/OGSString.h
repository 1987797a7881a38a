// OGSString: the host's 8-bit string with two additions used by report lines, the ranking's
// tie-break and the names-file table: Pad (fill up to a length) and a byte-wise operator< that
// compares bytes as signed 8-bit values (0x80..0xFF before 0x00..0x7F), shorter prefix first.
// No locale is involved. Value type; no host calls.
#pragma once

#include "gs/GSString.h"

class OGSString : public GS::String {
public:
    using GS::String::String;
    OGSString () = default;
    OGSString (const GS::String& text) : GS::String (text) {}
    ~OGSString () override = default;
    OGSString (const OGSString&) = default;
    OGSString (OGSString&&) noexcept = default;
    OGSString& operator= (const OGSString&) = default;
    OGSString& operator= (OGSString&&) noexcept = default;

    // Appends `fill` until the length is `length`; nothing when already that long or longer.
    OGSString& Pad (UInt32 length, char fill);

    bool operator< (OGSString other) const;
};
