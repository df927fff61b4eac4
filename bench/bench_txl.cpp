// Reading and writing a full project file (10000 destinations, 1000 extra
// texts, 15 signs, 3 pages each) against reading and writing the same number
// of bytes with plain buffered I/O, in the same run. The ratios are printed
// at the end.
//   bench_txl [--benchmark_...] [--dir DIR]   (files go to DIR, default /tmp)
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <unistd.h>

#include "files/document.h"
#include "files/txlread.h"
#include "files/txlsynth.h"
#include "files/txlwrite.h"
#include "platform/paths.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace {

class QuietHost : public kv::UiHost {
public:
    int MessageBox(const std::string& text, int, const std::string&) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return kv::vbOK;
    }
};

std::string gDir = "/tmp";
std::string ReadPath() { return gDir + "/kivar-bench-read.txl"; }
std::string WritePath() { return gDir + "/kivar-bench-write.txl"; }
std::string PlainPath() { return gDir + "/kivar-bench-plain.bin"; }
size_t gFileSize = 0;

void Prepare() {
    kv::SyntheticProjectShape spec;  // 10000 / 1000 / 15 / 3
    kv::BuildSyntheticProject(spec);
    kv::gBackupOn = kv::kFalse;
    if (!kv::SaveTxlFile(ReadPath())) std::abort();
    gFileSize = static_cast<size_t>(kv::FileLength(ReadPath()));
}

void BM_TxlRead(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        kv::ClearRecordsAndLines();
        state.ResumeTiming();
        if (kv::OpenTxlFile(ReadPath()) != kv::TxlReadResult::Read) state.SkipWithError("read failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * gFileSize));
}

void BM_PlainRead(benchmark::State& state) {
    std::string buf;
    for (auto _ : state) {
        FILE* f = std::fopen(ReadPath().c_str(), "rb");
        buf.resize(gFileSize);
        size_t n = std::fread(buf.data(), 1, buf.size(), f);
        std::fclose(f);
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(buf.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * gFileSize));
}

void BM_TxlWrite(benchmark::State& state) {
    // The table read back from the file, as after Open.
    kv::ClearRecordsAndLines();
    kv::OpenTxlFile(ReadPath());
    for (auto _ : state)
        if (!kv::SaveTxlFile(WritePath())) state.SkipWithError("write failed");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * gFileSize));
}

// The same bytes through stdio; with state.range(0) the file is also flushed
// to the disk, as the project writer does.
void BM_PlainWrite(benchmark::State& state) {
    const std::string bytes(gFileSize, 'x');
    for (auto _ : state) {
        FILE* f = std::fopen(PlainPath().c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fflush(f);
        if (state.range(0)) fsync(fileno(f));
        std::fclose(f);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * gFileSize));
}

BENCHMARK(BM_TxlRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TxlWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Keeps the mean time per iteration of every run for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration && r.iterations > 0)
                seconds[r.benchmark_name()] = r.real_accumulated_time / static_cast<double>(r.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--dir") {
            gDir = argv[i + 1];
            for (int j = i; j + 2 < argc + 1; ++j) argv[j] = argv[j + 2];
            argc -= 2;
            break;
        }
    static QuietHost host;
    kv::SetUiHost(&host);
    benchmark::Initialize(&argc, argv);
    Prepare();
    std::printf("project file: %zu bytes\n", gFileSize);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto ratio = [&](const char* a, const char* b) {
        if (!reporter.seconds.count(a) || !reporter.seconds.count(b)) return;
        std::printf("%-22s / %-22s = %.2f\n", a, b, reporter.seconds[a] / reporter.seconds[b]);
    };
    ratio("BM_TxlRead", "BM_PlainRead");
    ratio("BM_TxlWrite", "BM_PlainWrite/0");
    ratio("BM_TxlWrite", "BM_PlainWrite/1");
    benchmark::Shutdown();
    kv::RemoveFile(ReadPath());
    kv::RemoveFile(WritePath());
    kv::RemoveFile(PlainPath());
    return 0;
}
