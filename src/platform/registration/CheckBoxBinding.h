#pragma once

#include "FieldBinding.h"

class QCheckBox;

namespace platform {

/// A check box on a one-character column: checked stores one value, unchecked
/// the other ("S"/"N"). Two boxes may share a column with opposite values, so
/// that exactly one of them shows checked.
class CheckBoxBinding : public FieldBinding {
    Q_OBJECT
public:
    CheckBoxBinding(db::Query* query, const QString& column, QCheckBox* editor,
                    const QString& checkedValue = QStringLiteral("S"),
                    const QString& uncheckedValue = QStringLiteral("N"));

    QVariant value() const override;

protected:
    void show(const QVariant& value) override;
    void applyEditable(bool editable) override;

private:
    QCheckBox* m_box;
    QString m_checked;
    QString m_unchecked;
};

}  // namespace platform
