#include "race/SerialLink.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cctype>
#include <memory>

namespace {

/// The simulator running in a process of its own, with the station's serial
/// link on its pseudo-terminal.
class Sim {
public:
    explicit Sim(const QStringList& args) {
        m_process.setProgram(QStringLiteral(VUD_CONTROLLER_SIM));
        m_process.setArguments(args);
        m_process.start();
        QElapsedTimer waited;
        waited.start();
        while (!m_process.canReadLine() && waited.elapsed() < 10000 &&
               m_process.state() != QProcess::NotRunning)
            m_process.waitForReadyRead(100);
        const QByteArray first = m_process.readLine().trimmed();
        if (first.startsWith("ready "))
            m_path = QString::fromLocal8Bit(first.mid(6));
        QObject::connect(&m_link, &SerialLink::received,
                         [this](const QByteArray& bytes) { m_rx += bytes; });
    }
    ~Sim() {
        m_link.close();
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(3000))
                m_process.kill();
            m_process.waitForFinished(3000);
        }
    }

    bool ready() const { return !m_path.isEmpty(); }
    /// Whether the process has ended (waiting for it a little).
    bool finished() {
        return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(5000);
    }
    const QString& path() const { return m_path; }
    QProcess& process() { return m_process; }
    SerialLink& link() { return m_link; }
    void connect() { m_link.open(m_path); }

    QByteArray& rx() { return m_rx; }
    /// The complete lines received so far.
    QList<QByteArray> lines() const {
        QList<QByteArray> all = m_rx.split('\n');
        all.removeLast();  // the part after the last line feed
        return all;
    }
    bool waitFor(const QByteArray& text, int timeoutMs = 10000) {
        QElapsedTimer waited;
        waited.start();
        while (!m_rx.contains(text) && waited.elapsed() < timeoutMs) QTest::qWait(10);
        return m_rx.contains(text);
    }

private:
    QProcess m_process;
    QString m_path;
    SerialLink m_link;
    QByteArray m_rx;
};

/// The value after a line's token: "RA0.512" with "RA" gives 0.512; -1 when
/// no line carries the token.
double valueOf(const QList<QByteArray>& lines, const QByteArray& token) {
    for (const QByteArray& line : lines)
        if (line.startsWith(token) && line.size() > token.size() &&
            (std::isdigit(static_cast<unsigned char>(line.at(token.size()))) != 0))
            return line.mid(token.size()).toDouble();
    return -1;
}

/// Whether a line is `token` itself or `token` followed by its number.
bool hasLine(const QList<QByteArray>& lines, const QByteArray& token) {
    return lines.contains(token) || valueOf(lines, token) >= 0;
}

/// The race lines after "Largada", without the sensor events.
QList<QByteArray> measurements(const QList<QByteArray>& lines) {
    QList<QByteArray> picked;
    for (const QByteArray& line : lines)
        if (!line.contains('-') && !line.contains("_Verde") && line != "Largada" && line != "fim" &&
            line != "Alinhar")
            picked << line;
    return picked;
}

}  // namespace

class TestControllerSim : public QObject {
    Q_OBJECT

private slots:
    void answersCommands_data();
    void answersCommands();
    void playsARaceWithFixedTimes();
    void raceVariants_data();
    void raceVariants();
    void randomTimesAreSensibleAndFollowTheSeed();
    void stopEndsTheRace();
    void keepsALinkAndLogsEveryCommand();
    void refusesToReplaceAFileWithTheLink();
    void rejectsBadOptions_data();
    void rejectsBadOptions();
};

void TestControllerSim::answersCommands_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("writes");
    QTest::addColumn<QByteArray>("reply");
    QTest::newRow("check") << QStringList{} << QStringList{"check@"}
                           << QByteArray("SysOK\nversao:4.5\ne_AJ-LOW\ne_BJ-LOW\n");
    QTest::newRow("firmware version") << QStringList{"--firmware", "4.3"} << QStringList{"check@"}
                                      << QByteArray("SysOK\nversao:4.3\ne_AJ-LOW\ne_BJ-LOW\n");
    QTest::newRow("command split over two writes")
        << QStringList{} << QStringList{"chec", "k@"} << QByteArray("SysOK\nversao:4.5\ne_AJ-LOW\ne_BJ-LOW\n");
    QTest::newRow("two commands in one write")
        << QStringList{} << QStringList{"reler@check@"} << QByteArray("SysOK\nversao:4.5\ne_AJ-LOW\ne_BJ-LOW\n");
    QTest::newRow("alinhar") << QStringList{} << QStringList{"alinhar@"} << QByteArray("Alinhar\n");
    QTest::newRow("station's Largada needs no answer")
        << QStringList{} << QStringList{"Largada"} << QByteArray();
    QTest::newRow("stop") << QStringList{} << QStringList{"stop@"}
                          << QByteArray("recebeu_stop\nstop\n");
    QTest::newRow("close track") << QStringList{} << QStringList{"fechapista@"}
                                 << QByteArray("PistaFechadaON\n");
    QTest::newRow("toggles are confirmed")
        << QStringList{} << QStringList{"START-MANUAL@", "PLACAR-OFF@"}
        << QByteArray("START-MANUAL\nPLACAR-OFF\n");
    QTest::newRow("lane, tree and scoreboard texts are only logged")
        << QStringList{} << QStringList{"KA12@",        "ZA PRO@",  "treehandicap@", "tmpDialA250@",
                                        "targetA7500@", "XA00:02@", "YA123,4"}
        << QByteArray();
}

void TestControllerSim::answersCommands() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, writes);
    QFETCH(QByteArray, reply);
    Sim sim(args);
    QVERIFY(sim.ready());
    sim.connect();
    for (const QString& w : writes) {
        sim.link().write(w);
        QTest::qWait(20);
    }
    if (!reply.isEmpty())
        QVERIFY2(sim.waitFor(reply), sim.rx().constData());
    QTest::qWait(250);  // and nothing after it
    QCOMPARE(sim.rx(), reply);
}

void TestControllerSim::playsARaceWithFixedTimes() {
    const double speed = 20;
    Sim sim({"--speed", QString::number(speed), "--seed", "7", "--lane-a", "0.512,6.498",
             "--lane-b", "0.6,7.2"});
    QVERIFY(sim.ready());
    sim.connect();
    sim.link().write(QStringLiteral("reler@"));  // no race yet: nothing to resend
    sim.link().write(QStringLiteral("alinhar@"));
    QVERIFY(sim.waitFor("Alinhar\n"));
    QCOMPARE(sim.rx(), QByteArray("Alinhar\n"));
    sim.link().write(QStringLiteral("Largada"));
    sim.link().write(QStringLiteral("start@"));
    QVERIFY(sim.waitFor("Largada\n"));
    QElapsedTimer race;
    race.start();
    QVERIFY(sim.waitFor("fim\n"));
    // The slower lane finishes 1.2 + 0.6 + 7.2 race seconds after the start.
    QVERIFY2(race.elapsed() >= qint64(0.9 * 9000 / speed),
             qPrintable(QString::number(race.elapsed())));

    const QList<QByteArray> lines = sim.lines();
    QCOMPARE(lines.at(1), QByteArray("Largada"));
    QCOMPARE(lines.last(), QByteArray("fim"));
    for (const char* expected : {"RA0.512", "AJ6.498", "FA7.010", "RB0.600", "BJ7.200", "FB7.800",
                                 "APS-HIGH", "e_AA-LOW", "sA_Verde", "e_BJ-HIGH"})
        QVERIFY2(lines.contains(expected), expected);

    for (const char lane : {'A', 'B'}) {
        const QByteArray track = lane == 'A' ? "AJ" : "BJ";
        const QByteArray sensorOff = QByteArray("e_") + lane + "J-LOW";
        const QList<QByteArray> order = {QByteArray("R") + lane,
                                         QByteArray("P") + lane,
                                         QByteArray("L") + lane,
                                         QByteArray("C") + lane,
                                         sensorOff,
                                         track,
                                         QByteArray("T") + lane,
                                         QByteArray("V2A") + lane,
                                         QByteArray("F") + lane};
        qsizetype previous = -1;
        for (const QByteArray& token : order) {
            qsizetype at = -1;
            for (qsizetype i = 0; i < lines.size() && at < 0; ++i)
                if (lines.at(i).startsWith(token))
                    at = i;
            QVERIFY2(at > previous, token.constData());
            previous = at;
        }
        // The split times grow towards the track time, and the speed is sane.
        const double sixty = valueOf(lines, QByteArray("P") + lane);
        const double split1 = valueOf(lines, QByteArray("L") + lane);
        const double split2 = valueOf(lines, QByteArray("C") + lane);
        const double trackTime = valueOf(lines, track);
        QVERIFY(0 < sixty && sixty < split1 && split1 < split2 && split2 < trackTime);
        const double finishSpeed = valueOf(lines, QByteArray("T") + lane);
        QVERIFY2(finishSpeed >= 120 && finishSpeed <= 220, QByteArray::number(finishSpeed));
    }

    const QList<QByteArray> raced = measurements(lines);
    sim.rx().clear();
    sim.link().write(QStringLiteral("reler@"));
    QVERIFY(sim.waitFor(raced.last() + '\n'));
    QCOMPARE(sim.lines(), raced);
}

void TestControllerSim::raceVariants_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::newRow("foul on lane B")
        << QStringList{"--foul", "B"}
        << QStringList{"QB", "RB0.000", "e_BB-HIGH", "FB7.200", "RA0.512", "sA_Verde"}
        << QStringList{"QA", "sB_Verde"};
    QTest::newRow("lane A never finishes")
        << QStringList{"--no-finish", "a"} << QStringList{"RA0.512", "CA", "FB7.800"}
        << QStringList{"AJ", "FA", "TA", "V2AA", "e_AJ-HIGH", "e_AJ-LOW"};
    QTest::newRow("both lanes foul")
        << QStringList{"--foul", "A", "--foul", "B"}
        << QStringList{"QA", "QB", "FA6.498", "FB7.200"} << QStringList{"sA_Verde", "sB_Verde"};
    QTest::newRow("flying start") << QStringList{"--flying-start", "--lane-a", "0.3,7,0.25"}
                                  << QStringList{"PA0.250", "FA7.300"} << QStringList{};
}

void TestControllerSim::raceVariants() {
    QFETCH(QStringList, args);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    Sim sim(QStringList{"--speed", "40", "--lane-a", "0.512,6.498", "--lane-b", "0.6,7.2"} + args);
    QVERIFY(sim.ready());
    sim.connect();
    sim.link().write(QStringLiteral("start@"));
    QVERIFY(sim.waitFor("fim\n"));
    const QList<QByteArray> lines = sim.lines();
    for (const QString& line : present) QVERIFY2(hasLine(lines, line.toLatin1()), qPrintable(line));
    for (const QString& line : absent) QVERIFY2(!hasLine(lines, line.toLatin1()), qPrintable(line));
    QCOMPARE(lines.last(), QByteArray("fim"));
}

void TestControllerSim::randomTimesAreSensibleAndFollowTheSeed() {
    QList<QByteArray> firstRaces;
    QList<QByteArray> firstRace;
    for (int run = 0; run < 2; ++run) {
        Sim sim({"--speed", "60", "--seed", "11"});
        QVERIFY(sim.ready());
        sim.connect();
        QList<QByteArray> all;
        for (int race = 0; race < 3; ++race) {
            sim.rx().clear();
            sim.link().write(QStringLiteral("start@"));
            QVERIFY(sim.waitFor("fim\n"));
            const QList<QByteArray> lines = sim.lines();
            for (const char lane : {'A', 'B'}) {
                const double reaction = valueOf(lines, QByteArray("R") + lane);
                const double sixty = valueOf(lines, QByteArray("P") + lane);
                const double track = valueOf(lines, lane == 'A' ? "AJ" : "BJ");
                const double finalTime = valueOf(lines, QByteArray("F") + lane);
                const double speed = valueOf(lines, QByteArray("T") + lane);
                QVERIFY2(reaction >= 0.05 && reaction <= 0.6, QByteArray::number(reaction));
                QVERIFY2(sixty >= 1.4 && sixty <= 2.2, QByteArray::number(sixty));
                QVERIFY2(track >= 6 && track <= 12, QByteArray::number(track));
                QVERIFY(qAbs(finalTime - (reaction + track)) < 0.0015);
                QVERIFY2(speed >= 120 && speed <= 220, QByteArray::number(speed));
            }
            if (race == 0)
                firstRace = measurements(lines);
            all += measurements(lines);
        }
        if (run == 0)
            firstRaces = all;
        else
            QCOMPARE(all, firstRaces);
    }
    Sim other({"--speed", "60", "--seed", "12"});
    QVERIFY(other.ready());
    other.connect();
    other.link().write(QStringLiteral("start@"));
    QVERIFY(other.waitFor("fim\n"));
    QVERIFY(measurements(other.lines()) != firstRace);
}

void TestControllerSim::stopEndsTheRace() {
    Sim sim({"--speed", "10", "--lane-a", "0.5,6", "--lane-b", "0.5,6"});
    QVERIFY(sim.ready());
    sim.connect();
    sim.link().write(QStringLiteral("start@"));
    QVERIFY(sim.waitFor("Largada\n"));
    sim.link().write(QStringLiteral("stop@"));
    QVERIFY(sim.waitFor("recebeu_stop\nstop\n"));
    // Unstopped, this race would end about 0.8 s after its start.
    QTest::qWait(1500);
    QVERIFY2(!sim.rx().contains("fim\n"), sim.rx().constData());
    QVERIFY(!sim.rx().contains("FA"));
    QVERIFY(sim.rx().endsWith("recebeu_stop\nstop\n"));

    // A new start plays a whole race again.
    sim.link().write(QStringLiteral("start@"));
    QVERIFY(sim.waitFor("fim\n"));
}

void TestControllerSim::keepsALinkAndLogsEveryCommand() {
    QTemporaryDir dir;
    const QString link = dir.filePath("controlador");
    const QString log = dir.filePath("sim.log");
    QVERIFY(QFile::link(QStringLiteral("/dev/pts/99999"), link));  // left by a crashed run
    std::unique_ptr<Sim> sim(new Sim({"--link", link, "--log", log}));
    QVERIFY(sim->ready());
    QCOMPARE(QFileInfo(link).symLinkTarget(), sim->path());

    // The station opens the link, not the pseudo-terminal's own name.
    sim->link().open(link);
    sim->link().write(QStringLiteral("KA12@"));
    sim->link().write(QStringLiteral("Largada"));
    sim->link().write(QStringLiteral("YA123,4"));
    QTest::qWait(200);
    sim->link().write(QStringLiteral("YB98,7"));
    QTest::qWait(200);
    sim->link().write(QStringLiteral("YAOVER@"));
    sim->link().write(QStringLiteral("ZA 12@"));
    sim->link().write(QStringLiteral("YA7@"));
    const QStringList expected{"KA12@",   "Largada", "YA123,4", "YB98,7",
                               "YAOVER@", "ZA 12@",  "YA7@"};
    QStringList logged;
    QElapsedTimer waited;
    waited.start();
    while (logged.size() < expected.size() && waited.elapsed() < 5000) {
        QTest::qWait(20);
        QFile file(log);
        if (file.open(QIODevice::ReadOnly))
            logged = QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    QCOMPARE(logged, expected);

    sim->link().close();
    sim->process().terminate();
    QVERIFY(sim->process().waitForFinished(5000));
    QCOMPARE(sim->process().exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim->process().exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestControllerSim::refusesToReplaceAFileWithTheLink() {
    QTemporaryDir dir;
    const QString path = dir.filePath("controlador");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();
    Sim sim({"--link", path});
    QVERIFY(!sim.ready());
    QVERIFY(sim.finished());
    QVERIFY(sim.process().exitCode() != 0);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("keep me"));
}

void TestControllerSim::rejectsBadOptions_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("speed zero") << QStringList{"--speed", "0"};
    QTest::newRow("speed not a number") << QStringList{"--speed", "fast"};
    QTest::newRow("lane without track time") << QStringList{"--lane-a", "0.5"};
    QTest::newRow("negative track time") << QStringList{"--lane-b", "0.5,-7"};
    QTest::newRow("foul on a third lane") << QStringList{"--foul", "C"};
    QTest::newRow("no-finish without lane") << QStringList{"--no-finish", ""};
    QTest::newRow("seed not a number") << QStringList{"--seed", "x"};
}

void TestControllerSim::rejectsBadOptions() {
    QFETCH(QStringList, args);
    Sim sim(args);
    QVERIFY(!sim.ready());
    QVERIFY(sim.finished());
    QCOMPARE(sim.process().exitCode(), 2);
}

QTEST_GUILESS_MAIN(TestControllerSim)
#include "tst_controllersim.moc"
