#include "updates/catalogueupdatecommand.h"

#include "updates/assetsregistry.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

#include <QFileInfo>

const char* const CatalogueUpdateCommand::ASSET_ID = "products";

CatalogueUpdateCommand::CatalogueUpdateCommand(AssetsRegistry* registry)
    : UpdateCommand(registry)
{
}

void CatalogueUpdateCommand::reset()
{
    m_actions.clear();
}

bool CatalogueUpdateCommand::parse(const QStringList& fields)
{
    if (fields.size() < 4 || fields.at(0) != QLatin1String("catalogue"))
        return false;
    const QString name = fields.at(1);
    const qint64 published = publication(fields.at(3), fields.value(4));
    if (!isDue(published) || !VM24::is_safe_file_name(name))
        return true;
    const QString directory = registry()->baseDir() + QLatin1Char('/') + QLatin1String(ASSET_ID) + QLatin1Char('/') + name;
    if (modified(directory) >= published) {
        m_actions.remove(name);
        return true;
    }
    if (fields.at(2) == QLatin1String("delete")) {
        m_actions.insert(name, QUrl());
    } else {
        const QUrl url(fields.at(2), QUrl::StrictMode);
        if (isUsableUrl(url))
            m_actions.insert(name, url);
    }
    return true;
}

QList<QUrl> CatalogueUpdateCommand::urlList() const
{
    QList<QUrl> urls;
    for (const QUrl& url : m_actions) {
        if (!url.isEmpty())
            urls.append(url);
    }
    return urls;
}

bool CatalogueUpdateCommand::hasPendingActions() const
{
    for (const QUrl& url : m_actions) {
        if (url.isEmpty())
            return true;
    }
    return false;
}

void CatalogueUpdateCommand::execute(QDir& downloadDir, UpdateProcessContext* ctx)
{
    const QString products = registry()->assetDir(QLatin1String(ASSET_ID));
    if (m_actions.isEmpty() || products.isEmpty())
        return;
    ctx->setTotal(m_actions.size());
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        ctx->beginProcessingItem(it.key());
        install(it.key(), it.value(), downloadDir, products);
    }
    registry()->notifyAssetChanged(QLatin1String(ASSET_ID));
}

void CatalogueUpdateCommand::install(const QString& name, const QUrl& url, QDir& downloadDir, const QString& products)
{
    const QString target = QDir(products).filePath(name);
    if (url.isEmpty()) {
        VM24::rm_dir(target);
        return;
    }
    const QString archive = downloadDir.filePath(VM24::url_filename(url));
    if (!QFileInfo(archive).isFile() || !VM24::extract_zip_replacing(archive, target))
        qCWarning(updatesLog) << "Catalogue not installed, the former one stays:" << name;
}
