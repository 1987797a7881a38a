// The detail-parameter names: which library-part parameters set a part's level of detail, and
// which value texts stand for levels 0, 1 and 2, read from the text file next to the add-on
// (same name, extension txt). The file's grammar is written at the top of DetParNames.cpp.
//
// detParNames is a global multimap owned by this module, filled afresh by every
// PopulateDetParams (the palette's build); entries with equal names stay in file order.
// Problems are shown to the user (messages 130, 131) and never stop the reading; the reader never
// reads past the file's text. Host main thread only.
#pragma once

#include "census/OGSString.h"
#include "gs/Array.h"
#include "gs/GSString.h"

#include <map>

extern std::multimap<OGSString, GS::Array<GS::String>> detParNames;
// False when the last PopulateDetParams could not locate or read the names file.
extern bool detParNamesRead;

void PopulateDetParams ();

// Position of the first `c` at or after `from`; the text's length when there is none.
UInt32 FindFirst (GS::String& text, UInt32 from, char c);
// The characters from `from` up to, not including, `to`, both first cut to the text's length.
GS::String GetSubstring (GS::String& text, UInt32 from, UInt32 to);
