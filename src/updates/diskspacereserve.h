#pragma once

#include <QString>

#include <functional>

// The free space that updates always leave on a partition, so that the
// ledgers and the event log beside the data directory find room whatever
// arrives. Downloads and extractions ask before they write and stop when
// they would eat into it.
class DiskSpaceReserve
{
public:
    static constexpr qint64 DEFAULT_RESERVE_BYTES = qint64(64) * 1024 * 1024;

    // Free bytes on the partition that holds path; negative when unknown.
    using Probe = std::function<qint64(const QString& path)>;

    static qint64 reserveBytes();
    // Tests set a reserve and a probe of their own; a null probe brings
    // the real one back.
    static void setReserveBytes(qint64 bytes);
    static void setProbe(Probe probe);

    static qint64 available(const QString& path);
    // True when bytes more written under path leave the reserve free. An
    // unknown free space counts as none.
    static bool allows(const QString& path, qint64 bytes);
};
