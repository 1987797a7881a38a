// Fuzz target: the host's session-script parser over arbitrary bytes (nothing is run). A refused
// script answers one message "FILE:LINE: ..." naming a line of the text; an accepted one gives
// steps on increasing lines, and the steps' own texts, parsed again, give the same steps.
#include "FuzzHost.h"

#include "hostsim/SessionScript.h"

#include <tuple>

namespace {

using FuzzSupport::Check;

constexpr char FileName[] = "fuzz.script";

auto Fields (const HostSim::ScriptStep& s)
{
    return std::tie (s.action, s.panel, s.item, s.row, s.number, s.height, s.rows, s.modifiers, s.path, s.print);
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const std::string text (reinterpret_cast<const char*> (data), size);
    Int32 lines = 1;
    for (char c : text)
        lines += c == '\n';

    HostSim::SessionScript script;
    std::string error;
    if (!HostSim::ParseSessionScript (FileName, text, &script, &error)) {
        const std::string prefix = std::string (FileName) + ":";
        Check (error.rfind (prefix, 0) == 0, "the message names the script");
        const size_t colon = error.find (':', prefix.size ());
        Check (colon != std::string::npos && colon > prefix.size (), "the message names a line");
        const std::string number = error.substr (prefix.size (), colon - prefix.size ());
        Check (number.find_first_not_of ("0123456789") == std::string::npos && number.size () < 10,
               "the line is a number");
        const Int32 line = std::stoi (number);
        Check (line >= 1 && line <= lines, "the line is one of the script's");
        Check (error.find ('\n') == std::string::npos, "the message is one line");
        return 0;
    }

    std::string again;
    Int32 previous = 0;
    for (const HostSim::ScriptStep& step : script.steps) {
        Check (step.line > previous && step.line <= lines, "steps come on increasing lines of the script");
        previous = step.line;
        again += step.text + "\r\n";   // the CR a line may end with is taken off, a word's own kept
    }
    HostSim::SessionScript reparsed;
    Check (HostSim::ParseSessionScript (FileName, again, &reparsed, &error), "a step's own text parses");
    Check (reparsed.steps.size () == script.steps.size (), "a step's own text gives one step");
    for (size_t i = 0; i < script.steps.size (); ++i)
        Check (Fields (reparsed.steps[i]) == Fields (script.steps[i]), "a step's own text gives the same step");
    return 0;
}
