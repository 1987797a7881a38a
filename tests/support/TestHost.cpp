#include "TestHost.h"

#include "rsrc/ResourceModules.h"

namespace TestSupport {

std::string SourceDir () { return TESSERA_SOURCE_DIR; }
std::string ResourcePath () { return SourceDir () + "/resources/Tessera.rsrc"; }

std::string AddonString (Int32 listId, Int32 index)
{
    static RSRC::ResourceFile file;
    static bool loaded = file.Load (ResourcePath (), nullptr);
    const std::string* text = loaded ? file.GetString (listId, index) : nullptr;
    return text != nullptr ? *text : std::string ();
}

void AddonTest::SetUp ()
{
    std::string error;
    client = host.Bind (&GetExportedFuncAddrs, &SetImportedFuncAddrs, SourceDir () + "/build/Tessera.apx",
                        ResourcePath (), &error);
    ASSERT_NE (client, nullptr) << error;
}

void AddonTest::TearDown ()
{
    SetImportedFuncAddrs (nullptr, nullptr);
    if (client != nullptr)
        host.Unbind (client);
}

}   // namespace TestSupport
