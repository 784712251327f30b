#include "uSobre.h"

#include "core/StationInfo.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

TfrmSobre::TfrmSobre(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmSobre"));
    setWindowTitle(QStringLiteral("Sobre"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("imgSobre"));
    image->setPixmap(picture());
    image->setAlignment(Qt::AlignCenter);

    auto* brand = new QLabel(station::brandText(), this);
    brand->setObjectName(QStringLiteral("lblMarca"));
    brand->setAlignment(Qt::AlignCenter);
    brand->setStyleSheet(QStringLiteral("font-size: 14pt; font-weight: bold; color: #1f242a;"));

    auto* version = new QLabel(versionLine(), this);
    version->setObjectName(QStringLiteral("lblVersao"));
    version->setAlignment(Qt::AlignCenter);
    version->setStyleSheet(QStringLiteral("font-size: 10pt; color: #30363d;"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 20);
    layout->setSpacing(10);
    layout->addWidget(image);
    layout->addWidget(brand);
    layout->addWidget(version);
    setFixedSize(380, 360);
}

/// The status bar writes "Versão: 3.8.2 …"; this window has no colon after the word.
QString TfrmSobre::versionLine() {
    QString text = station::versionText();
    text.replace(QStringLiteral("Versão: "), QStringLiteral("Versão "));
    return text;
}

QPixmap TfrmSobre::picture() {
    constexpr int kWidth = 120;
    constexpr int kHeight = 200;
    QPixmap pixmap(kWidth, kHeight);
    pixmap.fill(Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // The pole and the housing of the lights.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x3d, 0x46, 0x50));
    painter.drawRect(kWidth / 2 - 4, 150, 8, 46);
    painter.setBrush(QColor(0x1f, 0x24, 0x2a));
    painter.drawRoundedRect(QRectF(18, 4, kWidth - 36, 150), 10, 10);
    // Stage lamps, three ambers and the green that starts the race.
    const QColor lamps[] = {QColor(0xf5, 0xf5, 0xf5), QColor(0x5a, 0x40, 0x10),
                            QColor(0x5a, 0x40, 0x10), QColor(0x5a, 0x40, 0x10),
                            QColor(0x2e, 0xcc, 0x40)};
    for (int i = 0; i < 5; ++i) {
        const qreal y = 12 + i * 28;
        painter.setBrush(lamps[i]);
        painter.drawEllipse(QRectF(30, y, 22, 22));
        painter.drawEllipse(QRectF(kWidth - 52, y, 22, 22));
    }
    return pixmap;
}
