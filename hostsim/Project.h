// The stand-in host's project model: what a real host would hold of an open project, as far as
// add-ons reach it. Plain data, owned by the Host; operations (the *Ops.cpp files) read and change
// it, the project file (ProjectFile.h) loads and saves it. Element kinds are the host's numbers.
#pragma once

#include "BodyCounts.h"
#include "ParamValues.h"
#include "api/APIdefs.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace HostSim {

struct Story {
    Int16 index = 0;
    std::string name;
    double level = 0.0;
};

// One parameter of a library part: its declaration and default value.
struct ParamDef {
    std::string name;
    Int32 type = API_ParTextType;   // 12 text; other codes are numeric kinds
    Int16 typeMod = 0;              // 0 single value, otherwise an array
    std::string text;               // default value of a text parameter
    double number = 0.0;            // default value of a numeric parameter
    std::vector<std::string> valueList;   // offered texts of a text parameter (may be empty)
};

struct LibPart {
    Int32 index = 0;     // from 1
    std::string guid;    // unique-ID text
    std::string name;
    std::vector<ParamDef> params;
    // The parameter whose value picks the bodies, and the polygon counts of the bodies per value
    // text; a value without an entry (or no detail parameter) uses `bodies`.
    std::string detailParam;
    std::map<std::string, std::vector<Int32>> bodiesByValue;
    std::vector<Int32> bodies;
};

struct Element {
    API_ElemTypeID type = 0;
    Int32 index = 0;
    UInt32 variation = 0;            // four-character code; 'SYST' marks a stair
    Int16 story = 0;                 // story index
    Int32 libInd = 0;                // placements (types 4 to 7)
    bool shownLayer = true;          // element filter 2
    bool ownWorkspace = true;        // element filter 16
    Int32 moduleInstance = 0;        // the placed module (type 28) holding it; 0 none
    // placed modules (type 28) only:
    Int32 moduleKind = 0;            // 1 for a hotlinked module instance
    bool hotlinkFlag = false;        // head flag byte
    Int32 linkWord = 0;              // second word of the link block; 0 means not linked
    bool hasLinkBlock = false;
    // 3D model: polygons per body; none = no 3D model. Placements take theirs from the library part.
    bool has3D = true;
    BodyCounts bodies;
    // placements: own parameter values by name (text parameters), overriding the part's defaults
    ParamValues paramValues;
};

struct Selection {
    Int32 kind = 0;             // 0 nothing, 1 elements, 2 and above a marquee
    bool multiStory = false;    // marquee reaches all stories
    std::vector<std::pair<API_ElemTypeID, Int32>> elements;   // in selection order
    std::vector<std::pair<double, double>> polygon;           // a marquee's corner points (x, y)
};

// The host's one open parameter session ('OPAR' to 'CPAR'): whose parameters are open and the
// values changed with 'CHGP' since it opened, by parameter name. Transient: never saved.
struct ParamSession {
    bool open = false;
    Int32 libInd = 0;              // the library part whose parameters these are
    API_ElemTypeID type = 0;       // a placement's kind and index; 0 when the part's own are open
    Int32 index = 0;
    std::map<std::string, std::string> changes;
};

struct ModuleDataBlock {
    Int32 version = 0;
    UInt16 platformSign = 0;
    std::string bytes;   // exact bytes
};

struct Project {
    std::string path;                // the file it came from; empty for a project made in code
    std::vector<Story> stories;      // ascending index
    bool skipNullFloor = false;      // story numbering skips zero
    Int16 currentStory = 0;
    API_WindowTypeID currentWindow = 1;
    API_DatabaseInfo currentDatabase{1, 0};
    std::vector<LibPart> libParts;   // libParts[i].index == i + 1
    // Elements by kind; slot i holds index i + 1; an empty slot is a deleted element.
    std::map<API_ElemTypeID, std::vector<std::optional<Element>>> elements;
    Selection selection;
    std::map<std::string, ModuleDataBlock> moduleData;   // by add-on name
    // The project file's text as loaded: saving writes the model into it, so members this host
    // does not read survive. Empty for a project made in code.
    std::string fileText;
    ParamSession paramSession;                           // not part of the project file

    Element* FindElement (API_ElemTypeID type, Int32 index);
    const Element* FindElement (API_ElemTypeID type, Int32 index) const;
    LibPart* FindLibPart (Int32 index);
    Element& AddElement (Element element);   // at element.index, or the next free index when 0
    LibPart& AddLibPart (LibPart part);      // at the next index
};

}   // namespace HostSim
