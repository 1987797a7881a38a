// ResourceModuleLock: makes the add-on's own resource file the active one for the lifetime of
// the object and restores the module that was active before, also when an exception leaves the
// scope. Not copyable. Host main thread only.
#pragma once

#include "ACAPI.h"

class ResourceModuleLock {
public:
    ResourceModuleLock () : previous (ACAPI_UseOwnResModule ()) {}
    ~ResourceModuleLock () { ACAPI_ResetResModule (previous); }
    ResourceModuleLock (const ResourceModuleLock&) = delete;
    ResourceModuleLock& operator= (const ResourceModuleLock&) = delete;

private:
    GSResModule previous;
};
