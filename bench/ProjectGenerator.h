// Reproducible benchmark projects: a building of N elements over the counted kinds (mostly walls,
// slabs and the like, about a third library-part placements, a few of them stairs), P library
// parts whose detail parameters match the shipped names file, 1 to 4 bodies per element, several
// stories and a marquee selection. The same seed and sizes give the same project, byte for byte,
// on every machine (own random generator, no library distributions).
//
// The project is built in the caller's Project, which is emptied first. Sizes must be positive;
// elements per kind stay below the project file's index limit. Host main thread only.
#pragma once

#include "hostsim/Project.h"

#include <string>
#include <vector>

namespace Bench {

struct GeneratorSettings {
    UInt64 seed = 1;
    Int32 elements = 10000;
    Int32 libParts = 100;
    Int16 stories = 8;
    Int32 selectEvery = 20;   // every this many elements (in creation order) is in the marquee
};

// A detail parameter as the shipped names file knows it: its name and level texts 0, 1, 2.
struct DetailParam {
    std::string name;
    std::vector<std::string> levels;
};
const std::vector<DetailParam>& ShippedDetailParams ();

void GenerateProject (const GeneratorSettings& settings, HostSim::Project* project);

}   // namespace Bench
