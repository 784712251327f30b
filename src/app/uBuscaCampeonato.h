#pragma once

#include "SelectionWindow.h"

/// Start-up choice of the championship. Each championship is listed once per
/// event, newest event first, so the one racing now is on top and Enter takes
/// it. Confirming leaves `DM::qryCampeonato` on the chosen row; the window
/// refuses to close without a choice, and "Cancelar" only marks it cancelled
/// (start-up ends the program).
class TfrmBuscaCampeonato : public TStartUpSelectionWindow {
    Q_OBJECT
public:
    explicit TfrmBuscaCampeonato(DM* dm, QWidget* parent = nullptr);

protected:
    void prepareList(const QString& search) override;
    void takeCurrentRow() override;
};
