// A resource file: string lists by number, dialog layouts (items with kind, rectangle and text)
// and icons, read from the JSON format documented in docs/resource-format.md.
//
// Load answers false with a message that names the file, the place (a JSON path) and what was
// expected; a failed load leaves the object empty. Lookups answer null/false for anything absent.
// The object owns everything it read. Host main thread only.
#pragma once

#include "gs/GSTypes.h"

#include <map>
#include <string>
#include <vector>

namespace RSRC {

struct Rect {
    Int32 left = 0, top = 0, width = 0, height = 0;
};

struct DialogItem {
    std::string kind;    // button, radio, checkbox, intedit, popup, singlelist, multilist,
                         // lefttext, centertext, righttext, icon, usercontrol
    Rect rect;
    std::string text;    // caption or initial text
    Int32 iconId = -1;   // icon items: the icon resource
    Int32 group = 0;     // radio buttons: the group they belong to
};

struct DialogLayout {
    std::string title;
    Int32 width = 0, height = 0;
    std::vector<DialogItem> items;   // item n is items[n - 1]
};

struct Icon {
    std::string glyph;   // how a text rendering shows it
    std::string name;
};

class ResourceFile {
public:
    bool Load (const std::string& path, std::string* error);
    bool LoadText (const std::string& text, const std::string& fileName, std::string* error);

    // String `index` (from 1) of list `listId`; null when absent.
    const std::string* GetString (Int32 listId, Int32 index) const;
    const DialogLayout* GetDialog (Int32 dialogId) const;
    const Icon* GetIcon (Int32 iconId) const;
    const std::string& GetPath () const { return path; }

private:
    std::string path;
    std::map<Int32, std::vector<std::string>> strings;
    std::map<Int32, DialogLayout> dialogs;
    std::map<Int32, Icon> icons;
};

}   // namespace RSRC
