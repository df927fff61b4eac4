#include "ui/frmPic2Graph.h"

#include <algorithm>

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/picbatch.h"
#include "app/picimport.h"
#include "data/language.h"
#include "data/settings.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/vb.h"
#include "ui/file_dialog_qt.h"
#include "ui/picload_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

// Twips of the designed layout in pixels.
constexpr int Px(int twips) { return twips / kTwipsPerPixel; }

// The widest picture box that leaves the dialog as designed.
constexpr int kDesignedPictureWidth = Px(6855);

QColor ColourOf(int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// A toggle's picture: a frame with a bar at the side it aligns to.
QIcon AlignIcon(bool horizontal, int where) {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::darkGray);
    p.drawRect(1, 1, 13, 13);
    const int at = where == 0 ? 3 : where == 1 ? 6 : 9;
    if (horizontal) p.fillRect(at, 4, 4, 8, Qt::black);
    else p.fillRect(4, at, 8, 4, Qt::black);
    return QIcon(pm);
}

}  // namespace

// ------------------------------------------------------------------ the picture box

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {}

void PictureBox::SetImage(const QImage& image) {
    image_ = image;
    scanned_ = 0;
    if (!image_.isNull()) resize(image_.size());
    update();
}

void PictureBox::MarkScanned(int count, QColor colour) {
    scanned_ = count;
    mark_ = colour;
    repaint();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), BackColor);
    if (image_.isNull()) return;
    p.drawImage(0, 0, image_);
    if (scanned_ <= 0) return;
    const int w = image_.width();
    const int rows = scanned_ / w, rest = scanned_ % w;
    p.fillRect(0, 0, w, rows, mark_);
    if (rest) p.fillRect(0, rows, rest, 1, mark_);
}

// ------------------------------------------------------------------ the dialog

frmPic2Graph::frmPic2Graph(QWidget* parent) : QDialog(parent) {
    setObjectName("frmPic2Graph");
    setModal(true);
    single_ = gSinglePictureMode != 0;
    BuildToolbar();

    scrPicture = new QScrollArea(this);
    scrPicture->setObjectName("scrPicture");
    scrPicture->setFrameShape(QFrame::NoFrame);
    scrPicture->setWidgetResizable(false);
    picSelected = new PictureBox;
    picSelected->setObjectName("picSelected");
    picSelected->resize(kDesignedPictureWidth, 160);
    scrPicture->setWidget(picSelected);
    scrPicture->resize(picSelected->size());

    fraSelectColor = new QGroupBox(this);
    fraSelectColor->setObjectName("fraSelectColor");
    fraSelectColor->resize(kDesignedPictureWidth, 52);
    cmdColor[0] = new QPushButton(fraSelectColor);
    cmdColor[0]->setObjectName("cmdColor");
    cmdColor[0]->setProperty("Index", 0);
    cmdColor[0]->setGeometry(Px(134), 20, 24, 24);
    cmdColor[0]->hide();
    picChosenColor = new QLabel(fraSelectColor);
    picChosenColor->setObjectName("picChosenColor");
    picChosenColor->setGeometry(kDesignedPictureWidth - 40, 20, 32, 24);
    picChosenColor->setAutoFillBackground(true);

    lblDisplayText = new QLabel(this);
    lblDisplayText->setObjectName("lblDisplayText");
    lblDisplayText->resize(200, 16);
    txtDisplayText = new QLineEdit(this);
    txtDisplayText->setObjectName("txtDisplayText");
    txtDisplayText->resize(220, 22);
    txtDisplayText->setEnabled(false);
    chkSetDisplayText = new QCheckBox(this);
    chkSetDisplayText->setObjectName("chkSetDisplayText");
    chkSetDisplayText->setGeometry(Px(90), 32, 200, 20);

    auto button = [this](QPushButton*& b, const char* name, void (frmPic2Graph::*click)()) {
        b = new QPushButton(this);
        b->setObjectName(name);
        b->resize(80, 24);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, click);
    };
    button(cmdOK, "cmdOK", &frmPic2Graph::cmdOK_Click);
    button(cmdCancel, "cmdCancel", &frmPic2Graph::cmdCancel_Click);
    button(cmdGo, "cmdGo", &frmPic2Graph::cmdGo_Click);
    button(cmdSkip, "cmdSkip", &frmPic2Graph::cmdSkip_Click);
    cmdGo->move(cmdGo->x(), 30);
    cmdOK->setEnabled(false);
    cmdGo->setEnabled(false);
    cmdSkip->setEnabled(false);

    pgbStatus = new QProgressBar(this);
    pgbStatus->setObjectName("pgbStatus");
    pgbStatus->setTextVisible(false);
    pgbStatus->hide();
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel1->setObjectName("StatusPanel1");
    StatusBar1->addWidget(StatusPanel1, 1);

    CommonDialog1 = NewFileDialog(this, "CommonDialog1");

    resize(Px(6855) + 12, Px(6000));
    shown_.start();
    Form_Load();
}

void frmPic2Graph::BuildToolbar() {
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setIconSize(QSize(16, 16));
    tbOpen = Toolbar1->addAction(style()->standardIcon(QStyle::SP_DialogOpenButton), "Open picture");
    tbOpen->setObjectName("tbOpen");
    Toolbar1->addSeparator();
    struct Toggle {
        QAction*& action;
        const char* name;
        const char* tip;
        bool horizontal;
        int where;
    };
    const Toggle toggles[] = {
        {tbHAL, "tbHAL", "Align left", true, 0},   {tbHAC, "tbHAC", "Centre across", true, 1},
        {tbHAR, "tbHAR", "Align right", true, 2},  {tbVAT, "tbVAT", "Align top", false, 0},
        {tbVAC, "tbVAC", "Centre down", false, 1}, {tbVAB, "tbVAB", "Align bottom", false, 2},
    };
    // One toggle of each direction at most; both start centred.
    auto* across = new QActionGroup(this);
    auto* down = new QActionGroup(this);
    across->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    down->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const Toggle& t : toggles) {
        if (&t == &toggles[3]) Toolbar1->addSeparator();
        t.action = Toolbar1->addAction(AlignIcon(t.horizontal, t.where), t.tip);
        t.action->setObjectName(t.name);
        t.action->setCheckable(true);
        (t.horizontal ? across : down)->addAction(t.action);
    }
    tbHAC->setChecked(true);
    tbVAC->setChecked(true);
    connect(Toolbar1, &QToolBar::actionTriggered, this, [this](QAction* a) { Toolbar1_ButtonClick(a); });
    Toolbar1->setGeometry(0, 0, 400, 28);
}

void frmPic2Graph::Form_Load() {
    RestoreFormPlacement(this);
    if (single_) {
        cmdGo->hide();
        cmdSkip->hide();
        cmdCancel->show();
        cmdCancel->setText(Q(gTextS2));
        chkSetDisplayText->hide();
        scrPicture->move(scrPicture->x(), Px(480));
        fraSelectColor->show();
        setWindowTitle(Q(LangText("S2700", "Import single bitmap")));
        fraSelectColor->setTitle(Q(LangText("S2701", "Select background color")));
    } else {
        cmdCancel->hide();
        fraSelectColor->hide();
        scrPicture->move(scrPicture->x(), Px(808));
        setWindowTitle(Q(LangText("S2800", "Import multi bitmaps")));
        chkSetDisplayText->setText(Q(LangText("S2801", "Set display text")));
        cmdGo->setText(Q(LangText("S2802", "Go!!!")));
        cmdSkip->setText(Q(LangText("S2803", "Skip picture")));
    }
    lblDisplayText->setText(Q(gTextS45));
    cmdOK->setText(Q(gTextS1));
    Form_Resize();
}

void frmPic2Graph::resizeEvent(QResizeEvent*) { Form_Resize(); }

// A placement kept from a larger screen, or from a large picture, is fitted
// to the screen.
void frmPic2Graph::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    ResizeOnScreen(width(), height());
}

void frmPic2Graph::Form_Resize() {
    if (!picSelected) return;
    const int W = width(), H = height();
    const int gap = Px(90);
    Toolbar1->resize(W, Toolbar1->height());
    StatusBar1->setGeometry(0, H - 20, W, 20);
    pgbStatus->setGeometry(0, H - Px(900), W - Px(80), 16);
    // The picture shows whole where the dialog has room for it, else as much
    // as fits, with scroll bars; the controls below it keep their room.
    const int below = single_ ? gap + fraSelectColor->height() + gap + lblDisplayText->height() + Px(30) +
                                    txtDisplayText->height() + Px(900) - 16
                              : gap + lblDisplayText->height() + gap + txtDisplayText->height() + Px(900) - 16;
    const int roomW = std::max(40, W - 2 * gap), roomH = std::max(40, H - scrPicture->y() - below);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int areaW = picSelected->width(), areaH = picSelected->height();
    if (areaW > roomW) {
        areaW = roomW;
        areaH += bar;
    }
    if (areaH > roomH) {
        areaH = roomH;
        areaW = std::min(areaW + bar, roomW);
    }
    scrPicture->setGeometry(gap, scrPicture->y(), areaW, areaH);
    const int pictureBottom = scrPicture->y() + scrPicture->height();
    if (single_) {
        fraSelectColor->move(gap, pictureBottom + gap);
        lblDisplayText->move(gap, fraSelectColor->y() + fraSelectColor->height() + gap);
        txtDisplayText->move(gap, lblDisplayText->y() + lblDisplayText->height() + Px(30));
        cmdOK->move(txtDisplayText->x() + txtDisplayText->width() + gap, txtDisplayText->y());
        cmdCancel->move(W - cmdCancel->width() - Px(190), txtDisplayText->y());
    } else {
        cmdGo->move(W - cmdGo->width() - Px(150), cmdGo->y());
        lblDisplayText->move(gap, pictureBottom + gap);
        txtDisplayText->move(gap, lblDisplayText->y() + lblDisplayText->height() + gap);
        cmdOK->move(txtDisplayText->x() + txtDisplayText->width() + gap, txtDisplayText->y());
        cmdSkip->move(cmdOK->x() + cmdOK->width() + gap, txtDisplayText->y());
    }
    // The progress bar and the status bar stay below the display text.
    const int needed = txtDisplayText->y() + txtDisplayText->height() + Px(900) - 16;
    if (H < needed) ResizeOnScreen(W, needed);
}

void frmPic2Graph::ResizeOnScreen(int w, int h) {
    const QScreen* s = screen();
    if (!s) {
        resize(w, h);
        return;
    }
    const QRect room = s->availableGeometry();
    // The window manager's frame around the dialog; a guess while it is not
    // known yet.
    QSize frame = frameGeometry().size() - size();
    if (frame.isEmpty()) frame = QSize(16, 48);
    resize(std::clamp(w, 1, std::max(1, room.width() - frame.width())),
           std::clamp(h, 1, std::max(1, room.height() - frame.height())));
    if (!isVisible()) return;
    const QRect at = frameGeometry();
    const int x = std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - at.width()));
    const int y = std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - at.height()));
    if (x != at.x() || y != at.y()) move(x, y);
}

void frmPic2Graph::done(int result) {
    if (!closed_) {
        closed_ = true;
        if (gSaveWinPos) SaveFormPlacement(this);
    }
    EndWait();
    QDialog::done(result);
}

void frmPic2Graph::cmdCancel_Click() { reject(); }

// ------------------------------------------------------------------ waiting

void frmPic2Graph::WaitWhile(const std::function<bool()>& waiting) {
    while (waiting() && !closed_) {
        QEventLoop loop;
        wait_ = &loop;
        loop.exec();
        wait_ = nullptr;
    }
}

void frmPic2Graph::EndWait() {
    if (wait_) wait_->quit();
}

// ------------------------------------------------------------------ opening pictures

void frmPic2Graph::ResetColorButtons() {
    for (int i = 16; i >= 1; --i) {
        delete cmdColor[static_cast<size_t>(i)];
        cmdColor[static_cast<size_t>(i)] = nullptr;
    }
    Tag.clear();
}

void frmPic2Graph::Toolbar1_ButtonClick(QAction* button) {
    if (button != tbOpen || running_) return;
    ResetColorButtons();
    FileDialogAsk ask;
    ask.filters = single_ ? QStringList{"Pictures (*.bmp *.gif *.jpg)", "All files (*)"}
                          : QStringList{"Kivar Pictures (K*.bmp K*.gif K*.jpg)", "All files (*)"};
    ask.filterIndex = 0;
    const FileDialogAnswer answer = RunFileDialog(CommonDialog1, this, ask);
    if (!answer.accepted) return;
    const std::string file = BPath(answer.path);

    if (!single_) {
        SetBusy(true);
        const int32_t found = lPic2Graph_GetFiles(*this, file);
        cmdGo->setEnabled(found > 1);
        SetBusy(false);
        return;
    }

    txtDisplayText->clear();
    const int notedHeight = scrPicture->height();
    try {
        LoadPicture(file);
    } catch (const PictureLoadError& e) {
        SetBusy(false);
        MsgBox(e.what(), vbExclamation);
        return;
    }
    const int dW = picSelected->width() > kDesignedPictureWidth ? picSelected->width() - kDesignedPictureWidth : 0;
    const int dH = picSelected->height() - notedHeight;
    if (dW + dH != 0) ResizeOnScreen(width() + dW, height() + dH);
    Form_Resize();

    DoEvents();
    m_lBackColor = -1;
    LoadSinglePicture(file);
    if (m_lBackColor == -1 || closed_) {
        SetBusy(false);
        return;
    }
    ShowChosenColor(m_lBackColor);
    cmdOK->setEnabled(true);
    txtDisplayText->setEnabled(true);
    fileName_ = file;
    const std::string name = BaseName(file);
    const long dot = InStrLast(name, ".");
    if (dot > 0) {
        txtDisplayText->setText(Q(Left(name, dot - 1)));
        txtDisplayText->selectAll();
        txtDisplayText->setFocus();
    }
    SetBusy(false);
}

void frmPic2Graph::LoadSinglePicture(const std::string&) {
    fraSelectColor->hide();
    cmdOK->setEnabled(false);
    const QColor mark = picSelected->BackColor == Qt::black ? QColor(255, 255, 0) : QColor(Qt::black);
    QElapsedTimer sinceShown;
    sinceShown.start();
    auto progress = [&](int32_t counted, const std::string& percent) {
        // The status shows at once; the marks at most every 40 ms and at the end.
        StatusPanel1->setText(Q(percent));
        StatusBar1->repaint();
        if (sinceShown.elapsed() >= 40 || percent == "100 %") {
            picSelected->MarkScanned(counted, mark);
            sinceShown.restart();
        }
    };
    std::vector<int32_t> colours;
    int16_t overflow = kFalse;
    int32_t firstX = 0, firstY = 0;
    const int32_t count = CollectColors(loaded_, colours, 16, overflow, progress, firstX, firstY);
    m_lColorCount = count;
    if (overflow) {
        MsgBox("More than 16 colors!", vbOKOnly);
        return;
    }
    // The picture again, without the marks of the scan.
    picSelected->MarkScanned(0, mark);
    if (count < 2) return;

    fraSelectColor->show();
    const int32_t first = colours[0];
    QPalette pal = picChosenColor->palette();
    pal.setColor(QPalette::Window, ColourOf(first));
    pal.setColor(QPalette::WindowText, first == 0 ? Qt::white : Qt::black);
    picChosenColor->setPalette(pal);
    picChosenColor->setText(" ?");
    const int step = cmdColor[0]->width();
    for (int i = 1; i <= count; ++i) {
        auto* b = new QPushButton(fraSelectColor);
        b->setObjectName("cmdColor");
        b->setProperty("Index", i);
        b->setProperty("Colour", colours[static_cast<size_t>(i - 1)]);
        b->setAutoDefault(false);
        b->setStyleSheet(QString("background-color: %1; border: 1px solid gray;")
                             .arg(ColourOf(colours[static_cast<size_t>(i - 1)]).name()));
        b->setGeometry(Px(134) + (i - 1) * step, cmdColor[0]->y(), step, cmdColor[0]->height());
        connect(b, &QPushButton::clicked, this, [this, i] { cmdColor_Click(i); });
        b->show();
        b->raise();
        cmdColor[static_cast<size_t>(i)] = b;
    }
    Tag = "XXX";
    SetBusy(false);
    WaitWhile([this] { return Tag == "XXX" && m_lBackColor == -1; });
}

int32_t frmPic2Graph::ButtonColor(const QPushButton* button) { return button->property("Colour").toInt(); }

void frmPic2Graph::ShowChosenColor(int32_t colour) {
    QPalette pal = picChosenColor->palette();
    pal.setColor(QPalette::Window, ColourOf(colour));
    picChosenColor->setPalette(pal);
    picChosenColor->setText("");
}

void frmPic2Graph::cmdColor_Click(int index) {
    const QPushButton* b = cmdColor[static_cast<size_t>(index)];
    if (!b) return;
    if (cmdOK->isEnabled()) {
        m_lBackColor = ButtonColor(b);
        if (m_lBackColor != -1) ShowChosenColor(m_lBackColor);
    } else {
        Tag.clear();
        m_lBackColor = ButtonColor(b);
        EndWait();
    }
}

// ------------------------------------------------------------------ committing

void frmPic2Graph::cmdOK_Click() {
    const std::string text = B(txtDisplayText->text());
    if (text.empty()) return;
    if (!single_) {
        Tag.clear();
        EndWait();
        return;
    }
    bool stored = false;
    try {
        stored = CommitSinglePicture(*this, fileName_, text);
    } catch (const PictureLoadError& e) {
        MsgBox(e.what(), vbExclamation);
    }
    if (!stored) return;
    for (int i = 1; i <= m_lColorCount && i <= 16; ++i)
        if (cmdColor[static_cast<size_t>(i)]) cmdColor[static_cast<size_t>(i)]->setEnabled(false);
    cmdOK->setEnabled(false);
}

void frmPic2Graph::cmdGo_Click() {
    if (running_) return;
    running_ = true;
    cmdGo->setEnabled(false);
    tbOpen->setEnabled(false);
    pgbStatus->show();
    ConvertAllPictures(*this);
    running_ = false;
    if (closed_) return;
    cmdGo->setEnabled(true);
    tbOpen->setEnabled(true);
}

void frmPic2Graph::cmdSkip_Click() {
    m_bSkipPicture = true;
    Tag.clear();
    EndWait();
}

// ------------------------------------------------------------------ the view of the conversion

void frmPic2Graph::ShowProgress(bool visible) { pgbStatus->setVisible(visible); }
void frmPic2Graph::SetProgressRange(int32_t min, int32_t max) { pgbStatus->setRange(min, max); }
int32_t frmPic2Graph::ProgressMax() { return pgbStatus->maximum(); }
void frmPic2Graph::SetProgressValue(int32_t value) { pgbStatus->setValue(value); }

void frmPic2Graph::ShowPicture(const PixelPicture& picture, bool step) {
    if (step && shown_.elapsed() < 40) return;
    shown_.restart();
    picSelected->SetImage(PictureImage(picture));
    if (picSelected->width() + Px(80) > width()) ResizeOnScreen(picSelected->width() + Px(80), height());
    Form_Resize();
    repaint();
}

void frmPic2Graph::SetStatusText(const std::string& text) {
    StatusPanel1->setText(Q(text));
    StatusBar1->repaint();
}

Alignment frmPic2Graph::AlignmentToggles() {
    Alignment a;
    a.HAL = tbHAL->isChecked();
    a.HAC = tbHAC->isChecked();
    a.HAR = tbHAR->isChecked();
    a.VAT = tbVAT->isChecked();
    a.VAC = tbVAC->isChecked();
    a.VAB = tbVAB->isChecked();
    return a;
}

PixelPicture frmPic2Graph::LoadPicture(const std::string& path) {
    loaded_ = LoadPictureFile(path);
    picSelected->SetImage(PictureImage(loaded_));
    if (!single_) Form_Resize();
    return loaded_;
}

bool frmPic2Graph::AsksDisplayText() { return chkSetDisplayText->isChecked(); }

bool frmPic2Graph::AskDisplayText(const std::string& proposed, int start, int length, std::string& text) {
    m_bSkipPicture = false;
    Tag = "ChoiceFlag";
    txtDisplayText->setText(Q(proposed));
    txtDisplayText->setEnabled(true);
    txtDisplayText->setSelection(start, length);
    cmdOK->setEnabled(true);
    cmdSkip->setEnabled(true);
    txtDisplayText->setFocus();
    WaitWhile([this] { return Tag == "ChoiceFlag"; });
    text = B(txtDisplayText->text());
    txtDisplayText->clear();
    txtDisplayText->setEnabled(false);
    cmdOK->setEnabled(false);
    cmdSkip->setEnabled(false);
    return !m_bSkipPicture && !closed_;
}
