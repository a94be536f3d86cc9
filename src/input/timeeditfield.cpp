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

void TimeEditField::doEdit(const QString&)
{
    auto* pad = new TimePad(window());
    pad->setTitle(title());
    pad->setTime(m_time);
    openPad(pad, [this, pad] {
        setTime(pad->time());
        return true;
    });
}
