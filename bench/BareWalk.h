// The floor under a census: walks of the whole model that make the host calls a census makes, in
// the same order, with none of the add-on's bookkeeping. Per census: the selection, the element
// counts, the database and story settings, the progress window and the undoable operation. Per
// element: filter 2, element get, 3D information, one component per body. Per library part met
// under a census type: the part, its parameters ('OPAR', 'GPAR', the detail parameter's 'GPVL',
// 'CPAR'); per placement the hotlink and workspace checks a census makes until its row settles
// them; one report line per report line of a census. The level switch walk also rewrites
// placements' detail parameters with the calls a census makes for that. And a plain loop over flat
// arrays of the same polygon counts, the floor under the stand-in host itself.
//
// What the walks may know beforehand is what a census finds out from the host for itself: which
// detail parameter each library part has (`Library`), filled by the caller before timing.
// Every walk answers the polygons it summed, so a caller can check it saw what the census saw;
// census_bench also checks that a walk and a census make the same number of each host call.
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

// Per library-part index (slot 0 unused): the name of the detail parameter a census finds among
// the part's parameters (empty: none); for the level switch the value text to write into its
// placements (empty: leave them alone) and the unique ID a census searches its stored level by.
struct LibraryPart {
    std::string detailParam;
    std::string switchText;
    std::string guid;
};
using Library = std::vector<LibraryPart>;

// The whole-model walk; fills `record` (when given) with what it counted.
Int64 BareWalk (const Library& library, FlatCounts* record = nullptr);

// The whole-model walk that also writes each placement's detail parameter ('OPAR', 'GPAR',
// 'CHGP', 'GPAR', element change, 'CPAR') inside the undoable operation, after searching each
// part whose placements it rewrites the way a census searches its stored levels. Answers the
// polygons counted (after each change); `changed` gets the number of placements the host accepted.
Int64 BareLevelSwitch (const Library& library, Int32* changed);

Int64 FlatLoop (const FlatCounts& counts);

}   // namespace Bench
