#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/productrecord.h"

#include <QList>
#include <QMap>
#include <QString>

class QDir;

// Every product of every catalogue under a catalogue root, keyed by
// qualified id, and the header of each loaded catalogue. The catalogue files
// are the only store: catalogues load in directory-name order, so the
// operator's edits ("zz-user-edits") override the delivered ones field by
// field; saving writes back the two catalogues the machine owns.
class ProductDatabase
{
public:
    using ProductMap = QMap<QString, ProductRecord>;

    // Rebuilds products and headers from the catalogues under rootPath.
    void loadCatalogues(const QString& rootPath);
    // Writes the edited products into the user-edits catalogue and the
    // products created on the machine into the "user" catalogue.
    void saveModified();

    // Inserts the record, or replaces every field of the one with its id.
    void add(const ProductRecord& record);
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
    void loadProduct(class QXmlStreamReader& reader, const QString& catalogueName, bool userEdits);
    Catalogue* findCatalogue(const QString& name);
    bool saveCatalogue(Catalogue& header, bool (*selects)(const ProductRecord&));

    ProductMap m_products;
    QList<Catalogue> m_catalogues;
};
