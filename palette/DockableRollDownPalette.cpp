#include "DockableRollDownPalette.h"

const GS::Guid rdPaletteGuid ("{9349160F-1FF1-4be3-9909-314107CCB286}");

namespace {

const DG::Rect PaletteRect{10, 10, 380, 417};

}   // namespace

DockableRollDownPalette::DockableRollDownPalette (const DG::Point* position, DG::Dialog::CloseType closeType,
                                                  DG::Dialog::CaptionType captionType, DG::Dialog::FrameType frameType)
    : DG::Palette (PaletteRect, rdPaletteGuid, DG::Dialog::HVGrow, closeType, captionType, frameType)
{
    try {
        surface = new UD::RollDownSurface (*this, position);
    } catch (...) {
        surface = nullptr;
    }
    DisableGrowBox ();
}

DockableRollDownPalette::~DockableRollDownPalette ()
{
    delete surface;
    surface = nullptr;
}
