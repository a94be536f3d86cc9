#pragma once

#include "settings/iconfigurable.h"
#include "settings/settings.h"
#include "tasks/dailyjob.h"
#include "ui/menuactivity.h"
#include "updates/pkgaction.h"
#include "updates/signedindex.h"

#include <QByteArray>
#include <QFuture>
#include <QList>
#include <QTimer>
#include <QUrl>

class DownloadManager;
class PowerControl;
class QProcess;
class UpdateAuthenticator;
class UpdateProgressDialog;

// Keeps the machine's software current. Each night it fetches the package
// lists (the general one, then the machine's own) from the updates server,
// keeps in the package cache what must be installed, downloads what is
// missing and deletes the rest. It never installs on its own: started from
// the maintenance menu it installs the cached packages behind the progress
// dialog and has the application restart.
class PackageDownloader : public MenuActivity, public DailyJob, public IConfigurable
{
    Q_OBJECT

public:
    enum State { Idle = 0, Downloading = 1, Installing = 2 };

    // wget gives up only on a silent connection; a server that trickles or
    // never ends its answer is cut off by these limits, which end the check
    // and keep the cache as it is.
    static constexpr int DEFAULT_LIST_TIME_LIMIT_MS = 5 * 60 * 1000;

    PackageDownloader(PowerControl* powerControl, Context* context, QWidget* parent = nullptr);
    ~PackageDownloader() override;

    int state() const { return m_state; }
    int cachedPackageCount() const { return m_cachedCount; }
    QUrl serverUrl() const { return m_serverUrl; }
    UpdateProgressDialog* dialog() const { return m_dialog; }
    DownloadManager* downloadManager() const { return m_downloader; }
    void setListTimeLimit(int ms) { m_listTimer.setInterval(ms); }
    // While its key is present, only signed lists and packages are taken.
    void setAuthenticator(UpdateAuthenticator* authenticator) { m_authenticator = authenticator; }

    bool canRun(const QDateTime& now) const override;
    void run() override;
    void schedule() override;
    void onStart() override;
    void onStop() override;
    void loadConfiguration(const Settings& settings) override;
    QDateTime computeNextStartTime(const QDateTime& current) const override;

signals:
    void stateChanged(int state);
    void cachedPackageCountChanged(int cachedPackages);
    void downloadProgressChanged(int downloaded, int total);

public slots:
    void checkForUpdates();
    void onPackageListDownloadFinished(int exitCode);
    void onDownloadFinished();
    void onUpgradeFinished();
    void advanceDownloadProgress();

private:
    QStringList listUrls() const;
    void startNextListDownload();
    void readListOutput();
    void abortListDownload();
    void onCacheUpdated(const QList<QUrl>& urls);
    void followCacheUpdate(const QFuture<QList<QUrl>>& update);
    void onListsFetched();
    bool acceptSignedLists(QList<VM24::PkgAction>* actions);
    bool acceptSignedList(int first, const QString& servedDir, const QString& stream,
                          QList<VM24::PkgAction>* actions);
    bool checkSignedDownloads();
    bool isSigned() const;
    void setState(State state);
    void rescheduleSelf();

    PowerControl* m_powerControl;
    DownloadManager* m_downloader;
    UpdateProgressDialog* m_dialog;
    QProcess* m_process;
    QTimer m_listTimer;
    QByteArray m_listOutput;
    // Each fetched document in order; a null one the server does not have.
    QList<QByteArray> m_documents;
    QList<bool> m_present;
    UpdateAuthenticator* m_authenticator = nullptr;
    bool m_signedRun = false;
    QHash<QString, SignedIndex::Entry> m_signedFiles;
    QList<QPair<QString, SignedIndex>> m_acceptedIndexes;
    QStringList m_tooLong;
    QStringList m_pendingLists;
    bool m_listFailed = false;
    qint64 m_listSizeLimit = Settings::defaultValue(Settings::UpdatesMaxListBytes);
    QFuture<QList<QUrl>> m_cacheUpdate;
    QFuture<void> m_installation;
    State m_state = Idle;
    QUrl m_serverUrl;
    QString m_serial;
    QString m_cacheDir;
    int m_cachedCount = 0;
    int m_downloaded = 0;
    int m_total = 0;
};
