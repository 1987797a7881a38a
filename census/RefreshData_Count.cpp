// The census record's rows and its report: LibRow's constructors, the ranked lists and the report
// window text.
#include "census/RefreshData.h"

#include <utility>

// ---- Rows ------------------------------------------------------------------------------------

LibRow::LibRow () : name (), count (0), polygons (0), detLev (4), guid (), avail (), flags (0) {}

LibRow::LibRow (GS::String name, Int32 count, Int64 polygons, Int16 detLev, GuidStr guid, FFFTT avail,
                UInt32 flags)
    : name (std::move (name)), count (count), polygons (polygons), detLev (detLev), guid (guid), avail (avail),
      flags (flags)
{
}
