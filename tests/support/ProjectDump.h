// Every field of a Project as text, one line per record (doubles to the bit, texts with every
// byte visible), so that two models compare as text and a difference shows. For the tests and
// fuzz targets that compare the project file's two loaders.
#pragma once

#include "hostsim/Project.h"

#include <cstdio>
#include <sstream>
#include <string>

namespace TestSupport {

inline std::string Quoted (const std::string& text)
{
    std::ostringstream out;
    out << '"';
    for (unsigned char c : text) {
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\') {
            char hex[8];
            std::snprintf (hex, sizeof hex, "\\x%02x", c);
            out << hex;
        } else {
            out << c;
        }
    }
    return out.str () + '"';
}

inline std::string Exact (double v)   // every bit, so 0.0 and -0.0 differ
{
    char text[40];
    std::snprintf (text, sizeof text, "%a", v);
    return text;
}

// Every field of the model but where it came from (its path and file text), one line per record.
inline std::string DumpModel (const HostSim::Project& p)
{
    std::ostringstream out;
    for (const auto& s : p.stories)
        out << "story " << s.index << " " << Quoted (s.name) << " " << Exact (s.level) << "\n";
    out << "skip " << p.skipNullFloor << " current " << p.currentStory << " window " << p.currentWindow << " db "
        << p.currentDatabase.typeID << "/" << p.currentDatabase.index << "\n";
    for (const auto& part : p.libParts) {
        out << "part " << part.index << " " << Quoted (part.guid) << " " << Quoted (part.name) << " detail "
            << Quoted (part.detailParam) << " bodies";
        for (Int32 n : part.bodies)
            out << " " << n;
        out << "\n";
        for (const auto& d : part.params) {
            out << "  param " << Quoted (d.name) << " " << d.type << " " << d.typeMod << " " << Quoted (d.text) << " "
                << Exact (d.number) << " [";
            for (const auto& v : d.valueList)
                out << " " << Quoted (v);
            out << " ]\n";
        }
        for (const auto& [value, counts] : part.bodiesByValue) {
            out << "  by " << Quoted (value);
            for (Int32 n : counts)
                out << " " << n;
            out << "\n";
        }
    }
    for (const auto& [type, slots] : p.elements) {
        out << "kind " << type << " slots " << slots.size () << "\n";
        for (const auto& slot : slots) {
            if (!slot) {
                out << "  deleted\n";
                continue;
            }
            const HostSim::Element& e = *slot;
            out << "  " << e.type << "/" << e.index << " var " << e.variation << " story " << e.story << " lib "
                << e.libInd << " layer " << e.shownLayer << " ws " << e.ownWorkspace << " in " << e.moduleInstance
                << " kind " << e.moduleKind << " hot " << e.hotlinkFlag << " link " << e.hasLinkBlock << ":"
                << e.linkWord << " 3d " << e.has3D << " bodies";
            for (Int32 n : e.bodies)
                out << " " << n;
            for (const auto& [name, value] : e.paramValues)
                out << " " << Quoted (name) << "=" << Quoted (value);
            out << "\n";
        }
    }
    out << "selection " << p.selection.kind << " " << p.selection.multiStory;
    for (const auto& [type, index] : p.selection.elements)
        out << " " << type << "/" << index;
    for (const auto& [x, y] : p.selection.polygon)
        out << " (" << Exact (x) << "," << Exact (y) << ")";
    out << "\n";
    for (const auto& [name, block] : p.moduleData)
        out << "block " << Quoted (name) << " " << block.version << " " << block.platformSign << " "
            << Quoted (block.bytes) << "\n";
    const auto& session = p.paramSession;
    out << "session " << session.open << " " << session.libInd << " " << session.type << " " << session.index << " "
        << session.changes.size () << "\n";
    return out.str ();
}

// Every field of the model, with its path and the size of its file text.
inline std::string Dump (const HostSim::Project& p)
{
    return "path " + Quoted (p.path) + " text " + std::to_string (p.fileText.size ()) + " bytes\n" + DumpModel (p);
}

}   // namespace TestSupport
