#include "PortComboBox.h"

PortComboBox::PortComboBox(const QString& name, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void PortComboBox::showPopup() {
    beforePopup();
    QComboBox::showPopup();
}
