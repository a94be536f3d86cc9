#include "tasks/spooldirectories.h"

#include "core/defaults.h"
#include "core/vm24.h"
#include "tasks/taskslog.h"

#include <QDir>

namespace VM24 {

QStringList spool_directories()
{
    QStringList paths;
    for (const char* name : {Defaults::Schedule::DRAFTS, Defaults::Schedule::OUTGOING, Defaults::Schedule::MAILBOX,
                             Defaults::Schedule::ARCHIVE})
        paths.append(get_path(QLatin1String(name)));
    return paths;
}

QStringList make_spool_directories()
{
    QStringList failed;
    for (const QString& path : spool_directories()) {
        if (!QDir().mkpath(path)) {
            qCWarning(tasksLog) << "Cannot create the spool directory" << path;
            failed.append(path);
        }
    }
    return failed;
}

} // namespace VM24
