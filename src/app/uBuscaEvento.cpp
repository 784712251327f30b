#include "uBuscaEvento.h"

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
#include <QValidator>

namespace {

/// Event names are kept in capitals, so the editor shows what will be matched.
class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        input = input.toUpper();
        pos = std::min(pos, int(input.size()));
        return Acceptable;
    }
};

}  // namespace

TfrmBuscaEvento::TfrmBuscaEvento(DM* dm, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_list(new db::Query(&dm->connection(), QString(), this)) {
    m_list->setObjectName(QStringLiteral("qryBusca"));
    buildUi();
}

void TfrmBuscaEvento::buildUi() {
    setObjectName(QStringLiteral("frmBuscaEvento"));
    setWindowTitle(QStringLiteral("SELECIONE O EVENTO"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(560, 420);

    auto* banner = new QLabel(QStringLiteral("SELECIONE O EVENTO"), this);
    banner->setObjectName(QStringLiteral("lblTitulo"));
    banner->setAlignment(Qt::AlignCenter);
    banner->setFixedHeight(64);
    banner->setStyleSheet(QStringLiteral(
        "background-color: #0b2e59; color: white; font-weight: bold; font-size: 16pt;"));

    auto* searchLabel = new QLabel(QStringLiteral("Pesquisar:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("edtPesquisa"));
    m_search->setValidator(new UpperCase(m_search));
    searchLabel->setBuddy(m_search);

    m_grid = new QTableWidget(0, 2, this);
    m_grid->setObjectName(QStringLiteral("dbgEvento"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("EVENTO"), QStringLiteral("DATA")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);

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
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0)
            m_list->moveTo(row);
    });
    connect(confirmButton, &QPushButton::clicked, this, &TfrmBuscaEvento::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &TfrmBuscaEvento::cancel);
}

/// The list is filtered when the window opens, not while typing: a
/// championship has a handful of events and the newest is nearly always it.
void TfrmBuscaEvento::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    openList();
    m_search->setFocus();
}

bool TfrmBuscaEvento::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_search || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            confirm();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            QCoreApplication::sendEvent(m_grid, event);
            return true;
        default:
            return QDialog::eventFilter(watched, event);
    }
}

void TfrmBuscaEvento::openList() {
    const QString search = m_search->text();
    m_list->close();
    m_list->setSql(QStringLiteral("select * from evento\nwhere cod_campeonato = :cod_campeonato"));
    m_list->setParam(QStringLiteral("cod_campeonato"), m_dm->championshipCode());
    if (!search.isEmpty()) {
        // A parameter, matched as a plain substring: the text never becomes SQL.
        m_list->addLine(QStringLiteral("and instr(upper(evento), upper(:busca)) > 0"));
        m_list->setParam(QStringLiteral("busca"), search);
    }
    m_list->addLine(QStringLiteral("order by data DESC"));
    m_list->open();
    fillGrid();
}

void TfrmBuscaEvento::fillGrid() {
    {
        const QSignalBlocker quiet(m_grid);
        m_grid->clearContents();
        m_grid->setRowCount(m_list->rowCount());
        for (int row = 0; row < m_list->rowCount(); ++row) {
            m_grid->setItem(
                row, 0,
                new QTableWidgetItem(m_list->valueAt(row, QStringLiteral("EVENTO")).toString()));
            m_grid->setItem(row, 1,
                            new QTableWidgetItem(m_list->valueAt(row, QStringLiteral("DATA"))
                                                     .toDate()
                                                     .toString(QStringLiteral("dd/MM/yyyy"))));
        }
    }
    if (m_list->rowCount() > 0)
        m_grid->setCurrentCell(0, 0);
}

void TfrmBuscaEvento::confirm() {
    if (m_list->isOpen() && !m_list->isEmpty()) {
        m_selected = true;
        openEvent(m_list->integer(QStringLiteral("CODIGO")));
        rememberOpenEvent();
    }
    if (m_selected)
        accept();
    else
        refuseToClose();
}

void TfrmBuscaEvento::openEvent(int code) {
    db::Query* event = m_dm->qryEvento;
    event->close();
    event->setParam(QStringLiteral("codigo"), code);
    event->open();  // the data module follows with the event's own lists
}

/// The organizer record keeps the last opened event; reports that are not
/// tied to the data module's event (OnTarget) read it from there.
void TfrmBuscaEvento::rememberOpenEvent() {
    db::Query* organizer = m_dm->qryOrganizador;
    if (!organizer->isOpen())
        organizer->open();
    organizer->edit();
    organizer->setValue(QStringLiteral("COD_EVENTO_ABERTO"), m_dm->eventCode());
    organizer->post();
}

void TfrmBuscaEvento::refuseToClose() {
    platform::dialogs().showMessage(QStringLiteral("Evento não selecionado !!"), this);
}

/// Escape and the title-bar close box both end here (QDialog::closeEvent
/// calls reject): without an event nothing can be raced or stored.
void TfrmBuscaEvento::reject() {
    if (m_selected)
        QDialog::reject();
    else
        refuseToClose();
}

void TfrmBuscaEvento::cancel() {
    m_cancelled = true;
    QDialog::reject();
}
