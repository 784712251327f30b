#include "LaneBinder.h"

#include "app/uDM.h"
#include "db/Query.h"
#include "race/LaneLoader.h"
#include "race/LaneView.h"
#include "platform/registration/QueryTableModel.h"
#include "race/ScreenModel.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace {

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

void setWidths(QTableView* view, std::initializer_list<int> widths) {
    int section = 0;
    for (const int w : widths) view->horizontalHeader()->resizeSection(section++, w);
}

}  // namespace

LaneBinder::LaneBinder(LaneLoader& loader, ScreenModel& screen, DM& dm, LaneView* laneA, LaneView* laneB,
                       QWidget* root, QObject* parent)
    : QObject(parent), m_loader(loader), m_screen(screen), m_dm(dm), m_laneA(laneA), m_laneB(laneB), m_root(root) {
    bindLane(laneA);
    bindLane(laneB);

    // Digits only, typed or pasted; the rules may still write any text.
    auto* digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (const char* name : {"edtBonusA", "edtPenalA", "edtBonusB", "edtPenalB", "edtPenalAProsolo"})
        if (auto* edit = root->findChild<QLineEdit*>(QLatin1String(name))) edit->setValidator(digits);

    connect(m_dm.qryCategoria, &db::Query::afterOpen, this, &LaneBinder::fillCategories);
    connect(m_dm.qryCategoria, &db::Query::afterClose, this, &LaneBinder::fillCategories);
    fillCategories();

    connect(&m_screen, &ScreenModel::changed, this, [this](const QString& name) {
        if (m_boxes.contains(name)) render(name);
    });
    connect(&m_loader, &LaneLoader::focusRequested, this, &LaneBinder::focus);
    for (const QString& name : m_boxes) render(name);
}

void LaneBinder::bindLane(LaneView* v) {
    const Lane lane = v->lane();
    for (QComboBox* box : {v->categoryBox, v->roundBox, v->heatBox}) m_boxes.insert(box->objectName());

    v->plate->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), v->plate));
    v->plate->installEventFilter(this);
    if (lane == Lane::A) v->roundBox->installEventFilter(this);

    connect(v->categoryBox, &QComboBox::activated, this, [this, v, lane](int index) {
        if (index >= 0) m_loader.chooseCategory(lane, v->categoryBox->itemData(index).toInt());
    });
    connect(v->roundBox, &QComboBox::activated, this, [this, v, lane](int index) {
        if (index < 0) return;
        if (lane == Lane::A)
            m_loader.chooseRound(v->roundBox->itemText(index).toInt());
        else
            m_screen.setText(v->roundBox->objectName(), v->roundBox->itemText(index));
    });
    connect(v->heatBox, &QComboBox::editTextChanged, this, [this, v](const QString& text) {
        if (!m_rendering) m_screen.setText(v->heatBox->objectName(), text);
    });
    connect(v->heatBox, &QComboBox::activated, this, [this, v, lane](int index) {
        if (index >= 0) m_loader.chooseHeat(lane, v->heatBox->itemText(index));
    });
    connect(v->categoryButton, &QToolButton::clicked, this, [this, lane] { m_loader.searchCategory(lane); });
    connect(v->vehicleButton, &QToolButton::clicked, this, [this, lane] { m_loader.registerVehicle(lane); });

    connect(m_loader.rounds(lane), &db::Query::afterOpen, this, [this, lane] { fillRounds(lane); });
    connect(m_loader.rounds(lane), &db::Query::afterClose, this, [this, lane] { fillRounds(lane); });

    const auto column = [](const char* title, const char* field) {
        return platform::GridColumn{.field = QLatin1String(field), .title = QLatin1String(title)};
    };
    const auto time = [](const char* title, const char* field) {
        return platform::GridColumn{.field = QLatin1String(field), .title = QLatin1String(title), .pointTime = true};
    };
    v->runsGrid->setModel(new platform::QueryTableModel(
        m_loader.runs(lane),
        {column("B", "BATERIA"), column("PIS", "LADO_PISTA"), time("REACAO", "REACAO"), time("60 PES", "TPES"),
         time("T.PISTA", "TPISTA"), time("T.FINAL", "TFINAL"), column("STATUS", "STATUS")},
        v->runsGrid));
    setWidths(v->runsGrid, {20, 60, 46, 44, 46, 46});
    v->entriesGrid->setModel(new platform::QueryTableModel(
        m_loader.entries(lane), {column("NUM", "PLACA"), column("PILOTO", "PILOTO"), column("VEICULO", "VEICULO")},
        v->entriesGrid));
    setWidths(v->entriesGrid, {44, 150});
}

/// The championship's categories by SIGLA, keyed by CODIGO.
void LaneBinder::fillCategories() {
    const db::Query* list = m_dm.qryCategoria;
    for (LaneView* v : {m_laneA, m_laneB}) {
        QComboBox* box = v->categoryBox;
        const QSignalBlocker quiet(box);
        box->clear();
        if (list->isOpen())
            for (int row = 0; row < list->rowCount(); ++row)
                box->addItem(list->valueAt(row, QStringLiteral("SIGLA")).toString(),
                             list->valueAt(row, QStringLiteral("CODIGO")));
        render(box->objectName());
    }
}

void LaneBinder::fillRounds(Lane lane) {
    const db::Query* rounds = m_loader.rounds(lane);
    QComboBox* box = view(lane)->roundBox;
    const QSignalBlocker quiet(box);
    box->clear();
    if (rounds->isOpen())
        for (int row = 0; row < rounds->rowCount(); ++row)
            box->addItem(rounds->valueAt(row, QStringLiteral("ROUND")).toString());
    render(box->objectName());
}

/// The model's text onto a box: the item of that text, or the typed text
/// of the heat box.
void LaneBinder::render(const QString& name) {
    auto* box = m_root->findChild<QComboBox*>(name);
    if (!box) return;
    const QString text = m_screen.text(name);
    m_rendering = true;
    {
        const QSignalBlocker quiet(box);
        const int index = box->findText(text);
        if (box->isEditable()) {
            if (box->currentText() != text) box->setEditText(text);
        } else {
            box->setCurrentIndex(index);
        }
    }
    m_rendering = false;
}

void LaneBinder::focus(const QString& name) {
    if (QWidget* w = m_root->findChild<QWidget*>(name)) w->setFocus(Qt::OtherFocusReason);
}

bool LaneBinder::eventFilter(QObject* watched, QEvent* event) {
    for (const Lane lane : {Lane::A, Lane::B}) {
        LaneView* v = view(lane);
        if (watched == v->plate) {
            if (isEnter(event)) {
                m_loader.lookup(lane);
                return true;  // Enter is the lookup, never text
            }
            if (event->type() == QEvent::FocusOut) {
                const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
                // Another window taking the focus (a message, the picker) is no leaving.
                if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
                    reason == Qt::MenuBarFocusReason)
                    return false;
                // Asked once the focus has moved, so the message box is not
                // opened in the middle of the focus change.
                QPointer<QLineEdit> edit = v->plate;
                QTimer::singleShot(0, this, [this, edit, lane] {
                    if (edit && edit->isEnabled() && edit->isVisible() && !edit->hasFocus())
                        m_loader.leavePlate(lane);
                });
            }
            return false;
        }
        if (watched == v->roundBox && isEnter(event)) {
            m_loader.roundEntered();
            return true;
        }
    }
    return false;
}
