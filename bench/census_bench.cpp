// Census benchmark: times the add-on's census against the bare host walk under it, the level
// switch against the host's own parameter changes, the bare walk against a loop over flat arrays,
// the add-on's own peak heap during a census, and the palette's size list filled with every
// library-part kind expanded (per row), on generated projects of growing size. Each
// comparison is measured in one run with its sides interleaved; medians of several repetitions.
//
//   census_bench [--quick] [--seed N] [--reps N]
//   census_bench --profile census|bare|switch [--elements N --parts P] [--seed N] [--reps N]
//
// --profile runs only that side (by default at 100 000 elements), for a profiler (perf, callgrind).
//
// Prints a table, then one `figure NAME VALUE` line per figure (`figure NAME n/a REASON` when it
// cannot be taken). Exits non-zero when a walk does not count what the census counted, so a
// smoke run checks the programs still agree; timings are never checked.
#include "AllocCounter.h"
#include "BareWalk.h"
#include "ProjectGenerator.h"

#include "census/RefreshData.h"
#include "dg/Panel.h"
#include "host/ResourceModuleLock.h"
#include "hostsim/Host.h"
#include "palette/SizeList.h"
#include "store/Data.h"
#include "store/DetParNames.h"
#include "census/OGSString.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <time.h>
#include <vector>

extern "C" GSErrCode GetExportedFuncAddrs (API_ExportedFuncs* record);
extern "C" GSErrCode SetImportedFuncAddrs (const API_HostTable* table, API_Client client);

namespace {

struct Size {
    Int32 elements;
    Int32 libParts;
};

struct Options {
    bool quick = false;
    UInt64 seed = 20260101;
    Int32 reps = 0;        // 0: the default for the size
    std::string profile;   // run only this side
    Size profileSize{100000, 1000};
};

// One timed run: wall-clock seconds (steady clock) and the seconds the thread ran on a core. On a
// busy machine a run waits for a core now and then; the thread's own time leaves that out.
struct Timing {
    double wall = 0, cpu = 0;
};

// What one size measured; timings are medians, of wall and of thread time separately.
struct Row {
    Size size;
    Int32 counted = 0;   // elements the census counted
    Timing census, bare, flat;
    Timing levelSwitch, hostChanges;
    Int32 placementsChanged = 0;
    double peakBytesPerElement = 0;
    Timing listFill;   // the size list filled with every library-part kind expanded
    Int32 listRows = 0;
};

double Median (std::vector<double> samples)
{
    std::sort (samples.begin (), samples.end ());
    const size_t n = samples.size ();
    return n % 2 == 1 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2.0;
}

Timing Median (const std::vector<Timing>& samples)
{
    std::vector<double> wall, cpu;
    for (const Timing& t : samples) {
        wall.push_back (t.wall);
        cpu.push_back (t.cpu);
    }
    return {Median (wall), Median (cpu)};
}

double ThreadSeconds ()
{
    timespec now{};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double> (now.tv_sec) + static_cast<double> (now.tv_nsec) * 1e-9;
}

Timing Seconds (const std::function<void ()>& work)
{
    const double cpuStart = ThreadSeconds ();
    const auto start = std::chrono::steady_clock::now ();
    work ();
    const auto end = std::chrono::steady_clock::now ();
    return {std::chrono::duration<double> (end - start).count (), ThreadSeconds () - cpuStart};
}

[[noreturn]] void Fail (const std::string& message)
{
    std::fprintf (stderr, "census_bench: %s\n", message.c_str ());
    std::exit (1);
}

Int64 CurrentTotal ()
{
    return RefreshData::current != nullptr ? RefreshData::current->totalPolygons : -1;
}

void SetScope ()
{
    Data& settings = Data::Instance ();
    settings.useMarquee = false;
    settings.allStories = true;
    settings.fromStory = 0;
    settings.toStory = 0;
    settings.defaultDetLev = 3;
}

// What a census learns of each part from the host and the names file, for the bare walks: the
// first single-valued text parameter the names file knows.
Bench::Library LibraryOf (const HostSim::Project& project)
{
    Bench::Library library (project.libParts.size () + 1);
    for (const HostSim::LibPart& part : project.libParts) {
        Bench::LibraryPart& entry = library[static_cast<size_t> (part.index)];
        entry.guid = part.guid;
        for (const HostSim::ParamDef& def : part.params) {
            if (def.type == API_ParTextType && def.typeMod == 0 && detParNames.count (OGSString (def.name.c_str ())) > 0) {
                entry.detailParam = def.name;
                break;
            }
        }
    }
    return library;
}

// Every part with a detail parameter gets stored level 2 (the census writes the level's text);
// the bare switch writes the level-0 text, so the two alternately rewrite every placement.
void PrepareLevelSwitch (const HostSim::Project& project, Bench::Library* library)
{
    Data& settings = Data::Instance ();
    settings.detLevValuesGuidIndex.Clear ();
    for (const HostSim::LibPart& part : project.libParts) {
        Bench::LibraryPart& entry = (*library)[static_cast<size_t> (part.index)];
        if (part.detailParam.empty () || entry.detailParam != part.detailParam)
            continue;
        settings.detLevValuesGuidIndex.Add (GuidStr (part.guid.c_str ()), 2);
        for (const HostSim::ParamDef& def : part.params)
            if (def.name == part.detailParam)
                entry.switchText = def.valueList.front ();
    }
}

// Host calls by name, and the calls a piece of work made.
using CallCounts = std::map<std::string, Int32>;

CallCounts CallsOf (const HostSim::Host& host)
{
    CallCounts counts;
    for (const auto& entry : host.failures.CallCounts ())
        counts[entry.first] = entry.second;
    return counts;
}

CallCounts CallsMadeBy (const HostSim::Host& host, const std::function<void ()>& work)
{
    const CallCounts before = CallsOf (host);
    work ();
    CallCounts made = CallsOf (host);
    for (auto& entry : made)
        entry.second -= before.count (entry.first) > 0 ? before.at (entry.first) : 0;
    return made;
}

// Fails unless a census and a bare walk made the same number of each host call. The add-on's own
// resource lookups and the progress window's timed redraws and cancel checks are left out, and
// `alsoLeftOut` when given.
void CheckSameCalls (const char* what, const CallCounts& census, const CallCounts& bare,
                     const char* alsoLeftOut = nullptr)
{
    auto calls = [] (const CallCounts& counts, const std::string& name) {
        auto it = counts.find (name);
        return it == counts.end () ? 0 : it->second;
    };
    CallCounts names = census;
    names.insert (bare.begin (), bare.end ());
    for (const auto& entry : names) {
        const std::string& name = entry.first;
        if (name == "ACAPI_UseOwnResModule" || name == "ACAPI_ResetResModule" || name == "ACAPI_Resource_GetLocStr" ||
            name == "SPRV" || name == "CANC" || (alsoLeftOut != nullptr && name == alsoLeftOut))
            continue;
        if (calls (census, name) != calls (bare, name))
            Fail (std::string (what) + ": the census calls " + name + " " + std::to_string (calls (census, name)) +
                  " times, the bare walk " + std::to_string (calls (bare, name)) + " times");
    }
}

Row Measure (const Size& size, const Options& options)
{
    Row row;
    row.size = size;
    // Small sizes take a millisecond or two, less than a time slice of a busy machine: many more
    // repetitions there (about two million elements' worth), so the medians stand.
    const Int32 reps = options.reps > 0 ? options.reps : std::max (options.quick ? 3 : 5, 2000000 / size.elements + 1);

    HostSim::Host host;
    std::string error;
    const std::string resources = std::string (TESSERA_SOURCE_DIR) + "/resources/";
    HostSim::AddonClient* client = host.Bind (&GetExportedFuncAddrs, &SetImportedFuncAddrs, resources + "Tessera.apx",
                                              resources + "Tessera.rsrc", &error);
    if (client == nullptr)
        Fail ("cannot bind the add-on: " + error);

    Bench::GeneratorSettings generator;
    generator.seed = options.seed;
    generator.elements = size.elements;
    generator.libParts = size.libParts;
    Bench::GenerateProject (generator, &host.project);

    PopulateDetParams ();
    if (detParNames.empty ())
        Fail ("the shipped names file gave no entries");
    SetScope ();
    Data::Instance ().detLevValuesGuidIndex.Clear ();
    Bench::Library library = LibraryOf (host.project);

    // Warm-up run of each side, and the agreement check: all three count the same polygons.
    Bench::FlatCounts flat;
    RefreshData::PopulateTree ();
    const Int64 censusTotal = CurrentTotal ();
    const Int64 bareTotal = Bench::BareWalk (library, &flat);
    const Int64 flatTotal = Bench::FlatLoop (flat);
    if (censusTotal != bareTotal || bareTotal != flatTotal)
        Fail ("the walks disagree: census " + std::to_string (censusTotal) + ", bare walk " +
              std::to_string (bareTotal) + ", flat loop " + std::to_string (flatTotal));
    row.counted = static_cast<Int32> (flat.ends.size ());
    CheckSameCalls ("census", CallsMadeBy (host, [] { RefreshData::PopulateTree (); }),
                    CallsMadeBy (host, [&] { Bench::BareWalk (library); }));
    if (!options.profile.empty ()) {
        if (options.profile == "switch")
            PrepareLevelSwitch (host.project, &library);
        Int32 changed = 0;
        for (Int32 r = 0; r < reps; ++r) {
            host.report.clear ();
            host.undoStack.clear ();
            if (options.profile == "bare")
                Bench::BareWalk (library);
            else if (options.profile == "switch" && r % 2 == 1)
                Bench::BareLevelSwitch (library, &changed);
            else
                RefreshData::PopulateTree ();
        }
        std::exit (0);
    }

    // 1, 2 and 7: census, bare walk and flat loop, interleaved, order swapped every repetition.
    std::vector<Timing> census, bare, flatLoop;
    volatile Int64 sink = 0;
    for (Int32 r = 0; r < reps; ++r) {
        host.report.clear ();
        host.undoStack.clear ();
        auto runCensus = [&] { census.push_back (Seconds ([] { RefreshData::PopulateTree (); })); };
        auto runBare = [&] { bare.push_back (Seconds ([&] { sink = sink + Bench::BareWalk (library); })); };
        auto runFlat = [&] { flatLoop.push_back (Seconds ([&] { sink = sink + Bench::FlatLoop (flat); })); };
        if (r % 2 == 0) {
            runCensus ();
            runBare ();
            runFlat ();
        } else {
            runFlat ();
            runBare ();
            runCensus ();
        }
    }
    row.census = Median (census);
    row.bare = Median (bare);
    row.flat = Median (flatLoop);

    // 3: the add-on's own peak heap during a census, beyond what was held before it (the host's
    // model, the previous census). The host's report window is emptied first.
    host.report.clear ();
    host.undoStack.clear ();
    Bench::ResetHeapPeak ();
    const size_t before = Bench::HeapInUse ();
    RefreshData::PopulateTree ();
    row.peakBytesPerElement = static_cast<double> (Bench::HeapPeak () - before) / size.elements;

    // 4: the level switch against the same walk making the host's parameter changes itself.
    PrepareLevelSwitch (host.project, &library);
    std::vector<Timing> levelSwitch, hostChanges;
    // The first pair only brings the placements to the alternating state; it is not timed.
    Int32 expected = -1;
    for (Int32 r = 0; r <= reps; ++r) {
        Int32 changed = 0;
        const Timing hostSeconds = Seconds ([&] { sink = sink + Bench::BareLevelSwitch (library, &changed); });
        if (r > 0)
            hostChanges.push_back (hostSeconds);
        if (expected >= 0 && changed != expected)
            Fail ("the bare switch changed " + std::to_string (changed) + " placements, expected " +
                  std::to_string (expected));
        host.undoStack.clear ();
        host.report.clear ();
        const Timing censusSeconds = Seconds ([] { RefreshData::PopulateTree (); });
        if (r > 0)
            levelSwitch.push_back (censusSeconds);
        if (r == 1) {
            // Once more, untimed, counting the calls: bare switch, then census, as in every pair.
            const CallCounts bareCalls =
                CallsMadeBy (host, [&] { Int32 n = 0; sink = sink + Bench::BareLevelSwitch (library, &n); });
            host.undoStack.clear ();
            const CallCounts censusCalls = CallsMadeBy (host, [] { RefreshData::PopulateTree (); });
            // The two write different levels, whose models have different numbers of bodies.
            CheckSameCalls ("level switch", censusCalls, bareCalls, "ACAPI_3D_GetComponent");
        }
        const Int32 byCensus =
            host.undoStack.empty () ? 0 : static_cast<Int32> (host.undoStack.back ().reverts.size ());
        if (r > 0 && byCensus != changed)
            Fail ("the census changed " + std::to_string (byCensus) + " placements, the bare switch " +
                  std::to_string (changed));
        expected = byCensus;
        host.undoStack.clear ();
    }
    row.levelSwitch = Median (levelSwitch);
    row.hostChanges = Median (hostChanges);
    row.placementsChanged = expected;
    if (expected <= 0)
        Fail ("the level switch changed no placement");

    // 5: the palette's size list filled from the last census with every library-part kind
    // expanded (each root row opened once by the user; a refill keeps them open).
    {
        Data::Instance ().detLevValuesGuidIndex.Clear ();
        host.report.clear ();
        host.undoStack.clear ();
        std::unique_ptr<DG::Panel> panel;
        {
            ResourceModuleLock ownResources;
            panel = std::make_unique<DG::Panel> (32513);
        }
        if (!panel->IsValid ())
            Fail ("cannot make page 4's panel for the size list");
        SizeList list (*panel);
        list.SetWidth (17 + 600);   // every column shown
        list.MyResize ();
        list.PopulateTree ();
        for (Int16 r = list.GetItemCount (); r >= 1; --r)
            if (!list.IsLibPartRow (r))
                list.ListBoxInsertItems (r);
        row.listRows = list.GetItemCount ();
        Int32 libPartRows = 0;
        for (Int16 r = 1; r <= row.listRows; ++r)
            libPartRows += list.IsLibPartRow (r) ? 1 : 0;
        if (libPartRows == 0)
            Fail ("the size list shows no library-part row with every kind expanded");
        std::vector<Timing> fills;
        for (Int32 r = 0; r < reps; ++r) {
            list.DeleteItem (0);
            fills.push_back (Seconds ([&] { list.FillListBox (); }));
            if (list.GetItemCount () != row.listRows)
                Fail ("a refill of the size list gave " + std::to_string (list.GetItemCount ()) + " rows, the first " +
                      std::to_string (row.listRows));
        }
        row.listFill = Median (fills);
        host.undoStack.clear ();
    }

    delete RefreshData::current;
    RefreshData::current = nullptr;
    Data::Instance ().detLevValuesGuidIndex.Clear ();
    SetImportedFuncAddrs (nullptr, nullptr);
    host.Unbind (client);
    (void)sink;
    return row;
}

double PerElementNs (double seconds, Int32 elements)
{
    return seconds * 1e9 / elements;
}

// The rows of the size list measured at 1 000 and 10 000 library parts, if both were.
const Row* RowWithParts (const std::vector<Row>& rows, Int32 parts)
{
    for (const Row& row : rows)
        if (row.size.libParts == parts)
            return &row;
    return nullptr;
}

void PrintTable (const std::vector<Row>& rows)
{
    std::printf ("Times are medians (wall clock); ratios are given by wall clock and, after the slash, by the\n"
                 "thread's own time. B/elem: the add-on's peak heap during a census, per element.\n");
    std::printf ("%9s %6s %8s | %9s %9s %13s | %7s %7s %6s %11s | %9s %9s %13s %7s | %6s\n", "elements", "parts",
                 "counted", "census", "bare", "census/bare", "ns/elem", "bare", "flat", "bare/flat", "switch", "host",
                 "switch/host", "changed", "B/elem");
    for (const Row& row : rows) {
        const Int32 n = row.size.elements;
        std::printf ("%9d %6d %8d | %7.1fms %7.1fms %6.3f/%6.3f | %7.1f %7.1f %6.2f %5.1f/%5.1f | %7.1fms %7.1fms "
                     "%6.3f/%6.3f %7d | %6.2f\n",
                     n, row.size.libParts, row.counted, row.census.wall * 1e3, row.bare.wall * 1e3,
                     row.census.wall / row.bare.wall, row.census.cpu / row.bare.cpu, PerElementNs (row.census.wall, n),
                     PerElementNs (row.bare.wall, n), PerElementNs (row.flat.wall, n), row.bare.wall / row.flat.wall,
                     row.bare.cpu / row.flat.cpu, row.levelSwitch.wall * 1e3, row.hostChanges.wall * 1e3,
                     row.levelSwitch.wall / row.hostChanges.wall, row.levelSwitch.cpu / row.hostChanges.cpu,
                     row.placementsChanged, row.peakBytesPerElement);
    }
    std::printf ("Size list filled with every library-part kind expanded (wall / thread time per row):\n");
    std::printf ("%9s %6s %6s | %9s %15s\n", "elements", "parts", "rows", "fill", "ns/row");
    for (const Row& row : rows)
        std::printf ("%9d %6d %6d | %7.2fms %7.0f/%7.0f\n", row.size.elements, row.size.libParts, row.listRows,
                     row.listFill.wall * 1e3, row.listFill.wall * 1e9 / row.listRows,
                     row.listFill.cpu * 1e9 / row.listRows);
}

// The figures, by wall clock (steady clock medians) at the largest size measured.
void PrintFigures (const std::vector<Row>& rows)
{
    const Row& first = rows.front ();
    const Row& last = rows.back ();
    std::printf ("figure census_over_bare_walk %.3f\n", last.census.wall / last.bare.wall);
    if (rows.size () > 1)
        std::printf ("figure census_scaling %.3f\n", PerElementNs (last.census.wall, last.size.elements) /
                                                         PerElementNs (first.census.wall, first.size.elements));
    else
        std::printf ("figure census_scaling n/a one size measured\n");
    std::printf ("figure census_peak_bytes_per_element %.2f\n", last.peakBytesPerElement);
    std::printf ("figure level_switch_over_host %.3f\n", last.levelSwitch.wall / last.hostChanges.wall);
    std::printf ("figure host_over_flat_loop %.1f\n", last.bare.wall / last.flat.wall);
    const Row* thousand = RowWithParts (rows, 1000);
    const Row* tenThousand = RowWithParts (rows, 10000);
    if (thousand != nullptr && tenThousand != nullptr)
        std::printf ("figure size_list_row_growth %.3f\n", (tenThousand->listFill.wall / tenThousand->listRows) /
                                                               (thousand->listFill.wall / thousand->listRows));
    else
        std::printf ("figure size_list_row_growth n/a needs the sizes with 1 000 and 10 000 library parts\n");
}

}   // namespace

int main (int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quick")
            options.quick = true;
        else if (arg == "--seed" && i + 1 < argc)
            options.seed = std::strtoull (argv[++i], nullptr, 10);
        else if (arg == "--elements" && i + 1 < argc)
            options.profileSize.elements = std::max (1, std::atoi (argv[++i]));
        else if (arg == "--parts" && i + 1 < argc)
            options.profileSize.libParts = std::max (1, std::atoi (argv[++i]));
        else if (arg == "--profile" && i + 1 < argc)
            options.profile = argv[++i];
        else if (arg == "--reps" && i + 1 < argc)
            options.reps = std::atoi (argv[++i]);
        else
            Fail ("usage: census_bench [--quick] [--seed N] [--reps N] [--profile census|bare|switch]; unknown "
                  "argument " +
                  arg);
    }

    std::vector<Size> sizes = {{10000, 100}, {100000, 1000}, {1000000, 10000}};
    if (options.quick)
        sizes.resize (2);
    if (!options.profile.empty ()) {
        if (options.profile != "census" && options.profile != "bare" && options.profile != "switch")
            Fail ("--profile wants census, bare or switch");
        sizes = {options.profileSize};
    }

    std::vector<Row> rows;
    for (const Size& size : sizes) {
        std::fprintf (stderr, "census_bench: %d elements, %d library parts\n", size.elements, size.libParts);
        rows.push_back (Measure (size, options));
    }
    PrintTable (rows);
    PrintFigures (rows);
    return 0;
}
