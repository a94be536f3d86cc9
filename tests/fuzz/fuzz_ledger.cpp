// The ledger reader on any bytes, as a damaged "accounting.xml" would hold.
// A ledger it accepts is written; what is written must read back and be
// written again the same (the first writing may normalise dates).
#include "accounting/ledger.h"

#include <QByteArray>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cstdint>
#include <cstdlib>

namespace {

QByteArray written(const Ledger& ledger)
{
    QByteArray bytes;
    QXmlStreamWriter writer(&bytes);
    writer.writeStartDocument();
    ledger.toXml(writer);
    writer.writeEndDocument();
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QXmlStreamReader reader(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    Ledger ledger;
    if (!ledger.fromXml(reader))
        return 0;
    const QByteArray first = written(ledger);
    QXmlStreamReader again(first);
    Ledger reread;
    if (!reread.fromXml(again) || written(reread) != first)
        std::abort();
    return 0;
}
