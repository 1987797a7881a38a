// The detail-parameter names file: <add-on name>.txt next to the add-on, 8-bit text read as bytes.
//
//   file   = { line LF } [ line ] [ NUL { any } ]     a zero byte ends the text
//   line   = shorter than two bytes                    skipped
//          | { SEP } key [ SEP values ]                one entry: key -> values
//   SEP    = space | tab
//   key    = one or more bytes up to the next SEP or the line's end; "#..." makes a comment line
//   values = { other | '"' text ( '"' | end of line ) }
//            every quoted text is a value (empty quotes give an empty one); bytes outside the
//            quotes are ignored; there is no escape; CR is an ordinary byte
//
// A line needs two values: with fewer it is kept as it is and message 130 is shown; with exactly
// two they stand for levels 0 and 2, so an empty text goes between them. A key followed by nothing,
// or by a single space or tab, gives no entry and no message; anything more after the separator
// (even spaces) counts as values text. A line of spaces and tabs only gives nothing. Entries with
// one key keep file order.
#include "DetParNames.h"

#include "gs/IOLocation.h"
#include "host/ACAPI.h"
#include "store/Dlg_ErrorMessage.h"

#include <string>

std::multimap<OGSString, GS::Array<GS::String>> detParNames;
bool detParNamesRead = true;

namespace {

constexpr Int16 MsgTooFewValues = 130;
constexpr Int16 MsgNoNamesFile = 131;

void ShowMessage (Int16 msgId)
{
    Dlg_ErrorMessage dialog (msgId, false);
    dialog.Invoke ();
}

GS::String UpperCase (const GS::String& text)
{
    std::string upper = text.ToStd ();
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char> (c - 'a' + 'A');
    return GS::String (upper);
}

// The names file's location: the add-on's own file with the extension apx (any case) or none,
// turned into txt. False when there is none to be had; nothing is then read.
bool NamesFileLocation (IO::Location* location)
{
    if (ACAPI_GetOwnLocation (location) != NoError)
        return false;
    IO::Name name;
    if (location->GetLastLocalName (&name) != NoError)
        return false;
    if (name.HasExtension ()) {
        if (UpperCase (name.GetExtension ()) != GS::String ("APX"))
            return false;
        name.DeleteExtension ();
    }
    name.AppendExtension ("txt");
    return location->SetLastLocalName (name) == NoError;
}

// The file's text up to its first zero byte; false when it cannot be opened or read. The length
// the file reports is only trusted as far as bytes really come (a folder reports a huge one).
bool ReadText (const IO::Location& location, GS::String* text)
{
    IO::File file (location);
    if (file.Open (IO::File::ReadMode) != NoError)
        return false;
    UInt64 left = 0;
    if (file.GetDataLength (&left) != NoError)
        return false;
    std::string bytes;
    char chunk[64 * 1024];
    while (left > 0) {
        const UInt64 want = left < sizeof chunk ? left : sizeof chunk;
        UInt64 got = 0;
        if (file.ReadBin (chunk, want, &got) != NoError)
            return false;
        bytes.append (chunk, static_cast<size_t> (got));
        if (got < want)
            break;
        left -= got;
    }
    file.Close ();
    *text = GS::String (bytes.c_str ());
    return true;
}

// Reads one line (the text without its line feed) into detParNames. `key` is kept from line to
// line as the reader's one key variable.
void ReadLine (GS::String& line, OGSString& key)
{
    const UInt32 end = line.GetLength ();
    if (end < 2)
        return;

    UInt32 pos = 0;
    while (pos < end) {
        const UInt32 space = FindFirst (line, pos, ' ');
        const UInt32 tab = FindFirst (line, pos, '\t');
        const UInt32 separator = space < tab ? space : tab;
        if (separator > pos) {
            key = GetSubstring (line, pos, separator);
            pos = separator + 1;
            break;
        }
        pos = separator + 1;
    }
    // A line of spaces and tabs only names no key: when no key was read before either, the key is
    // still empty, and an entry under an empty name would never match a parameter. Skipped.
    if (key.IsEmpty () || key[0] == '#' || pos >= end)
        return;

    GS::Array<GS::String> values;
    while (pos < end) {
        const UInt32 open = FindFirst (line, pos, '"');
        const UInt32 close = FindFirst (line, open + 1, '"');
        if (close > open)
            values.Push (GetSubstring (line, open + 1, close));
        pos = close + 1;
    }
    if (values.GetSize () < 2)
        ShowMessage (MsgTooFewValues);
    if (values.GetSize () == 2)
        values.Insert (1, GS::String ());
    detParNames.emplace (key, values);
}

}   // namespace

void PopulateDetParams ()
{
    detParNames.clear ();
    detParNamesRead = false;

    IO::Location location;
    if (!NamesFileLocation (&location))
        return;
    GS::String text;
    if (!ReadText (location, &text)) {
        ShowMessage (MsgNoNamesFile);
        return;
    }
    detParNamesRead = true;

    OGSString key;
    const UInt32 length = text.GetLength ();
    for (UInt32 pos = 0; pos < length;) {
        const UInt32 lineEnd = FindFirst (text, pos, '\n');
        GS::String line = GetSubstring (text, pos, lineEnd);
        ReadLine (line, key);
        pos = lineEnd + 1;
    }
}

UInt32 FindFirst (GS::String& text, UInt32 from, char c)
{
    const UInt32 length = text.GetLength ();
    if (from >= length)
        return length;
    const auto at = text.View ().find (c, from);
    return at == std::string_view::npos ? length : static_cast<UInt32> (at);
}

GS::String GetSubstring (GS::String& text, UInt32 from, UInt32 to)
{
    const UInt32 length = text.GetLength ();
    if (from > length)
        from = length;
    if (to > length)
        to = length;
    if (to <= from)
        return GS::String ();
    return text.GetSubstring (from, to - from);
}
