// Start-up time from the program's start sequence to the shown main window,
// with discovery excluded (its wait is a fixed network time-out), median of 5.
// Needs the test MariaDB server (VUD_DB_*), like the tests.
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "UiTest.h"
#include "app/Localization.h"
#include "app/Startup.h"
#include "app/VudApplication.h"
#include "race/uPrincipal.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

int main(int argc, char** argv) {
    VudApplication app(argc, argv);
    installBrazilianPortuguese(app);
    TestDatabase tdb;
    tdb.loadFile(QStringLiteral(VUD_SOURCE_DIR "/data/demo.sql"));
    qputenv("VUD_DB_NAME", tdb.name().toUtf8());
    QTextStream out(stdout);
    QList<double> times;
    for (int run = 0; run < 5; ++run) {
        QTemporaryDir dir;
        platform::StationEnvironment env;
        env.home = dir.path() + u'/';
        QFile ini(env.home + QStringLiteral("bd.ini"));
        if (ini.open(QIODevice::WriteOnly)) ini.write("servidorOFF127.0.0.1\n3.8\n");
        ini.close();
        env.discoveryTargets = {QHostAddress(QHostAddress::LocalHost)};
        env.discoveryPort = 39999;
        env.hubPort = 0;
        env.discoveryTimeoutMs = 0;  // discovery excluded: no wait for answers
        env.localAddresses = {QStringLiteral("127.0.0.1")};
        ScriptedDialogs dialogs;
        dialogs.answer(platform::Dialogs::Yes);
        uitest::whenModal([](QWidget* championship) {
            uitest::pressEnter(QApplication::focusWidget() ? nullptr : championship);
            uitest::whenModal([](QWidget* event) {
                uitest::pressEnter(QApplication::focusWidget() ? nullptr : event);
            });
        });
        QElapsedTimer clock;
        clock.start();
        Startup startup(env);
        if (!startup.run()) {
            out << "start-up failed: " << dialogs.messages.join(u'|') << '\n';
            return 1;
        }
        QCoreApplication::processEvents();
        const double ms = double(clock.nsecsElapsed()) / 1e6;
        times << ms;
        out << QStringLiteral("run %1: %2 ms\n").arg(run + 1).arg(ms, 0, 'f', 1);
        out.flush();
        startup.mainWindow()->close();
    }
    std::sort(times.begin(), times.end());
    out << QStringLiteral("median start-up to main window (discovery excluded): %1 ms\n")
               .arg(times.at(2), 0, 'f', 1);
    return 0;
}
