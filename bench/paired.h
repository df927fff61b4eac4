// Paired measures for the benchmarks. Every figure is a ratio: the
// program's operation (A) against a yardstick of plain I/O or of the
// program itself (B), both timed in the same repetition, and the figure
// given is the median of the repetitions' ratios, so that a slow moment of
// the machine moves one ratio, not the result. A and B take turns in going
// first (AB, BA, ...).
//
// Warm: the repetitions run one after another in the benchmark's process.
// Cold: every repetition starts fresh processes of this same program
// (`PROGRAM --child NAME ARGS...`), each doing its one operation once; the
// file read is then in the system's file cache, but nothing of the process
// is warm. Every benchmark makes its own files and tables, so none depends
// on what ran before it: running one alone (--benchmark_filter) gives the
// figures it gives in the whole run.
#pragma once

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host.h"
#include "platform/vb.h"

extern char** environ;

namespace bench {

inline double Now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

template <class F>
double Seconds(F&& f) {
    const double t0 = Now();
    f();
    return Now() - t0;
}

inline double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The times of A and B, one pair per repetition.
class Pairs {
public:
    void Add(double a, double b) {
        a_.push_back(a);
        b_.push_back(b);
    }
    bool Empty() const { return a_.empty(); }
    double Ratio() const {
        std::vector<double> r;
        for (size_t i = 0; i < a_.size(); ++i) r.push_back(b_[i] > 0 ? a_[i] / b_[i] : 0);
        return Median(r);
    }
    double MedianA() const { return Median(a_); }
    double MedianB() const { return Median(b_); }
    // Counters: the median ratio and the median times of both.
    void Report(benchmark::State& state, const char* ratioName = "ratio") const {
        state.counters[ratioName] = Ratio();
        state.counters["ms"] = MedianA() * 1e3;
        state.counters["yardstick_ms"] = MedianB() * 1e3;
    }

private:
    std::vector<double> a_, b_;
};

// Runs the benchmark's repetitions: each calls a() and b() (each gives its
// own time in seconds), in turns as to which goes first. The repetition's
// time in the benchmark's table is A's.
template <class A, class B>
void RunPairs(benchmark::State& state, Pairs& pairs, A&& a, B&& b) {
    int rep = 0;
    for (auto _ : state) {
        double ta = 0, tb = 0;
        if (rep++ % 2 == 0) {
            ta = a();
            tb = b();
        } else {
            tb = b();
            ta = a();
        }
        pairs.Add(ta, tb);
        state.SetIterationTime(ta);
    }
}

// The whole of a benchmark: one untimed round of each first, then the
// repetitions, then the counters (the ratio under `ratioName`).
template <class A, class B>
Pairs MeasurePairs(benchmark::State& state, const char* ratioName, A&& a, B&& b) {
    a();
    b();
    Pairs pairs;
    RunPairs(state, pairs, a, b);
    pairs.Report(state, ratioName);
    return pairs;
}

// ---------------------------------------------------------------- goals

struct Goal {
    std::string what;
    double measured;
    double limit;
    std::string unit;  // what the ratio is measured against
};

inline std::vector<Goal>& Goals() {
    static std::vector<Goal> goals;
    return goals;
}

inline void AddGoal(const std::string& what, double measured, double limit, const std::string& unit) {
    auto& g = Goals();
    g.erase(std::remove_if(g.begin(), g.end(), [&](const Goal& x) { return x.what == what; }), g.end());
    g.push_back({what, measured, limit, unit});
}

inline void PrintGoals() {
    if (Goals().empty()) return;
    std::printf("\n%-44s %8s %7s\n", "goal (median of per-repetition ratios)", "measured", "limit");
    for (const Goal& g : Goals())
        std::printf("%-44s %7.2fx %6.2fx  %s  (%s)\n", g.what.c_str(), g.measured, g.limit,
                    g.measured <= g.limit ? "met    " : "NOT MET", g.unit.c_str());
}

// ---------------------------------------------------------------- processes

// A host that answers every message box with OK and keeps the last text.
class QuietHost : public kv::UiHost {
public:
    int MessageBox(const std::string& text, int, const std::string&) override {
        last = text;
        return kv::vbOK;
    }
    std::string last;
};

inline QuietHost& Host() {
    static QuietHost host;
    return host;
}

inline std::string& ProgramPath() {
    static std::string path;
    return path;
}

// Starts argv (output to `outFd`, or thrown away when -1) and waits for it.
// Gives the wall time from the start to the end; a failed start or a
// non-zero exit aborts the benchmark program.
inline double RunProcess(const std::vector<std::string>& args, int outFd = -1) {
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    if (outFd >= 0) posix_spawn_file_actions_adddup2(&fa, outFd, 1);
    else posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&fa, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const double t0 = Now();
    const int err = posix_spawnp(&pid, argv[0], &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    if (err != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0], std::strerror(err));
        std::exit(1);
    }
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    const double t = Now() - t0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s ended with status %d\n", argv[0], status);
        std::exit(1);
    }
    return t;
}

// Runs this program as `--child ARGS...` and gives the "name value" lines
// it printed.
inline std::map<std::string, double> RunChild(const std::vector<std::string>& args) {
    char name[] = "/tmp/kivar-bench-child-XXXXXX";
    const int fd = ::mkstemp(name);
    if (fd < 0) std::exit(1);
    ::unlink(name);
    std::vector<std::string> argv{ProgramPath(), "--child"};
    argv.insert(argv.end(), args.begin(), args.end());
    RunProcess(argv, fd);
    std::string out;
    char buf[4096];
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd, buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
    ::close(fd);
    std::map<std::string, double> values;
    std::istringstream in(out);
    std::string key;
    double v = 0;
    while (in >> key >> v) values[key] = v;
    return values;
}

inline void PrintValue(const char* name, double v) { std::printf("%s %.9g\n", name, v); }

// The process's peak resident memory so far, in bytes (VmHWM: unlike
// getrusage's figure it starts afresh at exec, not at the parent's size).
inline double PeakResidentBytes() {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return 0;
    char line[256];
    double kb = 0;
    while (std::fgets(line, sizeof line, f))
        if (std::sscanf(line, "VmHWM: %lf kB", &kb) == 1) break;
    std::fclose(f);
    return kb * 1024.0;
}

// ---------------------------------------------------------------- plain I/O

// Reads a whole file with read() into `buf` (grown to the file's size when
// it is smaller, never zero-filled); gives the number of bytes read.
inline size_t PlainRead(const std::string& path, std::unique_ptr<char[]>& buf, size_t& capacity) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) std::exit(1);
    struct stat st {};
    ::fstat(fd, &st);
    const auto size = static_cast<size_t>(st.st_size);
    if (capacity < size) {
        buf = std::make_unique_for_overwrite<char[]>(size);
        capacity = size;
    }
    size_t done = 0;
    for (ssize_t n; done < size && (n = ::read(fd, buf.get() + done, size - done)) > 0;) done += static_cast<size_t>(n);
    ::close(fd);
    return done;
}

// Writes the bytes to path with write() over an existing file (truncated),
// syncs the file and then its folder, as the safe writer does.
inline void PlainWriteSynced(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) std::exit(1);
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) std::exit(1);
        done += static_cast<size_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
    const std::string dir = path.substr(0, path.rfind('/') == std::string::npos ? 0 : path.rfind('/'));
    const int d = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (d >= 0) {
        ::fsync(d);
        ::close(d);
    }
}

// Takes "--dir DIR" out of the arguments; DIR (default /tmp) holds the files.
inline std::string TakeDirOption(int& argc, char** argv) {
    std::string dir = "/tmp";
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--dir") {
            dir = argv[i + 1];
            for (int j = i; j + 2 <= argc; ++j) argv[j] = argv[j + 2];
            argc -= 2;
            break;
        }
    return dir;
}

}  // namespace bench
