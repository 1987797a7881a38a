#include "FuzzHost.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

extern "C" GSErrCode GetExportedFuncAddrs (API_ExportedFuncs* record);
extern "C" GSErrCode SetImportedFuncAddrs (const API_HostTable* table, API_Client client);

namespace FuzzSupport {

namespace {

// A fresh scratch folder, in memory when the machine offers one (inputs are written per run).
std::string MakeFolder ()
{
    std::string pattern = (std::filesystem::is_directory ("/dev/shm") ? "/dev/shm" : "/tmp");
    pattern += "/tessera-fuzz-XXXXXX";
    if (mkdtemp (pattern.data ()) == nullptr) {
        std::perror ("tessera fuzz: cannot make a scratch folder");
        std::abort ();
    }
    return pattern;
}

Session* session = nullptr;

// Ends the session before the platform's own statics go: the host closes the add-on's resource
// module, whose registry is made during the binding and so is destroyed after this runs.
void EndSession ()
{
    std::error_code ignored;
    std::filesystem::remove_all (session->folder, ignored);
    delete session;
    session = nullptr;
}

}   // namespace

Session& Bound ()
{
    if (session != nullptr)
        return *session;
    auto* bound = new Session;
    bound->folder = MakeFolder ();
    std::string error;
    bound->client = bound->host.Bind (&GetExportedFuncAddrs, &SetImportedFuncAddrs, bound->folder + "/Tessera.apx",
                                      std::string (TESSERA_SOURCE_DIR) + "/resources/Tessera.rsrc", &error);
    if (bound->client == nullptr) {
        std::fprintf (stderr, "tessera fuzz: cannot bind the add-on: %s\n", error.c_str ());
        std::abort ();
    }
    session = bound;
    std::atexit (&EndSession);
    return *session;
}

void WriteFile (const std::string& path, const uint8_t* data, size_t size)
{
    FILE* file = std::fopen (path.c_str (), "wb");
    const bool written = file != nullptr && (size == 0 || std::fwrite (data, 1, size, file) == size);
    if (file == nullptr || std::fclose (file) != 0 || !written) {
        std::perror (("tessera fuzz: cannot write " + path).c_str ());
        std::abort ();
    }
}

void Check (bool condition, const char* what)
{
    if (condition)
        return;
    std::fprintf (stderr, "tessera fuzz: broken property: %s\n", what);
    std::abort ();
}

}   // namespace FuzzSupport
