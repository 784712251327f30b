#include "race/HubClient.h"
#include "race/MessageHub.h"
#include "race/uMonitor2.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>
#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

/// A companion program: connects and collects everything the hub sends.
struct Companion {
    QTcpSocket socket;
    QByteArray got;
    explicit Companion(quint16 port) {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { got += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
        socket.waitForConnected(3000);
    }
};

}  // namespace

class TestHub : public QObject {
    Q_OBJECT
private slots:
    void stationHearsItsOwnMessagesWithoutCompanions() {
        MessageHub hub;
        QVERIFY(hub.listen(0));
        HubClient station;
        QByteArray back;
        connect(&station, &HubClient::received, this, [&](const QByteArray& t) { back += t; });
        station.publish("RA:0.100@");  // not connected yet: dropped, no error
        station.activate(hub.port());
        QTRY_VERIFY(station.isConnected());
        QTRY_COMPARE(hub.clientCount(), 1);
        station.publish("Nova:D@");
        station.publish("RA:0.512@");
        QTRY_COMPARE(back, QByteArray("Nova:D@RA:0.512@"));
    }

    void companionTextIsRelayedWholeToEveryoneIncludingTheSender() {
        MessageHub hub;
        QVERIFY(hub.listen(0));
        QSignalSpy whats(&hub, &MessageHub::whatsAppStatus);
        Companion sender(hub.port()), other(hub.port());
        QTRY_COMPARE(hub.clientCount(), 2);
        sender.socket.write("EnviaWhats:Conectado");
        QTRY_COMPARE(sender.got, QByteArray("EnviaWhats:Conectado"));
        QTRY_COMPARE(other.got, QByteArray("EnviaWhats:Conectado"));
        QCOMPARE(whats.count(), 1);
        QCOMPARE(whats.first().first().toString(), QString("EnviaWhats:Conectado"));
        other.got.clear();
        sender.socket.write("RA:0.512@PA:1.480@");
        QTRY_COMPARE(other.got, QByteArray("RA:0.512@PA:1.480@"));
    }

    void newCompanionsAreGreeted() {
        MessageHub hub;
        QVERIFY(hub.listen(0));
        QSignalSpy greeted(&hub, &MessageHub::clientConnected);
        Companion a(hub.port());
        QTRY_COMPARE(greeted.count(), 1);
    }

    void companionsComingAndGoingDuringARaceGetEveryMessageInOrder() {
        MessageHub hub;
        QVERIFY(hub.listen(0));
        HubClient station;
        station.activate(hub.port());
        QTRY_VERIFY(station.isConnected());
        QByteArray expectedA, expectedC;
        auto a = std::make_unique<Companion>(hub.port());
        auto b = std::make_unique<Companion>(hub.port());
        QTRY_COMPARE(hub.clientCount(), 3);
        std::unique_ptr<Companion> c;
        for (int i = 0; i < 60; ++i) {
            if (i == 20) b->socket.disconnectFromHost();  // leaves mid-race
            if (i == 30) {
                // A companion joining gets what the hub reads after it joined.
                QTRY_COMPARE(a->got, expectedA);
                c = std::make_unique<Companion>(hub.port());
                QTRY_COMPARE(hub.clientCount(), 3);
            }
            const QByteArray msg = QStringLiteral("RA:%1@").arg(i).toUtf8();
            station.publish(QString::fromUtf8(msg));
            expectedA += msg;
            if (c) expectedC += msg;
            QTest::qWait(1);
        }
        QTRY_COMPARE(a->got, expectedA);
        QTRY_COMPARE(c->got, expectedC);
    }

    void aCompanionThatNeverReadsIsDroppedWithoutStallingOthers() {
        MessageHub hub;
        hub.setMaxPendingBytes(256 * 1024);
        QVERIFY(hub.listen(0));
        QSignalSpy dropped(&hub, &MessageHub::clientDropped);
        // The stalled companion: a plain socket nobody reads, with a tiny receive window.
        const int stalled = ::socket(AF_INET, SOCK_STREAM, 0);
        QVERIFY(stalled >= 0);
        const int small = 4096;
        ::setsockopt(stalled, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(hub.port());
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::connect(stalled, reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
        Companion reader(hub.port());
        HubClient station;
        station.activate(hub.port());
        QTRY_COMPARE(hub.clientCount(), 3);
        const QByteArray chunk(1000, 'x');
        QByteArray expected;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 12000; ++i) {  // beyond what the kernel buffers hold
            const QString msg = QStringLiteral("M%1:").arg(i) + QString::fromLatin1(chunk) + u'@';
            station.publish(msg);
            expected += msg.toUtf8();
            if (i % 50 == 0) QCoreApplication::processEvents();
        }
        QTRY_VERIFY_WITH_TIMEOUT(reader.got.size() == expected.size(), 20000);
        QCOMPARE(reader.got, expected);
        qInfo("12 MB relayed to a reading companion in %lld ms beside a stalled one", clock.elapsed());
        QVERIFY(dropped.count() >= 1);
        QVERIFY(dropped.first().first().toString().contains("não lê"));
        QCOMPARE(hub.clientCount(), 2);
        ::close(stalled);
    }

    void monitorOpensOnlyForLayoutTwoAndFollowsTheNewestWindow() {
        ResultsMonitorWindows monitor;
        QVERIFY(!monitor.open(1));
        QCOMPARE(monitor.flag(), QString("n"));
        QVERIFY(!monitor.isOpen());
        TfrmMonitor2* first = monitor.open(2);
        QVERIFY(first);
        QCOMPARE(first->windowTitle(), QString("Resultados"));
        QCOMPARE(first->laneTime(Lane::A), QString("10.000"));
        QCOMPARE(first->laneSpeed(Lane::B), QString("000"));
        TfrmMonitor2* second = monitor.open(2);
        monitor.setLaneTime(Lane::A, "0.512");
        monitor.setLaneSpeed(Lane::B, "187,3");
        QCOMPARE(second->laneTime(Lane::A), QString("0.512"));
        QCOMPARE(second->laneSpeed(Lane::B), QString("187,3"));
        QCOMPARE(first->laneTime(Lane::A), QString("10.000"));
        first->close();  // closing any of them stops the updates
        QCOMPARE(monitor.flag(), QString("n"));
        monitor.setLaneTime(Lane::A, "9.999");
        QCOMPARE(second->laneTime(Lane::A), QString("0.512"));
        second->close();
    }
};

QTEST_MAIN(TestHub)
#include "tst_hub.moc"
