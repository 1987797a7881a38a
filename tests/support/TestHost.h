// Test support: an in-process stand-in host with the add-on (linked into the test program)
// bound to it, the way the real host binds the module. Each test gets a fresh host; the add-on's
// binding is cleared again at the end so no test sees another's host.
#pragma once

#include "hostsim/Host.h"

#include <gtest/gtest.h>

#include <string>

extern "C" GSErrCode GetExportedFuncAddrs (API_ExportedFuncs* record);
extern "C" GSErrCode SetImportedFuncAddrs (const API_HostTable* table, API_Client client);

namespace TestSupport {

std::string SourceDir ();
std::string ResourcePath ();   // the add-on's resource file in the source tree

// A resource string of the add-on's resource file, for comparing with what the add-on shows.
std::string AddonString (Int32 listId, Int32 index);

class AddonTest : public ::testing::Test {
public:
    void SetUp () override;
    void TearDown () override;

    HostSim::Host host;
    HostSim::AddonClient* client = nullptr;
};

}   // namespace TestSupport
