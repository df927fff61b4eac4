// The names of a batch import's pictures and the collection of a folder,
// without windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "app/picbatch.h"
#include "app/picconvert.h"
#include "app/picimport.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;

namespace {

TEST(PictureNames, Classification) {
    struct Case {
        const char* name;
        bool valid;
        bool extra;
        const char* norm;
        int number, text;
    };
    const Case cases[] = {
        {"K3.BMP", true, false, "K0003_01", 3, 1},
        {"K12_02.BMP", true, false, "K0012_02", 12, 2},
        {"KX7.BMP", true, true, "KX007_01", 7, 1},
        {"K0000_01.BMP", true, false, "K0000_01", 0, 1},
        {"k12_02.bmp", true, false, "K0012_02", 12, 2},  // lower case
        {"kx7.Gif", true, true, "KX007_01", 7, 1},
        {"K9999_99.JPG", true, false, "K9999_99", 9999, 99},
        {"KX999.BMP", true, true, "KX999_01", 999, 1},
        {"K12_2x.BMP", true, false, "K0012_02", 12, 2},  // numbers from their leading digits
        {"K5_00.BMP", false, false, "", 0, 0},
        {"K5_100.BMP", false, false, "", 0, 0},
        {"K10000.BMP", false, false, "", 0, 0},
        {"KX1000.BMP", false, false, "", 0, 0},
        {"KLOGO.BMP", false, false, "", 0, 0},  // no number: not the reference picture
        {"K.BMP", false, false, "", 0, 0},
        {"K_01.BMP", false, false, "", 0, 0},
        {"K-5.BMP", false, false, "", 0, 0},
        {"K5.5.BMP", false, false, "", 0, 0},   // a fraction
        {"K5_.BMP", false, false, "", 0, 0},
        {"P12.BMP", false, false, "", 0, 0},
        {"XK12.BMP", false, false, "", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PictureFileRec rec;
        bool extra = !c.extra;
        ASSERT_EQ(ParsePictureName(c.name, rec, extra), c.valid);
        if (!c.valid) continue;
        EXPECT_EQ(extra, c.extra);
        EXPECT_EQ(rec.NormName, c.norm);
        EXPECT_EQ(rec.Number, c.number);
        EXPECT_EQ(rec.TextNo, c.text);
    }
}

// Pictures by file name: a 2 x 2 picture whose top-left pixel has the
// colour given; a name not listed does not load.
class FolderView : public PictureImportView {
public:
    PixelPicture LoadPicture(const std::string& path) override {
        ++loads;
        const auto it = topLeft.find(BaseName(path));
        if (it == topLeft.end()) throw PictureLoadError(path + " is not a picture");
        PixelPicture p(2, 2, 0xFFFFFF);
        p.PSet(0, 0, it->second);
        return p;
    }
    std::map<std::string, int32_t> topLeft;
    int loads = 0;
};

class PictureFolder : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    void TearDown() override { ResetAllState(); }
    std::string Put(const std::string& name) {
        testutil::WriteFile(dir.file(name), "x");
        return dir.file(name);
    }
    std::vector<std::string> Norms(const std::vector<PictureFileRec>& list) {
        std::vector<std::string> out;
        for (const PictureFileRec& r : list) out.push_back(r.NormName);
        return out;
    }
    testutil::TempDir dir;
    FakeUi ui;
    FolderView view;
};

TEST_F(PictureFolder, CollectsSortsAndTakesTheReferencesBackground) {
    for (const char* n : {"K12_02.BMP", "k3.bmp", "KX7.BMP", "K0000_01.bmp", "K5_00.BMP", "K10000.BMP", "K4.gif",
                          "README.BMP", "KX2_03.bmp"})
        Put(n);
    view.topLeft = {{"K0000_01.bmp", 0x123456}};
    EXPECT_EQ(lPic2Graph_GetFiles(view, dir.file("k3.bmp")), 5);
    EXPECT_EQ(Norms(m_aDestPictures), (std::vector<std::string>{"K0000_01", "K0003_01", "K0012_02"}));
    EXPECT_EQ(Norms(m_aExtraPictures), (std::vector<std::string>{"KX002_03", "KX007_01"}));
    // Files keep their own names.
    EXPECT_EQ(BaseName(m_aDestPictures[1].FileName), "k3.bmp");
    EXPECT_EQ(m_lBackColor, 0x123456);
    EXPECT_TRUE(ui.messages.empty());

    // A .gif chosen among .bmp files collects the .gif pictures alone: K4
    // without its reference.
    EXPECT_EQ(lPic2Graph_GetFiles(view, dir.file("K4.gif")), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("K0000_01.gif"), std::string::npos) << ui.messages[0].text;
}

TEST_F(PictureFolder, TheReferenceIsNeededWheneverAPictureIsFound) {
    Put("KX7.BMP");
    const std::string chosen = Put("kx7.bmp");
    EXPECT_EQ(lPic2Graph_GetFiles(view, chosen), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& text = ui.messages[0].text;
    // The missing name takes the extension as the chosen name spells it.
    EXPECT_EQ(text, "lPic2Graph_GetFiles, error: 53, File not found\r\nK0000_01.bmp\r\n"
                    "m_lMaxIndexDest = 0, m_lMaxIndexExtra = 2\r\nlCntr = 2");
    EXPECT_TRUE(m_aExtraPictures.empty());
    EXPECT_EQ(view.loads, 0);
}

TEST_F(PictureFolder, MissingChosenFileOrUnreadableReference) {
    EXPECT_EQ(lPic2Graph_GetFiles(view, dir.file("K3.BMP")), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("lPic2Graph_GetFiles, error: 53", 0), 0u);

    Put("K0000_01.BMP");
    const std::string chosen = Put("K3.BMP");
    EXPECT_EQ(lPic2Graph_GetFiles(view, chosen), 0);  // the reference does not load
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].text.find("K0000_01.BMP is not a picture"), std::string::npos);
    EXPECT_TRUE(m_aDestPictures.empty());

    // The reference alone is one picture.
    view.topLeft = {{"K0000_01.BMP", 0}};
    EXPECT_EQ(lPic2Graph_GetFiles(view, dir.file("K0000_01.BMP")), 2);
    std::filesystem::remove(dir.file("K3.BMP"));
    EXPECT_EQ(lPic2Graph_GetFiles(view, dir.file("K0000_01.BMP")), 1);
}

}  // namespace
