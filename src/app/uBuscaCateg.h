#pragma once

#include "SelectionWindow.h"

/// Picks one category of the current championship by its sigla. The result
/// is the category's CODIGO, 0 when nothing was chosen; callers that need
/// more of the chosen row read it here after the window has closed.
class TfrmBuscaCateg : public TSelectionWindow {
    Q_OBJECT
public:
    explicit TfrmBuscaCateg(DM* dm, QWidget* parent = nullptr);

    int chosenCode() const { return m_chosenCode; }
    QString chosenCategory() const { return m_chosenCategory; }
    /// TEMPO_MINIMO of the chosen category, seconds.
    double chosenMinimumTime() const { return m_chosenMinimumTime; }

public slots:
    void reject() override;

protected:
    void prepareList(const QString& search) override;
    void confirm() override;

private:
    void choose(int code, const QString& category, double minimumTime);

    int m_chosenCode = 0;
    QString m_chosenCategory;
    double m_chosenMinimumTime = 0.0;
};
