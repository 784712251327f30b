#include "BdIni.h"

#include "StationInfo.h"

#include <QFile>
#include <QSaveFile>
#include <stdexcept>

namespace bdini {

QString serverLine(bool serverFound, const QString& address) {
    return (serverFound ? QStringLiteral("servidorON") : QStringLiteral("servidorOFF")) + address;
}

QStringList updated(QStringList lines, bool serverFound, const QString& address) {
    if (lines.size() >= 1) lines[0] = serverLine(serverFound, address);
    if (lines.size() >= 2) lines[1] = station::shortVersion();
    return lines;
}

namespace {

QStringList readLines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error(
            QStringLiteral("Não foi possível abrir o arquivo %1: %2").arg(path, file.errorString())
                .toStdString());
    QString content = QString::fromUtf8(file.readAll());
    if (content.endsWith(u'\n')) content.chop(1);
    if (content.isEmpty()) return {};
    return content.split(u'\n');
}

}  // namespace

void rewrite(const QString& path, bool serverFound, const QString& address) {
    const QStringList lines = updated(readLines(path), serverFound, address);
    QSaveFile file(path);
    QByteArray data;
    for (const QString& line : lines) data += line.toUtf8() + '\n';
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw std::runtime_error(
            QStringLiteral("Não foi possível gravar o arquivo %1: %2").arg(path, file.errorString())
                .toStdString());
}

}  // namespace bdini
