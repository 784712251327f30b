#pragma once

#include "ReportLayout.h"

#include <stdexcept>

class QPainter;
class QWidget;

namespace platform::report {

/// Raised when a report cannot reach its output (no printer, unwritable
/// PDF); it travels to the application's error handler like any other error.
class ReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Paints one page; the painter's device has `dotsPerMm` pixels per mm.
void renderPage(QPainter& painter, const LaidOutPage& page, double dotsPerMm);

/// Where finished reports go. The system outputs unless a test installed
/// others (see `output()`).
class ReportOutput {
public:
    virtual ~ReportOutput() = default;
    /// The modal preview window: zoom, page through, print, save as PDF.
    virtual void preview(const LaidOutDocument& doc, QWidget* parent = nullptr) = 0;
    /// Straight to the default printer, no dialog. Throws ReportError when
    /// there is no printer or printing fails.
    virtual void print(const LaidOutDocument& doc, int copies = 1) = 0;
    /// Writes a PDF file, creating its folder. Throws ReportError on failure.
    virtual void savePdf(const LaidOutDocument& doc, const QString& path) = 0;
};

ReportOutput& output();
/// Installs `o` (not owned); null restores the system outputs.
void setOutput(ReportOutput* o);

/// The real outputs: the preview window, CUPS through QPrinter, QPdfWriter.
class SystemReportOutput : public ReportOutput {
public:
    void preview(const LaidOutDocument& doc, QWidget* parent) override;
    void print(const LaidOutDocument& doc, int copies) override;
    void savePdf(const LaidOutDocument& doc, const QString& path) override;
};

}  // namespace platform::report
