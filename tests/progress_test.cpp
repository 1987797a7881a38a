// The census's progress window and undo step: the bar's scale, the 0.1 s update interval, a
// cancel, host errors answered by a beep, and one undo step for the object's whole life.
// Time is a clock the test moves by hand.
#include "TestHost.h"

#include "census/ProgressBar.h"
#include "gs/Stopwatch.h"
#include "gs/SysBeep.h"
#include "host/ACAPI.h"

#include <vector>

namespace {

using TestSupport::AddonString;

double now = 0.0;
double TestClock ()
{
    return now;
}

// Steps of a sixteenth of a second add up exactly, so "less than 0.1 s" is never a rounding matter.
constexpr double Short = 0.0625;   // within the update interval
constexpr double Long = 0.125;     // past it

class ProgressTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        AddonTest::SetUp ();
        now = 100.0;
        GS::SetClockSource (&TestClock);
        beepsBefore = GS::BeepCount ();
    }
    void TearDown () override
    {
        GS::SetClockSource (nullptr);
        AddonTest::TearDown ();
    }
    UInt32 Beeps () const { return GS::BeepCount () - beepsBefore; }

    UInt32 beepsBefore = 0;
};

TEST_F (ProgressTest, WindowShowsTitleAndPhaseAndAnEmptyPhaseStillEndsWithOneBeep)
{
    {
        ProgressBar bar ("Counting");
        EXPECT_TRUE (host.progress.open);
        EXPECT_EQ (host.progress.title, "Counting");
        EXPECT_EQ (host.progress.phaseCount, 1);
        EXPECT_EQ (host.undoDepth, 1);

        bar.NextProcessPhase (0);
        EXPECT_EQ (host.progress.phaseText, AddonString (140, 3));
        EXPECT_EQ (host.progress.maximum, 0);
        EXPECT_EQ (host.progress.values, std::vector<Int32> ({0}));
        EXPECT_EQ (Beeps (), 0u);
    }
    EXPECT_FALSE (host.progress.open);
    EXPECT_EQ (host.undoDepth, 0);
    EXPECT_EQ (host.undoOperations, 1);
    EXPECT_EQ (Beeps (), 1u);
}

// Visits `count` elements; the clock passes the interval only before visit `mid` and the last
// one, so exactly those two reach the host. Answers the bar values the host received.
std::vector<Int32> VisitAll (HostSim::Host& host, Int32 count, Int32 mid)
{
    ProgressBar bar ("Counting");
    bar.NextProcessPhase (count);
    for (Int32 visit = 1; visit <= count; ++visit) {
        if (visit == mid || visit == count)
            now += Long;
        EXPECT_TRUE (bar.IncBarValue ());
    }
    return host.progress.values;
}

TEST_F (ProgressTest, LargePhasesAreScaledIntoTheSixteenBitBar)
{
    struct Case {
        Int32 count, maximum, mid, midValue, lastValue;
    };
    const Case cases[] = {
        {3, 3, 2, 2, 3},
        {32766, 32766, 100, 100, 32766},
        {32767, 32767, 100, 100, 32767},
        {2 * 32767, 32767, 32767, 16383, 32767},   // scale 0.5: 16383.5 truncated
        {40000, 32767, 20000, 16383, 32767},
        {100000, 32767, 50000, 16383, 32767},
    };
    for (const Case& c : cases) {
        const std::vector<Int32> values = VisitAll (host, c.count, c.mid);
        EXPECT_EQ (host.progress.maximum, c.maximum) << c.count;
        EXPECT_EQ (values, std::vector<Int32> ({0, c.midValue, c.lastValue})) << c.count;
    }
}

TEST_F (ProgressTest, VisitsWithinATenthOfASecondReachTheHostOnce)
{
    ProgressBar bar ("Counting");
    bar.NextProcessPhase (100);
    for (int i = 0; i < 5; ++i) {
        now += Short / 8;
        EXPECT_TRUE (bar.IncBarValue ());
    }
    EXPECT_EQ (host.progress.polls, 0) << "still within the interval";

    now += Long;
    EXPECT_TRUE (bar.IncBarValue ());
    EXPECT_EQ (host.progress.polls, 1);
    EXPECT_EQ (host.progress.values, std::vector<Int32> ({0, 6}));

    now += Short;
    EXPECT_TRUE (bar.IncBarValue ());
    EXPECT_EQ (host.progress.polls, 1) << "the interval counts from the last update";
    now += Short;
    EXPECT_TRUE (bar.IncBarValue ());
    EXPECT_EQ (host.progress.polls, 2);
    EXPECT_EQ (host.progress.values, std::vector<Int32> ({0, 6, 8}));
}

TEST_F (ProgressTest, CancelStopsAtTheNextPollAndBeepsTwiceInAll)
{
    host.progress.cancelAtPoll = 2;
    {
        ProgressBar bar ("Counting");
        bar.NextProcessPhase (10);
        now += Long;
        EXPECT_TRUE (bar.IncBarValue ()) << "the first poll is not cancelled";
        EXPECT_TRUE (bar.IncBarValue ()) << "within the interval the host is not asked";
        now += Long;
        EXPECT_FALSE (bar.IncBarValue ());
        EXPECT_EQ (Beeps (), 1u);
        EXPECT_EQ (host.progress.values, std::vector<Int32> ({0, 1})) << "no update after the cancel";
    }
    EXPECT_EQ (Beeps (), 2u);
    EXPECT_FALSE (host.progress.open);
    EXPECT_EQ (host.undoDepth, 0) << "a cancelled census still closes its undoable operation";

    ProgressBar next ("Counting");
    next.NextProcessPhase (10);
    now += Long;
    EXPECT_TRUE (next.IncBarValue ()) << "the cancel request was used up by the first window";
}

TEST_F (ProgressTest, HostErrorsAreOnlyBeepedAndTheWorkGoesOn)
{
    struct Case {
        const char* failing;
        UInt32 beepsAfterConstruction, beepsAfterPhase;
        bool windowOpen;
    };
    // Without a window the host refuses the phase and the value too, so a failed 'IPWD' beeps thrice.
    const Case cases[] = {
        {"IPWD", 1, 3, false},
        {"SPRP", 0, 1, true},
        {"SPRV", 0, 1, true},
    };
    for (const Case& c : cases) {
        host.failures.Clear ();
        host.failures.Fail (c.failing, APIERR_GENERAL);
        beepsBefore = GS::BeepCount ();
        {
            ProgressBar bar ("Counting");
            EXPECT_EQ (Beeps (), c.beepsAfterConstruction) << c.failing;
            EXPECT_EQ (host.progress.open, c.windowOpen) << c.failing;
            EXPECT_EQ (host.undoDepth, 1) << c.failing;
            bar.NextProcessPhase (4);
            EXPECT_EQ (Beeps (), c.beepsAfterPhase) << c.failing;
            for (int i = 0; i < 4; ++i) {
                now += Long;
                EXPECT_TRUE (bar.IncBarValue ()) << c.failing;
            }
            EXPECT_EQ (Beeps (), c.beepsAfterPhase) << c.failing << ": the update's answer is ignored";
        }
        EXPECT_EQ (Beeps (), c.beepsAfterPhase + 1) << c.failing;
        EXPECT_EQ (host.undoDepth, 0) << c.failing;
    }
}

TEST_F (ProgressTest, AFailingCancelPollCountsAsACancel)
{
    host.failures.Fail ("CANC", APIERR_GENERAL);
    ProgressBar bar ("Counting");
    bar.NextProcessPhase (4);
    now += Long;
    EXPECT_FALSE (bar.IncBarValue ());
}

// Two placements whose detail value the census changes, each change recorded the way the host
// records model changes.
class ProgressUndoTest : public ProgressTest {
public:
    void SetUp () override
    {
        ProgressTest::SetUp ();
        for (Int32 i = 1; i <= 2; ++i) {
            HostSim::Element door;
            door.type = 5;
            door.index = i;
            door.paramValues["LevelOfDetail"] = "Detailed";
            host.project.AddElement (door);
        }
    }
    void Change (Int32 index, const std::string& value)
    {
        std::string& slot = host.project.FindElement (5, index)->paramValues["LevelOfDetail"];
        host.RecordUndo ([index, old = slot] (HostSim::Project& project) {
            project.FindElement (5, index)->paramValues["LevelOfDetail"] = old;
        });
        slot = value;
    }
    std::string Value (Int32 index) { return host.project.FindElement (5, index)->paramValues["LevelOfDetail"]; }
};

TEST_F (ProgressUndoTest, ChangesDuringTheObjectsLifeAreOneUndoStep)
{
    {
        ProgressBar bar ("Counting");
        bar.NextProcessPhase (2);
        Change (1, "Simple");
        Change (2, "Block");
        Change (1, "Block");
        EXPECT_FALSE (host.Undo ()) << "no undo while the operation is open";
    }
    ASSERT_EQ (host.undoStack.size (), 1u);
    EXPECT_EQ (host.undoStack.back ().name, "");
    EXPECT_EQ (Value (1), "Block");

    EXPECT_TRUE (host.Undo ());
    EXPECT_EQ (Value (1), "Detailed");
    EXPECT_EQ (Value (2), "Detailed");
    EXPECT_TRUE (host.undoStack.empty ());
    EXPECT_FALSE (host.Undo ());
}

TEST_F (ProgressUndoTest, NestedOperationsAndEmptyOperations)
{
    {
        ProgressBar nothingChanged ("Counting");
    }
    EXPECT_TRUE (host.undoStack.empty ()) << "an operation that changed nothing leaves no step";

    ASSERT_EQ (ACAPI_OpenUndoableSession ("Change levels"), NoError);
    Change (1, "Simple");
    {
        ProgressBar bar ("Counting");
        EXPECT_EQ (host.undoDepth, 2);
        Change (2, "Simple");
    }
    ASSERT_EQ (ACAPI_CloseUndoableSession (), NoError);
    EXPECT_EQ (ACAPI_CloseUndoableSession (), APIERR_GENERAL) << "nothing left to close";
    ASSERT_EQ (host.undoStack.size (), 1u);
    EXPECT_EQ (host.undoStack.back ().name, "Change levels");

    Change (2, "Block");   // outside any operation: a step of its own
    EXPECT_EQ (host.undoStack.size (), 2u);
    EXPECT_TRUE (host.Undo ());
    EXPECT_EQ (Value (2), "Simple");
    EXPECT_TRUE (host.Undo ());
    EXPECT_EQ (Value (1), "Detailed");
    EXPECT_EQ (Value (2), "Detailed");
}

TEST (ProgressWindow, RendersTitlePhaseBarAndCounts)
{
    HostSim::ProgressWindow window;
    window.title = "Tessera";
    window.phaseText = "Visiting";
    window.maximum = 10;
    window.value = 5;
    EXPECT_EQ (window.Render (10), "Tessera: Visiting [#####     ] 5/10");
    window.value = 12;
    EXPECT_EQ (window.Render (4), "Tessera: Visiting [####] 10/10");
    window.maximum = 0;
    EXPECT_EQ (window.Render (4), "Tessera: Visiting [    ] 0/0");
}

}   // namespace
