#include "ui/frmFontShow.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>

#include "data/charmap.h"
#include "data/fontlist.h"
#include "data/language.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signtable.h"
#include "engine/render.h"
#include "ui/formcontrols_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {
constexpr int kMargin = 8, kButtonWidth = 80, kButtonHeight = 24, kScrollWidth = 24;
constexpr int kDisplayWidth = 420, kDisplayHeight = 60;
const QColor kDotColour(255, 255, 0);
}  // namespace

frmFontShow::frmFontShow(QWidget* parent, const std::string& caption) : QDialog(parent), caption_(caption) {
    setObjectName("frmFontShow");
    setModal(true);
    Label1 = NewControl<QLabel>(this, "Label1", QRect(kMargin, kMargin, kDisplayWidth, 16));
    Left_cmd = NewControl<QPushButton>(this, "Left_cmd", QRect(kMargin, 30, kScrollWidth, kDisplayHeight));
    Left_cmd->setText("<");
    Display_pct = NewControl<QFrame>(this, "Display_pct",
                                     QRect(kMargin + kScrollWidth + 4, 30, kDisplayWidth, kDisplayHeight));
    Display_pct->setAutoFillBackground(true);
    QPalette pal = Display_pct->palette();
    pal.setColor(QPalette::Window, Qt::black);
    Display_pct->setPalette(pal);
    Right_cmd = NewControl<QPushButton>(this, "Right_cmd",
                                        QRect(kMargin + kScrollWidth + 8 + kDisplayWidth, 30, kScrollWidth, kDisplayHeight));
    Right_cmd->setText(">");
    Label2 = NewControl<QLabel>(this, "Label2", QRect(kMargin, 0, 330, 32));
    Label2->setWordWrap(true);
    Ok_cmd = NewControl<QPushButton>(this, "Ok_cmd", QRect(0, 0, kButtonWidth, kButtonHeight));
    Ok_cmd->setDefault(true);
    connect(Left_cmd, &QPushButton::clicked, this, [this] { Left_cmd_Click(); });
    connect(Right_cmd, &QPushButton::clicked, this, [this] { Right_cmd_Click(); });
    connect(Ok_cmd, &QPushButton::clicked, this, [this] { Ok_cmd_Click(); });
    FitHeight(0);
    Form_Load();
}

void frmFontShow::FitHeight(int height) {
    if (height > Display_pct->height()) Display_pct->resize(Display_pct->width(), height + 3);
    const int h = Display_pct->height();
    Left_cmd->resize(kScrollWidth, h);
    Right_cmd->resize(kScrollWidth, h);
    const int below = Display_pct->y() + h + kMargin;
    Label2->move(kMargin, below);
    Ok_cmd->move(Right_cmd->x() + kScrollWidth - kButtonWidth, below);
    setFixedSize(Right_cmd->x() + kScrollWidth + kMargin, below + std::max(kButtonHeight, Label2->height()) + kMargin);
}

void frmFontShow::Form_Load() {
    setWindowTitle(Q(caption_.empty() ? LangText("S1500") : caption_));
    Label2->setText(Q(LangText("S1501")));
    Ok_cmd->setText(Q(gTextS1));
    // The main window's font label: the current font's entry.
    if (gFontListIndex >= 1 && gFontListIndex < static_cast<int>(gFontList.size()))
        Label1->setText(Q(gFontList[static_cast<size_t>(gFontListIndex)]));
    // The glyphs as the current sign's picture draws its dots.
    zoom_ = IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000" ? SignInfoOf(gCurrentSign).Zoom : 1;
    row_ = std::make_unique<FontBrowserRow>(Display_pct->width(), [this](int16_t code) {
        const BrowserGlyph g = GlyphOfChar(code);
        return static_cast<int32_t>((g.cols + 1) * DotPitch(zoom_));
    });
    row_->Build();
    ShowRow();
    RestoreFormPlacement(this);
}

QPixmap frmFontShow::GlyphPicture(int16_t code) const {
    const BrowserGlyph g = GlyphOfChar(code);
    const int pitch = DotPitch(zoom_);
    QPixmap pixmap((g.cols + 1) * pitch, (g.rows + 1) * pitch);
    pixmap.fill(Qt::black);
    QPainter p(&pixmap);
    for (int x = 0; x < g.cols; ++x)
        for (int y = 0; y < g.rows; ++y) {
            if (!g.Lit(x, y)) continue;
            const DotShape d = DotShapeAt(x + 1, y + 1, zoom_);
            for (int i = 0; i < d.count; ++i) {
                const PixelRect& r = d.rects[i];
                p.fillRect(QRect(QPoint(r.x1, r.y1), QPoint(r.x2, r.y2)), kDotColour);
            }
        }
    return pixmap;
}

QLabel* frmFontShow::Element(int index) {
    auto at = SubPic.find(index);
    if (at != SubPic.end()) return at->second;
    const int16_t code = row_->Codes()[static_cast<size_t>(index - 1)];
    auto* pic = new QLabel(Display_pct);
    pic->setObjectName("SubPic");
    pic->setProperty("Index", index);
    pic->setProperty("Tag", static_cast<int>(code));
    const QPixmap glyph = GlyphPicture(code);
    pic->setPixmap(glyph);
    pic->resize(glyph.size());
    pic->installEventFilter(this);
    FitHeight(glyph.height());
    SubPic[index] = pic;
    return pic;
}

void frmFontShow::ShowRow() {
    const int count = static_cast<int>(row_->Codes().size());
    for (int k = 1; k <= count; ++k) {
        const int32_t x = row_->X(k);
        if (x < 0) {
            if (SubPic.count(k)) SubPic[k]->hide();
            continue;
        }
        QLabel* pic = Element(k);
        pic->move(x, 0);
        pic->show();
    }
}

void frmFontShow::Right_cmd_Click() {
    row_->ScrollRight();
    ShowRow();
}

void frmFontShow::Left_cmd_Click() {
    row_->ScrollLeft();
    ShowRow();
}

void frmFontShow::SubPic_DblClick(int index) {
    auto at = SubPic.find(index);
    if (at == SubPic.end()) return;
    InsertBrowsedChar(static_cast<int16_t>(at->second->property("Tag").toInt()));
}

void frmFontShow::Ok_cmd_Click() {
    if (gSaveWinPos) SaveFormPlacement(this);
    accept();
}

bool frmFontShow::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::MouseButtonDblClick && watched->objectName() == "SubPic") {
        SubPic_DblClick(watched->property("Index").toInt());
        return true;
    }
    return QDialog::eventFilter(watched, e);
}
