#pragma once

#include <QString>
#include <QTime>

enum class Lane { A, B };

/// The letter of a lane in screen item names, messages and commands.
inline QString laneLetter(Lane lane) { return lane == Lane::A ? QStringLiteral("A") : QStringLiteral("B"); }
inline Lane otherLane(Lane lane) { return lane == Lane::A ? Lane::B : Lane::A; }

/// The fields of one lane of the race pair. Times are seconds, speeds km/h.
struct LaneState {
    // Filled by lane loading. The heat is not here: it is whatever the
    // lane's heat box (screen item cbBateriaA / cbBateriaB) says, typed or
    // proposed, the way the status label is the stored status.
    int vehicleCode = 0;
    int categoryCode = 0;
    double categoryMinTime = 0;
    QString minTimeBasis;  // "P" track, "T" total
    QString panelText;     // the category's TXT_PAINEL
    QString targetMode = QStringLiteral("N");
    QString categoryKnockout = QStringLiteral("N");
    int categoryTreeMode = 0;   // the category's TREE_MODE; 2 is handicap
    QString categoryDialAuto = QStringLiteral("N");
    double targetTime = 0;      // the pilot's TMP_ALVO
    double dialIn = 0;
    int handicapDelayMs = 0;

    // Measurements, filled by the controller's lines.
    double reactionTime = 0;
    double sixtyFootTime = 0;
    int flyingSpeed = 0;
    double split1Time = 0;
    double split2Time = 0;
    double trackTime = 0;  // exactly 1.0 while the finish sensor reports blocked
    double finalTime = 0;
    double speed = 0;
    double speedShown = 0;
    double trapSpeed = 0;
    double speedPointB = 0;
    double speedPointC = 0;
    QString foulFlag = QStringLiteral("N");
    QTime finishClock;

    // The last saved run, for the lane swap.
    int swapVehicleCode = 0;
    QString swapPlate;
};

/// The race pair of the main window: one state per lane and the window-wide fields.
struct RacePair {
    LaneState a;
    LaneState b;
    LaneState& lane(Lane l) { return l == Lane::A ? a : b; }
    const LaneState& lane(Lane l) const { return l == Lane::A ? a : b; }

    QString controllerVersion = QStringLiteral("0");
    QTime startClock;
    QString scoreboardOn = QStringLiteral("N");
    QString scoreboardMode = QStringLiteral("P");
    QString guardBeam = QStringLiteral("N");
    QString randomCategory = QStringLiteral("N");
    /// "S" while both lanes hold the same knockout (or round-area) category;
    /// only then does the save decide a knockout race.
    QString knockoutRace = QStringLiteral("N");
    /// The round chosen in lane A's round box, which the knockout lookup and
    /// the save use; 0 while none is listed.
    int knockoutRound = 0;
    /// The knockout race of this pair (mata_mata.CODIGO and RACE), found by
    /// lane A's lookup in a knockout category; 0 when the pair has none, so
    /// a save never writes into the race of an earlier pair.
    int knockoutRaceCode = 0;
    int knockoutRaceNumber = 0;
    double trapSpeed10m = 0;
    int positionA = 0;
    int lampStep = 0;
};
