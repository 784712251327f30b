#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

/// The centre of the main window: the lane A and lane B columns of the race
/// pair with the measure captions between them, and the station indicators.
///
/// The widgets are public and named like their objects, as in a form made
/// with a designer: the main window's rules address them directly and tests
/// find them by object name.
class RacePanel : public QWidget {
    Q_OBJECT
public:
    explicit RacePanel(QWidget* parent = nullptr);

    // Measure captions, in the middle column.
    QLabel* lblReacao;
    QLabel* lbl60;
    QLabel* lbl50m;
    QLabel* lbl100m;
    QLabel* lblVel;
    QLabel* lblPista;
    QLabel* lblFinal;

    // Lane values: lane A on the left, lane B on the right.
    QLabel* lblRA;
    QLabel* lblRB;
    QLabel* lblPA;
    QLabel* lblPB;
    QLabel* lbl50A;
    QLabel* lbl50B;
    QLabel* lbl100A;
    QLabel* lbl100B;
    QLabel* lblVA;
    QLabel* lblVB;
    QLabel* lblPistaA;
    QLabel* lblPistaB;
    QLabel* lblFA;
    QLabel* lblFB;

    // Centre pictures: two lanes, or the single lane of a prosolo championship.
    QLabel* imgDuasPistas;
    QLabel* imgProsolo;
    QLabel* lblParcAD;
    QLineEdit* edtPenalAProsolo;

    // Jeep championships.
    QLabel* lblVersaoJeep;
    QPushButton* btnTrocaPista;

    // Bonus, penalty and lane sums: kept in a panel that is never shown.
    QWidget* pnlSomas;
    QLineEdit* edtBonusA;
    QLineEdit* edtPenalA;
    QLineEdit* edtBonusB;
    QLineEdit* edtPenalB;
    QLabel* lblSomaA;
    QLabel* lblSomaB;

    // Station indicators.
    QLabel* imgCatAleOn;
    QLabel* imgCatAleOff;
    QLabel* lblRede;
    QLabel* lblEquip;
    QComboBox* SerialCombo;

private:
    QWidget* buildLanes();
    QWidget* buildCentre();
    QWidget* buildSums();
    QWidget* buildStationBar();
};
