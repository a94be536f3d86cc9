#include "accounting/countersdocument.h"

#include "board/rk710controller.h"
#include "core/durablefile.h"
#include "core/xmldocument.h"
#include "core/xmltag.h"
#include "core/xmlwriting.h"

#include <QCoreApplication>
#include <QXmlStreamWriter>
#include <QtConcurrentRun>

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

namespace {

BoardCounters board_counters(Rk710Controller* controller)
{
    BoardCounters counters;
    counters.permanent = controller->getCounters(Rk710SerialProtocol::Permanent);
    counters.partial = controller->getCounters(Rk710SerialProtocol::Partial);
    counters.daily = controller->getCounters(Rk710SerialProtocol::Daily);
    return counters;
}

} // namespace

QFuture<BoardCounters> read_board_counters(Rk710Controller* controller)
{
    return QtConcurrent::run(controller->shortJobs(), [controller] { return board_counters(controller); });
}

void save_board_counters(Rk710Controller* controller, const QString& path)
{
    const BoardCounters counters = board_counters(controller);
    counters_to_xml_document(path, counters.permanent, counters.partial, counters.daily);
}

void load_counters(Rk710Controller* controller, const QString& path)
{
    read_board_counters(controller).then(QCoreApplication::instance(), [path](const BoardCounters& counters) {
        counters_to_xml_document(path, counters.permanent, counters.partial, counters.daily);
    });
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
