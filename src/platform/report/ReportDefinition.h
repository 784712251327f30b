#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <QVariantMap>

/// A report is a description (page, bands, items) plus data (rows and
/// report-wide values). Nothing here paints: the layout turns the two into
/// pages, the outputs render those pages to a preview, a printer or a PDF.
namespace platform::report {

/// Page geometry in millimetres. A roll has no fixed height: its single page
/// is exactly as long as what is printed on it.
struct PageSetup {
    double widthMm = 210;
    double heightMm = 297;
    double leftMm = 10, topMm = 10, rightMm = 10, bottomMm = 10;
    bool continuous = false;

    double printableWidthMm() const { return widthMm - leftMm - rightMm; }

    static PageSetup a4();
    static PageSetup roll80();
    static PageSetup roll57();
};

enum class Align { Left, Center, Right };

struct Font {
    QString family = QStringLiteral("DejaVu Sans");
    double pointSize = 9;
    bool bold = false;
    bool italic = false;
};

/// The Qt font of `f`; layout and painting both measure with it.
QFont toQFont(const Font& f);

enum class ItemKind { Text, Line, Frame, Picture };

/// One printed element of a band. Rectangles are in millimetres relative to
/// the band's top-left corner at the left margin.
///
/// Text is a template: literal text with placeholders in braces.
///   {NAME}             the current row's column NAME (case-insensitive),
///                      else the report-wide value NAME, else empty
///   {NAME:####0.000}   the same, as a number in that display format
///                      ('#' optional digit, '0' required digit, '.' the
///                      decimal point, printed as the report's separator)
///   {#page}            page number;  {#pages}  page count
///   {#row}             detail rows printed so far in the report (1-based)
///   {#grouprow}        detail rows printed so far in the current group
///   {#now:dd/MM/yyyy hh:mm}  the print time in a Qt date-time format
/// "{{" and "}}" print literal braces.
struct Item {
    ItemKind kind = ItemKind::Text;
    QRectF rectMm;
    QString text;
    Font font;
    Align align = Align::Left;
    bool box = false;       // a frame drawn round the text rectangle
    bool wordWrap = false;  // wraps inside the width; the band grows to fit
    QImage picture;         // kind Picture: scaled into rectMm, aspect kept
    QColor color = Qt::black;
    double lineWidthMm = 0.2;  // lines and frames
};

/// Convenience builders, so report descriptions read as tables.
Item text(QRectF rectMm, QString text, Font font = {}, Align align = Align::Left);
Item line(QPointF fromMm, QPointF toMm, double widthMm = 0.2);
Item frame(QRectF rectMm, double widthMm = 0.2);
Item picture(QRectF rectMm, QImage image);

enum class BandKind {
    PageHeader,   // top of every page
    GroupHeader,  // before the first row of each group
    Detail,       // once per data row
    GroupFooter,  // after the last row of each group
    Summary,      // once after the last row
    PageFooter,   // bottom of every page (continuous pages: at the end)
};

struct Band {
    BandKind kind = BandKind::Detail;
    double heightMm = 5;
    QList<Item> items;
    /// Group bands: a group is a run of consecutive rows with the same value
    /// of this column. Groups nest in the order their headers are listed.
    QString groupField;
    /// Group headers: each group starts on a new page.
    bool newPageBefore = false;
    /// A band that is not printed at all (a layout option switched off).
    bool visible = true;
};

struct ReportDefinition {
    QString title;  // document title (window caption, PDF metadata)
    PageSetup page;
    QList<Band> bands;
    QChar decimalSeparator = QLatin1Char(',');
};

struct ReportData {
    QList<QVariantMap> rows;  // detail rows, in print order
    QVariantMap values;       // report-wide values (championship, event...)
};

}  // namespace platform::report
