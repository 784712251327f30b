#include "DemoStation.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "UiTest.h"
#include "app/Startup.h"
#include "app/VudApplication.h"
#include "app/uDM.h"
#include "race/uPrincipal.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

/// A station folder with a two-line bd.ini and discovery kept on loopback.
struct StationHome {
    QTemporaryDir dir;
    platform::StationEnvironment env;

    explicit StationHome(bool withBdIni = true) {
        env.home = dir.path() + u'/';
        env.discoveryTargets = {QHostAddress(QHostAddress::LocalHost)};
        env.discoveryPort = freeUdpPort();
        env.discoveryTimeoutMs = 150;
        env.hubPort = 0;
        env.localAddresses = {QStringLiteral("127.0.0.1")};
        if (withBdIni) {
            QFile f(env.home + QStringLiteral("bd.ini"));
            if (f.open(QIODevice::WriteOnly)) f.write("servidorON10.0.0.1\n1.0\nextra\n");
        }
    }
};

/// Confirms the next selection window with Enter, as an operator would.
void confirmNextSelectionWith(std::function<void()> then = {}) {
    uitest::whenModal([then](QWidget* w) {
        uitest::pressEnter(QApplication::focusWidget() ? QApplication::focusWidget() : w);
        if (then) then();
    });
}

}  // namespace

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void threeEntersReachTheMainWindow() {
        TestDatabase tdb;
        tdb.loadFile(qEnvironmentVariable("VUD_SOURCE_DIR") + QStringLiteral("/data/demo.sql"));
        qputenv("VUD_DB_NAME", tdb.name().toUtf8());
        StationHome home;
        ScriptedDialogs dialogs;
        dialogs.answer(platform::Dialogs::Yes);  // "Computador Principal ??"
        confirmNextSelectionWith([] { confirmNextSelectionWith(); });

        Startup startup(home.env);
        QVERIFY(startup.run());
        TfrmPrincipal* main = startup.mainWindow();
        QVERIFY(main && main->isVisible());
        QTRY_COMPARE(main->windowTitle(),
                     QStringLiteral("VELTRANOX & VUD | Campeonato Regional de Arrancada 2026 - 2ª Etapa"));
        QCOMPARE(dialogs.asked.size(), 1);
        QCOMPARE(dialogs.asked.first().caption, QStringLiteral("Ativar Servidor"));
        QCOMPARE(dialogs.asked.first().text, QStringLiteral("Computador Principal ??"));
        QCOMPARE(startup.dataModule()->isMainStation, QStringLiteral("S"));
        QCOMPARE(startup.dataModule()->connection().host(), QStringLiteral("127.0.0.1"));
        QCOMPARE(readFile(home.env.home + QStringLiteral("bd.ini")),
                 QStringLiteral("servidorOFF127.0.0.1\n3.8\nextra\n"));
        QCOMPARE(tdb.scalar(QStringLiteral("select COD_EVENTO_ABERTO from organizador")).toInt(), 2);
        QVERIFY(startup.dataModule()->qryVeiculo->rowCount() >= 24);
        QVERIFY(!QFile::exists(home.env.home + QStringLiteral("logErro.txt")));
        QVERIFY(QDir(home.env.home + QStringLiteral("log")).exists());
        main->close();
    }

    void cancelInASelectionEndsTheProgram() {
        TestDatabase tdb;
        tdb.loadFile(qEnvironmentVariable("VUD_SOURCE_DIR") + QStringLiteral("/data/demo.sql"));
        qputenv("VUD_DB_NAME", tdb.name().toUtf8());
        StationHome home;
        ScriptedDialogs dialogs;
        dialogs.answer(platform::Dialogs::Yes);
        uitest::whenModal([](QWidget* w) {
            auto* cancel = w->findChild<QPushButton*>(QStringLiteral("btnCancelar"));
            QVERIFY(cancel);
            cancel->click();
        });
        Startup startup(home.env);
        QVERIFY(!startup.run());
        QCOMPARE(startup.exitCode(), 0);
    }

    void failuresStopStartUpWithTheirMessage_data() {
        QTest::addColumn<bool>("withBdIni");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing bd.ini") << false << "bd.ini";
        QTest::newRow("database refuses") << true << "Access denied";
    }
    void failuresStopStartUpWithTheirMessage() {
        QFETCH(bool, withBdIni);
        QFETCH(QString, message);
        TestDatabase tdb;
        qputenv("VUD_DB_NAME", tdb.name().toUtf8());
        const QByteArray password = qgetenv("VUD_DB_PASSWORD");
        qputenv("VUD_DB_PASSWORD", password + "wrong");
        StationHome home(withBdIni);
        ScriptedDialogs dialogs;
        dialogs.answer(platform::Dialogs::Yes);
        Startup startup(home.env);
        const bool ok = startup.run();
        qputenv("VUD_DB_PASSWORD", password);
        QVERIFY(!ok);
        QCOMPARE(startup.exitCode(), 1);
        QVERIFY2(dialogs.messages.last().contains(message), qPrintable(dialogs.messages.join(u'|')));
    }
};

int main(int argc, char** argv) {
    VudApplication app(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_startup.moc"
