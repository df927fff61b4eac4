#include "ui/print_qt.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QWidget>

#include "platform/error.h"
#include "platform/host.h"
#include "platform/safefile.h"
#include "ui/frmPrintOptions.h"
#include "ui/frmPrintSignText.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

constexpr double kPdfMarginInch = 0.25;

QColor ColourOf(int32_t rgb) { return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF); }

// The printed font: DejaVu Sans at its size in twips (20 a point).
QFont FontOf(const PrintFont& f) {
    QFont font("DejaVu Sans");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(f.size * 20 + 0.5)));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    return font;
}

}  // namespace

QtPrintTarget::QtPrintTarget(std::string fallbackPdf) : fallbackPdf_(std::move(fallbackPdf)) {}

QtPrintTarget::~QtPrintTarget() { AbortDoc(); }

double QtPrintTarget::TextWidth(const std::string& text) const {
    return QFontMetricsF(FontOf(Font())).horizontalAdvance(Q(text));
}

double QtPrintTarget::TextHeight() const { return QFontMetricsF(FontOf(Font())).lineSpacing(); }

bool QtPrintTarget::DoBegin(int16_t orientation) {
    const QByteArray pdf = qgetenv("KIVAR_PRINT_PDF");
    pdfPath_.clear();
    if (!pdf.isEmpty()) pdfPath_ = B(QString::fromLocal8Bit(pdf));
    else if (QPrinterInfo::defaultPrinter().isNull()) pdfPath_ = fallbackPdf_;

    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setPageOrientation(orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (!pdfPath_.empty()) {
        // The PDF is made in a folder of its own and reaches its name
        // through the safe writer when the job ends.
        tempDir_ = std::make_unique<QTemporaryDir>();
        if (!tempDir_->isValid()) return false;
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(tempDir_->filePath("print.pdf"));
        // An A4 page whose printable area leaves a quarter inch all round,
        // as a printer's does.
        printer_->setPageSize(QPageSize(QPageSize::A4));
        printer_->setFullPage(false);
        printer_->setPageMargins(QMarginsF(kPdfMarginInch, kPdfMarginInch, kPdfMarginInch, kPdfMarginInch),
                                 QPageLayout::Inch);
    }
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(printer_.get())) {
        painter_.reset();
        printer_.reset();
        return false;
    }
    const QRectF page = printer_->pageRect(QPrinter::DevicePixel);
    const double res = printer_->resolution();
    pageWidth_ = page.width() * 1440.0 / res;
    pageHeight_ = page.height() * 1440.0 / res;
    painter_->setWindow(0, 0, static_cast<int>(pageWidth_), static_cast<int>(pageHeight_));
    painter_->setViewport(0, 0, static_cast<int>(page.width()), static_cast<int>(page.height()));
    painter_->setRenderHint(QPainter::Antialiasing, false);
    return true;
}

void QtPrintTarget::Finish() {
    if (painter_ && painter_->isActive()) painter_->end();
    painter_.reset();
    printer_.reset();
}

std::string QtPrintTarget::DoEnd() {
    Finish();
    if (pdfPath_.empty()) return "";
    QFile made(tempDir_->filePath("print.pdf"));
    std::string error;
    if (!made.open(QIODevice::ReadOnly)) error = B(made.errorString());
    else if (!SafeWriteFile(pdfPath_, made.readAll().toStdString(), &error)) {}
    tempDir_.reset();
    if (error.empty()) return pdfPath_;
    MsgBox(FileMessage(pdfPath_, error), vbExclamation);
    return "";
}

void QtPrintTarget::DoAbort() {
    if (printer_ && pdfPath_.empty()) printer_->abort();
    Finish();
    tempDir_.reset();
}

void QtPrintTarget::DoNewPage() {
    if (printer_) printer_->newPage();
}

void QtPrintTarget::DoFont(const PrintFont& font) {
    if (painter_) painter_->setFont(FontOf(font));
}

void QtPrintTarget::DoText(double x, double y, const std::string& text) {
    if (!painter_) return;
    painter_->setPen(Qt::black);
    painter_->drawText(QPointF(x, y + QFontMetricsF(FontOf(Font())).ascent()), Q(text));
}

void QtPrintTarget::DoLine(double x1, double y1, double x2, double y2, int32_t colour) {
    if (!painter_) return;
    painter_->setPen(QPen(ColourOf(colour), 0));
    painter_->drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void QtPrintTarget::DoBox(double x1, double y1, double x2, double y2, bool filled, int32_t colour) {
    if (!painter_) return;
    const QRectF r = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    if (filled) {
        painter_->fillRect(r, ColourOf(colour));
    } else {
        painter_->setPen(QPen(Qt::black, 0));
        painter_->setBrush(Qt::NoBrush);
        painter_->drawRect(r);
    }
}

void QtPrintDialogs::ShowSignText(PrintTextFields& fields, bool printerOutput) {
    frmPrintSignText dlg(main_);
    dlg.SetFields(fields, printerOutput);
    dlg.exec();
    // The close box leaves the fields as Done does.
    dlg.TakeFields(fields);
}

PrintOptionsAnswer QtPrintDialogs::ShowPrintOptions(const PrintOptionsRequest& request) {
    frmPrintOptions dlg(main_);
    dlg.ShowPrintOptions(request);
    dlg.exec();
    return dlg.Answer;
}

int16_t QtPrintDialogs::MainWindowState() {
    if (!main_) return 0;
    if (main_->isMinimized()) return 1;
    return main_->isMaximized() ? 2 : 0;
}

void QtPrintDialogs::SetMainWindowState(int16_t state) {
    if (!main_) return;
    if (state == 1) main_->showMinimized();
    else if (state == 2) main_->showMaximized();
    else main_->showNormal();
}

PrintSession::PrintSession(QWidget* mainWindow, const std::string& fallbackPdf)
    : target_(fallbackPdf), dialogs_(mainWindow) {
    SetPrintTarget(&target_);
    SetPrintDialogs(&dialogs_);
}

PrintSession::~PrintSession() {
    SetPrintTarget(nullptr);
    SetPrintDialogs(nullptr);
}
