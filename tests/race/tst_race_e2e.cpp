#include "RecordingReportOutput.h"
#include "ScriptedDialogs.h"
#include "TestDatabase.h"
#include "app/VudApplication.h"
#include "app/uDM.h"
#include "race/HubClient.h"
#include "race/LaneLoader.h"
#include "race/MessageHub.h"
#include "race/uPrincipal.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

namespace {

/// The controller simulator in its own process, as the station meets it on site.
struct Simulator {
    QProcess process;
    QString path;
    QString log;
    Simulator(const QString& logFile, const QStringList& extra) : log(logFile) {
        process.setProgram(QStringLiteral(VUD_CONTROLLER_SIM));
        process.setArguments(QStringList{"--speed", "8", "--seed", "7", "--log", logFile} + extra);
        process.start();
        for (int i = 0; i < 100 && !process.canReadLine(); ++i) process.waitForReadyRead(100);
        const QByteArray first = process.readLine().trimmed();
        if (first.startsWith("ready ")) path = QString::fromLocal8Bit(first.mid(6));
    }
    ~Simulator() {
        process.terminate();
        if (!process.waitForFinished(3000)) process.kill();
    }
    QStringList commands() const {
        QFile f(log);
        return f.open(QIODevice::ReadOnly) ? QString::fromLatin1(f.readAll()).split(u'\n', Qt::SkipEmptyParts)
                                           : QStringList();
    }
};

QAbstractButton* button(QWidget& w, const char* name) {
    return w.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

}  // namespace

class TestRaceEndToEnd : public QObject {
    Q_OBJECT
private slots:
    void aWholePairFromNewRaceToTheFinish() {
        TestDatabase tdb;
        tdb.loadFile(qEnvironmentVariable("VUD_SOURCE_DIR") + "/data/demo.sql");
        DM dm(tdb.settings());
        dm.openSharedQueries();
        dm.qryEvento->setParam("codigo", 2);
        dm.qryCampeonato->close();
        dm.qryCampeonato->setParam("codigo", 1);
        dm.qryCampeonato->open();
        dm.serverFound = "S";  // no main-computer question
        QTemporaryDir home;
        Simulator sim(home.filePath("sim.log"), {"--lane-a", "0.512,6.498", "--lane-b", "0.430,6.900"});
        QVERIFY(!sim.path.isEmpty());

        platform::StationEnvironment env;
        env.home = home.path() + u'/';
        env.hubPort = 0;
        env.discoveryPort = 0;
        ScriptedDialogs dialogs;
        TfrmPrincipal w(&dm, env);
        w.applyActivation();
        QTRY_VERIFY(w.publisher().isConnected());
        QTcpSocket companion;
        QByteArray heard;
        connect(&companion, &QTcpSocket::readyRead, this, [&] { heard += companion.readAll(); });
        companion.connectToHost(QHostAddress::LocalHost, w.hub().port());
        QVERIFY(companion.waitForConnected(3000));
        QTRY_VERIFY(heard.contains("campeonato:Campeonato Regional de Arrancada 2026@"));

        // Connect the controller port.
        auto* ports = w.findChild<QComboBox*>("SerialCombo");
        ports->setEditText(sim.path);
        button(w, "btnConetaCom")->click();
        QTRY_COMPARE(w.racePair().controllerVersion, QString("4.5"));

        button(w, "btnNova")->click();
        // Two approved entries of category 2 in the open event, loaded by number.
        const auto plates = tdb.sql().execute(
            "select v.PLACA, v.CODIGO from veiculo v join inscricao i on i.COD_VEICULO = v.CODIGO "
            "where i.COD_EVENTO = 2 and i.COD_CATEGORIA = 2 and i.VALIDO = 'S' order by v.CODIGO limit 2");
        QCOMPARE(plates.rowCount(), 2);
        const QString plateA = plates.row(0).at(0).toString(), plateB = plates.row(1).at(0).toString();
        for (Lane lane : {Lane::A, Lane::B}) {
            w.laneLoader().chooseCategory(lane, 2);
            w.screen().setText(lane == Lane::A ? "edtPlacaA" : "edtPlacaB", lane == Lane::A ? plateA : plateB);
            w.laneLoader().lookup(lane);
        }
        QCOMPARE(w.racePair().a.vehicleCode, plates.row(0).at(1).toInt());
        QCOMPARE(w.racePair().b.vehicleCode, plates.row(1).at(1).toInt());
        const int runsBefore = tdb.scalar("select count(*) from resultados where SHARKTANK='N'").toInt();

        // Firmware above 4.3 checks first; the clear finish beams then allow aligning.
        QCOMPARE(button(w, "btnAlinhar")->text(), QString("Check"));
        button(w, "btnAlinhar")->click();
        QTRY_COMPARE(button(w, "btnAlinhar")->text(), QString("Alinhar"));
        button(w, "btnAlinhar")->click();
        QTRY_COMPARE(button(w, "btnAlinhar")->text(), QString("Abortar"));
        QVERIFY(button(w, "btnLargada")->isEnabled());
        button(w, "btnLargada")->click();

        QTRY_VERIFY_WITH_TIMEOUT(heard.contains("Gan"), 15000);
        QCOMPARE(w.screen().text("lblRA"), QString("0.512"));
        QCOMPARE(w.screen().text("lblPistaA"), QString("6.498"));
        QCOMPARE(w.screen().text("lblFA"), QString("7,010"));
        QCOMPARE(w.screen().text("lblStatusA"), QString());
        QTRY_COMPARE(button(w, "btnAlinhar")->text(), QString("Alinhar"));  // "fim"
        QVERIFY(heard.contains("RA:0.512@"));
        QVERIFY(heard.contains("FA:7,010@"));
        QVERIFY(heard.contains("GanhaA:s@"));
        QVERIFY(heard.indexOf("Largada@") < heard.indexOf("RA:0.512@"));

        const QStringList sent = sim.commands();
        const QStringList expected{"reler@", "check@", "ZA " + plateA + "@", "check@", "KA" + plateA + "@",
                                   "KB " + plateB + "@", "alinhar@", "Largada", "start@"};
        int at = 0;
        for (const QString& c : sent)
            if (at < expected.size() && c == expected[at]) ++at;
        QVERIFY2(at == expected.size(), qPrintable(sent.join(u' ')));
        QVERIFY(!QFile::exists(env.home + "logErro.txt"));

        // Save with "Ticket Auto" on the 57 mm printer: both lanes finished,
        // so two slips with the tear-off message between them.
        RecordingReportOutput printed;
        tdb.sql().execute("update configuracao set IMPRESSORA_TICKET='5'");
        dm.qryConfiguracao->refresh();
        button(w, "ckTicketAuto")->click();
        button(w, "btnSalvar")->click();
        QCOMPARE(printed.hows(), QStringList({"print", "print"}));
        QVERIFY(dialogs.messages.contains("Recorte o Ticket"));
        const QString slipA = printed.sent[0].doc.text();
        const QString pilotA = tdb.scalar("select PILOTO from veiculo where PLACA=:p", {{"p", plateA}}).toString();
        for (const QString& expected : QStringList{pilotA, "Pista Esquerda   Bateria: ", "0.512", "6.498", "7,010",
                                        "Total (R+P)", "Reação"})
            QVERIFY2(slipA.contains(expected), qPrintable(expected + " not in\n" + slipA));
        QVERIFY(printed.sent[1].doc.text().contains("Pista Direita   Bateria: "));
        QTemporaryDir pdfDir;
        platform::report::SystemReportOutput().savePdf(printed.sent[0].doc, pdfDir.path() + "/ticketA.pdf");
        const QString pdf = pdfText(pdfDir.path() + "/ticketA.pdf");
        QVERIFY2(pdf.contains(pilotA) && pdf.contains("Reação") && pdf.contains("7,010"), qPrintable(pdf));

        // Save: both runs stored once, with the times the controller reported.
        QVERIFY2(!QFile::exists(env.home + "logErro.txt"), qPrintable(dialogs.messages.join(u'|')));
        QCOMPARE(tdb.scalar("select count(*) from resultados where SHARKTANK='N'").toInt(), runsBefore + 2);
        QCOMPARE(tdb.scalar("select TFINAL from resultados where LADO_PISTA='Esquerda' order by CODIGO desc limit 1").toDouble(),
                 7.010);
        QCOMPARE(tdb.scalar("select STATUS from resultados where LADO_PISTA='Esquerda' order by CODIGO desc limit 1").toString(),
                 QString("Valido"));
        QTRY_VERIFY(heard.contains("salvou:"));
        QVERIFY(!button(w, "btnSalvar")->isEnabled());
        QVERIFY(button(w, "btnNova")->isEnabled());
    }
};

int main(int argc, char** argv) {
    VudApplication app(argc, argv);
    TestRaceEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_race_e2e.moc"
