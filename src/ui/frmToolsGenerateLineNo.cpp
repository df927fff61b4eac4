#include "ui/frmToolsGenerateLineNo.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include "app/signcontrols.h"
#include "data/language.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signtable.h"
#include "engine/signview.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "ui/formcontrols_qt.h"
#include "ui/frmHead.h"
#include "ui/frmReplace.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

// The main window as the tools drive it while they run.
class ToolWindow : public RouteToolWindow {
public:
    ToolWindow(frmHead* head, QDialog* dialog) : head_(head), dialog_(dialog) {}
    void LayoutSigns() override {
        head_->LayoutChosenSigns();
    }
    void TypeIntoGraphicSign(int16_t address) override {
        // The graphic sign is typed on in its editor, whatever sign was
        // edited before.
        head_->UpdateToolbarState2();
        head_->UpdateSignControls(address);
        head_->ActivePictureIndex = -1;
        head_->ChangeAddress(SignInfoOf(address).GraphicIndex, false, true);
    }
    void TypeIntoRouteNumberSign(int16_t address) override {
        head_->LineNo_txt->setMaxLength(std::max<int>(SignInfoOf(address).Width, 1));
    }
    void RestoreSigns() override { head_->ShowSignsAgain(); }
    int32_t ReplaceQuestion(const std::string& caption, const std::string& question) override {
        frmReplace ask(dialog_);
        ask.setWindowTitle(Q(caption));
        ask.lblQuestion->setText(Q(question));
        QApplication::restoreOverrideCursor();
        ask.exec();
        dialog_->activateWindow();
        return ask.Answer;
    }
    void ShowCaption(const std::string& caption) override {
        dialog_->setWindowTitle(Q(caption));
        DoEvents();
    }

private:
    frmHead* head_;
    QDialog* dialog_;
};

}  // namespace

frmToolsGenerateLineNo::frmToolsGenerateLineNo(frmHead* head) : QDialog(head), head_(head) {
    setObjectName("frmToolsGenerateLineNo");
    setModal(true);
    lblFrom = NewControl<QLabel>(this, "lblFrom", {8, 8, 300, 18});
    cboMasterSign = NewControl<QComboBox>(this, "cboMasterSign", {8, 28, 300, 24});
    lblTo = NewControl<QLabel>(this, "lblTo", {8, 62, 300, 18});
    lstSigns = NewControl<QListWidget>(this, "lstSigns", {8, 82, 300, 150});
    lstSigns->setSelectionMode(QAbstractItemView::MultiSelection);
    lblFrom->setBuddy(cboMasterSign);
    lblTo->setBuddy(lstSigns);
    cmdOK = NewControl<QPushButton>(this, "cmdOK", {120, 242, 90, 28});
    cmdCancel = NewControl<QPushButton>(this, "cmdCancel", {218, 242, 90, 28});
    cmdOK->setDefault(true);
    setFixedSize(316, 278);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cboMasterSign, &QComboBox::currentIndexChanged, this, [this] { EnableOk(); });
    Form_Load();
}

void frmToolsGenerateLineNo::Form_Load() {
    SetFormIcon(this, "Kivar32.ico", false);
    const RouteToolTexts t = RouteToolCaptions();
    setWindowTitle(Q(t.caption));
    lblFrom->setText(Q(t.from));
    lblTo->setText(Q(t.to));
    cmdOK->setText(Q(gTextS1));
    cmdCancel->setText(Q(gTextS2));
    InitSignLists();
    OpenRouteTool();
    RestoreFormPlacement(this);
}

void frmToolsGenerateLineNo::InitSignLists() {
    const RouteToolLists lists = RouteToolSignLists();
    lstSigns->clear();
    cboMasterSign->clear();
    TargetAddresses.clear();
    MasterAddresses.clear();
    for (const RouteToolSign& s : lists.targets) {
        lstSigns->addItem(Q(s.line));
        lstSigns->item(lstSigns->count() - 1)->setSelected(lists.targetsSelected);
        TargetAddresses.push_back(s.address);
    }
    for (const RouteToolSign& s : lists.masters) {
        cboMasterSign->addItem(Q(s.line));
        MasterAddresses.push_back(s.address);
    }
    cboMasterSign->setCurrentIndex(MasterAddresses.empty() ? -1 : 0);
    EnableOk();
}

void frmToolsGenerateLineNo::EnableOk() {
    const int i = cboMasterSign->currentIndex();
    cmdOK->setEnabled(i >= 0 && i < static_cast<int>(MasterAddresses.size()));
}

void frmToolsGenerateLineNo::cmdOK_Click() {
    const int i = cboMasterSign->currentIndex();
    if (i < 0 || i >= static_cast<int>(MasterAddresses.size())) return;
    const int16_t master = MasterAddresses[static_cast<size_t>(i)];
    std::vector<int16_t> targets;
    for (int row = 0; row < lstSigns->count() && row < static_cast<int>(TargetAddresses.size()); ++row)
        if (lstSigns->item(row)->isSelected()) targets.push_back(TargetAddresses[static_cast<size_t>(row)]);

    // Nothing else is started while the tool runs through the destinations.
    struct Disabled {
        std::vector<QWidget*> widgets;
        Disabled(std::initializer_list<QWidget*> w) : widgets(w) {
            for (QWidget* x : widgets) x->setEnabled(false);
        }
        ~Disabled() {
            for (QWidget* x : widgets) x->setEnabled(true);
        }
    } disabled{this, head_->menuBar(), head_->tbToolBar};
    ToolWindow window(head_, this);
    if (gSuperCopyMode) SuperCopy(master, targets, window);
    else GenerateRouteNumbers(master, targets, window);
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
}

void frmToolsGenerateLineNo::cmdCancel_Click() { reject(); }
