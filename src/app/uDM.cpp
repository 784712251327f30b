#include "uDM.h"

#include "platform/Dialogs.h"

namespace {
DM* theModule = nullptr;
}

DM* DM::instance() { return theModule; }

DM::DM(const db::ConnectionSettings& race, const db::ConnectionSettings& web, QObject* parent)
    : QObject(parent), m_connection(race), m_web(web) {
    qryCampeonato = makeQuery(
        QStringLiteral("select * from campeonato where codigo=:codigo order by campeonato"),
        QStringLiteral("campeonato"), true);
    qryEvento = makeQuery(
        QStringLiteral("select * from evento where cod_campeonato=:cod_campeonato and codigo=:codigo"),
        QStringLiteral("evento"), true);
    qryOrganizador = makeQuery(QStringLiteral("select * from organizador"),
                               QStringLiteral("organizador"), true);
    qryConfiguracao =
        makeQuery(QStringLiteral("SELECT * FROM CONFIGURACAO"), QStringLiteral("configuracao"));
    qryVeiculo = makeQuery(
        QStringLiteral("select * from veiculo where cod_campeonato=:cod_camp order by placa"),
        QStringLiteral("veiculo"));
    qryInscricao = makeQuery(
        QStringLiteral("select INSCRICAO.*, categoria.CATEGORIA as Categ, categoria.SIGLA as Sigla_categ "
                       "from INSCRICAO left join categoria on (categoria.CODIGO = INSCRICAO.COD_CATEGORIA) "
                       "where INSCRICAO.cod_veiculo=:cod_veiculo and INSCRICAO.cod_evento=:cod_evento "
                       "order by INSCRICAO.CODIGO"),
        QStringLiteral("inscricao"), true);
    qryCategoria = makeQuery(
        QStringLiteral("select * from categoria where COD_CAMPEONATO=:cod_campeonato order by sigla"),
        QStringLiteral("categoria"), true);
    qryVerShark = makeQuery(QStringLiteral(
        "select codigo from categoria where COD_CAMPEONATO=:cod_campeonato and SHARKTANK='S'"));
    qryResultados = makeQuery(QStringLiteral("select * from resultados limit 1"),
                              QStringLiteral("resultados"), true);
    qryResult_Treinos = makeQuery(QStringLiteral("select * from result_treinos limit 1"),
                                  QStringLiteral("result_treinos"), true);
    qryRESULT_JEEP = makeQuery(
        QStringLiteral("select result_jeep.*, veiculo.veiculo, veiculo.piloto, veiculo.cidade, veiculo.placa "
                       "from result_jeep left join veiculo on (veiculo.codigo = result_jeep.cod_veiculo) "
                       "where result_jeep.cod_evento=:cod_evento "
                       "order by result_jeep.cod_categoria, result_jeep.total_sec"),
        QStringLiteral("result_jeep"));
    // The category code copy SIGLA comes from the category, as the list shows it.
    qryDesclassificados = makeQuery(
        QStringLiteral("select desclassicados.CODIGO, desclassicados.COD_EVENTO, desclassicados.COD_RESULTADO, "
                       "desclassicados.MOTIVO, desclassicados.WEB, desclassicados.COD_CATEGORIA, "
                       "desclassicados.COD_PILOTO, desclassicados.BATERIA, desclassicados.TFINAL, "
                       "categoria.SIGLA, veiculo.PLACA, veiculo.PILOTO "
                       "from desclassicados "
                       "left join categoria on (categoria.codigo = desclassicados.cod_categoria) "
                       "left join veiculo on (veiculo.codigo = desclassicados.cod_piloto) "
                       "where desclassicados.cod_evento=:cod_evento order by desclassicados.CODIGO"),
        QStringLiteral("desclassicados"), true);
    qryAREA_RODADA = makeQuery(QStringLiteral("select * from AREA_RODADA where cod_evento=:cod_evento"),
                               QStringLiteral("area_rodada"));
    qryContRace = makeQuery(QStringLiteral(
        "select max(RACE) as cont from resultados where COD_CATEGORIA=:COD_CATEGORIA and "
        "COD_EVENTO=:COD_EVENTO"));
    qryMelhorTempoPista = makeQuery(QStringLiteral(
        "select cod_evento, cod_veiculo, min(tpista) as min from resultados "
        "where cod_evento=:cod_evento and cod_veiculo=:cod_veiculo and tpista > 2 "
        "group by cod_evento, cod_veiculo"));
    qryVeicEdt = makeQuery(QStringLiteral("select * from veiculo where codigo=:codigo"));
    qryVeicEdt->setUpdateSet(db::UpdateSet{
        QStringLiteral("veiculo"),
        {QStringLiteral("PLACA"), QStringLiteral("VEICULO"), QStringLiteral("PILOTO"),
         QStringLiteral("CIDADE"), QStringLiteral("DETALHES_VEICULO"), QStringLiteral("EQUIPE"),
         QStringLiteral("EMAIL"), QStringLiteral("CELULAR"), QStringLiteral("COD_CAMPEONATO"),
         QStringLiteral("WEB"), QStringLiteral("CPF"), QStringLiteral("CNH"), QStringLiteral("FOTO"),
         QStringLiteral("TMP_DIAL"), QStringLiteral("NOSHARK"), QStringLiteral("APELIDO"),
         QStringLiteral("RG"), QStringLiteral("TMP_DIAL_AUTO")}});
    qryDelResult = makeQuery(
        QStringLiteral("select codigo, cod_veiculo from resultados where cod_veiculo=:cod_veiculo"),
        QStringLiteral("resultados"));
    qryEstacao = makeQuery(QStringLiteral("SELECT * FROM estacao limit 1"), QStringLiteral("estacao"));

    // Until a choice is made the filters match nothing.
    for (db::Query* q : {qryCampeonato, qryEvento, qryVeiculo, qryInscricao, qryCategoria, qryVerShark,
                         qryRESULT_JEEP, qryDesclassificados, qryAREA_RODADA, qryVeicEdt, qryDelResult}) {
        for (const QString& name : {QStringLiteral("codigo"), QStringLiteral("cod_campeonato"),
                                    QStringLiteral("cod_evento"), QStringLiteral("cod_veiculo"),
                                    QStringLiteral("cod_camp")})
            q->setParam(name, 0);
    }

    // Deleting a vehicle takes its runs with it, in every event.
    qryVeiculo->setBeforeDelete([this] {
        if (!confirmDeletion()) return false;
        deleteRunsOfVehicle(qryVeiculo->integer(QStringLiteral("CODIGO")));
        return true;
    });

    wireChaining();
    theModule = this;
}

DM::~DM() {
    if (theModule == this) theModule = nullptr;
}

db::Query* DM::makeQuery(const QString& sql, const QString& table, bool guarded) {
    auto* q = new db::Query(&m_connection, sql, this);
    if (!table.isEmpty()) q->setTable(table);
    if (guarded) q->setBeforeDelete(&DM::confirmDeletion);
    return q;
}

bool DM::confirmDeletion() {
    return platform::dialogs().ask(QStringLiteral("Confirmação"),
                                   QStringLiteral("Deseja EXCLUIR esse registro ??"),
                                   platform::Dialogs::Icon::Warning,
                                   platform::Dialogs::Yes | platform::Dialogs::No,
                                   platform::Dialogs::No) == platform::Dialogs::Yes;
}

void DM::reopen(db::Query* q) {
    q->close();
    q->open();
}

void DM::wireChaining() {
    connect(qryCampeonato, &db::Query::afterScroll, this, [this] {
        const QVariant code = qryCampeonato->value(QStringLiteral("CODIGO"));
        const QVariant key = code.isValid() ? code : QVariant(0);
        for (db::Query* q : {qryEvento, qryCategoria, qryVerShark}) {
            q->close();
            q->setParam(QStringLiteral("cod_campeonato"), key);
            q->open();
        }
    });
    connect(qryEvento, &db::Query::afterScroll, this, [this] {
        const QVariant code = qryEvento->value(QStringLiteral("CODIGO"));
        const QVariant key = code.isValid() ? code : QVariant(0);
        for (db::Query* q : {qryDesclassificados, qryRESULT_JEEP, qryAREA_RODADA}) {
            q->close();
            q->setParam(QStringLiteral("cod_evento"), key);
            q->open();
        }
    });
    connect(qryVeiculo, &db::Query::afterScroll, this, [this] {
        const QVariant code = qryVeiculo->value(QStringLiteral("CODIGO"));
        qryInscricao->close();
        qryInscricao->setParam(QStringLiteral("cod_veiculo"), code.isValid() ? code : QVariant(0));
        qryInscricao->setParam(QStringLiteral("cod_evento"), eventCode());
        qryInscricao->open();
    });
}

void DM::openSharedQueries() {
    for (db::Query* q : {qryOrganizador, qryConfiguracao, qryCampeonato, qryResultados,
                         qryResult_Treinos, qryInscricao, qryCategoria, qryEvento, qryDesclassificados})
        q->open();
}

int DM::championshipCode() const {
    return qryCampeonato->isOpen() ? qryCampeonato->integer(QStringLiteral("CODIGO")) : 0;
}

int DM::eventCode() const {
    return qryEvento->isOpen() ? qryEvento->integer(QStringLiteral("CODIGO")) : 0;
}

void DM::deleteRunsOfVehicle(int vehicleCode) {
    qryDelResult->close();
    qryDelResult->setParam(QStringLiteral("cod_veiculo"), vehicleCode);
    qryDelResult->open();
    while (!qryDelResult->isEmpty()) qryDelResult->remove();
    qryDelResult->close();
}

int DM::nextRaceNumber(int eventCode, int categoryCode) {
    qryContRace->close();
    qryContRace->setParam(QStringLiteral("COD_CATEGORIA"), categoryCode);
    qryContRace->setParam(QStringLiteral("COD_EVENTO"), eventCode);
    qryContRace->open();
    return qryContRace->integer(QStringLiteral("cont")) + 1;  // empty max() reads 0
}

double DM::bestTrackTime(int eventCode, int vehicleCode) {
    qryMelhorTempoPista->close();
    qryMelhorTempoPista->setParam(QStringLiteral("cod_evento"), eventCode);
    qryMelhorTempoPista->setParam(QStringLiteral("cod_veiculo"), vehicleCode);
    qryMelhorTempoPista->open();
    return qryMelhorTempoPista->isEmpty() ? 0.0 : qryMelhorTempoPista->real(QStringLiteral("min"));
}
