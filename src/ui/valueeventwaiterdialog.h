#pragma once

#include "ui/eventwaiterdialog.h"

#include <QEvent>

#include <utility>

// An event that carries one result from a worker thread to a GUI object.
template <typename T>
class ValueEvent : public QEvent
{
public:
    using ValueType = T;

    explicit ValueEvent(T value, QEvent::Type type = QEvent::User)
        : QEvent(type)
        , m_value(std::move(value))
    {
    }

    const T& value() const { return m_value; }

private:
    T m_value;
};

// An EventWaiterDialog that also keeps the value of the EventType event that
// closed it. EventType provides value(); any other custom event still closes
// the dialog but leaves the value as it was.
template <typename EventType>
class ValueEventWaiterDialog : public EventWaiterDialog
{
public:
    using ValueType = std::decay_t<decltype(std::declval<const EventType&>().value())>;

    ValueEventWaiterDialog(const QString& title, const QString& text, QWidget* parent = nullptr)
        : EventWaiterDialog(title, text, parent)
    {
    }

    bool hasValue() const { return m_hasValue; }
    const ValueType& value() const { return m_value; }
    void clearValue()
    {
        m_value = ValueType();
        m_hasValue = false;
    }

protected:
    void customEvent(QEvent* event) override
    {
        if (const auto* valueEvent = dynamic_cast<const EventType*>(event)) {
            m_value = valueEvent->value();
            m_hasValue = true;
        }
        EventWaiterDialog::customEvent(event);
    }

private:
    ValueType m_value{};
    bool m_hasValue = false;
};
