#include "updates/updatecommand.h"

#include "updates/updatefiles.h"

#include <QFileInfo>

UpdateCommand::UpdateCommand(AssetsRegistry* registry)
    : m_registry(registry)
{
}

UpdateCommand::~UpdateCommand() = default;

void UpdateCommand::beginParse(const QDateTime& now)
{
    m_nowMs = now.toMSecsSinceEpoch();
    m_publications.clear();
    m_modified.clear();
}

// Local-time conversions are slow; a descriptor repeats few dates.
qint64 UpdateCommand::publication(const QString& date, const QString& time)
{
    const QString key = date + QLatin1Char(' ') + time;
    const auto cached = m_publications.constFind(key);
    if (cached != m_publications.cend())
        return *cached;
    const QDate day = QDate::fromString(date, QStringLiteral("yyyy-MM-dd"));
    const QTime at = time.isEmpty() ? QTime(0, 0) : QTime::fromString(time, QStringLiteral("hh:mm"));
    const QDateTime when(day, at);
    const qint64 ms = day.isValid() && at.isValid() && when.isValid() ? when.toMSecsSinceEpoch() : -1;
    m_publications.insert(key, ms);
    return ms;
}

qint64 UpdateCommand::modified(const QString& path)
{
    const auto cached = m_modified.constFind(path);
    if (cached != m_modified.cend())
        return *cached;
    const QFileInfo info(path);
    const qint64 ms = info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
    m_modified.insert(path, ms);
    return ms;
}

bool UpdateCommand::isUsableUrl(const QUrl& url)
{
    return VM24::is_downloadable_url(url) && !VM24::url_filename(url).isEmpty();
}
