// The text rendering of the roll-down surfaces on a dialog, which the dialog's rendering ends
// with (TextRenderer.h). Panel by panel in creation order: a panel of a set reads
// "-- title --", the separate panel "--"; then, when the panel is rolled down, the visible items
// of each page on it as RenderPanel shows them (without the page's own title line). A rolled-up
// panel reads "-- title (rolled up) --" and nothing more. No surface: "". Host main thread only.
#pragma once

#include "gs/GSTypes.h"

#include <string>

namespace UD {

std::string RenderSurfaces (Int32 dialogId);

}   // namespace UD
