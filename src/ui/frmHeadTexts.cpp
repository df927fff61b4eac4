// The main window's activation: every caption, menu text and tooltip in the
// current language, and on the first activation the starting state of the
// editing controls.
#include <QAction>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QLineEdit>
#include <QToolBar>

#include "data/language.h"
#include "ui/frmHead.h"
#include "app/headstate.h"
#include "app/copybuffer.h"
#include "app/headlayout.h"
#include "app/headtexts.h"
#include "app/toolbar.h"
#include "ui/qtbridge_qt.h"
#include "platform/vb.h"

using namespace kv;

void frmHead::SetControlCaption(const QString& name, const QString& text) {
    if (QMenu* m = SubMenu(name)) {
        m->setTitle(text);
        return;
    }
    if (QAction* a = MenuItem(name)) {
        a->setText(text);
        return;
    }
    QWidget* w = ClientArea->findChild<QWidget*>(name);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(w)) l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w)) g->setTitle(text);
}

void frmHead::LayoutChangingTexts() {
    std::array<Box, 20> options{};
    for (int n = 1; n <= 20; ++n) options[n - 1] = {0, 0, TNo_op[n]->sizeHint().width(), TNo_op[n]->sizeHint().height()};
    const QSize label = lblChTime->sizeHint();
    const ChangingTextsGeometry g =
        kv::LayoutChangingTexts(options, {0, 0, label.width(), label.height()},
                                {0, 0, txtCurrChTime->width(), txtCurrChTime->sizeHint().height()},
                                QFontMetrics(Ch_Frame->font()).height());
    for (int n = 1; n <= 20; ++n) {
        const Box& b = g.options[static_cast<size_t>(n - 1)];
        TNo_op[n]->setGeometry(b.left, b.top, b.width, b.height);
    }
    lblChTime->setGeometry(g.label.left, g.label.top, g.label.width, g.label.height);
    txtCurrChTime->setGeometry(g.box.left, g.box.top, g.box.width, g.box.height);
    // The frame keeps its right edge by the record buttons.
    const int right = Ch_Frame->x() + Ch_Frame->width();
    Ch_Frame->setGeometry(right - g.frameWidth, Ch_Frame->y(), g.frameWidth, Ch_Frame->height());
}

void frmHead::Form_Activate() {
    HeadTexts t = ReadHeadTexts();
    for (const ControlText& c : t.captions) SetControlCaption(QString::fromUtf8(c.control), Q(c.text));
    // Room for the check mark: the width of two more capitals.
    Ch_Check->resize(fontMetrics().horizontalAdvance(Ch_Check->text() + "WW"), Ch_Check->height());
    KeptTexts = t;
    SetCopyBufferTexts({t.copyExtraCancelled, t.newDestNumber, t.newExtraNumber});

    for (const auto& [button, tip] : ToolbarTooltips(t)) tbButtons[button]->setToolTip(Q(tip));
    tbButtons[14]->setChecked(InsertModeOn());
    tbButtons[14]->setEnabled(TxlVersionNow() != 6);

    if (DestListActiveNow()) {
        Label2->setText(Q(gTextS55));
        Label3->setText(Q(gTextS59));
    } else {
        Label3->setText(Q(gTextS92));
        Label2->setText(Q(gTextS93));
    }
    LayoutChangingTexts();
    SaveDestOrExtra->setText(Q(InsertModeOn() ? gTextS6 + "..." : gTextS6));
    Remove->setText(Q(gTextS13));

    InitDefaultDestination();

    if (gStartUp) {
        gStartUp = kFalse;
        MenuItem("auto_e")->setChecked(AutoModeOn());
        MenuItem("Font_e")->setEnabled(!AutoModeOn());
        tbButtons[14]->setChecked(InsertModeOn());
        MenuItem("ShowLineNo_e")->setChecked(ShowLineNoOn());
        // The pictures are placed in the client area as it stands now, also
        // when the window is activated before it was ever shown.
        if (layout()) layout()->activate();
        LayoutSignPictures(true, false);
        RefreshCurrentSignPicture();
        ActivePictureIndex = -1;
        ChangeAddress(0, true, true);
        for (int i : {5, 10, 28}) tbButtons[i]->setChecked(true);
        // Graphic mode starts with the point tool.
        StartToolState();
        tbToolBar->update();
    }
}
