#pragma once

#include <QString>

class QWidget;

namespace platform {

/// Every message box, question and file choice of the station goes through
/// here, so tests can answer them from a script and check the exact texts.
class Dialogs {
public:
    enum class Icon { None, Information, Warning, Critical, Question, Exclamation };
    enum Button { Ok = 0x1, Cancel = 0x2, Yes = 0x4, No = 0x8 };

    virtual ~Dialogs() = default;

    /// A plain message with an OK button, titled with the application title.
    virtual void showMessage(const QString& text, QWidget* parent = nullptr) = 0;
    /// A captioned box; returns the button pressed (the default one when closed).
    virtual Button ask(const QString& caption, const QString& text, Icon icon, int buttons,
                       Button defaultButton, QWidget* parent = nullptr) = 0;
    /// A file chooser; an empty text when cancelled.
    virtual QString openFileName(const QString& caption, const QString& filter,
                                 QWidget* parent = nullptr) = 0;
    virtual QString saveFileName(const QString& caption, const QString& filter,
                                 QWidget* parent = nullptr) = 0;
};

/// The dialogs in use; Qt dialogs unless a test installed others.
Dialogs& dialogs();
/// Installs `d` (not owned); null restores the Qt dialogs.
void setDialogs(Dialogs* d);

/// The real dialogs, on QMessageBox and QFileDialog.
class QtDialogs : public Dialogs {
public:
    void showMessage(const QString& text, QWidget* parent) override;
    Button ask(const QString& caption, const QString& text, Icon icon, int buttons,
               Button defaultButton, QWidget* parent) override;
    QString openFileName(const QString& caption, const QString& filter, QWidget* parent) override;
    QString saveFileName(const QString& caption, const QString& filter, QWidget* parent) override;
};

}  // namespace platform
