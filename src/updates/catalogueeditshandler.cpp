#include "updates/catalogueeditshandler.h"

#include "catalogue/cataloguefile.h"
#include "catalogue/productids.h"
#include "catalogue/productprovider.h"
#include "updates/assetsregistry.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>

const char* const CatalogueEditsHandler::EDITS_FILENAME = "mod.xml";

namespace {

bool is_well_formed(const QByteArray& document)
{
    QXmlStreamReader reader(document);
    while (!reader.atEnd())
        reader.readNext();
    return !reader.hasError();
}

// Both parts of the id name files under the catalogue directory.
bool is_safe_product_id(const QString& id)
{
    const int slash = id.indexOf(QLatin1Char('/'));
    return slash > 0 && VM24::is_safe_file_name(id.left(slash)) && VM24::is_safe_file_name(id.mid(slash + 1));
}

} // namespace

CatalogueEditsHandler::CatalogueEditsHandler(ProductProvider* provider, AssetsRegistry* registry)
    : m_provider(provider)
    , m_registry(registry)
{
}

bool CatalogueEditsHandler::accepts(const QString& fileName) const
{
    return fileName.endsWith(QLatin1String(EDITS_FILENAME));
}

void CatalogueEditsHandler::apply(QDir dir, UpdateProcessContext* ctx)
{
    QFile file(dir.filePath(QLatin1String(EDITS_FILENAME)));
    if (QFileInfo(file).isSymLink() || !file.open(QIODevice::ReadOnly))
        return;
    if (file.size() > MAX_FILE_SIZE) {
        qCWarning(updatesLog) << "Product edits refused, file too large:" << file.size();
        return;
    }
    const QByteArray document = file.readAll();
    if (!is_well_formed(document)) {
        qCWarning(updatesLog) << "Product edits refused, not well-formed XML:" << file.fileName();
        return;
    }
    if (ctx)
        ctx->beginProcessingItem(QLatin1String(EDITS_FILENAME));
    applyEdits(document, dir);
}

void CatalogueEditsHandler::applyEdits(const QByteArray& document, const QDir& dir)
{
    QXmlStreamReader reader(document);
    if (reader.readNextStartElement() && reader.name() == QLatin1String("catalogue")) {
        while (reader.readNextStartElement()) {
            if (reader.name() == QLatin1String("product"))
                applyProduct(reader, dir);
            else
                reader.skipCurrentElement();
        }
    }
    m_provider->saveModified();
    m_registry->notifyAssetChanged(QStringLiteral("products"));
}

void CatalogueEditsHandler::applyProduct(QXmlStreamReader& reader, const QDir& dir)
{
    const QXmlStreamAttributes attributes = reader.attributes();
    const QString id = attributes.value(QLatin1String("id")).toString();
    if (!is_safe_product_id(id)) {
        qCWarning(updatesLog) << "Product edit skipped, unusable id:" << id;
        reader.skipCurrentElement();
        return;
    }
    if (attributes.hasAttribute(QLatin1String("deleted"))) {
        m_provider->removeProduct(id);
        reader.skipCurrentElement();
        return;
    }
    ProductRecord& record = m_provider->modifyOrCreate(id);
    VM24::parse_product_attributes(reader, record);
    const QString local = VM24::local_part(id);
    const QFileInfo thumbnail(dir.filePath(local + QLatin1String(".png")));
    if (thumbnail.isFile() && !thumbnail.isSymLink())
        m_provider->setThumbnail(id, thumbnail.absoluteFilePath());
    const QFileInfo image(dir.filePath(local + QLatin1String("_large.png")));
    if (image.isFile() && !image.isSymLink())
        m_provider->setImage(id, image.absoluteFilePath());
}
