#pragma once

#include <QFrame>

class ClickableLabel;
class PortComboBox;
class QCheckBox;
class QLabel;
class QToolButton;
class RaceButton;

/// The race toolbar across the top of the main window: the race actions in
/// the order a pair goes through them, then the controller link (port list,
/// connect button) and the station's network role and equipment.
class RaceToolBar : public QFrame {
    Q_OBJECT
public:
    explicit RaceToolBar(QWidget* parent = nullptr);

    RaceButton* btnNova;
    RaceButton* btnAlinhar;
    RaceButton* btnLargada;
    RaceButton* btnSalvar;
    RaceButton* btnCancelar;
    RaceButton* btnLerDados;
    RaceButton* ToolButton3;  // "Check"
    RaceButton* btnFecharPista;
    RaceButton* btnTrocaPista;
    RaceButton* btnTicket;      // "Ticket (F5)"
    RaceButton* btnMiniPlacar;  // opens the results monitor
    QCheckBox* ckTicketAuto;    // print the ticket at every save

    ClickableLabel* Image5;  // the controller; a double click disconnects it
    PortComboBox* SerialCombo;
    QToolButton* btnConetaCom;
    QLabel* lblRede;
    QLabel* lblEquip;

private:
    QWidget* buildLink();
};
