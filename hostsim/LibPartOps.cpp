// Table entries for library-part search and fetch. Both answer the part's index, name and
// unique-ID text, and hand out a new IO::Location of the part's file that the caller deletes
// (null when the call fails). Texts longer than the record's fields are cut to 255 characters.
#include "Host.h"

#include "gs/IOLocation.h"

#include <algorithm>
#include <cstring>

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
    for (const LibPart& part : host.project.libParts) {
        if (part.guid == wanted) {
            FillRecord (host.project, part, libPart);
            return NoError;
        }
    }
    return APIERR_NOTFOUND;
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
