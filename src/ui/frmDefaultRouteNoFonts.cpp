#include "ui/frmDefaultRouteNoFonts.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "data/fontlist.h"
#include "data/language.h"
#include "data/settings.h"
#include "platform/vb.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmDefaultRouteNoFonts::frmDefaultRouteNoFonts(QWidget* parent) : QDialog(parent) {
    setObjectName("frmDefaultRouteNoFonts");
    lblInfo = NewControl<QLabel>(this, "lblInfo", {8, 8, 380, 36});
    lblInfo->setWordWrap(true);
    lblHeight = NewControl<QLabel>(this, "lblHeight", {8, 52, 80, 18});
    cboFontHeght = NewControl<QComboBox>(this, "cboFontHeght", {8, 72, 80, 24});
    lblStart = NewControl<QLabel>(this, "lblStart", {100, 52, 140, 18});
    cboDefaultStartFont = NewControl<QComboBox>(this, "cboDefaultStartFont", {100, 72, 140, 24});
    lblRoute = NewControl<QLabel>(this, "lblRoute", {248, 52, 140, 18});
    cboDefaultRouteNoFont = NewControl<QComboBox>(this, "cboDefaultRouteNoFont", {248, 72, 140, 24});
    lblHeight->setBuddy(cboFontHeght);
    lblStart->setBuddy(cboDefaultStartFont);
    lblRoute->setBuddy(cboDefaultRouteNoFont);
    cmdOK = NewControl<QPushButton>(this, "cmdOK", {200, 110, 90, 28});
    cmdCancel = NewControl<QPushButton>(this, "cmdCancel", {298, 110, 90, 28});
    setFixedSize(396, 146);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cboFontHeght, &QComboBox::currentIndexChanged, this, [this] { cboFontHeght_Click(); });
    connect(cboDefaultStartFont, &QComboBox::activated, this, [this] { cboDefaultStartFont_Click(); });
    connect(cboDefaultRouteNoFont, &QComboBox::activated, this, [this] { cboDefaultRouteNoFont_Click(); });
    Form_Load();
}

void frmDefaultRouteNoFonts::Form_Load() {
    RestoreFormPlacement(this);
    cmdCancel->setText(Q(gTextS122));
    cmdOK->setText(Q(gTextS6));
    lblHeight->setText(Q(LangText("S1681")));
    setWindowTitle(Q(LangText("S3200", "Start- and route number fonts")));
    lblInfo->setText(Q(LangText("S3201", DefaultFontsHint(B(lblHeight->text()), B(cmdOK->text())))));
    lblStart->setText(Q(LangText("S3202", "Start font")));
    lblRoute->setText(Q(LangText("S3203", "Route no. font")));

    showing_ = true;
    cboFontHeght->clear();
    for (const std::string& h : FontDialogHeights()) cboFontHeght->addItem(Q(h));
    for (QComboBox* list : {cboDefaultStartFont, cboDefaultRouteNoFont}) {
        list->clear();
        for (int16_t k = 1; k <= gFontCount && k < static_cast<int>(gFontList.size()); ++k)
            list->addItem(Q(gFontList[static_cast<size_t>(k)]));
    }
    Work = LoadDefaultFontsWork();
    showing_ = false;
    cboFontHeght->setCurrentIndex(-1);
    cboFontHeght->setCurrentIndex(0);
}

int frmDefaultRouteNoFonts::ShownHeight() const { return static_cast<int>(Val(B(cboFontHeght->currentText()))); }

void frmDefaultRouteNoFonts::cboFontHeght_Click() {
    const int h = ShownHeight();
    if (showing_ || h < kFontDialogFirstHeight || h > kFontDialogLastHeight) return;
    // A code no entry starts with leaves the list as it was.
    if (const int16_t k = FontListEntryOf(Work.Start(h))) cboDefaultStartFont->setCurrentIndex(k - 1);
    if (const int16_t k = FontListEntryOf(Work.Route(h))) cboDefaultRouteNoFont->setCurrentIndex(k - 1);
}

void frmDefaultRouteNoFonts::cboDefaultStartFont_Click() {
    const int h = ShownHeight();
    if (h >= kFontDialogFirstHeight && h <= kFontDialogLastHeight)
        Work.Start(h) = Left(B(cboDefaultStartFont->currentText()), 1);
}

void frmDefaultRouteNoFonts::cboDefaultRouteNoFont_Click() {
    const int h = ShownHeight();
    if (h >= kFontDialogFirstHeight && h <= kFontDialogLastHeight)
        Work.Route(h) = Left(B(cboDefaultRouteNoFont->currentText()), 1);
}

void frmDefaultRouteNoFonts::cmdOK_Click() { SaveDefaultFonts(Work); }

void frmDefaultRouteNoFonts::cmdCancel_Click() { reject(); }

void frmDefaultRouteNoFonts::done(int result) {
    if (gSaveWinPos) SaveFormPlacement(this);
    QDialog::done(result);
}
