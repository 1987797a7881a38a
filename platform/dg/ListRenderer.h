// The text rendering of a list box, as a user reads it: one line per row,
//
//     ">" for a selected row or " ", the row number, two spaces, then the row's cells placed in
//     columns by their tab fields' positions (7 pixels a character; a cell starts at its tab's
//     begin and fits between begin and end, justified and truncated as the tab says: an end or
//     middle truncation shows "…"), an icon as its glyph before the text, and "  (gray)" after a
//     grayed row.
//
// Tab fields with no width (begin == end) are not shown; trailing spaces are dropped. A list
// without rows reads "(no rows)". Used by the panel rendering (TextRenderer.h), the command line
// and tests. Host main thread only.
#pragma once

#include "PanelState.h"

#include <string>

namespace DG {

class ListBox;

constexpr Int32 ListPixelsPerChar = 7;

std::string RenderList (const ItemState& item);
// The list that `list` stands for; "" when its panel or item is gone or it is no list.
std::string RenderList (const ListBox& list);

}   // namespace DG
