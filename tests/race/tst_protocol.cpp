#include "RaceDoubles.h"
#include "core/NumberText.h"
#include "platform/Clock.h"
#include "race/ControllerProtocol.h"

#include <QRegularExpression>
#include <QTimer>
#include <QtTest>

namespace {

/// A protocol wired to a fresh rig; counts the starts it hands on.
struct Station {
    Station() { protocol.onStartReceived = [this] { ++starts; }; }
    void feed(const QByteArray& chars) { protocol.receive(chars); }
    void forgetOutputs() {
        rig.port.written.clear();
        rig.publisher.messages.clear();
        rig.monitor.calls.clear();
    }

    RaceRig rig;
    ControllerProtocol protocol{rig.ctx};
    int starts = 0;
};

/// A race-pair field or counter by name, e.g. "reactionTimeA", "guardBeam".
QVariant field(const Station& s, const QString& name) {
    const RacePair& p = s.rig.pair;
    if (name == u"controllerVersion") return p.controllerVersion;
    if (name == u"scoreboardOn") return p.scoreboardOn;
    if (name == u"scoreboardMode") return p.scoreboardMode;
    if (name == u"guardBeam") return p.guardBeam;
    if (name == u"trapSpeed10m") return p.trapSpeed10m;
    if (name == u"positionA") return p.positionA;
    if (name == u"lineBuffer") return s.protocol.lineBuffer();
    if (name == u"stopLogWrites") return s.rig.stopLogWrites;
    if (name == u"starts") return s.starts;
    const LaneState& l = name.endsWith(u'A') ? p.a : p.b;
    const QString base = name.chopped(1);
    if (base == u"reactionTime") return l.reactionTime;
    if (base == u"sixtyFootTime") return l.sixtyFootTime;
    if (base == u"flyingSpeed") return l.flyingSpeed;
    if (base == u"split1Time") return l.split1Time;
    if (base == u"split2Time") return l.split2Time;
    if (base == u"trackTime") return l.trackTime;
    if (base == u"finalTime") return l.finalTime;
    if (base == u"speed") return l.speed;
    if (base == u"speedShown") return l.speedShown;
    if (base == u"trapSpeed") return l.trapSpeed;
    if (base == u"speedPointB") return l.speedPointB;
    if (base == u"speedPointC") return l.speedPointC;
    if (base == u"foulFlag") return l.foulFlag;
    qFatal("unknown field %s", qPrintable(name));
}

/// Checks screen items written as "lblRA=0.512" (text), "spQA:shown" /
/// "spQA:hidden", "btnLargada:enabled" / ":disabled", "btnAlinhar@check"
/// (picture) and "spE_AC#red" (colour).
void checkItems(const ScreenModel& screen, const QStringList& items) {
    for (const QString& expectation : items) {
        const qsizetype at = expectation.indexOf(QRegularExpression(QStringLiteral("[=:@#]")));
        const QString name = expectation.left(at);
        const QChar kind = expectation.at(at);
        const QString want = expectation.mid(at + 1);
        QVERIFY2(screen.has(name), qPrintable(name));
        if (kind == u'=') {
            QCOMPARE(screen.text(name), want);
        } else if (kind == u'@') {
            QCOMPARE(screen.picture(name), want);
        } else if (kind == u'#') {
            QCOMPARE(screen.color(name), want);
        } else if (want == u"shown" || want == u"hidden") {
            QVERIFY2(screen.isVisible(name) == (want == u"shown"), qPrintable(expectation));
        } else {
            QVERIFY2(screen.isEnabled(name) == (want == u"enabled"), qPrintable(expectation));
        }
    }
}

void checkFields(const Station& s, const QVariantMap& fields) {
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        const QVariant actual = field(s, it.key());
        QVERIFY2(actual == it.value(), qPrintable(QStringLiteral("%1: %2 != %3")
                                                      .arg(it.key(), actual.toString(), it.value().toString())));
    }
}

}  // namespace

class TestProtocol : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { platform::Clock::setFixed({}); }

    // Each controller line: what it shows, stores, publishes and tells the monitor.
    void lines_data() {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QVariantMap>("fields");
        QTest::addColumn<QStringList>("published");
        QTest::addColumn<QStringList>("monitor");

        QTest::newRow("QA fouls lane A")
            << QByteArray("QA\n") << QStringList{"spQA:shown", "lblStatusA=Queimou", "imgStatusAQ:shown"}
            << QVariantMap{{"foulFlagA", "S"}} << QStringList{"statusA:Queimou@"} << QStringList{"time A QUEI"};
        QTest::newRow("QA is exact")
            << QByteArray("QAX\nQa\n") << QStringList{"spQA:hidden"} << QVariantMap{{"foulFlagA", "N"}}
            << QStringList{} << QStringList{};
        QTest::newRow("RA point text")
            << QByteArray("RA0.512\n") << QStringList{"lblRA=0.512", "imgStatusAV:shown"}
            << QVariantMap{{"reactionTimeA", 0.512}} << QStringList{"RA:0.512@"} << QStringList{"time A 0.512"};
        QTest::newRow("RA padded to three decimals")
            << QByteArray("RA0.5\n") << QStringList{"lblRA=0.500"} << QVariantMap{{"reactionTimeA", 0.5}}
            << QStringList{"RA:0.500@"} << QStringList{"time A 0.500"};
        QTest::newRow("RA after a foul keeps the valid picture hidden")
            << QByteArray("QA\nRA0.4\n") << QStringList{"imgStatusAV:hidden", "imgStatusAQ:shown"}
            << QVariantMap{{"reactionTimeA", 0.4}} << QStringList{"statusA:Queimou@", "RA:0.400@"}
            << QStringList{"time A QUEI", "time A 0.400"};
        QTest::newRow("RB as received")
            << QByteArray("RB0.5\n") << QStringList{"lblRB=0.5", "imgStatusBV:shown"}
            << QVariantMap{{"reactionTimeB", 0.5}} << QStringList{"RB:0.5@"} << QStringList{"time B 0.5"};
        QTest::newRow("PA without flying start")
            << QByteArray("PA1.5\n") << QStringList{"lblPA=1.500"} << QVariantMap{{"sixtyFootTimeA", 1.5}}
            << QStringList{"PA:1.500@"} << QStringList{"time A 1.500"};
        QTest::newRow("PB without flying start")
            << QByteArray("PB1.5\n") << QStringList{"lblPB=1.500"} << QVariantMap{{"sixtyFootTimeB", 1.5}}
            << QStringList{"PB:1.500@"} << QStringList{"time B 1.500"};
        QTest::newRow("AF AG AH show nothing")
            << QByteArray("AF1.2\nAG2.3\nAH3.4\n") << QStringList{} << QVariantMap{} << QStringList{}
            << QStringList{};
        QTest::newRow("LA kept to three decimals")
            << QByteArray("LA4.1234\n") << QStringList{"lbl50A=4.123"} << QVariantMap{{"split1TimeA", 4.123}}
            << QStringList{"LA:4.123@"} << QStringList{"time A 4.123"};
        QTest::newRow("LB kept to three decimals")
            << QByteArray("LB4.1236\n") << QStringList{"lbl50B=4.124"} << QVariantMap{{"split1TimeB", 4.124}}
            << QStringList{"LB:4.124@"} << QStringList{"time B 4.124"};
        QTest::newRow("CA as received")
            << QByteArray("CA6.5\n") << QStringList{"lbl100A=6.5"} << QVariantMap{{"split2TimeA", 6.5}}
            << QStringList{"CA:6.5@"} << QStringList{"time A 6.5"};
        QTest::newRow("CB point text")
            << QByteArray("CB6.5\n") << QStringList{"lbl100B=6.500"} << QVariantMap{{"split2TimeB", 6.5}}
            << QStringList{"CB:6.500@"} << QStringList{"time B 6.500"};
        QTest::newRow("TA speed and shown speed")
            << QByteArray("TA180.1236\n") << QStringList{"lblVA=180.124"}
            << QVariantMap{{"speedA", 180.1236}, {"speedShownA", 180.124}} << QStringList{} << QStringList{};
        QTest::newRow("TB leaves speed alone")
            << QByteArray("TB180.1236\n") << QStringList{"lblVB=180.124"}
            << QVariantMap{{"speedB", 0.0}, {"speedShownB", 180.124}} << QStringList{} << QStringList{};
        QTest::newRow("AJ track time")
            << QByteArray("AJ7.001\n") << QStringList{"lblPistaA=7.001"} << QVariantMap{{"trackTimeA", 7.001}}
            << QStringList{"TPA:7.001@"} << QStringList{};
        QTest::newRow("BJ track time")
            << QByteArray("BJ7.2\n") << QStringList{"lblPistaB=7.2"} << QVariantMap{{"trackTimeB", 7.2}}
            << QStringList{"TPB:7.2@"} << QStringList{};
        QTest::newRow("V2AA above 750 is a glitch")
            << QByteArray("V2AA812.3\n") << QStringList{"lblVA=0,0"} << QVariantMap{{"trapSpeedA", 0.0}}
            << QStringList{"VA:0,0@"} << QStringList{"speed A 0,0"};
        QTest::newRow("V2AA below 5 is a glitch")
            << QByteArray("V2AA4.9\n") << QStringList{"lblVA=0,0"} << QVariantMap{{"trapSpeedA", 0.0}}
            << QStringList{"VA:0,0@"} << QStringList{"speed A 0,0"};
        QTest::newRow("V2AA comma text")
            << QByteArray("V2AA180.25\n") << QStringList{"lblVA=180,3"} << QVariantMap{{"trapSpeedA", 180.25}}
            << QStringList{"VA:180,3@"} << QStringList{"speed A 180,3"};
        QTest::newRow("VAB has no upper bound")
            << QByteArray("VAB812.3\n") << QStringList{"lblVB=812,3"} << QVariantMap{{"trapSpeedB", 812.3}}
            << QStringList{"VB:812,3@"} << QStringList{"speed B 812,3"};
        QTest::newRow("VAB below 5")
            << QByteArray("VAB4.9\n") << QStringList{"lblVB=0,0"} << QVariantMap{{"trapSpeedB", 0.0}}
            << QStringList{"VB:0,0@"} << QStringList{"speed B 0,0"};
        QTest::newRow("V2AB above 750")
            << QByteArray("V2AB812.3\n") << QStringList{"lblVB=0,0"} << QVariantMap{{"trapSpeedB", 0.0}}
            << QStringList{"VB:0,0@"} << QStringList{"speed B 0,0"};
        QTest::newRow("VFA 10 m trap")
            << QByteArray("VFA250000\n") << QStringList{"Label12=144,00"} << QVariantMap{{"trapSpeed10m", 144.0}}
            << QStringList{} << QStringList{};
        QTest::newRow("VBA below 5")
            << QByteArray("VBA3\n") << QStringList{"lblVBA=0,0"} << QVariantMap{{"speedPointBA", 0.0}}
            << QStringList{"VBA:0,0@"} << QStringList{};
        QTest::newRow("VBB has no upper bound")
            << QByteArray("VBB812.3\n") << QStringList{"lblVBB=812,3"} << QVariantMap{{"speedPointBB", 812.3}}
            << QStringList{"VBB:812,3@"} << QStringList{};
        QTest::newRow("VCA has no lower bound")
            << QByteArray("VCA2\n") << QStringList{"lblVCA=2,0"} << QVariantMap{{"speedPointCA", 2.0}}
            << QStringList{"VCA:2,0@"} << QStringList{};
        QTest::newRow("VCB tie rounds up")
            << QByteArray("VCB3.25\n") << QStringList{"lblVCB=3,3"} << QVariantMap{{"speedPointCB", 3.25}}
            << QStringList{"VCB:3,3@"} << QStringList{};
        QTest::newRow("FA over a minute, raw then minutes")
            << QByteArray("FA63.25\n") << QStringList{"lblFA=1:3,250", "lblPosA=1º"}
            << QVariantMap{{"finalTimeA", 63.25}, {"positionA", 1}} << QStringList{"FA:63.25@", "FA:1:3,250@"}
            << QStringList{"time A 0.000"};
        QTest::newRow("FA of 2 s or less has no position")
            << QByteArray("FA1.5\n") << QStringList{"lblFA=1,500", "lblPosA="}
            << QVariantMap{{"finalTimeA", 1.5}, {"positionA", 0}} << QStringList{"FA:1,500@"}
            << QStringList{"time A 0.000"};
        QTest::newRow("FA tells the monitor the track time")
            << QByteArray("AJ7.001\nFA7.512\n") << QStringList{"lblFA=7,512"} << QVariantMap{}
            << QStringList{"TPA:7.001@", "FA:7.512@", "FA:7,512@"} << QStringList{"time A 7.001"};
        QTest::newRow("QB fouls lane B")
            << QByteArray("QB\n") << QStringList{"spQB:shown", "lblStatusB=Queimou", "imgStatusBQ:shown"}
            << QVariantMap{{"foulFlagB", "S"}} << QStringList{"statusB:Queimou@"} << QStringList{"time B QUEI"};
        QTest::newRow("FB derives lane B track time")
            << QByteArray("RB0.5\nVAB150.2\nFB7.6\n")
            << QStringList{"lblFB=7,600", "lblPistaB=7.100", "lblPosB="}
            << QVariantMap{{"finalTimeB", 7.6}, {"trackTimeB", 0.0}}
            << QStringList{"RB:0.5@", "VB:150,2@", "FB:7,600@", "TPB:7.100@", "VB:150,2@"}
            << QStringList{"time B 0.5", "speed B 150,2", "time B 7.100"};
        QTest::newRow("FB over a minute, kept to three decimals")
            << QByteArray("FB75.5004\n") << QStringList{"lblFB=1:15,500"} << QVariantMap{{"finalTimeB", 75.5}}
            << QStringList{"FB:1:15,500@", "TPB:75.500@", "VB:0,0@"} << QStringList{"time B 75.500"};
        QTest::newRow("tokens are case-sensitive")
            << QByteArray("La1.0\nra0.5\nfa9.0\n") << QStringList{"lbl50A=0.000", "lblRA=0.000"} << QVariantMap{}
            << QStringList{} << QStringList{};
    }
    void lines() {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, items);
        QFETCH(QVariantMap, fields);
        QFETCH(QStringList, published);
        QFETCH(QStringList, monitor);
        Station s;
        s.feed(input);
        checkItems(s.rig.screen, items);
        checkFields(s, fields);
        QCOMPARE(s.rig.publisher.messages, published);
        QCOMPARE(s.rig.monitor.calls, monitor);
        QVERIFY(s.rig.port.written.isEmpty());
        QCOMPARE(s.protocol.lineBuffer(), QString());
    }

    void closedMonitorIsLeftAlone() {
        Station s;
        s.rig.monitor.open = false;
        s.feed("QA\nRA0.5\nPA1.5\nLA4.1\nCA6.2\nV2AA180\nFA7.5\nQB\nRB0.5\nPB1.5\nLB4.1\nCB6.2\nVAB180\nFB7.5\n");
        QVERIFY(s.rig.monitor.calls.isEmpty());
        QCOMPARE(s.rig.monitor.callsWhileClosed, QStringList());
        QCOMPARE(s.rig.screen.text("lblFB"), QString("7,500"));
    }

    void positionAskedForLaneA() {
        Station s;
        s.rig.pair.a.vehicleCode = 17;
        s.rig.pair.a.categoryCode = 5;
        s.rig.data.nextPosition = 99;
        s.feed("FA7.5\nFB7.1\n");
        QCOMPARE(s.rig.data.asked, (QList<QPair<int, int>>{{17, 5}}));
        QCOMPARE(s.rig.screen.text("lblPosA"), QString("99º"));
        QCOMPARE(s.rig.pair.positionA, 99);
    }

    void finishClockIsNow() {
        platform::Clock::setFixed(QDateTime(QDate(2026, 5, 2), QTime(14, 3, 9)));
        Station s;
        s.feed("FA1.0\nFB7.0\n");
        QCOMPARE(s.rig.pair.a.finishClock, QTime(14, 3, 9));
        QCOMPARE(s.rig.pair.b.finishClock, QTime(14, 3, 9));
    }

    // With a flying start the 60-foot trap measures the entry speed.
    void flyingStart_data() {
        QTest::addColumn<int>("maxSpeed");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QVariantMap>("fields");
        QTest::addColumn<QStringList>("published");
        QTest::newRow("over speed fouls lane A")
            << 120 << QByteArray("RA0.4\nPA0.25\n") << QStringList{"XA 144@", "YAOVER@"}
            << QStringList{"lblPA=144", "lblStatusA=Queimou", "imgStatusAQ:shown"}
            << QVariantMap{{"flyingSpeedA", 144}, {"speedA", 144.0}, {"foulFlagA", "S"}}
            << QStringList{"RA:0.400@", "PA:144@"};
        QTest::newRow("at the limit is allowed")
            << 144 << QByteArray("RA0.4\nPA0.25\n") << QStringList{"XA 144@"}
            << QStringList{"lblPA=144", "lblStatusA=", "imgStatusAQ:hidden"}
            << QVariantMap{{"flyingSpeedA", 144}, {"foulFlagA", "N"}} << QStringList{"RA:0.400@", "PA:144@"};
        QTest::newRow("rounded to the nearest km/h")
            << 200 << QByteArray("RA0.4\nPA0.2513\n") << QStringList{"XA 143@"} << QStringList{"lblPA=143"}
            << QVariantMap{{"flyingSpeedA", 143}} << QStringList{"RA:0.400@", "PA:143@"};
        QTest::newRow("no reaction yet: label kept")
            << 120 << QByteArray("PA0.25\n") << QStringList{} << QStringList{"lblPA=0.000"}
            << QVariantMap{{"sixtyFootTimeA", 0.25}, {"flyingSpeedA", 0}, {"foulFlagA", "N"}}
            << QStringList{"PA:0.000@"};
        QTest::newRow("zero time: label kept")
            << 120 << QByteArray("RA0.4\nPA0\n") << QStringList{} << QStringList{"lblPA=0.000"}
            << QVariantMap{{"flyingSpeedA", 0}} << QStringList{"RA:0.400@", "PA:0.000@"};
        QTest::newRow("lane B over speed")
            << 120 << QByteArray("RB0.4\nPB0.25\n") << QStringList{"XB 144@", "YBOVER@"}
            << QStringList{"lblPB=144", "lblStatusB=Queimou", "imgStatusBQ:shown"}
            << QVariantMap{{"flyingSpeedB", 144}, {"speedB", 144.0}, {"foulFlagB", "S"}}
            << QStringList{"RB:0.4@", "PB:144@"};
        QTest::newRow("lane B without reaction shows the payload")
            << 120 << QByteArray("PB0.25\n") << QStringList{} << QStringList{"lblPB=0.25"}
            << QVariantMap{{"flyingSpeedB", 0}} << QStringList{"PB:0.25@"};
    }
    void flyingStart() {
        QFETCH(int, maxSpeed);
        QFETCH(QByteArray, input);
        QFETCH(QStringList, written);
        QFETCH(QStringList, items);
        QFETCH(QVariantMap, fields);
        QFETCH(QStringList, published);
        Station s;
        s.rig.data.champ.flyingStart = "S";
        s.rig.data.champ.maxFlyingSpeed = maxSpeed;
        s.feed(input);
        QCOMPARE(s.rig.port.written, written);
        checkItems(s.rig.screen, items);
        checkFields(s, fields);
        QCOMPARE(s.rig.publisher.messages, published);
    }

    void flyingStartTellsTheMonitor() {
        Station s;
        s.rig.data.champ.flyingStart = "S";
        s.rig.data.champ.maxFlyingSpeed = 200;
        s.feed("RA0.4\nPA0.25\n");
        QCOMPARE(s.rig.monitor.calls, (QStringList{"time A 0.400", "time A 144", "time A 144"}));
    }

    // Immediate tokens act on the character that completes them. `before`
    // sets the scene; only what `input` causes is compared.
    void immediate_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QVariantMap>("fields");
        QTest::addColumn<QStringList>("published");
        QTest::addColumn<QStringList>("written");
        const QStringList lampsOff{"spQA:hidden", "spQB:hidden", "spAA1:hidden", "spAB3:hidden",
                                   "spVEA:hidden", "spVEB:hidden"};

        QTest::newRow("fim: lane A quicker, even without a finish")
            << QByteArray("FB7.1\nAlinhar\ne_AB-HIGH\n") << QByteArray("fim")
            << lampsOff + QStringList{"spAzul:hidden", "btnAlinhar=Alinhar", "btnAlinhar@align"}
            << QVariantMap{{"lineBuffer", ""}} << QStringList{"GanhaA:s@"} << QStringList{};
        QTest::newRow("fim: lane B quicker")
            << QByteArray("FA7.5\nFB7.1\n") << QByteArray("fim") << QStringList{} << QVariantMap{}
            << QStringList{"GanhaB:s@"} << QStringList{};
        QTest::newRow("fim: a tie has no winner")
            << QByteArray("FA7.1\nFB7.1\n") << QByteArray("fim") << QStringList{} << QVariantMap{}
            << QStringList{} << QStringList{};
        QTest::newRow("versao")
            << QByteArray() << QByteArray("versao:4.31") << QStringList{"pnlStatus3=4.31"}
            << QVariantMap{{"controllerVersion", "4.31"}, {"lineBuffer", "versao:4.31"}} << QStringList{}
            << QStringList{};
        QTest::newRow("ATSA")
            << QByteArray() << QByteArray("ATSA 12") << QStringList{"lblContA= 12"} << QVariantMap{}
            << QStringList{} << QStringList{};
        QTest::newRow("MODO-PRO") << QByteArray() << QByteArray("MODO-PRO") << QStringList{"lblTreeMode=FULL"}
                                  << QVariantMap{} << QStringList{} << QStringList{};
        QTest::newRow("MODO-DRAG") << QByteArray() << QByteArray("MODO-DRAG") << QStringList{"lblTreeMode=PRO"}
                                   << QVariantMap{} << QStringList{} << QStringList{};
        QTest::newRow("MODO-Handicap") << QByteArray() << QByteArray("MODO-Handicap")
                                       << QStringList{"lblTreeMode=HANDICAP"} << QVariantMap{} << QStringList{}
                                       << QStringList{};
        QTest::newRow("MODO-OUTLAW") << QByteArray() << QByteArray("MODO-OUTLAW")
                                     << QStringList{"lblTreeMode=OUTLAW"} << QVariantMap{} << QStringList{}
                                     << QStringList{};
        QTest::newRow("START-AUTO") << QByteArray() << QByteArray("START-AUTO")
                                    << QStringList{"imgAutoStartOn:shown", "imgAutoStartOff:hidden"}
                                    << QVariantMap{} << QStringList{} << QStringList{};
        QTest::newRow("START-MANUAL") << QByteArray("START-AUTO\n") << QByteArray("START-MANUAL")
                                      << QStringList{"imgAutoStartOn:hidden", "imgAutoStartOff:shown"}
                                      << QVariantMap{} << QStringList{} << QStringList{};
        QTest::newRow("PLACAR-TOTAL") << QByteArray() << QByteArray("PLACAR-TOTAL") << QStringList{}
                                      << QVariantMap{{"scoreboardMode", "T"}} << QStringList{} << QStringList{};
        QTest::newRow("PLACAR-PISTA") << QByteArray("PLACAR-TOTAL\n") << QByteArray("PLACAR-PISTA")
                                      << QStringList{} << QVariantMap{{"scoreboardMode", "P"}} << QStringList{}
                                      << QStringList{};
        QTest::newRow("PLACAR-ON") << QByteArray() << QByteArray("PLACAR-ON")
                                   << QStringList{"imgPlacarOn:shown", "imgPlacarOff:hidden"}
                                   << QVariantMap{{"scoreboardOn", "S"}} << QStringList{} << QStringList{};
        QTest::newRow("PLACAR-OFF") << QByteArray("PLACAR-ON\n") << QByteArray("PLACAR-OFF")
                                    << QStringList{"imgPlacarOn:hidden", "imgPlacarOff:shown"}
                                    << QVariantMap{{"scoreboardOn", "N"}} << QStringList{} << QStringList{};
        QTest::newRow("GuardBeamON") << QByteArray() << QByteArray("GuardBeamON") << QStringList{}
                                     << QVariantMap{{"guardBeam", "S"}} << QStringList{} << QStringList{};
        QTest::newRow("GuardBeamOFF") << QByteArray("GuardBeamON\n") << QByteArray("GuardBeamOFF")
                                      << QStringList{} << QVariantMap{{"guardBeam", "N"}} << QStringList{}
                                      << QStringList{};
        QTest::newRow("stop writes the run log")
            << QByteArray("PistaFechadaOFF\n") << QByteArray("stop")
            << QStringList{"btnAlinhar:enabled", "btnAlinhar=Check", "btnAlinhar@check"}
            << QVariantMap{{"stopLogWrites", 1}} << QStringList{} << QStringList{};
        QTest::newRow("recebeu_stop is no stop")
            << QByteArray() << QByteArray("recebeu_stop") << QStringList{}
            << QVariantMap{{"stopLogWrites", 0}} << QStringList{} << QStringList{};
        QTest::newRow("APS-HIGH") << QByteArray() << QByteArray("APS-HIGH") << QStringList{"imgPreStageA:shown"}
                                  << QVariantMap{} << QStringList{"APS-HIGH:s@"} << QStringList{};
        QTest::newRow("APS-LOW") << QByteArray("APS-HIGH\n") << QByteArray("APS-LOW")
                                 << QStringList{"imgPreStageA:hidden"} << QVariantMap{} << QStringList{"APS-LOW:s@"}
                                 << QStringList{};
        QTest::newRow("e_AA-HIGH") << QByteArray() << QByteArray("e_AA-HIGH") << QStringList{"imgStageA:shown"}
                                   << QVariantMap{} << QStringList{"e_AA-HIGH:s@"} << QStringList{};
        QTest::newRow("e_AB-HIGH") << QByteArray() << QByteArray("e_AB-HIGH") << QStringList{"spQA:shown"}
                                   << QVariantMap{} << QStringList{"e_AB-HIGH:s@"} << QStringList{};
        QTest::newRow("BPS-HIGH") << QByteArray() << QByteArray("BPS-HIGH") << QStringList{"imgPreStageB:shown"}
                                  << QVariantMap{} << QStringList{"BPS-HIGH:s@"} << QStringList{};
        QTest::newRow("e_BA-HIGH") << QByteArray() << QByteArray("e_BA-HIGH") << QStringList{"imgStageB:shown"}
                                   << QVariantMap{} << QStringList{"e_BA-HIGH:s@"} << QStringList{};
        QTest::newRow("e_BB-LOW") << QByteArray("e_BB-HIGH\n") << QByteArray("e_BB-LOW")
                                  << QStringList{"spQB:hidden"} << QVariantMap{} << QStringList{"e_BB-LOW:s@"}
                                  << QStringList{};
        QTest::newRow("e_AC-HIGH") << QByteArray() << QByteArray("e_AC-HIGH")
                                   << QStringList{"spE_AC#red", "spE_AD#green"} << QVariantMap{} << QStringList{}
                                   << QStringList{};
        QTest::newRow("e_AE-HIGH") << QByteArray() << QByteArray("e_AE-HIGH") << QStringList{"spE_AE#red"}
                                   << QVariantMap{} << QStringList{} << QStringList{};
        QTest::newRow("e_BI-LOW") << QByteArray("e_BI-HIGH\n") << QByteArray("e_BI-LOW")
                                  << QStringList{"spE_BI#green"} << QVariantMap{} << QStringList{} << QStringList{};
        QTest::newRow("e_AJ-HIGH blocks the finish")
            << QByteArray() << QByteArray("e_AJ-HIGH")
            << QStringList{"spE_AJ#red", "btnAlinhar=Alinhar", "btnAlinhar@align"}
            << QVariantMap{{"trackTimeA", 1.0}, {"trackTimeB", 0.0}} << QStringList{} << QStringList{};
        QTest::newRow("e_BJ-LOW clears it")
            << QByteArray("e_BJ-HIGH\n") << QByteArray("e_BJ-LOW") << QStringList{"spE_BJ#green"}
            << QVariantMap{{"trackTimeB", 0.0}} << QStringList{} << QStringList{};
        QTest::newRow("sA_Verde") << QByteArray() << QByteArray("sA_Verde") << QStringList{} << QVariantMap{}
                                  << QStringList{"sA_Verde:s@"} << QStringList{};
        QTest::newRow("sB_Verde") << QByteArray() << QByteArray("sB_Verde") << QStringList{} << QVariantMap{}
                                  << QStringList{"sB_Verde:s@"} << QStringList{};
        QTest::newRow("DesligouLampadas")
            << QByteArray("APS-HIGH\ne_AA-HIGH\nBPS-HIGH\ne_BA-HIGH\n") << QByteArray("DesligouLampadas")
            << QStringList{"imgPreStageA:hidden", "imgStageA:hidden", "imgPreStageB:hidden", "imgStageB:hidden"}
            << QVariantMap{} << QStringList{"DesligouLampadas:s@"} << QStringList{};
        QTest::newRow("SysOK") << QByteArray("PistaFechadaON\n") << QByteArray("SysOK")
                               << QStringList{"btnAlinhar:enabled", "btnLargada:disabled"} << QVariantMap{}
                               << QStringList{} << QStringList{};
        QTest::newRow("nao_alinhar keeps the caption")
            << QByteArray("PistaFechadaON\n") << QByteArray("nao_alinhar")
            << QStringList{"btnAlinhar:enabled", "btnAlinhar=Check", "btnAlinhar@align", "btnLargada:disabled"}
            << QVariantMap{} << QStringList{} << QStringList{};
        QTest::newRow("Alinhar arms the pair")
            << QByteArray("SysOK\ne_AB-HIGH\n") << QByteArray("Alinhar")
            << QStringList{"btnAlinhar=Abortar", "btnAlinhar@abort", "btnLargada:enabled", "btnLargada=Largada",
                           "spAzul:shown", "spQA:hidden"}
            << QVariantMap{{"lineBuffer", ""}} << QStringList{"Alinhar:s@"} << QStringList{"Largada"};
        QTest::newRow("PistaFechadaON")
            << QByteArray() << QByteArray("PistaFechadaON")
            << QStringList{"btnLargada:enabled", "btnLargada=Abortar", "btnAlinhar:disabled"} << QVariantMap{}
            << QStringList{"Pista_Fechada:s@"} << QStringList{"XAPISTA@", "XBFECHADA@"};
        QTest::newRow("PistaFechadaOFF")
            << QByteArray() << QByteArray("PistaFechadaOFF")
            << QStringList{"btnLargada:enabled", "btnLargada=Abortar", "btnAlinhar:disabled"} << QVariantMap{}
            << QStringList{} << QStringList{"XA@", "XB@", "YAVUD@", "YBTOLMI@"};
        QTest::newRow("recebeu_stop, version 4.3")
            << QByteArray("versao:4.3\nPistaFechadaON\n") << QByteArray("recebeu_stop")
            << QStringList{"btnAlinhar:enabled", "btnAlinhar=Alinhar", "btnAlinhar@align", "btnLargada:disabled",
                           "btnLargada=Largada"}
            << QVariantMap{} << QStringList{} << QStringList{};
        QTest::newRow("recebeu_stop, version 4.31")
            << QByteArray("versao:4.31\nPistaFechadaON\n") << QByteArray("recebeu_stop")
            << QStringList{"btnAlinhar=Check", "btnAlinhar@check"} << QVariantMap{} << QStringList{}
            << QStringList{};
        QTest::newRow("recebeu_stop, no version yet")
            << QByteArray() << QByteArray("recebeu_stop") << QStringList{"btnAlinhar=Alinhar"} << QVariantMap{}
            << QStringList{} << QStringList{};
        // The start's messages belong to the start handling, so none here.
        QTest::newRow("Largada hands on the start")
            << QByteArray("versao:4.31\n") << QByteArray("Largada") << QStringList{}
            << QVariantMap{{"starts", 1}} << QStringList{} << QStringList{};
        QTest::newRow("a token must start the line")
            << QByteArray() << QByteArray("xstop\nRAfim") << QStringList{"btnAlinhar=Check"}
            << QVariantMap{{"stopLogWrites", 0}, {"lineBuffer", "RAfim"}} << QStringList{} << QStringList{};
        QTest::newRow("a token fires before the line goes on")
            << QByteArray() << QByteArray("stopx") << QStringList{}
            << QVariantMap{{"stopLogWrites", 1}, {"lineBuffer", "stopx"}} << QStringList{} << QStringList{};
    }
    void immediate() {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, input);
        QFETCH(QStringList, items);
        QFETCH(QVariantMap, fields);
        QFETCH(QStringList, published);
        QFETCH(QStringList, written);
        Station s;
        s.feed(before);
        s.forgetOutputs();
        s.feed(input);
        checkItems(s.rig.screen, items);
        checkFields(s, fields);
        QCOMPARE(s.rig.publisher.messages, published);
        QCOMPARE(s.rig.port.written, written);
    }

    // The token fires once, on its last character, not again at the line feed.
    void immediateThenLineFeed() {
        platform::Clock::setFixed(QDateTime(QDate(2026, 5, 2), QTime(9, 5, 7)));
        Station s;
        s.feed("stop\nLargada\r\n");
        QCOMPARE(s.rig.stopLogWrites, 1);
        QCOMPARE(s.starts, 1);
        QCOMPARE(s.rig.runLog.lines(), (QStringList{"09:05:07#stop", "09:05:07#Largada"}));
        // "Alinhar" and "fim" empty the buffer, so their line feed logs an empty line.
        s.feed("Alinhar\nfim\n");
        QCOMPARE(s.rig.runLog.lines().mid(2), (QStringList{"09:05:07#", "09:05:07#"}));
        QCOMPARE(s.rig.port.written, QStringList{"Largada"});
    }

    void splitReads() {
        Station s;
        s.feed("Ali");
        QCOMPARE(s.protocol.lineBuffer(), QString("Ali"));
        QVERIFY(s.rig.port.written.isEmpty());
        s.feed("nhar");
        QCOMPARE(s.rig.port.written, QStringList{"Largada"});
        QCOMPARE(s.protocol.lineBuffer(), QString());
        s.feed("RA0.");
        s.feed("512");
        QVERIFY(s.rig.publisher.messages.endsWith("Alinhar:s@"));
        s.feed("\n");
        QCOMPARE(s.rig.screen.text("lblRA"), QString("0.512"));
    }

    void versionArrivesCharByChar() {
        Station s;
        for (const char c : QByteArray("versao:4.31\r\n")) s.feed(QByteArray(1, c));
        QCOMPARE(s.rig.pair.controllerVersion, QString("4.31"));
        QCOMPARE(s.rig.screen.text("pnlStatus3"), QString("4.31"));
    }

    void carriageReturnIsDropped() {
        platform::Clock::setFixed(QDateTime(QDate(2026, 5, 2), QTime(23, 59, 1)));
        Station s;
        s.feed("RA0.5\r\nR\rB0.6\n");
        QCOMPARE(s.rig.screen.text("lblRA"), QString("0.500"));
        QCOMPARE(s.rig.screen.text("lblRB"), QString("0.6"));
        QCOMPARE(s.rig.runLog.lines(), (QStringList{"23:59:01#RA0.5", "23:59:01#RB0.6"}));
    }

    void countdownFontShrinks() {
        Station s;
        s.feed("ATSA05");
        QCOMPARE(s.rig.screen.fontSize("lblContA"), 28);
        auto* timer = s.protocol.findChild<QTimer*>("tmrFonte");
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 10);
        QTRY_COMPARE(s.rig.screen.fontSize("lblContA"), 16);
        QTRY_VERIFY(!timer->isActive());
        QTest::qWait(30);
        QCOMPARE(s.rig.screen.fontSize("lblContA"), 16);
        QCOMPARE(s.rig.screen.text("lblContA"), QString("05"));
    }

    // A garbled payload aborts the read: the rest of it is lost, the line is
    // logged, and the next read starts clean.
    void badPayload_data() {
        QTest::addColumn<QByteArray>("bad");
        QTest::newRow("empty") << QByteArray("RA\n");
        QTest::newRow("letters") << QByteArray("RAabc\n");
        QTest::newRow("decimal comma") << QByteArray("FA7,5\n");
        QTest::newRow("two points") << QByteArray("TA1.2.3\n");
        QTest::newRow("unshown point") << QByteArray("AF\n");
        QTest::newRow("trap speed") << QByteArray("V2AAx\n");
        QTest::newRow("zero 10 m time") << QByteArray("VFA0\n");
    }
    void badPayload() {
        QFETCH(QByteArray, bad);
        Station s;
        QVERIFY_THROWS_EXCEPTION(ConversionError, s.feed(bad + "RB0.5\nAlin"));
        QCOMPARE(s.protocol.lineBuffer(), QString());
        QCOMPARE(s.rig.runLog.lines().size(), 1);
        QVERIFY(s.rig.runLog.lines().first().endsWith(QString::fromLatin1(bad.chopped(1))));
        QCOMPARE(s.rig.screen.text("lblRB"), QString("0.000"));
        QVERIFY(!s.rig.publisher.messages.contains("RB:0.5@"));
        s.feed("har\nRB0.5\n");  // "Alin" was dropped: "har" alone is nothing
        QVERIFY(s.rig.port.written.isEmpty());
        QCOMPARE(s.rig.screen.text("lblRB"), QString("0.5"));
    }

    void badVersionFailsAtTheVersionRule() {
        Station s;
        s.feed("versao:4.3b\n");
        QVERIFY_THROWS_EXCEPTION(ConversionError, s.feed("recebeu_stop\nRA0.5\n"));
        QCOMPARE(s.rig.screen.text("lblRA"), QString("0.000"));
        QCOMPARE(s.rig.screen.isEnabled("btnLargada"), false);
    }
};

QTEST_MAIN(TestProtocol)
#include "tst_protocol.moc"
