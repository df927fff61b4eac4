// Building the out-file (the image the Transfer commands write, in the
// layout the project's options choose) against reading the project it is
// built from, cold and warm (see paired.h). The ratio is the build's time
// over the reading's (Open as the program does it, from the file).
//
//   OutFile/fitting   the largest synthetic project whose out-file fits the
//                     layout: every destination and extra text (10000 and
//                     1000) with as many signs and pages as still fit
//                     below the 1 MiB a pointer can name.
//   OutFile/full      the full project (15 signs, 3 pages): a group of its
//                     records is longer than 16-bit offsets reach and all
//                     of them make far more than 1 MiB, so the build is
//                     refused; the benchmark says so with the program's
//                     message and the sizes.
//
//   bench_outfile [--benchmark_...] [--dir DIR]   (files go to DIR, default /tmp)
#include "paired.h"

#include <filesystem>

#include "data/destlist.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "files/document.h"
#include "files/outbuild.h"
#include "files/outbytes.h"
#include "files/outfile.h"
#include "files/outrecords.h"
#include "files/txlread.h"
#include "files/txlsynth.h"
#include "files/txlwrite.h"
#include "platform/paths.h"

namespace fs = std::filesystem;

namespace {

constexpr int kColdReps = 21;
constexpr int kWarmReps = 31;

std::string gDir = "/tmp";
std::string Path(const char* name) { return gDir + "/kivar-bench-out-" + name; }
std::string DataDir() { return Path("data"); }
std::string FittingPath() { return Path("fitting.txl"); }
std::string FullPath() { return Path("full.txl"); }

// The program's settings, language and fonts from a data folder.
void UseDataFolder(const std::string& dir) {
    kv::gDataPath = dir;
    kv::gSettingsFile = dir + "/kivar.lib";
    kv::gLanguageFile = dir + "/English.lng";
    kv::gLanguage = "English";
    kv::LoadLanguageTexts();
    kv::gFontPath = dir + "/Fonts/";
    kv::ReadSignFontSection();
}

// A data folder with the shipped data files and the built font library.
void MakeDataFolder(const std::string& dir) {
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* from : {KIVAR_DATA_DIR, KIVAR_GEN_DIR})
        fs::copy(from, dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

void Open(const std::string& path) {
    kv::ClearRecordsAndLines();
    if (kv::OpenTxlFile(path) != kv::TxlReadResult::Read) {
        std::fprintf(stderr, "%s cannot be read: %s\n", path.c_str(), bench::Host().last.c_str());
        std::exit(1);
    }
}

bool Build(std::string& image) {
    bench::Host().last.clear();
    return kv::BuildOutImage(image);
}

// The bytes the records of the open project make in layout 1.5, and those
// of its largest group (100 numbers) of destinations.
struct RecordSizes {
    double all = 0;
    double largestGroup = 0;
};
RecordSizes MeasureRecords() {
    RecordSizes sizes;
    kv::OutRecordBuilder records;
    std::string bytes;
    double group = 0;
    for (int n = 0; n <= kv::LastRecordNumber(kv::DestList); ++n) {
        if (n % 100 == 0) group = 0;
        const kv::DestRecord& r = kv::gDestList[static_cast<size_t>(n)];
        bytes.clear();
        if (!r.SignData.empty()) records.AppendDest(bytes, r.SignData, r.ChangeTime, r.Flag, n);
        group += static_cast<double>(bytes.size());
        sizes.all += static_cast<double>(bytes.size());
        sizes.largestGroup = std::max(sizes.largestGroup, group);
    }
    for (int n = 0; n <= kv::LastRecordNumber(kv::ExtraList); ++n) {
        const kv::DestRecord& r = kv::gExtraList[static_cast<size_t>(n)];
        bytes.clear();
        if (r.SignData.empty()) continue;
        if (kv::gExtraPerSign) records.AppendExtraPerSign(bytes, r.SignData, r.ChangeTime);
        else records.AppendExtra(bytes, r.SignData, r.ChangeTime);
        sizes.all += static_cast<double>(bytes.size());
    }
    return sizes;
}

void SaveSynthetic(const kv::SyntheticProjectShape& shape, const std::string& path) {
    kv::BuildSyntheticProject(shape);
    kv::gBackupOn = kv::kFalse;
    if (!kv::SaveTxlFile(path)) std::exit(1);
}

// The shape of the largest synthetic project whose out-file builds: all
// records, and of the sign and page counts the one with the largest image.
kv::SyntheticProjectShape FindFittingShape() {
    kv::SyntheticProjectShape best;
    size_t bestSize = 0;
    for (int pages = 1; pages <= 3; ++pages)
        for (int signs = 1; signs <= kv::kSignCount; ++signs) {
            kv::SyntheticProjectShape s;
            s.signs = signs;
            s.pages = pages;
            kv::BuildSyntheticProject(s);
            std::string image;
            if (!Build(image)) break;  // more signs only make it larger
            if (image.size() > bestSize) {
                bestSize = image.size();
                best = s;
            }
        }
    if (bestSize == 0) {
        std::fprintf(stderr, "no synthetic project builds: %s\n", bench::Host().last.c_str());
        std::exit(1);
    }
    return best;
}

// ---------------------------------------------------------------- children

int Child(const std::string& what, const std::vector<std::string>& a) {
    if (what == "outfile" && a.size() == 2) {
        UseDataFolder(a[1]);
        kv::ClearRecordsAndLines();
        bench::PrintValue("read", bench::Seconds([&] { Open(a[0]); }));
        std::string image;
        bool ok = false;
        bench::PrintValue("build", bench::Seconds([&] { ok = Build(image); }));
        bench::PrintValue("bytes", static_cast<double>(image.size()));
        return ok ? 0 : 1;
    }
    std::fprintf(stderr, "unknown child %s\n", what.c_str());
    return 2;
}

// ---------------------------------------------------------------- benchmarks

// A repetition reads the project, then builds its out-file: the build needs
// the project, so the two cannot take turns.
void BM_FittingCold(benchmark::State& state) {
    auto run = [] { return bench::RunChild({"outfile", FittingPath(), DataDir()}); };
    run();
    bench::Pairs pairs;
    double bytes = 0;
    for (auto _ : state) {
        auto v = run();
        pairs.Add(v["build"], v["read"]);
        bytes = v["bytes"];
        state.SetIterationTime(v["build"]);
    }
    pairs.Report(state, "x_read");
    state.counters["outfile_bytes"] = bytes;
    bench::AddGoal("Out-file of the largest fitting project, cold", pairs.Ratio(), 2.0, "Open of that project");
}

void BM_FittingWarm(benchmark::State& state) {
    std::string image;
    Open(FittingPath());
    Build(image);
    bench::Pairs pairs;
    for (auto _ : state) {
        const double read = bench::Seconds([] { Open(FittingPath()); });
        bool ok = false;
        const double build = bench::Seconds([&] { ok = Build(image); });
        if (!ok) {
            state.SkipWithError(("the build failed: " + bench::Host().last).c_str());
            return;
        }
        pairs.Add(build, read);
        state.SetIterationTime(build);
    }
    pairs.Report(state, "x_read");
    state.counters["outfile_bytes"] = static_cast<double>(image.size());
    bench::AddGoal("Out-file of the largest fitting project, warm", pairs.Ratio(), 2.0, "Open of that project");
}

void BM_Full(benchmark::State& state) {
    Open(FullPath());
    std::string image;
    if (Build(image)) {
        bench::Pairs pairs;
        for (auto _ : state) {
            const double read = bench::Seconds([] { Open(FullPath()); });
            const double build = bench::Seconds([&] { Build(image); });
            pairs.Add(build, read);
            state.SetIterationTime(build);
        }
        pairs.Report(state, "x_read");
        return;
    }
    // A group's records are found through 16-bit offsets from its block,
    // and the whole file through pointers below 1 MiB.
    const RecordSizes sizes = MeasureRecords();
    char why[640];
    std::snprintf(why, sizeof why,
                  "no out-file can be built: a group of 100 destinations makes up to %.0f bytes of records, past "
                  "the 65535 its 16-bit offsets reach, and all records make %.1f MB, past the %d bytes a pointer "
                  "names; the program refuses the build with \"%s\"",
                  sizes.largestGroup, sizes.all / 1e6, kv::kOutFileLimit, bench::Host().last.c_str());
    state.SkipWithError(why);
}

BENCHMARK(BM_FittingCold)
    ->Name("OutFile/fitting/cold")
    ->Iterations(kColdReps)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FittingWarm)
    ->Name("OutFile/fitting/warm")
    ->Iterations(kWarmReps)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Full)->Name("OutFile/full")->Iterations(kWarmReps)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    kv::SetUiHost(&bench::Host());
    if (argc >= 3 && std::string(argv[1]) == "--child") return Child(argv[2], {argv + 3, argv + argc});

    gDir = bench::TakeDirOption(argc, argv);
    bench::ProgramPath() = fs::read_symlink("/proc/self/exe").string();
    benchmark::Initialize(&argc, argv);
    MakeDataFolder(DataDir());
    UseDataFolder(DataDir());
    const kv::SyntheticProjectShape fitting = FindFittingShape();
    SaveSynthetic(fitting, FittingPath());
    SaveSynthetic(kv::SyntheticProjectShape{}, FullPath());
    kv::ClearRecordsAndLines();
    std::printf("largest fitting project: %d destinations, %d extra texts, %d signs, %d pages (%jd bytes)\n",
                fitting.dests, fitting.extras, fitting.signs, fitting.pages,
                static_cast<intmax_t>(kv::FileLength(FittingPath())));

    benchmark::RunSpecifiedBenchmarks();
    bench::PrintGoals();
    benchmark::Shutdown();
    kv::RemoveFile(FittingPath());
    kv::RemoveFile(FullPath());
    fs::remove_all(DataDir());
    return 0;
}
