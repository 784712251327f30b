#pragma once

#include <QDialog>

class DM;
class QLineEdit;
class QTableWidget;
namespace db {
class Query;
}

/// Start-up choice of the championship. Each championship is listed once per
/// event, newest event first, so the one racing now is on top and Enter takes
/// it. Confirming leaves `DM::qryCampeonato` on the chosen row; the window
/// refuses to close without a choice, and "Cancelar" only marks it cancelled
/// (start-up ends the program).
class TfrmBuscaCampeonato : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBuscaCampeonato(DM* dm, QWidget* parent = nullptr);

    bool hasSelection() const { return m_selected; }
    bool cancelled() const { return m_cancelled; }

public slots:
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void openList();
    void fillGrid();
    void confirm();
    void cancel();
    void refuseToClose();

    DM* m_dm;
    db::Query* m_list;
    QLineEdit* m_search = nullptr;
    QTableWidget* m_grid = nullptr;
    QString m_listedSearch;  // the search text the list was last opened with
    bool m_selected = false;
    bool m_cancelled = false;
};
