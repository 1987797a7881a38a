// DG::RecordingAgent: a user agent for tests and scripts. It records every dialog shown (its
// resource, title, each item as it was at that moment, the text rendering, and how it closed) and
// acts from a queue of scripted answers. An answer may name the dialog resource it is meant for;
// one for another dialog waits in the queue while the open dialog closes by its button. An empty
// queue, or a Done answer, means the user has nothing more to do in the open dialog.
//
// An answer the driver refuses (e.g. ticking a hidden box) is consumed and noted in the record's
// `refused`. The agent is not installed by constructing it: use DG::ScopedUserAgent. Host main
// thread only.
#pragma once

#include "UserAgent.h"

#include <deque>
#include <initializer_list>
#include <string>
#include <vector>

namespace DG {

struct ShownItem {
    ItemKind kind = ItemKind::Other;
    std::string text;
    bool visible = false;
    bool enabled = false;
    Int32 value = 0;
};

struct ShownDialog {
    Int32 panelId = 0;
    Int16 resourceId = 0;
    std::string title;
    std::vector<ShownItem> items;   // item n is items[n - 1]
    std::string rendered;           // RenderPanel at the moment it was shown
    ModalResponse response = 0;     // how it closed; 0 while open
    std::vector<std::string> refused;

    // Item n (from 1) as shown; a missing item reads as empty, hidden and unchecked.
    std::string ItemText (Int16 item) const;
    bool ItemVisible (Int16 item) const;
    bool ItemChecked (Int16 item) const;
    ItemKind Kind (Int16 item) const;
    bool Accepted () const { return response == Accept; }
};

class Answer {
public:
    enum class Action { Click, Check, Uncheck, Key, CloseBox, Done, SelectRow, ClickRow, DoubleClickRow, ContextMenu };

    static Answer Click (Int16 item) { return Answer (Action::Click, item); }
    static Answer Check (Int16 item) { return Answer (Action::Check, item); }
    static Answer Uncheck (Int16 item) { return Answer (Action::Uncheck, item); }
    static Answer HotKey (Key::Code key, Key::Modifiers modifiers = Key::NoModifier);
    static Answer CloseBox () { return Answer (Action::CloseBox, 0); }
    static Answer Done () { return Answer (Action::Done, 0); }
    // List boxes (ListDriver.h): select row `row` of list `item` (0: select none), click or
    // double-click it at a horizontal offset with modifier keys, ask for its context menu.
    static Answer SelectRow (Int16 item, Int16 row);
    static Answer ClickRow (Int16 item, Int16 row, Int32 offset = 0, Key::Modifiers modifiers = Key::NoModifier);
    static Answer DoubleClickRow (Int16 item, Int16 row, Int32 offset = 0, Key::Modifiers modifiers = Key::NoModifier);
    static Answer ContextMenu (Int16 item, Int16 row);
    // The same answer, only for dialog resource `resourceId`.
    Answer For (Int16 resourceId) const;

    Action action;
    Int16 item;
    Key::Code key = 0;
    Key::Modifiers modifiers = Key::NoModifier;
    Int16 resourceId = 0;   // 0: any dialog
    Int16 row = 0;          // list answers
    Int32 offset = 0;

private:
    Answer (Action action, Int16 item) : action (action), item (item) {}
};

class RecordingAgent : public UserAgent {
public:
    void Queue (const Answer& answer) { answers.push_back (answer); }
    void Queue (std::initializer_list<Answer> list) { answers.insert (answers.end (), list); }
    size_t Pending () const { return answers.size (); }

    const std::vector<ShownDialog>& Shown () const { return shown; }
    // How many dialogs of resource `resourceId` were shown.
    size_t CountShown (Int16 resourceId) const;
    void Clear ();

    void DialogShown (const Panel& dialog) override;
    bool Act (const Panel& dialog, Driver& driver) override;
    void DialogClosed (const Panel& dialog, ModalResponse response) override;

private:
    ShownDialog* Record (Int32 panelId);

    std::deque<Answer> answers;
    std::vector<ShownDialog> shown;
};

}   // namespace DG
