// Writes a generated benchmark project (ProjectGenerator.h) as a project file.
//
//   tessera-genproject --elements N --parts P [--seed S] [--stories K] OUT
//
// Answers 0 when the file was written; otherwise prints one line naming what was wrong.
#include "ProjectGenerator.h"

#include "hostsim/ProjectFile.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int Usage (const std::string& problem)
{
    std::fprintf (stderr,
                  "tessera-genproject: %s\nusage: tessera-genproject --elements N --parts P [--seed S] "
                  "[--stories K] OUT\n",
                  problem.c_str ());
    return 2;
}

// A whole positive number within `limit`, or -1.
long long Count (const char* text, long long limit)
{
    char* end = nullptr;
    const long long value = std::strtoll (text, &end, 10);
    return end != text && *end == '\0' && value > 0 && value <= limit ? value : -1;
}

}   // namespace

int main (int argc, char** argv)
{
    Bench::GeneratorSettings settings;
    std::string out;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        long long value = 0;
        if (arg == "--elements" && hasValue) {
            if ((value = Count (argv[++i], 10000000)) < 0)
                return Usage ("--elements wants a number from 1 to 10000000");
            settings.elements = static_cast<Int32> (value);
        } else if (arg == "--parts" && hasValue) {
            if ((value = Count (argv[++i], 1000000)) < 0)
                return Usage ("--parts wants a number from 1 to 1000000");
            settings.libParts = static_cast<Int32> (value);
        } else if (arg == "--stories" && hasValue) {
            if ((value = Count (argv[++i], 200)) < 0)
                return Usage ("--stories wants a number from 1 to 200");
            settings.stories = static_cast<Int16> (value);
        } else if (arg == "--seed" && hasValue) {
            settings.seed = std::strtoull (argv[++i], nullptr, 10);
        } else if (!arg.empty () && arg[0] != '-' && out.empty ()) {
            out = arg;
        } else {
            return Usage ("unexpected argument " + arg);
        }
    }
    if (out.empty ())
        return Usage ("no output file named");

    HostSim::Project project;
    Bench::GenerateProject (settings, &project);
    std::string error;
    if (!HostSim::SaveProject (project, out, &error)) {
        std::fprintf (stderr, "tessera-genproject: %s\n", error.c_str ());
        return 1;
    }
    return 0;
}
