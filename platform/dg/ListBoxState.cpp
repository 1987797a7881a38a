#include "ListBoxState.h"

#include <algorithm>
#include <limits>

namespace DG {

Int32 ListState::ItemWidth (const ItemState& item)
{
    return std::max<Int32> (0, item.rect.width - ScrollBarWidth);
}

bool ListState::IsList (const ItemState& item)
{
    return item.kind == ItemKind::SingleSelList || item.kind == ItemKind::MultiSelList;
}

ListState* ListState::Of (ItemState& item)
{
    if (!IsList (item))
        return nullptr;
    if (item.list == nullptr) {
        item.list = std::make_shared<ListState> ();
        ListTabField whole;
        whole.end = static_cast<Int16> (std::min<Int32> (ItemWidth (item), std::numeric_limits<Int16>::max ()));
        item.list->tabs.push_back (whole);
    }
    return item.list.get ();
}

const ListState* ListState::Peek (const ItemState& item)
{
    return IsList (item) ? item.list.get () : nullptr;
}

ListRow* ListState::Row (Int32 row)
{
    if (row < 1 || static_cast<size_t> (row) > rows.size ())
        return nullptr;
    return &rows[static_cast<size_t> (row - 1)];
}

const ListRow* ListState::Row (Int32 row) const
{
    return const_cast<ListState*> (this)->Row (row);
}

std::vector<Int16> ListState::Selection () const
{
    std::vector<Int16> selected;
    for (size_t i = 0; i < rows.size (); ++i) {
        if (rows[i].selected)
            selected.push_back (static_cast<Int16> (i + 1));
    }
    return selected;
}

}   // namespace DG
