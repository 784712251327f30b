#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>

class QWidget;
namespace db {
class Query;
}

namespace platform {

/// What a text editor does with the letters typed into it.
enum class TextCase { Kept, Upper, Lower };

/// One editor shown on the current row of a query and writing one column of
/// it. The editor shows the row (the edit buffer while the row is being
/// edited); what the operator changes goes to the buffer at once, through the
/// window that owns the binding, which first starts editing when it may.
class FieldBinding : public QObject {
    Q_OBJECT
public:
    /// Called when the operator changed the editor. Returns false when the
    /// change may not reach the row (nothing to edit): the editor then shows
    /// the row again.
    using ChangeHandler = std::function<bool(FieldBinding*)>;

    FieldBinding(db::Query* query, const QString& column, QWidget* editor);

    QString column() const { return m_column; }
    QWidget* editor() const { return m_editor; }
    db::Query* query() const { return m_query; }

    /// Shows the current row's value; an empty editor when the query is closed or empty.
    void load();
    /// What the editor holds, as it goes into the column.
    virtual QVariant value() const = 0;
    /// Why what the editor shows cannot be stored ("" when it can).
    virtual QString invalidReason() const { return {}; }

    /// Editors that never write (codes shown for reference) stay read-only.
    bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    /// Whether the operator may change the editor now (the window decides by
    /// its state); a read-only binding ignores it.
    void setEditable(bool editable);

    /// The widgets that take the focus and the keys: the editor itself, or
    /// the buttons of a radio group.
    virtual QList<QWidget*> keyWidgets() const;

    void setChangeHandler(ChangeHandler handler) { m_onChange = std::move(handler); }

    /// Equal as the column would hold them (null only equals null).
    static bool sameValue(const QVariant& a, const QVariant& b);

protected:
    /// Puts `value` into the editor; never reports it as the operator's change.
    virtual void show(const QVariant& value) = 0;
    virtual void applyEditable(bool editable) = 0;
    /// The editors call this from their signals of the operator's changes.
    void operatorChanged();
    bool isLoading() const { return m_loading; }

private:
    db::Query* m_query;
    QString m_column;
    QWidget* m_editor;
    ChangeHandler m_onChange;
    bool m_loading = false;
    bool m_readOnly = false;
    bool m_editable = true;
};

}  // namespace platform
