#include "ChangeLODDialog.h"

#include "Data.h"
#include "DisplayedDetLev.h"
#include "host/ResourceModuleLock.h"

#include <algorithm>
#include <limits>

namespace {

// The layout number, asked for while `lock` keeps the add-on's resource file active: the lock is
// a temporary of the base initializer, so it lasts until the layout is built.
Int16 OwnLayout (Int16 resId, const ResourceModuleLock& /*lock*/)
{
    return resId;
}

// Whether the row's library part offers detail-level value `level`.
bool Offers (const LibRow& row, Int16 level)
{
    return level >= 0 && level < ChangeLODDialog::LevelCount && row.avail[level];
}

}   // namespace

ChangeLODDialog::ChangeLODDialog (Int16 resId, std::vector<LibRow>* rows)
    : DG::ModalDialog (OwnLayout (resId, ResourceModuleLock ())), okButton (GetReference (), OkButtonId),
      cancelButton (GetReference (), CancelButtonId), rowsList (GetReference (), RowsListId),
      levelsList (GetReference (), LevelsListId), rows (rows), hotKey (0)
{
    DisplayedDetLev& names = DisplayedDetLev::Instance ();
    for (Int16 level = 0; level < LevelCount; ++level) {
        levelsList.AppendItem ();
        levelsList.SetTabItemText (levelsList.GetItemCount (), 1, names.GetName (level));
    }

    rowsList.SetTabFieldCount (2);
    rowsList.SetTabFieldBeginEndPosition (1, 0, FirstColumnEnd);
    const Int32 width = std::max<Int32> (rowsList.GetItemWidth (), SecondColumnBegin);
    rowsList.SetTabFieldBeginEndPosition (
        2, SecondColumnBegin, static_cast<Int16> (std::min<Int32> (width, std::numeric_limits<Int16>::max ())));
    if (rows != nullptr) {
        for (const LibRow& row : *rows) {
            const Int16 before = rowsList.GetItemCount ();
            rowsList.AppendItem ();
            const Int16 line = rowsList.GetItemCount ();
            if (line == before)
                break;   // the list is full
            rowsList.SetTabItemText (line, 1, row.name);
            rowsList.SetTabItemText (line, 2, names.GetName (row.detLev));
        }
    }

    rowsList.Attach (*this);
    levelsList.Attach (*this);
    okButton.Attach (*this);
    cancelButton.Attach (*this);
    Attach (static_cast<DG::PanelObserver&> (*this));
    EnableHotKeys ();
    hotKey = RegisterHotKey (HotKeyCode, DG::Key::NoModifier);
}

ChangeLODDialog::~ChangeLODDialog ()
{
    UnregisterHotKey (hotKey);
    Detach (static_cast<DG::PanelObserver&> (*this));
    cancelButton.Detach (*this);
    okButton.Detach (*this);
    levelsList.Detach (*this);
    rowsList.Detach (*this);
}

Int16 ChangeLODDialog::ChosenLevel () const
{
    const Int16 line = levelsList.GetSelectedItem ();
    return line >= 1 && line <= LevelCount ? static_cast<Int16> (line - 1) : static_cast<Int16> (-1);
}

void ChangeLODDialog::GrayRowsFor (Int16 level)
{
    const Int16 wanted = level == DefaultLevel ? Data::Instance ().defaultDetLev : level;
    const Int16 count = rowsList.GetItemCount ();
    for (Int16 line = 1; line <= count; ++line) {
        const size_t at = static_cast<size_t> (line - 1);
        const bool available = level < 0 || (rows != nullptr && at < rows->size () && Offers ((*rows)[at], wanted));
        if (available)
            rowsList.NormalItem (line);
        else
            rowsList.GrayItem (line);
    }
}

void ChangeLODDialog::KeepRowsUnselected ()
{
    rowsList.DeselectItem (0);
}

void ChangeLODDialog::ListBoxSelectionChanged (const DG::ListBoxSelectionEvent& ev)
{
    if (ev.GetSource () == &levelsList)
        GrayRowsFor (ChosenLevel ());
    else if (ev.GetSource () == &rowsList)
        KeepRowsUnselected ();
}

void ChangeLODDialog::ListBoxClicked (const DG::ListBoxClickEvent& ev)
{
    if (ev.GetSource () == &rowsList)
        KeepRowsUnselected ();
}

void ChangeLODDialog::ListBoxContextMenuRequested (const DG::ListBoxContextMenuEvent& ev)
{
    if (ev.GetSource () == &rowsList)
        KeepRowsUnselected ();
}

void ChangeLODDialog::ButtonClicked (const DG::ButtonClickEvent& ev)
{
    if (ev.GetSource () == &okButton && ChosenLevel () >= 0)
        OKPressed ();
    else if (ev.GetSource () == &okButton || ev.GetSource () == &cancelButton)
        PostCloseRequest (DG::Cancel);
}

void ChangeLODDialog::PanelHotkeyPressed (const DG::PanelHotKeyEvent& ev, bool& processed)
{
    if (ev.GetSource () != this || ev.GetKeyId () != hotKey)
        return;
    processed = true;
    PostCloseRequest (DG::Cancel);
}

void ChangeLODDialog::OKPressed ()
{
    const Int16 level = ChosenLevel ();
    if (level < 0) {
        PostCloseRequest (DG::Cancel);
        return;
    }
    Data& data = Data::Instance ();
    bool changed = false;
    const Int16 count = rowsList.GetItemCount ();
    for (Int16 line = 1; line <= count; ++line) {
        const size_t at = static_cast<size_t> (line - 1);
        if (rowsList.IsItemGrayed (line) || rows == nullptr || at >= rows->size ())
            continue;
        const LibRow& row = (*rows)[at];
        // A part the table lacks counts as at the level its census row shows.
        const Int16* entry = data.detLevValuesGuidIndex.GetPtr (row.guid);
        const Int16 previous = entry != nullptr ? *entry : row.detLev;
        if (!changed && previous != level)
            changed = true;
        data.detLevValuesGuidIndex.Put (row.guid, level);
    }
    if (changed && (level == KeepLevel || (level == DefaultLevel && data.defaultDetLev == KeepLevel)))
        changed = false;
    PostCloseRequest (changed ? DG::Accept : DG::Cancel);
}
