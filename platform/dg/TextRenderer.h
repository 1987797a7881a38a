// The text rendering of a panel: what a user reads on it, for the command line and for tests.
// The title comes first as "== title ==", then the visible items in reading order (top to
// bottom; items on the same top edge share a line, left to right, two spaces apart). A button
// reads "[OK]", a check box "[x] text" or "[ ] text", a radio button "(o) text" or "( ) text", an
// integer edit "[12]", texts and icons as their text, a list box as its rows on lines of their own
// (ListRenderer.h), a pop-up as its selected entry "<Detailed>"; a disabled item, or any item of
// a panel whose items are disabled as a whole, gets " (dimmed)". Hidden items and empty texts do
// not show. A dialog's roll-down surfaces follow its items (SurfaceRenderer.h). An invalid or
// destroyed panel renders as "". Host main thread only.
#pragma once

#include "PanelState.h"

#include <string>

namespace DG {

class Panel;

std::string RenderItem (const ItemState& item);
std::string RenderPanel (Int32 panelId);
std::string RenderPanel (const Panel& panel);

}   // namespace DG
