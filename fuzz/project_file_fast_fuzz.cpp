// Fuzz target: the project file's fast path against the checked loader over arbitrary bytes. For
// every input the fast path declines, leaving the text as it was, or gives the Project the
// checked loader gives, field for field. It runs with its usual window and with small ones, so
// that window ends fall on every line.
#include "FuzzHost.h"

#include "hostsim/ProjectFile.h"
#include "hostsim/ProjectFileFast.h"
#include "tests/support/ProjectDump.h"

using FuzzSupport::Check;

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const std::string path = "project.json";
    const std::string text (reinterpret_cast<const char*> (data), size);
    HostSim::Project checked;
    std::string error;
    const bool checkedOk = HostSim::LoadProjectChecked (path, text, &checked, &error);
    const std::string expected = checkedOk ? TestSupport::Dump (checked) : std::string ();
    for (size_t window : {HostSim::ProjectTextWindow, size_t (1), size_t (64)}) {
        HostSim::Project fast;
        std::string fastText = text;
        if (!HostSim::LoadProjectFast (path, fastText, &fast, window)) {
            Check (fastText == text, "a declined text is left as it was");
            continue;
        }
        Check (checkedOk, "the fast path reads only files the checked loader reads");
        Check (TestSupport::Dump (fast) == expected, "the fast path gives the Project the checked loader gives");
        Check (fast.fileText == text, "the fast path keeps the text");
    }
    return 0;
}
