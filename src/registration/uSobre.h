#pragma once

#include <QDialog>

/// "Sobre": the station's picture and its version, on white.
class TfrmSobre : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSobre(QWidget* parent = nullptr);

    /// The version line as the about window writes it.
    static QString versionLine();
    /// The fixed picture: a start-light tree at the green.
    static QPixmap picture();
};
