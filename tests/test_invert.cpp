// The invert command: text into an inverted graphic and back, the questions
// on the way, and what a commit keeps of it.
#include <gtest/gtest.h>

#include "app/editcommands.h"
#include "app/entryload.h"
#include "app/invert.h"
#include "app/picimport.h"
#include "app/signkeys.h"
#include "engine/alignment.h"
#include "engine/render.h"
#include "engine/shownpages.h"
#include "support/entry_state.h"

using namespace kv;

namespace {

class InvertTest : public ::testing::Test {
protected:
    void SetUp() override {
        testentry::ResetAll();
        gLanguageFile = std::string(KIVAR_DATA_DIR) + "/English.lng";
        gLanguage = "English";
        testentry::GraphicSign(2, "FRONT", 48, 8, 0);
        testentry::TypeOn(window, 2, "1", "AB");
        // The dots the text lights.
        RenderTextLayer(kFalse);
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 48; ++x) textDots.push_back(GetTextPixel(0, x, y) != 0);
    }
    void TearDown() override {
        gLanguageFile.clear();
        gLanguage.clear();
        testentry::ResetAll();
    }
    std::vector<bool> GraphicDots() {
        std::vector<bool> out;
        for (int32_t y = 0; y < 8; ++y)
            for (int32_t x = 0; x < 48; ++x) out.push_back(GetGraphicPixel(0, x, y) != 0);
        return out;
    }
    std::vector<bool> Inverted(const std::vector<bool>& dots) {
        std::vector<bool> out;
        for (bool d : dots) out.push_back(!d);
        return out;
    }

    testentry::Window window;
    testmarkup::Ui ui;
    std::vector<bool> textDots;
};

TEST_F(InvertTest, TextBecomesAnInvertedGraphicAndComesBack) {
    const std::string bytes = BuildSignData(PageFirstCell());
    InvertTextToGraph();
    EXPECT_EQ(GraphicDots(), Inverted(textDots));
    EXPECT_EQ(PageFirstCell(), 0);
    EXPECT_EQ(gHasGraphic, kTrue);
    EXPECT_EQ(gGraphicModified, kTrue);
    EXPECT_EQ(gAltBufferChanged, kTrue);
    EXPECT_EQ(gAltBuffer, bytes);
    EXPECT_EQ(gInvertedText, "AB");
    EXPECT_TRUE(ui.messages.empty());

    InvertTextToGraph();
    EXPECT_EQ(testtext::ChainText(), "AB");
    EXPECT_EQ(BuildSignData(PageFirstCell()), bytes);
    EXPECT_EQ(gHasGraphic, kFalse);
    EXPECT_EQ(gGraphicModified, kFalse);
    EXPECT_TRUE(gAltBuffer.empty());
    EXPECT_EQ(GraphicDots(), std::vector<bool>(textDots.size(), false));
}

TEST_F(InvertTest, ACommitKeepsTheTextInTheInvertedStore) {
    const std::string bytes = BuildSignData(PageFirstCell());
    InvertTextToGraph();
    gCurrentDest = 3;
    Save(kCommitOnly);
    const DestRecord& r = gDestList[3];
    EXPECT_EQ(r.AltText, "\xff\x02" + bytes);
    EXPECT_NE(testentry::DataOf(r, 2), "\xff\x02" + bytes);  // the page itself is the graphic
    ASSERT_EQ(ui.proposals.size(), 1u);
    EXPECT_NE(ui.proposals[0].find("AB"), std::string::npos);  // the caption proposes the text
}

TEST_F(InvertTest, AnEmptyEditorHasNothingToInvert) {
    RefreshEditor(0, 0);
    InvertTextToGraph();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No text to invert!");
    EXPECT_EQ(ui.messages[0].style, vbExclamation);
    EXPECT_EQ(gHasGraphic, kFalse);
    EXPECT_EQ(window.pictureFocus, 1);
}

TEST_F(InvertTest, AHandDrawnGraphicIsDroppedOnlyAfterOK) {
    SetGraphicPixel(0, 47, 7, -1);
    gHasGraphic = kTrue;
    const std::vector<bool> drawn = GraphicDots();
    ui.answers = {vbCancel};
    InvertTextToGraph();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Existing graphics will be lost");
    EXPECT_EQ(ui.messages[0].style, vbOKCancel | vbQuestion);
    EXPECT_EQ(GraphicDots(), drawn);
    EXPECT_EQ(testtext::ChainText(), "AB");

    ui.answers = {vbOK};
    InvertTextToGraph();
    EXPECT_EQ(GraphicDots(), Inverted(textDots));
}

// A page of the front sign committed into destination n, and loaded again.
void CommitAs(int16_t n) {
    gCurrentDest = n;
    Save(kCommitOnly);
}
void Load(int16_t n) {
    gCurrentDest = n;
    gCurrentPage = 1;
    LoadCurrentEntry(true);
}

TEST_F(InvertTest, TheTextComesBackWhereItStood) {
    // Right-aligned and centred, turned back at once and after the inverted
    // page was stored and loaded again.
    for (int16_t alignment : {int16_t{2}, int16_t{3}}) {
        for (bool reloaded : {false, true}) {
            SCOPED_TRACE(alignment * 10 + reloaded);
            RefreshEditor(0, 0);
            testtext::Type("AB");
            SetAlignment(alignment, false, false, true);
            const std::string bytes = BuildSignData(PageFirstCell());
            InvertTextToGraph();
            const int16_t other = alignment == 2 ? 3 : 2;
            if (reloaded) {
                CommitAs(3);
                // Another text, aligned otherwise, stood in the editor before.
                RefreshEditor(0, 0);
                testtext::Type("B");
                SetAlignment(other, false, false, true);
                Load(3);
                ASSERT_EQ(PageFirstCell(), 0);
                ASSERT_EQ(gHasGraphic, kTrue);
            }
            // The toolbar meanwhile shows another alignment (another page's).
            gTextAlignment = other;
            InvertTextToGraph();
            EXPECT_EQ(testtext::ChainText(), "AB");
            EXPECT_EQ(BuildSignData(PageFirstCell()), bytes);
            EXPECT_EQ(Row(gCurrentRow).Alignment, alignment);
            EXPECT_EQ(gTextAlignment, alignment);
            EXPECT_EQ(gHasGraphic, kFalse);
            // The next key at the row's end keeps the row's alignment.
            auto key = [](int16_t k) { K4000_pct_KeyPress(k); };
            K4000_pct_KeyDown(35, 0);
            key('A');
            const std::string typed = BuildSignData(PageFirstCell());
            RefreshEditor(0, 0);
            SetAlignment(alignment, false, false, true);
            for (char c : std::string("ABA")) key(c);
            EXPECT_EQ(typed, BuildSignData(PageFirstCell()));
        }
    }
}

TEST_F(InvertTest, TurningBackIsNoEditOfThePageShown) {
    CommitAs(3);
    Load(3);
    const int16_t editor = CurrentGraphicEditor();
    ASSERT_EQ(ShownPageWrite(editor, 2, GraphicEditorContent()), ShownWrite::Keep);
    InvertTextToGraph();
    EXPECT_EQ(ShownPageWrite(editor, 2, GraphicEditorContent()), ShownWrite::Write);
    InvertTextToGraph();
    EXPECT_EQ(ShownPageWrite(editor, 2, GraphicEditorContent()), ShownWrite::Keep);
    EXPECT_FALSE(ShownPageUnstored(editor, 2, GraphicEditorContent()));

    // An inverted page loaded, turned back and inverted again shows what it
    // came with.
    InvertTextToGraph();
    CommitAs(3);
    Load(3);
    InvertTextToGraph();
    EXPECT_EQ(ShownPageWrite(editor, 2, GraphicEditorContent()), ShownWrite::Write);
    InvertTextToGraph();
    EXPECT_EQ(ShownPageWrite(editor, 2, GraphicEditorContent()), ShownWrite::Keep);
}

TEST_F(InvertTest, AStoredInvertedTextStillComesBack) {
    InvertTextToGraph();
    CommitAs(3);
    InvertTextToGraph();
    EXPECT_EQ(testtext::ChainText(), "AB");
    EXPECT_EQ(gHasGraphic, kFalse);
    EXPECT_EQ(GraphicDots(), std::vector<bool>(textDots.size(), false));
}

TEST_F(InvertTest, AnInvertedPageLoadedAfterAnotherComesBack) {
    InvertTextToGraph();
    CommitAs(3);
    RefreshEditor(0, 0);
    testtext::Type("BA");
    InvertTextToGraph();
    CommitAs(4);
    Load(3);
    Load(4);
    ASSERT_EQ(gHasGraphic, kTrue);
    InvertTextToGraph();
    EXPECT_EQ(testtext::ChainText(), "BA");
}

TEST_F(InvertTest, TheStoreTakesTheTextTheEditorHolds) {
    // An inversion that the picture no longer shows is not stored: after
    // Delete all, and on another entry loaded without storing it.
    testentry::TypeOn(window, 2, "1", "");
    CommitAs(4);
    for (bool load : {false, true}) {
        SCOPED_TRACE(load);
        InvertTextToGraph();
        if (load) Load(4);
        else DeleteAllOnSign();
        testtext::Type(load ? "A" : "BA");
        const std::string bytes = BuildSignData(PageFirstCell());
        CommitAs(load ? 4 : 5);
        EXPECT_EQ(GetSignSection(gDestList[load ? 4 : 5].AltText, 2), "\xff\x02" + bytes);
    }
}

TEST_F(InvertTest, AGraphicNoTextMadeIsItsOwnInvertedVersion) {
    // A page that held a text, and an inverted text, emptied and drawn on.
    for (bool inverted : {false, true}) {
        SCOPED_TRACE(inverted);
        RefreshEditor(0, 0);
        testtext::Type("AB");
        CommitAs(3);
        Load(3);
        if (inverted) InvertTextToGraph();
        DeleteAllOnSign();
        SetGraphicPixel(0, 47, 7, -1);
        gHasGraphic = kTrue;
        CommitAs(3);
        const DestRecord& r = gDestList[3];
        EXPECT_EQ(GetSignSection(r.AltText, 2), GetSignSection(r.SignData, 2));
    }
    // A picture imported over a page that showed an inverted text.
    RefreshEditor(0, 0);
    testtext::Type("AB");
    InvertTextToGraph();
    ASSERT_EQ(gAltBufferChanged, kTrue);
    for (int32_t x = 0; x < 48; ++x) SetGraphicPixel(0, x, 0, 0);
    gCurrentDest = 4;
    StorePicture("<P>");
    const DestRecord& r = gDestList[4];
    EXPECT_EQ(GetSignSection(r.AltText, 2), GetSignSection(r.SignData, 2));
}

}  // namespace
