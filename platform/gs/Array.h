// GS::Array: an ordered, growable array of values that it owns. Thin over std::vector.
// Index access is unchecked like the host's; callers stay within GetSize().
#pragma once

#include "GSTypes.h"

#include <initializer_list>
#include <vector>

namespace GS {

template <class T>
class Array {
public:
    Array () = default;
    Array (std::initializer_list<T> items) : items (items) {}

    void Push (const T& item) { items.push_back (item); }
    void Insert (UInt32 at, const T& item) { items.insert (items.begin () + at, item); }
    void Delete (UInt32 at) { items.erase (items.begin () + at); }
    void Clear () { items.clear (); }

    UInt32 GetSize () const { return static_cast<UInt32> (items.size ()); }
    bool IsEmpty () const { return items.empty (); }

    T& operator[] (UInt32 i) { return items[i]; }
    const T& operator[] (UInt32 i) const { return items[i]; }

    bool operator== (const Array& other) const { return items == other.items; }

    auto begin () { return items.begin (); }
    auto end () { return items.end (); }
    auto begin () const { return items.begin (); }
    auto end () const { return items.end (); }

private:
    std::vector<T> items;
};

}   // namespace GS
