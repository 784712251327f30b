#include "uBuscaCampeonato.h"

#include "db/Query.h"
#include "platform/Dialogs.h"
#include "uDM.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

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
    : QDialog(parent), m_dm(dm), m_list(new db::Query(&dm->connection(), QString(), this)) {
    m_list->setObjectName(QStringLiteral("qryBusca"));
    buildUi();
}

void TfrmBuscaCampeonato::buildUi() {
    setObjectName(QStringLiteral("frmBuscaCampeonato"));
    setWindowTitle(QStringLiteral("SELECIONE O CAMPEONATO"));
    // Start-up must not lose this window behind the splash; no help button either.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setFixedSize(560, 420);

    auto* banner = new QLabel(QStringLiteral("SELECIONE O CAMPEONATO"), this);
    banner->setObjectName(QStringLiteral("lblTitulo"));
    banner->setAlignment(Qt::AlignCenter);
    banner->setFixedHeight(64);
    banner->setStyleSheet(QStringLiteral(
        "background-color: #0b2e59; color: white; font-weight: bold; font-size: 16pt;"));

    auto* searchLabel = new QLabel(QStringLiteral("Pesquisar:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("edtPesquisa"));
    searchLabel->setBuddy(m_search);

    m_grid = new QTableWidget(0, 1, this);
    m_grid->setObjectName(QStringLiteral("dbgCampeonato"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("CAMPEONATO")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);

    auto* confirmButton = new QPushButton(QStringLiteral("Confirmar"), this);
    confirmButton->setObjectName(QStringLiteral("btnConfirmar"));
    // Enter in the grid reaches the dialog and confirms through the default
    // button; the search editor takes its own Enter before the dialog sees it.
    confirmButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelButton->setObjectName(QStringLiteral("btnCancelar"));

    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(m_search, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(confirmButton);
    buttonRow->addWidget(cancelButton);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(9, 9, 9, 9);
    body->addLayout(searchRow);
    body->addWidget(m_grid, 1);
    body->addLayout(buttonRow);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(banner);
    root->addLayout(body, 1);

    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textEdited, this, [this] {
        if (m_search->text() != m_listedSearch)
            openList();
    });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0)
            m_list->moveTo(row);
    });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &TfrmBuscaCampeonato::confirm);
    connect(confirmButton, &QPushButton::clicked, this, &TfrmBuscaCampeonato::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &TfrmBuscaCampeonato::cancel);
}

void TfrmBuscaCampeonato::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    openList();
    m_search->setFocus();
}

bool TfrmBuscaCampeonato::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_search)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                confirm();
                return true;
            // The operator keeps typing in the editor and walks the list with the arrows.
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QCoreApplication::sendEvent(m_grid, event);
                return true;
            default:
                break;
        }
    } else if (event->type() == QEvent::KeyRelease && m_search->text() != m_listedSearch) {
        openList();
    }
    return QDialog::eventFilter(watched, event);
}

/// Reopens the list filtered by the search text. The text goes to the server
/// as a parameter and is matched as a plain substring: quotes and wildcards
/// typed by the operator are just characters of a name.
void TfrmBuscaCampeonato::openList() {
    const QString search = m_search->text();
    m_list->close();
    m_list->setSql(kSelect);
    if (!search.isEmpty()) {
        m_list->addLine(
            QStringLiteral("where instr(upper(campeonato.campeonato), upper(:busca)) > 0"));
        m_list->setParam(QStringLiteral("busca"), search);
    }
    m_list->addLine(QStringLiteral("order by evento.data desc"));
    m_list->open();
    m_listedSearch = search;
    fillGrid();
}

void TfrmBuscaCampeonato::fillGrid() {
    {
        const QSignalBlocker quiet(m_grid);
        m_grid->clearContents();
        m_grid->setRowCount(m_list->rowCount());
        for (int row = 0; row < m_list->rowCount(); ++row)
            m_grid->setItem(row, 0,
                            new QTableWidgetItem(
                                m_list->valueAt(row, QStringLiteral("CAMPEONATO")).toString()));
    }
    // The newest event's championship is current, so Enter takes it at once.
    if (m_list->rowCount() > 0)
        m_grid->setCurrentCell(0, 0);
}

void TfrmBuscaCampeonato::confirm() {
    if (m_list->isOpen() && !m_list->isEmpty()) {
        m_selected = true;
        db::Query* championship = m_dm->qryCampeonato;
        championship->close();
        championship->setParam(QStringLiteral("codigo"), m_list->integer(QStringLiteral("CODIGO")));
        championship->open();  // the data module follows with its events and categories
    }
    if (m_selected)
        accept();
    else
        refuseToClose();
}

void TfrmBuscaCampeonato::refuseToClose() {
    platform::dialogs().showMessage(QStringLiteral("Campeonato não selecionado !!"), this);
}

/// Escape and the title-bar close box both end here (QDialog::closeEvent
/// calls reject): without a championship the run has no context.
void TfrmBuscaCampeonato::reject() {
    if (m_selected)
        QDialog::reject();
    else
        refuseToClose();
}

void TfrmBuscaCampeonato::cancel() {
    m_cancelled = true;
    QDialog::reject();
}
