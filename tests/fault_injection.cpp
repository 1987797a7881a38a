// Fault injection end to end: the working session in DATA (session.txt on project.json: open the
// palette, census, change a level, census, select, save, close, reopen, merge) runs once cleanly
// in the host program to learn which host operations the add-on calls and how often, then once per
// operation and chosen call (the first, the middle one and the last) with that call
// failing through the host's failure switch.
//
// Every run must end by itself with status 0 (the add-on went on) or 1 (a step stopped with a
// message), never a signal or a sanitizer's status; its saved project must load again and still
// hold every detail level the original project stored, with its value, unless the session's own
// save set it; a failed save must leave the previous file byte for byte and say so.
//
// Usage: fault_injection HOST DATA. Prints the table, `figure fault-cases N`,
// `figure fault-failures N` and a closing `N passed, N failed`; exits 1 when any case failed.
#include "fuzz/ModuleDataCheck.h"
#include "hostsim/ProjectFile.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <map>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr const char* FailCode = "0x81060001";   // the host's general failure
constexpr int SanitizerStatus = 86;              // a sanitizer's report, told apart from status 1

struct Run {
    bool signaled = false;
    int status = 0;   // exit status, or the signal
    std::string out, err;
};

std::string ReadText (const fs::path& path)
{
    std::ifstream file (path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf ();
    return text.str ();
}

void WriteText (const fs::path& path, const std::string& text)
{
    std::ofstream (path, std::ios::binary) << text;
}

// Runs the host on the case folder's project and script, its output in files of that folder.
Run RunHost (const std::string& host, const fs::path& dir)
{
    const std::string project = (dir / "project.json").string (), script = (dir / "session.txt").string ();
    const std::string out = (dir / "out.txt").string (), err = (dir / "err.txt").string ();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init (&actions);
    posix_spawn_file_actions_addopen (&actions, 1, out.c_str (), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen (&actions, 2, err.c_str (), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> args = {host, project, "--script", script, "--host-calls"};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back (arg.data ());
    argv.push_back (nullptr);
    Run run;
    pid_t pid = 0;
    if (posix_spawn (&pid, host.c_str (), &actions, nullptr, argv.data (), environ) != 0) {
        run.status = 127;
        run.err = "cannot start " + host;
        posix_spawn_file_actions_destroy (&actions);
        return run;
    }
    posix_spawn_file_actions_destroy (&actions);
    int status = 0;
    while (waitpid (pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.signaled = WIFSIGNALED (status);
    run.status = run.signaled ? WTERMSIG (status) : WEXITSTATUS (status);
    run.out = ReadText (out);
    run.err = ReadText (err);
    return run;
}

// Operation name -> calls, from the host's `host-call NAME N` lines.
std::vector<std::pair<std::string, int>> HostCalls (const std::string& out)
{
    std::vector<std::pair<std::string, int>> calls;
    std::istringstream lines (out);
    std::string line;
    while (std::getline (lines, line)) {
        std::istringstream words (line);
        std::string tag, name;
        int n = 0;
        if (words >> tag >> name >> n && tag == "host-call")
            calls.emplace_back (name, n);
    }
    return calls;
}

// The detail levels the project file stores in the add-on's block; false when it does not load.
bool StoredLevels (const fs::path& path, std::map<std::string, int>* levels, std::string* error)
{
    HostSim::Project project;
    if (!HostSim::LoadProject (path.string (), &project, error))
        return false;
    levels->clear ();
    const auto block = project.moduleData.find ("Tessera");
    if (block != project.moduleData.end ())
        for (const auto& [key, level] : FuzzSupport::ReferenceRead (block->second.bytes))
            levels->emplace (key, level);
    return true;
}

int Occurrences (const std::string& text, const std::string& what)
{
    int n = 0;
    for (size_t at = text.find (what); at != std::string::npos; at = text.find (what, at + what.size ()))
        ++n;
    return n;
}

std::string FirstLine (const std::string& text)
{
    return text.substr (0, text.find ('\n'));
}

std::string Replaced (std::string text, const std::string& what, const std::string& with)
{
    for (size_t at = text.find (what); at != std::string::npos; at = text.find (what, at + with.size ()))
        text.replace (at, what.size (), with);
    return text;
}

}   // namespace

int main (int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "Usage: fault_injection HOST DATA\n";
        return 2;
    }
    const std::string host = argv[1];
    const fs::path data = argv[2];
    // A sanitizer's report must not pass for a step that stopped with status 1.
    for (const char* variable : {"ASAN_OPTIONS", "UBSAN_OPTIONS"}) {
        const char* given = std::getenv (variable);
        const std::string options = (given != nullptr && *given != '\0' ? std::string (given) + ":" : std::string ()) +
                                    "exitcode=" + std::to_string (SanitizerStatus);
        setenv (variable, options.c_str (), 1);
    }

    std::string scratchName = (fs::temp_directory_path () / "tessera-faults-XXXXXX").string ();
    if (mkdtemp (scratchName.data ()) == nullptr) {
        std::cerr << "fault_injection: cannot make a scratch folder: " << std::strerror (errno) << "\n";
        return 2;
    }
    const fs::path scratch = scratchName;
    const std::string original = ReadText (data / "project.json");
    const std::string session = ReadText (data / "session.txt");

    // A fresh case folder: the project, the merge source and the script with `prefix` on top.
    auto prepare = [&] (const std::string& name, const std::string& prefix) {
        const fs::path dir = scratch / name;
        fs::create_directories (dir);
        fs::copy_file (data / "project.json", dir / "project.json");
        fs::copy_file (data / "merge.json", dir / "merge.json");
        WriteText (dir / "session.txt", prefix + session);
        return dir;
    };

    std::string error;
    std::map<std::string, int> before, cleanSaved;
    if (!StoredLevels (data / "project.json", &before, &error)) {
        std::cerr << "fault_injection: " << error << "\n";
        return 2;
    }
    const fs::path cleanDir = prepare ("clean", "");
    const Run clean = RunHost (host, cleanDir);
    if (clean.signaled || clean.status != 0 || !StoredLevels (cleanDir / "project.json", &cleanSaved, &error)) {
        std::cerr << "fault_injection: the session fails without any fault (status " << clean.status << "):\n"
                  << clean.err << error << "\n";
        fs::remove_all (scratch);
        return 1;
    }
    const auto calls = HostCalls (clean.out);
    if (calls.empty ()) {
        std::cerr << "fault_injection: the clean session listed no host calls\n";
        fs::remove_all (scratch);
        return 1;
    }

    std::cout << std::left << std::setw (38) << "operation" << std::right << std::setw (6) << "calls" << std::setw (6)
              << "fail" << std::setw (6) << "exit"
              << "  outcome\n";
    int cases = 0, failures = 0, stopped = 0;
    for (const auto& [operation, count] : calls) {
        std::vector<int> chosen = {1};   // the first call, one in the middle, the last
        if (count > 2)
            chosen.push_back ((count + 1) / 2);
        if (count > 1)
            chosen.push_back (count);
        for (const int call : chosen) {
            ++cases;
            const std::string name = "case-" + std::to_string (cases);
            const fs::path dir =
                prepare (name, "fail " + operation + " " + FailCode + " " + std::to_string (call) + " 1\n");
            const Run run = RunHost (host, dir);
            const std::string err = Replaced (run.err, dir.string () + "/", "");
            std::vector<std::string> problems;
            if (run.signaled)
                problems.push_back ("ended by signal " + std::to_string (run.status));
            else if (run.status != 0 && run.status != 1)
                problems.push_back ("exit status " + std::to_string (run.status));
            else if (run.status == 1 && FirstLine (err).rfind ("tessera-host: ", 0) != 0)
                problems.push_back ("status 1 without a message");
            if (err.find ("an exception escaped") != std::string::npos)
                problems.push_back ("an exception escaped the add-on");
            const std::string saved = ReadText (dir / "project.json");
            std::map<std::string, int> after;
            std::string loadError;
            if (!StoredLevels (dir / "project.json", &after, &loadError)) {
                problems.push_back ("the saved project does not load: " + loadError);
            } else {
                for (const auto& [key, level] : before) {
                    const auto now = after.find (key);
                    const auto set = cleanSaved.find (key);
                    const bool kept = now != after.end () && now->second == level;
                    const bool setBySave = saved != original && now != after.end () && set != cleanSaved.end () &&
                                           now->second == set->second;
                    if (!kept && !setBySave)
                        problems.push_back ("the stored level of " + key + " was lost");
                }
            }
            if (err.find ("cannot save") != std::string::npos) {
                if (saved != original)
                    problems.push_back ("a failed save changed the project file");
                if (err.find ("the file was not changed") == std::string::npos)
                    problems.push_back ("a failed save does not say the file was not changed");
            }
            for (const auto& entry : fs::directory_iterator (dir))
                if (entry.path ().filename ().string ().find (".saving-") != std::string::npos)
                    problems.push_back ("a temporary file was left: " + entry.path ().filename ().string ());

            std::string outcome = run.status == 0 && !run.signaled ? "went on" : FirstLine (err);
            if (outcome.rfind ("tessera-host: ", 0) == 0)
                outcome = "stopped: " + outcome.substr (14);
            const int messages = Occurrences (run.out, "-- dialog 128 closed");   // the add-on's error message
            if (messages > 0)
                outcome = std::to_string (messages) + (messages == 1 ? " message, " : " messages, ") + outcome;
            if (outcome.size () > 110)
                outcome = outcome.substr (0, 107) + "...";
            if (run.status == 1)
                ++stopped;
            std::cout << std::left << std::setw (38) << operation << std::right << std::setw (6) << count
                      << std::setw (6) << call << std::setw (6) << run.status << "  " << outcome << "\n";
            for (const std::string& problem : problems)
                std::cout << "    FAULT: " << problem << "\n";
            if (!problems.empty ()) {
                ++failures;
                std::cout << "    (its script and error output: " << dir.string () << ")\n";
                for (std::istringstream lines (err); std::getline (lines, error);)
                    std::cout << "    | " << error << "\n";
            } else {
                fs::remove_all (dir);
            }
        }
    }
    std::cout << calls.size () << " operations, " << cases << " cases run, " << stopped << " stopped with a message, "
              << failures << " with faults\n";
    std::cout << "figure fault-cases " << cases << "\n";
    std::cout << "figure fault-failures " << failures << "\n";
    std::cout << (cases - failures) << " passed, " << failures << " failed\n";
    if (failures == 0)
        fs::remove_all (scratch);
    return failures == 0 ? 0 : 1;
}
