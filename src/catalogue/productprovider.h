#pragma once

#include "catalogue/productdatabase.h"

#include <QCache>
#include <QImage>
#include <QMap>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <QVector>

// The one way to the products: the database of every catalogue, the
// arrangement of products over the machine's 18 selections (kept in the
// settings, set from them by whoever composes the provider), and caches of the product pictures. GUI thread only.
class ProductProvider : public QObject
{
    Q_OBJECT

public:
    // Returned by every lookup that finds nothing.
    static const ProductRecord NULL_PRODUCT;
    // The large pictures kept decoded, the most recently used first: a
    // page of suggestions and the product bought, not every product ever
    // shown (a megabyte each).
    static const int IMAGE_CACHE_LIMIT_KB = 8192;

    explicit ProductProvider(const QString& catalogueRoot, QObject* parent = nullptr);

    QString catalogueRoot() const { return m_catalogueRoot; }

    // Drops the picture caches and reloads every catalogue; a catalogue
    // holding products without a cash price is named in a loadProblem.
    void loadDatabase();
    // A product is sold only with a cash price: a free product is not a
    // feature of this machine.
    static bool hasCashPrice(const ProductRecord& product);

    // Each entry is the qualified id offered by that selection; empty for
    // an empty selection.
    const QVector<QString>& arrangement() const { return m_arrangement; }
    // Replaces the arrangement, then trims the picture caches.
    void setArrangement(const QVector<QString>& arrangement);

    int productCount() const;
    // Records are valid until the next load, creation or removal.
    const ProductRecord& getProduct(int index) const;
    const ProductRecord& getProduct(const QString& id) const;
    const ProductRecord& getProductAtLocation(int selection) const;
    QList<int> locationsOf(const QString& id) const;
    Catalogue catalogueHeader(const QString& name) const;

    QString getThumbnailPath(const QString& id) const;
    QString getImagePath(const QString& id) const;
    QPixmap getThumbnail(const QString& id);
    QImage getImage(const QString& id);
    int cachedImagesKb() const { return int(m_imageCache.totalCost()); }
    // Forgets the pictures of products that no selection offers.
    void trimCache();
    // Replace a product's picture by moving the file at source in its place.
    bool setThumbnail(const QString& id, const QString& source);
    bool setImage(const QString& id, const QString& source);

    // Marks the product as edited and hands it out for editing; nullptr when
    // there is no such product.
    ProductRecord* modifyProduct(const QString& id);
    // The same, creating an empty product under that id when needed.
    ProductRecord& modifyOrCreate(const QString& id);
    // Removes the product and its picture files.
    void removeProduct(const QString& id);
    void saveModified();

public slots:
    void onContentChanged(const QString& name);

signals:
    // A catalogue file was refused or damaged; the message names it.
    void loadProblem(const QString& message);

private:
    QString pictureBasePath(const QString& id) const;
    void reportUnpricedProducts();

    ProductDatabase m_database;
    QString m_catalogueRoot;
    QVector<QString> m_arrangement;
    QCache<QString, QImage> m_imageCache{IMAGE_CACHE_LIMIT_KB};
    QMap<QString, QPixmap> m_thumbnailCache;
};
