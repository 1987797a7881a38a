#include "ResourceFile.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace RSRC {

namespace {

using Json = nlohmann::json;

struct BadResource : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void Fail (const std::string& where, const std::string& expected)
{
    throw BadResource (where + ": expected " + expected);
}

Int32 NumberKey (const std::string& key, const std::string& where)
{
    try {
        size_t used = 0;
        const long value = std::stol (key, &used);
        if (used == key.size () && value >= -32768 && value <= 32767)
            return static_cast<Int32> (value);
    } catch (const std::exception&) {
    }
    Fail (where, "a resource number from -32768 to 32767 as the key, not \"" + key + "\"");
}

const Json& Member (const Json& object, const char* name, const std::string& where)
{
    auto it = object.find (name);
    if (it == object.end ())
        Fail (where, std::string ("a member \"") + name + "\"");
    return *it;
}

std::string Text (const Json& value, const std::string& where)
{
    if (!value.is_string ())
        Fail (where, "a text");
    return value.get<std::string> ();
}

Int32 Integer (const Json& value, const std::string& where)
{
    if (!value.is_number_integer ())
        Fail (where, "a whole number");
    return value.get<Int32> ();
}

Rect ReadRect (const Json& value, const std::string& where)
{
    if (!value.is_array () || value.size () != 4)
        Fail (where, "a rectangle [left, top, width, height]");
    return Rect{Integer (value[0], where + "[0]"), Integer (value[1], where + "[1]"),
                Integer (value[2], where + "[2]"), Integer (value[3], where + "[3]")};
}

}   // namespace

bool ResourceFile::Load (const std::string& filePath, std::string* error)
{
    std::ifstream in (filePath, std::ios::binary);
    if (!in) {
        if (error != nullptr)
            *error = filePath + ": cannot be opened for reading";
        return false;
    }
    std::stringstream text;
    text << in.rdbuf ();
    return LoadText (text.str (), filePath, error);
}

bool ResourceFile::LoadText (const std::string& text, const std::string& fileName, std::string* error)
{
    strings.clear ();
    dialogs.clear ();
    icons.clear ();
    path = fileName;
    try {
        Json root;
        try {
            root = Json::parse (text);
        } catch (const Json::parse_error& e) {
            throw BadResource (std::string ("$: expected JSON (") + e.what () + ")");
        }
        if (!root.is_object ())
            Fail ("$", "an object");
        if (auto it = root.find ("strings"); it != root.end ()) {
            if (!it->is_object ())
                Fail ("$.strings", "an object of string lists");
            for (auto& [key, list] : it->items ()) {
                const std::string where = "$.strings." + key;
                const Int32 id = NumberKey (key, where);
                if (!list.is_array ())
                    Fail (where, "an array of texts");
                std::vector<std::string>& texts = strings[id];
                for (size_t i = 0; i < list.size (); ++i)
                    texts.push_back (Text (list[i], where + "[" + std::to_string (i) + "]"));
            }
        }
        if (auto it = root.find ("dialogs"); it != root.end ()) {
            if (!it->is_object ())
                Fail ("$.dialogs", "an object of dialog layouts");
            for (auto& [key, dialog] : it->items ()) {
                const std::string where = "$.dialogs." + key;
                const Int32 id = NumberKey (key, where);
                if (!dialog.is_object ())
                    Fail (where, "a dialog layout object");
                DialogLayout layout;
                if (auto t = dialog.find ("title"); t != dialog.end ())
                    layout.title = Text (*t, where + ".title");
                layout.width = Integer (Member (dialog, "width", where), where + ".width");
                layout.height = Integer (Member (dialog, "height", where), where + ".height");
                const Json& items = Member (dialog, "items", where);
                if (!items.is_array ())
                    Fail (where + ".items", "an array of items");
                for (size_t i = 0; i < items.size (); ++i) {
                    const std::string itemWhere = where + ".items[" + std::to_string (i) + "]";
                    const Json& item = items[i];
                    if (!item.is_object ())
                        Fail (itemWhere, "an item object");
                    DialogItem di;
                    di.kind = Text (Member (item, "kind", itemWhere), itemWhere + ".kind");
                    di.rect = ReadRect (Member (item, "rect", itemWhere), itemWhere + ".rect");
                    if (auto t = item.find ("text"); t != item.end ())
                        di.text = Text (*t, itemWhere + ".text");
                    if (auto t = item.find ("icon"); t != item.end ())
                        di.iconId = Integer (*t, itemWhere + ".icon");
                    if (auto t = item.find ("group"); t != item.end ())
                        di.group = Integer (*t, itemWhere + ".group");
                    layout.items.push_back (di);
                }
                dialogs[id] = layout;
            }
        }
        if (auto it = root.find ("icons"); it != root.end ()) {
            if (!it->is_object ())
                Fail ("$.icons", "an object of icons");
            for (auto& [key, icon] : it->items ()) {
                const std::string where = "$.icons." + key;
                const Int32 id = NumberKey (key, where);
                if (!icon.is_object ())
                    Fail (where, "an icon object");
                Icon ic;
                ic.glyph = Text (Member (icon, "glyph", where), where + ".glyph");
                if (auto t = icon.find ("name"); t != icon.end ())
                    ic.name = Text (*t, where + ".name");
                icons[id] = ic;
            }
        }
    } catch (const BadResource& e) {
        strings.clear ();
        dialogs.clear ();
        icons.clear ();
        if (error != nullptr)
            *error = fileName + ": " + e.what ();
        return false;
    }
    return true;
}

const std::string* ResourceFile::GetString (Int32 listId, Int32 index) const
{
    auto it = strings.find (listId);
    if (it == strings.end () || index < 1 || static_cast<size_t> (index) > it->second.size ())
        return nullptr;
    return &it->second[static_cast<size_t> (index - 1)];
}

const DialogLayout* ResourceFile::GetDialog (Int32 dialogId) const
{
    auto it = dialogs.find (dialogId);
    return it == dialogs.end () ? nullptr : &it->second;
}

const Icon* ResourceFile::GetIcon (Int32 iconId) const
{
    auto it = icons.find (iconId);
    return it == icons.end () ? nullptr : &it->second;
}

}   // namespace RSRC
