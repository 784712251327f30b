#include "DemoStation.h"
#include "RecordingReportOutput.h"
#include "UiTest.h"
#include "app/Discovery.h"
#include "app/VudApplication.h"
#include "app/uDM.h"
#include "db/DbError.h"
#include "platform/Clock.h"
#include "db/Query.h"
#include "race/LaneLoader.h"
#include "race/RaceActions.h"
#include "race/uPrincipal.h"

#include <QAbstractButton>
#include <QAction>
#include <QTableView>
#include <QToolButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QNetworkDatagram>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUdpSocket>
#include <QtTest>
#include <memory>

using platform::Dialogs;

namespace {

const QDateTime kSaveTime(QDate(2026, 11, 14), QTime(9, 5, 7));

QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll())
                                       : QStringLiteral("<missing>");
}

bool shown(QWidget* w) {
    return w && !w->isHidden();
}

QStringList captions(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* a : actions)
        if (!a->isSeparator())
            texts << a->text();
    return texts;
}

}  // namespace

class TestPrincipal : public QObject {
    Q_OBJECT

    DemoStation m_st;

    /// A window as start-up makes it; by default a main station was found,
    /// so no question is asked.
    std::unique_ptr<TfrmPrincipal> makeWindow(const QString& serverFound = QStringLiteral("S")) {
        m_st.dm->serverFound = serverFound;
        return std::make_unique<TfrmPrincipal>(m_st.dm.get(), m_st.env);
    }

    template <typename T = QWidget>
    static T* child(TfrmPrincipal& w, const char* name) {
        return w.findChild<T*>(QString::fromLatin1(name));
    }

    void setChampionshipFlags(const QString& bonus, const QString& flying, const QString& jeep,
                              const QString& prosolo) {
        m_st.tdb->sql().execute(
            QStringLiteral("update campeonato set BONUS=:b, LARG_LANCADA=:l, JEEP=:j, PROSOLO=:p "
                           "where CODIGO=1"),
            {{QStringLiteral("b"), bonus},
             {QStringLiteral("l"), flying},
             {QStringLiteral("j"), jeep},
             {QStringLiteral("p"), prosolo}});
        m_st.dm->qryCampeonato->refresh();
    }

    void setSettings(const QVariantMap& columns) {
        for (auto it = columns.cbegin(); it != columns.cend(); ++it)
            m_st.tdb->sql().execute(QStringLiteral("update configuracao set %1=:v").arg(it.key()),
                                 {{QStringLiteral("v"), it.value()}});
        m_st.dm->qryConfiguracao->refresh();
    }

private slots:
    void initTestCase() { m_st.open(); }

    void cleanupTestCase() { m_st.close(); }

    void init() {
        m_st.startTest();
        m_st.env.extraSerialPorts = {QStringLiteral("/tmp/vud-sim-port")};
        platform::Clock::setFixed(kSaveTime);
    }

    void cleanup() {
        platform::Clock::setFixed(QDateTime());
        m_st.endTest();
    }

    /// The station must fit the common 1366x768 laptop screen whole.
    void fitsTheSmallestScreen() {
        auto w = makeWindow();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        const QSize least = w->minimumSizeHint();
        QVERIFY2(least.width() <= 1366 && least.height() <= 768,
                 qPrintable(QStringLiteral("%1x%2").arg(least.width()).arg(least.height())));
        // At that size every toolbar button still shows its whole caption,
        // the longer one of the align button included.
        w->screen().setText(QStringLiteral("btnAlinhar"), QStringLiteral("Alinhar"));
        w->setWindowState(Qt::WindowNoState);
        w->resize(1366, 768);
        QTest::qWait(50);
        QStringList cut;
        for (auto* b : w->findChildren<QToolButton*>())
            if (b->isVisible() && b->width() < b->sizeHint().width())
                cut << QStringLiteral("%1 %2<%3").arg(b->objectName()).arg(b->width()).arg(b->sizeHint().width());
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u' ')));
    }

    /// After "Nova Largada" the lane's vehicle row still holds the last pilot,
    /// but the new, empty pair must not print that name.
    void ticketAfterANewRaceNamesNobody() {
        auto w = makeWindow();
        setSettings({{QStringLiteral("IMPRESSORA_TICKET"), QStringLiteral("8")}});
        const QString plate = m_st.tdb->scalar(QStringLiteral(
            "select v.PLACA from veiculo v join inscricao i on i.COD_VEICULO = v.CODIGO "
            "where i.COD_EVENTO = 2 and i.COD_CATEGORIA = 2 and i.VALIDO = 'S' order by v.CODIGO limit 1")).toString();
        w->laneLoader().chooseCategory(Lane::A, 2);
        w->screen().setText(QStringLiteral("edtPlacaA"), plate);
        w->laneLoader().lookup(Lane::A);
        QVERIFY(w->racePair().a.vehicleCode > 0);
        const QString listed = w->laneLoader().vehicleRow(Lane::A)->text(QStringLiteral("PILOTO"));
        w->raceActions().newRace();
        QCOMPARE(w->racePair().a.vehicleCode, 0);
        QCOMPARE(w->laneLoader().vehicleRow(Lane::A)->text(QStringLiteral("PILOTO")), listed);
        RecordingReportOutput out;
        child<QAbstractButton>(*w, "btnTicket")->click();
        QCOMPARE(out.hows(), QStringList{QStringLiteral("preview")});
        const QString slip = out.sent[0].doc.text();
        QVERIFY(slip.contains(QStringLiteral("ESQUERDA")));
        QVERIFY2(!slip.contains(listed), qPrintable(slip));
    }

    /// The lane's run grid shows times as the lane's figures do: a point and
    /// three decimals.
    void laneGridShowsRaceTimes() {
        auto w = makeWindow();
        const auto entry = m_st.tdb->sql().execute(QStringLiteral(
            "select v.PLACA, v.CODIGO from veiculo v join inscricao i on i.COD_VEICULO = v.CODIGO "
            "where i.COD_EVENTO = 2 and i.COD_CATEGORIA = 2 and i.VALIDO = 'S' order by v.CODIGO limit 1"));
        m_st.tdb->sql().execute(
            QStringLiteral("insert into resultados (COD_EVENTO, COD_CATEGORIA, COD_VEICULO, BATERIA, LADO_PISTA, "
                           "REACAO, TPES, TPISTA, TFINAL, STATUS) values (2, 2, :v, '3', 'Esquerda', 0.5, 1.8123, "
                           "6.5, 7.0, 'Valido')"),
            {{QStringLiteral("v"), entry.row(0).at(1)}});
        w->laneLoader().chooseCategory(Lane::A, 2);
        w->screen().setText(QStringLiteral("edtPlacaA"), entry.row(0).at(0).toString());
        w->laneLoader().lookup(Lane::A);
        auto* grid = child<QTableView>(*w, "dbgResultPilotoA");
        QVERIFY(grid);
        QAbstractItemModel* m = grid->model();
        QVERIFY(m->rowCount() >= 1);
        QStringList row;
        for (int c = 0; c < m->columnCount(); ++c) row << m->index(0, c).data().toString();
        QCOMPARE(row, QStringList({"3", "Esquerda", "0.500", "1.812", "6.500", "7.000", "Valido"}));
        m_st.tdb->sql().execute(QStringLiteral("delete from resultados where BATERIA = '3' and TPES = 1.8123"));
    }

    void creationState() {
        auto w = makeWindow();
        QCOMPARE(w->objectName(), QStringLiteral("frmPrincipal"));
        QCOMPARE(w->appDir, m_st.env.home);
        QCOMPARE(w->racePair().controllerVersion, QStringLiteral("0"));
        QCOMPARE(w->racePair().randomCategory, QStringLiteral("N"));
        QCOMPARE(w->monitorOpen(), QStringLiteral("n"));
        // Only the saved-run folder of the day is made up front.
        QVERIFY(QDir(m_st.env.home + QStringLiteral("log/20261114")).exists());
        QVERIFY(!QDir(m_st.env.home + QStringLiteral("log2")).exists());

        QCOMPARE((QStringList{w->statusPanelText(1), w->statusPanelText(2), w->statusPanelText(3)}),
                 (QStringList{QStringLiteral("VELTRANOX  -  VUD"),
                              QStringLiteral("Suporte técnico da cronometragem"),
                              QStringLiteral("Versão: 3.8.2 - 19/05/2025")}));
        QCOMPARE(child<QLabel>(*w, "pnlStatus0")->width(), 500);

        auto* ports = child<QComboBox>(*w, "SerialCombo");
        QVERIFY(ports->findText(QStringLiteral("/tmp/vud-sim-port")) >= 0);
        QCOMPARE(ports->currentText(), QStringLiteral("> Selecione <"));

        auto* ping = child<QTimer>(*w, "tmrPingMysql");
        QVERIFY(ping && ping->isActive());
        QCOMPARE(ping->interval(), 30000);
    }

    void mainComputerQuestion_data() {
        QTest::addColumn<QString>("serverFound");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QString>("rede");
        QTest::addColumn<QString>("mainStation");
        QTest::newRow("nobody answered, operator says yes")
            << "N" << int(Dialogs::Yes) << true << "Server"
            << "S";
        QTest::newRow("nobody answered, operator says no")
            << "N" << int(Dialogs::No) << true << "...."
            << "N";
        QTest::newRow("a main station answered") << "S" << 0 << false << "Cliente"
                                                 << "N";
    }
    void mainComputerQuestion() {
        QFETCH(QString, serverFound);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(QString, rede);
        QFETCH(QString, mainStation);
        m_st.dm->isMainStation = QStringLiteral("S");  // left over: creation must reset it
        if (answer)
            m_st.dialogs->answer(Dialogs::Button(answer));

        auto w = makeWindow(serverFound);

        QCOMPARE(m_st.dialogs->asked.size(), asked ? 1 : 0);
        if (asked) {
            const ScriptedDialogs::Asked& q = m_st.dialogs->asked.first();
            QCOMPARE(q.caption, QStringLiteral("Ativar Servidor"));
            QCOMPARE(q.text, QStringLiteral("Computador Principal ??"));
            QCOMPARE(q.icon, Dialogs::Icon::Exclamation);
            QCOMPARE(q.buttons, Dialogs::Yes | Dialogs::No);
            QCOMPARE(q.defaultButton, Dialogs::Yes);
        }
        QCOMPARE(child<QLabel>(*w, "lblRede")->text(), rede);
        QCOMPARE(m_st.dm->isMainStation, mainStation);
        auto* responder = w->findChild<DiscoveryResponder*>(QStringLiteral("UDPServer"));
        QVERIFY(responder);
        QCOMPARE(responder->isActive(), mainStation == QStringLiteral("S"));
    }

    void mainStationAnswersWithTheAddressKnownAtActivation() {
        m_st.dm->serverAddress.clear();  // start-up settles it only after creating the window
        m_st.dialogs->answer(Dialogs::Yes);
        auto w = makeWindow(QStringLiteral("N"));
        m_st.dm->serverAddress = QStringLiteral("192.168.0.7");
        w->applyActivation();

        QUdpSocket station;
        QVERIFY(station.bind(QHostAddress(QHostAddress::LocalHost), 0));
        station.writeDatagram(QByteArrayLiteral("PING"), QHostAddress(QHostAddress::LocalHost),
                              m_st.env.discoveryPort);
        QTRY_VERIFY(station.hasPendingDatagrams());
        QCOMPARE(station.receiveDatagram().data(), QByteArrayLiteral("192.168.0.7"));
    }

    void errorHandlerWritesTheWholeRunLog() {
        auto w = makeWindow();
        w->runLog.append(QStringLiteral("09:05:01#Alinhar"));
        w->ManipulaExcecoes(QStringLiteral("Falha A"));
        w->ManipulaExcecoes(QStringLiteral("Falha B"));

        QCOMPARE(w->statusPanelText(0), QStringLiteral("Falha B"));
        // The file is replaced each time with everything logged so far.
        QCOMPARE(readAll(m_st.env.home + QStringLiteral("logErro.txt")),
                 QStringLiteral("09:05:01#Alinhar\nFalha A\nFalha B\n"));
        QCOMPARE(w->runLog.lines().size(), 3);
        QVERIFY(m_st.dialogs->asked.isEmpty());
    }

    void errorHandlerSurvivesAnUnwritableLog() {
        auto w = makeWindow();
        QVERIFY(QDir().mkpath(m_st.env.home + QStringLiteral("logErro.txt")));  // a folder in the way
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("logErro\\.txt")));
        w->ManipulaExcecoes(QStringLiteral("Disco cheio"));
        QCOMPARE(w->statusPanelText(0), QStringLiteral("Disco cheio"));
        QCOMPARE(w->runLog.lines(), QStringList{QStringLiteral("Disco cheio")});
    }

    void errorEscapingAnEventHandlerReachesTheWindow() {
        auto w = makeWindow();
        QTimer::singleShot(0, w.get(), [] {
            throw db::DbError(QStringLiteral("Lost connection to server during query"), 2013);
        });
        QTRY_COMPARE(w->statusPanelText(0),
                     QStringLiteral("Lost connection to server during query"));
        QCOMPARE(readAll(m_st.env.home + QStringLiteral("logErro.txt")),
                 QStringLiteral("Lost connection to server during query\n"));

        // The program goes on: later events are still handled.
        bool later = false;
        QTimer::singleShot(0, w.get(), [&later] { later = true; });
        QTRY_VERIFY(later);
    }

    void runLogFiles_data() {
        QTest::addColumn<bool>("stop");
        QTest::addColumn<QString>("folder");
        QTest::newRow("saved run") << false << "log/20261114/";
        QTest::newRow("controller stop") << true << "log2/20261114/";
    }
    void runLogFiles() {
        QFETCH(bool, stop);
        QFETCH(QString, folder);
        auto w = makeWindow();
        auto write = [&] { return stop ? w->writeStopLog() : w->writeRunLog(); };

        w->runLog.appendTimed(QStringLiteral("RA0.512"));
        w->runLog.appendTimed(QStringLiteral("BTN-Salvar!"));
        const QString path = write();
        QCOMPARE(path, m_st.env.home + folder + QStringLiteral("20261114-090507.txt"));
        QCOMPARE(readAll(path), QStringLiteral("09:05:07#RA0.512\n09:05:07#BTN-Salvar!\n"));
        QCOMPARE(w->runLog.isEmpty(), !stop);

        // A second file within the same second takes the same name and replaces the first.
        w->runLog.clear();
        w->runLog.append(QStringLiteral("segunda"));
        QCOMPARE(write(), path);
        QCOMPARE(readAll(path), QStringLiteral("segunda\n"));
        QCOMPARE(QDir(m_st.env.home + folder).count(), 3u);  // ".", ".." and the one file
    }

    void savePastMidnightUsesTheNewDayAndAFailureKeepsTheLog() {
        auto w = makeWindow();
        platform::Clock::setFixed(kSaveTime.addDays(1));
        w->runLog.append(QStringLiteral("00:01:00#fim"));
        QCOMPARE(w->writeRunLog(), m_st.env.home + QStringLiteral("log/20261115/20261115-090507.txt"));

        // A day folder that cannot be made fails the save without losing the lines.
        platform::Clock::setFixed(kSaveTime.addDays(2));
        QFile blocker(m_st.env.home + QStringLiteral("log/20261116"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        w->runLog.append(QStringLiteral("00:02:00#fim"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, w->writeRunLog());
        QCOMPARE(w->runLog.lines(), QStringList{QStringLiteral("00:02:00#fim")});
    }

    void activationRules_data() {
        QTest::addColumn<QString>("bonus");
        QTest::addColumn<QString>("flying");
        QTest::addColumn<QString>("jeep");
        QTest::addColumn<QString>("prosolo");
        QTest::addColumn<QString>("split1");
        QTest::addColumn<QString>("split2");
        QTest::addColumn<QString>("sixtyCaption");
        QTest::newRow("plain") << "N"
                               << "N"
                               << "N"
                               << "N"
                               << "100M"
                               << "201M"
                               << "60 Ft";
        QTest::newRow("bonus") << "S"
                               << "N"
                               << "N"
                               << "N"
                               << "50M"
                               << "100M"
                               << "60 Ft";
        QTest::newRow("flying start") << "N"
                                      << "S"
                                      << "N"
                                      << "N"
                                      << "201M"
                                      << "402M"
                                      << "Vel. Inic";
        QTest::newRow("jeep") << "N"
                              << "N"
                              << "S"
                              << "N"
                              << "100M"
                              << "201M"
                              << "60 Ft";
        QTest::newRow("prosolo") << "N"
                                 << "N"
                                 << "N"
                                 << "S"
                                 << "100M"
                                 << "201M"
                                 << "60 Ft";
        QTest::newRow("all") << "S"
                             << "S"
                             << "S"
                             << "S"
                             << "50M"
                             << "402M"
                             << "Vel. Inic";
    }
    void activationRules() {
        QFETCH(QString, bonus);
        QFETCH(QString, flying);
        QFETCH(QString, jeep);
        QFETCH(QString, prosolo);
        QFETCH(QString, split1);
        QFETCH(QString, split2);
        QFETCH(QString, sixtyCaption);
        auto w = makeWindow();
        // First the opposite championship, so every rule has to undo as well as do.
        const auto flip = [](const QString& f) {
            return f == u"S" ? QStringLiteral("N") : QStringLiteral("S");
        };
        setChampionshipFlags(flip(bonus), flip(flying), flip(jeep), flip(prosolo));
        setSettings({{QStringLiteral("S_50M"), QStringLiteral("X")},
                     {QStringLiteral("S_100M"), QStringLiteral("Y")}});
        w->applyActivation();
        setChampionshipFlags(bonus, flying, jeep, prosolo);
        setSettings({{QStringLiteral("S_50M"), split1}, {QStringLiteral("S_100M"), split2}});
        child<QLineEdit>(*w, "edtPenalAProsolo")->setText(QStringLiteral("7"));
        m_st.dm->serverAddress = QStringLiteral("192.168.2.20");
        w->applyActivation();

        for (const char* name : {"edtBonusA", "edtPenalA", "edtBonusB", "edtPenalB"}) {
            QCOMPARE(child<QLineEdit>(*w, name)->isEnabled(), bonus == u"S");
            QCOMPARE(child<QLineEdit>(*w, name)->text(), QStringLiteral("0"));
        }
        QVERIFY(!shown(child(*w, "pnlSomas")));
        QCOMPARE(child<QLabel>(*w, "lbl60")->text(), sixtyCaption);
        QCOMPARE(child<QLabel>(*w, "lbl50m")->text(), split1);
        QCOMPARE(child<QLabel>(*w, "lbl100m")->text(), split2);

        const bool isJeep = jeep == u"S";
        for (const char* name : {"lblVersaoJeep", "btnTrocaPista", "lblSomaA", "lblSomaB"})
            QVERIFY2(shown(child(*w, name)) == isJeep, name);
        for (const char* name :
             {"lblPista", "lblVel", "lbl50m", "lbl100m", "lbl60", "lbl50A", "lbl50B", "lbl100A",
              "lbl100B", "lblPA", "lblPB", "lblPistaA", "lblPistaB", "lblVA", "lblVB"})
            QVERIFY2(shown(child(*w, name)) != isJeep, name);
        for (const char* name : {"lblRA", "lblRB", "lblFA", "lblFB"})
            QVERIFY2(shown(child(*w, name)), name);
        QCOMPARE(child<QAction>(*w, "mnuTemposJeep")->isVisible(), isJeep);

        const bool isProsolo = prosolo == u"S";
        QCOMPARE(child<QLineEdit>(*w, "edtPenalAProsolo")->text(), QStringLiteral("0"));
        QCOMPARE(shown(child(*w, "edtPenalAProsolo")), isProsolo);
        QCOMPARE(shown(child(*w, "imgProsolo")), isProsolo);
        QCOMPARE(shown(child(*w, "imgDuasPistas")), !isProsolo);
        QCOMPARE(child<QLabel>(*w, "lblParcAD")->text(),
                 isProsolo ? QStringLiteral("PENALIZAR") : QStringLiteral("---"));

        QCOMPARE(w->statusPanelText(4), QStringLiteral("192.168.2.20"));
    }

    void showRules_data() {
        QTest::addColumn<QVariant>("equipment");
        QTest::addColumn<QString>("random");
        QTest::addColumn<QString>("label");
        QTest::newRow("veltranox") << QVariant(QStringLiteral("V")) << "N"
                                   << "VELTRANOX";
        QTest::newRow("other letter") << QVariant(QStringLiteral("U")) << "S"
                                      << "VUD";
        QTest::newRow("never chosen") << QVariant() << "N"
                                      << "VUD";
    }
    void showRules() {
        QFETCH(QVariant, equipment);
        QFETCH(QString, random);
        QFETCH(QString, label);
        setSettings({{QStringLiteral("EQUIPAMENTO"), equipment}});
        auto w = makeWindow();
        w->racePair().randomCategory = random;
        w->applyShow();

        QCOMPARE(
            w->windowTitle(),
            QStringLiteral("VELTRANOX & VUD | Campeonato Regional de Arrancada 2026 - 2ª Etapa"));
        QCOMPARE(child<QLabel>(*w, "lblEquip")->text(), label);
        QCOMPARE(shown(child(*w, "imgCatAleOn")), random == u"S");
        QCOMPARE(shown(child(*w, "imgCatAleOff")), random == u"N");
    }

    void showAndActivationRunOnTheirOwnEvents() {
        setChampionshipFlags(QStringLiteral("N"), QStringLiteral("N"), QStringLiteral("N"),
                             QStringLiteral("N"));
        m_st.dm->serverAddress = QStringLiteral("192.168.33.4");
        auto w = makeWindow();
        w->show();
        QVERIFY(w->windowTitle().startsWith(QStringLiteral("VELTRANOX & VUD | ")));
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QTRY_COMPARE(w->statusPanelText(4), QStringLiteral("192.168.33.4"));
    }

    void menu() {
        setChampionshipFlags(QStringLiteral("N"), QStringLiteral("N"), QStringLiteral("N"),
                             QStringLiteral("N"));
        auto w = makeWindow();
        w->applyActivation();  // outside jeep it enables "Classificação", once that window exists

        QMenuBar* bar = w->menuBar();
        QCOMPARE(captions(bar->actions()),
                 (QStringList{QStringLiteral("Cadastros"), QStringLiteral("Relatorios"),
                              QStringLiteral("Listas"), QStringLiteral("Configurações"),
                              QStringLiteral("Sobre")}));
        auto menu = [&](const char* name) {
            return w->findChild<QMenu*>(QString::fromLatin1(name));
        };
        QCOMPARE(captions(menu("mnuCadastros")->actions()),
                 (QStringList{QStringLiteral("Veiculos"), QStringLiteral("Categorias"),
                              QStringLiteral("Mata-Mata Class"), QStringLiteral("Mata-Mata"),
                              QStringLiteral("Eventos"), QStringLiteral("Campeonatos"),
                              QStringLiteral("Ajustes Piloto"), QStringLiteral("Dados Equip.")}));
        QCOMPARE(
            captions(menu("mnuRelatorios")->actions()),
            (QStringList{
                QStringLiteral("Classificação"), QStringLiteral("Tempos do Piloto"),
                QStringLiteral("Tempos Treinos"), QStringLiteral("Pilotos por Categoria"),
                QStringLiteral("Imprimir Categorias"), QStringLiteral("OnTarget"),
                QStringLiteral("Separar Pilotos por Tempo"), QStringLiteral("Rank Largadas"),
                QStringLiteral("Tempos Jeep"), QStringLiteral("Melhores"),
                QStringLiteral("Classificação por Velocidade"), QStringLiteral("Desclassificações"),
                QStringLiteral("Imagem Tempo Veiculo"), QStringLiteral("Records"),
                QStringLiteral("Resumo do Evento"), QStringLiteral("Imagem Tempo Videos")}));
        QCOMPARE(captions(menu("mnuResumoEvento")->actions()),
                 (QStringList{QStringLiteral("Informações Gerais"), QStringLiteral("Pilotos")}));
        QCOMPARE(captions(menu("mnuListas")->actions()),
                 (QStringList{QStringLiteral("Rodadas"), QStringLiteral("Shark Tank")}));

        // Entries whose window does not exist yet must not be clickable; those
        // with a window are, and the two that never opened anything are too.
        const QSet<QString> noOp{QStringLiteral("mnuResumoPilotos"),
                                 QStringLiteral("mnuSharkTank")};
        const QSet<QString> withWindow{QStringLiteral("mnuCampeonatos"), QStringLiteral("mnuEventos"),
                                       QStringLiteral("mnuDadosEquip"), QStringLiteral("mnuSobre"),
                                       QStringLiteral("mnuCategorias"), QStringLiteral("mnuVeiculos")};
        int entries = 0;
        for (QAction* a : w->findChildren<QAction*>()) {
            if (!a->objectName().startsWith(QStringLiteral("mnu")) || a->menu())
                continue;
            ++entries;
            if (withWindow.contains(a->objectName()))
                continue;  // bound as their windows come; each window's tests open it
            QVERIFY2(a->isEnabled() == noOp.contains(a->objectName()), qPrintable(a->objectName()));
        }
        QCOMPARE(entries, 29);
        for (const QString& name : noOp) w->findChild<QAction*>(name)->trigger();
        QVERIFY(m_st.dialogs->asked.isEmpty());
    }

    void keepAliveClosesADeadSessionQuietly() {
        auto w = makeWindow();
        db::Connection& c = m_st.dm->connection();
        c.execute(QStringLiteral("select 1"));
        const quint64 session = c.threadId();
        auto* timer = child<QTimer>(*w, "tmrPingMysql");

        QMetaObject::invokeMethod(timer, "timeout");
        QVERIFY(c.isOpen());
        QCOMPARE(c.threadId(), session);

        m_st.tdb->sql().execute(QStringLiteral("KILL ") + QString::number(session));
        QMetaObject::invokeMethod(timer, "timeout");
        QVERIFY(!c.isOpen());
        QCOMPARE(w->statusPanelText(0), QString());
        QVERIFY(m_st.dialogs->asked.isEmpty());
    }
};

int main(int argc, char** argv) {
    // The application object that catches errors escaping event handlers.
    VudApplication app(argc, argv);
    TestPrincipal test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_principal.moc"
