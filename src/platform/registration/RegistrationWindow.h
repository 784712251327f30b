#pragma once

#include "FieldBinding.h"
#include "QueryTableModel.h"
#include "RadioGroupBinding.h"

#include <QDialog>
#include <QHash>
#include <QList>
#include <QMap>
#include <QSize>
#include <QStringList>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace db {
class Query;
}

namespace platform {

class PictureBox;

/// The layout every registration window shares: a toolbar ("Novo", "Editar",
/// "Salvar", "Atualizar", "Cancelar", "Delete", "Sair"), a panel of editors
/// bound to the current row of one query, and a grid of the query's rows.
///
/// A window is mostly a declaration: its query, its grid columns and its
/// editors (made by the add* functions, which name, bind and return them for
/// the subclass to lay out in form()), its Enter chain, and the hooks where
/// its own rules go (defaults of a new row, checks before saving, steps after
/// saving). The buttons follow the query's state: while a row is inserted or
/// edited only "Salvar", "Cancelar" and "Sair" work and the grid holds still,
/// so a row is stored by "Salvar" and by nothing else the operator does by
/// chance. Database errors are shown with the server's message and leave the
/// row pending.
class RegistrationWindow : public QDialog {
    Q_OBJECT
public:
    enum class Action { Novo, Editar, Salvar, Atualizar, Cancelar, Delete, Sair };

    /// What tells the windows apart.
    struct Setup {
        QString objectName{};
        QString caption{};
        QSize size{};
        bool fixedSize = false;
        /// The toolbar buttons the window has, in toolbar order.
        QList<Action> actions{Action::Novo,     Action::Editar, Action::Salvar, Action::Atualizar,
                              Action::Cancelar, Action::Delete, Action::Sair};
        QString gridName{};  // no grid when empty
        QList<GridColumn> gridColumns{};
        /// Typing into an editor starts editing the current row; otherwise the
        /// editors are read-only until "Novo" or "Editar".
        bool autoEdit = true;
    };

    ~RegistrationWindow() override;

    db::Query* query() const { return m_query; }
    /// The toolbar button, or null when the window has none.
    QPushButton* button(Action action) const { return m_buttons.value(action); }
    QTableView* grid() const { return m_grid; }
    QueryTableModel* gridModel() const { return m_model; }
    /// The row is being inserted or edited.
    bool isEditing() const;

    // The toolbar's operations. Each shows a database error itself and
    // reports whether it went through.
    bool insertRecord();
    bool editRecord();
    bool saveRecord();
    bool refreshRecords();
    bool cancelRecord();
    bool deleteRecord();
    /// Enter on the last editor of the chain: "Salvar ??"; Yes saves.
    void askSave();

protected:
    /// Takes `query` over when it has no parent; a shared query stays its owner's.
    RegistrationWindow(db::Query* query, const Setup& setup, QWidget* parent);

    // ---- editors --------------------------------------------------------
    // Each is created inside form(), named `name`, bound to `column` of
    // query(), and left for the subclass to place.

    /// The panel between the toolbar and the grid; the subclass gives it its layout.
    QFrame* form() const { return m_form; }
    QLineEdit* addLineEdit(const QString& name, const QString& column, int maxLength,
                           TextCase textCase = TextCase::Upper);
    /// Digits only; letters typed have no effect, backspace works.
    QLineEdit* addDigitsEdit(const QString& name, const QString& column, int maxLength);
    QLineEdit* addIntegerEdit(const QString& name, const QString& column);
    QLineEdit* addDecimalEdit(const QString& name, const QString& column, int decimals = -1);
    /// dd/mm/yyyy with the mask "99/99/9999"; a date that does not exist stops "Salvar".
    QLineEdit* addDateEdit(const QString& name, const QString& column);
    /// (99)99999-9999, the area code optional; only the digits are stored.
    QLineEdit* addPhoneEdit(const QString& name, const QString& column);
    /// Shows the column and never writes it (codes).
    QLineEdit* addReadOnlyEdit(const QString& name, const QString& column);
    QPlainTextEdit* addMemo(const QString& name, const QString& column, int maxLength,
                            TextCase textCase = TextCase::Kept);
    /// Offered values, others may be typed.
    QComboBox* addChoice(const QString& name, const QString& column, const QStringList& choices,
                         bool integer);
    /// Lists `displayColumn` of `list`'s rows and stores the chosen row's `keyColumn`.
    QComboBox* addLookup(const QString& name, const QString& column, db::Query* list,
                         const QString& keyColumn, const QString& displayColumn);
    /// A framed group of radio buttons titled `title`, one per choice.
    QGroupBox* addRadioGroup(const QString& name, const QString& title, const QString& column,
                             const QList<RadioGroupBinding::Choice>& choices,
                             Qt::Orientation orientation = Qt::Horizontal);
    QCheckBox* addCheckBox(const QString& name, const QString& text, const QString& column,
                           const QString& checkedValue = QStringLiteral("S"),
                           const QString& uncheckedValue = QStringLiteral("N"));
    /// Shows the blob column; pictures get in through storeChosenPicture().
    PictureBox* addPictureBox(const QString& name, const QString& column);
    /// Adopts a binding of the subclass's own making.
    void addBinding(FieldBinding* binding);
    FieldBinding* binding(QWidget* editor) const;
    const QList<FieldBinding*>& bindings() const { return m_bindings; }

    /// A caption for an editor, right-aligned, with the editor as its buddy.
    QLabel* addLabel(const QString& text, QWidget* buddy = nullptr);
    /// A further toolbar button, placed before "Sair".
    QPushButton* addToolButton(const QString& name, const QString& text);
    /// Keeps a toolbar button disabled whatever the state.
    void setLocked(Action action, bool locked);

    // ---- keyboard -------------------------------------------------------

    enum class ChainEnd {
        AskSave,  // Enter on the last editor asks "Salvar ??"
        Save,     // Enter on the last editor saves at once
        Stay,     // Enter on the last editor does nothing
    };
    /// Enter moves the focus along `editors`; the last one ends as `end` says.
    void setEnterChain(const QList<QWidget*>& editors, ChainEnd end = ChainEnd::AskSave);
    /// Enter in `from` moves the focus to `to`.
    void setEnterTarget(QWidget* from, QWidget* to);
    /// Enter in `from` runs `action` (a lookup, say, which then moves the focus itself).
    void setEnterAction(QWidget* from, std::function<void()> action);
    /// Where the focus goes after "Novo".
    void setInsertFocus(QWidget* editor) { m_insertFocus = editor; }
    /// Focuses an editor (the checked button of a radio group), its text selected.
    void focusEditor(QWidget* editor);

    // ---- the row --------------------------------------------------------

    /// Writes `value` into the row being edited (editing the current row
    /// when none is) and shows it in the editors.
    void setField(const QString& column, const QVariant& value);
    /// The editors show the current row again.
    void showRow();
    /// Grid, editors and buttons show the query again; for hooks that post
    /// or move the query on their own.
    void refreshView();
    /// Runs `step`; a database error is shown with its own message. False then.
    bool runGuarded(const std::function<void()>& step);

    // ---- pictures -------------------------------------------------------

    /// The picture step: the operator chooses a file; it is shown in `box`,
    /// copied into `folder` (with its trailing '/') under the name
    /// `fileName(extension)` gives, and stored in `blobColumn` (and that name
    /// in `nameColumn` when given), and the row is posted. A new row is
    /// posted first, so the name can use its code. A cancelled dialog, a
    /// missing file or one that is not a picture change nothing.
    bool storeChosenPicture(PictureBox* box, const QString& filter, const QString& folder,
                            const std::function<QString(const QString& extension)>& fileName,
                            const QString& blobColumn, const QString& nameColumn = {});
    /// Rewrites the working copy `folder` + `fileName` of the current row's
    /// `blobColumn`; false when the row has no picture or no name for it.
    bool writeWorkingCopy(const QString& folder, const QString& blobColumn,
                          const QString& fileName);

    // ---- hooks ----------------------------------------------------------

    /// Once, when the window is first shown (reopening its lists, say).
    virtual void activated() {}
    /// Before "Novo" appends the row (reopening the query, say).
    virtual void beforeInsert() {}
    /// Right after "Novo" appended the row: its defaults, through setField().
    virtual void insertDefaults() {}
    /// The window's own checks before posting; false stops "Salvar" (the
    /// hook shows its message and focuses the editor).
    virtual bool canSave() { return true; }
    /// Just before the post: values the operator does not type.
    virtual void beforePost() {}
    /// After a successful post of "Salvar".
    virtual void afterSave() {}
    virtual void afterCancel() {}
    /// "Atualizar": runs the query again, keeping the current row.
    virtual void reopenRecords();
    /// Whenever the current row changes (also on open and after posting).
    virtual void rowChanged() {}
    /// The operator changed an editor; its value is in the row already.
    virtual void fieldChanged(FieldBinding*) {}
    /// The focus entered an editor.
    virtual void editorEntered(QWidget*) {}
    /// Enables the buttons and editors by the query's state; subclasses add
    /// their own after calling it.
    virtual void updateActions();

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi(const Setup& setup);
    QPushButton* makeButton(Action action);
    template <typename Binding, typename Widget, typename... Args>
    Widget* bind(Widget* widget, const QString& name, const QString& column, Args&&... args);
    void watchKeys(QWidget* editor, const QList<QWidget*>& keyWidgets);
    bool takeOperatorChange(FieldBinding* binding);
    bool editorsAreValid();
    void followQuery();
    void selectGridRow();
    void reloadGrid();

    db::Query* m_query;
    bool m_autoEdit;
    QFrame* m_toolbar = nullptr;
    QHBoxLayout* m_toolbarLayout = nullptr;
    QFrame* m_form = nullptr;
    QTableView* m_grid = nullptr;
    QueryTableModel* m_model = nullptr;
    QMap<Action, QPushButton*> m_buttons;
    QList<Action> m_locked;
    QList<FieldBinding*> m_bindings;
    QHash<QObject*, QWidget*> m_keyOwner;  // key widget -> its editor
    QHash<QWidget*, std::function<void()>> m_enter;
    QWidget* m_insertFocus = nullptr;
    bool m_shown = false;
    bool m_following = false;
};

}  // namespace platform
