#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>
#include <QDeadlineTimer>
#include <QtTest>

/// A pseudo-terminal pair: the test plays the controller on the master, the
/// station opens the slave's path. The slave stays open here too, so the master
/// never sees a hang-up between the link's opens.
class Pty {
public:
    Pty() {
        char name[128] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            return;
        termios tio;
        ::tcgetattr(m_slave, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slave, TCSANOW, &tio);
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        m_path = QString::fromLocal8Bit(name);
    }
    ~Pty() {
        closeMaster();
        if (m_slave >= 0)
            ::close(m_slave);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    bool ok() const { return !m_path.isEmpty(); }
    int master() const { return m_master; }
    const QString& path() const { return m_path; }

    void send(const QByteArray& bytes) const {
        QCOMPARE(::write(m_master, bytes.constData(), size_t(bytes.size())), ssize_t(bytes.size()));
    }

    /// What the station wrote, collected until `expected` bytes came or the
    /// wait ran out.
    QByteArray take(qsizetype expected, int timeoutMs = 3000) const {
        QByteArray got;
        QDeadlineTimer deadline(timeoutMs);
        while (got.size() < expected && !deadline.hasExpired()) {
            pollfd p{m_master, POLLIN, 0};
            if (::poll(&p, 1, 0) <= 0) {
                QTest::qWait(10);
                continue;
            }
            char buf[256];
            const ssize_t n = ::read(m_master, buf, sizeof buf);
            if (n > 0)
                got.append(buf, n);
        }
        return got;
    }

    /// Everything waiting on the master right now, after a short settle.
    QByteArray pending() const {
        QTest::qWait(50);
        QByteArray got;
        char buf[256];
        ssize_t n;
        while ((n = ::read(m_master, buf, sizeof buf)) > 0) got.append(buf, n);
        return got;
    }

    void closeMaster() {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};
