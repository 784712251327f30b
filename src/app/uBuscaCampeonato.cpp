#include "uBuscaCampeonato.h"

#include "db/Query.h"
#include "uDM.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {

// One row per event, so a championship is listed once for each of its events
// and one without events is not listed at all.
const QString kSelect = QStringLiteral(
    "select campeonato.codigo, campeonato.campeonato, campeonato.detalhes, campeonato.web, "
    "campeonato.bonus, campeonato.tempo_minimo, campeonato.jeep, campeonato.patrocinador, "
    "campeonato.logotipo, campeonato.larg_lancada, campeonato.vel_max_lancado, evento.data\n"
    "from evento\n"
    "   inner join campeonato on (evento.cod_campeonato = campeonato.codigo)");

}  // namespace

TfrmBuscaCampeonato::TfrmBuscaCampeonato(DM* dm, QWidget* parent)
    : TStartUpSelectionWindow(dm,
                              {.objectName = QStringLiteral("frmBuscaCampeonato"),
                               .title = QStringLiteral("SELECIONE O CAMPEONATO"),
                               // Start-up must not lose this window behind the splash.
                               .stayOnTop = true,
                               .gridName = QStringLiteral("dbgCampeonato"),
                               .columns = {QStringLiteral("CAMPEONATO")},
                               .refilterWhileTyping = true,
                               .doubleClickConfirms = true},
                              QStringLiteral("Campeonato não selecionado !!"), parent) {
    grid()->horizontalHeader()->setStretchLastSection(true);
}

void TfrmBuscaCampeonato::prepareList(const QString& search) {
    list()->setSql(kSelect);
    addSearchCondition(
        QStringLiteral("where instr(upper(campeonato.campeonato), upper(:busca)) > 0"), search);
    list()->addLine(QStringLiteral("order by evento.data desc"));
}

void TfrmBuscaCampeonato::takeCurrentRow() {
    db::Query* championship = dm()->qryCampeonato;
    championship->close();
    championship->setParam(QStringLiteral("codigo"), list()->integer(QStringLiteral("CODIGO")));
    championship->open();  // the data module follows with its events and categories
}
