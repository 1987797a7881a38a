// Marquee: the elements a census or a selection run visits. Built from the host's current
// selection or marquee when there is one and the caller asks for it, otherwise from every element
// of the counted types (1 to 10 and 17). The candidates are (element type, element index) pairs,
// sorted by type, then index, without duplicates; an index may no longer name an element by the
// time it is visited (the caller's element query then fails).
//
// A Marquee owns its candidates and frees them with itself; the host's selection blocks are
// released inside the constructor. Host failures shrink the candidates (an entry whose kind the
// host cannot convert is left out) and never throw. Host main thread only.
#pragma once

#include "api/APIdefs.h"

#include <utility>
#include <vector>

class Marquee {
public:
    using Candidate = std::pair<API_ElemTypeID, Int32>;   // (element type, element index)

    Marquee (bool useSelection, bool wholeModel);
    ~Marquee ();
    Marquee (const Marquee&) = delete;
    Marquee& operator= (const Marquee&) = delete;

    // The scope reaches all stories as far as the marquee is concerned: no marquee (nothing or
    // plain elements selected), or a marquee drawn for all stories.
    bool MultiSt () const;

    std::vector<Candidate> candidates;   // visit order
    API_SelectionInfo selectionInfo;     // kind, element count, all-stories flag; no marquee block
};
