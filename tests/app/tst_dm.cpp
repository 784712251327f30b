#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "app/uDM.h"

#include <QtTest>

namespace {

QString demoData() { return qEnvironmentVariable("VUD_SOURCE_DIR") + QStringLiteral("/data/demo.sql"); }

void openChampionship(DM& dm, int code) {
    dm.qryCampeonato->close();
    dm.qryCampeonato->setParam(QStringLiteral("codigo"), code);
    dm.qryCampeonato->open();
}

void openEvent(DM& dm, int code) {
    dm.qryEvento->close();
    dm.qryEvento->setParam(QStringLiteral("codigo"), code);
    dm.qryEvento->open();
}

}  // namespace

class TestDataModule : public QObject {
    Q_OBJECT
private slots:
    void choosingTheChampionshipReopensItsQueries() {
        TestDatabase tdb;
        tdb.loadFile(demoData());
        tdb.sql().execute(QStringLiteral("update categoria set SHARKTANK='S' where CODIGO=7"));
        DM dm(tdb.settings());
        dm.openSharedQueries();
        QVERIFY(dm.qryCategoria->isEmpty());
        dm.qryEvento->setParam(QStringLiteral("codigo"), 2);
        openChampionship(dm, 1);
        QCOMPARE(dm.eventCode(), 2);  // the event query follows with its own code kept
        QCOMPARE(dm.qryCategoria->rowCount(),
                 tdb.scalar(QStringLiteral("select count(*) from categoria where cod_campeonato=1")).toInt());
        QCOMPARE(dm.qryVerShark->rowCount(), 1);
        // The event's dependent queries follow the event.
        tdb.sql().execute(QStringLiteral("insert into desclassicados (COD_EVENTO, COD_CATEGORIA, COD_PILOTO, MOTIVO) "
                                         "values (1, 2, 3, 'teste')"));
        openEvent(dm, 1);
        QCOMPARE(dm.qryDesclassificados->rowCount(), 1);
        QCOMPARE(dm.qryDesclassificados->text(QStringLiteral("SIGLA")),
                 tdb.scalar(QStringLiteral("select SIGLA from categoria where CODIGO=2")).toString());
        QVERIFY(dm.qryDesclassificados->hasField(QStringLiteral("PILOTO")));
        openChampionship(dm, 2);
        QCOMPARE(dm.eventCode(), 0);  // event 1 is not one of championship 2
    }

    void vehicleEntriesCarryTheirCategory() {
        TestDatabase tdb;
        tdb.loadFile(demoData());
        DM dm(tdb.settings());
        dm.openSharedQueries();
        dm.qryEvento->setParam(QStringLiteral("codigo"), 2);
        openChampionship(dm, 1);
        dm.qryVeiculo->setParam(QStringLiteral("cod_camp"), 1);
        dm.qryVeiculo->open();
        QVERIFY(dm.qryVeiculo->rowCount() >= 24);
        const int vehicle = dm.qryVeiculo->integer(QStringLiteral("CODIGO"));
        const int entries = tdb.scalar(QStringLiteral("select count(*) from inscricao where cod_evento=2 and cod_veiculo=:v"),
                                       {{QStringLiteral("v"), vehicle}}).toInt();
        QCOMPARE(dm.qryInscricao->rowCount(), entries);
        if (entries > 0) {
            QVERIFY(!dm.qryInscricao->text(QStringLiteral("Categ")).isEmpty());
            QVERIFY(!dm.qryInscricao->text(QStringLiteral("sigla_categ")).isEmpty());
        }
    }

    void deletingAVehicleRemovesItsRunsInEveryEvent() {
        TestDatabase tdb;
        auto& sql = tdb.sql();
        sql.execute(QStringLiteral("insert into campeonato (CODIGO, CAMPEONATO) values (1, 'C')"));
        sql.execute(QStringLiteral("insert into veiculo (CODIGO, PLACA, COD_CAMPEONATO) values (5, '10', 1), (6, '11', 1)"));
        sql.execute(QStringLiteral("insert into resultados (COD_EVENTO, COD_VEICULO) values (1, 5), (2, 5), (2, 6)"));
        DM dm(tdb.settings());
        dm.qryVeiculo->setParam(QStringLiteral("cod_camp"), 1);
        dm.qryVeiculo->open();
        ScriptedDialogs dialogs;

        dialogs.answer(platform::Dialogs::No);
        QVERIFY(!dm.qryVeiculo->remove());
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from resultados")).toInt(), 3);
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from veiculo")).toInt(), 2);
        QCOMPARE(dialogs.asked.size(), 1);
        const auto& box = dialogs.asked.first();
        QCOMPARE(box.caption, QStringLiteral("Confirmação"));
        QCOMPARE(box.text, QStringLiteral("Deseja EXCLUIR esse registro ??"));
        QCOMPARE(box.icon, platform::Dialogs::Icon::Warning);
        QCOMPARE(box.buttons, platform::Dialogs::Yes | platform::Dialogs::No);
        QCOMPARE(box.defaultButton, platform::Dialogs::No);

        dialogs.answer(platform::Dialogs::Yes);
        QVERIFY(dm.qryVeiculo->remove());
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from resultados where cod_veiculo=5")).toInt(), 0);
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from resultados where cod_veiculo=6")).toInt(), 1);
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from veiculo")).toInt(), 1);
        QCOMPARE(dialogs.asked.size(), 2);  // one question, not one per run
    }

    void guardedDeletionAsksFirst_data() {
        QTest::addColumn<QString>("table");
        for (const char* t : {"campeonato", "evento", "categoria", "inscricao", "resultados"}) QTest::newRow(t) << t;
    }
    void guardedDeletionAsksFirst() {
        QFETCH(QString, table);
        TestDatabase tdb;
        tdb.sql().execute(QStringLiteral("insert into %1 () values ()").arg(table));
        DM dm(tdb.settings());
        db::Query* q = dm.findChildren<db::Query*>().first();
        for (db::Query* candidate : {dm.qryCampeonato, dm.qryEvento, dm.qryCategoria, dm.qryInscricao, dm.qryResultados})
            if (candidate->updateSet().table == table) q = candidate;
        q->setSql(QStringLiteral("select * from %1").arg(table));
        q->open();
        ScriptedDialogs dialogs;
        dialogs.answer(platform::Dialogs::No);
        QVERIFY(!q->remove());
        QCOMPARE(dialogs.asked.size(), 1);
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from %1").arg(table)).toInt(), 1);
    }

    void raceNumbersStartAtOne() {
        TestDatabase tdb;
        DM dm(tdb.settings());
        QCOMPARE(dm.nextRaceNumber(1, 2), 1);
        tdb.sql().execute(QStringLiteral("insert into resultados (COD_EVENTO, COD_CATEGORIA, RACE) values (1, 2, 4), (1, 3, 9)"));
        QCOMPARE(dm.nextRaceNumber(1, 2), 5);
        QCOMPARE(dm.bestTrackTime(1, 1), 0.0);
        tdb.sql().execute(QStringLiteral("insert into resultados (COD_EVENTO, COD_VEICULO, TPISTA) values (1, 1, 1.5), (1, 1, 7.2), (1, 1, 6.9)"));
        QCOMPARE(dm.bestTrackTime(1, 1), 6.9);  // times of 2 s and less are sensor faults
    }
};

QTEST_GUILESS_MAIN(TestDataModule)
#include "tst_dm.moc"
