// Counts the program's heap use through the global operator new and delete: the bytes held now
// and the most held since the last ResetPeak. Sizes are what the allocator really gave out
// (malloc_usable_size). Linked into bench programs only; blocks the host hands out with its own
// allocator (memory handles, malloc) are not counted. Single thread only.
#pragma once

#include <cstddef>

namespace Bench {

std::size_t HeapInUse ();
std::size_t HeapPeak ();
// The peak starts again from what is held now.
void ResetHeapPeak ();

}   // namespace Bench
