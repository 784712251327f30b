#include "ReportDefinition.h"

#include <utility>

namespace platform::report {

PageSetup PageSetup::a4() {
    PageSetup p;
    p.widthMm = 210;
    p.heightMm = 297;
    p.leftMm = p.topMm = p.rightMm = p.bottomMm = 10;
    p.continuous = false;
    return p;
}

/// The 80 mm receipt roll: the head prints about 72 mm of it, centred.
/// Its length comes from what is printed, so the height stays 0.
PageSetup PageSetup::roll80() {
    PageSetup p;
    p.widthMm = 80;
    p.heightMm = 0;
    p.leftMm = 4;
    p.rightMm = 4;
    p.topMm = 3;
    p.bottomMm = 3;
    p.continuous = true;
    return p;
}

/// The 57 mm roll: the printers of this width put a column of about 48 mm
/// against the left edge, hence the uneven margins.
PageSetup PageSetup::roll57() {
    PageSetup p;
    p.widthMm = 57;
    p.heightMm = 0;
    p.leftMm = 2;
    p.rightMm = 7;
    p.topMm = 3;
    p.bottomMm = 3;
    p.continuous = true;
    return p;
}

/// Hinting is switched off so the text measures the same at the layout's
/// resolution and at whatever resolution a page is painted: widths then
/// scale linearly and a line that fitted when laid out still fits on paper.
QFont toQFont(const Font& f) {
    QFont font(f.family);
    font.setPointSizeF(f.pointSize > 0 ? f.pointSize : 9);
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

Item text(QRectF rectMm, QString text, Font font, Align align) {
    Item item;
    item.kind = ItemKind::Text;
    item.rectMm = rectMm;
    item.text = std::move(text);
    item.font = std::move(font);
    item.align = align;
    return item;
}

/// A line keeps its direction: the rectangle runs from `fromMm` (top-left
/// corner) to `toMm` (bottom-right corner) without being normalised, so a
/// rising diagonal survives; outputs draw topLeft() to bottomRight().
Item line(QPointF fromMm, QPointF toMm, double widthMm) {
    Item item;
    item.kind = ItemKind::Line;
    item.rectMm = QRectF(fromMm, toMm);
    item.lineWidthMm = widthMm;
    return item;
}

Item frame(QRectF rectMm, double widthMm) {
    Item item;
    item.kind = ItemKind::Frame;
    item.rectMm = rectMm;
    item.lineWidthMm = widthMm;
    return item;
}

Item picture(QRectF rectMm, QImage image) {
    Item item;
    item.kind = ItemKind::Picture;
    item.rectMm = rectMm;
    item.picture = std::move(image);
    return item;
}

}  // namespace platform::report
