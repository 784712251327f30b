#include "ReportPreview.h"

#include "ReportOutput.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace platform::report {

namespace {

// The page lies on a grey desk with a margin round it and a shadow below
// and to the right, so its edges show even where the report is blank.
constexpr int deskMargin = 12;
constexpr int shadowOffset = 4;
const QColor deskColor(0xd4, 0xd4, 0xd4);
const QColor shadowColor(0x90, 0x90, 0x90);
const QColor borderColor(0xa0, 0xa0, 0xa0);

constexpr double mmPerInch = 25.4;

QPushButton* toolButton(QWidget* parent, const char* name, const QString& caption,
                        QStyle::StandardPixmap icon, const QString& tip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    if (icon != QStyle::SP_CustomBase)
        b->setIcon(parent->style()->standardIcon(icon));
    b->setToolTip(tip);
    // Enter must not print or close the report by surprise.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

}  // namespace

ReportPreview::ReportPreview(LaidOutDocument doc, QWidget* parent)
    : QDialog(parent), m_doc(std::move(doc)) {
    setObjectName(QStringLiteral("frmPreview"));
    setWindowTitle(m_doc.title);
    setModal(true);

    m_first = toolButton(this, "btnPrimeira", QString(), QStyle::SP_MediaSkipBackward,
                         QStringLiteral("Primeira página"));
    m_previous = toolButton(this, "btnAnterior", QString(), QStyle::SP_MediaSeekBackward,
                            QStringLiteral("Página anterior"));
    m_next = toolButton(this, "btnProxima", QString(), QStyle::SP_MediaSeekForward,
                        QStringLiteral("Próxima página"));
    m_last = toolButton(this, "btnUltima", QString(), QStyle::SP_MediaSkipForward,
                        QStringLiteral("Última página"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("lblPagina"));
    m_pageLabel->setAlignment(Qt::AlignCenter);

    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("cbZoom"));
    // Zero stands for "as wide as the window".
    const QList<QPair<QString, double>> zooms = {
        {QStringLiteral("50%"), 0.5},  {QStringLiteral("75%"), 0.75},
        {QStringLiteral("100%"), 1.0}, {QStringLiteral("150%"), 1.5},
        {QStringLiteral("200%"), 2.0}, {QStringLiteral("Largura"), 0.0}};
    for (const auto& [caption, factor] : zooms) m_zoom->addItem(caption, factor);
    m_zoom->setCurrentIndex(2);

    QPushButton* print = toolButton(this, "btnImprimir", QStringLiteral("Imprimir"),
                                    QStyle::SP_CustomBase, QStringLiteral("Imprimir"));
    QPushButton* save = toolButton(this, "btnSalvarPdf", QStringLiteral("Salvar PDF"),
                                   QStyle::SP_DialogSaveButton, QStringLiteral("Salvar PDF"));
    QPushButton* close = toolButton(this, "btnFechar", QStringLiteral("Fechar"),
                                    QStyle::SP_DialogCloseButton, QStringLiteral("Fechar"));

    m_canvas = new QLabel;
    m_canvas->setObjectName(QStringLiteral("lblImagemPagina"));
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("scrPagina"));
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setWidget(m_canvas);
    m_scroll->viewport()->setAutoFillBackground(true);
    QPalette desk = m_scroll->viewport()->palette();
    desk.setColor(m_scroll->viewport()->backgroundRole(), deskColor);
    m_scroll->viewport()->setPalette(desk);
    m_scroll->installEventFilter(this);

    auto* tools = new QHBoxLayout;
    tools->addWidget(m_first);
    tools->addWidget(m_previous);
    tools->addWidget(m_pageLabel);
    tools->addWidget(m_next);
    tools->addWidget(m_last);
    tools->addSpacing(12);
    tools->addWidget(m_zoom);
    tools->addStretch();
    tools->addWidget(print);
    tools->addWidget(save);
    tools->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QPushButton::clicked, this, [this] { goToPage(0); });
    connect(m_previous, &QPushButton::clicked, this, [this] { goToPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { goToPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { goToPage(int(m_doc.pages.size()) - 1); });
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { renderCurrentPage(); });
    connect(print, &QPushButton::clicked, this, [this] { printDocument(); });
    connect(save, &QPushButton::clicked, this, [this] { saveDocument(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    const QList<QPair<QKeySequence, std::function<void()>>> keys = {
        {QKeySequence(Qt::Key_PageDown), [this] { goToPage(m_page + 1); }},
        {QKeySequence(Qt::Key_PageUp), [this] { goToPage(m_page - 1); }},
        {QKeySequence(Qt::Key_Home), [this] { goToPage(0); }},
        {QKeySequence(Qt::Key_End), [this] { goToPage(int(m_doc.pages.size()) - 1); }}};
    for (const auto& [key, action] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, action);

    QSize size(900, 760);
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size() * 0.9);
    resize(size);
    goToPage(0);
    m_scroll->setFocus();
}

/// Resizing the window re-renders a page zoomed to the window's width.
bool ReportPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_scroll && event->type() == QEvent::Resize &&
        m_zoom->currentData().toDouble() <= 0)
        renderCurrentPage();
    return QDialog::eventFilter(watched, event);
}

void ReportPreview::goToPage(int index) {
    const int count = int(m_doc.pages.size());
    m_page = std::clamp(index, 0, std::max(0, count - 1));
    m_pageLabel->setText(QStringLiteral("Página %1 de %2").arg(count ? m_page + 1 : 0).arg(count));
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page < count - 1);
    m_last->setEnabled(m_page < count - 1);
    renderCurrentPage();
    m_scroll->verticalScrollBar()->setValue(0);
}

/// Screen dots per millimetre at the chosen zoom. 100 % is the page's true
/// size on this screen; "Largura" fits the page into the visible width,
/// leaving room for a vertical scroll bar so the fit does not flip when one
/// appears.
double ReportPreview::dotsPerMm() const {
    const double factor = m_zoom->currentData().toDouble();
    if (factor > 0)
        return factor * logicalDpiX() / mmPerInch;
    const double widthMm = m_doc.pages.isEmpty() ? 0 : m_doc.pages.at(m_page).sizeMm.width();
    const int room = m_scroll->width() - 2 * m_scroll->frameWidth() -
                     style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 2 * deskMargin -
                     shadowOffset;
    if (widthMm <= 0 || room <= 0)
        return logicalDpiX() / mmPerInch;
    return room / widthMm;
}

void ReportPreview::renderCurrentPage() {
    if (m_doc.pages.isEmpty()) {
        m_canvas->clear();
        m_canvas->adjustSize();
        return;
    }
    const LaidOutPage& page = m_doc.pages.at(m_page);
    const double ratio = devicePixelRatioF();
    const double dots = dotsPerMm() * ratio;
    const QSize paper(std::max(1, qRound(page.sizeMm.width() * dots)),
                      std::max(1, qRound(page.sizeMm.height() * dots)));
    const int margin = qRound(deskMargin * ratio);
    const int shadow = qRound(shadowOffset * ratio);

    QImage image(paper + QSize(2 * margin + shadow, 2 * margin + shadow), QImage::Format_RGB32);
    image.fill(deskColor);
    QPainter painter(&image);
    const QRect sheet(QPoint(margin, margin), paper);
    painter.fillRect(sheet.translated(shadow, shadow), shadowColor);
    painter.setPen(borderColor);
    painter.drawRect(sheet.adjusted(-1, -1, 0, 0));
    painter.fillRect(sheet, Qt::white);
    painter.translate(sheet.topLeft());
    painter.setClipRect(QRect(QPoint(), paper));
    renderPage(painter, page, dots);
    painter.end();

    image.setDevicePixelRatio(ratio);
    m_canvas->setPixmap(QPixmap::fromImage(image));
    m_canvas->adjustSize();
}

void ReportPreview::printDocument() {
    try {
        output().print(m_doc, 1);
    } catch (const ReportError& e) {
        dialogs().showMessage(QString::fromUtf8(e.what()), this);
    }
}

/// Asks where to save; a name typed without an extension gets ".pdf", since
/// the file chooser does not add it and the file would not open as a PDF.
void ReportPreview::saveDocument() {
    QString path =
        dialogs().saveFileName(QStringLiteral("Salvar PDF"), QStringLiteral("PDF (*.pdf)"), this);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    try {
        output().savePdf(m_doc, path);
    } catch (const ReportError& e) {
        dialogs().showMessage(QString::fromUtf8(e.what()), this);
    }
}

}  // namespace platform::report
