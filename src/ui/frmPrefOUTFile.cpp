#include "ui/frmPrefOUTFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "data/settings.h"
#include "files/document.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

// The designed layout, in pixels. The options frame stands at the bottom
// and the route-number frame at the bottom of the controller frame, so the
// smaller layouts are the designed one cut short.
constexpr int kFormWidth = 440;
constexpr int kFrameTop = 132, kFrameHeight = 306;
constexpr int kControlFrameTop = 90, kControlFrameHeight = 208;
constexpr int kRouteFrameTop = 96, kRouteFrameHeight = 104;
constexpr int kFormHeight = kFrameTop + kFrameHeight + 8;
// The name boxes: beside a label of one line, or lower beside one that wraps.
constexpr int kNameBoxTop = 68, kNameBoxTopWrapped = 82, kNameLabelWidth = 114;

}  // namespace

frmPrefOUTFile::frmPrefOUTFile(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPrefOUTFile");
    setModal(true);

    ControlInfo_CB = NewControl<QCheckBox>(this, "ControlInfo_CB", {12, 10, 300, 20});
    Label3 = NewControl<QLabel>(this, "Label3", {12, 38, kNameLabelWidth, 18});
    SignToShow_COB = NewControl<QComboBox>(this, "SignToShow_COB", {130, 35, 296, 22});
    lblname = NewControl<QLabel>(this, "lblname", {12, 70, kNameLabelWidth, 34});
    lblname->setWordWrap(true);
    lblname->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtPromName = NewControl<QLineEdit>(this, "txtPromName", {130, kNameBoxTop, 118, 22});
    txtAscii = NewControl<QLineEdit>(this, "txtAscii", {130, kNameBoxTop, 118, 22});
    txtAscii->installEventFilter(this);
    cmdOK = NewControl<QPushButton>(this, "cmdOK", {256, 100, 80, 24});
    cmdOK->setDefault(true);
    cmdCancel = NewControl<QPushButton>(this, "cmdCancel", {346, 100, 80, 24});

    frm_00281_03 = NewControl<QGroupBox>(this, "frm_00281_03", {8, kFrameTop, kFormWidth - 16, kFrameHeight});
    chkLinjeNummer = NewControl<QCheckBox>(frm_00281_03, "chkLinjeNummer", {12, 20, 400, 20});
    chkExtra142 = NewControl<QCheckBox>(frm_00281_03, "chkExtra142", {12, 42, 400, 20});
    chkBrisbane = NewControl<QCheckBox>(frm_00281_03, "chkBrisbane", {12, 64, 400, 20});

    ControlInfo_F = NewControl<QGroupBox>(frm_00281_03, "ControlInfo_F", {8, kControlFrameTop, kFormWidth - 32, kControlFrameHeight});
    Label1 = NewControl<QLabel>(ControlInfo_F, "Label1", {12, 24, 100, 18});
    LangFile_COB = NewControl<QComboBox>(ControlInfo_F, "LangFile_COB", {116, 21, 276, 22});
    lblFontIncl = NewControl<QLabel>(ControlInfo_F, "lblFontIncl", {12, 48, 380, 18});
    CommandRow_CB = NewControl<QCheckBox>(ControlInfo_F, "CommandRow_CB", {12, 70, 380, 20});

    CommandRow_F = NewControl<QGroupBox>(ControlInfo_F, "CommandRow_F", {8, kRouteFrameTop, kFormWidth - 48, kRouteFrameHeight});
    lblComrowMems = NewControl<QLabel>(CommandRow_F, "lblComrowMems", {12, 24, 164, 18});
    ComrowMems_TB = NewControl<QLineEdit>(CommandRow_F, "ComrowMems_TB", {180, 22, 50, 22});
    lblRouteNumberStartChar = NewControl<QLabel>(CommandRow_F, "lblRouteNumberStartChar", {12, 50, 164, 18});
    RouteNumberStartChar_TB = NewControl<QLineEdit>(CommandRow_F, "RouteNumberStartChar_TB", {180, 48, 30, 22});
    lblRouteNumberSeq = NewControl<QLabel>(CommandRow_F, "lblRouteNumberSeq", {12, 76, 164, 18});
    RouteNumberSeq_TB = NewControl<QLineEdit>(CommandRow_F, "RouteNumberSeq_TB", {180, 74, 200, 22});
    for (QLineEdit* box : {RouteNumberStartChar_TB, RouteNumberSeq_TB}) box->installEventFilter(this);

    connect(ControlInfo_CB, &QCheckBox::clicked, this, [this] { ControlInfo_CB_Click(); });
    connect(CommandRow_CB, &QCheckBox::clicked, this, [this] { CommandRow_CB_Click(); });
    connect(chkBrisbane, &QCheckBox::clicked, this, [this] { chkBrisbane_Click(); });
    connect(chkExtra142, &QCheckBox::clicked, this, [this] { chkExtra142_Click(); });
    connect(chkLinjeNummer, &QCheckBox::clicked, this, [this] { chkLinjeNummer_Click(); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });

    // Form_Load.
    OutFilePrefs_FormLoad();
    setFixedSize(kFormWidth, kFormHeight);
    RestoreFormPlacement(this);
}

void frmPrefOUTFile::InitOutFilePrefs(const OutFilePrefsInput& in) {
    kv::InitOutFilePrefs(f_, in);
    Show();
}

void frmPrefOUTFile::ChangeMode(uint8_t layout) {
    Take();
    kv::ChangeMode(f_, layout);
    Show();
}

void frmPrefOUTFile::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Take();
    OutFilePrefs_FormActivate(f_);
    Show();
}

void frmPrefOUTFile::Clicked(OutFilePrefsForm::Check& box, QCheckBox* control, void (*rule)(OutFilePrefsForm&)) {
    Take();
    box.Value = control->isChecked() ? 1 : 0;
    rule(f_);
    Show();
}

void frmPrefOUTFile::ControlInfo_CB_Click() { Clicked(f_.ControlInfo_CB, ControlInfo_CB, kv::ControlInfo_CB_Click); }
void frmPrefOUTFile::CommandRow_CB_Click() { Clicked(f_.CommandRow_CB, CommandRow_CB, kv::CommandRow_CB_Click); }
void frmPrefOUTFile::chkBrisbane_Click() { Clicked(f_.chkBrisbane, chkBrisbane, kv::chkBrisbane_Click); }
void frmPrefOUTFile::chkExtra142_Click() { Clicked(f_.chkExtra142, chkExtra142, kv::chkExtra142_Click); }
void frmPrefOUTFile::chkLinjeNummer_Click() { Clicked(f_.chkLinjeNummer, chkLinjeNummer, kv::chkLinjeNummer_Click); }

void frmPrefOUTFile::RouteNumberFields_LostFocus() {
    Take();
    if (!kv::RouteNumberFields_LostFocus(f_)) {
        refusedFocusMove_ = true;
        QTimer::singleShot(0, this, [this] { refusedFocusMove_ = false; });
    }
    Show();
}

void frmPrefOUTFile::cmdOK_Click() {
    if (refusedFocusMove_) return;
    Take();
    OutFileProjectState project = CurrentProjectState(gDocumentModified);
    if (!OutFilePrefs_OK(f_, project)) {
        Show();
        return;
    }
    StoreProjectState(project);
    gDocumentModified = project.DocumentModified;
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
}

void frmPrefOUTFile::cmdCancel_Click() { reject(); }

bool frmPrefOUTFile::eventFilter(QObject* watched, QEvent* e) {
    if (watched == txtAscii && e->type() == QEvent::KeyPress) {
        // Characters other than digits, Backspace and Tab are dropped.
        const QString text = static_cast<QKeyEvent*>(e)->text();
        if (!text.isEmpty() && !txtAscii_KeyPress(text.at(0).unicode())) return true;
    }
    if ((watched == RouteNumberStartChar_TB || watched == RouteNumberSeq_TB) && e->type() == QEvent::FocusOut && !showing_) {
        // Only a move of the focus inside the dialog counts.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(e)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) RouteNumberFields_LostFocus();
    }
    return QDialog::eventFilter(watched, e);
}

void frmPrefOUTFile::Take() {
    f_.RouteNumberSeq_TB = B(RouteNumberSeq_TB->text());
    f_.RouteNumberStartChar_TB = B(RouteNumberStartChar_TB->text());
    f_.ComrowMems_TB = B(ComrowMems_TB->text());
    f_.txtPromName = B(txtPromName->text());
    f_.txtAscii = B(txtAscii->text());
    f_.SignToShowIndex = SignToShow_COB->currentIndex();
    f_.LangFileIndex = LangFile_COB->currentIndex();
}

void frmPrefOUTFile::Show() {
    showing_ = true;
    const QList<QWidget*> all = findChildren<QWidget*>();
    std::vector<QSignalBlocker> blockers;
    blockers.reserve(static_cast<size_t>(all.size()));
    for (QWidget* w : all) blockers.emplace_back(w);

    auto caption = [this](const char* name) { return Q(f_.Captions[name]); };
    setWindowTitle(caption(""));
    for (QWidget* w : all) {
        const auto it = f_.Captions.find(B(w->objectName()));
        if (it == f_.Captions.end() || it->first.empty()) continue;
        if (auto* box = qobject_cast<QCheckBox*>(w)) box->setText(Q(it->second));
        else if (auto* frame = qobject_cast<QGroupBox*>(w)) frame->setTitle(Q(it->second));
        else if (auto* label = qobject_cast<QLabel*>(w)) label->setText(Q(it->second));
        else if (auto* button = qobject_cast<QPushButton*>(w)) button->setText(Q(it->second));
    }

    const std::pair<QCheckBox*, const OutFilePrefsForm::Check*> checks[] = {
        {ControlInfo_CB, &f_.ControlInfo_CB}, {CommandRow_CB, &f_.CommandRow_CB}, {chkLinjeNummer, &f_.chkLinjeNummer},
        {chkExtra142, &f_.chkExtra142},       {chkBrisbane, &f_.chkBrisbane},
    };
    for (const auto& [box, check] : checks) {
        box->setChecked(check->Value == 1);
        box->setEnabled(check->Enabled);
    }

    // The layout: heights and which frames show.
    const bool full = f_.Layout == 2;
    const int cut = full ? 0 : kRouteFrameHeight;
    setFixedSize(kFormWidth, f_.Layout == 0 ? kFormHeight - kFrameHeight : kFormHeight - cut);
    ControlInfo_F->resize(ControlInfo_F->width(), kControlFrameHeight - cut);
    frm_00281_03->resize(frm_00281_03->width(), kFrameHeight - cut);
    ControlInfo_F->setEnabled(f_.ControlInfo_F_Enabled);
    CommandRow_F->setEnabled(f_.CommandRow_F_Enabled);
    CommandRow_F->setVisible(f_.CommandRow_F_Visible);
    frm_00281_03->setEnabled(f_.frm_00281_03_Enabled);
    frm_00281_03->setVisible(f_.frm_00281_03_Visible);
    lblFontIncl->setVisible(f_.lblFontIncl_Visible);
    for (QWidget* w : std::initializer_list<QWidget*>{lblRouteNumberSeq, lblRouteNumberStartChar, RouteNumberSeq_TB,
                                                      RouteNumberStartChar_TB})
        w->setEnabled(f_.RouteNumberFieldsEnabled);

    RouteNumberSeq_TB->setText(Q(f_.RouteNumberSeq_TB));
    RouteNumberStartChar_TB->setText(Q(f_.RouteNumberStartChar_TB));
    ComrowMems_TB->setText(Q(f_.ComrowMems_TB));
    txtPromName->setText(Q(f_.txtPromName));
    txtAscii->setText(Q(f_.txtAscii));
    txtPromName->setVisible(f_.PromNameShown);
    txtAscii->setVisible(!f_.PromNameShown);
    lblname->setText(Q(f_.lblname));
    const int top = lblname->heightForWidth(kNameLabelWidth) > lblname->fontMetrics().height() + 2 ? kNameBoxTopWrapped
                                                                                                    : kNameBoxTop;
    txtPromName->move(txtPromName->x(), top);
    txtAscii->move(txtAscii->x(), top);

    auto fill = [](QComboBox* box, const std::vector<std::string>& items, int index) {
        box->clear();
        for (const std::string& item : items) box->addItem(Q(item));
        box->setCurrentIndex(index);
    };
    fill(SignToShow_COB, f_.SignToShowItems, f_.SignToShowIndex);
    fill(LangFile_COB, f_.LangFileItems, f_.LangFileIndex);
    showing_ = false;
}
