#include "Icon.h"

#include "rsrc/ResourceModules.h"

namespace DG {

Icon::Icon (Int32 resId, GSResModule module)
{
    const RSRC::ResourceFile* file = module == ActiveResModule ? RSRC::ActiveFile () : RSRC::GetModule (module);
    const RSRC::Icon* icon = file != nullptr ? file->GetIcon (resId) : nullptr;
    if (icon == nullptr)
        return;
    resourceId = resId;
    glyph = icon->glyph.empty () ? "#" : icon->glyph;   // an icon without a glyph still shows
}

}   // namespace DG
