#pragma once

// Recording doubles of the race outputs, shared by the race-rule tests and
// the protocol benchmark. Header-only so any target can use them.

#include "platform/Pause.h"
#include "race/RaceContext.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

/// The controller's serial line: every command written, in order.
struct RecordingPort : ControllerPort {
    void write(const QString& command) override { written << command; }
    QStringList written;
};

/// The hub client: every message published, in order.
struct RecordingPublisher : Publisher {
    void publish(const QString& message) override { messages << message; }
    QStringList messages;
};

/// The results monitor. Calls are recorded as "time A 0.512", "speed B 0,0"
/// and "black". The rules must ask isOpen() first; a call made while closed
/// lands in `callsWhileClosed`, so a test can catch a rule that forgot.
struct RecordingMonitor : ResultsMonitor {
    explicit RecordingMonitor(bool isOpenNow = true) : open(isOpenNow) {}
    bool isOpen() const override { return open; }
    void setLaneTime(Lane lane, const QString& text) override {
        record(QStringLiteral("time ") + laneLetter(lane) + u' ' + text);
    }
    void setLaneSpeed(Lane lane, const QString& text) override {
        record(QStringLiteral("speed ") + laneLetter(lane) + u' ' + text);
    }
    void setBlackBackground() override { record(QStringLiteral("black")); }

    bool open = true;
    QStringList calls;
    QStringList callsWhileClosed;

private:
    void record(const QString& call) { (open ? calls : callsWhileClosed) << call; }
};

/// The race database as the rules read it. `position` answers
/// `nextPosition` and records each (vehicleCode, categoryCode) asked.
struct FakeRaceData : RaceData {
    Championship championship() const override { return champ; }
    QString trackSide() const override { return side; }
    QString ticketPrinter() const override { return printer; }
    int position(int vehicleCode, int categoryCode) override {
        asked.append({vehicleCode, categoryCode});
        return nextPosition;
    }

    Championship champ;
    QString side = QStringLiteral("D");
    QString printer = QStringLiteral("8");
    int nextPosition = 1;
    QList<QPair<int, int>> asked;
};

/// Every piece a race rule needs, wired into one RaceContext. The screen
/// starts in the window's idle state; `stopLogWrites` counts the "log2" writes.
struct RaceRig {
    RaceRig() { resetRaceScreen(screen); }
    RaceRig(const RaceRig&) = delete;
    RaceRig& operator=(const RaceRig&) = delete;

    RacePair pair;
    ScreenModel screen;
    RecordingPort port;
    RecordingPublisher publisher;
    RecordingMonitor monitor;
    RunLog runLog;
    FakeRaceData data;
    platform::InstantPause pause;
    int stopLogWrites = 0;
    RaceContext ctx{pair, screen, port, publisher, monitor, runLog, data, pause,
                    [this] { ++stopLogWrites; }};
};
