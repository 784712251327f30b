#include "uBuscaCateg.h"

#include "db/Query.h"
#include "uDM.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {

const QString kSelect = QStringLiteral(
    "select CODIGO, SIGLA, CATEGORIA, DESCRICAO, COD_CAMPEONATO, WEB, TEMPO_MINIMO, "
    "RECORD_TEMPO, RECORD_PILOTO, DATA_RECORD, MIN_PISTA_TOTAL, TEMPO_MAX, TXT_PAINEL\n"
    "from categoria\n"
    "where COD_CAMPEONATO = :cod_campeonato");

}  // namespace

TfrmBuscaCateg::TfrmBuscaCateg(DM* dm, QWidget* parent)
    : TSelectionWindow(dm, QStringLiteral("qryCateg"),
                       {.objectName = QStringLiteral("frmBuscaCateg"),
                        .caption = QStringLiteral("Localizar Categoria"),
                        .title = QStringLiteral("SELECIONE A CATEGORIA"),
                        .size = QSize(480, 400),
                        .searchLabel = QStringLiteral("Sigla:"),
                        .searchName = QStringLiteral("edtSigla"),
                        .upperCase = true,
                        .gridName = QStringLiteral("dbgCateg"),
                        .columns = {QStringLiteral("SIGLA"), QStringLiteral("CATEGORIA")},
                        .refilterWhileTyping = true,
                        .doubleClickConfirms = true,
                        // Every time the picker is shown it starts over: all
                        // categories, empty sigla, and the operator typing at once.
                        .clearSearchOnShow = true},
                       parent) {
    grid()->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    grid()->horizontalHeader()->setStretchLastSection(true);
}

/// The current championship's categories whose sigla contains the search text.
void TfrmBuscaCateg::prepareList(const QString& search) {
    list()->setSql(kSelect);
    list()->setParam(QStringLiteral("cod_campeonato"), dm()->championshipCode());
    addSearchCondition(QStringLiteral("and instr(upper(SIGLA), upper(:busca)) > 0"), search);
    list()->addLine(QStringLiteral("order by Sigla"));
}

void TfrmBuscaCateg::confirm() {
    if (hasCurrentRow())
        choose(list()->integer(QStringLiteral("CODIGO")), list()->text(QStringLiteral("CATEGORIA")),
               list()->real(QStringLiteral("TEMPO_MINIMO")));
    else
        choose(0, QString(), 0.0);
    accept();
}

/// Cancelar, Escape and the close box: nothing chosen, and callers change nothing.
void TfrmBuscaCateg::reject() {
    choose(0, QString(), 0.0);
    QDialog::reject();
}

// Copied out of the list, so what callers read after the window closed does
// not depend on where the list stands or whether it is open.
void TfrmBuscaCateg::choose(int code, const QString& category, double minimumTime) {
    m_chosenCode = code;
    m_chosenCategory = category;
    m_chosenMinimumTime = minimumTime;
}
