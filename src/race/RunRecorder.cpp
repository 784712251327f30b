#include "RunRecorder.h"

#include "app/uDM.h"
#include "core/NumberText.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "db/Schema.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Pause.h"
#include "race/SaveTransaction.h"

#include <QRegularExpression>
#include <QScopeGuard>
#include <cmath>
#include <optional>

namespace {

const QString kYes = QStringLiteral("S");
const QString kValid = QStringLiteral("Valido");
const QString kFouled = QStringLiteral("Queimou");
const QString kDisqualified = QStringLiteral("Desclass");
const QString kTraining = QStringLiteral("T");
const QString kSalvar = QStringLiteral("btnSalvar");
const QString kProsoloPenalty = QStringLiteral("edtPenalAProsolo");

// The operator learns from these that pressing F4 again is safe.
const QString kNotStored = QStringLiteral("Passagem NÃO salva, nada foi gravado (corrija e salve de novo com F4): ");
const QString kUnconfirmed = QStringLiteral("Salvamento não confirmado: ");
const QString kStoredBut = QStringLiteral("Passagem salva, mas: ");
const QString kNoKnockoutRace =
    QStringLiteral("Corrida do Mata-Mata deste par não encontrada no round escolhido: vencedor não gravado.");

// A foul is stored with this final time, so it sorts after every real run.
constexpr double kFoulTime = 99.999;
// The controller wants the two speed texts apart.
constexpr int kSpeedGapMs = 200;
// A lane that ran longer than this had a car in it, named or not.
constexpr double kUnnamedRunLimit = 3;
// A final time below this is no finish.
constexpr double kNoFinishLimit = 1;

QString item(const char* stem, Lane lane) { return QLatin1String(stem) + laneLetter(lane); }
QString sideOf(Lane lane) { return lane == Lane::A ? QStringLiteral("Esquerda") : QStringLiteral("Direita"); }
QString noFinishOf(Lane lane) { return QStringLiteral("ErroF") + laneLetter(lane); }

/// Times are shown and typed with three decimals; compared at that
/// resolution, a minimum of 7.000 and a run of 7.000 are equal however the
/// two doubles came about.
qint64 millis(double seconds) { return std::llround(seconds * 1000.0); }

/// `text` cut to the width the schema gives the column. The training, jeep
/// and disqualification tables keep the heat in one character and the typed
/// plate in five; the run must not be refused over a longer text.
QString fitted(const QString& table, const char* column, const QString& text) {
    const db::TableDef* t = db::Schema::table(table);
    if (!t) return text;
    static const QRegularExpression width(QStringLiteral("^VARCHAR\\((\\d+)\\)"),
                                          QRegularExpression::CaseInsensitiveOption);
    for (const db::ColumnDef& c : t->columns) {
        if (c.name.compare(QLatin1String(column), Qt::CaseInsensitive) != 0) continue;
        const QRegularExpressionMatch m = width.match(c.type);
        return m.hasMatch() ? text.left(m.captured(1).toInt()) : text;
    }
    return text;
}

QVariant fieldOf(const db::Query* q, const char* column) {
    const QString name = QLatin1String(column);
    return q && q->isOpen() && !q->isEmpty() && q->hasField(name) ? q->value(name) : QVariant();
}

}  // namespace

RunRecorder::LaneRecord RunRecorder::laneRecordOf(const db::Query* vehicleRow, const db::Query* categoryRecord) {
    LaneRecord r;
    r.vehicle = fieldOf(vehicleRow, "VEICULO").toString();
    r.pilot = fieldOf(vehicleRow, "PILOTO").toString();
    r.targetTime = fieldOf(vehicleRow, "TMP_ALVO").toDouble();
    r.noShark = fieldOf(vehicleRow, "NOSHARK").toString();
    r.list = fieldOf(categoryRecord, "LISTA").toString();
    r.onTarget = fieldOf(categoryRecord, "NA_MOSCA").toString();
    r.knockout = fieldOf(categoryRecord, "MATA_MATA").toString();
    return r;
}

RunRecorder::RunRecorder(RaceContext& context, DM& dm, QObject* parent)
    : QObject(parent),
      m_ctx(context),
      m_dm(dm),
      m_qryMataMata(new db::Query(&dm.connection(), QStringLiteral("select * from mata_mata where CODIGO=:codigo"),
                                  this)) {
    m_qryMataMata->setObjectName(QStringLiteral("qryMataMataSalvar"));
    m_qryMataMata->setTable(QStringLiteral("mata_mata"));
}

// ---------------------------------------------------------------------------
// The save

void RunRecorder::save() {
    // A pair is stored once; and a box of this save must not let F4 in twice.
    if (m_saving || !m_ctx.screen.isEnabled(kSalvar)) return;
    m_saving = true;
    const auto done = qScopeGuard([this] { m_saving = false; });
    m_runA = {};
    m_jeepTexts.clear();
    m_knockoutMessages.clear();
    m_written.clear();
    m_refreshedLanes.clear();

    sendSpeeds();
    showCredits();
    if (!checkPair()) return;
    if (!storeRows()) return;
    announce();
}

/// The lanes' speed labels to the scoreboards.
void RunRecorder::sendSpeeds() {
    m_ctx.controller.write(QStringLiteral("YA") + m_ctx.screen.text(QStringLiteral("lblVA")));
    m_ctx.pause.wait(kSpeedGapMs);
    m_ctx.controller.write(QStringLiteral("YB") + m_ctx.screen.text(QStringLiteral("lblVB")));
}

/// The WhatsApp credits, read again: the sender spends them meanwhile.
void RunRecorder::showCredits() {
    db::Query* org = m_dm.qryOrganizador;
    if (org->isOpen())
        org->refresh();
    else
        org->open();
    m_ctx.screen.setText(QStringLiteral("pnlStatus3"), QStringLiteral("Saldo Whats: ") + org->text(QStringLiteral("SALDO_WHATS")));
    m_ctx.runLog.appendTimed(QStringLiteral("BTN-Salvar!"));
}

/// The lanes' statuses and the refusals that need no database. False when refused.
bool RunRecorder::checkPair() {
    RacePair& pair = m_ctx.pair;
    ScreenModel& s = m_ctx.screen;

    if (hasVehicle(Lane::A) && hasVehicle(Lane::B) && pair.a.vehicleCode == pair.b.vehicleCode) {
        tell(QStringLiteral("O mesmo piloto esta selecionando nas 2 pistas. \nSalvamento abortado."));
        return false;
    }

    for (const Lane lane : {Lane::A, Lane::B}) {
        LaneState& l = pair.lane(lane);
        // A save taken back and made again must not keep the last one's mark.
        s.hide(item("imgStatus", lane) + u'D');
        if (l.foulFlag != kYes) {
            s.setText(item("lblStatus", lane), kValid);
            s.show(item("imgStatus", lane) + u'V');
            m_ctx.publisher.publish(QStringLiteral("status") + laneLetter(lane) + QStringLiteral(":Valido@"));
        } else {
            l.finalTime = kFoulTime;
        }
    }

    for (const Lane lane : {Lane::A, Lane::B}) {
        if (!hasVehicle(lane) && pair.lane(lane).finalTime > kUnnamedRunLimit) {
            tell(QStringLiteral("Não Informou o Piloto ") + laneLetter(lane));
            emit focusRequested(item("edtPlaca", lane));
            return false;
        }
    }

    for (const Lane lane : {Lane::A, Lane::B}) {
        if (pair.lane(lane).finalTime < kNoFinishLimit && statusText(lane) != kFouled) {
            s.setText(item("lblStatus", lane), noFinishOf(lane));
            s.hide(item("imgStatus", lane) + u'V');
        }
    }

    if (m_ctx.data.championship().jeep == kYes) {
        for (const Lane lane : {Lane::A, Lane::B}) {
            if (pair.lane(lane).foulFlag != kYes) continue;
            s.setText(item("lblStatus", lane), kFouled);
            if (s.text(item("edtPenal", lane)) == QLatin1String("0")) {
                tell(QStringLiteral("O Piloto da pista ") + laneLetter(lane) +
                     QStringLiteral(" queimou, preencher a penalização"));
                emit focusRequested(item("edtPenal", lane));
                return false;
            }
        }
    }
    return true;
}

/// Every row of the save in one transaction. False when a refusal stopped
/// it; nothing is stored then. A database error takes everything back too
/// and is thrown on, saying so.
bool RunRecorder::storeRows() {
    std::optional<SaveTransaction> tx;
    try {
        tx.emplace(m_dm.connection());
        m_tx = &*tx;
        if (!writeRows()) {
            abandon();
            return false;
        }
        storeJeepTotals();
        decideKnockout();
        markOpenEvent();
        tx->commit();
        m_tx = nullptr;
        return true;
    } catch (const SaveUncertain& e) {
        abandon();
        throw db::DbError(kUnconfirmed + e.message(), e.code());
    } catch (const db::DbError& e) {
        abandon();
        throw db::DbError(kNotStored + e.message(), e.code());
    } catch (...) {
        abandon();
        throw;
    }
}

/// Training rows for the lanes with heat "T", run rows for the others.
bool RunRecorder::writeRows() {
    const RacePair& pair = m_ctx.pair;
    const bool trainingA = heatOf(Lane::A) == kTraining;
    const bool trainingB = heatOf(Lane::B) == kTraining;
    if (trainingA || trainingB) {
        for (const Lane lane : {Lane::A, Lane::B})
            if (heatOf(lane) == kTraining) storeTrainingRow(lane);
        // A loaded vehicle with a numbered heat beside a training lane ran
        // for real: its run is stored as one instead of being dropped.
        for (const Lane lane : {Lane::A, Lane::B})
            if (heatOf(lane) != kTraining && hasVehicle(lane) && !storeRun(lane)) return false;
        return true;
    }
    if (!hasVehicle(Lane::A) && !hasVehicle(Lane::B)) {
        tell(QStringLiteral("Selecionar pelo menos 1 Veiculo!"));
        return false;
    }
    if (pair.a.categoryCode < 1 && pair.b.categoryCode < 1) {
        tell(QStringLiteral("Selecionar pelo menos 1 Categoria!"));
        return false;
    }
    for (const Lane lane : {Lane::A, Lane::B})
        if (hasVehicle(lane) && !storeRun(lane)) return false;
    return true;
}

/// The lane's `resultados` row and its shark-tank copy. False when refused.
bool RunRecorder::storeRun(Lane lane) {
    const QString heat = heatOf(lane);
    if (heat.trimmed().isEmpty()) {
        tell(QStringLiteral("Selecionar a Bateria da pista ") + laneLetter(lane) + u'!');
        return false;
    }
    const RacePair& pair = m_ctx.pair;
    const LaneState& l = pair.lane(lane);
    const int eventCode = m_dm.eventCode();
    // Both runs of one pair in one category share the race number.
    const bool sharesRace = lane == Lane::B && m_runA.stored && m_runA.categoryCode == l.categoryCode;
    const int race = sharesRace ? m_runA.raceNumber : m_dm.nextRaceNumber(eventCode, l.categoryCode);
    const LaneRecord record = hooks.laneRecord(lane);
    const QString status = statusOf(lane, heat);

    double finalTime = l.finalTime;
    int penalty = 0;
    if (lane == Lane::A) {
        if (m_ctx.data.championship().prosolo == kYes) {
            penalty = wholeSeconds(kProsoloPenalty);
            if (penalty == 0 &&
                platform::dialogs().ask(QStringLiteral("Confirmação"), QStringLiteral("Não teve Penalização ??"),
                                        platform::Dialogs::Icon::Warning,
                                        platform::Dialogs::Yes | platform::Dialogs::No,
                                        platform::Dialogs::No) == platform::Dialogs::Yes) {
                emit focusRequested(kProsoloPenalty);
                return false;
            }
            finalTime = l.trackTime + penalty;
        }
    } else {
        penalty = wholeSeconds(QStringLiteral("edtPenalB"));
    }

    db::Query* r = appendRun(lane, l.categoryCode);
    r->setValue(QStringLiteral("RACE"), race);
    r->setValue(QStringLiteral("STATUS"), status);
    r->setValue(QStringLiteral("TFINAL"), finalTime);
    r->setValue(QStringLiteral("TPENALIZACAO"), penalty);
    // Without a category record the column keeps the table's 'N'.
    if (!record.list.isEmpty()) r->setValue(QStringLiteral("LISTA"), record.list);
    r->setValue(QStringLiteral("BATERIA"), heat);
    if (record.onTarget == kYes) {
        const double difference = l.finalTime - record.targetTime;
        m_ctx.screen.setText(item("lbltmpDial", lane), difference >= 0
                                                           ? QStringLiteral("Dif Mosca: ") + generalText(difference)
                                                           : QStringLiteral("Menor que Alvo"));
        r->setValue(QStringLiteral("TMP_ALVO"), record.targetTime);
        r->setValue(QStringLiteral("NA_MOSCA"), difference);
    }
    if (record.knockout == kYes) {
        if (pair.knockoutRound > 0) r->setValue(QStringLiteral("MMROUND"), pair.knockoutRound);
        if (pair.knockoutRaceCode > 0) r->setValue(QStringLiteral("MMRACE"), pair.knockoutRaceNumber);
    }
    store(r);
    if (lane == Lane::A) m_runA = {true, l.categoryCode, race};

    m_refreshedLanes << lane;
    hooks.refreshRuns(lane);
    storeSharkCopy(lane, heat, record);
    return true;
}

/// The stored status: the status label, or "Desclass" for a time below the
/// category's minimum, which also records the disqualification. A run
/// without a finish has no time to hold against the minimum.
QString RunRecorder::statusOf(Lane lane, const QString& heat) {
    const LaneState& l = m_ctx.pair.lane(lane);
    const QString label = statusText(lane);
    if (!(l.categoryMinTime > 0) || label == kFouled || label == noFinishOf(lane)) return label;
    double compared = 0;
    if (l.minTimeBasis == QLatin1String("P"))
        compared = l.trackTime;
    else if (l.minTimeBasis == QLatin1String("T"))
        compared = l.finalTime;
    else
        return label;  // a category saved without a basis has no time to compare
    if (millis(l.categoryMinTime) <= millis(compared)) return label;

    ScreenModel& s = m_ctx.screen;
    s.hide(item("imgStatus", lane) + u'V');
    s.show(item("imgStatus", lane) + u'D');
    s.setText(item("lblStatus", lane), kDisqualified);
    storeDisqualification(lane, heat);
    m_ctx.publisher.publish(QStringLiteral("Desclass") + laneLetter(lane) + QStringLiteral(":s@"));
    return kDisqualified;
}

void RunRecorder::storeDisqualification(Lane lane, const QString& heat) {
    const LaneState& l = m_ctx.pair.lane(lane);
    const QString table = QStringLiteral("desclassicados");
    db::Query* d = opened(m_dm.qryDesclassificados);
    track(d);
    d->append();
    d->setValue(QStringLiteral("COD_EVENTO"), m_dm.eventCode());
    d->setValue(QStringLiteral("COD_CATEGORIA"), l.categoryCode);
    d->setValue(QStringLiteral("COD_PILOTO"), l.vehicleCode);
    d->setValue(QStringLiteral("BATERIA"), fitted(table, "BATERIA", heat));
    d->setValue(QStringLiteral("TFINAL"), l.finalTime);
    d->setValue(QStringLiteral("MOTIVO"), lane == Lane::A
                                              ? QStringLiteral("TEMPO ABAIXO DO MINIMO DA CATEGORIA.")
                                              : QStringLiteral("TEMPO PISTA ABAIXO DO MINIMO DA CATEGORIA."));
    store(d);
}

/// The copy of the lane's run in the championship's shark-tank category,
/// always "Valido": the shark tank has no minimum time. A foul has no time
/// and neither has a run without a finish (its final time would rank first
/// there); a run made in the shark-tank category itself is there already.
void RunRecorder::storeSharkCopy(Lane lane, const QString& heat, const LaneRecord& record) {
    const db::Query* shark = opened(m_dm.qryVerShark);
    if (shark->rowCount() != 1 || record.noShark == kYes) return;
    const QString label = statusText(lane);
    if (label == kFouled || label == noFinishOf(lane)) return;
    const LaneState& l = m_ctx.pair.lane(lane);
    const int sharkCategory = shark->valueAt(0, QStringLiteral("CODIGO")).toInt();
    if (sharkCategory == l.categoryCode) return;

    db::Query* r = appendRun(lane, sharkCategory);
    r->setValue(QStringLiteral("STATUS"), kValid);
    r->setValue(QStringLiteral("TFINAL"), l.finalTime);
    r->setValue(QStringLiteral("SHARKTANK"), kYes);
    r->setValue(QStringLiteral("BATERIA"), heat);
    store(r);
}

/// A training run is kept by the typed number, not by a vehicle code.
void RunRecorder::storeTrainingRow(Lane lane) {
    const LaneState& l = m_ctx.pair.lane(lane);
    const LaneRecord record = hooks.laneRecord(lane);
    const QString table = QStringLiteral("result_treinos");
    const QDateTime now = platform::Clock::now();
    db::Query* t = opened(m_dm.qryResult_Treinos);
    track(t);
    t->append();
    t->setValue(QStringLiteral("DATA"), now.date());
    t->setValue(QStringLiteral("HORA"), now.time());
    t->setValue(QStringLiteral("COD_EVENTO"), m_dm.eventCode());
    t->setValue(QStringLiteral("PLACA"), fitted(table, "PLACA", m_ctx.screen.text(item("edtPlaca", lane))));
    t->setValue(QStringLiteral("VEICULO"), fitted(table, "VEICULO", record.vehicle));
    t->setValue(QStringLiteral("PILOTO"), fitted(table, "PILOTO", record.pilot));
    t->setValue(QStringLiteral("LADO_PISTA"), sideOf(lane));
    t->setValue(QStringLiteral("STATUS"), statusText(lane));
    t->setValue(QStringLiteral("REACAO"), l.reactionTime);
    t->setValue(QStringLiteral("TPES"), l.sixtyFootTime);
    t->setValue(QStringLiteral("TPISTA"), l.finalTime - l.reactionTime);
    t->setValue(QStringLiteral("TFINAL"), l.finalTime);
    t->setValue(QStringLiteral("BATERIA"), fitted(table, "BATERIA", heatOf(lane)));
    if (lane == Lane::B) t->setValue(QStringLiteral("VEL_FINAL"), 0);
    store(t);
}

/// Jeep: a heat is run once on each side; when the other side's valid run
/// of the same heat is stored, the two make the heat's total.
void RunRecorder::storeJeepTotals() {
    if (m_ctx.data.championship().jeep != kYes) return;
    const QString table = QStringLiteral("result_jeep");
    for (const Lane lane : {Lane::A, Lane::B}) {
        if (!hasVehicle(lane)) continue;
        const LaneState& l = m_ctx.pair.lane(lane);
        const QString heat = heatOf(lane);
        const db::ResultSet other = m_dm.connection().execute(
            QStringLiteral("select TFINAL from resultados where COD_EVENTO=:evento and COD_VEICULO=:veiculo "
                           "and COD_CATEGORIA=:categoria and BATERIA=:bateria and LADO_PISTA<>:lado "
                           "and status='Valido' order by CODIGO"),
            {{QStringLiteral("evento"), m_dm.eventCode()},
             {QStringLiteral("veiculo"), l.vehicleCode},
             {QStringLiteral("categoria"), l.categoryCode},
             {QStringLiteral("bateria"), heat},
             {QStringLiteral("lado"), sideOf(lane)}});
        if (other.rowCount() == 0) continue;
        const double total = other.row(0).at(0).toDouble() + (l.finalTime - wholeSeconds(item("edtPenal", lane)));

        db::Query* j = opened(m_dm.qryRESULT_JEEP);
        track(j);
        j->append();
        j->setValue(QStringLiteral("cod_evento"), m_dm.eventCode());
        j->setValue(QStringLiteral("cod_veiculo"), l.vehicleCode);
        j->setValue(QStringLiteral("cod_categoria"), l.categoryCode);
        j->setValue(QStringLiteral("bateria"), fitted(table, "BATERIA", heat));
        j->setValue(QStringLiteral("total_sec"), total);
        store(j);
        m_jeepTexts.append({lane, jeepTotalText(total)});
    }
}

/// The winner of the knockout race, written into the race row that lane A's
/// lookup found for this pair and into no other: without one nothing is
/// written, and no row is created. The cases are tried in order and a later
/// one overwrites what an earlier one set; their messages are shown once
/// the pair is stored.
void RunRecorder::decideKnockout() {
    const RacePair& pair = m_ctx.pair;
    if (pair.knockoutRace != kYes) return;
    bool found = false;
    if (pair.knockoutRaceCode > 0 && pair.a.vehicleCode > 0) {
        m_qryMataMata->close();
        m_qryMataMata->setParam(QStringLiteral("codigo"), pair.knockoutRaceCode);
        m_qryMataMata->open();
        // The row must still be the race of lane A's vehicle, not one a
        // later lookup of another vehicle left behind.
        found = !m_qryMataMata->isEmpty() &&
                (m_qryMataMata->integer(QStringLiteral("CD_VEICULO1")) == pair.a.vehicleCode ||
                 m_qryMataMata->integer(QStringLiteral("CD_VEICULO2")) == pair.a.vehicleCode);
    }
    if (!found) {
        // A round-area pair category has no race rows at all; only a
        // knockout category is missing one.
        if (pair.a.categoryKnockout == kYes) m_knockoutMessages << kNoKnockoutRace;
        return;
    }

    const QDateTime now = platform::Clock::now();
    QList<QPair<QString, QVariant>> writes;
    const auto set = [&writes](const char* column, const QVariant& value) {
        writes.append({QLatin1String(column), value});
    };
    const auto win = [&](Lane lane, const QString& message) {
        const LaneState& w = pair.lane(lane);
        m_knockoutMessages << message;
        set("CD_GANHOU", w.vehicleCode);
        set("DATA", now.date());
        set("TREACAO", w.reactionTime);
        set("TTOTAL", w.finalTime);
        set("HORA", now.time());
    };
    const QString statusA = statusText(Lane::A);
    const QString statusB = statusText(Lane::B);
    const bool validA = statusA == kValid;
    const bool validB = statusB == kValid;
    const bool walkOverA = m_ctx.screen.text(QStringLiteral("ckWOA")) == kYes;
    const bool walkOverB = m_ctx.screen.text(QStringLiteral("ckWOB")) == kYes;
    const qint64 finalA = millis(pair.a.finalTime);
    const qint64 finalB = millis(pair.b.finalTime);
    const qint64 reactionA = millis(pair.a.reactionTime);
    const qint64 reactionB = millis(pair.b.reactionTime);

    if (validA && validB) {
        if (finalA < finalB)
            win(Lane::A, QStringLiteral("A Ganhou"));
        else if (finalA > finalB)
            win(Lane::B, QStringLiteral("B Ganhou"));
    }
    if (validA && !validB) {
        win(Lane::A, QStringLiteral("A Ganhou, B Fora"));
        set("OBS", QStringLiteral("B Fora: ") + statusB);
    }
    if (!validA && validB) {
        win(Lane::B, QStringLiteral("B Ganhou, A Fora"));
        set("OBS", QStringLiteral("A Fora: ") + statusA);
    }
    if (statusA == kFouled && statusB == kFouled) {
        if (reactionA < reactionB) {
            win(Lane::A, QStringLiteral("Reaçao Queima A Menor "));
            set("OBS", QStringLiteral("Reaçao Queima A Menor"));
        } else if (reactionA > reactionB) {
            win(Lane::B, QStringLiteral("Reaçao Queima B Menor"));
            set("OBS", QStringLiteral("Reaçao Queima B Menor"));
        }
    }
    if (walkOverB && !walkOverA) {
        win(Lane::A, QStringLiteral("A Ganhou, B WO"));
        set("OBS", QStringLiteral("A Ganhou, B WO"));
        set("WO2", kYes);
    }
    if (walkOverA && !walkOverB) {
        win(Lane::B, QStringLiteral("B Ganhou,A WO"));
        set("OBS", QStringLiteral("B Ganhou, A WO"));
        set("WO1", kYes);
    }
    if (walkOverA && walkOverB) {
        m_knockoutMessages << QStringLiteral("A e B WO");
        set("CD_GANHOU", 0);
        set("OBS", QStringLiteral("A e B WO"));
        set("DATA", now.date());
        set("WO1", kYes);
        set("WO2", kYes);
        set("HORA", now.time());
    }
    if (writes.isEmpty()) return;

    track(m_qryMataMata);
    m_qryMataMata->edit();
    for (const auto& [column, value] : writes) m_qryMataMata->setValue(column, value);
    store(m_qryMataMata);
}

/// The open event is remembered for the next start. Only that column is
/// written: the companions change the organizer's credits meanwhile, and
/// writing the whole row read at the start of the save would undo that.
void RunRecorder::markOpenEvent() {
    const db::Query* org = m_dm.qryOrganizador;
    if (!org->isOpen() || org->isEmpty()) return;
    m_tx->ensureSession();
    m_dm.connection().execute(QStringLiteral("UPDATE organizador SET COD_EVENTO_ABERTO=:evento WHERE CODIGO=:codigo"),
                              {{QStringLiteral("evento"), m_dm.eventCode()},
                               {QStringLiteral("codigo"), org->value(QStringLiteral("CODIGO"))}});
    m_tx->updated();
}

/// Takes back what this save wrote: the transaction, the rows being edited,
/// and the rows the grids and queries show that are no longer stored.
void RunRecorder::abandon() noexcept {
    for (db::Query* q : std::as_const(m_written)) q->cancel();
    const bool reachable = m_tx && m_tx->rollback();
    m_tx = nullptr;
    if (!reachable) return;
    try {
        for (db::Query* q : std::as_const(m_written))
            if (q->isOpen()) q->refresh();
        for (const Lane lane : std::as_const(m_refreshedLanes)) hooks.refreshRuns(lane);
    } catch (...) {
        // The rollback stands; stale grids are read again at the next load.
    }
}

/// Everything that tells the world the pair is stored, once it is. The
/// save is disabled first: whatever fails after that must not let the pair
/// be stored twice. A failure does not stop the steps after it; it is
/// reported at the end.
void RunRecorder::announce() {
    ScreenModel& s = m_ctx.screen;
    RacePair& pair = m_ctx.pair;
    QStringList errors;
    const auto guarded = [&errors](const std::function<void()>& step) {
        try {
            step();
        } catch (const db::DbError& e) {
            errors << e.message();
        } catch (const std::exception& e) {
            errors << QString::fromUtf8(e.what());
        } catch (...) {
            errors << QStringLiteral("Erro desconhecido");
        }
    };

    for (const Lane lane : {Lane::A, Lane::B}) {
        LaneState& l = pair.lane(lane);
        l.swapVehicleCode = l.vehicleCode;
        l.swapPlate = s.text(item("edtPlaca", lane));
    }
    for (const char* name : {"btnTrocaPista", "btnSalvar", "dbgPilotosCategA", "dbgPilotosCategB", "edtPlacaA",
                             "edtPlacaB"})
        s.setEnabled(QLatin1String(name), false);

    for (const auto& [lane, text] : std::as_const(m_jeepTexts)) {
        s.setText(item("lblSoma", lane), text);
        if (m_ctx.monitor.isOpen()) guarded([&] { hooks.showJeepTotal(lane, text); });
        if (pair.scoreboardOn == kYes) m_ctx.controller.write(u'X' + laneLetter(lane) + text + u'@');
    }

    if (m_ctx.monitor.isOpen()) guarded(hooks.refreshReactionRanking);

    guarded([this] { showPosition(Lane::A); });
    guarded([this] { showPosition(Lane::B); });
    guarded([this] { m_ctx.publisher.publish(QStringLiteral("salvou:") + m_ctx.data.trackSide() + u'@'); });

    if (s.text(QStringLiteral("ckTicketAuto")) == kYes) guarded(hooks.printTicket);

    for (const QString& message : std::as_const(m_knockoutMessages)) tell(message);

    s.setEnabled(QStringLiteral("btnNova"), true);
    guarded(hooks.writeRunLog);

    guarded([this] { m_dm.qryOrganizador->refresh(); });
    s.setText(QStringLiteral("pnlStatus0"),
              platform::Clock::now().toString(QStringLiteral("hh:mm:ss")) + QStringLiteral(": Salvou"));

    if (!errors.isEmpty()) throw std::runtime_error((kStoredBut + errors.join(QStringLiteral("; "))).toStdString());
}

/// The lane's place among the best valid runs of its category, now that
/// its run counts; the label keeps its text when the vehicle is not placed.
void RunRecorder::showPosition(Lane lane) {
    const LaneState& l = m_ctx.pair.lane(lane);
    const QString label = item("lblPos", lane);
    const db::ResultSet best = m_dm.connection().execute(
        QStringLiteral("select COD_VEICULO, min(TFINAL) as MELHOR from resultados "
                       "where COD_EVENTO=:evento and COD_CATEGORIA=:categoria and BATERIA <> 'T' "
                       "and tfinal > 0 and status = 'Valido' group by COD_VEICULO order by MELHOR, COD_VEICULO"),
        {{QStringLiteral("evento"), m_dm.eventCode()}, {QStringLiteral("categoria"), l.categoryCode}});
    for (int row = 0; row < best.rowCount(); ++row) {
        if (hasVehicle(lane) && best.row(row).at(0).toInt() == l.vehicleCode) {
            m_ctx.screen.setText(label, QString::number(row + 1) + QStringLiteral("º"));
            break;
        }
    }
    m_ctx.publisher.publish(QStringLiteral("pos") + laneLetter(lane) + u':' + m_ctx.screen.text(label) + u'@');
}

// ---------------------------------------------------------------------------
// Helpers

/// Posts the row being written and makes sure it went in with the
/// transaction, not on a session of its own.
/// A new `resultados` row of the lane's run: when, where, who, and every
/// time and speed the controller reported. The caller adds what differs
/// between the ordinary row and its shark-tank copy, then stores it.
db::Query* RunRecorder::appendRun(Lane lane, int categoryCode) {
    const LaneState& l = m_ctx.pair.lane(lane);
    const QDateTime now = platform::Clock::now();
    db::Query* r = opened(m_dm.qryResultados);
    track(r);
    r->append();
    r->setValue(QStringLiteral("DATA"), now.date());
    r->setValue(QStringLiteral("HORA"), now.time());
    r->setValue(QStringLiteral("COD_EVENTO"), m_dm.eventCode());
    r->setValue(QStringLiteral("COD_VEICULO"), l.vehicleCode);
    r->setValue(QStringLiteral("COD_CATEGORIA"), categoryCode);
    r->setValue(QStringLiteral("LADO_PISTA"), sideOf(lane));
    r->setValue(QStringLiteral("REACAO"), l.reactionTime);
    r->setValue(QStringLiteral("TPES"), l.sixtyFootTime);
    r->setValue(QStringLiteral("TPISTA"), l.trackTime);
    r->setValue(QStringLiteral("T50"), l.split1Time);
    r->setValue(QStringLiteral("T100"), l.split2Time);
    r->setValue(QStringLiteral("VEL_PARC1"), l.speedPointB);
    r->setValue(QStringLiteral("VEL_PARC2"), l.speedPointC);
    r->setValue(QStringLiteral("VEL_FINAL"), l.trapSpeed);
    r->setValue(QStringLiteral("VEL_INICIAL"), l.flyingSpeed);
    r->setValue(QStringLiteral("TVEL_FINAL"), l.speedShown);
    return r;
}

void RunRecorder::store(db::Query* q) {
    m_tx->ensureSession();
    const bool inserting = q->state() == db::Query::State::Insert;
    q->post();
    if (inserting)
        m_tx->inserted(q->updateSet().table, q->value(QStringLiteral("CODIGO")).toLongLong());
    else
        m_tx->updated();
}

void RunRecorder::track(db::Query* q) {
    if (!m_written.contains(q)) m_written << q;
}

db::Query* RunRecorder::opened(db::Query* q) {
    if (!q->isOpen()) q->open();
    return q;
}

/// A penalty entry in whole seconds. An entry that is not a whole number
/// stops the save with a conversion error.
int RunRecorder::wholeSeconds(const QString& name) const {
    const QString text = m_ctx.screen.text(name);
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok) throw ConversionError(text);
    return value;
}

QString RunRecorder::heatOf(Lane lane) const { return m_ctx.screen.text(item("cbBateria", lane)); }
QString RunRecorder::statusText(Lane lane) const { return m_ctx.screen.text(item("lblStatus", lane)); }
bool RunRecorder::hasVehicle(Lane lane) const { return m_ctx.pair.lane(lane).vehicleCode >= 1; }
void RunRecorder::tell(const QString& message) const { platform::dialogs().showMessage(message); }

QString RunRecorder::jeepTotalText(double seconds) {
    const double minutes = std::trunc(seconds / 60.0);
    return QString::number(minutes, 'f', 0) + u':' +
           numtext::commaText(seconds - minutes * 60.0, QStringLiteral("0.000"));
}

/// Fixed notation from 0.00001 up to 15 integer digits, scientific beyond,
/// the way the station has always written a difference on the screen.
QString RunRecorder::generalText(double value) {
    constexpr int kDigits = 15;
    const double magnitude = std::fabs(value);
    QString text;
    if (value == 0) {
        text = QStringLiteral("0");
    } else if (magnitude >= 1e-5 && magnitude < 1e15) {
        const int exponent = int(std::floor(std::log10(magnitude)));
        text = QString::number(value, 'f', std::max(0, kDigits - 1 - exponent));
        if (text.contains(u'.')) {
            while (text.endsWith(u'0')) text.chop(1);
            if (text.endsWith(u'.')) text.chop(1);
        }
    } else {
        text = QString::number(value, 'E', kDigits - 1);
        const qsizetype e = text.indexOf(u'E');
        QString mantissa = text.left(e);
        if (mantissa.contains(u'.')) {
            while (mantissa.endsWith(u'0')) mantissa.chop(1);
            if (mantissa.endsWith(u'.')) mantissa.chop(1);
        }
        const int power = text.mid(e + 1).toInt();
        text = mantissa + u'E' + QString::number(power);
    }
    return text.replace(u'.', u',');
}
