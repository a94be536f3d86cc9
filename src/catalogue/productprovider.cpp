#include "catalogue/productprovider.h"

#include "catalogue/productids.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <iterator>

namespace {

const char* const THUMBNAIL_SUFFIX = ".png";
const char* const IMAGE_SUFFIX = "_large.png";
// Ids named in the warning of a catalogue without prices.
const int MAX_UNPRICED_NAMED = 10;

// Not synced: a product picture lost to a power cut leaves the product
// without it until the operator sets it again; no money depends on it.
bool replace_file(const QString& target, const QString& source)
{
    if (QFile::exists(target))
        QFile::remove(target);
    return QFile::rename(source, target);
}

template <typename Cache>
void drop_unarranged(Cache& cache, const QVector<QString>& arrangement)
{
    for (auto it = cache.begin(); it != cache.end();) {
        if (arrangement.contains(it.key()))
            ++it;
        else
            it = cache.erase(it);
    }
}

void drop_unarranged(QCache<QString, QImage>& cache, const QVector<QString>& arrangement)
{
    for (const QString& id : cache.keys()) {
        if (!arrangement.contains(id))
            cache.remove(id);
    }
}

int cost_kb(const QImage& image)
{
    return int(qMax<qsizetype>(1, image.sizeInBytes() / 1024));
}

} // namespace

const ProductRecord ProductProvider::NULL_PRODUCT;

ProductProvider::ProductProvider(const QString& catalogueRoot, QObject* parent)
    : QObject(parent)
    , m_catalogueRoot(catalogueRoot)
    , m_arrangement(VM24::NUMBER_OF_SELECTIONS)
{
}

void ProductProvider::loadDatabase()
{
    m_imageCache.clear();
    m_thumbnailCache.clear();
    m_database.loadCatalogues(m_catalogueRoot);
    for (const QString& problem : m_database.loadProblems())
        emit loadProblem(problem);
    reportUnpricedProducts();
}

bool ProductProvider::hasCashPrice(const ProductRecord& product)
{
    return product.price(0) > 0;
}

// Products without a cash price stay in the database (an operator may price
// them) but are not sold; each catalogue that holds some is named once.
void ProductProvider::reportUnpricedProducts()
{
    QMap<QString, QStringList> unpriced;
    for (const ProductRecord& product : m_database.products()) {
        if (!hasCashPrice(product))
            unpriced[VM24::catalogue_part(product.id())].append(product.unqualifiedId());
    }
    for (auto it = unpriced.cbegin(); it != unpriced.cend(); ++it) {
        QStringList shown = it.value().mid(0, MAX_UNPRICED_NAMED);
        if (it.value().size() > MAX_UNPRICED_NAMED)
            shown.append(QStringLiteral("..."));
        emit loadProblem(QCoreApplication::translate("ProductProvider",
                                                     "Catalogo %1: prodotti senza prezzo contante, non in vendita: %2")
                             .arg(it.key(), shown.join(QStringLiteral(", "))));
    }
}

void ProductProvider::onContentChanged(const QString& name)
{
    if (name == QLatin1String("products"))
        loadDatabase();
}

void ProductProvider::setArrangement(const QVector<QString>& arrangement)
{
    // The machine has a fixed number of selections: a shorter arrangement
    // leaves the rest empty, a longer one is cut.
    m_arrangement = arrangement;
    m_arrangement.resize(VM24::NUMBER_OF_SELECTIONS);
    trimCache();
}

int ProductProvider::productCount() const
{
    return m_database.products().size();
}

const ProductRecord& ProductProvider::getProduct(int index) const
{
    const auto& products = m_database.products();
    if (index < 0 || index >= products.size())
        return NULL_PRODUCT;
    return *std::next(products.cbegin(), index);
}

const ProductRecord& ProductProvider::getProduct(const QString& id) const
{
    const auto& products = m_database.products();
    const auto it = products.constFind(id);
    return it == products.cend() ? NULL_PRODUCT : *it;
}

const ProductRecord& ProductProvider::getProductAtLocation(int selection) const
{
    if (selection < 0 || selection >= m_arrangement.size())
        return NULL_PRODUCT;
    const QString& id = m_arrangement.at(selection);
    return id.isEmpty() ? NULL_PRODUCT : getProduct(id);
}

QList<int> ProductProvider::locationsOf(const QString& id) const
{
    QList<int> locations;
    for (int selection = 0; selection < m_arrangement.size(); ++selection) {
        if (m_arrangement.at(selection) == id)
            locations.append(selection);
    }
    return locations;
}

Catalogue ProductProvider::catalogueHeader(const QString& name) const
{
    return m_database.catalogueHeader(name);
}

QString ProductProvider::pictureBasePath(const QString& id) const
{
    return QDir(m_catalogueRoot).absoluteFilePath(id);
}

QString ProductProvider::getThumbnailPath(const QString& id) const
{
    return pictureBasePath(id) + QLatin1String(THUMBNAIL_SUFFIX);
}

QString ProductProvider::getImagePath(const QString& id) const
{
    return pictureBasePath(id) + QLatin1String(IMAGE_SUFFIX);
}

QPixmap ProductProvider::getThumbnail(const QString& id)
{
    auto it = m_thumbnailCache.find(id);
    if (it == m_thumbnailCache.end())
        // Not QPixmap(path): the application-wide pixmap cache could hand back
        // the former picture of a file replaced by a content update.
        it = m_thumbnailCache.insert(id, QPixmap::fromImage(QImage(getThumbnailPath(id))));
    return *it;
}

QImage ProductProvider::getImage(const QString& id)
{
    if (const QImage* cached = m_imageCache.object(id))
        return *cached;
    const QImage image(getImagePath(id));
    m_imageCache.insert(id, new QImage(image), cost_kb(image));
    return image;
}

void ProductProvider::trimCache()
{
    drop_unarranged(m_thumbnailCache, m_arrangement);
    drop_unarranged(m_imageCache, m_arrangement);
}

bool ProductProvider::setThumbnail(const QString& id, const QString& source)
{
    return replace_file(getThumbnailPath(id), source);
}

bool ProductProvider::setImage(const QString& id, const QString& source)
{
    return replace_file(getImagePath(id), source);
}

ProductRecord* ProductProvider::modifyProduct(const QString& id)
{
    auto& products = m_database.products();
    const auto it = products.find(id);
    if (it == products.end())
        return nullptr;
    it->setModified(true);
    return &*it;
}

ProductRecord& ProductProvider::modifyOrCreate(const QString& id)
{
    if (ProductRecord* existing = modifyProduct(id))
        return *existing;
    ProductRecord record(id);
    record.setModified(true);
    m_database.add(record);
    return m_database.products()[id];
}

void ProductProvider::removeProduct(const QString& id)
{
    m_database.remove(id);
    m_thumbnailCache.remove(id);
    m_imageCache.remove(id);
    QFile::remove(getThumbnailPath(id));
    QFile::remove(getImagePath(id));
}

void ProductProvider::saveModified()
{
    m_database.saveModified();
}
