#pragma once

#include "ReportDefinition.h"

#include <QDateTime>
#include <QSizeF>

namespace platform::report {

/// An item placed on a page, its text resolved: what the outputs paint and
/// what tests read.
struct PlacedItem {
    ItemKind kind = ItemKind::Text;
    QRectF rectMm;  // page coordinates
    QString text;
    Font font;
    Align align = Align::Left;
    bool box = false;
    bool wordWrap = false;
    QImage picture;
    QColor color = Qt::black;
    double lineWidthMm = 0.2;
};

struct LaidOutPage {
    QSizeF sizeMm;
    QList<PlacedItem> items;
    /// The texts of the page top to bottom, left to right, one line per
    /// printed line of items.
    QString text() const;
};

struct LaidOutDocument {
    QString title;
    QList<LaidOutPage> pages;
    QString text() const;  // all pages, separated by form feeds
};

/// Lays the rows out on pages: bands in order, page breaks before a band that
/// would cross the page footer, group headers and footers where the group
/// value changes, page numbers resolved once the page count is known.
/// `printedAt` is the time {#now} prints.
LaidOutDocument layOut(const ReportDefinition& definition, const ReportData& data,
                       const QDateTime& printedAt);

/// A number in a display format such as "####0.000", "##0.0" or "00.000",
/// with `decimalSeparator` as the decimal point. Rounds half away from zero.
QString formatNumber(double value, const QString& format, QChar decimalSeparator);

/// Height in millimetres that `text` needs when wrapped into `widthMm`.
double wrappedHeightMm(const QString& text, const Font& font, double widthMm);

}  // namespace platform::report
