#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class Catalogue;
class ProductRecord;
class QXmlStreamReader;

// Reading and writing of a catalogue's index.xml.
namespace VM24 {

// Timestamps are local ISO 8601 date-times without zone, to the second.
QString format_catalogue_timestamp(const QDateTime& timestamp);
QDateTime read_catalogue_timestamp(const QString& text);

// Reads the product element the reader stands on into record, field by
// field: attributes and elements that are absent leave their field as it
// was. Returns with the reader on the element's end (or on an error).
void parse_product_attributes(QXmlStreamReader& reader, ProductRecord& record);

// Writes a whole catalogue file: the header, then the records in the given
// order, each id made local to the catalogue. The file is replaced only
// once the new content is safely on disk, so an interrupted write never
// leaves a truncated file behind. False when the file could not be written
// (the previous content is then untouched). Each id of deletedIds follows
// as an empty product element carrying the attribute "deleted".
bool write_catalogue_file(const QString& path, const Catalogue& header,
                          const QList<const ProductRecord*>& records, const QStringList& deletedIds = {});

} // namespace VM24
