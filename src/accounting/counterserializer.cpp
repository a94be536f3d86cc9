#include "accounting/counterserializer.h"

#include "accounting/countersdocument.h"
#include "accounting/getcountersevent.h"

CounterSerializer::CounterSerializer(const QString& path, QObject* parent)
    : QObject(parent)
    , m_path(path)
{
}

void CounterSerializer::customEvent(QEvent* event)
{
    const auto* counters = static_cast<VM24::GetCountersEvent*>(event);
    VM24::counters_to_xml_document(m_path, counters->permanent(), counters->partial(), counters->daily());
    deleteLater();
}
