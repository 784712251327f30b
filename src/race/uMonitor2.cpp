#include "uMonitor2.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

int index(Lane lane) { return lane == Lane::A ? 0 : 1; }

QLabel* label(const QString& name, const QString& text, QWidget* parent, Qt::Alignment align) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setAlignment(align);
    return l;
}

}  // namespace

TfrmMonitor2::TfrmMonitor2(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmMonitor2"));
    setWindowTitle(QStringLiteral("Resultados"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAutoFillBackground(true);
    setBlackBackground();
    setStyleSheet(QStringLiteral("QLabel { color: white; }"
                                 "#lblTempoA, #lblTempoB { color: #ffd200; font-family: 'DSEG7 Classic'; }"
                                 "#lblvelA, #lblvelB { color: #40e0ff; font-family: 'DSEG7 Classic'; }"
                                 "#shpBarra { background: #ffd200; }"));
    auto* layout = new QVBoxLayout(this);
    auto* lanes = new QHBoxLayout;
    lanes->addWidget(buildLane(Lane::A), 1);
    lanes->addWidget(buildLane(Lane::B), 1);
    layout->addLayout(lanes, 1);
    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("shpBarra"));
    bar->setFixedHeight(12);
    layout->addWidget(bar);
    resize(1024, 576);
    scaleFonts();
}

QWidget* TfrmMonitor2::buildLane(Lane lane) {
    const QString x = laneLetter(lane);
    const int i = index(lane);
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    m_lblPista[i] = label(QStringLiteral("imgPista") + x, lane == Lane::A ? QStringLiteral("ESQUERDA") : QStringLiteral("DIREITA"),
                          box, Qt::AlignCenter);
    m_lblTempo[i] = label(QStringLiteral("lblTempo") + x, QStringLiteral("10.000"), box, Qt::AlignRight | Qt::AlignVCenter);
    m_lblVel[i] = label(QStringLiteral("lblvel") + x, QStringLiteral("000"), box, Qt::AlignRight | Qt::AlignVCenter);
    m_lblKmh[i] = label(QStringLiteral("lblKmh") + x, QStringLiteral("Km/h"), box, Qt::AlignLeft | Qt::AlignBottom);
    grid->addWidget(m_lblPista[i], 0, 0, 1, 2);
    grid->addWidget(m_lblTempo[i], 1, 0, 1, 2);
    grid->addWidget(m_lblVel[i], 2, 0);
    grid->addWidget(m_lblKmh[i], 2, 1);
    grid->setRowStretch(1, 3);
    grid->setRowStretch(2, 2);
    return box;
}

void TfrmMonitor2::scaleFonts() {
    // Digits take most of the height, whatever the screen the monitor is on.
    const int h = std::max(200, height());
    const int w = std::max(300, width());
    const int timeSize = std::min(h / 5, w / 14);
    for (int i = 0; i < 2; ++i) {
        QFont f = m_lblTempo[i]->font();
        f.setPixelSize(timeSize);
        m_lblTempo[i]->setFont(f);
        f.setPixelSize(timeSize * 2 / 3);
        m_lblVel[i]->setFont(f);
        QFont small = m_lblKmh[i]->font();
        small.setPixelSize(std::max(14, timeSize / 4));
        m_lblKmh[i]->setFont(small);
        m_lblPista[i]->setFont(small);
    }
}

void TfrmMonitor2::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    scaleFonts();
}

void TfrmMonitor2::closeEvent(QCloseEvent* e) {
    emit closed();
    QWidget::closeEvent(e);
}

void TfrmMonitor2::setLaneTime(Lane lane, const QString& text) { m_lblTempo[index(lane)]->setText(text); }
void TfrmMonitor2::setLaneSpeed(Lane lane, const QString& text) { m_lblVel[index(lane)]->setText(text); }
QString TfrmMonitor2::laneTime(Lane lane) const { return m_lblTempo[index(lane)]->text(); }
QString TfrmMonitor2::laneSpeed(Lane lane) const { return m_lblVel[index(lane)]->text(); }

void TfrmMonitor2::setBlackBackground() {
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
}

ResultsMonitorWindows::~ResultsMonitorWindows() {
    for (const QPointer<TfrmMonitor2>& w : m_windows) delete w.data();
}

TfrmMonitor2* ResultsMonitorWindows::open(int opMonitor) {
    if (opMonitor != 2) return nullptr;
    auto* window = new TfrmMonitor2;
    connect(window, &TfrmMonitor2::closed, this, [this] { m_flag = QStringLiteral("n"); });
    m_windows.append(window);
    m_newest = window;
    m_flag = QStringLiteral("s");
    window->show();
    return window;
}

void ResultsMonitorWindows::setLaneTime(Lane lane, const QString& text) {
    if (isOpen()) m_newest->setLaneTime(lane, text);
}

void ResultsMonitorWindows::setLaneSpeed(Lane lane, const QString& text) {
    if (isOpen()) m_newest->setLaneSpeed(lane, text);
}

void ResultsMonitorWindows::setBlackBackground() {
    if (isOpen()) m_newest->setBlackBackground();
}
