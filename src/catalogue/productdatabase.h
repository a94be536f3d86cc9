#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/productrecord.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <set>

class QDir;
class QXmlStreamReader;

// Every product of every catalogue under a catalogue root, keyed by
// qualified id, and the header of each loaded catalogue. The catalogue files
// are the only store: catalogues load in directory-name order, so the
// operator's edits ("zz-user-edits") override the delivered ones field by
// field; saving writes back the two catalogues the machine owns.
class ProductDatabase
{
public:
    using ProductMap = QMap<QString, ProductRecord>;

    // A catalogue file larger than this is refused: no real catalogue comes
    // near it, and reading it would take the memory the program needs.
    static const qint64 MAX_CATALOGUE_FILE_BYTES = 8 * 1024 * 1024;

    // Rebuilds products and headers from the catalogues under rootPath.
    // Catalogue files that were refused or did not parse to their end are
    // named in loadProblems() (what was read before the damage stays).
    void loadCatalogues(const QString& rootPath);
    const QStringList& loadProblems() const { return m_loadProblems; }
    // Writes the edited products into the user-edits catalogue and the
    // products created on the machine into the "user" catalogue.
    void saveModified();

    // Inserts the record, or replaces every field of the one with its id;
    // a product deleted before is back.
    void add(const ProductRecord& record);
    // Takes the product out. A delivered product stays out: its deletion is
    // saved into the user-edits catalogue and holds over reloads and over
    // new deliveries of its catalogue.
    void remove(const QString& id);
    // The delivered products the operator deleted, in id order.
    QStringList deletedProducts() const { return QStringList(m_deleted.cbegin(), m_deleted.cend()); }
    // The first header with that name; an empty header when there is none.
    Catalogue catalogueHeader(const QString& name) const;
    void clearDatabase();

    ProductMap& products() { return m_products; }
    const ProductMap& products() const { return m_products; }
    QList<Catalogue>& catalogues() { return m_catalogues; }
    const QList<Catalogue>& catalogues() const { return m_catalogues; }

private:
    void ensureUserEditsCatalogue(const QDir& root) const;
    void loadCatalogueFile(const QString& fileName);
    void loadProduct(QXmlStreamReader& reader, const QString& catalogueName, bool userEdits);
    void reportDamage(const QString& fileName, const QXmlStreamReader& reader);
    Catalogue* findCatalogue(const QString& name);
    bool saveCatalogue(Catalogue& header, bool (*selects)(const ProductRecord&), const QStringList& deletedIds = {});

    ProductMap m_products;
    std::set<QString> m_deleted;
    QList<Catalogue> m_catalogues;
    QStringList m_loadProblems;
};
