#pragma once

#include <QLabel>

/// A label or picture the operator can click or double-click: the toggles of
/// the centre panel, the lane pictures, the tree-mode caption.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& name, QWidget* parent = nullptr);

    /// Shows the SVG picture at `resource` drawn crisp at `size`.
    void setPicture(const QString& resource, const QSize& size);
    bool isPicture() const { return m_picture; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool m_picture = false;
};
