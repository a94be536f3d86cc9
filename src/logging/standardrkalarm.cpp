#include "logging/standardrkalarm.h"

#include "core/vm24.h"
#include "core/xmlwriting.h"

namespace VM24 {

void StandardRkAlarm::toXml(QXmlStreamWriter& writer) const
{
    write_empty_element(isCleared() ? "AlarmClear" : "Alarm",
                        {QStringLiteral("id"), QString::number(id()), QStringLiteral("Description"), description(),
                         QStringLiteral("DateTime"), format_rk_date(timestamp())},
                        writer);
}

} // namespace VM24
