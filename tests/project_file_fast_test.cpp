// The project file's fast path against the checked loader: for every file, either the fast path
// declines, or it gives exactly the Project the checked loader gives (every field, fileText and
// path too); LoadProject answers as the checked loader does, message for message. Run over every
// project file of the tests and examples, generated projects, and small variants of a sound file
// that each loader must read alike or refuse alike.
#include "ProjectDump.h"
#include "TestHost.h"

#include "bench/ProjectGenerator.h"
#include "hostsim/ProjectFile.h"
#include "hostsim/ProjectFileFast.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

using HostSim::Project;
using TestSupport::Dump;

// A project the loaders must not touch when they refuse or decline.
Project Untouched ()
{
    Project p;
    p.path = "untouched";
    p.stories.push_back ({5, "kept", 1.5});
    return p;
}

enum class Fast { Accepted, Declined };

// Loads `path` with each loader alone and with LoadProject, checks that they agree, and tells
// what the fast path did. The fast path indexes the text in windows of `window` bytes (1: every
// line a window of its own).
Fast LoadBoth (const std::string& path, size_t window = HostSim::ProjectTextWindow)
{
    std::string text, error;
    EXPECT_TRUE (HostSim::ReadProjectText (path, &text, &error)) << error;

    Project checked = Untouched ();
    std::string checkedError;
    const bool checkedOk = HostSim::LoadProjectChecked (path, text, &checked, &checkedError);

    Project fast = Untouched ();
    std::string fastText = text;
    const bool fastOk = HostSim::LoadProjectFast (path, fastText, &fast, window);
    if (fastOk) {
        EXPECT_TRUE (checkedOk) << path << ": the fast path read a file the checked loader refuses: " << checkedError;
        EXPECT_EQ (Dump (fast), Dump (checked)) << path;
        EXPECT_EQ (fast.fileText, text) << path;
    } else {
        EXPECT_EQ (Dump (fast), Dump (Untouched ())) << path << ": a declined file changed the project";
        EXPECT_EQ (fastText, text) << path << ": a declined file changed the text";
    }

    Project loaded = Untouched ();
    std::string loadError;
    const bool loadOk = HostSim::LoadProject (path, &loaded, &loadError);
    EXPECT_EQ (loadOk, checkedOk) << path;
    EXPECT_EQ (loadError, checkedError) << path;
    EXPECT_EQ (Dump (loaded), Dump (checked)) << path;
    EXPECT_EQ (loaded.fileText, checked.fileText) << path;
    return fastOk ? Fast::Accepted : Fast::Declined;
}

class ProjectFileFastTest : public ::testing::Test {
public:
    void SetUp () override
    {
        char pattern[] = "/tmp/tessera-fast-XXXXXX";
        ASSERT_NE (mkdtemp (pattern), nullptr);
        folder = pattern;
    }
    void TearDown () override { std::filesystem::remove_all (folder); }

    std::string Write (const std::string& name, const std::string& text) const
    {
        const std::string path = folder + "/" + name;
        std::ofstream (path, std::ios::binary) << text;
        return path;
    }

    std::string folder;
};

TEST_F (ProjectFileFastTest, EveryProjectFileOfTheTestsAndExamplesLoadsAlike)
{
    std::vector<std::string> files;
    for (const char* root : {"/tests/data", "/examples"})
        for (const auto& entry : std::filesystem::recursive_directory_iterator (TestSupport::SourceDir () + root))
            if (entry.is_regular_file () && entry.path ().extension () == ".json")
                files.push_back (entry.path ().string ());
    ASSERT_GT (files.size (), 20u);
    size_t accepted = 0;
    for (const std::string& path : files) {
        accepted += LoadBoth (path) == Fast::Accepted ? 1 : 0;
        LoadBoth (path, 1);
    }
    // Most carry members the host does not read, or are faulty; a few are read by the fast path.
    EXPECT_GT (accepted, 0u);
}

TEST_F (ProjectFileFastTest, GeneratedProjectsAreReadByTheFastPath)
{
    struct Size {
        UInt64 seed;
        Int32 elements, parts;
        Int16 stories;
    };
    for (const Size& size : {Size{1, 1, 1, 1}, Size{7, 500, 12, 3}, Size{20260101, 5000, 50, 8}}) {
        Bench::GeneratorSettings settings;
        settings.seed = size.seed;
        settings.elements = size.elements;
        settings.libParts = size.parts;
        settings.stories = size.stories;
        Project generated;
        Bench::GenerateProject (settings, &generated);
        const std::string path = folder + "/generated-" + std::to_string (size.elements) + ".json";
        std::string error;
        ASSERT_TRUE (HostSim::SaveProject (generated, path, &error)) << error;
        EXPECT_EQ (LoadBoth (path), Fast::Accepted) << path;
        EXPECT_EQ (LoadBoth (path, 4096), Fast::Accepted) << path;
    }
}

// A sound file using every member the host reads, in the order a save writes them.
const std::string Sound = R"({
  "version": 1,
  "stories": [{ "index": -1, "name": "Cellar", "level": -2.75 }, { "index": 0, "name": "Ground" }, { "index": 2, "level": 6 }],
  "skipNullFloor": true,
  "currentStory": 0,
  "currentWindow": 4,
  "currentDatabase": { "type": 3, "index": -2 },
  "libParts": [
    {
      "index": 1,
      "guid": "{A1}",
      "name": "Chair",
      "params": [
        { "name": "Width", "type": 2, "value": 0.55 },
        { "name": "Mod", "typeMod": 1, "value": "Full" },
        { "name": "LevelOfDetail", "value": "Detailed", "values": ["Detailed", "Simple", ""] }
      ],
      "detailParam": "LevelOfDetail",
      "bodiesByValue": { "Simple": [300], "Detailed": [1200, 800], "": [] },
      "bodies": [12]
    },
    { "guid": "{A2}", "name": "", "params": [], "detailParam": "" }
  ],
  "elements": [
    { "type": 1, "index": 3, "story": -1, "bodies": [6, 0, 2147483647, 1, 5] },
    { "type": 6, "index": 1, "story": 0, "libPart": 1, "params": { "LevelOfDetail": "Simple", "Mod": "" }, "shownLayer": false },
    { "type": 6, "index": 3, "story": 2, "libPart": 1, "variation": "SYST", "ownWorkspace": false, "moduleInstance": 1 },
    { "type": 7, "index": 1, "libPart": 2, "has3D": false },
    { "type": 28, "index": 1, "moduleKind": 1, "hotlink": true, "linkWord": 9 },
    { "type": 28, "index": 2, "moduleKind": -5, "linkWord": 0 },
    { "type": 17, "index": 1, "variation": 4294967295, "bodies": [] }
  ],
  "selection": { "kind": 2, "multiStory": true, "elements": [{ "type": 6, "index": 1 }, { "index": 3, "type": 1 }] },
  "moduleData": {
    "Tessera": { "version": 2, "platformSign": 19789, "bytes": "7b4142437D0032000000fF" },
    "Other Add-On": { "bytes": "", "version": -1 }
  }
}
)";

// `text` with the first `from` replaced by `to` (which must be there).
std::string Replace (std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find (from);
    if (at == std::string::npos)
        ADD_FAILURE () << "no " << from << " in the text";
    else
        text.replace (at, from.size (), to);
    return text;
}

std::string Variant (const std::string& from, const std::string& to)
{
    return Replace (Sound, from, to);
}

TEST_F (ProjectFileFastTest, VariantsAreReadOrRefusedAlike)
{
    const std::string deep = std::string (70, '[') + std::string (70, ']');
    const std::string stories = Sound.substr (Sound.find ("\"stories\""), Sound.find ("\"skipNullFloor\"") - Sound.find ("\"stories\""));
    const std::string parts = Sound.substr (Sound.find ("\"libParts\""), Sound.find ("\"elements\"") - Sound.find ("\"libParts\""));
    const size_t tailAt = Sound.find ("\"selection\"");
    const std::string tail = Sound.substr (tailAt, Sound.rfind ("\n}") - tailAt);
    struct Case {
        const char* what;
        std::string text;
        Fast fast;
    };
    const Case cases[] = {
        {"the sound file", Sound, Fast::Accepted},
        {"minified, CR LF and tabs", Variant ("{\n  \"version\": 1,\n", "{\"version\":1,\r\n\t"), Fast::Accepted},
        {"texts with every escape and UTF-8",
         Variant ("\"Cellar\"", R"("C\"e\\l\/l\b\f\n\r\tar \u00e9 \uD83D\uDE00 \u20AC é 😀")"), Fast::Accepted},
        {"an escaped member name", Variant ("\"currentWindow\"", "\"current\\u0057indow\""), Fast::Declined},
        {"a zero byte where any text goes", Variant ("\"Cellar\"", "\"Cel\\u0000lar\""), Fast::Accepted},
        {"a zero byte in a part's name", Variant ("\"Chair\"", "\"Ch\\u0000air\""), Fast::Declined},
        {"a zero byte in the file", Variant ("\"Chair\"", std::string ("\"Ch\0air\"", 8)), Fast::Declined},
        {"a raw control character in a text", Variant ("\"Chair\"", "\"Ch\tair\""), Fast::Declined},
        {"a raw newline in a text", Variant ("\"Chair\"", "\"Ch\n  \"air\""), Fast::Declined},
        {"a value on the line after its name", Variant ("\"currentWindow\": 4", "\"currentWindow\":\n\n 4\n"),
         Fast::Accepted},
        {"a lone high surrogate", Variant ("\"Cellar\"", "\"\\uD800\""), Fast::Declined},
        {"a lone low surrogate", Variant ("\"Cellar\"", "\"\\uDC00x\""), Fast::Declined},
        {"a high surrogate before a plain character", Variant ("\"Cellar\"", "\"\\uD800\\u0041\""), Fast::Declined},
        {"an unknown escape", Variant ("\"Cellar\"", "\"\\x41\""), Fast::Declined},
        {"a short unicode escape", Variant ("\"Cellar\"", "\"\\u12\""), Fast::Declined},
        {"malformed UTF-8", Variant ("\"Cellar\"", "\"\xC0\x80\""), Fast::Declined},
        {"UTF-8 of a surrogate", Variant ("\"Cellar\"", "\"\xED\xA0\x80\""), Fast::Declined},
        {"UTF-8 cut short", Variant ("\"Cellar\"", "\"\xE2\x82\""), Fast::Declined},
        {"a byte order mark", "\xEF\xBB\xBF" + Sound, Fast::Declined},
        {"a part name of 255 bytes", Variant ("\"Chair\"", '"' + std::string (255, 'n') + '"'), Fast::Accepted},
        {"a part name of 256 bytes", Variant ("\"Chair\"", '"' + std::string (256, 'n') + '"'), Fast::Declined},
        {"a parameter name of 64 bytes", Variant ("\"Width\"", '"' + std::string (64, 'w') + '"'), Fast::Declined},
        {"an empty unique ID", Variant ("\"{A2}\"", "\"\""), Fast::Declined},
        {"an empty add-on name", Variant ("\"Other Add-On\"", "\"\""), Fast::Declined},
        {"a member twice", Variant ("\"currentWindow\": 4,", "\"currentWindow\": 4, \"currentWindow\": 4,"),
         Fast::Declined},
        {"a member twice in an element", Variant ("\"has3D\": false", "\"has3D\": false, \"has3D\": false"),
         Fast::Declined},
        {"a parameter value twice", Variant ("\"Mod\": \"\"", "\"Mod\": \"\", \"Mod\": \"x\""), Fast::Declined},
        {"a body value twice", Variant ("\"\": []", "\"Simple\": []"), Fast::Declined},
        {"an add-on's block twice", Variant ("\"Other Add-On\"", "\"Tessera\""), Fast::Declined},
        {"an unknown member", Variant ("\"skipNullFloor\"", "\"note\": \"hi\", \"skipNullFloor\""), Fast::Declined},
        {"an unknown member in an element", Variant ("\"has3D\": false", "\"has3D\": false, \"note\": 1"),
         Fast::Declined},
        {"nesting too deep", Variant ("\"skipNullFloor\"", "\"note\": " + deep + ", \"skipNullFloor\""),
         Fast::Declined},
        {"1.0 for an integer", Variant ("\"currentWindow\": 4", "\"currentWindow\": 4.0"), Fast::Declined},
        {"1e0 for an integer", Variant ("\"currentWindow\": 4", "\"currentWindow\": 4e0"), Fast::Declined},
        {"-0 for an integer", Variant ("\"currentWindow\": 4", "\"currentWindow\": -0"), Fast::Accepted},
        {"a leading zero", Variant ("\"currentWindow\": 4", "\"currentWindow\": 04"), Fast::Declined},
        {"a plus sign", Variant ("\"currentWindow\": 4", "\"currentWindow\": +4"), Fast::Declined},
        {"an integer beyond 64 bits", Variant ("\"currentWindow\": 4", "\"currentWindow\": 99999999999999999999"),
         Fast::Declined},
        {"an integer beyond Int32", Variant ("\"currentWindow\": 4", "\"currentWindow\": 2147483648"),
         Fast::Declined},
        {"the smallest Int32", Variant ("\"currentWindow\": 4", "\"currentWindow\": -2147483648"), Fast::Accepted},
        {"text for an integer", Variant ("\"currentWindow\": 4", "\"currentWindow\": \"4\""), Fast::Declined},
        {"true for an integer", Variant ("\"currentWindow\": 4", "\"currentWindow\": true"), Fast::Declined},
        {"1 for a boolean", Variant ("\"skipNullFloor\": true", "\"skipNullFloor\": 1"), Fast::Declined},
        {"a level of -0", Variant ("\"level\": -2.75", "\"level\": -0"), Fast::Accepted},
        {"a level of -0.0", Variant ("\"level\": -2.75", "\"level\": -0.0"), Fast::Accepted},
        {"a level beyond a double", Variant ("\"level\": -2.75", "\"level\": 1e400"), Fast::Declined},
        {"a level below the smallest double", Variant ("\"level\": -2.75", "\"level\": 1e-400"), Fast::Accepted},
        {"a level with an exponent", Variant ("\"level\": -2.75", "\"level\": -2.5E+2"), Fast::Accepted},
        {"a level beyond 64-bit integers", Variant ("\"level\": -2.75", "\"level\": -18446744073709551617"),
         Fast::Accepted},
        {"a level of the largest 64-bit integer", Variant ("\"level\": -2.75", "\"level\": 18446744073709551615"),
         Fast::Accepted},
        {"a level of many digits", Variant ("\"level\": -2.75", "\"level\": 0.1000000000000000055511151231257827"),
         Fast::Accepted},
        {"a level with a bare point", Variant ("\"level\": -2.75", "\"level\": 2."), Fast::Declined},
        {"a level of NaN", Variant ("\"level\": -2.75", "\"level\": NaN"), Fast::Declined},
        {"a number glued to a word", Variant ("\"level\": -2.75", "\"level\": 2x"), Fast::Declined},
        {"a missing comma", Variant ("\"currentWindow\": 4,", "\"currentWindow\": 4"), Fast::Declined},
        {"a missing colon", Variant ("\"currentWindow\": 4", "\"currentWindow\" 4"), Fast::Declined},
        {"a trailing comma", Variant ("\"bodies\": [12]", "\"bodies\": [12,]"), Fast::Declined},
        {"a bracket for a brace", Variant ("\"version\": 2, \"platformSign\": 19789, \"bytes\": \"7b4142437D0032000000fF\" }",
                                          "\"version\": 2, \"platformSign\": 19789, \"bytes\": \"7b4142437D0032000000fF\" ]"),
         Fast::Declined},
        {"more after the project", Sound + "{}", Fast::Declined},
        {"a word after the project", Sound + "x", Fast::Declined},
        {"nothing", "", Fast::Declined},
        {"an array", "[]", Fast::Declined},
        {"no version", Variant ("\"version\": 1,", ""), Fast::Declined},
        {"version 2", Variant ("\"version\": 1,", "\"version\": 2,"), Fast::Declined},
        {"an element without an index", Variant ("\"type\": 17, \"index\": 1,", "\"type\": 17,"), Fast::Declined},
        {"a part without a unique ID", Variant ("\"guid\": \"{A2}\",", ""), Fast::Declined},
        {"a parameter without a name", Variant ("\"name\": \"Width\", ", ""), Fast::Declined},
        {"a block without bytes", Variant ("\"bytes\": \"\", ", ""), Fast::Declined},
        {"a selected element without a type", Variant ("{ \"index\": 3, \"type\": 1 }", "{ \"index\": 3 }"),
         Fast::Declined},
        {"an element twice", Variant ("\"type\": 17, \"index\": 1", "\"type\": 6, \"index\": 3"), Fast::Declined},
        {"an element on no story", Variant ("\"story\": 2, \"libPart\": 1", "\"story\": 1, \"libPart\": 1"),
         Fast::Declined},
        {"the default story 0 not among the stories", Variant ("{ \"index\": 0, \"name\": \"Ground\" }",
                                                                          "{ \"index\": 1, \"name\": \"Ground\" }"),
         Fast::Declined},
        {"no stories at all", Variant ("\"stories\": [{ \"index\": -1, \"name\": \"Cellar\", \"level\": -2.75 }, "
                                       "{ \"index\": 0, \"name\": \"Ground\" }, { \"index\": 2, \"level\": 6 }],",
                                       ""),
         Fast::Accepted},
        {"stories out of order", Variant ("\"index\": 2, \"level\": 6", "\"index\": -1, \"level\": 6"), Fast::Declined},
        {"a current story not among them", Variant ("\"currentStory\": 0", "\"currentStory\": 1"), Fast::Declined},
        {"a part index out of place", Variant ("\"index\": 1,\n      \"guid\"", "\"index\": 2,\n      \"guid\""),
         Fast::Declined},
        {"a library part beyond the list", Variant ("\"libPart\": 2", "\"libPart\": 3"), Fast::Declined},
        {"a library part on a wall", Variant ("\"story\": -1, \"bodies\"", "\"story\": -1, \"libPart\": 1, \"bodies\""),
         Fast::Declined},
        {"a placement without its part", Variant ("\"libPart\": 2, ", ""), Fast::Declined},
        {"bodies on a placement", Variant ("\"has3D\": false", "\"has3D\": false, \"bodies\": [1]"), Fast::Declined},
        {"a negative polygon count", Variant ("\"bodies\": [12]", "\"bodies\": [-1]"), Fast::Declined},
        {"a parameter value of no such parameter", Variant ("\"Mod\": \"\"", "\"Width\": \"\""), Fast::Declined},
        {"a detail parameter that is not a text one", Variant ("\"detailParam\": \"LevelOfDetail\"",
                                                               "\"detailParam\": \"Width\""),
         Fast::Declined},
        {"a unique ID twice", Variant ("\"{A2}\"", "\"{A1}\""), Fast::Declined},
        {"a parameter name twice", Variant ("\"name\": \"Mod\"", "\"name\": \"Width\""), Fast::Declined},
        {"a numeric value for a text parameter", Variant ("\"value\": \"Full\"", "\"value\": 3"), Fast::Declined},
        {"a text value for a numeric parameter", Variant ("\"value\": 0.55", "\"value\": \"0.55\""), Fast::Declined},
        {"a value list on a numeric parameter", Variant ("\"value\": 0.55", "\"value\": 0.55, \"values\": []"),
         Fast::Declined},
        {"the type after the value", Variant ("\"type\": 2, \"value\": 0.55", "\"value\": 0.55, \"type\": 2"),
         Fast::Accepted},
        {"a placed module's member on another kind", Variant ("\"variation\": 4294967295",
                                                               "\"variation\": 4294967295, \"hotlink\": false"),
         Fast::Declined},
        {"a module that does not exist", Variant ("\"moduleInstance\": 1", "\"moduleInstance\": 3"), Fast::Declined},
        {"a variation beyond 32 bits", Variant ("4294967295", "4294967296"), Fast::Declined},
        {"a variation of three characters", Variant ("\"SYST\"", "\"SYS\""), Fast::Declined},
        {"a variation with escapes", Variant ("\"SYST\"", "\"S\\u0000\\nT\""), Fast::Accepted},
        {"a selected element that does not exist", Variant ("{ \"index\": 3, \"type\": 1 }", "{ \"index\": 2, \"type\": 1 }"),
         Fast::Declined},
        {"a selection of nothing with elements", Variant ("\"kind\": 2", "\"kind\": 0"), Fast::Declined},
        {"bytes that are not hex", Variant ("7b4142437D", "7b4142437g"), Fast::Declined},
        {"an odd number of hex digits", Variant ("7b4142437D", "7b4142437"), Fast::Declined},
        {"hex digits written as escapes", Variant ("7b4142437D", "7b4142437\\u0044"), Fast::Accepted},
        {"the stories after the elements", Replace (Variant (stories, ""), "\"selection\"", stories + " \"selection\""),
         Fast::Declined},
        {"the library parts after the elements", Replace (Variant (parts, ""), "\"selection\"", parts + " \"selection\""),
         Fast::Declined},
        {"the selection and module data first", Replace (Variant (",\n  " + tail, ""), "\"version\": 1,", "\"version\": 1, " + tail + ","),
         Fast::Accepted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE (c.what);
        const std::string path = Write ("variant.json", c.text);
        EXPECT_EQ (LoadBoth (path), c.fast);
        EXPECT_EQ (LoadBoth (path, 1), c.fast) << "a window per line";
    }
}

TEST_F (ProjectFileFastTest, TheTextIsReadWholeWithRoomAfterIt)
{
    for (size_t size : {size_t (0), size_t (1), size_t (65536), size_t (200000)}) {
        std::string text (size, 'x');
        for (size_t i = 0; i < size; ++i)
            text[i] = static_cast<char> ('a' + i % 26);
        std::string read, error;
        ASSERT_TRUE (HostSim::ReadProjectText (Write ("text", text), &read, &error)) << error;
        EXPECT_EQ (read, text);
        EXPECT_GE (read.capacity (), size + HostSim::ProjectTextPadding);
    }
    std::string read, error;
    EXPECT_FALSE (HostSim::ReadProjectText (folder + "/missing.json", &read, &error));
    EXPECT_EQ (error, folder + "/missing.json: cannot open: No such file or directory");
    EXPECT_FALSE (HostSim::ReadProjectText (folder, &read, &error));
    EXPECT_EQ (error, folder + ": cannot read: Is a directory");
}

}   // namespace
