#include "ModalDialog.h"

#include "Driver.h"
#include "EventDispatch.h"
#include "PanelState.h"
#include "UserAgent.h"

namespace DG {

ModalDialog::ModalDialog (Int16 resourceId, GSResModule module) : Dialog (resourceId, module)
{
    if (PanelState* s = State ())
        s->modal = true;
}

bool ModalDialog::IsOpen () const
{
    const PanelState* s = State ();
    return s != nullptr && s->open;
}

void ModalDialog::PostCloseRequest (ModalResponse response)
{
    if (PanelState* s = State ())
        s->closeResponse = response != 0 ? response : Cancel;
}

bool ModalDialog::Invoke ()
{
    PanelState* s = State ();
    if (s == nullptr || s->open)
        return false;
    const Int32 id = GetId ();
    s->open = true;
    s->closeResponse = 0;

    UserAgent* agent = GetUserAgent ();
    Events::PanelOpened (id);
    if (agent != nullptr)
        agent->DialogShown (*this);

    Driver driver (*this);
    Int32 actions = 0;
    while ((s = State ()) != nullptr && s->closeResponse == 0) {
        if (agent != nullptr && actions < MaxUserActions && agent->Act (*this, driver)) {
            ++actions;
            continue;
        }
        // Nothing more from the user: the button, then Cancel.
        driver.Click (1);
        if ((s = State ()) != nullptr && s->closeResponse == 0)
            s->closeResponse = Cancel;
    }
    if (s == nullptr)
        return false;
    const ModalResponse response = s->closeResponse;
    s->open = false;
    s->closeResponse = 0;
    if (agent != nullptr)
        agent->DialogClosed (*this, response);
    return response == Accept;
}

}   // namespace DG
