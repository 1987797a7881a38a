// The headless dialog framework's modal part: building from the active resource module, items,
// observers and their events, the modal loop with and without a user agent, the driver's refusals,
// the recording agent and the text rendering.
#include "TestHost.h"

#include "dg/Button.h"
#include "dg/CheckBox.h"
#include "dg/Driver.h"
#include "dg/IconItem.h"
#include "dg/ModalDialog.h"
#include "dg/PanelObserver.h"
#include "dg/RecordingAgent.h"
#include "dg/StaticText.h"
#include "dg/TextRenderer.h"
#include "rsrc/ResourceModules.h"

#include <fstream>
#include <functional>

namespace {

const char* const sampleResources = R"json({
  "strings": {},
  "dialogs": {
    "900": {
      "title": "Sample", "width": 300, "height": 120,
      "items": [
        {"kind": "button", "rect": [200, 90, 80, 24], "text": "OK"},
        {"kind": "button", "rect": [110, 90, 80, 24], "text": "Cancel"},
        {"kind": "checkbox", "rect": [50, 60, 200, 18], "text": "Remember"},
        {"kind": "lefttext", "rect": [50, 10, 200, 18], "text": "Hello"},
        {"kind": "icon", "rect": [10, 10, 32, 32], "icon": 77},
        {"kind": "lefttext", "rect": [50, 34, 200, 18]}
      ]
    },
    "901": {
      "title": "Bare", "width": 100, "height": 50,
      "items": [ {"kind": "lefttext", "rect": [0, 0, 100, 18], "text": "no button"} ]
    }
  },
  "icons": { "77": {"glyph": "(i)", "name": "info"} }
})json";

enum : Int16 { OkItem = 1, CancelItem = 2, RememberItem = 3, HelloItem = 4, IconItem = 5, EmptyItem = 6 };

// A dialog on resource 900 that closes with Accept on OK and Cancel on Cancel, and counts events.
class SampleDialog : public DG::ModalDialog,
                     public DG::ButtonItemObserver,
                     public DG::CheckItemObserver,
                     public DG::PanelObserver {
public:
    SampleDialog ()
        : DG::ModalDialog (900), ok (GetReference (), OkItem), cancel (GetReference (), CancelItem),
          remember (GetReference (), RememberItem)
    {
        ok.Attach (*this);
        cancel.Attach (*this);
        remember.Attach (*this);
        Attach (static_cast<DG::PanelObserver&> (*this));
    }

    void ButtonClicked (const DG::ButtonClickEvent& ev) override
    {
        clicks.push_back (ev.GetSource ()->GetId ());
        if (ev.GetSource () == &ok)
            PostCloseRequest (DG::Accept);
        else if (ev.GetSource () == &cancel)
            PostCloseRequest (DG::Cancel);
    }
    void CheckItemChanged (const DG::CheckItemChangeEvent& ev) override
    {
        EXPECT_EQ (ev.GetSource (), &remember);
        checkChanges.push_back (ev.GetSource ()->IsChecked ());
    }
    void PanelOpened (const DG::PanelOpenEvent& ev) override { opened += ev.GetSource () == this ? 1 : 100; }
    void PanelCloseRequested (const DG::PanelCloseRequestEvent& ev, bool* accepted) override
    {
        EXPECT_EQ (ev.GetSource (), this);
        ++closeRequests;
        *accepted = acceptClose;
    }
    void PanelHotkeyPressed (const DG::PanelHotKeyEvent& ev, bool& processed) override
    {
        keys.push_back (ev.GetKeyId ());
        processed = true;
        PostCloseRequest (DG::Cancel);
    }

    DG::Button ok, cancel;
    DG::CheckBox remember;
    std::vector<Int16> clicks;
    std::vector<bool> checkChanges;
    std::vector<Int16> keys;
    int opened = 0, closeRequests = 0;
    bool acceptClose = true;
};

// An agent that runs a function per action; answers what the function answers.
class FunctionAgent : public DG::UserAgent {
public:
    explicit FunctionAgent (std::function<bool (const DG::Panel&, DG::Driver&)> f) : f (std::move (f)) {}
    bool Act (const DG::Panel& dialog, DG::Driver& driver) override { return f (dialog, driver); }

private:
    std::function<bool (const DG::Panel&, DG::Driver&)> f;
};

class ModalTest : public ::testing::Test {
protected:
    void SetUp () override
    {
        const std::string path = ::testing::TempDir () + "dg_modal_test.rsrc";
        std::ofstream (path) << sampleResources;
        std::string error;
        module = RSRC::OpenModule (path, &error);
        ASSERT_NE (module, 0) << error;
        previous = RSRC::SetActiveModule (module);
        DG::SetUserAgent (nullptr);
    }
    void TearDown () override
    {
        DG::SetUserAgent (nullptr);
        RSRC::SetActiveModule (previous);
        RSRC::CloseModule (module);
    }

    GSResModule module = 0, previous = 0;
};

TEST_F (ModalTest, ScriptedButtonDecidesTheAnswer)
{
    struct Case {
        std::vector<DG::Answer> answers;
        bool expected;
        std::vector<Int16> clicks;
    };
    const Case cases[] = {
        {{DG::Answer::Click (OkItem)}, true, {OkItem}},
        {{DG::Answer::Click (CancelItem)}, false, {CancelItem}},
        {{DG::Answer::Check (RememberItem), DG::Answer::Click (CancelItem)}, false, {CancelItem}},
        {{DG::Answer::CloseBox ()}, false, {}},
        {{DG::Answer::HotKey (DG::Key::Escape)}, false, {}},
        {{}, true, {OkItem}},   // nothing scripted: the user presses item 1
    };
    for (const Case& c : cases) {
        DG::RecordingAgent agent;
        DG::ScopedUserAgent use (agent);
        for (const DG::Answer& a : c.answers)
            agent.Queue (a);
        SampleDialog dialog;
        dialog.EnableHotKeys ();
        const Int16 escape = dialog.RegisterHotKey (DG::Key::Escape);
        EXPECT_EQ (dialog.Invoke (), c.expected);
        EXPECT_EQ (dialog.clicks, c.clicks);
        EXPECT_EQ (dialog.opened, 1);
        EXPECT_FALSE (dialog.IsOpen ());
        ASSERT_EQ (agent.Shown ().size (), 1u);
        EXPECT_EQ (agent.Shown ()[0].Accepted (), c.expected);
        EXPECT_TRUE (agent.Shown ()[0].refused.empty ()) << agent.Shown ()[0].refused[0];
        for (Int16 k : dialog.keys)
            EXPECT_EQ (k, escape);
    }
}

TEST_F (ModalTest, WithoutAnyHelpTheDialogStillCloses)
{
    {   // no agent: item 1 is pressed
        SampleDialog dialog;
        EXPECT_TRUE (dialog.Invoke ());
        EXPECT_EQ (dialog.clicks, std::vector<Int16>{OkItem});
    }
    {   // a hidden item 1 cannot be pressed: Cancel
        SampleDialog dialog;
        dialog.ok.Hide ();
        EXPECT_FALSE (dialog.Invoke ());
        EXPECT_TRUE (dialog.clicks.empty ());
    }
    {   // no handler closes on the button: Cancel, not an endless loop
        DG::ModalDialog dialog (900);
        EXPECT_FALSE (dialog.Invoke ());
    }
    {   // a layout without a button
        DG::ModalDialog dialog (901);
        EXPECT_FALSE (dialog.Invoke ());
    }
    {   // an agent that claims to act forever without closing
        int calls = 0;
        FunctionAgent busy ([&] (const DG::Panel&, DG::Driver&) { return ++calls > 0; });
        DG::ScopedUserAgent use (busy);
        SampleDialog dialog;
        EXPECT_TRUE (dialog.Invoke ());
        EXPECT_EQ (calls, DG::ModalDialog::MaxUserActions);
    }
}

TEST_F (ModalTest, ACloseRequestCanBeRefused)
{
    DG::RecordingAgent agent;
    DG::ScopedUserAgent use (agent);
    agent.Queue ({DG::Answer::CloseBox (), DG::Answer::Click (CancelItem)});
    SampleDialog dialog;
    dialog.acceptClose = false;
    EXPECT_FALSE (dialog.Invoke ());
    EXPECT_EQ (dialog.closeRequests, 1);
    EXPECT_EQ (dialog.clicks, std::vector<Int16>{CancelItem}) << "the refused close kept it open";
}

TEST_F (ModalTest, MissingLayoutGivesAnInvalidDialogThatShowsNothing)
{
    DG::RecordingAgent agent;
    DG::ScopedUserAgent use (agent);
    DG::ModalDialog dialog (4242);
    EXPECT_FALSE (dialog.IsValid ());
    EXPECT_EQ (dialog.GetId (), 0);
    DG::Button button (dialog.GetReference (), 1);
    button.SetText ("x");
    button.Show ();
    EXPECT_FALSE (button.IsVisible ());
    EXPECT_EQ (button.GetText ().ToStd (), "");
    EXPECT_FALSE (dialog.Invoke ());
    EXPECT_TRUE (agent.Shown ().empty ());
    EXPECT_EQ (DG::RenderPanel (dialog), "");

    RSRC::SetActiveModule (0);
    DG::ModalDialog noModule (900);
    EXPECT_FALSE (noModule.IsValid ()) << "no active resource module";
    DG::ModalDialog byNumber (900, module);
    EXPECT_TRUE (byNumber.IsValid ()) << "an explicit module needs none active";
}

TEST_F (ModalTest, CodeChangesRaiseNoEventsAndUserActionsDo)
{
    SampleDialog dialog;
    DG::CheckBox again (dialog.GetReference (), RememberItem);
    dialog.remember.Check ();
    EXPECT_TRUE (again.IsChecked ()) << "two objects on one item share its state";
    dialog.remember.Uncheck ();
    dialog.ok.SetText ("Fine");
    EXPECT_TRUE (dialog.checkChanges.empty ());
    EXPECT_TRUE (dialog.clicks.empty ());

    DG::Driver driver (dialog);
    EXPECT_TRUE (driver.SetCheck (RememberItem, true));
    EXPECT_TRUE (driver.SetCheck (RememberItem, true)) << "already ticked: no second event";
    EXPECT_TRUE (driver.Click (RememberItem));
    EXPECT_EQ (dialog.checkChanges, (std::vector<bool>{true, false}));
    EXPECT_TRUE (driver.Click (OkItem));
    EXPECT_EQ (dialog.clicks, std::vector<Int16>{OkItem});
}

TEST_F (ModalTest, DriverRefusesWhatAUserCannotDo)
{
    SampleDialog dialog;
    dialog.remember.Hide ();
    dialog.cancel.Disable ();
    DG::Driver driver (dialog);
    struct Case {
        std::function<bool ()> act;
        const char* why;
    };
    const Case cases[] = {
        {[&] { return driver.SetCheck (RememberItem, true); }, "hidden"},
        {[&] { return driver.Click (RememberItem); }, "hidden"},
        {[&] { return driver.Click (CancelItem); }, "disabled"},
        {[&] { return driver.Click (HelloItem); }, "is not clicked"},
        {[&] { return driver.SetCheck (OkItem, true); }, "not a checkbox"},
        {[&] { return driver.Click (99); }, "no such item"},
        {[&] { return driver.Click (0); }, "no such item"},
        {[&] { return driver.PressKey (DG::Key::Escape); }, "takes no hot keys"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE (c.act ()) << c.why;
        EXPECT_NE (driver.GetError ().find (c.why), std::string::npos) << driver.GetError ();
    }
    EXPECT_FALSE (dialog.remember.IsChecked ());
    EXPECT_TRUE (dialog.clicks.empty ());
    EXPECT_TRUE (dialog.checkChanges.empty ());

    dialog.EnableHotKeys ();
    const Int16 key = dialog.RegisterHotKey ('K', DG::Key::Command);
    EXPECT_FALSE (driver.PressKey ('K')) << "modifiers must match";
    dialog.UnregisterHotKey (key);
    EXPECT_FALSE (driver.PressKey ('K', DG::Key::Command));
    EXPECT_TRUE (dialog.keys.empty ());

    dialog.DisableItems ();
    EXPECT_FALSE (driver.Click (OkItem));
    dialog.EnableItems ();
    EXPECT_TRUE (driver.Click (OkItem));
}

TEST_F (ModalTest, ObserversThatGoAwayHearNothingAndItemsOutliveTheirPanel)
{
    struct Counter : DG::ButtonItemObserver {
        void ButtonClicked (const DG::ButtonClickEvent&) override { ++n; }
        int n = 0;
    };
    auto dialog = std::make_unique<DG::ModalDialog> (900);
    DG::Button ok (dialog->GetReference (), OkItem);
    Counter kept;
    ok.Attach (kept);
    {
        Counter gone;
        ok.Attach (gone);
        {
            DG::Button other (dialog->GetReference (), OkItem);
            other.Attach (gone);
        }   // attachments through `other` go with it
    }       // `gone` detaches itself
    DG::Driver driver (*dialog);
    EXPECT_TRUE (driver.Click (OkItem));
    EXPECT_EQ (kept.n, 1);
    ok.Detach (kept);
    EXPECT_TRUE (driver.Click (OkItem));
    EXPECT_EQ (kept.n, 1);

    dialog.reset ();
    EXPECT_FALSE (ok.IsValid ());
    ok.SetText ("late");
    EXPECT_FALSE (driver.Click (OkItem));
    EXPECT_FALSE (driver.CloseBox ());
}

TEST_F (ModalTest, RendererReadsLikeTheUser)
{
    SampleDialog dialog;
    DG::LeftText (dialog.GetReference (), EmptyItem).SetText ("Second line");
    dialog.remember.Check ();
    dialog.cancel.Disable ();
    EXPECT_EQ (DG::RenderPanel (dialog), "== Sample ==\n"
                                         "(i)  Hello\n"
                                         "Second line\n"
                                         "[x] Remember\n"
                                         "[Cancel] (dimmed)  [OK]\n");
    dialog.remember.Hide ();
    dialog.SetTitle ("Other");
    DG::LeftText (dialog.GetReference (), EmptyItem).SetText ("");
    EXPECT_EQ (DG::RenderPanel (dialog), "== Other ==\n(i)  Hello\n[Cancel] (dimmed)  [OK]\n");
    EXPECT_EQ (DG::IconItem (dialog.GetReference (), IconItem).GetIconId (), 77);
}

TEST_F (ModalTest, RecordingAgentKeepsWhatWasShownAndWaitsWithAnswersForTheirDialog)
{
    DG::RecordingAgent agent;
    DG::ScopedUserAgent use (agent);
    // The outer dialog opens an inner one from its Cancel button; the tick is meant for the inner.
    struct Outer : SampleDialog {
        void ButtonClicked (const DG::ButtonClickEvent& ev) override
        {
            if (ev.GetSource () == &cancel && !innerDone) {
                innerDone = true;
                SampleDialog inner;
                inner.remember.Hide ();
                innerAnswer = inner.Invoke ();
                return;
            }
            SampleDialog::ButtonClicked (ev);
        }
        bool innerDone = false, innerAnswer = false;
    };
    agent.Queue ({DG::Answer::Click (CancelItem), DG::Answer::Check (RememberItem), DG::Answer::Done (),
                  DG::Answer::Check (RememberItem).For (777)});
    Outer outer;
    outer.remember.Check ();
    EXPECT_TRUE (outer.Invoke ());
    EXPECT_TRUE (outer.innerAnswer) << "the inner dialog closed by its OK";
    outer.remember.Uncheck ();

    ASSERT_EQ (agent.Shown ().size (), 2u);
    const DG::ShownDialog& o = agent.Shown ()[0];
    const DG::ShownDialog& i = agent.Shown ()[1];
    EXPECT_EQ (o.resourceId, 900);
    EXPECT_EQ (o.title, "Sample");
    EXPECT_TRUE (o.ItemChecked (RememberItem)) << "recorded as it was when shown";
    EXPECT_TRUE (o.ItemVisible (RememberItem));
    EXPECT_EQ (o.ItemText (HelloItem), "Hello");
    EXPECT_EQ (o.Kind (OkItem), DG::ItemKind::Button);
    EXPECT_EQ (o.ItemText (99), "");
    EXPECT_FALSE (o.ItemVisible (99));
    EXPECT_TRUE (o.Accepted ());
    EXPECT_NE (o.rendered.find ("[x] Remember"), std::string::npos);
    EXPECT_FALSE (i.ItemVisible (RememberItem));
    EXPECT_TRUE (i.Accepted ());
    ASSERT_EQ (i.refused.size (), 1u) << "the tick on a hidden box was refused";
    EXPECT_NE (i.refused[0].find ("hidden"), std::string::npos);
    EXPECT_EQ (agent.CountShown (900), 2u);
    EXPECT_EQ (agent.Pending (), 1u) << "the answer for dialog 777 still waits";
}

}   // namespace
