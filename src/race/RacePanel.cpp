#include "RacePanel.h"

#include "race/ClickableLabel.h"
#include "race/DigitDisplay.h"
#include "race/Lamp.h"
#include "race/LaneView.h"
#include "race/RaceToolBar.h"
#include "race/StartTree.h"

#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

// The pictures and the style of the desk are compiled into the library;
// a static library needs its resources pulled in by name.
static void initDeskResources() {
    Q_INIT_RESOURCE(ui);
}

namespace {

const QColor kDigitsA(0x52, 0xc7, 0xff);
const QColor kDigitsB(0xff, 0x9c, 0x40);

template <typename W>
W* named(W* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QLabel* label(const QString& name, const QString& text, const char* role = nullptr) {
    auto* l = named(new QLabel(text), name);
    if (role)
        l->setProperty("role", QString::fromLatin1(role));
    return l;
}

QLineEdit* entry(const QString& name) {
    QLineEdit* e = named(new QLineEdit(QStringLiteral("0")), name);
    e->setMaximumWidth(70);
    e->setAlignment(Qt::AlignRight);
    return e;
}

QString deskStyle() {
    QFile f(QStringLiteral(":/ui/desk.qss"));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

RacePanel::RacePanel(QWidget* parent) : QWidget(parent) {
    initDeskResources();
    setObjectName(QStringLiteral("pnlCorrida"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(deskStyle());

    toolBar = new RaceToolBar;
    laneA = new LaneView(Lane::A);
    laneB = new LaneView(Lane::B);

    auto* top = new QHBoxLayout;
    top->setSpacing(10);
    top->addWidget(laneA, 1);
    top->addWidget(buildCentre());
    top->addWidget(laneB, 1);

    // The run log opens beside the times, which can give up width; the lane
    // cards above cannot without crowding.
    auto* lower = new QHBoxLayout;
    lower->setSpacing(10);
    // Each lane's runs and entries on its own side of the times, which have
    // width to spare; the lane's history button folds them away.
    lower->addWidget(laneA->history);
    lower->addWidget(buildTimes(), 1);
    lower->addWidget(laneB->history);
    lower->addWidget(buildLog());

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 10, 10, 8);
    body->setSpacing(10);
    body->addLayout(top);
    body->addLayout(lower, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addLayout(body, 1);
    layout->addWidget(buildSums());
}

/// The centre of the top band: toggles, the tree, the countdown, the track.
QWidget* RacePanel::buildCentre() {
    auto* centre = named(new QFrame, QStringLiteral("pnlCentro"));
    tree = new StartTree;
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    row->addWidget(buildToggles());
    row->addWidget(tree);
    row->addWidget(buildCountdown());
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(10, 8, 10, 8);
    column->setSpacing(6);
    column->addLayout(row, 1);
    column->addWidget(buildTrack());
    return centre;
}

/// The controller's auto start and scoreboard, and the random category of
/// lane loading: each a pair of pictures of which one shows.
QWidget* RacePanel::buildToggles() {
    auto* box = named(new QWidget, QStringLiteral("pnlChaves"));
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(3);
    column->addWidget(
        label(QStringLiteral("capTreeMode"), QStringLiteral("Árvore"), "toggleCaption"));
    column->addWidget(tree->treeMode);
    column->addSpacing(4);
    const auto pair = [&](const QString& stem, const QString& caption, const QString& tip,
                          ClickableLabel*& on, ClickableLabel*& off) {
        column->addWidget(label(QStringLiteral("cap") + stem, caption, "toggleCaption"));
        on = new ClickableLabel(QStringLiteral("img") + stem + QStringLiteral("On"));
        on->setPicture(QStringLiteral(":/ui/switch-on.svg"), QSize(64, 28));
        off = new ClickableLabel(QStringLiteral("img") + stem + QStringLiteral("Off"));
        off->setPicture(QStringLiteral(":/ui/switch-off.svg"), QSize(64, 28));
        for (ClickableLabel* l : {on, off}) {
            l->setToolTip(tip);
            l->setCursor(Qt::PointingHandCursor);
            column->addWidget(l, 0, Qt::AlignLeft);
        }
        on->hide();  // idle: both off until the controller says otherwise
    };
    pair(QStringLiteral("AutoStart"), QStringLiteral("Auto Start"),
         QStringLiteral("Largada automática do controlador"), imgAutoStartOn, imgAutoStartOff);
    pair(QStringLiteral("Placar"), QStringLiteral("Placar"), QStringLiteral("Tempos nos placares"),
         imgPlacarOn, imgPlacarOff);
    pair(QStringLiteral("CatAle"), QStringLiteral("Cat. Aleatória"),
         QStringLiteral("Categoria achada pela inscrição do veículo"), imgCatAleOn, imgCatAleOff);
    // Green while both lanes hold the same knockout category: only then
    // does the save decide the race.
    auto* knockout = new QHBoxLayout;
    knockout->setContentsMargins(0, 2, 0, 0);
    knockout->setSpacing(6);
    knockout->addWidget(
        label(QStringLiteral("capMataMata"), QStringLiteral("Mata-Mata"), "toggleCaption"));
    auto* indicator = new Lamp(QStringLiteral("spMataMata"), QStringLiteral("red"), 12);
    indicator->setLit(true);
    indicator->setToolTip(QStringLiteral("Verde: as duas pistas na mesma categoria de mata-mata"));
    knockout->addWidget(indicator);
    knockout->addStretch();
    column->addLayout(knockout);
    column->addStretch();
    return box;
}

/// The pre-race countdown, the controller's auto-start text and the speed of
/// the 10 m trap.
QWidget* RacePanel::buildCountdown() {
    auto* box = named(new QWidget, QStringLiteral("pnlContagem"));
    edtContagem = named(new QLineEdit, QStringLiteral("edtContagem"));
    edtContagem->setInputMask(QStringLiteral("00:00"));
    edtContagem->setText(QStringLiteral("03:00"));
    edtContagem->setAlignment(Qt::AlignCenter);
    edtContagem->setFixedWidth(110);
    edtContagem->setFont(QFont(DigitDisplay::fontFamily()));
    btnContagem = named(new QPushButton(QStringLiteral("START")), QStringLiteral("btnContagem"));
    btnContagem->setCursor(Qt::PointingHandCursor);
    btnContagem->setFixedWidth(110);

    auto* atsa = label(QStringLiteral("lblContA"), QString(), "atsa");
    QFont f = atsa->font();
    f.setPointSize(16);
    f.setBold(true);
    atsa->setFont(f);
    atsa->setAlignment(Qt::AlignCenter);
    atsa->setMinimumHeight(40);

    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(
        label(QStringLiteral("capContagem"), QStringLiteral("Contagem"), "toggleCaption"));
    column->addWidget(edtContagem);
    column->addWidget(btnContagem);
    column->addWidget(atsa);
    column->addStretch();
    Image6 = new ClickableLabel(QStringLiteral("Image6"));
    Image6->setPicture(QStringLiteral(":/ui/demo.svg"), QSize(26, 26));
    Image6->setToolTip(QStringLiteral("Demonstração da árvore"));
    Image6->setCursor(Qt::PointingHandCursor);
    auto* speed = new QGridLayout;
    speed->setContentsMargins(0, 0, 0, 0);
    speed->setSpacing(0);
    speed->addWidget(
        label(QStringLiteral("capVel10m"), QStringLiteral("Vel. 10 m"), "toggleCaption"), 0, 0);
    speed->addWidget(label(QStringLiteral("Label12"), QStringLiteral("0,00"), "smallValue"), 1, 0);
    speed->addWidget(Image6, 0, 1, 2, 1, Qt::AlignRight | Qt::AlignBottom);
    column->addLayout(speed);
    return box;
}

/// The track picture (two lanes, or one in a prosolo championship), the
/// prosolo penalty and the jeep marker.
QWidget* RacePanel::buildTrack() {
    auto* box = named(new QWidget, QStringLiteral("pnlPistaDesenho"));
    auto* two = new ClickableLabel(QStringLiteral("imgDuasPistas"));
    two->setPicture(QStringLiteral(":/ui/duaspistas.svg"), QSize(120, 34));
    auto* one = new ClickableLabel(QStringLiteral("imgProsolo"));
    one->setPicture(QStringLiteral(":/ui/prosolo.svg"), QSize(120, 34));
    one->hide();
    auto* penalty = entry(QStringLiteral("edtPenalAProsolo"));
    penalty->hide();
    auto* jeep = label(QStringLiteral("lblVersaoJeep"), QStringLiteral("Versão JEEP"), "jeep");
    jeep->hide();

    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(two);
    row->addWidget(one);
    row->addWidget(label(QStringLiteral("lblParcAD"), QStringLiteral("---"), "caption"));
    row->addWidget(penalty);
    row->addStretch();
    row->addWidget(jeep);
    return box;
}

/// One row per measure, in the order the car reaches them, the caption
/// between the two lanes' displays.
QWidget* RacePanel::buildTimes() {
    const QString time = QStringLiteral("0.000");
    const QString speed = QStringLiteral("0,0");
    const struct {
        const char* caption;
        const char* captionText;
        const char* stem;
        bool isSpeed;
    } rows[] = {
        {"lblReacao", "Reação", "lblR", false}, {"lbl60", "60 Ft", "lblP", false},
        {"lbl50m", "50M", "lbl50", false},      {"lbl100m", "100M", "lbl100", false},
        {"lblVel", "Velocidade", "lblV", true}, {"lblPista", "Pista", "lblPista", false},
        {"lblFinal", "Final", "lblF", false},
    };

    auto* times = named(new QFrame, QStringLiteral("pnlPistas"));
    auto* grid = new QGridLayout(times);
    grid->setContentsMargins(10, 8, 10, 8);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(6);
    int row = 0;
    for (const auto& r : rows) {
        const bool final = row == 6;
        auto* caption = label(QString::fromLatin1(r.caption), QString::fromUtf8(r.captionText),
                              final ? "finalCaption" : "timeCaption");
        caption->setAlignment(Qt::AlignCenter);
        const QString initial = r.isSpeed ? speed : time;
        auto* a = new DigitDisplay(QLatin1String(r.stem) + u'A', initial, kDigitsA);
        auto* b = new DigitDisplay(QLatin1String(r.stem) + u'B', initial, kDigitsB);
        // Lane A reads towards the centre, lane B away from it, as on the
        // scoreboards at the finish.
        a->setAlignment(Qt::AlignRight);
        b->setAlignment(Qt::AlignLeft);
        if (final) {
            a->setDigitColor(kDigitsA.lighter(125));
            b->setDigitColor(kDigitsB.lighter(118));
            a->setDigitScale(0.78);
            b->setDigitScale(0.78);
        }
        grid->addWidget(a, row, 0);
        grid->addWidget(caption, row, 1);
        grid->addWidget(b, row, 2);
        grid->setRowStretch(row, final ? 14 : 10);
        ++row;
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnMinimumWidth(1, 150);
    return times;
}

QWidget* RacePanel::buildSums() {
    // The rules still switch these entries and sums, but the panel itself
    // stays out of sight, so their texts stay "0".
    pnlSomas = named(new QWidget, QStringLiteral("pnlSomas"));
    auto* row = new QHBoxLayout(pnlSomas);
    row->addWidget(entry(QStringLiteral("edtBonusA")));
    row->addWidget(entry(QStringLiteral("edtPenalA")));
    row->addWidget(label(QStringLiteral("lblSomaA"), QStringLiteral("0")));
    row->addWidget(entry(QStringLiteral("edtBonusB")));
    row->addWidget(entry(QStringLiteral("edtPenalB")));
    row->addWidget(label(QStringLiteral("lblSomaB"), QStringLiteral("0")));
    pnlSomas->hide();
    return pnlSomas;
}

/// The run log as it grows and the messages meant for the hub, for the
/// operator who wants to see what the controller said.
QWidget* RacePanel::buildLog() {
    pnlLog = named(new QFrame, QStringLiteral("pnlLog"));
    pnlLog->setFixedWidth(360);
    lstLog = named(new QListWidget, QStringLiteral("lstLog"));
    lstDiagnostico = named(new QListWidget, QStringLiteral("lstDiagnostico"));
    auto* column = new QVBoxLayout(pnlLog);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(4);
    column->addWidget(
        label(QStringLiteral("capLog"), QStringLiteral("Log da largada"), "toggleCaption"));
    column->addWidget(lstLog, 3);
    column->addWidget(label(QStringLiteral("capDiagnostico"), QStringLiteral("Mensagens (hub)"),
                            "toggleCaption"));
    column->addWidget(lstDiagnostico, 2);
    pnlLog->hide();
    return pnlLog;
}
