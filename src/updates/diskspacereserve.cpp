#include "updates/diskspacereserve.h"

#include <QMutex>
#include <QMutexLocker>
#include <QStorageInfo>

namespace {

QMutex mutex;
qint64 reserve = DiskSpaceReserve::DEFAULT_RESERVE_BYTES;
DiskSpaceReserve::Probe probe;

qint64 free_bytes(const QString& path)
{
    const QStorageInfo storage(path);
    return storage.isValid() && storage.isReady() ? storage.bytesAvailable() : -1;
}

} // namespace

qint64 DiskSpaceReserve::reserveBytes()
{
    QMutexLocker locker(&mutex);
    return reserve;
}

void DiskSpaceReserve::setReserveBytes(qint64 bytes)
{
    QMutexLocker locker(&mutex);
    reserve = qMax<qint64>(0, bytes);
}

void DiskSpaceReserve::setProbe(Probe replacement)
{
    QMutexLocker locker(&mutex);
    probe = std::move(replacement);
}

qint64 DiskSpaceReserve::available(const QString& path)
{
    Probe current;
    {
        QMutexLocker locker(&mutex);
        current = probe;
    }
    return current ? current(path) : free_bytes(path);
}

bool DiskSpaceReserve::allows(const QString& path, qint64 bytes)
{
    const qint64 free = available(path);
    return free >= 0 && bytes >= 0 && free - bytes >= reserveBytes();
}
