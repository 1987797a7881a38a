#include "MemoryHandle.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// The master record: the handle is the address of `data`.
struct Master {
    char* data;
    USize size;
};

Master* MasterOf (GSHandle handle) { return reinterpret_cast<Master*> (handle); }

}   // namespace

GSHandle BMAllocateHandle (USize size)
{
    Master* master = static_cast<Master*> (std::malloc (sizeof (Master)));
    if (master == nullptr)
        return nullptr;
    master->data = static_cast<char*> (std::calloc (size == 0 ? 1 : size, 1));
    if (master->data == nullptr) {
        std::free (master);
        return nullptr;
    }
    master->size = size;
    return &master->data;
}

USize BMGetHandleSize (GSHandle handle)
{
    return handle == nullptr ? 0 : MasterOf (handle)->size;
}

GSErrCode BMReallocHandle (GSHandle handle, USize newSize)
{
    if (handle == nullptr)
        return ErrNullHandle;
    Master* master = MasterOf (handle);
    char* grown = static_cast<char*> (std::realloc (master->data, newSize == 0 ? 1 : newSize));
    if (grown == nullptr)
        return ErrMemoryFull;
    if (newSize > master->size)
        std::memset (grown + master->size, 0, newSize - master->size);
    master->data = grown;
    master->size = newSize;
    return NoError;
}

void BMKillHandle (GSHandle* handle)
{
    if (handle == nullptr || *handle == nullptr)
        return;
    Master* master = MasterOf (*handle);
    std::free (master->data);
    std::free (master);
    *handle = nullptr;
}
