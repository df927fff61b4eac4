// Opening and saving the full project (10000 destinations, 1000 extra texts,
// 15 signs, 3 pages each; about 23.5 MB) against plain I/O of the same
// bytes, cold and warm (see paired.h), and a whole `kivar-probe txl-copy`
// of it against `dd bs=64K conv=fsync` of the same file.
//
//   Open   Open as the program does it (the tables emptied, the file read
//          into them and into the two lists) against read() of the whole
//          file into a buffer: a new one in a fresh process (cold), the
//          one it already has (warm). The cold runs also give the peak
//          memory of the Open above the empty program's.
//   Save   Save (backups off) against write() of the same bytes over the
//          existing file, fsync of the file and fsync of its folder (the
//          safe writer syncs the folder after its rename).
//   Copy   both whole processes, start-up included.
//
//   bench_txl [--benchmark_...] [--dir DIR]   (files go to DIR, default /tmp)
#include "paired.h"

#include <filesystem>

#include "files/document.h"
#include "files/txlread.h"
#include "files/txlsynth.h"
#include "files/txlwrite.h"
#include "platform/paths.h"

namespace {

constexpr int kColdReps = 21;
constexpr int kWarmReps = 31;

std::string gDir = "/tmp";
std::string Path(const char* name) { return gDir + "/kivar-bench-" + name; }
std::string ProjectPath() { return Path("project.txl"); }
double gFileSize = 0;

std::string FileBytes(const std::string& path) {
    std::string bytes;
    if (!kv::ReadWholeFile(path, bytes)) std::exit(1);
    return bytes;
}

void Open(const std::string& path) {
    kv::ClearRecordsAndLines();
    if (kv::OpenTxlFile(path) != kv::TxlReadResult::Read) {
        std::fprintf(stderr, "%s cannot be read: %s\n", path.c_str(), bench::Host().last.c_str());
        std::exit(1);
    }
}

void Save(const std::string& path) {
    if (!kv::SaveTxlFile(path)) {
        std::fprintf(stderr, "%s cannot be saved: %s\n", path.c_str(), bench::Host().last.c_str());
        std::exit(1);
    }
}

// ---------------------------------------------------------------- children

int Child(const std::string& what, const std::vector<std::string>& a) {
    kv::gBackupOn = kv::kFalse;
    if (what == "open" && a.size() == 1) {
        kv::ClearRecordsAndLines();  // the empty program
        const double before = bench::PeakResidentBytes();
        bench::PrintValue("seconds", bench::Seconds([&] { Open(a[0]); }));
        bench::PrintValue("peak_growth", bench::PeakResidentBytes() - before);
        return 0;
    }
    if (what == "plain-read" && a.size() == 1) {
        std::unique_ptr<char[]> buf;
        size_t capacity = 0;
        bench::PrintValue("seconds", bench::Seconds([&] { bench::PlainRead(a[0], buf, capacity); }));
        return 0;
    }
    if (what == "save" && a.size() == 2) {
        Open(a[0]);
        bench::PrintValue("seconds", bench::Seconds([&] { Save(a[1]); }));
        return 0;
    }
    if (what == "plain-write" && a.size() == 2) {
        const std::string bytes = FileBytes(a[0]);
        bench::PrintValue("seconds", bench::Seconds([&] { bench::PlainWriteSynced(a[1], bytes); }));
        return 0;
    }
    std::fprintf(stderr, "unknown child %s\n", what.c_str());
    return 2;
}

// ---------------------------------------------------------------- benchmarks

void BM_OpenCold(benchmark::State& state) {
    std::vector<double> memory;
    auto open = [&] {
        auto v = bench::RunChild({"open", ProjectPath()});
        memory.push_back(v["peak_growth"] / gFileSize);
        return v["seconds"];
    };
    auto plain = [] { return bench::RunChild({"plain-read", ProjectPath()})["seconds"]; };
    const bench::Pairs pairs = bench::MeasurePairs(state, "x_plain", open, plain);
    memory.erase(memory.begin());  // the untimed round's
    state.counters["peak_x_file"] = bench::Median(memory);
    bench::AddGoal("Open, cold", pairs.Ratio(), 1.2, "read() into a new buffer, fresh process");
    bench::AddGoal("Open, peak memory above the empty program", bench::Median(memory), 1.3, "file size");
}

void BM_OpenWarm(benchmark::State& state) {
    std::unique_ptr<char[]> buf;
    size_t capacity = 0;
    auto open = [] { return bench::Seconds([] { Open(ProjectPath()); }); };
    auto plain = [&] { return bench::Seconds([&] { bench::PlainRead(ProjectPath(), buf, capacity); }); };
    const bench::Pairs pairs = bench::MeasurePairs(state, "x_plain", open, plain);
    bench::AddGoal("Open, warm", pairs.Ratio(), 3.0, "read() into the buffer it has");
}

void BM_SaveCold(benchmark::State& state) {
    auto save = [] { return bench::RunChild({"save", ProjectPath(), Path("save-cold.txl")})["seconds"]; };
    auto plain = [] { return bench::RunChild({"plain-write", ProjectPath(), Path("plain-cold.bin")})["seconds"]; };
    const bench::Pairs pairs = bench::MeasurePairs(state, "x_plain", save, plain);
    bench::AddGoal("Save, first in a fresh process", pairs.Ratio(), 1.5, "write()+fsync file+fsync folder");
}

void BM_SaveWarm(benchmark::State& state) {
    Open(ProjectPath());
    const std::string bytes = FileBytes(ProjectPath());
    auto save = [] { return bench::Seconds([] { Save(Path("save-warm.txl")); }); };
    auto plain = [&] { return bench::Seconds([&] { bench::PlainWriteSynced(Path("plain-warm.bin"), bytes); }); };
    const bench::Pairs pairs = bench::MeasurePairs(state, "x_plain", save, plain);
    bench::AddGoal("Save, repeated", pairs.Ratio(), 1.5, "write()+fsync file+fsync folder");
}

void BM_CopyProcess(benchmark::State& state) {
#ifdef KIVAR_PROBE
    const std::vector<std::string> copy{KIVAR_PROBE, "txl-copy", ProjectPath(), Path("copy.txl")};
    const std::vector<std::string> dd{"dd", "if=" + ProjectPath(), "of=" + Path("copy-dd.bin"), "bs=64K",
                                      "conv=fsync"};
    const bench::Pairs pairs = bench::MeasurePairs(
        state, "x_dd", [&] { return bench::RunProcess(copy); }, [&] { return bench::RunProcess(dd); });
    bench::AddGoal("kivar-probe txl-copy, whole process", pairs.Ratio(), 3.0, "dd bs=64K conv=fsync");
#else
    state.SkipWithError("kivar-probe is not built (configure with -DKIVAR_TESTS=ON)");
    for (auto _ : state) {
    }
#endif
}

BENCHMARK(BM_OpenCold)->Name("Open/cold")->Iterations(kColdReps)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenWarm)->Name("Open/warm")->Iterations(kWarmReps)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveCold)->Name("Save/cold")->Iterations(kColdReps)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWarm)->Name("Save/warm")->Iterations(kWarmReps)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyProcess)->Name("Copy/process")->Iterations(kColdReps)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    kv::SetUiHost(&bench::Host());
    if (argc >= 3 && std::string(argv[1]) == "--child") return Child(argv[2], {argv + 3, argv + argc});

    gDir = bench::TakeDirOption(argc, argv);
    bench::ProgramPath() = std::filesystem::read_symlink("/proc/self/exe").string();
    benchmark::Initialize(&argc, argv);
    kv::SyntheticProjectShape shape;  // 10000 / 1000 / 15 / 3
    kv::BuildSyntheticProject(shape);
    kv::gBackupOn = kv::kFalse;
    Save(ProjectPath());
    gFileSize = static_cast<double>(kv::FileLength(ProjectPath()));
    kv::ClearRecordsAndLines();
    std::printf("project file: %.0f bytes\n", gFileSize);

    benchmark::RunSpecifiedBenchmarks();
    bench::PrintGoals();
    benchmark::Shutdown();
    for (const char* f : {"project.txl", "save-cold.txl", "plain-cold.bin", "save-warm.txl", "plain-warm.bin",
                          "copy.txl", "copy-dd.bin"})
        kv::RemoveFile(Path(f));
    return 0;
}
