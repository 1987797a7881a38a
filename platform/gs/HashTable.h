// GS::HashTable: a table with unique keys that enumerates its pairs in insertion order, so that
// reports and stored blocks come out the same every run. A second Add of a present key changes
// nothing and answers false. Lookups are hashed; Delete is linear in the table size (rare).
// The table owns copies of its keys and values. Not thread-safe (host main thread only).
#pragma once

#include "GSTypes.h"

#include <functional>
#include <unordered_map>
#include <utility>
#include <vector>

namespace GS {

template <class Key, class Value, class Hash = std::hash<Key>>
class HashTable {
public:
    struct Pair {
        Key key;
        Value value;
    };

    HashTable () = default;

    // Adds the pair when the key is absent; a present key keeps its value and false is answered.
    bool Add (const Key& key, const Value& value)
    {
        auto [it, inserted] = index.try_emplace (key, pairs.size ());
        if (!inserted)
            return false;
        pairs.push_back (Pair{key, value});
        return true;
    }

    // Sets the value of a present key, adds the pair otherwise.
    void Put (const Key& key, const Value& value)
    {
        if (Value* present = GetPtr (key))
            *present = value;
        else
            Add (key, value);
    }

    bool ContainsKey (const Key& key) const { return index.find (key) != index.end (); }

    Value* GetPtr (const Key& key)
    {
        auto it = index.find (key);
        return it == index.end () ? nullptr : &pairs[it->second].value;
    }
    const Value* GetPtr (const Key& key) const
    {
        auto it = index.find (key);
        return it == index.end () ? nullptr : &pairs[it->second].value;
    }

    // The value of a key that must be present; std::out_of_range otherwise.
    Value& Get (const Key& key) { return pairs.at (index.at (key)).value; }
    const Value& Get (const Key& key) const { return pairs.at (index.at (key)).value; }

    bool Delete (const Key& key)
    {
        auto it = index.find (key);
        if (it == index.end ())
            return false;
        const USize at = it->second;
        index.erase (it);
        pairs.erase (pairs.begin () + static_cast<std::ptrdiff_t> (at));
        for (USize i = at; i < pairs.size (); ++i)
            index[pairs[i].key] = i;
        return true;
    }

    void Clear ()
    {
        pairs.clear ();
        index.clear ();
    }

    UInt32 GetSize () const { return static_cast<UInt32> (pairs.size ()); }
    bool IsEmpty () const { return pairs.empty (); }

    // Enumeration in insertion order.
    auto begin () { return pairs.begin (); }
    auto end () { return pairs.end (); }
    auto begin () const { return pairs.begin (); }
    auto end () const { return pairs.end (); }

private:
    std::vector<Pair> pairs;
    std::unordered_map<Key, USize, Hash> index;
};

}   // namespace GS
