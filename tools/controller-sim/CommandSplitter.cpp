#include "CommandSplitter.h"

namespace {

const QByteArray kLargada("Largada");

bool isNumberChar(char c) {
    return (c >= '0' && c <= '9') || c == ',' || c == '.';
}

bool isSpeedText(const QByteArray& buffer) {
    return buffer.size() >= 3 && (buffer.startsWith("YA") || buffer.startsWith("YB")) &&
           isNumberChar(buffer.at(2));
}

}  // namespace

QList<QByteArray> CommandSplitter::feed(const QByteArray& bytes) {
    m_buffer += bytes;
    QList<QByteArray> commands;
    while (const qsizetype n = completeLength()) {
        commands << m_buffer.left(n);
        m_buffer.remove(0, n);
    }
    return commands;
}

QList<QByteArray> CommandSplitter::flush() {
    QList<QByteArray> commands = feed({});
    if (!m_buffer.isEmpty())
        commands << m_buffer;
    m_buffer.clear();
    return commands;
}

qsizetype CommandSplitter::completeLength() const {
    if (m_buffer.isEmpty())
        return 0;
    if (m_buffer.startsWith(kLargada))
        return kLargada.size();
    if (kLargada.startsWith(m_buffer))
        return 0;  // perhaps the start of "Largada"
    if (isSpeedText(m_buffer)) {
        qsizetype i = 2;
        while (i < m_buffer.size() && isNumberChar(m_buffer.at(i))) ++i;
        if (i == m_buffer.size())
            return 0;
        // "YA123@" is a scoreboard test text with its terminator.
        return m_buffer.at(i) == '@' ? i + 1 : i;
    }
    const qsizetype at = m_buffer.indexOf('@');
    return at < 0 ? 0 : at + 1;
}
