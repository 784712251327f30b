#pragma once

#include "race/RaceOutputs.h"
#include "race/RacePair.h"
#include "race/RunLog.h"
#include "race/ScreenModel.h"

#include <functional>

namespace platform {
class Pause;
}

/// Everything the race rules read and write outside themselves. The main
/// window owns the real pieces; tests hand in doubles.
struct RaceContext {
    RacePair& pair;
    ScreenModel& screen;
    ControllerPort& controller;
    Publisher& publisher;
    ResultsMonitor& monitor;
    RunLog& runLog;
    RaceData& data;
    platform::Pause& pause;
    /// Writes the run log to the "log2" file when the controller reports a stop.
    std::function<void()> writeStopLog = [] {};
};

/// Captions the align button by the controller's firmware version: up to 4.3
/// the controller aligns at once ("Alinhar"), later ones want a check first.
/// Throws ConversionError when the version is not a number.
void captionAlignByVersion(ScreenModel& screen, const QString& controllerVersion);

/// Puts every item of the race screen in its state when the window opens:
/// zeroed lane labels, hidden lamps and pictures, the idle toolbar.
void resetRaceScreen(ScreenModel& screen);
