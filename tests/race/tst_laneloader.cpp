#include "DemoStation.h"
#include "RaceDoubles.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "app/uDM.h"
#include "db/Query.h"
#include "race/LaneLoader.h"
#include "race/RaceActions.h"
#include "race/uPrincipal.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

/// Controller writes ("w"), pauses ("wait") and companion messages ("p") in
/// one list, in the order they happened.
struct Timeline : ControllerPort, Publisher, platform::Pause {
    void write(const QString& command) override { events << "w " + command; }
    void publish(const QString& message) override { events << "p " + message; }
    void wait(int ms) override { events << "wait " + QString::number(ms); }
    QStringList events;
};

/// The lane loader on doubles of the race outputs and on the demo database.
struct Desk {
    explicit Desk(DM& dm) : loader(ctx, dm) {
        resetRaceScreen(screen);
        QObject::connect(&loader, &LaneLoader::focusRequested, &loader,
                         [this](const QString& name) { focus << name; });
    }

    void plate(Lane lane, const QString& text) { screen.setText("edtPlaca" + laneLetter(lane), text); }
    void heat(Lane lane, const QString& text) { screen.setText("cbBateria" + laneLetter(lane), text); }
    void load(Lane lane, const QString& number) {
        plate(lane, number);
        loader.lookup(lane);
    }
    QString text(const QString& name) const { return screen.text(name); }
    void forget() {
        timeline.events.clear();
        focus.clear();
    }

    RacePair pair;
    ScreenModel screen;
    Timeline timeline;
    RecordingMonitor monitor;
    RunLog runLog;
    FakeRaceData data;
    RaceContext ctx{pair, screen, timeline, timeline, monitor, runLog, data, timeline};
    LaneLoader loader;
    QStringList focus;
};

}  // namespace

class TestLaneLoader : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_tdb;
    std::unique_ptr<DM> m_dm;
    std::unique_ptr<ScriptedDialogs> m_dialogs;

    void exec(const QString& sql, const QVariantMap& params = {}) { m_tdb->sql().execute(sql, params); }

    /// A stored run of the open event (2).
    void addRun(int vehicle, int category, const QString& status, double finalTime, double trackTime = 0,
                const QString& heat = "1") {
        exec("insert into resultados (COD_EVENTO, COD_VEICULO, COD_CATEGORIA, LADO_PISTA, STATUS, BATERIA, "
             "REACAO, TPISTA, TFINAL) values (2, :v, :c, 'Esquerda', :s, :b, 0.2, :p, :f)",
             {{"v", vehicle}, {"c", category}, {"s", status}, {"b", heat}, {"p", trackTime}, {"f", finalTime}});
    }

    std::unique_ptr<Desk> desk() { return std::make_unique<Desk>(*m_dm); }

private slots:
    void initTestCase() {
        m_tdb = std::make_unique<TestDatabase>();
        m_tdb->loadFile(qEnvironmentVariable("VUD_SOURCE_DIR") + "/data/demo.sql");
        // A phone typed with punctuation: the companion gets its digits.
        exec("update veiculo set CELULAR='(67) 93973-9602' where CODIGO=7");
        // A round-area pair category, as the round area creates them.
        exec("insert into categoria (CODIGO, SIGLA, CATEGORIA, COD_CAMPEONATO, TXT_PAINEL, MATA_MATA) "
             "values (10, 'R1', 'Rodada 1', 1, 'ROD1', 'A')");
        m_dm = std::make_unique<DM>(m_tdb->settings());
        openEvent(*m_dm, 1, 2);
    }

    void cleanupTestCase() {
        m_dm.reset();
        m_tdb.reset();
    }

    void init() {
        m_dialogs = std::make_unique<ScriptedDialogs>();
        exec("delete from resultados where CODIGO > 50");
        exec("delete from mata_mata");
        exec("delete from inscricao where CODIGO > 61");
        exec("update veiculo set TMP_DIAL_AUTO = 0");
        exec("update veiculo set TMP_ALVO = 10.8 where CODIGO=20");
        exec("update categoria set DIAL_AUTO = 'S' where CODIGO=5");
    }

    void cleanup() { m_dialogs.reset(); }

    // -- The whole output of a lookup -------------------------------------

    void successfulLookupTellsControllerAndCompanionInOrder_data() {
        QTest::addColumn<QString>("lane");
        QTest::addColumn<QString>("random");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("focus");
        const QStringList pilotA{"p cod_pilotoA:7@", "p num_pilotoA:16@", "p pilA:Anderson Luiz Pereira@"};
        const QStringList pilotB{"p cod_pilotoB:7@", "p num_pilotoB:16@", "p pilB:Anderson Luiz Pereira@"};
        QTest::newRow("chosen category, lane A")
            << "A" << "N"
            << QStringList{"w KAT7.5@"} + QStringList{"p catA:T7.5@"} + pilotA +
                   QStringList{"p apelidoA:Andinho@", "p carA:Uno 1.6 Turbo@", "p posAntA:2º@", "p catA:T7.5@",
                               "p celularA:67939739602@", "p BatA:2@", "w ZA 16@", "wait 20", "w KAT7.5@"}
            << QStringList{"edtPlacaB"};
        QTest::newRow("chosen category, lane B")
            << "B" << "N"
            << pilotB + QStringList{"p apelidoB:Andinho@", "p carB:Uno 1.6 Turbo@", "p posAntB:2º@", "p catB:T7.5@",
                                    "p catNumB:2@", "p celularB:67939739602@", "p BatB:2@"}
            << QStringList{};
        QTest::newRow("category of the entry, lane A")
            << "A" << "S"
            << QStringList{"w KAT7.5@", "p catA:T7.5@"} + pilotA +
                   QStringList{"p carA:Uno 1.6 Turbo@", "p posAntA:2º@", "p catA:T7.5@", "p celularA:67939739602@",
                               "p BatA:2@", "w ZA 16@", "wait 20", "w KAT7.5@"}
            << QStringList{"edtPlacaB"};
        QTest::newRow("category of the entry, lane B")
            << "B" << "S"
            << QStringList{"w KBT7.5@", "p catB:T7.5@", "p catNumB:2@"} + pilotB +
                   QStringList{"p carB:Uno 1.6 Turbo@", "p posAntB:2º@", "p catB:T7.5@", "p catNumB:2@",
                               "p celularB:67939739602@", "p BatB:2@", "w ZB 16@", "wait 20", "w KBT7.5@"}
            << QStringList{};
    }
    void successfulLookupTellsControllerAndCompanionInOrder() {
        QFETCH(QString, lane);
        QFETCH(QString, random);
        QFETCH(QStringList, events);
        QFETCH(QStringList, focus);
        const Lane l = lane == "A" ? Lane::A : Lane::B;
        addRun(5, 2, "Valido", 7.9);
        addRun(7, 2, "Valido", 8.0);
        auto d = desk();
        d->pair.randomCategory = random;
        if (random == "N") d->loader.chooseCategory(l, 2);
        d->forget();

        d->load(l, "16");

        QCOMPARE(d->timeline.events, events);
        QCOMPARE(d->focus, focus);
        QCOMPARE(m_dialogs->messages, QStringList());
        const LaneState& s = d->pair.lane(l);
        QCOMPARE(s.vehicleCode, 7);
        QCOMPARE(s.categoryCode, 2);
        QCOMPARE(s.categoryMinTime, 7.5);
        QCOMPARE(s.minTimeBasis, QString("P"));
        QCOMPARE(s.panelText, QString("T7.5"));
        QCOMPARE(d->text("lblPiloto" + lane), QString("16 - Anderson Luiz Pereira"));
        QCOMPARE(d->text("lblVeiculo" + lane), QString("Uno 1.6 Turbo"));
        QCOMPARE(d->text("lblCateg" + lane), QString("Turbo Índice 7.5"));
        QCOMPARE(d->text("lblPos" + lane), QString("2º"));
        QCOMPARE(d->text("cbBateria" + lane), QString("2"));
        // The run grid shows the vehicle's runs of the category, the entry grid its category.
        QCOMPARE(d->loader.runs(l)->rowCount(), 1);
        QCOMPARE(d->loader.entries(l)->rowCount(), 9);
    }

    // -- Refused lookups ------------------------------------------------

    void refusedLookupLeavesTheLaneAsItWas_data() {
        QTest::addColumn<QString>("random");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("label");
        QTest::newRow("entered in two ordinary categories") << "S" << "26" << "Veiculo nao Encontrado" << "";
        QTest::newRow("pending entry, category of the entry") << "S" << "13" << "Veiculo nao Encontrado" << "";
        QTest::newRow("pending entry, chosen category")
            << "N" << "13" << "Veiculo não encontrado ou não inscrito!!" << "10 - Carlos Eduardo Ferreira";
        QTest::newRow("entered in another category")
            << "N" << "16" << "Veiculo não encontrado ou não inscrito!!" << "10 - Carlos Eduardo Ferreira";
        QTest::newRow("Enter in an empty edit")
            << "N" << "" << "Veiculo não encontrado ou não inscrito!!" << "10 - Carlos Eduardo Ferreira";
    }
    void refusedLookupLeavesTheLaneAsItWas() {
        QFETCH(QString, random);
        QFETCH(QString, number);
        QFETCH(QString, message);
        QFETCH(QString, label);
        auto d = desk();
        d->loader.chooseCategory(Lane::A, 1);
        d->load(Lane::A, "10");
        QCOMPARE(d->pair.a.vehicleCode, 1);
        d->pair.randomCategory = random;
        d->forget();

        d->load(Lane::A, number);

        QCOMPARE(m_dialogs->messages, QStringList{message});
        QCOMPARE(d->timeline.events, QStringList());
        QCOMPARE(d->pair.a.vehicleCode, 1);
        QCOMPARE(d->pair.a.categoryCode, 1);
        QCOMPARE(d->text("cbBateriaA"), QString("1"));
        QCOMPARE(d->text("lblPilotoA"), label);
        // The save reads the loaded vehicle's row: it is still that vehicle's.
        QCOMPARE(d->loader.vehicleRow(Lane::A)->integer("CODIGO"), 1);
    }

    // -- Heat and position ------------------------------------------------

    void heatCountsRunsWithAFinalTimeFoulsIncluded() {
        addRun(5, 2, "Valido", 8.1, 7.9, "1");
        addRun(5, 2, "Queimou", 8.3, 8.0, "2");
        addRun(5, 2, "ErroFA", 0, 0, "3");
        addRun(5, 7, "Valido", 8.1, 7.9, "1");  // the shark-tank copy is another category
        auto d = desk();
        d->loader.chooseCategory(Lane::A, 2);
        d->load(Lane::A, "14");
        QCOMPARE(d->text("cbBateriaA"), QString("3"));
        QVERIFY(d->timeline.events.contains("p BatA:3@"));
        QCOMPARE(d->text("lblPosA"), QString("1º"));
        // Newest first.
        const db::Query* runs = d->loader.runs(Lane::A);
        QCOMPARE(runs->rowCount(), 2);
        QCOMPARE(runs->valueAt(0, "STATUS").toString(), QString("Queimou"));
    }

    void onlyFoulsPlaceTheVehicleLastOnBothLanes() {
        addRun(5, 2, "Valido", 8.1);
        addRun(6, 2, "Queimou", 7.8);
        addRun(6, 2, "Queimou", 8.0, 0, "2");
        auto d = desk();
        for (const Lane lane : {Lane::A, Lane::B}) {
            d->loader.chooseCategory(lane, 2);
            d->load(lane, "15");
            QCOMPARE(d->text("lblPos" + laneLetter(lane)), QString("99º"));
            QVERIFY(d->timeline.events.contains("p posAnt" + laneLetter(lane) + ":99º@"));
        }
    }

    // -- Category list box and search -------------------------------------

    void categoryChoiceTakesTheCategory() {
        auto d = desk();
        d->loader.chooseCategory(Lane::A, 5);
        QCOMPARE(d->timeline.events, (QStringList{"w KAHCAP@", "p catA:HCAP@"}));
        QCOMPARE(d->text("lblCategA"), QString("Handicap Dial-In"));
        QCOMPARE(d->text("DBLBoxCatA"), QString("HC"));
        QCOMPARE(d->text("lblDialA"), QString("DialAuto: S"));
        QCOMPARE(d->pair.a.categoryCode, 5);
        QCOMPARE(d->pair.a.panelText, QString("HCAP"));
        QCOMPARE(d->pair.a.categoryTreeMode, 2);
        QCOMPARE(d->loader.entries(Lane::A)->rowCount(), 4);
        QCOMPARE(d->loader.entries(Lane::A)->valueAt(0, "PILOTO").toString(), QString("José Luiz Cardoso"));

        d->forget();
        d->loader.chooseCategory(Lane::B, 4);
        QCOMPARE(d->timeline.events, (QStringList{"p catB:ALVO@", "p catNumB:4@"}));
        QCOMPARE(d->text("lblDialB"), QString());
        QCOMPARE(d->pair.b.targetMode, QString("S"));
        QCOMPARE(d->pair.b.categoryMinTime, 0.0);
    }

    void knockoutRaceNeedsTheSameKnockoutCategoryOnBothLanes_data() {
        QTest::addColumn<int>("categoryA");
        QTest::addColumn<int>("categoryB");
        QTest::addColumn<QString>("knockout");
        QTest::newRow("same knockout") << 6 << 6 << "S";
        QTest::newRow("same round-area pair") << 10 << 10 << "S";
        QTest::newRow("lane B ordinary") << 6 << 2 << "N";
        QTest::newRow("lane A ordinary") << 2 << 6 << "N";
        QTest::newRow("both ordinary, same category") << 2 << 2 << "N";
        QTest::newRow("knockout and pair") << 6 << 10 << "N";
    }
    void knockoutRaceNeedsTheSameKnockoutCategoryOnBothLanes() {
        QFETCH(int, categoryA);
        QFETCH(int, categoryB);
        QFETCH(QString, knockout);
        auto d = desk();
        d->loader.chooseCategory(Lane::A, categoryA);
        d->loader.chooseCategory(Lane::B, categoryB);
        QCOMPARE(d->pair.knockoutRace, knockout);
        QCOMPARE(d->screen.color("spMataMata"), QString(knockout == "S" ? "green" : "red"));
    }

    /// The search takes the category as the list box does, so the next
    /// lookup applies this category's minimum and panel text, not those of
    /// the category chosen before it.
    void searchedCategoryIsTakenWhole() {
        auto d = desk();
        d->loader.chooseCategory(Lane::A, 1);
        int offered = 2;
        d->loader.pickCategory = [&offered] { return offered; };
        d->loader.searchCategory(Lane::A);
        QCOMPARE(d->text("DBLBoxCatA"), QString("T75"));
        QCOMPARE(d->text("lblCategA"), QString("Turbo Índice 7.5"));
        d->load(Lane::A, "16");
        QCOMPARE(d->pair.a.vehicleCode, 7);
        QCOMPARE(d->pair.a.categoryMinTime, 7.5);
        QCOMPARE(d->pair.a.panelText, QString("T7.5"));

        // Cancelled: nothing changes.
        offered = 0;
        d->forget();
        d->loader.searchCategory(Lane::A);
        QCOMPARE(d->pair.a.categoryCode, 2);
        QCOMPARE(d->timeline.events, QStringList());
    }

    // -- Knockout ---------------------------------------------------------

    void knockoutLookupFillsTheOpponent_data() {
        QTest::addColumn<int>("round");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("opponent");
        QTest::addColumn<QString>("race");
        QTest::newRow("first vehicle of race 2") << 1 << "16" << "17" << "2";
        QTest::newRow("second vehicle of race 2") << 1 << "17" << "16" << "2";
        QTest::newRow("second vehicle, round 2") << 2 << "17" << "14" << "1";
        QTest::newRow("no race in the round") << 2 << "16" << "99" << "";
    }
    void knockoutLookupFillsTheOpponent() {
        QFETCH(int, round);
        QFETCH(QString, number);
        QFETCH(QString, opponent);
        QFETCH(QString, race);
        for (int vehicle : {5, 6, 7, 8})
            exec("insert into inscricao (COD_EVENTO, COD_CATEGORIA, COD_VEICULO, VALIDO) values (2, 6, :v, 'S')",
                 {{"v", vehicle}});
        exec("insert into mata_mata (CD_EVENTO, CD_CATEGORIA, CD_VEICULO1, CD_VEICULO2, ROUND, RACE) values "
             "(2, 6, 5, 6, 1, 1), (2, 6, 7, 8, 1, 2), (2, 6, 5, 8, 2, 1), (1, 6, 7, 5, 2, 1)");
        auto d = desk();
        d->plate(Lane::A, "12");
        d->loader.chooseCategory(Lane::A, 6);
        // The round comes first: its box shows and takes the focus; plate A is emptied.
        QCOMPARE(d->focus, QStringList{"cbRoundA"});
        QCOMPARE(d->text("edtPlacaA"), QString());
        for (const char* item : {"lblRoundA", "cbRoundA", "lblRaceA", "lblRaceNumA"})
            QVERIFY2(d->screen.isVisible(item), item);
        QVERIFY(!d->screen.isVisible("cbRoundB"));
        QCOMPARE(d->loader.rounds(Lane::A)->rowCount(), 2);
        QCOMPARE(d->text("cbRoundA"), QString("1"));
        d->loader.chooseRound(round);
        QCOMPARE(d->pair.knockoutRound, round);

        d->plate(Lane::B, "99");
        d->load(Lane::A, number);
        QCOMPARE(d->text("edtPlacaB"), opponent);
        QCOMPARE(d->text("lblRaceNumA"), race);
        QCOMPARE(d->text("lblRaceNumB"), race);
        QCOMPARE(d->pair.knockoutRaceNumber, race.toInt());
        QCOMPARE(d->pair.knockoutRaceCode > 0, !race.isEmpty());

        // A new pair starts without a race until lane A finds one.
        d->loader.reopenPilotLists();
        QCOMPARE(d->pair.knockoutRaceCode, 0);
        QCOMPARE(d->text("lblRaceNumA"), QString());
        QVERIFY(!d->loader.runs(Lane::A)->isOpen());

        // An ordinary category hides the round again.
        d->loader.chooseCategory(Lane::A, 2);
        QVERIFY(!d->screen.isVisible("cbRoundA"));
        QVERIFY(!d->screen.isVisible("lblRaceNumA"));
    }

    // -- OnTarget, best time and handicap ---------------------------------

    void onTargetShowsTheTargetOrWarns_data() {
        QTest::addColumn<QString>("lane");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("dial");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("target time") << "A" << "28" << "Alvo: 11.5" << QStringList{};
        QTest::newRow("no target, lane A") << "A" << "29" << "" << QStringList{"Piloto A sem tempo Alvo !"};
        QTest::newRow("no target, lane B") << "B" << "29" << "" << QStringList{"Piloto b sem tempo Alvo !"};
    }
    void onTargetShowsTheTargetOrWarns() {
        QFETCH(QString, lane);
        QFETCH(QString, number);
        QFETCH(QString, dial);
        QFETCH(QStringList, messages);
        const Lane l = lane == "A" ? Lane::A : Lane::B;
        exec("update veiculo set TMP_ALVO=0 where CODIGO=20");
        auto d = desk();
        d->loader.chooseCategory(l, 4);
        d->load(l, number);
        QCOMPARE(m_dialogs->messages, messages);
        QCOMPARE(d->text("lblDial" + lane), dial);
        // Loading goes on after the warning.
        QVERIFY(d->pair.lane(l).vehicleCode > 0);
        QVERIFY(d->timeline.events.contains("p Bat" + lane + ":1@"));
    }

    void handicapDelayFromTheBestTrackTimes_data() {
        QTest::addColumn<QString>("numberA");
        QTest::addColumn<QString>("numberB");
        QTest::addColumn<int>("delayA");
        QTest::addColumn<int>("delayB");
        QTest::addColumn<QString>("labelA");
        QTest::addColumn<QString>("labelB");
        QTest::newRow("lane A slower") << "32" << "31" << 350 << 0 << "350" << "0.000";
        QTest::newRow("lane B slower") << "31" << "32" << 0 << 350 << "0.000" << "350";
        QTest::newRow("equal dial-ins") << "31" << "31" << 0 << 0 << "0.000" << "0.000";
    }
    void handicapDelayFromTheBestTrackTimes() {
        QFETCH(QString, numberA);
        QFETCH(QString, numberB);
        QFETCH(int, delayA);
        QFETCH(int, delayB);
        QFETCH(QString, labelA);
        QFETCH(QString, labelB);
        addRun(23, 5, "Valido", 10.5, 10.250);
        addRun(23, 5, "Valido", 10.9, 10.600, "2");
        addRun(22, 5, "Valido", 10.1, 9.900);
        addRun(22, 5, "Valido", 2.0, 1.9, "2");  // a track time of 2 s or less is no best time
        auto d = desk();
        d->loader.chooseCategory(Lane::A, 5);
        d->loader.chooseCategory(Lane::B, 5);
        d->load(Lane::A, numberA);
        d->load(Lane::B, numberB);
        QCOMPARE(d->pair.a.handicapDelayMs, delayA);
        QCOMPARE(d->pair.b.handicapDelayMs, delayB);
        QCOMPARE(d->text("lbltmpDialA"), labelA);
        QCOMPARE(d->text("lbltmpDialB"), labelB);
        const double bestA = numberA == "32" ? 10.25 : 9.9;
        QCOMPARE(d->pair.a.dialIn, bestA);
        QCOMPARE(d->text("lblMelhorTempoA"), numberA == "32" ? QString("10.250") : QString("9.900"));
        // Kept on the vehicle for the other windows.
        QCOMPARE(m_tdb->scalar("select TMP_DIAL_AUTO from veiculo where CODIGO=:c",
                               {{"c", numberA == "32" ? 23 : 22}})
                     .toDouble(),
                 bestA);
    }

    void handicapOnlyForAnAutomaticDialInOnLaneA() {
        addRun(23, 5, "Valido", 10.5, 10.250);
        addRun(22, 5, "Valido", 10.1, 9.900);
        exec("update categoria set DIAL_AUTO='N' where CODIGO=5");
        auto d = desk();
        d->loader.chooseCategory(Lane::A, 5);
        d->loader.chooseCategory(Lane::B, 5);
        d->load(Lane::A, "32");
        d->load(Lane::B, "31");
        QCOMPARE(d->pair.a.dialIn, 10.25);
        QCOMPARE(d->pair.a.handicapDelayMs, 0);
        QCOMPARE(d->text("lbltmpDialA"), QString("0.000"));
    }

    // -- Training ---------------------------------------------------------

    void trainingLookupKeepsTheHeatAndTheVehicle_data() {
        QTest::addColumn<QString>("lane");
        QTest::addColumn<bool>("loadedBefore");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<bool>("hint");
        QTest::newRow("lane A, nothing loaded") << "A" << false << QStringList{"w ZA 16@", "wait 20", "w KA@"} << true;
        QTest::newRow("lane A, loaded before")
            << "A" << true << QStringList{"w ZA 16@", "wait 20", "w KAT7.5@"} << false;
        QTest::newRow("lane B, nothing loaded") << "B" << false << QStringList{} << true;
    }
    void trainingLookupKeepsTheHeatAndTheVehicle() {
        QFETCH(QString, lane);
        QFETCH(bool, loadedBefore);
        QFETCH(QStringList, events);
        QFETCH(bool, hint);
        const Lane l = lane == "A" ? Lane::A : Lane::B;
        auto d = desk();
        if (loadedBefore) {
            d->loader.chooseCategory(l, 2);
            d->load(l, "16");
        }
        d->heat(Lane::A, "T");
        d->heat(Lane::B, "T");
        d->forget();

        d->load(l, "16");

        QCOMPARE(d->timeline.events, events);
        QCOMPARE(d->text("cbBateriaA"), QString("T"));
        QCOMPARE(d->text("cbBateriaB"), QString("T"));
        QCOMPARE(d->pair.lane(l).vehicleCode, loadedBefore ? 7 : 0);
        QCOMPARE(d->text("lblPiloto" + lane), QString("16 - Anderson Luiz Pereira"));
        // Why a training run of this lane would not be stored.
        QCOMPARE(d->screen.isVisible("lblAviso" + lane), hint);
        if (hint) QCOMPARE(d->text("lblAviso" + lane), LaneLoader::trainingWithoutVehicleHint());
        QCOMPARE(m_dialogs->messages, QStringList());

        // A lookup that loads the vehicle takes the hint away.
        d->heat(l, "");
        d->loader.chooseCategory(l, 2);
        d->load(l, "16");
        QVERIFY(!d->screen.isVisible("lblAviso" + lane));
    }

    void trainingAcceptsAnUnregisteredNumber() {
        auto d = desk();
        d->loader.chooseCategory(Lane::A, 2);
        d->load(Lane::A, "16");
        d->heat(Lane::A, "T");
        d->load(Lane::A, "777");
        // The label no longer names the vehicle of the earlier lookup.
        QCOMPARE(d->text("lblPilotoA"), QString());
        QCOMPARE(d->text("lblVeiculoA"), QString());
        // Enter was pressed: leaving the edit is no missing Enter.
        QVERIFY(d->loader.leavePlate(Lane::A));
        QCOMPARE(m_dialogs->messages, QStringList());
        d->plate(Lane::A, "778");
        QVERIFY(!d->loader.leavePlate(Lane::A));
    }

    // -- Leaving the plate ------------------------------------------------

    void leavingAPlateWithoutEnter_data() {
        QTest::addColumn<QString>("lane");
        QTest::addColumn<QString>("plate");
        QTest::addColumn<QString>("pilot");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("empty edit") << "A" << "" << "" << true;
        QTest::newRow("number without Enter, lane A") << "A" << "16" << "" << false;
        QTest::newRow("number without Enter, lane B") << "B" << "16" << "" << false;
        QTest::newRow("vehicle shown") << "B" << "16" << "16 - Anderson Luiz Pereira" << true;
    }
    void leavingAPlateWithoutEnter() {
        QFETCH(QString, lane);
        QFETCH(QString, plate);
        QFETCH(QString, pilot);
        QFETCH(bool, allowed);
        auto d = desk();
        d->screen.setText("edtPlaca" + lane, plate);
        d->screen.setText("lblPiloto" + lane, pilot);
        QCOMPARE(d->loader.leavePlate(lane == "A" ? Lane::A : Lane::B), allowed);
        QCOMPARE(m_dialogs->messages,
                 allowed ? QStringList() : QStringList{"Não deu <ENTER> no Piloto " + lane});
        QCOMPARE(d->focus, allowed ? QStringList() : QStringList{"edtPlaca" + lane});
    }

    // -- Hooks of the race actions and the registration shortcut ----------

    void laneSwapShowsTheVehicleAndItsRuns() {
        addRun(7, 2, "Valido", 8.0);
        auto d = desk();
        d->loader.chooseCategory(Lane::B, 2);
        d->pair.b.vehicleCode = 7;
        d->loader.loadVehicle(Lane::B, 7);
        QCOMPARE(d->text("lblPilotoB"), QString("16 - Anderson Luiz Pereira"));
        QCOMPARE(d->loader.runs(Lane::B)->rowCount(), 1);

        d->loader.closePilotLists();
        QVERIFY(!d->loader.vehicleRow(Lane::B)->isOpen());
        QCOMPARE(d->text("lblVeiculoB"), QString());
    }

    void vehicleRegistrationShortcut() {
        auto d = desk();
        d->loader.chooseCategory(Lane::A, 2);
        // Unbound: nothing happens.
        d->loader.registerVehicle(Lane::A);
        QCOMPARE(d->loader.entries(Lane::A)->rowCount(), 9);

        int opened = 0;
        d->loader.openVehicleWindow = [&] {
            ++opened;
            exec("insert into inscricao (COD_EVENTO, COD_CATEGORIA, COD_VEICULO, VALIDO) values (2, 2, 1, 'S')");
        };
        d->loader.registerVehicle(Lane::A);
        QCOMPARE(opened, 1);
        QCOMPARE(d->loader.entries(Lane::A)->rowCount(), 10);
    }

    // -- Through the main window ------------------------------------------

    void mainWindowLoadsTwoLanesFromTheKeyboard() {
        QTemporaryDir home;
        platform::StationEnvironment env;
        env.home = home.path() + u'/';
        env.discoveryPort = freeUdpPort();
        env.hubPort = 0;
        m_dm->serverFound = "S";
        TfrmPrincipal w(m_dm.get(), env);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.raceActions().newRace();

        auto* boxA = w.findChild<QComboBox*>("DBLBoxCatA");
        auto* boxB = w.findChild<QComboBox*>("DBLBoxCatB");
        QVERIFY(boxA && boxB);
        QCOMPARE(boxA->count(), 9);
        for (QComboBox* box : {boxA, boxB}) {
            const int t75 = box->findText("T75");
            box->setCurrentIndex(t75);
            emit box->activated(t75);
        }
        QCOMPARE(w.findChild<QLabel*>("lblCategA")->text(), QString("Turbo Índice 7.5"));

        auto* plateA = w.findChild<QLineEdit*>("edtPlacaA");
        auto* plateB = w.findChild<QLineEdit*>("edtPlacaB");
        plateA->setFocus();
        QTest::keyClicks(plateA, "1x6!");
        QCOMPARE(plateA->text(), QString("16"));  // letters have no effect
        QTest::keyClick(plateA, Qt::Key_Return);
        QCOMPARE(plateA->text(), QString("16"));
        QCOMPARE(w.findChild<QLabel*>("lblPilotoA")->text(), QString("16 - Anderson Luiz Pereira"));
        QCOMPARE(w.findChild<QComboBox*>("cbBateriaA")->currentText(), QString("1"));
        QTRY_VERIFY(plateB->hasFocus());
        QCOMPARE(w.findChild<QTableView*>("dbgPilotosCategA")->model()->rowCount(), 9);

        // Leaving plate B with a number but without Enter: the message, and back.
        QTest::keyClicks(plateB, "17");
        plateA->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(m_dialogs->messages, QStringList{"Não deu <ENTER> no Piloto B"});
        QTRY_VERIFY(plateB->hasFocus());
        QTest::keyClick(plateB, Qt::Key_Enter);
        QCOMPARE(w.findChild<QLabel*>("lblPilotoB")->text(), QString("17 - Leandro da Silva Moraes"));
        QCOMPARE(w.racePair().b.vehicleCode, 8);

        // The heat typed by the operator is the heat the rules read.
        auto* heatB = w.findChild<QComboBox*>("cbBateriaB");
        heatB->lineEdit()->selectAll();
        QTest::keyClicks(heatB->lineEdit(), "T");
        QCOMPARE(w.screen().text("cbBateriaB"), QString("T"));

        // Bonus and penalty entries take digits only.
        auto* bonus = w.findChild<QLineEdit*>("edtBonusA");
        w.screen().setEnabled("edtBonusA", true);
        w.screen().setText("edtBonusA", "");
        QTest::keyClicks(bonus, "1-2a");
        QCOMPARE(bonus->text(), QString("12"));
    }
};

QTEST_MAIN(TestLaneLoader)
#include "tst_laneloader.moc"
