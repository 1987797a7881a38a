// DockableRollDownPalette: the frame of the add-on's one modeless window, a dockable palette whose
// client area is a roll-down surface (four roll panels in one set for pages 1 to 4, the surface's
// separate panel for page 5). rdPaletteGuid is the palette's identity, built when the add-on loads.
//
// The palette owns its surface; the surface owns its panels, not the pages on them. A surface
// that cannot be created leaves GetRollDownSurface () null, and the owner reports itself invalid.
// Host main thread only.
#pragma once

#include "dg/Palette.h"
#include "dg/Point.h"
#include "dg/RollDownSurface.h"
#include "gs/Guid.h"

extern const GS::Guid rdPaletteGuid;

class DockableRollDownPalette : public DG::Palette {
public:
    // At (10, 10), 380 by 417, growing both ways; the surface at `position` (null: top-left).
    DockableRollDownPalette (const DG::Point* position, DG::Dialog::CloseType closeType,
                             DG::Dialog::CaptionType captionType, DG::Dialog::FrameType frameType);
    ~DockableRollDownPalette () override;

    // The surface, or null when it could not be created.
    UD::RollDownSurface* GetRollDownSurface () const { return surface; }

private:
    UD::RollDownSurface* surface = nullptr;
};
