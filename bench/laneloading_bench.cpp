// Lane loading: the time from Enter in a plate edit to the last message the
// companion display gets, on the demo championship grown to 300 vehicles
// and 3,000 stored runs. The Enter goes to the real plate edit of the desk,
// through the lane binder, to the lookup and its queries on the database.
// Needs the test MariaDB server (VUD_DB_*), like the tests.
#include "RaceDoubles.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "app/uDM.h"
#include "race/LaneBinder.h"
#include "race/LaneLoader.h"
#include "race/LaneView.h"
#include "race/RacePanel.h"
#include "race/ScreenBinder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>
#include <QTextStream>
#include <algorithm>

namespace {

constexpr int kVehicles = 300;
constexpr int kRuns = 3000;
constexpr int kLookups = 300;

/// The hub client, stamping each message with the bench clock.
struct StampingPublisher : Publisher {
    explicit StampingPublisher(const QElapsedTimer& c) : clock(c) {}
    void publish(const QString& message) override {
        ++count;
        lastNs = clock.nsecsElapsed();
        last = message;
    }
    const QElapsedTimer& clock;
    qint64 lastNs = 0;
    int count = 0;
    QString last;
};

struct NullPort : ControllerPort {
    void write(const QString&) override {}
};

void insertBatches(db::Connection& c, const QString& head, const QStringList& rows) {
    for (qsizetype at = 0; at < rows.size(); at += 500)
        c.execute(head + rows.mid(at, 500).join(u','));
}

/// Vehicles 28.. of championship 1, each entered in one of the first three
/// categories of event 2, and runs of the event up to kRuns in all.
void grow(TestDatabase& tdb) {
    db::Connection& c = tdb.sql();
    const int existingVehicles = tdb.scalar(QStringLiteral("select count(*) from veiculo")).toInt();
    QStringList vehicles;
    QStringList entries;
    for (int v = existingVehicles + 1; v <= kVehicles; ++v) {
        vehicles << QStringLiteral("(%1, '%2', 1, 'Carro %1', 'Piloto %1', 'P%1', '(67) 99%1-0000', 'N')")
                        .arg(v)
                        .arg(v + 100);
        entries << QStringLiteral("(2, %1, %2, 'S')").arg(1 + v % 3).arg(v);
    }
    insertBatches(c,
                  QStringLiteral("insert into veiculo (CODIGO, PLACA, COD_CAMPEONATO, VEICULO, PILOTO, APELIDO, "
                                 "CELULAR, NOSHARK) values "),
                  vehicles);
    insertBatches(c, QStringLiteral("insert into inscricao (COD_EVENTO, COD_CATEGORIA, COD_VEICULO, VALIDO) values "),
                  entries);

    const int existingRuns = tdb.scalar(QStringLiteral("select count(*) from resultados")).toInt();
    QStringList runs;
    QRandomGenerator random(7);
    for (int i = existingRuns; i < kRuns; ++i) {
        const int v = existingVehicles + 1 + i % (kVehicles - existingVehicles);
        const double track = 6.5 + random.bounded(400) / 100.0;
        const QString status = i % 10 == 0 ? QStringLiteral("Queimou") : QStringLiteral("Valido");
        runs << QStringLiteral("(2, %1, %2, '%3', '%4', '%5', 0.2, %6, %7)")
                    .arg(v)
                    .arg(1 + v % 3)
                    .arg(i % 2 ? QStringLiteral("Direita") : QStringLiteral("Esquerda"), status)
                    .arg(1 + i % 5)
                    .arg(track, 0, 'f', 3)
                    .arg(track + 0.2, 0, 'f', 3);
    }
    insertBatches(c,
                  QStringLiteral("insert into resultados (COD_EVENTO, COD_VEICULO, COD_CATEGORIA, LADO_PISTA, STATUS, "
                                 "BATERIA, REACAO, TPISTA, TFINAL) values "),
                  runs);
}

double percentile(QList<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values.at(qsizetype(p * double(values.size() - 1) + 0.5));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    TestDatabase tdb;
    tdb.loadFile(QStringLiteral(VUD_SOURCE_DIR "/data/demo.sql"));
    grow(tdb);
    out << QStringLiteral("database: %1 vehicles, %2 runs\n")
               .arg(tdb.scalar(QStringLiteral("select count(*) from veiculo")).toInt())
               .arg(tdb.scalar(QStringLiteral("select count(*) from resultados")).toInt());

    DM dm(tdb.settings());
    dm.openSharedQueries();
    dm.qryCampeonato->close();
    dm.qryCampeonato->setParam(QStringLiteral("codigo"), 1);
    dm.qryCampeonato->open();
    dm.qryEvento->close();
    dm.qryEvento->setParam(QStringLiteral("codigo"), 2);
    dm.qryEvento->open();

    // The desk as the station runs it, with the real 20 ms controller pause.
    QElapsedTimer clock;
    clock.start();
    RacePair pair;
    ScreenModel screen;
    NullPort port;
    StampingPublisher publisher(clock);
    NullMonitor monitor;
    RunLog runLog;
    FakeRaceData data;
    platform::BlockingPause pause;
    RaceContext ctx{pair, screen, port, publisher, monitor, runLog, data, pause};
    ScriptedDialogs dialogs;

    RacePanel panel;
    ScreenBinder binder(screen, &panel);
    binder.seedFrom(&panel);
    resetRaceScreen(screen);
    binder.renderAll();
    LaneLoader loader(ctx, dm);
    LaneBinder lanes(loader, screen, dm, panel.laneA, panel.laneB, &panel);
    panel.resize(1366, 768);
    panel.show();
    screen.setEnabled(QStringLiteral("edtPlacaA"), true);
    screen.setEnabled(QStringLiteral("edtPlacaB"), true);

    QList<double> toLastMessage;
    QList<double> handler;
    QRandomGenerator random(11);
    for (int i = 0; i < kLookups; ++i) {
        const Lane lane = i % 2 ? Lane::B : Lane::A;
        const int vehicle = 28 + int(random.bounded(kVehicles - 27));
        // Every third lookup finds the category from the entry.
        pair.randomCategory = i % 3 == 2 ? QStringLiteral("S") : QStringLiteral("N");
        loader.chooseCategory(lane, 1 + vehicle % 3);
        screen.setText(QStringLiteral("cbBateria") + laneLetter(lane), QString());
        screen.setText(QStringLiteral("edtPlaca") + laneLetter(lane), QString::number(vehicle + 100));
        QLineEdit* plate = lane == Lane::A ? panel.laneA->plate : panel.laneB->plate;

        const int before = publisher.count;
        const qint64 start = clock.nsecsElapsed();
        QTest::keyClick(plate, Qt::Key_Return);
        const qint64 end = clock.nsecsElapsed();
        if (publisher.count == before || pair.lane(lane).vehicleCode != vehicle) {
            out << "lookup failed for vehicle " << vehicle << ": " << dialogs.messages.join(u'|') << '\n';
            return 1;
        }
        toLastMessage << double(publisher.lastNs - start) / 1e6;
        handler << double(end - start) / 1e6;
    }

    out << QStringLiteral("Enter to last companion message over %1 lookups: median %2 ms, p90 %3 ms, max %4 ms\n")
               .arg(kLookups)
               .arg(percentile(toLastMessage, 0.5), 0, 'f', 2)
               .arg(percentile(toLastMessage, 0.9), 0, 'f', 2)
               .arg(percentile(toLastMessage, 1.0), 0, 'f', 2);
    out << QStringLiteral("whole Enter handler (lane A includes the 20 ms controller pause): median %1 ms\n")
               .arg(percentile(handler, 0.5), 0, 'f', 2);
    return 0;
}
