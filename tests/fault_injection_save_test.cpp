// A save that fails part way, step by step through the saver's fault hook: the previous project
// file stays byte for byte, no temporary file is left, and the message names the step and says the
// file was not changed.
#include "TestHost.h"

#include "hostsim/ProjectFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using HostSim::LoadProject;
using HostSim::Project;
using HostSim::SaveProject;

std::string ReadText (const std::string& path)
{
    std::ifstream file (path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf ();
    return text.str ();
}

class FailedSaveTest : public ::testing::Test {
public:
    void SetUp () override
    {
        char pattern[] = "/tmp/tessera-save-XXXXXX";
        ASSERT_NE (mkdtemp (pattern), nullptr);
        folder = pattern;
        path = folder + "/p.json";
        ASSERT_TRUE (LoadProject (TestSupport::SourceDir () + "/tests/data/faults/project.json", &project, &error))
            << error;
        std::ofstream (path, std::ios::binary) << previous;
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

    const std::string previous = "{ \"version\": 1, \"note\": \"the previous save\" }\n";
    std::string folder, path, error;
    Project project;
};

TEST_F (FailedSaveTest, EachFailingStepLeavesThePreviousFileAndSaysWhichStepFailed)
{
    const struct {
        const char* step;
        int code;
        std::string what;   // the message after "PATH: cannot save: "
        std::vector<std::string> asked;
    } cases[] = {
        {"create", EACCES, "cannot create a temporary file in " + folder + ": Permission denied", {"create"}},
        {"write", ENOSPC, "cannot write " + folder + "/.p.json.saving-", {"create", "write"}},
        {"flush", EIO, "cannot flush " + folder + "/.p.json.saving-", {"create", "write", "flush"}},
        {"rename", EXDEV, "cannot rename " + folder + "/.p.json.saving-", {"create", "write", "flush", "rename"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE (c.step);
        std::vector<std::string> asked;
        const HostSim::SaveFaults faults = [&] (const char* step) {
            asked.push_back (step);
            return asked.back () == c.step ? c.code : 0;
        };
        EXPECT_FALSE (SaveProject (project, path, &error, faults));
        EXPECT_EQ (error.rfind (path + ": cannot save: " + c.what, 0), 0u) << error;
        const std::string tail = std::string (": ") + std::strerror (c.code) + "; the file was not changed";
        EXPECT_EQ (error.size () >= tail.size () ? error.substr (error.size () - tail.size ()) : error, tail);
        EXPECT_EQ (asked, c.asked) << "the save goes no further than the failing step";
        EXPECT_EQ (ReadText (path), previous);
        EXPECT_EQ (FolderEntries (), std::vector<std::string>{"p.json"}) << "no temporary file is left";
    }
}

TEST_F (FailedSaveTest, AHookThatFailsNothingSavesAfterAskingEveryStepInOrder)
{
    std::vector<std::string> asked;
    ASSERT_TRUE (SaveProject (project, path, &error, [&] (const char* step) {
        asked.push_back (step);
        return 0;
    })) << error;
    EXPECT_EQ (asked, (std::vector<std::string>{"create", "write", "flush", "rename"}));
    EXPECT_NE (ReadText (path), previous);
    Project back;
    ASSERT_TRUE (LoadProject (path, &back, &error)) << error;
    EXPECT_EQ (back.moduleData.at ("Tessera").bytes, project.moduleData.at ("Tessera").bytes);
    EXPECT_EQ (FolderEntries (), std::vector<std::string>{"p.json"});
}

}   // namespace
