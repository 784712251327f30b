#pragma once

#include <QToolButton>

/// A button of the race toolbar: a large picture over its caption, with the
/// function key that does the same printed in a corner.
class RaceButton : public QToolButton {
    Q_OBJECT
public:
    RaceButton(const QString& name, const QString& caption, const QString& picture,
               const QString& keyHint = QString(), QWidget* parent = nullptr);

    QString keyHint() const { return m_keyHint; }
    /// The icon of a picture name of the screen model ("align", "check", "abort").
    static QIcon pictureIcon(const QString& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_keyHint;
};
