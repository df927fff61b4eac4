#include "support/testutil.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testutil {

TempDir::TempDir() {
    std::string tmpl = (fs::temp_directory_path() / "kivar-test-XXXXXX").string();
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
    path_ = buf.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void TempDir::OpenToAll() const { fs::permissions(path_, fs::perms::all); }

int RunAsOtherUser(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(125);
        // The child ends here, without the test program's own ending.
        ::_exit(body());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 125) return -1;
    return WEXITSTATUS(status);
}

void WriteFile(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream f(path, std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) throw std::runtime_error("cannot read " + path);
    std::ostringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::string CrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (auto& l : lines) out += l + "\r\n";
    return out;
}

void StageDataFolder(const std::string& dir) {
    auto copyTree = [&](const fs::path& from) {
        if (!fs::exists(from)) return;
        fs::copy(from, dir, fs::copy_options::recursive | fs::copy_options::skip_existing);
    };
    copyTree(KIVAR_DATA_DIR);
    copyTree(KIVAR_GEN_DIR);
}

ProbeResult RunProbe(const std::vector<std::string>& args) {
    TempDir tmp;
    std::string cmd = "'" KIVAR_PROBE "'";
    for (auto& a : args) {
        std::string q;
        for (char c : a) {
            if (c == '\'') q += "'\\''";
            else q += c;
        }
        cmd += " '" + q + "'";
    }
    cmd += " >'" + tmp.file("out") + "' 2>'" + tmp.file("err") + "'";
    int rc = std::system(cmd.c_str());
    ProbeResult r;
    r.exitCode = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    r.out = ReadFile(tmp.file("out"));
    r.err = ReadFile(tmp.file("err"));
    return r;
}

namespace {

bool SeedFromEnvironment(unsigned& seed) {
    const char* env = std::getenv("KIVAR_SEED");
    if (!env || !*env) return false;
    seed = static_cast<unsigned>(std::strtoul(env, nullptr, 10));
    return true;
}

std::string CurrentTestName() {
    const ::testing::TestInfo* t = ::testing::UnitTest::GetInstance()->current_test_info();
    return t ? std::string(t->test_suite_name()) + "." + t->name() : std::string("*");
}

}  // namespace

unsigned TestSeed(unsigned fallback) {
    unsigned seed = fallback;
    SeedFromEnvironment(seed);
    std::printf("[   SEED   ] %u (rerun: KIVAR_SEED=%u --gtest_filter=%s)\n", seed, seed, CurrentTestName().c_str());
    ::testing::Test::RecordProperty("seed", std::to_string(seed));
    return seed;
}

std::vector<unsigned> TestSeeds(unsigned first, unsigned count) {
    unsigned seed = 0;
    if (SeedFromEnvironment(seed)) {
        std::printf("[   SEED   ] %u (from KIVAR_SEED)\n", seed);
        return {seed};
    }
    std::printf("[   SEED   ] %u..%u (rerun one: KIVAR_SEED=<seed> --gtest_filter=%s)\n", first, first + count - 1,
                CurrentTestName().c_str());
    std::vector<unsigned> seeds;
    for (unsigned i = 0; i < count; ++i) seeds.push_back(first + i);
    return seeds;
}

std::string GoldenPath(const std::string& rel) { return std::string(KIVAR_GOLDEN_DIR) + "/" + rel; }

bool UpdatingGoldens() {
    const char* upd = std::getenv("KIVAR_UPDATE_GOLDEN");
    return upd && std::string(upd) == "1";
}

void RewriteGolden(const std::string& path, const std::string& bytes) {
    WriteFile(path, bytes);
    ADD_FAILURE() << "rewrote " << path << " from the code under test (KIVAR_UPDATE_GOLDEN=1); "
                  << "check the difference against the format before committing it";
}

bool MatchesGolden(const std::string& rel, const std::string& actual, std::string* diff) {
    std::string path = GoldenPath(rel);
    if (UpdatingGoldens()) {
        RewriteGolden(path, actual);
        return true;
    }
    if (!fs::exists(path)) {
        if (diff) *diff = "missing golden file " + path;
        return false;
    }
    std::string expected = ReadFile(path);
    if (expected == actual) return true;
    if (diff) {
        size_t i = 0;
        while (i < expected.size() && i < actual.size() && expected[i] == actual[i]) ++i;
        *diff = "first difference at byte " + std::to_string(i) + " of " + path;
    }
    return false;
}

}  // namespace testutil
