#pragma once

#include "app/SelectionWindow.h"

/// Picks one vehicle (with its pilot) of the current championship by its
/// number or its pilot's name. The result is the vehicle's CODIGO, 0 when
/// nothing was chosen.
class TfrmBuscaPiloto : public TSelectionWindow {
    Q_OBJECT
public:
    explicit TfrmBuscaPiloto(DM* dm, QWidget* parent = nullptr);

    int chosenCode() const { return m_chosenCode; }

public slots:
    void reject() override;

protected:
    void prepareList(const QString& search) override;
    void confirm() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int m_chosenCode = 0;
    /// The list stays empty until the operator types something.
    bool m_typed = false;
};
