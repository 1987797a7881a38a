#include "ProjectGenerator.h"

#include <cstdio>

namespace Bench {

namespace {

// splitmix64: small, fast and the same everywhere.
class Random {
public:
    explicit Random (UInt64 seed) : state (seed) {}
    UInt64 Next ()
    {
        UInt64 z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 .. n - 1
    Int32 Below (Int32 n) { return static_cast<Int32> (Next () % static_cast<UInt64> (n)); }
    Int32 Between (Int32 low, Int32 high) { return low + Below (high - low + 1); }

private:
    UInt64 state;
};

// The element mix, in parts per thousand. Placements (4 to 7) make about a third.
struct KindShare {
    API_ElemTypeID type;
    Int32 perMille;
};
constexpr KindShare Mix[] = {
    {1, 300},   // walls
    {8, 140},   // slabs
    {2, 70},    // columns
    {3, 70},    // beams
    {9, 30},    // roofs
    {10, 10},   // meshes
    {17, 50},   // zones
    {4, 100},   // windows
    {5, 80},    // doors
    {6, 130},   // objects (some of them stairs)
    {7, 20},    // lamps
};

API_ElemTypeID PickKind (Random& random)
{
    Int32 roll = random.Below (1000);
    for (const KindShare& share : Mix) {
        if (roll < share.perMille)
            return share.type;
        roll -= share.perMille;
    }
    return 1;
}

std::vector<Int32> Bodies (Random& random, Int32 minPolygons, Int32 maxPolygons)
{
    std::vector<Int32> bodies (static_cast<size_t> (random.Between (1, 4)));
    for (Int32& polygons : bodies)
        polygons = random.Between (minPolygons, maxPolygons);
    return bodies;
}

std::string GuidText (Int32 n)
{
    char text[40];
    std::snprintf (text, sizeof text, "{%08X-BE4C-4E55-8A11-%012X}", static_cast<unsigned> (n * 2654435761u),
                   static_cast<unsigned> (n));
    return text;
}

HostSim::LibPart MakePart (Random& random, Int32 n)
{
    HostSim::LibPart part;
    part.guid = GuidText (n);
    part.name = "Part " + std::to_string (n);
    // A few numeric parameters before the detail parameter, as real parts have.
    for (const char* name : {"A", "B", "ZZYZX"}) {
        HostSim::ParamDef def;
        def.name = name;
        def.type = 2;
        def.number = random.Between (1, 300) / 100.0;
        part.params.push_back (def);
    }
    // Nine parts in ten have a detail parameter the names file knows.
    if (random.Below (10) != 0) {
        const DetailParam& known = ShippedDetailParams ()[static_cast<size_t> (random.Below (3))];
        HostSim::ParamDef def;
        def.name = known.name;
        def.text = known.levels.front ();
        def.valueList = known.levels;
        part.params.push_back (def);
        part.detailParam = known.name;
        // More detail, more polygons: level 0 fine, the last level a box.
        Int32 scale = 400;
        for (const std::string& level : known.levels) {
            part.bodiesByValue[level] = Bodies (random, scale / 4, scale);
            scale /= 8;
            if (scale < 8)
                scale = 8;
        }
    }
    part.bodies = Bodies (random, 6, 120);
    return part;
}

}   // namespace

const std::vector<DetailParam>& ShippedDetailParams ()
{
    static const std::vector<DetailParam> params = {
        {"LevelOfDetail", {"Detailed", "Simple", "Block"}},
        {"Detail3D", {"Full", "Medium", "Box"}},
        {"ModelDetail", {"Fine", "Coarse"}},
    };
    return params;
}

void GenerateProject (const GeneratorSettings& settings, HostSim::Project* project)
{
    *project = HostSim::Project ();
    Random random (settings.seed);

    for (Int16 i = 0; i < settings.stories; ++i)
        project->stories.push_back ({i, "Story " + std::to_string (i), 3.2 * i});
    project->currentStory = 0;

    project->libParts.reserve (static_cast<size_t> (settings.libParts));
    for (Int32 n = 1; n <= settings.libParts; ++n)
        project->AddLibPart (MakePart (random, n));

    project->selection.kind = 2;
    project->selection.multiStory = false;
    project->selection.polygon = {{0.0, 0.0}, {40.0, 0.0}, {40.0, 30.0}, {0.0, 30.0}};

    for (Int32 n = 0; n < settings.elements; ++n) {
        HostSim::Element element;
        element.type = PickKind (random);
        element.story = static_cast<Int16> (random.Below (settings.stories));
        element.shownLayer = random.Below (50) != 0;   // a few on hidden layers
        element.ownWorkspace = random.Below (4) != 0;
        if (element.type >= 4 && element.type <= 7) {
            // Each part is of one kind (part n is of kind n mod 4: window, door, object, lamp), and a
            // placement takes a part of its own kind. Placements cluster on the first parts, like a
            // building's standard doors and windows. Stairs are objects of their own few parts.
            const bool stair = element.type == 6 && random.Below (20) == 0;
            const Int32 kind = element.type - 4;
            const Int32 ofKind = (settings.libParts - kind + 3) / 4;   // parts n with n mod 4 == kind
            Int32 pick = 0;
            if (ofKind > 0) {
                const Int32 a = random.Below (ofKind), b = random.Below (ofKind);
                pick = stair ? a % 8 : (a < b ? a : b);
            }
            element.libInd = 1 + kind + 4 * pick;
            if (element.libInd > settings.libParts)
                element.libInd = 1;
            if (stair)
                element.variation = API_StairVariation;
        } else {
            element.bodies = Bodies (random, 6, 40);
            element.has3D = random.Below (100) != 0;
        }
        const HostSim::Element& added = project->AddElement (std::move (element));
        if (settings.selectEvery > 0 && n % settings.selectEvery == 0)
            project->selection.elements.emplace_back (added.type, added.index);
    }
}

}   // namespace Bench
