#include "PanelObserver.h"

#include "PanelState.h"

namespace DG {

PanelObserver::~PanelObserver ()
{
    PanelStore::ForgetObserver (this);
}

void PanelObserver::PanelOpened (const PanelOpenEvent&) {}

void PanelObserver::PanelCloseRequested (const PanelCloseRequestEvent&, bool*) {}

void PanelObserver::PanelHotkeyPressed (const PanelHotKeyEvent&, bool&) {}

void PanelObserver::PanelResized (const PanelResizeEvent&) {}

}   // namespace DG
