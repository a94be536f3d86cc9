#pragma once

#include "updates/updatecommand.h"

// A descriptor item that is one file for one asset: "<keyword> <url> <date>
// [<time>]", the keyword being the asset's name. The latest line that is
// due decides; the file is fetched only when the asset is older than it.
// By default the downloaded file replaces the asset's content under the
// name "<asset>.<suffix>".
class SingleItemUpdateCommand : public UpdateCommand
{
public:
    SingleItemUpdateCommand(const QString& assetId, AssetsRegistry* registry);

    void reset() override;
    bool parse(const QStringList& fields) override;
    QList<QPair<QUrl, QString>> downloads() const override;
    void execute(QDir& downloadDir, UpdateProcessContext* ctx) override;

    QString assetId() const { return m_assetId; }
    // The file name the URL gives, as shown while it is applied.
    QString fileName() const { return m_fileName; }

protected:
    // The downloaded file's path; empty when nothing was taken or downloaded.
    QString downloadedFile(const QDir& downloadDir) const;

private:
    QString localFileName() const;

    QString m_assetId;
    QUrl m_url;
    QString m_fileName;
};
