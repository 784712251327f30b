#include "RaceButton.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>

RaceButton::RaceButton(const QString& name, const QString& caption, const QString& picture,
                       const QString& keyHint, QWidget* parent)
    : QToolButton(parent), m_keyHint(keyHint) {
    setObjectName(name);
    setText(caption);
    setIcon(pictureIcon(picture));
    setIconSize(QSize(34, 34));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    setMinimumWidth(64);
    if (!keyHint.isEmpty())
        setToolTip(caption.trimmed() + QStringLiteral(" (") + keyHint + u')');
}

QIcon RaceButton::pictureIcon(const QString& picture) {
    return picture.isEmpty() ? QIcon()
                             : QIcon(QStringLiteral(":/ui/") + picture + QStringLiteral(".svg"));
}

void RaceButton::paintEvent(QPaintEvent* event) {
    QToolButton::paintEvent(event);
    if (m_keyHint.isEmpty())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = font();
    f.setPixelSize(10);
    f.setBold(true);
    p.setFont(f);
    const int w = QFontMetrics(f).horizontalAdvance(m_keyHint) + 8;
    const QRectF badge(width() - w - 4, 4, w, 15);
    QPainterPath path;
    path.addRoundedRect(badge, 3, 3);
    p.fillPath(path, isEnabled() ? QColor(0xff, 0xc4, 0x2e) : QColor(0x55, 0x5b, 0x63));
    p.setPen(QColor(0x14, 0x17, 0x1b));
    p.drawText(badge, Qt::AlignCenter, m_keyHint);
}
