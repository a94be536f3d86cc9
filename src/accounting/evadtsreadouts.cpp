#include "accounting/evadtsreadouts.h"

#include "accounting/accountinglog.h"
#include "core/durablefile.h"
#include "core/vm24.h"

#include <QFile>
#include <QMutex>
#include <QMutexLocker>

const char* const EvaDtsReadouts::FILE_NAME = "evadts-readouts";

namespace {

QMutex& file_mutex()
{
    static QMutex mutex;
    return mutex;
}

QByteArray date_text(const QDateTime& t)
{
    return t.isValid() ? t.toString(Qt::ISODate).toLatin1() : QByteArray();
}

EvaDtsReadouts parse(const QByteArray& text)
{
    EvaDtsReadouts state;
    for (const QByteArray& line : text.split('\n')) {
        const int at = line.indexOf('=');
        if (at < 0)
            continue;
        const QByteArray key = line.left(at);
        const QByteArray value = line.mid(at + 1).trimmed();
        if (key == "readouts")
            state.readouts = qMax(0, value.toInt());
        else if (key == "reads-with-reset")
            state.readsWithReset = qMax(0, value.toInt());
        else if (key == "previous")
            state.previousReadout = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODate);
        else if (key == "last")
            state.lastReadout = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODate);
    }
    return state;
}

QByteArray serialise(const EvaDtsReadouts& state)
{
    return "readouts=" + QByteArray::number(state.readouts) + "\nreads-with-reset="
        + QByteArray::number(state.readsWithReset) + "\nprevious=" + date_text(state.previousReadout)
        + "\nlast=" + date_text(state.lastReadout) + '\n';
}

EvaDtsReadouts load_unlocked()
{
    QFile file(EvaDtsReadouts::path());
    if (!file.open(QIODevice::ReadOnly))
        return EvaDtsReadouts();
    return parse(file.readAll());
}

bool save_unlocked(const EvaDtsReadouts& state)
{
    if (VM24::write_file_durably(EvaDtsReadouts::path(), serialise(state)))
        return true;
    qCWarning(accountingLog) << "Cannot keep the audit readouts in" << EvaDtsReadouts::path();
    return false;
}

} // namespace

QString EvaDtsReadouts::path()
{
    return VM24::get_path(QLatin1String(FILE_NAME));
}

EvaDtsReadouts EvaDtsReadouts::load()
{
    QMutexLocker locker(&file_mutex());
    return load_unlocked();
}

EvaDtsReadouts EvaDtsReadouts::takeReadout(const QDateTime& now)
{
    QMutexLocker locker(&file_mutex());
    EvaDtsReadouts state = load_unlocked();
    state.readouts += 1;
    state.previousReadout = state.lastReadout;
    state.lastReadout = now;
    save_unlocked(state);
    return state;
}

bool EvaDtsReadouts::countReset()
{
    QMutexLocker locker(&file_mutex());
    EvaDtsReadouts state = load_unlocked();
    state.readsWithReset += 1;
    return save_unlocked(state);
}

bool EvaDtsReadouts::clear()
{
    QMutexLocker locker(&file_mutex());
    return save_unlocked(EvaDtsReadouts());
}
