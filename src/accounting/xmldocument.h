#pragma once

class QXmlStreamWriter;

namespace VM24 {

// Scope of a whole XML document: the declaration when made, the end of the
// document (closing whatever is still open) when destroyed.
class XmlDocument
{
public:
    explicit XmlDocument(QXmlStreamWriter& writer);
    ~XmlDocument();
    XmlDocument(const XmlDocument&) = delete;
    XmlDocument& operator=(const XmlDocument&) = delete;

private:
    QXmlStreamWriter& m_writer;
};

} // namespace VM24
