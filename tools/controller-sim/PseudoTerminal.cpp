#include "PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {

std::runtime_error systemError(const char* what) {
    return std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        throw systemError("openpty");
    termios tio;
    if (::tcgetattr(m_slave, &tio) == 0) {
        // No echo, no line editing, no CR/LF translation: bytes as they are.
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    m_slavePath = QString::fromLocal8Bit(name);
}

PseudoTerminal::~PseudoTerminal() {
    if (!m_linkPath.isEmpty() && QFileInfo(m_linkPath).symLinkTarget() == m_slavePath)
        QFile::remove(m_linkPath);
    ::close(m_slave);
    ::close(m_master);
}

void PseudoTerminal::link(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink()) {
        if (!QFile::remove(path))
            throw std::runtime_error("cannot replace the link " + path.toStdString());
    } else if (info.exists()) {
        throw std::runtime_error(path.toStdString() + " exists and is not a link");
    }
    if (::symlink(m_slavePath.toLocal8Bit().constData(), path.toLocal8Bit().constData()) != 0)
        throw systemError(path.toLocal8Bit().constData());
    m_linkPath = info.absoluteFilePath();
}

QByteArray PseudoTerminal::readAvailable() {
    QByteArray bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return bytes;
    }
}

bool PseudoTerminal::write(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN) {
            // The station may be slow to read; a short wait, then give up
            // rather than hang the simulator.
            pollfd p{m_master, POLLOUT, 0};
            if (::poll(&p, 1, 200) > 0)
                continue;
        }
        return false;
    }
    return true;
}
