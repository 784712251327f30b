#include "TestDatabase.h"
#include "db/Schema.h"

#include <QtTest>

class TestSchema : public QObject {
    Q_OBJECT
private slots:
    void roundAreaHasItsGeneratedColumns() {
        const QStringList cols = db::Schema::roundAreaColumns();
        QCOMPARE(cols.size() + 2, 198);  // with CODIGO and COD_EVENTO
        QVERIFY(cols.contains(QStringLiteral("FIM_20")));
        QVERIFY(cols.contains(QStringLiteral("VENC_ROD1_18X19")));
        QVERIFY(cols.contains(QStringLiteral("PERD_ROD4_19X20")));
        QVERIFY(!cols.contains(QStringLiteral("VENC_ROD1_1X2")));
        QVERIFY(!cols.contains(QStringLiteral("VENC_ROD2_2X3")));
        QCOMPARE(QSet<QString>(cols.begin(), cols.end()).size(), cols.size());
    }

    void freshDatabaseHasEveryTableAndTheSingleRows() {
        TestDatabase tdb;
        const int tables = tdb.scalar(QStringLiteral(
            "select count(*) from information_schema.tables where table_schema = database() "
            "and table_name <> 'vud_schema'")).toInt();
        QCOMPARE(tables, 16);
        QCOMPARE(tdb.scalar(QStringLiteral(
                     "select count(*) from information_schema.columns where table_schema = database() "
                     "and table_name = 'area_rodada'")).toInt(), 198);
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from organizador")).toInt(), 1);
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from CONFIGURACAO")).toInt(), 1);
        QCOMPARE(tdb.scalar(QStringLiteral(
                     "select character_maximum_length from information_schema.columns where "
                     "table_schema = database() and table_name='veiculo' and column_name='PLACA'")).toInt(), 8);
    }

    void applyingAgainUpgradesWithoutLosingData() {
        TestDatabase tdb;
        auto& c = tdb.sql();
        c.execute(QStringLiteral("insert into veiculo (PLACA, PILOTO) values ('77', 'Bia')"));
        // An older database: a column and the version mark are missing.
        c.execute(QStringLiteral("alter table veiculo drop column TMP_ALVO"));
        c.execute(QStringLiteral("delete from vud_schema"));
        db::Schema::apply(c);
        db::Schema::apply(c);
        QCOMPARE(tdb.scalar(QStringLiteral("select PILOTO from veiculo where PLACA='77'")).toString(),
                 QStringLiteral("Bia"));
        QCOMPARE(tdb.scalar(QStringLiteral("select count(TMP_ALVO) + count(*) from veiculo")).toInt(), 1);
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from organizador")).toInt(), 1);
        QCOMPARE(db::Schema::installedVersion(c), db::Schema::kVersion);
    }

    void demoDataLoads() {
        TestDatabase tdb;
        tdb.loadFile(qEnvironmentVariable("VUD_SOURCE_DIR") + QStringLiteral("/data/demo.sql"));
        QVERIFY(tdb.scalar(QStringLiteral("select count(*) from veiculo")).toInt() >= 24);
        QVERIFY(tdb.scalar(QStringLiteral("select count(*) from inscricao where VALIDO='N'")).toInt() > 0);
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from organizador")).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
