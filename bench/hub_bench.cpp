// Hub relay with 20 companions on loopback: the time from Publish to arrival
// at the last companion (99th percentile) and messages per second. The
// companions run on a thread of their own, like separate programs would.
#include "race/HubClient.h"
#include "race/MessageHub.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <QTextStream>
#include <QThread>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <vector>

namespace {

constexpr int kCompanions = 20;
constexpr int kLatencyMessages = 2000;
constexpr int kBurstMessages = 20000;

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch()).count();
}

/// One companion: counts '@'-terminated messages and notes when each arrived.
class Companion : public QObject {
public:
    Companion(quint16 port, std::vector<std::atomic<qint64>>* lastArrival) : m_last(lastArrival) {
        connect(&m_socket, &QTcpSocket::readyRead, this, [this] {
            const QByteArray data = m_socket.readAll();
            const qint64 t = nowNs();
            for (char c : data) {
                if (c != '@') continue;
                if (m_count < int(m_last->size())) {
                    qint64 prev = (*m_last)[m_count].load();
                    while (prev < t && !(*m_last)[m_count].compare_exchange_weak(prev, t)) {
                    }
                }
                ++m_count;
            }
            received.fetch_add(int(data.count('@')));
        });
        m_socket.connectToHost(QHostAddress::LocalHost, port);
    }
    std::atomic<int> received{0};
    void reset() { m_count = 0; }

private:
    QTcpSocket m_socket;
    std::vector<std::atomic<qint64>>* m_last;
    int m_count = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    MessageHub hub;
    if (!hub.listen(0)) return 1;
    HubClient station;
    station.activate(hub.port());

    std::vector<std::atomic<qint64>> lastArrival(kLatencyMessages + kBurstMessages);
    QThread companionsThread;
    companionsThread.start();
    std::vector<Companion*> companions;
    QObject anchor;  // runs work on the companions' thread
    anchor.moveToThread(&companionsThread);
    for (int i = 0; i < kCompanions; ++i) {
        Companion* c = nullptr;
        QMetaObject::invokeMethod(
            &anchor,
            [&] { c = new Companion(hub.port(), &lastArrival); }, Qt::BlockingQueuedConnection);
        companions.push_back(c);
    }
    QElapsedTimer wait;
    wait.start();
    while ((hub.clientCount() < kCompanions + 1 || !station.isConnected()) && wait.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    auto allReceived = [&](int n) {
        return std::all_of(companions.begin(), companions.end(), [n](Companion* c) { return c->received.load() >= n; });
    };

    // Latency: a message every 2 ms, far more often than a race's lines come.
    std::vector<qint64> published(kLatencyMessages);
    {
        int next = 0;
        QEventLoop loop;
        QTimer pace;
        pace.setTimerType(Qt::PreciseTimer);
        QObject::connect(&pace, &QTimer::timeout, &loop, [&] {
            published[next] = nowNs();
            station.publish(QStringLiteral("RA:%1@").arg(next));
            if (++next == kLatencyMessages) loop.quit();
        });
        pace.start(2);
        loop.exec();
    }
    wait.restart();
    while (!allReceived(kLatencyMessages) && wait.elapsed() < 10000) QCoreApplication::processEvents();
    std::vector<double> latencyUs;
    for (int i = 0; i < kLatencyMessages; ++i) latencyUs.push_back(double(lastArrival[i].load() - published[i]) / 1000.0);
    std::sort(latencyUs.begin(), latencyUs.end());

    // Throughput: a burst, relayed as fast as the hub can.
    QElapsedTimer burst;
    burst.start();
    for (int i = 0; i < kBurstMessages; ++i) {
        station.publish(QStringLiteral("FA:%1@").arg(i));
        if (i % 100 == 0) QCoreApplication::processEvents();
    }
    while (!allReceived(kLatencyMessages + kBurstMessages) && burst.elapsed() < 60000) QCoreApplication::processEvents();
    const double seconds = double(burst.nsecsElapsed()) / 1e9;

    out << QStringLiteral("companions: %1\n").arg(kCompanions);
    out << QStringLiteral("publish to last companion: median %1 us, p99 %2 us, max %3 us\n")
               .arg(latencyUs[latencyUs.size() / 2], 0, 'f', 0)
               .arg(latencyUs[latencyUs.size() * 99 / 100], 0, 'f', 0)
               .arg(latencyUs.back(), 0, 'f', 0);
    out << QStringLiteral("relay throughput: %1 messages/s published (%2 deliveries/s)\n")
               .arg(kBurstMessages / seconds, 0, 'f', 0)
               .arg(kBurstMessages * kCompanions / seconds, 0, 'f', 0);
    out.flush();
    QMetaObject::invokeMethod(
        &anchor,
        [&] { for (Companion* c : companions) delete c; }, Qt::BlockingQueuedConnection);
    companionsThread.quit();
    companionsThread.wait();
    return 0;
}
