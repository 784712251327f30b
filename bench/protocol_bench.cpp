// Throughput of the controller line decoder: characters per second over a
// full race transcript, replayed many times through recording doubles.
// The serial line brings 1,440 characters a second at most (14400 baud);
// the decoder must stay far ahead of it so a burst never stalls the window.

#include "RaceDoubles.h"
#include "platform/Clock.h"
#include "race/ControllerProtocol.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstdlib>

namespace {

/// One race pair as the controller reports it, from the version query to
/// the lights going out, with the sensor chatter in between.
const char kTranscript[] =
    "versao:4.31\r\n"
    "SysOK\r\n"
    "PLACAR-ON\r\n"
    "APS-HIGH\r\nBPS-HIGH\r\n"
    "e_AA-HIGH\r\ne_BA-HIGH\r\n"
    "Alinhar\r\n"
    "Largada\r\n"
    "e_AB-HIGH\r\ne_AB-LOW\r\n"
    "sA_Verde\r\nsB_Verde\r\n"
    "APS-LOW\r\nBPS-LOW\r\ne_AA-LOW\r\ne_BA-LOW\r\n"
    "RA0.512\r\nRB0.498\r\n"
    "e_AC-HIGH\r\ne_BC-HIGH\r\ne_AC-LOW\r\ne_BC-LOW\r\n"
    "PA1.523\r\nPB1.601\r\n"
    "e_AD-HIGH\r\ne_BD-HIGH\r\ne_AD-LOW\r\ne_BD-LOW\r\n"
    "LA4.123\r\nLB4.201\r\n"
    "VBA120.5\r\nVBB118.2\r\n"
    "CA6.512\r\nCB6.604\r\n"
    "VCA150.2\r\nVCB149.8\r\n"
    "e_AJ-HIGH\r\ne_BJ-HIGH\r\ne_AJ-LOW\r\ne_BJ-LOW\r\n"
    "AJ7.001\r\nBJ7.203\r\n"
    "TA180.123\r\nTB178.456\r\n"
    "V2AA180.2\r\nV2AB178.4\r\n"
    "FA7.513\r\nFB7.701\r\n"
    "fim\r\n"
    "DesligouLampadas\r\n";

/// Serial reads arrive in small pieces; this is a typical one.
constexpr qsizetype kReadSize = 32;

/// Replays `repetitions` races through a fresh decoder; characters per second.
double charsPerSecond(int repetitions) {
    RaceRig rig;
    ControllerProtocol protocol(rig.ctx);
    const QByteArray race(kTranscript);

    qint64 chars = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < repetitions; ++i) {
        for (qsizetype at = 0; at < race.size(); at += kReadSize) protocol.receive(race.mid(at, kReadSize));
        chars += race.size();
        // The station empties these between pairs too (the run log is written
        // and cleared at each save); keeping them would measure memory growth.
        rig.runLog.clear();
        rig.publisher.messages.clear();
        rig.port.written.clear();
        rig.monitor.calls.clear();
    }
    return double(chars) * 1e9 / double(clock.nsecsElapsed());
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 20000;
    const qsizetype raceSize = qsizetype(sizeof kTranscript) - 1;

    // As the station runs: every line is stamped with the time of day.
    const double real = charsPerSecond(repetitions);
    std::printf("decoder: %.0f chars/s\n", real);
    std::printf("  %d races of %lld chars, %.1f ns/char, %.0fx the 14400-baud line\n", repetitions,
                static_cast<long long>(raceSize), 1e9 / real, real / 1440.0);

    // The same with the clock fixed, to show what the time-of-day look-up costs.
    platform::Clock::setFixed(QDateTime(QDate(2026, 5, 2), QTime(10, 0)));
    const double fixed = charsPerSecond(repetitions);
    platform::Clock::setFixed({});
    std::printf("decoder with a fixed clock: %.0f chars/s (%.1f ns/char)\n", fixed, 1e9 / fixed);
    return 0;
}
