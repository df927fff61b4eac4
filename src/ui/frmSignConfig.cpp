#include "ui/frmSignConfig.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

#include "app/signrename.h"
#include "data/fontlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/settings.h"
#include "data/signdims.h"
#include "data/signtable.h"
#include "engine/editorslots.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "ui/frmSignDelete.h"
#include "ui/frmSignNew.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

frmSignConfig::frmSignConfig(QWidget* parent) : QDialog(parent) {
    setObjectName("frmSignConfig");
    setModal(true);
    QFont f = font();
    f.setPointSize(8);
    setFont(f);
    BuildControls();
    Form_Load();
}

void frmSignConfig::BuildControls() {
    setFixedSize(604, 300);
    Label5 = NewControl<QLabel>(this, "Label5", {8, 8, 300, 16});
    Sign_lst = NewControl<QListWidget>(this, "Sign_lst", {8, 26, 300, 190});
    QFont mono("Monospace");
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSize(9);
    Sign_lst->setFont(mono);
    AddSign = NewControl<QPushButton>(this, "AddSign", {8, 226, 96, 26});
    ChangeSign = NewControl<QPushButton>(this, "ChangeSign", {110, 226, 96, 26});
    RemoveSign = NewControl<QPushButton>(this, "RemoveSign", {212, 226, 96, 26});

    Label1 = NewControl<QLabel>(this, "Label1", {320, 8, 110, 16});
    SignName_tbx = NewControl<QLineEdit>(this, "SignName_tbx", {320, 26, 110, 22});
    SignName_tbx->setMaxLength(kSignNameLength);
    SignName_tbx->installEventFilter(this);
    Sign_lst->viewport()->installEventFilter(this);
    Label2 = NewControl<QLabel>(this, "Label2", {320, 58, 110, 16});
    SignType_clst = NewControl<QListWidget>(this, "SignType_clst", {320, 76, 110, 76});
    Label4 = NewControl<QLabel>(this, "Label4", {440, 8, 66, 16});
    SignAddress_clst = NewControl<QListWidget>(this, "SignAddress_clst", {440, 26, 66, 126});
    Label3 = NewControl<QLabel>(this, "Label3", {514, 8, 82, 16});
    k4000Size_clst = NewControl<QListWidget>(this, "k4000Size_clst", {514, 26, 82, 126});
    k1000Size_clst = NewControl<QListWidget>(this, "k1000Size_clst", {514, 26, 82, 126});
    K2000_1RSize_clst = NewControl<QListWidget>(this, "K2000_1RSize_clst", {514, 26, 82, 126});
    K2000_2RSize_clst = NewControl<QListWidget>(this, "K2000_2RSize_clst", {514, 26, 82, 126});
    cmdNewSignDimension = NewControl<QPushButton>(this, "cmdNewSignDimension", {440, 160, 156, 26});
    cmdDeleteSigns = NewControl<QPushButton>(this, "cmdDeleteSigns", {440, 190, 156, 26});
    Label6 = NewControl<QLabel>(this, "Label6", {320, 160, 110, 16});
    cboDefaultRouteNoFont = NewControl<QComboBox>(this, "cboDefaultRouteNoFont", {320, 178, 110, 22});
    Ok_cmd = NewControl<QPushButton>(this, "Ok_cmd", {404, 262, 92, 28});
    cmdCancel = NewControl<QPushButton>(this, "cmdCancel", {504, 262, 92, 28});
    Ok_cmd->setDefault(true);

    Label1->setBuddy(SignName_tbx);
    Label2->setBuddy(SignType_clst);
    Label3->setBuddy(k4000Size_clst);
    Label4->setBuddy(SignAddress_clst);
    Label5->setBuddy(Sign_lst);

    // A click follows the selected line; a line the list only made current
    // on getting the focus is not chosen.
    connect(Sign_lst, &QListWidget::itemSelectionChanged, this, [this] {
        const int row = Sign_lst->currentRow();
        if (row >= 0 && Sign_lst->item(row)->isSelected()) Sign_lst_Click();
    });
    connect(SignType_clst, &QListWidget::currentRowChanged, this, [this] { SignType_clst_Click(); });
    connect(k4000Size_clst, &QListWidget::currentRowChanged, this, [this] { k4000Size_clst_Click(); });
    connect(SignAddress_clst, &QListWidget::currentRowChanged, this, [this] { SignAddress_clst_Click(); });
    connect(cboDefaultRouteNoFont, &QComboBox::activated, this, [this] { cboDefaultRouteNoFont_Click(); });
    connect(AddSign, &QPushButton::clicked, this, [this] { AddSign_Click(); });
    connect(ChangeSign, &QPushButton::clicked, this, [this] { ChangeSign_Click(); });
    connect(RemoveSign, &QPushButton::clicked, this, [this] { RemoveSign_Click(); });
    connect(cmdNewSignDimension, &QPushButton::clicked, this, [this] { cmdNewSignDimension_Click(); });
    connect(cmdDeleteSigns, &QPushButton::clicked, this, [this] { cmdDeleteSigns_Click(); });
    connect(Ok_cmd, &QPushButton::clicked, this, [this] { Ok_cmd_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
}

// ------------------------------------------------------------------ public procedures

void frmSignConfig::InitSignCombo(const std::string& model, QListWidget* list) {
    const std::vector<std::string> items = kv::InitSignCombo(model);
    const QSignalBlocker block(list);
    list->clear();
    for (const std::string& item : items) list->addItem(Q(item));
    if (!items.empty()) list->setCurrentRow(0);
}

bool frmSignConfig::AddSignDim(const std::string& dimension, const std::string& model) {
    return kv::AddSignDim(dimension, model);
}

void frmSignConfig::ChangeSignName(const std::string& oldName, const std::string& newName) {
    kv::ChangeSignName(oldName, newName);
}

void frmSignConfig::ChangeSignAddress(int16_t oldAddress, int16_t newAddress) {
    kv::ChangeSignAddress(oldAddress, newAddress);
}

QListWidget* frmSignConfig::SizeList(const std::string& model) const {
    if (model == "K4000") return k4000Size_clst;
    if (model == "K1000") return k1000Size_clst;
    if (model == "K2000_1R") return K2000_1RSize_clst;
    if (model == "K2000_2R") return K2000_2RSize_clst;
    return nullptr;
}

// ------------------------------------------------------------------ load

void frmSignConfig::Form_Load() {
    setWindowTitle(Q(LangText("S1600")));
    cmdNewSignDimension->setText(Q(LangText("S1601")));
    AddSign->setText(Q(LangText("S1603")));
    ChangeSign->setText(Q(LangText("S1604")));
    SignName_tbx->setText(Q(LangText("S1605")));
    Label4->setText(Q(LangText("S1606")));
    Label5->setText(Q(LangText("S1607")));
    Label3->setText(Q(LangText("S1608")));
    Label2->setText(Q(LangText("S1609")));
    Label1->setText(Q(LangText("S1610")));
    cmdDeleteSigns->setText(Q(LangText("S1689", "&Delete signs...")));
    RemoveSign->setText(Q(gTextS13));
    Ok_cmd->setText(Q(gTextS1));
    cmdCancel->setText(Q(gTextS2));

    Config.Load();
    ShowLines(-1);

    {
        const QSignalBlocker block(SignType_clst);
        SignType_clst->clear();
        SignType_clst->addItems({"K4000", "K1000"});
        if (IniGetValue(gSettingsFile, "Generell", "K2000Active", kIniOpenClose) == "1")
            SignType_clst->addItems({"K2000_1R", "K2000_2R"});
        SignType_clst->setCurrentRow(0);
    }
    cboDefaultRouteNoFont->clear();
    for (int i = 1; i <= gFontCount && i < static_cast<int>(gFontList.size()); ++i)
        cboDefaultRouteNoFont->addItem(Q(gFontList[static_cast<size_t>(i)]));
    routeNoFonts_ = gSignRouteNoFont;

    ClearDimTable();
    for (const char* model : kSignModels) InitSignCombo(model, SizeList(model));
    {
        const QSignalBlocker block(SignAddress_clst);
        SignAddress_clst->clear();
        for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) SignAddress_clst->addItem(" " + QString::number(a));
        SignAddress_clst->setCurrentRow(0);
    }
    ShowSizeList("K4000");
    cmdNewSignDimension->setVisible(true);
    cmdDeleteSigns->setVisible(true);
    Label6->hide();
    cboDefaultRouteNoFont->hide();
    k4000Size_clst_Click();
    ChangeSign->setEnabled(false);
    RemoveSign->setEnabled(false);
    RestoreFormPlacement(this);
}

void frmSignConfig::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The keys go to the dialog also where no window manager hands them over.
    activateWindow();
    SignName_tbx->setFocus();
}

// ------------------------------------------------------------------ the edit fields

std::string frmSignConfig::Model() const {
    const QListWidgetItem* item = SignType_clst->currentItem();
    return item ? B(item->text()) : std::string();
}

int16_t frmSignConfig::Address() const {
    const int row = SignAddress_clst->currentRow();
    return row < 0 ? 0 : static_cast<int16_t>(row + kFirstSignAddress);
}

SignFields frmSignConfig::EditFields() const {
    SignFields f;
    f.name = B(SignName_tbx->text());
    f.model = Model();
    const QListWidget* sizes = SizeList(f.model);
    if (sizes && sizes->currentItem()) f.dimension = B(sizes->currentItem()->text());
    if (const QListWidgetItem* a = SignAddress_clst->currentItem()) f.address = B(a->text());
    return f;
}

void frmSignConfig::SelectRow(QListWidget* list, int row) {
    {
        const QSignalBlocker block(list);
        list->setCurrentRow(row);
    }
    if (list == Sign_lst) {
        if (row >= 0) Sign_lst_Click();
    } else if (list == SignType_clst) {
        SignType_clst_Click();
    } else if (list == k4000Size_clst) {
        k4000Size_clst_Click();
    } else if (list == SignAddress_clst) {
        SignAddress_clst_Click();
    }
}

void frmSignConfig::ShowSizeList(const std::string& model) {
    for (const char* m : kSignModels) SizeList(m)->setVisible(model == m);
    if (QListWidget* list = SizeList(model)) Label3->setBuddy(list);
}

void frmSignConfig::SelectSize(QListWidget* list, const std::string& dimension) {
    for (int i = 0; i < list->count(); ++i)
        if (RTrim(B(list->item(i)->text())) == dimension) {
            SelectRow(list, i);
            return;
        }
}

void frmSignConfig::ShowLine(const std::string& line) {
    const std::string model = SignLineModel(line);
    const std::string dimension = SignLineDimension(line);
    const int16_t address = SignLineAddress(line);
    SignName_tbx->setText(Q(SignLineName(line)));
    if (IsSignAddress(address)) SelectRow(SignAddress_clst, address - kFirstSignAddress);
    const QList<QListWidgetItem*> type = SignType_clst->findItems(Q(model), Qt::MatchExactly);
    if (!type.isEmpty()) SelectRow(SignType_clst, SignType_clst->row(type.front()));
    ShowSizeList(model);
    QListWidget* sizes = SizeList(model);
    if (!sizes) return;
    // A dimension the list lacks is added to the settings file first.
    if (sizes->findItems(Q(dimension), Qt::MatchExactly).isEmpty() && AddSignDim(dimension, model))
        InitSignCombo(model, sizes);
    // The model's choice may have moved the address (a route-number sign
    // goes to 16): the line's own address is shown.
    if (IsSignAddress(address)) SelectRow(SignAddress_clst, address - kFirstSignAddress);
    sizeClick_ = true;
    SelectSize(sizes, dimension);
    sizeClick_ = false;
}

void frmSignConfig::ShowLines(int select) {
    {
        const QSignalBlocker block(Sign_lst);
        Sign_lst->clear();
        for (const std::string& line : Config.Lines()) Sign_lst->addItem(Q(line));
        Sign_lst->setCurrentRow(-1);
    }
    if (select >= 0) SelectRow(Sign_lst, select);
}

void frmSignConfig::ClearSelection() {
    {
        const QSignalBlocker block(Sign_lst);
        Sign_lst->setCurrentRow(-1);
        Sign_lst->clearSelection();
    }
    ChangeSign->setEnabled(false);
    RemoveSign->setEnabled(false);
    // A new sign may have any model.
    SignType_clst->setEnabled(true);
    SignName_tbx->setFocus();
}

// ------------------------------------------------------------------ handlers

void frmSignConfig::Sign_lst_Click() {
    const int row = Sign_lst->currentRow();
    if (row < 0 || row >= static_cast<int>(Config.Lines().size())) return;
    const bool hasTexts = Config.HasTexts(row);
    ChangeSign->setEnabled(true);
    RemoveSign->setEnabled(!hasTexts);
    SignType_clst->setEnabled(!hasTexts);
    ShowLine(Config.Lines()[static_cast<size_t>(row)]);
}

void frmSignConfig::SignType_clst_Click() {
    const std::string model = Model();
    const bool graphic = model == "K4000";
    cmdNewSignDimension->setVisible(graphic);
    cmdDeleteSigns->setVisible(graphic);
    cboDefaultRouteNoFont->hide();
    Label6->hide();
    ShowSizeList(model);
    if (model == "K1000") {
        rememberedAddress_ = SignAddress_clst->currentRow();
        SelectRow(SignAddress_clst, kLastSignAddress - kFirstSignAddress);
        for (int i = 0; i < k1000Size_clst->count(); ++i)
            if (Val(B(k1000Size_clst->item(i)->text())) == 3) {
                SelectRow(k1000Size_clst, i);
                break;
            }
    } else if (graphic) {
        if (SignAddress_clst->count() > 0) {
            SelectRow(SignAddress_clst, std::max(rememberedAddress_, 0));
            k4000Size_clst_Click();
        } else {
            SignAddress_clst->setCurrentRow(-1);
        }
    }
}

void frmSignConfig::k4000Size_clst_Click() {
    if (sizeClick_) return;
    // While a listed sign is shown its address stays.
    if (isVisible() && (ChangeSign->isEnabled() || RemoveSign->isEnabled())) return;
    const QListWidgetItem* item = k4000Size_clst->currentItem();
    if (!item) return;
    SelectRow(SignAddress_clst, DimDefaultAddress(B(item->text())) - kFirstSignAddress);
}

void frmSignConfig::SignAddress_clst_Click() {
    if (okRunning_ || Model() != "K4000") return;
    const int16_t address = Address();
    if (!IsSignAddress(address)) return;
    const std::string font = routeNoFonts_[static_cast<size_t>(address - kFirstSignAddress)];
    for (int i = 0; i < cboDefaultRouteNoFont->count(); ++i)
        if (!font.empty() && B(cboDefaultRouteNoFont->itemText(i)).substr(0, 1) == font.substr(0, 1)) {
            const QSignalBlocker block(cboDefaultRouteNoFont);
            cboDefaultRouteNoFont->setCurrentIndex(i);
            break;
        }
}

void frmSignConfig::cboDefaultRouteNoFont_Click() {
    if (okRunning_ || Model() != "K4000") return;
    const int16_t address = Address();
    if (IsSignAddress(address))
        routeNoFonts_[static_cast<size_t>(address - kFirstSignAddress)] =
            B(cboDefaultRouteNoFont->currentText()).substr(0, 1);
}

void frmSignConfig::SignName_tbx_GotFocus() { SignName_tbx->selectAll(); }

void frmSignConfig::SignName_tbx_KeyPress(int16_t& keyAscii) {
    if (keyAscii != 8 && keyAscii != 9 && SignName_tbx->text().size() >= kSignNameLength &&
        !SignName_tbx->hasSelectedText()) {
        Beep();
        keyAscii = 0;
    }
}

bool frmSignConfig::eventFilter(QObject* watched, QEvent* e) {
    // A click below the lines leaves the listed signs: the fields are for a
    // new sign of any model.
    if (watched == Sign_lst->viewport() && e->type() == QEvent::MouseButtonPress &&
        !Sign_lst->itemAt(static_cast<QMouseEvent*>(e)->position().toPoint())) {
        ClearSelection();
        return true;
    }
    if (watched == SignName_tbx) {
        if (e->type() == QEvent::FocusIn) {
            // After the focus has settled, so that the click does not undo it.
            QTimer::singleShot(0, SignName_tbx, [this] { SignName_tbx_GotFocus(); });
        } else if (e->type() == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(e);
            const QString text = k->text();
            if (!text.isEmpty() && text.at(0).isPrint()) {
                int16_t key = static_cast<int16_t>(static_cast<unsigned char>(B(text.left(1)).front()));
                SignName_tbx_KeyPress(key);
                if (key == 0) return true;
            }
        }
    }
    return QDialog::eventFilter(watched, e);
}

void frmSignConfig::AddSign_Click() {
    const SignConfig::Outcome o = Config.Add(EditFields());
    if (o.changed) ShowLines(o.select);
    else if (o.select >= 0) SelectRow(Sign_lst, o.select);
}

void frmSignConfig::ChangeSign_Click() {
    const int row = Sign_lst->currentRow();
    if (row < 0) return;
    const SignConfig::Outcome o = Config.Change(row, EditFields());
    if (!o.changed) {
        if (o.select >= 0 && o.select != row) SelectRow(Sign_lst, o.select);
        return;
    }
    ShowLines(-1);
    ClearSelection();
}

void frmSignConfig::RemoveSign_Click() {
    const SignConfig::Outcome o = Config.Remove(Sign_lst->currentRow());
    if (!o.changed && o.select >= 0) return;
    ShowLines(-1);
    ClearSelection();
}

void frmSignConfig::cmdNewSignDimension_Click() {
    frmSignNew dialog(this);
    dialog.exec();
    SignName_tbx->setFocus();
}

void frmSignConfig::cmdDeleteSigns_Click() {
    frmSignDelete dialog(this);
    dialog.exec();
}

void frmSignConfig::Ok_cmd_Click() {
    okRunning_ = true;
    const SignConfig::OkResult r = Config.Ok();
    okRunning_ = false;
    if (r != SignConfig::OkResult::Done) return;
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
}

void frmSignConfig::cmdCancel_Click() {
    if (gSaveWinPos) SaveFormPlacement(this);
    Config.Cancel();
    QDialog::reject();
}

void frmSignConfig::reject() { cmdCancel_Click(); }

void frmSignConfig::done(int result) {
    ClearDimTable();
    QDialog::done(result);
}
