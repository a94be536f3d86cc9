#include "accounting/countersdocument.h"

#include "accounting/counterserializer.h"
#include "accounting/getcounterstask.h"
#include "board/accountingcounters.h"
#include "board/rk710controller.h"
#include "core/durablefile.h"
#include "core/xmldocument.h"
#include "core/xmltag.h"
#include "core/xmlwriting.h"

#include <QXmlStreamWriter>

// Declared with the counters; written here with the document it belongs to.
void AccountingCounters::toXml(QXmlStreamWriter& writer, const char* type) const
{
    VM24::XmlTag counter("counter", {QStringLiteral("type"), QLatin1String(type)}, writer);
    for (int i = 0; i < DENOMINATION_COUNT; ++i) {
        VM24::write_text_element("currency", QString::number(get(i)),
                                 {QStringLiteral("value"), QString::number(denomination(i))}, writer);
    }
    for (int hopper = 0; hopper < 3; ++hopper) {
        VM24::write_text_element("hopper", QString::number(get(Hopper1 + hopper)),
                                 {QStringLiteral("id"), QString::number(hopper + 1)}, writer);
    }
}

namespace VM24 {

void load_counters_and_notify(Rk710Controller* controller, QObject* target)
{
    controller->start(new GetCountersTask(controller, target));
}

void load_counters(Rk710Controller* controller, const QString& path)
{
    load_counters_and_notify(controller, new CounterSerializer(path));
}

bool counters_to_xml_document(const QString& path, const AccountingCounters& permanent,
                              const AccountingCounters& partial, const AccountingCounters& daily)
{
    const QByteArray data = XmlDocument::build([&](QXmlStreamWriter& writer) {
        XmlTag counters("counters", writer);
        permanent.toXml(writer, "permanent");
        partial.toXml(writer, "partial");
        daily.toXml(writer, "daily");
    });
    return write_file_durably(path, data);
}

} // namespace VM24
