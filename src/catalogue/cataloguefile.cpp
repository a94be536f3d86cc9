#include "catalogue/cataloguefile.h"

#include "catalogue/catalogue.h"
#include "catalogue/productids.h"
#include "catalogue/productrecord.h"
#include "core/durablefile.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const char* const TIMESTAMP_FORMAT = "yyyy-MM-dd'T'HH:mm:ss";

// A price is a decimal number of cents; anything else, a negative amount
// included, reads as "no price".
int read_price_text(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok && value > 0 ? value : 0;
}

int read_level_text(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

void parse_prices(QXmlStreamReader& reader, ProductRecord& record)
{
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("price")) {
            const int level = read_level_text(reader.attributes().value(QLatin1String("level")).toString());
            record.setPrice(level, read_price_text(reader.readElementText(QXmlStreamReader::SkipChildElements)));
        } else {
            reader.skipCurrentElement();
        }
    }
}

void write_product(QXmlStreamWriter& writer, const Catalogue& header, const ProductRecord& record)
{
    writer.writeStartElement(QStringLiteral("product"));
    writer.writeAttribute(QStringLiteral("id"), VM24::make_local(header, record.id()));
    writer.writeAttribute(QStringLiteral("name"), record.name());
    writer.writeAttribute(QStringLiteral("category"), record.category());
    writer.writeTextElement(QStringLiteral("description"), record.description());
    writer.writeStartElement(QStringLiteral("prices"));
    for (int level = 0; level < ProductRecord::PRICE_LEVELS; ++level) {
        if (record.price(level) <= 0)
            continue;
        writer.writeStartElement(QStringLiteral("price"));
        writer.writeAttribute(QStringLiteral("level"), QString::number(level));
        writer.writeCharacters(QString::number(record.price(level)));
        writer.writeEndElement();
    }
    writer.writeEndElement(); // prices
    writer.writeEndElement(); // product
}

} // namespace

namespace VM24 {

QString format_catalogue_timestamp(const QDateTime& timestamp)
{
    return timestamp.toLocalTime().toString(QLatin1String(TIMESTAMP_FORMAT));
}

QDateTime read_catalogue_timestamp(const QString& text)
{
    return QDateTime::fromString(text, Qt::ISODate);
}

void parse_product_attributes(QXmlStreamReader& reader, ProductRecord& record)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    if (attributes.hasAttribute(QLatin1String("name")))
        record.setName(attributes.value(QLatin1String("name")).toString());
    if (attributes.hasAttribute(QLatin1String("category")))
        record.setCategory(attributes.value(QLatin1String("category")).toString());

    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("description"))
            record.setDescription(reader.readElementText(QXmlStreamReader::SkipChildElements));
        else if (reader.name() == QLatin1String("prices"))
            parse_prices(reader, record);
        else
            reader.skipCurrentElement();
    }
}

bool write_catalogue_file(const QString& path, const Catalogue& header,
                          const QList<const ProductRecord*>& records, const QStringList& deletedIds)
{
    return write_file_durably(path, [&](QIODevice* file) {
        QXmlStreamWriter writer(file);
        writer.setAutoFormatting(true);
        writer.writeStartDocument();
        writer.writeStartElement(QStringLiteral("catalogue"));
        writer.writeAttribute(QStringLiteral("name"), header.name);
        writer.writeAttribute(QStringLiteral("timestamp"), format_catalogue_timestamp(header.timestamp));
        writer.writeStartElement(QStringLiteral("dependencies"));
        for (const QString& dependency : header.dependencies) {
            writer.writeEmptyElement(QStringLiteral("dependency"));
            writer.writeAttribute(QStringLiteral("id"), dependency);
        }
        writer.writeEndElement(); // dependencies
        for (const ProductRecord* record : records)
            write_product(writer, header, *record);
        for (const QString& id : deletedIds) {
            writer.writeEmptyElement(QStringLiteral("product"));
            writer.writeAttribute(QStringLiteral("id"), VM24::make_local(header, id));
            writer.writeAttribute(QStringLiteral("deleted"), QStringLiteral("deleted"));
        }
        writer.writeEndElement(); // catalogue
        writer.writeEndDocument();
        return !writer.hasError();
    });
}

} // namespace VM24
