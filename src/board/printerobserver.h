#pragma once

#include <QObject>

// Tells whether a receipt can be printed: the printer is present and has paper.
class PrinterObserver : public QObject
{
    Q_OBJECT
public:
    explicit PrinterObserver(QObject* parent = nullptr);

    bool isPresent() const { return m_present; }
    bool isOutOfPaper() const { return m_outOfPaper; }
    bool isTicketAvailable() const { return m_present && !m_outOfPaper; }

public slots:
    // Takes the board status word; announces a change of availability only.
    void setDeviceStatus(int status);

signals:
    void ticketAvailableChanged(bool available);

private:
    bool m_present = false;
    bool m_outOfPaper = true;
};
