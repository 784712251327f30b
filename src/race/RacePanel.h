#pragma once

#include <QWidget>

class ClickableLabel;
class DigitDisplay;
class LaneView;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class RaceToolBar;
class StartTree;

/// The race desk that fills the main window: the toolbar on top, the lane
/// cards left and right of the drawn tree, the lane times below them with
/// the measure captions in between, and the run log on the right when the
/// operator asks for it. Lane A is on the left, lane B on the right, as the
/// operator sees the track from the start line.
///
/// Every race item is a widget named like its screen-model item, so the
/// binder finds it by name; the window holds on to the few it wires itself.
class RacePanel : public QWidget {
    Q_OBJECT
public:
    explicit RacePanel(QWidget* parent = nullptr);

    RaceToolBar* toolBar;
    LaneView* laneA;
    LaneView* laneB;
    StartTree* tree;

    // Centre pictures the operator clicks.
    ClickableLabel* imgAutoStartOn;
    ClickableLabel* imgAutoStartOff;
    ClickableLabel* imgPlacarOn;
    ClickableLabel* imgPlacarOff;
    ClickableLabel* imgCatAleOn;
    ClickableLabel* imgCatAleOff;
    ClickableLabel* Image6;  // tree demonstration
    QLineEdit* edtContagem;
    QPushButton* btnContagem;

    // Kept out of sight; the rules still switch them.
    QWidget* pnlSomas;

    // The run log and the hub messages, shown on demand.
    QWidget* pnlLog;
    QListWidget* lstLog;
    QListWidget* lstDiagnostico;

private:
    QWidget* buildCentre();
    QWidget* buildToggles();
    QWidget* buildCountdown();
    QWidget* buildTrack();
    QWidget* buildTimes();
    QWidget* buildSums();
    QWidget* buildLog();
};
