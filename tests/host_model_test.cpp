// The stand-in host's stories, windows, databases, selection and 3D model, called the way the
// add-on calls them and checked against the project model.
#include "TestHost.h"

#include "gs/MemoryHandle.h"
#include "host/ACAPI.h"
#include "shell/APICommon.h"

#include <optional>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<API_ElemTypeID, Int32>>;

class HostModelTest : public TestSupport::AddonTest {
public:
    HostSim::Element& Add (API_ElemTypeID type, std::vector<Int32> bodies = {})
    {
        HostSim::Element element;
        element.type = type;
        element.bodies = std::move (bodies);
        return host.project.AddElement (element);
    }

    // Sum of the element's body polygons as the add-on reads them; nothing when it has no model.
    std::optional<Int64> Polygons (API_ElemTypeID type, Int32 index)
    {
        API_ElemInfo3D info{};
        if (ACAPI_Element_Get3DInfo (type, index, &info) != NoError)
            return std::nullopt;
        Int64 sum = 0;
        for (Int32 b = info.fbody; b <= info.lbody; ++b) {
            API_Component3D component{API_BodyComponentKind, b, 0};
            EXPECT_EQ (ACAPI_3D_GetComponent (&component), NoError) << b;
            sum += component.nPgon;
        }
        return sum;
    }

    // The references of the current selection, and the answer of the query.
    GSErrCode GetSelection (API_SelectionInfo& info, std::vector<API_Neig>& refs, bool onlyEditable = false)
    {
        API_Neig** neigs = nullptr;
        const GSErrCode err = ACAPI_Selection_Get (&info, &neigs, onlyEditable);
        refs.clear ();
        if (neigs != nullptr) {
            EXPECT_EQ (BMGetHandleSize (reinterpret_cast<GSHandle> (neigs)), info.sel_nElem * sizeof (API_Neig));
            refs.assign (*neigs, *neigs + info.sel_nElem);
        }
        GSHandle block = reinterpret_cast<GSHandle> (neigs);
        BMKillHandle (&block);
        BMKillHandle (&info.marquee);
        return err;
    }

    // Hands `refs` to ACAPI_Element_Select in a block, as the add-on does.
    GSErrCode SelectRefs (const std::vector<API_Neig>& refs, bool add, Int32 count = -1)
    {
        GSHandle block = BMAllocateHandle (refs.size () * sizeof (API_Neig));
        std::copy (refs.begin (), refs.end (), reinterpret_cast<API_Neig*> (*block));
        const GSErrCode err = ACAPI_Element_Select (reinterpret_cast<API_Neig**> (block),
                                                    count < 0 ? static_cast<Int32> (refs.size ()) : count, add);
        BMKillHandle (&block);
        return err;
    }

    static API_Neig Ref (API_ElemTypeID type, Int32 index)
    {
        API_Neig neig{};
        API_Elem_Head head{};
        head.typeID = type;
        head.index = index;
        EXPECT_TRUE (ElemHead_To_Neig (&neig, &head)) << type;
        return neig;
    }
};

TEST_F (HostModelTest, StoriesAreAnsweredFromTheProjectAndOnlyKnownStoriesBecomeCurrent)
{
    host.project.stories = {{-1, "cellar", -3.0}, {0, "ground", 0.0}, {1, "first", 3.0}};
    host.project.skipNullFloor = true;
    host.project.currentStory = 0;
    API_StoryInfo info{};
    ASSERT_EQ (ACAPI_Environment (APIEnv_GetStorySettingsID, &info), NoError);
    EXPECT_EQ (info.firstStory, -1);
    EXPECT_EQ (info.lastStory, 1);
    EXPECT_EQ (info.actStory, 0);
    EXPECT_EQ (info.skipNullFloor, 1);
    ASSERT_EQ (BMGetHandleSize (info.data), 3 * sizeof (API_StoryType));
    const auto* stories = reinterpret_cast<const API_StoryType*> (*info.data);
    EXPECT_EQ (stories[0].index, -1);
    EXPECT_EQ (stories[2].level, 3.0);
    BMKillHandle (&info.data);

    API_StoryCmdType cmd{0, 1, 0};
    EXPECT_EQ (ACAPI_Environment (APIEnv_ChangeStorySettingsID, &cmd), NoError);
    EXPECT_EQ (host.project.currentStory, 1);
    cmd.index = 2;
    EXPECT_NE (ACAPI_Environment (APIEnv_ChangeStorySettingsID, &cmd), NoError);
    cmd = {5, -1, 0};
    EXPECT_NE (ACAPI_Environment (APIEnv_ChangeStorySettingsID, &cmd), NoError) << "unknown action";
    EXPECT_EQ (host.project.currentStory, 1);

    host.failures.Fail ("GSTO", APIERR_GENERAL);
    EXPECT_EQ (ACAPI_Environment (APIEnv_GetStorySettingsID, &info), APIERR_GENERAL);
}

TEST_F (HostModelTest, WindowsAndDatabasesAreTheProjectsAndChangeOnRequest)
{
    host.project.currentWindow = 1;
    host.project.currentDatabase = {3, 7};
    API_WindowInfo window{};
    ASSERT_EQ (ACAPI_Database (APIDb_GetCurrentWindowID, &window), NoError);
    EXPECT_EQ (window.typeID, 1);
    window.typeID = 4;
    EXPECT_EQ (ACAPI_Automate (APIDo_ChangeWindowID, &window), NoError);
    EXPECT_EQ (host.project.currentWindow, 4);
    window.typeID = 0;
    EXPECT_EQ (ACAPI_Automate (APIDo_ChangeWindowID, &window), APIERR_BADPARS);
    EXPECT_EQ (host.project.currentWindow, 4);

    API_DatabaseInfo database{};
    ASSERT_EQ (ACAPI_Database (APIDb_GetCurrentDatabaseID, &database), NoError);
    EXPECT_EQ (database.typeID, 3);
    EXPECT_EQ (database.index, 7);
    database = {1, 2};
    EXPECT_EQ (ACAPI_Database (APIDb_ChangeCurrentDatabaseID, &database), NoError);
    EXPECT_EQ (host.project.currentDatabase.typeID, 1);
    EXPECT_EQ (host.project.currentDatabase.index, 2);
    database = {0, 0};
    EXPECT_EQ (ACAPI_Database (APIDb_ChangeCurrentDatabaseID, &database), APIERR_BADPARS);
    EXPECT_EQ (ACAPI_Database (APIDb_ChangeCurrentDatabaseID, nullptr), APIERR_BADPARS);
    EXPECT_EQ (host.project.currentDatabase.typeID, 1);
}

TEST_F (HostModelTest, ReferenceKindsConvertBackToTheirElementTypes)
{
    for (API_ElemTypeID type = 0; type <= 34; ++type) {
        API_Elem_Head head{};
        head.typeID = type;
        API_Neig neig{};
        if (!ElemHead_To_Neig (&neig, &head))
            continue;
        Int32 kind = neig.neigID;
        API_ElemTypeID answer = -1;
        EXPECT_EQ (ACAPI_Goodies (APIAny_NeigIDToElemTypeID, &kind, &answer), NoError) << type;
        EXPECT_EQ (answer, type);
    }
    for (Int32 kind : {0, 2, 3, 58, -1}) {
        API_ElemTypeID answer = -1;
        EXPECT_EQ (ACAPI_Goodies (APIAny_NeigIDToElemTypeID, &kind, &answer), APIERR_BADPARS) << kind;
        EXPECT_EQ (answer, -1);
    }
}

TEST_F (HostModelTest, SelectionQueryAnswersKindCountAndReferencesOfLiveElements)
{
    API_SelectionInfo info{};
    std::vector<API_Neig> refs;
    EXPECT_EQ (GetSelection (info, refs), APIERR_NOSEL);
    EXPECT_EQ (info.typeID, 0);
    EXPECT_TRUE (refs.empty ());

    Add (1);
    Add (1).ownWorkspace = false;
    Add (5);
    Add (28);                                                                             // no reference kind
    host.project.selection = {1, false, {{5, 1}, {1, 2}, {1, 1}, {28, 1}, {1, 9}}, {}};   // (1, 9) is gone
    ASSERT_EQ (GetSelection (info, refs), NoError);
    EXPECT_EQ (info.typeID, 1);
    EXPECT_EQ (info.sel_nElem, 3);
    ASSERT_EQ (refs.size (), 3u);
    EXPECT_EQ (refs[0].neigID, 12);
    EXPECT_EQ (refs[0].index, 1);
    EXPECT_EQ (refs[0].inIndex, 0);
    EXPECT_EQ (refs[1].neigID, 1);
    EXPECT_EQ (refs[1].index, 2);
    EXPECT_EQ (refs[1].inIndex, 1);
    ASSERT_EQ (GetSelection (info, refs, true), NoError);
    EXPECT_EQ (info.sel_nElem, 2) << "only editable elements when asked";

    host.project.selection = {1, false, {{28, 1}}, {}};
    EXPECT_EQ (GetSelection (info, refs), APIERR_NOSEL) << "nothing selectable is nothing selected";

    host.project.selection = {3, true, {{1, 1}}, {{0, 0}, {2, 0}, {2, 2}}};
    API_Neig** neigs = nullptr;
    ASSERT_EQ (ACAPI_Selection_Get (&info, &neigs, false), NoError);
    EXPECT_EQ (info.typeID, 3);
    EXPECT_EQ (info.multiStory, 1);
    ASSERT_EQ (BMGetHandleSize (info.marquee), 6 * sizeof (double));
    EXPECT_EQ (reinterpret_cast<const double*> (*info.marquee)[4], 2.0);
    BMKillHandle (&info.marquee);
    GSHandle block = reinterpret_cast<GSHandle> (neigs);
    BMKillHandle (&block);

    host.project.selection = {2, false, {}, {}};
    EXPECT_EQ (GetSelection (info, refs), NoError) << "an empty marquee is still a marquee";
    EXPECT_EQ (info.typeID, 2);
    EXPECT_EQ (info.sel_nElem, 0);
}

TEST_F (HostModelTest, SelectingAddsAndRemovesElementsAndAMarqueeStaysAMarquee)
{
    for (int i = 0; i < 3; ++i)
        Add (1);
    Add (6);
    ASSERT_EQ (SelectRefs ({Ref (6, 1), Ref (1, 2), Ref (6, 1)}, true), NoError);
    EXPECT_EQ (host.project.selection.kind, 1);
    EXPECT_EQ (host.project.selection.elements, (Pairs{{6, 1}, {1, 2}}));
    ASSERT_EQ (SelectRefs ({Ref (1, 3), Ref (1, 2)}, true), NoError);
    EXPECT_EQ (host.project.selection.elements, (Pairs{{6, 1}, {1, 2}, {1, 3}}));
    ASSERT_EQ (SelectRefs ({Ref (1, 2), Ref (1, 1)}, false), NoError);
    EXPECT_EQ (host.project.selection.elements, (Pairs{{6, 1}, {1, 3}}));
    ASSERT_EQ (SelectRefs ({Ref (1, 3), Ref (6, 1)}, false), NoError);
    EXPECT_EQ (host.project.selection.kind, 0);

    host.project.selection = {2, true, {{1, 1}}, {}};
    ASSERT_EQ (SelectRefs ({Ref (1, 1)}, false), NoError);
    EXPECT_EQ (host.project.selection.kind, 2);
    EXPECT_TRUE (host.project.selection.multiStory);
    EXPECT_TRUE (host.project.selection.elements.empty ());
}

TEST_F (HostModelTest, SelectingABadReferenceChangesNothing)
{
    Add (1);
    Add (1);
    host.project.selection = {1, false, {{1, 1}}, {}};
    API_Neig unknownKind = Ref (1, 2);
    unknownKind.neigID = 2;
    struct Case {
        const char* what;
        std::vector<API_Neig> refs;
        Int32 count;
    };
    const Case cases[] = {
        {"missing element", {Ref (1, 2), Ref (1, 7)}, -1},
        {"unknown kind", {Ref (1, 2), unknownKind}, -1},
        {"count beyond the block", {Ref (1, 2)}, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ (SelectRefs (c.refs, true, c.count), APIERR_BADPARS) << c.what;
        EXPECT_EQ (host.project.selection.elements, (Pairs{{1, 1}})) << c.what;
    }
    EXPECT_EQ (ACAPI_Element_Select (nullptr, -1, true), APIERR_BADPARS);
    EXPECT_EQ (ACAPI_Element_Select (nullptr, 1, false), APIERR_BADPARS);
    EXPECT_EQ (host.project.selection.elements, (Pairs{{1, 1}}));
}

// A part whose polygons follow its "lod" parameter: "fine" 2 bodies, "coarse" 1; others fixed.
class PlacementModelTest : public HostModelTest {
public:
    void SetUp () override
    {
        HostModelTest::SetUp ();
        HostSim::LibPart part;
        part.guid = "{A}";
        part.name = "Chair";
        HostSim::ParamDef lod;
        lod.name = "lod";
        lod.text = "fine";
        part.params = {lod};
        part.detailParam = "lod";
        part.bodiesByValue = {{"fine", {100, 50}}, {"coarse", {10}}};
        part.bodies = {7};
        libInd = host.project.AddLibPart (part).index;
    }

    HostSim::Element& Place (API_ElemTypeID type)
    {
        HostSim::Element& element = Add (type);
        element.libInd = libInd;
        return element;
    }

    Int32 libInd = 0;
};

TEST_F (PlacementModelTest, PlacementPolygonsFollowTheirDetailValue)
{
    Place (5);
    Place (5).paramValues["lod"] = "coarse";
    Place (5).paramValues["lod"] = "unlisted";
    Place (6).bodies = {1000};   // a placement's own bodies do not count
    EXPECT_EQ (Polygons (5, 1), 150) << "the part's default value";
    EXPECT_EQ (Polygons (5, 2), 10);
    EXPECT_EQ (Polygons (5, 3), 7) << "a value without its own bodies takes the fixed ones";
    EXPECT_EQ (Polygons (6, 1), 150);

    host.project.FindElement (5, 1)->paramValues["lod"] = "coarse";
    EXPECT_EQ (Polygons (5, 1), 10) << "a changed value shows at the next query";
    host.project.libParts[0].params[0].text = "coarse";
    EXPECT_EQ (Polygons (6, 1), 10);
    host.project.libParts[0].detailParam.clear ();
    EXPECT_EQ (Polygons (5, 2), 7) << "no detail parameter: fixed bodies";
}

TEST_F (PlacementModelTest, ElementsWithoutAModelFailAndBodilessOnesHaveAnEmptyRange)
{
    Add (1, {4, 6});
    Add (2).has3D = false;
    Add (3);
    Place (7).has3D = false;
    Place (4).libInd = 99;
    EXPECT_EQ (Polygons (1, 1), 10);
    EXPECT_EQ (Polygons (2, 1), std::nullopt);
    EXPECT_EQ (Polygons (7, 1), std::nullopt);
    EXPECT_EQ (Polygons (4, 1), std::nullopt) << "library part gone";
    EXPECT_EQ (Polygons (1, 5), std::nullopt) << "no such element";
    API_ElemInfo3D info{};
    ASSERT_EQ (ACAPI_Element_Get3DInfo (3, 1, &info), NoError);
    EXPECT_LT (info.lbody, info.fbody);
}

TEST_F (PlacementModelTest, OnlyTheBodiesOfTheModelBuiltLastCanBeRead)
{
    Add (1, {4, 6});
    Add (1, {9});
    API_ElemInfo3D first{}, second{};
    ASSERT_EQ (ACAPI_Element_Get3DInfo (1, 1, &first), NoError);
    ASSERT_EQ (ACAPI_Element_Get3DInfo (1, 2, &second), NoError);
    EXPECT_EQ (first.lbody - first.fbody, 1);
    EXPECT_EQ (second.lbody, second.fbody);
    EXPECT_GT (second.fbody, first.lbody) << "each model gets fresh numbers";

    API_Component3D component{API_BodyComponentKind, second.fbody, 0};
    ASSERT_EQ (ACAPI_3D_GetComponent (&component), NoError);
    EXPECT_EQ (component.nPgon, 9);
    for (Int32 stale : {first.fbody, first.lbody, second.lbody + 1}) {
        component = {API_BodyComponentKind, stale, -1};
        EXPECT_EQ (ACAPI_3D_GetComponent (&component), APIERR_BADID) << stale;
        EXPECT_EQ (component.nPgon, -1);
    }
    component = {2, second.fbody, 0};
    EXPECT_EQ (ACAPI_3D_GetComponent (&component), APIERR_BADPARS) << "only bodies";

    host.project.FindElement (1, 2)->bodies.clear ();
    component = {API_BodyComponentKind, second.fbody, -1};
    EXPECT_EQ (ACAPI_3D_GetComponent (&component), APIERR_BADID) << "the model changed since it was built";

    ASSERT_EQ (ACAPI_Element_Get3DInfo (1, 1, &first), NoError);
    host.failures.Fail ("ACAPI_Element_Get3DInfo", APIERR_GENERAL);
    EXPECT_EQ (ACAPI_Element_Get3DInfo (1, 1, &second), APIERR_GENERAL);
    host.failures.Fail ("ACAPI_3D_GetComponent", APIERR_GENERAL);
    component = {API_BodyComponentKind, first.fbody, 0};
    EXPECT_EQ (ACAPI_3D_GetComponent (&component), APIERR_GENERAL);
}

}   // namespace

namespace {

// An element's body counts live in the element up to four, on the heap beyond: every way of
// filling, copying and moving them keeps the counts, and copies are independent.
TEST (BodyCounts, HeldAndHeapCountsSurviveCopiesMovesAndGrowth)
{
    for (const std::vector<Int32>& counts : {std::vector<Int32> {}, std::vector<Int32> {7},
                                             std::vector<Int32> {1, 2, 3, 4}, std::vector<Int32> {1, 2, 3, 4, 5, 6, 7, 8, 9}}) {
        HostSim::BodyCounts grown;
        for (Int32 n : counts)
            grown.push_back (n);
        HostSim::BodyCounts assigned;
        assigned = counts;
        EXPECT_TRUE (grown == counts && assigned == counts) << counts.size ();

        HostSim::BodyCounts copy (grown);
        HostSim::BodyCounts moved (std::move (grown));
        EXPECT_TRUE (moved == counts && copy == counts);
        EXPECT_TRUE (grown.empty ()) << "a moved-from list is empty";
        if (!counts.empty ()) {
            copy[0] = -1;
            EXPECT_EQ (moved[0], counts[0]) << "a copy owns its counts";
        }
        HostSim::BodyCounts shorter = {5};
        shorter = std::move (moved);
        EXPECT_EQ (shorter.ToVector (), counts);
        shorter = {1, 2};
        EXPECT_EQ (shorter.ToVector (), (std::vector<Int32> {1, 2}));
    }
}


// A placement's own values take a pointer until the first is set: an empty set reads as an empty
// map everywhere, and setting, copying and comparing behave as the map itself.
TEST (ParamValues, EmptySetsReadAsEmptyMapsAndCopiesAreIndependent)
{
    HostSim::ParamValues values;
    const HostSim::ParamValues& read = values;
    EXPECT_TRUE (read.empty ());
    EXPECT_TRUE (read.find ("lod") == read.end ());
    EXPECT_TRUE (values.find ("lod") == values.end ());
    EXPECT_EQ (read.count ("lod"), 0u);
    EXPECT_THROW (read.at ("lod"), std::out_of_range);
    EXPECT_TRUE (values == HostSim::ParamValues::Map ());

    values["lod"] = "Coarse";
    HostSim::ParamValues copy = values;
    copy["lod"] = "Fine";
    EXPECT_EQ (values.at ("lod"), "Coarse") << "a copy owns its values";
    const HostSim::ParamValues::Map asMap = values;
    EXPECT_TRUE (asMap == values && values != copy);
    EXPECT_EQ (values.find ("lod")->second, "Coarse");

    values = HostSim::ParamValues::Map ();
    EXPECT_TRUE (values.empty () && values.begin () == values.end ());
    EXPECT_TRUE (values.emplace ("lod", "Medium").second);
    EXPECT_EQ (values.size (), 1u);
}

}   // namespace
