#include "SelectionWindow.h"

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

/// Names and siglas are kept in capitals, so the editor shows what will be matched.
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

TSelectionWindow::TSelectionWindow(DM* dm, const QString& listName, const Setup& setup,
                                   QWidget* parent)
    : QDialog(parent),
      m_dm(dm),
      m_list(new db::Query(&dm->connection(), QString(), this)),
      m_columns(setup.columns),
      m_refilterWhileTyping(setup.refilterWhileTyping),
      m_clearSearchOnShow(setup.clearSearchOnShow) {
    m_list->setObjectName(listName);
    buildUi(setup);
}

void TSelectionWindow::buildUi(const Setup& setup) {
    setObjectName(setup.objectName);
    setWindowTitle(setup.caption);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint;  // no help button
    if (setup.stayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    setFixedSize(setup.size);

    auto* title = new QLabel(setup.title, this);
    title->setObjectName(QStringLiteral("lblTitulo"));
    title->setAlignment(Qt::AlignCenter);
    if (setup.banner) {
        title->setFixedHeight(64);
        title->setStyleSheet(QStringLiteral(
            "background-color: #0b2e59; color: white; font-weight: bold; font-size: 16pt;"));
    } else {
        title->setStyleSheet(QStringLiteral("font-weight: bold; font-size: 12pt;"));
    }

    auto* searchLabel = new QLabel(setup.searchLabel, this);
    m_search = new QLineEdit(this);
    m_search->setObjectName(setup.searchName);
    if (setup.upperCase)
        m_search->setValidator(new UpperCase(m_search));
    searchLabel->setBuddy(m_search);

    m_grid = new QTableWidget(0, int(setup.columns.size()), this);
    m_grid->setObjectName(setup.gridName);
    m_grid->setHorizontalHeaderLabels(setup.columns);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->verticalHeader()->hide();

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
    if (setup.banner) {
        // The banner runs edge to edge; the rest keeps the usual margins.
        auto* body = new QVBoxLayout;
        body->setContentsMargins(9, 9, 9, 9);
        body->addLayout(searchRow);
        body->addWidget(m_grid, 1);
        body->addLayout(buttonRow);
        root->setContentsMargins(0, 0, 0, 0);
        root->setSpacing(0);
        root->addWidget(title);
        root->addLayout(body, 1);
    } else {
        root->addLayout(searchRow);
        root->addWidget(title);
        root->addWidget(m_grid, 1);
        root->addLayout(buttonRow);
    }

    m_search->installEventFilter(this);
    if (m_refilterWhileTyping) {
        connect(m_search, &QLineEdit::textEdited, this, [this] {
            if (m_search->text() != m_listedSearch)
                openList();
        });
    }
    connect(m_grid, &QTableWidget::currentCellChanged, this, [this](int row) {
        if (row >= 0)
            m_list->moveTo(row);
    });
    if (setup.doubleClickConfirms)
        connect(m_grid, &QTableWidget::cellDoubleClicked, this, &TSelectionWindow::confirm);
    connect(confirmButton, &QPushButton::clicked, this, &TSelectionWindow::confirm);
    connect(cancelButton, &QPushButton::clicked, this, &TSelectionWindow::cancel);
}

bool TSelectionWindow::hasCurrentRow() const {
    return m_list->isOpen() && !m_list->isEmpty();
}

void TSelectionWindow::cancel() {
    reject();
}

void TSelectionWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_clearSearchOnShow)
        m_search->clear();
    openList();
    m_search->setFocus();
}

bool TSelectionWindow::eventFilter(QObject* watched, QEvent* event) {
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
    } else if (m_refilterWhileTyping && event->type() == QEvent::KeyRelease &&
               m_search->text() != m_listedSearch) {
        openList();
    }
    return QDialog::eventFilter(watched, event);
}

void TSelectionWindow::openList() {
    const QString search = m_search->text();
    m_list->close();
    prepareList(search);
    m_list->open();
    m_listedSearch = search;
    fillGrid();
}

void TSelectionWindow::addSearchCondition(const QString& condition, const QString& search) {
    if (search.isEmpty())
        return;
    m_list->addLine(condition);
    m_list->setParam(QStringLiteral("busca"), search);
}

QString TSelectionWindow::cellText(int row, int column) const {
    return m_list->valueAt(row, m_columns.at(column)).toString();
}

void TSelectionWindow::fillGrid() {
    {
        const QSignalBlocker quiet(m_grid);
        m_grid->clearContents();
        m_grid->setRowCount(m_list->rowCount());
        for (int row = 0; row < m_list->rowCount(); ++row)
            for (int column = 0; column < m_columns.size(); ++column)
                m_grid->setItem(row, column, new QTableWidgetItem(cellText(row, column)));
    }
    // The first row is the likely choice (the newest event, say), so Enter takes it at once.
    if (m_list->rowCount() > 0)
        m_grid->setCurrentCell(0, 0);
}

// ---------------------------------------------------------------------------

TStartUpSelectionWindow::TStartUpSelectionWindow(DM* dm, const Setup& setup,
                                                 const QString& refusal, QWidget* parent)
    : TSelectionWindow(dm, QStringLiteral("qryBusca"), withStartUpLook(setup), parent),
      m_refusal(refusal) {}

TSelectionWindow::Setup TStartUpSelectionWindow::withStartUpLook(Setup setup) {
    setup.caption = setup.title;
    setup.banner = true;
    setup.size = QSize(560, 420);
    setup.searchLabel = QStringLiteral("Pesquisar:");
    setup.searchName = QStringLiteral("edtPesquisa");
    return setup;
}

void TStartUpSelectionWindow::confirm() {
    if (hasCurrentRow()) {
        m_selected = true;
        takeCurrentRow();
    }
    if (m_selected)
        accept();
    else
        refuseToClose();
}

void TStartUpSelectionWindow::refuseToClose() {
    platform::dialogs().showMessage(m_refusal, this);
}

/// Escape and the title-bar close box both end here (QDialog::closeEvent
/// calls reject): without a championship and an event the run has no context,
/// nothing can be raced or stored.
void TStartUpSelectionWindow::reject() {
    if (m_selected)
        QDialog::reject();
    else
        refuseToClose();
}

void TStartUpSelectionWindow::cancel() {
    m_cancelled = true;
    QDialog::reject();
}
