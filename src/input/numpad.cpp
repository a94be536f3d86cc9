#include "input/numpad.h"

#include <QIntValidator>

#include <limits>

NumPad::NumPad(QWidget* parent)
    : NumPad(0, std::numeric_limits<int>::max(), parent)
{
}

NumPad::NumPad(int min, int max, QWidget* parent)
    : AbstractNumPad(QChar(), std::make_unique<QIntValidator>(min, max), parent)
{
}
