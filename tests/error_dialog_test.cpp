// The add-on's error dialog: its two forms, the do-not-show check box, the resource texts of the
// add-on's messages, and that it is found and closes whatever module and agent the caller has.
#include "TestHost.h"

#include "dg/Driver.h"
#include "dg/RecordingAgent.h"
#include "host/ACAPI.h"
#include "rsrc/ResourceModules.h"
#include "store/Dlg_ErrorMessage.h"

namespace {

using TestSupport::AddonString;

enum : Int16 { Button = 1, Icon = 2, Line1 = 3, Line2 = 4, CheckBox = 5 };

class ErrorDialogTest : public TestSupport::AddonTest {
protected:
    void SetUp () override
    {
        AddonTest::SetUp ();
        previousAgent = DG::SetUserAgent (&agent);
    }
    void TearDown () override
    {
        DG::SetUserAgent (previousAgent);
        AddonTest::TearDown ();
    }

    DG::RecordingAgent agent;
    DG::UserAgent* previousAgent = nullptr;
};

TEST_F (ErrorDialogTest, CodeFormShowsTheCodeAsSignedDecimalAndNoCheckBox)
{
    agent.Queue (DG::Answer::Check (CheckBox));
    Dlg_ErrorMessage dialog (static_cast<Int32> (0x81060196), "TesseraModuleData, ReadValues ()");
    EXPECT_FALSE (dialog.Invoke ());
    ASSERT_EQ (agent.Shown ().size (), 1u);
    const DG::ShownDialog& shown = agent.Shown ()[0];
    EXPECT_EQ (shown.resourceId, 128);
    EXPECT_EQ (shown.ItemText (Line1), "-2130312810");
    EXPECT_EQ (shown.ItemText (Line2), "TesseraModuleData, ReadValues ()");
    EXPECT_TRUE (shown.ItemVisible (Button));
    EXPECT_TRUE (shown.ItemVisible (Icon));
    EXPECT_FALSE (shown.ItemVisible (CheckBox));
    EXPECT_EQ (shown.refused.size (), 1u) << "a hidden box cannot be ticked";

    Dlg_ErrorMessage nullText (-1, nullptr);
    EXPECT_FALSE (nullText.Invoke ());
    EXPECT_EQ (agent.Shown ().back ().ItemText (Line1), "-1");
    EXPECT_EQ (agent.Shown ().back ().ItemText (Line2), "");
}

TEST_F (ErrorDialogTest, MessageOneThirtyFourAnswersWhetherTheBoxWasTicked)
{
    struct Case {
        std::vector<DG::Answer> answers;
        bool expected;
    };
    const Case cases[] = {
        {{DG::Answer::Check (CheckBox)}, true},
        {{}, false},
        {{DG::Answer::Check (CheckBox), DG::Answer::Uncheck (CheckBox)}, false},
        {{DG::Answer::Check (CheckBox), DG::Answer::CloseBox ()}, false},   // closed without the button
    };
    for (const Case& c : cases) {
        agent.Clear ();
        for (const DG::Answer& a : c.answers)
            agent.Queue (a);
        Dlg_ErrorMessage dialog (134, true);
        EXPECT_EQ (dialog.Invoke (), c.expected);
        ASSERT_EQ (agent.Shown ().size (), 1u);
        EXPECT_TRUE (agent.Shown ()[0].ItemVisible (CheckBox));
        EXPECT_FALSE (agent.Shown ()[0].ItemChecked (CheckBox)) << "starts unticked";
        EXPECT_TRUE (agent.Shown ()[0].refused.empty ());
    }
}

TEST_F (ErrorDialogTest, EveryMessageHasTwoLinesAndOnlyAskedForBoxesShow)
{
    for (Int16 msg = 130; msg <= 134; ++msg) {
        EXPECT_FALSE (AddonString (msg, 1).empty ()) << msg;
        EXPECT_FALSE (AddonString (msg, 2).empty ()) << msg;
        EXPECT_LE (AddonString (msg, 1).size (), 255u) << msg;
        EXPECT_LE (AddonString (msg, 2).size (), 255u) << msg;

        agent.Clear ();
        agent.Queue (DG::Answer::Check (CheckBox));
        Dlg_ErrorMessage dialog (msg, msg == 134);
        EXPECT_EQ (dialog.Invoke (), msg == 134) << msg;
        ASSERT_EQ (agent.Shown ().size (), 1u);
        const DG::ShownDialog& shown = agent.Shown ()[0];
        EXPECT_EQ (shown.ItemText (Line1), AddonString (msg, 1)) << msg;
        EXPECT_EQ (shown.ItemText (Line2), AddonString (msg, 2)) << msg;
        EXPECT_EQ (shown.ItemVisible (CheckBox), msg == 134) << msg;
    }
}

TEST_F (ErrorDialogTest, AMissingMessageShowsEmptyLinesNotThePreviousOnes)
{
    {
        Dlg_ErrorMessage first (131, false);
        first.Invoke ();
    }
    Dlg_ErrorMessage missing (999, false);
    EXPECT_FALSE (missing.Invoke ());
    ASSERT_EQ (agent.Shown ().size (), 2u);
    EXPECT_EQ (agent.Shown ()[1].ItemText (Line1), "");
    EXPECT_EQ (agent.Shown ()[1].ItemText (Line2), "");
}

TEST_F (ErrorDialogTest, BuiltFromTheAddonsResourcesWhateverModuleIsActive)
{
    const GSResModule before = RSRC::SetActiveModule (0);
    {
        Dlg_ErrorMessage code (5, "place");
        EXPECT_TRUE (code.IsValid ());
        EXPECT_EQ (RSRC::GetActiveModule (), 0) << "the caller's module is back after building";
        Dlg_ErrorMessage numbered (130, false);
        EXPECT_TRUE (numbered.IsValid ());
        EXPECT_EQ (RSRC::GetActiveModule (), 0);
        code.Invoke ();
        numbered.Invoke ();
    }
    ASSERT_EQ (agent.Shown ().size (), 2u);
    EXPECT_EQ (agent.Shown ()[1].ItemText (Line1), AddonString (130, 1));

    // When the host will not switch modules, the dialog is invalid: nothing shows, nothing breaks.
    host.failures.Fail ("ACAPI_UseOwnResModule", APIERR_GENERAL);
    Dlg_ErrorMessage unreachable (131, false);
    EXPECT_FALSE (unreachable.IsValid ());
    EXPECT_FALSE (unreachable.Invoke ());
    EXPECT_EQ (agent.Shown ().size (), 2u);
    RSRC::SetActiveModule (before);
}

TEST_F (ErrorDialogTest, WithoutAgentItClosesByItsButton)
{
    DG::SetUserAgent (nullptr);
    Dlg_ErrorMessage unticked (134, true);
    EXPECT_FALSE (unticked.Invoke ());

    // The button reads the box: a box ticked beforehand makes the button's close an accept.
    Dlg_ErrorMessage ticked (134, true);
    DG::Driver (ticked).SetCheck (CheckBox, true);
    EXPECT_TRUE (ticked.Invoke ());
}

TEST_F (ErrorDialogTest, ReadsAsTheUserSeesIt)
{
    Dlg_ErrorMessage dialog (134, true);
    dialog.Invoke ();
    ASSERT_EQ (agent.Shown ().size (), 1u);
    EXPECT_EQ (agent.Shown ()[0].rendered, "== Tessera ==\n(!)  " + AddonString (134, 1) + "\n" + AddonString (134, 2) +
                                               "\n[ ] Do not show this message again\n[OK]\n");
}

}   // namespace
