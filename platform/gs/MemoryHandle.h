// Relocatable memory blocks: a handle points to a master pointer, so a resize may move the
// bytes while the handle stays the same. Allocate, ask the size, resize and release; the one who
// allocates a block releases it unless a call says ownership passes. Blocks live in the shared
// platform library, so a block made by the host can be released by an add-on and vice versa.
// Allocation failure answers a null handle (allocate) or an error code (resize).
#pragma once

#include "GSTypes.h"

constexpr GSErrCode ErrMemoryFull = static_cast<GSErrCode> (0x81010002);   // resize failed; block unchanged
constexpr GSErrCode ErrNullHandle = static_cast<GSErrCode> (0x81010003);   // a null handle was given

// A new block of `size` bytes, zero-filled; null when memory is short.
GSHandle BMAllocateHandle (USize size);
// The block's size in bytes; 0 for a null handle.
USize BMGetHandleSize (GSHandle handle);
// Grows or shrinks the block, keeping its leading bytes; new bytes are zero.
GSErrCode BMReallocHandle (GSHandle handle, USize newSize);
// Releases the block and sets the caller's handle to null; a null handle is ignored.
void BMKillHandle (GSHandle* handle);
