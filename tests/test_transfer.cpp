// The Transfer commands without their window: proposed names, the transfer
// program's arguments, what each command writes, the order it is built in,
// and that every failure stops the command with its message and leaves
// nothing of the command's own behind.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

#include "app/transfer.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/language.h"
#include "data/records.h"
#include "files/document.h"
#include "files/intelhex.h"
#include "files/outbuild.h"
#include "files/outoptions.h"
#include "platform/reset.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/safefile.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/outfixtures.h"
#include "support/signs_state.h"
#include "support/testutil.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {

class FakeStarter : public ProgramStarter {
public:
    FakeStarter() { SetProgramStarter(this); }
    ~FakeStarter() override { SetProgramStarter(nullptr); }
    bool StartProgram(const std::string& program, const std::vector<std::string>& args) override {
        starts.push_back({program, args});
        return answer;
    }
    struct Start {
        std::string program;
        std::vector<std::string> args;
    };
    std::vector<Start> starts;
    bool answer = true;
};

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        outfixtures::StageOutData(data.path());
        fs::create_directories(docs());
        fs::create_directories(prog());
        StartProject([] { outfixtures::MakeProjectA1(); });
    }
    void TearDown() override { ResetAllState(); }
    // Everything back to its start, then the staged data, the folders and
    // the project that `make` builds.
    void StartProject(const std::function<void()>& make) {
        ResetAllState();
        outfixtures::LoadOutData(data.path());
        make();
        SetProgramFolder(prog());
        gOpenSavePath = docs();
        gDocumentPath = JoinPath(docs(), "city.txl");
    }
    std::string docs() const { return data.file("docs"); }
    std::string prog() const { return data.file("prog"); }
    std::string InDocs(const std::string& name) const { return JoinPath(docs(), name); }
    void InstallProgram() { testutil::WriteFile(JoinPath(prog(), "kivart16"), "#!/bin/sh\n"); }

    // Answers the file dialogs from `answers` (a cancel when none is left).
    TransferFileChooser Chooser() {
        return [this](const TransferFileRequest& r) -> std::optional<std::string> {
            requests.push_back(r);
            if (answers.empty()) return std::nullopt;
            std::string a = answers.front();
            answers.pop_front();
            return a;
        };
    }
    // The out-file the project builds to now.
    static std::string Expected() {
        std::string image;
        EXPECT_TRUE(BuildOutImage(image));
        return image;
    }
    // The record tables as they stand.
    static std::vector<std::string> Records() {
        std::vector<std::string> r;
        for (const DestRecord& d : gDestList) r.push_back(d.Text + "|" + d.SignData + "|" + d.Code);
        return r;
    }
    static bool Exists(const std::string& p) { return FileExists(p); }

    testutil::TempDir data;
    FakeUi ui;
    FakeStarter starter;
    std::deque<std::string> answers;
    std::vector<TransferFileRequest> requests;
};

}  // namespace

TEST_F(TransferTest, ProposedNamesArgumentsAndCopyNames) {
    EXPECT_EQ(ProjectOutFileName("out"), InDocs("city.out"));
    EXPECT_EQ(ProjectOutFileName("hex"), InDocs("city.hex"));
    gDocumentPath = "C:\\data\\city.txl";
    EXPECT_EQ(ProjectOutFileName("out"), "C:\\data\\city.out");
    EXPECT_EQ(TransferProgramArgs(), (std::vector<std::string>{InDocs("trans.out"), "#DISPLAY#C:/data/city.out"}));
    // A project without a file: trans.out (tmp2hex.hex) in the document folder.
    gDocumentPath.clear();
    EXPECT_EQ(ProjectOutFileName("out"), InDocs("trans.out"));
    EXPECT_EQ(ProjectOutFileName("hex"), InDocs("tmp2hex.hex"));
    EXPECT_EQ(TransferProgramArgs()[1], "#DISPLAY#" + InDocs("trans.out"));

    // 8.3 names (at most 12 characters) pass as they are; longer ones as a copy.
    for (auto [chosen, passed] : {std::pair{"/d/north.out", "/d/north.out"}, {"/d/abcdefgh.out", "/d/abcdefgh.out"},
                                  {"/d/abcdefghi.out", "/d/TMP32T16.OUT"}, {"/d/routes-north.out", "/d/TMP32T16.OUT"}})
        EXPECT_EQ(TransferCopyName(chosen), passed) << chosen;

    // The program is found without regard to case; absent, there is none.
    EXPECT_EQ(TransferProgramPath(), "");
    testutil::WriteFile(JoinPath(prog(), "KIVART16"), "");
    EXPECT_EQ(TransferProgramPath(), JoinPath(prog(), "KIVART16"));
}

TEST_F(TransferTest, ToFileWritesTheOutFileAndTIni) {
    const std::string expected = Expected();
    answers = {InDocs("first.out")};
    EXPECT_EQ(TransferToFile(Chooser()), TransferResult::Done);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].filter, kOutFileFilter);
    EXPECT_EQ(requests[0].fileName, InDocs("city.out"));
    EXPECT_EQ(testutil::ReadFile(InDocs("first.out")), expected);
    EXPECT_EQ(testutil::ReadFile(InDocs("t.ini")), InDocs("first.out") + "\r\n");
    EXPECT_TRUE(ui.messages.empty());

    // t.ini holds only the last path; an existing out-file is replaced.
    testutil::WriteFile(InDocs("second.out"), std::string(5000, 'x'));
    answers = {InDocs("second.out")};
    EXPECT_EQ(TransferToFile(Chooser()), TransferResult::Done);
    EXPECT_EQ(testutil::ReadFile(InDocs("second.out")), expected);
    EXPECT_EQ(testutil::ReadFile(InDocs("t.ini")), InDocs("second.out") + "\r\n");

    // A cancel writes nothing.
    fs::remove(InDocs("t.ini"));
    EXPECT_EQ(TransferToFile(Chooser()), TransferResult::Cancelled);
    EXPECT_FALSE(Exists(InDocs("t.ini")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(TransferTest, IntelHexBuildsFirstAndConvertsThatFile) {
    const std::string expected = Expected();
    std::string hex;
    ASSERT_TRUE(ConvertOutToHex(expected, hex));
    const std::string source = JoinPath(data.path(), "tmp2hex.out");
    testutil::WriteFile(source, "stale");

    // Cancelled: the fresh tmp2hex.out stays, no HEX file, no message.
    EXPECT_EQ(TransferIntelHex(Chooser()), TransferResult::Cancelled);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].filter, kHexFileFilter);
    EXPECT_EQ(requests[0].fileName, InDocs("city.hex"));
    EXPECT_EQ(testutil::ReadFile(source), expected);
    EXPECT_TRUE(ui.messages.empty());

    answers = {InDocs("city.hex")};
    EXPECT_EQ(TransferIntelHex(Chooser()), TransferResult::Done);
    EXPECT_EQ(testutil::ReadFile(InDocs("city.hex")), hex);
    EXPECT_EQ(testutil::ReadFile(source), expected);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Conversion ready!");
    EXPECT_EQ(ui.messages[0].style, vbOKOnly);
}

TEST_F(TransferTest, CodeOrderBeforeTheBuild) {
    // Destinations 1 "ZZ" and 2 "AA": the order of their codes is kept in
    // the table only when codes are on and the project is modified.
    struct Case {
        int16_t codes, modified;
        bool sorted;
    } cases[] = {{kTrue, kTrue, true}, {kTrue, kFalse, false}, {kFalse, kTrue, false}};
    for (const Case& c : cases) {
        gDestList[1].Code = "ZZ  ";
        gDestList[2].Code = "AA  ";
        gDestList[3].Code = "MM  ";
        gDestCodesOn = c.codes;
        gTxlVersion = c.codes ? 6 : 5;
        gDocumentModified = c.modified;
        bKollaBM();
        EXPECT_EQ(gDestList[1].Code, c.sorted ? "AA  " : "ZZ  ") << c.codes << c.modified;
        EXPECT_EQ(gDocumentModified, c.modified);
        // The list follows the table.
        EXPECT_EQ(kv::DestList.ListCount(), 3);
    }

    // The HEX command brings the table into code order too.
    gDestList[1].Code = "ZZ  ";
    gDestList[2].Code = "AA  ";
    gDestCodesOn = kTrue;
    gTxlVersion = 6;
    gDocumentModified = kTrue;
    EXPECT_EQ(TransferIntelHex(Chooser()), TransferResult::Cancelled);
    EXPECT_EQ(gDestList[1].Code, "AA  ");
}

TEST_F(TransferTest, TransferProgramGetsTheBuildOrTheChosenFile) {
    InstallProgram();
    const std::string program = JoinPath(prog(), "kivart16");
    const std::string expected = Expected();
    testutil::WriteFile(InDocs("trans.out"), "old");
    EXPECT_EQ(TransferToLoader(), TransferResult::Done);
    EXPECT_EQ(testutil::ReadFile(InDocs("trans.out")), expected);
    ASSERT_EQ(starter.starts.size(), 1u);
    EXPECT_EQ(starter.starts[0].program, program);
    EXPECT_EQ(starter.starts[0].args, (std::vector<std::string>{InDocs("trans.out"), "#DISPLAY#" + InDocs("city.out")}));

    // A chosen file of up to 12 characters passes as it is; a longer one as
    // a fresh copy TMP32T16.OUT beside it (an earlier copy of any case goes).
    testutil::WriteFile(InDocs("north.out"), "N");
    testutil::WriteFile(InDocs("routes-north.out"), "RN");
    testutil::WriteFile(InDocs("tmp32t16.out"), "stale");
    answers = {InDocs("north.out"), InDocs("routes-north.out")};
    EXPECT_EQ(TransferFileToLoader(Chooser()), TransferResult::Done);
    EXPECT_EQ(TransferFileToLoader(Chooser()), TransferResult::Done);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_FALSE(requests[0].save);
    EXPECT_EQ(requests[0].fileName, InDocs("city.out"));
    ASSERT_EQ(starter.starts.size(), 3u);
    EXPECT_EQ(starter.starts[1].args, std::vector<std::string>{InDocs("north.out")});
    EXPECT_EQ(starter.starts[2].args, std::vector<std::string>{InDocs("TMP32T16.OUT")});
    EXPECT_EQ(testutil::ReadFile(InDocs("TMP32T16.OUT")), "RN");
    EXPECT_FALSE(fs::exists(InDocs("tmp32t16.out")));
    EXPECT_TRUE(ui.messages.empty());

    // A cancel starts nothing.
    EXPECT_EQ(TransferFileToLoader(Chooser()), TransferResult::Cancelled);
    EXPECT_EQ(starter.starts.size(), 3u);

    // A program that does not start: the message, and no success.
    starter.answer = false;
    EXPECT_EQ(TransferToLoader(), TransferResult::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("could not be started"), std::string::npos);
    EXPECT_EQ(ui.messages[0].style, vbCritical);
}

TEST_F(TransferTest, MissingTransferProgramChangesNothing) {
    gDestList[1].Code = "ZZ  ";
    gDestList[2].Code = "AA  ";
    gDestCodesOn = kTrue;
    gTxlVersion = 6;
    gDocumentModified = kTrue;
    EXPECT_EQ(TransferToLoader(), TransferResult::Failed);
    EXPECT_EQ(TransferFileToLoader(Chooser()), TransferResult::Failed);
    ASSERT_EQ(ui.messages.size(), 2u);
    for (const RecordedMessage& m : ui.messages) {
        EXPECT_NE(m.text.find("kivart16 is not in the program folder"), std::string::npos) << m.text;
        EXPECT_EQ(m.style, vbCritical);
        EXPECT_EQ(m.title, kMsgTitle);
    }
    EXPECT_TRUE(requests.empty());
    EXPECT_TRUE(starter.starts.empty());
    EXPECT_FALSE(Exists(InDocs("trans.out")));
    EXPECT_EQ(gDestList[1].Code, "ZZ  ");
}

TEST_F(TransferTest, FailuresStopEveryBuildingCommandAndLeaveNothing) {
    InstallProgram();
    struct Failure {
        const char* what;
        std::function<void()> spoil;
        const char* message;  // part of the first message
        bool buildFails;      // false: only writing into the document folder fails
    } failures[] = {
        {"missing command file", [] { gCommandFile = "Gone (Gone.kcm)"; }, "Gone.kcm", true},
        {"missing font", [] { gDestList[1].SignData += "\xD4q"; }, "The font q is missing", true},
        {"unwritable folder",
         [this] {
             SetSafeWriteFault([this](SafeWriteStage s, const std::string& p) {
                 return s == SafeWriteStage::Create && DirName(p) == docs();
             });
         },
         "could not be written", false},
    };
    struct Command {
        const char* name;
        std::function<TransferResult()> run;
    } commands[] = {
        {"to file", [this] { return TransferToFile(Chooser()); }},
        {"Intel HEX", [this] { return TransferIntelHex(Chooser()); }},
        {"transfer program", [] { return TransferToLoader(); }},
    };
    const std::string source = JoinPath(data.path(), "tmp2hex.out");
    for (const Failure& f : failures) {
        for (const Command& c : commands) {
            SCOPED_TRACE(std::string(f.what) + " / " + c.name);
            StartProject([] { outfixtures::MakeProjectA1(); });
            ui.messages.clear();
            requests.clear();
            answers = {InDocs("city.out")};
            testutil::WriteFile(source, "stale");
            f.spoil();
            EXPECT_EQ(c.run(), TransferResult::Failed);
            SetSafeWriteFault(nullptr);
            ASSERT_FALSE(ui.messages.empty());
            EXPECT_NE(ui.messages[0].text.find(f.message), std::string::npos) << ui.messages[0].text;
            if (!f.buildFails) {
                EXPECT_EQ(ui.messages[0].style, vbCritical);
            }
            for (const char* name : {"city.out", "city.hex", "t.ini", "trans.out"})
                EXPECT_FALSE(Exists(InDocs(name))) << name;
            EXPECT_TRUE(starter.starts.empty());
            EXPECT_EQ(std::count_if(ui.messages.begin(), ui.messages.end(),
                                    [](const RecordedMessage& m) { return m.text == "Conversion ready!"; }),
                      0);
            // The HEX command's own out-file goes before a failed build; the
            // dialog is not reached then.
            if (std::string(c.name) == "Intel HEX" && f.buildFails) {
                EXPECT_FALSE(Exists(source));
                EXPECT_TRUE(requests.empty());
            }
        }
    }
}

TEST_F(TransferTest, OldLayoutLeavesNoNinesDestination) {
    StartProject([] { outfixtures::MakeProjectOldNines(); });
    const std::vector<std::string> before = Records();
    const int lines = kv::DestList.ListCount();
    answers = {InDocs("old.out")};
    EXPECT_EQ(TransferToFile(Chooser()), TransferResult::Done);
    EXPECT_TRUE(ui.messages.empty());
    // The build had the all-nines destination: its pointer table reaches 999.
    const std::string image = testutil::ReadFile(InDocs("old.out"));
    ASSERT_GT(image.size(), 17u);
    EXPECT_EQ(static_cast<unsigned char>(image[16]) + 256 * static_cast<unsigned char>(image[17]), 1000);
    EXPECT_EQ(kv::DestList.ListCount(), lines);
    EXPECT_EQ(FindListIndexByNumber(kv::DestList, 999), -1);
    EXPECT_EQ(Records(), before);
}
