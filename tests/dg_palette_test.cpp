// The headless dialog framework's modeless part: palettes (show, hide, event processing, close
// box, resizing), tab pages on tab controls, the settings items (radio groups, integer edits,
// pop-ups), the roll-down surface with its panel sets and separate panel, the function table,
// help locations, the creation-failure switch and the rendering of a palette.
#include "TestHost.h"

#include "dg/Button.h"
#include "dg/CreationFailures.h"
#include "dg/Driver.h"
#include "dg/FunctionTable.h"
#include "dg/HelpLocations.h"
#include "dg/IntEdit.h"
#include "dg/Palette.h"
#include "dg/PanelObserver.h"
#include "dg/PopUp.h"
#include "dg/RadioButton.h"
#include "dg/RollDownSurface.h"
#include "dg/StaticText.h"
#include "dg/TabControl.h"
#include "dg/TabPage.h"
#include "dg/TextRenderer.h"
#include "rsrc/ResourceModules.h"

#include <fstream>
#include <functional>
#include <memory>

namespace {

const char* const sampleResources = R"json({
  "strings": {},
  "dialogs": {
    "910": {
      "title": "Stories page", "width": 200, "height": 60,
      "items": [
        {"kind": "radio", "rect": [10, 5, 100, 18], "text": "All stories", "group": 1},
        {"kind": "radio", "rect": [10, 25, 60, 18], "text": "From", "group": 1},
        {"kind": "intedit", "rect": [75, 25, 35, 18]},
        {"kind": "centertext", "rect": [115, 25, 20, 18], "text": "to"},
        {"kind": "intedit", "rect": [140, 25, 35, 18]}
      ]
    },
    "911": {
      "title": "Scope page", "width": 200, "height": 70,
      "items": [
        {"kind": "radio", "rect": [10, 5, 90, 18], "text": "Selection", "group": 2},
        {"kind": "radio", "rect": [110, 5, 90, 18], "text": "Whole model", "group": 2},
        {"kind": "popup", "rect": [10, 25, 150, 18]},
        {"kind": "radio", "rect": [10, 45, 60, 18], "text": "Fast", "group": 3},
        {"kind": "radio", "rect": [80, 45, 60, 18], "text": "Exact", "group": 3}
      ]
    },
    "912": {
      "title": "Buttons page", "width": 200, "height": 30,
      "items": [
        {"kind": "button", "rect": [10, 5, 60, 20], "text": "Select"},
        {"kind": "button", "rect": [80, 5, 60, 20], "text": "Refresh"},
        {"kind": "righttext", "rect": [150, 5, 100, 20], "text": "Total"}
      ]
    },
    "913": {
      "title": "Host of a surface", "width": 300, "height": 200,
      "items": [
        {"kind": "button", "rect": [10, 170, 60, 20], "text": "Up"},
        {"kind": "button", "rect": [80, 170, 60, 20], "text": "Down"}
      ]
    }
  },
  "icons": {}
})json";

enum : Int16 { StoriesPage = 910, ScopePage = 911, ButtonsPage = 912, SurfaceHost = 913 };

const GS::Guid paletteGuid ("{0C3E29A4-5B1D-4F7E-9A61-2D8B5C7E0F13}");

// Writes down every event it hears as a line "kind source-name details".
class Recorder : public DG::PanelObserver,
                 public DG::RadioItemObserver,
                 public DG::IntEditObserver,
                 public DG::PopUpObserver,
                 public DG::ButtonItemObserver {
public:
    std::function<std::string (const void*)> nameOf = [] (const void*) { return std::string ("?"); };
    std::function<void (const DG::IntEditChangeEvent&)> onEdit;
    std::function<void (const DG::PanelCloseRequestEvent&, bool*)> onClose;
    std::vector<std::string> events;

    void PanelOpened (const DG::PanelOpenEvent& ev) override { Note ("opened " + nameOf (ev.GetSource ())); }
    void PanelResized (const DG::PanelResizeEvent& ev) override
    {
        Note ("resized " + nameOf (ev.GetSource ()) + " " + std::to_string (ev.GetHorizontalChange ()) + " " +
              std::to_string (ev.GetVerticalChange ()));
    }
    void PanelCloseRequested (const DG::PanelCloseRequestEvent& ev, bool* accepted) override
    {
        Note ("close " + nameOf (ev.GetSource ()));
        if (onClose)
            onClose (ev, accepted);
    }
    void PanelHotkeyPressed (const DG::PanelHotKeyEvent& ev, bool& processed) override
    {
        Note ("key " + nameOf (ev.GetSource ()) + " " + std::to_string (ev.GetKeyId ()));
        processed = true;
    }
    void RadioItemChanged (const DG::RadioItemChangeEvent& ev) override
    {
        Note ("radio " + std::to_string (ev.GetSource ()->GetId ()));
    }
    void IntEditChanged (const DG::IntEditChangeEvent& ev) override
    {
        Note ("edit " + std::to_string (ev.GetSource ()->GetId ()) + " was " + std::to_string (ev.GetPreviousValue ()));
        if (onEdit)
            onEdit (ev);
    }
    void PopUpChanged (const DG::PopUpChangeEvent& ev) override
    {
        Note ("popup " + std::to_string (ev.GetSource ()->GetSelectedItem ()) + " was " +
              std::to_string (ev.GetPreviousSelection ()));
    }
    void ButtonClicked (const DG::ButtonClickEvent& ev) override
    {
        Note ("click " + std::to_string (ev.GetSource ()->GetId ()));
    }

    std::vector<std::string> Take ()
    {
        std::vector<std::string> taken;
        taken.swap (events);
        return taken;
    }

private:
    void Note (const std::string& line) { events.push_back (line); }
};

using Lines = std::vector<std::string>;

class PaletteTest : public ::testing::Test {
protected:
    void SetUp () override
    {
        const std::string path = ::testing::TempDir () + "dg_palette_test.rsrc";
        std::ofstream (path) << sampleResources;
        std::string error;
        module = RSRC::OpenModule (path, &error);
        ASSERT_NE (module, 0) << error;
        previous = RSRC::SetActiveModule (module);
        DG::ClearCreationFailures ();
    }
    void TearDown () override
    {
        DG::ClearCreationFailures ();
        RSRC::SetActiveModule (previous);
        RSRC::CloseModule (module);
    }

    // A shown palette taking events, with a tab control of its width holding one page.
    struct OnePage {
        DG::Palette palette{DG::Rect{10, 10, 300, 200}, paletteGuid, DG::Dialog::HVGrow, DG::Dialog::CloseBox};
        DG::TabControl control{palette, palette.GetClientWidth ()};
        DG::TabPage page;
        DG::Driver driver{page};

        explicit OnePage (Int16 resource) : page (control, 1, resource)
        {
            palette.Show ();
            palette.BeginEventProcessing ();
        }
    };

    GSResModule module = 0, previous = 0;
};

TEST_F (PaletteTest, SelectingARadioDeselectsOnlyItsGroupAndTellsOnce)
{
    OnePage p (ScopePage);
    DG::RadioButton selection (p.page, 1), wholeModel (p.page, 2), fast (p.page, 4), exact (p.page, 5);
    Recorder rec;
    for (DG::RadioButton* r : {&selection, &wholeModel, &fast, &exact})
        r->Attach (rec);

    selection.Select ();
    exact.Select ();
    EXPECT_TRUE (rec.events.empty ()) << "selecting from code tells nobody";

    EXPECT_TRUE (p.driver.SelectRadio (2));
    EXPECT_EQ (rec.Take (), Lines{"radio 2"});
    EXPECT_FALSE (selection.IsSelected ());
    EXPECT_TRUE (wholeModel.IsSelected ());
    EXPECT_TRUE (exact.IsSelected ()) << "another group keeps its choice";
    EXPECT_FALSE (fast.IsSelected ());

    EXPECT_TRUE (p.driver.SelectRadio (2));
    EXPECT_TRUE (rec.events.empty ()) << "the radio already selected changes nothing";
    EXPECT_FALSE (p.driver.SelectRadio (3));
    EXPECT_NE (p.driver.GetError ().find ("not a radio"), std::string::npos) << p.driver.GetError ();
    EXPECT_EQ (DG::RenderPanel (p.page), "== Scope page ==\n( ) Selection  (o) Whole model\n<>\n( ) Fast  (o) Exact\n");
}

TEST_F (PaletteTest, ATypedValueTellsThePreviousOneSoAHandlerCanPutItBack)
{
    OnePage p (StoriesPage);
    DG::IntEdit from (p.page, 3), to (p.page, 5);
    from.SetValue (1);
    to.SetValue (4);
    Recorder rec;
    from.Attach (rec);
    // Like a range's first number: never above the last one.
    rec.onEdit = [&] (const DG::IntEditChangeEvent& ev) {
        if (ev.GetSource ()->GetValue () > to.GetValue ())
            ev.GetSource ()->SetValue (ev.GetPreviousValue ());
    };

    EXPECT_TRUE (p.driver.TypeValue (3, 3));
    EXPECT_TRUE (p.driver.TypeValue (3, 9));
    EXPECT_EQ (from.GetValue (), 3) << "the handler put the previous value back";
    EXPECT_TRUE (p.driver.TypeValue (3, 3)) << "the value shown: no event";
    EXPECT_TRUE (p.driver.TypeValue (3, -2));
    EXPECT_EQ (rec.Take (), (Lines{"edit 3 was 1", "edit 3 was 3", "edit 3 was 3"}));
    EXPECT_EQ (from.GetValue (), -2);
    EXPECT_FALSE (p.driver.TypeValue (4, 1)) << "a text is no edit";
    EXPECT_NE (DG::RenderPanel (p.page).find ("[-2]  to  [4]"), std::string::npos) << DG::RenderPanel (p.page);
}

TEST_F (PaletteTest, APopUpCountsEntriesFromOneAndTellsOnlyAChoiceOfTheUser)
{
    OnePage p (ScopePage);
    DG::PopUp levels (p.page, 3);
    Recorder rec;
    levels.Attach (rec);
    EXPECT_EQ (levels.GetSelectedItem (), 0);
    for (const char* name : {"Low", "Detailed", "Full"}) {
        levels.AppendItem ();
        levels.SetItemText (levels.GetItemCount (), name);
    }
    EXPECT_EQ (levels.GetItemCount (), 3);
    EXPECT_EQ (levels.GetSelectedItem (), 1) << "the first entry added is selected";
    EXPECT_EQ (levels.GetItemText (2).ToStd (), "Detailed");
    EXPECT_EQ (levels.GetItemText (4).ToStd (), "");
    levels.SelectItem (2);
    levels.SelectItem (7);
    EXPECT_EQ (levels.GetSelectedItem (), 2) << "an entry out of range is ignored";
    EXPECT_TRUE (rec.events.empty ());

    EXPECT_TRUE (p.driver.ChooseEntry (3, 3));
    EXPECT_TRUE (p.driver.ChooseEntry (3, 3));
    EXPECT_FALSE (p.driver.ChooseEntry (3, 4));
    EXPECT_FALSE (p.driver.ChooseEntry (3, 0));
    EXPECT_EQ (rec.Take (), Lines{"popup 3 was 2"});

    levels.InsertItem (1);   // entries move down; the selection follows its entry
    EXPECT_EQ (levels.GetSelectedItem (), 4);
    levels.DeleteItem (4);
    EXPECT_EQ (levels.GetSelectedItem (), 1) << "deleting the selected entry selects the first";
    levels.SetItemText (1, "Coarse");
    EXPECT_NE (DG::RenderPanel (p.page).find ("\n<Coarse>\n"), std::string::npos) << DG::RenderPanel (p.page);
    levels.DeleteItem (0);
    EXPECT_EQ (levels.GetItemCount (), 0);
    EXPECT_EQ (levels.GetSelectedItem (), 0);
}

TEST_F (PaletteTest, ShowingOpensOnceAndTheUserActsOnlyOnAShownPaletteTakingEvents)
{
    DG::Palette palette (DG::Rect{10, 20, 300, 200}, paletteGuid, DG::Dialog::HVGrow, DG::Dialog::CloseBox);
    UD::RollDownSurface surface (palette);
    UD::IRollDownPanelSet* set = surface.CreatePanelSet ();
    DG::TabPage first (set->AppendPanel ()->GetTabControl (), 1, ButtonsPage);
    DG::TabPage second (surface.CreateSeparatePanel ()->GetTabControl (), 1, StoriesPage);
    Recorder rec;
    rec.nameOf = [&] (const void* p) {
        return std::string (p == &palette ? "palette" : p == &first ? "first" : p == &second ? "second" : "?");
    };
    for (DG::Panel* panel : std::initializer_list<DG::Panel*>{&palette, &first, &second})
        panel->Attach (rec);
    DG::Button select (first, 1);
    select.Attach (rec);
    DG::Driver user (first);

    EXPECT_EQ (palette.GetGuid (), paletteGuid);
    EXPECT_EQ (palette.GetLeft (), 10);
    EXPECT_EQ (palette.GetTop (), 20);
    EXPECT_FALSE (palette.IsVisible ());
    EXPECT_FALSE (user.Click (1));
    EXPECT_NE (user.GetError ().find ("hidden"), std::string::npos) << user.GetError ();

    palette.Show ();
    EXPECT_EQ (rec.Take (), (Lines{"opened palette", "opened first", "opened second", "resized palette 0 0",
                                   "resized first 0 0", "resized second 0 0"}))
        << "the first showing opens the palette, then lays it out";
    EXPECT_FALSE (user.Click (1));
    EXPECT_NE (user.GetError ().find ("takes no events"), std::string::npos) << user.GetError ();

    palette.BeginEventProcessing ();
    EXPECT_TRUE (palette.IsProcessingEvents ());
    EXPECT_TRUE (user.Click (1));
    palette.Hide ();
    EXPECT_FALSE (palette.IsVisible ());
    EXPECT_FALSE (user.Click (1));
    palette.Show ();
    EXPECT_TRUE (user.Click (1));
    EXPECT_EQ (rec.Take (), (Lines{"click 1", "click 1"})) << "showing again opens nothing";

    palette.EnableHotKeys ();
    const Int16 key = palette.RegisterHotKey ('R', DG::Key::Command);
    DG::Driver frame (palette);
    EXPECT_TRUE (frame.PressKey ('R', DG::Key::Command));
    EXPECT_EQ (rec.Take (), Lines{"key palette " + std::to_string (key)});
    palette.EndEventProcessing ();
    EXPECT_FALSE (frame.PressKey ('R', DG::Key::Command));
    EXPECT_FALSE (user.Click (1));
    EXPECT_TRUE (rec.events.empty ());
}

TEST_F (PaletteTest, TheCloseBoxAsksTheAddOnWhichMayDeleteThePalette)
{
    auto palette =
        std::make_unique<DG::Palette> (DG::Rect{0, 0, 200, 100}, paletteGuid, DG::Dialog::NoGrow, DG::Dialog::CloseBox);
    Recorder rec;
    rec.nameOf = [&] (const void* p) { return std::string (p == palette.get () ? "palette" : "?"); };
    rec.onClose = [&] (const DG::PanelCloseRequestEvent& ev, bool* accepted) {
        *accepted = ev.GetSource () == palette.get ();
        palette.reset ();   // what the add-on's close handler does
    };
    palette->Attach (rec);
    palette->Show ();
    palette->BeginEventProcessing ();
    rec.Take ();
    DG::Driver user (*palette);
    EXPECT_TRUE (user.CloseBox ());
    EXPECT_EQ (palette, nullptr);
    EXPECT_EQ (rec.Take (), Lines{"close palette"});
    EXPECT_FALSE (user.CloseBox ()) << "the palette is gone";

    DG::Palette boxless (DG::Rect{0, 0, 200, 100}, paletteGuid);
    boxless.Show ();
    boxless.BeginEventProcessing ();
    DG::Driver other (boxless);
    EXPECT_FALSE (other.CloseBox ());
    EXPECT_NE (other.GetError ().find ("no close box"), std::string::npos) << other.GetError ();
}

TEST_F (PaletteTest, ResizingRaisesPanelResizedFromThePaletteThenFromEachPageThatChanged)
{
    DG::Palette palette (DG::Rect{10, 10, 380, 417}, paletteGuid, DG::Dialog::HVGrow);
    const DG::Point at{20, 0};
    UD::RollDownSurface surface (palette, &at);
    UD::IRollDownPanelSet* set = surface.CreatePanelSet ();
    UD::IPanel* fixedPanel = set->AppendPanel ();
    fixedPanel->FixHeight ();
    UD::IPanel* growing = set->AppendPanel ();
    growing->SetOptions (UD::IPanel::TitleBar | UD::IPanel::GrowsWithDialog);
    DG::TabPage fixedPage (fixedPanel->GetTabControl (), 1, StoriesPage);
    DG::TabPage list (growing->GetTabControl (), 1, ScopePage);
    DG::TabPage buttons (surface.CreateSeparatePanel ()->GetTabControl (), 1, ButtonsPage);
    EXPECT_EQ (list.GetWidth (), 360) << "pages are as wide as the surface";
    EXPECT_EQ (list.GetHeight (), 70);

    Recorder rec;
    rec.nameOf = [&] (const void* p) {
        return std::string (p == &palette ? "palette" : p == &fixedPage ? "fixed" : p == &list ? "list" : "buttons");
    };
    for (DG::Panel* panel : std::initializer_list<DG::Panel*>{&palette, &fixedPage, &list, &buttons})
        panel->Attach (rec);
    palette.Show ();
    palette.BeginEventProcessing ();
    rec.Take ();

    DG::Driver frame (palette);
    EXPECT_TRUE (frame.Resize (300, 450));
    EXPECT_EQ (rec.Take (), (Lines{"resized palette -80 33", "resized fixed -80 0", "resized list -80 33",
                                   "resized buttons -80 0"}));
    EXPECT_EQ (palette.GetClientWidth (), 300);
    EXPECT_EQ (palette.GetClientHeight (), 450);
    EXPECT_EQ (buttons.GetWidth (), 280);
    EXPECT_EQ (list.GetHeight (), 103) << "the growing panel's page takes the height change";
    EXPECT_EQ (fixedPage.GetHeight (), 60);

    palette.SetClientSize (300, 450);
    EXPECT_TRUE (rec.events.empty ()) << "the same size: no event";
    palette.SetClientSize (300, 300);   // from code, like the user
    EXPECT_EQ (rec.Take (), (Lines{"resized palette 0 -150", "resized list 0 -103"}))
        << "a page never gets a negative height";
    EXPECT_EQ (list.GetHeight (), 0);

    list.SetHeight (480);
    EXPECT_EQ (rec.Take (), Lines{"resized list 0 480"});
    DG::Driver onList (list), onFixed (fixedPage);
    EXPECT_TRUE (onList.Resize (280, 200));
    EXPECT_EQ (rec.Take (), Lines{"resized list 0 -280"});

    struct Refusal {
        DG::Driver* driver;
        Int32 width, height;
        const char* why;
    };
    const Refusal refusals[] = {
        {&onFixed, 280, 80, "fixed height"},
        {&onList, 250, 200, "follows its palette"},
        {&frame, 300, -1, "not negative"},
    };
    for (const Refusal& r : refusals) {
        EXPECT_FALSE (r.driver->Resize (r.width, r.height)) << r.why;
        EXPECT_NE (r.driver->GetError ().find (r.why), std::string::npos) << r.driver->GetError ();
    }
    palette.SetGrowType (DG::Dialog::HGrow);
    EXPECT_FALSE (frame.Resize (300, 400)) << "no vertical growing";
    EXPECT_TRUE (frame.Resize (320, 300));
    EXPECT_EQ (rec.Take (),
               (Lines{"resized palette 20 0", "resized fixed 20 0", "resized list 20 0", "resized buttons 20 0"}));
}

TEST_F (PaletteTest, ATabPageSitsOnItsControlsDialogFromStartToEnd)
{
    auto palette = std::make_unique<DG::Palette> (DG::Rect{0, 0, 380, 417}, paletteGuid);
    auto control = std::make_unique<DG::TabControl> (*palette, 250);
    auto page = std::make_unique<DG::TabPage> (*control, 1, ButtonsPage);
    EXPECT_TRUE (page->IsValid ());
    EXPECT_EQ (page->GetWidth (), 250);
    EXPECT_EQ (page->GetHeight (), 30);
    EXPECT_EQ (page->GetTabIndex (), 1);
    EXPECT_EQ (page->GetParentDialog (), palette.get ());
    EXPECT_EQ (control->GetDialog (), palette.get ());
    EXPECT_EQ (control->GetTabPage (1), page.get ());
    EXPECT_EQ (control->GetTabPage (2), nullptr);

    DG::TabPage taken (*control, 1, StoriesPage);
    EXPECT_FALSE (taken.IsValid ()) << "a tab holds one page";
    EXPECT_EQ (control->GetTabPage (1), page.get ());
    DG::TabPage missing (*control, 2, 4242);
    EXPECT_FALSE (missing.IsValid ());
    EXPECT_EQ (control->GetTabPage (2), nullptr);

    control.reset ();
    EXPECT_EQ (page->GetParentDialog (), palette.get ()) << "the page outlives its control";
    palette.reset ();
    EXPECT_EQ (page->GetParentDialog (), nullptr);
    page->SetHeight (40);   // harmless without its palette
    EXPECT_EQ (page->GetHeight (), 40);

    DG::Palette another (DG::Rect{0, 0, 380, 417}, paletteGuid);
    DG::TabControl again (another, 380);
    {
        DG::TabPage shortLived (again, 1, ButtonsPage);
        EXPECT_EQ (again.GetTabPage (1), &shortLived);
    }
    EXPECT_EQ (again.GetTabPage (1), nullptr) << "a deleted page leaves its tab";
}

TEST_F (PaletteTest, PanelSetsAndPanelsAreListedInCreationOrderWithTheirTitlesAndSettings)
{
    DG::Palette palette (DG::Rect{10, 10, 380, 417}, paletteGuid);
    UD::RollDownSurface surface (palette);
    EXPECT_EQ (surface.GetSeparatePanel (), nullptr);
    UD::IRollDownPanelSet* one = surface.CreatePanelSet ();
    UD::IRollDownPanelSet* two = surface.CreatePanelSet ();
    UD::IPanel* a = one->AppendPanel ();
    UD::IPanel* b = two->AppendPanel ();
    UD::IPanel* c = one->AppendPanel ();
    UD::IPanel* s = surface.CreateSeparatePanel ();
    UD::IPanel* d = two->AppendPanel (UD::IPanel::StartsRolledUp);
    EXPECT_EQ (surface.CreateSeparatePanel (), s) << "one separate panel";

    EXPECT_EQ (surface.GetPanelSets (), (std::vector<UD::IRollDownPanelSet*>{one, two}));
    EXPECT_EQ (one->GetPanelCount (), 2);
    EXPECT_EQ (one->GetPanel (0), a);
    EXPECT_EQ (one->GetPanel (1), c);
    EXPECT_EQ (one->GetPanel (2), nullptr);
    EXPECT_EQ (one->GetPanel (-1), nullptr);
    EXPECT_EQ (one->GetPanel (1)->GetPosition (), 1);
    EXPECT_EQ (one->GetPanel (1)->GetPanelSet (), one);
    EXPECT_EQ (surface.GetSeparatePanel (), s);
    EXPECT_EQ (surface.GetSeparatePanel ()->GetPanelSet (), nullptr);
    EXPECT_EQ (surface.GetSeparatePanel ()->GetPosition (), -1);
    const std::vector<UD::IRollPanel*> all = surface.GetRollPanels ();
    ASSERT_EQ (all.size (), 5u);
    const std::vector<UD::IPanel*> order (all.begin (), all.end ());
    EXPECT_EQ (order, (std::vector<UD::IPanel*>{a, b, c, s, d}));

    a->SetTitle ("Stories: all");
    a->SetOptions (1);
    a->FixHeight ();
    a->SetTitleBarHeight (20);
    b->SetOptions (3);
    b->SetTitleBarHeight (20);
    EXPECT_EQ (a->GetTitle ().ToStd (), "Stories: all");
    EXPECT_EQ (a->GetOptions (), 1);
    EXPECT_EQ (a->GetTitleBarHeight (), 20);
    EXPECT_TRUE (a->IsHeightFixed ());
    EXPECT_EQ (b->GetOptions (), 3);
    EXPECT_FALSE (b->IsHeightFixed ());
    EXPECT_TRUE (a->IsRolledDown ());
    EXPECT_FALSE (d->IsRolledDown ());
    EXPECT_NE (&a->GetTabControl (), &c->GetTabControl ()) << "each panel has its own tab control";
    EXPECT_EQ (a->GetTabControl ().GetDialog (), &palette);
    EXPECT_EQ (a->GetTabControl ().GetWidth (), 380);
}

TEST_F (PaletteTest, TheSurfacesButtonsRollEveryPanelAndARolledUpPageTakesNoUserAction)
{
    DG::Dialog host (SurfaceHost);
    DG::Button up (host, 1), down (host, 2);
    UD::RollDownSurface surface (host, nullptr, &up, &down);
    UD::IRollDownPanelSet* set = surface.CreatePanelSet ();
    UD::IPanel* first = set->AppendPanel ();
    UD::IPanel* second = set->AppendPanel ();
    DG::TabPage page (first->GetTabControl (), 1, ButtonsPage);
    DG::Driver onHost (host), onPage (page);

    EXPECT_TRUE (onHost.Click (1));
    EXPECT_FALSE (first->IsRolledDown ());
    EXPECT_FALSE (second->IsRolledDown ());
    EXPECT_FALSE (onPage.Click (1));
    EXPECT_NE (onPage.GetError ().find ("rolled up"), std::string::npos) << onPage.GetError ();
    EXPECT_TRUE (onHost.Click (2));
    EXPECT_TRUE (first->IsRolledDown ());
    EXPECT_TRUE (onPage.Click (1));
}

TEST_F (PaletteTest, TheFunctionTableSetsATextOfTheNewestPanelOfADialogResource)
{
    DG::Palette palette (DG::Rect{0, 0, 300, 200}, paletteGuid);
    DG::TabControl control (palette, 300);
    DG::TabPage older (control, 1, ButtonsPage);
    auto newer = std::make_unique<DG::TabPage> (control, 2, ButtonsPage);
    DG::RightText olderTotal (older, 3), newerTotal (*newer, 3);
    Recorder rec;
    older.Attach (rec);
    newer->Attach (rec);

    EXPECT_EQ (dgFt.SetItemText (ButtonsPage, 3, ""), NoError);
    EXPECT_EQ (newerTotal.GetText ().ToStd (), "");
    EXPECT_EQ (dgFt.SetItemTextAndRedraw (ButtonsPage, 3, "Polygons: 1,234"), NoError);
    EXPECT_EQ (newerTotal.GetText ().ToStd (), "Polygons: 1,234");
    EXPECT_EQ (olderTotal.GetText ().ToStd (), "Total");
    EXPECT_TRUE (rec.events.empty ());

    EXPECT_EQ (dgFt.SetItemText (4242, 3, "x"), DG::ErrNoDialog);
    EXPECT_EQ (dgFt.SetItemText (0, 3, "x"), DG::ErrNoDialog);
    EXPECT_EQ (dgFt.SetItemText (ButtonsPage, 9, "x"), DG::ErrNoItem);
    newer.reset ();
    EXPECT_EQ (dgFt.SetItemTextAndRedraw (ButtonsPage, 3, nullptr), NoError);
    EXPECT_EQ (olderTotal.GetText ().ToStd (), "") << "with the newer page gone the older one answers";
}

TEST_F (PaletteTest, DisablingThePalettesItemsLeavesEachItemsOwnStateForLater)
{
    OnePage p (StoriesPage);
    DG::IntEdit from (p.page, 3), to (p.page, 5);
    from.Disable ();   // as a page does while "all stories" is chosen
    p.palette.DisableItems ();
    EXPECT_FALSE (p.driver.SelectRadio (2));
    EXPECT_NE (p.driver.GetError ().find ("disabled"), std::string::npos) << p.driver.GetError ();
    EXPECT_EQ (DG::RenderPanel (p.page), "== Stories page ==\n( ) All stories (dimmed)\n"
                                         "( ) From (dimmed)  [0] (dimmed)  to (dimmed)  [0] (dimmed)\n");
    p.palette.EnableItems ();
    EXPECT_TRUE (p.driver.SelectRadio (2));
    EXPECT_FALSE (from.IsEnabled ()) << "its own state survives";
    EXPECT_TRUE (to.IsEnabled ());
    EXPECT_FALSE (p.driver.TypeValue (3, 2));
    EXPECT_TRUE (p.driver.TypeValue (5, 2));

    p.page.DisableItems ();   // a page alone
    EXPECT_FALSE (p.driver.TypeValue (5, 3));
    p.page.EnableItems ();
    EXPECT_TRUE (p.driver.TypeValue (5, 3));
}

TEST_F (PaletteTest, TheCreationSwitchFailsTheNthCreationOnceInTheWayOfItsKind)
{
    DG::Palette palette (DG::Rect{0, 0, 300, 200}, paletteGuid);
    {
        DG::FailCreation (DG::Creation::Surface);
        EXPECT_THROW (UD::RollDownSurface{palette}, DG::CreationFailure);
        EXPECT_NO_THROW (UD::RollDownSurface{palette}) << "a switch fires once";
    }
    UD::RollDownSurface surface (palette);

    DG::FailCreation (DG::Creation::PanelSet);
    EXPECT_EQ (surface.CreatePanelSet (), nullptr);
    UD::IRollDownPanelSet* set = surface.CreatePanelSet ();
    ASSERT_NE (set, nullptr);

    DG::FailCreation (DG::Creation::Panel, 2);
    EXPECT_NE (set->AppendPanel (), nullptr);
    EXPECT_EQ (set->AppendPanel (), nullptr);
    EXPECT_NE (set->AppendPanel (), nullptr);
    EXPECT_EQ (set->GetPanelCount (), 2) << "a failed panel takes no position";

    DG::FailCreation (DG::Creation::SeparatePanel);
    EXPECT_EQ (surface.CreateSeparatePanel (), nullptr);
    EXPECT_EQ (surface.GetSeparatePanel (), nullptr);
    EXPECT_NE (surface.CreateSeparatePanel (), nullptr);

    // Pages 1 and 2 come, page 3 fails, and a later page is made again.
    DG::FailCreation (DG::Creation::TabPage, 3);
    std::vector<std::unique_ptr<DG::TabPage>> pages;
    std::vector<bool> made;
    for (Int16 n = 1; n <= 4; ++n) {
        UD::IPanel* panel = set->AppendPanel ();
        try {
            pages.push_back (std::make_unique<DG::TabPage> (panel->GetTabControl (), 1, ButtonsPage));
            made.push_back (true);
        } catch (const DG::CreationFailure&) {
            made.push_back (false);
            EXPECT_EQ (panel->GetTabControl ().GetTabPage (1), nullptr);
        }
    }
    EXPECT_EQ (made, (std::vector<bool>{true, true, false, true}));

    DG::FailCreation (DG::Creation::Palette);
    DG::Palette failed (DG::Rect{0, 0, 300, 200}, paletteGuid);
    EXPECT_FALSE (failed.IsValid ());
    failed.Show ();
    EXPECT_FALSE (failed.IsVisible ());

    DG::FailCreation (DG::Creation::PanelSet);
    DG::ClearCreationFailures ();
    EXPECT_NE (surface.CreatePanelSet (), nullptr);
}

TEST_F (PaletteTest, APaletteRendersWithItsRollPanelsAndTheirPages)
{
    DG::Palette palette (DG::Rect{10, 10, 380, 417}, paletteGuid, DG::Dialog::HVGrow, DG::Dialog::CloseBox);
    palette.SetTitle ("Polygon census");
    EXPECT_EQ (palette.GetTitle ().ToStd (), "Polygon census");
    UD::RollDownSurface surface (palette);
    UD::IRollDownPanelSet* set = surface.CreatePanelSet ();
    UD::IPanel* storiesPanel = set->AppendPanel ();
    UD::IPanel* scopePanel = set->AppendPanel ();
    UD::IPanel* hiddenPanel = set->AppendPanel (UD::IPanel::StartsRolledUp);
    storiesPanel->SetTitle ("Stories: 1 to 12");
    scopePanel->SetTitle ("Scope");
    hiddenPanel->SetTitle ("List");
    DG::TabPage stories (storiesPanel->GetTabControl (), 1, StoriesPage);
    DG::TabPage scope (scopePanel->GetTabControl (), 1, ScopePage);
    DG::TabPage list (hiddenPanel->GetTabControl (), 1, ButtonsPage);
    DG::TabPage buttons (surface.CreateSeparatePanel ()->GetTabControl (), 1, ButtonsPage);

    DG::RadioButton (stories, 2).Select ();
    DG::IntEdit (stories, 3).SetValue (1);
    DG::IntEdit (stories, 5).SetValue (12);
    DG::RadioButton (scope, 1).Select ();
    DG::RadioButton (scope, 4).Select ();
    DG::PopUp level (scope, 3);
    for (const char* name : {"Low", "Detailed"}) {
        level.AppendItem ();
        level.SetItemText (level.GetItemCount (), name);
    }
    level.SelectItem (2);
    DG::Button (buttons, 1).Disable ();
    DG::RightText (buttons, 3).SetText ("Polygons: 5,120");

    EXPECT_EQ (DG::RenderPanel (palette), "== Polygon census ==\n"
                                          "-- Stories: 1 to 12 --\n"
                                          "( ) All stories\n"
                                          "(o) From  [1]  to  [12]\n"
                                          "-- Scope --\n"
                                          "(o) Selection  ( ) Whole model\n"
                                          "<Detailed>\n"
                                          "(o) Fast  ( ) Exact\n"
                                          "-- List (rolled up) --\n"
                                          "--\n"
                                          "[Select] (dimmed)  [Refresh]  Polygons: 5,120\n");
}

TEST_F (PaletteTest, HelpLocationsAreKeptPerDeveloperAndLocalIdentifier)
{
    const UInt32 developer = 0x56722F64, local = 0xA148817C;
    EXPECT_TRUE (DG::RegisterAdditionalHelpLocation (developer, local, IO::Location ("/help/one")));
    EXPECT_TRUE (DG::RegisterAdditionalHelpLocation (developer, 7, IO::Location ("/help/other")));
    EXPECT_TRUE (DG::RegisterAdditionalHelpLocation (developer, local, IO::Location ("/help/two")));
    std::vector<DG::HelpLocation> all = DG::GetAdditionalHelpLocations ();
    ASSERT_EQ (all.size (), 2u);
    EXPECT_EQ (all[0].localId, local);
    EXPECT_EQ (all[0].location.ToPath ().ToStd (), "/help/two") << "registering again replaces";

    EXPECT_TRUE (DG::UnregisterAdditionalHelpLocation (developer, local));
    EXPECT_FALSE (DG::UnregisterAdditionalHelpLocation (developer, local));
    all = DG::GetAdditionalHelpLocations ();
    ASSERT_EQ (all.size (), 1u);
    EXPECT_EQ (all[0].localId, 7u);
    DG::UnregisterAdditionalHelpLocation (developer, 7);
}

}   // namespace
