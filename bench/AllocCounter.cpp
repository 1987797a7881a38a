#include "AllocCounter.h"

#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::size_t inUse = 0;
std::size_t peak = 0;

void* Allocate (std::size_t size)
{
    void* block = std::malloc (size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc ();
    inUse += malloc_usable_size (block);
    if (inUse > peak)
        peak = inUse;
    return block;
}

void Release (void* block) noexcept
{
    if (block == nullptr)
        return;
    inUse -= malloc_usable_size (block);
    std::free (block);
}

}   // namespace

namespace Bench {

std::size_t HeapInUse ()
{
    return inUse;
}
std::size_t HeapPeak ()
{
    return peak;
}
void ResetHeapPeak ()
{
    peak = inUse;
}

}   // namespace Bench

void* operator new (std::size_t size)
{
    return Allocate (size);
}
void* operator new[] (std::size_t size)
{
    return Allocate (size);
}
void* operator new (std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate (size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[] (std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate (size);
    } catch (...) {
        return nullptr;
    }
}
void operator delete (void* block) noexcept
{
    Release (block);
}
void operator delete[] (void* block) noexcept
{
    Release (block);
}
void operator delete (void* block, std::size_t) noexcept
{
    Release (block);
}
void operator delete[] (void* block, std::size_t) noexcept
{
    Release (block);
}
