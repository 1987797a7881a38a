// A test switch that makes the creation of chosen framework objects fail, so the failure paths
// of their builders can be run: "the 3rd tab page created from now on fails". Each armed switch
// fires once, then is off. Process-wide; tests clear it in their fixture.
//
// How a creation fails, as it would in a real framework: a palette comes out invalid (IsValid
// false); a roll-down surface or a tab page throws DG::CreationFailure from its constructor; a
// panel set, a roll panel or a surface's separate panel is not made (null). Host main thread only.
#pragma once

#include "gs/GSTypes.h"

#include <stdexcept>

namespace DG {

enum class Creation { Palette, Surface, PanelSet, Panel, SeparatePanel, TabPage };

class CreationFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Makes the `nth` creation of `what` from now on fail (1: the next one); 0 disarms it.
void FailCreation (Creation what, Int32 nth = 1);
void ClearCreationFailures ();
// Called by the builders: counts one creation of `what`; answers true when it is to fail.
bool CreationFails (Creation what);

}   // namespace DG
