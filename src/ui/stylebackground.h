#pragma once

class QPainter;
class QWidget;

namespace VM24 {

// Paints the widget's background as the style sheet gives it; custom widgets
// call it first in their paint events so that style sheet backgrounds apply.
void paint_style_background(QWidget* widget);
void paint_style_background(QWidget* widget, QPainter& painter);

} // namespace VM24
