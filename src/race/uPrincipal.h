#pragma once

#include "platform/Pause.h"
#include "platform/StationEnvironment.h"
#include "race/DmRaceData.h"
#include "race/RaceContext.h"
#include "race/RacePair.h"
#include "race/RunLog.h"
#include "race/ScreenModel.h"
#include "race/TicketPrinter.h"

#include <QMainWindow>
#include <QSet>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

class ControllerProtocol;
class HubClient;
class LaneBinder;
class LaneLoader;
class MessageHub;
class ResultsMonitorWindows;
class DM;
class DiscoveryResponder;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class RaceActions;
class RunRecorder;
class RacePanel;
class ScreenBinder;
class SerialLink;


/// The station's main window: the race desk in the centre, the main menu,
/// the status bar, the run log and its files, the error handler of the whole
/// program, the database keep-alive and, on the main computer, the answer to
/// the other stations' discovery.
///
/// The race itself is run by the controller protocol and the race actions on
/// the race pair and the screen model; this window renders the model, hands
/// them the operator's clicks and keys, and owns the controller's port.
class TfrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    TfrmPrincipal(DM* dm, const platform::StationEnvironment& env, QWidget* parent = nullptr);
    ~TfrmPrincipal() override;

    DM* dm() const { return m_dm; }
    RacePanel* racePanel() const { return m_panel; }
    RacePair& racePair() { return m_pair; }
    ScreenModel& screen() { return m_screen; }
    SerialLink& controllerLink() { return *m_link; }
    ControllerProtocol& protocol() { return *m_protocol; }
    RaceActions& raceActions() { return *m_actions; }
    /// Lane loading; its `openVehicleWindow` is the vehicle registration shortcut of the lanes.
    LaneLoader& laneLoader() { return *m_laneLoader; }
    HubClient& publisher() { return *m_hubClient; }
    MessageHub& hub() { return *m_hub; }
    ResultsMonitorWindows& monitor() { return *m_monitorWindows; }
    /// The hub messages seen lately, for the diagnostic list.
    const QStringList& recentMessages() const { return m_recentMessages; }

    // Window-wide state. The race pair's own (controller version, random
    // category and the rest) is in racePair().
    RunLog runLog;
    QString appDir;       // station folder, with the trailing '/'
    /// "s" while the results monitor is open, "n" otherwise.
    QString monitorOpen() const;

    void ManipulaExcecoes(const QString& message);

    /// Writes the run log of a saved run and clears it; returns the file path.
    QString writeRunLog();
    /// Writes the run log when the controller reports a stop; the log is kept.
    QString writeStopLog();

    void setStatusMessage(const QString& text);
    QString statusPanelText(int index) const;

    /// The rules run each time the window becomes active, so that changes
    /// made in a modal window show as soon as it closes.
    void applyActivation();
    /// The rules run once, when the window is first shown.
    void applyShow();

    /// Refills `SerialCombo`, keeping what it shows.
    void fillSerialPorts();
    /// The connect button: opens the port chosen in the list and greets the controller.
    void connectController();
    /// A double click on the tree-mode caption or the controller picture.
    void disconnectController();
    /// A double click on a lane picture: the run log and the hub messages.
    void toggleRunLogView();

    /// The serial ports of this PC, then the configured extra ones.
    static QStringList serialPorts(const QStringList& extra);
    /// The name shown for the stored CONFIGURACAO.EQUIPAMENTO code.
    static QString equipmentName(const QString& code);
    static QString caption(const QString& championship, const QString& event);

signals:
    /// "EnviaWhats:Conectado" / "EnviaWhats:Desconectou" passed through the hub.
    void whatsAppStatus(const QString& status);

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    /// Key preview: F1 to F5 reach the race actions whatever control has the focus.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QString writeLogFile(const QString& kind);
    // The entries of the main menu; those without a window yet stay disabled.
    struct Menu {
        QAction* veiculos;
        QAction* categorias;
        QAction* mataMataClass;
        QAction* mataMata;
        QAction* eventos;
        QAction* campeonatos;
        QAction* ajustesPiloto;
        QAction* dadosEquip;
        QAction* classificacao;
        QAction* temposPiloto;
        QAction* temposTreinos;
        QAction* pilotosCategoria;
        QAction* imprimirCategorias;
        QAction* onTarget;
        QAction* separarPilotos;
        QAction* rankLargadas;
        QAction* temposJeep;
        QAction* melhores;
        QAction* classifVelocidade;
        QAction* desclassificacoes;
        QAction* imgTempoVeiculo;
        QAction* records;
        QAction* infoGerais;
        QAction* resumoPilotos;
        QAction* imgTempoVideos;
        QAction* rodadas;
        QAction* sharkTank;
        QAction* configuracoes;
        QAction* sobre;
    };

    void buildMenu();
    void buildStatusBar();
    void bindMenu(QAction* action, std::function<void()> open);
    bool isBound(QAction* action) const { return m_bound.contains(action); }
    void bindScreen();
    void wireRace();
    void askMainComputer();
    void pingDatabase();
    void applyJeep(bool jeep);
    void applyProsolo(bool prosolo);
    void refreshRunLogView();
    void activateHub();
    void greetCompanion();
    void noteHubText(const QByteArray& text);
    void openMonitor();

    DM* m_dm;
    platform::StationEnvironment m_env;

    // The race: its state, its screen and the outputs the rules write to.
    RacePair m_pair;
    ScreenModel m_screen;
    SerialLink* m_link;
    MessageHub* m_hub;
    HubClient* m_hubClient;
    ResultsMonitorWindows* m_monitorWindows;
    QStringList m_recentMessages;
    DmRaceData m_raceData;
    platform::BlockingPause m_pause;
    RaceContext m_ctx;
    ControllerProtocol* m_protocol;
    RaceActions* m_actions;
    LaneLoader* m_laneLoader = nullptr;
    RunRecorder* m_recorder = nullptr;
    std::unique_ptr<TicketPrinter> m_tickets;
    LaneBinder* m_laneBinder = nullptr;

    RacePanel* m_panel;
    ScreenBinder* m_binder = nullptr;
    DiscoveryResponder* m_udpServer;
    QTimer* m_tmrPingMysql;
    QTimer* m_tmrLogView;
    std::array<QLabel*, 5> m_status{};
    Menu m_menu{};
    QSet<QAction*> m_bound;
    bool m_shown = false;
};
