// The bitmap import's commits without windows: the batch run over prepared
// lists and the single commit, through the main window's commit.
#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "app/commit.h"
#include "app/picbatch.h"
#include "app/picimport.h"
#include "app/replace.h"
#include "data/destlist.h"
#include "support/entry_state.h"

using namespace kv;
using testentry::DataOf;
using testentry::TextOf;
using testentry::TypeOn;

namespace {

// Pictures by file name; a name not listed does not load. The display text
// of a batch picture is answered from a queue ("" skips).
class View : public PictureImportView {
public:
    PixelPicture LoadPicture(const std::string& path) override {
        const auto it = pictures.find(path);
        if (it == pictures.end()) throw PictureLoadError("The picture " + path + " cannot be read.");
        return it->second;
    }
    bool AsksDisplayText() override { return !names.empty(); }
    bool AskDisplayText(const std::string& proposed, int start, int length, std::string& text) override {
        offered.push_back(proposed.substr(static_cast<size_t>(start), static_cast<size_t>(length)));
        text = names.front();
        names.pop_front();
        return !text.empty();
    }
    void SetStatusText(const std::string& t) override { status = t; }

    std::map<std::string, PixelPicture> pictures;
    std::deque<std::string> names;
    std::vector<std::string> offered;
    std::string status;
};

class Ui : public testmarkup::Ui {
public:
    int32_t ReplaceQuestion(const std::string& q) override {
        questions.push_back(q);
        const int32_t a = answers.front();
        answers.pop_front();
        return a;
    }
    std::vector<std::string> questions;
    std::deque<int32_t> answers;
};

// A 3 x 2 white picture with one black pixel at (x, 0).
PixelPicture Dot(int x) {
    PixelPicture p(3, 2, 0xFFFFFF);
    p.PSet(x, 0, 0);
    return p;
}

class PicImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        testentry::ResetAll();
        testentry::GraphicSign(2, "FRONT", 16, 4, 0);
        gCurrentSign = 2;
        window.ChangeAddress(0, false, true);
        m_lBackColor = 0xFFFFFF;
        gLanguageFile = std::string(KIVAR_DATA_DIR) + "/English.lng";
        gLanguage = "English";
    }
    void TearDown() override { testentry::ResetAll(); }
    // A picture of the batch, found under its name.
    void Add(const std::string& name, const PixelPicture& p, bool load = true) {
        PictureFileRec rec;
        bool extra = false;
        ASSERT_TRUE(ParsePictureName(name, rec, extra));
        rec.FileName = name;
        (extra ? m_aExtraPictures : m_aDestPictures).push_back(rec);
        if (load) view.pictures[name] = p;
    }
    void Stored(DestRecord& r, const std::string& page) {
        r.Text = "\xff" "FRONT# " + page;
        r.SignData = "\xff\x02" + page;
    }

    // Every field of a record as it was.
    static void ExpectSame(const DestRecord& now, const DestRecord& was) {
        EXPECT_EQ(now.Text, was.Text);
        EXPECT_EQ(now.SignData, was.SignData);
        EXPECT_EQ(now.ChangeTime, was.ChangeTime);
        EXPECT_EQ(now.Flag, was.Flag);
        EXPECT_EQ(now.AltText, was.AltText);
        EXPECT_EQ(now.Code, was.Code);
        EXPECT_EQ(now.Srad, was.Srad);
    }

    testentry::Window window;
    Ui ui;
    View view;
};

TEST_F(PicImportTest, NoToAllProtectsDestinationsAndExtraTexts) {
    Stored(gDestList[3], "D3");
    Stored(gDestList[4], "D4");
    Stored(gExtraList[7], "X7");
    const DestRecord d3 = gDestList[3], d4 = gDestList[4], x7 = gExtraList[7];
    for (const char* n : {"K0000_01", "K3", "K4", "K5", "KX7", "KX8"}) Add(n, Dot(1));
    ui.answers = {kReplaceNoToAll};
    ConvertAllPictures(view);

    EXPECT_EQ(ui.questions, (std::vector<std::string>{"Destination 3, text 1 already exists, replace ?"}));
    for (const auto& [now, was] : {std::pair{&gDestList[3], &d3}, {&gDestList[4], &d4}, {&gExtraList[7], &x7}}) {
        EXPECT_EQ(now->Text, was->Text);
        EXPECT_EQ(now->SignData, was->SignData);
    }
    EXPECT_EQ(TextOf(gDestList[5], 2), "\xff" "FRONT# <5_01>");
    EXPECT_FALSE(DataOf(gDestList[5], 2).empty());
    EXPECT_EQ(TextOf(gExtraList[8], 2), "\xff" "FRONT# <8_01>");
    EXPECT_TRUE(gDestList[0].Text.empty());  // the reference picture is not imported
    EXPECT_TRUE(gDestListActive);
    EXPECT_EQ(view.status, "Done");
    EXPECT_EQ(gPictureImportActive, kFalse);
}

TEST_F(PicImportTest, AnExtraTextAloneIsAskedBeforeItIsReplaced) {
    // The batch holds the reference and one picture for extra text 7, which
    // already holds text: no destination asked first.
    Stored(gExtraList[7], "X7");
    gExtraList[7].ChangeTime = 5;
    const DestRecord x7 = gExtraList[7];
    Add("K0000_01", Dot(0));
    Add("KX7", Dot(1));
    const std::vector<std::string> asked{"Destination 7, text 1 already exists, replace ?"};

    ui.answers = {kReplaceNo};
    ConvertAllPictures(view);
    EXPECT_EQ(ui.questions, asked);
    ExpectSame(gExtraList[7], x7);
    EXPECT_EQ(view.status, "Done");

    ui.questions.clear();
    ui.answers = {kReplaceYes};
    ConvertAllPictures(view);
    EXPECT_EQ(ui.questions, asked);
    EXPECT_EQ(TextOf(gExtraList[7], 2), "\xff" "FRONT# <7_01>");
    EXPECT_NE(DataOf(gExtraList[7], 2), DataOf(x7, 2));
    EXPECT_TRUE(ui.answers.empty());
}

TEST_F(PicImportTest, SkippedAndUnreadablePicturesLeaveTheirEntries) {
    Stored(gDestList[3], "D3");
    const DestRecord d3 = gDestList[3];
    Add("K0000_01", Dot(0));
    Add("K3", Dot(1));
    Add("K4", Dot(2), false);  // does not load
    Add("K5", Dot(2));
    Add("KX9", Dot(0));
    ui.answers = {kReplaceYes};
    view.names = {"", "<Harbour>", ""};  // K3 skipped, K5 named, KX9 skipped
    ConvertAllPictures(view);

    EXPECT_EQ(view.offered, (std::vector<std::string>{"3_01", "5_01", "9_01"}));
    EXPECT_EQ(gDestList[3].Text, d3.Text);
    EXPECT_EQ(gDestList[3].SignData, d3.SignData);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "The picture K4 cannot be read.");
    EXPECT_TRUE(gDestList[4].Text.empty());
    EXPECT_EQ(TextOf(gDestList[5], 2), "\xff" "FRONT# <Harbour>");
    EXPECT_TRUE(gExtraList[9].Text.empty());
}

TEST_F(PicImportTest, SingleCommitAsksBeforeReplacingAPage) {
    Stored(gDestList[6], "D6");
    gCurrentDest = 6;
    gCurrentPage = 1;
    view.pictures["pic.bmp"] = Dot(1);
    EXPECT_FALSE(CommitSinglePicture(view, "pic.bmp", ""));  // no display text: nothing
    EXPECT_TRUE(ui.questions.empty());

    ui.answers = {kReplaceNo};
    EXPECT_FALSE(CommitSinglePicture(view, "pic.bmp", "Quay"));
    EXPECT_EQ(TextOf(gDestList[6], 2), "\xff" "FRONT# D6");
    EXPECT_NE(GetGraphicPixel(0, 1, 0), 0);  // the converted picture stays in the layer

    ui.answers = {kReplaceYes};
    m_lBackColor = 0xFFFFFF;
    EXPECT_TRUE(CommitSinglePicture(view, "pic.bmp", "Quay"));
    EXPECT_EQ(TextOf(gDestList[6], 2), "\xff" "FRONT# <Quay>");
    EXPECT_EQ(m_lBackColor, -1);
    EXPECT_EQ(ui.questions.size(), 2u);

    // A text sign as the current sign takes no picture: a message, nothing else.
    testentry::TextSign(3, "SIDE", 12);
    gCurrentSign = 3;
    gCurrentDest = 7;
    EXPECT_FALSE(CommitSinglePicture(view, "pic.bmp", "Quay"));
    Add("K0000_01", Dot(0));
    Add("K7", Dot(1));
    ConvertAllPictures(view);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, ui.messages[0].text);
    EXPECT_NE(ui.messages[0].text.find("graphic sign"), std::string::npos);
    EXPECT_TRUE(gDestList[7].Text.empty());
}

// Page n of the sign's section, without its page mark.
std::string PageOf(const DestRecord& r, int16_t address, int16_t n) {
    const std::string section = DataOf(r, address);
    return section.size() < 2 ? std::string() : GetRow(n, section.substr(2));
}

TEST_F(PicImportTest, APictureIsThePageItNamesAlone) {
    // Destinations 3 and 4 hold a page of text each; the window shows
    // destination 3.
    for (int16_t n : {int16_t{4}, int16_t{3}}) {
        gCurrentDest = n;
        gCurrentPage = 1;
        RefreshEditor(0, 0);
        TypeOn(window, 2, "1", n == 3 ? "AB" : "CD");
        Save(kCommitOnly);
    }
    const std::string page3 = PageOf(gDestList[3], 2, 1);
    ASSERT_FALSE(page3.empty());
    // K3_02 is a new page after destination 3's only page, K4 replaces
    // destination 4's page, K5 goes into an empty destination.
    for (const char* n : {"K0000_01", "K3_02", "K4", "K5"}) Add(n, Dot(1));
    ui.answers = {kReplaceYes};
    ConvertAllPictures(view);

    const std::string alone = PageOf(gDestList[5], 2, 1);
    ASSERT_FALSE(alone.empty());
    EXPECT_EQ(PageOf(gDestList[3], 2, 1), page3);
    EXPECT_EQ(PageOf(gDestList[3], 2, 2), alone);  // nothing of page 1 along
    EXPECT_EQ(TextOf(gDestList[3], 2), "\xff" "FRONT# AB# <3_02>");
    EXPECT_EQ(PageOf(gDestList[4], 2, 1), alone);  // replaced whole
    EXPECT_EQ(TextOf(gDestList[4], 2), "\xff" "FRONT# <4_01>");
}

TEST_F(PicImportTest, APictureOfBackgroundAloneIsStoredToo) {
    // Every pixel is the background: no dot lights, and the page is still
    // the picture's, named by its display text.
    gCurrentDest = 8;
    gCurrentPage = 1;
    view.pictures["blank.bmp"] = PixelPicture(3, 2, 0xFFFFFF);
    ASSERT_TRUE(CommitSinglePicture(view, "blank.bmp", "Blank"));
    EXPECT_EQ(TextOf(gDestList[8], 2), "\xff" "FRONT# <Blank>");
    Add("K0000_01", Dot(0));
    Add("K9", PixelPicture(3, 2, 0xFFFFFF));
    ConvertAllPictures(view);
    EXPECT_EQ(TextOf(gDestList[9], 2), "\xff" "FRONT# <9_01>");
}

TEST_F(PicImportTest, EachDestinationKeepsItsOwnCode) {
    // The window shows destination 1 (code 12A); destination 4 has the
    // code 4B, destination 3 none yet.
    gDestList[1].Code = "12A ";
    gDestList[4].Code = "4B  ";
    gCurrentDest = 1;
    window.SetCurrentNumberText("12A");
    for (const char* n : {"K0000_01", "K3", "K4"}) Add(n, Dot(1));
    ConvertAllPictures(view);
    EXPECT_EQ(gDestList[3].Code, "3   ");
    EXPECT_EQ(gDestList[4].Code, "4B  ");
    EXPECT_EQ(gDestList[1].Code, "12A ");
}

TEST_F(PicImportTest, SingleCommitMovesOnToTheFirstPageOfTheNextFreeNumber) {
    // The changing texts are shown, on page 2 of extra text 6; the next
    // number free for FRONT holds two pages of REAR, which is shown too.
    testentry::GraphicSign(5, "REAR", 16, 4, 1);
    gCurrentSign = 2;
    window.ChangeAddress(0, false, true);
    gDestListActive = kFalse;
    Stored(gExtraList[6], "X6");
    gExtraList[7].Text = "\xff" "REAR# R7# S7";
    gExtraList[7].SignData = "\xff\x05" "R7" "\xb0\x03" "S7";
    for (int16_t n : {int16_t{6}, int16_t{7}}) AddListLine(n, false);
    window.SetChangingTextsChecked(true);
    gCurrentExtra = 6;
    gCurrentPage = 2;
    view.pictures["pic.bmp"] = Dot(1);
    ASSERT_TRUE(CommitSinglePicture(view, "pic.bmp", "Quay"));
    EXPECT_EQ(TextOf(gExtraList[6], 2), "\xff" "FRONT# X6# <Quay>");
    EXPECT_EQ(gCurrentExtra, 7);
    // FRONT has no page there: a Save would store its first.
    EXPECT_EQ(gCurrentPage, 1);
}

}  // namespace
