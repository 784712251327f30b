#pragma once

#include "FieldBinding.h"

class QComboBox;

namespace platform {

/// A drop-down over the rows of another query: it lists one column of them
/// (a name) and stores another (the code) in the bound column. The list
/// follows the other query whenever it is opened again.
class LookupBinding : public FieldBinding {
    Q_OBJECT
public:
    LookupBinding(db::Query* query, const QString& column, QComboBox* editor, db::Query* list,
                  const QString& keyColumn, const QString& displayColumn);

    QVariant value() const override;

protected:
    void show(const QVariant& value) override;
    void applyEditable(bool editable) override;

private:
    void fillList();

    QComboBox* m_combo;
    db::Query* m_list;
    QString m_keyColumn;
    QString m_displayColumn;
};

}  // namespace platform
