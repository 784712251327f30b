#include "RadioGroupBinding.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>

namespace platform {

RadioGroupBinding::RadioGroupBinding(db::Query* query, const QString& column, QGroupBox* box,
                                     const QList<Choice>& choices, Qt::Orientation orientation)
    : FieldBinding(query, column, box), m_group(new QButtonGroup(box)) {
    auto* layout = new QBoxLayout(
        orientation == Qt::Horizontal ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, box);
    layout->setContentsMargins(8, 4, 8, 4);
    for (int i = 0; i < choices.size(); ++i) {
        auto* button = new QRadioButton(choices.at(i).first, box);
        button->setObjectName(box->objectName() + QString::number(i));
        m_group->addButton(button, i);
        layout->addWidget(button);
        m_buttons << button;
        m_values << choices.at(i).second;
    }
    layout->addStretch(1);
    connect(m_group, &QButtonGroup::idClicked, this, [this] { operatorChanged(); });
}

QVariant RadioGroupBinding::value() const {
    const int id = m_group->checkedId();
    return id < 0 ? QVariant() : m_values.at(id);
}

QList<QWidget*> RadioGroupBinding::keyWidgets() const {
    QList<QWidget*> widgets;
    for (QRadioButton* b : m_buttons) widgets << b;
    return widgets;
}

void RadioGroupBinding::show(const QVariant& value) {
    int index = -1;
    if (!value.isNull())
        for (int i = 0; i < m_values.size(); ++i)
            if (m_values.at(i).toString() == value.toString())
                index = i;
    // An exclusive group cannot show "none checked" on its own.
    m_group->setExclusive(false);
    for (int i = 0; i < m_buttons.size(); ++i) m_buttons.at(i)->setChecked(i == index);
    m_group->setExclusive(true);
}

void RadioGroupBinding::applyEditable(bool) {
    // The buttons stay sharp; a click on a held group is turned back by the binding.
}

}  // namespace platform
