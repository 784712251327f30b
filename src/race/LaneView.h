#pragma once

#include "race/RacePair.h"

#include <QFrame>

class ClickableLabel;
class QCheckBox;
class QLabel;
class QLineEdit;

/// The card of one lane above the times: the lane's colour band with its side
/// and position, the pilot, the plate entry, the status, the dial and best
/// times, the intermediate speeds and the track sensors. Lane B is the
/// mirror of lane A, so both read from the outside in towards the tree.
class LaneView : public QFrame {
    Q_OBJECT
public:
    explicit LaneView(Lane lane, QWidget* parent = nullptr);

    Lane lane() const { return m_lane; }

    ClickableLabel* picture;  // Image3 (lane A) / Image1 (lane B)
    QLabel* pilot;            // lblPilotoA
    QLineEdit* plate;         // edtPlacaA
    QCheckBox* walkOver;      // ckWOA

private:
    QWidget* buildBand();
    QWidget* buildEntryRow();
    QWidget* buildFigures();
    QWidget* buildSensors();
    QString name(const char* stem) const;

    Lane m_lane;
};
