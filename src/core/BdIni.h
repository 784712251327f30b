#pragma once

#include <QString>
#include <QStringList>

/// The start-up file "bd.ini" that sibling programs read to find the database.
namespace bdini {

/// Line 1 tells whether a main station answered and which address is in use.
QString serverLine(bool serverFound, const QString& address);

/// Replaces lines 1 and 2 where they exist; a shorter file is not extended
/// and lines after the second are kept as they are.
QStringList updated(QStringList lines, bool serverFound, const QString& address);

/// Reads the file whole, updates it and writes it back. Throws
/// std::runtime_error with the file error when it cannot be read or written.
void rewrite(const QString& path, bool serverFound, const QString& address);

}  // namespace bdini
