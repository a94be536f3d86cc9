#pragma once

#include <QString>
#include <QStringList>

class QXmlStreamWriter;

// Small helpers shared by every XML writer of the program. Attributes are
// given as lists of alternating names and values.
namespace VM24 {

void write_empty_element(const char* name, const QStringList& attributes, QXmlStreamWriter& writer);
void write_text_element(const char* name, const QString& text, const QStringList& attributes,
                        QXmlStreamWriter& writer);

} // namespace VM24

// Writes the (name, value) pairs in order; a trailing name without a value
// is left out.
void write_attribute_list(QXmlStreamWriter& writer, const QStringList& attributes);
