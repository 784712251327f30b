#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

/// The station's run log: the controller lines and operator actions of the
/// race pair under way, kept in memory and written whole to a text file when
/// a run is saved, when the controller reports a stop, or when an error
/// escapes, so the sequence that led there can be read afterwards.
class RunLog {
public:
    void append(const QString& line) { m_lines << line; }
    /// Appends the time of day, "#" and `text`, the shape of controller lines
    /// and button presses in the log.
    void appendTimed(const QString& text);
    void clear() { m_lines.clear(); }
    const QStringList& lines() const { return m_lines; }
    bool isEmpty() const { return m_lines.isEmpty(); }

    /// Replaces the file at `path` with every line, each ended by a line
    /// break. Throws std::runtime_error when the file cannot be written.
    void writeTo(const QString& path) const;

    /// "yyyymmdd-hhmmss.txt": two saves in one second share a name on purpose,
    /// the later file replaces the earlier.
    static QString fileName(const QDateTime& at);
    /// `base` + folder + "/" + yyyymmdd + "/".
    static QString dayFolder(const QString& base, const QString& folder, const QDate& day);

private:
    QStringList m_lines;
};
