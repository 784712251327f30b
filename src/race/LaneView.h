#pragma once

#include "race/RacePair.h"

#include <QFrame>
#include <QPointer>

class ClickableLabel;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableView;
class QToolButton;

/// The card of one lane above the times: the lane's colour band with its side
/// and position, the pilot, the category with its knockout round and race,
/// the plate entry with the heat, the vehicle, the status, the dial and best
/// times, the intermediate speeds and the track sensors. Lane B is the
/// mirror of lane A, so both read from the outside in towards the tree.
///
/// The lane's run history and entry list (`history`) are made here but laid
/// out by the desk beside the times, where there is room for a grid; the
/// history button folds them away.
class LaneView : public QFrame {
    Q_OBJECT
public:
    explicit LaneView(Lane lane, QWidget* parent = nullptr);
    ~LaneView() override;

    Lane lane() const { return m_lane; }

    ClickableLabel* picture;  // Image3 (lane A) / Image1 (lane B)
    QLabel* pilot;            // lblPilotoA
    QLineEdit* plate;         // edtPlacaA
    QCheckBox* walkOver;      // ckWOA

    // Lane loading.
    QToolButton* categoryButton;  // btnCategA, the category search (F2 / F3)
    QComboBox* categoryBox;       // DBLBoxCatA, the championship's categories by SIGLA
    QLabel* category;             // lblCategA
    QComboBox* roundBox;          // cbRoundA, knockout categories only
    QLabel* raceNumber;           // lblRaceNumA
    QComboBox* heatBox;           // cbBateriaA
    QLabel* vehicle;              // lblVeiculoA
    QLabel* dial;                 // lblDialA
    QLabel* hint;                 // lblAvisoA
    QToolButton* vehicleButton;   // btnCadVeiculoA, vehicle registration
    QToolButton* historyButton;   // btnHistoricoA, shows or folds the grids

    QTabWidget* history;          // tabHistoricoA
    QTableView* runsGrid;         // dbgResultPilotoA
    QTableView* entriesGrid;      // dbgPilotosCategA

private:
    QWidget* buildBand();
    QWidget* buildCategoryRow();
    QWidget* buildEntryRow();
    QWidget* buildVehicleRow();
    QWidget* buildFigures();
    QWidget* buildSensors();
    void buildHistory();
    QString name(const char* stem) const;

    Lane m_lane;
    QPointer<QTabWidget> m_history;  // owned here until the desk lays it out
};
