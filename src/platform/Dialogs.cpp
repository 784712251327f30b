#include "Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace platform {

namespace {

Dialogs* installed = nullptr;

QMessageBox::Icon toQt(Dialogs::Icon icon) {
    switch (icon) {
        case Dialogs::Icon::Information: return QMessageBox::Information;
        case Dialogs::Icon::Warning:
        case Dialogs::Icon::Exclamation: return QMessageBox::Warning;
        case Dialogs::Icon::Critical: return QMessageBox::Critical;
        case Dialogs::Icon::Question: return QMessageBox::Question;
        case Dialogs::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton toQt(Dialogs::Button b) {
    switch (b) {
        case Dialogs::Ok: return QMessageBox::Ok;
        case Dialogs::Cancel: return QMessageBox::Cancel;
        case Dialogs::Yes: return QMessageBox::Yes;
        case Dialogs::No: return QMessageBox::No;
    }
    return QMessageBox::NoButton;
}

}  // namespace

Dialogs& dialogs() {
    static QtDialogs real;
    return installed ? *installed : real;
}

void setDialogs(Dialogs* d) { installed = d; }

void QtDialogs::showMessage(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                    QMessageBox::Ok, parent);
    box.exec();
}

Dialogs::Button QtDialogs::ask(const QString& caption, const QString& text, Icon icon, int buttons,
                               Button defaultButton, QWidget* parent) {
    QMessageBox box(toQt(icon), caption, text, QMessageBox::NoButton, parent);
    for (Button b : {Yes, No, Ok, Cancel})
        if (buttons & b) box.addButton(toQt(b));
    box.setDefaultButton(toQt(defaultButton));
    const int pressed = box.exec();
    for (Button b : {Yes, No, Ok, Cancel})
        if (pressed == toQt(b)) return b;
    return defaultButton;
}

QString QtDialogs::openFileName(const QString& caption, const QString& filter, QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString QtDialogs::saveFileName(const QString& caption, const QString& filter, QWidget* parent) {
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

}  // namespace platform
