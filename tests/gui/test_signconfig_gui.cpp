// The sign configuration through its windows on a project of three signs:
// adding, changing and removing signs, the signs with texts, the questions
// of OK, Cancel, the new and deleted dimensions, and the out-file of a
// project whose sign was readdressed.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <set>

#include "app/signconfig.h"
#include "data/signdims.h"
#include "files/outbuild.h"
#include "files/txlread.h"
#include "gui/gui_helpers.h"
#include "gui/head_fixture.h"
#include "support/outcheck.h"
#include "ui/frmSignConfig.h"
#include "ui/frmSignDelete.h"
#include "ui/frmSignNew.h"
#include "ui/frmSignSel.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

void ClickText(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << text.toStdString();
    ClickRow(list, list->row(found.front()));
}

QStringList Items(const QListWidget* list) {
    QStringList l;
    for (int i = 0; i < list->count(); ++i) l << list->item(i)->text();
    return l;
}

class SignConfigGui : public HeadGui {
protected:
    // The project of the shown-signs tests: SIDE (one-row text sign, 20
    // places, address 2), FRONT (96x16, 3) and REAR (84x16, 4), each with
    // texts in destinations 1 and 2.
    frmHead& StartWithProject() {
        project = dir.file("threesigns.txl");
        testutil::WriteFile(project, testutil::ReadFile(std::string(KIVAR_FIXTURE_DIR) + "/projects/threesigns.txl"));
        commandLine = {project};
        return ShowActivated();
    }
    // The configuration command, `act` working its dialog.
    void RunSignConfig(const std::function<void(frmSignConfig&)>& act) {
        WhenShown<frmSignConfig> config(act);
        head->MenuItem("Signconfig_e")->trigger();
        EXPECT_TRUE(config.seen);
    }
    std::string project;
    std::string outBefore;
};

}  // namespace

TEST_F(SignConfigGui, AddChangeAndRemoveASignThenCancel) {
    frmHead& h = StartWithProject();
    gDocumentModified = kFalse;
    std::string settings;
    ASSERT_TRUE(ReadWholeFile(gSettingsFile, settings));
    const DestRecord before = gDestList[1];
    bool shownSigns = false;
    WhenShown<frmSignSel> sel([&](frmSignSel&) { shownSigns = true; });
    RunSignConfig([&](frmSignConfig& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), Key("S1600"));
        EXPECT_EQ(d.AddSign->text().toStdString(), Key("S1603"));
        EXPECT_EQ(d.RemoveSign->text().toStdString(), gTextS13);
        EXPECT_EQ(d.cmdDeleteSigns->text().toStdString(), Key("S1689"));
        EXPECT_EQ(Items(d.Sign_lst), QStringList({"SIDE        K2000_1R 20        2 ", "FRONT       K4000    96x16     3 ",
                                                  "REAR        K4000    84x16     4 "}));
        EXPECT_EQ(Items(d.SignType_clst), QStringList({"K4000", "K1000", "K2000_1R", "K2000_2R"}));
        EXPECT_EQ(d.k1000Size_clst->count(), 1);
        EXPECT_TRUE(d.Sign_lst->selectedItems().isEmpty());
        EXPECT_FALSE(d.ChangeSign->isEnabled());
        EXPECT_FALSE(d.RemoveSign->isEnabled());
        EXPECT_TRUE(d.k4000Size_clst->isVisible());
        EXPECT_FALSE(d.k1000Size_clst->isVisible());
        EXPECT_FALSE(d.cboDefaultRouteNoFont->isVisible());

        // A graphic dimension brings its address.
        TypeInto(d.SignName_tbx, "new");
        ClickText(d.k4000Size_clst, "128x16");
        EXPECT_EQ(d.SignAddress_clst->currentItem()->text(), " 3");
        // The address is in the list: refused, FRONT is shown.
        ui.messages.clear();
        QTest::mouseClick(d.AddSign, Qt::LeftButton);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, gTextS27);
        EXPECT_EQ(d.Sign_lst->currentRow(), 1);
        EXPECT_EQ(d.SignName_tbx->text(), "FRONT");

        // A route-number sign goes to address 16 with 3 places; back to the
        // graphic model, the address comes back.
        EXPECT_FALSE(d.SignType_clst->isEnabled());
        // A click below the lines leaves them.
        QTest::mouseClick(d.Sign_lst->viewport(), Qt::LeftButton, {}, QPoint(20, d.Sign_lst->viewport()->height() - 5));
        EXPECT_TRUE(d.Sign_lst->selectedItems().isEmpty());
        EXPECT_FALSE(d.ChangeSign->isEnabled());
        EXPECT_TRUE(d.SignType_clst->isEnabled());
        TypeInto(d.SignName_tbx, "line");
        ClickText(d.k4000Size_clst, "128x16");
        EXPECT_EQ(d.SignAddress_clst->currentItem()->text(), " 3");
        ClickText(d.SignType_clst, "K1000");
        EXPECT_EQ(d.SignAddress_clst->currentItem()->text(), " 16");
        EXPECT_EQ(d.k1000Size_clst->currentItem()->text(), "3");
        EXPECT_TRUE(d.k1000Size_clst->isVisible());
        EXPECT_FALSE(d.k4000Size_clst->isVisible());
        EXPECT_FALSE(d.cmdNewSignDimension->isVisible());
        ClickText(d.SignType_clst, "K4000");
        EXPECT_EQ(d.SignAddress_clst->currentItem()->text(), " 3");
        ClickText(d.SignType_clst, "K1000");
        ClickText(d.SignAddress_clst, " 7");
        QTest::mouseClick(d.AddSign, Qt::LeftButton);
        ASSERT_EQ(d.Sign_lst->count(), 4);
        EXPECT_EQ(d.Sign_lst->item(3)->text(), "LINE        K1000    3         7 ");
        EXPECT_EQ(d.Sign_lst->currentRow(), 3);
        EXPECT_TRUE(d.RemoveSign->isEnabled());
        EXPECT_EQ(gDocumentModified, kTrue);

        // Its name changed; the ninth character is not taken.
        ClickRow(d.Sign_lst, 3);
        TypeInto(d.SignName_tbx, "routenumb");
        EXPECT_EQ(d.SignName_tbx->text(), "routenum");
        EXPECT_GE(ui.beeps, 1);
        QTest::mouseClick(d.ChangeSign, Qt::LeftButton);
        EXPECT_EQ(d.Sign_lst->item(3)->text(), "ROUTENUM    K1000    3         7 ");
        EXPECT_TRUE(d.Sign_lst->selectedItems().isEmpty());
        EXPECT_FALSE(d.ChangeSign->isEnabled());

        // A sign with texts keeps its model and cannot be removed.
        ClickRow(d.Sign_lst, 2);
        EXPECT_EQ(d.SignName_tbx->text(), "REAR");
        EXPECT_EQ(d.k4000Size_clst->currentItem()->text(), "84x16");
        EXPECT_EQ(d.SignAddress_clst->currentItem()->text(), " 4");
        EXPECT_TRUE(d.ChangeSign->isEnabled());
        EXPECT_FALSE(d.RemoveSign->isEnabled());
        EXPECT_FALSE(d.SignType_clst->isEnabled());

        // The new sign goes.
        ClickRow(d.Sign_lst, 3);
        EXPECT_TRUE(d.SignType_clst->isEnabled());
        // The route-number sign shows its own address.
        EXPECT_EQ(d.SignAddress_clst->currentItem()->text(), " 7");
        QTest::mouseClick(d.RemoveSign, Qt::LeftButton);
        EXPECT_EQ(d.Sign_lst->count(), 3);

        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    QApplication::processEvents();
    EXPECT_FALSE(shownSigns);
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_EQ(gSignConfigCancelled, kFalse);
    EXPECT_EQ(SignInfoOf(7).Model, "");
    EXPECT_EQ(gDestList[1].Text, before.Text);
    EXPECT_EQ(gDimCount, 0);
    // Only the dialog's placement was stored.
    std::string after;
    ASSERT_TRUE(ReadWholeFile(gSettingsFile, after));
    EXPECT_EQ(after, ReplaceString(settings, "[Windows]\r\n", "[Windows]\r\nfrmSignConfig=\"" +
                                                                 IniGetValue(gSettingsFile, "Windows", "frmSignConfig", kIniOpenClose) + "\"\r\n"));
    EXPECT_EQ(h.DestList->count(), 2);
}

TEST_F(SignConfigGui, OkAsksBeforeRenamingThenTheShownSignsFollow) {
    frmHead& h = StartWithProject();
    gDocumentModified = kFalse;
    bool shownSigns = false;
    WhenShown<frmSignSel> sel([&](frmSignSel& s) {
        shownSigns = true;
        EXPECT_EQ(s.Sign_cbx.at(1)->text(), "&1 -- FACE");
        for (int i = 1; i <= s.Total(); ++i) s.Sign_cbx.at(i)->setChecked(true);
        QTest::mouseClick(s.Ok_cmd, Qt::LeftButton);
    });
    RunSignConfig([&](frmSignConfig& d) {
        ClickRow(d.Sign_lst, 1);
        TypeInto(d.SignName_tbx, "face");
        QTest::mouseClick(d.ChangeSign, Qt::LeftButton);
        EXPECT_EQ(d.Sign_lst->item(1)->text(), "FACE        K4000    96x16     3 ");
        // No: the dialog stays, nothing is renamed.
        ui.messages.clear();
        ui.answers = {vbNo};
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, Key("S1687") + "\r" + Key("S1688"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(SignInfoOf(3).Name, "FRONT");
        // Yes: renamed, then the shown signs are chosen.
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
        // The shown-signs dialog comes after this one has closed.
        EXPECT_FALSE(shownSigns);
    });
    EXPECT_TRUE(shownSigns);
    // Only the active sign's frame shows the active mark.
    EXPECT_TRUE(OnlyTheActiveSignIsMarked());
    EXPECT_EQ(SignInfoOf(3).Name, "FACE");
    EXPECT_EQ(gSignEntry[1].Name, "FACE    ");
    EXPECT_NE(gDestList[1].Text.find("\xff" "FACE#"), std::string::npos);
    EXPECT_EQ(gDestList[1].Text.find("\xff" "FRONT#"), std::string::npos);
    ASSERT_EQ(h.DestList->count(), 2);
    EXPECT_TRUE(h.DestList->item(0)->text().contains("FACE#"));
    EXPECT_EQ(gDocumentModified, kTrue);
    EXPECT_EQ(h.SignCaption_lbl->text(), " SIDE, FACE, REAR");

}

// The template's one sign renamed: no question (it has no texts), and its
// frame, the same size as before, shows the new name.
TEST_F(SignConfigGui, ARenamedSignsFrameShowsItsNewName) {
    frmHead& h = ShowActivated();
    ASSERT_EQ(h.SignSB[0]->PanelText(1), "FRONT");
    WhenShown<frmSignSel> sel([](frmSignSel& s) { QTest::mouseClick(s.Ok_cmd, Qt::LeftButton); });
    RunSignConfig([&](frmSignConfig& d) {
        ClickRow(d.Sign_lst, 0);
        TypeInto(d.SignName_tbx, "face");
        QTest::mouseClick(d.ChangeSign, Qt::LeftButton);
        ui.messages.clear();
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        EXPECT_TRUE(ui.messages.empty());
    });
    EXPECT_TRUE(sel.seen);
    EXPECT_EQ(h.SignSB[0]->PanelText(1), "FACE");
    EXPECT_EQ(h.SignCaption_lbl->text(), " FACE");
}

// REAR moves from address 4 to 9; the saved project's out-file holds its
// sub-records under 9.
TEST_F(SignConfigGui, AReaddressedSignReachesTheOutFileUnderItsNewAddress) {
    frmHead& h = StartWithProject();
    ASSERT_TRUE(BuildOutImage(outBefore));
    WhenShown<frmSignSel> sel([](frmSignSel& s) { QTest::mouseClick(s.Ok_cmd, Qt::LeftButton); });
    RunSignConfig([&](frmSignConfig& d) {
        ClickRow(d.Sign_lst, 2);
        ClickText(d.SignAddress_clst, " 9");
        QTest::mouseClick(d.ChangeSign, Qt::LeftButton);
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
    });
    EXPECT_TRUE(sel.seen);
    EXPECT_EQ(SignInfoOf(9).Name, "REAR");
    EXPECT_EQ(SignInfoOf(4).Model, "");
    h.MenuItem("mnuSpara")->trigger();
    EXPECT_EQ(gDocumentModified, kFalse);

    ClearRecordsAndLines();
    ClearSignConfigFlags();
    ClearSignTable();
    ASSERT_EQ(OpenTxlFile(project), TxlReadResult::Read);
    EXPECT_EQ(SignInfoOf(9).Name, "REAR");
    std::string after;
    ASSERT_TRUE(BuildOutImage(after));
    const outcheck::Result a = outcheck::Check(after, "");
    const outcheck::Result b = outcheck::Check(outBefore, "");
    ASSERT_TRUE(a.ok()) << a.errors.front();
    for (int n : {1, 2}) {
        // Sub-records: the sign's address in their third byte.
        std::map<int, std::string> byAddress, was;
        for (const std::string& s : a.destSubrecords.at(n)) byAddress[outcheck::At(s, 2)] = s;
        for (const std::string& s : b.destSubrecords.at(n)) was[outcheck::At(s, 2)] = s;
        EXPECT_EQ(byAddress.count(4), 0u) << n;
        ASSERT_EQ(byAddress.count(9), 1u) << n;
        std::string moved = was.at(4);
        moved[2] = 9;
        EXPECT_EQ(byAddress.at(9), moved) << n;
        EXPECT_EQ(byAddress.at(3), was.at(3)) << n;
    }
}

TEST_F(SignConfigGui, NewAndDeletedDimensions) {
    StartWithProject();
    RunSignConfig([&](frmSignConfig& d) {
        ClickText(d.k4000Size_clst, "96x16");
        WhenShown<frmSignNew> add([&](frmSignNew& n) {
            EXPECT_EQ(n.windowTitle().toStdString(), Key("S1680"));
            EXPECT_EQ(n.fraDimension->title(), "Dimension");
            EXPECT_EQ(n.txtDimWidth->text(), "96");
            EXPECT_EQ(n.txtDimHeight->text(), "16");
            EXPECT_EQ(n.lblCharacter->text(), "x");
            EXPECT_FALSE(n.lstSignType->isVisible());
            // The height is tested first, then the width; a listed one is refused.
            struct Refused {
                const char *width, *height, *message;
            };
            for (const Refused& r : {Refused{"150", "6", "S1683"}, Refused{"176", "24", "S1684"},
                                     Refused{"96", "16", "S1685"}}) {
                ui.messages.clear();
                TypeInto(n.txtDimWidth, r.width);
                TypeInto(n.txtDimHeight, r.height);
                QTest::mouseClick(n.cmdOK, Qt::LeftButton);
                ASSERT_EQ(ui.messages.size(), 1u);
                EXPECT_EQ(ui.messages[0].text, Key(r.message));
            }
            EXPECT_EQ(Items(d.k4000Size_clst).size(), 16);
            TypeInto(n.txtDimWidth, "150 ");
            TypeInto(n.txtDimHeight, " 24");
            QTest::mouseClick(n.cmdOK, Qt::LeftButton);
            EXPECT_EQ(n.txtDimWidth->text(), "150");
            EXPECT_TRUE(n.isVisible());
            QTest::mouseClick(n.cmdCancel, Qt::LeftButton);
        });
        QTest::mouseClick(d.cmdNewSignDimension, Qt::LeftButton);
        EXPECT_TRUE(add.seen);
        const QStringList sizes = Items(d.k4000Size_clst);
        ASSERT_EQ(sizes.size(), 17);
        EXPECT_EQ(sizes[5], "150x24");
        EXPECT_EQ(IniGetValue(gSettingsFile, "K4000", "K4000.6", kIniOpenClose), "150 24, 7");
        EXPECT_TRUE(FileExists(JoinPath(DirName(gSettingsFile), "kivar.tmp")));

        // The dimensions of the listed signs are not offered.
        WhenShown<frmSignDelete> del([&](frmSignDelete& x) {
            EXPECT_EQ(x.windowTitle().toStdString(), Key("S1690"));
            const QStringList offered = Items(x.lstSigns);
            EXPECT_EQ(offered.size(), 15);
            EXPECT_FALSE(offered.contains("96x16"));
            EXPECT_FALSE(offered.contains("84x16"));
            ClickText(x.lstSigns, "150x24");
            ClickText(x.lstSigns, "84x7");
            QTest::mouseClick(x.cmdDelete, Qt::LeftButton);
            EXPECT_FALSE(x.isVisible());
        });
        QTest::mouseClick(d.cmdDeleteSigns, Qt::LeftButton);
        EXPECT_TRUE(del.seen);
        const QStringList left = Items(d.k4000Size_clst);
        EXPECT_EQ(left.size(), 15);
        EXPECT_FALSE(left.contains("150x24"));
        EXPECT_FALSE(left.contains("84x7"));
        EXPECT_EQ(IniGetValue(gSettingsFile, "K4000", "NoOfDimensions", kIniOpenClose), "15");
        EXPECT_EQ(IniGetValue(gSettingsFile, "K4000", "K4000.15", kIniOpenClose), "84 8, 5");
        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
    });
}
