#include "RacePlan.h"

#include <QRandomGenerator>
#include <QString>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kTrack = 201.168;  // 1/8 mile in metres
constexpr double kSixtyFeet = 18.288;
constexpr double kGreenAt = 1.2;       // three ambers of 0.4 s
constexpr double kBeamBlocked = 0.02;  // a car cuts a beam for about this long

double uniform(QRandomGenerator& random, double low, double high) {
    return low + random.generateDouble() * (high - low);
}

QByteArray number(double value, int decimals) {
    return QByteArray::number(value, 'f', decimals);
}

class LaneBuilder {
public:
    LaneBuilder(char letter, QList<RaceEvent>& events) : m_letter(letter), m_events(events) {}

    void add(double at, const QByteArray& line, bool measurement = false) {
        m_events << RaceEvent{at, line, measurement};
    }
    /// "e_A" + point + "-HIGH"/"-LOW" around the moment the car passes.
    void sensor(double at, char point) {
        const QByteArray name = QByteArray("e_") + m_letter + point;
        add(at, name + "-HIGH");
        add(at + kBeamBlocked, name + "-LOW");
    }
    /// Measurement token of this lane: "R" gives "RA" or "RB".
    QByteArray token(const char* head, const char* tail = "") const {
        return QByteArray(head) + m_letter + tail;
    }
    char letter() const { return m_letter; }

private:
    char m_letter;
    QList<RaceEvent>& m_events;
};

/// Lays out one lane and returns when its last event happens.
double buildLane(const LaneSetup& setup, char letter, bool flyingStart, QRandomGenerator& random,
                 QList<RaceEvent>& events) {
    LaneBuilder lane(letter, events);
    const double reaction = setup.reaction >= 0 ? setup.reaction : uniform(random, 0.05, 0.6);
    const double track = setup.track > 0 ? setup.track : uniform(random, 6.0, 12.0);
    // Quicker cars launch harder: the 60-ft time follows the track time.
    double sixty =
        std::clamp(1.4 + (track - 6.0) / 6.0 * 0.8 + uniform(random, -0.15, 0.15), 1.4, 2.2);
    if (!flyingStart && setup.first > 0)
        sixty = setup.first;
    sixty = std::min(sixty, 0.4 * track);
    // The flying start times the car over a 10 m trap as it rolls in.
    const double trap10m =
        setup.first > 0 && flyingStart ? setup.first : 36.0 / uniform(random, 90.0, 160.0);

    // Distance grows as a power of time, fitted through the 60-ft time and
    // the track time, so every split and speed agrees with the two.
    const double power =
        std::clamp(std::log(kSixtyFeet / kTrack) / std::log(sixty / track), 1.05, 3.0);
    auto timeAt = [&](double metres) { return track * std::pow(metres / kTrack, 1.0 / power); };
    const double finishSpeed = power * kTrack / track * 3.6;
    const double trapSpeed = 10.0 / (track - timeAt(kTrack - 10.0)) * 3.6;
    const double shownSpeed = std::clamp(finishSpeed, 120.0, 220.0);
    const double shownTrapSpeed = trapSpeed * shownSpeed / finishSpeed;

    const QByteArray prestage = QByteArray(1, letter) + "PS";
    lane.add(0.05, prestage + "-HIGH");
    lane.add(0.05, QByteArray("e_") + letter + "A-HIGH");

    const double leave = setup.foul ? kGreenAt - uniform(random, 0.02, 0.15) : kGreenAt + reaction;
    if (!setup.foul)
        lane.add(kGreenAt, QByteArray("s") + letter + "_Verde");
    lane.add(leave, prestage + "-LOW");
    lane.add(leave, QByteArray("e_") + letter + "A-LOW");
    if (setup.foul) {
        lane.add(leave, QByteArray("e_") + letter + "B-HIGH");
        lane.add(leave, lane.token("Q"), true);
        lane.add(leave, lane.token("R", "0.000"), true);
    } else {
        lane.add(leave, lane.token("R") + number(reaction, 3), true);
    }

    const double firstTime = flyingStart ? trap10m : sixty;
    lane.sensor(leave + sixty, 'C');
    lane.add(leave + sixty, lane.token("P") + number(firstTime, 3), true);
    const double split1 = timeAt(50.0);
    lane.sensor(leave + split1, 'D');
    lane.add(leave + split1, lane.token("L") + number(split1, 3), true);
    const double split2 = timeAt(100.0);
    lane.sensor(leave + split2, 'E');
    lane.add(leave + split2, lane.token("C") + number(split2, 3), true);
    if (setup.noFinish)
        return leave + split2 + kBeamBlocked;

    lane.sensor(leave + timeAt(150.0), 'F');
    lane.sensor(leave + timeAt(kTrack - 10.0), 'G');
    lane.sensor(leave + timeAt(kTrack - 5.0), 'I');
    const double finish = leave + track;
    lane.sensor(finish, 'J');
    // The finish lines follow the beam's release: "e_AJ-LOW" resets the
    // station's track time, so it must not arrive after "AJ".
    const double report = finish + 2 * kBeamBlocked;
    const double finalTime = (setup.foul ? 0.0 : reaction) + track;
    const QByteArray trackToken = letter == 'A' ? QByteArray("AJ") : QByteArray("BJ");
    lane.add(report, trackToken + number(track, 3), true);
    lane.add(report, lane.token("T") + number(shownSpeed, 3), true);
    lane.add(report, lane.token("V2A") + number(shownTrapSpeed, 1), true);
    lane.add(report, lane.token("F") + number(finalTime, 3), true);
    return report;
}

}  // namespace

QList<RaceEvent> RacePlan::build(const LaneSetup& laneA, const LaneSetup& laneB, bool flyingStart,
                                 QRandomGenerator& random) {
    QList<RaceEvent> events;
    const double endA = buildLane(laneA, 'A', flyingStart, random, events);
    const double endB = buildLane(laneB, 'B', flyingStart, random, events);
    events << RaceEvent{std::max(endA, endB) + 0.3, QByteArray("fim"), false};
    // Stable: at the same moment lane A speaks first, each lane in its order.
    std::stable_sort(events.begin(), events.end(),
                     [](const RaceEvent& x, const RaceEvent& y) { return x.at < y.at; });
    return events;
}
