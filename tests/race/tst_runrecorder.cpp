#include "DemoStation.h"
#include "RaceDoubles.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "app/uDM.h"
#include "core/NumberText.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "platform/Clock.h"
#include "race/RunRecorder.h"

#include <QtTest>
#include <array>
#include <memory>

using platform::Dialogs;

namespace {

const QDateTime kNow(QDate(2026, 12, 12), QTime(14, 5, 9));
const QString kNoRace = "Corrida do Mata-Mata deste par não encontrada no round escolhido: vencedor não gravado.";

int idx(Lane lane) { return lane == Lane::A ? 0 : 1; }
QString x(const char* stem, Lane lane) { return QString::fromLatin1(stem) + laneLetter(lane); }

/// Puts the pauses into the controller's line, so a test sees where they fall.
struct MarkingPause : platform::Pause {
    explicit MarkingPause(QStringList& line) : line(line) {}
    void wait(int ms) override { line << "wait " + QString::number(ms); }
    QStringList& line;
};

/// The recorder on the race doubles. Each lane's vehicle row and category
/// record are read from the demo database, as lane loading leaves them.
struct Desk {
    explicit Desk(DM& dm) : pause(rig.port.written), recorder(ctx, dm) {
        for (int i = 0; i < 2; ++i) {
            vehicleRows[size_t(i)] = std::make_unique<db::Query>(&dm.connection(), "select * from veiculo where CODIGO=:c");
            categoryRows[size_t(i)] =
                std::make_unique<db::Query>(&dm.connection(), "select * from categoria where CODIGO=:c");
        }
        // The pair after "Nova Largada": it can be saved, a new one not started.
        rig.screen.setEnabled("btnSalvar", true);
        rig.screen.setEnabled("btnNova", false);
        for (const Lane lane : {Lane::A, Lane::B}) {
            rig.screen.setEnabled(x("edtPlaca", lane), true);
            rig.screen.setText(x("edtPenal", lane), "0");
        }
        rig.monitor.open = false;
        auto& h = recorder.hooks;
        h.laneRecord = [this](Lane lane) {
            return RunRecorder::laneRecordOf(vehicleRows[size_t(idx(lane))].get(),
                                             categoryRows[size_t(idx(lane))].get());
        };
        h.refreshRuns = [this](Lane lane) {
            calls << "runs " + laneLetter(lane);
            if (onRefresh) onRefresh(lane);
        };
        h.printTicket = [this] {
            calls << "ticket";
            if (onTicket) onTicket();
        };
        h.writeRunLog = [this] { calls << "log"; };
        h.refreshReactionRanking = [this] { calls << "ranking"; };
        h.showJeepTotal = [this](Lane lane, const QString& text) { calls << "jeep " + laneLetter(lane) + " " + text; };
        QObject::connect(&recorder, &RunRecorder::focusRequested, &recorder,
                         [this](const QString& name) { focus << name; });
    }

    /// The lane holds `vehicle` in `category`, its heat box reads `heat`.
    void load(Lane lane, int vehicle, int category, const QString& heat = "1") {
        db::Query* v = vehicleRows[size_t(idx(lane))].get();
        db::Query* c = categoryRows[size_t(idx(lane))].get();
        for (auto [q, code] : {std::pair{v, vehicle}, std::pair{c, category}}) {
            q->close();
            q->setParam("c", code);
            q->open();
        }
        LaneState& l = rig.pair.lane(lane);
        l.vehicleCode = vehicle;
        l.categoryCode = category;
        l.categoryMinTime = c->real("TEMPO_MINIMO");
        l.minTimeBasis = c->text("MIN_PISTA_TOTAL");
        l.categoryKnockout = c->text("MATA_MATA");
        l.targetMode = c->text("NA_MOSCA");
        rig.screen.setText(x("edtPlaca", lane), v->text("PLACA"));
        rig.screen.setText(x("cbBateria", lane), heat);
    }

    /// The controller's figures of a finished run; the final time is
    /// reaction plus track unless given.
    void run(Lane lane, double reaction, double track, double total = -1, double speed = 180.5) {
        LaneState& l = rig.pair.lane(lane);
        l.reactionTime = reaction;
        l.trackTime = track;
        l.finalTime = total < 0 ? reaction + track : total;
        l.sixtyFootTime = 1.512;
        l.split1Time = 3.25;
        l.split2Time = 5.5;
        l.trapSpeed = speed;
        l.speedShown = 181.25;
        l.speedPointB = 120.5;
        l.speedPointC = 150.25;
        l.flyingSpeed = 0;
        rig.screen.setText(x("lblV", lane), numtext::commaText(speed, "0.0"));
    }

    /// The controller reported a foul.
    void foul(Lane lane, double reaction) {
        LaneState& l = rig.pair.lane(lane);
        l.foulFlag = "S";
        l.reactionTime = reaction;
        rig.screen.setText(x("lblStatus", lane), "Queimou");
    }

    QString text(const QString& name) const { return rig.screen.text(name); }

    RaceRig rig;
    MarkingPause pause;
    RaceContext ctx{rig.pair, rig.screen, rig.port, rig.publisher, rig.monitor, rig.runLog, rig.data, pause};
    std::array<std::unique_ptr<db::Query>, 2> vehicleRows;
    std::array<std::unique_ptr<db::Query>, 2> categoryRows;
    RunRecorder recorder;
    QStringList calls;
    QStringList focus;
    std::function<void(Lane)> onRefresh;
    std::function<void()> onTicket;
};

}  // namespace

class TestRunRecorder : public QObject {
    Q_OBJECT

    std::unique_ptr<TestDatabase> m_tdb;
    std::unique_ptr<DM> m_dm;
    std::unique_ptr<ScriptedDialogs> m_dialogs;

    void exec(const QString& sql, const QVariantMap& params = {}) { m_tdb->sql().execute(sql, params); }
    QVariant scalar(const QString& sql) { return m_tdb->scalar(sql); }
    db::ResultSet rows(const QString& sql) { return m_tdb->sql().execute(sql); }
    QVariant at(const db::ResultSet& r, int row, const char* column) {
        return r.row(row).at(r.columnIndex(QString::fromLatin1(column)));
    }

    /// Every row a save of the open event (2) can leave anywhere.
    int storedRows() {
        return scalar("select (select count(*) from resultados where COD_EVENTO=2) + "
                      "(select count(*) from result_treinos) + (select count(*) from result_jeep) + "
                      "(select count(*) from desclassicados) + "
                      "(select count(*) from mata_mata where CD_GANHOU <> 0 or DATA is not null)")
            .toInt();
    }

    std::unique_ptr<Desk> desk() { return std::make_unique<Desk>(*m_dm); }

    /// A pair refused or failed: nothing stored, the save still possible,
    /// and nothing said that would claim otherwise.
    void verifyNotSaved(const Desk& d) {
        QCOMPARE(storedRows(), 0);
        QVERIFY(d.rig.screen.isEnabled("btnSalvar"));
        QVERIFY(!d.rig.screen.isEnabled("btnNova"));
        QVERIFY(d.rig.screen.isEnabled("edtPlacaA"));
        QVERIFY(!d.rig.publisher.messages.join(' ').contains("salvou:"));
        QVERIFY(!d.calls.contains("log"));
        QVERIFY(!d.text("pnlStatus0").contains("Salvou"));
    }

    /// A valid pair of category 1 (vehicles 1 and 2) with a shark copy each.
    void loadValidPair(Desk& d) {
        d.load(Lane::A, 1, 1, "2");
        d.load(Lane::B, 2, 1, "3");
        d.run(Lane::A, 0.101, 6.5);
        d.run(Lane::B, 0.2, 6.7, -1, 175.0);
    }

private slots:
    void initTestCase() {
        m_tdb = std::make_unique<TestDatabase>();
        m_tdb->loadFile(qEnvironmentVariable("VUD_SOURCE_DIR") + "/data/demo.sql");
        m_dm = std::make_unique<DM>(m_tdb->settings());
        openEvent(*m_dm, 1, 2);
    }

    void cleanupTestCase() {
        m_dm.reset();
        m_tdb.reset();
    }

    void init() {
        m_dialogs = std::make_unique<ScriptedDialogs>();
        platform::Clock::setFixed(kNow);
        exec("delete from resultados where COD_EVENTO=2");
        for (const char* table : {"result_treinos", "result_jeep", "desclassicados", "mata_mata"})
            exec(QString("delete from %1").arg(QLatin1String(table)));
        exec("update organizador set COD_EVENTO_ABERTO=NULL");
    }

    void cleanup() {
        platform::Clock::setFixed(QDateTime());
        m_dialogs.reset();
    }

    // -- A whole save ------------------------------------------------------

    void storesThePairOnceAndAnnouncesIt() {
        auto d = desk();
        loadValidPair(*d);
        d->rig.screen.setText("edtPenalB", "2");
        d->recorder.save();

        QCOMPARE(d->rig.port.written, QStringList({"YA180,5", "wait 200", "YB175,0"}));
        QCOMPARE(d->rig.publisher.messages,
                 QStringList({"statusA:Valido@", "statusB:Valido@", "posA:1º@", "posB:2º@", "salvou:D@"}));
        QVERIFY(m_dialogs->messages.isEmpty());

        const db::ResultSet r = rows(
            "select COD_VEICULO, COD_CATEGORIA, LADO_PISTA, STATUS, BATERIA, RACE, REACAO, TPES, TPISTA, TFINAL, "
            "TPENALIZACAO, T50, T100, VEL_PARC1, VEL_PARC2, VEL_FINAL, VEL_INICIAL, TVEL_FINAL, LISTA, SHARKTANK, "
            "DATA, HORA, TMP_ALVO, NA_MOSCA, MMROUND, MMRACE from resultados where COD_EVENTO=2 order by CODIGO");
        QCOMPARE(r.rowCount(), 4);
        // Lane A, its shark-tank copy, lane B, its copy.
        const QList<QVariantList> expected = {
            {1, 1, "Esquerda", "Valido", "2", 1, 0.101, 6.601, 0, "N"},
            {1, 7, "Esquerda", "Valido", "2", QVariant(), 0.101, 6.601, QVariant(), "S"},
            {2, 1, "Direita", "Valido", "3", 1, 0.2, 6.9, 2, "N"},
            {2, 7, "Direita", "Valido", "3", QVariant(), 0.2, 6.9, QVariant(), "S"},
        };
        for (int i = 0; i < 4; ++i) {
            const QVariantList& e = expected[i];
            QCOMPARE(at(r, i, "COD_VEICULO").toInt(), e[0].toInt());
            QCOMPARE(at(r, i, "COD_CATEGORIA").toInt(), e[1].toInt());
            QCOMPARE(at(r, i, "LADO_PISTA").toString(), e[2].toString());
            QCOMPARE(at(r, i, "STATUS").toString(), e[3].toString());
            QCOMPARE(at(r, i, "BATERIA").toString(), e[4].toString());
            QCOMPARE(at(r, i, "RACE"), e[5].isValid() ? QVariant(e[5].toInt()) : QVariant());
            QCOMPARE(at(r, i, "REACAO").toDouble(), e[6].toDouble());
            QVERIFY(qFuzzyCompare(at(r, i, "TFINAL").toDouble(), e[7].toDouble()));
            QCOMPARE(at(r, i, "TPENALIZACAO").isNull(), !e[8].isValid());
            if (e[8].isValid()) QCOMPARE(at(r, i, "TPENALIZACAO").toDouble(), e[8].toDouble());
            QCOMPARE(at(r, i, "SHARKTANK").toString(), e[9].toString());
            QCOMPARE(at(r, i, "DATA").toDate(), kNow.date());
            QCOMPARE(at(r, i, "HORA").toTime(), kNow.time());
            QCOMPARE(at(r, i, "TPES").toDouble(), 1.512);
            QCOMPARE(at(r, i, "T50").toDouble(), 3.25);
            QCOMPARE(at(r, i, "T100").toDouble(), 5.5);
            QCOMPARE(at(r, i, "VEL_PARC1").toDouble(), 120.5);
            QCOMPARE(at(r, i, "VEL_PARC2").toDouble(), 150.25);
            QCOMPARE(at(r, i, "VEL_INICIAL").toInt(), 0);
            QCOMPARE(at(r, i, "TVEL_FINAL").toDouble(), 181.25);
            for (const char* empty : {"TMP_ALVO", "NA_MOSCA", "MMROUND", "MMRACE"}) QVERIFY(at(r, i, empty).isNull());
        }
        QCOMPARE(at(r, 0, "VEL_FINAL").toDouble(), 180.5);
        QCOMPARE(at(r, 2, "VEL_FINAL").toDouble(), 175.0);
        QCOMPARE(at(r, 0, "LISTA").toString(), "N");

        // Stored: the pair is done with, and the next one may start.
        QVERIFY(!d->rig.screen.isEnabled("btnSalvar"));
        QVERIFY(d->rig.screen.isEnabled("btnNova"));
        for (const char* name : {"btnTrocaPista", "edtPlacaA", "edtPlacaB", "dbgPilotosCategA", "dbgPilotosCategB"})
            QVERIFY2(!d->rig.screen.isEnabled(name), name);
        QCOMPARE(d->rig.pair.a.swapVehicleCode, 1);
        QCOMPARE(d->rig.pair.b.swapVehicleCode, 2);
        QCOMPARE(d->rig.pair.a.swapPlate, "10");
        QCOMPARE(d->rig.pair.b.swapPlate, "11");
        QCOMPARE(d->text("lblPosA"), "1º");
        QCOMPARE(d->text("pnlStatus3"), "Saldo Whats: 150");
        QCOMPARE(d->text("pnlStatus0"), "14:05:09: Salvou");
        QVERIFY(d->rig.runLog.lines().contains("14:05:09#BTN-Salvar!"));
        QCOMPARE(d->calls, QStringList({"runs A", "runs B", "log"}));  // no ticket: "Ticket Auto" unchecked
        QCOMPARE(scalar("select COD_EVENTO_ABERTO from organizador").toInt(), 2);

        // F4 on a stored pair does nothing at all.
        d->rig.port.written.clear();
        d->recorder.save();
        QVERIFY(d->rig.port.written.isEmpty());
        QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2").toInt(), 4);
    }

    void raceNumbers_data() {
        QTest::addColumn<int>("categoryA");  // 0: lane empty
        QTest::addColumn<int>("categoryB");
        QTest::addColumn<int>("storedRace");  // RACE of a run of category 1 stored before; 0 none
        QTest::addColumn<int>("raceA");
        QTest::addColumn<int>("raceB");
        QTest::newRow("a pair in a category without runs") << 1 << 1 << 0 << 1 << 1;
        QTest::newRow("a pair after stored races") << 1 << 1 << 4 << 5 << 5;
        QTest::newRow("lanes in two categories") << 1 << 3 << 4 << 5 << 1;
        QTest::newRow("a single vehicle in lane B") << 0 << 1 << 0 << 0 << 1;
    }

    void raceNumbers() {
        QFETCH(int, categoryA);
        QFETCH(int, categoryB);
        QFETCH(int, storedRace);
        QFETCH(int, raceA);
        QFETCH(int, raceB);
        if (storedRace)
            exec("insert into resultados (COD_EVENTO, COD_VEICULO, COD_CATEGORIA, STATUS, BATERIA, TFINAL, RACE) "
                 "values (2, 3, 1, 'Valido', '1', 7.1, :r)",
                 {{"r", storedRace}});
        auto d = desk();
        if (categoryA) {
            d->load(Lane::A, 1, categoryA);
            d->run(Lane::A, 0.1, 6.5);
        }
        d->load(Lane::B, 15, categoryB);
        d->run(Lane::B, 0.2, 10.5);
        d->recorder.save();
        QVERIFY(m_dialogs->messages.isEmpty());
        const auto race = [this](int vehicle, int category) {
            return scalar(QString("select RACE from resultados where COD_EVENTO=2 and COD_VEICULO=%1 "
                                  "and COD_CATEGORIA=%2")
                              .arg(vehicle)
                              .arg(category))
                .toInt();
        };
        QCOMPARE(race(1, categoryA), raceA);
        QCOMPARE(race(15, categoryB), raceB);
    }

    // -- Status of a lane ---------------------------------------------------

    void laneStatus_data() {
        QTest::addColumn<QString>("lane");
        QTest::addColumn<int>("vehicle");
        QTest::addColumn<int>("category");
        QTest::addColumn<double>("minimum");  // -1: the category's own
        QTest::addColumn<QString>("basis");   // empty: the category's own
        QTest::addColumn<double>("reaction");
        QTest::addColumn<double>("track");    // -1: a foul
        QTest::addColumn<double>("finalTime");  // -1: reaction + track
        QTest::addColumn<QString>("status");
        QTest::addColumn<double>("storedFinal");
        QTest::addColumn<QString>("reason");  // the disqualification's, empty for none
        QTest::addColumn<int>("copies");      // shark-tank copies

        QTest::newRow("foul") << "A" << 1 << 1 << -1.0 << "" << 0.01 << -1.0 << -1.0 << "Queimou" << 99.999 << "" << 0;
        QTest::newRow("track time below the minimum")
            << "A" << 1 << 2 << 7.0 << "P" << 0.2 << 6.999 << -1.0 << "Desclass" << 7.199
            << "TEMPO ABAIXO DO MINIMO DA CATEGORIA." << 1;
        QTest::newRow("track time equal to the minimum")
            << "A" << 1 << 2 << 7.0 << "P" << 0.2 << 7.0 << -1.0 << "Valido" << 7.2 << "" << 1;
        QTest::newRow("total time below the minimum, lane B")
            << "B" << 15 << 3 << -1.0 << "" << 0.3 << 9.6 << 9.9 << "Desclass" << 9.9
            << "TEMPO PISTA ABAIXO DO MINIMO DA CATEGORIA." << 1;
        QTest::newRow("minimum of a category without basis")
            << "A" << 1 << 2 << 7.0 << "X" << 0.2 << 6.5 << -1.0 << "Valido" << 6.7 << "" << 1;
        QTest::newRow("no finish, lane A") << "A" << 1 << 2 << -1.0 << "" << 0.3 << 0.2 << 0.5 << "ErroFA" << 0.5 << ""
                                           << 0;
        QTest::newRow("no finish, lane B") << "B" << 2 << 2 << -1.0 << "" << 0.3 << 0.0 << 0.3 << "ErroFB" << 0.3 << ""
                                           << 0;
        QTest::newRow("handicap run faster than its dial-in")
            << "A" << 22 << 5 << -1.0 << "" << 0.2 << 9.5 << 9.7 << "Valido" << 9.7 << "" << 1;
        QTest::newRow("vehicle kept out of the shark tank")
            << "A" << 24 << 1 << -1.0 << "" << 0.2 << 6.5 << 6.7 << "Valido" << 6.7 << "" << 0;
        QTest::newRow("run in the shark-tank category itself")
            << "A" << 1 << 7 << -1.0 << "" << 0.2 << 6.5 << 6.7 << "Valido" << 6.7 << "" << 0;
    }

    void laneStatus() {
        QFETCH(QString, lane);
        QFETCH(int, vehicle);
        QFETCH(int, category);
        QFETCH(double, minimum);
        QFETCH(QString, basis);
        QFETCH(double, reaction);
        QFETCH(double, track);
        QFETCH(double, finalTime);
        QFETCH(QString, status);
        QFETCH(double, storedFinal);
        QFETCH(QString, reason);
        QFETCH(int, copies);
        const Lane l = lane == "A" ? Lane::A : Lane::B;
        auto d = desk();
        d->load(l, vehicle, category, "2");
        LaneState& s = d->rig.pair.lane(l);
        if (minimum >= 0) s.categoryMinTime = minimum;
        if (!basis.isEmpty()) s.minTimeBasis = basis;
        if (category == 5) s.dialIn = 9.9;  // the handicap's automatic dial-in
        if (track < 0)
            d->foul(l, reaction);
        else
            d->run(l, reaction, track, finalTime);
        d->recorder.save();

        QCOMPARE(d->text(x("lblStatus", l)), status);
        const db::ResultSet run = rows(
            QString("select STATUS, TFINAL from resultados where COD_EVENTO=2 and COD_CATEGORIA=%1").arg(category));
        QCOMPARE(run.rowCount(), 1);
        QCOMPARE(at(run, 0, "STATUS").toString(), status);
        QVERIFY(qFuzzyCompare(at(run, 0, "TFINAL").toDouble(), storedFinal));
        QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2 and COD_CATEGORIA=7 and SHARKTANK='S' "
                        "and STATUS='Valido'")
                     .toInt(),
                 copies);

        const db::ResultSet dq = rows("select COD_EVENTO, COD_CATEGORIA, COD_PILOTO, BATERIA, TFINAL, MOTIVO, "
                                      "COD_RESULTADO from desclassicados");
        const bool disqualified = !reason.isEmpty();
        QCOMPARE(dq.rowCount(), disqualified ? 1 : 0);
        QCOMPARE(d->rig.screen.isVisible(x("imgStatus", l) + "D"), disqualified);
        QCOMPARE(d->rig.publisher.messages.contains("Desclass" + lane + ":s@"), disqualified);
        if (disqualified) {
            QVERIFY(!d->rig.screen.isVisible(x("imgStatus", l) + "V"));
            QCOMPARE(at(dq, 0, "MOTIVO").toString(), reason);
            QCOMPARE(at(dq, 0, "COD_EVENTO").toInt(), 2);
            QCOMPARE(at(dq, 0, "COD_CATEGORIA").toInt(), category);
            QCOMPARE(at(dq, 0, "COD_PILOTO").toInt(), vehicle);
            QCOMPARE(at(dq, 0, "BATERIA").toString(), "2");
            QVERIFY(qFuzzyCompare(at(dq, 0, "TFINAL").toDouble(), storedFinal));
            QVERIFY(at(dq, 0, "COD_RESULTADO").isNull());
        }
    }

    void onTargetDifference_data() {
        QTest::addColumn<double>("finalTime");
        QTest::addColumn<double>("difference");
        QTest::addColumn<QString>("label");
        QTest::newRow("below the target") << 7.95 << -0.05 << "Menor que Alvo";
        QTest::newRow("on the target") << 8.0 << 0.0 << "Dif Mosca: 0";
        QTest::newRow("above, with the floating-point tail") << 8.05 << 0.05 << "Dif Mosca: 0,0500000000000007";
        QTest::newRow("above") << 8.5 << 0.5 << "Dif Mosca: 0,5";
    }

    void onTargetDifference() {
        QFETCH(double, finalTime);
        QFETCH(double, difference);
        QFETCH(QString, label);
        exec("update veiculo set TMP_ALVO=8 where CODIGO=19");
        auto d = desk();
        d->load(Lane::A, 19, 4);
        d->run(Lane::A, 0.2, finalTime - 0.2, finalTime);
        d->recorder.save();
        QCOMPARE(d->text("lbltmpDialA"), label);
        const db::ResultSet r =
            rows("select TMP_ALVO, NA_MOSCA from resultados where COD_EVENTO=2 and COD_CATEGORIA=4");
        QCOMPARE(at(r, 0, "TMP_ALVO").toDouble(), 8.0);
        QVERIFY(std::abs(at(r, 0, "NA_MOSCA").toDouble() - difference) < 1e-9);
    }

    // -- Championship kinds ---------------------------------------------------

    void prosoloTakesTrackTimePlusPenalty_data() {
        QTest::addColumn<QString>("penalty");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<double>("stored");
        QTest::newRow("3 seconds") << "3" << false << 23.0;
        QTest::newRow("none, confirmed") << "0" << true << 20.0;
    }

    void prosoloTakesTrackTimePlusPenalty() {
        QFETCH(QString, penalty);
        QFETCH(bool, asked);
        QFETCH(double, stored);
        auto d = desk();
        d->rig.data.champ.prosolo = "S";
        d->load(Lane::A, 1, 1);
        d->run(Lane::A, 0.4, 20.0);
        d->rig.screen.setText("edtPenalAProsolo", penalty);
        m_dialogs->answer(Dialogs::No);
        d->recorder.save();
        QCOMPARE(m_dialogs->asked.size(), asked ? 1 : 0);
        if (asked) {
            const ScriptedDialogs::Asked& q = m_dialogs->asked.first();
            QCOMPARE(q.caption, "Confirmação");
            QCOMPARE(q.text, "Não teve Penalização ??");
            QCOMPARE(q.icon, Dialogs::Icon::Warning);
            QCOMPARE(q.buttons, Dialogs::Yes | Dialogs::No);
            QCOMPARE(q.defaultButton, Dialogs::No);
        }
        const db::ResultSet r = rows("select TFINAL, TPENALIZACAO from resultados where COD_EVENTO=2 and COD_CATEGORIA=1");
        QCOMPARE(at(r, 0, "TFINAL").toDouble(), stored);
        QCOMPARE(at(r, 0, "TPENALIZACAO").toDouble(), penalty.toDouble());
        // The shark tank takes the run as it was timed.
        QVERIFY(qFuzzyCompare(scalar("select TFINAL from resultados where COD_EVENTO=2 and COD_CATEGORIA=7").toDouble(),
                              20.4));
    }

    void jeepTotalOfAHeat() {
        exec("insert into resultados (COD_EVENTO, COD_VEICULO, COD_CATEGORIA, LADO_PISTA, STATUS, BATERIA, TFINAL) "
             "values (2, 1, 1, 'Direita', 'Valido', '2', 8.0), (2, 1, 1, 'Direita', 'Queimou', '3', 99.999)");
        auto d = desk();
        d->rig.data.champ.jeep = "S";
        d->rig.monitor.open = true;
        d->rig.pair.scoreboardOn = "S";
        d->load(Lane::A, 1, 1, "2");
        d->run(Lane::A, 0.5, 7.0);
        d->recorder.save();
        const db::ResultSet j = rows("select COD_EVENTO, COD_VEICULO, COD_CATEGORIA, BATERIA, TOTAL_SEC from result_jeep");
        QCOMPARE(j.rowCount(), 1);
        QCOMPARE(at(j, 0, "COD_VEICULO").toInt(), 1);
        QCOMPARE(at(j, 0, "COD_CATEGORIA").toInt(), 1);
        QCOMPARE(at(j, 0, "BATERIA").toString(), "2");
        QCOMPARE(at(j, 0, "TOTAL_SEC").toDouble(), 15.5);
        QCOMPARE(d->text("lblSomaA"), "0:15,500");
        QVERIFY(d->calls.contains("jeep A 0:15,500"));
        QVERIFY(d->calls.contains("ranking"));
        QVERIFY(d->rig.port.written.contains("XA0:15,500@"));

        QCOMPARE(RunRecorder::jeepTotalText(65.123), "1:5,123");
        QCOMPARE(RunRecorder::jeepTotalText(120), "2:0,000");
    }

    void trainingRowsByTypedNumber() {
        auto d = desk();
        d->load(Lane::A, 1, 8, "T");
        d->run(Lane::A, 0.2, 6.8, 7.0);
        // An unregistered number: no vehicle row, kept by the number as typed.
        d->load(Lane::B, 0, 8, "T");
        d->rig.screen.setText("edtPlacaB", "123456");
        d->run(Lane::B, 0.3, 0.0, 0.5);
        d->recorder.save();

        QVERIFY(m_dialogs->messages.isEmpty());
        QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2").toInt(), 0);
        const db::ResultSet t = rows("select COD_EVENTO, PLACA, VEICULO, PILOTO, LADO_PISTA, STATUS, REACAO, TPES, "
                                     "TPISTA, TFINAL, BATERIA, VEL_FINAL, DATA, HORA from result_treinos order by CODIGO");
        QCOMPARE(t.rowCount(), 2);
        QCOMPARE(at(t, 0, "COD_EVENTO").toInt(), 2);
        QCOMPARE(at(t, 0, "PLACA").toString(), "10");
        QCOMPARE(at(t, 0, "VEICULO").toString(), "Opala 4.1 Turbo");
        QCOMPARE(at(t, 0, "PILOTO").toString(), "Carlos Eduardo Ferreira");
        QCOMPARE(at(t, 0, "LADO_PISTA").toString(), "Esquerda");
        QCOMPARE(at(t, 0, "STATUS").toString(), "Valido");
        QVERIFY(qFuzzyCompare(at(t, 0, "TPISTA").toDouble(), 6.8));
        QCOMPARE(at(t, 0, "TFINAL").toDouble(), 7.0);
        QCOMPARE(at(t, 0, "BATERIA").toString(), "T");
        QVERIFY(at(t, 0, "VEL_FINAL").isNull());
        QCOMPARE(at(t, 0, "DATA").toDate(), kNow.date());
        QCOMPARE(at(t, 1, "PLACA").toString(), "12345");
        QCOMPARE(at(t, 1, "VEICULO").toString(), "");
        QCOMPARE(at(t, 1, "LADO_PISTA").toString(), "Direita");
        QCOMPARE(at(t, 1, "STATUS").toString(), "ErroFB");
        QCOMPARE(at(t, 1, "VEL_FINAL").toInt(), 0);
        QVERIFY(!at(t, 1, "VEL_FINAL").isNull());
    }

    void numberedLaneBesideATrainingLaneIsStoredAsARun() {
        auto d = desk();
        d->load(Lane::A, 1, 8, "T");
        d->run(Lane::A, 0.2, 6.8);
        d->load(Lane::B, 2, 1, "2");
        d->run(Lane::B, 0.2, 6.9);
        d->recorder.save();
        QCOMPARE(scalar("select count(*) from result_treinos").toInt(), 1);
        QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2 and COD_VEICULO=2 and COD_CATEGORIA=1 "
                        "and BATERIA='2' and RACE=1")
                     .toInt(),
                 1);
        QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2 and COD_VEICULO=1").toInt(), 0);
    }

    // -- Knockout -------------------------------------------------------------

    void knockoutDecision_data() {
        QTest::addColumn<double>("reactionA");
        QTest::addColumn<double>("finalA");  // -1: a foul; 0.3: no finish
        QTest::addColumn<double>("reactionB");
        QTest::addColumn<double>("finalB");
        QTest::addColumn<QString>("walkOver");  // the checked W.O. boxes
        QTest::addColumn<int>("winner");        // -1: nothing written
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("obs");
        QTest::addColumn<QString>("wo1");
        QTest::addColumn<QString>("wo2");

        QTest::newRow("A faster") << 0.1 << 7.7 << 0.2 << 7.8 << "" << 5 << QStringList{"A Ganhou"} << "" << "N" << "N";
        QTest::newRow("B faster") << 0.1 << 7.9 << 0.2 << 7.8 << "" << 6 << QStringList{"B Ganhou"} << "" << "N" << "N";
        QTest::newRow("equal final times") << 0.1 << 7.7 << 0.2 << 7.7 << "" << -1 << QStringList{} << "" << "N" << "N";
        QTest::newRow("B fouled") << 0.1 << 7.7 << 0.02 << -1.0 << "" << 5 << QStringList{"A Ganhou, B Fora"}
                                  << "B Fora: Queimou" << "N" << "N";
        QTest::newRow("A without a finish") << 0.3 << 0.3 << 0.2 << 7.8 << "" << 6
                                            << QStringList{"B Ganhou, A Fora"} << "A Fora: ErroFA" << "N" << "N";
        QTest::newRow("both fouled, A's reaction smaller")
            << 0.01 << -1.0 << 0.03 << -1.0 << "" << 5 << QStringList{"Reaçao Queima A Menor "}
            << "Reaçao Queima A Menor" << "N" << "N";
        QTest::newRow("both fouled, B's reaction smaller")
            << 0.03 << -1.0 << 0.01 << -1.0 << "" << 6 << QStringList{"Reaçao Queima B Menor"}
            << "Reaçao Queima B Menor" << "N" << "N";
        QTest::newRow("B walk-over") << 0.1 << 7.7 << 0.0 << 0.0 << "B" << 5
                                     << QStringList{"A Ganhou, B Fora", "A Ganhou, B WO"} << "A Ganhou, B WO" << "N"
                                     << "S";
        QTest::newRow("A walk-over") << 0.0 << 0.0 << 0.2 << 7.8 << "A" << 6
                                     << QStringList{"B Ganhou, A Fora", "B Ganhou,A WO"} << "B Ganhou, A WO" << "S"
                                     << "N";
        QTest::newRow("both walk-over") << 0.0 << 0.0 << 0.0 << 0.0 << "AB" << 0 << QStringList{"A e B WO"}
                                        << "A e B WO" << "S" << "S";
    }

    void knockoutDecision() {
        QFETCH(double, reactionA);
        QFETCH(double, finalA);
        QFETCH(double, reactionB);
        QFETCH(double, finalB);
        QFETCH(QString, walkOver);
        QFETCH(int, winner);
        QFETCH(QStringList, messages);
        QFETCH(QString, obs);
        QFETCH(QString, wo1);
        QFETCH(QString, wo2);
        // Lane A's vehicle is the race's second: the decision goes by lane, not by side of the race.
        exec("insert into mata_mata (CD_EVENTO, CD_CATEGORIA, CD_VEICULO1, CD_VEICULO2, ROUND, RACE) "
             "values (2, 6, 6, 5, 1, 3)");
        const int race = scalar("select max(CODIGO) from mata_mata").toInt();
        auto d = desk();
        d->load(Lane::A, 5, 6);
        d->load(Lane::B, 6, 6);
        RacePair& pair = d->rig.pair;
        pair.knockoutRace = "S";
        pair.knockoutRound = 1;
        pair.knockoutRaceCode = race;
        pair.knockoutRaceNumber = 3;
        for (auto [lane, reaction, total] :
             {std::tuple{Lane::A, reactionA, finalA}, std::tuple{Lane::B, reactionB, finalB}}) {
            if (total < 0)
                d->foul(lane, reaction);
            else
                d->run(lane, reaction, total - reaction, total);
        }
        d->rig.screen.setText("ckWOA", walkOver.contains('A') ? "S" : "N");
        d->rig.screen.setText("ckWOB", walkOver.contains('B') ? "S" : "N");
        d->recorder.save();

        QCOMPARE(m_dialogs->messages, messages);
        QCOMPARE(scalar("select count(*) from mata_mata").toInt(), 1);
        const db::ResultSet m = rows("select CD_GANHOU, OBS, WO1, WO2, DATA, HORA, TREACAO, TTOTAL from mata_mata");
        if (winner < 0) {
            QCOMPARE(at(m, 0, "CD_GANHOU").toInt(), 0);
            QVERIFY(at(m, 0, "DATA").isNull());
            QVERIFY(at(m, 0, "OBS").isNull());
        } else {
            QCOMPARE(at(m, 0, "CD_GANHOU").toInt(), winner);
            QCOMPARE(at(m, 0, "OBS").toString(), obs);
            QCOMPARE(at(m, 0, "DATA").toDate(), kNow.date());
            QCOMPARE(at(m, 0, "HORA").toTime(), kNow.time());
            QCOMPARE(at(m, 0, "WO1").toString(), wo1);
            QCOMPARE(at(m, 0, "WO2").toString(), wo2);
            if (winner > 0) {
                const LaneState& w = winner == 5 ? pair.a : pair.b;
                QCOMPARE(at(m, 0, "TREACAO").toDouble(), w.reactionTime);
                QCOMPARE(at(m, 0, "TTOTAL").toDouble(), w.finalTime);
            }
        }
        // Both runs carry the round and the race of the knockout.
        QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2 and COD_CATEGORIA=6 and MMROUND=1 "
                        "and MMRACE=3")
                     .toInt(),
                 2);
    }

    void knockoutWritesOnlyThisPairsRace_data() {
        QTest::addColumn<bool>("staleRace");
        QTest::newRow("no race found for lane A's vehicle") << false;
        QTest::newRow("the race of another vehicle") << true;
    }

    void knockoutWritesOnlyThisPairsRace() {
        QFETCH(bool, staleRace);
        exec("insert into mata_mata (CD_EVENTO, CD_CATEGORIA, CD_VEICULO1, CD_VEICULO2, ROUND, RACE) "
             "values (2, 6, 7, 8, 1, 1)");
        const int earlier = scalar("select max(CODIGO) from mata_mata").toInt();
        auto d = desk();
        d->load(Lane::A, 5, 6);
        d->load(Lane::B, 6, 6);
        d->rig.pair.knockoutRace = "S";
        d->rig.pair.knockoutRound = 1;
        d->rig.pair.knockoutRaceCode = staleRace ? earlier : 0;
        d->run(Lane::A, 0.1, 7.6);
        d->run(Lane::B, 0.2, 7.6);
        d->recorder.save();
        QCOMPARE(m_dialogs->messages, QStringList{kNoRace});
        QCOMPARE(scalar("select count(*) from mata_mata").toInt(), 1);
        QCOMPARE(scalar("select CD_GANHOU from mata_mata").toInt(), 0);
        QVERIFY(scalar("select DATA from mata_mata").isNull());
        QVERIFY(!d->rig.screen.isEnabled("btnSalvar"));  // the runs themselves are stored
    }

    // -- Refusals -------------------------------------------------------------

    void refusalsStoreNothing_data() {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::newRow("same vehicle in both lanes")
            << "same" << "O mesmo piloto esta selecionando nas 2 pistas. \nSalvamento abortado." << "";
        QTest::newRow("lane A ran without a vehicle") << "unnamedA" << "Não Informou o Piloto A" << "edtPlacaA";
        QTest::newRow("lane B ran without a vehicle") << "unnamedB" << "Não Informou o Piloto B" << "edtPlacaB";
        QTest::newRow("no vehicle") << "noVehicle" << "Selecionar pelo menos 1 Veiculo!" << "";
        QTest::newRow("no category") << "noCategory" << "Selecionar pelo menos 1 Categoria!" << "";
        QTest::newRow("lane A without heat") << "noHeatA" << "Selecionar a Bateria da pista A!" << "";
        QTest::newRow("lane B without heat, after lane A's rows")
            << "noHeatB" << "Selecionar a Bateria da pista B!" << "";
        QTest::newRow("jeep foul without penalty")
            << "jeepFoul" << "O Piloto da pista B queimou, preencher a penalização" << "edtPenalB";
        QTest::newRow("Prosolo run without penalty, not confirmed")
            << "prosolo" << "Não teve Penalização ??" << "edtPenalAProsolo";
    }

    void refusalsStoreNothing() {
        QFETCH(QString, setup);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        auto d = desk();
        loadValidPair(*d);
        LaneState& a = d->rig.pair.a;
        LaneState& b = d->rig.pair.b;
        if (setup == "same") d->load(Lane::B, 1, 1);
        if (setup == "unnamedA") a.vehicleCode = 0;
        if (setup == "unnamedB") b.vehicleCode = 0;
        if (setup == "noVehicle") {
            a.vehicleCode = b.vehicleCode = 0;
            a.finalTime = b.finalTime = 2.5;
        }
        if (setup == "noCategory") a.categoryCode = b.categoryCode = 0;
        if (setup == "noHeatA") d->rig.screen.setText("cbBateriaA", "");
        if (setup == "noHeatB") {
            // Lane A is disqualified on the way: its row, its copy and its
            // disqualification are written before lane B is refused.
            a.categoryMinTime = 7.0;
            a.minTimeBasis = "P";
            d->rig.screen.setText("cbBateriaB", " ");
        }
        if (setup == "jeepFoul") {
            d->rig.data.champ.jeep = "S";
            d->foul(Lane::B, 0.02);
        }
        if (setup == "prosolo") {
            d->rig.data.champ.prosolo = "S";
            m_dialogs->answer(Dialogs::Yes);
        }
        d->recorder.save();
        QCOMPARE(m_dialogs->messages, QStringList{message});
        QCOMPARE(d->focus, focus.isEmpty() ? QStringList{} : QStringList{focus});
        verifyNotSaved(*d);

        if (setup == "noHeatB") {
            // Corrected and saved again: the pair is stored once.
            m_dialogs->messages.clear();
            d->rig.screen.setText("cbBateriaB", "3");
            d->recorder.save();
            QVERIFY(m_dialogs->messages.isEmpty());
            QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2").toInt(), 4);
            QCOMPARE(scalar("select count(*) from desclassicados").toInt(), 1);
            QCOMPARE(scalar("select count(distinct RACE) from resultados where COD_EVENTO=2 and RACE is not null")
                         .toInt(),
                     1);
        }
    }

    // -- Failures -------------------------------------------------------------

    void droppedSessionMidSaveStoresNothingThenOnce() {
        auto d = desk();
        loadValidPair(*d);
        int kills = 0;
        d->onRefresh = [&](Lane lane) {
            // Lane A's row went in; the server drops the session before lane B's.
            if (lane == Lane::A && kills++ == 0)
                m_tdb->sql().execute("KILL CONNECTION " + QString::number(m_dm->connection().threadId()));
        };
        QString error;
        try {
            d->recorder.save();
        } catch (const db::DbError& e) {
            error = e.message();
        }
        QVERIFY2(error.startsWith("Passagem NÃO salva, nada foi gravado"), qPrintable(error));
        QVERIFY(error.contains("conexão"));
        verifyNotSaved(*d);

        d->recorder.save();
        QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2").toInt(), 4);
        QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2 and RACE=1").toInt(), 2);
        QVERIFY(!d->rig.screen.isEnabled("btnSalvar"));
        QVERIFY(d->rig.publisher.messages.contains("salvou:D@"));
    }

    void serverErrorMidSaveStoresNothingThenOnce() {
        auto d = desk();
        loadValidPair(*d);
        // Wider than the column: the server refuses lane B's row after lane A's went in.
        d->rig.screen.setText("cbBateriaB", "123");
        QVERIFY_THROWS_EXCEPTION(db::DbError, d->recorder.save());
        verifyNotSaved(*d);
        QVERIFY(d->calls.contains("runs A"));

        d->rig.screen.setText("cbBateriaB", "3");
        d->recorder.save();
        QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2").toInt(), 4);
        QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2 and COD_VEICULO=1").toInt(), 2);
    }

    void penaltyThatIsNotANumberStopsTheSave() {
        auto d = desk();
        loadValidPair(*d);
        d->rig.screen.setText("edtPenalB", "");
        QVERIFY_THROWS_EXCEPTION(ConversionError, d->recorder.save());
        verifyNotSaved(*d);
    }

    void failureAfterTheRowsAreStoredKeepsThePairSaved() {
        auto d = desk();
        loadValidPair(*d);
        d->rig.screen.setText("ckTicketAuto", "S");
        d->onTicket = [] { throw std::runtime_error("Impressora desligada"); };
        QString error;
        try {
            d->recorder.save();
        } catch (const std::runtime_error& e) {
            error = QString::fromUtf8(e.what());
        }
        QCOMPARE(error, "Passagem salva, mas: Impressora desligada");
        QCOMPARE(scalar("select count(*) from resultados where COD_EVENTO=2").toInt(), 4);
        QVERIFY(!d->rig.screen.isEnabled("btnSalvar"));
        QVERIFY(d->rig.screen.isEnabled("btnNova"));
        QCOMPARE(d->calls, QStringList({"runs A", "runs B", "ticket", "log"}));
        QCOMPARE(d->rig.publisher.messages.last(), "salvou:D@");
    }
};

QTEST_MAIN(TestRunRecorder)
#include "tst_runrecorder.moc"
