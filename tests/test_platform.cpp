#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "platform/vb.h"
#include "platform/vbfile.h"
#include "support/testutil.h"

using namespace kv;

TEST(Vb, Val) {
    struct { const char* in; double out; } cases[] = {
        {"", 0}, {"abc", 0}, {"12", 12}, {"  1 2 3", 123}, {"12abc", 12}, {"-5", -5}, {"+7", 7},
        {".5", 0.5}, {"1.2.3", 1.2}, {"1e3", 1000}, {"2D2", 200}, {"3e", 3}, {"&H10", 16},
        {"&HFFFF", -1}, {"&H10000", 65536}, {"&O17", 15}, {"\t4\n2", 42}, {"0", 0}, {"-", 0},
    };
    for (auto& c : cases) EXPECT_DOUBLE_EQ(Val(c.in), c.out) << c.in;
}

TEST(Vb, CIntRoundsHalfToEven) {
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_EQ(CInt(1.5), 2);
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(-3.5), -4);
    EXPECT_EQ(CInt(2.51), 3);
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_THROW(CInt(32767.5), VbError);
    EXPECT_THROW(CInt(-32769), VbError);
    EXPECT_EQ(CIntClamp(1e9), 32767);
    EXPECT_EQ(IDiv(7, 2), 3);
    EXPECT_EQ(IDiv(-7, 2), -3);
    EXPECT_EQ(IDiv(7.5, 2), 4);  // 7.5 rounds to 8 first
}

TEST(Vb, MidInStrAndFriends) {
    EXPECT_EQ(Mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Mid("abcdef", 5), "ef");
    EXPECT_EQ(Mid("abc", 9), "");
    EXPECT_THROW(Mid("abc", 0), VbError);
    EXPECT_EQ(InStr("abcabc", "c"), 3);
    EXPECT_EQ(InStr(4, "abcabc", "c"), 6);
    EXPECT_EQ(InStr("abc", "x"), 0);
    EXPECT_EQ(InStr(2, "abc", ""), 2);
    EXPECT_EQ(InStr(9, "abc", "a"), 0);
    EXPECT_EQ(InStrRev("a#b#c", "#"), 4);
    EXPECT_EQ(InStrLast("C:\\a\\b.bmp", "\\"), 5);
    EXPECT_EQ(InStrLast("C:\\a\\b.bmp", ""), 0);
    EXPECT_EQ(InStrLast("b.bmp", "x"), 0);
    std::string s = "abcdef";
    MidAssign(s, 5, "XYZ");
    EXPECT_EQ(s, "abcdXY");
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(UCase("\xE5\xE4\xF6x\xF7\xFF"), "\xC5\xC4\xD6X\xF7\x9F");
    EXPECT_EQ(LCase("\xC5Q"), "\xE5q");
    EXPECT_TRUE(EqualsNoCase("KIVAR.LIB", "kivar.lib"));
}

TEST(Vb, NumbersAsText) {
    EXPECT_EQ(Str(5), " 5");
    EXPECT_EQ(Str(-5), "-5");
    EXPECT_EQ(CStr(0.5), ".5");
    EXPECT_EQ(CStr(-0.25), "-.25");
    EXPECT_EQ(CStr(1234.5), "1234.5");
    EXPECT_EQ(CStrSingle(120.f), "120");
    EXPECT_EQ(CStrSingle(0.1f), ".1");
    EXPECT_EQ(CStrSingle(1e7f), "1E+07");
    EXPECT_EQ(Hex(255), "FF");
    EXPECT_EQ(Hex(-1), "FFFF");
    EXPECT_EQ(Format(5, "0000"), "0005");
    EXPECT_EQ(Format(12345, "00"), "12345");
    EXPECT_EQ(Format(5, "#0"), "5");
    EXPECT_EQ(Format(0, "#"), "");
    EXPECT_EQ(Format(3.14159, "0.00"), "3.14");
    EXPECT_EQ(Format(-2, "000"), "-002");
    // A point in the pattern is always written; no leading zero before it.
    EXPECT_EQ(Format(0.5, ".##"), ".5");
    EXPECT_EQ(Format(50, ".##"), "50.");
    EXPECT_EQ(Format(33.3333, ".##"), "33.33");
}

TEST(Cp1252, RoundTripsEveryByte) {
    std::string all;
    for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
    EXPECT_EQ(Cp1252FromUtf8(Utf8From1252(all)), all);
    EXPECT_EQ(Utf8From1252("\x80\xAE"), "\xE2\x82\xAC\xC2\xAE");
    EXPECT_EQ(Cp1252FromUtf8("\xE2\x80\x93x\xE4\xB8\xAD"), "\x96x?");
}

// File names of the system pass through the program's strings unchanged:
// what the code page lacks (and bytes that are no UTF-8) as escapes that
// give the name back; held bytes that are no such escape stay as they are.
TEST(Cp1252, FileNamesRoundTripThroughEscapes) {
    const struct {
        const char* what;
        std::string system, held;
    } cases[] = {
        {"plain", "route.txl", "route.txl"},
        {"in the code page", "\xC3\x85\xC3\xA4\xC3\xB6 \xE2\x82\xAC.txl", "\xC5\xE4\xF6 \x80.txl"},
        {"outside it", "\xC5\x81\xC3\xB3" "d\xC5\xBA.txl", "\x81" "141;\xF3" "d\x81" "17A;.txl"},
        {"beyond 16 bits", "bus \xF0\x9F\x9A\x8C", "bus \x81" "1F68C;"},
        {"the escape byte's own character", "\xC2\x81" "41;", "\x81" "81;41;"},
        {"a byte that is no UTF-8", "old\xE9.txl", "old\x81" "DCE9;.txl"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Cp1252PathFromUtf8(c.system), c.held);
        EXPECT_EQ(Utf8From1252(c.held), c.system);
    }
    // Held text that is no escape of the encoder's stays byte for byte.
    for (const std::string text : {"\x81" "41;", "\x81" "141", "\x81;", "\x81" "1234567;", "\x81" "D800;"})
        EXPECT_EQ(Cp1252FromUtf8(Utf8From1252(text), '?'), text);

    // A file of such a name is found, read and written under it.
    testutil::TempDir d;
    testutil::WriteFile(d.path() + "/\xC5\x81\xC3\xB3" "d\xC5\xBA.txl", "old");
    const std::vector<std::string> names = ListDir(d.path());
    ASSERT_EQ(names, std::vector<std::string>{"\x81" "141;\xF3" "d\x81" "17A;.txl"});
    const std::string held = JoinPath(d.path(), names[0]);
    std::string bytes;
    EXPECT_TRUE(ReadWholeFile(held, bytes));
    EXPECT_EQ(bytes, "old");
    EXPECT_TRUE(SafeWriteFile(held, "new", nullptr, {}, NameLookup::Exact));
    EXPECT_EQ(testutil::ReadFile(d.path() + "/\xC5\x81\xC3\xB3" "d\xC5\xBA.txl"), "new");
    EXPECT_EQ(ListDir(d.path()).size(), 1u);
}

TEST(Paths, ResolveWithoutRegardToCase) {
    testutil::TempDir d;
    testutil::WriteFile(d.file("Data/kivar.lib"), "x");
    testutil::WriteFile(d.file("Data/KIVAR.LIB.bak"), "y");
    EXPECT_EQ(ResolvePath(d.path() + "/DATA/KIVAR.LIB"), d.path() + "/Data/kivar.lib");
    EXPECT_EQ(ResolvePath(d.path() + "\\data\\Kivar.Lib"), d.path() + "/Data/kivar.lib");
    EXPECT_EQ(ResolvePath(d.path() + "/data/new.txt"), d.path() + "/Data/new.txt");
    EXPECT_TRUE(FileExists(d.path() + "/DATA/KIVAR.LIB"));
    EXPECT_EQ(JoinPath("a\\b", "c.txt"), "a/b/c.txt");
    EXPECT_EQ(JoinPath("a/", "\\c"), "a/c");
    EXPECT_EQ(BaseName("x\\y\\z.txl"), "z.txl");
    EXPECT_TRUE(MatchesWildcard("Front12.BMP", "*.bmp"));
    EXPECT_FALSE(MatchesWildcard("a.bmpx", "*.bmp"));
}

class SafeFile : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    void TearDown() override { ResetAllState(); }
};

TEST_F(SafeFile, FailureAtAnyStageKeepsTheOldFile) {
    testutil::TempDir d;
    const std::string target = d.file("Settings.LIB");
    testutil::WriteFile(target, "old contents");
    for (auto stage : {SafeWriteStage::Create, SafeWriteStage::Write, SafeWriteStage::Flush, SafeWriteStage::Backup,
                       SafeWriteStage::Rename}) {
        SetSafeWriteFault([stage](SafeWriteStage s, const std::string&) { return s == stage; });
        std::string err;
        EXPECT_FALSE(SafeWriteFile(d.file("settings.lib"), "new", &err, d.file("settings.bak")));
        EXPECT_FALSE(err.empty());
        EXPECT_EQ(testutil::ReadFile(target), "old contents");
    }
    SetSafeWriteFault(nullptr);
    EXPECT_TRUE(SafeWriteFile(d.file("settings.lib"), "new", nullptr, d.file("settings.bak")));
    EXPECT_EQ(testutil::ReadFile(target), "new");  // written back to the name on disk
    EXPECT_EQ(testutil::ReadFile(d.file("settings.bak")), "old contents");
    EXPECT_EQ(ListDir(d.path()).size(), 2u);  // no temporary file left
    // A name with a wildcard is refused; the folder's names may hold none.
    std::string err;
    EXPECT_FALSE(SafeWriteFile(d.file("x.*"), "new", &err));
    EXPECT_FALSE(err.empty());
    EXPECT_FALSE(SafeWriteFile(d.file("a?.lib"), "new"));
    EXPECT_TRUE(SafeWriteFile(d.path() + "/new.lib", "new"));
    EXPECT_FALSE(NameHasWildcard("/p*q/new.lib"));
    EXPECT_EQ(ListDir(d.path()).size(), 3u);
}

TEST(VbFile, LinesPositionsAndOutput) {
    testutil::TempDir d;
    testutil::WriteFile(d.file("a.txt"), "one\r\ntwo\nthree\rfour");
    int16_t fn = FileOpen(d.file("A.TXT"), FileMode::Input);
    ASSERT_GT(fn, 0);
    std::string l;
    std::vector<std::string> lines;
    while (FileLineInput(fn, l)) lines.push_back(l);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three", "four"}));
    FileSeekTo(fn, 6);
    EXPECT_EQ(FileGet(fn, 3), "two");
    EXPECT_EQ(FileLof(fn), 19);
    FileClose(fn);
    EXPECT_EQ(FileOpen(d.file("missing"), FileMode::Input), -1);
    EXPECT_EQ(FileOpen(d.file("no/such/dir/x"), FileMode::Output), -1);
    int16_t out = FileOpen(d.file("b.txt"), FileMode::Output);
    FilePrint(out, "x");
    EXPECT_FALSE(FileExists(d.file("b.txt")));  // reaches the disk at Close
    EXPECT_TRUE(FileClose(out));
    EXPECT_EQ(testutil::ReadFile(d.file("b.txt")), "x\r\n");
}
