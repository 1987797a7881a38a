// The stand-in host's project file: what a load puts in the model, the message each kind of bad
// file gets (and that the model stays as it was), saving and loading back, members the host does
// not read surviving a save, atomic replacement, and the sample building in examples/.
#include "ProjectDump.h"
#include "TestHost.h"

#include "hostsim/ProjectFile.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <set>
#include <signal.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using HostSim::Element;
using HostSim::LibPart;
using HostSim::LoadProject;
using HostSim::Project;
using HostSim::SaveProject;
using Json = nlohmann::ordered_json;

std::string DataPath (const std::string& name)
{
    return TestSupport::SourceDir () + "/tests/data/projects/" + name;
}

std::string ReadText (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf ();
    return text.str ();
}

void WriteText (const std::string& path, const std::string& text)
{
    std::ofstream out (path, std::ios::binary);
    out << text;
}

// Every field of the model as text, so two models compare and a difference shows.
std::string Dump (const Project& p) { return TestSupport::DumpModel (p); }

class ProjectFileTest : public ::testing::Test {
public:
    void SetUp () override
    {
        char pattern[] = "/tmp/tessera-project-XXXXXX";
        ASSERT_NE (mkdtemp (pattern), nullptr);
        folder = pattern;
    }
    void TearDown () override { std::filesystem::remove_all (folder); }

    std::vector<std::string> FolderEntries () const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator (folder))
            names.push_back (entry.path ().filename ().string ());
        std::sort (names.begin (), names.end ());
        return names;
    }

    std::string folder;
    std::string error;
};

TEST_F (ProjectFileTest, LoadFillsEveryPartOfTheModel)
{
    Project p;
    ASSERT_TRUE (LoadProject (DataPath ("full.json"), &p, &error)) << error;
    EXPECT_EQ (p.path, DataPath ("full.json"));
    EXPECT_EQ (p.fileText, ReadText (DataPath ("full.json")));

    ASSERT_EQ (p.stories.size (), 3u);
    EXPECT_EQ (p.stories[0].index, -1);
    EXPECT_EQ (p.stories[0].name, "Cellar");
    EXPECT_EQ (p.stories[0].level, -2.75);
    EXPECT_TRUE (p.skipNullFloor);
    EXPECT_EQ (p.currentStory, 1);
    EXPECT_EQ (p.currentWindow, 4);
    EXPECT_EQ (p.currentDatabase.typeID, 3);
    EXPECT_EQ (p.currentDatabase.index, 2);

    ASSERT_EQ (p.libParts.size (), 2u);
    const LibPart& chair = p.libParts[0];
    EXPECT_EQ (chair.index, 1);
    EXPECT_EQ (chair.guid, "{00000000-0000-0000-0000-0000000000A1}");
    ASSERT_EQ (chair.params.size (), 3u);
    EXPECT_EQ (chair.params[0].type, 2);
    EXPECT_EQ (chair.params[0].number, 0.55);
    EXPECT_EQ (chair.params[1].type, API_ParTextType) << "text is the default kind";
    EXPECT_EQ (chair.params[1].typeMod, 1);
    EXPECT_EQ (chair.params[1].text, "Full");
    EXPECT_EQ (chair.params[2].valueList, (std::vector<std::string>{"Detailed", "Simple", "Block"}));
    EXPECT_EQ (chair.detailParam, "LevelOfDetail");
    EXPECT_EQ (chair.bodiesByValue.at ("Detailed"), (std::vector<Int32>{1200, 800}));
    EXPECT_EQ (chair.bodies, std::vector<Int32>{12});
    EXPECT_EQ (p.libParts[1].index, 2) << "index implicit by order";

    EXPECT_EQ (p.FindElement (1, 1), nullptr) << "a gap is a deleted element";
    ASSERT_NE (p.FindElement (1, 2), nullptr);
    EXPECT_EQ (p.FindElement (1, 2)->bodies, (std::vector<Int32>{6, 6}));
    EXPECT_EQ (p.FindElement (1, 2)->story, -1);
    const Element* placed = p.FindElement (6, 1);
    ASSERT_NE (placed, nullptr);
    EXPECT_EQ (placed->libInd, 1);
    EXPECT_EQ (placed->paramValues.at ("LevelOfDetail"), "Simple");
    EXPECT_FALSE (placed->shownLayer);
    EXPECT_TRUE (placed->ownWorkspace);
    const Element* stair = p.FindElement (6, 3);
    ASSERT_NE (stair, nullptr);
    EXPECT_EQ (stair->variation, API_StairVariation);
    EXPECT_FALSE (stair->ownWorkspace);
    EXPECT_EQ (stair->moduleInstance, 1);
    EXPECT_FALSE (p.FindElement (7, 1)->has3D);
    const Element* module = p.FindElement (28, 1);
    EXPECT_EQ (module->moduleKind, 1);
    EXPECT_TRUE (module->hotlinkFlag);
    EXPECT_TRUE (module->hasLinkBlock);
    EXPECT_EQ (module->linkWord, 9);
    EXPECT_FALSE (p.FindElement (28, 2)->hasLinkBlock) << "no linkWord, no link block";
    EXPECT_EQ (p.FindElement (17, 1)->variation, 1234u);

    EXPECT_EQ (p.selection.kind, 2);
    EXPECT_TRUE (p.selection.multiStory);
    EXPECT_EQ (p.selection.elements, (std::vector<std::pair<API_ElemTypeID, Int32>>{{6, 1}, {1, 2}}));

    ASSERT_EQ (p.moduleData.count ("Tessera"), 1u);
    EXPECT_EQ (p.moduleData.at ("Tessera").version, 2);
    EXPECT_EQ (p.moduleData.at ("Tessera").platformSign, 0x4D4D);
    EXPECT_EQ (p.moduleData.at ("Tessera").bytes, std::string ("{ABC}\0"
                                                               "2\0\0\0\xff",
                                                               11));
    EXPECT_EQ (p.moduleData.at ("Other Add-On").platformSign, 0);
    EXPECT_EQ (p.moduleData.at ("Other Add-On").bytes, "");
}

TEST_F (ProjectFileTest, MembersLeftOutTakeTheirDefaults)
{
    Project p;
    ASSERT_TRUE (LoadProject (DataPath ("minimal.json"), &p, &error)) << error;
    EXPECT_EQ (Dump (p), Dump (Project ()));
}

TEST_F (ProjectFileTest, EachKindOfBadFileGetsItsOwnMessageAndTheModelStaysAsItWas)
{
    struct Case {
        const char* file;
        const char* message;   // after "<path>: "
    };
    const Case cases[] = {
        {"no-such-file.json", "cannot open: No such file or directory"},
        {"not-json.json", "not JSON: at line 3, column 1: syntax error while parsing array - unexpected end of input; "
                          "expected ']'"},
        {"not-an-object.json", "$: expected a project (an object), found an array"},
        {"missing-version.json", "$.version: missing; expected the project file version 1"},
        {"wrong-version.json", "$.version: expected the project file version 1, found number 2"},
        {"version-as-text.json", "$.version: expected the project file version 1, found text \"1\""},
        {"missing-field.json", "$.libParts[1].guid: missing; expected the part's unique-ID text"},
        {"wrong-type.json",
         "$.elements[3].story: expected a story index (integer from -32768 to 32767), found text \"1\""},
        {"duplicate-element.json",
         "$.elements[3]: expected each element once, found type 2 index 3 again (first at $.elements[1])"},
        {"duplicate-member.json", "$.elements[1].story: expected each member once in its object, found it twice"},
        {"duplicate-nested-member.json",
         "$.libParts[1].extra[\"two words\"].Fine: expected each member once in its object, found it twice"},
        {"unknown-libpart.json", "$.elements[1].libPart: expected the index of one of the parts in $.libParts "
                                 "(integer from 1 to 2), found number 3"},
        {"placement-without-part.json",
         "$.elements[0].libPart: missing; expected the index of the placement's library part"},
        {"unknown-param.json", "$.elements[0].params.LevelOfDetil: expected the name of a text parameter of library "
                               "part 1 (\"Chair\"), found no such parameter"},
        {"story-left-out.json",
         "$.elements[1].story: missing; expected the element's story (the default, 0, is not in $.stories)"},
        {"too-deep.json",
         "$.extra[0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0]"
         "[0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0][0]"
         ": expected at most 64 levels of objects and arrays within each other, found more"},
        {"number-overflow.json",
         "$.stories[1].level: expected a number within the range of a double, found one beyond it"},
        {"zero-byte-in-name.json",
         "$.libParts[0].name: expected the part's name without a zero byte, found one at byte 6"},
        {"unknown-story.json",
         "$.elements[0].story: expected the index of one of the stories in $.stories, found number 2"},
        {"stories-out-of-order.json", "$.stories[2].index: expected a story index above 2 (stories in ascending order, "
                                      "each once), found number 1"},
        {"no-module-instance.json", "$.elements[1].moduleInstance: expected the index of a placed module (type 28) in "
                                    "$.elements, found 2, which is none"},
        {"huge-index.json", "$.elements[0].index: expected an element index (integer from 1 to 1000000), found number "
                            "2000000000"},
        {"selection-of-nothing.json",
         "$.selection.elements[1]: expected an element of $.elements, found type 2 index 1, which is none"},
        {"bad-hex.json", "$.moduleData.Tessera.bytes: expected hex text (pairs of digits 0-9, a-f), found \"g\" at "
                         "character 5"},
        {"odd-hex.json", "$.moduleData.Tessera.bytes: expected hex text (pairs of digits 0-9, a-f), found an odd "
                         "number of digits (3)"},
    };
    Project p;
    ASSERT_TRUE (LoadProject (DataPath ("full.json"), &p, &error)) << error;
    const std::string before = Dump (p);
    for (const Case& c : cases) {
        error.clear ();
        EXPECT_FALSE (LoadProject (DataPath (c.file), &p, &error)) << c.file;
        EXPECT_EQ (error, DataPath (c.file) + ": " + c.message);
        EXPECT_EQ (Dump (p), before) << c.file << " changed the model";
        EXPECT_EQ (p.path, DataPath ("full.json"));
    }
}

TEST_F (ProjectFileTest, SavedProjectLoadsBackTheSameAndKeepsMembersTheHostDoesNotRead)
{
    Project first;
    ASSERT_TRUE (LoadProject (DataPath ("full.json"), &first, &error)) << error;
    const std::string path = folder + "/saved.json";
    ASSERT_TRUE (SaveProject (first, path, &error)) << error;
    Project second;
    ASSERT_TRUE (LoadProject (path, &second, &error)) << error;
    EXPECT_EQ (Dump (second), Dump (first));

    const Json saved = Json::parse (ReadText (path));
    EXPECT_EQ (saved["savedBy"]["build"], 7);
    EXPECT_EQ (saved["stories"][0]["color"], "grey");
    EXPECT_EQ (saved["currentDatabase"]["label"], "Section A");
    EXPECT_EQ (saved["libParts"][0]["vendorData"], Json ({1, 2, 3}));
    EXPECT_EQ (saved["libParts"][0]["params"][0]["unit"], "m");
    EXPECT_FALSE (saved["libParts"][1].contains ("index")) << "an implicit index stays implicit";
    EXPECT_EQ (saved["elements"][0]["material"], "brick");
    EXPECT_EQ (saved["selection"]["polygon"], Json::parse ("[[0, 0], [1, 1]]"));
    EXPECT_EQ (saved["moduleData"]["Tessera"]["origin"], "kept");
    EXPECT_EQ (saved["moduleData"]["Tessera"]["bytes"], "7b4142437d0032000000ff");
    EXPECT_EQ (saved["elements"][2]["variation"], "SYST");

    ASSERT_TRUE (SaveProject (second, folder + "/again.json", &error)) << error;
    EXPECT_EQ (ReadText (folder + "/again.json"), ReadText (path)) << "saving is stable";
}

TEST_F (ProjectFileTest, SaveWritesWhatChangedInTheModel)
{
    Project p;
    ASSERT_TRUE (LoadProject (DataPath ("full.json"), &p, &error)) << error;
    p.FindElement (6, 1)->paramValues["LevelOfDetail"] = "Block";
    p.FindElement (6, 1)->shownLayer = true;   // back to the default, but the file said it: stays written
    p.elements[1][1].reset ();                 // wall 2 deleted
    Element wall;
    wall.type = 1;
    wall.index = 5;
    wall.bodies = {6};
    p.AddElement (wall);
    p.FindElement (28, 1)->hasLinkBlock = false;
    p.FindElement (28, 1)->linkWord = 0;
    p.moduleData.erase ("Other Add-On");
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += static_cast<char> (b);
    p.moduleData["Tessera"].bytes = everyByte;
    p.selection = {};

    const std::string path = folder + "/changed.json";
    ASSERT_TRUE (SaveProject (p, path, &error)) << error;
    Project back;
    ASSERT_TRUE (LoadProject (path, &back, &error)) << error;
    EXPECT_EQ (Dump (back), Dump (p));

    const Json saved = Json::parse (ReadText (path));
    EXPECT_EQ (saved["elements"][0]["index"], 1) << "the deleted wall's entry is gone; placement 6/1 comes first";
    EXPECT_EQ (saved["elements"][0]["shownLayer"], true);
    EXPECT_FALSE (saved["elements"][3].contains ("linkWord"));
    EXPECT_EQ (saved["elements"].back ()["type"], 1) << "a new element follows those the file had";
    EXPECT_EQ (saved["moduleData"]["Tessera"]["origin"], "kept");
    EXPECT_FALSE (saved["moduleData"].contains ("Other Add-On"));
}

TEST_F (ProjectFileTest, ProjectMadeInCodeSavesAndLoadsBack)
{
    Project p;
    p.stories = {{-1, "B", -3.0}, {0, "G", 0.0}};
    p.skipNullFloor = true;
    p.currentStory = -1;
    LibPart part;
    part.guid = "{G}";
    part.name = "Thing";
    part.params.push_back ({"LevelOfDetail", API_ParTextType, 0, "Simple", 0.0, {"Detailed", "Simple"}});
    part.params.push_back ({"Lengths", 2, 2, "", 1.0 / 3.0, {}});
    part.detailParam = "LevelOfDetail";
    part.bodiesByValue = {{"Detailed", {90, 10}}, {"Simple", {5}}};
    p.AddLibPart (part);
    Element placed;
    placed.type = 7;
    placed.index = 3;
    placed.libInd = 1;
    placed.variation = 0x01020304;   // not printable: kept as a number
    placed.paramValues["LevelOfDetail"] = "Detailed";
    p.AddElement (placed);
    p.moduleData["X"] = {7, 1, std::string ("\0\1\2", 3)};

    const std::string path = folder + "/code.json";
    ASSERT_TRUE (SaveProject (p, path, &error)) << error;
    Project back;
    ASSERT_TRUE (LoadProject (path, &back, &error)) << error;
    back.path.clear ();
    back.fileText.clear ();
    EXPECT_EQ (Dump (back), Dump (p));
}

TEST_F (ProjectFileTest, SaveReplacesTheFileAndKeepsItsPermissions)
{
    const std::string path = folder + "/p.json";
    WriteText (path, "old");
    ASSERT_EQ (chmod (path.c_str (), 0640), 0);
    Project p;
    ASSERT_TRUE (LoadProject (DataPath ("full.json"), &p, &error)) << error;
    ASSERT_TRUE (SaveProject (p, path, &error)) << error;
    struct stat st {};
    ASSERT_EQ (stat (path.c_str (), &st), 0);
    EXPECT_EQ (st.st_mode & 07777, 0640u);
    EXPECT_EQ (FolderEntries (), std::vector<std::string>{"p.json"}) << "no temporary file is left";
    Project back;
    EXPECT_TRUE (LoadProject (path, &back, &error)) << error;
}

TEST_F (ProjectFileTest, FailedSaveLeavesThePreviousFileByteForByteAndSaysSo)
{
    Project p;
    ASSERT_TRUE (LoadProject (DataPath ("full.json"), &p, &error)) << error;
    const std::string path = folder + "/p.json";
    const std::string previous = "{ \"version\": 1, \"note\": \"the previous save\" }\n";
    WriteText (path, previous);

    // A full disk: writes past 64 bytes fail.
    rlimit saved{};
    ASSERT_EQ (getrlimit (RLIMIT_FSIZE, &saved), 0);
    void (*oldHandler) (int) = signal (SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ (setrlimit (RLIMIT_FSIZE, &small), 0);
    const bool ok = SaveProject (p, path, &error);
    setrlimit (RLIMIT_FSIZE, &saved);
    signal (SIGXFSZ, oldHandler);
    EXPECT_FALSE (ok);
    EXPECT_EQ (error.rfind (path + ": cannot save: cannot write " + folder + "/.p.json.saving-", 0), 0u) << error;
    EXPECT_NE (error.find ("File too large; the file was not changed"), std::string::npos) << error;
    EXPECT_EQ (ReadText (path), previous);
    EXPECT_EQ (FolderEntries (), std::vector<std::string>{"p.json"});

    // The target is a folder: the rename fails.
    const std::string dir = folder + "/sub";
    std::filesystem::create_directory (dir);
    WriteText (dir + "/inside", "x");
    EXPECT_FALSE (SaveProject (p, dir, &error));
    EXPECT_EQ (error.rfind (dir + ": cannot save: cannot rename " + folder + "/.sub.saving-", 0), 0u) << error;
    EXPECT_NE (error.find (" over it: Is a directory; the file was not changed"), std::string::npos) << error;
    EXPECT_EQ (ReadText (dir + "/inside"), "x");
    EXPECT_EQ (FolderEntries (), (std::vector<std::string>{"p.json", "sub"}));

    // The folder does not exist.
    EXPECT_FALSE (SaveProject (p, folder + "/none/p.json", &error));
    EXPECT_EQ (error, folder + "/none/p.json: cannot save: cannot create a temporary file in " + folder +
                          "/none: No such file or directory; the file was not changed");
}

TEST_F (ProjectFileTest, TheFormatPagesExampleLoads)
{
    const std::string page = ReadText (TestSupport::SourceDir () + "/docs/project-format.md");
    const size_t start = page.find ("```json\n");
    ASSERT_NE (start, std::string::npos);
    const size_t end = page.find ("```", start + 8);
    ASSERT_NE (end, std::string::npos);
    const std::string path = folder + "/example.json";
    WriteText (path, page.substr (start + 8, end - start - 8));
    Project p;
    ASSERT_TRUE (LoadProject (path, &p, &error)) << error;
    EXPECT_EQ (p.FindElement (6, 1)->paramValues.at ("LevelOfDetail"), "Simple");
    EXPECT_EQ (p.FindElement (1, 2), nullptr);
    EXPECT_EQ (p.moduleData.at ("Tessera").bytes.size (), 41u);
}

// ---- the sample building --------------------------------------------------------------------

// The names file's entries: parameter name and its value texts, in file order.
std::vector<std::pair<std::string, std::vector<std::string>>> NamesFileEntries ()
{
    std::vector<std::pair<std::string, std::vector<std::string>>> entries;
    std::istringstream lines (ReadText (TestSupport::SourceDir () + "/resources/Tessera.txt"));
    std::string line;
    while (std::getline (lines, line)) {
        if (line.empty () || line[0] == '#')
            continue;
        std::vector<std::string> texts;
        for (size_t open = line.find ('"'); open != std::string::npos; open = line.find ('"', open)) {
            const size_t close = line.find ('"', open + 1);
            texts.push_back (line.substr (open + 1, close - open - 1));
            open = close + 1;
        }
        entries.emplace_back (line.substr (0, line.find (' ')), texts);
    }
    return entries;
}

// Which names entries (by position) hold every value text of the part.
std::vector<size_t> MatchingEntries (const LibPart& part)
{
    const HostSim::ParamDef* param = nullptr;
    for (const auto& d : part.params)
        if (d.name == part.detailParam)
            param = &d;
    std::vector<size_t> matches;
    const auto entries = NamesFileEntries ();
    for (size_t i = 0; param != nullptr && i < entries.size (); ++i) {
        bool all = entries[i].first == param->name;
        for (const auto& text : param->valueList)
            all = all && std::count (entries[i].second.begin (), entries[i].second.end (), text) > 0;
        if (all)
            matches.push_back (i);
    }
    return matches;
}

TEST_F (ProjectFileTest, SampleBuildingHasWhatTheAddonIsTriedOn)
{
    Project p;
    ASSERT_TRUE (LoadProject (TestSupport::SourceDir () + "/examples/sample-building.json", &p, &error)) << error;
    EXPECT_TRUE (p.skipNullFloor);
    EXPECT_EQ (p.stories.front ().index, -1) << "a basement";
    for (API_ElemTypeID type : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17, 28})
        EXPECT_GT (p.elements.count (type), 0u) << "no element of type " << type;

    std::map<std::string, const LibPart*> parts;
    for (const auto& part : p.libParts)
        parts[part.name] = &part;
    // Detail parameters against the names file: most match an entry, the sofa only the second
    // Detail3D line, the lamp has none.
    for (const auto& part : p.libParts)
        EXPECT_TRUE (part.detailParam.empty () || !MatchingEntries (part).empty ()) << part.name;
    EXPECT_EQ (MatchingEntries (*parts.at ("Sofa Berlin")), std::vector<size_t>{2});
    EXPECT_TRUE (parts.at ("Pendant Lamp")->detailParam.empty ());
    const auto& pot = parts.at ("Plant Pot")->params[0].valueList;
    EXPECT_LT (std::set<std::string> (pot.begin (), pot.end ()).size (), pot.size ()) << "a duplicated value text";

    // A lower level of detail gives fewer polygons: value texts in names-file order.
    auto total = [] (const std::vector<Int32>& counts) { return std::accumulate (counts.begin (), counts.end (), 0); };
    const auto entries = NamesFileEntries ();
    for (const auto& part : p.libParts) {
        if (part.detailParam.empty ())
            continue;
        const auto& texts = entries[MatchingEntries (part).front ()].second;
        for (size_t k = 1; k < texts.size (); ++k)
            EXPECT_LT (total (part.bodiesByValue.at (texts[k])), total (part.bodiesByValue.at (texts[k - 1])))
                << part.name << " " << texts[k];
    }

    // The heavy part outweighs everything that is not a placement of it.
    Int64 tree = 0, rest = 0;
    for (const auto& [type, slots] : p.elements)
        for (const auto& e : slots) {
            if (!e || !e->has3D)
                continue;
            if (e->type >= 4 && e->type <= 7) {
                const LibPart& part = p.libParts[static_cast<size_t> (e->libInd - 1)];
                auto value = e->paramValues.count (part.detailParam) ? e->paramValues.at (part.detailParam) : "";
                for (const auto& d : part.params)
                    if (d.name == part.detailParam && value.empty ())
                        value = d.text;
                const auto& bodies = part.bodiesByValue.count (value) ? part.bodiesByValue.at (value) : part.bodies;
                (part.name == "Fig Tree" ? tree : rest) += total (bodies);
            } else {
                rest += total (e->bodies.ToVector ());
            }
        }
    EXPECT_GT (tree, rest);

    // Stairs, the hotlinked module and its members, hidden and foreign elements, no 3D model.
    EXPECT_EQ (p.FindElement (6, 12)->variation, API_StairVariation);
    const Element* module = p.FindElement (28, 1);
    EXPECT_EQ (module->moduleKind, 1);
    EXPECT_TRUE (module->hotlinkFlag);
    EXPECT_NE (module->linkWord, 0);
    int members = 0, hidden = 0, foreign = 0, no3D = 0, deleted = 0;
    for (const auto& [type, slots] : p.elements)
        for (const auto& e : slots) {
            deleted += !e;
            if (e) {
                members += e->moduleInstance == 1;
                hidden += !e->shownLayer;
                foreign += !e->ownWorkspace;
                no3D += !e->has3D;
            }
        }
    EXPECT_GE (members, 2);
    EXPECT_GE (hidden, 1);
    EXPECT_GE (foreign, 1);
    EXPECT_GE (no3D, 1);
    EXPECT_GE (deleted, 1);

    // The stored block: records "key\0value\0" with the default level and the table's level.
    const auto& block = p.moduleData.at ("Tessera");
    EXPECT_EQ (block.version, 2);
    EXPECT_EQ (block.platformSign, 0x4D4D);
    const std::string expected = std::string ("{9349160F-1FF1-4be3-9909-314107CCB286}") + '\0' + "3" + '\0' +
                                 parts.at ("Conference Table")->guid + '\0' + "0" + '\0';
    EXPECT_EQ (block.bytes, expected);
}

}   // namespace
