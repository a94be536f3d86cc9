#include "updates/pkgaction.h"

namespace VM24 {

PkgAction::Policy policy_from_string(const QString& word)
{
    return word.compare(QLatin1String("force"), Qt::CaseInsensitive) == 0 ? PkgAction::Force : PkgAction::Auto;
}

QDebug operator<<(QDebug debug, const PkgAction& action)
{
    QDebugStateSaver saver(debug);
    debug.nospace() << action.name << ' ' << action.version << ' ' << action.file << ' '
                    << (action.policy == PkgAction::Force ? "force" : "auto");
    return debug;
}

} // namespace VM24
