// Observers of a panel's own events and the events they get. An observer is attached to a panel
// with Panel::Attach and stays attached until Detach, the panel's end or its own end (the base
// destructor detaches it everywhere). Every event names its source panel. Handlers run
// synchronously, on the host's main thread, while the user agent acts.
#pragma once

#include "DGTypes.h"

namespace DG {

class Panel;

class PanelEvent {
public:
    explicit PanelEvent (Panel* source) : source (source) {}
    Panel* GetSource () const { return source; }

private:
    Panel* source;
};

class PanelOpenEvent : public PanelEvent {
public:
    using PanelEvent::PanelEvent;
};

class PanelCloseRequestEvent : public PanelEvent {
public:
    using PanelEvent::PanelEvent;
};

class PanelHotKeyEvent : public PanelEvent {
public:
    PanelHotKeyEvent (Panel* source, Int16 keyId) : PanelEvent (source), keyId (keyId) {}
    // The identifier Panel::RegisterHotKey answered for the pressed key.
    Int16 GetKeyId () const { return keyId; }

private:
    Int16 keyId;
};

// The panel's size changed, by the user or by code; the changes are new minus old size.
class PanelResizeEvent : public PanelEvent {
public:
    PanelResizeEvent (Panel* source, Int32 dx, Int32 dy) : PanelEvent (source), dx (dx), dy (dy) {}
    Int32 GetHorizontalChange () const { return dx; }
    Int32 GetVerticalChange () const { return dy; }

private:
    Int32 dx, dy;
};

class PanelObserver {
public:
    PanelObserver () = default;
    PanelObserver (const PanelObserver&) = delete;
    PanelObserver& operator= (const PanelObserver&) = delete;
    virtual ~PanelObserver ();

    virtual void PanelOpened (const PanelOpenEvent& ev);
    // The user asked to close the panel (its close box). `accepted` starts true; an observer may
    // refuse. A modal dialog whose request stays accepted closes with Cancel.
    virtual void PanelCloseRequested (const PanelCloseRequestEvent& ev, bool* accepted);
    // A registered hot key was pressed; set `processed` when the key was handled.
    virtual void PanelHotkeyPressed (const PanelHotKeyEvent& ev, bool& processed);
    // The panel (a dialog, palette or tab page) changed size: by the user or by code.
    virtual void PanelResized (const PanelResizeEvent& ev);
};

}   // namespace DG
