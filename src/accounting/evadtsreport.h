#pragma once

#include "accounting/accounting.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

// The vending industry's audit file (EVA-DTS) of one readout: everything it
// shows, gathered by the caller, and the text made of it. Making the text
// reads nothing and writes nothing. A figure the caller could not get stays
// unset and its field is written empty.
class EvaDtsReport
{
public:
    static const int SELECTION_COUNT = Accounting::DISPENSER_COUNT;

    // One figure over the two periods of the audit.
    struct PeriodCount
    {
        qint64 sinceInitialisation = 0;
        qint64 sinceReset = 0;
    };

    struct Selection
    {
        // Cents; unset for a selection that offers nothing.
        std::optional<int> cashPrice;
        QString productId;
        // Null when no sale of it is known.
        QDateTime lastSale;
    };

    // The permanent period of the ledger is the audit's "since
    // initialisation", the partial period its "since the last reset".
    Accounting sinceInitialisation;
    Accounting sinceReset;

    int machineSerial = 0;
    QString softwareVersion;
    // Empty when the board answered nothing.
    QString boardSerial;
    QString boardFirmware;
    // The coins in the change tubes and hoppers now, in cents.
    std::optional<qint64> tubeContents;

    std::array<Selection, SELECTION_COUNT> selections;
    // Counted in the event log; unset when it could not be read.
    std::optional<PeriodCount> cashVends;
    std::optional<PeriodCount> cashlessVends;
    std::optional<PeriodCount> tamperEvents;
    std::optional<PeriodCount> powerOutages;

    // This readout counted in.
    int readouts = 0;
    int readsWithReset = 0;
    QDateTime readoutTime;
    // Null for the first readout.
    QDateTime previousReadout;

    QByteArray text() const;

    // The 16-bit check of the transmission: polynomial 0x8005 reflected,
    // initial value 0.
    static quint16 crc16(const QByteArray& bytes);
};
