#include "TestDatabase.h"
#include "app/uDM.h"
#include "race/DmRaceData.h"

#include <QtTest>

class TestDmRaceData : public QObject {
    Q_OBJECT
private slots:
    void positionCountsBestValidRunsOfTheEventAndCategory() {
        TestDatabase tdb;
        auto& sql = tdb.sql();
        sql.execute("insert into campeonato (CODIGO, CAMPEONATO, LARG_LANCADA, VEL_MAX_LANCADO) values (1, 'C', 'S', 120)");
        sql.execute("insert into evento (CODIGO, COD_CAMPEONATO, EVENTO) values (1, 1, 'E1'), (2, 1, 'E2')");
        // Vehicle 10: best 7.0; vehicle 11: 6.5 but only in training and a foul;
        // vehicle 12: 6.8; vehicle 13: faster, but in another event or category.
        sql.execute("insert into resultados (COD_EVENTO, COD_CATEGORIA, COD_VEICULO, BATERIA, STATUS, TFINAL) values "
                    "(1, 5, 10, '1', 'Valido', 7.4), (1, 5, 10, '2', 'Valido', 7.0),"
                    "(1, 5, 11, 'T', 'Valido', 6.5), (1, 5, 11, '1', 'Queimou', 6.4), (1, 5, 11, '1', 'Valido', 0),"
                    "(1, 5, 12, '1', 'Valido', 6.8),"
                    "(2, 5, 13, '1', 'Valido', 6.0), (1, 6, 13, '1', 'Valido', 6.0)");
        DM dm(tdb.settings());
        dm.openSharedQueries();
        dm.qryEvento->setParam("codigo", 1);
        dm.qryCampeonato->close();
        dm.qryCampeonato->setParam("codigo", 1);
        dm.qryCampeonato->open();
        DmRaceData data(&dm);
        QCOMPARE(data.position(12, 5), 1);
        QCOMPARE(data.position(10, 5), 2);
        QCOMPARE(data.position(11, 5), 99);
        QCOMPARE(data.position(13, 5), 99);
        const auto champ = data.championship();
        QCOMPARE(champ.flyingStart, QString("S"));
        QCOMPARE(champ.maxFlyingSpeed, 120);
        QCOMPARE(champ.bonus, QString("N"));  // the column default
    }
};

QTEST_GUILESS_MAIN(TestDmRaceData)
#include "tst_dmracedata.moc"
