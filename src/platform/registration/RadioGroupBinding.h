#pragma once

#include "FieldBinding.h"

#include <QList>
#include <QPair>

class QButtonGroup;
class QGroupBox;
class QRadioButton;

namespace platform {

/// A framed group of radio buttons on a column: each button stores its own
/// value ("SIM" stores "S", "Drag" stores 1). A value none of them stores
/// leaves all unchecked.
class RadioGroupBinding : public FieldBinding {
    Q_OBJECT
public:
    using Choice = QPair<QString, QVariant>;  // caption, stored value

    /// Builds the buttons inside `box`, side by side or one under the other;
    /// they are named after the box with their index (rgProsolo0, rgProsolo1).
    RadioGroupBinding(db::Query* query, const QString& column, QGroupBox* box,
                      const QList<Choice>& choices, Qt::Orientation orientation);

    QVariant value() const override;
    QList<QWidget*> keyWidgets() const override;
    QRadioButton* button(int index) const { return m_buttons.value(index); }

protected:
    void show(const QVariant& value) override;
    void applyEditable(bool editable) override;

private:
    QButtonGroup* m_group;
    QList<QRadioButton*> m_buttons;
    QList<QVariant> m_values;
};

}  // namespace platform
