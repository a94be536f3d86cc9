#include "updates/brandingresources.h"

#include "updates/assetsregistry.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"

const char* const BrandingResources::BRIXO_EVENTS_FILENAME = "brixo-events.jpg";
const char* const BrandingResources::BANNER_FILENAME = "brixo-banner.png";

BrandingResources::BrandingResources(AssetsRegistry* registry)
    : m_registry(registry)
{
}

bool BrandingResources::accepts(const QString& fileName) const
{
    return fileName == QLatin1String(BRIXO_EVENTS_FILENAME) || fileName == QLatin1String(BANNER_FILENAME);
}

void BrandingResources::apply(QDir dir, UpdateProcessContext* ctx)
{
    ctx->setTotal(0);
    ctx->beginProcessingItem(QString());
    copyInto(dir, BRIXO_EVENTS_FILENAME, "brixo-events");
    copyInto(dir, BANNER_FILENAME, "brixo-banner");
}

void BrandingResources::copyInto(QDir& dir, const char* fileName, const char* asset)
{
    const QString target = m_registry->assetDir(QLatin1String(asset));
    if (target.isEmpty())
        return;
    QDir targetDir(target);
    if (VM24::overwrite_copy_if_exists(dir, QLatin1String(fileName), targetDir))
        m_registry->notifyAssetChanged(QLatin1String(asset));
}
