#pragma once

#include <QByteArray>
#include <QString>

/// The controller's end of a pseudo-terminal in raw mode. The station opens
/// the slave path as its serial port; the slave stays open here as well, so
/// the station may close and reopen it without the master seeing a hang-up.
class PseudoTerminal {
public:
    /// Throws std::runtime_error when no pseudo-terminal can be had.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int masterFd() const { return m_master; }
    const QString& slavePath() const { return m_slavePath; }

    /// Points a symbolic link at `path` to the slave, replacing an older
    /// link there; refuses (std::runtime_error) to replace anything else.
    /// The link is removed again on destruction if it still points here.
    void link(const QString& path);

    /// Everything waiting on the master.
    QByteArray readAvailable();
    /// Writes all of `bytes`; false when the line is stuck (nobody reads the
    /// slave and its buffer is full) and the rest was dropped.
    bool write(const QByteArray& bytes);

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_linkPath;
};
