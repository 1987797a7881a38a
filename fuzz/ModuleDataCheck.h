// Fuzz support for the module-data targets: an independent reading of the add-on's module-data
// block, written from the block's grammar, to compare the add-on's reader with; and a check that
// a block the add-on wrote is in the exact form the grammar gives. Plain functions, no host calls.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace FuzzSupport {

// (key, level) pairs in first-seen order, as a reader must take them from `bytes`.
using Levels = std::vector<std::pair<std::string, int16_t>>;

Levels ReferenceRead (const std::string& bytes);

// True when `bytes` is a sequence of key NUL value NUL records whose keys are at most 255 bytes,
// unique, and whose values are the "%d" text of a level 0 to 4.
bool IsCanonicalBlock (const std::string& bytes);

}   // namespace FuzzSupport
