#include "core/NumberText.h"

#include <QtTest>

class TestNumberText : public QObject {
    Q_OBJECT
private slots:
    void parse_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("controller point") << "0.523" << 0.523;
        QTest::newRow("no decimals") << "12" << 12.0;
        QTest::newRow("negative") << "-0.5" << -0.5;
        QTest::newRow("blanks around") << " 7.1 " << 7.1;
        QTest::newRow("trailing point") << "5." << 5.0;
        QTest::newRow("microseconds") << "250000" << 250000.0;
        QTest::newRow("plus sign") << "+1.5" << 1.5;
        QTest::newRow("no integer digit") << ".5" << 0.5;
        QTest::newRow("exponent") << "1.5e3" << 1500.0;
    }
    void parse() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(numtext::parse(text), value);
    }

    void parseRefuses_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "  ";
        QTest::newRow("letters") << "abc";
        QTest::newRow("number then letters") << "0.5x";
        QTest::newRow("comma is a thousands separator") << "0,5";
        QTest::newRow("two points") << "1.2.3";
        QTest::newRow("sign only") << "-";
        QTest::newRow("two signs") << "+-1";
        QTest::newRow("hexadecimal") << "0x10";
        QTest::newRow("non-ASCII digit") << "\u0661";
        QTest::newRow("inner blank") << "1 5";
        QTest::newRow("infinity") << "inf";
        QTest::newRow("not a number") << "nan";
        QTest::newRow("overflow") << "1e999";
    }
    void parseRefuses() {
        QFETCH(QString, text);
        QVERIFY_THROWS_EXCEPTION(ConversionError, numtext::parse(text));
    }

    void pointText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("three decimals") << 0.5234 << "0.523";
        QTest::newRow("padded") << 0.5 << "0.500";
        QTest::newRow("integer digit") << 0.0 << "0.000";
        QTest::newRow("exact tie rounds away from zero") << 0.0625 << "0.063";
        QTest::newRow("just below a tie rounds down") << 1.0005 << "1.000";
        QTest::newRow("no thousands separator") << 1234.5 << "1234.500";
        QTest::newRow("negative") << -0.5 << "-0.500";
        QTest::newRow("rounds to zero without sign") << -0.0004 << "0.000";
    }
    void pointText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(numtext::pointText(value), text);
    }

    void commaText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("text");
        QTest::newRow("one decimal") << 123.44 << "0.0" << "123,4";
        QTest::newRow("exact tie up") << 812.25 << "0.0" << "812,3";
        QTest::newRow("zero speed") << 0.0 << "0.0" << "0,0";
        QTest::newRow("two decimals") << 144.0 << "0.00" << "144,00";
        QTest::newRow("three decimals") << 9.5 << "0.000" << "9,500";
        QTest::newRow("no thousands separator") << 1234.56 << "0.0" << "1234,6";
        QTest::newRow("rounds to zero without sign") << -0.04 << "0.0" << "0,0";
    }
    void commaText() {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QFETCH(QString, text);
        QCOMPARE(numtext::commaText(value, pattern), text);
    }

    void minutesText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("over a minute") << 63.25 << "1:3,250";
        QTest::newRow("under a minute") << 9.5 << "9,500";
        QTest::newRow("exactly a minute") << 60.0 << "1:0,000";
        QTest::newRow("minutes are truncated") << 119.999 << "1:59,999";
        QTest::newRow("just under a minute") << 59.999 << "59,999";
        QTest::newRow("an hour") << 3600.5 << "60:0,500";
        QTest::newRow("zero") << 0.0 << "0,000";
        QTest::newRow("negative stays seconds") << -63.25 << "-63,250";
        QTest::newRow("beyond int minutes") << 1e12 << "16666666666:40,000";
    }
    void minutesText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(numtext::minutesText(value), text);
    }

    // Labels are read back as data: a text the station made must parse to
    // the value it shows.
    void pointTextParsesBack() {
        for (const double v : {0.512, 7.1, 63.25, 180.124})
            QCOMPARE(numtext::parse(numtext::pointText(v)), v);
    }
};

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
