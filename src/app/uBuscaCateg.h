#pragma once

#include <QDialog>

class DM;
class QLineEdit;
class QTableWidget;
namespace db {
class Query;
}

/// Picks one category of the current championship by its sigla. The result
/// is the category's CODIGO, 0 when nothing was chosen; callers that need
/// more of the chosen row read it here after the window has closed.
class TfrmBuscaCateg : public QDialog {
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
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void openList();
    void fillGrid();
    void confirm();
    void choose(int code, const QString& category, double minimumTime);

    DM* m_dm;
    db::Query* m_list;
    QLineEdit* m_search = nullptr;
    QTableWidget* m_grid = nullptr;
    QString m_listedSearch;  // the search text the list was last opened with
    int m_chosenCode = 0;
    QString m_chosenCategory;
    double m_chosenMinimumTime = 0.0;
};
