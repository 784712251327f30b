#include "Pty.h"
#include "race/SerialLink.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <stdexcept>

namespace {

QByteArray collect(const QSignalSpy& spy) {
    QByteArray all;
    for (const QList<QVariant>& args : spy) all += args.at(0).toByteArray();
    return all;
}

}  // namespace

class TestSerialLink : public QObject {
    Q_OBJECT

private slots:
    void writesReachTheOtherEnd_data();
    void writesReachTheOtherEnd();
    void writeLeavesWithoutTheEventLoop();
    void bytesFromTheOtherEndAreReceived();
    void writeWhileClosedDoesNothing();
    void reopenAfterClose();
    void missingPortThrowsWithTheErrorText();
    void otherEndClosingClosesThePort();
    void availablePortsAddsExtraPathsOnce();
};

void TestSerialLink::writesReachTheOtherEnd_data() {
    QTest::addColumn<bool>("throughLink");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("command") << false << "check@" << QByteArray("check@");
    QTest::newRow("no terminator added") << false << "Largada" << QByteArray("Largada");
    QTest::newRow("speed text") << false << "YA123,4" << QByteArray("YA123,4");
    QTest::newRow("accented plate as Latin-1")
        << false << QString::fromUtf8("ZA São@") << QByteArray("ZA S\xe3o@");
    QTest::newRow("port opened through a link to it")
        << true << "alinhar@" << QByteArray("alinhar@");
}

void TestSerialLink::writesReachTheOtherEnd() {
    QFETCH(bool, throughLink);
    QFETCH(QString, command);
    QFETCH(QByteArray, bytes);
    Pty pty;
    QVERIFY(pty.ok());
    QTemporaryDir dir;
    QString port = pty.path();
    if (throughLink) {
        port = dir.filePath("controlador");
        QVERIFY(QFile::link(pty.path(), port));
    }
    SerialLink link;
    link.open(port);
    QVERIFY(link.isOpen());
    link.write(command);
    QCOMPARE(pty.take(bytes.size()), bytes);
    // Nothing more than the text itself goes out.
    QCOMPARE(pty.pending(), QByteArray());
}

// The station spaces commands with blocking waits; a write that waited for
// the event loop would bunch them together behind the wait.
void TestSerialLink::writeLeavesWithoutTheEventLoop() {
    Pty pty;
    QVERIFY(pty.ok());
    SerialLink link;
    link.open(pty.path());
    link.write(QStringLiteral("KA12@"));
    QByteArray got;
    for (int i = 0; i < 20 && got.size() < 5; ++i) {
        pollfd p{pty.master(), POLLIN, 0};
        if (::poll(&p, 1, 50) > 0) {
            char buf[16];
            const ssize_t n = ::read(pty.master(), buf, sizeof buf);
            if (n > 0)
                got.append(buf, n);
        }
    }
    QCOMPARE(got, QByteArray("KA12@"));
}

void TestSerialLink::bytesFromTheOtherEndAreReceived() {
    Pty pty;
    QVERIFY(pty.ok());
    SerialLink link;
    QSignalSpy spy(&link, &SerialLink::received);
    link.open(pty.path());
    // Carriage returns and line feeds pass untouched: the protocol decides.
    const QByteArray first("SysOK\r\nversao:4.5\n");
    pty.send(first);
    QTRY_COMPARE(collect(spy), first);
    pty.send("Ali");
    pty.send("nhar\n");
    QTRY_COMPARE(collect(spy), first + "Alinhar\n");
    for (const QList<QVariant>& args : spy) QVERIFY(!args.at(0).toByteArray().isEmpty());
}

void TestSerialLink::writeWhileClosedDoesNothing() {
    Pty pty;
    QVERIFY(pty.ok());
    SerialLink link;
    link.write(QStringLiteral("start@"));  // never opened
    QVERIFY(!link.isOpen());
    QCOMPARE(pty.pending(), QByteArray());

    link.open(pty.path());
    link.close();
    QVERIFY(!link.isOpen());
    link.write(QStringLiteral("stop@"));
    QCOMPARE(pty.pending(), QByteArray());
}

void TestSerialLink::reopenAfterClose() {
    Pty pty;
    QVERIFY(pty.ok());
    SerialLink link;
    QSignalSpy spy(&link, &SerialLink::received);
    link.open(pty.path());
    link.open(pty.path());  // connecting again closes first
    QVERIFY(link.isOpen());
    link.close();
    link.open(pty.path());
    link.write(QStringLiteral("reler@"));
    QCOMPARE(pty.take(6), QByteArray("reler@"));
    pty.send("fim\n");
    QTRY_COMPARE(collect(spy), QByteArray("fim\n"));
}

void TestSerialLink::missingPortThrowsWithTheErrorText() {
    QTemporaryDir dir;
    const QString missing = dir.filePath("ttyNone");
    QSerialPort reference(missing);
    QVERIFY(!reference.open(QIODevice::ReadWrite));
    const QString errorText = reference.errorString();
    QVERIFY(!errorText.isEmpty());

    SerialLink link;
    try {
        link.open(missing);
        QFAIL("open of a missing port succeeded");
    } catch (const std::runtime_error& e) {
        const QString what = QString::fromStdString(e.what());
        QVERIFY2(what.contains(errorText), qPrintable(what));
        QVERIFY2(what.contains(missing), qPrintable(what));
    }
    QVERIFY(!link.isOpen());
    link.write(QStringLiteral("check@"));  // still a harmless no-op
}

void TestSerialLink::otherEndClosingClosesThePort() {
    Pty pty;
    QVERIFY(pty.ok());
    SerialLink link;
    QSignalSpy lost(&link, &SerialLink::lost);
    link.open(pty.path());
    pty.closeMaster();
    QTRY_COMPARE(lost.count(), 1);
    QVERIFY(!link.isOpen());
    link.write(QStringLiteral("check@"));
}

void TestSerialLink::availablePortsAddsExtraPathsOnce() {
    const QStringList system = SerialLink::availablePorts({});
    QCOMPARE(QSet<QString>(system.begin(), system.end()).size(), system.size());

    QStringList extra{"/tmp/vud-a", "/tmp/vud-b", "/tmp/vud-a", ""};
    if (!system.isEmpty())
        extra << system.first();
    const QStringList ports = SerialLink::availablePorts(extra);
    const QStringList expected = system + QStringList{"/tmp/vud-a", "/tmp/vud-b"};
    QCOMPARE(ports, expected);
}

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_seriallink.moc"
