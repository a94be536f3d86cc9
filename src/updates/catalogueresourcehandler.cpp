#include "updates/catalogueresourcehandler.h"

#include "updates/assetsregistry.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

#include <QFileInfo>

const char* const CatalogueResourceHandler::CATALOGUE_EXTENSION = ".rkdb";

CatalogueResourceHandler::CatalogueResourceHandler(AssetsRegistry* registry)
    : m_registry(registry)
{
}

bool CatalogueResourceHandler::accepts(const QString& fileName) const
{
    return fileName.endsWith(QLatin1String(CATALOGUE_EXTENSION));
}

bool CatalogueResourceHandler::isInstallable(const QString& name, int userLevel) const
{
    if (!VM24::is_safe_file_name(name))
        return false;
    if (name == QLatin1String("user"))
        return true;
    return userLevel > 1 && name.contains(QLatin1String("brixo"));
}

void CatalogueResourceHandler::apply(QDir dir, UpdateProcessContext* ctx)
{
    const QFileInfoList archives = dir.entryInfoList({QLatin1String("*") + QLatin1String(CATALOGUE_EXTENSION)},
                                                     QDir::Files | QDir::Readable | QDir::NoSymLinks, QDir::Name);
    if (archives.isEmpty())
        return;
    const QString products = m_registry->assetDir(QStringLiteral("products"));
    if (products.isEmpty())
        return;
    ctx->setTotal(archives.size());
    for (const QFileInfo& archive : archives) {
        const QString name = archive.fileName().chopped(int(qstrlen(CATALOGUE_EXTENSION)));
        if (!isInstallable(name, ctx->userLevel()))
            continue;
        ctx->beginProcessingItem(name);
        if (!VM24::extract_zip_replacing(archive.absoluteFilePath(), QDir(products).filePath(name)))
            qCWarning(updatesLog) << "Catalogue archive not installed, the former catalogue stays:" << archive.fileName();
    }
    m_registry->notifyAssetChanged(QStringLiteral("products"));
}
