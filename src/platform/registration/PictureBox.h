#pragma once

#include <QByteArray>
#include <QFrame>
#include <QImage>

namespace platform {

/// A picture shown scaled into a frame, as it was read: the box keeps the
/// encoded bytes and their format, so writing the picture out gives the same
/// file, whatever name it gets. A double click asks for another picture.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    /// Shows the picture encoded in `bytes`; false (and the box unchanged)
    /// when they are not a picture.
    bool setPicture(const QByteArray& bytes);
    /// Shows `image`, kept encoded in `format` ("BMP", "PNG").
    void setImage(const QImage& image, const char* format);
    bool loadFile(const QString& path);
    void clear();

    bool isEmpty() const { return m_image.isNull(); }
    const QImage& image() const { return m_image; }
    const QByteArray& bytes() const { return m_bytes; }
    /// The format of the bytes, in lower case ("png", "bmp", "jpeg").
    const QByteArray& format() const { return m_format; }
    /// Writes the bytes as they are; false when empty or not written.
    bool saveTo(const QString& path) const;

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    QByteArray m_bytes;
    QByteArray m_format;
};

}  // namespace platform
