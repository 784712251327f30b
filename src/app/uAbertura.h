#pragma once

#include "platform/StationEnvironment.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QProgressBar;

/// The splash window. Creating it chooses this PC's address, looks for a main
/// station and rewrites "bd.ini" with the outcome, as the sibling programs
/// read it; a "bd.ini" that cannot be read or written throws.
class TfrmAbertura : public QWidget {
    Q_OBJECT
public:
    explicit TfrmAbertura(const platform::StationEnvironment& env, QWidget* parent = nullptr);

    /// "S" when a main station answered.
    QString found() const { return m_found ? QStringLiteral("S") : QStringLiteral("N"); }
    /// The answering station's address, else this PC's chosen address.
    QString serverAddress() const { return m_address; }

    void setStatus(const QString& text);
    /// Moves the gauge one stage on, one unit at a time so it is seen moving.
    void advanceGauge();
    int gaugeValue() const;
    QStringList diagnostics() const;

private:
    void buildLayout();
    void findMainStation(const platform::StationEnvironment& env);

    QLabel* m_lblIPServer;
    QLabel* m_lblStatus;
    QProgressBar* m_gauge;
    QListWidget* m_lstDiag;
    bool m_found = false;
    QString m_address;
};
