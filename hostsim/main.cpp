// tessera-host: the stand-in host program. Loads an add-on module, binds it, starts it, opens a
// project, runs a session of user actions (a script, or the user's first click: the add-on's menu
// command, then the report window and the palette printed as text), optionally saves the project,
// closes it and unloads the add-on.
//
// Exit status: 0 done; 1 a session step failed (the message names the script line); 2 bad usage
// or bad input (command line, project file, script, add-on module), with nothing run.
#include "ModuleLoader.h"
#include "ProjectFile.h"
#include "Session.h"
#include "SessionScript.h"

#include <CLI/CLI.hpp>
#include <unicode/numfmt.h>
#include <unicode/uclean.h>

#include <climits>
#include <cstddef>
#include <cstdlib>
#include <iostream>
#include <unistd.h>

namespace {

constexpr int ExitDone = 0;
constexpr int ExitStepFailed = 1;
constexpr int ExitBadInput = 2;

// The folder of this program, where its add-on lies by default.
std::string ProgramDirectory (const char* argv0)
{
    char buffer[PATH_MAX];
    const ssize_t n = readlink ("/proc/self/exe", buffer, sizeof buffer - 1);
    std::string program = n > 0 ? std::string (buffer, static_cast<size_t> (n)) : std::string (argv0);
    const auto slash = program.rfind ('/');
    return slash == std::string::npos ? std::string (".") : program.substr (0, slash);
}

// The add-on's resource file: the module path with the extension .rsrc.
std::string ResourcePathOf (const std::string& modulePath)
{
    const auto slash = modulePath.rfind ('/');
    const auto dot = modulePath.rfind ('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? modulePath.substr (0, dot) : modulePath) + ".rsrc";
}

bool IsLocaleName (const std::string& name)
{
    if (name.empty () || name.size () > 64)
        return false;
    for (const char c : name)
        if (!std::isalnum (static_cast<unsigned char> (c)) && c != '_' && c != '-' && c != '.' && c != '@')
            return false;
    return true;
}

// The host has the system's Unicode libraries loaded for its whole run, as a real host does: an
// add-on that uses them shares them, and the caches they fill outlive the add-on's unloading
// instead of being unmapped with it.
void LoadUnicodeLibraries ()
{
    UErrorCode status = U_ZERO_ERROR;
    u_init (&status);
    int32_t count = 0;
    icu::NumberFormat::getAvailableLocales (count);
}

int ExitCodeOf (const HostSim::Outcome& outcome)
{
    switch (outcome.kind) {
    case HostSim::Outcome::Kind::Done:
        return ExitDone;
    case HostSim::Outcome::Kind::BadInput:
        return ExitBadInput;
    case HostSim::Outcome::Kind::Failed:
        break;
    }
    return ExitStepFailed;
}

int Fail (int code, const std::string& message)
{
    std::cerr << "tessera-host: " << message << "\n";
    return code;
}

}   // namespace

int main (int argc, char** argv)
{
    CLI::App app ("The stand-in host: runs an add-on on a project, as a user's session of actions.\n"
                  "Exit status: 0 done, 1 a session step failed, 2 bad usage or bad input.",
                  "tessera-host");
    std::string projectPath, scriptPath, addonPath, locale;
    bool save = false, hostCalls = false;
    app.add_option ("PROJECT", projectPath, "The project file to open (JSON)")->required ();
    app.add_option ("--script", scriptPath,
                    "A session script: one user action per line (docs/session-script.md). Without one, "
                    "the add-on's menu command runs, then the report window and the palette are printed");
    app.add_flag ("--save", save, "Write the project back to its file at the end (after the before-store event)");
    app.add_option ("--addon", addonPath, "The add-on module to load (default: Tessera.apx beside this program)");
    app.add_flag ("--host-calls", hostCalls,
                  "At the very end, print the host operations the add-on called, one `host-call NAME N` line each");
    app.add_option ("--locale", locale, "The locale for the add-on's number formatting (sets LC_ALL), e.g. de_DE");
    try {
        app.parse (argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit (e);
        return code == 0 ? ExitDone : ExitBadInput;
    }

    if (!locale.empty ()) {
        if (!IsLocaleName (locale))
            return Fail (ExitBadInput,
                         "--locale: expected a locale name such as de_DE or en_US.UTF-8, found '" + locale + "'");
        setenv ("LC_ALL", locale.c_str (), 1);
    }
    if (addonPath.empty ())
        addonPath = ProgramDirectory (argv[0]) + "/Tessera.apx";

    // Everything that can be checked is checked before the add-on runs.
    HostSim::Project project;
    std::string error;
    if (!HostSim::LoadProject (projectPath, &project, &error))
        return Fail (ExitBadInput, error);
    HostSim::SessionScript script = HostSim::DefaultSessionScript ();
    if (!scriptPath.empty () && !HostSim::LoadSessionScript (scriptPath, &script, &error))
        return Fail (ExitBadInput, error);

    LoadUnicodeLibraries ();
    HostSim::ModuleLoader module;
    if (!module.Load (addonPath, &error))
        return Fail (ExitBadInput, error);
    int exitCode = ExitDone;
    {
        HostSim::Host host;
        HostSim::AddonClient* client = host.Bind (module.GetExportedFuncAddrs (), module.SetImportedFuncAddrs (),
                                                  addonPath, ResourcePathOf (addonPath), &error);
        if (client == nullptr)
            return Fail (ExitBadInput, error);
        {
            HostSim::Session session (host, *client, std::cout);
            // Leading `fail` lines set the failure switch before the add-on starts, so they reach
            // its start-up calls too.
            HostSim::SessionScript leading = script;
            size_t setUp = 0;
            while (setUp < script.steps.size () && (script.steps[setUp].action == HostSim::ScriptAction::Fail ||
                                                    script.steps[setUp].action == HostSim::ScriptAction::FailClear))
                ++setUp;
            leading.steps.resize (setUp);
            script.steps.erase (script.steps.begin (), script.steps.begin () + static_cast<std::ptrdiff_t> (setUp));
            HostSim::Outcome outcome = HostSim::RunSessionScript (session, leading);
            if (outcome.IsOk ())
                outcome = session.Start ();
            if (outcome.IsOk ()) {
                session.MakeCurrent (std::move (project), HostSim::ProjectEvent::OpenedProject);
                outcome = HostSim::RunSessionScript (session, script);
                if (outcome.IsOk () && save)
                    outcome = session.Save ();
            }
            const HostSim::Outcome finished = session.Finish ();
            if (hostCalls)
                for (const auto& [name, calls] : host.failures.CallCounts ())
                    std::cout << "host-call " << name << " " << calls << "\n";
            std::cout.flush ();
            if (!outcome.IsOk ())
                exitCode = Fail (ExitCodeOf (outcome), outcome.message);
            else if (!finished.IsOk ())
                exitCode = Fail (ExitCodeOf (finished), finished.message);
        }
        host.Unbind (client);
    }
    module.Unload ();
    return exitCode;
}
