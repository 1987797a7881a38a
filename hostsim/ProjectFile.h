// The stand-in host's project file: a versioned JSON document (docs/project-format.md) that holds
// one Project. Loading checks every member and fills the caller's Project only when the whole file
// is sound; saving writes the model into the text the project was loaded from, so members this
// host does not read survive, and replaces the file atomically (temporary file, flush, rename).
// A sound file is read by a fast path (ProjectFileFast.h) straight into the model; any other file,
// and any the fast path is not sure of, by the checked loader, which gives every message.
//
// Failures: both answer false and set `error` to one line naming the file, the place (a JSON path
// such as `$.elements[3].story`) and what was expected. A failed load leaves the Project as it was;
// a failed save leaves the previous file byte for byte as it was. Host main thread only.
#pragma once

#include "Project.h"

#include <functional>
#include <string>

namespace HostSim {

constexpr Int32 ProjectFileVersion = 1;
constexpr Int32 MaxElementIndex = 1000000;   // per kind; keeps a mistyped index from eating memory

bool LoadProject (const std::string& path, Project* project, std::string* error);
// Faults for tests of failed saves: asked before each step of replacing the file ("create" the
// temporary file, "write" it, "flush" it, "rename" it over the project file); an answer other than 0
// fails that step with that errno value.
using SaveFaults = std::function<int (const char* step)>;

bool SaveProject (const Project& project, const std::string& path, std::string* error,
                  const SaveFaults& faults = nullptr);

}   // namespace HostSim
