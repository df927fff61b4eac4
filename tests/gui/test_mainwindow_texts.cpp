// The main window's captions and tooltips after activation come from the
// language file; the first activation sets the editing controls' start state.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>

#include "gui/head_fixture.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

// The caption a control shows, whatever kind of control it is.
QString CaptionOf(frmHead& h, const QString& name) {
    if (QMenu* m = h.SubMenu(name)) return m->title();
    if (QAction* a = h.MenuItem(name)) return a->text();
    QWidget* w = h.findChild<QWidget*>(name);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    return "<no control " + name + ">";
}

}  // namespace

TEST_F(HeadGui, CaptionsComeFromTheLanguageFile) {
    frmHead& h = LoadAndActivate();
    // Key and control, as the window's text table gives them (the import items
    // read S152 to S154).
    const std::pair<const char*, const char*> table[] = {
        {"S3", "mnuArkiv"}, {"S4", "mnuNytt"}, {"S5", "mnu\xC3\x96ppna"}, {"S7", "mnuSparasom"},
        {"S8", "mnuSkrivut"}, {"S9", "mnuAvsluta"}, {"S10", "mnuRedigera"}, {"S11", "Cut_e"}, {"S12", "Paste_e"},
        {"S14", "mnuAlternativ"}, {"S16", "h_e"}, {"S51", "lblBlackOut"}, {"S52", "Ch_Check"}, {"S53", "Ch_Frame"},
        {"S54", "SizeFrame"}, {"S56", "AutoSign_lbl2"}, {"S58", "Label1"}, {"S61", "Label4"},
        {"S62", "mnuSkrivutTillskrivare"}, {"S63", "mnuSkrivutTillfil"}, {"S65", "cutALL_E"}, {"S66", "Im_e"},
        {"S67", "Export_e"}, {"S68", "Std_grf"}, {"S69", "Import_e"}, {"S71", "Signconfig_e"}, {"S72", "Ln_e"},
        {"S73", "Transferfile_e"}, {"S74", "User_e"}, {"S75", "l_e"}, {"S77", "ExpandMore_e"},
        {"S78", "ExpandLess_e"}, {"S80", "tx_e"}, {"S81", "mnuTextDesttext"}, {"S82", "mnuTextExtratext"},
        {"S84", "Signs_e"}, {"S85", "T_e"}, {"S86", "Font_e"}, {"S87", "Show_e"}, {"S88", "Insert_LineNo_e"},
        {"S91", "About_e"}, {"S111", "SaveAndNew"}, {"S128", "mnuLayoutInvertera"}, {"S132", "mnuArkivImport"},
        {"S152", "mnuArkivImportFil2Dest"}, {"S153", "mnuArkivImportEnBild"}, {"S154", "mnuArkivImportBilder"},
        {"S136", "mnuArkivExport"}, {"S137", "mnuSkrivutTillskrivareBilder"}, {"S138", "mnuSkrivutAktuellSkylt"},
        {"S139", "mnuTools"}, {"S140", "mnuToolsShowtime"}, {"S141", "mnuToolsGenerateLineNo"},
        {"S142", "mnuTransferFileToTDOrLoader"}, {"S148", "mnuTransferIntelHex"}, {"S151", "mnuToolsGenerateMBL"},
        {"S152", "mnuArkivExportDest2Fil"},
        // Shared texts.
        {"S13", "Del_e"}, {"S76", "auto_e"}, {"S83", "ShowLineNo_e"}, {"S89", "\xC3\xB6_e"}, {"S6", "mnuSpara"},
        {"S121", "mnuTransferToFile"}, {"S90", "mnuTransferToTDOrLoader"}, {"S15", "mnuInst\xC3\xA4llningar"},
        {"S109", "lblChTime"}, {"S55", "Label2"}, {"S59", "Label3"}, {"S6", "SaveDestOrExtra"}, {"S13", "Remove"},
    };
    for (const auto& [key, control] : table) {
        const std::string expected = Key(key);
        ASSERT_NE(expected, "0") << key;
        EXPECT_EQ(CaptionOf(h, QString::fromUtf8(control)), Q(expected)) << control << " " << key;
    }
    // The check box is as wide as its caption and two more capitals.
    EXPECT_EQ(h.Ch_Check->width(), h.fontMetrics().horizontalAdvance(Q(Key("S52")) + "WW"));
    EXPECT_EQ(h.KeptTexts.importTitle, Key("S143"));
    EXPECT_EQ(h.KeptTexts.exportTitle, Key("S144"));
    EXPECT_EQ(h.KeptTexts.conversionReady, Key("S149"));
}

TEST_F(HeadGui, ToolbarTooltips) {
    frmHead& h = LoadAndActivate();
    auto plain = [&](const char* key) { return Q(RemoveString(Key(key), "&")); };
    const std::pair<int, QString> tips[] = {
        {1, plain("S4")},          {2, plain("S5")},          {3, plain("S6")},           {5, plain("tbTextMode")},
        {6, plain("tbGraphMode")}, {8, plain("S8")},          {10, plain("tbLeft")},      {11, plain("tbCenter")},
        {12, plain("tbRight")},    {14, plain("S2207")},      {16, plain("S77")},         {17, plain("S78")},
        {18, plain("S128")},       {20, plain("tbPoint")},    {21, plain("tbLine")},      {22, plain("tbRect")},
        {23, plain("tbCapture")},  {24, plain("tbFill")},     {25, plain("tbRefresh")},   {26, plain("tbUndo")},
        {33, plain("tbMirrorHor")}, {34, plain("tbMirrorVer")}, {35, plain("S128")},      {36, plain("tbRotCW")},
        {37, plain("tbRotCCW")},   {38, plain("S64")},
    };
    for (const auto& [button, tip] : tips) {
        EXPECT_FALSE(tip.isEmpty()) << button;
        EXPECT_FALSE(tip.contains('&')) << button;
        EXPECT_EQ(h.tbButtons[button]->toolTip(), tip) << button;
    }
    // Buttons the table does not reach keep their design tooltips.
    EXPECT_EQ(h.tbButtons[28]->toolTip(), "");
}

TEST_F(HeadGui, FirstActivationSetsTheStartState) {
    frmHead& h = Load();
    // Before activation only the design states are pressed, and the left
    // alignment that the load applies.
    EXPECT_TRUE(h.tbButtons[10]->isChecked());
    for (int i = 6; i <= 38; ++i) {
        if (i == 10 || i == 28 || h.tbButtons[i]->isSeparator()) continue;
        EXPECT_FALSE(h.tbButtons[i]->isChecked()) << i;
    }
    h.EnsureActivated();
    EXPECT_EQ(gStartUp, kFalse);
    for (int i : {5, 10, 20, 28}) EXPECT_TRUE(h.tbButtons[i]->isChecked()) << i;
    EXPECT_FALSE(h.tbButtons[14]->isChecked());
    EXPECT_TRUE(h.tbButtons[14]->isEnabled());
    EXPECT_FALSE(h.MenuItem("auto_e")->isChecked());
    EXPECT_TRUE(h.MenuItem("Font_e")->isEnabled());
    EXPECT_EQ(h.ActivePictureIndex, 0);
    EXPECT_EQ(gCurrentPictureIndex, 0);

    // Later activations set the texts again and leave the state alone.
    h.tbButtons[10]->setChecked(false);
    h.SaveAndNew->setText("changed");
    h.Form_Activate();
    EXPECT_EQ(h.SaveAndNew->text(), Q(Key("S111")));
    EXPECT_FALSE(h.tbButtons[10]->isChecked());
}
