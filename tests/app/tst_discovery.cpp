#include "app/Discovery.h"

#include <QNetworkDatagram>
#include <QUdpSocket>
#include <QtTest>

namespace {

const QHostAddress kLoopback(QHostAddress::LocalHost);

/// A port nobody listens on right now.
quint16 freePort() {
    QUdpSocket s;
    s.bind(kLoopback, 0);
    return s.localPort();
}

}  // namespace

class TestDiscovery : public QObject {
    Q_OBJECT
private slots:
    void noReplyKeepsTheLocalAddress() {
        const auto r = discovery::findMainStation({kLoopback}, freePort(), 150, QStringLiteral("10.1.1.5"));
        QVERIFY(!r.found);
        QCOMPARE(r.address, QStringLiteral("10.1.1.5"));
        QVERIFY(r.log.contains(QStringLiteral("SEM SERVIDOR")));
    }

    void oneMainStationAnswers() {
        DiscoveryResponder responder;
        responder.setAnswer(QStringLiteral("192.168.0.50"));
        const quint16 port = freePort();
        QVERIFY2(responder.activate(port), qPrintable(responder.errorString()));
        const auto r = discovery::findMainStation({kLoopback}, port, 300, QStringLiteral("10.1.1.5"));
        QVERIFY(r.found);
        QCOMPARE(r.address, QStringLiteral("192.168.0.50"));
    }

    void twoAnswersTheLastWins() {
        // Two main stations: one takes the PING, both answer the sender.
        QUdpSocket listener;
        QVERIFY(listener.bind(kLoopback, 0));
        QUdpSocket other;
        QVERIFY(other.bind(kLoopback, 0));
        connect(&listener, &QUdpSocket::readyRead, this, [&] {
            const QNetworkDatagram d = listener.receiveDatagram();
            QCOMPARE(d.data(), QByteArray("PING"));
            listener.writeDatagram("10.1.1.20", d.senderAddress(), quint16(d.senderPort()));
            QTimer::singleShot(50, &other, [&other, d] {
                other.writeDatagram("10.1.1.30", d.senderAddress(), quint16(d.senderPort()));
            });
        });
        const auto r = discovery::findMainStation({kLoopback}, listener.localPort(), 400,
                                                  QStringLiteral("10.1.1.5"));
        QVERIFY(r.found);
        QCOMPARE(r.address, QStringLiteral("10.1.1.30"));
    }

    void responderIgnoresOtherDatagrams() {
        DiscoveryResponder responder;
        responder.setAnswer(QStringLiteral("10.1.1.9"));
        const quint16 port = freePort();
        QVERIFY(responder.activate(port));
        QUdpSocket client;
        QVERIFY(client.bind(kLoopback, 0));
        client.writeDatagram("PING?", kLoopback, port);
        client.writeDatagram("ping", kLoopback, port);
        QTest::qWait(200);
        QVERIFY(!client.hasPendingDatagrams());
        client.writeDatagram("PING", kLoopback, port);
        QTRY_VERIFY_WITH_TIMEOUT(client.hasPendingDatagrams(), 2000);
        QCOMPARE(client.receiveDatagram().data(), QByteArray("10.1.1.9"));
        responder.deactivate();
        QVERIFY(!responder.isActive());
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "tst_discovery.moc"
