// HostSim::ParamValues: a placement's own parameter values by name (text parameters), a sorted map
// that takes one pointer in the element until the first value is set. Most elements have none
// (walls, slabs, and placements that keep their part's defaults), and a large model's elements are
// walked and loaded faster the smaller they are. Reads of an empty set see an empty map. A value
// type: copies own their values.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace HostSim {

class ParamValues {
public:
    using Map = std::map<std::string, std::string>;
    using iterator = Map::iterator;
    using const_iterator = Map::const_iterator;
    using key_type = Map::key_type;
    using mapped_type = Map::mapped_type;
    using value_type = Map::value_type;

    ParamValues () = default;
    ParamValues (const Map& values) { *this = values; }
    ParamValues (const ParamValues& other) { *this = other; }
    ParamValues (ParamValues&&) noexcept = default;
    ParamValues& operator= (ParamValues&&) noexcept = default;
    ParamValues& operator= (const ParamValues& other)
    {
        if (this != &other)
            *this = other.Values ();
        return *this;
    }
    ParamValues& operator= (const Map& values)
    {
        if (values.empty ())
            map.reset ();
        else if (map != nullptr)
            *map = values;
        else
            map = std::make_unique<Map> (values);
        return *this;
    }
    ParamValues& operator= (Map&& values)
    {
        if (values.empty ())
            map.reset ();
        else
            map = std::make_unique<Map> (std::move (values));
        return *this;
    }
    operator const Map& () const { return Values (); }
    const Map& Values () const { return map != nullptr ? *map : Empty (); }

    bool empty () const { return map == nullptr || map->empty (); }
    size_t size () const { return map != nullptr ? map->size () : 0; }
    size_t count (const std::string& name) const { return map != nullptr ? map->count (name) : 0; }
    const_iterator begin () const { return Values ().begin (); }
    const_iterator end () const { return Values ().end (); }
    iterator begin () { return Edit ().begin (); }
    iterator end () { return Edit ().end (); }
    const_iterator find (const std::string& name) const { return map != nullptr ? map->find (name) : Empty ().end (); }
    iterator find (const std::string& name) { return map != nullptr ? map->find (name) : Edit ().end (); }
    const std::string& at (const std::string& name) const
    {
        if (map == nullptr)
            throw std::out_of_range ("no parameter value " + name);
        return map->at (name);
    }
    std::string& operator[] (const std::string& name) { return Own ()[name]; }
    template <class... Args> std::pair<iterator, bool> emplace (Args&&... args)
    {
        return Own ().emplace (std::forward<Args> (args)...);
    }
    size_t erase (const std::string& name) { return map != nullptr ? map->erase (name) : 0; }
    void clear () { map.reset (); }

    friend bool operator== (const ParamValues& a, const ParamValues& b) { return a.Values () == b.Values (); }
    friend bool operator!= (const ParamValues& a, const ParamValues& b) { return !(a == b); }
    friend bool operator== (const ParamValues& a, const Map& b) { return a.Values () == b; }
    friend bool operator== (const Map& a, const ParamValues& b) { return a == b.Values (); }

private:
    // The one empty map every empty set reads (and whose end() an empty set's find answers).
    static Map& Empty ()
    {
        static Map empty;
        return empty;
    }
    Map& Own ()
    {
        if (map == nullptr)
            map = std::make_unique<Map> ();
        return *map;
    }
    // Iterators of an empty set are the shared empty map's: nothing can be added through them.
    Map& Edit () { return map != nullptr ? *map : Empty (); }

    std::unique_ptr<Map> map;
};

}   // namespace HostSim
