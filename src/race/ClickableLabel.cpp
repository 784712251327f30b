#include "ClickableLabel.h"

#include <QIcon>
#include <QMouseEvent>

ClickableLabel::ClickableLabel(const QString& name, QWidget* parent) : QLabel(parent) {
    setObjectName(name);
}

void ClickableLabel::setPicture(const QString& resource, const QSize& size) {
    m_picture = true;
    setPixmap(QIcon(resource).pixmap(size, devicePixelRatioF()));
    setAlignment(Qt::AlignCenter);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    QLabel::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
