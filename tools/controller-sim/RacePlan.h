#pragma once

#include <QByteArray>
#include <QList>

class QRandomGenerator;

/// What one lane does in a simulated race. A time below 0 is drawn at random
/// within the usual range of a 201 m track.
struct LaneSetup {
    double reaction = -1;   // s after the green
    double track = -1;      // elapsed time over the track
    double first = -1;      // 60-ft time, or the 10 m trap time with a flying start
    bool foul = false;      // leaves before the green: "QA" and a reaction of 0
    bool noFinish = false;  // stops after the second split: no "AJ"/"FA"
};

/// One line the controller sends, `at` seconds after its "Largada".
struct RaceEvent {
    double at = 0;
    QByteArray line;
    bool measurement = false;  // a time or speed, resent on "reler@"
};

/// Builds the controller's lines for one race: the staged cars, the green,
/// each car leaving, its sensors along the track with the split times, the
/// finish with the speeds and final time, and "fim" after the last car.
class RacePlan {
public:
    static QList<RaceEvent> build(const LaneSetup& laneA, const LaneSetup& laneB, bool flyingStart,
                                  QRandomGenerator& random);
};
