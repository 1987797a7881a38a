// GS::HashTable: a table with unique keys that enumerates its pairs in insertion order, so that
// reports and stored blocks come out the same every run. A second Add of a present key changes
// nothing and answers false. Lookups are hashed: the pairs sit in one array in insertion order and
// an open-addressed index (a power of two of slots, at most half full, linear probing) holds each
// pair's position with a part of its hash, so a lookup is one probe into a small array and one
// into the pairs, without the node-per-entry allocations and divisions of a node-based map. A
// census looks rows up once per counted placement. Delete is linear in the table size (rare).
// The table owns copies of its keys and values. Not thread-safe (host main thread only).
#pragma once

#include "GSTypes.h"

#include <cstdint>
#include <functional>
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
        const UInt64 hash = HashOf (key);
        if (Find (key, hash) != NotFound)
            return false;
        pairs.push_back (Pair{key, value});
        if (2 * pairs.size () > slots.size ())
            Rebuild ();
        else
            Place (hash, pairs.size () - 1);
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

    bool ContainsKey (const Key& key) const { return Find (key, HashOf (key)) != NotFound; }

    Value* GetPtr (const Key& key)
    {
        const size_t at = Find (key, HashOf (key));
        return at == NotFound ? nullptr : &pairs[at].value;
    }
    const Value* GetPtr (const Key& key) const
    {
        const size_t at = Find (key, HashOf (key));
        return at == NotFound ? nullptr : &pairs[at].value;
    }

    // The value of a key that must be present; std::out_of_range otherwise.
    Value& Get (const Key& key) { return pairs.at (Find (key, HashOf (key))).value; }
    const Value& Get (const Key& key) const { return pairs.at (Find (key, HashOf (key))).value; }

    bool Delete (const Key& key)
    {
        const size_t at = Find (key, HashOf (key));
        if (at == NotFound)
            return false;
        pairs.erase (pairs.begin () + static_cast<std::ptrdiff_t> (at));
        Rebuild ();
        return true;
    }

    void Clear ()
    {
        pairs.clear ();
        slots.clear ();
    }

    UInt32 GetSize () const { return static_cast<UInt32> (pairs.size ()); }
    bool IsEmpty () const { return pairs.empty (); }

    // Enumeration in insertion order.
    auto begin () { return pairs.begin (); }
    auto end () { return pairs.end (); }
    auto begin () const { return pairs.begin (); }
    auto end () const { return pairs.end (); }

private:
    // A slot is 0 when empty, otherwise the pair's position + 1 in its low half and the upper half
    // of the key's hash in its high half (most mismatches are told apart without a key compare).
    static constexpr size_t NotFound = static_cast<size_t> (-1);

    // The key's hash, mixed: std::hash of an integer is the integer itself, and the slot is taken
    // from the high bits of the product.
    static UInt64 HashOf (const Key& key)
    {
        return static_cast<UInt64> (Hash{}(key)) * 0x9E3779B97F4A7C15ull;
    }

    size_t Find (const Key& key, UInt64 hash) const
    {
        if (slots.empty ())
            return NotFound;
        const size_t mask = slots.size () - 1;
        const UInt64 tag = hash & 0xFFFFFFFF00000000ull;
        for (size_t at = static_cast<size_t> (hash >> 32) & mask;; at = (at + 1) & mask) {
            const UInt64 slot = slots[at];
            if (slot == 0)
                return NotFound;
            if ((slot & 0xFFFFFFFF00000000ull) == tag) {
                const size_t pair = static_cast<size_t> (slot & 0xFFFFFFFFull) - 1;
                if (pairs[pair].key == key)
                    return pair;
            }
        }
    }

    void Place (UInt64 hash, size_t pair)
    {
        const size_t mask = slots.size () - 1;
        size_t at = static_cast<size_t> (hash >> 32) & mask;
        while (slots[at] != 0)
            at = (at + 1) & mask;
        slots[at] = (hash & 0xFFFFFFFF00000000ull) | static_cast<UInt64> (pair + 1);
    }

    // Sizes the index for the pairs (at most half full) and enters every pair again.
    void Rebuild ()
    {
        size_t size = 16;
        while (size < 2 * pairs.size ())
            size *= 2;
        slots.assign (size, 0);
        for (size_t i = 0; i < pairs.size (); ++i)
            Place (HashOf (pairs[i].key), i);
    }

    std::vector<Pair> pairs;
    std::vector<UInt64> slots;
};

}   // namespace GS
