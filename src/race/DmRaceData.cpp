#include "DmRaceData.h"

#include "app/uDM.h"

RaceData::Championship DmRaceData::championship() const {
    Championship c;
    const db::Query* q = m_dm->qryCampeonato;
    if (!q->isOpen() || q->isEmpty()) return c;
    c.bonus = q->text(QStringLiteral("BONUS"));
    c.jeep = q->text(QStringLiteral("JEEP"));
    c.flyingStart = q->text(QStringLiteral("LARG_LANCADA"));
    c.maxFlyingSpeed = q->integer(QStringLiteral("VEL_MAX_LANCADO"));
    c.prosolo = q->text(QStringLiteral("PROSOLO"));
    return c;
}

QString DmRaceData::trackSide() const {
    const db::Query* q = m_dm->qryConfiguracao;
    return q->isOpen() && !q->isEmpty() ? q->text(QStringLiteral("LADO_PISTA")) : QString();
}

QString DmRaceData::ticketPrinter() const {
    const db::Query* q = m_dm->qryConfiguracao;
    return q->isOpen() && !q->isEmpty() ? q->text(QStringLiteral("IMPRESSORA_TICKET")) : QString();
}

int DmRaceData::position(int vehicleCode, int categoryCode) {
    // Each vehicle's best valid final time of the event in the category,
    // fastest first; the vehicle's place in that list is its position.
    const db::ResultSet best = m_dm->connection().execute(
        QStringLiteral("select COD_VEICULO, min(TFINAL) as MELHOR from resultados "
                       "where COD_EVENTO=:evento and COD_CATEGORIA=:categoria and BATERIA<>'T' "
                       "and TFINAL>0 and STATUS='Valido' "
                       "group by COD_VEICULO order by MELHOR, COD_VEICULO"),
        {{QStringLiteral("evento"), m_dm->eventCode()}, {QStringLiteral("categoria"), categoryCode}});
    for (int row = 0; row < best.rowCount(); ++row)
        if (best.row(row).at(0).toInt() == vehicleCode) return row + 1;
    return 99;
}
