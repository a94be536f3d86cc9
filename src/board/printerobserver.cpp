#include "board/printerobserver.h"

#include "board/boardstatus.h"

PrinterObserver::PrinterObserver(QObject* parent)
    : QObject(parent)
{
}

void PrinterObserver::setDeviceStatus(int status)
{
    const bool wasAvailable = isTicketAvailable();
    m_present = status & BoardStatus::Printer;
    m_outOfPaper = status & BoardStatus::OutOfPaper;
    if (isTicketAvailable() != wasAvailable)
        emit ticketAvailableChanged(isTicketAvailable());
}
