// Fuzz target: the detail-parameter names file over arbitrary bytes. The bytes become the file
// next to the add-on and the palette's reading runs on them. Besides the sanitizers' findings it
// checks what any file must give: keys that are one token and no comment, values that hold no
// quote or line end, never exactly two values, and nothing read past a zero byte.
#include "FuzzHost.h"

#include "store/DetParNames.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using FuzzSupport::Check;

using Table = std::vector<std::pair<std::string, std::vector<std::string>>>;

Table Read (const uint8_t* data, size_t size)
{
    FuzzSupport::Session& session = FuzzSupport::Bound ();
    FuzzSupport::WriteFile (session.folder + "/Tessera.txt", data, size);
    PopulateDetParams ();
    Table table;
    for (const auto& [key, values] : detParNames) {
        std::vector<std::string> texts;
        for (UInt32 i = 0; i < values.GetSize (); ++i)
            texts.push_back (values[i].ToStd ());
        table.emplace_back (key.ToStd (), texts);
    }
    return table;
}

bool HasAny (const std::string& text, const char* bytes, size_t count)
{
    return text.find_first_of (bytes, 0, count) != std::string::npos;
}

}   // namespace

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    const Table table = Read (data, size);

    size_t lines = 1;
    for (size_t i = 0; i < size && data[i] != 0; ++i)
        lines += data[i] == '\n';
    Check (table.size () <= lines, "at most one entry per line");
    for (const auto& [key, values] : table) {
        Check (!key.empty () && key[0] != '#', "a key is never empty and never a comment");
        Check (!HasAny (key, " \t\n\0", 4), "a key is one token of one line");
        Check (values.size () != 2, "two values always widen to three");
        for (const std::string& value : values)
            Check (!HasAny (value, "\"\n\0", 3), "a value holds no quote, line feed or zero byte");
    }

    const auto* zero = static_cast<const uint8_t*> (std::memchr (data, 0, size));
    if (zero != nullptr)
        Check (Read (data, static_cast<size_t> (zero - data)) == table, "a zero byte ends the text");
    return 0;
}
