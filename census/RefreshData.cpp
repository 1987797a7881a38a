// The census record: the live census pointer, the record's lifetime and the row ranking order.
#include "census/RefreshData.h"

#include "census/OGSString.h"

RefreshData* RefreshData::current = nullptr;

RefreshData::RefreshData () = default;

RefreshData::~RefreshData () = default;

LibRow::~LibRow () = default;

bool LibRow::operator> (const LibRow& other) const
{
    if (polygons != other.polygons)
        return polygons > other.polygons;
    // OGSString's order (signed bytes, a prefix before the longer text) without making strings:
    // a ranking compares rows many times.
    const char* a = other.guid.c_str ();
    const char* b = guid.c_str ();
    for (; *a != '\0' && *a == *b; ++a, ++b) {
    }
    if (*a == *b)
        return false;   // equal
    if (*a == '\0' || *b == '\0')
        return *a == '\0';   // `other`'s text is a prefix of this one's
    return static_cast<signed char> (*a) < static_cast<signed char> (*b);
}
