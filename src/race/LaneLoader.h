#pragma once

#include "race/RaceContext.h"

#include <QObject>
#include <QString>
#include <array>
#include <functional>

class DM;
namespace db {
class Query;
}

/// Loading a vehicle into a lane: the lane's category (list box, search),
/// the knockout round, the heat, and the plate lookup that fills the lane's
/// race state, proposes the heat, places the vehicle in its category, works
/// out its best track time and the handicap delays, and tells the controller
/// and the companion who is in the lane.
///
/// The rules write the race pair and the screen model only; the window
/// renders them and hands in the operator's keys and choices. The lane
/// queries live here, one set per lane, and are rebuilt with bound
/// parameters whenever their filter changes.
class LaneLoader : public QObject {
    Q_OBJECT
public:
    LaneLoader(RaceContext& context, DM& dm, QObject* parent = nullptr);

    // The operator's side.
    /// The category list box closed on `categoryCode` (a category of DM.qryCategoria).
    void chooseCategory(Lane lane, int categoryCode);
    /// F2 / F3 or the lane's category button: the picker, then the category
    /// it returned as if chosen in the list box.
    void searchCategory(Lane lane);
    /// Lane A's round box moved to `round`.
    void chooseRound(int round);
    /// Enter in lane A's round box.
    void roundEntered();
    /// An item of the heat box was chosen.
    void chooseHeat(Lane lane, const QString& heat);
    /// Enter in the plate edit.
    void lookup(Lane lane);
    /// The focus is leaving the plate edit; false when it must stay there.
    bool leavePlate(Lane lane);
    /// The vehicle registration shortcut beside the lane.
    void registerVehicle(Lane lane);

    // Hooks of the race actions.
    /// New race: the entry lists are read again, the run histories closed.
    void reopenPilotLists();
    /// Cancel: the lanes' vehicle rows are closed.
    void closePilotLists();
    /// Lane swap: the lane shows the vehicle `vehicleCode` and its runs.
    void loadVehicle(Lane lane, int vehicleCode);

    /// Reads the lane's run history again (after a run of the lane was stored).
    void refreshRuns(Lane lane);

    /// The category picker: the chosen category's code, 0 for none.
    std::function<int()> pickCategory;
    /// The vehicle registration window, shown modally. Unbound, the shortcut does nothing.
    std::function<void()> openVehicleWindow;

    // The lane queries, for the grids, the save and the tickets.
    db::Query* vehicleRow(Lane lane) const { return queries(lane).pilot; }      // qryPilotoA
    db::Query* runs(Lane lane) const { return queries(lane).runs; }             // qryResultPilotoA
    db::Query* entries(Lane lane) const { return queries(lane).entries; }       // qryPilotosCategA
    db::Query* categoryRecord(Lane lane) const { return queries(lane).category; }  // qryCatA
    db::Query* rounds(Lane lane) const { return queries(lane).rounds; }         // qryRoundA
    db::Query* knockoutRaceRow() const { return m_qryDadosMM; }

    /// What the lane shows when a training run cannot be stored for want of
    /// a loaded vehicle.
    static QString trainingWithoutVehicleHint();

signals:
    /// The rules move the focus to the screen item of this name.
    void focusRequested(const QString& name);

private:
    struct LaneQueries {
        db::Query* pilot = nullptr;
        db::Query* runs = nullptr;
        db::Query* entries = nullptr;
        db::Query* category = nullptr;
        db::Query* positions = nullptr;
        db::Query* rounds = nullptr;
    };

    const LaneQueries& queries(Lane lane) const { return m_lanes[lane == Lane::A ? 0 : 1]; }
    db::Query* makeQuery(const QString& name, const QString& sql);

    void lookupAnyCategory(Lane lane, const QString& plate);
    bool lookupChosenCategory(Lane lane, const QString& plate);
    void lookupTraining(Lane lane, const QString& plate);
    void bestTrackTime(Lane lane);
    void handicapDelays();

    void openRuns(Lane lane);
    void openEntries(Lane lane);
    void openCategoryRecord(Lane lane, int categoryCode);
    void categoryRecordChanged(Lane lane);
    void openRounds(Lane lane);
    void findKnockoutRace(int vehicleCode);
    int position(Lane lane);
    QString proposeHeat(Lane lane);
    void takeCategoryRecord(Lane lane);
    void recomputeKnockoutRace(Lane lane);
    void showVehicle(Lane lane);
    void showHint(Lane lane, bool visible);
    void sendPanelText(Lane lane);
    void publish(const QString& key, const QString& value);
    void publishPilot(Lane lane, bool withNickname);

    RaceContext& m_ctx;
    DM& m_dm;
    std::array<LaneQueries, 2> m_lanes;
    db::Query* m_qryDadosMM;
    /// The unregistered number a training lookup accepted, per lane: leaving
    /// its edit is no missing Enter even though no vehicle label shows.
    std::array<QString, 2> m_acceptedTrainingPlate;
};
