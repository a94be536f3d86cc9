#include "input/dateeditfield.h"

#include "input/datepad.h"

DateEditField::DateEditField(QWidget* parent)
    : EditField(parent)
{
}

void DateEditField::setDate(const QDate& date)
{
    m_date = date;
    setInputText(date.toString(m_format));
}

void DateEditField::setDisplayFormat(const QString& format)
{
    m_format = format;
    setInputText(m_date.toString(m_format));
}

void DateEditField::doEdit(const QString&)
{
    auto* pad = new DatePad(window());
    pad->setTitle(title());
    pad->setDate(m_date);
    openPad(pad, [this, pad] {
        // The pad's pattern lets a day that does not exist through (31/02).
        if (!pad->date().isValid())
            return false;
        if (pad->date() != m_date)
            setDate(pad->date());
        return true;
    });
}
