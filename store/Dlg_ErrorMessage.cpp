#include "Dlg_ErrorMessage.h"

#include "host/ResourceModuleLock.h"

#include <cstdio>

namespace {

char own_res_str[512];   // the numbered form's last fetched line
char errStr[512];        // the code form's last formatted code

// The dialog's resource number, asked for while `lock` keeps the add-on's resource file active:
// the lock is a temporary of the base initializer, so it lasts until the layout is built.
Int16 OwnLayout (const ResourceModuleLock& /*lock*/)
{
    return Dlg_ErrorMessage::ResourceId;
}

// String `index` of list `msgId` into own_res_str; empty when the resource file lacks it.
const char* FetchLine (Int16 msgId, Int32 index)
{
    own_res_str[0] = '\0';
    if (!ACAPI_Resource_GetLocStr (own_res_str, msgId, index))
        own_res_str[0] = '\0';
    return own_res_str;
}

}   // namespace

Dlg_ErrorMessage::Dlg_ErrorMessage (Int16 msgId, bool showCheckBox)
    : DG::ModalDialog (OwnLayout (ResourceModuleLock ())), okButton (GetReference (), OkButtonId),
      icon (GetReference (), IconId), line1 (GetReference (), Line1Id), line2 (GetReference (), Line2Id),
      doNotShow (GetReference (), DoNotShowId)
{
    {
        ResourceModuleLock ownResources;
        if (!showCheckBox)
            doNotShow.Hide ();
        line1.SetText (FetchLine (msgId, 1));
        line2.SetText (FetchLine (msgId, 2));
    }
    AttachObservers ();
    okButton.Show ();
}

Dlg_ErrorMessage::Dlg_ErrorMessage (Int32 code, const char* text)
    : DG::ModalDialog (OwnLayout (ResourceModuleLock ())), okButton (GetReference (), OkButtonId),
      icon (GetReference (), IconId), line1 (GetReference (), Line1Id), line2 (GetReference (), Line2Id),
      doNotShow (GetReference (), DoNotShowId)
{
    std::snprintf (errStr, sizeof errStr, "%d", static_cast<int> (code));
    line1.SetText (errStr);
    line2.SetText (text != nullptr ? text : "");
    doNotShow.Hide ();
    AttachObservers ();
    okButton.Show ();
}

Dlg_ErrorMessage::~Dlg_ErrorMessage ()
{
    okButton.Detach (*this);
    Detach (static_cast<DG::PanelObserver&> (*this));
}

void Dlg_ErrorMessage::AttachObservers ()
{
    Attach (static_cast<DG::PanelObserver&> (*this));
    okButton.Attach (*this);
}

void Dlg_ErrorMessage::ButtonClicked (const DG::ButtonClickEvent& ev)
{
    if (ev.GetSource () != &okButton)
        return;
    PostCloseRequest (doNotShow.IsChecked () ? DG::Accept : DG::Cancel);
}
