#include "accounting/xmldocument.h"

#include <QXmlStreamWriter>

namespace VM24 {

XmlDocument::XmlDocument(QXmlStreamWriter& writer)
    : m_writer(writer)
{
    m_writer.writeStartDocument();
}

XmlDocument::~XmlDocument()
{
    m_writer.writeEndDocument();
}

} // namespace VM24
