// HostSim::BodyCounts: the polygon counts of an element's own bodies. Most elements have one to
// four bodies; those are held in the element itself, so walking a large model reads no separate
// block per element (the host's model of a million elements would otherwise miss the cache on
// every one). More bodies go to the heap. A value type: copies own their counts.
#pragma once

#include "api/APIdefs.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace HostSim {

class BodyCounts {
public:
    using value_type = Int32;
    using iterator = Int32*;
    using const_iterator = const Int32*;

    BodyCounts () = default;
    BodyCounts (std::initializer_list<Int32> counts) { Assign (counts.begin (), counts.size ()); }
    BodyCounts (const std::vector<Int32>& counts) { Assign (counts.data (), counts.size ()); }
    BodyCounts (const BodyCounts& other) { Assign (other.data (), other.size ()); }
    BodyCounts (BodyCounts&& other) noexcept { Take (other); }
    ~BodyCounts () { Free (); }

    BodyCounts& operator= (const BodyCounts& other)
    {
        if (this != &other)
            Assign (other.data (), other.size ());
        return *this;
    }
    BodyCounts& operator= (BodyCounts&& other) noexcept
    {
        if (this != &other) {
            Free ();
            Take (other);
        }
        return *this;
    }
    BodyCounts& operator= (const std::vector<Int32>& counts)
    {
        Assign (counts.data (), counts.size ());
        return *this;
    }
    BodyCounts& operator= (std::initializer_list<Int32> counts)
    {
        Assign (counts.begin (), counts.size ());
        return *this;
    }

    size_t size () const { return count; }
    bool empty () const { return count == 0; }
    const Int32* data () const { return OnHeap () ? heap : held; }
    Int32* data () { return OnHeap () ? heap : held; }
    Int32 operator[] (size_t i) const { return data ()[i]; }
    Int32& operator[] (size_t i) { return data ()[i]; }
    const Int32* begin () const { return data (); }
    const Int32* end () const { return data () + count; }
    Int32* begin () { return data (); }
    Int32* end () { return data () + count; }

    void clear () { count = 0; }
    void reserve (size_t n)
    {
        if (n > capacity)
            Grow (n);
    }
    void push_back (Int32 value)
    {
        if (count == capacity)
            Grow (capacity * 2);
        data ()[count++] = value;
    }
    std::vector<Int32> ToVector () const { return std::vector<Int32> (begin (), end ()); }

    friend bool operator== (const BodyCounts& a, const BodyCounts& b)
    {
        return a.count == b.count && std::equal (a.begin (), a.end (), b.begin ());
    }
    friend bool operator!= (const BodyCounts& a, const BodyCounts& b) { return !(a == b); }
    friend bool operator== (const BodyCounts& a, const std::vector<Int32>& b)
    {
        return a.count == b.size () && std::equal (a.begin (), a.end (), b.begin ());
    }
    friend bool operator== (const std::vector<Int32>& a, const BodyCounts& b) { return b == a; }

private:
    static constexpr UInt32 Held = 4;

    bool OnHeap () const { return capacity > Held; }
    void Free ()
    {
        if (OnHeap ())
            delete[] heap;
        capacity = Held;
        count = 0;
    }
    void Take (BodyCounts& other)
    {
        count = other.count;
        capacity = other.capacity;
        if (other.OnHeap ())
            heap = other.heap;
        else
            std::memcpy (held, other.held, sizeof held);
        other.capacity = Held;
        other.count = 0;
    }
    void Grow (size_t n)
    {
        Int32* grown = new Int32[n];
        std::copy (begin (), end (), grown);
        if (OnHeap ())
            delete[] heap;
        heap = grown;
        capacity = static_cast<UInt32> (n);
    }
    void Assign (const Int32* from, size_t n)
    {
        if (n > capacity) {
            Free ();
            Grow (n);
        }
        std::copy (from, from + n, data ());
        count = static_cast<UInt32> (n);
    }

    UInt32 count = 0;
    UInt32 capacity = Held;
    union {
        Int32 held[Held] = {};
        Int32* heap;
    };
};

}   // namespace HostSim
