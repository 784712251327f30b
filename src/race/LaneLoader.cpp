#include "LaneLoader.h"

#include "app/uDM.h"
#include "core/NumberText.h"
#include "db/Query.h"
#include "platform/Dialogs.h"
#include "platform/Pause.h"

#include <cmath>
#include <span>

namespace {

const QString kYes = QStringLiteral("S");
const QString kTraining = QStringLiteral("T");

// The controller wants a moment between the plate and the category text.
constexpr int kPlateGapMs = 20;
// Without a valid run in the category a vehicle is placed last.
constexpr int kNoPosition = 99;

QString item(const char* stem, Lane lane) { return QLatin1String(stem) + laneLetter(lane); }
int index(Lane lane) { return lane == Lane::A ? 0 : 1; }

/// The phone as the companion dials it: digits only.
QString digitsOf(const QString& text) {
    QString digits;
    for (const QChar c : text)
        if (c >= u'0' && c <= u'9') digits += c;
    return digits;
}

/// The row of `q` whose CODIGO is `code`, without moving its cursor (the
/// category list is shared with other windows); -1 when none.
int rowOfCode(const db::Query* q, int code) {
    const QString key = QStringLiteral("CODIGO");
    if (!q->isOpen() || !q->hasField(key)) return -1;
    for (int row = 0; row < q->rowCount(); ++row)
        if (q->valueAt(row, key).toInt() == code) return row;
    return -1;
}

QString vehicleCaption(const db::Query* q) {
    return q->text(QStringLiteral("PLACA")) + QStringLiteral(" - ") + q->text(QStringLiteral("PILOTO"));
}

// The vehicle row of each lookup. Parameters are bound, never pasted: the
// plate is whatever the operator typed.
const char* const kAnyCategory[] = {
    "select veiculo.CODIGO, PLACA, NOSHARK, CELULAR, apelido, categoria.MIN_PISTA_TOTAL, VEICULO, PILOTO, "
    "inscricao.COD_CATEGORIA, VALIDO, COD_EVENTO, veiculo.TMP_ALVO FROM inscricao",
    "INNER JOIN veiculo   ON inscricao.COD_VEICULO = veiculo.CODIGO",
    "INNER JOIN categoria  ON categoria.CODIGO = inscricao.COD_CATEGORIA",
    "WHERE inscricao.VALIDO = 'S'",
    "AND categoria.LISTA = 'N' AND categoria.MATA_MATA = 'N' AND categoria.SHARKTANK = 'N'",
    "AND ( VEICULO.PLACA= :cod_placa)",
    "AND ( INSCRICAO.COD_EVENTO= :cod_evento)",
};
const char* const kChosenCategory[] = {
    "select VEICULO.CODIGO, PLACA, NOSHARK, APELIDO, CELULAR, VEICULO, PILOTO, TMP_ALVO, "
    "INSCRICAO.COD_CATEGORIA, VALIDO, COD_EVENTO",
    "FROM VEICULO,INSCRICAO",
    "WHERE INSCRICAO.COD_VEICULO=VEICULO.CODIGO",
    "AND ( INSCRICAO.COD_CATEGORIA= :cod_categ)",
    "AND ( VEICULO.PLACA= :cod_placa)",
    "AND ( INSCRICAO.VALIDO= 'S')",
    "AND ( INSCRICAO.COD_EVENTO= :cod_evento)",
};
const char* const kTrainingLookup[] = {
    "select VEICULO.CODIGO, PLACA, apelido, VEICULO, NOSHARK, PILOTO, INSCRICAO.COD_CATEGORIA, VALIDO, "
    "COD_EVENTO, TMP_ALVO",
    "FROM VEICULO,INSCRICAO",
    "WHERE INSCRICAO.COD_VEICULO=VEICULO.CODIGO",
    "AND ( VEICULO.PLACA= :cod_placa)",
    "AND ( VEICULO.cod_campeonato= :cod_camp)",
};
const char* const kByCode[] = {
    "select VEICULO.CODIGO, PLACA, NOSHARK, APELIDO, CELULAR, VEICULO, PILOTO, TMP_ALVO",
    "FROM VEICULO",
    "WHERE VEICULO.CODIGO= :cod_veiculo",
    "AND ( VEICULO.cod_campeonato= :cod_camp)",
};

/// Clears the statement, adds the lines, binds the parameters and opens.
void rebuild(db::Query* q, std::span<const char* const> lines, const QVariantMap& params) {
    q->close();
    q->clearSql();
    for (const char* line : lines) q->addLine(QString::fromLatin1(line));
    for (auto it = params.cbegin(); it != params.cend(); ++it) q->setParam(it.key(), it.value());
    q->open();
}

/// The statement and parameters of a vehicle row, to put it back.
struct SavedStatement {
    explicit SavedStatement(const db::Query* q) : sql(q->sql()), wasOpen(q->isOpen()) {
        for (const char* name : {"cod_placa", "cod_evento", "cod_categ", "cod_camp", "cod_veiculo"}) {
            const QVariant v = q->param(QLatin1String(name));
            if (v.isValid()) params.insert(QLatin1String(name), v);
        }
    }
    void restore(db::Query* q) const {
        q->close();
        q->setSql(sql);
        for (auto it = params.cbegin(); it != params.cend(); ++it) q->setParam(it.key(), it.value());
        if (wasOpen && !sql.isEmpty()) q->open();
    }
    QString sql;
    QVariantMap params;
    bool wasOpen;
};

}  // namespace

LaneLoader::LaneLoader(RaceContext& context, DM& dm, QObject* parent)
    : QObject(parent), m_ctx(context), m_dm(dm) {
    for (const Lane lane : {Lane::A, Lane::B}) {
        LaneQueries& q = m_lanes[size_t(index(lane))];
        const QString x = laneLetter(lane);
        q.pilot = makeQuery(QStringLiteral("qryPiloto") + x, QString());
        q.runs = makeQuery(QStringLiteral("qryResultPiloto") + x,
                           QStringLiteral("select CODIGO, BATERIA, LADO_PISTA, REACAO, TPES, TPISTA, TFINAL, STATUS "
                                          "from resultados where COD_EVENTO=:cod_evento and COD_VEICULO=:cod_veiculo "
                                          "and COD_CATEGORIA=:cod_categoria and tfinal > 1 ORDER BY CODIGO DESC"));
        q.entries = makeQuery(
            QStringLiteral("qryPilotosCateg") + x,
            QStringLiteral("select INSCRICAO.CODIGO, INSCRICAO.COD_VEICULO, VEICULO.PLACA, VEICULO.PILOTO, "
                           "VEICULO.VEICULO from INSCRICAO inner join VEICULO on VEICULO.CODIGO = INSCRICAO.COD_VEICULO "
                           "where INSCRICAO.COD_EVENTO=:cod_evento and INSCRICAO.COD_CATEGORIA=:cod_categoria "
                           "and INSCRICAO.VALIDO = 'S' order by VEICULO.PILOTO"));
        q.category = makeQuery(QStringLiteral("qryCat") + x,
                               QStringLiteral("select * from CATEGORIA where codigo=:cod_categoria"));
        q.positions = makeQuery(
            QStringLiteral("qryPos") + x,
            QStringLiteral("select COD_VEICULO, min(TFINAL) as MELHOR from resultados "
                           "where COD_EVENTO=:cod_evento and COD_CATEGORIA=:cod_categoria and BATERIA <> 'T' "
                           "and tfinal > 0 and status = 'Valido' group by COD_VEICULO order by MELHOR, COD_VEICULO"));
        q.rounds = makeQuery(QStringLiteral("qryRound") + x,
                             QStringLiteral("select distinct ROUND from mata_mata "
                                            "where CD_EVENTO=:cd_evento and CD_CATEGORIA=:cd_categoria order by ROUND"));
        // The vehicle description follows the vehicle row, as a bound label would.
        connect(q.pilot, &db::Query::afterScroll, this, [this, lane] { showVehicle(lane); });
        connect(q.pilot, &db::Query::afterClose, this, [this, lane] { showVehicle(lane); });
    }
    m_qryDadosMM = makeQuery(
        QStringLiteral("qryDadosMM"),
        QStringLiteral("select mata_mata.*, V1.PLACA as PLACAA, V2.PLACA as PLACAB from mata_mata "
                       "left join veiculo V1 on V1.CODIGO = mata_mata.CD_VEICULO1 "
                       "left join veiculo V2 on V2.CODIGO = mata_mata.CD_VEICULO2 "
                       "where mata_mata.CD_EVENTO=:cd_evento and mata_mata.CD_CATEGORIA=:cd_categoria "
                       "and mata_mata.ROUND=:round "
                       "and (mata_mata.CD_VEICULO1=:cd_veiculo or mata_mata.CD_VEICULO2=:cd_veiculo)"));
    // The save decides the race in this row; the plates joined in are not written back.
    m_qryDadosMM->setTable(QStringLiteral("mata_mata"));
    const auto showRace = [this] {
        const bool found = m_qryDadosMM->isOpen() && !m_qryDadosMM->isEmpty();
        const QString race = found ? m_qryDadosMM->text(QStringLiteral("RACE")) : QString();
        m_ctx.screen.setText(QStringLiteral("lblRaceNumA"), race);
        m_ctx.screen.setText(QStringLiteral("lblRaceNumB"), race);
    };
    connect(m_qryDadosMM, &db::Query::afterScroll, this, showRace);
    connect(m_qryDadosMM, &db::Query::afterClose, this, showRace);
}

db::Query* LaneLoader::makeQuery(const QString& name, const QString& sql) {
    auto* q = new db::Query(&m_dm.connection(), sql, this);
    q->setObjectName(name);
    return q;
}

QString LaneLoader::trainingWithoutVehicleHint() {
    return QStringLiteral("Treino sem piloto carregado: passagem acima de 3 s não será salva. "
                          "Carregue o piloto com a bateria numérica e depois ponha \"T\".");
}

// ---------------------------------------------------------------------------
// Category, round and heat

/// The list box closed on a category: the lane takes the category whole,
/// the controller and the companion learn its panel text.
void LaneLoader::chooseCategory(Lane lane, int categoryCode) {
    db::Query* list = m_dm.qryCategoria;
    int row = rowOfCode(list, categoryCode);
    if (row < 0 && list->isOpen()) {
        // Created in the registration window since the list was read.
        list->refresh();
        row = rowOfCode(list, categoryCode);
    }
    if (row < 0) return;
    const auto field = [list, row](const char* name) { return list->valueAt(row, QLatin1String(name)); };

    LaneState& l = m_ctx.pair.lane(lane);
    l.categoryCode = categoryCode;
    l.categoryKnockout = field("MATA_MATA").toString();
    recomputeKnockoutRace(lane);

    m_ctx.screen.setText(item("lblCateg", lane), field("CATEGORIA").toString());
    m_ctx.screen.setText(item("DBLBoxCat", lane), field("SIGLA").toString());
    openEntries(lane);
    openCategoryRecord(lane, categoryCode);

    l.categoryMinTime = field("TEMPO_MINIMO").toDouble();
    l.panelText = field("TXT_PAINEL").toString();
    l.targetMode = field("NA_MOSCA").toString();

    if (lane == Lane::A) {
        sendPanelText(lane);
        publish(QStringLiteral("catA"), l.panelText.left(9));
        const QString dialAuto = field("DIAL_AUTO").toString();
        if (dialAuto == kYes) m_ctx.screen.setText(QStringLiteral("lblDialA"), QStringLiteral("DialAuto: ") + dialAuto);
    } else {
        publish(QStringLiteral("catB"), l.panelText.left(9));
        publish(QStringLiteral("catNumB"), QString::number(categoryCode));
    }
}

/// The picker's category is taken exactly as the list box takes it. Taking
/// only the code, name and minimum (and keeping the category record, panel
/// text and target and knockout flags of the category chosen before) would
/// let the next lookup apply another category's minimum time and panel text.
void LaneLoader::searchCategory(Lane lane) {
    if (!pickCategory) return;
    const int code = pickCategory();
    if (code > 0) chooseCategory(lane, code);
}

void LaneLoader::recomputeKnockoutRace(Lane lane) {
    RacePair& pair = m_ctx.pair;
    const QString mine = pair.lane(lane).categoryKnockout;
    const bool knockout = mine == kYes || mine == QLatin1String("A");
    const bool same = pair.a.categoryKnockout == pair.b.categoryKnockout && pair.a.categoryCode == pair.b.categoryCode;
    pair.knockoutRace = knockout && same ? kYes : QStringLiteral("N");
    m_ctx.screen.setColor(QStringLiteral("spMataMata"),
                          pair.knockoutRace == kYes ? QStringLiteral("green") : QStringLiteral("red"));
}

void LaneLoader::openCategoryRecord(Lane lane, int categoryCode) {
    db::Query* c = queries(lane).category;
    c->close();
    c->setParam(QStringLiteral("cod_categoria"), categoryCode);
    c->open();
    categoryRecordChanged(lane);
}

/// A new category record: its tree mode for the handicap, and the round
/// and race items that only a knockout category shows.
void LaneLoader::categoryRecordChanged(Lane lane) {
    const db::Query* c = queries(lane).category;
    LaneState& l = m_ctx.pair.lane(lane);
    l.categoryTreeMode = c->integer(QStringLiteral("TREE_MODE"));
    l.categoryDialAuto = c->text(QStringLiteral("DIAL_AUTO"));

    const bool knockout = c->text(QStringLiteral("MATA_MATA")) == kYes;
    for (const char* stem : {"lblRound", "cbRound", "lblRace", "lblRaceNum"})
        m_ctx.screen.setVisible(item(stem, lane), knockout);
    if (!knockout) return;
    openRounds(lane);
    if (lane == Lane::A) {
        // The round comes first: the lookup finds the race in it.
        emit focusRequested(QStringLiteral("cbRoundA"));
        m_ctx.screen.setText(QStringLiteral("edtPlacaA"), QString());
        queries(lane).pilot->close();
    }
}

/// Both round boxes list the rounds of lane A's category; only lane A's
/// choice is read.
void LaneLoader::openRounds(Lane lane) {
    db::Query* r = queries(lane).rounds;
    r->close();
    r->setParam(QStringLiteral("cd_evento"), m_dm.eventCode());
    r->setParam(QStringLiteral("cd_categoria"), m_ctx.pair.a.categoryCode);
    r->open();
    int first = 0;
    int kept = 0;
    for (int row = 0; row < r->rowCount(); ++row) {
        const int round = r->valueAt(row, QStringLiteral("ROUND")).toInt();
        if (row == 0) first = round;
        if (round == m_ctx.pair.knockoutRound) kept = round;
    }
    if (lane == Lane::A)
        chooseRound(kept ? kept : first);
    else
        m_ctx.screen.setText(QStringLiteral("cbRoundB"), first ? QString::number(first) : QString());
}

void LaneLoader::chooseRound(int round) {
    m_ctx.pair.knockoutRound = round;
    m_ctx.screen.setText(QStringLiteral("cbRoundA"), round ? QString::number(round) : QString());
    openRounds(Lane::B);
}

void LaneLoader::roundEntered() { emit focusRequested(QStringLiteral("edtPlacaA")); }

void LaneLoader::chooseHeat(Lane lane, const QString& heat) {
    m_ctx.screen.setText(item("cbBateria", lane), heat);
    publish(QStringLiteral("Bat") + laneLetter(lane), heat);
}

// ---------------------------------------------------------------------------
// Plate lookup

/// Enter in the plate edit. The mode comes from the random-category switch
/// and the heat box; the best time and the handicap follow every lookup but
/// a refused one of the chosen category.
void LaneLoader::lookup(Lane lane) {
    const QString plate = m_ctx.screen.text(item("edtPlaca", lane));
    m_acceptedTrainingPlate[size_t(index(lane))].clear();
    showHint(lane, false);
    if (m_ctx.pair.randomCategory == kYes)
        lookupAnyCategory(lane, plate);
    else if (m_ctx.screen.text(item("cbBateria", lane)) == kTraining)
        lookupTraining(lane, plate);
    else if (!lookupChosenCategory(lane, plate))
        return;
    bestTrackTime(lane);
    handicapDelays();
}

/// The category is the vehicle's own entry in the event: exactly one among
/// the ordinary categories, or the vehicle is not found.
void LaneLoader::lookupAnyCategory(Lane lane, const QString& plate) {
    const LaneQueries& q = queries(lane);
    LaneState& l = m_ctx.pair.lane(lane);
    const QString x = laneLetter(lane);
    m_ctx.screen.setText(item("lblPiloto", lane), QString());
    q.runs->close();
    q.entries->close();

    const SavedStatement previous(q.pilot);
    rebuild(q.pilot, kAnyCategory,
            {{QStringLiteral("cod_placa"), plate}, {QStringLiteral("cod_evento"), m_dm.eventCode()}});
    if (q.pilot->rowCount() != 1) {
        // The lane keeps its vehicle, so it keeps that vehicle's row too:
        // the save reads the shark-tank flag and the target time there.
        previous.restore(q.pilot);
        platform::dialogs().showMessage(QStringLiteral("Veiculo nao Encontrado"));
        return;
    }
    const db::Query* p = q.pilot;

    // 1
    l.vehicleCode = p->integer(QStringLiteral("CODIGO"));
    l.categoryCode = p->integer(QStringLiteral("COD_CATEGORIA"));
    l.targetTime = p->real(QStringLiteral("TMP_ALVO"));
    m_ctx.screen.setText(item("lblPiloto", lane), vehicleCaption(p));

    // 2
    openRuns(lane);
    openCategoryRecord(lane, l.categoryCode);
    const db::Query* c = q.category;
    m_ctx.screen.setText(item("lblCateg", lane), c->text(QStringLiteral("CATEGORIA")));
    // The list box shows the category found, not one chosen before it.
    m_ctx.screen.setText(item("DBLBoxCat", lane), c->text(QStringLiteral("SIGLA")));
    openEntries(lane);

    // 3
    l.categoryMinTime = c->real(QStringLiteral("TEMPO_MINIMO"));
    l.minTimeBasis = p->text(QStringLiteral("MIN_PISTA_TOTAL"));
    l.panelText = c->text(QStringLiteral("TXT_PAINEL"));
    sendPanelText(lane);
    publish(QStringLiteral("cat") + x, l.panelText.left(9));
    if (lane == Lane::B) publish(QStringLiteral("catNumB"), QString::number(l.categoryCode));

    // 4
    m_ctx.screen.setText(item("lblPos", lane), QString::number(position(lane)) + QStringLiteral("º"));

    // 5
    publishPilot(lane, false);

    // 6
    if (lane == Lane::A) emit focusRequested(QStringLiteral("edtPlacaB"));

    // 7
    const QString heat = proposeHeat(lane);
    m_ctx.screen.setText(item("cbBateria", lane), heat);
    publish(QStringLiteral("Bat") + x, heat);

    // 8
    m_ctx.controller.write(u'Z' + x + u' ' + plate + u'@');
    m_ctx.pause.wait(kPlateGapMs);
    sendPanelText(lane);
}

/// The vehicle must hold a valid entry of the lane's chosen category. A
/// refusal changes nothing at all. False when refused.
bool LaneLoader::lookupChosenCategory(Lane lane, const QString& plate) {
    const LaneQueries& q = queries(lane);
    LaneState& l = m_ctx.pair.lane(lane);
    const QString x = laneLetter(lane);

    const SavedStatement previous(q.pilot);
    rebuild(q.pilot, kChosenCategory,
            {{QStringLiteral("cod_categ"), l.categoryCode},
             {QStringLiteral("cod_placa"), plate},
             {QStringLiteral("cod_evento"), m_dm.eventCode()}});
    if (q.pilot->rowCount() != 1) {
        previous.restore(q.pilot);
        platform::dialogs().showMessage(QStringLiteral("Veiculo não encontrado ou não inscrito!!"));
        return false;
    }
    const db::Query* p = q.pilot;

    // 1
    l.vehicleCode = p->integer(QStringLiteral("CODIGO"));
    l.targetTime = p->real(QStringLiteral("TMP_ALVO"));
    m_ctx.screen.setText(item("lblPiloto", lane), vehicleCaption(p));
    openRuns(lane);
    if (lane == Lane::B) {
        openCategoryRecord(lane, l.categoryCode);
        m_ctx.screen.setText(item("lblCateg", lane), q.category->text(QStringLiteral("CATEGORIA")));
    }

    // 2
    m_ctx.screen.setText(item("lblPos", lane), QString::number(position(lane)) + QStringLiteral("º"));

    // 3
    const db::Query* c = q.category;
    l.categoryMinTime = c->real(QStringLiteral("TEMPO_MINIMO"));
    l.minTimeBasis = c->text(QStringLiteral("MIN_PISTA_TOTAL"));
    if (lane == Lane::A) {
        l.panelText = c->text(QStringLiteral("TXT_PAINEL"));
        sendPanelText(lane);
        publish(QStringLiteral("catA"), l.panelText.left(9));
    }

    // 4
    if (c->text(QStringLiteral("NA_MOSCA")) == kYes) {
        if (l.targetTime > 0)
            m_ctx.screen.setText(item("lblDial", lane), QStringLiteral("Alvo: ") + QString::number(l.targetTime));
        else
            platform::dialogs().showMessage(lane == Lane::A ? QStringLiteral("Piloto A sem tempo Alvo !")
                                                            : QStringLiteral("Piloto b sem tempo Alvo !"));
    }

    // 5
    if (lane == Lane::A && c->text(QStringLiteral("MATA_MATA")) == kYes) findKnockoutRace(l.vehicleCode);

    // 6
    publishPilot(lane, true);

    // 7
    const QString heat = proposeHeat(lane);
    m_ctx.screen.setText(item("cbBateria", lane), heat);
    publish(QStringLiteral("Bat") + x, heat);

    // 8
    if (lane == Lane::A) {
        m_ctx.controller.write(QStringLiteral("ZA ") + plate + u'@');
        m_ctx.pause.wait(kPlateGapMs);
        sendPanelText(lane);
        emit focusRequested(QStringLiteral("edtPlacaB"));
    }
    return true;
}

/// Training: any number of the championship, registered or not. The lane's
/// vehicle and heat stay as they are, which is why the lane says so when a
/// training run there could not be stored for want of a vehicle.
void LaneLoader::lookupTraining(Lane lane, const QString& plate) {
    const LaneQueries& q = queries(lane);
    rebuild(q.pilot, kTrainingLookup,
            {{QStringLiteral("cod_placa"), plate}, {QStringLiteral("cod_camp"), m_dm.championshipCode()}});
    if (!q.pilot->isEmpty()) {
        m_ctx.screen.setText(item("lblPiloto", lane), vehicleCaption(q.pilot));
    } else {
        // An unregistered number is accepted; the label must not go on
        // naming the vehicle of an earlier lookup.
        m_ctx.screen.setText(item("lblPiloto", lane), QString());
        m_acceptedTrainingPlate[size_t(index(lane))] = plate;
    }
    if (lane == Lane::A) {
        m_ctx.controller.write(QStringLiteral("ZA ") + plate + u'@');
        m_ctx.pause.wait(kPlateGapMs);
        sendPanelText(lane);
        emit focusRequested(QStringLiteral("edtPlacaB"));
    }
    if (m_ctx.pair.lane(lane).vehicleCode <= 0) showHint(lane, true);
}

/// The knockout race of lane A's vehicle in the chosen round: the opponent's
/// number goes into plate B, whichever side of the race the vehicle is on.
void LaneLoader::findKnockoutRace(int vehicleCode) {
    RacePair& pair = m_ctx.pair;
    m_qryDadosMM->close();
    m_qryDadosMM->setParam(QStringLiteral("cd_evento"), m_dm.eventCode());
    m_qryDadosMM->setParam(QStringLiteral("cd_categoria"), pair.a.categoryCode);
    m_qryDadosMM->setParam(QStringLiteral("round"), pair.knockoutRound);
    m_qryDadosMM->setParam(QStringLiteral("cd_veiculo"), vehicleCode);
    m_qryDadosMM->open();
    if (m_qryDadosMM->isEmpty()) {
        pair.knockoutRaceCode = 0;
        pair.knockoutRaceNumber = 0;
        return;
    }
    pair.knockoutRaceCode = m_qryDadosMM->integer(QStringLiteral("CODIGO"));
    pair.knockoutRaceNumber = m_qryDadosMM->integer(QStringLiteral("RACE"));
    if (m_qryDadosMM->integer(QStringLiteral("CD_VEICULO1")) == vehicleCode)
        m_ctx.screen.setText(QStringLiteral("edtPlacaB"), m_qryDadosMM->text(QStringLiteral("PLACAB")));
    else if (m_qryDadosMM->integer(QStringLiteral("CD_VEICULO2")) == vehicleCode)
        m_ctx.screen.setText(QStringLiteral("edtPlacaB"), m_qryDadosMM->text(QStringLiteral("PLACAA")));
}

/// The best track time of the lane's vehicle in the event becomes its
/// dial-in and is kept on the vehicle for the other windows.
void LaneLoader::bestTrackTime(Lane lane) {
    LaneState& l = m_ctx.pair.lane(lane);
    if (l.vehicleCode <= 0) return;
    const double best = m_dm.bestTrackTime(m_dm.eventCode(), l.vehicleCode);
    if (!(best > 0)) return;
    db::Query* v = m_dm.qryVeicEdt;
    v->close();
    v->setParam(QStringLiteral("codigo"), l.vehicleCode);
    v->open();
    if (!v->isEmpty()) {
        v->edit();
        v->setValue(QStringLiteral("TMP_DIAL_AUTO"), best);
        v->post();
    }
    l.dialIn = best;
    m_ctx.screen.setText(item("lblMelhorTempo", lane), numtext::pointText(best));
}

/// Handicap with automatic dial-in (lane A's category decides for both
/// lanes): the slower car gets the head start of the difference.
void LaneLoader::handicapDelays() {
    LaneState& a = m_ctx.pair.a;
    LaneState& b = m_ctx.pair.b;
    if (a.categoryTreeMode != 2 || a.categoryDialAuto != kYes) return;
    if (!(a.dialIn > 1 && b.dialIn > 1)) return;
    // nearbyint follows the default rounding mode: halves to even.
    if (a.dialIn > b.dialIn) {
        a.handicapDelayMs = int(std::nearbyint((a.dialIn - b.dialIn) * 1000.0));
        m_ctx.screen.setText(QStringLiteral("lbltmpDialA"), QString::number(a.handicapDelayMs));
    } else if (b.dialIn > a.dialIn) {
        b.handicapDelayMs = int(std::nearbyint((b.dialIn - a.dialIn) * 1000.0));
        m_ctx.screen.setText(QStringLiteral("lbltmpDialB"), QString::number(b.handicapDelayMs));
    }
}

/// 1-based place of the lane's vehicle among the best valid final times of
/// its category in the event; 99 without a valid run.
int LaneLoader::position(Lane lane) {
    const LaneState& l = m_ctx.pair.lane(lane);
    db::Query* pos = queries(lane).positions;
    pos->close();
    pos->setParam(QStringLiteral("cod_evento"), m_dm.eventCode());
    pos->setParam(QStringLiteral("cod_categoria"), l.categoryCode);
    pos->open();
    for (int row = 0; row < pos->rowCount(); ++row)
        if (pos->valueAt(row, QStringLiteral("COD_VEICULO")).toInt() == l.vehicleCode) return row + 1;
    return kNoPosition;
}

/// The next heat: one more than the runs with a final time, fouls included.
QString LaneLoader::proposeHeat(Lane lane) { return QString::number(queries(lane).runs->rowCount() + 1); }

void LaneLoader::openRuns(Lane lane) {
    const LaneState& l = m_ctx.pair.lane(lane);
    db::Query* r = queries(lane).runs;
    r->close();
    r->setParam(QStringLiteral("cod_evento"), m_dm.eventCode());
    r->setParam(QStringLiteral("cod_veiculo"), l.vehicleCode);
    r->setParam(QStringLiteral("cod_categoria"), l.categoryCode);
    r->open();
}

void LaneLoader::openEntries(Lane lane) {
    db::Query* e = queries(lane).entries;
    e->close();
    e->setParam(QStringLiteral("cod_evento"), m_dm.eventCode());
    e->setParam(QStringLiteral("cod_categoria"), m_ctx.pair.lane(lane).categoryCode);
    e->open();
}

void LaneLoader::refreshRuns(Lane lane) { openRuns(lane); }

// ---------------------------------------------------------------------------
// Leaving the plate, registration, hooks of the race actions

bool LaneLoader::leavePlate(Lane lane) {
    const QString plate = m_ctx.screen.text(item("edtPlaca", lane));
    if (plate.isEmpty() || !m_ctx.screen.text(item("lblPiloto", lane)).isEmpty()) return true;
    if (plate == m_acceptedTrainingPlate[size_t(index(lane))]) return true;
    platform::dialogs().showMessage(QStringLiteral("Não deu <ENTER> no Piloto ") + laneLetter(lane));
    emit focusRequested(item("edtPlaca", lane));
    return false;
}

void LaneLoader::registerVehicle(Lane lane) {
    if (!openVehicleWindow) return;
    openVehicleWindow();
    m_dm.qryVeiculo->refresh();
    openEntries(lane);
}

void LaneLoader::reopenPilotLists() {
    for (const Lane lane : {Lane::A, Lane::B}) {
        openEntries(lane);
        queries(lane).runs->close();
        showHint(lane, false);
        m_acceptedTrainingPlate[size_t(index(lane))].clear();
    }
    // A new pair has no knockout race until lane A's lookup finds one.
    m_qryDadosMM->close();
    m_ctx.pair.knockoutRaceCode = 0;
    m_ctx.pair.knockoutRaceNumber = 0;
}

void LaneLoader::closePilotLists() {
    for (const Lane lane : {Lane::A, Lane::B}) queries(lane).pilot->close();
}

/// The lane swap put this vehicle into the lane: its row, caption and runs.
void LaneLoader::loadVehicle(Lane lane, int vehicleCode) {
    const LaneQueries& q = queries(lane);
    rebuild(q.pilot, kByCode,
            {{QStringLiteral("cod_veiculo"), vehicleCode}, {QStringLiteral("cod_camp"), m_dm.championshipCode()}});
    if (!q.pilot->isEmpty()) {
        m_ctx.screen.setText(item("lblPiloto", lane), vehicleCaption(q.pilot));
        m_ctx.pair.lane(lane).targetTime = q.pilot->real(QStringLiteral("TMP_ALVO"));
    }
    openRuns(lane);
}

// ---------------------------------------------------------------------------
// Outputs

void LaneLoader::showVehicle(Lane lane) {
    const db::Query* p = queries(lane).pilot;
    const bool found = p->isOpen() && !p->isEmpty() && p->hasField(QStringLiteral("VEICULO"));
    m_ctx.screen.setText(item("lblVeiculo", lane), found ? p->text(QStringLiteral("VEICULO")) : QString());
}

void LaneLoader::showHint(Lane lane, bool visible) {
    const QString name = item("lblAviso", lane);
    if (visible) m_ctx.screen.setText(name, trainingWithoutVehicleHint());
    m_ctx.screen.setVisible(name, visible);
}

void LaneLoader::sendPanelText(Lane lane) {
    m_ctx.controller.write(u'K' + laneLetter(lane) + m_ctx.pair.lane(lane).panelText.left(4) + u'@');
}

void LaneLoader::publish(const QString& key, const QString& value) {
    m_ctx.publisher.publish(key + u':' + value + u'@');
}

/// Who is in the lane, for the companion display.
void LaneLoader::publishPilot(Lane lane, bool withNickname) {
    const db::Query* p = queries(lane).pilot;
    const LaneState& l = m_ctx.pair.lane(lane);
    const QString x = laneLetter(lane);
    publish(QStringLiteral("cod_piloto") + x, p->text(QStringLiteral("CODIGO")));
    publish(QStringLiteral("num_piloto") + x, p->text(QStringLiteral("PLACA")));
    publish(QStringLiteral("pil") + x, p->text(QStringLiteral("PILOTO")));
    if (withNickname) publish(QStringLiteral("apelido") + x, p->text(QStringLiteral("APELIDO")));
    publish(QStringLiteral("car") + x, p->text(QStringLiteral("VEICULO")));
    publish(QStringLiteral("posAnt") + x, m_ctx.screen.text(item("lblPos", lane)));
    publish(QStringLiteral("cat") + x, l.panelText.left(9));
    if (lane == Lane::B) publish(QStringLiteral("catNumB"), QString::number(l.categoryCode));
    publish(QStringLiteral("celular") + x, digitsOf(p->text(QStringLiteral("CELULAR"))));
}
