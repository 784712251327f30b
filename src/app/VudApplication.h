#pragma once

#include <QApplication>
#include <functional>

/// The application object. Errors that escape an event handler are caught
/// here and handed to the installed handler, so the program goes on.
class VudApplication : public QApplication {
    Q_OBJECT
public:
    using ErrorHandler = std::function<void(const QString& message)>;

    VudApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    /// Replaces the handler of unexpected errors (the main window installs its own).
    static void setErrorHandler(ErrorHandler handler);
    /// Hands `message` to the handler; used by code that catches on its own.
    static void reportError(const QString& message);
};
