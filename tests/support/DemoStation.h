#pragma once

#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "app/uDM.h"
#include "platform/StationEnvironment.h"

#include <QTemporaryDir>
#include <memory>

/// A free UDP port on loopback, for a discovery responder of the test's own.
quint16 freeUdpPort();

/// Opens the shared queries of `dm` on a championship and one of its events,
/// as the selection windows leave them at start-up.
void openEvent(DM& dm, int championship, int event);

/// What a main window needs in a test: the demo database with championship 1
/// and event 2 open for the whole test class, and for each test a fresh
/// station folder, scripted dialogs and an environment kept on loopback.
struct DemoStation {
    std::unique_ptr<TestDatabase> tdb;
    std::unique_ptr<DM> dm;
    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<ScriptedDialogs> dialogs;
    platform::StationEnvironment env;

    void open();       // initTestCase
    void close();      // cleanupTestCase
    void startTest();  // init
    void endTest();    // cleanup
};
