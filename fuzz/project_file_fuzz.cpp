// Fuzz target: the stand-in host's project-file loader over arbitrary bytes. A refused file must
// leave the caller's project as it was and answer one message that names the file and the place;
// an accepted one must save, load again and save to the same text (nothing lost on the way).
#include "FuzzHost.h"

#include "hostsim/ProjectFile.h"

#include <fstream>
#include <sstream>

namespace {

using FuzzSupport::Check;

std::string Contents (const std::string& path)
{
    std::ifstream in (path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf ();
    return text.str ();
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const std::string folder = FuzzSupport::Bound ().folder;
    const std::string path = folder + "/project.json";
    FuzzSupport::WriteFile (path, data, size);

    HostSim::Project project;
    project.path = "untouched";
    project.stories.push_back ({0, "Ground", 0.0});
    std::string error;
    if (!HostSim::LoadProject (path, &project, &error)) {
        Check (project.path == "untouched" && project.stories.size () == 1, "a refused file changes nothing");
        Check (error.rfind (path + ": ", 0) == 0, "the message names the file");
        const std::string place = error.substr (path.size () + 2);
        Check (place.rfind ("$", 0) == 0 || place.rfind ("not JSON: ", 0) == 0,
               "the message names the place (a member path, or where the JSON breaks)");
        Check (error.find ('\n') == std::string::npos, "the message is one line");
        return 0;
    }

    const std::string saved = folder + "/saved.json";
    const std::string again = folder + "/again.json";
    Check (HostSim::SaveProject (project, saved, &error), "an accepted project saves");
    HostSim::Project reloaded;
    Check (HostSim::LoadProject (saved, &reloaded, &error), "a saved project loads again");
    Check (HostSim::SaveProject (reloaded, again, &error), "a reloaded project saves");
    Check (Contents (saved) == Contents (again), "saving what was loaded from a save changes nothing");
    return 0;
}
