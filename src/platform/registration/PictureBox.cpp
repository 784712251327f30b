#include "PictureBox.h"

#include "PictureFiles.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QMouseEvent>
#include <QPainter>

namespace platform {

PictureBox::PictureBox(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setMinimumSize(64, 64);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);
}

bool PictureBox::setPicture(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    QImage image = reader.read();
    if (image.isNull())
        return false;
    m_image = std::move(image);
    m_bytes = bytes;
    m_format = format.toLower();
    update();
    return true;
}

void PictureBox::setImage(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    m_image = image;
    m_bytes = bytes;
    m_format = QByteArray(format).toLower();
    update();
}

bool PictureBox::loadFile(const QString& path) {
    bool ok = false;
    const QByteArray bytes = picturefiles::read(path, &ok);
    return ok && setPicture(bytes);
}

void PictureBox::clear() {
    m_image = QImage();
    m_bytes.clear();
    m_format.clear();
    update();
}

bool PictureBox::saveTo(const QString& path) const {
    return !isEmpty() && picturefiles::write(path, m_bytes);
}

void PictureBox::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (m_image.isNull())
        return;
    const QRect area = contentsRect().adjusted(2, 2, -2, -2);
    // Small pictures (a 120 px logo) keep their size; larger ones shrink to fit.
    QSize size = m_image.size();
    if (size.width() > area.width() || size.height() > area.height())
        size.scale(area.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), size);
    target.moveCenter(area.center());
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform,
                          !m_image.isGrayscale() || size.width() > m_image.width());
    painter.drawImage(target, m_image);
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit doubleClicked();
}

}  // namespace platform
