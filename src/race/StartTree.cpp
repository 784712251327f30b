#include "StartTree.h"

#include "race/ClickableLabel.h"
#include "race/Lamp.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {

constexpr int kLamp = 20;
constexpr int kStageLamp = 12;

}  // namespace

StartTree::StartTree(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("pnlArvore"));
    treeMode = new ClickableLabel(QStringLiteral("lblTreeMode"));
    treeMode->setProperty("role", QStringLiteral("treeMode"));
    treeMode->setAlignment(Qt::AlignCenter);
    treeMode->setToolTip(QStringLiteral("Duplo clique: desconectar o controlador"));

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(22);
    grid->setVerticalSpacing(1);
    auto* blue = new Lamp(QStringLiteral("spAzul"), QStringLiteral("blue"), 14);
    blue->setToolTip(QStringLiteral("Alinhado"));
    grid->addWidget(blue, 0, 0, 1, 2, Qt::AlignHCenter);
    for (int lane = 0; lane < 2; ++lane) {
        const QString x = lane == 0 ? QStringLiteral("A") : QStringLiteral("B");
        const struct {
            QString name;
            const char* color;
            int size;
        } lamps[] = {
            {QStringLiteral("imgPreStage") + x, "white", kStageLamp},
            {QStringLiteral("imgStage") + x, "white", kStageLamp},
            // Concatenated: in "spA%11" arg() would fill placeholder 11.
            {QStringLiteral("spA") + x + u'1', "amber", kLamp},
            {QStringLiteral("spA") + x + u'2', "amber", kLamp},
            {QStringLiteral("spA") + x + u'3', "amber", kLamp},
            {QStringLiteral("spVE") + x, "green", kLamp},
            {QStringLiteral("spQ") + x, "red", kLamp},
        };
        int row = 1;
        for (const auto& l : lamps)
            grid->addWidget(new Lamp(l.name, QString::fromLatin1(l.color), l.size), row++, lane,
                            Qt::AlignHCenter);
    }

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 6, 12, 6);
    column->setSpacing(0);
    column->addLayout(grid);
}

/// The housing of the tree: a dark post with a plate per lane behind the bulbs.
void StartTree::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath housing;
    housing.addRoundedRect(body, 10, 10);
    QLinearGradient g(body.topLeft(), body.topRight());
    g.setColorAt(0, QColor(0x1a, 0x1e, 0x24));
    g.setColorAt(0.5, QColor(0x2b, 0x31, 0x39));
    g.setColorAt(1, QColor(0x1a, 0x1e, 0x24));
    p.fillPath(housing, g);
    p.setPen(QPen(QColor(0x3b, 0x43, 0x4e), 1));
    p.drawPath(housing);
    // The post between the lanes.
    const qreal mid = body.center().x();
    p.fillRect(QRectF(mid - 3, body.top() + 26, 6, body.height() - 34), QColor(0x10, 0x13, 0x17));
}
