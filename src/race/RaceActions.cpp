#include "RaceActions.h"

#include "core/NumberText.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Pause.h"

#include <QTimer>
#include <cmath>

namespace {

// Object names used more than once; the rest are spelled where they are used.
const QString kNova = QStringLiteral("btnNova");
const QString kAlinhar = QStringLiteral("btnAlinhar");
const QString kLargada = QStringLiteral("btnLargada");
const QString kSalvar = QStringLiteral("btnSalvar");
const QString kCancelar = QStringLiteral("btnCancelar");
const QString kContagem = QStringLiteral("btnContagem");
const QString kEdtContagem = QStringLiteral("edtContagem");

// The controller's lamps want a short gap between commands.
constexpr int kCommandGapMs = 30;

constexpr int kLampIntervalMs = 350;
constexpr int kGreenIntervalMs = 3000;
constexpr int kRestIntervalMs = 450;
constexpr int kCountdownIntervalMs = 1000;

QString itemOf(const char* stem, Lane lane) { return QLatin1String(stem) + laneLetter(lane); }

/// The measurement labels of a lane, as New race clears them.
QStringList measurementLabels(Lane lane) {
    QStringList names;
    for (const char* stem : {"lblR", "lblP", "lblV", "lblVB", "lblVC", "lblPista", "lblF", "lbl50", "lbl100"})
        names << itemOf(stem, lane);
    return names;
}

/// The pilot list of a lane's category (its entry grid).
QString pilotList(Lane lane) { return itemOf("dbgPilotosCateg", lane); }

/// "mm:ss" of the countdown entry in seconds. The entry is masked to digits,
/// but an operator can still leave blanks or type 75 seconds; neither is a
/// time, and both are refused like any other number text.
int countdownSeconds(const QString& text) {
    const QStringList parts = text.trimmed().split(u':');
    bool minutesOk = false;
    bool secondsOk = false;
    const int minutes = parts.size() == 2 ? parts[0].trimmed().toInt(&minutesOk) : -1;
    const int seconds = parts.size() == 2 ? parts[1].trimmed().toInt(&secondsOk) : -1;
    if (!minutesOk || !secondsOk || minutes < 0 || minutes > 59 || seconds < 0 || seconds > 59)
        throw ConversionError(text);
    return minutes * 60 + seconds;
}

QString countdownText(int seconds) {
    const int n = seconds % 3600;
    return QStringLiteral("%1:%2").arg((n / 60) % 60, 2, 10, QLatin1Char('0')).arg(n % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

RaceActions::RaceActions(RaceContext& context, QObject* parent)
    : QObject(parent), m_ctx(context), m_timer1(new QTimer(this)), m_tmrContagem(new QTimer(this)) {
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(kRestIntervalMs);
    connect(m_timer1, &QTimer::timeout, this, &RaceActions::lampTick);

    m_tmrContagem->setObjectName(QStringLiteral("tmrContagem"));
    m_tmrContagem->setInterval(kCountdownIntervalMs);
    connect(m_tmrContagem, &QTimer::timeout, this, &RaceActions::countdownTick);
}

/// Clears both lanes for the next pair. The version rule may throw on a
/// version text that is not a number; the New button is already disabled by
/// then and Cancel is the way back.
void RaceActions::newRace() {
    ScreenModel& s = m_ctx.screen;
    RacePair& pair = m_ctx.pair;
    const RaceData::Championship champ = m_ctx.data.championship();
    const bool prosolo = champ.prosolo == QLatin1String("S");

    pair.guardBeam = QStringLiteral("N");
    s.setText(QStringLiteral("edtPenalAProsolo"), QStringLiteral("0"));
    s.setVisible(QStringLiteral("edtPenalAProsolo"), prosolo);
    if (prosolo) m_ctx.controller.write(QStringLiteral("treeprosolo@"));

    s.setEnabled(kNova, false);
    captionAlignByVersion(s, pair.controllerVersion);

    m_ctx.runLog.appendTimed(QStringLiteral("BTN-Nova_Largada!"));
    m_ctx.publisher.publish(QStringLiteral("Nova:") + m_ctx.data.trackSide() + u'@');

    if (champ.bonus == QLatin1String("S")) {
        for (const Lane lane : {Lane::A, Lane::B}) {
            s.setEnabled(itemOf("edtBonus", lane), true);
            s.setEnabled(itemOf("edtPenal", lane), true);
            s.setText(itemOf("edtPenal", lane), QStringLiteral("0"));
        }
    } else if (champ.bonus == QLatin1String("N")) {
        s.setEnabled(QStringLiteral("edtBonusA"), false);
        s.setEnabled(QStringLiteral("edtPenalA"), false);
    }

    for (const Lane lane : {Lane::A, Lane::B}) {
        s.setEnabled(itemOf("edtPlaca", lane), true);
        s.setEnabled(pilotList(lane), true);
        s.setText(itemOf("edtPlaca", lane), QString());
        s.setText(itemOf("ckWO", lane), QStringLiteral("N"));
        s.setText(itemOf("lbltmpDial", lane), QStringLiteral("0.000"));
        s.setText(itemOf("lblMelhorTempo", lane), QStringLiteral("0.000"));
    }
    s.setEnabled(QStringLiteral("btnTrocaPista"), true);
    hooks.focusPlate(Lane::A);

    for (const Lane lane : {Lane::A, Lane::B}) {
        LaneState& l = pair.lane(lane);
        l.foulFlag = QStringLiteral("N");
        // trackTime and speedShown are left alone: a blocked finish sensor
        // (trackTime 1.0) must still be seen by the next Align.
        l.reactionTime = 0;
        l.sixtyFootTime = 0;
        l.flyingSpeed = 0;
        l.finalTime = 0;
        l.speed = 0;
        l.trapSpeed = 0;
        l.speedPointB = 0;
        l.speedPointC = 0;
        l.split1Time = 0;
        l.split2Time = 0;
        l.dialIn = 0;
        l.handicapDelayMs = 0;
        l.vehicleCode = 0;
    }

    s.setText(QStringLiteral("lblPilotoA"), QString());
    s.setText(QStringLiteral("lblPilotoB"), QString());
    s.setEnabled(kSalvar, true);

    hooks.reopenPilotLists();

    for (const Lane lane : {Lane::A, Lane::B}) {
        for (const QString& label : measurementLabels(lane)) s.setText(label, QStringLiteral("0"));
        s.hide(itemOf("imgStatus", lane) + u'V');
        s.hide(itemOf("imgStatus", lane) + u'Q');
        s.hide(itemOf("imgStatus", lane) + u'D');
        s.setText(itemOf("lblStatus", lane), QString());
    }

    s.setEnabled(kCancelar, true);

    // A single-lane championship shows nothing on lane B.
    if (prosolo)
        for (const QString& label : measurementLabels(Lane::B)) s.setText(label, QString());
}

/// Lane text of the Align steps: the category's panel text, or in target
/// mode the pilot's target time. False when the target time is missing.
bool RaceActions::sendLaneText(Lane lane) {
    const LaneState& l = m_ctx.pair.lane(lane);
    const QString letter = laneLetter(lane);
    if (l.targetMode != QLatin1String("S")) {
        m_ctx.controller.write(u'Z' + letter + l.panelText.left(5) + u'@');
        return true;
    }
    if (m_ctx.screen.text(itemOf("edtPlaca", lane)).isEmpty() || !(l.targetTime > 0)) {
        platform::dialogs().showMessage(QStringLiteral("Piloto %1 sem tempo ALVO! ").arg(letter));
        return false;
    }
    // The target goes out twice: as the board shows it and in milliseconds for
    // the tree. The milliseconds come from the text on the board, so both agree
    // and 7.123 becomes 7123 rather than the 7122.999... of a plain product.
    const QString shown = numtext::pointText(l.targetTime);
    const qint64 ms = std::llround(numtext::parse(shown) * 1000.0);
    m_ctx.controller.write(u'Z' + letter + shown + u'@');
    m_ctx.controller.write(QStringLiteral("target") + letter + QString::number(ms) + u'@');
    return true;
}

/// A blocked finish sensor of the lane: the operator decides whether to go
/// on. False when the alignment stops.
bool RaceActions::confirmFinishSensor(Lane lane) {
    if (m_ctx.pair.lane(lane).trackTime != 1.0) return true;
    const auto answer = platform::dialogs().ask(
        QStringLiteral("SENSOR DESALINHADO"),
        QStringLiteral("Sensor FIM %1 , continuar ??").arg(laneLetter(lane)), platform::Dialogs::Icon::Critical,
        platform::Dialogs::Yes | platform::Dialogs::No, platform::Dialogs::No);
    if (answer == platform::Dialogs::Yes) return true;
    m_ctx.screen.setText(kAlinhar, QStringLiteral("Check"));
    m_ctx.screen.setPicture(kAlinhar, QStringLiteral("check"));
    return false;
}

void RaceActions::align() {
    m_ctx.publisher.publish(QStringLiteral("Alinhar:s@"));
    const QString caption = m_ctx.screen.text(kAlinhar);
    if (caption == QLatin1String("Check"))
        m_ctx.controller.write(QStringLiteral("check@"));
    else if (caption == QLatin1String("Alinhar") && !alignPair())
        return;
    if (m_ctx.screen.text(kAlinhar) == QLatin1String("Abortar")) {
        m_ctx.controller.write(QStringLiteral("stop@"));
        m_ctx.publisher.publish(QStringLiteral("Stop:s@"));
    }
}

/// The lane texts, the sensor checks, "alinhar@" and the handicap of an
/// Align with caption "Alinhar". False when a step stopped the action.
bool RaceActions::alignPair() {
    RacePair& pair = m_ctx.pair;
    ControllerPort& port = m_ctx.controller;
    platform::Pause& pause = m_ctx.pause;

    if (pair.a.vehicleCode == 0 && pair.b.vehicleCode == 0) {
        platform::dialogs().showMessage(QStringLiteral("Favor informar os Pilotos !!!!"));
        return false;
    }

    port.write(QStringLiteral("KA") + m_ctx.screen.text(QStringLiteral("edtPlacaA")) + u'@');
    pause.wait(kCommandGapMs);
    if (m_ctx.data.championship().prosolo == QLatin1String("S")) {
        port.write(QStringLiteral("offVerde10@"));
        pause.wait(kCommandGapMs);
    }
    if (!sendLaneText(Lane::A)) return false;

    pause.wait(kCommandGapMs);
    port.write(QStringLiteral("KB ") + m_ctx.screen.text(QStringLiteral("edtPlacaB")) + u'@');
    pause.wait(kCommandGapMs);
    if (!sendLaneText(Lane::B)) return false;

    if (!confirmFinishSensor(Lane::A) || !confirmFinishSensor(Lane::B)) return false;

    pause.wait(kCommandGapMs);
    port.write(QStringLiteral("alinhar@"));
    m_ctx.publisher.publish(QStringLiteral("Alinhar:s@"));
    pause.wait(kCommandGapMs);

    if (pair.scoreboardOn == QLatin1String("S"))
        m_ctx.publisher.publish(QStringLiteral("mostraTempo:s@"));
    else if (pair.scoreboardOn == QLatin1String("N"))
        m_ctx.publisher.publish(QStringLiteral("escondeTempo:s@"));

    if (pair.a.categoryTreeMode == 2) alignHandicap();
    return true;
}

/// Handicap racing (lane A's category decides): the slower dial-in gets the
/// head start of the difference, in whole milliseconds, ties to even.
void RaceActions::alignHandicap() {
    LaneState& a = m_ctx.pair.a;
    LaneState& b = m_ctx.pair.b;
    a.handicapDelayMs = 0;
    b.handicapDelayMs = 0;
    if (a.categoryDialAuto == QLatin1String("S") && a.dialIn > 1 && b.dialIn > 1) {
        // nearbyint follows the default rounding mode, ties to even.
        if (a.dialIn > b.dialIn) {
            a.handicapDelayMs = int(std::nearbyint((a.dialIn - b.dialIn) * 1000.0));
            m_ctx.screen.setText(QStringLiteral("lbltmpDialA"), QString::number(a.handicapDelayMs));
        }
        if (b.dialIn > a.dialIn) {
            b.handicapDelayMs = int(std::nearbyint((b.dialIn - a.dialIn) * 1000.0));
            m_ctx.screen.setText(QStringLiteral("lbltmpDialB"), QString::number(b.handicapDelayMs));
        }
    }
    m_ctx.controller.write(QStringLiteral("treehandicap@"));
    if (a.handicapDelayMs > 0) m_ctx.controller.write(QStringLiteral("tmpDialA%1@").arg(a.handicapDelayMs));
    if (b.handicapDelayMs > 0) m_ctx.controller.write(QStringLiteral("tmpDialB%1@").arg(b.handicapDelayMs));
}

void RaceActions::start() {
    if (m_ctx.screen.text(kLargada) == QLatin1String("Largada"))
        m_ctx.controller.write(QStringLiteral("start@"));
    else
        m_ctx.controller.write(QStringLiteral("stop@"));
    m_ctx.publisher.publish(QStringLiteral("Largada:s@"));
}

void RaceActions::readData() {
    m_ctx.controller.write(QStringLiteral("reler@"));
    m_ctx.controller.write(QStringLiteral("reler@"));
}

void RaceActions::cancel() {
    ScreenModel& s = m_ctx.screen;
    m_ctx.runLog.appendTimed(QStringLiteral("BTN-Cancelar!"));
    s.setEnabled(kSalvar, false);
    for (const Lane lane : {Lane::A, Lane::B}) {
        s.setEnabled(pilotList(lane), false);
        s.setEnabled(itemOf("edtPlaca", lane), false);
    }
    hooks.closePilotLists();
    s.setText(QStringLiteral("lblPilotoA"), QString());
    s.setText(QStringLiteral("lblPilotoB"), QString());
    s.setEnabled(kNova, true);
}

void RaceActions::closeTrack() { m_ctx.controller.write(QStringLiteral("fechapista@")); }

void RaceActions::check() { m_ctx.controller.write(QStringLiteral("check@")); }

/// Jeep championships run each pair twice with the lanes exchanged: the
/// vehicles of the last saved run come back on the other side.
void RaceActions::swapLanes() {
    RacePair& pair = m_ctx.pair;
    const int vehicleA = pair.b.swapVehicleCode;
    const int vehicleB = pair.a.swapVehicleCode;
    const QString plateA = pair.b.swapPlate;
    const QString plateB = pair.a.swapPlate;
    pair.a.vehicleCode = vehicleA;
    pair.b.vehicleCode = vehicleB;
    m_ctx.screen.setText(QStringLiteral("edtPlacaA"), plateA);
    m_ctx.screen.setText(QStringLiteral("edtPlacaB"), plateB);
    hooks.loadVehicle(Lane::A, vehicleA);
    hooks.loadVehicle(Lane::B, vehicleB);
}

void RaceActions::toggleCountdown() {
    if (m_ctx.screen.text(kContagem) != QLatin1String("STOP")) {
        m_tmrContagem->start();
        m_ctx.screen.setText(kContagem, QStringLiteral("STOP"));
    } else {
        m_tmrContagem->stop();
        m_ctx.screen.setText(kContagem, QStringLiteral("START"));
        m_ctx.screen.setText(kEdtContagem, QStringLiteral("05:00"));
    }
}

/// One second of the countdown shown on lane A's scoreboard. An entry that is
/// not a time throws at every tick until the operator stops the countdown.
void RaceActions::countdownTick() {
    int n = countdownSeconds(m_ctx.screen.text(kEdtContagem));
    m_ctx.screen.setText(QStringLiteral("pnlStatus0"), QString::number(n));
    if (n > 0) {
        --n;
        m_ctx.screen.setText(kEdtContagem, countdownText(n));
        m_ctx.controller.write(QStringLiteral("XA") + m_ctx.screen.text(kEdtContagem) + u'@');
    }
    // Started at 00:00 there is nothing left to count: end at once instead of
    // counting below zero for ever.
    if (n <= 0) {
        m_ctx.controller.write(QStringLiteral("XAW.O.    .@"));
        m_tmrContagem->stop();
        m_ctx.screen.setText(kContagem, QStringLiteral("START"));
        m_ctx.screen.setText(kEdtContagem, QStringLiteral("03:00"));
    }
}

void RaceActions::clickPicture(const QString& name) {
    ScreenModel& s = m_ctx.screen;
    // The controller's confirmation swaps the start and scoreboard pictures;
    // the random-category choice is the station's own and swaps at once.
    if (name == QLatin1String("imgAutoStartOn")) {
        m_ctx.controller.write(QStringLiteral("START-MANUAL@"));
    } else if (name == QLatin1String("imgAutoStartOff")) {
        m_ctx.controller.write(QStringLiteral("START-AUTO@"));
    } else if (name == QLatin1String("imgPlacarOn")) {
        m_ctx.controller.write(QStringLiteral("PLACAR-OFF@"));
    } else if (name == QLatin1String("imgPlacarOff")) {
        m_ctx.controller.write(QStringLiteral("PLACAR-ON@"));
    } else if (name == QLatin1String("imgCatAleOff")) {
        m_ctx.pair.randomCategory = QStringLiteral("S");
        s.show(QStringLiteral("imgCatAleOn"));
        s.hide(QStringLiteral("imgCatAleOff"));
    } else if (name == QLatin1String("imgCatAleOn")) {
        m_ctx.pair.randomCategory = QStringLiteral("N");
        s.show(QStringLiteral("imgCatAleOff"));
        s.hide(QStringLiteral("imgCatAleOn"));
    } else if (name == QLatin1String("Image6")) {
        m_ctx.controller.write(QStringLiteral("demo@"));
    }
}

void RaceActions::startReceived() {
    RacePair& pair = m_ctx.pair;
    ScreenModel& s = m_ctx.screen;

    captionAlignByVersion(s, pair.controllerVersion);
    if (numtext::parse(pair.controllerVersion) > 4.3) m_ctx.publisher.publish(QStringLiteral("Largada:s@"));

    m_timer1->setInterval(kLampIntervalMs);
    if (m_ctx.monitor.isOpen()) m_ctx.monitor.setBlackBackground();

    s.setEnabled(kLargada, false);
    m_ctx.publisher.publish(QStringLiteral("Largada@"));

    const QTime now = platform::Clock::now().time();
    pair.startClock = now;
    pair.a.finishClock = now;
    pair.b.finishClock = now;

    // A start while the drawn lights still run begins them again; lamps left
    // lit by the interrupted sequence go out first, or two ambers would show.
    pair.lampStep = 0;
    for (const Lane lane : {Lane::A, Lane::B}) {
        s.hide(itemOf("spA", lane) + u'2');
        s.hide(itemOf("spA", lane) + u'3');
        s.hide(itemOf("spVE", lane));
        s.show(itemOf("spA", lane) + u'1');
    }
    m_timer1->start();

    s.hide(QStringLiteral("spQA"));

    for (const Lane lane : {Lane::A, Lane::B}) {
        LaneState& l = pair.lane(lane);
        l.reactionTime = 0;
        l.sixtyFootTime = 0;
        l.finalTime = 0;
        l.speed = 0;
        l.split2Time = 0;
        l.flyingSpeed = 0;
        l.foulFlag.clear();
        s.setText(itemOf("lblStatus", lane), QString());
    }

    const bool prosolo = m_ctx.data.championship().prosolo == QLatin1String("S");
    for (const Lane lane : {Lane::A, Lane::B}) {
        if (prosolo && lane == Lane::B) {
            for (const QString& label : measurementLabels(lane)) s.setText(label, QString());
            continue;
        }
        for (const char* stem : {"lblR", "lblP", "lbl50", "lbl100", "lblF", "lblPista"})
            s.setText(itemOf(stem, lane), QStringLiteral("00.000"));
        s.setText(itemOf("lblV", lane), QStringLiteral("000"));
    }

    if (m_ctx.monitor.isOpen()) {
        for (const Lane lane : {Lane::A, Lane::B}) {
            m_ctx.monitor.setLaneTime(lane, QStringLiteral("0.000"));
            m_ctx.monitor.setLaneSpeed(lane, QStringLiteral("000"));
        }
    }
}

/// One step of the drawn start lights; the steps follow the station's own
/// clock, not the controller's lamps.
void RaceActions::lampTick() {
    ScreenModel& s = m_ctx.screen;
    const int step = ++m_ctx.pair.lampStep;
    const auto both = [&s](const char* stem, bool visible) {
        s.setVisible(itemOf(stem, Lane::A), visible);
        s.setVisible(itemOf(stem, Lane::B), visible);
    };
    const auto ambers = [&s](int which, bool visible) {
        for (const Lane lane : {Lane::A, Lane::B}) s.setVisible(itemOf("spA", lane) + QString::number(which), visible);
    };

    switch (step) {
    case 1:
        ambers(1, true);
        break;
    case 2:
        ambers(1, false);
        ambers(2, true);
        m_timer1->setInterval(kLampIntervalMs);
        break;
    case 3:
        ambers(1, false);
        ambers(2, false);
        ambers(3, true);
        m_timer1->setInterval(kLampIntervalMs);
        break;
    case 4:
        for (int i = 1; i <= 3; ++i) ambers(i, false);
        both("spVE", true);
        m_timer1->setInterval(kGreenIntervalMs);
        m_timer1->start();
        break;
    default:
        for (int i = 1; i <= 3; ++i) ambers(i, false);
        both("spVE", false);
        m_timer1->stop();
        m_timer1->setInterval(kRestIntervalMs);
        break;
    }
}

/// Key preview of the window: the function keys work whatever has the focus.
bool RaceActions::handleKey(int key) {
    switch (key) {
    case Qt::Key_F1:
        newRace();
        return true;
    case Qt::Key_F2:
    case Qt::Key_F3: {
        const Lane lane = key == Qt::Key_F2 ? Lane::A : Lane::B;
        hooks.chooseCategory(lane);
        hooks.focusPlate(lane);
        return true;
    }
    case Qt::Key_F4:
        if (m_ctx.screen.isEnabled(kSalvar)) hooks.save();
        return true;
    case Qt::Key_F5:
        printTickets();
        return true;
    default:
        return false;
    }
}

void RaceActions::printTickets() { ticketCommand(false); }

void RaceActions::printTicketsFromToolbar() { ticketCommand(true); }

/// The 80 mm ticket holds both lanes; the 57 mm model prints a ticket per
/// lane, with a pause between them to tear off the first. The two commands
/// differ in where the 80 mm ticket goes (the toolbar previews it) and in
/// whether a 57 mm lane must have finished (F5 and the save ask for it).
void RaceActions::ticketCommand(bool fromToolbar) {
    const QString model = m_ctx.data.ticketPrinter();
    const LaneState& a = m_ctx.pair.a;
    const LaneState& b = m_ctx.pair.b;
    const auto narrowDue = [&](const LaneState& l) {
        return model == QLatin1String("5") && l.vehicleCode > 0 && (fromToolbar || l.finalTime > 1);
    };
    if (model == QLatin1String("8")) fromToolbar ? hooks.previewTicket80() : hooks.printTicket80();
    if (narrowDue(a)) hooks.printTicket57(Lane::A);
    if (a.vehicleCode > 0 && b.vehicleCode > 0) platform::dialogs().showMessage(QStringLiteral("Recorte o Ticket"));
    if (narrowDue(b)) hooks.printTicket57(Lane::B);
}
