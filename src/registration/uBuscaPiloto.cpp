#include "uBuscaPiloto.h"

#include "app/uDM.h"
#include "db/Query.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>

namespace {

const QString kSearchName = QStringLiteral("edtPesquisa");

}  // namespace

TfrmBuscaPiloto::TfrmBuscaPiloto(DM* dm, QWidget* parent)
    : TSelectionWindow(dm, QStringLiteral("qryBuscaPiloto"),
                       {.objectName = QStringLiteral("frmBuscaPiloto"),
                        .caption = QStringLiteral("SELECIONE O VEICULO/PILOTO"),
                        .title = QStringLiteral("SELECIONE O VEICULO/PILOTO"),
                        .size = QSize(640, 420),
                        .searchLabel = QStringLiteral("Pesquisar:"),
                        .searchName = kSearchName,
                        .upperCase = true,
                        .gridName = QStringLiteral("dbgPilotos"),
                        .columns = {QStringLiteral("PLACA"), QStringLiteral("VEICULO"),
                                    QStringLiteral("PILOTO"), QStringLiteral("CIDADE")},
                        .refilterWhileTyping = true,
                        .doubleClickConfirms = true,
                        .clearSearchOnShow = true},
                       parent) {
    QHeaderView* header = grid()->horizontalHeader();
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header->resizeSection(1, 180);
    header->resizeSection(2, 220);
    header->setStretchLastSection(true);
}

/// The current championship's vehicles whose number or pilot contains the
/// search text, by pilot; none before anything was typed.
void TfrmBuscaPiloto::prepareList(const QString& search) {
    list()->setSql(QStringLiteral("select CODIGO, PLACA, VEICULO, PILOTO, CIDADE\n"
                                  "from veiculo\n"
                                  "where cod_campeonato = :cod_camp"));
    list()->setParam(QStringLiteral("cod_camp"), dm()->championshipCode());
    if (!m_typed)
        list()->addLine(QStringLiteral("and 1 = 0"));
    addSearchCondition(QStringLiteral("and (instr(upper(PLACA), upper(:busca)) > 0 "
                                      "or instr(upper(PILOTO), upper(:busca)) > 0)"),
                       search);
    list()->addLine(QStringLiteral("order by Piloto"));
}

void TfrmBuscaPiloto::confirm() {
    m_chosenCode = hasCurrentRow() ? list()->integer(QStringLiteral("CODIGO")) : 0;
    accept();
}

/// "Cancelar", Escape and the close box: nothing chosen.
void TfrmBuscaPiloto::reject() {
    m_chosenCode = 0;
    QDialog::reject();
}

void TfrmBuscaPiloto::showEvent(QShowEvent* event) {
    m_chosenCode = 0;
    m_typed = false;
    TSelectionWindow::showEvent(event);
}

bool TfrmBuscaPiloto::eventFilter(QObject* watched, QEvent* event) {
    // A key typed into the search editor (Enter and the list keys aside)
    // counts as searching, also when it leaves the editor empty again.
    if (event->type() == QEvent::KeyPress && watched->objectName() == kSearchName) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                break;
            default:
                m_typed = true;
        }
    }
    return TSelectionWindow::eventFilter(watched, event);
}
