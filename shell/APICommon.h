// The add-on's vocabulary for the host's element kinds and the small host helpers that several
// modules share: census types (stairs counted under My_StairID), kind names from the resource
// file, library-part placements, hotlinked-module copies, selection references, report lines,
// the alert sound and the menu command's check mark.
//
// Nothing here fails loudly: host errors turn into "???", false or a skipped call, as each
// function says. ElemID_To_Name answers a shared static buffer that the next call overwrites.
// Host main thread only.
#pragma once

#include "api/APIdefs.h"

constexpr API_ElemTypeID My_StairID = 33;      // census type of a stair (type 6 with 'SYST')
constexpr Int32 CensusTypeCount = 34;          // census types 0 to 33
constexpr Int16 AddonMenuResID = 32500;        // the add-on's menu; its command is item 1

// The census type of an element: its own type, or My_StairID for a stair.
API_ElemTypeID CensusTypeOf (const API_Elem_Head& head);

// Name of a census type from string list 151 (string type + 1); "???" outside 0 to 33.
const char* ElemID_To_Name (API_ElemTypeID type);

// True exactly for the library-part placement kinds 4, 5, 6 and 7 (not for My_StairID).
bool IsLibPartObject (API_ElemTypeID type);

// The library-part index of a placement; 0 for any other kind.
Int32 GetLibInd (API_Element* element);

// The element is a copy placed by a hotlinked module; every host failure answers false.
bool IsFromHotlinkModule (API_Element* element);

// Fills the selection reference of an element; false (kind and sub-index untouched) for kinds
// without one. The element index is copied in any case.
bool ElemHead_To_Neig (API_Neig* neig, const API_Elem_Head* head);

// Formats printf-style (cut to 511 characters) and adds the line to the host's report window.
void WriteReport (const char* format, ...) __attribute__ ((format (printf, 1, 2)));

// One alert sound.
void BeepSound ();

// Sets or clears the check mark of the add-on's menu command, keeping its other flags.
void SetMenuItemState (bool on);
