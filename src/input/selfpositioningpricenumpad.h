#pragma once

#include "input/pricenumpad.h"

#include <QRect>

// A price pad that opens beside the button it edits: right of it, top-aligned,
// or left of it when the right side has no room; raised to end with the
// button's bottom when it would pass the bottom of the screen. Where neither
// side has room it is kept on the screen, over part of the button.
class SelfPositioningPriceNumPad : public PriceNumPad
{
    Q_OBJECT

public:
    // anchor: the touched button in global coordinates; a negative start
    // value leaves the pad empty.
    explicit SelfPositioningPriceNumPad(const QRect& anchor, int startCents = -1, QWidget* parent = nullptr);

    // The top-left corner of a pad of the given size beside anchor, inside screen.
    static QPoint placement(const QRect& anchor, const QSize& size, const QRect& screen);

    // Sets the title, each line shortened with an ellipsis to the pad's width.
    void setElidedTitle(const QString& title);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QRect screenRect() const;

    QRect m_anchor;
};
