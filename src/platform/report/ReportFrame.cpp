#include "ReportFrame.h"

#include <algorithm>

namespace platform::report {
namespace {

// The organizer's pictures sit in slots at the header's right, last first.
constexpr double kPictureSlotWidthMm = 32;
constexpr double kPictureGapMm = 2;
constexpr double kPictureHeightMm = 16;  // beside the three value lines
constexpr double kLabelWidthMm = 27;
constexpr double kHeaderHeightMm = 28;

/// Heading and credits are the caller's text (a measure's configured name
/// can end up in a heading): braces in them print as braces.
QString literal(QString text) {
    text.replace(QLatin1Char('{'), QStringLiteral("{{"));
    text.replace(QLatin1Char('}'), QStringLiteral("}}"));
    return text;
}

Font font(double pointSize, bool bold = false, bool italic = false) {
    Font f;
    f.pointSize = pointSize;
    f.bold = bold;
    f.italic = italic;
    return f;
}

}  // namespace

/// The header of the A4 reports. Callers append their own items (the
/// category line, column titles) below the rule at the band's foot, growing
/// the band's height as they need.
Band frameHeader(const PageSetup& page, const QString& heading,
                 const QList<QImage>& organizerPictures) {
    const double width = page.printableWidthMm();
    Band band;
    band.kind = BandKind::PageHeader;
    band.heightMm = kHeaderHeightMm;

    double right = width;
    for (const QImage& image : organizerPictures) {
        if (image.isNull())
            continue;
        right -= kPictureSlotWidthMm;
        band.items.append(picture(QRectF(right, 0, kPictureSlotWidthMm, kPictureHeightMm), image));
        right -= kPictureGapMm;
    }
    const double textWidth = std::max(right, kLabelWidthMm + 10);
    const double valueWidth = textWidth - kLabelWidthMm;

    band.items.append(
        text(QRectF(0, 0, kLabelWidthMm, 5), QStringLiteral("CAMPEONATO:"), font(9, true)));
    band.items.append(
        text(QRectF(kLabelWidthMm, 0, valueWidth, 5), QStringLiteral("{CAMPEONATO}"), font(9)));
    band.items.append(
        text(QRectF(0, 5.5, kLabelWidthMm, 5), QStringLiteral("EVENTO:"), font(9, true)));
    band.items.append(
        text(QRectF(kLabelWidthMm, 5.5, valueWidth, 5), QStringLiteral("{EVENTO}"), font(9)));
    band.items.append(text(QRectF(0, 11, kLabelWidthMm, 5), QStringLiteral("{DATA}"), font(9)));
    band.items.append(
        text(QRectF(kLabelWidthMm, 11, valueWidth, 5), QStringLiteral("{LOCAL}"), font(9)));
    // The heading gets the full width below the pictures: it carries the
    // measure's name and must not be clipped.
    band.items.append(text(QRectF(0, 17.5, width, 8), literal(heading), font(14, true)));
    band.items.append(line(QPointF(0, 27), QPointF(width, 27), 0.3));
    return band;
}

/// The footer of the A4 reports, anchored at the bottom margin by the layout.
Band frameFooter(const PageSetup& page, const QString& credits) {
    const double width = page.printableWidthMm();
    const double side = 45;
    Band band;
    band.kind = BandKind::PageFooter;
    band.heightMm = credits.isEmpty() ? 6.5 : 11;

    band.items.append(line(QPointF(0, 0.5), QPointF(width, 0.5), 0.3));
    band.items.append(text(QRectF(0, 1.5, side, 4.5),
                           QStringLiteral("Impresso em: {#now:dd/MM/yyyy hh:mm}"), font(7.5)));
    band.items.append(text(QRectF(side, 1.5, width - 2 * side, 4.5),
                           QStringLiteral("RESULTADOS EXTRA-OFICIAIS, SUJEITOS A DESCLASSIFICAÇÃO"),
                           font(7.5, true), Align::Center));
    band.items.append(text(QRectF(width - side, 1.5, side, 4.5), QStringLiteral("Pag.: {#page}"),
                           font(7.5), Align::Right));
    if (!credits.isEmpty())
        band.items.append(
            text(QRectF(0, 6.5, width, 4), literal(credits), font(7, false, true), Align::Center));
    return band;
}

}  // namespace platform::report
