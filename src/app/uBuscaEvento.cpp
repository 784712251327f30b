#include "uBuscaEvento.h"

#include "db/Query.h"
#include "uDM.h"

#include <QDate>
#include <QHeaderView>
#include <QTableWidget>

TfrmBuscaEvento::TfrmBuscaEvento(DM* dm, QWidget* parent)
    : TStartUpSelectionWindow(dm,
                              {.objectName = QStringLiteral("frmBuscaEvento"),
                               .title = QStringLiteral("SELECIONE O EVENTO"),
                               .upperCase = true,
                               .gridName = QStringLiteral("dbgEvento"),
                               .columns = {QStringLiteral("EVENTO"), QStringLiteral("DATA")},
                               // The list is filtered when the window opens, not while
                               // typing: a championship has a handful of events and the
                               // newest is nearly always it.
                               .refilterWhileTyping = false},
                              QStringLiteral("Evento não selecionado !!"), parent) {
    grid()->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grid()->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
}

void TfrmBuscaEvento::prepareList(const QString& search) {
    list()->setSql(QStringLiteral("select * from evento\nwhere cod_campeonato = :cod_campeonato"));
    list()->setParam(QStringLiteral("cod_campeonato"), dm()->championshipCode());
    addSearchCondition(QStringLiteral("and instr(upper(evento), upper(:busca)) > 0"), search);
    list()->addLine(QStringLiteral("order by data DESC"));
}

QString TfrmBuscaEvento::cellText(int row, int column) const {
    if (column == 1)
        return list()
            ->valueAt(row, QStringLiteral("DATA"))
            .toDate()
            .toString(QStringLiteral("dd/MM/yyyy"));
    return TStartUpSelectionWindow::cellText(row, column);
}

void TfrmBuscaEvento::takeCurrentRow() {
    openEvent(list()->integer(QStringLiteral("CODIGO")));
    rememberOpenEvent();
}

void TfrmBuscaEvento::openEvent(int code) {
    db::Query* event = dm()->qryEvento;
    event->close();
    event->setParam(QStringLiteral("codigo"), code);
    event->open();  // the data module follows with the event's own lists
}

/// The organizer record keeps the last opened event; reports that are not
/// tied to the data module's event (OnTarget) read it from there.
void TfrmBuscaEvento::rememberOpenEvent() {
    db::Query* organizer = dm()->qryOrganizador;
    if (!organizer->isOpen())
        organizer->open();
    organizer->edit();
    organizer->setValue(QStringLiteral("COD_EVENTO_ABERTO"), dm()->eventCode());
    organizer->post();
}
