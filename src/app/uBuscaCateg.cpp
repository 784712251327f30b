#include "uBuscaCateg.h"

#include "db/Query.h"
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

/// Siglas are stored in capitals; the editor shows what will be matched.
class UpperCase : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        input = input.toUpper();
        pos = std::min(pos, int(input.size()));
        return Acceptable;
    }
};

const QString kSelect = QStringLiteral(
    "select CODIGO, SIGLA, CATEGORIA, DESCRICAO, COD_CAMPEONATO, WEB, TEMPO_MINIMO, "
    "RECORD_TEMPO, RECORD_PILOTO, DATA_RECORD, MIN_PISTA_TOTAL, TEMPO_MAX, TXT_PAINEL\n"
    "from categoria\n"
    "where COD_CAMPEONATO = :cod_campeonato");

}  // namespace

TfrmBuscaCateg::TfrmBuscaCateg(DM* dm, QWidget* parent)
    : QDialog(parent), m_dm(dm), m_list(new db::Query(&dm->connection(), QString(), this)) {
    m_list->setObjectName(QStringLiteral("qryCateg"));
    buildUi();
}

void TfrmBuscaCateg::buildUi() {
    setObjectName(QStringLiteral("frmBuscaCateg"));
    setWindowTitle(QStringLiteral("Localizar Categoria"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(480, 400);

    auto* title = new QLabel(QStringLiteral("SELECIONE A CATEGORIA"), this);
    title->setObjectName(QStringLiteral("lblTitulo"));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 12pt;"));

    auto* searchLabel = new QLabel(QStringLiteral("Sigla:"), this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("edtSigla"));
    m_search->setValidator(new UpperCase(m_search));
    searchLabel->setBuddy(m_search);

    m_grid = new QTableWidget(0, 2, this);
    m_grid->setObjectName(QStringLiteral("dbgCateg"));
    m_grid->setHorizontalHeaderLabels({QStringLiteral("SIGLA"), QStringLiteral("CATEGORIA")});
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
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
    auto* root = new QVBoxLayout(this);
    root->addLayout(searchRow);
    root->addWidget(title);
    root->addWidget(m_grid, 1);
    root->addLayout(buttonRow);

    m_search->installEventFilter(this);
    connect(m_search, &QLineEdit::textEdited, this, [this] {
        if (m_search->text() != m_listedSearch)
            openList();
    });
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0)
            m_list->moveTo(row);
    });
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, &TfrmBuscaCateg::confirm);
    connect(confirmButton, &QPushButton::clicked, this, &TfrmBuscaCateg::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &TfrmBuscaCateg::reject);
}

/// Every time the picker is shown it starts over: all categories, empty
/// sigla, and the operator typing at once.
void TfrmBuscaCateg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    m_search->clear();
    openList();
    m_search->setFocus();
}

bool TfrmBuscaCateg::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_search)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
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
                break;
        }
    } else if (event->type() == QEvent::KeyRelease && m_search->text() != m_listedSearch) {
        openList();
    }
    return QDialog::eventFilter(watched, event);
}

/// Reopens the list of the current championship's categories whose sigla
/// contains the search text, as a parameter and a plain substring.
void TfrmBuscaCateg::openList() {
    const QString search = m_search->text();
    m_list->close();
    m_list->setSql(kSelect);
    m_list->setParam(QStringLiteral("cod_campeonato"), m_dm->championshipCode());
    if (!search.isEmpty()) {
        m_list->addLine(QStringLiteral("and instr(upper(SIGLA), upper(:busca)) > 0"));
        m_list->setParam(QStringLiteral("busca"), search);
    }
    m_list->addLine(QStringLiteral("order by Sigla"));
    m_list->open();
    m_listedSearch = search;
    fillGrid();
}

void TfrmBuscaCateg::fillGrid() {
    {
        const QSignalBlocker quiet(m_grid);
        m_grid->clearContents();
        m_grid->setRowCount(m_list->rowCount());
        for (int row = 0; row < m_list->rowCount(); ++row) {
            m_grid->setItem(
                row, 0,
                new QTableWidgetItem(m_list->valueAt(row, QStringLiteral("SIGLA")).toString()));
            m_grid->setItem(
                row, 1,
                new QTableWidgetItem(m_list->valueAt(row, QStringLiteral("CATEGORIA")).toString()));
        }
    }
    if (m_list->rowCount() > 0)
        m_grid->setCurrentCell(0, 0);
}

void TfrmBuscaCateg::confirm() {
    if (m_list->isOpen() && !m_list->isEmpty())
        choose(m_list->integer(QStringLiteral("CODIGO")), m_list->text(QStringLiteral("CATEGORIA")),
               m_list->real(QStringLiteral("TEMPO_MINIMO")));
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
