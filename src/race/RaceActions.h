#pragma once

#include "race/RaceContext.h"

#include <QObject>
#include <functional>

class QTimer;

/// The operator's side of the race pair: the toolbar actions, the function
/// keys, the drawn start lights, the countdown and the centre-panel toggles.
/// The race state is the set of captions and enabled flags of the toolbar
/// buttons in the screen model.
class RaceActions : public QObject {
    Q_OBJECT
public:
    explicit RaceActions(RaceContext& context, QObject* parent = nullptr);

    void newRace();     // btnNova, F1
    void align();       // btnAlinhar, by its caption
    void start();       // btnLargada
    void readData();    // btnLerDados
    void cancel();      // btnCancelar
    void closeTrack();  // toolbar "Fechar Pista"
    void check();       // toolbar "Check"
    void swapLanes();   // btnTrocaPista
    void toggleCountdown();  // btnContagem

    // Clicks on the centre-panel pictures, by object name.
    void clickPicture(const QString& name);

    /// The controller reported the start: lights, zeroed labels, companion.
    void startReceived();

    /// F5 and the automatic ticket of a save: straight to the printer, the
    /// 57 mm model only for lanes that finished.
    void printTickets();
    /// The toolbar button "Ticket (F5)": the 80 mm model goes to the preview,
    /// the 57 mm model prints every loaded lane.
    void printTicketsFromToolbar();

    /// Key preview of the window: F1 to F5. True when the key was used.
    bool handleKey(int key);

    QTimer* timer1() const { return m_timer1; }
    QTimer* countdownTimer() const { return m_tmrContagem; }

    /// Hooks into lane loading, run recording and tickets, which live elsewhere.
    struct Hooks {
        std::function<void(Lane)> chooseCategory = [](Lane) {};      // F2 / F3
        std::function<void()> save = [] {};                          // F4
        std::function<void()> printTicket80 = [] {};                 // F5, model "8"
        std::function<void(Lane)> printTicket57 = [](Lane) {};       // models "5"
        std::function<void()> previewTicket80 = [] {};               // toolbar, model "8"
        std::function<void()> reopenPilotLists = [] {};              // new race
        std::function<void()> closePilotLists = [] {};               // cancel
        /// Lane swap: select the vehicle in the lane's pilot query and show it.
        std::function<void(Lane, int vehicleCode)> loadVehicle = [](Lane, int) {};
        std::function<void(Lane)> focusPlate = [](Lane) {};
    } hooks;

private:
    void lampTick();
    void countdownTick();
    bool alignPair();
    bool sendLaneText(Lane lane);
    bool confirmFinishSensor(Lane lane);
    void alignHandicap();
    void ticketCommand(bool fromToolbar);

    RaceContext& m_ctx;
    QTimer* m_timer1;
    QTimer* m_tmrContagem;
};
