#pragma once

#include <QByteArray>

#include <functional>

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

    // A whole auto-formatted UTF-8 document whose content writes.
    static QByteArray build(const std::function<void(QXmlStreamWriter&)>& content);

private:
    QXmlStreamWriter& m_writer;
};

} // namespace VM24
