#include "DigitDisplay.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>

namespace {

const QString kFamily = QStringLiteral("DSEG7 Classic");
const QString kFontFile = QStringLiteral("/usr/share/fonts/truetype/dseg/DSEG7Classic-Bold.ttf");
constexpr int kGhostDigits = 5;

/// What the segments can show: a comma becomes the decimal point.
QString displayed(const QString& text) {
    QString shown = text;
    shown.replace(u',', u'.');
    return shown;
}

/// The unlit segments behind `shown`: every position that can hold a digit
/// shows an "8", padded on the left to a fixed count so short texts sit on
/// the same glass as long ones.
QString ghostOf(const QString& shown) {
    QString ghost;
    int digits = 0;
    for (const QChar c : shown) {
        if (c == u'.' || c == u':') {
            ghost += c;
        } else {
            ghost += u'8';
            ++digits;
        }
    }
    if (digits < kGhostDigits)
        ghost.prepend(QString(kGhostDigits - digits, u'8'));
    return ghost;
}

}  // namespace

DigitDisplay::DigitDisplay(const QString& name, const QString& text, const QColor& digits,
                           QWidget* parent)
    : QLabel(text, parent), m_color(digits) {
    setObjectName(name);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QString DigitDisplay::fontFamily() {
    static const QString family = [] {
        if (QFontDatabase::families().contains(kFamily))
            return kFamily;
        const int id = QFontDatabase::addApplicationFont(kFontFile);
        const QStringList loaded =
            id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        // Without the font the digits still show, in the default monospace face.
        return loaded.isEmpty() ? QStringLiteral("Monospace") : loaded.first();
    }();
    return family;
}

void DigitDisplay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF glass = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath frame;
    frame.addRoundedRect(glass, 6, 6);
    QLinearGradient bg(glass.topLeft(), glass.bottomLeft());
    bg.setColorAt(0, QColor(0x0c, 0x0f, 0x13));
    bg.setColorAt(1, QColor(0x03, 0x04, 0x05));
    p.fillPath(frame, bg);
    p.setPen(QPen(QColor(0x33, 0x3a, 0x44), 1));
    p.drawPath(frame);

    const QString shown = displayed(text());
    const QString ghost = ghostOf(shown);
    QFont f(fontFamily());
    f.setBold(true);
    // In steps of 4 px: rows of a grid differ by a pixel or two, and the
    // digits of neighbouring rows should not.
    f.setPixelSize(qMax(8, int(height() * m_scale) / 4 * 4));
    f.setStretch(118);  // the segment face is narrow; a little wider reads better from a step back
    f.setStyleStrategy(QFont::PreferAntialias);

    // Shrink when the glass is narrow rather than cutting digits off.
    const qreal room = glass.width() - 24;
    const qreal needed = QFontMetricsF(f).horizontalAdvance(ghost);
    if (needed > room && needed > 0)
        f.setPixelSize(qMax(8, int(f.pixelSize() * room / needed)));
    p.setFont(f);

    const QRectF area = glass.adjusted(12, 0, -12, 0);
    const Qt::Alignment align = (alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
    QColor unlit = m_color;
    unlit.setAlpha(isEnabled() ? 26 : 12);
    p.setPen(unlit);
    p.drawText(area, align, ghost);
    // The lit digits on the ghost's segments: padded to its length with
    // the font's blank digit "!", as wide as a digit (its space is narrower).
    QString lit = shown;
    if (ghost.size() > shown.size())
        lit.prepend(QString(ghost.size() - shown.size(), u'!'));
    QColor on = m_color;
    if (!isEnabled())
        on.setAlpha(110);
    p.setPen(on);
    p.drawText(area, align, lit);
}
