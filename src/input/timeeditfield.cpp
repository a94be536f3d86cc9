#include "input/timeeditfield.h"

#include "input/timepad.h"

TimeEditField::TimeEditField(QWidget* parent)
    : EditField(parent)
{
}

void TimeEditField::setTime(const QTime& time)
{
    if (time == m_time)
        return;
    m_time = time;
    setInputText(time.toString(QStringLiteral("hh:mm")));
}

bool TimeEditField::doEdit(const QString&)
{
    TimePad pad(window());
    pad.setTitle(title());
    pad.setTime(m_time);
    if (pad.exec() != QDialog::Accepted)
        return false;
    setTime(pad.time());
    return true;
}
