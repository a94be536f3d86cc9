#include "updates/customizationshandler.h"

#include "updates/assetsregistry.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"

const char* const CustomizationsHandler::CUSTOM_TEXT_FILENAME = "messaggio.html";
const char* const CustomizationsHandler::OPEN_PHARMACIES_FILENAME = "turni.html";

CustomizationsHandler::CustomizationsHandler(AssetsRegistry* registry)
    : m_registry(registry)
{
}

bool CustomizationsHandler::accepts(const QString& fileName) const
{
    return fileName == QLatin1String(CUSTOM_TEXT_FILENAME) || fileName == QLatin1String(OPEN_PHARMACIES_FILENAME);
}

void CustomizationsHandler::apply(QDir dir, UpdateProcessContext* ctx)
{
    ctx->beginProcessingItem(QString());
    const QString target = m_registry->assetDir(QStringLiteral("user"));
    if (target.isEmpty())
        return;
    QDir userDir(target);
    const bool text = VM24::overwrite_copy_if_exists(dir, QLatin1String(CUSTOM_TEXT_FILENAME), userDir);
    const bool pharmacies = VM24::overwrite_copy_if_exists(dir, QLatin1String(OPEN_PHARMACIES_FILENAME), userDir);
    if (text || pharmacies)
        m_registry->notifyAssetChanged(QStringLiteral("user"));
}
