#include "ui/frmSignNew.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "app/dimdialogs.h"
#include "data/language.h"
#include "data/settings.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "ui/frmSignConfig.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmSignNew::frmSignNew(frmSignConfig* config) : QDialog(config), config_(config) {
    setObjectName("frmSignNew");
    setModal(true);
    setFixedSize(260, 150);
    Label2 = NewControl<QLabel>(this, "Label2", {8, 8, 60, 16});
    lblSignType = NewControl<QLabel>(this, "lblSignType", {70, 8, 80, 16});
    lstSignType = NewControl<QListWidget>(this, "lstSignType", {160, 8, 90, 40});
    for (const char* m : {"K4000", "K1000", "K2000_1R", "K2000_2R"}) lstSignType->addItem(m);
    // The dialog works on the graphic model only.
    for (QWidget* w : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(lblSignType),
                       static_cast<QWidget*>(lstSignType)})
        w->hide();

    fraDimension = NewControl<QGroupBox>(this, "fraDimension", {8, 8, 244, 90});
    lblDimWidth = NewControl<QLabel>(fraDimension, "lblDimWidth", {12, 24, 90, 16});
    txtDimWidth = NewControl<QLineEdit>(fraDimension, "txtDimWidth", {12, 44, 90, 24});
    lblCharacter = NewControl<QLabel>(fraDimension, "lblCharacter", {110, 48, 20, 16});
    lblCharacter->setAlignment(Qt::AlignCenter);
    lblDimHeight = NewControl<QLabel>(fraDimension, "lblDimHeight", {138, 24, 90, 16});
    txtDimHeight = NewControl<QLineEdit>(fraDimension, "txtDimHeight", {138, 44, 90, 24});
    lblDimWidth->setBuddy(txtDimWidth);
    lblDimHeight->setBuddy(txtDimHeight);
    txtDimWidth->installEventFilter(this);
    txtDimHeight->installEventFilter(this);

    cmdOK = NewControl<QPushButton>(this, "cmdOK", {64, 112, 90, 28});
    cmdOK->setDefault(true);
    cmdCancel = NewControl<QPushButton>(this, "cmdCancel", {162, 112, 90, 28});
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(lstSignType, &QListWidget::currentRowChanged, this, [this] { lstSignType_Click(); });
    Form_Load();
}

void frmSignNew::Form_Load() {
    RestoreFormPlacement(this);
    lblSignType->setText("K4000");
}

void frmSignNew::showEvent(QShowEvent* e) {
    Form_Activate();
    QDialog::showEvent(e);
    activateWindow();
    txtDimWidth->setFocus();
}

void frmSignNew::Form_Activate() {
    Label2->setText(config_->Label2->text());
    fraDimension->setTitle(config_->Label3->text().remove('&').remove(':'));
    cmdOK->setText(Q(LangText("S1603")));
    setWindowTitle(Q(LangText("S1680")));
    lblDimHeight->setText(Q(LangText("S1681")));
    lblDimWidth->setText(Q(LangText("S1682")));
    cmdCancel->setText(Q(gTextS122));
    ShowDimensionFields("K4000");
}

void frmSignNew::ShowDimensionFields(const std::string& model) {
    const std::string m = Trim(model);
    const QListWidget* sizes = config_->SizeList(m);
    if (!sizes) return;
    const std::string item = sizes->currentItem() ? B(sizes->currentItem()->text()) : std::string();
    std::string width, height;
    SplitDimension(m, item, width, height);
    txtDimWidth->setText(Q(width));
    const bool twoNumbers = m == "K4000" || m == "K2000_2R";
    if (twoNumbers) {
        txtDimHeight->setText(Q(height));
        lblCharacter->setText(m == "K4000" ? "x" : "+");
    }
    txtDimHeight->setVisible(twoNumbers);
    lblCharacter->setVisible(twoNumbers);
}

void frmSignNew::lstSignType_Click() {
    if (const QListWidgetItem* item = lstSignType->currentItem()) ShowDimensionFields(B(item->text()));
}

void frmSignNew::cmdOK_Click() {
    const std::string model = B(lblSignType->text());
    QListWidget* sizes = config_->SizeList(model);
    if (!sizes) return;
    std::vector<std::string> items;
    for (int i = 0; i < sizes->count(); ++i) items.push_back(B(sizes->item(i)->text()));
    const bool twoNumbers = !txtDimHeight->isHidden();
    const NewDimension d = CheckNewDimension(model, B(txtDimWidth->text()), twoNumbers ? B(txtDimHeight->text()) : "",
                                             items);
    txtDimWidth->setText(Q(d.width));
    if (twoNumbers) txtDimHeight->setText(Q(d.height));
    if (d.check != NewDimension::Ok) {
        MsgBox(NewDimensionMessage(d.check), vbOKOnly);
        return;
    }
    if (config_->AddSignDim(d.dimension, model)) config_->InitSignCombo(model, sizes);
}

void frmSignNew::cmdCancel_Click() {
    if (gSaveWinPos) SaveFormPlacement(this);
    reject();
}

bool frmSignNew::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::FocusIn && (watched == txtDimWidth || watched == txtDimHeight)) {
        auto* box = static_cast<QLineEdit*>(watched);
        QTimer::singleShot(0, box, [box] { box->selectAll(); });
    }
    return QDialog::eventFilter(watched, e);
}
