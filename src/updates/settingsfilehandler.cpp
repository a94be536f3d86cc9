#include "updates/settingsfilehandler.h"

#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

#include <QFileInfo>

const char* const SettingsFileHandler::CONFIG_FILENAME = "VM24.ini";

SettingsFileHandler::SettingsFileHandler(Importer importer)
    : m_importer(std::move(importer))
{
}

bool SettingsFileHandler::accepts(const QString& fileName) const
{
    return fileName == QLatin1String(CONFIG_FILENAME);
}

void SettingsFileHandler::apply(QDir dir, UpdateProcessContext* ctx)
{
    const QFileInfo file(dir.filePath(QLatin1String(CONFIG_FILENAME)));
    if (!file.isFile() || file.isSymLink())
        return;
    ctx->beginProcessingItem(QString());
    if (!m_importer || !m_importer(file.absoluteFilePath(), ctx->userLevel()))
        qCWarning(updatesLog) << "Settings file not imported:" << file.absoluteFilePath();
}
