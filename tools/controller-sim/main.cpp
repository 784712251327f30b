// Plays the light-tree timing controller on a pseudo-terminal, so the
// station can be run and tested without the hardware. Prints
// "ready <slave path>" once the line is open; every command the station
// writes is logged, one per line.
#include "ControllerSim.h"
#include "PseudoTerminal.h"

#include <fcntl.h>
#include <unistd.h>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QSocketNotifier>
#include <csignal>
#include <cstdio>
#include <stdexcept>

namespace {

int g_signalPipe[2] = {-1, -1};

void onSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

/// SIGTERM, SIGINT and SIGHUP end the event loop, so the link is removed
/// and the pseudo-terminal closed on the way out.
void quitOnSignals(QCoreApplication& app) {
    if (::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("pipe2 failed");
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app] {
        char byte;
        while (::read(g_signalPipe[0], &byte, 1) > 0) {
        }
        app.quit();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

bool parseLane(const QString& text, LaneSetup& lane) {
    const QStringList parts = text.split(u',');
    if (parts.size() < 2 || parts.size() > 3)
        return false;
    double values[3] = {-1, -1, -1};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        bool ok = false;
        values[i] = parts.at(i).trimmed().toDouble(&ok);
        if (!ok || values[i] < 0)
            return false;
    }
    if (values[1] <= 0 || (parts.size() == 3 && values[2] <= 0))
        return false;
    lane.reaction = values[0];
    lane.track = values[1];
    lane.first = values[2];
    return true;
}

bool parseLanes(const QStringList& values, bool LaneSetup::*flag, ControllerSim::Options& o) {
    for (const QString& v : values) {
        const QString lane = v.trimmed().toUpper();
        if (lane == QStringLiteral("A"))
            o.laneA.*flag = true;
        else if (lane == QStringLiteral("B"))
            o.laneB.*flag = true;
        else
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vud-controller-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Timing-controller simulator on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption linkOption(QStringLiteral("link"),
                                        QStringLiteral("Keep a symbolic link PATH to the port."),
                                        QStringLiteral("PATH"));
    const QCommandLineOption logOption(
        QStringLiteral("log"),
        QStringLiteral("Log the commands received to FILE (default stderr)."),
        QStringLiteral("FILE"));
    const QCommandLineOption speedOption(
        QStringLiteral("speed"), QStringLiteral("Play races FACTOR times faster (default 1)."),
        QStringLiteral("FACTOR"), QStringLiteral("1"));
    const QCommandLineOption seedOption(
        QStringLiteral("seed"), QStringLiteral("Seed of the random times."), QStringLiteral("N"));
    const QCommandLineOption laneAOption(
        QStringLiteral("lane-a"),
        QStringLiteral("Lane A times: reaction,track[,60-ft or 10 m trap time]."),
        QStringLiteral("TIMES"));
    const QCommandLineOption laneBOption(QStringLiteral("lane-b"),
                                         QStringLiteral("Lane B times, as --lane-a."),
                                         QStringLiteral("TIMES"));
    const QCommandLineOption foulOption(QStringLiteral("foul"),
                                        QStringLiteral("Lane A or B leaves before the green."),
                                        QStringLiteral("LANE"));
    const QCommandLineOption noFinishOption(QStringLiteral("no-finish"),
                                            QStringLiteral("Lane A or B never reaches the finish."),
                                            QStringLiteral("LANE"));
    const QCommandLineOption flyingOption(
        QStringLiteral("flying-start"),
        QStringLiteral("Flying start: PA/PB carry the 10 m trap time."));
    const QCommandLineOption firmwareOption(
        QStringLiteral("firmware"),
        QStringLiteral("Version text answered to \"check@\" (default 4.5)."),
        QStringLiteral("VERSION"), QStringLiteral("4.5"));
    parser.addOptions({linkOption, logOption, speedOption, seedOption, laneAOption, laneBOption,
                       foulOption, noFinishOption, flyingOption, firmwareOption});
    parser.process(app);

    auto usage = [](const QString& message) {
        std::fprintf(stderr, "vud-controller-sim: %s\n", qPrintable(message));
        return 2;
    };
    ControllerSim::Options options;
    bool ok = false;
    options.speed = parser.value(speedOption).toDouble(&ok);
    if (!ok || !(options.speed > 0))
        return usage(QStringLiteral("--speed needs a factor above 0"));
    if (parser.isSet(laneAOption) && !parseLane(parser.value(laneAOption), options.laneA))
        return usage(QStringLiteral("--lane-a needs reaction,track[,first]"));
    if (parser.isSet(laneBOption) && !parseLane(parser.value(laneBOption), options.laneB))
        return usage(QStringLiteral("--lane-b needs reaction,track[,first]"));
    if (!parseLanes(parser.values(foulOption), &LaneSetup::foul, options))
        return usage(QStringLiteral("--foul takes A or B"));
    if (!parseLanes(parser.values(noFinishOption), &LaneSetup::noFinish, options))
        return usage(QStringLiteral("--no-finish takes A or B"));
    options.flyingStart = parser.isSet(flyingOption);
    options.firmware = parser.value(firmwareOption);
    quint32 seed = QRandomGenerator::system()->generate();
    if (parser.isSet(seedOption)) {
        seed = parser.value(seedOption).toUInt(&ok);
        if (!ok)
            return usage(QStringLiteral("--seed needs a whole number"));
    }

    QFile log;
    if (parser.isSet(logOption)) {
        log.setFileName(parser.value(logOption));
        if (!log.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return usage(log.fileName() + QStringLiteral(": ") + log.errorString());
    } else if (!log.open(stderr, QIODevice::WriteOnly)) {
        return usage(QStringLiteral("cannot write to stderr"));
    }

    try {
        quitOnSignals(app);
        PseudoTerminal pty;
        if (parser.isSet(linkOption))
            pty.link(parser.value(linkOption));
        ControllerSim sim(pty, options, seed, log);
        std::printf("ready %s\n", pty.slavePath().toLocal8Bit().constData());
        std::fflush(stdout);
        return app.exec();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vud-controller-sim: %s\n", e.what());
        return 1;
    }
}
