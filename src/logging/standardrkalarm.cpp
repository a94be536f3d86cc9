#include "logging/standardrkalarm.h"

#include "app/vm24.h"

#include <QXmlStreamWriter>

namespace VM24 {

void StandardRkAlarm::toXml(QXmlStreamWriter& writer) const
{
    writer.writeEmptyElement(isCleared() ? QStringLiteral("AlarmClear") : QStringLiteral("Alarm"));
    writer.writeAttribute(QStringLiteral("id"), QString::number(id()));
    writer.writeAttribute(QStringLiteral("Description"), description());
    writer.writeAttribute(QStringLiteral("DateTime"), format_rk_date(timestamp()));
}

} // namespace VM24
