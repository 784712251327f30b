#include "Lamp.h"

#include <QPainter>
#include <QRadialGradient>

Lamp::Lamp(const QString& name, const QString& colorName, int diameter, QWidget* parent)
    : QLabel(parent), m_colorName(colorName), m_diameter(diameter) {
    setObjectName(name);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Lamp::setLit(bool lit) {
    if (m_lit == lit)
        return;
    m_lit = lit;
    update();
}

void Lamp::setColorName(const QString& name) {
    if (m_colorName == name)
        return;
    m_colorName = name;
    update();
}

QColor Lamp::shade(const QString& colorName) {
    // Saturated but not pure: pure red and green bleed on a dark panel.
    if (colorName == u"red")
        return QColor(0xff, 0x2d, 0x2d);
    if (colorName == u"green")
        return QColor(0x2e, 0xe8, 0x5c);
    if (colorName == u"amber")
        return QColor(0xff, 0xb0, 0x1f);
    if (colorName == u"blue")
        return QColor(0x2f, 0x8c, 0xff);
    if (colorName == u"white")
        return QColor(0xff, 0xf4, 0xd6);
    const QColor named = QColor::fromString(colorName);
    return named.isValid() ? named : QColor(Qt::gray);
}

// Room around the bulb for the glow of a lit lamp.
QSize Lamp::sizeHint() const {
    return {m_diameter + 6, m_diameter + 6};
}

void Lamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor base = shade(m_colorName);
    const qreal d = qMin(width(), height()) - 6;
    const QRectF r((width() - d) / 2, (height() - d) / 2, d, d);

    if (m_lit && isEnabled()) {
        const qreal halo = d / 2 + 3;
        QRadialGradient glow(r.center(), halo);
        QColor inner = base;
        inner.setAlpha(150);
        QColor outer = base;
        outer.setAlpha(0);
        glow.setColorAt(0.6, inner);
        glow.setColorAt(1, outer);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(r.center(), halo, halo);
    }

    // The bezel: a dark ring, as if the bulb sat in a metal housing.
    p.setPen(QPen(QColor(0x05, 0x06, 0x08), 2));
    p.setBrush(QColor(0x2a, 0x2f, 0x36));
    p.drawEllipse(r);

    const QRectF bulb = r.adjusted(2.5, 2.5, -2.5, -2.5);
    QRadialGradient g(bulb.center() - QPointF(bulb.width() * 0.18, bulb.height() * 0.18),
                      bulb.width() * 0.7);
    if (m_lit) {
        g.setColorAt(0, base.lighter(170));
        g.setColorAt(0.45, base);
        g.setColorAt(1, base.darker(160));
    } else {
        // Out, but still the lamp's own colour, so the tree reads at a glance.
        const QColor dim = base.darker(420);
        g.setColorAt(0, dim.lighter(180));
        g.setColorAt(1, dim);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(bulb);
    if (!isEnabled()) {
        p.setBrush(QColor(0, 0, 0, 110));
        p.drawEllipse(bulb);
    }
}
