// DG::ListBoxObserver and the events of list boxes. Every event names as its source the ListBox
// object through which the observer was attached. Only user actions (the driver, ListDriver.h)
// raise them; a selection, text or value set by code raises nothing.
//
// A click first selects the clicked row, then raises ListBoxClicked, then ListBoxSelectionChanged
// when the click changed the selection. A double click is a click followed by ListBoxDoubleClicked.
// The mouse offset is horizontal, in pixels from the list's left edge (compare it with the tab
// field positions). Handlers run synchronously on the host's main thread and may change the list.
#pragma once

#include "Item.h"

namespace DG {

class ListBox;

class ListBoxSelectionEvent : public ItemEvent {
public:
    explicit ListBoxSelectionEvent (ListBox* source);
    ListBox* GetSource () const;
};

// A click or double click on a row with the mouse.
class ListBoxMouseEvent : public ItemEvent {
public:
    ListBoxMouseEvent (ListBox* source, Int16 row, Int32 offset, Key::Modifiers modifiers);
    ListBox* GetSource () const;
    Int16 GetListItem () const { return row; }   // the row, from 1
    Int32 GetMouseOffset () const { return offset; }
    bool GetCommandKeyState () const { return (modifiers & Key::Command) != 0; }
    bool GetOptionKeyState () const { return (modifiers & Key::Option) != 0; }
    bool GetShiftKeyState () const { return (modifiers & Key::Shift) != 0; }

private:
    Int16 row;
    Int32 offset;
    Key::Modifiers modifiers;
};

class ListBoxClickEvent : public ListBoxMouseEvent {
public:
    using ListBoxMouseEvent::ListBoxMouseEvent;
};

class ListBoxDoubleClickEvent : public ListBoxMouseEvent {
public:
    using ListBoxMouseEvent::ListBoxMouseEvent;
};

class ListBoxContextMenuEvent : public ItemEvent {
public:
    ListBoxContextMenuEvent (ListBox* source, Int16 row);
    ListBox* GetSource () const;
    Int16 GetListItem () const { return row; }

private:
    Int16 row;
};

class ListBoxObserver : public ItemObserver {
public:
    virtual void ListBoxSelectionChanged (const ListBoxSelectionEvent& ev);
    virtual void ListBoxClicked (const ListBoxClickEvent& ev);
    virtual void ListBoxDoubleClicked (const ListBoxDoubleClickEvent& ev);
    virtual void ListBoxContextMenuRequested (const ListBoxContextMenuEvent& ev);
};

}   // namespace DG
