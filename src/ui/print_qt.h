// Printing through Qt: the print target on the default printer (QPrinter in
// high resolution, the painter's window the page in twips, text in DejaVu
// Sans), or on a PDF file when the environment variable KIVAR_PRINT_PDF names
// one or no default printer exists; and the print dialogs of the runs.
#pragma once

#include <memory>
#include <string>

#include "platform/printtarget.h"

class QPainter;
class QPrinter;
class QTemporaryDir;
class QWidget;

class QtPrintTarget : public kv::PrintTarget {
public:
    // `fallbackPdf`: the file a job goes to without a default printer.
    explicit QtPrintTarget(std::string fallbackPdf);
    ~QtPrintTarget() override;

    double PageWidth() const override { return pageWidth_; }
    double PageHeight() const override { return pageHeight_; }
    // The dot painter measures in pixels of a 300-dpi printer, so that a
    // sign prints at the same size on every printer.
    double TwipsPerPixelX() const override { return 4.8; }
    double TwipsPerPixelY() const override { return 4.8; }
    double TextWidth(const std::string& text) const override;
    double TextHeight() const override;

    // The PDF file of the job, "" when it goes to a printer.
    const std::string& PdfPath() const { return pdfPath_; }

protected:
    bool DoBegin(int16_t orientation) override;
    std::string DoEnd() override;
    void DoAbort() override;
    void DoNewPage() override;
    void DoFont(const kv::PrintFont& font) override;
    void DoText(double x, double y, const std::string& text) override;
    void DoLine(double x1, double y1, double x2, double y2, int32_t colour) override;
    void DoBox(double x1, double y1, double x2, double y2, bool filled, int32_t colour) override;

private:
    void Finish();
    std::string fallbackPdf_;
    std::string pdfPath_;
    std::unique_ptr<QTemporaryDir> tempDir_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    double pageWidth_ = 11906, pageHeight_ = 16838;
};

class QtPrintDialogs : public kv::PrintDialogs {
public:
    explicit QtPrintDialogs(QWidget* mainWindow) : main_(mainWindow) {}
    void ShowSignText(kv::PrintTextFields& fields, bool printerOutput) override;
    kv::PrintOptionsAnswer ShowPrintOptions(const kv::PrintOptionsRequest& request) override;
    int16_t MainWindowState() override;
    void SetMainWindowState(int16_t state) override;

private:
    QWidget* main_;
};

// The Qt target and dialogs installed for one print command.
class PrintSession {
public:
    PrintSession(QWidget* mainWindow, const std::string& fallbackPdf);
    ~PrintSession();
    PrintSession(const PrintSession&) = delete;
    PrintSession& operator=(const PrintSession&) = delete;

private:
    QtPrintTarget target_;
    QtPrintDialogs dialogs_;
};
