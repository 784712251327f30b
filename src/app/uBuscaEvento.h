#pragma once

#include "SelectionWindow.h"

/// Start-up choice of the event of the current championship, newest first.
/// Confirming leaves `DM::qryEvento` on the chosen event and remembers it in
/// `organizador.COD_EVENTO_ABERTO`; the window refuses to close without a
/// choice, and "Cancelar" only marks it cancelled (start-up ends the program).
class TfrmBuscaEvento : public TStartUpSelectionWindow {
    Q_OBJECT
public:
    explicit TfrmBuscaEvento(DM* dm, QWidget* parent = nullptr);

protected:
    void prepareList(const QString& search) override;
    QString cellText(int row, int column) const override;
    void takeCurrentRow() override;

private:
    void openEvent(int code);
    void rememberOpenEvent();
};
