#pragma once

#include "CommandSplitter.h"
#include "RacePlan.h"

#include <QElapsedTimer>
#include <QObject>
#include <QRandomGenerator>
#include <QString>

class PseudoTerminal;
class QIODevice;
class QSocketNotifier;
class QTimer;

/// Plays the timing controller on a pseudo-terminal: reads the station's
/// commands, logs each one, answers the handshake, staging, start, stop and
/// track-closed commands as the controller does and plays a race after
/// "start@". Everything runs on the event loop of the calling thread.
class ControllerSim : public QObject {
    Q_OBJECT
public:
    struct Options {
        LaneSetup laneA;
        LaneSetup laneB;
        bool flyingStart = false;
        double speed = 1.0;  // time factor: 10 plays a race ten times faster
        QString firmware = QStringLiteral("4.5");
    };

    /// `log` receives one line per command; it must outlive the simulator.
    ControllerSim(PseudoTerminal& pty, const Options& options, quint32 seed, QIODevice& log,
                  QObject* parent = nullptr);

private:
    void readCommands();
    void handle(const QByteArray& command);
    void logCommand(const QByteArray& command);
    void send(const QByteArray& line);
    void startRace();
    void stopRace();
    void playDue();

    PseudoTerminal& m_pty;
    Options m_options;
    QRandomGenerator m_random;
    QIODevice& m_log;
    QSocketNotifier* m_notifier;
    QTimer* m_quiet;  // ends an unterminated command when the line goes quiet
    QTimer* m_race;
    CommandSplitter m_splitter;
    QList<RaceEvent> m_events;
    qsizetype m_next = 0;
    QElapsedTimer m_clock;
    QList<QByteArray> m_lastRace;  // measurement lines sent in the last race
};
