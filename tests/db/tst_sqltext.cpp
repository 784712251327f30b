#include "db/DbError.h"
#include "db/SqlScript.h"
#include "db/SqlText.h"

#include <QDate>
#include <QtTest>

class TestSqlText : public QObject {
    Q_OBJECT
private slots:
    void parameterNames_data() {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("plain") << QStringLiteral("select * from t where a=:a and B=:Cod_b")
                               << QStringList{QStringLiteral("A"), QStringLiteral("COD_B")};
        QTest::newRow("repeated once") << QStringLiteral("x=:p or y=:P") << QStringList{QStringLiteral("P")};
        QTest::newRow("quoted time is no parameter")
            << QStringLiteral("select '10:30', \"a:b\", `c:d` from t where h=:h")
            << QStringList{QStringLiteral("H")};
        QTest::newRow("escaped quote") << QStringLiteral("select 'it''s :no', 'a\\':no' , :yes")
                                       << QStringList{QStringLiteral("YES")};
        QTest::newRow("comments") << QStringLiteral("select 1 -- :no\n, /* :no */ :yes # :no")
                                  << QStringList{QStringLiteral("YES")};
        QTest::newRow("double colon") << QStringLiteral("select a::b") << QStringList{};
    }
    void parameterNames() {
        QFETCH(QString, sql);
        QFETCH(QStringList, names);
        QCOMPARE(db::parameterNames(sql), names);
    }

    void bindReplacesEveryOccurrence() {
        const QString out = db::bindParameters(QStringLiteral("a=:x and b=':x' and c=:X"),
                                               [](const QString& n) { return n == u"X" ? QStringLiteral("7") : QString(); });
        QCOMPARE(out, QStringLiteral("a=7 and b=':x' and c=7"));
    }

    void literals_data() {
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("literal");
        QTest::newRow("null") << QVariant() << QStringLiteral("NULL");
        QTest::newRow("int") << QVariant(42) << QStringLiteral("42");
        QTest::newRow("double keeps precision") << QVariant(7.123) << QStringLiteral("7.1230000000000002");
        QTest::newRow("date") << QVariant(QDate(2026, 12, 1)) << QStringLiteral("'2026-12-01'");
        QTest::newRow("bytes") << QVariant(QByteArray("\x00\x27", 2)) << QStringLiteral("X'0027'");
        QTest::newRow("text goes through the quoter") << QVariant(QStringLiteral("O'Hara"))
                                                      << QStringLiteral("<O'Hara>");
    }
    void literals() {
        QFETCH(QVariant, value);
        QFETCH(QString, literal);
        QCOMPARE(db::sqlLiteral(value, [](const QString& t) { return u'<' + t + u'>'; }), literal);
    }

    void scriptSplitsAtLineEndSemicolons() {
        const QStringList s = db::splitScript(QStringLiteral(
            "-- demo\nINSERT INTO t VALUES ('a;b');\n\nUPDATE t\n SET x=1;\nSELECT 1"));
        QCOMPARE(s.size(), 3);
        QCOMPARE(s.at(0), QStringLiteral("INSERT INTO t VALUES ('a;b')"));
        QCOMPARE(s.at(1), QStringLiteral("UPDATE t\n SET x=1"));
    }
};

QTEST_GUILESS_MAIN(TestSqlText)
#include "tst_sqltext.moc"
