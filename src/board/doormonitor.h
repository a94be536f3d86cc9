#pragma once

#include <QObject>

// Follows the front and back door switches of the input word.
class DoorMonitor : public QObject
{
    Q_OBJECT
public:
    explicit DoorMonitor(QObject* parent = nullptr);

    bool isFrontClosed() const { return m_frontClosed; }
    bool isBackClosed() const { return m_backClosed; }

public slots:
    // Takes the doors' states without announcing them.
    void setInitialDoorStates(int inputs);
    // Announces each door that opened or closed, the front door first.
    void setInput(int inputs);

signals:
    void frontDoorOpenChanged(bool open);
    void backDoorOpenChanged(bool open);

private:
    bool m_frontClosed = false;
    bool m_backClosed = false;
};
