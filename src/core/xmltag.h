#pragma once

#include <QStringList>

class QXmlStreamWriter;

namespace VM24 {

// Scope of one element: the start tag (and its attributes, given as
// alternating names and values) when made, the end tag when destroyed.
class XmlTag
{
public:
    XmlTag(const char* name, QXmlStreamWriter& writer);
    XmlTag(const char* name, const QStringList& attributes, QXmlStreamWriter& writer);
    ~XmlTag();
    XmlTag(const XmlTag&) = delete;
    XmlTag& operator=(const XmlTag&) = delete;

    // Text content of the element.
    void append(const QString& text);

private:
    QXmlStreamWriter& m_writer;
};

} // namespace VM24
