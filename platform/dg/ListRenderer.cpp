#include "ListRenderer.h"

#include "ListBox.h"
#include "ListBoxState.h"

#include <algorithm>

namespace DG {

namespace {

using Glyphs = std::vector<std::string>;

// The text cut into characters (UTF-8 sequences stay whole; a stray byte is one character).
Glyphs Split (const std::string& text)
{
    Glyphs out;
    for (size_t i = 0; i < text.size ();) {
        size_t n = 1;
        while (i + n < text.size () && (static_cast<unsigned char> (text[i + n]) & 0xC0) == 0x80)
            ++n;
        out.push_back (text.substr (i, n));
        i += n;
    }
    return out;
}

// `glyphs` fitted into `width` characters by the tab's truncation and justification.
Glyphs Fit (Glyphs glyphs, size_t width, Int32 truncation, Int32 justification)
{
    if (glyphs.size () > width) {
        if (truncation == ListBox::EndTruncate) {
            glyphs.resize (width - 1);
            glyphs.push_back ("…");
        } else if (truncation == ListBox::MiddleTruncate) {
            const size_t head = width / 2;
            const size_t tail = width - 1 - head;
            Glyphs cut (glyphs.begin (), glyphs.begin () + static_cast<std::ptrdiff_t> (head));
            cut.push_back ("…");
            cut.insert (cut.end (), glyphs.end () - static_cast<std::ptrdiff_t> (tail), glyphs.end ());
            glyphs = cut;
        } else {
            glyphs.resize (width);
        }
    }
    const size_t spare = width - glyphs.size ();
    size_t pad = 0;
    if (justification == ListBox::Right)
        pad = spare;
    else if (justification == ListBox::Center)
        pad = spare / 2;
    glyphs.insert (glyphs.begin (), pad, " ");
    return glyphs;
}

std::string RenderRow (const ListState& list, const ListRow& row)
{
    Glyphs line;
    for (size_t t = 0; t < list.tabs.size () && t < row.cells.size (); ++t) {
        const ListTabField& tab = list.tabs[t];
        const ListCell& cell = row.cells[t];
        if (tab.end <= tab.begin || tab.begin < 0 || (cell.text.empty () && cell.icon.IsEmpty ()))
            continue;
        std::string content = cell.icon.GetGlyph ();
        if (!content.empty () && !cell.text.empty ())
            content += " ";
        content += cell.text;
        const size_t column = static_cast<size_t> (tab.begin / ListPixelsPerChar);
        const size_t width = std::max<size_t> (1, static_cast<size_t> ((tab.end - tab.begin) / ListPixelsPerChar));
        const Glyphs fitted = Fit (Split (content), width, tab.truncation, tab.justification);
        if (line.size () < column + fitted.size ())
            line.resize (column + fitted.size (), " ");
        std::copy (fitted.begin (), fitted.end (), line.begin () + static_cast<std::ptrdiff_t> (column));
    }
    while (!line.empty () && line.back () == " ")
        line.pop_back ();
    std::string out;
    for (const std::string& g : line)
        out += g;
    return out;
}

}   // namespace

std::string RenderList (const ItemState& item)
{
    const ListState* list = ListState::Peek (item);
    if (list == nullptr || list->rows.empty ())
        return ListState::IsList (item) ? "(no rows)" : std::string ();
    const size_t digits = std::to_string (list->rows.size ()).size ();
    std::string out;
    for (size_t i = 0; i < list->rows.size (); ++i) {
        const ListRow& row = list->rows[i];
        std::string number = std::to_string (i + 1);
        number.insert (0, digits - number.size (), ' ');
        if (i > 0)
            out += "\n";
        out += (row.selected ? ">" : " ") + number + "  " + RenderRow (*list, row);
        if (row.grayed)
            out += "  (gray)";
    }
    return out;
}

std::string RenderList (const ListBox& list)
{
    const ItemState* state = PanelStore::FindItem (list.GetPanelId (), list.GetId ());
    return state != nullptr ? RenderList (*state) : std::string ();
}

}   // namespace DG
