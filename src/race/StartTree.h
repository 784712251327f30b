#pragma once

#include <QFrame>

class ClickableLabel;
class Lamp;

/// The drawn start tree: the blue lamp on top, then per lane the pre-stage
/// and stage bulbs, three ambers, the green and the red, lane A on the left.
/// Lamps that are out stay visible, dark. The tree-mode caption is the
/// tree's, placed by the panel beside it.
class StartTree : public QFrame {
    Q_OBJECT
public:
    explicit StartTree(QWidget* parent = nullptr);

    ClickableLabel* treeMode;  // lblTreeMode

protected:
    void paintEvent(QPaintEvent* event) override;
};
