// DG::Point: a position in pixels, left and top, e.g. where a roll-down surface sits on its
// dialog. A plain value; no state. Host main thread only, like all of DG.
#pragma once

#include "gs/GSTypes.h"

namespace DG {

struct Point {
    Int32 x = 0, y = 0;
};

}   // namespace DG
