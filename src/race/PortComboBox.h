#pragma once

#include <QComboBox>
#include <functional>

/// The serial-port list: refilled each time it drops down, so a converter
/// plugged in after start-up shows up without restarting the station. It is
/// editable, so a port the system does not list can be typed in.
class PortComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit PortComboBox(const QString& name, QWidget* parent = nullptr);

    /// Called just before the list drops down; the owner refills it there.
    std::function<void()> beforePopup = [] {};

    void showPopup() override;
};
