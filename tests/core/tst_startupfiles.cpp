#include "core/AddressChoice.h"
#include "core/BdIni.h"

#include <QTemporaryDir>
#include <QtTest>

class TestStartupFiles : public QObject {
    Q_OBJECT
private slots:
    void addressChoice_data() {
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("last private match wins") << QStringList{"10.1.1.5", "192.168.0.7"} << "192.168.0.7";
        QTest::newRow("order matters") << QStringList{"192.168.0.7", "10.1.1.5"} << "10.1.1.5";
        QTest::newRow("no listed network: first") << QStringList{"172.17.0.2", "192.168.5.1"} << "172.17.0.2";
        QTest::newRow("33 subnet") << QStringList{"172.17.0.2", "192.168.33.9"} << "192.168.33.9";
        QTest::newRow("prefix is literal") << QStringList{"192.168.10.3", "110.1.1.4"} << "192.168.10.3";
        QTest::newRow("none") << QStringList{} << "";
    }
    void addressChoice() {
        QFETCH(QStringList, addresses);
        QFETCH(QString, chosen);
        QCOMPARE(chooseLocalAddress(addresses), chosen);
    }

    void bdIni_data() {
        QTest::addColumn<QString>("before");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("after");
        QTest::newRow("one line is not extended") << "old\n" << false << "servidorOFF10.0.0.9\n";
        QTest::newRow("two lines") << "x\n1.0\n" << true << "servidorON10.0.0.9\n3.8\n";
        QTest::newRow("later lines kept") << "x\n1.0\nporta=9\nfim\n" << false
                                          << "servidorOFF10.0.0.9\n3.8\nporta=9\nfim\n";
        QTest::newRow("empty file stays empty") << "" << true << "";
    }
    void bdIni() {
        QFETCH(QString, before);
        QFETCH(bool, found);
        QFETCH(QString, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bd.ini"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(before.toUtf8());
        f.close();
        bdini::rewrite(path, found, QStringLiteral("10.0.0.9"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()), after);
    }

    void missingBdIniStopsWithTheFileError() {
        QTemporaryDir dir;
        try {
            bdini::rewrite(dir.filePath(QStringLiteral("bd.ini")), false, QStringLiteral("1.2.3.4"));
            QFAIL("no error for a missing file");
        } catch (const std::runtime_error& e) {
            QVERIFY(QString::fromUtf8(e.what()).contains(QStringLiteral("bd.ini")));
        }
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("bd.ini"))));
    }

    void databaseHost_data() {
        QTest::addColumn<QString>("isMain");
        QTest::addColumn<QString>("host");
        QTest::newRow("main station uses its own server") << "S" << "127.0.0.1";
        QTest::newRow("No keeps the discovered or own address") << "N" << "192.168.0.7";
    }
    void databaseHost() {
        QFETCH(QString, isMain);
        QFETCH(QString, host);
        QCOMPARE(chooseDatabaseHost(isMain, QStringLiteral("192.168.0.7")), host);
    }
};

QTEST_GUILESS_MAIN(TestStartupFiles)
#include "tst_startupfiles.moc"
