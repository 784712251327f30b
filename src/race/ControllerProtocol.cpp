#include "ControllerProtocol.h"

#include "core/NumberText.h"
#include "platform/Clock.h"

#include <QTimer>
#include <algorithm>
#include <cmath>

using numtext::commaText;
using numtext::minutesText;
using numtext::parse;
using numtext::pointText;

namespace {

const QString kYes = QStringLiteral("S");
const QString kFouled = QStringLiteral("Queimou");
const QString kAlignButton = QStringLiteral("btnAlinhar");
const QString kStartButton = QStringLiteral("btnLargada");
const QString kCountdownLabel = QStringLiteral("lblContA");

constexpr int kCountdownFontStart = 28;
constexpr int kCountdownFontEnd = 16;

/// A lane's screen item: `base` followed by the lane letter ("lblR" → "lblRA").
QString item(const char* base, Lane lane) { return QLatin1String(base) + laneLetter(lane); }

/// A trap speed outside what a car can do is a sensor glitch; it shows as 0.
double plausibleSpeed(double value, bool upperBound) {
    if (value < 5 || (upperBound && value > 750)) return 0;
    return value;
}

}  // namespace

ControllerProtocol::ControllerProtocol(RaceContext& context, QObject* parent)
    : QObject(parent), m_ctx(context), m_tmrFonte(new QTimer(this)) {
    m_tmrFonte->setObjectName(QStringLiteral("tmrFonte"));
    m_tmrFonte->setInterval(10);
    connect(m_tmrFonte, &QTimer::timeout, this, &ControllerProtocol::shrinkCountdownFont);
    buildLineTokens();
    buildImmediateTokens();
}

void ControllerProtocol::receive(const QByteArray& chars) {
    // A ConversionError leaves this loop, so the rest of this read is
    // dropped; the line feed that brought the bad line already emptied the buffer.
    for (const char c : chars) character(QChar::fromLatin1(c));
}

void ControllerProtocol::character(QChar c) {
    if (c == u'\n') {
        // The buffer is emptied before the checks, so a line whose payload
        // does not parse leaves nothing half-assembled behind. It keeps its
        // capacity: appending is then a plain store for every character.
        const QString line(m_lineBuffer.constData(), m_lineBuffer.size());
        m_lineBuffer.resize(0);
        m_ctx.runLog.appendTimed(line);
        lineChecks(line);
        return;
    }
    if (c == u'\r') return;
    m_lineBuffer += c;
    immediateChecks();
}

void ControllerProtocol::lineChecks(const QString& line) {
    if (line.isEmpty()) return;
    const QChar first = line.front();
    for (const LineToken& t : m_lineTokens) {
        if (t.token.front() != first) continue;  // cheap test first: this runs for every line
        if (t.exact ? line == t.token : line.startsWith(t.token)) t.effect(line.mid(t.token.size()));
    }
}

/// Runs after every character, so it must be cheap. No exact token starts
/// with a prefix token, and exact tokens are distinct, so at most one check
/// matches a given buffer: a hash finds the exact one instead of walking the
/// whole table.
void ControllerProtocol::immediateChecks() {
    // Most lines are measurements ("RA0.512") whose first letter starts no
    // token at all; they cost one table look-up per character.
    const QChar first = m_lineBuffer.front();
    if (first.unicode() >= m_tokenStarts.size() || !m_tokenStarts.testBit(first.unicode())) return;
    for (const qsizetype i : m_prefixTokens) {
        const ImmediateToken& t = m_immediateTokens[i];
        if (t.token.front() == first && m_lineBuffer.startsWith(t.token)) t.effect();
    }
    if (m_lineBuffer.size() > m_longestExactToken) return;
    const auto it = m_exactTokens.constFind(m_lineBuffer);
    if (it != m_exactTokens.cend()) m_immediateTokens[*it].effect();
}

// ---------------------------------------------------------------------------
// Lines

void ControllerProtocol::buildLineTokens() {
    const auto add = [this](const char* token, bool exact, std::function<void(const QString&)> effect) {
        m_lineTokens.push_back({QString::fromLatin1(token), exact, std::move(effect)});
    };
    const auto ignoreNumber = [](const QString& payload) { parse(payload); };

    add("QA", true, [this](const QString&) { foul(Lane::A); });
    add("RA", false, [this](const QString& p) { reaction(Lane::A, p); });
    add("PA", false, [this](const QString& p) { sixtyFoot(Lane::A, p); });
    // Points the station does not show; a garbled one still counts as an error.
    add("AF", false, ignoreNumber);
    add("AG", false, ignoreNumber);
    add("AH", false, ignoreNumber);
    add("LA", false, [this](const QString& p) { split1(Lane::A, p); });
    add("CA", false, [this](const QString& p) { split2(Lane::A, p); });
    add("TA", false, [this](const QString& p) { finishSpeed(Lane::A, p); });
    add("AJ", false, [this](const QString& p) { trackTime(Lane::A, p); });
    add("V2AA", false, [this](const QString& p) { trapSpeed(Lane::A, p, true); });
    add("VFA", false, [this](const QString& p) { trapSpeed10m(p); });
    add("VBA", false, [this](const QString& p) { speedPointB(Lane::A, p); });
    add("VCA", false, [this](const QString& p) { speedPointC(Lane::A, p); });
    add("FA", false, [this](const QString& p) { finalTimeA(p); });
    add("QB", true, [this](const QString&) { foul(Lane::B); });
    add("RB", false, [this](const QString& p) { reaction(Lane::B, p); });
    add("PB", false, [this](const QString& p) { sixtyFoot(Lane::B, p); });
    add("LB", false, [this](const QString& p) { split1(Lane::B, p); });
    add("CB", false, [this](const QString& p) { split2(Lane::B, p); });
    add("TB", false, [this](const QString& p) { finishSpeed(Lane::B, p); });
    // Lane B's finish trap has two names depending on the firmware; only the
    // newer one filters out impossible speeds.
    add("VAB", false, [this](const QString& p) { trapSpeed(Lane::B, p, false); });
    add("V2AB", false, [this](const QString& p) { trapSpeed(Lane::B, p, true); });
    add("VBB", false, [this](const QString& p) { speedPointB(Lane::B, p); });
    add("VCB", false, [this](const QString& p) { speedPointC(Lane::B, p); });
    add("BJ", false, [this](const QString& p) { trackTime(Lane::B, p); });
    add("FB", false, [this](const QString& p) { finalTimeB(p); });
}

void ControllerProtocol::foul(Lane lane) {
    const QString x = laneLetter(lane);
    m_ctx.pair.lane(lane).foulFlag = kYes;
    m_ctx.screen.show(item("spQ", lane));
    m_ctx.screen.setText(item("lblStatus", lane), kFouled);
    m_ctx.screen.show(item("imgStatus", lane) + u'Q');
    m_ctx.publisher.publish(QStringLiteral("status") + x + QStringLiteral(":Queimou@"));
    monitorTime(lane, QStringLiteral("QUEI"));
}

void ControllerProtocol::reaction(Lane lane, const QString& payload) {
    LaneState& s = m_ctx.pair.lane(lane);
    const QString label = item("lblR", lane);
    if (s.foulFlag != kYes) m_ctx.screen.show(item("imgStatus", lane) + u'V');
    if (lane == Lane::A) {
        s.reactionTime = parse(payload);
        m_ctx.screen.setText(label, pointText(s.reactionTime));
    } else {
        // Lane B has always shown the reaction exactly as the controller sent it.
        m_ctx.screen.setText(label, payload);
        s.reactionTime = parse(payload);
    }
    const QString text = m_ctx.screen.text(label);
    m_ctx.publisher.publish(QStringLiteral("R") + laneLetter(lane) + u':' + text + u'@');
    monitorTime(lane, text);
}

void ControllerProtocol::sixtyFoot(Lane lane, const QString& payload) {
    LaneState& s = m_ctx.pair.lane(lane);
    const QString label = item("lblP", lane);
    const QString message = QStringLiteral("P") + laneLetter(lane) + u':';
    if (lane == Lane::A) {
        s.sixtyFootTime = parse(payload);
        sixtyFootRule(lane);
        m_ctx.publisher.publish(message + m_ctx.screen.text(label) + u'@');
        monitorTime(lane, m_ctx.screen.text(label));
    } else {
        m_ctx.screen.setText(label, payload);
        s.sixtyFootTime = parse(payload);
        sixtyFootRule(lane);
        monitorTime(lane, m_ctx.screen.text(label));
        m_ctx.publisher.publish(message + m_ctx.screen.text(label) + u'@');
    }
}

/// With a flying start the "60-foot" trap is a 10 m speed trap: the lane's
/// label shows the entry speed instead of a time, the scoreboard gets it, and
/// a car entering faster than the championship allows is fouled.
void ControllerProtocol::sixtyFootRule(Lane lane) {
    LaneState& s = m_ctx.pair.lane(lane);
    const QString label = item("lblP", lane);
    const RaceData::Championship champ = m_ctx.data.championship();
    if (champ.flyingStart != kYes) {
        m_ctx.screen.setText(label, pointText(s.sixtyFootTime));
        return;
    }
    if (!(s.sixtyFootTime > 0 && s.reactionTime > 0)) return;
    s.speed = 10 / s.sixtyFootTime * 3.6;
    s.flyingSpeed = int(std::nearbyint(s.speed));  // ties to even, the default rounding mode
    const QString text = QString::number(s.flyingSpeed);
    m_ctx.screen.setText(label, text);
    m_ctx.controller.write(QStringLiteral("X") + laneLetter(lane) + u' ' + text + u'@');
    monitorTime(lane, text);
    if (champ.maxFlyingSpeed < s.flyingSpeed) {
        m_ctx.controller.write(QStringLiteral("Y") + laneLetter(lane) + QStringLiteral("OVER@"));
        s.foulFlag = kYes;
        m_ctx.screen.setText(item("lblStatus", lane), kFouled);
        m_ctx.screen.show(item("imgStatus", lane) + u'Q');
    }
}

void ControllerProtocol::split1(Lane lane, const QString& payload) {
    LaneState& s = m_ctx.pair.lane(lane);
    const QString label = item("lbl50", lane);
    m_ctx.screen.setText(label, payload);
    s.split1Time = parse(payload);
    m_ctx.screen.setText(label, pointText(s.split1Time));
    // Read back from the label so the stored split is the three decimals shown.
    s.split1Time = parse(m_ctx.screen.text(label));
    monitorTime(lane, m_ctx.screen.text(label));
    m_ctx.publisher.publish(QStringLiteral("L") + laneLetter(lane) + u':' + m_ctx.screen.text(label) + u'@');
}

void ControllerProtocol::split2(Lane lane, const QString& payload) {
    LaneState& s = m_ctx.pair.lane(lane);
    const QString label = item("lbl100", lane);
    m_ctx.screen.setText(label, payload);
    s.split2Time = parse(payload);
    if (lane == Lane::B) {
        // Lane A keeps the text as received; lane B is normalised to three decimals.
        m_ctx.screen.setText(label, pointText(s.split2Time));
        s.split2Time = parse(m_ctx.screen.text(label));
    }
    monitorTime(lane, m_ctx.screen.text(label));
    m_ctx.publisher.publish(QStringLiteral("C") + laneLetter(lane) + u':' + m_ctx.screen.text(label) + u'@');
}

void ControllerProtocol::finishSpeed(Lane lane, const QString& payload) {
    LaneState& s = m_ctx.pair.lane(lane);
    const QString label = item("lblV", lane);
    m_ctx.screen.setText(label, payload);
    const double value = parse(payload);
    if (lane == Lane::A) s.speed = value;
    s.speedShown = value;
    m_ctx.screen.setText(label, pointText(value));
    s.speedShown = parse(m_ctx.screen.text(label));
}

void ControllerProtocol::trackTime(Lane lane, const QString& payload) {
    const QString label = item("lblPista", lane);
    m_ctx.screen.setText(label, payload);
    m_ctx.pair.lane(lane).trackTime = parse(payload);
    m_ctx.publisher.publish(QStringLiteral("TP") + laneLetter(lane) + u':' + payload + u'@');
}

void ControllerProtocol::trapSpeed(Lane lane, const QString& payload, bool upperBound) {
    LaneState& s = m_ctx.pair.lane(lane);
    s.trapSpeed = plausibleSpeed(parse(payload), upperBound);
    const QString text = commaText(s.trapSpeed, QStringLiteral("0.0"));
    m_ctx.screen.setText(item("lblV", lane), text);
    monitorSpeed(lane, text);
    m_ctx.publisher.publish(QStringLiteral("V") + laneLetter(lane) + u':' + text + u'@');
}

/// "VFA" carries the microseconds a car took over the 10 m trap.
void ControllerProtocol::trapSpeed10m(const QString& payload) {
    const double micros = parse(payload);
    // A zero time has no speed; treated like any other unusable payload
    // rather than showing an infinite one.
    if (micros == 0) throw ConversionError(payload);
    m_ctx.pair.trapSpeed10m = 10 / micros * 3600000;
    m_ctx.screen.setText(QStringLiteral("Label12"), commaText(m_ctx.pair.trapSpeed10m, QStringLiteral("0.00")));
}

void ControllerProtocol::speedPointB(Lane lane, const QString& payload) {
    LaneState& s = m_ctx.pair.lane(lane);
    s.speedPointB = plausibleSpeed(parse(payload), false);
    const QString text = commaText(s.speedPointB, QStringLiteral("0.0"));
    m_ctx.screen.setText(item("lblVB", lane), text);
    m_ctx.publisher.publish(QStringLiteral("VB") + laneLetter(lane) + u':' + text + u'@');
}

void ControllerProtocol::speedPointC(Lane lane, const QString& payload) {
    LaneState& s = m_ctx.pair.lane(lane);
    s.speedPointC = parse(payload);
    const QString text = commaText(s.speedPointC, QStringLiteral("0.0"));
    m_ctx.screen.setText(item("lblVC", lane), text);
    m_ctx.publisher.publish(QStringLiteral("VC") + laneLetter(lane) + u':' + text + u'@');
}

/// Lane A's final time also places the car among the event's valid runs of
/// its category; the companion gets the raw time first for its live list.
void ControllerProtocol::finalTimeA(const QString& payload) {
    LaneState& s = m_ctx.pair.a;
    const QString label = QStringLiteral("lblFA");
    s.finishClock = platform::Clock::now().time();
    m_ctx.screen.setText(label, payload);
    s.finalTime = parse(payload);
    if (s.finalTime > 2) {
        const int position = m_ctx.data.position(s.vehicleCode, s.categoryCode);
        m_ctx.publisher.publish(QStringLiteral("FA:") + payload + u'@');
        m_ctx.pair.positionA = position;
        m_ctx.screen.setText(QStringLiteral("lblPosA"), QString::number(position) + QStringLiteral("º"));
    }
    m_ctx.screen.setText(label, minutesText(s.finalTime));
    m_ctx.publisher.publish(QStringLiteral("FA:") + m_ctx.screen.text(label) + u'@');
    monitorTime(Lane::A, m_ctx.screen.text(QStringLiteral("lblPistaA")));
}

void ControllerProtocol::finalTimeB(const QString& payload) {
    LaneState& s = m_ctx.pair.b;
    const QString label = QStringLiteral("lblFB");
    s.finishClock = platform::Clock::now().time();
    m_ctx.screen.setText(label, payload);
    s.finalTime = parse(payload);
    m_ctx.screen.setText(label, pointText(s.finalTime));
    s.finalTime = parse(m_ctx.screen.text(label));
    m_ctx.screen.setText(label, minutesText(s.finalTime));
    // Lane B's track time is derived here; the stored trackTime stays as the
    // controller (or the finish sensor) left it.
    const QString track = pointText(s.finalTime - s.reactionTime);
    m_ctx.screen.setText(QStringLiteral("lblPistaB"), track);
    monitorTime(Lane::B, track);
    m_ctx.publisher.publish(QStringLiteral("FB:") + m_ctx.screen.text(label) + u'@');
    m_ctx.publisher.publish(QStringLiteral("TPB:") + track + u'@');
    m_ctx.publisher.publish(QStringLiteral("VB:") + m_ctx.screen.text(QStringLiteral("lblVB")) + u'@');
}

// ---------------------------------------------------------------------------
// Immediate tokens

void ControllerProtocol::buildImmediateTokens() {
    auto& screen = m_ctx.screen;
    auto& pair = m_ctx.pair;
    const auto exact = [this](const QString& token, std::function<void()> effect) {
        m_immediateTokens.push_back({token, false, std::move(effect)});
    };
    const auto prefix = [this](const QString& token, std::function<void()> effect) {
        m_immediateTokens.push_back({token, true, std::move(effect)});
    };
    // The companion mirrors lamp and stage events under the controller's own names.
    const auto relay = [this](const QString& token) { m_ctx.publisher.publish(token + QStringLiteral(":s@")); };

    exact(QStringLiteral("fim"), [this] { finished(); });
    // The version arrives a character at a time; storing it at each one
    // leaves the whole text once the line is complete.
    prefix(QStringLiteral("versao:"), [this, &screen, &pair] {
        pair.controllerVersion = m_lineBuffer.mid(7);
        screen.setText(QStringLiteral("pnlStatus3"), pair.controllerVersion);
    });
    prefix(QStringLiteral("ATSA"), [this, &screen] {
        screen.setText(kCountdownLabel, m_lineBuffer.mid(4));
        screen.setFontSize(kCountdownLabel, kCountdownFontStart);
        m_tmrFonte->start();
    });
    const auto treeMode = [&](const char* token, const char* caption) {
        exact(QString::fromLatin1(token),
              [&screen, text = QString::fromLatin1(caption)] { screen.setText(QStringLiteral("lblTreeMode"), text); });
    };
    // The controller's mode names and the station's captions differ on purpose.
    treeMode("MODO-PRO", "FULL");
    treeMode("MODO-DRAG", "PRO");
    treeMode("MODO-Handicap", "HANDICAP");
    treeMode("MODO-OUTLAW", "OUTLAW");
    const auto pictures = [&screen](const char* shown, const char* hidden) {
        screen.show(QString::fromLatin1(shown));
        screen.hide(QString::fromLatin1(hidden));
    };
    exact(QStringLiteral("START-AUTO"), [=] { pictures("imgAutoStartOn", "imgAutoStartOff"); });
    exact(QStringLiteral("START-MANUAL"), [=] { pictures("imgAutoStartOff", "imgAutoStartOn"); });
    exact(QStringLiteral("PLACAR-PISTA"), [&pair] { pair.scoreboardMode = QStringLiteral("P"); });
    exact(QStringLiteral("PLACAR-TOTAL"), [&pair] { pair.scoreboardMode = QStringLiteral("T"); });
    exact(QStringLiteral("PLACAR-ON"), [=, &pair] {
        pictures("imgPlacarOn", "imgPlacarOff");
        pair.scoreboardOn = QStringLiteral("S");
    });
    exact(QStringLiteral("PLACAR-OFF"), [=, &pair] {
        pictures("imgPlacarOff", "imgPlacarOn");
        pair.scoreboardOn = QStringLiteral("N");
    });
    exact(QStringLiteral("GuardBeamOFF"), [&pair] { pair.guardBeam = QStringLiteral("N"); });
    exact(QStringLiteral("GuardBeamON"), [&pair] { pair.guardBeam = QStringLiteral("S"); });
    exact(QStringLiteral("stop"), [this, &screen] {
        screen.setEnabled(kAlignButton, true);
        alignButton(QStringLiteral("Check"), QStringLiteral("check"));
        // Kept on disk at once: an aborted run is exactly what gets looked at later.
        m_ctx.writeStopLog();
    });

    for (const Lane lane : {Lane::A, Lane::B}) {
        const QString x = laneLetter(lane);
        // Pre-stage, stage and the red lamp are shown on screen and relayed.
        const auto shownItem = [&](const QString& event, const QString& name) {
            for (const bool high : {true, false}) {
                const QString token = event + (high ? QStringLiteral("HIGH") : QStringLiteral("LOW"));
                exact(token, [=, &screen] {
                    screen.setVisible(name, high);
                    relay(token);
                });
            }
        };
        shownItem(x + QStringLiteral("PS-"), QStringLiteral("imgPreStage") + x);
        shownItem(QStringLiteral("e_") + x + QStringLiteral("A-"), QStringLiteral("imgStage") + x);
        shownItem(QStringLiteral("e_") + x + QStringLiteral("B-"), QStringLiteral("spQ") + x);
        for (const char point : {'C', 'D', 'F', 'G', 'E', 'I', 'J'}) {
            for (const bool high : {true, false}) {
                const QString token = QStringLiteral("e_") + x + QLatin1Char(point) +
                                      (high ? QStringLiteral("-HIGH") : QStringLiteral("-LOW"));
                exact(token, [this, lane, point, high] { sensor(lane, QLatin1Char(point), high); });
            }
        }
    }

    exact(QStringLiteral("sA_Verde"), [=] { relay(QStringLiteral("sA_Verde")); });
    exact(QStringLiteral("sB_Verde"), [=] { relay(QStringLiteral("sB_Verde")); });
    exact(QStringLiteral("DesligouLampadas"), [=, &screen] {
        relay(QStringLiteral("DesligouLampadas"));
        for (const char* name : {"imgPreStageA", "imgStageA", "imgPreStageB", "imgStageB"})
            screen.hide(QString::fromLatin1(name));
    });
    exact(QStringLiteral("SysOK"), [&screen] {
        screen.setEnabled(kAlignButton, true);
        screen.setEnabled(kStartButton, false);
    });
    exact(QStringLiteral("nao_alinhar"), [&screen] {
        screen.setEnabled(kAlignButton, true);
        screen.setPicture(kAlignButton, QStringLiteral("align"));
        screen.setEnabled(kStartButton, false);
    });
    exact(QStringLiteral("Alinhar"), [this] { aligned(); });
    exact(QStringLiteral("PistaFechadaON"), [this, &screen] {
        m_ctx.publisher.publish(QStringLiteral("Pista_Fechada:s@"));
        screen.setEnabled(kStartButton, true);
        screen.setText(kStartButton, QStringLiteral("Abortar"));
        screen.setEnabled(kAlignButton, false);
        m_ctx.controller.write(QStringLiteral("XAPISTA@"));
        m_ctx.controller.write(QStringLiteral("XBFECHADA@"));
    });
    exact(QStringLiteral("PistaFechadaOFF"), [this, &screen] {
        screen.setEnabled(kStartButton, true);
        screen.setText(kStartButton, QStringLiteral("Abortar"));
        screen.setEnabled(kAlignButton, false);
        for (const char* command : {"XA@", "XB@", "YAVUD@", "YBTOLMI@"})
            m_ctx.controller.write(QString::fromLatin1(command));
    });
    exact(QStringLiteral("recebeu_stop"), [this, &screen] {
        screen.setEnabled(kAlignButton, true);
        screen.setEnabled(kStartButton, false);
        screen.setText(kStartButton, QStringLiteral("Largada"));
        captionAlignByVersion(screen, m_ctx.pair.controllerVersion);
    });
    // The start's companion messages ("Largada:s@" for newer firmware, then
    // "Largada@") belong to the start handling itself, so they go out once.
    exact(QStringLiteral("Largada"), [this] { onStartReceived(); });

    for (qsizetype i = 0; i < qsizetype(m_immediateTokens.size()); ++i) {
        const ImmediateToken& t = m_immediateTokens[i];
        const char16_t start = t.token.front().unicode();
        if (start >= m_tokenStarts.size()) m_tokenStarts.resize(start + 1);
        m_tokenStarts.setBit(start);
        if (t.prefix) {
            m_prefixTokens.push_back(i);
        } else {
            Q_ASSERT(!m_exactTokens.contains(t.token));
            m_exactTokens.insert(t.token, i);
            m_longestExactToken = std::max(m_longestExactToken, t.token.size());
        }
    }
}

/// The run is over: the pair can be aligned again, the tree goes dark and the
/// companion learns which lane was quicker.
void ControllerProtocol::finished() {
    alignButton(QStringLiteral("Alinhar"), QStringLiteral("align"));
    m_lineBuffer.clear();
    hideLamps(true);
    const double a = m_ctx.pair.a.finalTime;
    const double b = m_ctx.pair.b.finalTime;
    if (a < b) m_ctx.publisher.publish(QStringLiteral("GanhaA:s@"));
    if (b < a) m_ctx.publisher.publish(QStringLiteral("GanhaB:s@"));
}

void ControllerProtocol::sensor(Lane lane, QChar point, bool high) {
    m_ctx.screen.setColor(QStringLiteral("spE_") + laneLetter(lane) + point,
                          high ? QStringLiteral("red") : QStringLiteral("green"));
    if (point != u'J') return;
    // A blocked finish sensor is remembered as a track time of exactly 1.0,
    // which the align action asks about before arming the pair.
    m_ctx.pair.lane(lane).trackTime = high ? 1.0 : 0.0;
    alignButton(QStringLiteral("Alinhar"), QStringLiteral("align"));
}

/// The controller armed the pair. It waits for "Largada" back before it
/// accepts a start, so that goes out at once.
void ControllerProtocol::aligned() {
    alignButton(QStringLiteral("Abortar"), QStringLiteral("abort"));
    m_ctx.screen.setEnabled(kStartButton, true);
    m_ctx.screen.setText(kStartButton, QStringLiteral("Largada"));
    m_lineBuffer.clear();
    m_ctx.controller.write(QStringLiteral("Largada"));
    m_ctx.screen.show(QStringLiteral("spAzul"));
    hideLamps(false);
    m_ctx.publisher.publish(QStringLiteral("Alinhar:s@"));
}

void ControllerProtocol::hideLamps(bool blueToo) {
    for (const Lane lane : {Lane::A, Lane::B}) {
        const QString x = laneLetter(lane);
        // Ambers carry the lane before their number: spAA1 .. spAB3.
        for (const QString& lamp : {QStringLiteral("spQ") + x, QStringLiteral("spA") + x + u'1',
                                    QStringLiteral("spA") + x + u'2', QStringLiteral("spA") + x + u'3',
                                    QStringLiteral("spVE") + x})
            m_ctx.screen.hide(lamp);
    }
    if (blueToo) m_ctx.screen.hide(QStringLiteral("spAzul"));
}

void ControllerProtocol::shrinkCountdownFont() {
    const int size = m_ctx.screen.fontSize(kCountdownLabel) - 1;
    if (size >= kCountdownFontEnd) m_ctx.screen.setFontSize(kCountdownLabel, size);
    if (size <= kCountdownFontEnd) m_tmrFonte->stop();
}

// ---------------------------------------------------------------------------

void ControllerProtocol::monitorTime(Lane lane, const QString& text) {
    if (m_ctx.monitor.isOpen()) m_ctx.monitor.setLaneTime(lane, text);
}

void ControllerProtocol::monitorSpeed(Lane lane, const QString& text) {
    if (m_ctx.monitor.isOpen()) m_ctx.monitor.setLaneSpeed(lane, text);
}

void ControllerProtocol::alignButton(const QString& caption, const QString& picture) {
    m_ctx.screen.setText(kAlignButton, caption);
    m_ctx.screen.setPicture(kAlignButton, picture);
}
