// IO::Name, IO::Location and IO::File: file names, paths and byte reading, as far as add-ons need
// them. A Location is a path whose last part can be read and replaced; a Name can test, read,
// delete and append its extension (the text after the last dot, not counting a leading dot).
// IO::File reads a whole file: Open answers non-zero when the file cannot be opened for reading.
#pragma once

#include "GSString.h"

#include <cstdio>

namespace IO {

class Name {
public:
    Name () = default;
    explicit Name (const GS::String& text) : text (text) {}

    bool HasExtension () const;
    GS::String GetExtension () const;
    void DeleteExtension ();
    void AppendExtension (const GS::String& extension);
    const GS::String& ToString () const { return text; }

private:
    GS::String text;
};

class Location {
public:
    Location () = default;
    explicit Location (const GS::String& path) : path (path) {}

    // The last part of the path; an error when the path has none.
    GSErrCode GetLastLocalName (Name* name) const;
    GSErrCode SetLastLocalName (const Name& name);
    GS::String ToPath () const { return path; }
    bool IsEmpty () const { return path.IsEmpty (); }

private:
    GS::String path;
};

class File {
public:
    enum OpenMode { ReadMode };

    explicit File (const Location& location) : location (location) {}
    ~File ();
    File (const File&) = delete;
    File& operator= (const File&) = delete;

    GSErrCode Open (OpenMode mode);
    GSErrCode GetDataLength (UInt64* length) const;
    // Reads up to `count` bytes; `read` gets how many came.
    GSErrCode ReadBin (char* buffer, UInt64 count, UInt64* read = nullptr);
    GSErrCode Close ();

private:
    Location location;
    std::FILE* handle = nullptr;
};

constexpr GSErrCode ErrFileNotFound = static_cast<GSErrCode> (0x81020001);
constexpr GSErrCode ErrFileNotOpen = static_cast<GSErrCode> (0x81020002);
constexpr GSErrCode ErrFileRead = static_cast<GSErrCode> (0x81020003);
constexpr GSErrCode ErrNoName = static_cast<GSErrCode> (0x81020004);

}   // namespace IO
