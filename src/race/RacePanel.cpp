#include "RacePanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

template <typename W>
W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* label(const QString& name, const QString& text) {
    return named(new QLabel(text), name);
}

/// A lane value: large, centred, so it reads from a step back.
QLabel* value(const QString& name, const QString& text) {
    QLabel* l = label(name, text);
    QFont f = l->font();
    f.setPointSize(22);
    f.setBold(true);
    l->setFont(f);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(140);
    return l;
}

QLineEdit* entry(const QString& name) {
    QLineEdit* e = named(new QLineEdit(QStringLiteral("0")), name);
    e->setMaximumWidth(70);
    e->setAlignment(Qt::AlignRight);
    return e;
}

/// The drawn track seen from above, with one or two lanes.
QPixmap trackPicture(int lanes) {
    QPixmap pixmap(120, 60);
    pixmap.fill(QColor(60, 60, 60));
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::white, 3));
    p.drawLine(0, 2, 120, 2);
    p.drawLine(0, 57, 120, 57);
    if (lanes == 2) {
        p.setPen(QPen(Qt::white, 2, Qt::DashLine));
        p.drawLine(0, 30, 120, 30);
    }
    return pixmap;
}

QPixmap lampPicture(const QColor& colour) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(colour);
    p.setPen(Qt::black);
    p.drawEllipse(2, 2, 20, 20);
    return pixmap;
}

QLabel* picture(const QString& name, const QPixmap& pixmap) {
    QLabel* l = label(name, QString());
    l->setPixmap(pixmap);
    return l;
}

}  // namespace

RacePanel::RacePanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pnlCorrida"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildCentre());
    layout->addWidget(buildLanes(), 1);
    layout->addWidget(buildSums());
    layout->addWidget(buildStationBar());
}

QWidget* RacePanel::buildLanes() {
    lblReacao = label(QStringLiteral("lblReacao"), QStringLiteral("Reação"));
    lbl60 = label(QStringLiteral("lbl60"), QStringLiteral("60 Ft"));
    lbl50m = label(QStringLiteral("lbl50m"), QStringLiteral("50M"));
    lbl100m = label(QStringLiteral("lbl100m"), QStringLiteral("100M"));
    lblVel = label(QStringLiteral("lblVel"), QStringLiteral("Velocidade"));
    lblPista = label(QStringLiteral("lblPista"), QStringLiteral("Pista"));
    lblFinal = label(QStringLiteral("lblFinal"), QStringLiteral("Final"));

    const QString time = QStringLiteral("0.000");
    lblRA = value(QStringLiteral("lblRA"), time);
    lblRB = value(QStringLiteral("lblRB"), time);
    lblPA = value(QStringLiteral("lblPA"), time);
    lblPB = value(QStringLiteral("lblPB"), time);
    lbl50A = value(QStringLiteral("lbl50A"), time);
    lbl50B = value(QStringLiteral("lbl50B"), time);
    lbl100A = value(QStringLiteral("lbl100A"), time);
    lbl100B = value(QStringLiteral("lbl100B"), time);
    lblVA = value(QStringLiteral("lblVA"), QStringLiteral("0,0"));
    lblVB = value(QStringLiteral("lblVB"), QStringLiteral("0,0"));
    lblPistaA = value(QStringLiteral("lblPistaA"), time);
    lblPistaB = value(QStringLiteral("lblPistaB"), time);
    lblFA = value(QStringLiteral("lblFA"), time);
    lblFB = value(QStringLiteral("lblFB"), time);

    // One row per measure, in the order the car reaches them.
    const struct {
        QLabel* laneA;
        QLabel* caption;
        QLabel* laneB;
    } rows[] = {
        {lblRA, lblReacao, lblRB},   {lblPA, lbl60, lblPB},  {lbl50A, lbl50m, lbl50B},
        {lbl100A, lbl100m, lbl100B}, {lblVA, lblVel, lblVB}, {lblPistaA, lblPista, lblPistaB},
        {lblFA, lblFinal, lblFB},
    };

    auto* lanes = named(new QWidget, QStringLiteral("pnlPistas"));
    auto* grid = new QGridLayout(lanes);
    grid->addWidget(label(QStringLiteral("lblLadoA"), QStringLiteral("Esquerda")), 0, 0,
                    Qt::AlignCenter);
    grid->addWidget(label(QStringLiteral("lblLadoB"), QStringLiteral("Direita")), 0, 2,
                    Qt::AlignCenter);
    int row = 1;
    for (const auto& r : rows) {
        grid->addWidget(r.laneA, row, 0);
        grid->addWidget(r.caption, row, 1, Qt::AlignCenter);
        grid->addWidget(r.laneB, row, 2);
        ++row;
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    return lanes;
}

QWidget* RacePanel::buildCentre() {
    imgDuasPistas = picture(QStringLiteral("imgDuasPistas"), trackPicture(2));
    imgProsolo = picture(QStringLiteral("imgProsolo"), trackPicture(1));
    imgProsolo->hide();
    lblParcAD = label(QStringLiteral("lblParcAD"), QStringLiteral("---"));
    edtPenalAProsolo = entry(QStringLiteral("edtPenalAProsolo"));
    edtPenalAProsolo->hide();
    lblVersaoJeep = label(QStringLiteral("lblVersaoJeep"), QStringLiteral("Versão JEEP"));
    lblVersaoJeep->hide();
    btnTrocaPista =
        named(new QPushButton(QStringLiteral("Troca Lado ")), QStringLiteral("btnTrocaPista"));
    btnTrocaPista->hide();

    auto* centre = named(new QWidget, QStringLiteral("pnlCentro"));
    auto* row = new QHBoxLayout(centre);
    row->addStretch();
    row->addWidget(imgDuasPistas);
    row->addWidget(imgProsolo);
    row->addWidget(lblParcAD);
    row->addWidget(edtPenalAProsolo);
    row->addWidget(lblVersaoJeep);
    row->addWidget(btnTrocaPista);
    row->addStretch();
    return centre;
}

QWidget* RacePanel::buildSums() {
    edtBonusA = entry(QStringLiteral("edtBonusA"));
    edtPenalA = entry(QStringLiteral("edtPenalA"));
    edtBonusB = entry(QStringLiteral("edtBonusB"));
    edtPenalB = entry(QStringLiteral("edtPenalB"));
    lblSomaA = label(QStringLiteral("lblSomaA"), QStringLiteral("0"));
    lblSomaB = label(QStringLiteral("lblSomaB"), QStringLiteral("0"));

    // The rules still switch these entries and sums, but the panel itself
    // stays out of sight, so their texts stay "0".
    pnlSomas = named(new QWidget, QStringLiteral("pnlSomas"));
    auto* row = new QHBoxLayout(pnlSomas);
    for (QWidget* w : {static_cast<QWidget*>(edtBonusA), static_cast<QWidget*>(edtPenalA),
                       static_cast<QWidget*>(lblSomaA), static_cast<QWidget*>(edtBonusB),
                       static_cast<QWidget*>(edtPenalB), static_cast<QWidget*>(lblSomaB)})
        row->addWidget(w);
    pnlSomas->hide();
    return pnlSomas;
}

QWidget* RacePanel::buildStationBar() {
    imgCatAleOn = picture(QStringLiteral("imgCatAleOn"), lampPicture(Qt::green));
    imgCatAleOff = picture(QStringLiteral("imgCatAleOff"), lampPicture(Qt::darkGray));
    imgCatAleOn->hide();
    // Editable like a port box on the track PC: a pseudo-terminal path can
    // be typed in when the list does not offer it.
    SerialCombo = named(new QComboBox, QStringLiteral("SerialCombo"));
    SerialCombo->setEditable(true);
    SerialCombo->setMinimumWidth(160);
    SerialCombo->setEditText(QStringLiteral("> Selecione <"));
    lblRede = label(QStringLiteral("lblRede"), QStringLiteral("...."));
    lblEquip = label(QStringLiteral("lblEquip"), QStringLiteral("VUD"));

    auto* bar = named(new QWidget, QStringLiteral("pnlEstacao"));
    auto* row = new QHBoxLayout(bar);
    row->addWidget(imgCatAleOn);
    row->addWidget(imgCatAleOff);
    row->addWidget(SerialCombo);
    row->addStretch();
    row->addWidget(lblRede);
    row->addWidget(lblEquip);
    return bar;
}
