// Project file load and save. Sections:
//   1. Paths and messages: JSON paths ($.elements[3].story) and how a found value is described.
//   2. Parsing: text to document, refusing a member given twice in one object.
//   3. Reading values: integers in range, texts of bounded length, polygon counts, hex bytes.
//   4. Reading the project: every member, its default and its checks.
//   5. Writing: the model's members put into the loaded document (unknown members stay).
//   6. Saving atomically: temporary file in the same folder, flush, rename.
#include "ProjectFile.h"

#include "ProjectFileFast.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace HostSim {

namespace {

using Json = nlohmann::ordered_json;

// ---- 1. Paths and messages -----------------------------------------------------------------

struct LoadError {
    std::string message;
};

std::string MemberPath (const std::string& parent, const std::string& name)
{
    bool plain = !name.empty () && !std::isdigit (static_cast<unsigned char> (name[0]));
    for (char c : name)
        plain = plain && (std::isalnum (static_cast<unsigned char> (c)) || c == '_');
    return plain ? parent + "." + name : parent + "[" + Json (name).dump () + "]";
}

std::string ItemPath (const std::string& parent, size_t i)
{
    return parent + "[" + std::to_string (i) + "]";
}

std::string Describe (const Json& v)
{
    switch (v.type ()) {
    case Json::value_t::null:
        return "null";
    case Json::value_t::boolean:
        return v.get<bool> () ? "true" : "false";
    case Json::value_t::number_integer:
    case Json::value_t::number_unsigned:
    case Json::value_t::number_float:
        return "number " + v.dump ();
    case Json::value_t::string: {
        std::string text = v.dump (-1, ' ', false, Json::error_handler_t::replace);
        return "text " + (text.size () > 40 ? text.substr (0, 36) + "...\"" : text);
    }
    case Json::value_t::array:
        return "an array";
    case Json::value_t::object:
        return "an object";
    default:
        return "something else";
    }
}

// A place in the file, as a path: a whole path, or a member or item of another place. The text
// is joined only for a message, so reading a sound file builds no paths.
class Place {
public:
    Place (const std::string& whole) : whole (&whole) {}   // NOLINT: a path text is a place
    Place (const char* whole) : literal (whole) {}         // NOLINT
    Place (const Place& parent, const char* member) : parent (&parent), literal (member) {}
    Place (const Place& parent, const std::string& member) : parent (&parent), whole (&member) {}
    Place (const Place& parent, size_t item) : parent (&parent), item (item), isItem (true) {}

    std::string Text () const
    {
        if (parent == nullptr)
            return whole != nullptr ? *whole : std::string (literal);
        if (isItem)
            return ItemPath (parent->Text (), item);
        return MemberPath (parent->Text (), whole != nullptr ? *whole : std::string (literal));
    }

private:
    const Place* parent = nullptr;
    const std::string* whole = nullptr;
    const char* literal = "";
    size_t item = 0;
    bool isItem = false;
};

class Reader {
public:
    explicit Reader (std::string file) : file (std::move (file)) {}

    [[noreturn]] void Fail (const Place& path, const std::string& what) const
    {
        throw LoadError{file + ": " + path.Text () + ": " + what};
    }
    [[noreturn]] void Expected (const Place& path, const std::string& expected, const Json& found) const
    {
        Fail (path, "expected " + expected + ", found " + Describe (found));
    }
    [[noreturn]] void Missing (const Place& path, const std::string& expected) const
    {
        Fail (path, "missing; expected " + expected);
    }

private:
    std::string file;
};

// ---- 2. Parsing ------------------------------------------------------------------------------

constexpr size_t MaxNesting = 64;   // objects and arrays within each other; the host's own need 5

// Builds the document from the parser's events and notes the first member that appears twice in
// one object (a plain parse would keep the last one silently) and the first value nested too deep
// (which would exhaust the stack of code that walks the document). Paths are joined only for those
// messages. (The JSON library's own parser with a callback searches the enclosing array at the end
// of every object, so an array of n objects cost n * n: minutes for a large project.)
class CheckedBuilder {
public:
    std::string duplicatePath;
    std::string tooDeepPath;

    explicit CheckedBuilder (Json& root) : root (root) {}

    bool null () { return Put (Json ()); }
    bool boolean (bool v) { return Put (Json (v)); }
    bool number_integer (Json::number_integer_t v) { return Put (Json (v)); }
    bool number_unsigned (Json::number_unsigned_t v) { return Put (Json (v)); }
    bool number_float (Json::number_float_t v, const std::string&) { return Put (Json (v)); }
    bool string (std::string& v) { return Put (Json (std::move (v))); }
    bool binary (Json::binary_t& v) { return Put (Json (std::move (v))); }
    bool start_object (size_t) { return Open (Json::object ()); }
    bool start_array (size_t) { return Open (Json::array ()); }
    bool key (std::string& k)
    {
        Frame& f = frames.back ();
        auto slot = f.value->get_ptr<Json::object_t*> ()->emplace (std::move (k), Json ());
        if (!slot.second && duplicatePath.empty () && tooDeepPath.empty ())
            duplicatePath = MemberPath (PathOf (frames.size () - 1), slot.first->first);
        f.key = &slot.first->first;
        f.slot = &slot.first->second;
        return true;
    }
    bool end_object ()
    {
        frames.pop_back ();
        return true;
    }
    bool end_array ()
    {
        frames.pop_back ();
        return true;
    }
    template <class Exception> bool parse_error (size_t, const std::string&, const Exception& e) { throw e; }

    // The path of the value the parser is reading now.
    std::string ValuePath () const
    {
        if (frames.empty ())
            return "$";
        const Frame& f = frames.back ();
        const std::string path = PathOf (frames.size () - 1);
        return f.key == nullptr ? ItemPath (path, f.value->size ()) : MemberPath (path, *f.key);
    }

private:
    struct Frame {
        Json* value;                        // the open object or array
        const std::string* key = nullptr;   // an object's member being read, and its value
        Json* slot = nullptr;
    };
    Json& root;
    std::vector<Frame> frames;

    Json* Insert (Json&& v)
    {
        if (frames.empty ()) {
            root = std::move (v);
            return &root;
        }
        Frame& f = frames.back ();
        if (f.value->is_array ()) {
            f.value->get_ptr<Json::array_t*> ()->push_back (std::move (v));
            return &f.value->get_ptr<Json::array_t*> ()->back ();
        }
        *f.slot = std::move (v);
        return f.slot;
    }
    bool Put (Json&& v)
    {
        Insert (std::move (v));
        return true;
    }
    bool Open (Json&& v)
    {
        if (frames.size () >= MaxNesting && tooDeepPath.empty ())
            tooDeepPath = ValuePath ();
        frames.push_back ({Insert (std::move (v))});
        return true;
    }
    // The path of the open value frames[depth], from the members and items leading to it.
    std::string PathOf (size_t depth) const
    {
        std::string path = "$";
        for (size_t i = 0; i < depth; ++i) {
            const Frame& f = frames[i];
            path = f.key == nullptr || f.value->is_array () ? ItemPath (path, f.value->size () - 1)
                                                            : MemberPath (path, *f.key);
        }
        return path;
    }
};

Json Parse (const Reader& r, const std::string& file, const std::string& text)
{
    Json root;
    CheckedBuilder checks (root);
    bool overflow = false;
    try {
        Json::sax_parse (text, &checks);
    } catch (const Json::parse_error& e) {
        std::string what = e.what ();
        const size_t at = what.find ("parse error ");
        throw LoadError{file + ": not JSON: " + (at == std::string::npos ? what : what.substr (at + 12))};
    } catch (const Json::out_of_range&) {   // a number no double holds, such as 1e400
        overflow = true;
    }
    if (!checks.tooDeepPath.empty ())
        r.Fail (checks.tooDeepPath, "expected at most " + std::to_string (MaxNesting) +
                                        " levels of objects and arrays within each other, found more");
    if (!checks.duplicatePath.empty ())
        r.Fail (checks.duplicatePath, "expected each member once in its object, found it twice");
    if (overflow)
        r.Fail (checks.ValuePath (), "expected a number within the range of a double, found one beyond it");
    return root;
}

// ---- 3. Reading values -----------------------------------------------------------------------

const Json* Member (const Json& object, const char* name)
{
    auto it = object.find (name);
    return it == object.end () ? nullptr : &*it;
}

const Json& ObjectAt (const Reader& r, const Json& v, const Place& path, std::string_view what)
{
    if (!v.is_object ())
        r.Expected (path, std::string (what) + " (an object)", v);
    return v;
}

const Json& ArrayAt (const Reader& r, const Json& v, const Place& path, std::string_view what)
{
    if (!v.is_array ())
        r.Expected (path, std::string (what), v);
    return v;
}

Int64 IntegerAt (const Reader& r, const Json& v, const Place& path, Int64 lo, Int64 hi, std::string_view what)
{
    auto expected = [&] {
        return std::string (what) + " (integer from " + std::to_string (lo) + " to " + std::to_string (hi) + ")";
    };
    if (!v.is_number_integer ())
        r.Expected (path, expected (), v);
    if (v.is_number_unsigned () && v.get<UInt64> () > static_cast<UInt64> (hi))
        r.Expected (path, expected (), v);
    const Int64 n = v.get<Int64> ();
    if (n < lo || n > hi)
        r.Expected (path, expected (), v);
    return n;
}

constexpr Int64 Int16Min = -32768, Int16Max = 32767, Int32Min = -2147483648LL, Int32Max = 2147483647;

bool BoolAt (const Reader& r, const Json& v, const Place& path)
{
    if (!v.is_boolean ())
        r.Expected (path, "true or false", v);
    return v.get<bool> ();
}

double NumberAt (const Reader& r, const Json& v, const Place& path, std::string_view what)
{
    if (!v.is_number ())
        r.Expected (path, std::string (what) + " (a number)", v);
    return v.get<double> ();
}

constexpr size_t AnyLength = static_cast<size_t> (-1) / 2;

// A text of at most `maxBytes` bytes (the host's records hold it with a zero terminator).
std::string TextAt (const Reader& r, const Json& v, const Place& path, std::string_view what, size_t minBytes,
                    size_t maxBytes)
{
    auto expected = [&] {
        return std::string (what) + " (text of " + (minBytes > 0 ? "1 to " : "at most ") + std::to_string (maxBytes) +
               " bytes)";
    };
    if (!v.is_string ())
        r.Expected (path, expected (), v);
    const std::string& text = v.get_ref<const std::string&> ();
    if (text.size () < minBytes || text.size () > maxBytes)
        r.Expected (path, expected (), v);
    const size_t zero = text.find ('\0');
    if (maxBytes != AnyLength && zero != std::string::npos)   // the host's records end such texts at a zero byte
        r.Fail (path, "expected " + std::string (what) + " without a zero byte, found one at byte " +
                          std::to_string (zero + 1));
    return text;
}

std::vector<Int32> CountsAt (const Reader& r, const Json& v, const Place& path)
{
    ArrayAt (r, v, path, "an array of polygon counts, one per body");
    std::vector<Int32> counts;
    counts.reserve (v.size ());
    for (size_t i = 0; i < v.size (); ++i)
        counts.push_back (
            static_cast<Int32> (IntegerAt (r, v[i], Place (path, i), 0, Int32Max, "a body's polygon count")));
    return counts;
}

std::string BytesAt (const Reader& r, const Json& v, const std::string& path)
{
    const std::string expected = "hex text (pairs of digits 0-9, a-f)";
    if (!v.is_string ())
        r.Expected (path, expected, v);
    const std::string& hex = v.get_ref<const std::string&> ();
    auto digit = [] (char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                      : -1;
    };
    for (size_t i = 0; i < hex.size (); ++i)
        if (digit (hex[i]) < 0)
            r.Fail (path, "expected " + expected + ", found " +
                              Json (hex.substr (i, 1)).dump (-1, ' ', false, Json::error_handler_t::replace) +
                              " at character " + std::to_string (i + 1));
    if (hex.size () % 2 != 0)
        r.Fail (path,
                "expected " + expected + ", found an odd number of digits (" + std::to_string (hex.size ()) + ")");
    std::string bytes (hex.size () / 2, '\0');
    for (size_t i = 0; i < bytes.size (); ++i)
        bytes[i] = static_cast<char> (digit (hex[2 * i]) * 16 + digit (hex[2 * i + 1]));
    return bytes;
}

UInt32 VariationAt (const Reader& r, const Json& v, const Place& path)
{
    const char* expected = "a four-character variation code such as \"SYST\", or its number";
    if (v.is_number_integer ())
        return static_cast<UInt32> (IntegerAt (r, v, path, 0, 4294967295LL, "a variation number"));
    if (!v.is_string () || v.get_ref<const std::string&> ().size () != 4)
        r.Expected (path, expected, v);
    const std::string& s = v.get_ref<const std::string&> ();
    return (UInt32 (UInt8 (s[0])) << 24) | (UInt32 (UInt8 (s[1])) << 16) | (UInt32 (UInt8 (s[2])) << 8) |
           UInt32 (UInt8 (s[3]));
}

// ---- 4. Reading the project ------------------------------------------------------------------

bool IsPlacement (API_ElemTypeID type)
{
    return type >= 4 && type <= 7;
}
constexpr API_ElemTypeID PlacedModuleType = 28;

void ReadStories (const Reader& r, const Json& root, Project& p)
{
    if (const Json* v = Member (root, "stories")) {
        ArrayAt (r, *v, "$.stories", "an array of stories");
        for (size_t i = 0; i < v->size (); ++i) {
            const std::string path = ItemPath ("$.stories", i);
            const Json& s = ObjectAt (r, (*v)[i], path, "a story");
            Story story;
            const Json* index = Member (s, "index");
            if (index == nullptr)
                r.Missing (path + ".index", "the story's index");
            story.index =
                static_cast<Int16> (IntegerAt (r, *index, path + ".index", Int16Min, Int16Max, "a story index"));
            if (!p.stories.empty () && story.index <= p.stories.back ().index)
                r.Expected (path + ".index",
                            "a story index above " + std::to_string (p.stories.back ().index) +
                                " (stories in ascending order, each once)",
                            *index);
            if (const Json* m = Member (s, "name"))
                story.name = TextAt (r, *m, path + ".name", "the story's name", 0, AnyLength);
            if (const Json* m = Member (s, "level"))
                story.level = NumberAt (r, *m, path + ".level", "the story's level");
            p.stories.push_back (story);
        }
    }
    if (const Json* m = Member (root, "skipNullFloor"))
        p.skipNullFloor = BoolAt (r, *m, "$.skipNullFloor");
    if (const Json* m = Member (root, "currentStory"))
        p.currentStory = static_cast<Int16> (IntegerAt (r, *m, "$.currentStory", Int16Min, Int16Max, "a story index"));
    bool known = p.stories.empty ();
    for (const Story& s : p.stories)
        known = known || s.index == p.currentStory;
    if (!known)
        r.Fail ("$.currentStory", "expected the index of one of the stories in $.stories, found " +
                                      std::to_string (p.currentStory) +
                                      (Member (root, "currentStory") ? "" : " (the default)"));
}

void ReadWindowAndDatabase (const Reader& r, const Json& root, Project& p)
{
    if (const Json* m = Member (root, "currentWindow"))
        p.currentWindow =
            static_cast<Int32> (IntegerAt (r, *m, "$.currentWindow", Int32Min, Int32Max, "a window type"));
    if (const Json* m = Member (root, "currentDatabase")) {
        const Json& db = ObjectAt (r, *m, "$.currentDatabase", "the current database");
        if (const Json* t = Member (db, "type"))
            p.currentDatabase.typeID =
                static_cast<Int32> (IntegerAt (r, *t, "$.currentDatabase.type", Int32Min, Int32Max, "a database type"));
        if (const Json* i = Member (db, "index"))
            p.currentDatabase.index = static_cast<Int32> (
                IntegerAt (r, *i, "$.currentDatabase.index", Int32Min, Int32Max, "a database index"));
    }
}

ParamDef ReadParam (const Reader& r, const Json& v, const std::string& path)
{
    const Json& o = ObjectAt (r, v, path, "a parameter");
    ParamDef param;
    const Json* name = Member (o, "name");
    if (name == nullptr)
        r.Missing (path + ".name", "the parameter's name");
    param.name = TextAt (r, *name, path + ".name", "a parameter name", 1, API_ParNameLength - 1);
    if (const Json* m = Member (o, "type"))
        param.type =
            static_cast<Int32> (IntegerAt (r, *m, path + ".type", Int32Min, Int32Max, "a parameter type code"));
    if (const Json* m = Member (o, "typeMod"))
        param.typeMod = static_cast<Int16> (
            IntegerAt (r, *m, path + ".typeMod", Int16Min, Int16Max, "an array modifier (0 for a single value)"));
    const bool text = param.type == API_ParTextType;
    if (const Json* m = Member (o, "value")) {
        if (text)
            param.text = TextAt (r, *m, path + ".value", "the value of a text parameter", 0, API_ParValueLength - 1);
        else
            param.number = NumberAt (r, *m, path + ".value", "the value of a numeric parameter");
    }
    if (const Json* m = Member (o, "values")) {
        if (!text)
            r.Expected (path + ".values", "no value list (only text parameters, type 12, offer one)", *m);
        ArrayAt (r, *m, path + ".values", "an array of the value texts the parameter offers");
        for (size_t i = 0; i < m->size (); ++i)
            param.valueList.push_back (
                TextAt (r, (*m)[i], ItemPath (path + ".values", i), "a value text", 0, API_ParValueLength - 1));
    }
    return param;
}

void ReadLibParts (const Reader& r, const Json& root, Project& p)
{
    const Json* v = Member (root, "libParts");
    if (v == nullptr)
        return;
    ArrayAt (r, *v, "$.libParts", "an array of library parts");
    std::map<std::string, std::string> guidPaths;
    for (size_t i = 0; i < v->size (); ++i) {
        const std::string path = ItemPath ("$.libParts", i);
        const Json& o = ObjectAt (r, (*v)[i], path, "a library part");
        LibPart part;
        if (const Json* m = Member (o, "index"))
            IntegerAt (r, *m, path + ".index", Int64 (i + 1), Int64 (i + 1), "the part's position in $.libParts");
        const Json* guid = Member (o, "guid");
        if (guid == nullptr)
            r.Missing (path + ".guid", "the part's unique-ID text");
        part.guid = TextAt (r, *guid, path + ".guid", "the part's unique-ID text", 1, API_LibPartTextLength - 1);
        auto seen = guidPaths.emplace (part.guid, path);
        if (!seen.second)
            r.Fail (path + ".guid", "expected a unique-ID text of its own, found the one of " + seen.first->second);
        const Json* name = Member (o, "name");
        if (name == nullptr)
            r.Missing (path + ".name", "the part's name");
        part.name = TextAt (r, *name, path + ".name", "the part's name", 0, API_LibPartTextLength - 1);
        if (const Json* m = Member (o, "params")) {
            ArrayAt (r, *m, path + ".params", "an array of parameters");
            std::map<std::string, std::string> namePaths;
            for (size_t k = 0; k < m->size (); ++k) {
                const std::string paramPath = ItemPath (path + ".params", k);
                part.params.push_back (ReadParam (r, (*m)[k], paramPath));
                auto same = namePaths.emplace (part.params.back ().name, paramPath);
                if (!same.second)
                    r.Fail (paramPath + ".name",
                            "expected a parameter name of its own, found the one of " + same.first->second);
            }
        }
        if (const Json* m = Member (o, "detailParam")) {
            part.detailParam = TextAt (r, *m, path + ".detailParam", "a parameter name", 0, API_ParNameLength - 1);
            bool found = part.detailParam.empty ();
            for (const ParamDef& param : part.params)
                found = found || (param.name == part.detailParam && param.type == API_ParTextType);
            if (!found)
                r.Expected (path + ".detailParam", "the name of one of this part's text parameters", *m);
        }
        if (const Json* m = Member (o, "bodiesByValue")) {
            ObjectAt (r, *m, path + ".bodiesByValue", "polygon counts by detail value text");
            for (auto it = m->begin (); it != m->end (); ++it)
                part.bodiesByValue[it.key ()] =
                    CountsAt (r, it.value (), MemberPath (path + ".bodiesByValue", it.key ()));
        }
        if (const Json* m = Member (o, "bodies"))
            part.bodies = CountsAt (r, *m, path + ".bodies");
        p.AddLibPart (std::move (part));
    }
}

// Checks made once every element is known.
struct Reference {
    std::string path;
    Int32 moduleIndex;
};

void ReadElementParams (const Reader& r, const Json& m, const Place& path, const LibPart& part, Element& e)
{
    ObjectAt (r, m, path, "the placement's own parameter values by name");
    for (auto it = m.begin (); it != m.end (); ++it) {
        const Place valuePath (path, it.key ());
        bool found = false;
        for (const ParamDef& param : part.params)
            found = found || (param.name == it.key () && param.type == API_ParTextType);
        if (!found)
            r.Fail (valuePath, "expected the name of a text parameter of library part " + std::to_string (part.index) +
                                   " (" + Json (part.name).dump () + "), found no such parameter");
        e.paramValues[it.key ()] = TextAt (r, it.value (), valuePath, "a value text", 0, API_ParValueLength - 1);
    }
}

Element ReadElement (const Reader& r, const Json& v, const Place& path, Project& p, std::vector<Reference>& refs)
{
    const Json& o = ObjectAt (r, v, path, "an element");
    Element e;
    const Json* type = Member (o, "type");
    if (type == nullptr)
        r.Missing (Place (path, "type"), "the element's type");
    e.type = static_cast<API_ElemTypeID> (IntegerAt (r, *type, Place (path, "type"), 1, 32, "an element type"));
    const Json* index = Member (o, "index");
    if (index == nullptr)
        r.Missing (Place (path, "index"), "the element's index within its type");
    e.index = static_cast<Int32> (IntegerAt (r, *index, Place (path, "index"), 1, MaxElementIndex, "an element index"));
    const Json* story = Member (o, "story");
    if (story != nullptr)
        e.story =
            static_cast<Int16> (IntegerAt (r, *story, Place (path, "story"), Int16Min, Int16Max, "a story index"));
    bool knownStory = p.stories.empty ();
    for (const Story& s : p.stories)
        knownStory = knownStory || s.index == e.story;
    if (!knownStory && story != nullptr)
        r.Expected (Place (path, "story"), "the index of one of the stories in $.stories", *story);
    if (!knownStory)
        r.Missing (Place (path, "story"), "the element's story (the default, 0, is not in $.stories)");
    if (const Json* m = Member (o, "variation"))
        e.variation = VariationAt (r, *m, Place (path, "variation"));

    const Json* libPart = Member (o, "libPart");
    if (IsPlacement (e.type)) {
        if (libPart == nullptr)
            r.Missing (Place (path, "libPart"), "the index of the placement's library part");
        const Int64 count = static_cast<Int64> (p.libParts.size ());
        if (count == 0)
            r.Expected (Place (path, "libPart"), "a library part index, but $.libParts is empty", *libPart);
        e.libInd = static_cast<Int32> (
            IntegerAt (r, *libPart, Place (path, "libPart"), 1, count, "the index of one of the parts in $.libParts"));
        if (const Json* m = Member (o, "params"))
            ReadElementParams (r, *m, Place (path, "params"), *p.FindLibPart (e.libInd), e);
    } else {
        if (libPart != nullptr)
            r.Expected (Place (path, "libPart"), "no library part (only types 4 to 7 place one)", *libPart);
        if (const Json* m = Member (o, "params"))
            r.Expected (Place (path, "params"), "no parameter values (only types 4 to 7 have them)", *m);
    }
    if (const Json* m = Member (o, "shownLayer"))
        e.shownLayer = BoolAt (r, *m, Place (path, "shownLayer"));
    if (const Json* m = Member (o, "ownWorkspace"))
        e.ownWorkspace = BoolAt (r, *m, Place (path, "ownWorkspace"));
    if (const Json* m = Member (o, "moduleInstance")) {
        e.moduleInstance = static_cast<Int32> (IntegerAt (r, *m, Place (path, "moduleInstance"), 0, MaxElementIndex,
                                                          "the index of a placed module (type 28)"));
        if (e.moduleInstance != 0)
            refs.push_back ({Place (path, "moduleInstance").Text (), e.moduleInstance});
    }
    const char* moduleOnly[] = {"moduleKind", "hotlink", "linkWord"};
    if (e.type != PlacedModuleType) {
        for (const char* name : moduleOnly)
            if (const Json* m = Member (o, name))
                r.Expected (Place (path, name), "nothing here (only placed modules, type 28, have it)", *m);
    } else {
        if (const Json* m = Member (o, "moduleKind"))
            e.moduleKind = static_cast<Int32> (IntegerAt (r, *m, Place (path, "moduleKind"), Int32Min, Int32Max,
                                                          "a module kind (1 for a hotlinked module)"));
        if (const Json* m = Member (o, "hotlink"))
            e.hotlinkFlag = BoolAt (r, *m, Place (path, "hotlink"));
        if (const Json* m = Member (o, "linkWord")) {
            e.linkWord =
                static_cast<Int32> (IntegerAt (r, *m, Place (path, "linkWord"), Int32Min, Int32Max, "a link word"));
            e.hasLinkBlock = true;
        }
    }
    if (const Json* m = Member (o, "has3D"))
        e.has3D = BoolAt (r, *m, Place (path, "has3D"));
    if (const Json* m = Member (o, "bodies")) {
        if (IsPlacement (e.type))
            r.Expected (Place (path, "bodies"), "no bodies (placements take theirs from their library part)", *m);
        e.bodies = CountsAt (r, *m, Place (path, "bodies"));
    }
    return e;
}

void ReadElements (const Reader& r, const Json& root, Project& p)
{
    const Json* v = Member (root, "elements");
    if (v == nullptr)
        return;
    ArrayAt (r, *v, "$.elements", "an array of elements");
    const Place elements ("$.elements");
    std::vector<Reference> refs;
    for (size_t i = 0; i < v->size (); ++i) {
        const Place path (elements, i);
        Element e = ReadElement (r, (*v)[i], path, p, refs);
        if (p.FindElement (e.type, e.index) != nullptr) {   // only elements read before are in the model
            size_t first = 0;
            while (first < i && !(*Member ((*v)[first], "type") == e.type && *Member ((*v)[first], "index") == e.index))
                ++first;
            r.Fail (path, "expected each element once, found type " + std::to_string (e.type) + " index " +
                              std::to_string (e.index) + " again (first at " + ItemPath ("$.elements", first) + ")");
        }
        p.AddElement (std::move (e));
    }
    for (const Reference& ref : refs)
        if (p.FindElement (PlacedModuleType, ref.moduleIndex) == nullptr)
            r.Fail (ref.path, "expected the index of a placed module (type 28) in $.elements, found " +
                                  std::to_string (ref.moduleIndex) + ", which is none");
}

void ReadSelection (const Reader& r, const Json& root, Project& p)
{
    const Json* v = Member (root, "selection");
    if (v == nullptr)
        return;
    const Json& o = ObjectAt (r, *v, "$.selection", "the selection");
    if (const Json* m = Member (o, "kind"))
        p.selection.kind = static_cast<Int32> (IntegerAt (
            r, *m, "$.selection.kind", 0, Int32Max, "a selection kind (0 nothing, 1 elements, 2 and above a marquee)"));
    if (const Json* m = Member (o, "multiStory"))
        p.selection.multiStory = BoolAt (r, *m, "$.selection.multiStory");
    const Json* list = Member (o, "elements");
    if (list == nullptr)
        return;
    ArrayAt (r, *list, "$.selection.elements", "an array of selected elements");
    if (p.selection.kind == 0 && !list->empty ())
        r.Fail ("$.selection.elements", "expected no elements while $.selection.kind is 0 (nothing selected), found " +
                                            std::to_string (list->size ()));
    for (size_t i = 0; i < list->size (); ++i) {
        const std::string path = ItemPath ("$.selection.elements", i);
        const Json& item = ObjectAt (r, (*list)[i], path, "a selected element {\"type\", \"index\"}");
        const Json* type = Member (item, "type");
        const Json* index = Member (item, "index");
        if (type == nullptr)
            r.Missing (path + ".type", "the selected element's type");
        if (index == nullptr)
            r.Missing (path + ".index", "the selected element's index");
        const auto t = static_cast<API_ElemTypeID> (IntegerAt (r, *type, path + ".type", 1, 32, "an element type"));
        const auto n =
            static_cast<Int32> (IntegerAt (r, *index, path + ".index", 1, MaxElementIndex, "an element index"));
        if (p.FindElement (t, n) == nullptr)
            r.Fail (path, "expected an element of $.elements, found type " + std::to_string (t) + " index " +
                              std::to_string (n) + ", which is none");
        p.selection.elements.emplace_back (t, n);
    }
}

void ReadModuleData (const Reader& r, const Json& root, Project& p)
{
    const Json* v = Member (root, "moduleData");
    if (v == nullptr)
        return;
    ObjectAt (r, *v, "$.moduleData", "module data blocks by add-on name");
    for (auto it = v->begin (); it != v->end (); ++it) {
        const std::string path = MemberPath ("$.moduleData", it.key ());
        if (it.key ().empty ())
            r.Fail (path, "expected an add-on name, found an empty one");
        const Json& o = ObjectAt (r, it.value (), path, "a module data block");
        ModuleDataBlock block;
        const Json* version = Member (o, "version");
        if (version == nullptr)
            r.Missing (path + ".version", "the block's data version");
        block.version =
            static_cast<Int32> (IntegerAt (r, *version, path + ".version", Int32Min, Int32Max, "a data version"));
        if (const Json* m = Member (o, "platformSign"))
            block.platformSign =
                static_cast<UInt16> (IntegerAt (r, *m, path + ".platformSign", 0, 65535, "a platform sign"));
        const Json* bytes = Member (o, "bytes");
        if (bytes == nullptr)
            r.Missing (path + ".bytes", "the block's bytes as hex text");
        block.bytes = BytesAt (r, *bytes, path + ".bytes");
        p.moduleData[it.key ()] = std::move (block);
    }
}

Project ReadProject (const Reader& r, const Json& root)
{
    ObjectAt (r, root, "$", "a project");
    const Json* version = Member (root, "version");
    if (version == nullptr)
        r.Missing ("$.version", "the project file version " + std::to_string (ProjectFileVersion));
    if (!version->is_number_integer () || version->get<Int64> () != ProjectFileVersion)
        r.Expected ("$.version", "the project file version " + std::to_string (ProjectFileVersion), *version);
    Project p;
    ReadStories (r, root, p);
    ReadWindowAndDatabase (r, root, p);
    ReadLibParts (r, root, p);
    ReadElements (r, root, p);
    ReadSelection (r, root, p);
    ReadModuleData (r, root, p);
    return p;
}

// ---- 5. Writing ------------------------------------------------------------------------------

// Puts the model's value of a member into an entry of the document: in place when the entry has
// the member (even at its default, as the user wrote it), added when the value is not the
// default, left out otherwise. Other members of the entry, known or not, keep their places.
void Put (Json& entry, const char* name, Json value, bool isDefault = false)
{
    if (!isDefault || entry.contains (name))
        entry[name] = std::move (value);
}

bool IntegerMember (const Json& o, const char* name, Int64 lo, Int64 hi, Int64* value)
{
    const Json* m = Member (o, name);
    if (m == nullptr || !m->is_number_integer () || (m->is_number_unsigned () && m->get<UInt64> () > UInt64 (hi)))
        return false;
    *value = m->get<Int64> ();
    return *value >= lo && *value <= hi;
}

std::string TextMember (const Json& o, const char* name)
{
    const Json* m = Member (o, name);
    return m != nullptr && m->is_string () ? m->get<std::string> () : std::string ();
}

const Json* ArrayMember (const Json& o, const char* name)
{
    const Json* m = Member (o, name);
    return m != nullptr && m->is_array () ? m : nullptr;
}

const Json* ObjectMember (const Json& o, const char* name)
{
    const Json* m = Member (o, name);
    return m != nullptr && m->is_object () ? m : nullptr;
}

// The entry of `old` (an array, or null) that `matches`, or a new object.
template <class Match> Json Base (const Json* old, Match matches)
{
    if (old != nullptr)
        for (const Json& entry : *old)
            if (entry.is_object () && matches (entry))
                return entry;
    return Json::object ();
}

// An object keyed by text from a map: keys the old object had come first, in its order.
template <class Map, class ToJson> Json KeyedObject (const Json* old, const Map& map, ToJson toJson)
{
    Json out = Json::object ();
    if (old != nullptr)
        for (auto it = old->begin (); it != old->end (); ++it) {
            auto found = map.find (it.key ());
            if (found != map.end ())
                out[it.key ()] = toJson (it.value (), found->second);
        }
    for (const auto& [key, value] : map)
        if (!out.contains (key))
            out[key] = toJson (Json::object (), value);
    return out;
}

std::string Hex (const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve (bytes.size () * 2);
    for (char c : bytes) {
        hex += digits[static_cast<UInt8> (c) >> 4];
        hex += digits[static_cast<UInt8> (c) & 15];
    }
    return hex;
}

// Four printable characters as text ("SYST"), any other code as its number.
Json VariationJson (UInt32 code)
{
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8)
        text += static_cast<char> ((code >> shift) & 0xFF);
    for (char c : text)
        if (c < 0x20 || c > 0x7E)
            return code;
    return text;
}

Json StoryJson (Json entry, const Story& s)
{
    Put (entry, "index", s.index);
    Put (entry, "name", s.name);
    Put (entry, "level", s.level);
    return entry;
}

Json ParamJson (Json entry, const ParamDef& d)
{
    const bool text = d.type == API_ParTextType;
    Put (entry, "name", d.name);
    Put (entry, "type", d.type, text);
    Put (entry, "typeMod", d.typeMod, d.typeMod == 0);
    if (text) {
        Put (entry, "value", d.text, d.text.empty ());
        Put (entry, "values", d.valueList, d.valueList.empty ());
    } else {
        Put (entry, "value", d.number, d.number == 0.0);
        entry.erase ("values");
    }
    return entry;
}

Json LibPartJson (Json entry, const LibPart& part)
{
    Put (entry, "index", part.index, true);   // implicit by order; kept where the file gives it
    Put (entry, "guid", part.guid);
    Put (entry, "name", part.name);
    Json params = Json::array ();
    for (const ParamDef& d : part.params)
        params.push_back (ParamJson (
            Base (ArrayMember (entry, "params"), [&] (const Json& e) { return TextMember (e, "name") == d.name; }), d));
    Put (entry, "params", std::move (params), part.params.empty ());
    Put (entry, "detailParam", part.detailParam, part.detailParam.empty ());
    Put (entry, "bodiesByValue",
         KeyedObject (ObjectMember (entry, "bodiesByValue"), part.bodiesByValue,
                      [] (const Json&, const std::vector<Int32>& counts) { return Json (counts); }),
         part.bodiesByValue.empty ());
    Put (entry, "bodies", part.bodies, part.bodies.empty ());
    return entry;
}

Json ElementJson (Json entry, const Element& e)
{
    Put (entry, "type", e.type);
    Put (entry, "index", e.index);
    Put (entry, "story", e.story, e.story == 0);
    Put (entry, "variation", VariationJson (e.variation), e.variation == 0);
    if (IsPlacement (e.type)) {
        Put (entry, "libPart", e.libInd);
        Put (entry, "params",
             KeyedObject (ObjectMember (entry, "params"), e.paramValues,
                          [] (const Json&, const std::string& text) { return Json (text); }),
             e.paramValues.empty ());
    } else {
        entry.erase ("libPart");
        entry.erase ("params");
    }
    Put (entry, "shownLayer", e.shownLayer, e.shownLayer);
    Put (entry, "ownWorkspace", e.ownWorkspace, e.ownWorkspace);
    Put (entry, "moduleInstance", e.moduleInstance, e.moduleInstance == 0);
    if (e.type == PlacedModuleType) {
        Put (entry, "moduleKind", e.moduleKind, e.moduleKind == 0);
        Put (entry, "hotlink", e.hotlinkFlag, !e.hotlinkFlag);
        if (e.hasLinkBlock)
            Put (entry, "linkWord", e.linkWord);
        else
            entry.erase ("linkWord");
    } else {
        entry.erase ("moduleKind");
        entry.erase ("hotlink");
        entry.erase ("linkWord");
    }
    Put (entry, "has3D", e.has3D, e.has3D);
    if (IsPlacement (e.type))
        entry.erase ("bodies");
    else
        Put (entry, "bodies", e.bodies.ToVector (), e.bodies.empty ());
    return entry;
}

// Elements keep the order the file gave them; elements new to the model follow by type and index.
Json ElementsJson (const Json* old, const Project& p)
{
    Json out = Json::array ();
    std::set<std::pair<API_ElemTypeID, Int32>> written;
    if (old != nullptr)
        for (const Json& entry : *old) {
            Int64 type = 0, index = 0;
            if (!entry.is_object () || !IntegerMember (entry, "type", 1, 32, &type) ||
                !IntegerMember (entry, "index", 1, MaxElementIndex, &index))
                continue;
            const Element* e = p.FindElement (static_cast<API_ElemTypeID> (type), static_cast<Int32> (index));
            if (e != nullptr && written.insert ({e->type, e->index}).second)
                out.push_back (ElementJson (entry, *e));
        }
    for (const auto& kind : p.elements)
        for (const auto& slot : kind.second)
            if (slot && written.insert ({slot->type, slot->index}).second)
                out.push_back (ElementJson (Json::object (), *slot));
    return out;
}

Json SelectionJson (Json entry, const Selection& s)
{
    Put (entry, "kind", s.kind);
    Put (entry, "multiStory", s.multiStory);
    Json list = Json::array ();
    for (const auto& [type, index] : s.elements)
        list.push_back (Json{{"type", type}, {"index", index}});
    Put (entry, "elements", std::move (list));
    return entry;
}

Json BlockJson (Json entry, const ModuleDataBlock& block)
{
    Put (entry, "version", block.version);
    Put (entry, "platformSign", block.platformSign);
    Put (entry, "bytes", Hex (block.bytes));
    return entry;
}

// The document to save: the loaded one (if any) with every member this host knows set from the
// model. Throws the JSON library's exception when a text is not UTF-8.
Json ToDocument (const Project& p)
{
    Json root = Json::object ();
    if (!p.fileText.empty ()) {
        root = Json::parse (p.fileText);
        if (!root.is_object ())
            root = Json::object ();
    }
    root["version"] = ProjectFileVersion;
    Json stories = Json::array ();
    for (const Story& s : p.stories)
        stories.push_back (StoryJson (Base (ArrayMember (root, "stories"),
                                            [&] (const Json& e) {
                                                Int64 index = 0;
                                                return IntegerMember (e, "index", Int16Min, Int16Max, &index) &&
                                                       index == s.index;
                                            }),
                                      s));
    root["stories"] = std::move (stories);
    root["skipNullFloor"] = p.skipNullFloor;
    root["currentStory"] = p.currentStory;
    root["currentWindow"] = p.currentWindow;
    Json db = ObjectMember (root, "currentDatabase") != nullptr ? root["currentDatabase"] : Json::object ();
    db["type"] = p.currentDatabase.typeID;
    db["index"] = p.currentDatabase.index;
    root["currentDatabase"] = std::move (db);
    Json parts = Json::array ();
    for (const LibPart& part : p.libParts)
        parts.push_back (LibPartJson (
            Base (ArrayMember (root, "libParts"), [&] (const Json& e) { return TextMember (e, "guid") == part.guid; }),
            part));
    root["libParts"] = std::move (parts);
    root["elements"] = ElementsJson (ArrayMember (root, "elements"), p);
    root["selection"] =
        SelectionJson (ObjectMember (root, "selection") != nullptr ? root["selection"] : Json::object (), p.selection);
    root["moduleData"] = KeyedObject (ObjectMember (root, "moduleData"), p.moduleData, BlockJson);
    return root;
}

// The text of a value on one line: { "type": 1, "index": 2 }, [6, 6].
std::string Inline (const Json& v)
{
    if (!v.is_structured () || v.empty ())
        return v.dump ();
    std::string out = v.is_object () ? "{ " : "[";
    bool first = true;
    for (auto it = v.begin (); it != v.end (); ++it) {
        out += first ? "" : ", ";
        first = false;
        out += v.is_object () ? Json (it.key ()).dump () + ": " + Inline (it.value ()) : Inline (it.value ());
    }
    return out + (v.is_object () ? " }" : "]");
}

// One member or item per line, except that a value which fits within 100 columns stays on one
// line, so that a saved project reads like a hand-written one.
void Pretty (const Json& v, size_t indent, bool forceOpen, std::string& out)
{
    std::string flat = Inline (v);
    if (!v.is_structured () || v.empty () || (!forceOpen && indent + flat.size () <= 100)) {
        out += flat;
        return;
    }
    const std::string pad (indent + 2, ' ');
    out += v.is_object () ? "{\n" : "[\n";
    bool first = true;
    for (auto it = v.begin (); it != v.end (); ++it) {
        out += first ? pad : ",\n" + pad;
        first = false;
        if (v.is_object ())
            out += Json (it.key ()).dump () + ": ";
        Pretty (it.value (), indent + 2, false, out);
    }
    out += "\n" + std::string (indent, ' ') + (v.is_object () ? "}" : "]");
}

// ---- 6. Saving atomically ----------------------------------------------------------------------

bool WriteAll (int fd, const std::string& text)
{
    size_t done = 0;
    while (done < text.size ()) {
        const ssize_t n = ::write (fd, text.data () + done, text.size () - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t> (n);
    }
    return true;
}

// Writes `text` to a temporary file beside `path`, flushes it to the disk and renames it over
// `path`. Any failure removes the temporary file and leaves `path` as it was.
bool ReplaceFile (const std::string& path, const std::string& text, std::string* error, const SaveFaults& faults)
{
    auto injected = [&] (const char* step) {   // true, with errno set, when the step must fail
        const int code = faults ? faults (step) : 0;
        if (code != 0)
            errno = code;
        return code != 0;
    };
    std::string target = path;
    struct stat st {};
    if (::lstat (path.c_str (), &st) == 0 && S_ISLNK (st.st_mode)) {
        char* resolved = ::realpath (path.c_str (), nullptr);   // save through a link, not over it
        if (resolved != nullptr) {
            target = resolved;
            std::free (resolved);
        }
    }
    const size_t slash = target.rfind ('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr (0, slash);
    const std::string name = slash == std::string::npos ? target : target.substr (slash + 1);
    auto fail = [&] (const std::string& what) {
        *error = path + ": cannot save: " + what + ": " + std::strerror (errno) + "; the file was not changed";
        return false;
    };

    std::string temp = folder + "/." + name + ".saving-XXXXXX";
    const int fd = injected ("create") ? -1 : ::mkstemp (temp.data ());
    if (fd < 0)
        return fail ("cannot create a temporary file in " + folder);
    mode_t mode = 0;
    if (::stat (target.c_str (), &st) == 0 && S_ISREG (st.st_mode)) {
        mode = st.st_mode & 07777;   // the replaced file's permissions stay
    } else {
        const mode_t mask = ::umask (0);
        ::umask (mask);
        mode = 0666 & ~mask;
    }
    auto failTemp = [&] (const std::string& what) {
        const int saved = errno;
        if (fd >= 0)
            ::close (fd);
        ::unlink (temp.c_str ());
        errno = saved;
        return fail (what + " " + temp);
    };
    if (::fchmod (fd, mode) != 0)
        return failTemp ("cannot set the permissions of");
    if (injected ("write") || !WriteAll (fd, text))
        return failTemp ("cannot write");
    if (injected ("flush") || ::fsync (fd) != 0)
        return failTemp ("cannot flush");
    const int closed = ::close (fd);
    if (closed != 0) {
        const int saved = errno;
        ::unlink (temp.c_str ());
        errno = saved;
        return fail ("cannot close " + temp);
    }
    if (injected ("rename") || ::rename (temp.c_str (), target.c_str ()) != 0) {
        const int saved = errno;
        ::unlink (temp.c_str ());
        errno = saved;
        return fail ("cannot rename " + temp + " over it");
    }
    const int dir = ::open (folder.c_str (), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {   // makes the rename itself durable; the new file is in place either way
        ::fsync (dir);
        ::close (dir);
    }
    return true;
}

}   // namespace

bool LoadProjectChecked (const std::string& path, std::string text, Project* project, std::string* error)
{
    try {
        const Reader reader (path);
        Project loaded = ReadProject (reader, Parse (reader, path, text));
        loaded.path = path;
        loaded.fileText = std::move (text);
        *project = std::move (loaded);
        return true;
    } catch (const LoadError& e) {
        *error = e.message;
        return false;
    } catch (const std::exception& e) {   // out of memory, or a case the reader missed: still no crash
        *error = path + ": cannot load: " + e.what ();
        return false;
    }
}

// A sound file is read by the fast path; any other, and any the fast path is not sure of, by the
// checked loader, which gives the message.
bool LoadProject (const std::string& path, Project* project, std::string* error)
{
    std::string text;
    if (!ReadProjectText (path, &text, error))
        return false;
    if (LoadProjectFast (path, text, project))
        return true;
    return LoadProjectChecked (path, std::move (text), project, error);
}

bool SaveProject (const Project& project, const std::string& path, std::string* error, const SaveFaults& faults)
{
    std::string text;
    try {
        Pretty (ToDocument (project), 0, true, text);
        text += "\n";
    } catch (const Json::exception& e) {
        *error = path + ": cannot save: " + e.what () + "; the file was not changed";
        return false;
    }
    return ReplaceFile (path, text, error, faults);
}

}   // namespace HostSim
