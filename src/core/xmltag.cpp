#include "core/xmltag.h"

#include "core/xmlwriting.h"

#include <QXmlStreamWriter>

namespace VM24 {

XmlTag::XmlTag(const char* name, QXmlStreamWriter& writer)
    : XmlTag(name, QStringList(), writer)
{
}

XmlTag::XmlTag(const char* name, const QStringList& attributes, QXmlStreamWriter& writer)
    : m_writer(writer)
{
    m_writer.writeStartElement(QLatin1String(name));
    write_attribute_list(m_writer, attributes);
}

XmlTag::~XmlTag()
{
    m_writer.writeEndElement();
}

void XmlTag::append(const QString& text)
{
    m_writer.writeCharacters(text);
}

} // namespace VM24
