// The safe writer: the backup is the old file (a hard link, else a copy),
// the new file keeps the old one's permissions, temporary names are unique
// and an earlier crash's leftovers go with the next save; and a process
// killed at random points while it saves (also while it streams its
// contents in pieces) leaves the whole old or the whole new file, every time.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <random>
#include <stdexcept>
#include <thread>

#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "support/killcontent.h"
#include "support/testutil.h"

using namespace kv;

namespace {

struct stat StatOf(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st;
}

class SafeFileTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    void TearDown() override { ResetAllState(); }
    std::vector<std::string> Names() const { return ListDir(dir.path()); }
    testutil::TempDir dir;
};

TEST_F(SafeFileTest, TheBackupIsTheOldFileAndTheModeStays) {
    const std::string target = dir.file("proj.txl"), backup = dir.file("PROJ.BAK");
    for (bool links : {true, false}) {
        SCOPED_TRACE(links ? "hard link" : "copy");
        // Where links fail, the backup is a copy.
        SetSafeWriteFault([links](SafeWriteStage s, const std::string&) { return !links && s == SafeWriteStage::Link; });
        testutil::WriteFile(target, "old");
        RemoveFile(backup);
        ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
        const ino_t oldInode = StatOf(target).st_ino;

        ASSERT_TRUE(SafeWriteFile(target, "new", nullptr, backup));
        EXPECT_EQ(testutil::ReadFile(target), "new");
        EXPECT_EQ(StatOf(target).st_mode & 07777, 0640u);
        EXPECT_EQ(testutil::ReadFile(backup), "old");
        EXPECT_EQ(StatOf(backup).st_mode & 07777, 0640u);
        EXPECT_EQ(StatOf(backup).st_ino == oldInode, links);

        // The next save moves the backup on by one.
        ASSERT_TRUE(SafeWriteFile(target, "newer", nullptr, backup));
        EXPECT_EQ(testutil::ReadFile(backup), "new");
        EXPECT_EQ(Names(), (std::vector<std::string>{"PROJ.BAK", "proj.txl"}));
    }
    // A new file: read and write for the owner, read for the others, less the umask.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(SafeWriteFile(dir.file("fresh.txt"), "x"));
    ::umask(mask);
    EXPECT_EQ(StatOf(dir.file("fresh.txt")).st_mode & 07777, 0644u);
    // A backup name equal to the target's is no backup: the file is not lost.
    ASSERT_TRUE(SafeWriteFile(dir.file("fresh.txt"), "y", nullptr, dir.file("FRESH.TXT")));
    EXPECT_EQ(testutil::ReadFile(dir.file("fresh.txt")), "y");
}

TEST_F(SafeFileTest, TemporaryNamesAreUniqueAndLeftoversGoWithTheNextSave) {
    const std::string target = dir.file("t.txt");
    // Leftovers of stopped saves of t.txt (this and an older version's
    // fixed name), and files that are not.
    for (const char* name : {"t.txt.a1B2c3.kvtmp", "t.txt.kvtmp", "u.txt.a1B2c3.kvtmp", "t.txt.a1B2c3.kvtmp.keep",
                             "t.txt.notes.kvtmp"})
        testutil::WriteFile(dir.file(name), "left");
    std::vector<std::string> temps;
    SetSafeWriteFault([&](SafeWriteStage s, const std::string&) {
        if (s == SafeWriteStage::Flush)
            for (const std::string& n : ListDir(dir.path(), "t.txt.??????.kvtmp")) temps.push_back(n);
        return false;
    });
    ASSERT_TRUE(SafeWriteFile(target, "1"));
    ASSERT_TRUE(SafeWriteFile(target, "2"));
    ASSERT_EQ(temps.size(), 2u);
    EXPECT_NE(temps[0], temps[1]);
    EXPECT_EQ(Names(), (std::vector<std::string>{"t.txt", "t.txt.a1B2c3.kvtmp.keep", "t.txt.notes.kvtmp",
                                                 "u.txt.a1B2c3.kvtmp"}));
}

TEST_F(SafeFileTest, AFailedRenameLeavesNoBackupAndNoTemporaryFile) {
    const std::string target = dir.file("proj.txl"), backup = dir.file("PROJ.BAK");
    testutil::WriteFile(target, "old");
    testutil::WriteFile(backup, "older");
    SetSafeWriteFault([](SafeWriteStage s, const std::string&) { return s == SafeWriteStage::Rename; });
    std::string error;
    EXPECT_FALSE(SafeWriteFile(target, "new", &error, backup));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(testutil::ReadFile(target), "old");
    EXPECT_EQ(testutil::ReadFile(backup), "older");
    EXPECT_EQ(Names().size(), 2u);
}

// Contents streamed in pieces arrive whole; a save that stops in the middle
// of its pieces (a piece that cannot be written, or the caller's own error)
// leaves the old file and no temporary file, and the caller's error goes on.
TEST_F(SafeFileTest, AStreamedSaveIsWholeOrNothing) {
    const std::string target = dir.file("proj.txl"), backup = dir.file("PROJ.BAK");
    const auto pieces = [](SafeFileOut& out) {
        for (int i = 0; i < 5; ++i) out.Write(std::string(70000, static_cast<char>('a' + i)));
    };
    ASSERT_TRUE(SafeWriteFile(target, pieces, nullptr, backup));
    std::string whole;
    for (int i = 0; i < 5; ++i) whole += std::string(70000, static_cast<char>('a' + i));
    EXPECT_EQ(testutil::ReadFile(target), whole);

    testutil::WriteFile(target, "old");
    int written = 0;
    SetSafeWriteFault([&](SafeWriteStage s, const std::string&) { return s == SafeWriteStage::Write && ++written == 3; });
    std::string error;
    EXPECT_FALSE(SafeWriteFile(target, pieces, &error, backup));
    EXPECT_EQ(error, std::strerror(EIO));
    EXPECT_EQ(written, 3);
    EXPECT_EQ(testutil::ReadFile(target), "old");
    EXPECT_EQ(Names(), (std::vector<std::string>{"proj.txl"}));

    SetSafeWriteFault(nullptr);
    const auto stops = [](SafeFileOut& out) {
        out.Write(std::string(70000, 'x'));
        throw std::runtime_error("the contents cannot be made");
    };
    EXPECT_THROW(SafeWriteFile(target, stops, nullptr, backup), std::runtime_error);
    EXPECT_EQ(testutil::ReadFile(target), "old");
    EXPECT_EQ(Names(), (std::vector<std::string>{"proj.txl"}));
}

// A process saves large files through the safe writer over and over and is
// killed at random points. After every kill the target holds the whole last
// saved version or the whole one being saved, the backup (when there is one)
// holds a whole earlier version, and the next save leaves no temporary file.
TEST_F(SafeFileTest, AKilledSaveLeavesTheWholeOldOrTheWholeNewFile) {
    // A new seed every run, so that the kills fall elsewhere each time.
    const unsigned seed = testutil::TestSeed(std::random_device{}());
    std::mt19937 random(seed);

    const std::string target = dir.file("proj.txl"), backup = dir.file("PROJ.BAK");
    ASSERT_TRUE(SafeWriteFile(target, killtest::Content(0)));
    long saved = 0;  // the last version known to be saved
    int cutShort = 0;
    constexpr int kRounds = 60;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round) + ", seed " + std::to_string(seed));
        int out[2];
        ASSERT_EQ(::pipe(out), 0);
        const std::string first = std::to_string(saved + 1), childSeed = std::to_string(random());
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            ::dup2(out[1], 1);
            ::close(out[0]);
            ::close(out[1]);
            ::execl(KIVAR_SAFEFILE_CHILD, KIVAR_SAFEFILE_CHILD, target.c_str(), backup.c_str(), first.c_str(),
                    childSeed.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 40000));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving process ended by itself: " << status;
        uint32_t n;
        while (::read(out[0], &n, sizeof n) == sizeof n) saved = n;
        ::close(out[0]);

        ASSERT_TRUE(FileExists(target)) << "no file under the target's name";
        const long now = killtest::VersionOf(testutil::ReadFile(target));
        EXPECT_TRUE(now == saved || now == saved + 1) << "target holds " << now << ", last saved " << saved;
        if (FileExists(backup)) {
            const long before = killtest::VersionOf(testutil::ReadFile(backup));
            EXPECT_GE(before, 0) << "the backup is not whole";
            EXPECT_LT(before, now);
            EXPECT_GE(before, saved - 1);
        }
        if (!ListDir(dir.path(), "*.kvtmp").empty()) ++cutShort;

        // The next save clears what the killed one left.
        saved = std::max(saved, now) + 1;
        ASSERT_TRUE(SafeWriteFile(target, killtest::Content(static_cast<uint32_t>(saved)), nullptr, backup));
        EXPECT_EQ(Names(), (std::vector<std::string>{"PROJ.BAK", "proj.txl"}));
        EXPECT_EQ(killtest::VersionOf(testutil::ReadFile(backup)), now);
        if (HasFailure()) break;
    }
    std::cout << cutShort << " of " << kRounds << " kills left a temporary file behind" << std::endl;
}

}  // namespace
