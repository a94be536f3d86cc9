#include "catalogue/productdatabase.h"

#include "catalogue/cataloguefile.h"
#include "catalogue/cataloguelog.h"
#include "catalogue/productids.h"

#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

const char* const INDEX_FILE = "index.xml";

bool is_user_product(const ProductRecord& record)
{
    return VM24::catalogue_part(record.id()) == QLatin1String(VM24::USER_CATALOGUE);
}

bool is_edited_delivered_product(const ProductRecord& record)
{
    return record.isModified() && !is_user_product(record);
}

void read_dependencies(QXmlStreamReader& reader, Catalogue& header)
{
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("dependency"))
            header.addDependency(reader.attributes().value(QLatin1String("id")).toString());
        reader.skipCurrentElement();
    }
}

// Catalogue directories in character-code order of their names. Hidden
// ones are not catalogues: updates prepare and set aside catalogues there.
QStringList catalogue_directories(const QDir& root)
{
    QStringList names = root.entryList(QDir::Dirs | QDir::Readable | QDir::NoDotAndDotDot, QDir::Unsorted);
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

void ProductDatabase::loadCatalogues(const QString& rootPath)
{
    clearDatabase();
    m_deleted.clear();
    m_catalogues.clear();
    m_loadProblems.clear();

    const QDir root(rootPath);
    ensureUserEditsCatalogue(root);
    if (!root.exists())
        return;
    for (const QString& directory : catalogue_directories(root))
        loadCatalogueFile(root.filePath(directory + QLatin1Char('/') + QLatin1String(INDEX_FILE)));
    qCDebug(catalogueLog) << m_catalogues.size() << "catalogues loaded from" << rootPath;
}

void ProductDatabase::ensureUserEditsCatalogue(const QDir& root) const
{
    const QString name = QLatin1String(VM24::USER_EDITS_CATALOGUE_NAME);
    if (!root.exists())
        return;
    root.mkdir(name);
    QDir userEdits(root.filePath(name));
    if (!userEdits.exists() || !userEdits.isReadable() || userEdits.exists(QLatin1String(INDEX_FILE)))
        return;
    Catalogue header;
    header.name = name;
    header.timestamp = QDateTime::currentDateTime();
    VM24::write_catalogue_file(userEdits.filePath(QLatin1String(INDEX_FILE)), header, {});
}

void ProductDatabase::loadCatalogueFile(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    if (file.size() > MAX_CATALOGUE_FILE_BYTES) {
        m_loadProblems.append(QCoreApplication::translate("ProductDatabase",
                                                          "Catalogo %1 troppo grande (%2 byte, massimo %3): ignorato")
                                  .arg(fileName)
                                  .arg(file.size())
                                  .arg(MAX_CATALOGUE_FILE_BYTES));
        return;
    }

    QXmlStreamReader reader(&file);
    if (!reader.readNextStartElement() || reader.name() != QLatin1String("catalogue")) {
        reportDamage(fileName, reader);
        return;
    }

    Catalogue header;
    header.fileName = fileName;
    header.name = reader.attributes().value(QLatin1String("name")).toString();
    header.timestamp = VM24::read_catalogue_timestamp(
        reader.attributes().value(QLatin1String("timestamp")).toString());
    if (header.name.isEmpty())
        return;

    const bool userEdits = header.name == QLatin1String(VM24::USER_EDITS_CATALOGUE_NAME);
    while (reader.readNextStartElement()) {
        if (reader.name() == QLatin1String("dependencies"))
            read_dependencies(reader, header);
        else if (reader.name() == QLatin1String("product"))
            loadProduct(reader, header.name, userEdits);
        else
            reader.skipCurrentElement();
    }
    if (reader.hasError())
        reportDamage(fileName, reader);
    m_catalogues.append(header);
}

void ProductDatabase::reportDamage(const QString& fileName, const QXmlStreamReader& reader)
{
    const QString reason = reader.hasError()
        ? QStringLiteral("riga %1: %2").arg(reader.lineNumber()).arg(reader.errorString())
        : QCoreApplication::translate("ProductDatabase", "nessun elemento catalogue");
    m_loadProblems.append(QCoreApplication::translate("ProductDatabase", "Catalogo %1 danneggiato (%2)")
                              .arg(fileName, reason));
}

void ProductDatabase::loadProduct(QXmlStreamReader& reader, const QString& catalogueName, bool userEdits)
{
    const QString id = VM24::qualify_product_id(
        catalogueName, reader.attributes().value(QLatin1String("id")).toString());
    if (userEdits && reader.attributes().hasAttribute(QLatin1String("deleted"))) {
        remove(id);
        reader.skipCurrentElement();
        return;
    }

    auto existing = m_products.find(id);
    if (existing != m_products.end()) {
        existing->setModified(userEdits);
        VM24::parse_product_attributes(reader, *existing);
        return;
    }
    // A catalogue only defines products of its own, but for the operator's
    // edits: a product they create in a delivered catalogue is theirs.
    if (VM24::catalogue_part(id) != catalogueName && !userEdits) {
        reader.skipCurrentElement();
        return;
    }
    ProductRecord record(id);
    VM24::parse_product_attributes(reader, record);
    record.setModified(userEdits);
    m_products.insert(id, record);
}

void ProductDatabase::saveModified()
{
    Catalogue* userEdits = findCatalogue(QLatin1String(VM24::USER_EDITS_CATALOGUE_NAME));
    if (userEdits) {
        for (const Catalogue& other : std::as_const(m_catalogues)) {
            if (&other != userEdits)
                userEdits->addDependency(other.name);
        }
        saveCatalogue(*userEdits, is_edited_delivered_product, deletedProducts());
    }
    if (Catalogue* user = findCatalogue(QLatin1String(VM24::USER_CATALOGUE)))
        saveCatalogue(*user, is_user_product);
}

bool ProductDatabase::saveCatalogue(Catalogue& header, bool (*selects)(const ProductRecord&),
                                    const QStringList& deletedIds)
{
    QList<const ProductRecord*> records;
    for (const ProductRecord& record : std::as_const(m_products)) {
        if (selects(record))
            records.append(&record);
    }
    const QDateTime previous = header.timestamp;
    header.timestamp = QDateTime::currentDateTime();
    if (VM24::write_catalogue_file(header.fileName, header, records, deletedIds))
        return true;
    header.timestamp = previous;
    return false;
}

void ProductDatabase::add(const ProductRecord& record)
{
    m_deleted.erase(record.id());
    m_products.insert(record.id(), record);
}

void ProductDatabase::remove(const QString& id)
{
    m_products.remove(id);
    if (VM24::catalogue_part(id) != QLatin1String(VM24::USER_CATALOGUE))
        m_deleted.insert(id);
}

Catalogue ProductDatabase::catalogueHeader(const QString& name) const
{
    for (const Catalogue& header : m_catalogues) {
        if (header.name == name)
            return header;
    }
    return Catalogue();
}

void ProductDatabase::clearDatabase()
{
    m_products.clear();
}

Catalogue* ProductDatabase::findCatalogue(const QString& name)
{
    for (Catalogue& header : m_catalogues) {
        if (header.name == name)
            return &header;
    }
    return nullptr;
}
