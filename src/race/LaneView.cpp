#include "LaneView.h"

#include "race/ClickableLabel.h"
#include "race/Lamp.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QLabel* label(const QString& name, const QString& text, QWidget* parent = nullptr) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    return l;
}

/// Adds `widgets` left to right for lane A and right to left for lane B,
/// against the card's outer edge.
void addMirrored(QHBoxLayout* row, Lane lane, const QList<QWidget*>& widgets, bool stretchLast) {
    QList<QWidget*> order = widgets;
    if (lane == Lane::B)
        std::reverse(order.begin(), order.end());
    if (stretchLast && lane == Lane::B)
        row->addStretch();
    for (QWidget* w : order) row->addWidget(w);
    if (stretchLast && lane == Lane::A)
        row->addStretch();
}

/// Adds `widgets` in reading order against the card's outer edge: figures and
/// sensors keep their order on both sides, only their place is mirrored.
void addAligned(QHBoxLayout* row, Lane lane, const QList<QWidget*>& widgets) {
    if (lane == Lane::B)
        row->addStretch();
    for (QWidget* w : widgets) row->addWidget(w);
    if (lane == Lane::A)
        row->addStretch();
}

}  // namespace

LaneView::LaneView(Lane lane, QWidget* parent) : QFrame(parent), m_lane(lane) {
    setObjectName(name("pnlPista"));
    setProperty("lane", laneLetter(lane));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 8);
    column->setSpacing(6);
    column->addWidget(buildBand());

    pilot = label(name("lblPiloto"), QString());
    pilot->setProperty("role", QStringLiteral("pilot"));
    pilot->setAlignment((lane == Lane::A ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    pilot->setMinimumWidth(0);
    pilot->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 0, 12, 0);
    body->setSpacing(6);
    body->addWidget(pilot);
    body->addWidget(buildEntryRow());
    body->addWidget(buildFigures());
    body->addStretch();
    body->addWidget(buildSensors());
    column->addLayout(body, 1);
}

QString LaneView::name(const char* stem) const {
    return QLatin1String(stem) + laneLetter(m_lane);
}

/// The colour band: the car, the side of the track and the position in the category.
QWidget* LaneView::buildBand() {
    auto* band = new QFrame;
    band->setObjectName(name("pnlFaixa"));
    band->setProperty("role", QStringLiteral("band"));

    picture =
        new ClickableLabel(m_lane == Lane::A ? QStringLiteral("Image3") : QStringLiteral("Image1"));
    picture->setPicture(
        m_lane == Lane::A ? QStringLiteral(":/ui/carA.svg") : QStringLiteral(":/ui/carB.svg"),
        QSize(64, 32));
    picture->setToolTip(QStringLiteral("Duplo clique: log da corrida"));

    auto* letter = label(name("lblLetra"), laneLetter(m_lane), band);
    letter->setProperty("role", QStringLiteral("letter"));
    letter->setAlignment(Qt::AlignCenter);
    auto* side = label(name("lblLado"),
                       m_lane == Lane::A ? QStringLiteral("Esquerda") : QStringLiteral("Direita"));
    side->setProperty("role", QStringLiteral("side"));

    auto* posCaption = label(name("capPos"), QStringLiteral("Posição"));
    posCaption->setProperty("role", QStringLiteral("bandCaption"));
    auto* position = label(name("lblPos"), QString());
    position->setProperty("role", QStringLiteral("position"));
    position->setAlignment(Qt::AlignCenter);
    position->setMinimumWidth(64);

    auto* row = new QHBoxLayout(band);
    row->setContentsMargins(10, 4, 10, 4);
    row->setSpacing(10);
    addMirrored(row, m_lane, {letter, side, picture}, true);
    if (m_lane == Lane::A) {
        row->addWidget(posCaption);
        row->addWidget(position);
    } else {
        row->insertWidget(0, posCaption);
        row->insertWidget(0, position);
    }
    return band;
}

/// Plate entry, walk-over and the run's status.
QWidget* LaneView::buildEntryRow() {
    auto* box = new QWidget;
    auto* plateCaption = label(name("capPlaca"), QStringLiteral("Placa"));
    plateCaption->setProperty("role", QStringLiteral("caption"));
    plate = new QLineEdit;
    plate->setObjectName(name("edtPlaca"));
    plate->setProperty("role", QStringLiteral("plate"));
    plate->setAlignment(Qt::AlignCenter);
    plate->setFixedWidth(120);
    plate->setPlaceholderText(QStringLiteral("---"));

    walkOver = new QCheckBox(QStringLiteral("W.O."));
    walkOver->setObjectName(name("ckWO"));

    auto* valid = new ClickableLabel(QStringLiteral("imgStatus%1V").arg(laneLetter(m_lane)));
    valid->setPicture(QStringLiteral(":/ui/valid.svg"), QSize(30, 30));
    auto* fouled = new ClickableLabel(QStringLiteral("imgStatus%1Q").arg(laneLetter(m_lane)));
    fouled->setPicture(QStringLiteral(":/ui/fouled.svg"), QSize(30, 30));
    for (QLabel* l : {static_cast<QLabel*>(valid), static_cast<QLabel*>(fouled)}) {
        // The status line keeps its place whether or not a picture shows.
        QSizePolicy keep = l->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        l->setSizePolicy(keep);
    }
    auto* status = label(name("lblStatus"), QString());
    status->setProperty("role", QStringLiteral("status"));
    status->setProperty("styleByText", true);
    status->setAlignment((m_lane == Lane::A ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);

    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    addMirrored(row, m_lane, {plateCaption, plate, walkOver}, true);
    QList<QWidget*> tail{status, valid, fouled};
    if (m_lane == Lane::B) {
        for (QWidget* w : tail) row->insertWidget(0, w);
    } else {
        for (QWidget* w : tail) row->addWidget(w);
    }
    return box;
}

/// The small figures: handicap delay, best time, speeds at points B and C.
QWidget* LaneView::buildFigures() {
    auto* box = new QWidget;
    auto* grid = new QHBoxLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(8);
    const struct {
        const char* caption;
        const char* stem;
        const char* captionStem;
        const char* initial;
    } figures[] = {
        {"Dial", "lbltmpDial", "capDial", "0.000"},
        {"Melhor", "lblMelhorTempo", "capMelhor", "0.000"},
        {"Vel. B", "lblVB", "capVB", "0,0"},
        {"Vel. C", "lblVC", "capVC", "0,0"},
    };
    QList<QWidget*> chips;
    for (const auto& f : figures) {
        auto* chip = new QFrame;
        chip->setObjectName(name(f.captionStem) + QStringLiteral("Box"));
        chip->setProperty("role", QStringLiteral("chip"));
        auto* v = new QVBoxLayout(chip);
        v->setContentsMargins(8, 3, 8, 3);
        v->setSpacing(0);
        auto* c = label(name(f.captionStem), QString::fromUtf8(f.caption));
        c->setProperty("role", QStringLiteral("chipCaption"));
        auto* value = label(name(f.stem), QString::fromLatin1(f.initial));
        value->setProperty("role", QStringLiteral("chipValue"));
        v->addWidget(c);
        v->addWidget(value);
        chips << chip;
    }
    addAligned(grid, m_lane, chips);
    return box;
}

/// The track sensors of the lane, by their letters.
QWidget* LaneView::buildSensors() {
    auto* box = new QFrame;
    box->setObjectName(name("pnlSensores"));
    box->setProperty("role", QStringLiteral("sensors"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(8, 2, 8, 2);
    row->setSpacing(4);
    auto* caption = label(name("capSensores"), QStringLiteral("Sensores"));
    caption->setProperty("role", QStringLiteral("caption"));
    QList<QWidget*> dots;
    for (const char* point : {"C", "D", "E", "F", "G", "I", "J"}) {
        auto* cell = new QWidget;
        auto* v = new QVBoxLayout(cell);
        v->setContentsMargins(2, 0, 2, 0);
        v->setSpacing(0);
        auto* dot = new Lamp(QStringLiteral("spE_") + laneLetter(m_lane) + QLatin1String(point),
                             QStringLiteral("green"), 11);
        dot->setLit(true);
        dot->setToolTip(QStringLiteral("Sensor ") + QLatin1String(point));
        auto* letter = new QLabel(QString::fromLatin1(point));
        letter->setProperty("role", QStringLiteral("sensorLetter"));
        letter->setAlignment(Qt::AlignCenter);
        v->addWidget(dot, 0, Qt::AlignHCenter);
        v->addWidget(letter);
        dots << cell;
    }
    if (m_lane == Lane::A)
        dots.prepend(caption);
    else
        dots.append(caption);
    addAligned(row, m_lane, dots);
    return box;
}
