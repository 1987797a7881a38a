// Library-part detail levels: finding a part's detail parameter and the levels it offers, bringing
// placements in line with the chosen level, and the host's library-part and parameter operations
// they rely on. Each test sets up one library part with placements in the host's project, the
// names table and a census row (as the census walk would), then checks the row and the project.
#include "TestHost.h"

#include "census/RefreshData.h"
#include "dg/RecordingAgent.h"
#include "gs/IOLocation.h"
#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"
#include "store/DetParNames.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::string>;

constexpr API_ElemTypeID Object = 5;
constexpr Int32 Chair = 1;   // library-part index

GS::Array<GS::String> Entry (const Texts& texts)
{
    GS::Array<GS::String> entry;
    for (const std::string& text : texts)
        entry.Push (GS::String (text));
    return entry;
}

// One library part, "Chair", whose second parameter "Detail" offers Fine, Medium and Coarse
// (default Fine), and three placements of it: holding Fine, Medium and the default.
class DetailLevelTest : public TestSupport::AddonTest {
public:
    void SetUp () override
    {
        AddonTest::SetUp ();
        Arrange ();
    }

    void TearDown () override
    {
        RefreshData::current = nullptr;
        detParNames.clear ();
        AddonTest::TearDown ();
    }

    // A fresh project, names table, census and message log; table tests call it for each case.
    void Arrange ()
    {
        host.project = HostSim::Project ();
        host.failures = HostSim::Failures ();
        HostSim::LibPart part;
        part.guid = "{CHAIR-0001}";
        part.name = "Chair";
        HostSim::ParamDef width;
        width.name = "Width";
        width.type = 2;
        width.number = 0.5;
        part.params.push_back (width);
        HostSim::ParamDef detail;
        detail.name = "Detail";
        detail.text = "Fine";
        detail.valueList = {"Fine", "Medium", "Coarse"};
        part.params.push_back (detail);
        host.project.AddLibPart (part);
        Place ("Fine");
        Place ("Medium");
        Place ("");

        detParNames.clear ();
        detParNames.emplace (OGSString ("Detail"), Entry ({"Fine", "Medium", "Coarse"}));
        censusOwner = std::make_unique<RefreshData> ();
        RefreshData::current = censusOwner.get ();
        AddRow (Object);
        messages.Clear ();
    }

    // A placement of the chair with its own Detail value (none when empty).
    void Place (const std::string& value)
    {
        HostSim::Element element;
        element.type = Object;
        element.libInd = Chair;
        if (!value.empty ())
            element.paramValues["Detail"] = value;
        host.project.AddElement (element);
    }

    HostSim::ParamDef& DetailDef () { return host.project.FindLibPart (Chair)->params[1]; }

    // The chair's row under a census type, added as the census does for a part's first placement.
    void AddRow (API_ElemTypeID censusType, RefreshData& into)
    {
        into.gsmT.Add (censusType, GS::HashTable<Int32, LibRow> ());
        into.gsmT.Get (censusType)
            .Add (Chair,
                  LibRow ("Chair", 0, 0, 5, GuidStr ("{CHAIR-0001}"), FFFTT (false, false, false, true, true), 3));
    }
    void AddRow (API_ElemTypeID censusType) { AddRow (censusType, *censusOwner); }

    LibRow& Row (API_ElemTypeID censusType = Object) { return censusOwner->gsmT.Get (censusType).Get (Chair); }

    // What the census does with the chair: look it up once, then visit every placement.
    void RunCensus (RefreshData& on)
    {
        on.SetDetLevNameAndValue (Chair, Object);
        VisitPlacements (on);
    }
    void RunCensus () { RunCensus (*censusOwner); }

    void VisitPlacements (RefreshData& on)
    {
        for (Int32 index = 1; index <= 3; ++index) {
            API_Element element{};
            element.header.typeID = Object;
            element.header.index = index;
            ASSERT_EQ (ACAPI_Element_Get (&element), NoError);
            on.ChangeElemDetLev (Object, Object, index, Chair, &element);
        }
    }

    // The Detail value each placement has in the project now.
    Texts Values ()
    {
        Texts values;
        for (Int32 index = 1; index <= 3; ++index) {
            const auto& own = host.project.FindElement (Object, index)->paramValues;
            auto it = own.find ("Detail");
            values.push_back (it != own.end () ? it->second : DetailDef ().text);
        }
        return values;
    }

    Int32 Calls (const char* operation) const { return host.failures.Calls (operation); }
    Int32 Writes () const { return host.failures.Calls ("ACAPI_Element_Change"); }

    // How often message `msgId` was shown (recognised by its first line), without its check box.
    Int32 MessagesShown (Int16 msgId) const
    {
        const std::string first = TestSupport::AddonString (msgId, 1);
        Int32 n = 0;
        for (const DG::ShownDialog& dialog : messages.Shown ())
            n += dialog.resourceId == 128 && dialog.ItemText (3) == first && !dialog.ItemVisible (5) ? 1 : 0;
        return n;
    }

    RefreshData& Census () { return *censusOwner; }

    std::unique_ptr<RefreshData> censusOwner;   // the census under test, current while it runs
    DG::RecordingAgent messages;
    DG::ScopedUserAgent agent{messages};
};

// ---- Which parameter, and which levels -------------------------------------------------------

TEST_F (DetailLevelTest, WithoutARecognisedDetailParameterTheRowKeepsFiveAndPlacementsAreNeverOpened)
{
    struct Case {
        const char* what;
        void (*arrange) (DetailLevelTest&);
    };
    const Case cases[] = {
        {"no parameter of the part is in the names",
         [] (DetailLevelTest&) {
             detParNames.clear ();
             detParNames.emplace (OGSString ("Finish"), Entry ({"Fine", "Medium", "Coarse"}));
         }},
        {"the named parameter is an array", [] (DetailLevelTest& t) { t.DetailDef ().typeMod = 1; }},
        {"the named parameter is not a text", [] (DetailLevelTest& t) { t.DetailDef ().type = 2; }},
        {"the part's parameters cannot be opened",
         [] (DetailLevelTest& t) { t.host.failures.Fail ("OPAR", APIERR_GENERAL, 1, 1); }},
        {"the part's parameter list cannot be read",
         [] (DetailLevelTest& t) { t.host.failures.Fail ("GPAR", APIERR_GENERAL, 1, 1); }},
    };
    for (const Case& c : cases) {
        Arrange ();
        Census ().storedDetLev.Add (Chair, 1);
        c.arrange (*this);
        RunCensus ();
        EXPECT_EQ (Row ().detLev, 5) << c.what;
        EXPECT_TRUE (Row ().avail == FFFTT (false, false, false, true, true)) << c.what;
        EXPECT_TRUE (Census ().detParName.IsEmpty ()) << c.what;
        EXPECT_TRUE (Census ().wantedDetValue.IsEmpty ()) << c.what;
        EXPECT_EQ (Calls ("OPAR"), 1) << c.what << ": only the part itself was opened";
        EXPECT_EQ (Calls ("CPAR"), 1) << c.what << ": closed on every path";
        EXPECT_EQ (Writes (), 0) << c.what;
        EXPECT_EQ (Values (), (Texts{"Fine", "Medium", "Fine"})) << c.what;
        EXPECT_FALSE (host.project.paramSession.open) << c.what;
    }
}

TEST_F (DetailLevelTest, AFoundPartWithNoStoredLevelKeepsItsPlacements)
{
    RunCensus ();
    EXPECT_EQ (Row ().detLev, 3);
    EXPECT_EQ (Census ().detParName.Get (Chair), GS::String ("Detail"));
    EXPECT_EQ (Census ().detParIndex.Get (Chair), 1);
    EXPECT_TRUE (Row ().avail == FFFTT (true, true, true, true, true));
    EXPECT_EQ (Calls ("OPAR"), 1);
    EXPECT_EQ (Writes (), 0);
    EXPECT_EQ (Values (), (Texts{"Fine", "Medium", "Fine"}));
}

TEST_F (DetailLevelTest, StoredLevelOneRewritesOnlyPlacementsHoldingAnotherText)
{
    Census ().storedDetLev.Add (Chair, 1);
    RunCensus ();
    EXPECT_EQ (Row ().detLev, 1);
    EXPECT_EQ (Census ().wantedDetValue.Get (Chair), GS::String ("Medium"));
    EXPECT_EQ (Values (), (Texts{"Medium", "Medium", "Medium"}));
    EXPECT_EQ (Writes (), 2) << "the placement already holding Medium is left alone";
    EXPECT_EQ (Calls ("CHGP"), 2);
    EXPECT_EQ (Calls ("OPAR"), 1 + 3);
    EXPECT_EQ (Calls ("CPAR"), 1 + 3);
    EXPECT_FALSE (host.project.paramSession.open);

    // The host answers the new value to a later reader.
    API_ParamOwnerType owner{};
    owner.typeID = Object;
    owner.index = 3;
    ASSERT_EQ (ACAPI_Goodies (APIAny_OpenParametersID, &owner), NoError);
    API_GetParamsType params{};
    ASSERT_EQ (ACAPI_Goodies (APIAny_GetActParametersID, &params), NoError);
    ASSERT_EQ (BMGetHandleSize (reinterpret_cast<GSHandle> (params.params)), 2 * sizeof (API_AddParType));
    EXPECT_STREQ ((*params.params)[1].name, "Detail");
    EXPECT_STREQ ((*params.params)[1].valueText, "Medium");
    ACAPI_DisposeAddParHdl (&params.params);
    EXPECT_EQ (params.params, nullptr);
    ACAPI_Goodies (APIAny_CloseParametersID);

    // A second census finds nothing left to do; an undo puts the first census's writes back.
    RefreshData next;
    AddRow (Object, next);
    next.storedDetLev.Add (Chair, 1);
    RunCensus (next);
    EXPECT_EQ (Writes (), 2);
    while (host.Undo ()) {
    }
    EXPECT_EQ (Values (), (Texts{"Fine", "Medium", "Fine"}));
}

TEST_F (DetailLevelTest, DefaultLevelFollowsTheProjectDefaultOnlyWhereThePartOffersIt)
{
    struct Case {
        Int16 defaultLevel;
        Texts offered;
        Int16 detLev;
        Texts values;
    };
    const Case cases[] = {
        {2, {"Fine", "Medium"}, 3, {"Fine", "Medium", "Fine"}},   // default not offered: keep
        {3, {"Fine", "Medium", "Coarse"}, 4, {"Fine", "Medium", "Fine"}},
        {1, {"Fine", "Medium", "Coarse"}, 4, {"Medium", "Medium", "Medium"}},
        {2, {"Coarse", "Fine"}, 4, {"Coarse", "Coarse", "Coarse"}},
        {7, {"Fine", "Medium", "Coarse"}, 3, {"Fine", "Medium", "Fine"}},   // no such level
        {-1, {"Fine", "Medium", "Coarse"}, 3, {"Fine", "Medium", "Fine"}},
    };
    for (const Case& c : cases) {
        Arrange ();
        Census ().defaultDetLev = c.defaultLevel;
        Census ().storedDetLev.Add (Chair, 4);
        DetailDef ().valueList = c.offered;
        RunCensus ();
        EXPECT_EQ (Row ().detLev, c.detLev) << "default " << c.defaultLevel;
        EXPECT_EQ (Values (), c.values) << "default " << c.defaultLevel;
    }
}

TEST_F (DetailLevelTest, TheFirstNamesEntryListingEveryOfferedTextDecides)
{
    detParNames.clear ();
    detParNames.emplace (OGSString ("Detail"), Entry ({"High", "Medium", "Low"}));
    detParNames.emplace (OGSString ("Detail"), Entry ({"Coarse", "Fine", "Medium"}));
    detParNames.emplace (OGSString ("Detail"), Entry ({"Fine", "Medium", "Coarse"}));
    Census ().storedDetLev.Add (Chair, 0);
    RunCensus ();
    EXPECT_EQ (Census ().wantedDetValue.Get (Chair), GS::String ("Coarse"));
    EXPECT_EQ (Values (), (Texts{"Coarse", "Coarse", "Coarse"}));
}

TEST_F (DetailLevelTest, LateEntryPositionsSetNoFlagAndNeverBecomeTheWantedText)
{
    detParNames.clear ();
    detParNames.emplace (OGSString ("Detail"), Entry ({"a", "b", "c", "d", "e", "f", "g"}));
    DetailDef ().text = "g";
    DetailDef ().valueList = {"g", "b", "e"};
    Census ().defaultDetLev = 1;
    Census ().storedDetLev.Add (Chair, 4);
    RunCensus ();
    EXPECT_TRUE (Row ().avail == FFFTT (false, true, false, true, true));
    EXPECT_EQ (Row ().detLev, 4);
    EXPECT_EQ (Census ().wantedDetValue.Get (Chair), GS::String ("b")) << "position 4 is no level";
    EXPECT_EQ (Values (), (Texts{"b", "b", "b"}));
}

// ---- Nothing to write -------------------------------------------------------------------------

TEST_F (DetailLevelTest, AChangeWithNoRecordedTextWritesNothing)
{
    struct Case {
        const char* what;
        Int16 stored;
        void (*arrange) (DetailLevelTest&);
        FFFTT avail;
    };
    const Case cases[] = {
        {"the part offers an empty value list", 0, [] (DetailLevelTest& t) { t.DetailDef ().valueList.clear (); },
         FFFTT (false, false, false, true, true)},
        {"the value list cannot be read", 0, [] (DetailLevelTest& t) { t.host.failures.Fail ("GPVL", APIERR_GENERAL); },
         FFFTT (false, false, false, true, true)},
        {"the level's text is not offered", 1,
         [] (DetailLevelTest& t) {
             t.DetailDef ().valueList = {"Fine", "Coarse"};
         },
         FFFTT (true, false, true, true, true)},
        {"the level stands for an empty text", 1,
         [] (DetailLevelTest& t) {
             detParNames.clear ();
             detParNames.emplace (OGSString ("Detail"), Entry ({"Fine", "", "Coarse"}));
             t.DetailDef ().valueList = {"Fine", "", "Coarse"};
         },
         FFFTT (true, true, true, true, true)},
        {"no names entry lists every offered text", 0,
         [] (DetailLevelTest& t) {
             t.DetailDef ().valueList = {"Fine", "Ultra"};
         },
         FFFTT (false, false, false, true, true)},
    };
    for (const Case& c : cases) {
        Arrange ();
        Census ().storedDetLev.Add (Chair, c.stored);
        c.arrange (*this);
        RunCensus ();
        EXPECT_EQ (Row ().detLev, c.stored) << c.what;
        EXPECT_TRUE (Row ().avail == c.avail) << c.what;
        EXPECT_FALSE (Census ().wantedDetValue.ContainsKey (Chair)) << c.what;
        EXPECT_EQ (Calls ("CHGP"), 0) << c.what;
        EXPECT_EQ (Writes (), 0) << c.what;
        EXPECT_EQ (Values (), (Texts{"Fine", "Medium", "Fine"})) << c.what;
    }
}

// ---- Messages ---------------------------------------------------------------------------------

TEST_F (DetailLevelTest, ADuplicatedValueTextRaisesMessage132EachTimeItIsCompared)
{
    detParNames.clear ();
    detParNames.emplace (OGSString ("Detail"), Entry ({"Fine", "Fine", "Coarse"}));   // no match: Medium missing
    detParNames.emplace (OGSString ("Detail"), Entry ({"Coarse", "Medium", "Fine", "Medium"}));
    Census ().storedDetLev.Add (Chair, 0);
    Census ().SetDetLevNameAndValue (Chair, Object);
    EXPECT_EQ (MessagesShown (132), 2) << "once in each entry that holds a duplicate";
    EXPECT_TRUE (Row ().avail == FFFTT (true, false, true, true, true)) << "the duplicate marks nothing";
    EXPECT_EQ (Census ().wantedDetValue.Get (Chair), GS::String ("Coarse"));

    AddRow (My_StairID);
    Census ().SetDetLevNameAndValue (Chair, My_StairID);
    EXPECT_EQ (MessagesShown (132), 4) << "never silenced";
    EXPECT_EQ (MessagesShown (133), 0);
}

TEST_F (DetailLevelTest, ARefusedPlacementChangeLeavesItAndIsShownOncePerCensus)
{
    Census ().storedDetLev.Add (Chair, 2);
    host.failures.Fail ("ACAPI_Element_Change", APIERR_REFUSED);
    RunCensus ();
    EXPECT_EQ (Writes (), 3);
    EXPECT_EQ (MessagesShown (133), 1);
    EXPECT_EQ (Values (), (Texts{"Fine", "Medium", "Fine"}));
    EXPECT_EQ (Calls ("CPAR"), 1 + 3);

    RefreshData next;
    AddRow (Object, next);
    next.storedDetLev.Add (Chair, 2);
    RunCensus (next);
    EXPECT_EQ (MessagesShown (133), 2) << "a new census tells the user again";

    host.failures.Clear ();
    VisitPlacements (next);
    EXPECT_EQ (Values (), (Texts{"Coarse", "Coarse", "Coarse"}));
    EXPECT_EQ (MessagesShown (133), 2);
}

TEST_F (DetailLevelTest, APlacementWhoseParametersCannotBeReadIsSkipped)
{
    Census ().storedDetLev.Add (Chair, 2);
    Census ().SetDetLevNameAndValue (Chair, Object);
    const Int32 closes = Calls ("CPAR");

    host.failures.Fail ("OPAR", APIERR_BADID, 1, 1);
    host.failures.Fail ("GPAR", APIERR_GENERAL, 1, 1);
    VisitPlacements (Census ());   // 1: not opened, 2: list unreadable, 3: changed
    EXPECT_EQ (Calls ("CPAR") - closes, 2) << "no close for a session that never opened";
    EXPECT_EQ (Values (), (Texts{"Fine", "Medium", "Coarse"}));
    EXPECT_EQ (MessagesShown (133), 0);
}

// ---- The host's library-part and parameter operations --------------------------------------

TEST_F (DetailLevelTest, LibraryPartsAreFoundByExactUniqueIdAndFetchedByIndex)
{
    API_LibPart part{};
    std::strcpy (part.ownUnID, "{CHAIR-0001}");
    ASSERT_EQ (ACAPI_LibPart_Search (&part, false), NoError);
    EXPECT_EQ (part.index, Chair);
    EXPECT_STREQ (part.docu_UName, "Chair");
    ASSERT_NE (part.location, nullptr);
    EXPECT_EQ (part.location->ToPath (), GS::String ("Library/Chair.libpart"));
    delete part.location;

    for (const char* missing : {"{chair-0001}", "{CHAIR-000}", ""}) {
        API_LibPart other{};
        std::strcpy (other.ownUnID, missing);
        EXPECT_EQ (ACAPI_LibPart_Search (&other, false), APIERR_NOTFOUND) << missing;
        EXPECT_EQ (other.location, nullptr) << missing;
    }
    API_LibPart unterminated{};
    std::memset (unterminated.ownUnID, 'x', sizeof unterminated.ownUnID);
    EXPECT_EQ (ACAPI_LibPart_Search (&unterminated, false), APIERR_BADPARS);

    API_LibPart byIndex{};
    byIndex.index = Chair;
    ASSERT_EQ (ACAPI_LibPart_Get (&byIndex), NoError);
    EXPECT_STREQ (byIndex.ownUnID, "{CHAIR-0001}");
    EXPECT_STREQ (byIndex.docu_UName, "Chair");
    ASSERT_NE (byIndex.location, nullptr);
    delete byIndex.location;
    byIndex.index = 2;
    EXPECT_EQ (ACAPI_LibPart_Get (&byIndex), APIERR_BADID);
    EXPECT_EQ (byIndex.location, nullptr);
}

TEST_F (DetailLevelTest, TheHostRefusesParameterChangesItCannotApply)
{
    HostSim::Element wall;
    wall.type = 1;
    host.project.AddElement (wall);

    API_ParamOwnerType owner{};
    owner.typeID = Object;
    owner.index = 1;
    ASSERT_EQ (ACAPI_Goodies (APIAny_OpenParametersID, &owner), NoError);
    API_GetParamsType params{};
    ASSERT_EQ (ACAPI_Goodies (APIAny_GetActParametersID, &params), NoError);

    API_Element element{};
    API_ElementMemo memo{};
    memo.params = params.params;
    element.header.typeID = 1;
    element.header.index = 1;
    EXPECT_EQ (ACAPI_Element_Change (&element, nullptr, &memo, APIMemoMask_AddPars, true), APIERR_REFUSED)
        << "a wall is no placement";
    element.header.typeID = Object;
    API_ElementMemo empty{};
    EXPECT_EQ (ACAPI_Element_Change (&element, nullptr, &empty, APIMemoMask_AddPars, true), APIERR_BADPARS)
        << "a memo without a list";
    std::strcpy ((*params.params)[1].name, "Colour");
    std::strcpy ((*params.params)[1].valueText, "Coarse");
    EXPECT_EQ (ACAPI_Element_Change (&element, nullptr, &memo, APIMemoMask_AddPars, true), APIERR_BADPARS)
        << "a parameter the part does not declare";
    EXPECT_EQ (Values (), (Texts{"Fine", "Medium", "Fine"}));

    // The value texts, and a change within the session that the host copies.
    API_GetParamValuesType values{};
    std::strcpy (values.name, "Detail");
    ASSERT_EQ (ACAPI_Goodies (APIAny_GetParamValuesID, &values), NoError);
    ASSERT_EQ (values.nVals, 3);
    ASSERT_EQ (BMGetHandleSize (values.strValues),
               std::strlen ("Fine") + std::strlen ("Medium") + std::strlen ("Coarse") + 3);
    EXPECT_EQ (std::string (*values.strValues, BMGetHandleSize (values.strValues)),
               std::string ("Fine\0Medium\0Coarse\0", 19));
    BMKillHandle (&values.strValues);
    BMKillHandle (&values.extra);

    API_ChangeParamType change{};
    std::strcpy (change.name, "Detail");
    change.uStrValue = new char[7];
    std::strcpy (change.uStrValue, "Coarse");
    EXPECT_EQ (ACAPI_Goodies (APIAny_ChangeAParameterID, &change), NoError);
    std::strcpy (change.uStrValue, "XXXXXX");   // the host kept a copy, not the add-on's memory
    std::strcpy (change.name, "Width");
    EXPECT_EQ (ACAPI_Goodies (APIAny_ChangeAParameterID, &change), APIERR_BADID) << "not a text";
    delete[] change.uStrValue;
    change.uStrValue = nullptr;
    EXPECT_EQ (ACAPI_Goodies (APIAny_ChangeAParameterID, &change), APIERR_BADPARS) << "no text";

    ACAPI_DisposeAddParHdl (&params.params);
    ASSERT_EQ (ACAPI_Goodies (APIAny_GetActParametersID, &params), NoError);
    EXPECT_STREQ ((*params.params)[1].valueText, "Coarse");
    EXPECT_EQ (Values (), (Texts{"Fine", "Medium", "Fine"})) << "a session change is not yet the placement's";
    ACAPI_DisposeAddParHdl (&params.params);
    ACAPI_Goodies (APIAny_CloseParametersID);
    EXPECT_EQ (ACAPI_Goodies (APIAny_GetActParametersID, &params), APIERR_GENERAL) << "no session open";
}

}   // namespace
