#include "TestDatabase.h"
#include "db/DbError.h"
#include "db/Query.h"

#include <QtTest>

using db::Query;

class TestDatabaseLayer : public QObject {
    Q_OBJECT
private slots:
    void insertLeavesTheKeyToTheDatabase() {
        TestDatabase tdb;
        db::Connection c(tdb.settings());
        Query q(&c, QStringLiteral("select * from resultados limit 1"));
        q.setTable(QStringLiteral("resultados"));
        q.open();
        q.append();
        q.setValue(QStringLiteral("status"), QStringLiteral("Valido"));
        q.post();
        const int first = q.integer(QStringLiteral("CODIGO"));
        q.append();
        q.setValue(QStringLiteral("STATUS"), QStringLiteral("Queimou"));
        q.post();
        QVERIFY(first > 0);
        QCOMPARE(q.integer(QStringLiteral("codigo")), first + 1);
        // The row reads back with the database defaults of what the writer left empty.
        QCOMPARE(q.text(QStringLiteral("SHARKTANK")), QStringLiteral("N"));
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from RESULTADOS where SHARKTANK='N'")).toInt(), 2);
    }

    void flagDefaults_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::newRow("run shark tank") << "resultados" << "SHARKTANK";
        QTest::newRow("run list") << "resultados" << "LISTA";
        QTest::newRow("run whatsapp") << "resultados" << "WHATS_ENVIADO";
        QTest::newRow("category shark tank") << "categoria" << "SHARKTANK";
        QTest::newRow("category list") << "categoria" << "LISTA";
        QTest::newRow("category knockout") << "categoria" << "MATA_MATA";
    }
    void flagDefaults() {
        QFETCH(QString, table);
        QFETCH(QString, column);
        TestDatabase tdb;
        tdb.sql().execute(QStringLiteral("insert into %1 () values ()").arg(table));
        QCOMPARE(tdb.scalar(QStringLiteral("select %1 from %2").arg(column, table)).toString(),
                 QStringLiteral("N"));
    }

    void unchangedUpdateCountsOneRow() {
        TestDatabase tdb;
        db::Connection c(tdb.settings());
        c.execute(QStringLiteral("insert into veiculo (PLACA, PILOTO) values ('10', 'Ana')"));
        const auto r = c.execute(QStringLiteral("update veiculo set PILOTO='Ana' where PLACA='10'"));
        QCOMPARE(r.affectedRows, quint64(1));
        Query q(&c, QStringLiteral("select * from veiculo"));
        q.setTable(QStringLiteral("veiculo"));
        q.open();
        q.edit();
        q.post();  // rewriting the same values must not look like a vanished row
        QCOMPARE(q.text(QStringLiteral("piloto")), QStringLiteral("Ana"));
    }

    void updateOfARowDeletedMeanwhileFails() {
        TestDatabase tdb;
        db::Connection c(tdb.settings());
        c.execute(QStringLiteral("insert into veiculo (PLACA) values ('10')"));
        Query q(&c, QStringLiteral("select * from veiculo"));
        q.setTable(QStringLiteral("veiculo"));
        q.open();
        tdb.sql().execute(QStringLiteral("delete from veiculo"));
        q.edit();
        q.setValue(QStringLiteral("PLACA"), QStringLiteral("11"));
        QVERIFY_THROWS_EXCEPTION(db::DbError, q.post());
    }

    void rowsByNameTypedAndNull() {
        TestDatabase tdb;
        db::Connection c(tdb.settings());
        c.execute(QStringLiteral("insert into categoria (SIGLA, TEMPO_MINIMO, DATA_RECORD, CATEG_PAI) "
                                 "values (:s, :t, :d, NULL)"),
                  {{QStringLiteral("s"), QStringLiteral("ÉLITE")},
                   {QStringLiteral("t"), 7.25},
                   {QStringLiteral("d"), QDate(2026, 5, 19)}});
        Query q(&c, QStringLiteral("select * from CATEGORIA"));
        q.open();
        QCOMPARE(q.text(QStringLiteral("sigla")), QStringLiteral("ÉLITE"));
        QCOMPARE(q.real(QStringLiteral("Tempo_Minimo")), 7.25);
        QCOMPARE(q.date(QStringLiteral("DATA_RECORD")), QDate(2026, 5, 19));
        QVERIFY(q.isNull(QStringLiteral("CATEG_PAI")));
        QCOMPARE(q.integer(QStringLiteral("CATEG_PAI")), 0);
        QVERIFY_THROWS_EXCEPTION(db::DbError, q.value(QStringLiteral("NO_SUCH_COLUMN")));
    }

    void textReachesTheServerAsData() {
        TestDatabase tdb;
        db::Connection c(tdb.settings());
        const QString hostile = QStringLiteral("x'; drop table veiculo; -- \\");
        c.execute(QStringLiteral("insert into veiculo (PILOTO) values (:p)"), {{QStringLiteral("p"), hostile}});
        QCOMPARE(tdb.scalar(QStringLiteral("select PILOTO from veiculo")).toString(), hostile);
        const auto found = c.execute(QStringLiteral("select count(*) from veiculo where upper(PILOTO) like :p"),
                                     {{QStringLiteral("p"), QStringLiteral("%' OR '1'='1%")}});
        QCOMPARE(found.row(0).at(0).toInt(), 0);
    }

    void serverErrorsCarryTheServerMessage() {
        TestDatabase tdb;
        db::Connection c(tdb.settings());
        try {
            c.execute(QStringLiteral("select * from tabela_que_nao_existe"));
            QFAIL("no error");
        } catch (const db::DbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("tabela_que_nao_existe")), qPrintable(e.message()));
        }
        QVERIFY_THROWS_EXCEPTION(db::DbError, c.execute(QStringLiteral("select :missing")));
    }

    void droppedSessionIsReopenedOnce() {
        TestDatabase tdb;
        db::Connection c(tdb.settings());
        c.execute(QStringLiteral("select 1"));
        const quint64 id = c.threadId();
        tdb.sql().execute(QStringLiteral("KILL CONNECTION %1").arg(id));
        // The station's next write after a long idle time must not be lost.
        c.execute(QStringLiteral("insert into resultados (STATUS) values ('Valido')"));
        QCOMPARE(c.reconnectCount(), 1);
        QVERIFY(c.threadId() != id);
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from resultados")).toInt(), 1);
    }

    void idleTimeoutDoesNotLoseAWrite() {
        TestDatabase tdb;
        db::Connection c(tdb.settings());
        c.execute(QStringLiteral("set session wait_timeout = 1"));
        QTest::qWait(2500);
        c.execute(QStringLiteral("insert into resultados (STATUS) values ('Valido')"));
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from resultados")).toInt(), 1);
    }

    void pingAnswersAndClosesOnFailure() {
        TestDatabase tdb;
        db::Connection c(tdb.settings());
        c.open();
        QVERIFY(c.ping());
        tdb.sql().execute(QStringLiteral("KILL CONNECTION %1").arg(c.threadId()));
        QTest::qWait(100);
        c.ping();  // may reconnect inside the client or fail; either way no exception
        c.execute(QStringLiteral("select 1"));
    }

    void wrongPasswordIsRefusedWithTheServerText() {
        TestDatabase tdb;
        db::ConnectionSettings s = tdb.settings();
        s.password += QStringLiteral("x");
        db::Connection c(s);
        try {
            c.open();
            QFAIL("opened with a wrong password");
        } catch (const db::DbError& e) {
            QVERIFY2(e.message().contains(QStringLiteral("Access denied")), qPrintable(e.message()));
        }
        QVERIFY(!c.isOpen());
    }

    void deleteAndNavigation() {
        TestDatabase tdb;
        db::Connection c(tdb.settings());
        for (int i = 1; i <= 3; ++i)
            c.execute(QStringLiteral("insert into veiculo (PLACA) values (:p)"), {{QStringLiteral("p"), QString::number(i)}});
        Query q(&c, QStringLiteral("select * from veiculo order by placa"));
        q.setTable(QStringLiteral("veiculo"));
        int scrolls = 0;
        connect(&q, &Query::afterScroll, this, [&] { ++scrolls; });
        q.open();
        QCOMPARE(scrolls, 1);
        q.next();
        QCOMPARE(q.text(QStringLiteral("PLACA")), QStringLiteral("2"));
        QVERIFY(q.remove());
        QCOMPARE(q.text(QStringLiteral("PLACA")), QStringLiteral("3"));
        q.next();
        QVERIFY(q.eof());
        bool asked = false;
        q.setBeforeDelete([&] { asked = true; return false; });
        QVERIFY(!q.remove());
        QVERIFY(asked);
        QCOMPARE(tdb.scalar(QStringLiteral("select count(*) from veiculo")).toInt(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDatabaseLayer)
#include "tst_database.moc"
