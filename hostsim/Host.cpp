#include "Host.h"

#include "rsrc/ResourceModules.h"

#include <cstring>

namespace HostSim {

namespace {

GSErrCode InterfaceOp (API_Client c, UInt32 code, void* p1, void* p2) { return Host::Of (c).Dispatch (OpGroup::Interface, Host::ClientOf (c), code, p1, p2); }
GSErrCode EnvironmentOp (API_Client c, UInt32 code, void* p1, void* p2) { return Host::Of (c).Dispatch (OpGroup::Environment, Host::ClientOf (c), code, p1, p2); }
GSErrCode DatabaseOp (API_Client c, UInt32 code, void* p1, void* p2) { return Host::Of (c).Dispatch (OpGroup::Database, Host::ClientOf (c), code, p1, p2); }
GSErrCode AutomateOp (API_Client c, UInt32 code, void* p1, void* p2) { return Host::Of (c).Dispatch (OpGroup::Automate, Host::ClientOf (c), code, p1, p2); }
GSErrCode GoodiesOp (API_Client c, UInt32 code, void* p1, void* p2) { return Host::Of (c).Dispatch (OpGroup::Goodies, Host::ClientOf (c), code, p1, p2); }

}   // namespace

std::string SelectorName (UInt32 code)
{
    std::string name (4, ' ');
    for (int i = 0; i < 4; ++i)
        name[static_cast<size_t> (i)] = static_cast<char> ((code >> (24 - 8 * i)) & 0xFF);
    return name;
}

Host::Host ()
{
    table.size = sizeof (API_HostTable);
    table.interfaceOp = &InterfaceOp;
    table.environmentOp = &EnvironmentOp;
    table.databaseOp = &DatabaseOp;
    table.automateOp = &AutomateOp;
    table.goodiesOp = &GoodiesOp;
    InstallResourceOps (*this, table);
    InstallElementOps (*this, table);
    InstallParamOps (*this, table);
    InstallLibPartOps (*this, table);
    InstallModuleDataOps (*this, table);
    InstallStoryOps (*this, table);
    InstallSelectionOps (*this, table);
    InstallProgressOps (*this, table);
    InstallModelOps (*this, table);
}

Host::~Host ()
{
    for (auto& client : clients)
        if (client->resModule != 0)
            RSRC::CloseModule (client->resModule);
}

AddonClient* Host::Bind (API_GetExportedFuncAddrsProc getExported, API_SetImportedFuncAddrsProc setImported,
                         const std::string& modulePath, const std::string& resourcePath, std::string* error)
{
    auto client = std::make_unique<AddonClient> ();
    client->host = this;
    client->modulePath = modulePath;
    const auto slash = modulePath.rfind ('/');
    std::string fileName = slash == std::string::npos ? modulePath : modulePath.substr (slash + 1);
    client->name = fileName.substr (0, fileName.rfind ('.'));

    unsigned char record[60];
    if (getExported (reinterpret_cast<API_ExportedFuncs*> (record)) != NoError) {
        *error = modulePath + ": GetExportedFuncAddrs failed";
        return nullptr;
    }
    std::memcpy (&client->entries, record, sizeof record);
    if (client->entries.interfaceVersion != API_InterfaceVersion) {
        *error = modulePath + ": interface version not supported";
        return nullptr;
    }
    client->resModule = RSRC::OpenModule (resourcePath, error);
    if (client->resModule == 0)
        return nullptr;
    if (setImported (&table, client.get ()) != NoError) {
        RSRC::CloseModule (client->resModule);
        *error = modulePath + ": SetImportedFuncAddrs failed";
        return nullptr;
    }
    clients.push_back (std::move (client));
    return clients.back ().get ();
}

void Host::Unbind (AddonClient* client)
{
    for (auto it = clients.begin (); it != clients.end (); ++it) {
        if (it->get () == client) {
            RSRC::CloseModule (client->resModule);
            clients.erase (it);
            return;
        }
    }
}

void Host::RegisterSelector (OpGroup group, UInt32 code, SelectorProc proc) { selectors[{group, code}] = proc; }

GSErrCode Host::Dispatch (OpGroup group, AddonClient& client, UInt32 code, void* par1, void* par2)
{
    if (GSErrCode failure = failures.CheckSelector (code))
        return failure;
    auto it = selectors.find ({group, code});
    if (it == selectors.end ())
        return APIERR_BADID;
    return it->second (*this, client, par1, par2);
}

}   // namespace HostSim
