#pragma once

#include <QByteArray>
#include <QString>

/// The working copies of pictures: files in folders below the station folder
/// ("logoseventos", "imgs", "fotopilotos") written from the blobs, which stay
/// the master copies, so windows and reports can load them by name.
namespace platform::picturefiles {

/// Makes sure `home`/`name` exists; returns it with a trailing '/'.
QString folder(const QString& home, const QString& name);
/// The extension of `path` with its dot and its case ("Equipe.PNG" gives ".PNG").
QString extension(const QString& path);
/// A name read from the database, reduced to a plain file name so that it
/// cannot point outside its folder.
QString plainName(const QString& name);
/// Replaces the file at `path` with `bytes`.
bool write(const QString& path, const QByteArray& bytes);
QByteArray read(const QString& path, bool* ok = nullptr);

}  // namespace platform::picturefiles
