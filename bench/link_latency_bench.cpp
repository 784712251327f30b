// From the last byte of a controller line written on the pseudo-terminal to
// the companion message leaving the station (publish sent on the hub
// connection) and arriving at a companion, 99th percentile.
#include "RaceDoubles.h"
#include "race/ControllerProtocol.h"
#include "race/HubClient.h"
#include "race/MessageHub.h"
#include "race/SerialLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <vector>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int kLines = 2000;

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch()).count();
}

/// Sends to the hub and notes when each message left.
struct TimedPublisher : Publisher {
    HubClient& hub;
    std::vector<qint64> left;
    explicit TimedPublisher(HubClient& h) : hub(h) {}
    void publish(const QString& message) override {
        hub.publish(message);
        if (message.startsWith(QStringLiteral("RA:"))) left.push_back(nowNs());
    }
};

double percentile(std::vector<double> v, int p) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[std::min(v.size() - 1, v.size() * size_t(p) / 100)];
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    int master = -1, slave = -1;
    char name[256] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) != 0) return 1;
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave, TCSANOW, &raw);

    MessageHub hub;
    hub.listen(0);
    HubClient station;
    station.activate(hub.port());
    QTcpSocket companion;
    std::vector<qint64> arrived;
    QObject::connect(&companion, &QTcpSocket::readyRead, [&] {
        const QByteArray data = companion.readAll();
        const qint64 t = nowNs();
        for (int i = data.indexOf("RA:"); i >= 0; i = data.indexOf("RA:", i + 1)) arrived.push_back(t);
    });
    companion.connectToHost(QHostAddress::LocalHost, hub.port());
    QElapsedTimer wait;
    wait.start();
    while ((!station.isConnected() || hub.clientCount() < 2) && wait.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    RaceRig rig;
    TimedPublisher publisher(station);
    RaceContext ctx{rig.pair, rig.screen, rig.port, publisher, rig.monitor, rig.runLog, rig.data, rig.pause};
    ControllerProtocol protocol(ctx);
    SerialLink link;
    link.open(QString::fromLocal8Bit(name));
    QObject::connect(&link, &SerialLink::received, &protocol, &ControllerProtocol::receive);

    // The controller's side, on a thread of its own like the real device.
    std::vector<qint64> written(kLines);
    std::atomic<bool> done{false};
    QThread* writer = QThread::create([&] {
        for (int i = 0; i < kLines; ++i) {
            const QByteArray line = QStringLiteral("RA0.%1\n").arg(i % 1000, 3, 10, QLatin1Char('0')).toLatin1();
            ::write(master, line.constData(), size_t(line.size()));
            written[size_t(i)] = nowNs();
            QThread::usleep(3000);
        }
        done = true;
    });
    writer->start();
    wait.restart();
    while ((!done || arrived.size() < size_t(kLines)) && wait.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    writer->wait();
    delete writer;

    std::vector<double> toLeave, toArrive;
    for (size_t i = 0; i < size_t(kLines) && i < publisher.left.size(); ++i)
        toLeave.push_back(double(publisher.left[i] - written[i]) / 1000.0);
    for (size_t i = 0; i < size_t(kLines) && i < arrived.size(); ++i)
        toArrive.push_back(double(arrived[i] - written[i]) / 1000.0);
    out << QStringLiteral("lines: %1 (messages left: %2, arrived: %3)\n").arg(kLines).arg(toLeave.size()).arg(toArrive.size());
    out << QStringLiteral("line to message leaving the station: median %1 us, p99 %2 us\n")
               .arg(percentile(toLeave, 50), 0, 'f', 0).arg(percentile(toLeave, 99), 0, 'f', 0);
    out << QStringLiteral("line to message at a companion: median %1 us, p99 %2 us\n")
               .arg(percentile(toArrive, 50), 0, 'f', 0).arg(percentile(toArrive, 99), 0, 'f', 0);
    link.close();
    ::close(master);
    ::close(slave);
    return 0;
}
