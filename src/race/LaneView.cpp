#include "LaneView.h"

#include "race/ClickableLabel.h"
#include "race/Lamp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// The lane-loading controls in the desk's colours. Rules carry the desk's
// own prefix so they weigh as much as the desk's general label rule.
const char kLaneStyle[] = R"(
#pnlCorrida QComboBox[role="laneBox"] {
    color: #e6e9ed; background: #0b0e12; border: 1px solid #3d4650; border-radius: 5px;
    padding: 1px 6px; min-height: 22px; font-size: 13px; font-weight: bold;
}
#pnlCorrida QComboBox[role="laneBox"]:disabled { color: #5a626c; border-color: #262c33; }
#pnlCorrida QComboBox[role="laneBox"] QAbstractItemView {
    color: #e6e9ed; background: #1c2128; selection-background-color: #36506f;
}
#pnlCorrida QToolButton[role="laneButton"] {
    color: #e6e9ed; background: #2b3139; border: 1px solid #3d4650; border-radius: 5px;
    padding: 2px 8px; font-size: 11px; font-weight: bold; min-height: 20px;
}
#pnlCorrida QToolButton[role="laneButton"]:hover { background: #37404a; border-color: #5a6572; }
#pnlCorrida QToolButton[role="laneButton"]:checked { background: #36506f; border-color: #5b7ea6; }
#pnlCorrida QLabel[role="categoryName"] { color: #ffc42e; font-size: 14px; font-weight: bold; }
#pnlCorrida QLabel[role="vehicle"] { color: #c9d1da; font-size: 13px; font-weight: bold; }
#pnlCorrida QLabel[role="dialText"] { color: #52c7ff; font-size: 12px; font-weight: bold; }
#pnlCorrida QLabel[role="hint"] {
    color: #14181d; background: #ffc42e; border-radius: 5px; padding: 3px 8px;
    font-size: 11px; font-weight: bold;
}
#pnlCorrida QLabel[role="raceNumber"] {
    color: #ffffff; background: #0b0e12; border: 1px solid #3d4650; border-radius: 5px;
    padding: 0px 6px; font-size: 13px; font-weight: bold; min-width: 18px;
}
#pnlCorrida QTabWidget::pane {
    border: 1px solid #2c333c; border-radius: 6px; background: #1c2128; top: -1px;
}
#pnlCorrida QTabBar::tab {
    color: #8c96a3; background: #171b20; border: 1px solid #2c333c; padding: 3px 12px;
    font-size: 11px; font-weight: bold; border-top-left-radius: 5px; border-top-right-radius: 5px;
}
#pnlCorrida QTabBar::tab:selected { color: #e6e9ed; background: #1c2128; }
#pnlCorrida QTableView {
    color: #cfd6de; background: #0e1115; alternate-background-color: #13171c;
    gridline-color: #20252c; border: none; font-size: 11px; selection-background-color: #36506f;
}
#pnlCorrida QTableView:disabled { color: #6b7480; }
#pnlCorrida QHeaderView::section {
    color: #8c96a3; background: #1c2128; border: none; border-bottom: 1px solid #2c333c;
    padding: 2px 2px; font-size: 9px; font-weight: bold;
}
#pnlCorrida QTableCornerButton::section { background: #1c2128; border: none; }
#pnlCorrida QTableView QScrollBar:vertical { background: #14181d; width: 10px; margin: 0px; }
#pnlCorrida QTableView QScrollBar::handle:vertical { background: #3d4650; border-radius: 4px; min-height: 24px; }
#pnlCorrida QTableView QScrollBar::add-line:vertical, #pnlCorrida QTableView QScrollBar::sub-line:vertical { height: 0px; }
)";

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

    hint = label(name("lblAviso"), QString());
    hint->setProperty("role", QStringLiteral("hint"));
    hint->setWordWrap(true);
    hint->hide();

    auto* body = new QVBoxLayout;
    body->setContentsMargins(12, 0, 12, 0);
    body->setSpacing(6);
    body->addWidget(pilot);
    body->addWidget(buildCategoryRow());
    body->addWidget(buildEntryRow());
    body->addWidget(buildVehicleRow());
    body->addWidget(hint);
    body->addWidget(buildFigures());
    body->addStretch();
    body->addWidget(buildSensors());
    column->addLayout(body, 1);

    setStyleSheet(QString::fromLatin1(kLaneStyle));
    buildHistory();
}

LaneView::~LaneView() {
    // Laid out by the desk, the grids belong to it; otherwise they are ours.
    if (m_history && !m_history->parent())
        delete m_history;
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

/// The lane's category: the search button, the list box and the name, and
/// for a knockout category the round and the race of the pair.
QWidget* LaneView::buildCategoryRow() {
    auto* box = new QWidget;
    const bool a = m_lane == Lane::A;
    categoryButton = new QToolButton;
    categoryButton->setObjectName(name("btnCateg"));
    categoryButton->setProperty("role", QStringLiteral("laneButton"));
    categoryButton->setText(a ? QStringLiteral("F2") : QStringLiteral("F3"));
    categoryButton->setToolTip(a ? QStringLiteral("F2 = Categoria Pista A") : QStringLiteral("F3 = Categoria Pista B"));
    categoryButton->setCursor(Qt::PointingHandCursor);
    categoryButton->setFocusPolicy(Qt::NoFocus);

    categoryBox = new QComboBox;
    categoryBox->setObjectName(name("DBLBoxCat"));
    categoryBox->setProperty("role", QStringLiteral("laneBox"));
    categoryBox->setMinimumWidth(86);
    categoryBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);

    category = label(name("lblCateg"), QString());
    category->setProperty("role", QStringLiteral("categoryName"));
    category->setAlignment((a ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    category->setMinimumWidth(0);
    category->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

    // Caption before value on both sides: only the group is mirrored.
    auto* knockout = new QWidget;
    knockout->setObjectName(name("pnlRound"));
    auto* k = new QHBoxLayout(knockout);
    k->setContentsMargins(0, 0, 0, 0);
    k->setSpacing(4);
    auto* roundCaption = label(name("lblRound"), QStringLiteral("Round:"));
    roundCaption->setProperty("role", QStringLiteral("caption"));
    roundBox = new QComboBox;
    roundBox->setObjectName(name("cbRound"));
    roundBox->setProperty("role", QStringLiteral("laneBox"));
    roundBox->setMinimumWidth(54);
    auto* raceCaption = label(name("lblRace"), QStringLiteral("Race:"));
    raceCaption->setProperty("role", QStringLiteral("caption"));
    raceNumber = label(name("lblRaceNum"), QString());
    raceNumber->setProperty("role", QStringLiteral("raceNumber"));
    raceNumber->setAlignment(Qt::AlignCenter);
    for (QWidget* w : {static_cast<QWidget*>(roundCaption), static_cast<QWidget*>(roundBox),
                       static_cast<QWidget*>(raceCaption), static_cast<QWidget*>(raceNumber)}) {
        k->addWidget(w);
        w->hide();  // a knockout category shows them
    }

    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    addMirrored(row, m_lane, {categoryButton, categoryBox}, false);
    if (a) {
        row->addWidget(category, 1);
        row->addWidget(knockout);
    } else {
        row->insertWidget(0, category, 1);
        row->insertWidget(0, knockout);
    }
    return box;
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
    plate->setFixedWidth(108);
    plate->setPlaceholderText(QStringLiteral("---"));

    walkOver = new QCheckBox(QStringLiteral("W.O."));
    walkOver->setObjectName(name("ckWO"));

    auto* heatCaption = label(name("capBateria"), QStringLiteral("Bat."));
    heatCaption->setProperty("role", QStringLiteral("caption"));
    heatBox = new QComboBox;
    heatBox->setObjectName(name("cbBateria"));
    heatBox->setProperty("role", QStringLiteral("laneBox"));
    heatBox->setEditable(true);
    heatBox->setInsertPolicy(QComboBox::NoInsert);
    heatBox->setFixedWidth(64);
    heatBox->addItems(m_lane == Lane::A ? QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                                      QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"),
                                                      QStringLiteral("11")}
                                        : QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                                      QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6")});
    heatBox->setCurrentIndex(-1);
    heatBox->setToolTip(QStringLiteral("Bateria (\"T\" = treino)"));

    auto* valid = new ClickableLabel(QStringLiteral("imgStatus%1V").arg(laneLetter(m_lane)));
    valid->setPicture(QStringLiteral(":/ui/valid.svg"), QSize(30, 30));
    auto* fouled = new ClickableLabel(QStringLiteral("imgStatus%1Q").arg(laneLetter(m_lane)));
    fouled->setPicture(QStringLiteral(":/ui/fouled.svg"), QSize(30, 30));
    auto* disqualified = new ClickableLabel(QStringLiteral("imgStatus%1D").arg(laneLetter(m_lane)));
    disqualified->setPicture(QStringLiteral(":/ui/fouled.svg"), QSize(30, 30));
    disqualified->setToolTip(QStringLiteral("Desclass"));
    for (QLabel* l : {static_cast<QLabel*>(valid), static_cast<QLabel*>(fouled),
                      static_cast<QLabel*>(disqualified)}) {
        // The status line keeps its place whether or not a picture shows.
        QSizePolicy keep = l->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        l->setSizePolicy(keep);
    }
    auto* status = label(name("lblStatus"), QString());
    status->setProperty("role", QStringLiteral("status"));
    status->setProperty("styleByText", true);
    status->setAlignment((m_lane == Lane::A ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);

    // The widest row of the lane: its gaps decide whether two lanes and the
    // centre fit a 1366-pixel screen.
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    addMirrored(row, m_lane, {plateCaption, plate, heatCaption, heatBox, walkOver}, true);
    QList<QWidget*> tail{status, valid, fouled, disqualified};
    if (m_lane == Lane::B) {
        for (QWidget* w : tail) row->insertWidget(0, w);
    } else {
        for (QWidget* w : tail) row->addWidget(w);
    }
    return box;
}

/// The vehicle of the loaded entry, the dial text, and the shortcuts to the
/// lane's grids and to the vehicle registration.
QWidget* LaneView::buildVehicleRow() {
    auto* box = new QWidget;
    vehicle = label(name("lblVeiculo"), QString());
    vehicle->setProperty("role", QStringLiteral("vehicle"));
    dial = label(name("lblDial"), QString());
    dial->setProperty("role", QStringLiteral("dialText"));

    historyButton = new QToolButton;
    historyButton->setObjectName(name("btnHistorico"));
    historyButton->setProperty("role", QStringLiteral("laneButton"));
    historyButton->setText(QStringLiteral("Passagens"));
    historyButton->setToolTip(QStringLiteral("Mostra ou recolhe as passagens e os inscritos da categoria"));
    historyButton->setCheckable(true);
    historyButton->setChecked(true);
    historyButton->setFocusPolicy(Qt::NoFocus);

    vehicleButton = new QToolButton;
    vehicleButton->setObjectName(name("btnCadVeiculo"));
    vehicleButton->setProperty("role", QStringLiteral("laneButton"));
    vehicleButton->setText(QStringLiteral("Veículos"));
    vehicleButton->setToolTip(QStringLiteral("Cadastro de veículos"));
    vehicleButton->setFocusPolicy(Qt::NoFocus);

    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    addMirrored(row, m_lane, {vehicle, dial}, true);
    if (m_lane == Lane::A) {
        row->addWidget(historyButton);
        row->addWidget(vehicleButton);
    } else {
        row->insertWidget(0, historyButton);
        row->insertWidget(0, vehicleButton);
    }
    return box;
}

/// The run history and the entry list of the lane's category, in two tabs.
void LaneView::buildHistory() {
    history = new QTabWidget;
    history->setObjectName(name("tabHistorico"));
    history->setStyleSheet(QString::fromLatin1(kLaneStyle));
    history->setDocumentMode(false);
    const auto grid = [this](const char* stem) {
        auto* view = new QTableView;
        view->setObjectName(name(stem));
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view->setSelectionBehavior(QAbstractItemView::SelectRows);
        view->setSelectionMode(QAbstractItemView::SingleSelection);
        view->setAlternatingRowColors(true);
        view->setFocusPolicy(Qt::NoFocus);
        view->setWordWrap(false);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->verticalHeader()->hide();
        view->verticalHeader()->setDefaultSectionSize(19);
        view->horizontalHeader()->setHighlightSections(false);
        view->horizontalHeader()->setMinimumSectionSize(22);
        view->horizontalHeader()->setStretchLastSection(true);
        return view;
    };
    runsGrid = grid("dbgResultPiloto");
    entriesGrid = grid("dbgPilotosCateg");
    history->addTab(runsGrid, QStringLiteral("Passagens"));
    history->addTab(entriesGrid, QStringLiteral("Inscritos"));
    // The tab bar names its scroll buttons; named widgets of the desk are
    // race items, and these are not.
    for (QToolButton* inner : history->findChildren<QToolButton*>()) inner->setObjectName(QString());
    history->setFixedWidth(340);
    m_history = history;
    connect(historyButton, &QToolButton::toggled, history, &QWidget::setVisible);
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
