#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "files/intelhex.h"
#include "platform/safefile.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;

namespace {

std::string Counting(size_t n) {
    std::string s(n, '\0');
    for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>(i & 0xFF);
    return s;
}

std::vector<std::string> Lines(const std::string& hex) {
    std::vector<std::string> out;
    size_t p = 0;
    while (p < hex.size()) {
        size_t q = hex.find("\r\n", p);
        if (q == std::string::npos) {
            out.push_back(hex.substr(p) + "<no CR LF>");
            break;
        }
        out.push_back(hex.substr(p, q - p));
        p = q + 2;
    }
    return out;
}

std::string Hex(const std::string& in) {
    std::string out;
    EXPECT_TRUE(ConvertOutToHex(in, out));
    return out;
}

}  // namespace

TEST(IntelHex, RecordsOfShortAndFullFiles) {
    EXPECT_EQ(Hex(""), ":00000001FF\r\n");
    EXPECT_EQ(Hex(std::string(1, '\x0a')), ":010000000AF5\r\n:00000001FF\r\n");
    // Data summing to a multiple of 256 gives the checksum 00.
    EXPECT_EQ(Hex("\xFF\xFE"), ":02000000FFFE01\r\n:00000001FF\r\n");
    EXPECT_EQ(Hex(std::string("\x80\x7E", 2)), ":02000000807E00\r\n:00000001FF\r\n");

    auto lines = Lines(Hex(Counting(33)));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0],
              ":20000000000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1FF0");
    EXPECT_EQ(lines[1], ":0100200020BF");
    EXPECT_EQ(lines[2], ":00000001FF");

    // A multiple of 32 ends with a full record.
    lines = Lines(Hex(Counting(64)));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].substr(0, 9), ":20002000");
}

TEST(IntelHex, SegmentRecordsAtEvery64K) {
    auto lines = Lines(Hex(Counting(65568)));
    ASSERT_EQ(lines.size(), 2048u + 1 + 1 + 1);
    EXPECT_EQ(lines[2047].substr(0, 9), ":20FFE000");
    EXPECT_EQ(lines[2048], ":020000021000EC");
    EXPECT_EQ(lines[2049].substr(0, 9), ":20000000");
    EXPECT_EQ(lines.back(), ":00000001FF");

    // Exactly 64 KiB: the segment record still follows the last full record.
    lines = Lines(Hex(Counting(65536)));
    ASSERT_EQ(lines.size(), 2048u + 2);
    EXPECT_EQ(lines[2048], ":020000021000EC");

    // The highest segment that an out-file can reach.
    lines = Lines(Hex(Counting(1048576 - 1)));
    std::string last15;
    for (auto& l : lines)
        if (l.compare(0, 9, ":02000002") == 0) last15 = l;
    EXPECT_EQ(last15, ":02000002F0000C");
    EXPECT_EQ(lines[lines.size() - 2].substr(0, 9), ":1FFFE000");

    std::string out = "kept";
    EXPECT_FALSE(ConvertOutToHex(std::string(1048576, 'a'), out));
    EXPECT_EQ(out, "kept");
}

class HexFileTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    void TearDown() override { ResetAllState(); }
    testutil::TempDir dir;
    FakeUi ui;
};

TEST_F(HexFileTest, ConverterWindowNames) {
    struct Case {
        const char* name;
        const char* out;  // "" when the name is refused
        const char* hex;
    } cases[] = {
        {"C:\\data\\city.out", "C:\\data\\city.out", "C:\\data\\city.hex"},
        {"city.OUT", "city.out", "city.hex"},
        {"city.v2.out", "city.v2.out", "city.v2.hex"},
        {"city.", "city.out", "city.hex"},
        {"city", "", ""},
        {"/my.dir/city", "", ""},
        {"C:\\my.dir\\city", "", ""},
    };
    for (const Case& c : cases) {
        std::string o, h;
        EXPECT_EQ(FileConvNames(c.name, o, h), *c.out != 0) << c.name;
        EXPECT_EQ(o, c.out) << c.name;
        EXPECT_EQ(h, c.hex) << c.name;
    }
}

TEST_F(HexFileTest, StartConvertsAndAnnouncesOnlySuccess) {
    testutil::WriteFile(dir.file("city.out"), Counting(40));
    EXPECT_TRUE(FileConvStart(dir.file("city.out")));
    EXPECT_EQ(testutil::ReadFile(dir.file("city.hex")), Hex(Counting(40)));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Conversion ready!");
    EXPECT_EQ(ui.messages[0].style, vbOKOnly);
    EXPECT_EQ(ui.messages[0].title, kMsgTitle);

    // A name without an extension is refused: a message, nothing written.
    ui.messages.clear();
    std::filesystem::remove(dir.file("city.hex"));
    EXPECT_FALSE(FileConvStart(dir.file("city")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("no extension"), std::string::npos);
    EXPECT_EQ(ui.messages[0].style, vbCritical);
    EXPECT_FALSE(std::filesystem::exists(dir.file("city.hex")));

    // An empty name does nothing.
    ui.messages.clear();
    EXPECT_TRUE(FileConvStart(""));
    EXPECT_TRUE(ui.messages.empty());

    // A missing input: reported, no HEX file, no "ready".
    EXPECT_FALSE(FileConvStart(dir.file("gone.out")));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("gone.out"), std::string::npos);
    EXPECT_EQ(ui.messages[0].style, vbCritical);
    EXPECT_FALSE(std::filesystem::exists(dir.file("gone.hex")));
}

TEST_F(HexFileTest, WriteFailureKeepsTheOldFile) {
    testutil::WriteFile(dir.file("a.out"), "abc");
    testutil::WriteFile(dir.file("a.hex"), "old");
    SetSafeWriteFault([](SafeWriteStage s, const std::string&) { return s == SafeWriteStage::Rename; });
    EXPECT_FALSE(ConvertFileToHex(dir.file("a.out"), dir.file("a.hex")));
    EXPECT_EQ(testutil::ReadFile(dir.file("a.hex")), "old");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text, "Conversion ready!");

    // Too large an input is refused the same way.
    SetSafeWriteFault(nullptr);
    ui.messages.clear();
    testutil::WriteFile(dir.file("big.out"), std::string(1048576, '\x01'));
    EXPECT_FALSE(ConvertFileToHex(dir.file("big.out"), dir.file("big.hex")));
    EXPECT_FALSE(std::filesystem::exists(dir.file("big.hex")));
    ASSERT_EQ(ui.messages.size(), 1u);
}

TEST_F(HexFileTest, ProbeConverts) {
    testutil::WriteFile(dir.file("p.out"), Counting(100));
    auto r = testutil::RunProbe({"hex", dir.file("p.out"), dir.file("p.hex")});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(testutil::ReadFile(dir.file("p.hex")), Hex(Counting(100)));
    r = testutil::RunProbe({"hex", dir.file("none.out"), dir.file("none.hex")});
    EXPECT_EQ(r.exitCode, 1);
}
