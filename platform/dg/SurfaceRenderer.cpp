#include "SurfaceRenderer.h"

#include "PanelState.h"
#include "RollDownSurface.h"
#include "TabControl.h"
#include "TextRenderer.h"

namespace UD {

std::string RenderSurfaces (Int32 dialogId)
{
    std::string out;
    for (const RollDownSurface* surface : SurfacesOnDialog (dialogId)) {
        for (const IRollPanel* panel : surface->GetRollPanels ()) {
            const std::string title = panel->GetTitle ().ToStd ();
            if (panel->GetPanelSet () == nullptr)
                out += "--\n";
            else if (!panel->IsRolledDown ())
                out += "-- " + title + " (rolled up) --\n";
            else
                out += "-- " + title + " --\n";
            if (!panel->IsRolledDown ())
                continue;
            const DG::TabControlState* control = DG::TabControl::FindState (panel->GetTabControl ().GetId ());
            for (const auto& [tab, pageId] : control->pages) {
                const std::string page = DG::RenderPanel (pageId);
                const size_t titleEnd = page.find ('\n');
                if (titleEnd != std::string::npos)
                    out += page.substr (titleEnd + 1);
            }
        }
    }
    return out;
}

}   // namespace UD
