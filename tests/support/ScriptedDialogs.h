#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QStringList>

/// Dialogs for tests: records every box asked for and answers from a queue.
/// With the queue empty a question gets its default button.
class ScriptedDialogs : public platform::Dialogs {
public:
    struct Asked {
        QString caption;
        QString text;
        Icon icon = Icon::None;
        int buttons = 0;
        Button defaultButton = Ok;
    };

    ScriptedDialogs() { platform::setDialogs(this); }
    ~ScriptedDialogs() override { platform::setDialogs(nullptr); }

    void answer(Button b) { m_answers << b; }
    void answerFile(const QString& path) { m_files << path; }

    QList<Asked> asked;
    QStringList messages;  // texts of plain messages and of questions, in order

    void showMessage(const QString& text, QWidget*) override {
        messages << text;
        asked << Asked{QString(), text, Icon::None, Ok, Ok};
    }
    Button ask(const QString& caption, const QString& text, Icon icon, int buttons,
               Button defaultButton, QWidget*) override {
        messages << text;
        asked << Asked{caption, text, icon, buttons, defaultButton};
        return m_answers.isEmpty() ? defaultButton : m_answers.takeFirst();
    }
    QString openFileName(const QString&, const QString&, QWidget*) override {
        return m_files.isEmpty() ? QString() : m_files.takeFirst();
    }
    QString saveFileName(const QString&, const QString&, QWidget*) override {
        return m_files.isEmpty() ? QString() : m_files.takeFirst();
    }

private:
    QList<Button> m_answers;
    QStringList m_files;
};
