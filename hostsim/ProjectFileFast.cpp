// The project file's fast path (ProjectFileFast.h).
//
// Tokens: simdjson's stage 1 finds, with SIMD, the structural characters of the text and the
// starts of its strings and other values, and checks the UTF-8 of the whole text and that every
// string is closed and has no control character. Its on-demand parser would index the whole text
// at once: 4 bytes per token, some 90 MB for an 80 MB project, every page of it faulted in for
// one pass and thrown away. So stage 1 runs over windows of the text that end just after a
// newline, into one small index that stays in the cache. A newline byte is never inside a string
// of a sound file, and a window that ends inside one fails stage 1 (an unclosed string, or a
// control character in it), so every window starts outside strings and the tokens are those of
// the whole text. A text without newlines is one window. (Stage 1 alone is reached through
// simdjson's implementation interface, simdjson::internal, as its on-demand parser reaches it;
// Debian 12 ships simdjson 3.0.1.)
//
// Values: a recursive descent over the tokens in the shape the project file has, reading each
// member straight into the model. Scalars are converted here from their own characters so that
// what is accepted, and what it becomes, is what the JSON library under the checked loader gives:
// integers without fraction or exponent, other numbers through strtod as that library does, texts
// with its escapes, surrogate pairs and UTF-8 rules. Anything else is declined (a Declined
// exception) and left to the checked loader: faults of every kind, members it does not read,
// escaped member names.
//
// Elements go straight into their slots. Checks that need the whole file (the current story,
// placed modules, the selection) run at the end; an element's story and library part are checked
// as it is read, so the stories and library parts must come before the elements, as a save writes
// them, or the file is declined.
#include "ProjectFileFast.h"

#include "ProjectFile.h"

#include <simdjson.h>

#include <algorithm>
#include <bitset>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iterator>
#include <memory>
#include <string_view>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace HostSim {

static_assert (ProjectTextPadding >= simdjson::SIMDJSON_PADDING, "simdjson reads this far past the end of a text");

namespace {

struct Declined {};

[[noreturn]] void Decline ()
{
    throw Declined{};
}

// Large buffers filled once from start to end: backed by huge pages where the system allows it,
// as each small page's first touch costs a fault (about 10 us on a virtual machine).
void AdviseHugePages (const void* start, size_t bytes)
{
    constexpr uintptr_t Page = 4096;
    if (bytes < (4u << 20))
        return;
    const uintptr_t from = (reinterpret_cast<uintptr_t> (start) + Page - 1) & ~(Page - 1);
    const uintptr_t to = (reinterpret_cast<uintptr_t> (start) + bytes) & ~(Page - 1);
    if (to > from)
        ::madvise (reinterpret_cast<void*> (from), to - from, MADV_HUGEPAGE);   // advice only: no check
}

template <class T> void ReserveLarge (std::vector<T>& v, size_t n)
{
    v.reserve (n);
    AdviseHugePages (v.data (), v.capacity () * sizeof (T));
}

bool IsSpace (char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// ---- Tokens ------------------------------------------------------------------------------------

class Tokens {
public:
    Tokens (const std::string& text, size_t window) : text (text.data ()), size (text.size ()), window (std::max<size_t> (window, 1))
    {
        capacity = std::min (size, this->window);
        if (simdjson::get_active_implementation ()->create_dom_parser_implementation (capacity, 64, stage1) !=
            simdjson::SUCCESS)
            Decline ();
        Fill ();
    }

    // The first character of the current token; '\0' after the last one.
    char Peek () const { return i < n ? text[base + index[i]] : '\0'; }
    const char* At () const { return text + base + index[i]; }
    // The token's characters up to the next token (or the window's end): a scalar and the white
    // space after it; a string, white space and nothing else.
    const char* End () const { return text + base + index[i + 1]; }
    bool AtEnd () const { return i >= n; }

    void Next ()
    {
        if (++i >= n)
            Fill ();
    }
    void Expect (char c)
    {
        if (Peek () != c)
            Decline ();
        Next ();
    }

private:
    const char* text;
    size_t size;
    size_t window;
    std::unique_ptr<simdjson::internal::dom_parser_implementation> stage1;
    size_t capacity = 0;
    size_t next = 0;   // where the next window starts
    size_t base = 0;   // where the current window starts
    const uint32_t* index = nullptr;
    size_t i = 0, n = 0;

    // Indexes the next window that has a token; at the end, leaves none.
    void Fill ()
    {
        i = n = 0;
        while (next < size) {
            const size_t start = next;
            size_t end = size;
            if (size - start > window) {
                const void* newline = ::memrchr (text + start, '\n', window);
                if (newline == nullptr)
                    newline = std::memchr (text + start + window, '\n', size - start - window);
                if (newline != nullptr)
                    end = static_cast<size_t> (static_cast<const char*> (newline) - text) + 1;
            }
            next = end;
            if (end - start > capacity) {
                if (end - start > simdjson::SIMDJSON_MAXSIZE_BYTES)   // its positions are 32 bits
                    Decline ();
                capacity = end - start;
                if (stage1->set_capacity (capacity) != simdjson::SUCCESS)
                    Decline ();
                AdviseHugePages (stage1->structural_indexes.get (), capacity * sizeof (uint32_t));
            }
            const simdjson::error_code error = stage1->stage1 (reinterpret_cast<const uint8_t*> (text + start),
                                                               end - start, simdjson::stage1_mode::regular);
            if (error == simdjson::EMPTY)   // white space only
                continue;
            if (error != simdjson::SUCCESS)
                Decline ();
            base = start;
            index = stage1->structural_indexes.get ();
            n = stage1->n_structural_indexes;
            return;
        }
    }
};

// ---- Scalars, from their own characters ------------------------------------------------------

constexpr Int64 Int16Min = -32768, Int16Max = 32767, Int32Min = -2147483648LL, Int32Max = 2147483647;
constexpr size_t ParNameMax = API_ParNameLength - 1, ParValueMax = API_ParValueLength - 1,
                 LibPartTextMax = API_LibPartTextLength - 1;

bool IsDigit (char c)
{
    return c >= '0' && c <= '9';
}

// The current token as a scalar (without the white space after it), and on to the next token.
std::string_view Scalar (Tokens& tokens)
{
    if (tokens.AtEnd ())
        Decline ();
    const char* start = tokens.At ();
    const char* end = tokens.End ();
    while (end > start && IsSpace (end[-1]))
        --end;
    tokens.Next ();
    return {start, static_cast<size_t> (end - start)};
}

// An integer written as one (no fraction, exponent, '+' or leading zero) within lo..hi.
Int64 Integer (Tokens& tokens, Int64 lo, Int64 hi)
{
    if (tokens.AtEnd ())
        Decline ();
    const char* p = tokens.At ();
    const char* end = tokens.End ();
    const bool negative = *p == '-';
    p += negative ? 1 : 0;
    const char* first = p;
    // A run of digits ends within its token: a digit never starts a token of its own right after
    // another, and the text ends in zero bytes.
    Int64 n = 0;
    for (unsigned digit; (digit = static_cast<unsigned char> (*p) - unsigned ('0')) <= 9; ++p) {
        if (p - first == 18)
            Decline ();
        n = n * 10 + digit;
    }
    if (p == first || (*first == '0' && p - first > 1) || p > end)
        Decline ();
    for (; p < end; ++p)   // white space only up to the next token: no fraction or exponent
        if (!IsSpace (*p))
            Decline ();
    tokens.Next ();
    n = negative ? -n : n;   // "-0" is the integer 0, as for the JSON library
    if (n < lo || n > hi)
        Decline ();
    return n;
}

bool Bool (Tokens& tokens)
{
    const std::string_view t = Scalar (tokens);
    if (t == "true")
        return true;
    if (t != "false")
        Decline ();
    return false;
}

// Any JSON number, as the JSON library reads it: an integer that fits 64 bits (signed when
// negative, unsigned otherwise) converted to double, anything else strtod's, which must be finite.
double Number (Tokens& tokens)
{
    const std::string_view t = Scalar (tokens);
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
    // The text goes on with white space or a structural character, so the conversions stop at the
    // number's end, as the check of `end` confirms.
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
// never passes the text's closing quote or the zero bytes after the file's end.
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

// Only white space from `from` up to the next token: what follows a string's closing quote.
void WhiteUpTo (const char* from, const char* next)
{
    if (from > next)
        Decline ();
    for (; from < next; ++from)
        if (!IsSpace (*from))
            Decline ();
}

// The current token as a text, unescaped into `out`, and on to the next token. Control
// characters, unknown escapes, lone surrogates and malformed UTF-8 are declined, as the JSON
// library refuses them.
void Text (Tokens& tokens, std::string& out)
{
    if (tokens.Peek () != '"')
        Decline ();
    out.clear ();
    const char* p = tokens.At () + 1;
    for (;;) {
        const char* run = p;
        while (Plain.plain[static_cast<unsigned char> (*p)])
            ++p;
        out.append (run, static_cast<size_t> (p - run));
        const unsigned char c = static_cast<unsigned char> (*p);
        if (c == '"')
            break;
        if (c < 0x20)   // also the zero bytes after the file's end
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
    WhiteUpTo (p + 1, tokens.End ());
    tokens.Next ();
}

// A text for the host's fixed records: within the byte limits, no zero byte.
void RecordText (Tokens& tokens, std::string& out, size_t minBytes, size_t maxBytes)
{
    Text (tokens, out);
    if (out.size () < minBytes || out.size () > maxBytes || out.find ('\0') != std::string::npos)
        Decline ();
}

// The members of the object at the current token: `member (name)` reads each one's value. Names
// are the raw characters between the quotes (the colon's token follows the closing one and white
// space); the objects read this way have only plain names, so a name with an escape is one they
// do not know, and is declined.
template <class Member> void Object (Tokens& tokens, Member member)
{
    tokens.Expect ('{');
    if (tokens.Peek () == '}') {
        tokens.Next ();
        return;
    }
    for (;;) {
        if (tokens.Peek () != '"')
            Decline ();
        const char* start = tokens.At () + 1;
        const char* end = tokens.End () - 1;
        while (end > start && IsSpace (*end))
            --end;
        if (end < start || *end != '"')
            Decline ();
        tokens.Next ();
        tokens.Expect (':');
        member (std::string_view (start, static_cast<size_t> (end - start)));
        if (tokens.Peek () != ',')
            break;
        tokens.Next ();
    }
    tokens.Expect ('}');
}

// The members of an object keyed by any text (a value text, a parameter name, an add-on name):
// `member (name)` reads each one's value; each name once.
template <class Member> void KeyedObject (Tokens& tokens, std::string& name, Member member)
{
    tokens.Expect ('{');
    if (tokens.Peek () == '}') {
        tokens.Next ();
        return;
    }
    for (;;) {
        Text (tokens, name);
        tokens.Expect (':');
        member (name);
        if (tokens.Peek () != ',')
            break;
        tokens.Next ();
    }
    tokens.Expect ('}');
}

template <class Item> void Array (Tokens& tokens, Item item)
{
    tokens.Expect ('[');
    if (tokens.Peek () == ']') {
        tokens.Next ();
        return;
    }
    for (;;) {
        item ();
        if (tokens.Peek () != ',')
            break;
        tokens.Next ();
    }
    tokens.Expect (']');
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
    FastReader (const std::string& text, size_t window, Project& p) : text (text), tokens (text, window), p (p) {}

    void Read ()
    {
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
        Object (tokens, [&] (std::string_view name) {
            if (name == "elements") {
                Once (seen, Elements);
                ReadElements ();
            } else if (name == "libParts") {
                Once (seen, LibParts);
                if ((seen & Elements) != 0)   // the elements were read against no parts
                    Decline ();
                ReadLibParts ();
            } else if (name == "stories") {
                Once (seen, Stories);
                if ((seen & Elements) != 0)   // the elements were read against no stories
                    Decline ();
                ReadStories ();
            } else if (name == "version") {
                Once (seen, Version);
                Integer (tokens, ProjectFileVersion, ProjectFileVersion);
            } else if (name == "skipNullFloor") {
                Once (seen, SkipNullFloor);
                p.skipNullFloor = Bool (tokens);
            } else if (name == "currentStory") {
                Once (seen, CurrentStory);
                p.currentStory = static_cast<Int16> (Integer (tokens, Int16Min, Int16Max));
            } else if (name == "currentWindow") {
                Once (seen, CurrentWindow);
                p.currentWindow = static_cast<Int32> (Integer (tokens, Int32Min, Int32Max));
            } else if (name == "currentDatabase") {
                Once (seen, CurrentDatabase);
                ReadDatabase ();
            } else if (name == "selection") {
                Once (seen, Selection);
                ReadSelection ();
            } else if (name == "moduleData") {
                Once (seen, ModuleData);
                ReadModuleData ();
            } else {
                Decline ();
            }
        });
        if (!tokens.AtEnd () || (seen & Version) == 0)
            Decline ();
        CheckReferences ();
    }

private:
    using Slots = std::vector<std::optional<Element>>;

    const std::string& text;
    Tokens tokens;
    Project& p;
    std::bitset<65536> storyKnown;   // by story index + 32768
    struct Kind {
        Slots* slots = nullptr;
        size_t firstRead = 0;   // elements read before its first one
    };
    Kind kinds[33];                  // by element type
    std::vector<Int32> moduleRefs;   // moduleInstance values other than 0
    std::string key, scratch;
    // Lists being read, copied to the model at their final size
    std::vector<Int32> countsRead;
    std::vector<std::string> valuesRead;
    std::vector<ParamDef> paramsRead;
    size_t elementsStart = 0, elementsRead = 0;

    bool StoryKnown (Int16 index) const
    {
        return p.stories.empty () || storyKnown[static_cast<size_t> (index + 32768)];
    }

    void ReadStories ()
    {
        Array (tokens, [&] {
            Story story;
            unsigned seen = 0;
            Object (tokens, [&] (std::string_view name) {
                if (name == "index") {
                    Once (seen, 1);
                    story.index = static_cast<Int16> (Integer (tokens, Int16Min, Int16Max));
                } else if (name == "name") {
                    Once (seen, 2);
                    Text (tokens, story.name);
                } else if (name == "level") {
                    Once (seen, 4);
                    story.level = Number (tokens);
                } else {
                    Decline ();
                }
            });
            if ((seen & 1) == 0 || (!p.stories.empty () && story.index <= p.stories.back ().index))
                Decline ();
            storyKnown.set (static_cast<size_t> (story.index + 32768));
            p.stories.push_back (std::move (story));
        });
    }

    void ReadDatabase ()
    {
        unsigned seen = 0;
        Object (tokens, [&] (std::string_view name) {
            if (name == "type") {
                Once (seen, 1);
                p.currentDatabase.typeID = static_cast<Int32> (Integer (tokens, Int32Min, Int32Max));
            } else if (name == "index") {
                Once (seen, 2);
                p.currentDatabase.index = static_cast<Int32> (Integer (tokens, Int32Min, Int32Max));
            } else {
                Decline ();
            }
        });
    }

    // Polygon counts, one per body.
    template <class Counts> void ReadCounts (Counts& counts)
    {
        countsRead.clear ();
        Array (tokens, [&] { countsRead.push_back (static_cast<Int32> (Integer (tokens, 0, Int32Max))); });
        counts = countsRead;   // one block of the right size
    }

    ParamDef ReadParam ()
    {
        ParamDef param;
        unsigned seen = 0;
        bool textValue = false;
        Object (tokens, [&] (std::string_view name) {
            if (name == "name") {
                Once (seen, 1);
                RecordText (tokens, param.name, 1, ParNameMax);
            } else if (name == "type") {
                Once (seen, 2);
                param.type = static_cast<Int32> (Integer (tokens, Int32Min, Int32Max));
            } else if (name == "typeMod") {
                Once (seen, 4);
                param.typeMod = static_cast<Int16> (Integer (tokens, Int16Min, Int16Max));
            } else if (name == "value") {
                // Its kind follows the type, which may come later: a text or a number for now.
                Once (seen, 8);
                textValue = tokens.Peek () == '"';
                if (textValue)
                    Text (tokens, param.text);
                else
                    param.number = Number (tokens);
            } else if (name == "values") {
                Once (seen, 16);
                valuesRead.clear ();
                Array (tokens, [&] {
                    valuesRead.emplace_back ();
                    RecordText (tokens, valuesRead.back (), 0, ParValueMax);
                });
                param.valueList.assign (std::make_move_iterator (valuesRead.begin ()),
                                        std::make_move_iterator (valuesRead.end ()));
            } else {
                Decline ();
            }
        });
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

    void ReadLibParts ()
    {
        const size_t partsStart = Position ();
        Array (tokens, [&] {
            if (p.libParts.size () == p.libParts.capacity ()) {
                // As for elements' slots (SlotFor): room for as many as the rest of the text would
                // hold at the rate read so far, so that the parts are not moved as they grow.
                size_t wanted = std::max<size_t> (64, 2 * p.libParts.size ());
                const size_t position = Position ();
                if (p.libParts.size () >= 64 && position > partsStart)
                    wanted = std::max (wanted, static_cast<size_t> (double (text.size () - position) *
                                                                    double (p.libParts.size ()) /
                                                                    double (position - partsStart)));
                ReserveLarge (p.libParts, wanted);
            }
            LibPart part;
            unsigned seen = 0;
            const Int64 position = static_cast<Int64> (p.libParts.size ()) + 1;
            Object (tokens, [&] (std::string_view name) {
                if (name == "index") {
                    Once (seen, 1);
                    Integer (tokens, position, position);
                } else if (name == "guid") {
                    Once (seen, 2);
                    RecordText (tokens, part.guid, 1, LibPartTextMax);
                } else if (name == "name") {
                    Once (seen, 4);
                    RecordText (tokens, part.name, 0, LibPartTextMax);
                } else if (name == "params") {
                    Once (seen, 8);
                    paramsRead.clear ();
                    Array (tokens, [&] { paramsRead.push_back (ReadParam ()); });
                    part.params.assign (std::make_move_iterator (paramsRead.begin ()),
                                        std::make_move_iterator (paramsRead.end ()));
                } else if (name == "detailParam") {
                    Once (seen, 16);
                    RecordText (tokens, part.detailParam, 0, ParNameMax);
                } else if (name == "bodiesByValue") {
                    Once (seen, 32);
                    KeyedObject (tokens, key, [&] (const std::string& value) {
                        auto added = part.bodiesByValue.emplace (value, std::vector<Int32> ());
                        if (!added.second)
                            Decline ();
                        ReadCounts (added.first->second);
                    });
                } else if (name == "bodies") {
                    Once (seen, 64);
                    ReadCounts (part.bodies);
                } else {
                    Decline ();
                }
            });
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
        });
        std::vector<std::string_view> guids;   // each unique-ID text once
        guids.reserve (p.libParts.size ());
        for (const LibPart& part : p.libParts)
            guids.push_back (part.guid);
        std::sort (guids.begin (), guids.end ());
        if (std::adjacent_find (guids.begin (), guids.end ()) != guids.end ())
            Decline ();
    }

    void ReadElements ()
    {
        const Int64 partCount = static_cast<Int64> (p.libParts.size ());
        elementsStart = Position ();
        Element e;
        Array (tokens, [&] {
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
            Object (tokens, [&] (std::string_view name) {
                if (name == "type") {
                    Once (seen, Type);
                    e.type = static_cast<API_ElemTypeID> (Integer (tokens, 1, 32));
                } else if (name == "index") {
                    Once (seen, Index);
                    e.index = static_cast<Int32> (Integer (tokens, 1, MaxElementIndex));
                } else if (name == "story") {
                    Once (seen, StoryIndex);
                    e.story = static_cast<Int16> (Integer (tokens, Int16Min, Int16Max));
                } else if (name == "libPart") {
                    Once (seen, LibPartIndex);
                    e.libInd = static_cast<Int32> (Integer (tokens, 1, partCount));   // no parts: declined
                } else if (name == "bodies") {
                    Once (seen, Bodies);
                    ReadCounts (e.bodies);
                } else if (name == "ownWorkspace") {
                    Once (seen, OwnWorkspace);
                    e.ownWorkspace = Bool (tokens);
                } else if (name == "shownLayer") {
                    Once (seen, ShownLayer);
                    e.shownLayer = Bool (tokens);
                } else if (name == "has3D") {
                    Once (seen, Has3D);
                    e.has3D = Bool (tokens);
                } else if (name == "variation") {
                    Once (seen, Variation);
                    if (tokens.Peek () == '"') {
                        Text (tokens, scratch);
                        if (scratch.size () != 4)
                            Decline ();
                        e.variation = (UInt32 (UInt8 (scratch[0])) << 24) | (UInt32 (UInt8 (scratch[1])) << 16) |
                                      (UInt32 (UInt8 (scratch[2])) << 8) | UInt32 (UInt8 (scratch[3]));
                    } else {
                        e.variation = static_cast<UInt32> (Integer (tokens, 0, 4294967295LL));
                    }
                } else if (name == "params") {
                    Once (seen, Params);
                    KeyedObject (tokens, key, [&] (const std::string& paramName) {
                        if (e.paramValues.find (paramName) != e.paramValues.end ())
                            Decline ();
                        RecordText (tokens, scratch, 0, ParValueMax);
                        e.paramValues.emplace (paramName, scratch);
                    });
                } else if (name == "moduleInstance") {
                    Once (seen, ModuleInstance);
                    e.moduleInstance = static_cast<Int32> (Integer (tokens, 0, MaxElementIndex));
                } else if (name == "moduleKind") {
                    Once (seen, ModuleKind);
                    e.moduleKind = static_cast<Int32> (Integer (tokens, Int32Min, Int32Max));
                } else if (name == "hotlink") {
                    Once (seen, Hotlink);
                    e.hotlinkFlag = Bool (tokens);
                } else if (name == "linkWord") {
                    Once (seen, LinkWord);
                    e.linkWord = static_cast<Int32> (Integer (tokens, Int32Min, Int32Max));
                    e.hasLinkBlock = true;
                } else {
                    Decline ();
                }
            });
            if ((seen & Type) == 0 || (seen & Index) == 0 || !StoryKnown (e.story))
                Decline ();
            if (IsPlacement (e.type)) {
                if ((seen & LibPartIndex) == 0 || (seen & Bodies) != 0)
                    Decline ();
                const LibPart& part = p.libParts[static_cast<size_t> (e.libInd - 1)];
                for (const auto& [paramName, value] : e.paramValues)
                    if (!IsTextParam (part, paramName))
                        Decline ();
            } else if ((seen & (LibPartIndex | Params)) != 0) {
                Decline ();
            }
            if (e.type != PlacedModuleType && (seen & (ModuleKind | Hotlink | LinkWord)) != 0)
                Decline ();
            if (e.moduleInstance != 0)
                moduleRefs.push_back (e.moduleInstance);
            ++elementsRead;
            SlotFor (e.type, e.index).emplace (std::move (e));
        });
    }

    size_t Position () const { return tokens.AtEnd () ? text.size () : static_cast<size_t> (tokens.At () - text.data ()); }

    // The empty slot of (type, index); each element once. A kind's slots are reserved ahead, so
    // that they are not copied as they grow: for as many as the rest of the text would hold at the
    // rate the kind's indexes grew since its first element. Capacity beyond the last slot is
    // address space only; its pages are never touched.
    std::optional<Element>& SlotFor (API_ElemTypeID type, Int32 index)
    {
        Kind& kind = kinds[type];
        if (kind.slots == nullptr) {
            kind.slots = &p.elements[type];
            kind.firstRead = elementsRead;
        }
        Slots& slots = *kind.slots;
        const size_t at = static_cast<size_t> (index - 1);
        if (at < slots.size ()) {
            if (slots[at])
                Decline ();
            return slots[at];
        }
        if (at >= slots.capacity ()) {
            size_t wanted = std::max<size_t> (1024, 2 * slots.capacity ());
            const size_t position = Position (), read = position - elementsStart;
            if (elementsRead > kind.firstRead + 256 && read > 0) {
                const double remaining = double (text.size () - position) * double (elementsRead) / double (read);
                const double rate = double (at + 1) / double (elementsRead - kind.firstRead);
                wanted = std::max (wanted, at + 1 + static_cast<size_t> (remaining * rate * 1.1));
            }
            ReserveLarge (slots, std::min<size_t> (std::max (wanted, at + 1), MaxElementIndex));
        }
        while (slots.size () < at)   // deleted elements before it
            slots.emplace_back ();
        return slots.emplace_back ();
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

    void ReadSelection ()
    {
        unsigned seen = 0;
        Object (tokens, [&] (std::string_view name) {
            if (name == "kind") {
                Once (seen, 1);
                p.selection.kind = static_cast<Int32> (Integer (tokens, 0, Int32Max));
            } else if (name == "multiStory") {
                Once (seen, 2);
                p.selection.multiStory = Bool (tokens);
            } else if (name == "elements") {
                Once (seen, 4);
                Array (tokens, [&] { ReadSelected (); });
            } else {
                Decline ();
            }
        });
    }

    void ReadSelected ()
    {
        API_ElemTypeID type = 0;
        Int32 index = 0;
        unsigned seen = 0;
        Object (tokens, [&] (std::string_view name) {
            if (name == "type") {
                Once (seen, 1);
                type = static_cast<API_ElemTypeID> (Integer (tokens, 1, 32));
            } else if (name == "index") {
                Once (seen, 2);
                index = static_cast<Int32> (Integer (tokens, 1, MaxElementIndex));
            } else {
                Decline ();
            }
        });
        if (seen != 3)
            Decline ();
        p.selection.elements.emplace_back (type, index);
    }

    void ReadModuleData ()
    {
        KeyedObject (tokens, key, [&] (const std::string& addon) {
            if (addon.empty () || p.moduleData.count (addon) != 0)
                Decline ();
            ModuleDataBlock block;
            unsigned seen = 0;
            Object (tokens, [&] (std::string_view name) {
                if (name == "version") {
                    Once (seen, 1);
                    block.version = static_cast<Int32> (Integer (tokens, Int32Min, Int32Max));
                } else if (name == "platformSign") {
                    Once (seen, 2);
                    block.platformSign = static_cast<UInt16> (Integer (tokens, 0, 65535));
                } else if (name == "bytes") {
                    Once (seen, 4);
                    Text (tokens, scratch);
                    if (scratch.size () % 2 != 0)
                        Decline ();
                    block.bytes.resize (scratch.size () / 2);
                    for (size_t i = 0; i < block.bytes.size (); ++i) {
                        const int high = HexDigit (scratch[2 * i]), low = HexDigit (scratch[2 * i + 1]);
                        if (high < 0 || low < 0)
                            Decline ();
                        block.bytes[i] = static_cast<char> (high * 16 + low);
                    }
                } else {
                    Decline ();
                }
            });
            if ((seen & 1) == 0 || (seen & 4) == 0)
                Decline ();
            p.moduleData.emplace (addon, std::move (block));
        });
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
    // Room for the file's size when it has one, in pages backed as one block; read through a
    // small buffer, so each byte of the text is written once (a text resized first would be
    // cleared first).
    struct stat st {};
    const size_t expected = ::fstat (fd, &st) == 0 && S_ISREG (st.st_mode) ? static_cast<size_t> (st.st_size) : 0;
    text->clear ();
    text->reserve (expected + ProjectTextPadding);
    AdviseHugePages (text->data (), text->capacity ());
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read (fd, buffer, sizeof buffer);
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
        text->append (buffer, static_cast<size_t> (n));
    }
    ::close (fd);
    const size_t size = text->size ();
    text->append (ProjectTextPadding, '\0');   // the zero bytes after the end stay, within the capacity
    text->resize (size);
    return true;
}

bool LoadProjectFast (const std::string& path, std::string& text, Project* project, size_t window)
{
    try {
        const size_t size = text.size ();
        text.append (ProjectTextPadding, '\0');   // readable, and ends any scan of a text
        text.resize (size);
        Project loaded;
        FastReader (text, window, loaded).Read ();
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
