#pragma once

#include <QDialog>
#include <QSize>
#include <QStringList>

class DM;
class QLineEdit;
class QTableWidget;
namespace db {
class Query;
}

/// A window that lists rows of one query in a read-only grid and lets the
/// operator pick one: a search editor on top, the grid, and Confirmar /
/// Cancelar. The operator keeps typing in the editor and walks the grid with
/// the arrow and page keys; Enter in either confirms the current row.
/// Subclasses say what is listed and what confirming does.
class TSelectionWindow : public QDialog {
    Q_OBJECT
protected:
    /// What tells the windows apart on screen and at the keyboard.
    struct Setup {
        QString objectName{};
        QString caption{};  // window title
        QString title{};    // text of the heading label
        /// Start-up windows open under a coloured banner; otherwise a plain
        /// heading sits between the search row and the grid.
        bool banner = false;
        bool stayOnTop = false;
        QSize size{};
        QString searchLabel{};
        QString searchName{};
        bool upperCase = false;  // the editor turns what is typed into capitals
        QString gridName{};
        QStringList columns{};  // headers, which are also the list's field names
        bool refilterWhileTyping = false;
        bool doubleClickConfirms = false;
        bool clearSearchOnShow = false;
    };

    TSelectionWindow(DM* dm, const QString& listName, const Setup& setup, QWidget* parent);

    DM* dm() const { return m_dm; }
    db::Query* list() const { return m_list; }
    QTableWidget* grid() const { return m_grid; }
    bool hasCurrentRow() const;

    /// Writes the list's SQL and parameters for the search text; the list is
    /// closed before and opened after.
    virtual void prepareList(const QString& search) = 0;
    /// Adds the condition matching the search text, when there is one. The
    /// text goes to the server as the :busca parameter and is matched as a
    /// plain substring: quotes and wildcards typed are just characters.
    void addSearchCondition(const QString& condition, const QString& search);
    virtual QString cellText(int row, int column) const;
    virtual void confirm() = 0;
    virtual void cancel();

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi(const Setup& setup);
    void openList();
    void fillGrid();

    DM* m_dm;
    db::Query* m_list;
    QLineEdit* m_search = nullptr;
    QTableWidget* m_grid = nullptr;
    QStringList m_columns;
    bool m_refilterWhileTyping;
    bool m_clearSearchOnShow;
    QString m_listedSearch;  // the search text the list was last opened with
};

/// The championship and event choices of start-up. Both look alike: a banner
/// with the caption, "Pesquisar:" and the same size, filled in here over what
/// the subclass sets up. Confirming opens the chosen row in the data module;
/// the window refuses to close without a choice, and "Cancelar" only marks it
/// cancelled (start-up ends the program).
class TStartUpSelectionWindow : public TSelectionWindow {
    Q_OBJECT
public:
    bool hasSelection() const { return m_selected; }
    bool cancelled() const { return m_cancelled; }

public slots:
    void reject() override;

protected:
    TStartUpSelectionWindow(DM* dm, const Setup& setup, const QString& refusal, QWidget* parent);

    /// Makes the current row the data module's own.
    virtual void takeCurrentRow() = 0;
    void confirm() override;
    void cancel() override;

private:
    static Setup withStartUpLook(Setup setup);
    void refuseToClose();

    QString m_refusal;
    bool m_selected = false;
    bool m_cancelled = false;
};
