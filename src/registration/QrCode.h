#pragma once

#include <QImage>
#include <QString>

/// QR codes drawn on the station itself: a track often has no Internet.
namespace qrcode {

/// `text` as a black-on-white QR code about `size` pixels wide (whole pixels
/// per module, a quiet zone of two modules); a null image when the text does
/// not fit in a QR code.
QImage draw(const QString& text, int size = 200);

}  // namespace qrcode
