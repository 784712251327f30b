#pragma once

#include <QDialog>

class DM;
class QLineEdit;
class QTableWidget;
namespace db {
class Query;
}

/// Start-up choice of the event of the current championship, newest first.
/// Confirming leaves `DM::qryEvento` on the chosen event and remembers it in
/// `organizador.COD_EVENTO_ABERTO`; the window refuses to close without a
/// choice, and "Cancelar" only marks it cancelled (start-up ends the program).
class TfrmBuscaEvento : public QDialog {
    Q_OBJECT
public:
    explicit TfrmBuscaEvento(DM* dm, QWidget* parent = nullptr);

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
    void openEvent(int code);
    void rememberOpenEvent();
    void refuseToClose();
    void cancel();

    DM* m_dm;
    db::Query* m_list;
    QLineEdit* m_search = nullptr;
    QTableWidget* m_grid = nullptr;
    bool m_selected = false;
    bool m_cancelled = false;
};
