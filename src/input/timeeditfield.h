#pragma once

#include "input/editfield.h"

#include <QTime>

// A time of day shown as "hh:mm" and typed on a TimePad.
class TimeEditField : public EditField
{
    Q_OBJECT

public:
    explicit TimeEditField(QWidget* parent = nullptr);

    QTime time() const { return m_time; }
    void setTime(const QTime& time);

protected:
    void doEdit(const QString& current) override;

private:
    QTime m_time;
};
