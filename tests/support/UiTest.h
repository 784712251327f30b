#pragma once

#include <QString>
#include <QWidget>
#include <functional>

/// Helpers to drive windows as an operator would, through object names.
namespace uitest {

/// Runs `action` on the next modal window to appear (polling the event loop),
/// so a test can act inside a window that a call shows with exec().
void whenModal(std::function<void(QWidget*)> action, int timeoutMs = 30000);

/// Sends Enter to `w` (the focused child when `w` is null uses the focus widget).
void pressEnter(QWidget* w);

template <typename T>
T* child(QWidget* parent, const QString& name) {
    return parent ? parent->findChild<T*>(name) : nullptr;
}

}  // namespace uitest
