#pragma once

#include "ReportLayout.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace platform::report {

/// The modal preview of a finished report: zoom, page through, print to the
/// default printer, save as PDF.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(LaidOutDocument doc, QWidget* parent = nullptr);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void goToPage(int index);
    void renderCurrentPage();
    double dotsPerMm() const;
    void printDocument();
    void saveDocument();

    LaidOutDocument m_doc;
    int m_page = 0;
    QPushButton* m_first = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;
    QLabel* m_pageLabel = nullptr;
    QComboBox* m_zoom = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_canvas = nullptr;
};

}  // namespace platform::report
