#include "uPrincipal.h"

#include "app/Discovery.h"
#include "app/VudApplication.h"
#include "app/uDM.h"
#include "core/StationInfo.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "race/ClickableLabel.h"
#include "race/ControllerProtocol.h"
#include "race/HubClient.h"
#include "race/MessageHub.h"
#include "race/uMonitor2.h"
#include "app/uBuscaCateg.h"
#include "race/LaneBinder.h"
#include "race/LaneLoader.h"
#include "race/LaneView.h"
#include "race/PortComboBox.h"
#include "race/RaceActions.h"
#include "race/RunRecorder.h"
#include "race/RaceButton.h"
#include "race/RacePanel.h"
#include "race/RaceToolBar.h"
#include "race/ScreenBinder.h"
#include "race/SerialLink.h"
#include "race/StartTree.h"
#include "registration/uCadCampeonatos.h"
#include "registration/uCadCategoria.h"
#include "registration/uCadEvento.h"
#include "registration/uCadVeiculo.h"
#include "registration/uOrganizador.h"
#include "registration/uSobre.h"

#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <exception>

using platform::Dialogs;

namespace {

const QString kYes = QStringLiteral("S");

QAction* menuEntry(QMenu* menu, const QString& name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    action->setEnabled(false);  // until its window exists and is bound
    return action;
}

QMenu* subMenu(QWidget* owner, const QString& name, const QString& title) {
    auto* menu = new QMenu(title, owner);
    menu->setObjectName(name);
    return menu;
}

}  // namespace

TfrmPrincipal::TfrmPrincipal(DM* dm, const platform::StationEnvironment& env, QWidget* parent)
    : QMainWindow(parent),
      m_dm(dm),
      m_env(env),
      m_link(new SerialLink(14400, this)),
      m_hub(new MessageHub(this)),
      m_hubClient(new HubClient(this)),
      m_monitorWindows(new ResultsMonitorWindows(this)),
      m_raceData(dm),
      m_ctx{m_pair,      m_screen,  *m_link,
            *m_hubClient, *m_monitorWindows, runLog,
            m_raceData,  m_pause,   [this] { writeStopLog(); }},
      m_protocol(new ControllerProtocol(m_ctx, this)),
      m_actions(new RaceActions(m_ctx, this)),
      m_panel(new RacePanel),
      m_udpServer(new DiscoveryResponder(this)),
      m_tmrPingMysql(new QTimer(this)),
      m_tmrLogView(new QTimer(this)) {
    setObjectName(QStringLiteral("frmPrincipal"));
    setCentralWidget(m_panel);
    buildMenu();
    buildStatusBar();
    // The chrome's rules name the menu bar, the menus and the status bar
    // only, so dialogs opened over this window keep the system's look.
    QFile chrome(QStringLiteral(":/ui/chrome.qss"));
    if (chrome.open(QIODevice::ReadOnly))
        setStyleSheet(QString::fromUtf8(chrome.readAll()));
    // The race desk is the station's screen: it takes the whole of it.
    resize(1366, 768);
    setWindowState(windowState() | Qt::WindowMaximized);
    m_udpServer->setObjectName(QStringLiteral("UDPServer"));
    bindScreen();
    wireRace();

    VudApplication::setErrorHandler([this](const QString& message) { ManipulaExcecoes(message); });
    m_dm->isMainStation = QStringLiteral("N");
    appDir = env.home;
    askMainComputer();
    fillSerialPorts();
    QDir().mkpath(RunLog::dayFolder(appDir, QStringLiteral("log"), platform::Clock::today()));

    // Without traffic the server drops an idle session after its wait timeout;
    // a ping now and then keeps it, so a run is not the first to notice.
    m_tmrPingMysql->setObjectName(QStringLiteral("tmrPingMysql"));
    m_tmrPingMysql->setInterval(30000);
    connect(m_tmrPingMysql, &QTimer::timeout, this, &TfrmPrincipal::pingDatabase);
    m_tmrPingMysql->start();

    // Function keys act from whatever control has the focus.
    qApp->installEventFilter(this);
}

TfrmPrincipal::~TfrmPrincipal() {
    qApp->removeEventFilter(this);
    // These work on the race pair and the screen model, which go before the
    // window's children would; they go first.
    delete m_binder;
    delete m_laneBinder;
    delete m_recorder;
    delete m_laneLoader;
    delete m_actions;
    delete m_protocol;
    m_udpServer->deactivate();
    // The handler points at this window; errors after it go back to the default.
    VudApplication::setErrorHandler({});
}

/// The screen model becomes the single source of what the race desk shows:
/// the layout's own texts first, then the idle race screen, rendered at once.
void TfrmPrincipal::bindScreen() {
    m_binder = new ScreenBinder(m_screen, this, this);
    // The station's own indicators are not race items; the window sets them.
    m_binder->seedFrom(m_panel, {QStringLiteral("SerialCombo"), QStringLiteral("lblRede"),
                                 QStringLiteral("lblEquip")});
    resetRaceScreen(m_screen);
    m_binder->renderAll();
}

/// The controller's line, the operator's buttons, pictures and keys, to the
/// protocol and the race actions.
void TfrmPrincipal::wireRace() {
    // Queued: each read is decoded from an event of its own, so a bad payload
    // escapes to the error handler from there and not through the port's
    // read notification, which would stay blocked for every later read.
    connect(
        m_link, &SerialLink::received, m_protocol,
        [this](const QByteArray& bytes) { m_protocol->receive(bytes); }, Qt::QueuedConnection);
    connect(m_link, &SerialLink::lost, this, [this](const QString& error) {
        // The port is closed by now; the operator reconnects with the button.
        m_screen.setEnabled(QStringLiteral("btnConetaCom"), true);
        ManipulaExcecoes(error);
    });
    m_protocol->onStartReceived = [this] { m_actions->startReceived(); };
    m_actions->hooks.focusPlate = [this](Lane lane) {
        LaneView* view = lane == Lane::A ? m_panel->laneA : m_panel->laneB;
        view->plate->setFocus();
    };

    // Lane loading: the rules in the loader, the lane widgets bound to it.
    m_laneLoader = new LaneLoader(m_ctx, *m_dm, this);
    m_laneLoader->pickCategory = [this] {
        TfrmBuscaCateg picker(m_dm, this);
        picker.exec();
        return picker.chosenCode();
    };
    m_laneBinder = new LaneBinder(*m_laneLoader, m_screen, *m_dm, m_panel->laneA, m_panel->laneB, this, this);
    m_actions->hooks.chooseCategory = [this](Lane lane) { m_laneLoader->searchCategory(lane); };
    m_actions->hooks.reopenPilotLists = [this] { m_laneLoader->reopenPilotLists(); };
    m_actions->hooks.closePilotLists = [this] { m_laneLoader->closePilotLists(); };
    m_actions->hooks.loadVehicle = [this](Lane lane, int vehicleCode) {
        m_laneLoader->loadVehicle(lane, vehicleCode);
    };

    // The save: the recorder stores the pair from what the lanes loaded.
    m_recorder = new RunRecorder(m_ctx, *m_dm, this);
    m_recorder->hooks.laneRecord = [this](Lane lane) {
        return RunRecorder::laneRecordOf(m_laneLoader->vehicleRow(lane),
                                         m_laneLoader->categoryRecord(lane));
    };
    m_recorder->hooks.refreshRuns = [this](Lane lane) { m_laneLoader->refreshRuns(lane); };
    m_recorder->hooks.writeRunLog = [this] { writeRunLog(); };
    connect(m_recorder, &RunRecorder::focusRequested, this, [this](const QString& name) {
        if (auto* w = findChild<QWidget*>(name)) w->setFocus();
    });
    m_actions->hooks.save = [this] { m_recorder->save(); };

    // Tickets print what the window shows at the moment they are asked for.
    m_tickets = std::make_unique<TicketPrinter>(
        *m_dm, m_pair, m_screen, [this](Lane lane) -> const db::Query* { return m_laneLoader->vehicleRow(lane); },
        m_env.home);
    m_actions->hooks.printTicket80 = [this] { m_tickets->print80(); };
    m_actions->hooks.printTicket57 = [this](Lane lane) { m_tickets->print57(lane); };
    m_actions->hooks.previewTicket80 = [this] { m_tickets->preview80(this); };
    m_recorder->hooks.printTicket = [this] { m_actions->printTickets(); };

    RaceToolBar* bar = m_panel->toolBar;
    RaceActions* a = m_actions;
    connect(bar->btnNova, &QAbstractButton::clicked, a, &RaceActions::newRace);
    connect(bar->btnAlinhar, &QAbstractButton::clicked, a, &RaceActions::align);
    connect(bar->btnLargada, &QAbstractButton::clicked, a, &RaceActions::start);
    connect(bar->btnSalvar, &QAbstractButton::clicked, a, [a] { a->hooks.save(); });
    connect(bar->btnCancelar, &QAbstractButton::clicked, a, &RaceActions::cancel);
    connect(bar->btnLerDados, &QAbstractButton::clicked, a, &RaceActions::readData);
    connect(bar->ToolButton3, &QAbstractButton::clicked, a, &RaceActions::check);
    connect(bar->btnFecharPista, &QAbstractButton::clicked, a, &RaceActions::closeTrack);
    connect(bar->btnTrocaPista, &QAbstractButton::clicked, a, &RaceActions::swapLanes);
    connect(bar->btnMiniPlacar, &QAbstractButton::clicked, this, &TfrmPrincipal::openMonitor);
    connect(bar->btnTicket, &QAbstractButton::clicked, a, &RaceActions::printTicketsFromToolbar);
    connect(m_hub, &MessageHub::clientConnected, this, &TfrmPrincipal::greetCompanion);
    connect(m_hub, &MessageHub::clientDropped, this,
            [this](const QString& reason) { runLog.appendTimed(reason); });
    connect(m_hub, &MessageHub::whatsAppStatus, this, &TfrmPrincipal::whatsAppStatus);
    connect(m_hubClient, &HubClient::received, this, &TfrmPrincipal::noteHubText);
    connect(m_panel->btnContagem, &QAbstractButton::clicked, a, &RaceActions::toggleCountdown);
    for (ClickableLabel* picture :
         {m_panel->imgAutoStartOn, m_panel->imgAutoStartOff, m_panel->imgPlacarOn,
          m_panel->imgPlacarOff, m_panel->imgCatAleOn, m_panel->imgCatAleOff, m_panel->Image6})
        connect(picture, &ClickableLabel::clicked, a,
                [a, picture] { a->clickPicture(picture->objectName()); });

    connect(bar->btnConetaCom, &QAbstractButton::clicked, this, &TfrmPrincipal::connectController);
    connect(m_panel->tree->treeMode, &ClickableLabel::doubleClicked, this,
            &TfrmPrincipal::disconnectController);
    connect(bar->Image5, &ClickableLabel::doubleClicked, this,
            &TfrmPrincipal::disconnectController);
    bar->SerialCombo->beforePopup = [this] { fillSerialPorts(); };

    for (LaneView* lane : {m_panel->laneA, m_panel->laneB})
        connect(lane->picture, &ClickableLabel::doubleClicked, this,
                &TfrmPrincipal::toggleRunLogView);
    m_tmrLogView->setInterval(500);
    connect(m_tmrLogView, &QTimer::timeout, this, &TfrmPrincipal::refreshRunLogView);
}

void TfrmPrincipal::buildMenu() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mnuPrincipal"));

    QMenu* cadastros = subMenu(this, QStringLiteral("mnuCadastros"), QStringLiteral("Cadastros"));
    m_menu.veiculos =
        menuEntry(cadastros, QStringLiteral("mnuVeiculos"), QStringLiteral("Veiculos"));
    m_menu.categorias =
        menuEntry(cadastros, QStringLiteral("mnuCategorias"), QStringLiteral("Categorias"));
    m_menu.mataMataClass =
        menuEntry(cadastros, QStringLiteral("mnuMataMataClass"), QStringLiteral("Mata-Mata Class"));
    m_menu.mataMata =
        menuEntry(cadastros, QStringLiteral("mnuMataMata"), QStringLiteral("Mata-Mata"));
    m_menu.eventos = menuEntry(cadastros, QStringLiteral("mnuEventos"), QStringLiteral("Eventos"));
    m_menu.campeonatos =
        menuEntry(cadastros, QStringLiteral("mnuCampeonatos"), QStringLiteral("Campeonatos"));
    m_menu.ajustesPiloto =
        menuEntry(cadastros, QStringLiteral("mnuAjustesPiloto"), QStringLiteral("Ajustes Piloto"));
    m_menu.dadosEquip =
        menuEntry(cadastros, QStringLiteral("mnuDadosEquip"), QStringLiteral("Dados Equip."));
    bar->addMenu(cadastros);

    QMenu* relatorios =
        subMenu(this, QStringLiteral("mnuRelatorios"), QStringLiteral("Relatorios"));
    m_menu.classificacao =
        menuEntry(relatorios, QStringLiteral("mnuClassificacao"), QStringLiteral("Classificação"));
    m_menu.temposPiloto = menuEntry(relatorios, QStringLiteral("mnuTemposPiloto"),
                                    QStringLiteral("Tempos do Piloto"));
    m_menu.temposTreinos =
        menuEntry(relatorios, QStringLiteral("mnuTemposTreinos"), QStringLiteral("Tempos Treinos"));
    m_menu.pilotosCategoria = menuEntry(relatorios, QStringLiteral("mnuPilotosCategoria"),
                                        QStringLiteral("Pilotos por Categoria"));
    m_menu.imprimirCategorias = menuEntry(relatorios, QStringLiteral("mnuImprimirCategorias"),
                                          QStringLiteral("Imprimir Categorias"));
    m_menu.onTarget =
        menuEntry(relatorios, QStringLiteral("mnuOnTarget"), QStringLiteral("OnTarget"));
    m_menu.separarPilotos = menuEntry(relatorios, QStringLiteral("mnuSepararPilotos"),
                                      QStringLiteral("Separar Pilotos por Tempo"));
    m_menu.rankLargadas =
        menuEntry(relatorios, QStringLiteral("mnuRankLargadas"), QStringLiteral("Rank Largadas"));
    m_menu.temposJeep =
        menuEntry(relatorios, QStringLiteral("mnuTemposJeep"), QStringLiteral("Tempos Jeep"));
    m_menu.melhores =
        menuEntry(relatorios, QStringLiteral("mnuMelhores"), QStringLiteral("Melhores"));
    m_menu.classifVelocidade = menuEntry(relatorios, QStringLiteral("mnuClassifVelocidade"),
                                         QStringLiteral("Classificação por Velocidade"));
    m_menu.desclassificacoes = menuEntry(relatorios, QStringLiteral("mnuDesclassificacoes"),
                                         QStringLiteral("Desclassificações"));
    m_menu.imgTempoVeiculo = menuEntry(relatorios, QStringLiteral("mnuImgTempoVeiculo"),
                                       QStringLiteral("Imagem Tempo Veiculo"));
    m_menu.records = menuEntry(relatorios, QStringLiteral("mnuRecords"), QStringLiteral("Records"));
    QMenu* resumo =
        subMenu(relatorios, QStringLiteral("mnuResumoEvento"), QStringLiteral("Resumo do Evento"));
    m_menu.infoGerais =
        menuEntry(resumo, QStringLiteral("mnuInfoGerais"), QStringLiteral("Informações Gerais"));
    m_menu.resumoPilotos =
        menuEntry(resumo, QStringLiteral("mnuResumoPilotos"), QStringLiteral("Pilotos"));
    relatorios->addMenu(resumo);
    m_menu.imgTempoVideos = menuEntry(relatorios, QStringLiteral("mnuImgTempoVideos"),
                                      QStringLiteral("Imagem Tempo Videos"));
    bar->addMenu(relatorios);

    QMenu* listas = subMenu(this, QStringLiteral("mnuListas"), QStringLiteral("Listas"));
    m_menu.rodadas = menuEntry(listas, QStringLiteral("mnuRodadas"), QStringLiteral("Rodadas"));
    m_menu.sharkTank =
        menuEntry(listas, QStringLiteral("mnuSharkTank"), QStringLiteral("Shark Tank"));
    bar->addMenu(listas);

    m_menu.configuracoes = bar->addAction(QStringLiteral("Configurações"));
    m_menu.configuracoes->setObjectName(QStringLiteral("mnuConfiguracoes"));
    m_menu.configuracoes->setEnabled(false);
    m_menu.sobre = bar->addAction(QStringLiteral("Sobre"));
    m_menu.sobre->setObjectName(QStringLiteral("mnuSobre"));
    m_menu.sobre->setEnabled(false);

    // These two entries have never opened anything; they stay clickable.
    bindMenu(m_menu.resumoPilotos, [] {});
    bindMenu(m_menu.sharkTank, [] {});

    // Registration windows live while shown; the shared rows behind what they
    // changed are read again, so the desk shows the changes (and a row left
    // in edit there is dropped).
    bindMenu(m_menu.campeonatos, [this] {
        TfrmCadCampeonato(m_dm, this).exec();
        m_dm->qryCampeonato->refresh();
    });
    bindMenu(m_menu.eventos, [this] {
        TfrmCadEvento(m_dm, appDir, this).exec();
        m_dm->qryEvento->refresh();
    });
    bindMenu(m_menu.dadosEquip, [this] {
        TfrmOrganizador(m_dm, appDir, this).exec();
        m_dm->qryOrganizador->refresh();
    });
    // The category window edits the data module's own category query; race
    // control reads the categories and the shark-tank list again once it is
    // gone (which also drops a row left pending there).
    bindMenu(m_menu.categorias, [this] {
        TfrmCadCategoria(m_dm, this).exec();
        for (db::Query* q : {m_dm->qryCategoria, m_dm->qryVerShark}) {
            q->close();
            q->open();
        }
    });
    bindMenu(m_menu.veiculos,
             [this] { TfrmCadVeiculo::showModal(m_dm, appDir, this); });
    bindMenu(m_menu.sobre, [this] { TfrmSobre(this).exec(); });
}

/// Enables `action` and makes it call `open`, which shows its window modally
/// and does whatever must follow its closing.
void TfrmPrincipal::bindMenu(QAction* action, std::function<void()> open) {
    m_bound.insert(action);
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [open = std::move(open)] { open(); });
}

void TfrmPrincipal::buildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("stbPrincipal"));
    const int widths[] = {500, 150, 350, 150, 50};
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("pnlStatus%1").arg(i));
        // The widths were set for another platform's fonts: the message panel
        // keeps its width, the others grow to show their whole text.
        if (i == 0)
            panel->setFixedWidth(widths[i]);
        else
            panel->setMinimumWidth(widths[i]);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addWidget(panel);
        m_status[i] = panel;
    }
    m_status[1]->setText(station::brandText());
    m_status[2]->setText(station::contactText());
    m_status[3]->setText(station::versionText());
}

void TfrmPrincipal::askMainComputer() {
    if (m_dm->serverFound == kYes) {
        m_panel->toolBar->lblRede->setText(QStringLiteral("Cliente"));
        return;
    }
    if (m_dm->serverFound != QStringLiteral("N"))
        return;
    const Dialogs::Button answer = platform::dialogs().ask(
        QStringLiteral("Ativar Servidor"), QStringLiteral("Computador Principal ??"),
        Dialogs::Icon::Exclamation, Dialogs::Yes | Dialogs::No, Dialogs::Yes, this);
    if (answer != Dialogs::Yes)
        return;
    m_udpServer->setAnswer(m_dm->serverAddress);
    // This PC holds the database whatever the responder does; a taken port
    // only means the other stations will not find it, which the operator
    // must be told.
    if (!m_udpServer->activate(m_env.discoveryPort))
        ManipulaExcecoes(QStringLiteral("UDPServer: ") + m_udpServer->errorString());
    m_panel->toolBar->lblRede->setText(QStringLiteral("Server"));
    m_dm->isMainStation = kYes;
}

QStringList TfrmPrincipal::serialPorts(const QStringList& extra) {
    return SerialLink::availablePorts(extra);
}

void TfrmPrincipal::fillSerialPorts() {
    QComboBox* combo = m_panel->toolBar->SerialCombo;
    const QString shown = combo->currentText();
    combo->clear();
    combo->addItems(serialPorts(m_env.extraSerialPorts));
    combo->setCurrentIndex(-1);
    combo->setEditText(shown);
}

void TfrmPrincipal::connectController() {
    const QString port = m_panel->toolBar->SerialCombo->currentText();
    if (port == u"> Selecione <") {
        platform::dialogs().showMessage(QStringLiteral("Selecione a porta de Comunicação !"), this);
        return;
    }
    try {
        // Opening closes the port first, so a second click moves to the new port.
        m_link->open(port);
    } catch (const std::exception& e) {
        // The button stays as it was: the operator picks another port and tries again.
        ManipulaExcecoes(QString::fromUtf8(e.what()));
        return;
    }
    m_screen.setText(QStringLiteral("btnConetaCom"), QStringLiteral("ON"));
    m_screen.setEnabled(QStringLiteral("btnConetaCom"), false);
    m_screen.setEnabled(QStringLiteral("btnNova"), true);
    m_link->write(QStringLiteral("reler@"));
    m_link->write(QStringLiteral("check@"));
}

void TfrmPrincipal::disconnectController() {
    m_link->close();
    // The caption keeps saying "ON"; the enabled button is what tells the operator.
    m_screen.setEnabled(QStringLiteral("btnConetaCom"), true);
}

void TfrmPrincipal::toggleRunLogView() {
    const bool show = m_panel->pnlLog->isHidden();
    m_panel->pnlLog->setVisible(show);
    if (show) {
        refreshRunLogView();
        m_tmrLogView->start();
    } else {
        m_tmrLogView->stop();
    }
}

/// Brings the lists up to date: new run-log lines are added at the end (the
/// log only grows until it is written and cleared), the hub messages are
/// the last ones the hub relayed.
void TfrmPrincipal::refreshRunLogView() {
    QListWidget* log = m_panel->lstLog;
    const QStringList& lines = runLog.lines();
    if (log->count() > lines.size())
        log->clear();
    const bool grew = log->count() < lines.size();
    for (qsizetype i = log->count(); i < lines.size(); ++i) log->addItem(lines[i]);
    if (grew)
        log->scrollToBottom();

    QListWidget* diag = m_panel->lstDiagnostico;
    QStringList shown;
    for (int i = 0; i < diag->count(); ++i) shown << diag->item(i)->text();
    if (shown != m_recentMessages) {
        diag->clear();
        diag->addItems(m_recentMessages);
        diag->scrollToBottom();
    }
}

void TfrmPrincipal::pingDatabase() {
    // A failed ping closes the session, and the next statement opens a new one.
    m_dm->connection().ping();
}

/// The handler of errors no event handler caught: the operator sees the
/// message in the status bar, and the run log up to it is kept on disk.
void TfrmPrincipal::ManipulaExcecoes(const QString& message) {
    setStatusMessage(message);
    runLog.append(message);
    try {
        runLog.writeTo(appDir + QStringLiteral("logErro.txt"));
    } catch (const std::exception& e) {
        // Raising here would come straight back to this handler.
        qWarning().noquote() << QString::fromUtf8(e.what());
    }
}

QString TfrmPrincipal::writeRunLog() {
    const QString path = writeLogFile(QStringLiteral("log"));
    runLog.clear();
    return path;
}

QString TfrmPrincipal::writeStopLog() { return writeLogFile(QStringLiteral("log2")); }

/// The run log into today's folder under `kind`, named by the time of day.
QString TfrmPrincipal::writeLogFile(const QString& kind) {
    const QDateTime now = platform::Clock::now();
    const QString folder = RunLog::dayFolder(appDir, kind, now.date());
    // Made at start already, but a meeting that runs past midnight needs the next day's.
    QDir().mkpath(folder);
    const QString path = folder + RunLog::fileName(now);
    runLog.writeTo(path);
    return path;
}

void TfrmPrincipal::setStatusMessage(const QString& text) {
    // Through the model: the countdown writes the same panel there.
    m_screen.setText(QStringLiteral("pnlStatus0"), text);
}

QString TfrmPrincipal::statusPanelText(int index) const {
    return index >= 0 && index < int(m_status.size()) ? m_status[size_t(index)]->text() : QString();
}

bool TfrmPrincipal::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() < Qt::Key_F1 || key->key() > Qt::Key_F5)
        return false;
    // Only for this window's controls: a modal window on top keeps its keys.
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this)
        return false;
    // A held key would start a new race or a save over and over.
    if (!key->isAutoRepeat())
        m_actions->handleKey(key->key());
    return true;
}

bool TfrmPrincipal::event(QEvent* e) {
    const bool handled = QMainWindow::event(e);
    if (e->type() == QEvent::WindowActivate)
        applyActivation();
    return handled;
}

void TfrmPrincipal::showEvent(QShowEvent* e) {
    QMainWindow::showEvent(e);
    if (m_shown)
        return;
    m_shown = true;
    applyShow();
}

void TfrmPrincipal::applyActivation() {
    const db::Query& championship = *m_dm->qryCampeonato;
    auto flag = [&](const QString& column) { return championship.text(column) == kYes; };

    const bool bonus = flag(QStringLiteral("BONUS"));
    for (const char* entry : {"edtBonusA", "edtPenalA", "edtBonusB", "edtPenalB"})
        m_screen.setEnabled(QLatin1String(entry), bonus);

    // With a flying start the car passes the first sensor already moving, so
    // that column shows its entry speed instead of a 60-foot time.
    m_screen.setText(QStringLiteral("lbl60"), flag(QStringLiteral("LARG_LANCADA"))
                                                  ? QStringLiteral("Vel. Inic")
                                                  : QStringLiteral("60 Ft"));
    applyJeep(flag(QStringLiteral("JEEP")));
    m_screen.setText(QStringLiteral("lbl50m"),
                     m_dm->qryConfiguracao->text(QStringLiteral("S_50M")));
    m_screen.setText(QStringLiteral("lbl100m"),
                     m_dm->qryConfiguracao->text(QStringLiteral("S_100M")));
    applyProsolo(flag(QStringLiteral("PROSOLO")));

    activateHub();
    m_status[4]->setText(m_dm->serverAddress);
    // The address is settled only after this window was created, so the
    // responder learns it here rather than when it was activated.
    m_udpServer->setAnswer(m_dm->serverAddress);
}

/// A jeep heat is run once on each side and the two final times are summed:
/// the lane sums and the side swap matter there, splits and speeds do not.
void TfrmPrincipal::applyJeep(bool jeep) {
    m_menu.classificacao->setEnabled(!jeep && isBound(m_menu.classificacao));
    m_menu.temposJeep->setVisible(jeep);
    for (const char* item : {"lblVersaoJeep", "btnTrocaPista", "lblSomaA", "lblSomaB"})
        m_screen.setVisible(QLatin1String(item), jeep);
    for (const char* item :
         {"lblPista", "lblVel", "lbl50m", "lbl100m", "lbl60", "lbl50A", "lbl50B", "lbl100A",
          "lbl100B", "lblPA", "lblPB", "lblPistaA", "lblPistaB", "lblVA", "lblVB"})
        m_screen.setVisible(QLatin1String(item), !jeep);
}

/// A prosolo championship runs one car at a time, on lane A, with a penalty
/// the operator may add to its time.
void TfrmPrincipal::applyProsolo(bool prosolo) {
    m_screen.setText(QStringLiteral("edtPenalAProsolo"), QStringLiteral("0"));
    m_screen.setVisible(QStringLiteral("edtPenalAProsolo"), prosolo);
    m_screen.setVisible(QStringLiteral("imgProsolo"), prosolo);
    m_screen.setVisible(QStringLiteral("imgDuasPistas"), !prosolo);
    m_screen.setText(QStringLiteral("lblParcAD"),
                     prosolo ? QStringLiteral("PENALIZAR") : QStringLiteral("---"));
}

void TfrmPrincipal::applyShow() {
    const bool random = m_pair.randomCategory == kYes;
    m_screen.setVisible(QStringLiteral("imgCatAleOn"), random);
    m_screen.setVisible(QStringLiteral("imgCatAleOff"), !random);
    setWindowTitle(caption(m_dm->qryCampeonato->text(QStringLiteral("CAMPEONATO")),
                           m_dm->qryEvento->text(QStringLiteral("EVENTO"))));
    m_panel->toolBar->lblEquip->setText(
        equipmentName(m_dm->qryConfiguracao->text(QStringLiteral("EQUIPAMENTO"))));
}

QString TfrmPrincipal::equipmentName(const QString& code) {
    return code == u"V" ? QStringLiteral("VELTRANOX") : QStringLiteral("VUD");
}

QString TfrmPrincipal::caption(const QString& championship, const QString& event) {
    return QStringLiteral("VELTRANOX & VUD | ") + championship + QStringLiteral(" - ") + event;
}

QString TfrmPrincipal::monitorOpen() const { return m_monitorWindows->flag(); }

/// The hub and the station's own connection to it: opened at the first
/// activation and reopened by a later one when something closed them.
void TfrmPrincipal::activateHub() {
    if (!m_hub->isListening() && !m_hub->listen(m_env.hubPort)) {
        setStatusMessage(QStringLiteral("Hub: porta %1 indisponível: %2")
                             .arg(m_env.hubPort)
                             .arg(m_hub->errorString()));
    }
    // Port 0 lets tests run side by side: the client follows the port taken.
    m_hubClient->activate(m_hub->isListening() ? m_hub->port() : m_env.hubPort);
}

/// Every companion that connects learns which championship and event run.
void TfrmPrincipal::greetCompanion() {
    m_hubClient->publish(QStringLiteral("campeonato:") +
                         m_dm->qryCampeonato->text(QStringLiteral("CAMPEONATO")) + u'@');
    m_hubClient->publish(QStringLiteral("evento:") + m_dm->qryEvento->text(QStringLiteral("EVENTO")) +
                         u'@');
    m_hubClient->publish(QStringLiteral("local:") + m_dm->qryEvento->text(QStringLiteral("LOCAL")) +
                         u'@');
}

/// Keeps the last messages the hub relayed back to the station, split at "@".
void TfrmPrincipal::noteHubText(const QByteArray& text) {
    constexpr int kKept = 50;
    for (const QByteArray& piece : text.split('@'))
        if (!piece.isEmpty()) m_recentMessages << QString::fromUtf8(piece) + u'@';
    while (m_recentMessages.size() > kKept) m_recentMessages.removeFirst();
}

/// " Mini-Placar": a monitor window for a second screen, when the organizer
/// chose that layout.
void TfrmPrincipal::openMonitor() {
    m_monitorWindows->open(m_dm->qryOrganizador->integer(QStringLiteral("OP_MONITOR")));
}
