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
    return OGSString (other.guid.c_str ()) < OGSString (guid.c_str ());
}
