#include "RegistrationWindow.h"

#include "CheckBoxBinding.h"
#include "ChoiceBinding.h"
#include "LineEditBinding.h"
#include "LookupBinding.h"
#include "MemoBinding.h"
#include "PictureBinding.h"
#include "PictureBox.h"
#include "PictureFiles.h"
#include "db/DbError.h"
#include "db/Query.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace platform {

namespace {

struct ActionLook {
    const char* name;
    const char* text;
    QStyle::StandardPixmap icon;
};

ActionLook lookOf(RegistrationWindow::Action action) {
    using A = RegistrationWindow::Action;
    switch (action) {
        case A::Novo:
            return {"btnNovo", "Novo", QStyle::SP_FileIcon};
        case A::Editar:
            return {"btnEditar", "Editar", QStyle::SP_FileDialogContentsView};
        case A::Salvar:
            return {"btnSalvar", "Salvar", QStyle::SP_DialogSaveButton};
        case A::Atualizar:
            return {"btnAtualizar", "Atualizar", QStyle::SP_BrowserReload};
        case A::Cancelar:
            return {"btnCancelar", "Cancelar", QStyle::SP_DialogCancelButton};
        case A::Delete:
            return {"btnDelete", "Delete", QStyle::SP_TrashIcon};
        case A::Sair:
            return {"btnSair", "Sair", QStyle::SP_DialogCloseButton};
    }
    return {"", "", QStyle::SP_CustomBase};
}

// The registration windows look alike: a light toolbar over a framed panel
// of editors, codes and other read-only values on grey.
const char* const kStyle = R"(
QFrame#pnlToolbar {
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbfcfd, stop:1 #e4e8ed);
    border-bottom: 1px solid #b9c0c8;
}
QFrame#pnlToolbar QPushButton { padding: 4px 10px; min-width: 70px; }
QFrame#pnlEditors { background: #f4f6f8; border: 1px solid #c9ced4; border-radius: 3px; }
QFrame#pnlEditors QLineEdit[readOnly="true"] { background: #e9ecef; color: #30363d; }
QTableView { gridline-color: #d5d9de; selection-background-color: #2f5f93; }
QHeaderView::section {
    background: #e4e8ed; border: 0; border-right: 1px solid #c9ced4;
    border-bottom: 1px solid #b9c0c8; padding: 3px 6px; font-weight: bold;
}
)";

}  // namespace

RegistrationWindow::RegistrationWindow(db::Query* query, const Setup& setup, QWidget* parent)
    : QDialog(parent), m_query(query), m_autoEdit(setup.autoEdit) {
    if (!query->parent())
        query->setParent(this);
    buildUi(setup);
    connect(query, &db::Query::afterScroll, this, &RegistrationWindow::followQuery);
    connect(query, &db::Query::afterClose, this, &RegistrationWindow::followQuery);
}

/// The editors outlive this part of the window: one losing the focus while
/// the dialog goes (an editable drop-down reports that as a choice) must not
/// reach a window that is half gone, nor a shared query move it.
RegistrationWindow::~RegistrationWindow() {
    for (FieldBinding* b : m_bindings) b->setChangeHandler({});
    disconnect(m_query, nullptr, this, nullptr);
    for (QObject* w : m_keyOwner.keys()) w->removeEventFilter(this);
}

void RegistrationWindow::buildUi(const Setup& setup) {
    setObjectName(setup.objectName);
    setWindowTitle(setup.caption);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setStyleSheet(QString::fromLatin1(kStyle));

    m_toolbar = new QFrame(this);
    m_toolbar->setObjectName(QStringLiteral("pnlToolbar"));
    m_toolbarLayout = new QHBoxLayout(m_toolbar);
    m_toolbarLayout->setContentsMargins(8, 6, 8, 6);
    m_toolbarLayout->setSpacing(4);
    for (Action action : setup.actions) {
        if (action == Action::Sair)
            m_toolbarLayout->addStretch(1);
        m_buttons.insert(action, makeButton(action));
    }
    if (!setup.actions.contains(Action::Sair))
        m_toolbarLayout->addStretch(1);

    m_form = new QFrame(this);
    m_form->setObjectName(QStringLiteral("pnlEditors"));

    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 8, 8, 8);
    body->setSpacing(8);
    body->addWidget(m_form);
    if (!setup.gridName.isEmpty()) {
        m_model = new QueryTableModel(m_query, setup.gridColumns, this);
        m_grid = new QTableView(this);
        m_grid->setObjectName(setup.gridName);
        m_grid->setModel(m_model);
        m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
        m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_grid->setAlternatingRowColors(true);
        m_grid->verticalHeader()->hide();
        m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
        m_grid->horizontalHeader()->setHighlightSections(false);
        m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        bool stretching = false;
        for (int c = 0; c < setup.gridColumns.size(); ++c) {
            const GridColumn& column = setup.gridColumns.at(c);
            const int titleWidth = QFontMetrics(m_grid->horizontalHeader()->font())
                                       .horizontalAdvance(m_model->gridColumns().at(c).title);
            // The titles are bold in the window's style.
            m_grid->setColumnWidth(c, std::max(column.width, titleWidth * 6 / 5 + 24));
            if (column.stretch) {
                m_grid->horizontalHeader()->setSectionResizeMode(c, QHeaderView::Stretch);
                stretching = true;
            }
        }
        m_grid->horizontalHeader()->setStretchLastSection(!stretching);
        connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current) {
                    if (m_following || !current.isValid())
                        return;
                    runGuarded([&] { m_query->moveTo(current.row()); });
                });
        body->addWidget(m_grid, 1);
    } else {
        body->addStretch(1);
    }

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(m_toolbar);
    root->addLayout(body, 1);

    if (setup.size.isValid()) {
        if (setup.fixedSize)
            setFixedSize(setup.size);
        else
            resize(setup.size);
    }
}

QPushButton* RegistrationWindow::makeButton(Action action) {
    const ActionLook look = lookOf(action);
    auto* b =
        new QPushButton(style()->standardIcon(look.icon), QString::fromUtf8(look.text), m_toolbar);
    b->setObjectName(QString::fromLatin1(look.name));
    // Enter belongs to the editors: no toolbar button may take it as the default.
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    m_toolbarLayout->addWidget(b);
    switch (action) {
        case Action::Novo:
            connect(b, &QPushButton::clicked, this, [this] { insertRecord(); });
            break;
        case Action::Editar:
            connect(b, &QPushButton::clicked, this, [this] { editRecord(); });
            break;
        case Action::Salvar:
            connect(b, &QPushButton::clicked, this, [this] { saveRecord(); });
            break;
        case Action::Atualizar:
            connect(b, &QPushButton::clicked, this, [this] { refreshRecords(); });
            break;
        case Action::Cancelar:
            connect(b, &QPushButton::clicked, this, [this] { cancelRecord(); });
            break;
        case Action::Delete:
            connect(b, &QPushButton::clicked, this, [this] { deleteRecord(); });
            break;
        case Action::Sair:
            connect(b, &QPushButton::clicked, this, &QWidget::close);
            break;
    }
    return b;
}

QPushButton* RegistrationWindow::addToolButton(const QString& name, const QString& text) {
    auto* b = new QPushButton(text, m_toolbar);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    // Before the stretch that pushes "Sair" to the right edge.
    int index = m_toolbarLayout->count();
    for (int i = 0; i < m_toolbarLayout->count(); ++i) {
        if (m_toolbarLayout->itemAt(i)->spacerItem()) {
            index = i;
            break;
        }
    }
    m_toolbarLayout->insertWidget(index, b);
    return b;
}

void RegistrationWindow::setLocked(Action action, bool locked) {
    m_locked.removeAll(action);
    if (locked)
        m_locked << action;
    updateActions();
}

// ---- editors ---------------------------------------------------------------

template <typename Binding, typename Widget, typename... Args>
Widget* RegistrationWindow::bind(Widget* widget, const QString& name, const QString& column,
                                 Args&&... args) {
    widget->setObjectName(name);
    addBinding(new Binding(m_query, column, widget, std::forward<Args>(args)...));
    return widget;
}

void RegistrationWindow::addBinding(FieldBinding* b) {
    m_bindings << b;
    b->setChangeHandler([this](FieldBinding* changed) { return takeOperatorChange(changed); });
    watchKeys(b->editor(), b->keyWidgets());
    b->load();
}

FieldBinding* RegistrationWindow::binding(QWidget* editor) const {
    for (FieldBinding* b : m_bindings)
        if (b->editor() == editor)
            return b;
    return nullptr;
}

QLineEdit* RegistrationWindow::addLineEdit(const QString& name, const QString& column,
                                           int maxLength, TextCase textCase) {
    return bind<LineEditBinding>(new QLineEdit(m_form), name, column, LineEditBinding::Kind::Text,
                                 maxLength, textCase);
}

QLineEdit* RegistrationWindow::addDigitsEdit(const QString& name, const QString& column,
                                             int maxLength) {
    return bind<LineEditBinding>(new QLineEdit(m_form), name, column, LineEditBinding::Kind::Digits,
                                 maxLength);
}

QLineEdit* RegistrationWindow::addIntegerEdit(const QString& name, const QString& column) {
    return bind<LineEditBinding>(new QLineEdit(m_form), name, column,
                                 LineEditBinding::Kind::Integer);
}

QLineEdit* RegistrationWindow::addDecimalEdit(const QString& name, const QString& column,
                                              int decimals) {
    return bind<LineEditBinding>(new QLineEdit(m_form), name, column,
                                 LineEditBinding::Kind::Decimal, 0, TextCase::Kept, decimals);
}

QLineEdit* RegistrationWindow::addDateEdit(const QString& name, const QString& column) {
    return bind<LineEditBinding>(new QLineEdit(m_form), name, column, LineEditBinding::Kind::Date);
}

QLineEdit* RegistrationWindow::addPhoneEdit(const QString& name, const QString& column) {
    return bind<LineEditBinding>(new QLineEdit(m_form), name, column, LineEditBinding::Kind::Phone);
}

QLineEdit* RegistrationWindow::addReadOnlyEdit(const QString& name, const QString& column) {
    auto* edit = new QLineEdit(m_form);
    edit->setObjectName(name);
    auto* b = new LineEditBinding(m_query, column, edit, LineEditBinding::Kind::Text);
    b->setReadOnly(true);
    addBinding(b);
    return edit;
}

QPlainTextEdit* RegistrationWindow::addMemo(const QString& name, const QString& column,
                                            int maxLength, TextCase textCase) {
    return bind<MemoBinding>(new QPlainTextEdit(m_form), name, column, maxLength, textCase);
}

QComboBox* RegistrationWindow::addChoice(const QString& name, const QString& column,
                                         const QStringList& choices, bool integer) {
    return bind<ChoiceBinding>(new QComboBox(m_form), name, column, choices, integer);
}

QComboBox* RegistrationWindow::addLookup(const QString& name, const QString& column,
                                         db::Query* list, const QString& keyColumn,
                                         const QString& displayColumn) {
    return bind<LookupBinding>(new QComboBox(m_form), name, column, list, keyColumn, displayColumn);
}

QGroupBox* RegistrationWindow::addRadioGroup(const QString& name, const QString& title,
                                             const QString& column,
                                             const QList<RadioGroupBinding::Choice>& choices,
                                             Qt::Orientation orientation) {
    auto* box = new QGroupBox(title, m_form);
    box->setObjectName(name);  // the buttons are named after it
    addBinding(new RadioGroupBinding(m_query, column, box, choices, orientation));
    return box;
}

QCheckBox* RegistrationWindow::addCheckBox(const QString& name, const QString& text,
                                           const QString& column, const QString& checkedValue,
                                           const QString& uncheckedValue) {
    return bind<CheckBoxBinding>(new QCheckBox(text, m_form), name, column, checkedValue,
                                 uncheckedValue);
}

PictureBox* RegistrationWindow::addPictureBox(const QString& name, const QString& column) {
    return bind<PictureBinding>(new PictureBox(m_form), name, column);
}

QLabel* RegistrationWindow::addLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, m_form);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

// ---- state -------------------------------------------------------------------

bool RegistrationWindow::isEditing() const {
    return m_query->state() == db::Query::State::Edit ||
           m_query->state() == db::Query::State::Insert;
}

bool RegistrationWindow::runGuarded(const std::function<void()>& step) {
    try {
        step();
        return true;
    } catch (const db::DbError& e) {
        dialogs().showMessage(e.message(), this);
        return false;
    }
}

void RegistrationWindow::updateActions() {
    const bool open = m_query->isOpen();
    const bool editing = isEditing();
    const bool hasRow = open && m_query->recNo() >= 0;
    const auto enable = [this](Action action, bool on) {
        if (QPushButton* b = m_buttons.value(action))
            b->setEnabled(on && !m_locked.contains(action));
    };
    enable(Action::Novo, open && !editing);
    enable(Action::Editar, hasRow && !editing);
    enable(Action::Salvar, editing);
    enable(Action::Atualizar, !editing);
    enable(Action::Cancelar, editing);
    enable(Action::Delete, hasRow && !editing);
    enable(Action::Sair, true);
    if (m_grid) {
        m_grid->setEnabled(!editing);
        // The new row is not in the grid yet; no other row may look like it.
        if (m_query->state() == db::Query::State::Insert) {
            m_following = true;
            m_grid->selectionModel()->clearSelection();
            m_following = false;
        } else {
            selectGridRow();
        }
    }
    const bool editable = editing || (m_autoEdit && hasRow);
    for (FieldBinding* b : m_bindings) b->setEditable(editable);
}

void RegistrationWindow::showRow() {
    for (FieldBinding* b : m_bindings) b->load();
}

/// The query moved, opened, closed or posted: editors, grid and buttons follow it.
void RegistrationWindow::followQuery() {
    if (m_model && m_model->rowCount() != (m_query->isOpen() ? m_query->rowCount() : 0))
        reloadGrid();
    showRow();
    selectGridRow();
    updateActions();
    rowChanged();
}

void RegistrationWindow::refreshView() {
    reloadGrid();
    followQuery();
}

void RegistrationWindow::reloadGrid() {
    if (!m_model)
        return;
    m_following = true;
    m_model->reload();
    m_following = false;
    selectGridRow();
}

void RegistrationWindow::selectGridRow() {
    if (!m_grid)
        return;
    m_following = true;
    const int row = m_query->isOpen() ? m_query->recNo() : -1;
    if (row >= 0 && row < m_model->rowCount()) {
        const QModelIndex index = m_model->index(row, 0);
        m_grid->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_grid->scrollTo(index);
    } else {
        m_grid->selectionModel()->clearSelection();
    }
    m_following = false;
}

bool RegistrationWindow::takeOperatorChange(FieldBinding* changed) {
    if (!isEditing()) {
        if (!m_autoEdit || !m_query->isOpen() || m_query->recNo() < 0)
            return false;
        if (!runGuarded([this] { m_query->edit(); }))
            return false;
        updateActions();
    }
    if (!runGuarded([&] { m_query->setValue(changed->column(), changed->value()); }))
        return false;
    // Editors sharing the column (two check boxes with opposite values) follow it.
    for (FieldBinding* b : m_bindings)
        if (b != changed && b->column().compare(changed->column(), Qt::CaseInsensitive) == 0)
            b->load();
    fieldChanged(changed);
    return true;
}

void RegistrationWindow::setField(const QString& column, const QVariant& value) {
    if (!isEditing())
        m_query->edit();
    m_query->setValue(column, value);
    for (FieldBinding* b : m_bindings)
        if (b->column().compare(column, Qt::CaseInsensitive) == 0)
            b->load();
    updateActions();
}

// ---- operations ----------------------------------------------------------------

bool RegistrationWindow::insertRecord() {
    const bool ok = runGuarded([this] {
        beforeInsert();
        m_query->append();
        insertDefaults();
    });
    showRow();
    updateActions();
    if (ok && m_insertFocus)
        focusEditor(m_insertFocus);
    return ok;
}

bool RegistrationWindow::editRecord() {
    const bool ok = runGuarded([this] { m_query->edit(); });
    showRow();
    updateActions();
    return ok;
}

/// A half-typed date and the like stop the post with their message, the
/// focus on the editor.
bool RegistrationWindow::editorsAreValid() {
    for (FieldBinding* b : m_bindings) {
        const QString reason = b->invalidReason();
        if (!reason.isEmpty()) {
            dialogs().showMessage(reason, this);
            focusEditor(b->editor());
            return false;
        }
    }
    return true;
}

bool RegistrationWindow::saveRecord() {
    if (!isEditing()) {
        updateActions();
        return false;
    }
    if (!editorsAreValid() || !canSave())
        return false;
    const bool ok = runGuarded([this] {
        beforePost();
        m_query->post();
    });
    // An update changes the row in place, which the grid does not see by itself.
    reloadGrid();
    followQuery();
    if (ok)
        afterSave();
    return ok;
}

bool RegistrationWindow::refreshRecords() {
    const bool ok = runGuarded([this] { reopenRecords(); });
    reloadGrid();
    followQuery();
    return ok;
}

void RegistrationWindow::reopenRecords() {
    m_query->refresh();
}

bool RegistrationWindow::cancelRecord() {
    m_query->cancel();
    showRow();
    updateActions();
    afterCancel();
    return true;
}

/// The query's own guard asks first when it has one; a refusal leaves the row.
bool RegistrationWindow::deleteRecord() {
    bool removed = false;
    runGuarded([&] { removed = m_query->remove(); });
    reloadGrid();
    followQuery();
    return removed;
}

void RegistrationWindow::askSave() {
    if (dialogs().ask(QStringLiteral("Confirmação"), QStringLiteral("Salvar ??"),
                      Dialogs::Icon::Question, Dialogs::Yes | Dialogs::No, Dialogs::Yes,
                      this) == Dialogs::Yes)
        saveRecord();
}

// ---- keyboard ----------------------------------------------------------------

void RegistrationWindow::watchKeys(QWidget* editor, const QList<QWidget*>& keyWidgets) {
    for (QWidget* w : keyWidgets) {
        if (m_keyOwner.contains(w))
            continue;
        m_keyOwner.insert(w, editor);
        w->installEventFilter(this);
    }
}

void RegistrationWindow::setEnterChain(const QList<QWidget*>& editors, ChainEnd end) {
    for (int i = 0; i + 1 < editors.size(); ++i) setEnterTarget(editors.at(i), editors.at(i + 1));
    if (editors.isEmpty())
        return;
    switch (end) {
        case ChainEnd::AskSave:
            setEnterAction(editors.last(), [this] { askSave(); });
            break;
        case ChainEnd::Save:
            setEnterAction(editors.last(), [this] { saveRecord(); });
            break;
        case ChainEnd::Stay:
            setEnterAction(editors.last(), [] {});
            break;
    }
}

void RegistrationWindow::setEnterTarget(QWidget* from, QWidget* to) {
    setEnterAction(from, [this, to] { focusEditor(to); });
}

void RegistrationWindow::setEnterAction(QWidget* from, std::function<void()> action) {
    FieldBinding* b = binding(from);
    watchKeys(from, b ? b->keyWidgets() : QList<QWidget*>{from});
    m_enter.insert(from, std::move(action));
}

void RegistrationWindow::focusEditor(QWidget* editor) {
    if (!editor)
        return;
    QWidget* target = editor;
    if (auto* box = qobject_cast<QGroupBox*>(editor)) {
        const QList<QRadioButton*> buttons = box->findChildren<QRadioButton*>();
        target = buttons.isEmpty() ? editor : buttons.first();
        for (QRadioButton* b : buttons)
            if (b->isChecked())
                target = b;
    }
    target->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(target))
        edit->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(target); combo && combo->lineEdit())
        combo->lineEdit()->selectAll();
}

bool RegistrationWindow::eventFilter(QObject* watched, QEvent* event) {
    QWidget* editor = m_keyOwner.value(watched);
    if (editor && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (enter && plain && m_enter.contains(editor)) {
            // Copied: the action may rebuild the window's chains.
            const std::function<void()> action = m_enter.value(editor);
            action();
            return true;
        }
    } else if (editor && event->type() == QEvent::FocusIn) {
        editorEntered(editor);
    }
    return QDialog::eventFilter(watched, event);
}

/// Escape does not close the window: a row being typed is not thrown away
/// by a key pressed by habit. "Sair" and the close box do.
void RegistrationWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void RegistrationWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    if (QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    runGuarded([this] { activated(); });
    followQuery();
}

// ---- pictures ------------------------------------------------------------------

bool RegistrationWindow::storeChosenPicture(
    PictureBox* box, const QString& filter, const QString& folder,
    const std::function<QString(const QString& extension)>& fileName, const QString& blobColumn,
    const QString& nameColumn) {
    if (!m_query->isOpen() || (!isEditing() && m_query->recNo() < 0))
        return false;  // no row to hold the picture
    if (isEditing() && !editorsAreValid())
        return false;  // the step posts the row, which must be fit to post
    const QString path = dialogs().openFileName(QStringLiteral("Abrir"), filter, this);
    if (path.isEmpty())
        return false;
    bool read = false;
    const QByteArray bytes = picturefiles::read(path, &read);
    if (!read)
        return false;
    if (!box->setPicture(bytes)) {
        dialogs().showMessage(QStringLiteral("Formato de imagem inválido: ") + path, this);
        return false;
    }
    if (m_query->state() == db::Query::State::Insert && !runGuarded([this] { m_query->post(); })) {
        showRow();
        return false;
    }
    box->setPicture(bytes);  // the post showed the stored row, still without it
    const QString name = fileName(picturefiles::extension(path));
    if (!picturefiles::write(folder + name, bytes)) {
        dialogs().showMessage(QStringLiteral("Não foi possível gravar o arquivo ") + folder + name,
                              this);
        followQuery();
        return false;
    }
    const bool ok = runGuarded([&] {
        if (!isEditing())
            m_query->edit();
        m_query->setValue(blobColumn, bytes);
        if (!nameColumn.isEmpty())
            m_query->setValue(nameColumn, name);
        m_query->post();
    });
    reloadGrid();
    followQuery();
    return ok;
}

bool RegistrationWindow::writeWorkingCopy(const QString& folder, const QString& blobColumn,
                                          const QString& fileName) {
    const QString name = picturefiles::plainName(fileName);
    if (!m_query->isOpen() || m_query->recNo() < 0 || m_query->isNull(blobColumn) || name.isEmpty())
        return false;
    return picturefiles::write(folder + name, m_query->value(blobColumn).toByteArray());
}

}  // namespace platform
