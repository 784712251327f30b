#pragma once

#include "FieldBinding.h"

#include <QStringList>

class QComboBox;

namespace platform {

/// An editable drop-down on a column: the usual values are offered, others
/// may be typed (partial-sensor distances, bracket sizes).
class ChoiceBinding : public FieldBinding {
    Q_OBJECT
public:
    /// `integer`: the column holds a whole number and only digits can be typed.
    ChoiceBinding(db::Query* query, const QString& column, QComboBox* editor,
                  const QStringList& choices, bool integer);

    QVariant value() const override;

protected:
    void show(const QVariant& value) override;
    void applyEditable(bool editable) override;

private:
    QComboBox* m_combo;
    bool m_integer;
};

}  // namespace platform
