// DG::Icon: a picture shown in a list row's tab field, made from an icon resource number of the
// active resource module (or of a given one). A small value: the resource number and the glyph a
// text rendering shows for it; copies are independent.
//
// The default icon, and one whose number the module lacks, is no icon: GetResourceId answers -1
// and it shows nothing. Host main thread only (it reads the resource modules).
#pragma once

#include "DGTypes.h"

#include <string>

namespace DG {

class Icon {
public:
    Icon () = default;
    explicit Icon (Int32 resId, GSResModule module = ActiveResModule);

    // The icon resource number, -1 for none.
    Int32 GetResourceId () const { return resourceId; }
    bool IsEmpty () const { return resourceId < 0; }
    // How the icon reads in a text rendering ("" for none).
    const std::string& GetGlyph () const { return glyph; }

    bool operator== (const Icon& other) const { return resourceId == other.resourceId; }
    bool operator!= (const Icon& other) const { return !(*this == other); }

private:
    Int32 resourceId = -1;
    std::string glyph;
};

}   // namespace DG
