#include "ResourceModules.h"

#include <map>

namespace RSRC {

namespace {

struct Registry {
    std::map<GSResModule, std::unique_ptr<ResourceFile>> files;
    GSResModule next = 1;
    GSResModule active = 0;
};

Registry& TheRegistry ()
{
    static Registry registry;
    return registry;
}

}   // namespace

GSResModule OpenModule (const std::string& path, std::string* error)
{
    auto file = std::make_unique<ResourceFile> ();
    if (!file->Load (path, error))
        return 0;
    Registry& r = TheRegistry ();
    const GSResModule id = r.next++;
    r.files[id] = std::move (file);
    return id;
}

void CloseModule (GSResModule module)
{
    Registry& r = TheRegistry ();
    r.files.erase (module);
    if (r.active == module)
        r.active = 0;
}

const ResourceFile* GetModule (GSResModule module)
{
    Registry& r = TheRegistry ();
    auto it = r.files.find (module);
    return it == r.files.end () ? nullptr : it->second.get ();
}

GSResModule GetActiveModule () { return TheRegistry ().active; }

GSResModule SetActiveModule (GSResModule module)
{
    Registry& r = TheRegistry ();
    const GSResModule previous = r.active;
    r.active = module;
    return previous;
}

const ResourceFile* ActiveFile () { return GetModule (GetActiveModule ()); }

}   // namespace RSRC
