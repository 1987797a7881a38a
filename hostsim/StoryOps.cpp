// Table entries for stories, windows and databases, answered from the project model:
// 'GSTO' story settings (with a new block of API_StoryType the caller releases), 'CSTO' make a
// story current, 'GWIN' current window, 'CHWD' bring up a window, 'GDAT' current database,
// 'CDAT' make a database current. A window or database record of type 0 or below is refused.
// The failure switch is consulted by selector in Host::Dispatch.
#include "Host.h"

#include "gs/MemoryHandle.h"

#include <cstring>

namespace HostSim {

namespace {

constexpr Int32 StoryCmdGoTo = 0;   // 'CSTO' action: make story `index` current

GSErrCode GetStorySettings (Host& host, AddonClient&, void* par1, void*)
{
    auto* info = static_cast<API_StoryInfo*> (par1);
    if (info == nullptr)
        return APIERR_BADPARS;
    const std::vector<Story>& stories = host.project.stories;
    GSHandle data = BMAllocateHandle (stories.size () * sizeof (API_StoryType));
    if (data == nullptr)
        return APIERR_GENERAL;
    auto* records = reinterpret_cast<API_StoryType*> (*data);
    for (size_t i = 0; i < stories.size (); ++i) {
        records[i].index = stories[i].index;
        records[i].level = stories[i].level;
    }
    std::memset (info, 0, sizeof (API_StoryInfo));
    // A project without stories answers the empty range 0 .. -1.
    info->firstStory = stories.empty () ? 0 : stories.front ().index;
    info->lastStory = stories.empty () ? -1 : stories.back ().index;
    info->actStory = host.project.currentStory;
    info->skipNullFloor = host.project.skipNullFloor ? 1 : 0;
    info->data = data;
    return NoError;
}

GSErrCode ChangeStorySettings (Host& host, AddonClient&, void* par1, void*)
{
    const auto* cmd = static_cast<const API_StoryCmdType*> (par1);
    if (cmd == nullptr || cmd->action != StoryCmdGoTo)
        return APIERR_BADPARS;
    for (const Story& story : host.project.stories) {
        if (story.index == cmd->index) {
            host.project.currentStory = cmd->index;
            return NoError;
        }
    }
    return APIERR_BADID;
}

GSErrCode GetCurrentWindow (Host& host, AddonClient&, void* par1, void*)
{
    auto* window = static_cast<API_WindowInfo*> (par1);
    if (window == nullptr)
        return APIERR_BADPARS;
    std::memset (window, 0, sizeof (API_WindowInfo));
    window->typeID = host.project.currentWindow;
    return NoError;
}

GSErrCode ChangeWindow (Host& host, AddonClient&, void* par1, void*)
{
    const auto* window = static_cast<const API_WindowInfo*> (par1);
    if (window == nullptr || window->typeID <= 0)
        return APIERR_BADPARS;
    host.project.currentWindow = window->typeID;
    return NoError;
}

GSErrCode GetCurrentDatabase (Host& host, AddonClient&, void* par1, void*)
{
    auto* database = static_cast<API_DatabaseInfo*> (par1);
    if (database == nullptr)
        return APIERR_BADPARS;
    *database = host.project.currentDatabase;
    return NoError;
}

GSErrCode ChangeCurrentDatabase (Host& host, AddonClient&, void* par1, void*)
{
    const auto* database = static_cast<const API_DatabaseInfo*> (par1);
    if (database == nullptr || database->typeID <= 0)
        return APIERR_BADPARS;
    host.project.currentDatabase = *database;
    return NoError;
}

}   // namespace

void InstallStoryOps (Host& host, API_HostTable&)
{
    host.RegisterSelector (OpGroup::Environment, APIEnv_GetStorySettingsID, &GetStorySettings);
    host.RegisterSelector (OpGroup::Environment, APIEnv_ChangeStorySettingsID, &ChangeStorySettings);
    host.RegisterSelector (OpGroup::Database, APIDb_GetCurrentWindowID, &GetCurrentWindow);
    host.RegisterSelector (OpGroup::Automate, APIDo_ChangeWindowID, &ChangeWindow);
    host.RegisterSelector (OpGroup::Database, APIDb_GetCurrentDatabaseID, &GetCurrentDatabase);
    host.RegisterSelector (OpGroup::Database, APIDb_ChangeCurrentDatabaseID, &ChangeCurrentDatabase);
}

}   // namespace HostSim
