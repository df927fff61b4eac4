// Building the out-file against reading the project it comes from, in the
// same run. The goal: building within twice the reading time.
//
// The full synthetic project (10000 destinations, 1000 extra texts, 15
// graphic signs, 3 pages each) makes some 15 MB of records, far past the
// 1 MB an out-file can address, so its build is refused at the first
// group. Two measures therefore:
//  - BM_OutFileWork/full: everything the builder does for the full project
//    except placing the bytes (every record, the fonts, the information
//    block), against reading that project;
//  - BM_BuildOutFile/fitting: the whole build of the largest synthetic
//    project that fits (10000 destinations, 1000 extra texts, one sign,
//    one page), against reading that project.
// The counter "x_read" is the build time over the reading time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "data/charmap.h"
#include "engine/defaultdest.h"
#include "data/destlist.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/routenumber.h"
#include "files/fontsection.h"
#include "files/infoblock.h"
#include "files/outfile.h"
#include "files/outrecords.h"
#include "files/txlread.h"
#include "files/txlsynth.h"
#include "files/txlwrite.h"
#include "platform/paths.h"

namespace fs = std::filesystem;

namespace {

// A data folder with the shipped data; the synthetic projects set their
// texts in font "A", which the library gets as a copy of font "7".
const std::string& DataFolder() {
    static const std::string dir = [] {
        const fs::path d = fs::temp_directory_path() / "kivar_bench_outfile";
        fs::remove_all(d);
        fs::create_directories(d);
        for (const char* from : {KIVAR_DATA_DIR, KIVAR_GEN_DIR})
            fs::copy(from, d, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        std::string lib;
        if (!kv::ReadWholeFile((d / "Fonts" / "kstndrd.bib").string(), lib)) throw std::runtime_error("no font library");
        const int32_t at = kv::FindFontRecord('7', lib);
        if (at < 0) throw std::runtime_error("no font 7");
        std::string a = lib.substr(static_cast<size_t>(at), static_cast<size_t>(kv::FontRecordLength(at, lib)));
        a[0] = 'A';
        std::ofstream(d / "Fonts" / "kstndrd.bib", std::ios::binary) << lib << a;

        kv::gDataPath = d.string();
        kv::gSettingsFile = (d / "kivar.lib").string();
        kv::gLanguageFile = (d / "English.lng").string();
        kv::gLanguage = "English";
        kv::LoadLanguageTexts();
        kv::gFontPath = (d / "Fonts").string() + "/";
        kv::ReadSignFontSection();
        return d.string();
    }();
    return dir;
}

std::string ProjectBytes(const kv::SyntheticProjectShape& spec) {
    DataFolder();
    kv::BuildSyntheticProject(spec);
    return kv::BuildTxlFile(spec.version);
}

void ReadProject(const std::string& bytes) {
    kv::ClearRecordsAndLines();
    if (kv::ReadTxlData(bytes, "bench.txl") != kv::TxlReadResult::Read) throw std::runtime_error("project unreadable");
}

template <class F>
double SecondsPerRun(F f, int runs) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count() / runs;
}

kv::SyntheticProjectShape FullSpec() { return {}; }
kv::SyntheticProjectShape FittingSpec() {
    kv::SyntheticProjectShape s;
    s.signs = 1;
    s.pages = 1;
    return s;
}

// Every record, the fonts and the information block of the project as it stands.
size_t OutFileWork() {
    size_t bytes = 0;
    const int lastDest = kv::LastUsedNumber(kv::DestList);
    for (int n = 0; n <= lastDest; ++n) {
        const kv::DestRecord& r = kv::gDestList[static_cast<size_t>(n)];
        if (!r.SignData.empty()) bytes += kv::WriteDestRecordVer1_5(r.SignData, r.ChangeTime, r.Flag, n).size();
    }
    const int lastExtra = kv::LastUsedNumber(kv::ExtraList);
    for (int n = 0; n <= lastExtra; ++n) {
        const kv::DestRecord& r = kv::gExtraList[static_cast<size_t>(n)];
        if (r.SignData.empty()) continue;
        bytes += (kv::gExtraPerSign ? kv::WriteExtraK4000(r.SignData, r.ChangeTime)
                                    : kv::WriteExtraRecord(r.SignData, r.ChangeTime))
                     .size();
    }
    std::string fonts;
    int32_t pos = 0;
    if (!kv::WriteFonts(fonts, pos)) throw std::runtime_error("fonts");
    kv::InfoBlockInput in = kv::CurrentInfoBlockInput();
    in.LineNoFieldCount = kv::gLineNoFieldCount;
    in.AllSignsTextA = kv::BuildAllSignsTextA();
    in.AllSignsTextB = kv::BuildAllSignsTextB();
    return bytes + fonts.size() + kv::BuildInfoBlock(0, in).size();
}

void BM_OutFileWork(benchmark::State& state) {
    const std::string project = ProjectBytes(FullSpec());
    const double read = SecondsPerRun([&] { ReadProject(project); }, 5);
    kv::InitDefaultDestination();
    size_t bytes = 0;
    double build = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        bytes = OutFileWork();
        build += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["record_bytes"] = static_cast<double>(bytes);
    state.counters["read_ms"] = read * 1e3;
    state.counters["x_read"] = build / static_cast<double>(state.iterations()) / read;
}
BENCHMARK(BM_OutFileWork)->Name("BM_OutFileWork/full")->Unit(benchmark::kMillisecond);

void BM_BuildOutFile(benchmark::State& state) {
    const std::string project = ProjectBytes(FittingSpec());
    const double read = SecondsPerRun([&] { ReadProject(project); }, 5);
    kv::InitDefaultDestination();
    std::string image;
    double build = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        if (!kv::BuildPromImageVer1_5(image)) {
            state.SkipWithError("build failed");
            return;
        }
        build += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    state.counters["outfile_bytes"] = static_cast<double>(image.size());
    state.counters["read_ms"] = read * 1e3;
    state.counters["x_read"] = build / static_cast<double>(state.iterations()) / read;
}
BENCHMARK(BM_BuildOutFile)->Name("BM_BuildOutFile/fitting")->Unit(benchmark::kMillisecond);

}  // namespace
