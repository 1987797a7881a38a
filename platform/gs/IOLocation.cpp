#include "IOLocation.h"

#include <string>

namespace IO {

namespace {

// Position of the extension's dot, or npos; a name's leading dot starts no extension.
std::string::size_type ExtensionDot (const std::string& s)
{
    const auto dot = s.rfind ('.');
    if (dot == std::string::npos || dot == 0)
        return std::string::npos;
    return dot;
}

}   // namespace

bool Name::HasExtension () const { return ExtensionDot (text.ToStd ()) != std::string::npos; }

GS::String Name::GetExtension () const
{
    const auto dot = ExtensionDot (text.ToStd ());
    return dot == std::string::npos ? GS::String () : GS::String (text.ToStd ().substr (dot + 1));
}

void Name::DeleteExtension ()
{
    const auto dot = ExtensionDot (text.ToStd ());
    if (dot != std::string::npos)
        text = GS::String (text.ToStd ().substr (0, dot));
}

void Name::AppendExtension (const GS::String& extension)
{
    text += ".";
    text += extension;
}

GSErrCode Location::GetLastLocalName (Name* name) const
{
    const std::string& p = path.ToStd ();
    const auto slash = p.rfind ('/');
    const std::string last = slash == std::string::npos ? p : p.substr (slash + 1);
    if (last.empty ())
        return ErrNoName;
    if (name != nullptr)
        *name = Name (GS::String (last));
    return NoError;
}

GSErrCode Location::SetLastLocalName (const Name& name)
{
    const std::string& p = path.ToStd ();
    const auto slash = p.rfind ('/');
    const std::string dir = slash == std::string::npos ? std::string () : p.substr (0, slash + 1);
    path = GS::String (dir + name.ToString ().ToStd ());
    return NoError;
}

File::~File () { Close (); }

GSErrCode File::Open (OpenMode)
{
    Close ();
    handle = std::fopen (location.ToPath ().ToCStr (), "rb");
    return handle == nullptr ? ErrFileNotFound : NoError;
}

GSErrCode File::GetDataLength (UInt64* length) const
{
    if (handle == nullptr)
        return ErrFileNotOpen;
    const long at = std::ftell (handle);
    if (at < 0 || std::fseek (handle, 0, SEEK_END) != 0)
        return ErrFileRead;
    const long end = std::ftell (handle);
    std::fseek (handle, at, SEEK_SET);
    if (end < 0)
        return ErrFileRead;
    *length = static_cast<UInt64> (end - at);
    return NoError;
}

GSErrCode File::ReadBin (char* buffer, UInt64 count, UInt64* read)
{
    if (handle == nullptr)
        return ErrFileNotOpen;
    const size_t got = std::fread (buffer, 1, static_cast<size_t> (count), handle);
    if (read != nullptr)
        *read = got;
    return got == count || std::feof (handle) ? NoError : ErrFileRead;
}

GSErrCode File::Close ()
{
    if (handle != nullptr) {
        std::fclose (handle);
        handle = nullptr;
    }
    return NoError;
}

}   // namespace IO
