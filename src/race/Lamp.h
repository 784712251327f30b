#pragma once

#include <QColor>
#include <QLabel>

/// A round lamp of the drawn start tree, or a sensor dot. A lamp that is out
/// stays on the tree, dark, the way a real tree looks between runs; whether
/// it is lit is the `lit` property. A sensor dot is always lit and changes
/// colour instead (`colorName` "red" / "green").
class Lamp : public QLabel {
    Q_OBJECT
    Q_PROPERTY(bool lit READ isLit WRITE setLit)
    Q_PROPERTY(QString colorName READ colorName WRITE setColorName)
public:
    Lamp(const QString& name, const QString& colorName, int diameter, QWidget* parent = nullptr);

    bool isLit() const { return m_lit; }
    void setLit(bool lit);
    QString colorName() const { return m_colorName; }
    void setColorName(const QString& name);

    /// The shade drawn for a colour name of the screen model.
    static QColor shade(const QString& colorName);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_colorName;
    int m_diameter;
    bool m_lit = false;
};
