#include <gtest/gtest.h>

#include <sys/stat.h>

#include "data/ini.h"
#include "data/language.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "platform/vbfile.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;
using testutil::CrLf;

namespace {

class IniTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        gTextS25 = " cannot be written!";
    }
    void TearDown() override {
        kv::ResetAllState();
        SetSafeWriteFault(nullptr);
    }
    std::string Make(const std::string& name, const std::string& bytes) {
        std::string p = dir.file(name);
        testutil::WriteFile(p, bytes);
        return p;
    }
    testutil::TempDir dir;
    FakeUi ui;
};

const std::string kSample = CrLf({
    "; settings",
    "[Generell]",
    "Language=\"English\"",
    "Empty=",
    "Quoted=a\"b\"c",
    ";Hidden=1",
    "Two=x=y",
    "key=lower",
    " Key=blank",
    "",
    "[generell]",
    "Language=wrong case",
    "[Fonts]",
    "Font1=\"1 Small\"",
    "Font2=2",
    "",
});

}  // namespace

TEST_F(IniTest, ReadsValuesAsTheReaderDefines) {
    std::string f = Make("kivar.lib", kSample);
    struct { const char* section; const char* key; const char* value; } cases[] = {
        {"Generell", "Language", "English"},  // quotes removed
        {"Generell", "Empty", ""},
        {"Generell", "Quoted", "abc"},        // every quote removed
        {"Generell", "Hidden", "0"},          // comments never match
        {";Hidden", "x", "0"},
        {"Generell", "Two", "x=y"},           // key before the first "="
        {"Generell", "Key", "0"},             // keys match with case, untrimmed
        {"Generell", "key", "lower"},
        {"Generell", "Absent", "0"},
        {"generell", "Language", "wrong case"},
        {"GENERELL", "Language", "0"},
        {"Fonts", "Font2", "2"},
        {"Missing", "Font2", "0"},
    };
    for (auto& c : cases) {
        EXPECT_EQ(IniGetValue(f, c.section, c.key), c.value) << c.section << "/" << c.key;
        EXPECT_EQ(IniGetValue(f, c.section, c.key, kIniOpenClose), c.value);
        EXPECT_EQ(gIniState.FileNo, 0);
    }
}

// A value ends at a NUL byte (what a crash leaves in a file), for both readers.
TEST_F(IniTest, AValueEndsAtANulByte) {
    using namespace std::string_literals;
    const std::string f = Make("kivar.lib", "[Generell]\r\nPath=\0\0\0\r\nName=\"ab\0\0\"\r\nNext=1\r\n"s);
    EXPECT_EQ(IniGetValue(f, "Generell", "Path"), "");
    EXPECT_EQ(IniGetValue(f, "Generell", "Name"), "ab");
    EXPECT_EQ(IniGetValue(f, "Generell", "Next"), "1");
    const int16_t fn = OpenFileNo(f, 0);
    ASSERT_GT(fn, 0);
    EXPECT_EQ(IniGetValueOpen(fn, "Generell", "Name"), "\"ab");
    FileClose(fn);
}

TEST_F(IniTest, LineFeedOnlyFilesReadTheSame) {
    std::string lf;
    for (char c : kSample)
        if (c != '\r') lf += c;
    std::string f = Make("lf.lib", lf);
    EXPECT_EQ(IniGetValue(f, "Fonts", "Font1"), "1 Small");
    EXPECT_EQ(IniGetValue(f, "Generell", "Two"), "x=y");
}

TEST_F(IniTest, ContinuingRunsReadInFileOrder) {
    std::string f = Make("kivar.lib", kSample);
    EXPECT_EQ(IniGetValue(f, "Generell", "Language", kIniOpenKeep), "English");
    EXPECT_GT(gIniState.FileNo, 0);
    EXPECT_EQ(IniGetValue("ignored", "Generell", "Empty", kIniContinue), "");
    EXPECT_EQ(IniGetValue("ignored", "Generell", "Two", kIniContinue), "x=y");
    // A key that stands before the current position is missed ...
    EXPECT_EQ(IniGetValue("ignored", "Generell", "Quoted", kIniContinue), "0");
    // ... and the miss consumed the next header: the run now reads beyond it.
    EXPECT_EQ(IniGetValue("ignored", "Generell", "Language", kIniContinue), "wrong case");
    EXPECT_EQ(IniGetValue("ignored", "Generell", "Font1", kIniContinueClose), "0");
    EXPECT_EQ(gIniState.FileNo, 0);
    // Mode 3 with nothing held opens the file and searches afresh.
    EXPECT_EQ(IniGetValue(f, "Fonts", "Font2", kIniContinueClose), "2");
    // A new section in a run searches from the start of the file.
    EXPECT_EQ(IniGetValue(f, "Fonts", "Font1", kIniOpenKeep), "1 Small");
    EXPECT_EQ(IniGetValue(f, "Generell", "Empty", kIniContinue), "");
    EXPECT_EQ(IniGetValue(f, "Fonts", "Font2", kIniContinueClose), "2");
    EXPECT_EQ(FileOpenCount(), 0);
}

TEST_F(IniTest, AMissingFileIsAnErrorWithItsName) {
    for (int16_t mode : {kIniOpenClose, kIniOpenKeep, kIniContinue}) {
        testutil::Raised e = testutil::RaisedError(
            [&] { IniGetValue(dir.file("KIVAR.LIB"), "Generell", "KivarPath", mode); });
        EXPECT_EQ(e.text, dir.file("KIVAR.LIB") + " not found!") << mode;
        EXPECT_EQ(e.style, vbCritical);
    }
    EXPECT_TRUE(ui.messages.empty());
    // Nothing is held: the file, once there, is read.
    Make("kivar.lib", kSample);
    EXPECT_EQ(IniGetValue(dir.file("KIVAR.LIB"), "Generell", "Language", kIniContinue), "English");
}

TEST_F(IniTest, FindsTheFileWithoutRegardToCase) {
    Make("kivar.lib", kSample);
    EXPECT_EQ(IniGetValue(dir.file("KIVAR.LIB"), "Generell", "Language"), "English");
}

TEST_F(IniTest, OpenFileReader) {
    std::string f = Make("t.kcm", CrLf({"[Cmd]", "A=\"quoted\"", "B=a\"b\"c", "junk", "C=3", "[ Other ]", "D=4", "[Last]"}));
    int16_t fn = FileOpen(f, FileMode::Input);
    ASSERT_GT(fn, 0);
    EXPECT_EQ(IniGetValueOpen(fn, "Cmd", "A"), "quoted");
    EXPECT_EQ(IniGetValueOpen(fn, "Cmd", "B", true), "a\"b\"c");  // last char no quote: unchanged
    EXPECT_EQ(IniGetValueOpen(fn, "Cmd", "C", true), "3");
    EXPECT_EQ(IniGetValueOpen(fn, " Other ", "D"), "4");   // any bracketed line is a header here
    EXPECT_EQ(IniGetValueOpen(fn, "Cmd", "D"), "0");       // keys end at the next header
    EXPECT_EQ(IniFindSection(fn, "Last"), FileLof(fn) + 1);  // a header on the last line is never found
    EXPECT_EQ(IniGetValueOpen(fn, "Last", "X"), "0");
    EXPECT_TRUE(IsSectionLine("[x]"));
    EXPECT_FALSE(IsSectionLine(" [x]"));
    FileClose(fn);
}

TEST_F(IniTest, CompareValue) {
    std::string f = Make("kivar.lib", kSample);
    EXPECT_EQ(IniCompareValue(f, "Generell", "Language", "English"), 0);
    EXPECT_EQ(IniCompareValue(f, "Generell", "Language", "Svenska"), 1);
    EXPECT_EQ(IniCompareValue(f, "Generell", "Absent", "x"), -2);
    EXPECT_EQ(IniCompareValue(f, "Fonts", "Font2", 2), 0);
    EXPECT_EQ(IniCompareValue(f, "Generell", "Absent", 0), 0);
}

TEST_F(IniTest, SetValueReplacesOrAddsAtTheEndOfTheKeyRun) {
    const std::string base = CrLf({"[A]", "x=1", "y=\"2\"", "", "[B]", "z=3"});
    struct {
        const char* section; const char* key; IniValue value; std::string expected;
    } cases[] = {
        {"A", "y", "new", CrLf({"[A]", "x=1", "y=\"new\"", "", "[B]", "z=3"})},
        {"A", "w", 5, CrLf({"[A]", "x=1", "y=\"2\"", "w=5", "", "[B]", "z=3"})},
        // The last section of the file: appended at its end.
        {"B", "q", "v", CrLf({"[A]", "x=1", "y=\"2\"", "", "[B]", "z=3", "q=\"v\""})},
        {"B", "z", 3.5, CrLf({"[A]", "x=1", "y=\"2\"", "", "[B]", "z=3.5"})},
    };
    for (auto& c : cases) {
        std::string f = Make("set.lib", base);
        EXPECT_TRUE(IniSetValue(f, c.section, c.key, c.value));
        EXPECT_EQ(testutil::ReadFile(f), c.expected) << c.section << "/" << c.key;
    }
    EXPECT_TRUE(ui.messages.empty());
    // A key line straight after the header of a section followed by another.
    std::string f = Make("set.lib", CrLf({"[A]", "[B]", "z=3"}));
    IniSetValue(f, "A", "k", "v");
    EXPECT_EQ(testutil::ReadFile(f), CrLf({"[A]", "k=\"v\"", "[B]", "z=3"}));
}

TEST_F(IniTest, InsertKeyGoesRightAfterTheHeader) {
    std::string f = Make("ins.lib", CrLf({"[Windows]", "frmA=\"1 2 3 4\"", "", "[X]"}));
    EXPECT_TRUE(IniInsertKey(f, "Windows", "frmHead", "5 6 7 8"));
    EXPECT_EQ(testutil::ReadFile(f), CrLf({"[Windows]", "frmHead=\"5 6 7 8\"", "frmA=\"1 2 3 4\"", "", "[X]"}));
}

TEST_F(IniTest, ReplaceSectionKeepsTheNeighbours) {
    std::string f = Make("rep.lib", CrLf({"[K4000]", "old1", "old2", "", "", "[K1000]", "k=1", "[K4000]", "again"}));
    EXPECT_TRUE(IniReplaceSection(f, "K4000", {"a=1", "b=2", "unused"}, 1));
    EXPECT_EQ(testutil::ReadFile(f), CrLf({"[K4000]", "a=1", "b=2", "", "[K1000]", "k=1", "[K4000]", "a=1", "b=2", ""}));
    // At the end of the file the old body is dropped up to the end.
    f = Make("rep2.lib", CrLf({"[S]", "x"}));
    IniReplaceSection(f, "S", {"y"}, 0);
    EXPECT_EQ(testutil::ReadFile(f), CrLf({"[S]", "y", ""}));
}

TEST_F(IniTest, WritersReportMissingFilesAndSections) {
    std::string f = Make("w.lib", CrLf({"[A]", "x=1"}));
    const std::string before = testutil::ReadFile(f);
    EXPECT_FALSE(IniSetValue(f, "Nope", "x", "1"));
    EXPECT_FALSE(IniInsertKey(f, "Nope", "x", "1"));
    EXPECT_FALSE(IniReplaceSection(f, "Nope", {"x"}, 0));
    EXPECT_EQ(testutil::ReadFile(f), before);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, f + ":\r[Nope] cannot be written!");
    EXPECT_EQ(ui.messages[0].style, vbCritical);
    EXPECT_FALSE(IniSetValue(dir.file("absent.lib"), "A", "x", "1"));
    EXPECT_EQ(ui.messages.back().text, dir.file("absent.lib") + " cannot be written!");
}

TEST_F(IniTest, AFailedWriteLeavesTheFileAndTheReaderIntact) {
    std::string f = Make("kivar.lib", kSample);
    // A continuing run holds the file open while a writer fails.
    EXPECT_EQ(IniGetValue(f, "Generell", "Language", kIniOpenKeep), "English");
    for (auto stage : {SafeWriteStage::Create, SafeWriteStage::Write, SafeWriteStage::Flush, SafeWriteStage::Rename}) {
        SetSafeWriteFault([stage](SafeWriteStage s, const std::string&) { return s == stage; });
        EXPECT_FALSE(IniSetValue(f, "Generell", "Language", "Deutsch"));
        EXPECT_EQ(testutil::ReadFile(f), kSample);
    }
    SetSafeWriteFault(nullptr);
    EXPECT_EQ(ui.messages.size(), 4u);
    EXPECT_EQ(IniGetValue(f, "Generell", "Empty", kIniContinueClose), "");
    EXPECT_EQ(FileOpenCount(), 0);
}

// A write-protected settings file is never replaced: a writer that would
// change it says so, naming it; one that changes nothing writes nothing and
// says nothing (a start rewrites sections it reads).
TEST_F(IniTest, AWriteProtectedFileIsNotReplaced) {
    const std::string f = Make("kivar.lib", kSample);
    ASSERT_EQ(::chmod(f.c_str(), 0444), 0);
    EXPECT_TRUE(IniSetValue(f, "Generell", "Language", "English"));
    EXPECT_TRUE(IniReplaceSection(f, "Fonts", {"Font1=\"1 Small\"", "Font2=2"}, 1));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(IniSetValue(f, "Generell", "Language", "Deutsch"));
    EXPECT_EQ(testutil::ReadFile(f), kSample);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, f + ":\rThe file is write-protected; it was left as it is.");
    // Said once: the next changes (a dialog's place at every close) are
    // left out as quietly, the file still unchanged.
    EXPECT_FALSE(IniSetValue(f, "Generell", "Language", "Svenska"));
    EXPECT_FALSE(IniSetValue(f, "Generell", "Language", "Dansk"));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(testutil::ReadFile(f), kSample);
}
