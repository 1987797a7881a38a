// DG::IconItem: a picture item. Its icon is the one its dialog resource names (-1: none; the
// resource's text then stands for it). Raises no events. Host main thread only.
#pragma once

#include "Item.h"

namespace DG {

class IconItem : public Item {
public:
    using Item::Item;
    Int32 GetIconId () const;
    void SetIconId (Int32 iconId);
};

}   // namespace DG
