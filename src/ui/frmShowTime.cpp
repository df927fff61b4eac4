#include "ui/frmShowTime.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "data/language.h"
#include "data/signtable.h"
#include "engine/signpictures.h"
#include "platform/host.h"
#include "ui/frmHead.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {
constexpr int kMargin = 8, kButtonWidth = 80, kButtonHeight = 24, kMinWidth = 260;

SignPicture* PictureOfSign(frmHead* head, int16_t address) {
    if (!IsSignAddress(address)) return nullptr;
    const int16_t k = SignInfoOf(address).GraphicIndex;
    return k >= 0 && k < kMaxSignPictures ? head->picSign[static_cast<size_t>(k)] : nullptr;
}
}  // namespace

frmShowTime::frmShowTime(frmHead* head) : QWidget(head, Qt::Window), head_(head) {
    setObjectName("frmShowTime");
    setAttribute(Qt::WA_DeleteOnClose, false);
    cmdAvbryt = new QPushButton(this);
    cmdAvbryt->setObjectName("cmdAvbryt");
    cmdNext = new QPushButton(this);
    cmdNext->setObjectName("cmdNext");
    timSim = new QTimer(this);
    timSim->setObjectName("timSim");
    timSim->setInterval(kTickMs);
    connect(cmdAvbryt, &QPushButton::clicked, this, [this] { cmdAvbryt_Click(); });
    connect(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
    connect(timSim, &QTimer::timeout, this, [this] {
        if (sim_.GoOn()) sim_.Tick();
    });

    // Form_Load.
    SetFormIcon(this, "Kivar32.ico", false);
    RestoreFormPlacement(this);
    SetCaptions();
}

void frmShowTime::SetCaptions() {
    cmdAvbryt->setText(Q(gTextS2));
    const std::string next = LangText("S3100");
    cmdNext->setText(Q(next == "0" ? "Next" : next));
}

void frmShowTime::changeEvent(QEvent* e) {
    if (e->type() == QEvent::LanguageChange) SetCaptions();
    QWidget::changeEvent(e);
}

frmShowTime::~frmShowTime() = default;

bool frmShowTime::Run(int16_t n) {
    if (!sim_.Show(n)) {
        Finish();
        return false;
    }
    timSim->start();
    return true;
}

void frmShowTime::cmdAvbryt_Click() {
    SetGoOn(false);
    Finish();
}

void frmShowTime::cmdNext_Click() {
    SetGoOn(false);
    DoEvents();
    if (finished_) return;
    timSim->stop();
    SetBusy(true);
    const bool running = sim_.ShowNext();
    SetBusy(false);
    if (running) timSim->start();
    else Finish();
}

void frmShowTime::Finish() {
    if (finished_) return;
    finished_ = true;
    timSim->stop();
    if (loaded_) sim_.Stop();
    head_->EndShowtime();
    deleteLater();
}

void frmShowTime::closeEvent(QCloseEvent* e) {
    SetGoOn(false);
    Finish();
    e->accept();
}

void frmShowTime::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    const int y = height() - kButtonHeight - kMargin;
    cmdAvbryt->setGeometry(width() - kButtonWidth - kMargin, y, kButtonWidth, kButtonHeight);
    cmdNext->setGeometry(width() - 2 * (kButtonWidth + kMargin), y, kButtonWidth, kButtonHeight);
}

// ------------------------------------------------------------------ SimulationView

void frmShowTime::LayoutSignPictures() { head_->LayoutSignPictures(false, false); }

void frmShowTime::LoadWindow() { loaded_ = true; }

void frmShowTime::ShowWindow(const std::string& caption) {
    setWindowTitle(Q(caption));
    resize(std::max(widest_ + 2 * kMargin, kMinWidth), nextTop_ + 2 * kMargin + kButtonHeight + kMargin);
    show();
    raise();
    activateWindow();
}

void frmShowTime::UnloadWindow() {
    loaded_ = false;
    timSim->stop();
    SaveFormPlacement(this);
    hide();
}

void frmShowTime::HideMainWindow() { head_->hide(); }

void frmShowTime::AddPagePicture(int16_t index, int16_t group, int16_t address) {
    SignPicture* picture = PictureOfSign(head_, address);
    if (!picture) return;
    const QImage image = picture->Surface().copy();
    auto place = groupPlace_.find(group);
    if (place == groupPlace_.end()) {
        place = groupPlace_.emplace(group, QPoint(kMargin, nextTop_ + kMargin)).first;
        nextTop_ += kMargin + image.height();
        widest_ = std::max(widest_, image.width());
    }
    auto* label = new QLabel(this);
    label->setObjectName("picShow");
    label->setProperty("Index", index);
    label->setPixmap(QPixmap::fromImage(image));
    label->setGeometry(QRect(place->second, image.size()));
    label->show();
    picShow[index] = label;
}

void frmShowTime::RemovePagePictures() {
    for (auto& [index, label] : picShow) delete label;
    picShow.clear();
    groupPlace_.clear();
    nextTop_ = 0;
    widest_ = 0;
}

void frmShowTime::BringToFront(int16_t index) {
    const auto it = picShow.find(index);
    if (it != picShow.end()) it->second->raise();
}

void frmShowTime::ShowTextCursor(bool on) { head_->Curs_2000->setVisible(on); }

void frmShowTime::ClearSignPicture(int16_t address) {
    if (SignPicture* picture = PictureOfSign(head_, address)) picture->Cls();
}
