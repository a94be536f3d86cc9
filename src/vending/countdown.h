#pragma once

#include <QObject>
#include <QTimer>

// A countdown in seconds: tick(value) at every step, expired() at 0.
class Countdown : public QObject
{
    Q_OBJECT

public:
    static const int DEFAULT_START_VALUE = 10;

    explicit Countdown(QObject* parent = nullptr);

    int startValue() const { return m_startValue; }
    void setStartValue(int value) { m_startValue = value; }
    int value() const { return m_value; }
    bool isActive() const { return m_timer.isActive(); }
    // The length of a step; one second unless told otherwise.
    void setInterval(int ms) { m_timer.setInterval(ms); }

public slots:
    void start(int startValue);
    // From the start value again, running.
    void start();
    // Back to the start value, a running countdown with a whole step ahead;
    // a stopped countdown stays stopped.
    void reset();
    void stop();

signals:
    void tick(int value);
    void expired();

private slots:
    void onTick();

private:
    QTimer m_timer;
    int m_startValue = DEFAULT_START_VALUE;
    int m_value = DEFAULT_START_VALUE;
};
