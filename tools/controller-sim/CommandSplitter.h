#pragma once

#include <QByteArray>
#include <QList>

/// Cuts the station's byte stream into commands. Most commands end in "@";
/// two kinds carry no terminator: the reply "Largada" (always those seven
/// characters) and the speed texts "YA"/"YB" followed by a number, which
/// end where something that is not part of a number starts or when the line
/// goes quiet (`flush`).
class CommandSplitter {
public:
    /// Adds received bytes and returns the commands they complete, in order.
    QList<QByteArray> feed(const QByteArray& bytes);
    /// Hands out what is still waiting as one command (a speed text at the
    /// end of a burst, or a fragment that never got its "@").
    QList<QByteArray> flush();
    bool hasPending() const { return !m_buffer.isEmpty(); }

private:
    /// Length of the complete command at the start of the buffer, 0 when
    /// more bytes are needed to tell.
    qsizetype completeLength() const;

    QByteArray m_buffer;
};
