#include "uAbertura.h"

#include "app/Discovery.h"
#include "core/AddressChoice.h"
#include "core/BdIni.h"
#include "core/StationInfo.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// 100 divided by the six stages of start-up.
constexpr int kGaugeStep = 100 / 6;
}

TfrmAbertura::TfrmAbertura(const platform::StationEnvironment& env, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("frmAbertura"));
    buildLayout();
    findMainStation(env);
    bdini::rewrite(env.home + QStringLiteral("bd.ini"), m_found, m_address);
}

void TfrmAbertura::buildLayout() {
    setFixedSize(520, 300);
    setStyleSheet(QStringLiteral("#frmAbertura { background: #101820; } QLabel { color: white; }"));
    auto* title = new QLabel(QStringLiteral("VELTRANOX & VUD"), this);
    title->setObjectName(QStringLiteral("lblTitulo"));
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(QStringLiteral("font-size: 30px; font-weight: bold;"));
    auto* subtitle = new QLabel(QStringLiteral("Cronometragem"), this);
    subtitle->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(station::versionText(), this);
    version->setObjectName(QStringLiteral("lblVersao"));
    version->setAlignment(Qt::AlignCenter);
    m_lblIPServer = new QLabel(this);
    m_lblIPServer->setObjectName(QStringLiteral("lblIPServer"));
    m_lblIPServer->setAlignment(Qt::AlignCenter);
    m_gauge = new QProgressBar(this);
    m_gauge->setObjectName(QStringLiteral("Gauge"));
    m_gauge->setRange(0, 100);
    m_gauge->setValue(0);
    m_lblStatus = new QLabel(this);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_lstDiag = new QListWidget(this);
    m_lstDiag->setObjectName(QStringLiteral("lstDiag"));
    m_lstDiag->hide();  // diagnostics for support, not for the operator

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addWidget(version);
    layout->addStretch();
    layout->addWidget(m_lblIPServer);
    layout->addWidget(m_gauge);
    layout->addWidget(m_lblStatus);
    layout->addWidget(m_lstDiag);

    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TfrmAbertura::findMainStation(const platform::StationEnvironment& env) {
    const QStringList addresses =
        env.localAddresses.isEmpty() ? discovery::localIpv4Addresses() : env.localAddresses;
    m_lstDiag->addItems(addresses);
    m_address = chooseLocalAddress(addresses);
    m_lblIPServer->setText(QStringLiteral("IP Desse Servidor: ") + m_address);

    const discovery::Result r = discovery::findMainStation(env.discoveryTargets, env.discoveryPort,
                                                           env.discoveryTimeoutMs, m_address);
    m_lstDiag->addItems(r.log);
    m_found = r.found;
    m_address = r.address;
    if (m_found) m_lblIPServer->setText(QStringLiteral("Conectado no: ") + m_address);
}

void TfrmAbertura::setStatus(const QString& text) {
    m_lblStatus->setText(text);
    m_lblStatus->repaint();
}

void TfrmAbertura::advanceGauge() {
    const int target = std::min(100, m_gauge->value() + kGaugeStep);
    while (m_gauge->value() < target) {
        m_gauge->setValue(m_gauge->value() + 1);
        m_gauge->repaint();
    }
}

int TfrmAbertura::gaugeValue() const { return m_gauge->value(); }

QStringList TfrmAbertura::diagnostics() const {
    QStringList lines;
    for (int i = 0; i < m_lstDiag->count(); ++i) lines << m_lstDiag->item(i)->text();
    return lines;
}
