// Table entries for library-part search and fetch. Both answer the part's index, name and
// unique-ID text, and hand out a new IO::Location of the part's file that the caller deletes
// (null when the call fails). Texts longer than the record's fields are cut to 255 characters.
// A search by unique ID is a hashed lookup, checked against the part list.
#include "Host.h"

#include "gs/IOLocation.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

namespace HostSim {

namespace {

void CopyText (char (&to)[API_LibPartTextLength], const std::string& from)
{
    const size_t length = std::min (from.size (), sizeof to - 1);
    std::memcpy (to, from.data (), length);
    to[length] = '\0';
}

// Where the part's file lies: the library folder beside the project, named after the part.
IO::Location* NewPartLocation (const Project& project, const LibPart& part)
{
    const auto slash = project.path.rfind ('/');
    const std::string folder = slash == std::string::npos ? std::string () : project.path.substr (0, slash + 1);
    return new IO::Location (GS::String (folder + "Library/" + part.name + ".libpart"));
}

void FillRecord (const Project& project, const LibPart& part, API_LibPart* libPart)
{
    libPart->index = part.index;
    CopyText (libPart->docu_UName, part.name);
    CopyText (libPart->ownUnID, part.guid);
    libPart->location = NewPartLocation (project, part);
}

// Position of the first part whose unique-ID text is `wanted`, or -1. An add-on searches once per
// stored detail level, so a scan per search would grow with the square of the library. The index
// is rebuilt whenever it does not answer for the project's part list as it is now: an answer is
// used only when that part still carries the text, and a miss is confirmed by a scan (which
// rebuilds the index when it finds the part).
long FindByGuid (const std::vector<LibPart>& parts, const std::string& wanted)
{
    static std::unordered_map<std::string, size_t> index;
    static const LibPart* indexedData = nullptr;
    static size_t indexedSize = 0;
    auto rebuild = [&] {
        index.clear ();
        index.reserve (parts.size ());
        for (size_t i = 0; i < parts.size (); ++i)
            index.emplace (parts[i].guid, i);   // the first of equal texts stays
        indexedData = parts.data ();
        indexedSize = parts.size ();
    };
    if (indexedData != parts.data () || indexedSize != parts.size ())
        rebuild ();
    auto hit = index.find (wanted);
    if (hit != index.end () && hit->second < parts.size () && parts[hit->second].guid == wanted)
        return static_cast<long> (hit->second);
    for (size_t i = 0; i < parts.size (); ++i) {
        if (parts[i].guid == wanted) {
            rebuild ();
            return static_cast<long> (i);
        }
    }
    return -1;
}

// Finds the part whose unique-ID text is exactly `ownUnID` (case matters).
GSErrCode LibPartSearch (API_Client c, API_LibPart* libPart, bool /*warnings*/)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_LibPart_Search"))
        return e;
    if (libPart == nullptr)
        return APIERR_BADPARS;
    libPart->location = nullptr;
    const size_t length = strnlen (libPart->ownUnID, sizeof libPart->ownUnID);
    if (length == sizeof libPart->ownUnID)
        return APIERR_BADPARS;   // no terminator
    const std::string wanted (libPart->ownUnID, length);
    if (wanted.empty ())
        return APIERR_NOTFOUND;
    const long found = FindByGuid (host.project.libParts, wanted);
    if (found < 0)
        return APIERR_NOTFOUND;
    FillRecord (host.project, host.project.libParts[static_cast<size_t> (found)], libPart);
    return NoError;
}

GSErrCode LibPartGet (API_Client c, API_LibPart* libPart)
{
    Host& host = Host::Of (c);
    if (GSErrCode e = host.failures.Check ("ACAPI_LibPart_Get"))
        return e;
    if (libPart == nullptr)
        return APIERR_BADPARS;
    libPart->location = nullptr;
    const LibPart* part = host.project.FindLibPart (libPart->index);
    if (part == nullptr)
        return APIERR_BADID;
    FillRecord (host.project, *part, libPart);
    return NoError;
}

}   // namespace

void InstallLibPartOps (Host&, API_HostTable& table)
{
    table.libPartSearch = &LibPartSearch;
    table.libPartGet = &LibPartGet;
}

}   // namespace HostSim
