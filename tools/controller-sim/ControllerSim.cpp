#include "ControllerSim.h"

#include "PseudoTerminal.h"

#include <QFileDevice>
#include <QIODevice>
#include <QSocketNotifier>
#include <QTimer>
#include <cmath>

namespace {

/// How long the line stays quiet before a speed text ("YA123,4", no
/// terminator) counts as complete. The station sends the two lanes' texts
/// 200 ms apart, so this must be well below that.
constexpr int kQuietMs = 100;

/// One command per log line: control characters are shown as \xNN.
QByteArray printable(const QByteArray& command) {
    QByteArray text;
    for (const char c : command) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f || c == '\\')
            text += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0');
        else
            text += c;
    }
    return text;
}

}  // namespace

ControllerSim::ControllerSim(PseudoTerminal& pty, const Options& options, quint32 seed,
                             QIODevice& log, QObject* parent)
    : QObject(parent),
      m_pty(pty),
      m_options(options),
      m_random(seed),
      m_log(log),
      m_notifier(new QSocketNotifier(pty.masterFd(), QSocketNotifier::Read, this)),
      m_quiet(new QTimer(this)),
      m_race(new QTimer(this)) {
    m_quiet->setSingleShot(true);
    m_quiet->setInterval(kQuietMs);
    m_race->setSingleShot(true);
    m_race->setTimerType(Qt::PreciseTimer);
    connect(m_notifier, &QSocketNotifier::activated, this, &ControllerSim::readCommands);
    connect(m_quiet, &QTimer::timeout, this, [this] {
        for (const QByteArray& command : m_splitter.flush()) handle(command);
    });
    connect(m_race, &QTimer::timeout, this, &ControllerSim::playDue);
}

void ControllerSim::readCommands() {
    const QByteArray bytes = m_pty.readAvailable();
    for (const QByteArray& command : m_splitter.feed(bytes)) handle(command);
    if (m_splitter.hasPending())
        m_quiet->start();
    else
        m_quiet->stop();
}

void ControllerSim::handle(const QByteArray& command) {
    logCommand(command);
    if (command == "check@") {
        send("SysOK");
        // "versao:" takes the rest of the station's buffer, so the version
        // must be the whole line.
        send("versao:" + m_options.firmware.toLatin1());
        // The finish beams are clear: the station may align the pair.
        send("e_AJ-LOW");
        send("e_BJ-LOW");
    } else if (command == "reler@") {
        for (const QByteArray& line : std::as_const(m_lastRace)) send(line);
    } else if (command == "alinhar@") {
        send("Alinhar");
    } else if (command == "start@") {
        startRace();
    } else if (command == "stop@") {
        stopRace();
        send("recebeu_stop");
        send("stop");
    } else if (command == "fechapista@") {
        send("PistaFechadaON");
    } else if (command == "START-AUTO@" || command == "START-MANUAL@" || command == "PLACAR-ON@" ||
               command == "PLACAR-OFF@" || command == "PLACAR-PISTA@" ||
               command == "PLACAR-TOTAL@") {
        // The station changes its toggles only when the controller confirms.
        send(command.chopped(1));
    }
    // Everything else (the station's "Largada", lane and scoreboard texts,
    // tree modes, handicap and target settings) only shows in the log.
}

void ControllerSim::logCommand(const QByteArray& command) {
    m_log.write(printable(command) + '\n');
    if (auto* file = qobject_cast<QFileDevice*>(&m_log))
        file->flush();
}

void ControllerSim::send(const QByteArray& line) {
    m_pty.write(line + '\n');
}

void ControllerSim::startRace() {
    stopRace();
    m_lastRace.clear();
    m_events = RacePlan::build(m_options.laneA, m_options.laneB, m_options.flyingStart, m_random);
    m_next = 0;
    send("Largada");
    m_clock.start();
    playDue();
}

void ControllerSim::stopRace() {
    m_race->stop();
    m_events.clear();
    m_next = 0;
}

/// Sends every event whose moment has come, then sleeps until the next one.
void ControllerSim::playDue() {
    const double elapsed = double(m_clock.nsecsElapsed()) / 1e9 * m_options.speed;
    while (m_next < m_events.size() && m_events.at(m_next).at <= elapsed) {
        const RaceEvent& event = m_events.at(m_next++);
        send(event.line);
        if (event.measurement)
            m_lastRace << event.line;
    }
    if (m_next >= m_events.size()) {
        m_events.clear();
        return;
    }
    const double wait = (m_events.at(m_next).at - elapsed) / m_options.speed;
    m_race->start(int(std::ceil(wait * 1000.0)));
}
