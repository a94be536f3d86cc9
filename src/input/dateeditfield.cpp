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

bool DateEditField::doEdit(const QString&)
{
    DatePad pad(window());
    pad.setTitle(title());
    pad.setDate(m_date);
    if (pad.exec() != QDialog::Accepted)
        return false;
    if (pad.date() != m_date)
        setDate(pad.date());
    return true;
}
