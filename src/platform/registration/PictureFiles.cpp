#include "PictureFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform::picturefiles {

QString folder(const QString& home, const QString& name) {
    QString path = QDir(home).filePath(name);
    QDir().mkpath(path);
    if (!path.endsWith(u'/'))
        path += u'/';
    return path;
}

QString extension(const QString& path) {
    const QString file = QFileInfo(path).fileName();
    const qsizetype dot = file.lastIndexOf(u'.');
    return dot <= 0 ? QString() : file.mid(dot);
}

QString plainName(const QString& name) {
    QString plain = name;
    plain.replace(u'\\', u'/');
    plain = QFileInfo(plain).fileName();
    return plain == QStringLiteral(".") || plain == QStringLiteral("..") ? QString() : plain;
}

bool write(const QString& path, const QByteArray& bytes) {
    // A picture another program (a report being printed) is reading is
    // swapped whole, never seen half written.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

QByteArray read(const QString& path, bool* ok) {
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    if (ok)
        *ok = opened;
    return opened ? file.readAll() : QByteArray();
}

}  // namespace platform::picturefiles
