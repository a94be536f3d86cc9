#include "updates/catalogueupdatecommand.h"

#include "catalogue/productids.h"
#include "updates/assetsregistry.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"
#include "updates/updateslog.h"

#include <QFileInfo>

const char* const CatalogueUpdateCommand::ASSET_ID = "products";

namespace {

// The operator's edits are the machine's own, and hidden directories are
// where catalogues are prepared: neither is ever delivered.
bool is_deliverable_catalogue_name(const QString& name)
{
    return VM24::is_safe_file_name(name) && !name.startsWith(QLatin1Char('.'))
        && name != QLatin1String(VM24::USER_EDITS_CATALOGUE_NAME);
}

} // namespace

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
    if (!isDue(published) || !is_deliverable_catalogue_name(name))
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

// Named after the catalogue: archives of two catalogues often end alike.
QString CatalogueUpdateCommand::localFileName(const QString& name)
{
    return QLatin1String("catalogue-") + name + QLatin1String(".zip");
}

QList<QPair<QUrl, QString>> CatalogueUpdateCommand::downloads() const
{
    QList<QPair<QUrl, QString>> downloads;
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        if (!it.value().isEmpty())
            downloads.append({it.value(), localFileName(it.key())});
    }
    return downloads;
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
    const QString archive = downloadDir.filePath(localFileName(name));
    if (!QFileInfo(archive).isFile() || !VM24::extract_zip_replacing(archive, target))
        qCWarning(updatesLog) << "Catalogue not installed, the former one stays:" << name;
}
