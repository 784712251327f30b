#include "RecordingReportOutput.h"
#include "platform/report/ReportLayout.h"
#include "race/TicketLayouts.h"

#include <QTemporaryDir>
#include <QtTest>

namespace report = platform::report;

namespace {

const QDateTime kPrinted(QDate(2026, 12, 10), QTime(9, 5, 7));

TicketValues pair() {
    TicketValues t;
    t.organizer = "Clube de Arrancada do Vale";
    t.championship = "Campeonato Estadual";
    t.sponsor = "Auto Peças São João";
    t.event = "2ª Etapa";
    t.place = "Autódromo Municipal";
    t.trackLength = "201";
    t.split1Caption = "50 m";
    t.split2Caption = "100 m";
    t.a = {"João Conceição", "12", "Opala 4.1", "12", "FL", "Força Livre", "2",
           "0.512", "1.803", "3.101", "4.550", "6.498", "178,4", "7,010", "Valido"};
    t.b = {"Márcia Lima", "31", "Fusca 1600", "31", "FL", "Força Livre", "2",
           "0.488", "1.755", "3.020", "4.401", "6.390", "181,0", "6,878", "Queimou"};
    return t;
}

QStringList lines(const TicketReport& t) {
    const report::LaidOutDocument doc = report::layOut(t.definition, t.data, kPrinted);
    return doc.text().split(u'\n', Qt::SkipEmptyParts);
}

/// The first line holding every one of `parts`, or -1.
int lineWith(const QStringList& text, const QStringList& parts) {
    for (int i = 0; i < text.size(); ++i) {
        bool all = true;
        for (const QString& p : parts) all = all && text[i].contains(p);
        if (all) return i;
    }
    return -1;
}

}  // namespace

class TestTickets : public QObject {
    Q_OBJECT
private slots:
    /// Both lanes beside their captions, row by row in the slip's order.
    void twoLaneTicketRows() {
        const QStringList text = lines(ticket80(pair(), TicketSettings{}));
        const QList<QStringList> rows{
            {"Clube de Arrancada do Vale"}, {"Campeonato Estadual"}, {"2ª Etapa"}, {"Autódromo Municipal"},
            {"10/12/2026 as 9:5"},          {"ESQUERDA", "DIREITA"}, {"João Conceição", "Nome", "Márcia Lima"},
            {"Opala 4.1", "Veic.", "Fusca 1600"}, {"12", "Num.", "31"}, {"FL", "Categ.", "FL"},
            {"0.512", "Reação", "0.488"}, {"1.803", "60 Pés", "1.755"}, {"4.550", "100m", "4.401"},
            {"6.498", "Pista", "6.390"},   {"178,4", "Km/h", "181,0"}, {"7,010", "T. Final", "6,878"},
            {"Valido", "Status", "Queimou"}, {"Cronometragem eletrônica"},
            {"Patrocinadores:", "Auto Peças São João"}};
        int previous = -1;
        for (const QStringList& row : rows) {
            const int at = lineWith(text, row);
            QVERIFY2(at > previous, qPrintable(row.join(u' ') + " out of place in\n" + text.join(u'\n')));
            previous = at;
        }
        // The left lane's values stand left of the captions, the right lane's right of them.
        const QString nameLine = text[lineWith(text, {"Nome"})];
        QVERIFY(nameLine.indexOf("João") < nameLine.indexOf("Nome"));
        QVERIFY(nameLine.indexOf("Nome") < nameLine.indexOf("Márcia"));
    }

    void rollingStartHidesTheReaction() {
        TicketValues t = pair();
        t.rollingStart = true;
        const QStringList text = lines(ticket80(t, TicketSettings{}));
        QCOMPARE(lineWith(text, {"Reação"}), -1);
        QCOMPARE(lineWith(text, {"0.512"}), -1);
        QVERIFY(lineWith(text, {"1.803", "Vel Ini.", "1.755"}) >= 0);
        QCOMPARE(lineWith(text, {"60 Pés"}), -1);
    }

    void oneLaneTicket_data() {
        QTest::addColumn<int>("lane");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("left") << 0
                              << QStringList{"Impresso: 10/12/2026 09:05:07", "João Conceição", "#12 - Opala 4.1", "Cat.: Força Livre",
                                             "Pista Esquerda   Bateria: 2", "Reação", "0.512", "60 pés",
                                             "50 m", "3.101", "100 m", "4.550", "201 m", "6.498",
                                             "Vel.Final (km/h)", "178,4", "Total (R+P)", "7,010",
                                             "Status", "Valido"};
        QTest::newRow("right") << 1
                               << QStringList{"Márcia Lima", "#31 - Fusca 1600", "Pista Direita   Bateria: 2",
                                              "6,878", "Queimou"};
    }

    void oneLaneTicket() {
        QFETCH(int, lane);
        QFETCH(QStringList, expected);
        TicketSettings settings;
        settings.site = "tempos.exemplo";
        const QStringList text = lines(ticket57(pair(), lane == 0 ? Lane::A : Lane::B, settings));
        int previous = -1;
        for (const QString& e : expected) {
            const int at = lineWith(text, {e});
            QVERIFY2(at >= previous, qPrintable(e + " out of place in\n" + text.join(u'\n')));
            previous = at;
        }
        const QString other = lane == 0 ? "Márcia" : "João";
        QCOMPARE(lineWith(text, {other}), -1);
        QVERIFY(text.last().contains("tempos.exemplo"));
    }

    /// Values are data, not layout: a brace in a name is printed as typed.
    void bracesInValuesPrintAsTyped() {
        TicketValues t = pair();
        t.a.pilot = "Zé {PLACA_A} Braga";
        QVERIFY(lineWith(lines(ticket57(t, Lane::A, TicketSettings{})), {"Zé {PLACA_A} Braga"}) >= 0);
    }

    void settingsFromTheStationFolder() {
        QTemporaryDir dir;
        QFile ini(dir.path() + "/ticket.ini");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("credito=Cronometragem Exemplo\nsite = tempos.exemplo\nlinha sem igual\n");
        ini.close();
        const TicketSettings s = TicketSettings::load(dir.path() + "/");
        QCOMPARE(s.creditLine, QString("Cronometragem Exemplo"));
        QCOMPARE(s.site, QString("tempos.exemplo"));
        QCOMPARE(s.phoneLine, TicketSettings{}.phoneLine);
        QCOMPARE(TicketSettings::load(dir.path() + "/nada/").creditLine, TicketSettings{}.creditLine);
    }

    /// The slip as paper: a narrow page whose text reads back with its accents.
    void ticketAsPdf() {
        QTemporaryDir dir;
        const TicketReport t = ticket80(pair(), TicketSettings{});
        const QString path = dir.path() + "/ticket.pdf";
        report::SystemReportOutput().savePdf(report::layOut(t.definition, t.data, kPrinted), path);
        const QString text = pdfText(path);
        for (const char* expected : {"João Conceição", "Reação", "60 Pés", "Autódromo Municipal", "7,010"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), qPrintable(QString::fromUtf8(expected) + "\n" + text));
    }
};

QTEST_MAIN(TestTickets)
#include "tst_tickets.moc"
