#include "RaceDoubles.h"
#include "ScriptedDialogs.h"
#include "core/NumberText.h"
#include "platform/Clock.h"
#include "race/RaceActions.h"

#include <QTimer>
#include <QtTest>
#include <memory>

using platform::Dialogs;

namespace {

/// Port, hub and pause in one list, so a test sees writes, companion
/// messages and the waits between them in the order they happened.
struct Timeline : ControllerPort, Publisher, platform::Pause {
    void write(const QString& command) override { events << "w " + command; }
    void publish(const QString& message) override { events << "p " + message; }
    void wait(int ms) override { events << "wait " + QString::number(ms); }
    QStringList events;
};

/// A race rig with the actions on it and the hooks recorded by name.
struct Station {
    Station() : actions(rig.ctx) {
        auto& h = actions.hooks;
        h.chooseCategory = [this](Lane l) { hooks << "category " + laneLetter(l); };
        h.save = [this] { hooks << "save"; };
        h.printTicket80 = [this] { hooks << "ticket80"; };
        h.printTicket57 = [this](Lane l) { hooks << "ticket57 " + laneLetter(l); };
        h.reopenPilotLists = [this] { hooks << "reopen lists"; };
        h.closePilotLists = [this] { hooks << "close lists"; };
        h.loadVehicle = [this](Lane l, int code) { hooks << QString("load %1 %2").arg(laneLetter(l)).arg(code); };
        h.focusPlate = [this](Lane l) { hooks << "focus " + laneLetter(l); };
    }

    /// Two vehicles loaded the way lane loading leaves them.
    void loadPair(const QString& plateA = "12", const QString& plateB = "34") {
        rig.pair.a.vehicleCode = 101;
        rig.pair.b.vehicleCode = 102;
        rig.pair.a.panelText = "PROMOD";
        rig.pair.b.panelText = "STREET";
        rig.screen.setText("edtPlacaA", plateA);
        rig.screen.setText("edtPlacaB", plateB);
    }

    /// The controller armed the pair ("Alinhar" received).
    void armed() {
        rig.screen.setText("btnAlinhar", "Abortar");
        rig.screen.setPicture("btnAlinhar", "abort");
        rig.screen.setEnabled("btnLargada", true);
        rig.screen.setText("btnLargada", "Largada");
    }

    void tick(QTimer* timer) { QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection); }

    QStringList written() const { return rig.port.written; }
    QStringList published() const { return rig.publisher.messages; }

    RaceRig rig;
    ScriptedDialogs dialogs;
    RaceActions actions;
    QStringList hooks;
};

/// Lamps of the drawn tree that are lit, in a fixed order.
QStringList litLamps(const ScreenModel& s) {
    QStringList lit;
    for (const char* lamp : {"spAA1", "spAA2", "spAA3", "spVEA", "spAB1", "spAB2", "spAB3", "spVEB"})
        if (s.isVisible(lamp)) lit << lamp;
    return lit;
}

const QStringList kMeasurementStems = {"lblR", "lblP", "lblV", "lblVB", "lblVC", "lblPista", "lblF", "lbl50", "lbl100"};

}  // namespace

class TestRaceActions : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { platform::Clock::setFixed(QDateTime()); }

    // A whole pair through the buttons, with the controller's answers played
    // as the screen changes the protocol makes.
    void buttonsThroughAPair() {
        Station st;
        ScreenModel& s = st.rig.screen;
        st.rig.pair.controllerVersion = "4.3";

        st.actions.newRace();
        QVERIFY(!s.isEnabled("btnNova"));
        QCOMPARE(s.text("btnAlinhar"), "Alinhar");
        QCOMPARE(s.picture("btnAlinhar"), "align");
        QVERIFY(s.isEnabled("btnSalvar"));
        QVERIFY(s.isEnabled("btnCancelar"));
        QVERIFY(s.isEnabled("edtPlacaA"));
        QVERIFY(s.isEnabled("edtPlacaB"));

        st.loadPair();
        st.actions.align();
        QVERIFY(st.written().contains("alinhar@"));
        QVERIFY(!st.written().contains("stop@"));

        st.armed();
        st.rig.port.written.clear();
        st.actions.start();
        QCOMPARE(st.written(), QStringList{"start@"});

        st.actions.startReceived();
        QVERIFY(!s.isEnabled("btnLargada"));
        QCOMPARE(s.text("btnAlinhar"), "Alinhar");
        QVERIFY(!s.isEnabled("btnNova"));
        QVERIFY(s.isEnabled("btnSalvar"));

        st.actions.cancel();
        QVERIFY(s.isEnabled("btnNova"));
        QVERIFY(!s.isEnabled("btnSalvar"));
        QVERIFY(!s.isEnabled("edtPlacaA"));
        QVERIFY(!s.isEnabled("edtPlacaB"));
        QVERIFY(!s.isEnabled("dbgPilotosCategA"));
        QCOMPARE(s.text("lblPilotoA"), "");
        QCOMPARE(st.hooks.last(), "close lists");
        QVERIFY(st.rig.runLog.lines().last().endsWith("#BTN-Cancelar!"));
    }

    void newRaceClearsThePair() {
        Station st;
        ScreenModel& s = st.rig.screen;
        LaneState& a = st.rig.pair.a;
        st.rig.pair.controllerVersion = "4.4";
        st.rig.data.side = "E";
        st.rig.pair.guardBeam = "S";
        st.loadPair();
        a.reactionTime = 0.5;
        a.finalTime = 7.1;
        a.dialIn = 9.9;
        a.handicapDelayMs = 250;
        a.foulFlag = "S";
        a.trackTime = 1.0;  // the finish sensor still reports blocked
        a.speedShown = 180.5;
        s.setText("lblRA", "0.512");
        s.setText("lblVCB", "120,0");
        s.setText("lblStatusA", "Queimou");
        s.show("imgStatusAQ");
        s.setText("ckWOB", "S");
        s.setText("lbltmpDialA", "250");
        s.setText("lblPilotoB", "34 - Beto");

        platform::Clock::setFixed(QDateTime(QDate(2026, 5, 1), QTime(14, 2, 3)));
        st.actions.newRace();

        QCOMPARE(s.text("btnAlinhar"), "Check");
        QCOMPARE(st.published(), QStringList{"Nova:E@"});
        QCOMPARE(st.rig.runLog.lines(), QStringList{"14:02:03#BTN-Nova_Largada!"});
        QCOMPARE(st.written(), QStringList{});
        QCOMPARE(st.rig.pair.guardBeam, "N");
        QCOMPARE(a.vehicleCode, 0);
        QCOMPARE(st.rig.pair.b.vehicleCode, 0);
        QCOMPARE(a.reactionTime, 0.0);
        QCOMPARE(a.finalTime, 0.0);
        QCOMPARE(a.dialIn, 0.0);
        QCOMPARE(a.handicapDelayMs, 0);
        QCOMPARE(a.foulFlag, "N");
        QCOMPARE(a.trackTime, 1.0);
        QCOMPARE(a.speedShown, 180.5);
        for (const QString& stem : kMeasurementStems) {
            QCOMPARE(s.text(stem + "A"), "0");
            QCOMPARE(s.text(stem + "B"), "0");
        }
        QVERIFY(!s.isVisible("imgStatusAQ"));
        QCOMPARE(s.text("lblStatusA"), "");
        QCOMPARE(s.text("edtPlacaA"), "");
        QCOMPARE(s.text("edtPlacaB"), "");
        QCOMPARE(s.text("ckWOB"), "N");
        QCOMPARE(s.text("lbltmpDialA"), "0.000");
        QCOMPARE(s.text("lblMelhorTempoB"), "0.000");
        QCOMPARE(s.text("lblPilotoB"), "");
        QVERIFY(!s.isVisible("edtPenalAProsolo"));
        QVERIFY(s.isEnabled("btnTrocaPista"));
        QCOMPARE(st.hooks, (QStringList{"focus A", "reopen lists"}));
    }

    void newRaceProsoloAndBonus() {
        Station st;
        ScreenModel& s = st.rig.screen;
        st.rig.data.champ.prosolo = "S";
        st.rig.data.champ.bonus = "S";
        s.setText("edtPenalB", "3");
        s.setEnabled("edtBonusB", false);

        st.actions.newRace();

        QCOMPARE(st.written(), QStringList{"treeprosolo@"});
        QVERIFY(s.isVisible("edtPenalAProsolo"));
        QCOMPARE(s.text("edtPenalAProsolo"), "0");
        QCOMPARE(s.text("edtPenalB"), "0");
        QVERIFY(s.isEnabled("edtBonusB"));
        for (const QString& stem : kMeasurementStems) {
            QCOMPARE(s.text(stem + "A"), "0");
            QCOMPARE(s.text(stem + "B"), "");
        }

        Station plain;
        plain.actions.newRace();
        QVERIFY(!plain.rig.screen.isEnabled("edtBonusA"));
        QVERIFY(!plain.rig.screen.isEnabled("edtPenalA"));
    }

    // A version that is not a number stops New race half way; Cancel is the way back.
    void newRaceWithBadVersionLeavesNewDisabled() {
        Station st;
        st.rig.pair.controllerVersion = "v4";
        QVERIFY_THROWS_EXCEPTION(ConversionError, st.actions.newRace());
        QVERIFY(!st.rig.screen.isEnabled("btnNova"));
        QCOMPARE(st.published(), QStringList{});
        st.actions.cancel();
        QVERIFY(st.rig.screen.isEnabled("btnNova"));
    }

    void alignWithoutVehiclesWritesNothing() {
        Station st;
        st.rig.pair.controllerVersion = "4.3";
        st.actions.newRace();
        st.rig.screen.setText("edtPlacaA", "12");
        st.rig.port.written.clear();
        st.rig.publisher.messages.clear();

        st.actions.align();

        QCOMPARE(st.dialogs.messages, QStringList{"Favor informar os Pilotos !!!!"});
        QCOMPARE(st.written(), QStringList{});
        QCOMPARE(st.published(), QStringList{"Alinhar:s@"});
    }

    void alignOrder_data() {
        QTest::addColumn<QString>("prosolo");
        QTest::addColumn<QString>("scoreboard");
        QTest::addColumn<QStringList>("expected");
        const QStringList head = {"p Alinhar:s@", "w KA12@", "wait 30"};
        const QStringList tail = {"w ZAPROMO@", "wait 30",   "w KB 34@",       "wait 30", "w ZBSTREE@",
                                  "wait 30",    "w alinhar@", "p Alinhar:s@", "wait 30"};
        QTest::newRow("two lanes, times shown")
            << "N" << "S" << head + tail + QStringList{"p mostraTempo:s@"};
        QTest::newRow("prosolo, times hidden")
            << "S" << "N" << head + QStringList{"w offVerde10@", "wait 30"} + tail + QStringList{"p escondeTempo:s@"};
    }

    void alignOrder() {
        QFETCH(QString, prosolo);
        QFETCH(QString, scoreboard);
        QFETCH(QStringList, expected);
        RaceRig rig;
        Timeline tl;
        RaceContext ctx{rig.pair, rig.screen, tl, tl, rig.monitor, rig.runLog, rig.data, tl};
        RaceActions actions(ctx);
        ScriptedDialogs dialogs;
        rig.data.champ.prosolo = prosolo;
        rig.pair.scoreboardOn = scoreboard;
        rig.pair.a.vehicleCode = 101;
        rig.pair.b.vehicleCode = 102;
        rig.pair.a.panelText = "PROMOD";
        rig.pair.b.panelText = "STREET";
        rig.screen.setText("edtPlacaA", "12");
        rig.screen.setText("edtPlacaB", "34");
        rig.screen.setText("btnAlinhar", "Alinhar");

        actions.align();

        QCOMPARE(tl.events, expected);
        QCOMPARE(dialogs.asked.size(), 0);
    }

    void alignTargetMode_data() {
        QTest::addColumn<double>("targetA");
        QTest::addColumn<QString>("plateA");
        QTest::addColumn<double>("targetB");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QString>("message");
        QTest::newRow("7.5") << 7.5 << "12" << 8.25
                             << QStringList{"KA12@", "ZA7.500@", "targetA7500@", "KB 34@", "ZB8.250@", "targetB8250@",
                                            "alinhar@"}
                             << "";
        // A plain product gives 8000.999...; the tree gets what the board shows.
        QTest::newRow("8.001 without float noise")
            << 8.001 << "12" << 7.123
            << QStringList{"KA12@", "ZA8.001@", "targetA8001@", "KB 34@", "ZB7.123@", "targetB7123@", "alinhar@"}
            << "";
        QTest::newRow("lane B without target keeps lane A's commands")
            << 7.5 << "12" << 0.0 << QStringList{"KA12@", "ZA7.500@", "targetA7500@", "KB 34@"}
            << "Piloto B sem tempo ALVO! ";
        QTest::newRow("lane A without plate") << 7.5 << "" << 8.0 << QStringList{"KA@"} << "Piloto A sem tempo ALVO! ";
        QTest::newRow("negative target") << -1.0 << "12" << 8.0 << QStringList{"KA12@"} << "Piloto A sem tempo ALVO! ";
    }

    void alignTargetMode() {
        QFETCH(double, targetA);
        QFETCH(QString, plateA);
        QFETCH(double, targetB);
        QFETCH(QStringList, written);
        QFETCH(QString, message);
        Station st;
        st.loadPair(plateA);
        st.rig.screen.setText("btnAlinhar", "Alinhar");
        for (LaneState* l : {&st.rig.pair.a, &st.rig.pair.b}) l->targetMode = "S";
        st.rig.pair.a.targetTime = targetA;
        st.rig.pair.b.targetTime = targetB;

        st.actions.align();

        QCOMPARE(st.written(), written);
        QCOMPARE(st.dialogs.messages, message.isEmpty() ? QStringList{} : QStringList{message});
        QCOMPARE(st.rig.screen.text("btnAlinhar"), "Alinhar");
    }

    void alignBlockedFinishSensor_data() {
        QTest::addColumn<bool>("blockedA");
        QTest::addColumn<bool>("blockedB");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("aligned");
        QTest::newRow("A blocked, No") << true << false << QList<int>{Dialogs::No}
                                       << QStringList{"Sensor FIM A , continuar ??"} << false;
        QTest::newRow("A blocked, Yes") << true << false << QList<int>{Dialogs::Yes}
                                        << QStringList{"Sensor FIM A , continuar ??"} << true;
        QTest::newRow("both blocked, Yes then No")
            << true << true << QList<int>{Dialogs::Yes, Dialogs::No}
            << QStringList{"Sensor FIM A , continuar ??", "Sensor FIM B , continuar ??"} << false;
        // Closing the box answers its default, No.
        QTest::newRow("B blocked, closed") << false << true << QList<int>{} << QStringList{"Sensor FIM B , continuar ??"}
                                           << false;
    }

    void alignBlockedFinishSensor() {
        QFETCH(bool, blockedA);
        QFETCH(bool, blockedB);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, questions);
        QFETCH(bool, aligned);
        Station st;
        st.loadPair();
        st.rig.screen.setText("btnAlinhar", "Alinhar");
        st.rig.pair.a.trackTime = blockedA ? 1.0 : 0.0;
        st.rig.pair.b.trackTime = blockedB ? 1.0 : 0.0;
        st.rig.pair.a.categoryTreeMode = 2;
        for (int answer : answers) st.dialogs.answer(Dialogs::Button(answer));

        st.actions.align();

        QCOMPARE(st.dialogs.messages, questions);
        for (const auto& asked : st.dialogs.asked) {
            QCOMPARE(asked.caption, "SENSOR DESALINHADO");
            QCOMPARE(asked.icon, Dialogs::Icon::Critical);
            QCOMPARE(asked.buttons, Dialogs::Yes | Dialogs::No);
            QCOMPARE(asked.defaultButton, Dialogs::No);
        }
        if (aligned) {
            QCOMPARE(st.written().mid(4), (QStringList{"alinhar@", "treehandicap@"}));
            QCOMPARE(st.rig.screen.text("btnAlinhar"), "Alinhar");
        } else {
            QCOMPARE(st.written(), (QStringList{"KA12@", "ZAPROMO@", "KB 34@", "ZBSTREE@"}));
            QCOMPARE(st.published(), QStringList{"Alinhar:s@"});
            QCOMPARE(st.rig.screen.text("btnAlinhar"), "Check");
            QCOMPARE(st.rig.screen.picture("btnAlinhar"), "check");
        }
    }

    void alignHandicap_data() {
        QTest::addColumn<int>("treeMode");
        QTest::addColumn<QString>("dialAuto");
        QTest::addColumn<double>("dialA");
        QTest::addColumn<double>("dialB");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<QString>("labelA");
        QTest::addColumn<QString>("labelB");
        QTest::newRow("A slower") << 2 << "S" << 10.2 << 9.95 << QStringList{"treehandicap@", "tmpDialA250@"} << "250"
                                  << "0.000";
        QTest::newRow("B slower") << 2 << "S" << 9.95 << 10.2 << QStringList{"treehandicap@", "tmpDialB250@"}
                                  << "0.000" << "250";
        QTest::newRow("equal dials") << 2 << "S" << 9.5 << 9.5 << QStringList{"treehandicap@"} << "0.000" << "0.000";
        QTest::newRow("difference with float noise")
            << 2 << "S" << 10.3 << 10.0 << QStringList{"treehandicap@", "tmpDialA300@"} << "300" << "0.000";
        QTest::newRow("no dial auto") << 2 << "N" << 10.2 << 9.95 << QStringList{"treehandicap@"} << "0.000"
                                      << "0.000";
        QTest::newRow("a dial of 1 is no dial") << 2 << "S" << 10.2 << 1.0 << QStringList{"treehandicap@"} << "0.000"
                                                << "0.000";
        QTest::newRow("not a handicap category") << 0 << "S" << 10.2 << 9.95 << QStringList{} << "0.000" << "0.000";
    }

    void alignHandicap() {
        QFETCH(int, treeMode);
        QFETCH(QString, dialAuto);
        QFETCH(double, dialA);
        QFETCH(double, dialB);
        QFETCH(QStringList, commands);
        QFETCH(QString, labelA);
        QFETCH(QString, labelB);
        Station st;
        st.actions.newRace();
        st.loadPair();
        st.rig.pair.a.categoryTreeMode = treeMode;
        st.rig.pair.a.categoryDialAuto = dialAuto;
        st.rig.pair.a.dialIn = dialA;
        st.rig.pair.b.dialIn = dialB;
        st.rig.pair.b.handicapDelayMs = 99;  // left from the previous pair
        st.rig.port.written.clear();

        st.actions.align();

        const qsizetype after = st.written().indexOf("alinhar@") + 1;
        QVERIFY(after > 0);
        QCOMPARE(st.written().mid(after), commands);
        QCOMPARE(st.rig.screen.text("lbltmpDialA"), labelA);
        QCOMPARE(st.rig.screen.text("lbltmpDialB"), labelB);
        if (treeMode == 2) QCOMPARE(st.rig.pair.b.handicapDelayMs, labelB == "250" ? 250 : 0);
    }

    void alignByCaption_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("published");
        QTest::newRow("Check") << "Check" << QStringList{"check@"} << QStringList{"Alinhar:s@"};
        QTest::newRow("Abortar") << "Abortar" << QStringList{"stop@"} << QStringList{"Alinhar:s@", "Stop:s@"};
    }

    void alignByCaption() {
        QFETCH(QString, caption);
        QFETCH(QStringList, written);
        QFETCH(QStringList, published);
        Station st;
        st.rig.screen.setText("btnAlinhar", caption);
        st.actions.align();
        QCOMPARE(st.written(), written);
        QCOMPARE(st.published(), published);
        QCOMPARE(st.dialogs.asked.size(), 0);
    }

    void startByCaption_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("command");
        QTest::newRow("Largada") << "Largada" << "start@";
        QTest::newRow("Abortar (track closed)") << "Abortar" << "stop@";
    }

    void startByCaption() {
        QFETCH(QString, caption);
        QFETCH(QString, command);
        Station st;
        st.rig.screen.setText("btnLargada", caption);
        st.actions.start();
        QCOMPARE(st.written(), QStringList{command});
        QCOMPARE(st.published(), QStringList{"Largada:s@"});
    }

    void plainCommands_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("written");
        QTest::newRow("Ler Dados") << "readData" << QStringList{"reler@", "reler@"};
        QTest::newRow("Fechar Pista") << "closeTrack" << QStringList{"fechapista@"};
        QTest::newRow("Check") << "check" << QStringList{"check@"};
        QTest::newRow("imgAutoStartOn") << "imgAutoStartOn" << QStringList{"START-MANUAL@"};
        QTest::newRow("imgAutoStartOff") << "imgAutoStartOff" << QStringList{"START-AUTO@"};
        QTest::newRow("imgPlacarOn") << "imgPlacarOn" << QStringList{"PLACAR-OFF@"};
        QTest::newRow("imgPlacarOff") << "imgPlacarOff" << QStringList{"PLACAR-ON@"};
        QTest::newRow("Image6") << "Image6" << QStringList{"demo@"};
    }

    void plainCommands() {
        QFETCH(QString, action);
        QFETCH(QStringList, written);
        Station st;
        const QHash<QString, QString> before = snapshot(st.rig.screen);
        if (action == "readData")
            st.actions.readData();
        else if (action == "closeTrack")
            st.actions.closeTrack();
        else if (action == "check")
            st.actions.check();
        else
            st.actions.clickPicture(action);
        QCOMPARE(st.written(), written);
        // The pictures change only when the controller confirms.
        QCOMPARE(snapshot(st.rig.screen), before);
    }

    void randomCategoryPictures() {
        Station st;
        ScreenModel& s = st.rig.screen;
        st.actions.clickPicture("imgCatAleOff");
        QCOMPARE(st.rig.pair.randomCategory, "S");
        QVERIFY(s.isVisible("imgCatAleOn"));
        QVERIFY(!s.isVisible("imgCatAleOff"));
        st.actions.clickPicture("imgCatAleOn");
        QCOMPARE(st.rig.pair.randomCategory, "N");
        QVERIFY(!s.isVisible("imgCatAleOn"));
        QVERIFY(s.isVisible("imgCatAleOff"));
        QCOMPARE(st.written(), QStringList{});
    }

    void startReceivedResetsLanes_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("prosolo");
        QTest::addColumn<QStringList>("published");
        QTest::addColumn<QString>("alignCaption");
        QTest::newRow("old controller") << "4.3" << "N" << QStringList{"Largada@"} << "Alinhar";
        QTest::newRow("new controller, prosolo") << "4.31" << "S" << QStringList{"Largada:s@", "Largada@"} << "Check";
    }

    void startReceivedResetsLanes() {
        QFETCH(QString, version);
        QFETCH(QString, prosolo);
        QFETCH(QStringList, published);
        QFETCH(QString, alignCaption);
        Station st;
        ScreenModel& s = st.rig.screen;
        st.rig.pair.controllerVersion = version;
        st.rig.data.champ.prosolo = prosolo;
        st.rig.pair.a.foulFlag = "S";
        st.rig.pair.b.reactionTime = 0.4;
        st.rig.pair.b.split1Time = 3.2;
        s.setText("lblStatusB", "Queimou");
        s.show("spQA");
        s.show("spQB");
        const QDateTime at(QDate(2026, 5, 1), QTime(15, 30, 0));
        platform::Clock::setFixed(at);

        st.actions.startReceived();

        QCOMPARE(st.published(), published);
        QCOMPARE(s.text("btnAlinhar"), alignCaption);
        QVERIFY(!s.isEnabled("btnLargada"));
        QCOMPARE(st.rig.pair.startClock, at.time());
        QCOMPARE(st.rig.pair.b.finishClock, at.time());
        QCOMPARE(st.rig.pair.a.foulFlag, "");
        QCOMPARE(st.rig.pair.b.reactionTime, 0.0);
        QCOMPARE(st.rig.pair.b.split1Time, 3.2);  // not among the zeroed fields
        QCOMPARE(s.text("lblStatusB"), "");
        QVERIFY(!s.isVisible("spQA"));
        QVERIFY(s.isVisible("spQB"));
        for (const QString& stem : QStringList{"lblR", "lblP", "lbl50", "lbl100", "lblF", "lblPista"}) {
            QCOMPARE(s.text(stem + "A"), "00.000");
            QCOMPARE(s.text(stem + "B"), prosolo == "S" ? "" : "00.000");
        }
        QCOMPARE(s.text("lblVA"), "000");
        QCOMPARE(s.text("lblVB"), prosolo == "S" ? "" : "000");
        QCOMPARE(st.rig.monitor.calls, (QStringList{"black", "time A 0.000", "speed A 000", "time B 0.000",
                                                    "speed B 000"}));
    }

    void startReceivedWithClosedMonitor() {
        Station st;
        st.rig.monitor.open = false;
        st.actions.startReceived();
        QCOMPARE(st.rig.monitor.callsWhileClosed, QStringList{});
    }

    void drawnLights() {
        Station st;
        QTimer* t = st.actions.timer1();
        QCOMPARE(t->objectName(), "Timer1");
        QCOMPARE(t->interval(), 450);
        QCOMPARE(litLamps(st.rig.screen), QStringList{});  // the idle tree is dark
        st.actions.startReceived();
        QVERIFY(t->isActive());
        QCOMPARE(t->interval(), 350);
        QCOMPARE(litLamps(st.rig.screen), (QStringList{"spAA1", "spAB1"}));

        const QList<QPair<QStringList, int>> steps = {
            {{"spAA1", "spAB1"}, 350},
            {{"spAA2", "spAB2"}, 350},
            {{"spAA3", "spAB3"}, 350},
            {{"spVEA", "spVEB"}, 3000},
        };
        for (int i = 0; i < steps.size(); ++i) {
            st.tick(t);
            QCOMPARE(st.rig.pair.lampStep, i + 1);
            QCOMPARE(litLamps(st.rig.screen), steps[i].first);
            QCOMPARE(t->interval(), steps[i].second);
            QVERIFY(t->isActive());
        }
        st.tick(t);
        QCOMPARE(litLamps(st.rig.screen), QStringList{});
        QVERIFY(!t->isActive());
        QCOMPARE(t->interval(), 450);
    }

    // A second start while the lights run begins them again from the first amber.
    void startDuringLightsRestarts_data() {
        QTest::addColumn<int>("ticks");
        QTest::newRow("on amber 3") << 3;
        QTest::newRow("on the greens") << 4;
    }

    void startDuringLightsRestarts() {
        QFETCH(int, ticks);
        Station st;
        QTimer* t = st.actions.timer1();
        st.actions.startReceived();
        for (int i = 0; i < ticks; ++i) st.tick(t);

        st.actions.startReceived();

        QCOMPARE(st.rig.pair.lampStep, 0);
        QVERIFY(t->isActive());
        QCOMPARE(t->interval(), 350);
        QCOMPARE(litLamps(st.rig.screen), (QStringList{"spAA1", "spAB1"}));
        st.tick(t);
        st.tick(t);
        QCOMPARE(litLamps(st.rig.screen), (QStringList{"spAA2", "spAB2"}));
    }

    void countdownToZero() {
        Station st;
        ScreenModel& s = st.rig.screen;
        QTimer* t = st.actions.countdownTimer();
        QCOMPARE(t->interval(), 1000);
        s.setText("edtContagem", "00:03");

        st.actions.toggleCountdown();
        QVERIFY(t->isActive());
        QCOMPARE(s.text("btnContagem"), "STOP");

        st.tick(t);
        QCOMPARE(s.text("pnlStatus0"), "3");
        QCOMPARE(s.text("edtContagem"), "00:02");
        st.tick(t);
        st.tick(t);
        QCOMPARE(st.written(), (QStringList{"XA00:02@", "XA00:01@", "XA00:00@", "XAW.O.    .@"}));
        QCOMPARE(s.text("pnlStatus0"), "1");
        QVERIFY(!t->isActive());
        QCOMPARE(s.text("btnContagem"), "START");
        QCOMPARE(s.text("edtContagem"), "03:00");
    }

    void countdownTicks_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("next");
        QTest::newRow("minutes carry") << "03:00" << "02:59";
        QTest::newRow("longest") << "59:59" << "59:58";
        QTest::newRow("blanks of the mask") << " 1:05" << "01:04";
    }

    void countdownTicks() {
        QFETCH(QString, entry);
        QFETCH(QString, next);
        Station st;
        st.rig.screen.setText("edtContagem", entry);
        st.actions.toggleCountdown();
        st.tick(st.actions.countdownTimer());
        QCOMPARE(st.rig.screen.text("edtContagem"), next);
        QCOMPARE(st.written(), QStringList{"XA" + next + "@"});
        QVERIFY(st.actions.countdownTimer()->isActive());
    }

    void countdownStoppedByHand() {
        Station st;
        QTimer* t = st.actions.countdownTimer();
        st.actions.toggleCountdown();
        st.tick(t);
        QCOMPARE(st.rig.screen.text("edtContagem"), "02:59");
        st.actions.toggleCountdown();
        QVERIFY(!t->isActive());
        QCOMPARE(st.rig.screen.text("btnContagem"), "START");
        QCOMPARE(st.rig.screen.text("edtContagem"), "05:00");
    }

    // Started at zero there is nothing to count: it ends at the first tick
    // instead of running below zero.
    void countdownStartedAtZero() {
        Station st;
        st.rig.screen.setText("edtContagem", "00:00");
        st.actions.toggleCountdown();
        st.tick(st.actions.countdownTimer());
        QCOMPARE(st.written(), QStringList{"XAW.O.    .@"});
        QVERIFY(!st.actions.countdownTimer()->isActive());
        QCOMPARE(st.rig.screen.text("edtContagem"), "03:00");
    }

    void countdownBadEntry_data() {
        QTest::addColumn<QString>("entry");
        QTest::newRow("empty mask") << "  :  ";
        QTest::newRow("letters") << "ab:cd";
        QTest::newRow("75 seconds") << "00:75";
        QTest::newRow("no colon") << "0300";
    }

    // The error goes to the window's handler; the countdown keeps trying.
    void countdownBadEntry() {
        QFETCH(QString, entry);
        Station st;
        QTimer* t = st.actions.countdownTimer();
        st.rig.screen.setText("edtContagem", entry);
        st.actions.toggleCountdown();
        QVERIFY_THROWS_EXCEPTION(ConversionError, st.tick(t));
        QVERIFY_THROWS_EXCEPTION(ConversionError, st.tick(t));
        QVERIFY(t->isActive());
        QCOMPARE(st.written(), QStringList{});
        QCOMPARE(st.rig.screen.text("btnContagem"), "STOP");
    }

    void functionKeys() {
        Station st;
        st.rig.pair.controllerVersion = "4.3";

        QVERIFY(!st.rig.screen.isEnabled("btnSalvar"));
        QVERIFY(st.actions.handleKey(Qt::Key_F4));
        QCOMPARE(st.hooks, QStringList{});

        // F1 does not look at the button.
        st.rig.screen.setEnabled("btnNova", false);
        QVERIFY(st.actions.handleKey(Qt::Key_F1));
        QCOMPARE(st.published(), QStringList{"Nova:D@"});

        st.hooks.clear();
        QVERIFY(st.actions.handleKey(Qt::Key_F4));
        QVERIFY(st.actions.handleKey(Qt::Key_F3));
        QCOMPARE(st.hooks, (QStringList{"save", "category B", "focus B"}));

        QVERIFY(!st.actions.handleKey(Qt::Key_F6));
        QVERIFY(!st.actions.handleKey(Qt::Key_Return));
    }

    void ticketCommands_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("vehicleB");
        QTest::addColumn<double>("finalA");
        QTest::addColumn<double>("finalB");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("F5, 80 mm, both lanes")
            << "F5" << "8" << 102 << 7.2 << 7.3 << QStringList{"ticket80", "Recorte o Ticket"};
        QTest::newRow("F5, 57 mm, both finished")
            << "F5" << "5" << 102 << 7.2 << 7.3 << QStringList{"ticket57 A", "Recorte o Ticket", "ticket57 B"};
        QTest::newRow("F5, 57 mm, lane B empty") << "F5" << "5" << 0 << 7.2 << 7.3 << QStringList{"ticket57 A"};
        QTest::newRow("F5, 57 mm, lane B without finish")
            << "F5" << "5" << 102 << 7.2 << 0.0 << QStringList{"ticket57 A", "Recorte o Ticket"};
        QTest::newRow("F5, 57 mm, final of 1 is no finish")
            << "F5" << "5" << 102 << 1.0 << 1.0 << QStringList{"Recorte o Ticket"};
        QTest::newRow("F5, unknown model") << "F5" << "" << 102 << 7.2 << 7.3 << QStringList{"Recorte o Ticket"};
        QTest::newRow("F5, model V prints nothing") << "F5" << "V" << 0 << 7.2 << 7.3 << QStringList{};
        QTest::newRow("toolbar, 80 mm previews")
            << "toolbar" << "8" << 102 << 7.2 << 7.3 << QStringList{"preview80", "Recorte o Ticket"};
        QTest::newRow("toolbar, 57 mm prints unfinished lanes too")
            << "toolbar" << "5" << 102 << 7.2 << 0.0 << QStringList{"ticket57 A", "Recorte o Ticket", "ticket57 B"};
        QTest::newRow("toolbar, 57 mm, lane B empty") << "toolbar" << "5" << 0 << 0.0 << 0.0 << QStringList{"ticket57 A"};
        QTest::newRow("toolbar, model V prints nothing") << "toolbar" << "V" << 0 << 7.2 << 7.3 << QStringList{};
    }

    void ticketCommands() {
        QFETCH(QString, command);
        QFETCH(QString, model);
        QFETCH(int, vehicleB);
        QFETCH(double, finalA);
        QFETCH(double, finalB);
        QFETCH(QStringList, calls);
        Station st;
        st.rig.data.printer = model;
        st.rig.pair.a.vehicleCode = 101;
        st.rig.pair.b.vehicleCode = vehicleB;
        st.rig.pair.a.finalTime = finalA;
        st.rig.pair.b.finalTime = finalB;
        QStringList seen;
        st.actions.hooks.printTicket80 = [&] { seen << "ticket80"; };
        st.actions.hooks.previewTicket80 = [&] { seen << "preview80"; };
        st.actions.hooks.printTicket57 = [&](Lane l) {
            seen << "ticket57 " + laneLetter(l);
        };
        struct Tap : ScriptedDialogs {
            QStringList* into;
            void showMessage(const QString& text, QWidget* w) override {
                *into << text;
                ScriptedDialogs::showMessage(text, w);
            }
        } tap;
        tap.into = &seen;

        if (command == "F5")
            QVERIFY(st.actions.handleKey(Qt::Key_F5));
        else
            st.actions.printTicketsFromToolbar();
        QCOMPARE(seen, calls);
    }

    void swapLanes() {
        Station st;
        LaneState& a = st.rig.pair.a;
        LaneState& b = st.rig.pair.b;
        a.swapVehicleCode = 101;
        a.swapPlate = "12";
        b.swapVehicleCode = 102;
        b.swapPlate = "34";
        a.vehicleCode = 7;

        st.actions.swapLanes();

        QCOMPARE(a.vehicleCode, 102);
        QCOMPARE(b.vehicleCode, 101);
        QCOMPARE(st.rig.screen.text("edtPlacaA"), "34");
        QCOMPARE(st.rig.screen.text("edtPlacaB"), "12");
        QCOMPARE(st.hooks, (QStringList{"load A 102", "load B 101"}));
        QCOMPARE(st.written(), QStringList{});
    }

private:
    static QHash<QString, QString> snapshot(const ScreenModel& s) {
        QHash<QString, QString> all;
        for (const QString& name : s.names()) {
            const ScreenItem& i = s.item(name);
            all[name] = QString("%1|%2|%3|%4").arg(i.text).arg(i.visible).arg(i.enabled).arg(i.picture);
        }
        return all;
    }
};

QTEST_MAIN(TestRaceActions)
#include "tst_raceactions.moc"
