#pragma once

#include "platform/StationEnvironment.h"
#include "race/RunLog.h"

#include <QMainWindow>
#include <QSet>
#include <QStringList>
#include <array>
#include <functional>

class DM;
class DiscoveryResponder;
class QAction;
class QLabel;
class QMenu;
class QTimer;
class RacePanel;

/// The station's main window: the race pair in the centre, the main menu,
/// the status bar, the run log and its files, the error handler of the whole
/// program, the database keep-alive and, on the main computer, the answer to
/// the other stations' discovery.
class TfrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    TfrmPrincipal(DM* dm, const platform::StationEnvironment& env, QWidget* parent = nullptr);
    ~TfrmPrincipal() override;

    DM* dm() const { return m_dm; }
    RacePanel* racePanel() const { return m_panel; }

    // Window-wide state.
    RunLog runLog;
    QString appDir;             // station folder, with the trailing '/'
    QString controllerVersion;  // firmware version reported by the controller
    QString randomCategory;     // "S" / "N"
    QString monitorOpen;        // results monitor open: "s" / "n"
    double categoryMinTimeA = 0;
    double categoryMinTimeB = 0;

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

    /// The serial ports of this PC, then the configured extra ones.
    static QStringList serialPorts(const QStringList& extra);
    /// The name shown for the stored CONFIGURACAO.EQUIPAMENTO code.
    static QString equipmentName(const QString& code);
    static QString caption(const QString& championship, const QString& event);

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
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
    void askMainComputer();
    void pingDatabase();
    void applyJeep(bool jeep);
    void applyProsolo(bool prosolo);

    DM* m_dm;
    platform::StationEnvironment m_env;
    RacePanel* m_panel;
    DiscoveryResponder* m_udpServer;
    QTimer* m_tmrPingMysql;
    std::array<QLabel*, 5> m_status{};
    Menu m_menu{};
    QSet<QAction*> m_bound;
    bool m_shown = false;
};
