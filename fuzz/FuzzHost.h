// Fuzz support: one in-process stand-in host per fuzzing process, with the add-on (linked into
// the fuzz program) bound to it as if the add-on's file lay in a private scratch folder. Targets
// write their input files into that folder and call the add-on or the host directly.
//
// The host, its client and the folder live until the process exits; the folder is removed then.
// A binding that fails is a broken build, not a finding: the process stops with a message.
// Dialogs the add-on opens close by themselves (no user agent is installed). Main thread only.
#pragma once

#include "hostsim/Host.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace FuzzSupport {

struct Session {
    HostSim::Host host;
    HostSim::AddonClient* client = nullptr;
    std::string folder;   // scratch folder; the add-on's file is folder + "/Tessera.apx"
};

// The process's session, bound on first use.
Session& Bound ();

// Writes `size` bytes to `path`, replacing it; stops the process when the scratch folder fails.
void WriteFile (const std::string& path, const uint8_t* data, size_t size);

// Stops the process with `what` when `condition` is false: the fuzzer records the input as a crash.
void Check (bool condition, const char* what);

}   // namespace FuzzSupport
