#include "core/xmldocument.h"

#include <QXmlStreamWriter>

namespace VM24 {

XmlDocument::XmlDocument(QXmlStreamWriter& writer)
    : m_writer(writer)
{
    m_writer.writeStartDocument();
}

QByteArray XmlDocument::build(const std::function<void(QXmlStreamWriter&)>& content)
{
    QByteArray data;
    QXmlStreamWriter writer(&data);
    writer.setAutoFormatting(true);
    {
        XmlDocument document(writer);
        content(writer);
    }
    return data;
}

XmlDocument::~XmlDocument()
{
    m_writer.writeEndDocument();
}

} // namespace VM24
