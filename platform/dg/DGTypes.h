// Small value types of the headless dialog framework: rectangles, item kinds, modal responses,
// keys and modifier flags. Header-only; no state. Host main thread only, like all of DG.
#pragma once

#include "gs/GSTypes.h"

#include <string>

namespace DG {

struct Rect {
    Int32 left = 0, top = 0, width = 0, height = 0;

    bool operator== (const Rect& o) const
    {
        return left == o.left && top == o.top && width == o.width && height == o.height;
    }
};

// What an item of a dialog layout is. Unknown layout kinds become Other: shown, never acted on.
enum class ItemKind {
    Button,
    RadioButton,
    CheckBox,
    IntEdit,
    PopUp,
    SingleSelList,
    MultiSelList,
    LeftText,
    CenterText,
    RightText,
    Icon,
    UserControl,
    Other
};

// The resource file's name of a kind ("button", "checkbox", ...) and back.
ItemKind ItemKindFromName (const std::string& name);
const char* ItemKindName (ItemKind kind);

// How a modal dialog was closed; Invoke answers true for Accept only.
using ModalResponse = Int32;
constexpr ModalResponse Accept = 1;
constexpr ModalResponse Cancel = 2;

// The resource module argument meaning "the module active when the dialog is built".
constexpr GSResModule ActiveResModule = -2;

// Keys for hot keys: a character code (positive) or a special key (negative).
namespace Key {
using Code = Int32;
constexpr Code Enter = -1;
constexpr Code Tab = -2;
constexpr Code Back = -3;
constexpr Code Delete = -4;
constexpr Code Escape = -5;
constexpr Code Up = -6;
constexpr Code Down = -7;
constexpr Code Left = -8;
constexpr Code Right = -9;

// Modifier flags, or-ed together.
using Modifiers = Int32;
constexpr Modifiers NoModifier = 0;
constexpr Modifiers Command = 1;
constexpr Modifiers Option = 2;
constexpr Modifiers Shift = 4;
}   // namespace Key

}   // namespace DG
