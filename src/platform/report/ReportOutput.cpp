#include "ReportOutput.h"

#include "ReportPreview.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>

#include <algorithm>

namespace platform::report {

namespace {

ReportOutput* installed = nullptr;

constexpr double mmPerInch = 25.4;

QRectF toDots(const QRectF& mm, double dotsPerMm) {
    return {mm.x() * dotsPerMm, mm.y() * dotsPerMm, mm.width() * dotsPerMm,
            mm.height() * dotsPerMm};
}

Qt::Alignment horizontal(Align a) {
    switch (a) {
        case Align::Center:
            return Qt::AlignHCenter;
        case Align::Right:
            return Qt::AlignRight;
        case Align::Left:
            break;
    }
    return Qt::AlignLeft;
}

/// The item's font sized for a device of `dotsPerMm`. Qt turns points into
/// pixels with the device's own logical dpi, which is not always the scale we
/// paint at (an image has whatever dots per metre it was given, a preview
/// page is zoomed), so the point size is corrected by the ratio of the two:
/// a 10 pt text must be 3.5 mm tall on paper and on a 100 % preview alike.
QFont fontFor(const Font& f, const QPainter& painter, double dotsPerMm) {
    QFont font = toQFont(f);
    const int deviceDpi = painter.device() ? painter.device()->logicalDpiY() : 0;
    if (font.pointSizeF() > 0 && deviceDpi > 0)
        font.setPointSizeF(font.pointSizeF() * dotsPerMm * mmPerInch / deviceDpi);
    return font;
}

QPen penFor(const PlacedItem& item, double dotsPerMm) {
    // A width of zero stays a hairline: Qt's cosmetic one-dot pen.
    QPen pen(item.color.isValid() ? item.color : QColor(Qt::black));
    pen.setWidthF(std::max(0.0, item.lineWidthMm) * dotsPerMm);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void paintText(QPainter& painter, const PlacedItem& item, double dotsPerMm) {
    const QRectF rect = toDots(item.rectMm, dotsPerMm);
    painter.save();
    painter.setFont(fontFor(item.font, painter, dotsPerMm));
    painter.setPen(item.color.isValid() ? item.color : QColor(Qt::black));
    // A text never spills into its neighbours: what does not fit is cut at
    // the rectangle, as the layout measured it.
    painter.setClipRect(rect, Qt::IntersectClip);
    const Qt::Alignment vertical = item.wordWrap ? Qt::AlignTop : Qt::AlignVCenter;
    int flags = int(horizontal(item.align) | vertical);
    if (item.wordWrap)
        flags |= Qt::TextWordWrap;
    painter.drawText(rect, flags, item.text);
    painter.restore();
    if (item.box) {
        painter.save();
        painter.setPen(penFor(item, dotsPerMm));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect);
        painter.restore();
    }
}

void paintPicture(QPainter& painter, const PlacedItem& item, double dotsPerMm) {
    if (item.picture.isNull() || item.rectMm.isEmpty())
        return;
    const QRectF rect = toDots(item.rectMm, dotsPerMm);
    QSizeF size = QSizeF(item.picture.size()).scaled(rect.size(), Qt::KeepAspectRatio);
    QRectF target(QPointF(), size);
    target.moveCenter(rect.center());
    painter.drawImage(target, item.picture);
}

/// Millimetres as a page size. Landscape sizes are given in portrait with a
/// landscape orientation, since a page size is always stored upright and an
/// exact standard size (A4) is then still recognised by printers.
QPageLayout layoutFor(const LaidOutPage& page) {
    const QSizeF mm = page.sizeMm;
    const bool landscape = mm.width() > mm.height();
    const QSizeF upright = landscape ? mm.transposed() : mm;
    QPageLayout layout(QPageSize(upright, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(),
                       QPageLayout::Millimeter);
    // Our pages carry their own margins; the device must not add its own.
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

/// Paints every page of `doc` on `device`, whose first page layout is already
/// set; `painter` is active on it. Throws `failure` when the device refuses
/// a new page.
void paintPages(QPagedPaintDevice& device, QPainter& painter, const LaidOutDocument& doc,
                const QString& failure) {
    const double dotsPerMm = device.logicalDpiX() / mmPerInch;
    for (qsizetype i = 0; i < doc.pages.size(); ++i) {
        if (i > 0) {
            device.setPageLayout(layoutFor(doc.pages.at(i)));
            if (!device.newPage())
                throw ReportError(failure.toStdString());
        }
        renderPage(painter, doc.pages.at(i), dotsPerMm);
    }
}

QString printerStateError(QPrinter::PrinterState state, const QString& printer) {
    switch (state) {
        case QPrinter::Error:
            return QStringLiteral("A impressora %1 está com erro").arg(printer);
        case QPrinter::Aborted:
            return QStringLiteral("Impressão cancelada na impressora %1").arg(printer);
        case QPrinter::Idle:
        case QPrinter::Active:
            break;
    }
    return {};
}

}  // namespace

void renderPage(QPainter& painter, const LaidOutPage& page, double dotsPerMm) {
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    for (const PlacedItem& item : page.items) {
        switch (item.kind) {
            case ItemKind::Text:
                paintText(painter, item, dotsPerMm);
                break;
            case ItemKind::Line:
                painter.setPen(penFor(item, dotsPerMm));
                painter.drawLine(item.rectMm.topLeft() * dotsPerMm,
                                 item.rectMm.bottomRight() * dotsPerMm);
                break;
            case ItemKind::Frame:
                painter.setPen(penFor(item, dotsPerMm));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(toDots(item.rectMm, dotsPerMm));
                break;
            case ItemKind::Picture:
                paintPicture(painter, item, dotsPerMm);
                break;
        }
    }
    painter.restore();
}

ReportOutput& output() {
    static SystemReportOutput real;
    return installed ? *installed : real;
}

void setOutput(ReportOutput* o) {
    installed = o;
}

void SystemReportOutput::preview(const LaidOutDocument& doc, QWidget* parent) {
    ReportPreview window(doc, parent);
    window.exec();
}

/// Prints on the default printer without asking. Every page keeps its own
/// paper size, so a roll ticket is cut at its own length.
void SystemReportOutput::print(const LaidOutDocument& doc, int copies) {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        throw ReportError("Nenhuma impressora instalada");
    const QString name = info.printerName();
    const QString failure = QStringLiteral("Não foi possível imprimir na impressora %1").arg(name);
    if (doc.pages.isEmpty())
        return;

    QPrinter printer(info, QPrinter::HighResolution);
    if (!printer.isValid())
        throw ReportError(failure.toStdString());
    printer.setDocName(doc.title);
    printer.setFullPage(true);
    printer.setPageLayout(layoutFor(doc.pages.first()));
    const int wanted = std::max(1, copies);
    // A driver without copies of its own gets the pages again from us.
    const bool driverCopies = printer.supportsMultipleCopies();
    printer.setCopyCount(driverCopies ? wanted : 1);
    const int repeats = driverCopies ? 1 : wanted;

    QPainter painter;
    if (!painter.begin(&printer))
        throw ReportError(failure.toStdString());
    for (int copy = 0; copy < repeats; ++copy) {
        if (copy > 0) {
            printer.setPageLayout(layoutFor(doc.pages.first()));
            if (!printer.newPage()) {
                painter.end();
                throw ReportError(failure.toStdString());
            }
        }
        try {
            paintPages(printer, painter, doc, failure);
        } catch (...) {
            painter.end();
            throw;
        }
    }
    if (!painter.end())
        throw ReportError(failure.toStdString());
    // The job is handed to the spooler; a printer that stopped on it (out of
    // paper, offline) says so only through its queue's state.
    QString trouble = printerStateError(printer.printerState(), name);
    if (trouble.isEmpty())
        trouble = printerStateError(QPrinterInfo::printerInfo(name).state(), name);
    if (!trouble.isEmpty())
        throw ReportError(trouble.toStdString());
}

/// Writes the document as a PDF at 600 dpi. The file is replaced only once
/// it is complete, so a failed write never leaves a truncated report behind
/// (nor destroys the one that was there).
void SystemReportOutput::savePdf(const LaidOutDocument& doc, const QString& path) {
    const QString failure = QStringLiteral("Não foi possível gravar o PDF %1").arg(path);
    const QFileInfo info(path);
    if (path.isEmpty() || !QDir().mkpath(info.absolutePath()))
        throw ReportError(failure.toStdString());
    QSaveFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::WriteOnly))
        throw ReportError(failure.toStdString());

    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setTitle(doc.title);
        // A PDF needs at least one page: an empty report is one blank A4.
        LaidOutPage blank;
        blank.sizeMm = QSizeF(210, 297);
        writer.setPageLayout(layoutFor(doc.pages.isEmpty() ? blank : doc.pages.first()));
        QPainter painter;
        if (!painter.begin(&writer))
            throw ReportError(failure.toStdString());
        try {
            paintPages(writer, painter, doc, failure);
        } catch (...) {
            painter.end();
            throw;
        }
        if (!painter.end())
            throw ReportError(failure.toStdString());
    }
    if (!file.commit())
        throw ReportError(failure.toStdString());
}

}  // namespace platform::report
