#include "ui/frmSignSel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "data/headmode.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "ui/frmHead.h"
#include "ui/headwidgets_qt.h"
#include "data/settings.h"
#include "app/signcontrols.h"
#include "ui/qtbridge_qt.h"
#include "platform/host.h"
#include "platform/vb.h"

using namespace kv;

frmSignSel::frmSignSel(frmHead* head) : QDialog(head), head_(head) {
    setObjectName("frmSignSel");
    setModal(true);
    Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    AutoLine_lbl = new QLabel(this);
    AutoLine_lbl->setObjectName("AutoLine_lbl");
    Ok_cmd = new QPushButton(this);
    Ok_cmd->setObjectName("Ok_cmd");
    Ok_cmd->setDefault(true);
    connect(Ok_cmd, &QPushButton::clicked, this, [this] { Ok_cmd_Click(); });
    // The template of the sign boxes, never shown.
    NewBox("Sign_cbx", 0)->hide();
    Form_Load();
}

QCheckBox* frmSignSel::NewBox(const QString& name, int index) {
    auto* box = new QCheckBox(this);
    box->setObjectName(name);
    box->setProperty("Index", index);
    (name == "Sign_cbx" ? Sign_cbx : Line_cbx)[index] = box;
    if (name == "Sign_cbx") connect(box, &QCheckBox::clicked, this, [this, index] { Sign_cbx_Click(index); });
    else connect(box, &QCheckBox::clicked, this, [this, index] { Line_cbx_Click(index); });
    return box;
}

void frmSignSel::Form_Load() {
    setWindowTitle(Q(LangText("S1800")));
    AutoLine_lbl->setText(Q(LangText("S1801")));
    Label1->setText(Q(LangText("S1802")));
    Ok_cmd->setText(Q(gTextS1));
    texts_ = ReadSignSelTexts();

    const SignSelRows rows = BuildSignSelRows();
    nK4000 = rows.nK4000;
    nK2000 = rows.nK2000;
    nK1000 = rows.nK1000;
    const bool routeNoColumn = gLineNoTableOn != 0;
    for (int i = 1; i <= nK4000; ++i) NewBox("Sign_cbx", i);
    if (routeNoColumn)
        for (int i = 1; i <= nK4000; ++i) NewBox("Line_cbx", 100 + i);
    for (int i = nK4000 + 1; i <= Total(); ++i) NewBox("Sign_cbx", i);

    QCheckBox* templ = Sign_cbx[0];
    templ->setText("&9 -- WWWWWWWW");
    rowHeight_ = std::max(19, templ->sizeHint().height());
    RestoreFormPlacement(this);
    const int width = kRowLeft + kRowWidth + 10 + 80 + 10;
    const int height = std::max(kTemplateTop + (Total() + 2) * rowHeight_, kMinHeight);
    setFixedSize(width, height);

    Label1->setGeometry(kRowLeft, 8, kRowWidth, 20);
    AutoLine_lbl->setGeometry(2, 8, kRowLeft - 4, 20);
    Ok_cmd->setGeometry(kRowLeft + kRowWidth + 10, kTemplateTop, 80, 26);

    int i = 0;
    for (const SignSelRow& row : rows.rows) {
        ++i;
        const int top = kTemplateTop + (i - 1) * rowHeight_;
        QCheckBox* box = Sign_cbx[i];
        box->setText(Q(row.caption));
        box->setGeometry(kRowLeft, top, kRowWidth, rowHeight_);
        box->setProperty("Tag", QString::number(row.address));
        box->setChecked(row.ticked);
        if (row.kind != SignSelRow::Graphic) {
            QPalette p = box->palette();
            const QColor c = row.kind == SignSelRow::Text ? QColor(255, 0, 0) : QColor(0, 0, 255);
            p.setColor(QPalette::WindowText, c);
            p.setColor(QPalette::ButtonText, c);
            box->setPalette(p);
        }
        box->show();
        if (row.hasRouteNoBox && Line_cbx.count(100 + i)) {
            QCheckBox* line = Line_cbx[100 + i];
            line->setText(Q(row.routeNoCaption));
            line->setGeometry(kRouteNoLeft, top, kRowLeft - kRouteNoLeft, rowHeight_);
            line->setProperty("Tag", QString::number(row.address));
            line->setChecked(row.routeNoTicked);
            line->show();
        }
    }
    AutoLine_lbl->setVisible(routeNoColumn);
}

void frmSignSel::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The keys go to the dialog also where no window manager hands them over.
    activateWindow();
}

void frmSignSel::Line_cbx_Click(int index) {
    auto line = Line_cbx.find(index);
    auto sign = Sign_cbx.find(index - 100);
    if (line == Line_cbx.end() || sign == Sign_cbx.end()) return;
    if (line->second->isChecked()) sign->second->setChecked(false);
}

void frmSignSel::Sign_cbx_Click(int) {}

void frmSignSel::Ok_cmd_Click() {
    std::vector<SignSelTick> ticks;
    for (int i = 1; i <= Total(); ++i) {
        auto sign = Sign_cbx.find(i);
        if (sign == Sign_cbx.end()) continue;
        SignSelTick t;
        t.address = static_cast<int16_t>(Val(B(sign->second->property("Tag").toString())));
        t.ticked = sign->second->isChecked();
        auto line = Line_cbx.find(100 + i);
        t.routeNoTicked = line != Line_cbx.end() && line->second->isChecked();
        ticks.push_back(t);
    }
    const SignSelOutcome out = ApplySignSel(ticks, texts_);
    if (out.result == SignSelOutcome::Accepted) {
        if (Left(SignInfoOf(gCurrentSign).Model, 2) == "K2") head_->UpdateToolbarState();
        else head_->UpdateToolbarState2();
        head_->UpdateSignControls(gCurrentSign);
    }
    if (out.Closes()) {
        if (gSaveWinPos) SaveFormPlacement(this);
        accept();
        FocusEditingPicture();
    }
    ShowRouteNoBox(out);
    if (out.Relayout()) {
        head_->LayoutChosenSigns();
        RelaidOut = true;
    }
}

void frmSignSel::ShowRouteNoBox(const SignSelOutcome& out) {
    const QString k1000Caption = Q(texts_.routeNoSignLabel);
    if (out.routeNoBoxShown) {
        head_->LineNo_txt->setVisible(true);
        // No width means no limit, as a length of 0 does in the box.
        head_->LineNo_txt->setMaxLength(out.routeNoBoxLength > 0 ? out.routeNoBoxLength : 32767);
        head_->LineNo_lbl->setVisible(true);
        head_->LineNo_lbl->setText(k1000Caption);
    } else if (head_->LineNo_lbl->text() == k1000Caption) {
        head_->LineNo_txt->setVisible(false);
        head_->LineNo_lbl->setVisible(false);
        head_->LineNo_lbl->setText(Q(gTextS57));
    }
}

void frmSignSel::FocusEditingPicture() {
    QWidget* w = gTextSignActive ? static_cast<QWidget*>(head_->K2000_pct) : static_cast<QWidget*>(gEditPicture);
    if (w && w->isVisible() && w->isEnabled()) w->setFocus();
}
