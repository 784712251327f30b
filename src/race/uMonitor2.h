#pragma once

#include "race/RaceOutputs.h"

#include <QPointer>
#include <QWidget>

class QLabel;

/// The results monitor for a second screen: both lanes' time and speed in
/// digits big enough to read from the stands; they grow with the window.
class TfrmMonitor2 : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMonitor2(QWidget* parent = nullptr);

    void setLaneTime(Lane lane, const QString& text);
    void setLaneSpeed(Lane lane, const QString& text);
    QString laneTime(Lane lane) const;
    QString laneSpeed(Lane lane) const;
    void setBlackBackground();

signals:
    void closed();

protected:
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    QWidget* buildLane(Lane lane);
    void scaleFonts();

    QLabel* m_lblTempo[2];
    QLabel* m_lblVel[2];
    QLabel* m_lblKmh[2];
    QLabel* m_lblPista[2];
};

/// The monitor as the race rules see it: open while the operator keeps a
/// window of it; only the newest window follows the race.
class ResultsMonitorWindows : public QObject, public ResultsMonitor {
    Q_OBJECT
public:
    explicit ResultsMonitorWindows(QObject* parent = nullptr) : QObject(parent) {}
    ~ResultsMonitorWindows() override;

    /// " Mini-Placar": opens a new window when the organizer chose the
    /// monitor layout 2; with any other layout nothing happens.
    TfrmMonitor2* open(int opMonitor);
    /// "s" while a window is open, "n" otherwise.
    QString flag() const { return m_flag; }
    TfrmMonitor2* newest() const { return m_newest; }

    bool isOpen() const override { return m_flag == QStringLiteral("s") && m_newest; }
    void setLaneTime(Lane lane, const QString& text) override;
    void setLaneSpeed(Lane lane, const QString& text) override;
    void setBlackBackground() override;

private:
    QPointer<TfrmMonitor2> m_newest;
    QList<QPointer<TfrmMonitor2>> m_windows;
    QString m_flag = QStringLiteral("n");
};
