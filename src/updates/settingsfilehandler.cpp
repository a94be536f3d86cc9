#include "updates/settingsfilehandler.h"

#include "updates/updateauthenticator.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

#include <QFileInfo>

const char* const SettingsFileHandler::CONFIG_FILENAME = "VM24.ini";

SettingsFileHandler::SettingsFileHandler(Importer importer, UpdateAuthenticator* authenticator)
    : m_importer(std::move(importer))
    , m_authenticator(authenticator)
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
    const int level = ctx->userLevel();
    SignedIndex index;
    if (m_authenticator && m_authenticator->mustAuthenticate(level)) {
        if (!m_authenticator->checkDirectory(dir.absolutePath(), {QLatin1String(CONFIG_FILENAME)},
                                             UpdateAuthenticator::directoryStream(level), &index))
            return;
        m_authenticator->recordApplied(UpdateAuthenticator::directoryStream(level), index);
    }
    if (!m_importer || !m_importer(file.absoluteFilePath(), ctx->userLevel()))
        qCWarning(updatesLog) << "Settings file not imported:" << file.absoluteFilePath();
}
