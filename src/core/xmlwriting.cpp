#include "core/xmlwriting.h"

#include <QXmlStreamWriter>

namespace VM24 {

void write_empty_element(const char* name, const QStringList& attributes, QXmlStreamWriter& writer)
{
    writer.writeEmptyElement(QLatin1String(name));
    write_attribute_list(writer, attributes);
}

void write_text_element(const char* name, const QString& text, const QStringList& attributes,
                        QXmlStreamWriter& writer)
{
    writer.writeStartElement(QLatin1String(name));
    write_attribute_list(writer, attributes);
    writer.writeCharacters(text);
    writer.writeEndElement();
}

} // namespace VM24

void write_attribute_list(QXmlStreamWriter& writer, const QStringList& attributes)
{
    for (int i = 0; i + 1 < attributes.size(); i += 2)
        writer.writeAttribute(attributes.at(i), attributes.at(i + 1));
}
