#include "DisplayedDetLev.h"

#include "host/ResourceModuleLock.h"

DisplayedDetLev::DisplayedDetLev ()
{
    for (Int32 v = 0; v < NameCount; ++v) {
        names[v][0] = '\0';
        loaded[v] = false;
    }
}

DisplayedDetLev& DisplayedDetLev::Instance ()
{
    static DisplayedDetLev displayedDetLev;
    displayedDetLev.LoadMissing ();
    return displayedDetLev;
}

void DisplayedDetLev::LoadMissing ()
{
    bool complete = true;
    for (Int32 v = 0; v < NameCount; ++v)
        complete = complete && loaded[v];
    if (complete)
        return;
    ResourceModuleLock ownResources;
    for (Int32 v = 0; v < NameCount; ++v) {
        if (loaded[v])
            continue;
        loaded[v] = ACAPI_Resource_GetLocStr (names[v], StringListId, v + 1);
        if (!loaded[v])
            names[v][0] = '\0';
    }
}

const char* DisplayedDetLev::GetName (Int16 value)
{
    const Int32 v = value >= 0 && value < NameCount ? value : KeepValue;
    return names[v];
}
