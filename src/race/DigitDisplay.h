#pragma once

#include <QColor>
#include <QLabel>

/// A lane time or speed as a seven-segment display: bright digits over the
/// dark segments of the unlit positions, on a black glass. The text stays the
/// label's text exactly as the rules set it (decimal comma included); only
/// the drawing shows a comma as the display's decimal point, since segment
/// displays have no comma.
class DigitDisplay : public QLabel {
    Q_OBJECT
public:
    DigitDisplay(const QString& name, const QString& text, const QColor& digits,
                 QWidget* parent = nullptr);

    /// The family of the segment font, loaded from the system's font files
    /// when fontconfig does not know it already.
    static QString fontFamily();

    /// Digits drawn at this fraction of the display's height.
    void setDigitScale(qreal scale) {
        m_scale = scale;
        update();
    }
    void setDigitColor(const QColor& color) {
        m_color = color;
        update();
    }
    QColor digitColor() const { return m_color; }

    QSize sizeHint() const override { return {260, 58}; }
    QSize minimumSizeHint() const override { return {140, 36}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
    qreal m_scale = 0.74;
};
