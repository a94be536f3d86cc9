#pragma once

#include "input/editfield.h"

#include <QDate>

// A date typed on a DatePad and shown in a settable format ("yyyy/MM/dd").
class DateEditField : public EditField
{
    Q_OBJECT

public:
    explicit DateEditField(QWidget* parent = nullptr);

    QDate date() const { return m_date; }
    void setDate(const QDate& date);
    void setDisplayFormat(const QString& format);

protected:
    void doEdit(const QString& current) override;

private:
    QDate m_date;
    QString m_format = QStringLiteral("yyyy/MM/dd");
};
