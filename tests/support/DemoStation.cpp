#include "DemoStation.h"

#include "db/Query.h"

#include <QUdpSocket>

quint16 freeUdpPort() {
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}

void openEvent(DM& dm, int championship, int event) {
    dm.openSharedQueries();
    dm.qryCampeonato->close();
    dm.qryCampeonato->setParam(QStringLiteral("codigo"), championship);
    dm.qryCampeonato->open();
    dm.qryEvento->close();
    dm.qryEvento->setParam(QStringLiteral("codigo"), event);
    dm.qryEvento->open();
}

void DemoStation::open() {
    tdb = std::make_unique<TestDatabase>();
    tdb->loadFile(qEnvironmentVariable("VUD_SOURCE_DIR") + QStringLiteral("/data/demo.sql"));
    dm = std::make_unique<DM>(tdb->settings());
    openEvent(*dm, 1, 2);
}

void DemoStation::close() {
    dm.reset();
    tdb.reset();
}

void DemoStation::startTest() {
    home = std::make_unique<QTemporaryDir>();
    dialogs = std::make_unique<ScriptedDialogs>();
    env = platform::StationEnvironment{};
    env.home = home->path() + u'/';
    env.discoveryPort = freeUdpPort();
    env.hubPort = 0;  // a hub of the test's own
    dm->serverAddress = QStringLiteral("10.1.1.5");
}

void DemoStation::endTest() { dialogs.reset(); }
