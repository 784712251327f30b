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

/// The named child; a missing one ends the run at once, naming it, since
/// every later step would only fail on a null pointer.
template <typename T = QWidget>
T* required(QWidget* parent, const QString& name) {
    T* found = child<T>(parent, name);
    if (!found) qFatal("no child %s", qPrintable(name));
    return found;
}

/// Clicks the named push button as the operator would.
void click(QWidget* parent, const char* name);
/// Shows the window and waits until it is on screen.
bool showAndWait(QWidget& w);
/// The whole content of a file; empty when it cannot be read.
QByteArray bytesOf(const QString& path);

}  // namespace uitest
