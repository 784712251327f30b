#include "uPrincipal.h"

#include "app/Discovery.h"
#include "app/VudApplication.h"
#include "app/uDM.h"
#include "core/StationInfo.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "race/RacePanel.h"

#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSerialPortInfo>
#include <QStatusBar>
#include <QTimer>
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
      m_panel(new RacePanel),
      m_udpServer(new DiscoveryResponder(this)),
      m_tmrPingMysql(new QTimer(this)) {
    setObjectName(QStringLiteral("frmPrincipal"));
    setCentralWidget(m_panel);
    buildMenu();
    buildStatusBar();
    resize(1280, 760);
    m_udpServer->setObjectName(QStringLiteral("UDPServer"));

    VudApplication::setErrorHandler([this](const QString& message) { ManipulaExcecoes(message); });
    randomCategory = QStringLiteral("N");
    m_dm->isMainStation = QStringLiteral("N");
    appDir = env.home;
    askMainComputer();
    fillSerialPorts();
    controllerVersion = QStringLiteral("0");
    QDir().mkpath(RunLog::dayFolder(appDir, QStringLiteral("log"), platform::Clock::today()));
    monitorOpen = QStringLiteral("n");
    categoryMinTimeA = 0;
    categoryMinTimeB = 0;

    // Without traffic the server drops an idle session after its wait timeout;
    // a ping now and then keeps it, so a run is not the first to notice.
    m_tmrPingMysql->setObjectName(QStringLiteral("tmrPingMysql"));
    m_tmrPingMysql->setInterval(30000);
    connect(m_tmrPingMysql, &QTimer::timeout, this, &TfrmPrincipal::pingDatabase);
    m_tmrPingMysql->start();
}

TfrmPrincipal::~TfrmPrincipal() {
    m_udpServer->deactivate();
    // The handler points at this window; errors after it go back to the default.
    VudApplication::setErrorHandler({});
}

void TfrmPrincipal::buildMenu() {
    QMenuBar* bar = menuBar();

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
}

/// Enables `action` and makes it call `open`, which shows its window modally
/// and does whatever must follow its closing.
void TfrmPrincipal::bindMenu(QAction* action, std::function<void()> open) {
    m_bound.insert(action);
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [open = std::move(open)] { open(); });
}

void TfrmPrincipal::buildStatusBar() {
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
        m_panel->lblRede->setText(QStringLiteral("Cliente"));
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
    m_panel->lblRede->setText(QStringLiteral("Server"));
    m_dm->isMainStation = kYes;
}

QStringList TfrmPrincipal::serialPorts(const QStringList& extra) {
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports << info.systemLocation();
    for (const QString& port : extra)
        if (!ports.contains(port))
            ports << port;
    return ports;
}

void TfrmPrincipal::fillSerialPorts() {
    QComboBox* combo = m_panel->SerialCombo;
    const QString shown = combo->currentText();
    combo->clear();
    combo->addItems(serialPorts(m_env.extraSerialPorts));
    combo->setCurrentIndex(-1);
    combo->setEditText(shown);
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
    const QDateTime now = platform::Clock::now();
    const QString folder = RunLog::dayFolder(appDir, QStringLiteral("log"), now.date());
    // Made at start already, but a meeting that runs past midnight needs the next day's.
    QDir().mkpath(folder);
    const QString path = folder + RunLog::fileName(now);
    runLog.writeTo(path);
    runLog.clear();
    return path;
}

QString TfrmPrincipal::writeStopLog() {
    const QDateTime now = platform::Clock::now();
    const QString folder = RunLog::dayFolder(appDir, QStringLiteral("log2"), now.date());
    QDir().mkpath(folder);
    const QString path = folder + RunLog::fileName(now);
    runLog.writeTo(path);
    return path;
}

void TfrmPrincipal::setStatusMessage(const QString& text) {
    m_status[0]->setText(text);
}

QString TfrmPrincipal::statusPanelText(int index) const {
    return index >= 0 && index < int(m_status.size()) ? m_status[size_t(index)]->text() : QString();
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
    for (QLineEdit* e :
         {m_panel->edtBonusA, m_panel->edtPenalA, m_panel->edtBonusB, m_panel->edtPenalB})
        e->setEnabled(bonus);

    // With a flying start the car passes the first sensor already moving, so
    // that column shows its entry speed instead of a 60-foot time.
    m_panel->lbl60->setText(flag(QStringLiteral("LARG_LANCADA")) ? QStringLiteral("Vel. Inic")
                                                                 : QStringLiteral("60 Ft"));
    applyJeep(flag(QStringLiteral("JEEP")));
    m_panel->lbl50m->setText(m_dm->qryConfiguracao->text(QStringLiteral("S_50M")));
    m_panel->lbl100m->setText(m_dm->qryConfiguracao->text(QStringLiteral("S_100M")));
    applyProsolo(flag(QStringLiteral("PROSOLO")));

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
    m_panel->lblVersaoJeep->setVisible(jeep);
    m_panel->btnTrocaPista->setVisible(jeep);
    m_panel->lblSomaA->setVisible(jeep);
    m_panel->lblSomaB->setVisible(jeep);
    for (QLabel* l :
         {m_panel->lblPista, m_panel->lblVel, m_panel->lbl50m, m_panel->lbl100m, m_panel->lbl60,
          m_panel->lbl50A, m_panel->lbl50B, m_panel->lbl100A, m_panel->lbl100B, m_panel->lblPA,
          m_panel->lblPB, m_panel->lblPistaA, m_panel->lblPistaB, m_panel->lblVA, m_panel->lblVB})
        l->setVisible(!jeep);
}

/// A prosolo championship runs one car at a time, on lane A, with a penalty
/// the operator may add to its time.
void TfrmPrincipal::applyProsolo(bool prosolo) {
    m_panel->edtPenalAProsolo->setText(QStringLiteral("0"));
    m_panel->edtPenalAProsolo->setVisible(prosolo);
    m_panel->imgProsolo->setVisible(prosolo);
    m_panel->imgDuasPistas->setVisible(!prosolo);
    m_panel->lblParcAD->setText(prosolo ? QStringLiteral("PENALIZAR") : QStringLiteral("---"));
}

void TfrmPrincipal::applyShow() {
    const bool random = randomCategory == kYes;
    m_panel->imgCatAleOn->setVisible(random);
    m_panel->imgCatAleOff->setVisible(!random);
    setWindowTitle(caption(m_dm->qryCampeonato->text(QStringLiteral("CAMPEONATO")),
                           m_dm->qryEvento->text(QStringLiteral("EVENTO"))));
    m_panel->lblEquip->setText(
        equipmentName(m_dm->qryConfiguracao->text(QStringLiteral("EQUIPAMENTO"))));
}

QString TfrmPrincipal::equipmentName(const QString& code) {
    return code == u"V" ? QStringLiteral("VELTRANOX") : QStringLiteral("VUD");
}

QString TfrmPrincipal::caption(const QString& championship, const QString& event) {
    return QStringLiteral("VELTRANOX & VUD | ") + championship + QStringLiteral(" - ") + event;
}
