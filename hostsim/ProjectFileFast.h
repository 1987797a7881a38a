// The project file's fast path, in front of the checked loader (ProjectFile.cpp). It reads a sound
// file straight into a Project, with no document in between, and declines everything it does not
// read exactly as the checked loader would: any fault, members it does not know (they are kept
// by the checked loader), escaped member names, forms of numbers or texts it is not sure of. A
// declined file goes to the checked loader, the one source of messages. So for every file the
// fast path either declines or gives the Project the checked loader gives, field for field.
//
// Internal to the host's loader: LoadProject (ProjectFile.h) is the way in. Tests and fuzz
// targets call each side alone to compare them. Host main thread only.
#pragma once

#include "Project.h"

#include <cstddef>
#include <string>

namespace HostSim {

// Readable bytes the fast path needs after a text's end (its parser reads ahead in blocks).
constexpr size_t ProjectTextPadding = 64;

// Reads the file whole into `text`, leaving ProjectTextPadding zero bytes of capacity after its
// end, so the same storage can be parsed and then kept as the project's fileText. Answers false
// with the checked loader's message ("PATH: cannot open: ...", "PATH: cannot read: ...").
bool ReadProjectText (const std::string& path, std::string* text, std::string* error);

// The text is indexed in windows of about this many bytes, each ending after a newline.
constexpr size_t ProjectTextWindow = size_t (1) << 20;

// The fast path alone: answers true and fills *project (fileText taking `text`'s storage, path
// `path`) when it reads the whole file; otherwise answers false and leaves *project as it was
// and `text` with the same contents (its capacity may grow by ProjectTextPadding). Tests give
// small windows to put many window ends in small files.
bool LoadProjectFast (const std::string& path, std::string& text, Project* project,
                      size_t window = ProjectTextWindow);

// The checked loader alone, on a file's text: every check, every message (ProjectFile.cpp).
bool LoadProjectChecked (const std::string& path, std::string text, Project* project, std::string* error);

}   // namespace HostSim
