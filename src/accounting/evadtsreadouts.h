#pragma once

#include <QDateTime>
#include <QString>

// How often the audit file was read out, kept in the application directory
// ("evadts-readouts") and replaced durably at every change. Safe to use
// from any thread: the USB export, the daily compilation and the
// operator's reset each run on their own.
class EvaDtsReadouts
{
public:
    static const char* const FILE_NAME;

    int readouts = 0;
    int readsWithReset = 0;
    // The readout before this one; null for the first.
    QDateTime previousReadout;
    QDateTime lastReadout;

    // The file's state; all zero when it is missing or unreadable.
    static EvaDtsReadouts load();
    // Counts one readout at now and keeps it; the state with it counted in.
    // When it cannot be kept the readout still counts in the returned state.
    static EvaDtsReadouts takeReadout(const QDateTime& now);
    // A partial reset of the books is a read with reset.
    static bool countReset();
    // A reset of the permanent books starts the count again.
    static bool clear();

    static QString path();
};
