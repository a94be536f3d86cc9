#pragma once

#include <QColor>
#include <QWidget>

// A small round light in a tile: its colour when lit, a dark ring when not.
class MiniLed : public QWidget
{
    Q_OBJECT
public:
    static const int DIAMETER = 22;

    explicit MiniLed(const QColor& colour, QWidget* parent = nullptr);

    void setLit(bool lit);
    bool isLit() const { return m_lit; }
    QSize sizeHint() const override { return QSize(DIAMETER, DIAMETER); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    bool m_lit = false;
};
