#pragma once

#include <QObject>
#include <QString>

// Writes the board counters it is sent as a GetCountersEvent to its file,
// then deletes itself.
class CounterSerializer : public QObject
{
    Q_OBJECT

public:
    explicit CounterSerializer(const QString& path, QObject* parent = nullptr);

protected:
    void customEvent(QEvent* event) override;

private:
    QString m_path;
};
