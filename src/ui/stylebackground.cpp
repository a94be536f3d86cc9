#include "ui/stylebackground.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QWidget>

namespace VM24 {

void paint_style_background(QWidget* widget)
{
    QPainter painter(widget);
    paint_style_background(widget, painter);
}

void paint_style_background(QWidget* widget, QPainter& painter)
{
    QStyleOption option;
    option.initFrom(widget);
    widget->style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, widget);
}

} // namespace VM24
