// Small helpers shared by the tests: temporary folders, files, the probe.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/error.h"

namespace testutil {

// The error a call raises, as the user is shown it: its text and style
// ("" and 0 when it raises none).
struct Raised {
    std::string text;
    int style = 0;
};
template <class F>
Raised RaisedError(F&& call) {
    try {
        call();
    } catch (const kv::Error& e) {
        return {e.what(), e.style()};
    }
    return {};
}

// A fresh folder under the system's temporary folder, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    // Every user may make and delete files in it (RunAsOtherUser).
    void OpenToAll() const;
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Runs `body` in a child process of a user other than root ("nobody"), so
// that root's right to read and write every file decides nothing; when the
// tests run as another user already, as that user. The child's folders must
// let that user in (TempDir::OpenToAll). Returns what `body` returns (its
// exit code), or -1 when the child could not run or change its user.
int RunAsOtherUser(const std::function<int()>& body);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// Joins lines with CR LF after each.
std::string CrLf(const std::vector<std::string>& lines);
// Copies the shipped data folder (data/ and the generated files) into dir.
void StageDataFolder(const std::string& dir);

struct ProbeResult {
    int exitCode;
    std::string out;
    std::string err;
};
ProbeResult RunProbe(const std::vector<std::string>& args);

// The seed of a random test: KIVAR_SEED from the environment when it is
// set, else `fallback`. The seed is printed, so that a failing run can be
// repeated with KIVAR_SEED=<seed> and the test's --gtest_filter.
unsigned TestSeed(unsigned fallback);
// The seeds of a test that runs `count` seeds from `first`: that range, or
// only KIVAR_SEED when it is set. Printed the same way.
std::vector<unsigned> TestSeeds(unsigned first, unsigned count);

std::string GoldenPath(const std::string& rel);
// Regenerating expected files by hand: with KIVAR_UPDATE_GOLDEN=1 in the
// environment a test writes its golden file (or fixture) from what the code
// makes now instead of comparing with it, and fails, so that no run passes on
// output the code checked against itself; the developer then reads the
// difference (git diff) against the format before committing it.
bool UpdatingGoldens();
// Writes the file in that mode and records the failure that says so.
void RewriteGolden(const std::string& path, const std::string& bytes);
// Compares with a golden file (or rewrites it, see above).
bool MatchesGolden(const std::string& rel, const std::string& actual, std::string* diff = nullptr);

}  // namespace testutil
