// The floor under a census: walks of the whole model that make the host calls a census makes, in
// the same order (candidate counts, filter 2, element get, 3D information, one component per
// body), with none of the add-on's bookkeeping; the same walk that also rewrites placements'
// detail parameters with the calls a census makes for that; and a plain loop over flat arrays of
// the same polygon counts, the floor under the stand-in host itself.
//
// Every walk answers the polygons it summed, so a caller can check it saw what the census saw.
// They go through the add-on's binding (host/ACAPI.h): bind the add-on first. Host main thread only.
#pragma once

#include "api/APIdefs.h"

#include <string>
#include <vector>

namespace Bench {

// Polygon counts of the counted elements' bodies, element after element: element e's bodies are
// polygons[ends[e - 1] .. ends[e]) (from 0 for the first).
struct FlatCounts {
    std::vector<Int32> polygons;
    std::vector<UInt32> ends;
};

// The whole-model walk; fills `record` (when given) with what it counted.
Int64 BareWalk (FlatCounts* record = nullptr);

// The new value text of each library part's detail parameter, by library-part index (slot 0
// unused); an empty name leaves the part's placements alone.
struct DetailChange {
    std::string paramName;
    std::string text;
};

// The whole-model walk that also writes each placement's detail parameter ('OPAR', 'GPAR',
// 'CHGP', 'GPAR', element change, 'CPAR') inside one undoable operation. Answers the polygons
// counted (after each change); `changed` gets the number of placements the host accepted.
Int64 BareLevelSwitch (const std::vector<DetailChange>& changes, Int32* changed);

Int64 FlatLoop (const FlatCounts& counts);

}   // namespace Bench
