// OGSString: filling to a length and the byte-wise order (bytes as signed 8-bit values).
#include "census/OGSString.h"

OGSString& OGSString::Pad (UInt32 length, char fill)
{
    const UInt32 current = GetLength ();
    if (current < length)
        Append (static_cast<USize> (length - current), fill);
    return *this;
}

bool OGSString::operator<(OGSString other) const
{
    // s is the shorter one (this one when the lengths are equal), l the other.
    const bool swapped = other.GetLength () < GetLength ();
    const GS::String& s = swapped ? static_cast<const GS::String&> (other) : *this;
    const GS::String& l = swapped ? *this : static_cast<const GS::String&> (other);

    const UInt32 shortLength = s.GetLength ();
    for (UInt32 i = 0; i < shortLength; ++i) {
        const auto a = static_cast<signed char> (s[i]);
        const auto b = static_cast<signed char> (l[i]);
        if (a != b) {
            const bool sIsLess = a < b;
            return swapped ? !sIsLess : sIsLess;
        }
    }
    if (l.GetLength () == shortLength)
        return false;   // equal
    // The shorter string is the lesser one.
    return !swapped;
}
