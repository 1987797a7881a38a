// Static text items: left-aligned, centred and right-aligned. They only show a text (Item's
// SetText/GetText) and raise no events. Host main thread only.
#pragma once

#include "Item.h"

namespace DG {

class LeftText : public Item {
public:
    using Item::Item;
};

class CenterText : public Item {
public:
    using Item::Item;
};

class RightText : public Item {
public:
    using Item::Item;
};

}   // namespace DG
