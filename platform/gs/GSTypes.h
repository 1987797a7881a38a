// Basic foundation types shared by the host and every add-on: fixed-width integers and the
// error code that every host operation answers. Header-only; no state.
#pragma once

#include <cstdint>

using Int8 = int8_t;
using UInt8 = uint8_t;
using Int16 = int16_t;
using UInt16 = uint16_t;
using Int32 = int32_t;
using UInt32 = uint32_t;
using Int64 = int64_t;
using UInt64 = uint64_t;
using USize = std::size_t;

// Every host operation answers one of these; 0 is success.
using GSErrCode = Int32;
constexpr GSErrCode NoError = 0;

// A relocatable memory block: a pointer to the block's master pointer (see MemoryHandle.h).
using GSHandle = char**;
using GSPtr = char*;

// An opened resource file; 0 is none (see rsrc/ResourceModules.h).
using GSResModule = Int32;
