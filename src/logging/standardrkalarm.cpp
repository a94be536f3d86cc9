#include "logging/standardrkalarm.h"

#include "accounting/xmlwriting.h"
#include "app/vm24.h"

namespace VM24 {

void StandardRkAlarm::toXml(QXmlStreamWriter& writer) const
{
    write_empty_element(isCleared() ? "AlarmClear" : "Alarm",
                        {QStringLiteral("id"), QString::number(id()), QStringLiteral("Description"), description(),
                         QStringLiteral("DateTime"), format_rk_date(timestamp())},
                        writer);
}

} // namespace VM24
