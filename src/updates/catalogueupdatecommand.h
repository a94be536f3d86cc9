#pragma once

#include "updates/updatecommand.h"

#include <QMap>

// Catalogues: "catalogue <name> <url>|delete <date> [<time>]". Each name
// whose directory under "products" is older than its line is replaced by
// the archive, or removed for "delete".
class CatalogueUpdateCommand : public UpdateCommand
{
public:
    static const char* const ASSET_ID; // "products"

    explicit CatalogueUpdateCommand(AssetsRegistry* registry);

    void reset() override;
    bool parse(const QStringList& fields) override;
    QList<QPair<QUrl, QString>> downloads() const override;
    bool hasPendingActions() const override;
    void execute(QDir& downloadDir, UpdateProcessContext* ctx) override;

    // Name → archive URL; an empty URL deletes the catalogue.
    QMap<QString, QUrl> actions() const { return m_actions; }

private:
    static QString localFileName(const QString& name);
    void install(const QString& name, const QUrl& url, QDir& downloadDir, const QString& products);

    QMap<QString, QUrl> m_actions;
};
