#include "ui/frmPrintOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "app/printoptions.h"
#include "data/settings.h"
#include "platform/host.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

constexpr int Px(int twips) { return twips / 15; }

template <class W>
W* Named(W* w, const char* name, int index = -1) {
    w->setObjectName(name);
    if (index >= 0) w->setProperty("Index", index);
    return w;
}

// The pages stand below the option buttons; rows step down from the top.
constexpr int kPageTop = 36, kPageWidth = 400, kRowTop = 44, kRowStep = 24;

}  // namespace

LayoutSketch::LayoutSketch(int layout, QWidget* parent) : QWidget(parent), layout_(layout) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
}

void LayoutSketch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // Two small pages, one above the other.
    const int w = width() - 12, h = (height() - 18) / 2;
    for (int page = 0; page < 2; ++page) {
        const QRect r(6, 6 + page * (h + 6), w, h);
        p.setPen(Qt::black);
        p.drawRect(r);
        p.setPen(Qt::darkGray);
        if (layout_ == 1) {
            // Each row: a number and the texts of all signs side by side.
            for (int y = r.top() + 6; y < r.bottom() - 3; y += 6) {
                p.drawLine(r.left() + 3, y, r.left() + 8, y);
                for (int c = 0; c < 3; ++c) p.drawLine(r.left() + 12 + c * 20, y, r.left() + 28 + c * 20, y);
            }
        } else {
            // A sign's name as heading, its entries in two columns.
            p.drawLine(r.center().x() - 10, r.top() + 5, r.center().x() + 10, r.top() + 5);
            for (int y = r.top() + 12; y < r.bottom() - 3; y += 6)
                for (int c = 0; c < 2; ++c) p.drawLine(r.left() + 4 + c * w / 2, y, r.left() + w / 2 - 4 + c * w / 2, y);
        }
    }
    if (BorderStyle == 1) {
        p.setPen(Qt::black);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void LayoutSketch::mousePressEvent(QMouseEvent*) { emit Chosen(); }

void LayoutSketch::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Space) emit Chosen();
    else QWidget::keyPressEvent(e);
}

void LayoutSketch::focusInEvent(QFocusEvent* e) {
    BorderStyle = 1;
    update();
    QWidget::focusInEvent(e);
}

void LayoutSketch::focusOutEvent(QFocusEvent* e) {
    BorderStyle = 0;
    update();
    QWidget::focusOutEvent(e);
}

frmPrintOptions::frmPrintOptions(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPrintOptions");
    setWindowTitle("Print options");
    setModal(true);
    const char* optionTexts[] = {"Select signs", "Order", "Choose Result"};
    for (int i = 0; i < 3; ++i) {
        optWhat[i] = Named(new QRadioButton(optionTexts[i], this), "optWhat", i);
        optWhat[i]->setGeometry(8 + i * 132, 8, 128, 22);
        connect(optWhat[i], &QRadioButton::clicked, this, [this, i] { optWhat_Click(i); });
    }
    picSigns = Named(new QWidget(this), "picSigns");
    picOrder = Named(new QWidget(this), "picOrder");
    picResult = Named(new QWidget(this), "picResult");
    const char* designText = "The following signs has been used in this programming, which should be printed ?";
    lblPrintOptionSelectSigns = Named(new QLabel(designText, picSigns), "lblPrintOptionSelectSigns");
    lblPrintOptionOrder = Named(new QLabel(designText, picOrder), "lblPrintOptionOrder");
    lblPrintOptionResult = Named(new QLabel(designText, picResult), "lblPrintOptionResult");
    for (QLabel* l : {lblPrintOptionSelectSigns, lblPrintOptionOrder, lblPrintOptionResult}) {
        l->setWordWrap(true);
        l->setGeometry(8, 2, kPageWidth - 16, 38);
    }

    lblDestNo = Named(new QLabel("Dest No", picOrder), "lblDestNo");
    txtFrom = Named(new QLineEdit("9999", picOrder), "txtFrom");
    Label1 = Named(new QLabel("-", picOrder), "Label1");
    txtTom = Named(new QLineEdit("9999", picOrder), "txtTom");
    lblFrom = Named(new QLabel("1", picOrder), "lblFrom");
    lblTom = Named(new QLabel("9999", picOrder), "lblTom");
    for (QLineEdit* box : {txtFrom, txtTom}) box->installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(lblDestNo), static_cast<QWidget*>(txtFrom), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(txtTom), static_cast<QWidget*>(lblFrom), static_cast<QWidget*>(lblTom)})
        w->hide();
    txtFrom->setEnabled(false);
    txtTom->setEnabled(false);

    picMode1 = Named(new LayoutSketch(1, picResult), "picMode1");
    picMode2 = Named(new LayoutSketch(2, picResult), "picMode2");
    picMode1->setGeometry(Px(240), Px(660), Px(1260), Px(1695));
    picMode2->setGeometry(Px(3180), Px(660), Px(1260), Px(1695));
    connect(picMode1, &LayoutSketch::Chosen, this, [this] { picMode1_Click(); });
    connect(picMode2, &LayoutSketch::Chosen, this, [this] { picMode2_Click(); });
    // The frame around the chosen sketch, 60 twips outside it on every
    // side: top, bottom, left, right.
    const QRect chosen = picMode1->geometry();
    const int left = chosen.left() - Px(60), right = chosen.right() + Px(60);
    const int top = chosen.top() - Px(60), bottom = chosen.bottom() + Px(60);
    const QRect lines[4] = {QRect(left, top, right - left + 1, 1), QRect(left, bottom, right - left + 1, 1),
                            QRect(left, top, 1, bottom - top + 1), QRect(right, top, 1, bottom - top + 1)};
    for (int k = 0; k < 4; ++k) {
        lineSelect[k] = Named(new QFrame(picResult), "lineSelect", k);
        lineSelect[k]->setFrameShape(QFrame::Box);
        lineSelect[k]->setGeometry(lines[k]);
        lineSelect[k]->setStyleSheet("background: black; border: 0");
    }

    timSelctedMode = new QTimer(this);
    timSelctedMode->setObjectName("timSelctedMode");
    timSelctedMode->setInterval(250);
    connect(timSelctedMode, &QTimer::timeout, this, [this] { timSelctedMode_Timer(); });
    timSelctedMode->start();

    cmdDone = Named(new QPushButton("Done", this), "cmdDone");
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    optWhat[0]->setChecked(true);
    optWhat_Click(0);
    Answer.closed = true;
}

void frmPrintOptions::ShowPrintOptions(const PrintOptionsRequest& r) {
    setWindowTitle(Q(r.caption));
    for (int i = 0; i < 3; ++i) optWhat[i]->setText(Q(r.options[i]));
    lblPrintOptionSelectSigns->setText(Q(r.explanations[0]));
    lblPrintOptionOrder->setText(Q(r.explanations[1]));
    lblPrintOptionResult->setText(Q(r.explanations[2]));
    cmdDone->setText(Q(r.doneText));
    RestoreFormPlacement(this);

    const int n = static_cast<int>(r.signNames.size());
    for (int i = 1; i <= n; ++i) {
        const int y = kRowTop + (i - 1) * kRowStep;
        auto* box = Named(new QCheckBox(Q(r.signNames[static_cast<size_t>(i - 1)]), picSigns), "chkSignWanted", i);
        box->setGeometry(16, y, 200, 22);
        box->setChecked(true);
        connect(box, &QCheckBox::clicked, this, [this, i] { chkSignWanted_Click(i); });
        chkSignWanted[i] = box;
        auto* name = Named(new QLabel(Q(r.signNames[static_cast<size_t>(i - 1)]), picOrder), "lblSignName", i);
        name->setGeometry(16, y, 120, 22);
        lblSignName[i] = name;
        auto* order = Named(new QComboBox(picOrder), "cboSignOrder", i);
        order->setGeometry(140, y, 56, 22);
        for (int k = 1; k <= n; ++k) order->addItem(QString::number(k));
        order->setCurrentIndex(i - 1);
        cboSignOrder[i] = order;
    }
    const int rangeTop = kRowTop + n * kRowStep + 8;
    lblDestNo->setGeometry(16, rangeTop, 70, 22);
    txtFrom->setGeometry(90, rangeTop, 56, 22);
    Label1->setGeometry(150, rangeTop, 10, 22);
    txtTom->setGeometry(162, rangeTop, 56, 22);
    lblFrom->setGeometry(90, rangeTop + 24, 56, 18);
    lblTom->setGeometry(162, rangeTop + 24, 56, 18);
    if (r.rangeShown) {
        txtFrom->setEnabled(true);
        txtTom->setEnabled(true);
        txtFrom->setText(Q(r.from));
        txtTom->setText(Q(r.to));
        lblFrom->setText(Q(r.lowest));
        lblTom->setText(Q(r.highest));
        for (QWidget* w : {static_cast<QWidget*>(lblDestNo), static_cast<QWidget*>(txtFrom), static_cast<QWidget*>(Label1),
                           static_cast<QWidget*>(txtTom), static_cast<QWidget*>(lblFrom), static_cast<QWidget*>(lblTom)})
            w->show();
    }
    // The layout page shows its sketches and the frame around them whole.
    int sketchesBottom = 0;
    for (const QWidget* w : {static_cast<QWidget*>(picMode1), static_cast<QWidget*>(picMode2), static_cast<QWidget*>(lineSelect[1])})
        sketchesBottom = std::max(sketchesBottom, w->geometry().bottom() + 1);
    const int pageHeight = std::max({Px(2400), rangeTop + 48, sketchesBottom + 4});
    for (QWidget* page : {picSigns, picOrder, picResult}) page->setGeometry(0, kPageTop, kPageWidth, pageHeight);
    cmdDone->setGeometry(kPageWidth - 100, kPageTop + pageHeight + 6, 92, 26);
    setFixedSize(kPageWidth, kPageTop + pageHeight + 40);
}

void frmPrintOptions::optWhat_Click(int index) {
    picSigns->hide();
    picOrder->hide();
    picResult->hide();
    if (index == 0) picSigns->show();
    else if (index == 1) picOrder->show();
    else if (index == 2) picResult->show();
}

void frmPrintOptions::chkSignWanted_Click(int) {
    std::vector<bool> ticked;
    for (int i = 1; i <= Rows(); ++i) ticked.push_back(chkSignWanted[i]->isChecked());
    const std::vector<int16_t> order = RenumberPrintOrder(ticked);
    int wanted = 0;
    for (bool t : ticked) wanted += t ? 1 : 0;
    for (int i = 1; i <= Rows(); ++i) {
        QComboBox* list = cboSignOrder[i];
        list->clear();
        const bool on = ticked[static_cast<size_t>(i - 1)];
        lblSignName[i]->setEnabled(on);
        list->setEnabled(on);
        if (!on) continue;
        for (int k = 1; k <= wanted; ++k) list->addItem(QString::number(k));
        list->setCurrentIndex(order[static_cast<size_t>(i - 1)] - 1);
    }
}

void frmPrintOptions::ChooseLayout(LayoutSketch* chosen, LayoutSketch* other) {
    if (lineSelect[0]->x() == chosen->x() - Px(60)) return;
    const int d = chosen->x() - other->x();
    for (QFrame* line : lineSelect) line->move(line->x() + d, line->y());
}

void frmPrintOptions::picMode1_Click() { ChooseLayout(picMode1, picMode2); }
void frmPrintOptions::picMode2_Click() { ChooseLayout(picMode2, picMode1); }

void frmPrintOptions::timSelctedMode_Timer() {
    const bool show = lineSelect[0]->isHidden();
    for (QFrame* line : lineSelect) line->setVisible(show);
}

void frmPrintOptions::cmdDone_Click() {
    std::vector<bool> ticked;
    std::vector<std::string> orders;
    for (int i = 1; i <= Rows(); ++i) {
        ticked.push_back(chkSignWanted[i]->isChecked());
        orders.push_back(cboSignOrder[i]->count() ? B(cboSignOrder[i]->currentText()) : std::string());
    }
    const PrintOptionsVerdict v = CheckPrintOptions(orders, txtFrom->isEnabled(), B(txtFrom->text()), B(txtTom->text()),
                                                    B(lblFrom->text()), B(lblTom->text()));
    if (v != PrintOptionsVerdict::Accept) {
        Beep();
        if (v == PrintOptionsVerdict::FromOutOfRange) txtFrom->setFocus();
        if (v == PrintOptionsVerdict::ToAboveLimit) txtTom->setFocus();
        return;
    }
    Answer.closed = false;
    Answer.order = PrintOrderOfRows(ticked, orders);
    Answer.oneSignLayout = lineSelect[0]->x() == picMode2->x() - Px(60);
    Answer.from = B(txtFrom->text());
    Answer.to = B(txtTom->text());
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
}

void frmPrintOptions::reject() {
    Answer.closed = true;
    QDialog::reject();
}

bool frmPrintOptions::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::FocusIn && (watched == txtFrom || watched == txtTom)) {
        auto* box = static_cast<QLineEdit*>(watched);
        QTimer::singleShot(0, box, [box] { box->selectAll(); });
    }
    return QDialog::eventFilter(watched, e);
}
