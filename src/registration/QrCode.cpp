#include "QrCode.h"

#include <qrencode.h>
#include <QPainter>
#include <memory>

namespace qrcode {

QImage draw(const QString& text, int size) {
    const QByteArray utf8 = text.toUtf8();
    const std::unique_ptr<QRcode, void (*)(QRcode*)> code(
        QRcode_encodeString8bit(utf8.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code)
        return {};
    constexpr int kQuiet = 2;
    const int modules = code->width + 2 * kQuiet;
    const int scale = std::max(1, size / modules);
    QImage image(modules * scale, modules * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)  // bit 0: dark module
                painter.fillRect((x + kQuiet) * scale, (y + kQuiet) * scale, scale, scale,
                                 Qt::black);
    return image;
}

}  // namespace qrcode
