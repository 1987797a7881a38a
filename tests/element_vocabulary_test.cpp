// Element vocabulary and the small host helpers: kind names, census types, selection references,
// the hotlinked-module test, report lines, the alert sound and the menu check mark.
#include "TestHost.h"

#include "gs/SysBeep.h"
#include "host/ACAPI.h"
#include "shell/APICommon.h"

#include <cstring>

namespace {

using TestSupport::AddonString;

class VocabularyTest : public TestSupport::AddonTest {};

TEST_F (VocabularyTest, KindNamesComeFromListOneFiftyOneAndOutOfRangeIsQuestionMarks)
{
    EXPECT_STREQ (ElemID_To_Name (-1), "???");
    EXPECT_STREQ (ElemID_To_Name (34), "???");
    EXPECT_EQ (std::string (ElemID_To_Name (0)), AddonString (151, 1));
    EXPECT_EQ (std::string (ElemID_To_Name (33)), AddonString (151, 34));
    EXPECT_EQ (std::string (ElemID_To_Name (1)), AddonString (151, 2));
}

TEST_F (VocabularyTest, KindNamesFitTheirBufferAndRestoreTheResourceModule)
{
    for (API_ElemTypeID t = 0; t <= 33; ++t) {
        EXPECT_FALSE (AddonString (151, t + 1).empty ()) << t;
        EXPECT_LE (AddonString (151, t + 1).size (), 47u) << t;
    }
    const GSResModule before = ACAPI_UseOwnResModule ();
    ACAPI_ResetResModule (0);
    ElemID_To_Name (5);
    EXPECT_EQ (ACAPI_UseOwnResModule (), 0) << "the previous (none) module was restored";
    ACAPI_ResetResModule (before);
}

TEST_F (VocabularyTest, StairsCountUnderThirtyThreeAndAreNotLibraryPartKinds)
{
    API_Elem_Head head{};
    head.typeID = 6;
    head.variationID = API_StairVariation;
    EXPECT_EQ (CensusTypeOf (head), 33);
    head.variationID = 0;
    EXPECT_EQ (CensusTypeOf (head), 6);
    head.typeID = 5;
    head.variationID = API_StairVariation;
    EXPECT_EQ (CensusTypeOf (head), 5) << "only type 6 can be a stair";

    for (API_ElemTypeID t = -1; t <= 34; ++t)
        EXPECT_EQ (IsLibPartObject (t), t >= 4 && t <= 7) << t;
}

TEST_F (VocabularyTest, LibraryPartIndexOnlyForPlacements)
{
    API_Element element{};
    element.libInd = 42;
    element.header.typeID = 1;
    EXPECT_EQ (GetLibInd (&element), 0);
    element.header.typeID = 5;
    EXPECT_EQ (GetLibInd (&element), 42);
}

TEST_F (VocabularyTest, SelectionReferenceTable)
{
    struct Case {
        API_ElemTypeID type;
        bool mapped;
        Int32 kind;
        Int16 inIndex;
    };
    const Case cases[] = {
        {0, false, 0, 0},  {1, true, 1, 1},   {2, true, 5, 0},   {3, true, 6, 1},   {4, true, 10, 0},
        {5, true, 12, 0},  {6, true, 13, 1},  {7, true, 14, 1},  {8, true, 15, 1},  {9, true, 17, 1},
        {10, true, 20, 1}, {11, true, 26, 1}, {12, true, 27, 1}, {13, true, 28, 1}, {14, true, 30, 1},
        {15, true, 31, 1}, {16, true, 32, 1}, {17, true, 33, 1}, {18, true, 37, 1}, {19, true, 39, 1},
        {20, true, 41, 1}, {21, true, 43, 1}, {22, true, 45, 1}, {23, true, 47, 1}, {24, true, 49, 1},
        {25, true, 50, 1}, {26, true, 52, 1}, {27, false, 0, 0}, {28, false, 0, 0}, {29, false, 0, 0},
        {30, false, 0, 0}, {31, true, 56, 1}, {32, true, 57, 1}, {33, false, 0, 0}, {34, false, 0, 0},
        {-1, false, 0, 0},
    };
    for (const Case& c : cases) {
        API_Neig neig;
        neig.neigID = -7;
        neig.index = -7;
        neig.inIndex = -7;
        API_Elem_Head head{};
        head.typeID = c.type;
        head.index = 1000 + c.type;
        EXPECT_EQ (ElemHead_To_Neig (&neig, &head), c.mapped) << c.type;
        EXPECT_EQ (neig.index, 1000 + c.type) << "index copied even when unmapped: " << c.type;
        EXPECT_EQ (neig.neigID, c.mapped ? c.kind : -7) << c.type;
        EXPECT_EQ (neig.inIndex, c.mapped ? c.inIndex : -7) << c.type;
    }
}

// A wall inside placed module 1, which is a linked hotlinked-module copy.
class HotlinkTest : public VocabularyTest {
public:
    void SetUp () override
    {
        VocabularyTest::SetUp ();
        HostSim::Element module;
        module.type = 28;
        module.index = 1;
        module.moduleKind = 1;
        module.hotlinkFlag = true;
        module.hasLinkBlock = true;
        module.linkWord = 7;
        host.project.AddElement (module);
        wall.header.typeID = 1;
        wall.header.index = 1;
        wall.header.moduleInstanceInd = 1;
    }
    HostSim::Element& Module () { return *host.project.FindElement (28, 1); }
    API_Element wall{};
};

TEST_F (HotlinkTest, AllConditionsHoldingMeansHotlinked)
{
    EXPECT_TRUE (IsFromHotlinkModule (&wall));
    EXPECT_EQ (host.failures.Calls ("ACAPI_DisposeElemMemoHdls"), 1);
}

TEST_F (HotlinkTest, EachConditionFailingOnItsOwnMeansNotHotlinked)
{
    struct Case {
        const char* what;
        void (*spoil) (HotlinkTest&);
        bool memoRequested;
    };
    const Case cases[] = {
        {"no containing module", [] (HotlinkTest& t) { t.wall.header.moduleInstanceInd = 0; }, false},
        {"module cannot be read", [] (HotlinkTest& t) { t.host.failures.Fail ("ACAPI_Element_Get", APIERR_BADID); }, false},
        {"module of another kind", [] (HotlinkTest& t) { t.Module ().moduleKind = 2; }, false},
        {"head flag clear", [] (HotlinkTest& t) { t.Module ().hotlinkFlag = false; }, false},
        {"memo cannot be read", [] (HotlinkTest& t) { t.host.failures.Fail ("ACAPI_Element_GetMemo", APIERR_GENERAL); }, true},
        {"no link block", [] (HotlinkTest& t) { t.Module ().hasLinkBlock = false; }, true},
        {"link word zero", [] (HotlinkTest& t) { t.Module ().linkWord = 0; }, true},
    };
    for (const Case& c : cases) {
        HostSim::Element saved = Module ();
        API_Element savedWall = wall;
        const Int32 disposedBefore = host.failures.Calls ("ACAPI_DisposeElemMemoHdls");
        c.spoil (*this);
        EXPECT_FALSE (IsFromHotlinkModule (&wall)) << c.what;
        EXPECT_EQ (host.failures.Calls ("ACAPI_DisposeElemMemoHdls") - disposedBefore, c.memoRequested ? 1 : 0) << c.what;
        Module () = saved;
        wall = savedWall;
        host.failures.Clear ();
    }
    EXPECT_FALSE (IsFromHotlinkModule (nullptr));
}

TEST_F (VocabularyTest, ReportLinesKeepPercentSignsAndAreCutAtFiveHundredEleven)
{
    WriteReport ("%s", "100% of 50%d");
    const std::string longLine (600, 'x');
    WriteReport ("%s", longLine.c_str ());
    ASSERT_EQ (host.report.size (), 2u);
    EXPECT_EQ (host.report[0], "100% of 50%d");
    EXPECT_EQ (host.report[1], std::string (511, 'x'));
}

TEST_F (VocabularyTest, MenuCheckMarkKeepsTheOtherFlagBits)
{
    host.menuItemFlags[{32500, 1}] = 0x11;
    SetMenuItemState (true);
    SetMenuItemState (true);
    EXPECT_EQ ((host.menuItemFlags[{32500, 1}]), 0x13);
    SetMenuItemState (false);
    EXPECT_EQ ((host.menuItemFlags[{32500, 1}]), 0x11);
}

TEST_F (VocabularyTest, BeepSoundsOnce)
{
    const UInt32 before = GS::BeepCount ();
    BeepSound ();
    EXPECT_EQ (GS::BeepCount (), before + 1);
}

}   // namespace
