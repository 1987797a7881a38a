#include "Project.h"

namespace HostSim {

Element* Project::FindElement (API_ElemTypeID type, Int32 index)
{
    auto it = elements.find (type);
    if (it == elements.end () || index < 1 || static_cast<size_t> (index) > it->second.size ())
        return nullptr;
    auto& slot = it->second[static_cast<size_t> (index - 1)];
    return slot ? &*slot : nullptr;
}

const Element* Project::FindElement (API_ElemTypeID type, Int32 index) const
{
    return const_cast<Project*> (this)->FindElement (type, index);
}

LibPart* Project::FindLibPart (Int32 index)
{
    if (index < 1 || static_cast<size_t> (index) > libParts.size ())
        return nullptr;
    return &libParts[static_cast<size_t> (index - 1)];
}

Element& Project::AddElement (Element element)
{
    auto& slots = elements[element.type];
    if (element.index <= 0)
        element.index = static_cast<Int32> (slots.size ()) + 1;
    if (slots.size () < static_cast<size_t> (element.index))
        slots.resize (static_cast<size_t> (element.index));
    auto& slot = slots[static_cast<size_t> (element.index - 1)];
    slot = std::move (element);
    return *slot;
}

LibPart& Project::AddLibPart (LibPart part)
{
    part.index = static_cast<Int32> (libParts.size ()) + 1;
    libParts.push_back (std::move (part));
    return libParts.back ();
}

}   // namespace HostSim
