// The project file's fast path (ProjectFileFast.h). simdjson's on-demand parser finds the
// structure of the text in one pass; the values are then read in file order straight into the
// model. Every scalar is converted here from its raw characters, not by simdjson, so that what is
// accepted, and what it becomes, is what the JSON library under the checked loader gives:
// integers without fraction or exponent, other numbers through strtod as that library does,
// texts with its escapes, surrogate pairs and UTF-8 rules. Whatever the checked loader would
// refuse, or might read otherwise, is declined (a Declined exception) and left to it.
//
// Checks that need the whole file (the current story, placed modules, the selection) run at the
// end; those that need earlier sections (an element's story and library part) need those
// sections to come first in the file, as saved files have them, and are declined otherwise.
#include "ProjectFileFast.h"

#include "ProjectFile.h"

#include <simdjson.h>

#include <algorithm>
#include <bitset>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace HostSim {

static_assert (ProjectTextPadding >= simdjson::SIMDJSON_PADDING, "simdjson reads this far past the end of a text");

namespace {

namespace od = simdjson::ondemand;

struct Declined {};

[[noreturn]] void Decline ()
{
    throw Declined{};
}

template <class T> T Take (simdjson::simdjson_result<T>&& result)
{
    T value;
    if (std::move (result).get (value) != simdjson::SUCCESS)
        Decline ();
    return value;
}

// ---- Scalars, from their raw characters ------------------------------------------------------

constexpr Int64 Int16Min = -32768, Int16Max = 32767, Int32Min = -2147483648LL, Int32Max = 2147483647;
constexpr size_t ParNameMax = API_ParNameLength - 1, ParValueMax = API_ParValueLength - 1,
                 LibPartTextMax = API_LibPartTextLength - 1;

bool IsDigit (char c)
{
    return c >= '0' && c <= '9';
}

bool IsSpace (char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// A scalar's characters. simdjson's token runs to the next structural character, so it may end in
// white space; anything else after the scalar would have started a token of its own.
std::string_view Token (od::value& v)
{
    std::string_view t = v.raw_json_token ();
    while (!t.empty () && IsSpace (t.back ()))
        t.remove_suffix (1);
    return t;
}

// An integer written as one (no fraction, exponent, '+' or leading zero) within lo..hi.
Int64 Integer (od::value& v, Int64 lo, Int64 hi)
{
    const std::string_view t = Token (v);
    const bool negative = !t.empty () && t[0] == '-';
    size_t i = negative ? 1 : 0;
    if (i == t.size () || t.size () - i > 18 || (t[i] == '0' && t.size () - i > 1))
        Decline ();
    Int64 n = 0;
    for (; i < t.size (); ++i) {
        if (!IsDigit (t[i]))
            Decline ();
        n = n * 10 + (t[i] - '0');
    }
    n = negative ? -n : n;   // "-0" is the integer 0, as for the JSON library
    if (n < lo || n > hi)
        Decline ();
    return n;
}

bool Bool (od::value& v)
{
    const std::string_view t = Token (v);
    if (t == "true")
        return true;
    if (t != "false")
        Decline ();
    return false;
}

// Any JSON number, as the JSON library reads it: an integer that fits 64 bits (signed when
// negative, unsigned otherwise) converted to double, anything else strtod's, which must be finite.
double Number (od::value& v)
{
    const std::string_view t = Token (v);
    size_t i = !t.empty () && t[0] == '-' ? 1 : 0;
    auto digits = [&] {
        const size_t start = i;
        while (i < t.size () && IsDigit (t[i]))
            ++i;
        if (i == start)
            Decline ();
    };
    if (i < t.size () && t[i] == '0')
        ++i;
    else
        digits ();
    bool integer = true;
    if (i < t.size () && t[i] == '.') {
        integer = false;
        ++i;
        digits ();
    }
    if (i < t.size () && (t[i] == 'e' || t[i] == 'E')) {
        integer = false;
        ++i;
        if (i < t.size () && (t[i] == '+' || t[i] == '-'))
            ++i;
        digits ();
    }
    if (i != t.size ())
        Decline ();
    // The text goes on with white space or a structural character, so the conversions stop at
    // the number's end, as the check of `end` confirms.
    char* end = nullptr;
    if (integer) {
        errno = 0;
        if (t[0] == '-') {
            const long long n = std::strtoll (t.data (), &end, 10);
            if (errno == 0 && end == t.data () + t.size ())
                return static_cast<double> (n);
        } else {
            const unsigned long long n = std::strtoull (t.data (), &end, 10);
            if (errno == 0 && end == t.data () + t.size ())
                return static_cast<double> (n);
        }
    }
    const double d = std::strtod (t.data (), &end);
    if (end != t.data () + t.size () || !std::isfinite (d))
        Decline ();
    return d;
}

// ---- Texts -------------------------------------------------------------------------------------

struct PlainBytes {
    bool plain[256] = {};
    constexpr PlainBytes ()
    {
        for (int c = 0x20; c < 0x80; ++c)
            plain[c] = c != '"' && c != '\\';
    }
};
constexpr PlainBytes Plain;

int HexDigit (char c)
{
    return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Four hex digits at p; each is looked at only after the one before it was a digit, so a scan
// never passes the text's closing quote or the zero bytes after its end.
unsigned Hex4 (const char* p)
{
    unsigned code = 0;
    for (int i = 0; i < 4; ++i) {
        const int d = HexDigit (p[i]);
        if (d < 0)
            Decline ();
        code = code * 16 + static_cast<unsigned> (d);
    }
    return code;
}

void AppendUtf8 (unsigned code, std::string& out)
{
    if (code < 0x80) {
        out += static_cast<char> (code);
    } else if (code < 0x800) {
        out += static_cast<char> (0xC0 | (code >> 6));
        out += static_cast<char> (0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char> (0xE0 | (code >> 12));
        out += static_cast<char> (0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char> (0x80 | (code & 0x3F));
    } else {
        out += static_cast<char> (0xF0 | (code >> 18));
        out += static_cast<char> (0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char> (0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char> (0x80 | (code & 0x3F));
    }
}

// The length of the well-formed UTF-8 sequence at p (a byte 0x80 or above), or 0.
size_t Utf8Length (const unsigned char* p)
{
    const unsigned char c = p[0];
    unsigned char low = 0x80, high = 0xBF;
    size_t length = 0;
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        low = c == 0xE0 ? 0xA0 : 0x80;    // no overlong forms
        high = c == 0xED ? 0x9F : 0xBF;   // no surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        low = c == 0xF0 ? 0x90 : 0x80;
        high = c == 0xF4 ? 0x8F : 0xBF;   // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (p[1] < low || p[1] > high)
        return 0;
    for (size_t i = 2; i < length; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF)
            return 0;
    return length;
}

// The text whose characters start at p (just after its opening quote), unescaped into `out`.
// Control characters, unknown escapes, lone surrogates and malformed UTF-8 are declined, as the
// JSON library refuses them.
void Text (const char* p, std::string& out)
{
    out.clear ();
    for (;;) {
        const char* run = p;
        while (Plain.plain[static_cast<unsigned char> (*p)])
            ++p;
        out.append (run, static_cast<size_t> (p - run));
        const unsigned char c = static_cast<unsigned char> (*p);
        if (c == '"')
            return;
        if (c < 0x20)   // also the zero bytes after the text's end
            Decline ();
        if (c >= 0x80) {
            const size_t length = Utf8Length (reinterpret_cast<const unsigned char*> (p));
            if (length == 0)
                Decline ();
            out.append (p, length);
            p += length;
            continue;
        }
        switch (p[1]) {   // c is a backslash
        case '"':
        case '\\':
        case '/':
            out += p[1];
            break;
        case 'b':
            out += '\b';
            break;
        case 'f':
            out += '\f';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'u': {
            unsigned code = Hex4 (p + 2);
            p += 6;
            if (code >= 0xDC00 && code <= 0xDFFF)
                Decline ();
            if (code >= 0xD800 && code <= 0xDBFF) {
                if (p[0] != '\\' || p[1] != 'u')
                    Decline ();
                const unsigned low = Hex4 (p + 2);
                if (low < 0xDC00 || low > 0xDFFF)
                    Decline ();
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                p += 6;
            }
            AppendUtf8 (code, out);
            continue;
        }
        default:
            Decline ();
        }
        p += 2;
    }
}

void Text (od::value& v, std::string& out)
{
    Text (Take (v.get_raw_json_string ()).raw (), out);
}

// A text for the host's fixed records: within the byte limits, no zero byte.
void RecordText (od::value& v, std::string& out, size_t minBytes, size_t maxBytes)
{
    Text (v, out);
    if (out.size () < minBytes || out.size () > maxBytes || out.find ('\0') != std::string::npos)
        Decline ();
}

// The name of a member of an object whose members are known; such names never need escapes.
std::string_view Name (const od::field& f)
{
    const char* start = f.key ().raw ();
    const char* end = start;
    while (*end != '"') {
        if (*end == '\\')
            Decline ();
        ++end;
    }
    return {start, static_cast<size_t> (end - start)};
}

// Each member once: `seen` gathers a bit per member read.
void Once (unsigned& seen, unsigned bit)
{
    if ((seen & bit) != 0)
        Decline ();
    seen |= bit;
}

// ---- The project -------------------------------------------------------------------------------

constexpr API_ElemTypeID PlacedModuleType = 28;

bool IsPlacement (API_ElemTypeID type)
{
    return type >= 4 && type <= 7;
}

bool IsTextParam (const LibPart& part, const std::string& name)
{
    for (const ParamDef& param : part.params)
        if (param.type == API_ParTextType && param.name == name)
            return true;
    return false;
}

class FastReader {
public:
    explicit FastReader (Project& p) : p (p) {}

    void Read (od::document& doc)
    {
        od::object root = Take (doc.get_object ());
        enum : unsigned {
            Version = 1u << 0,
            Stories = 1u << 1,
            SkipNullFloor = 1u << 2,
            CurrentStory = 1u << 3,
            CurrentWindow = 1u << 4,
            CurrentDatabase = 1u << 5,
            LibParts = 1u << 6,
            Elements = 1u << 7,
            Selection = 1u << 8,
            ModuleData = 1u << 9,
        };
        unsigned seen = 0;
        for (auto member : root) {
            od::field f = Take (std::move (member));
            const std::string_view name = Name (f);
            od::value& v = f.value ();
            if (name == "elements") {
                Once (seen, Elements);
                ReadElements (v);
            } else if (name == "libParts") {
                Once (seen, LibParts);
                if ((seen & Elements) != 0)   // the elements were checked against no parts
                    Decline ();
                ReadLibParts (v);
            } else if (name == "stories") {
                Once (seen, Stories);
                if ((seen & Elements) != 0)   // the elements were checked against no stories
                    Decline ();
                ReadStories (v);
            } else if (name == "version") {
                Once (seen, Version);
                Integer (v, ProjectFileVersion, ProjectFileVersion);
            } else if (name == "skipNullFloor") {
                Once (seen, SkipNullFloor);
                p.skipNullFloor = Bool (v);
            } else if (name == "currentStory") {
                Once (seen, CurrentStory);
                p.currentStory = static_cast<Int16> (Integer (v, Int16Min, Int16Max));
            } else if (name == "currentWindow") {
                Once (seen, CurrentWindow);
                p.currentWindow = static_cast<Int32> (Integer (v, Int32Min, Int32Max));
            } else if (name == "currentDatabase") {
                Once (seen, CurrentDatabase);
                ReadDatabase (v);
            } else if (name == "selection") {
                Once (seen, Selection);
                ReadSelection (v);
            } else if (name == "moduleData") {
                Once (seen, ModuleData);
                ReadModuleData (v);
            } else {
                Decline ();
            }
        }
        if ((seen & Version) == 0)
            Decline ();
        CheckReferences ();
    }

private:
    Project& p;
    std::bitset<65536> storyKnown;   // by story index + 32768
    std::vector<std::vector<std::optional<Element>>*> slotsOf = std::vector<std::vector<std::optional<Element>>*> (33);
    std::vector<Int32> moduleRefs;   // moduleInstance values other than 0
    std::vector<Int32> counts;       // polygon counts being read
    std::string key, text;

    bool StoryKnown (Int16 index) const
    {
        return p.stories.empty () || storyKnown[static_cast<size_t> (index + 32768)];
    }

    void CheckReferences ()
    {
        if (!StoryKnown (p.currentStory))
            Decline ();
        for (Int32 index : moduleRefs)
            if (p.FindElement (PlacedModuleType, index) == nullptr)
                Decline ();
        if (p.selection.kind == 0 && !p.selection.elements.empty ())
            Decline ();
        for (const auto& [type, index] : p.selection.elements)
            if (p.FindElement (type, index) == nullptr)
                Decline ();
    }

    void ReadStories (od::value& v)
    {
        for (auto item : Take (v.get_array ())) {
            od::value value = Take (std::move (item));
            Story story;
            unsigned seen = 0;
            for (auto member : Take (value.get_object ())) {
                od::field f = Take (std::move (member));
                const std::string_view name = Name (f);
                od::value& m = f.value ();
                if (name == "index") {
                    Once (seen, 1);
                    story.index = static_cast<Int16> (Integer (m, Int16Min, Int16Max));
                } else if (name == "name") {
                    Once (seen, 2);
                    Text (m, story.name);
                } else if (name == "level") {
                    Once (seen, 4);
                    story.level = Number (m);
                } else {
                    Decline ();
                }
            }
            if ((seen & 1) == 0 || (!p.stories.empty () && story.index <= p.stories.back ().index))
                Decline ();
            storyKnown.set (static_cast<size_t> (story.index + 32768));
            p.stories.push_back (std::move (story));
        }
    }

    void ReadDatabase (od::value& v)
    {
        unsigned seen = 0;
        for (auto member : Take (v.get_object ())) {
            od::field f = Take (std::move (member));
            const std::string_view name = Name (f);
            od::value& m = f.value ();
            if (name == "type") {
                Once (seen, 1);
                p.currentDatabase.typeID = static_cast<Int32> (Integer (m, Int32Min, Int32Max));
            } else if (name == "index") {
                Once (seen, 2);
                p.currentDatabase.index = static_cast<Int32> (Integer (m, Int32Min, Int32Max));
            } else {
                Decline ();
            }
        }
    }

    // Polygon counts, one per body, into `counts`.
    void ReadCounts (od::value& v)
    {
        counts.clear ();
        for (auto item : Take (v.get_array ())) {
            od::value value = Take (std::move (item));
            counts.push_back (static_cast<Int32> (Integer (value, 0, Int32Max)));
        }
    }

    ParamDef ReadParam (od::value& v)
    {
        ParamDef param;
        unsigned seen = 0;
        bool textValue = false;
        for (auto member : Take (v.get_object ())) {
            od::field f = Take (std::move (member));
            const std::string_view name = Name (f);
            od::value& m = f.value ();
            if (name == "name") {
                Once (seen, 1);
                RecordText (m, param.name, 1, ParNameMax);
            } else if (name == "type") {
                Once (seen, 2);
                param.type = static_cast<Int32> (Integer (m, Int32Min, Int32Max));
            } else if (name == "typeMod") {
                Once (seen, 4);
                param.typeMod = static_cast<Int16> (Integer (m, Int16Min, Int16Max));
            } else if (name == "value") {
                // Its kind follows the type, which may come later: a text or a number for now.
                Once (seen, 8);
                textValue = Token (m).substr (0, 1) == "\"";
                if (textValue)
                    Text (m, param.text);
                else
                    param.number = Number (m);
            } else if (name == "values") {
                Once (seen, 16);
                for (auto item : Take (m.get_array ())) {
                    od::value value = Take (std::move (item));
                    param.valueList.emplace_back ();
                    RecordText (value, param.valueList.back (), 0, ParValueMax);
                }
            } else {
                Decline ();
            }
        }
        if ((seen & 1) == 0)
            Decline ();
        if (param.type == API_ParTextType) {
            if ((seen & 8) != 0 &&
                (!textValue || param.text.size () > ParValueMax || param.text.find ('\0') != std::string::npos))
                Decline ();
        } else if (textValue || (seen & 16) != 0) {
            Decline ();
        }
        return param;
    }

    void ReadLibParts (od::value& v)
    {
        for (auto item : Take (v.get_array ())) {
            od::value value = Take (std::move (item));
            LibPart part;
            unsigned seen = 0;
            const Int64 position = static_cast<Int64> (p.libParts.size ()) + 1;
            for (auto member : Take (value.get_object ())) {
                od::field f = Take (std::move (member));
                const std::string_view name = Name (f);
                od::value& m = f.value ();
                if (name == "index") {
                    Once (seen, 1);
                    Integer (m, position, position);
                } else if (name == "guid") {
                    Once (seen, 2);
                    RecordText (m, part.guid, 1, LibPartTextMax);
                } else if (name == "name") {
                    Once (seen, 4);
                    RecordText (m, part.name, 0, LibPartTextMax);
                } else if (name == "params") {
                    Once (seen, 8);
                    for (auto param : Take (m.get_array ())) {
                        od::value paramValue = Take (std::move (param));
                        part.params.push_back (ReadParam (paramValue));
                    }
                } else if (name == "detailParam") {
                    Once (seen, 16);
                    RecordText (m, part.detailParam, 0, ParNameMax);
                } else if (name == "bodiesByValue") {
                    Once (seen, 32);
                    for (auto entry : Take (m.get_object ())) {
                        od::field byValue = Take (std::move (entry));
                        Text (byValue.key ().raw (), key);
                        if (part.bodiesByValue.count (key) != 0)
                            Decline ();
                        ReadCounts (byValue.value ());
                        part.bodiesByValue.emplace (key, counts);
                    }
                } else if (name == "bodies") {
                    Once (seen, 64);
                    ReadCounts (m);
                    part.bodies = counts;
                } else {
                    Decline ();
                }
            }
            if ((seen & 2) == 0 || (seen & 4) == 0)
                Decline ();
            if (!part.detailParam.empty () && !IsTextParam (part, part.detailParam))
                Decline ();
            if (part.params.size () > 1) {   // each parameter name once
                std::vector<std::string_view> names;
                names.reserve (part.params.size ());
                for (const ParamDef& param : part.params)
                    names.push_back (param.name);
                std::sort (names.begin (), names.end ());
                if (std::adjacent_find (names.begin (), names.end ()) != names.end ())
                    Decline ();
            }
            p.AddLibPart (std::move (part));
        }
        std::vector<std::string_view> guids;   // each unique-ID text once
        guids.reserve (p.libParts.size ());
        for (const LibPart& part : p.libParts)
            guids.push_back (part.guid);
        std::sort (guids.begin (), guids.end ());
        if (std::adjacent_find (guids.begin (), guids.end ()) != guids.end ())
            Decline ();
    }

    void ReadElementParams (od::value& v, Element& e)
    {
        for (auto entry : Take (v.get_object ())) {
            od::field f = Take (std::move (entry));
            Text (f.key ().raw (), key);
            RecordText (f.value (), text, 0, ParValueMax);
            if (e.paramValues.find (key) != e.paramValues.end ())
                Decline ();
            e.paramValues.emplace (key, text);
        }
    }

    void ReadElements (od::value& v)
    {
        const Int64 partCount = static_cast<Int64> (p.libParts.size ());
        Element e;
        for (auto item : Take (v.get_array ())) {
            od::value value = Take (std::move (item));
            enum : unsigned {
                Type = 1u << 0,
                Index = 1u << 1,
                StoryIndex = 1u << 2,
                Variation = 1u << 3,
                LibPartIndex = 1u << 4,
                Params = 1u << 5,
                ShownLayer = 1u << 6,
                OwnWorkspace = 1u << 7,
                ModuleInstance = 1u << 8,
                ModuleKind = 1u << 9,
                Hotlink = 1u << 10,
                LinkWord = 1u << 11,
                Has3D = 1u << 12,
                Bodies = 1u << 13,
            };
            unsigned seen = 0;
            e = Element ();
            for (auto member : Take (value.get_object ())) {
                od::field f = Take (std::move (member));
                const std::string_view name = Name (f);
                od::value& m = f.value ();
                if (name == "type") {
                    Once (seen, Type);
                    e.type = static_cast<API_ElemTypeID> (Integer (m, 1, 32));
                } else if (name == "index") {
                    Once (seen, Index);
                    e.index = static_cast<Int32> (Integer (m, 1, MaxElementIndex));
                } else if (name == "story") {
                    Once (seen, StoryIndex);
                    e.story = static_cast<Int16> (Integer (m, Int16Min, Int16Max));
                } else if (name == "libPart") {
                    Once (seen, LibPartIndex);
                    e.libInd = static_cast<Int32> (Integer (m, 1, partCount));   // none: always declined
                } else if (name == "bodies") {
                    Once (seen, Bodies);
                    ReadCounts (m);
                    e.bodies = counts;
                } else if (name == "ownWorkspace") {
                    Once (seen, OwnWorkspace);
                    e.ownWorkspace = Bool (m);
                } else if (name == "shownLayer") {
                    Once (seen, ShownLayer);
                    e.shownLayer = Bool (m);
                } else if (name == "has3D") {
                    Once (seen, Has3D);
                    e.has3D = Bool (m);
                } else if (name == "variation") {
                    Once (seen, Variation);
                    if (Token (m).substr (0, 1) == "\"") {
                        Text (m, text);
                        if (text.size () != 4)
                            Decline ();
                        e.variation = (UInt32 (UInt8 (text[0])) << 24) | (UInt32 (UInt8 (text[1])) << 16) |
                                      (UInt32 (UInt8 (text[2])) << 8) | UInt32 (UInt8 (text[3]));
                    } else {
                        e.variation = static_cast<UInt32> (Integer (m, 0, 4294967295LL));
                    }
                } else if (name == "params") {
                    Once (seen, Params);
                    ReadElementParams (m, e);
                } else if (name == "moduleInstance") {
                    Once (seen, ModuleInstance);
                    e.moduleInstance = static_cast<Int32> (Integer (m, 0, MaxElementIndex));
                } else if (name == "moduleKind") {
                    Once (seen, ModuleKind);
                    e.moduleKind = static_cast<Int32> (Integer (m, Int32Min, Int32Max));
                } else if (name == "hotlink") {
                    Once (seen, Hotlink);
                    e.hotlinkFlag = Bool (m);
                } else if (name == "linkWord") {
                    Once (seen, LinkWord);
                    e.linkWord = static_cast<Int32> (Integer (m, Int32Min, Int32Max));
                    e.hasLinkBlock = true;
                } else {
                    Decline ();
                }
            }
            if ((seen & Type) == 0 || (seen & Index) == 0 || !StoryKnown (e.story))
                Decline ();
            if (IsPlacement (e.type)) {
                if ((seen & LibPartIndex) == 0 || (seen & Bodies) != 0)
                    Decline ();
                const LibPart& part = p.libParts[static_cast<size_t> (e.libInd - 1)];
                for (const auto& [paramName, paramValue] : e.paramValues)
                    if (!IsTextParam (part, paramName))
                        Decline ();
            } else if ((seen & (LibPartIndex | Params)) != 0) {
                Decline ();
            }
            if (e.type != PlacedModuleType && (seen & (ModuleKind | Hotlink | LinkWord)) != 0)
                Decline ();
            if (e.moduleInstance != 0)
                moduleRefs.push_back (e.moduleInstance);
            Place (std::move (e));
        }
    }

    // Into its slot, which must be empty: each (type, index) once.
    void Place (Element&& e)
    {
        std::vector<std::optional<Element>>*& slots = slotsOf[static_cast<size_t> (e.type)];
        if (slots == nullptr)
            slots = &p.elements[e.type];
        const size_t at = static_cast<size_t> (e.index - 1);
        if (at >= slots->size ())
            slots->resize (at + 1);
        else if ((*slots)[at])
            Decline ();
        (*slots)[at].emplace (std::move (e));
    }

    void ReadSelection (od::value& v)
    {
        unsigned seen = 0;
        for (auto member : Take (v.get_object ())) {
            od::field f = Take (std::move (member));
            const std::string_view name = Name (f);
            od::value& m = f.value ();
            if (name == "kind") {
                Once (seen, 1);
                p.selection.kind = static_cast<Int32> (Integer (m, 0, Int32Max));
            } else if (name == "multiStory") {
                Once (seen, 2);
                p.selection.multiStory = Bool (m);
            } else if (name == "elements") {
                Once (seen, 4);
                for (auto item : Take (m.get_array ())) {
                    od::value value = Take (std::move (item));
                    ReadSelected (value);
                }
            } else {
                Decline ();
            }
        }
    }

    void ReadSelected (od::value& v)
    {
        API_ElemTypeID type = 0;
        Int32 index = 0;
        unsigned seen = 0;
        for (auto member : Take (v.get_object ())) {
            od::field f = Take (std::move (member));
            const std::string_view name = Name (f);
            od::value& m = f.value ();
            if (name == "type") {
                Once (seen, 1);
                type = static_cast<API_ElemTypeID> (Integer (m, 1, 32));
            } else if (name == "index") {
                Once (seen, 2);
                index = static_cast<Int32> (Integer (m, 1, MaxElementIndex));
            } else {
                Decline ();
            }
        }
        if (seen != 3)
            Decline ();
        p.selection.elements.emplace_back (type, index);
    }

    void ReadModuleData (od::value& v)
    {
        for (auto entry : Take (v.get_object ())) {
            od::field f = Take (std::move (entry));
            Text (f.key ().raw (), key);
            if (key.empty () || p.moduleData.count (key) != 0)
                Decline ();
            ModuleDataBlock block;
            unsigned seen = 0;
            for (auto member : Take (f.value ().get_object ())) {
                od::field blockField = Take (std::move (member));
                const std::string_view name = Name (blockField);
                od::value& m = blockField.value ();
                if (name == "version") {
                    Once (seen, 1);
                    block.version = static_cast<Int32> (Integer (m, Int32Min, Int32Max));
                } else if (name == "platformSign") {
                    Once (seen, 2);
                    block.platformSign = static_cast<UInt16> (Integer (m, 0, 65535));
                } else if (name == "bytes") {
                    Once (seen, 4);
                    Text (m, text);
                    if (text.size () % 2 != 0)
                        Decline ();
                    block.bytes.resize (text.size () / 2);
                    for (size_t i = 0; i < block.bytes.size (); ++i) {
                        const int high = HexDigit (text[2 * i]), low = HexDigit (text[2 * i + 1]);
                        if (high < 0 || low < 0)
                            Decline ();
                        block.bytes[i] = static_cast<char> (high * 16 + low);
                    }
                } else {
                    Decline ();
                }
            }
            if ((seen & 1) == 0 || (seen & 4) == 0)
                Decline ();
            p.moduleData.emplace (key, std::move (block));
        }
    }
};

}   // namespace

bool ReadProjectText (const std::string& path, std::string* text, std::string* error)
{
    const int fd = ::open (path.c_str (), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = path + ": cannot open: " + std::strerror (errno);
        return false;
    }
    // Sized from the file's size when it has one; grown as needed (a pipe, a file still growing).
    struct stat st {};
    const size_t expected = ::fstat (fd, &st) == 0 && S_ISREG (st.st_mode) ? static_cast<size_t> (st.st_size) : 0;
    text->clear ();
    text->resize (expected + 1 + ProjectTextPadding);   // + 1: the end shows as a read of 0 bytes
    size_t size = 0;
    for (;;) {
        if (text->size () - size < 1 + ProjectTextPadding)
            text->resize (text->size () * 2 + 65536);
        const ssize_t n = ::read (fd, &(*text)[size], text->size () - ProjectTextPadding - size);
        if (n == 0)
            break;
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            *error = path + ": cannot read: " + std::strerror (errno);
            ::close (fd);
            text->clear ();
            return false;
        }
        size += static_cast<size_t> (n);
    }
    ::close (fd);
    text->resize (size);   // the capacity, and the zero bytes after the end, stay
    return true;
}

bool LoadProjectFast (const std::string& path, std::string& text, Project* project)
{
    try {
        const size_t size = text.size ();
        text.append (ProjectTextPadding, '\0');   // readable, and ends any scan of a text
        text.resize (size);
        od::parser parser;
        od::document doc = Take (parser.iterate (simdjson::padded_string_view (text.data (), size, text.capacity ())));
        Project loaded;
        FastReader (loaded).Read (doc);
        if (doc.current_location ().error () != simdjson::OUT_OF_BOUNDS)   // more after the project's object
            Decline ();
        loaded.path = path;
        loaded.fileText = std::move (text);
        *project = std::move (loaded);
        return true;
    } catch (const Declined&) {
        return false;
    } catch (const std::exception&) {   // out of memory: the checked loader says so
        return false;
    }
}

}   // namespace HostSim
