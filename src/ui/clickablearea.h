#pragma once

#include <QAbstractButton>
#include <QColor>

class QPainter;

// An invisible touch target: paints nothing while released and a rounded
// overlay of its down colour while pressed.
class ClickableArea : public QAbstractButton
{
    Q_OBJECT

public:
    static const int CORNER_RADIUS = 11;

    explicit ClickableArea(QWidget* parent = nullptr);

    QColor downColor() const { return m_downColor; }
    void setDownColor(const QColor& color);

    // The overlay every pressed touch target of the pages draws.
    static void paintPressedOverlay(QPainter& painter, const QRect& rect, const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_downColor;
};
