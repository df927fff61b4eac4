#include "ui/frmPreferences.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <tuple>

#include "data/fontlist.h"
#include "data/language.h"
#include "data/settings.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "ui/formcontrols_qt.h"
#include "ui/frmFontSel.h"
#include "ui/languagereload_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

std::function<void(QWidget*)> frmPreferences::DefaultFontsDialog;

namespace {

constexpr int kWidth = 548, kTabTop = 75 / 15, kTabHeight = 22, kPageTop = 32, kPageHeight = 392;
constexpr int kButtonWidth = 86, kButtonHeight = 24, kBoxHeight = 20;

template <class W>
W* Indexed(W* w, int index) {
    w->setProperty("Index", index);
    return w;
}

QScrollBar* NewBar(QWidget* parent, const char* name, QRect geometry, int minimum, int maximum) {
    auto* bar = NewControl<QScrollBar>(parent, name, geometry);
    bar->setOrientation(Qt::Horizontal);
    bar->setRange(minimum, maximum);
    bar->setPageStep(1);
    return bar;
}

QLabel* NewLabel(QWidget* parent, const char* name, QRect geometry, const QString& text = {}) {
    auto* l = NewControl<QLabel>(parent, name, geometry);
    l->setText(text);
    return l;
}

QCheckBox* NewCheck(QWidget* parent, const char* name, int left, int top, int width = 236) {
    return NewControl<QCheckBox>(parent, name, QRect(left, top, width, kBoxHeight));
}

// The caption, bar, value and limit labels of a print position ("Start" or
// "End"): lblPrint<kind>Pos, hsbPrint<kind>Pos, lblPrint<kind>PosValue, ...Min, ...Max.
std::tuple<QLabel*, QScrollBar*, QLabel*, QLabel*, QLabel*> NewPositionControls(QWidget* parent, const std::string& kind,
                                                                              int top, int minimum) {
    const std::string label = "lblPrint" + kind + "Pos";
    QLabel* maximum = NewLabel(parent, (label + "Max").c_str(), QRect(158, top + 36, 40, 16));
    maximum->setAlignment(Qt::AlignRight);
    return {NewLabel(parent, label.c_str(), QRect(8, top, 236, 16)),
            NewBar(parent, ("hsbPrint" + kind + "Pos").c_str(), QRect(8, top + 18, 190, 17), minimum, 999),
            NewLabel(parent, (label + "Value").c_str(), QRect(206, top + 18, 40, 17)),
            NewLabel(parent, (label + "Min").c_str(), QRect(8, top + 36, 40, 16), QString::number(minimum)), maximum};
}

// A page standing in for a sheet of paper, upright or lying.
QPixmap PagePicture(bool landscape) {
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter painter(&p);
    const QRect sheet = landscape ? QRect(2, 8, 28, 20) : QRect(8, 2, 20, 28);
    painter.fillRect(sheet, Qt::white);
    painter.setPen(Qt::black);
    painter.drawRect(sheet);
    for (int y = sheet.top() + 4; y < sheet.bottom() - 2; y += 4)
        painter.drawLine(sheet.left() + 3, y, sheet.right() - 3, y);
    return p;
}

int32_t RgbOf(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }
QColor ColourOf(int32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

}  // namespace

frmPreferences::frmPreferences(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPreferences");
    setModal(false);
    picTag = NewControl<QFrame>(this, "picTag", QRect(0, kTabTop, kWidth, kTabHeight));
    for (int i = 0; i < 4; ++i) {
        lblTag[static_cast<size_t>(i)] =
            Indexed(NewLabel(picTag, "lblTag", QRect(TabLeft(i), 0, TabLeft(1) - TabLeft(0) - 4, kTabHeight)), i);
        lblTag[static_cast<size_t>(i)]->setAlignment(Qt::AlignCenter);
        lblTag[static_cast<size_t>(i)]->setFrameShape(QFrame::Panel);
        lblTag[static_cast<size_t>(i)]->setFrameShadow(QFrame::Raised);
        lblTag[static_cast<size_t>(i)]->installEventFilter(this);
    }
    picFokus = NewControl<QFrame>(this, "picFokus", QRect(TabLeft(0), kTabTop, TabLeft(1) - TabLeft(0) - 4, kTabHeight + 4));
    picFokus->setFrameShape(QFrame::Panel);
    picFokus->setFrameShadow(QFrame::Raised);
    picFokus->setAutoFillBackground(true);
    lblFokus = NewLabel(picFokus, "lblFokus", QRect(0, 0, picFokus->width(), kTabHeight));
    lblFokus->setAlignment(Qt::AlignCenter);
    QFont bold = lblFokus->font();
    bold.setBold(true);
    lblFokus->setFont(bold);

    BuildPages();
    cmdOK = NewControl<QPushButton>(this, "cmdOK", QRect(kWidth - 2 * (kButtonWidth + 8), kPageTop + kPageHeight + 8,
                                                         kButtonWidth, kButtonHeight));
    cmdOK->setDefault(true);
    cmdCancel = NewControl<QPushButton>(this, "cmdCancel", QRect(kWidth - kButtonWidth - 8, kPageTop + kPageHeight + 8,
                                                                 kButtonWidth, kButtonHeight));
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    setFixedSize(kWidth, kPageTop + kPageHeight + kButtonHeight + 16);
    Form_Load();
}

void frmPreferences::BuildPages() {
    QFrame** pages[] = {&fraSpråk, &fraStandard, &fraDiverse, &fraUtskrift};
    const char* names[] = {"fraSpr\xC3\xA5k", "fraStandard", "fraDiverse", "fraUtskrift"};
    for (int i = 0; i < 4; ++i) {
        *pages[i] = new QFrame(this);
        (*pages[i])->setObjectName(QString::fromUtf8(names[i]));
        (*pages[i])->setGeometry(8, kPageTop, kWidth - 16, kPageHeight);
        (*pages[i])->setFrameShape(QFrame::StyledPanel);
        (*pages[i])->hide();
    }
    BuildLanguagePage();
    BuildStandardPage();
    BuildMiscPage();
    BuildPrintingPage();
}

void frmPreferences::BuildLanguagePage() {
    lblLanguage = NewLabel(fraSpråk, "lblLanguage", QRect(16, 20, 400, 16));
    cboLanguage = NewControl<QComboBox>(fraSpråk, "cboLanguage", QRect(16, 40, 220, 24));
}

void frmPreferences::BuildStandardPage() {
    lblStandard = NewLabel(fraStandard, "lblStandard", QRect(16, 12, 480, 36));
    lblStandard->setWordWrap(true);
    chkAutomatik = NewCheck(fraStandard, "chkAutomatik", 16, 56, 300);
    chkShowLineNo = NewCheck(fraStandard, "chkShowLineNo", 16, 80, 300);
    fraChangingTime = NewControl<QGroupBox>(fraStandard, "fraChangingTime", QRect(16, 110, 300, 72));
    hsbChangeTime = NewBar(fraChangingTime, "hsbChangeTime", QRect(12, 24, 220, 17), 1, 20);
    lblChangeTime = NewLabel(fraChangingTime, "lblChangeTime", QRect(240, 24, 40, 17));
    lblCTMin = NewLabel(fraChangingTime, "lblCTMin", QRect(12, 44, 30, 16), "1");
    lblCTMax = NewLabel(fraChangingTime, "lblCTMax", QRect(212, 44, 20, 16), "20");
    lblCTMax->setAlignment(Qt::AlignRight);
    connect(hsbChangeTime, &QScrollBar::valueChanged, this, [this] { hsbChangeTime_Change(); });
}

void frmPreferences::BuildMiscPage() {
    fraDefaultFont = NewControl<QGroupBox>(fraDiverse, "fraDefaultFont", QRect(8, 8, 256, 116));
    lblDefaultFont = NewLabel(fraDefaultFont, "lblDefaultFont", QRect(8, 20, 240, 52));
    lblDefaultFont->setWordWrap(true);
    cmdDefaultFont = NewControl<QPushButton>(fraDefaultFont, "cmdDefaultFont", QRect(8, 80, 120, kButtonHeight));
    connect(cmdDefaultFont, &QPushButton::clicked, this, [this] { cmdDefaultFont_Click(); });

    fraLibLadder = NewControl<QGroupBox>(fraDiverse, "fraLibLadder", QRect(8, 132, 256, 104));
    lblLibladder = NewLabel(fraLibLadder, "lblLibladder", QRect(8, 20, 240, 40));
    lblLibladder->setWordWrap(true);
    cmdChangeLibLadder = NewControl<QPushButton>(fraLibLadder, "cmdChangeLibLadder", QRect(8, 68, 120, kButtonHeight));
    connect(cmdChangeLibLadder, &QPushButton::clicked, this, [this] { cmdChangeLibLadder_Click(); });

    fraAutoSave = NewControl<QGroupBox>(fraDiverse, "fraAutoSave", QRect(272, 8, 252, 156));
    chkAutoSaveEnabled = NewCheck(fraAutoSave, "chkAutoSaveEnabled", 8, 20);
    lblAutoSaveTime = NewLabel(fraAutoSave, "lblAutoSaveTime", QRect(8, 44, 236, 16));
    hsbAutoSaveTime = NewBar(fraAutoSave, "hsbAutoSaveTime", QRect(8, 62, 190, 17), 1, 60);
    lblAutoSaveTimeValue = NewLabel(fraAutoSave, "lblAutoSaveTimeValue", QRect(206, 62, 40, 17));
    lblAutoSaveTimeMin = NewLabel(fraAutoSave, "lblAutoSaveTimeMin", QRect(8, 80, 30, 16), "1");
    lblAutoSaveTimeMax = NewLabel(fraAutoSave, "lblAutoSaveTimeMax", QRect(168, 80, 30, 16), "60");
    lblAutoSaveTimeMax->setAlignment(Qt::AlignRight);
    lblAutoSaveFileName = NewLabel(fraAutoSave, "lblAutoSaveFileName", QRect(8, 106, 236, 16));
    lblAutoSaveFileNameX = NewLabel(fraAutoSave, "lblAutoSaveFileNameX", QRect(8, 124, 236, 16), "KIVAR.TXL");
    connect(hsbAutoSaveTime, &QScrollBar::valueChanged, this, [this] { hsbAutoSaveTime_Change(); });

    chkInsertEnabled = NewCheck(fraDiverse, "chkInsertEnabled", 280, 176);
    chkBoundLn = NewCheck(fraDiverse, "chkBoundLn", 280, 200);
    chkSaveWinPos = NewCheck(fraDiverse, "chkSaveWinPos", 280, 224);
}

void frmPreferences::BuildPrintingPage() {
    fraPrinter = NewControl<QGroupBox>(fraUtskrift, "fraPrinter", QRect(8, 8, 256, 178));
    chkPrintGraphical = NewCheck(fraPrinter, "chkPrintGraphical", 8, 20);
    for (int i = 0; i < 2; ++i) {
        const int top = 44 + 24 * i;
        const size_t k = static_cast<size_t>(i);
        picPrintColor[k] = Indexed(NewLabel(fraPrinter, "picPrintColor", QRect(8, top, 24, 18)), i);
        picPrintColor[k]->setFrameShape(QFrame::Box);
        picPrintColor[k]->setAutoFillBackground(true);
        cmdPrintColor[k] = Indexed(NewControl<QPushButton>(fraPrinter, "cmdPrintColor", QRect(36, top - 1, 26, 20)), i);
        cmdPrintColor[k]->setText("...");
        lblPrintColor[k] = Indexed(NewLabel(fraPrinter, "lblPrintColor", QRect(68, top, 180, 18)), i);
        connect(cmdPrintColor[k], &QPushButton::clicked, this, [this, i] { cmdPrintColor_Click(i); });
    }
    fraPrinterOrientation = NewControl<QGroupBox>(fraPrinter, "fraPrinterOrientation", QRect(8, 92, 240, 56));
    for (int i = 0; i < 2; ++i) {
        const size_t k = static_cast<size_t>(i);
        optOrientation[k] =
            Indexed(NewControl<QRadioButton>(fraPrinterOrientation, "optOrientation", QRect(12 + 110 * i, 24, 20, 20)), i);
        picOrientation[k] = Indexed(NewLabel(fraPrinterOrientation, "picOrientation", QRect(34 + 110 * i, 18, 32, 32)), i);
        picOrientation[k]->setPixmap(PagePicture(i == 1));
    }
    chkPrintPageNumber = NewCheck(fraPrinter, "chkPrintPageNumber", 8, 154);

    fraPrintTextPosHor = NewControl<QGroupBox>(fraUtskrift, "fraPrintTextPosHor", QRect(8, 192, 256, 192));
    lblPrintPaperWidth = NewLabel(fraPrintTextPosHor, "lblPrintPaperWidth", QRect(8, 22, 120, 18));
    txtPrintPaperWidth = NewControl<QLineEdit>(fraPrintTextPosHor, "txtPrintPaperWidth", QRect(136, 20, 56, 22));
    txtPrintPaperWidth->installEventFilter(this);
    std::tie(lblPrintStartPos, hsbPrintStartPos, lblPrintStartPosValue, lblPrintStartPosMin, lblPrintStartPosMax) =
        NewPositionControls(fraPrintTextPosHor, "Start", 52, 1);
    std::tie(lblPrintEndPos, hsbPrintEndPos, lblPrintEndPosValue, lblPrintEndPosMin, lblPrintEndPosMax) =
        NewPositionControls(fraPrintTextPosHor, "End", 116, 8);
    connect(hsbPrintStartPos, &QScrollBar::valueChanged, this, [this] { hsbPrintStartPos_Change(); });
    connect(hsbPrintEndPos, &QScrollBar::valueChanged, this, [this] { hsbPrintEndPos_Change(); });

    fraPrintResult = NewControl<QGroupBox>(fraUtskrift, "fraPrintResult", QRect(272, 8, 252, 376));
    QCheckBox** flags[] = {&chkPrintEmptyLines,     &chkPrintCompact,         &chkPrintUserInfo,
                           &chkPrintCodeName,       &chkPrintTrimLeftSpaces,  &chkPrintTrimRightSpaces,
                           &chkPrintPromptSignText};
    const char* flagNames[] = {"chkPrintEmptyLines",     "chkPrintCompact",         "chkPrintUserInfo",
                               "chkPrintCodeName",       "chkPrintTrimLeftSpaces",  "chkPrintTrimRightSpaces",
                               "chkPrintPromptSignText"};
    for (int i = 0; i < kPrintFlags; ++i) *flags[i] = NewCheck(fraPrintResult, flagNames[i], 8, 20 + 22 * i);
    fraLineNumber = NewControl<QGroupBox>(fraPrintResult, "fraLineNumber", QRect(8, 180, 236, 86));
    for (int i = 0; i < 3; ++i)
        optLineNo[static_cast<size_t>(i)] =
            Indexed(NewControl<QRadioButton>(fraLineNumber, "optLineNo", QRect(8, 20 + 21 * i, 220, kBoxHeight)), i);
    fraHeader = NewControl<QGroupBox>(fraPrintResult, "fraHeader", QRect(8, 272, 236, 98));
    chkPrintHeader = NewCheck(fraHeader, "chkPrintHeader", 8, 20, 220);
    for (int i = 0; i < 3; ++i)
        chkHeaderInfo[static_cast<size_t>(i)] = Indexed(NewCheck(fraHeader, "chkHeaderInfo", 26, 42 + 18 * i, 200), i);
    connect(chkPrintHeader, &QCheckBox::toggled, this, [this] { chkPrintHeader_Click(); });
}

std::array<QCheckBox*, kPrintFlags> frmPreferences::PrintFlagBoxes() const {
    return {chkPrintEmptyLines,     chkPrintCompact,         chkPrintUserInfo,      chkPrintCodeName,
            chkPrintTrimLeftSpaces, chkPrintTrimRightSpaces, chkPrintPromptSignText};
}

void frmPreferences::SetCaptions() {
    for (const PreferencesCaption& c : PreferencesCaptions(start_.printingOffered)) {
        const QString text = Q(c.text);
        if (c.control == "frmPreferences") {
            setWindowTitle(text);
            continue;
        }
        QWidget* w = FindControl(this, c.control.c_str(), c.index);
        if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(text);
        else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(text);
        else if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(text);
    }
}

void frmPreferences::Form_Load() {
    start_ = ReadPreferences();
    const PreferencesStart& s = start_;
    picTag->raise();
    picFokus->raise();
    SetCaptions();

    chkAutomatik->setChecked(s.automatik == 1);
    chkShowLineNo->setChecked(s.showLineNo == 1);
    hsbChangeTime->setValue(s.changeTime);
    hsbChangeTime_Change();
    chkBoundLn->setVisible(s.boundLnOffered);
    chkBoundLn->setChecked(s.boundLnBox == 1);
    chkSaveWinPos->setChecked(s.saveWinPos == 1);
    chkInsertEnabled->setChecked(s.insertBox == 1);
    chkInsertEnabled->setEnabled(s.insertBoxEnabled);

    for (const std::string& name : s.languages) {
        cboLanguage->addItem(Q(name));
        // The entry that equals the stored language, letter case included.
        if (name == s.language) cboLanguage->setCurrentIndex(cboLanguage->count() - 1);
    }
    if (!s.languages.empty() && cboLanguage->currentText() != Q(s.language)) cboLanguage->setCurrentIndex(-1);
    if (s.languages.size() == 1) {
        cboLanguage->hide();
        lblLanguage->setText(Q(LanguageLabel(B(lblLanguage->text()), 1)));
    }

    const PrintFlags flags = PrintFlagsOf(s.printPreferences);
    const auto flagBoxes = PrintFlagBoxes();
    for (size_t i = 0; i < flagBoxes.size(); ++i) flagBoxes[i]->setChecked(flags[i]);
    chkPrintHeader->setChecked(s.header & 1);
    for (int i = 0; i < 3; ++i) chkHeaderInfo[static_cast<size_t>(i)]->setChecked(s.header & (2 << i));
    chkPrintHeader_Click();
    optLineNo[static_cast<size_t>(s.lineNoOption)]->setChecked(true);
    chkPrintPageNumber->setChecked(s.pageNumber == 1);
    int width = s.paperWidth;
    if (s.paperWidthClamped) Beep();
    txtPrintPaperWidth->setText(QString::number(width));
    CheckPaperWidth(width);
    hsbPrintStartPos->setValue(s.paperStartPos);
    hsbPrintStartPos_Change();
    if (s.paperEndPos > hsbPrintEndPos->maximum()) {
        hsbPrintEndPos->setMaximum(s.paperEndPos);
        lblPrintEndPosMax->setText(QString::number(s.paperEndPos));
    }
    hsbPrintEndPos->setValue(s.paperEndPos);
    hsbPrintEndPos_Change();
    optOrientation[static_cast<size_t>(s.orientation - 1)]->setChecked(true);

    chkPrintGraphical->setChecked(s.printGraphical);
    ShowColour(0, s.foreColour);
    ShowColour(1, s.backColour);

    chkAutoSaveEnabled->setChecked(s.autoSaveOn == 1);
    hsbAutoSaveTime->setValue(s.autoSaveMinutes);
    hsbAutoSaveTime_Change();

    cmdDefaultFont->setEnabled(static_cast<bool>(DefaultFontsDialog));

    RestoreFormPlacement(this);
    lblTag_Click(0);
    lblTag[3]->setVisible(s.printingOffered);
}

void frmPreferences::lblTag_Click(int index) {
    QFrame* pages[] = {fraSpråk, fraStandard, fraDiverse, fraUtskrift};
    for (QFrame* p : pages) p->hide();
    if (index >= 0 && index <= 3) {
        pages[index]->show();
        picFokus->move(TabLeft(index), picFokus->y());
        lblFokus->setText(lblTag[static_cast<size_t>(index)]->text());
    }
}

void frmPreferences::chkPrintHeader_Click() {
    for (QCheckBox* box : chkHeaderInfo) box->setEnabled(chkPrintHeader->isChecked());
}

void frmPreferences::hsbChangeTime_Change() { lblChangeTime->setText(QString::number(hsbChangeTime->value())); }

void frmPreferences::hsbAutoSaveTime_Change() {
    lblAutoSaveTimeValue->setText(QString::number(hsbAutoSaveTime->value()));
}

void frmPreferences::hsbPrintStartPos_Change() {
    const int s = hsbPrintStartPos->value();
    lblPrintStartPosValue->setText(QString::number(s));
    hsbPrintEndPos->setMinimum(s + 1);
    lblPrintEndPosMin->setText(QString::number(s + 1));
}

void frmPreferences::hsbPrintEndPos_Change() {
    const int e = hsbPrintEndPos->value();
    lblPrintEndPosValue->setText(QString::number(e));
    hsbPrintStartPos->setMaximum(e - 1);
    lblPrintStartPosMax->setText(QString::number(e - 1));
}

void frmPreferences::CheckPaperWidth(int& width) {
    if (ClampPaperWidth(width)) {
        Beep();
        txtPrintPaperWidth->setText(QString::number(width));
    }
    hsbPrintEndPos->setMaximum(width);
    lblPrintEndPosMax->setText(QString::number(width));
    hsbPrintStartPos->setMaximum(width - 1);
    lblPrintStartPosMax->setText(QString::number(width - 1));
}

void frmPreferences::txtPrintPaperWidth_LostFocus() {
    // A width with a fraction is taken rounded.
    int width = CIntClamp(Val(B(txtPrintPaperWidth->text())));
    if (QString::number(width) != txtPrintPaperWidth->text() && width >= 10 && width <= 999)
        txtPrintPaperWidth->setText(QString::number(width));
    CheckPaperWidth(width);
}

void frmPreferences::ShowColour(int index, int32_t colour) {
    colours_[static_cast<size_t>(index)] = colour;
    QLabel* box = picPrintColor[static_cast<size_t>(index)];
    QPalette p = box->palette();
    p.setColor(QPalette::Window, ColourOf(colour));
    box->setPalette(p);
}

void frmPreferences::cmdPrintColor_Click(int index) {
    QColorDialog dialog(ColourOf(colours_[static_cast<size_t>(index)]), this);
    dialog.setObjectName("CommonDialog1");
    dialog.setOption(QColorDialog::DontUseNativeDialog, true);
    if (dialog.exec() == QDialog::Accepted) ShowColour(index, RgbOf(dialog.selectedColor()));
}

void frmPreferences::cmdChangeLibLadder_Click() {
    SaveFontList(2);
    {
        frmFontSel dialog(this);
        dialog.exec();
    }
    SaveFontList(1);
}

void frmPreferences::cmdDefaultFont_Click() {
    if (DefaultFontsDialog) DefaultFontsDialog(this);
}

void frmPreferences::cmdOK_Click() {
    // A width still being typed counts as typed, kept within its range.
    int width = CIntClamp(Val(B(txtPrintPaperWidth->text())));
    ClampPaperWidth(width);
    PreferencesChoice c;
    c.language = cboLanguage->currentIndex() >= 0 ? B(cboLanguage->currentText()) : std::string();
    c.automatik = chkAutomatik->isChecked() ? 1 : 0;
    c.showLineNo = chkShowLineNo->isChecked() ? 1 : 0;
    c.changeTime = static_cast<int16_t>(hsbChangeTime->value());
    c.saveWinPos = chkSaveWinPos->isChecked() ? 1 : 0;
    c.insertMode = chkInsertEnabled->isChecked() ? 1 : 0;
    c.boundLn = chkBoundLn->isChecked() ? 1 : 0;
    c.pageNumber = chkPrintPageNumber->isChecked() ? 1 : 0;
    c.header = chkPrintHeader->isChecked();
    c.headerTitle = chkHeaderInfo[0]->isChecked();
    c.headerDate = chkHeaderInfo[1]->isChecked();
    c.headerTime = chkHeaderInfo[2]->isChecked();
    c.lineNoOption = -1;
    for (int i = 0; i < 3; ++i)
        if (optLineNo[static_cast<size_t>(i)]->isChecked()) c.lineNoOption = static_cast<int16_t>(i);
    const auto flagBoxes = PrintFlagBoxes();
    for (size_t i = 0; i < flagBoxes.size(); ++i) c.printFlags[i] = flagBoxes[i]->isChecked();
    c.paperWidth = width;
    c.paperStartPos = static_cast<int16_t>(hsbPrintStartPos->value());
    c.paperEndPos = static_cast<int16_t>(hsbPrintEndPos->value());
    c.orientation = optOrientation[0]->isChecked() ? 1 : optOrientation[1]->isChecked() ? 2 : 0;
    c.printGraphical = chkPrintGraphical->isChecked();
    c.foreColour = colours_[0];
    c.backColour = colours_[1];
    c.autoSaveOn = chkAutoSaveEnabled->isChecked() ? 1 : 0;
    c.autoSaveMinutes = static_cast<int16_t>(hsbAutoSaveTime->value());

    const bool languageChanged = ApplyPreferences(start_, c);
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
    if (languageChanged) ReloadOpenWindowTexts();
}

void frmPreferences::cmdCancel_Click() { reject(); }

bool frmPreferences::eventFilter(QObject* watched, QEvent* e) {
    if (watched == txtPrintPaperWidth && e->type() == QEvent::FocusOut) {
        txtPrintPaperWidth_LostFocus();
    } else if (e->type() == QEvent::MouseButtonRelease) {
        for (int i = 0; i < 4; ++i)
            if (watched == lblTag[static_cast<size_t>(i)]) lblTag_Click(i);
    }
    return QDialog::eventFilter(watched, e);
}
