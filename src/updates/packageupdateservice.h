#pragma once

#include "updates/pkgaction.h"
#include "updates/signedindex.h"
#include "updates/updatecheck.h"

#include <QByteArray>
#include <QFuture>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <QTimer>
#include <QUrl>

class DownloadManager;
class QProcess;
class UpdateAuthenticator;
class UpdateProcessContext;

// Keeps the machine's software current. A check fetches the package lists
// (the general one, then the machine's own) from the updates server, keeps
// in the package cache what must be installed, downloads what is missing
// and deletes the rest. It never installs on its own: install() installs
// the cached packages when the operator asks for it.
class PackageUpdateService : public QObject, public UpdateCheck
{
    Q_OBJECT

public:
    enum State { Idle = 0, Downloading = 1, Installing = 2 };

    // wget gives up only on a silent connection; a server that trickles or
    // never ends its answer is cut off by these limits, which end the check
    // and keep the cache as it is.
    static constexpr int DEFAULT_LIST_TIME_LIMIT_MS = 5 * 60 * 1000;

    explicit PackageUpdateService(QObject* parent = nullptr);
    ~PackageUpdateService() override;

    void configure(const Configuration& configuration) override;
    bool hasServer() const override;
    bool isIdle() const override { return m_state == Idle; }
    int state() const { return m_state; }
    int cachedPackageCount() const { return m_cachedCount; }
    QUrl serverUrl() const { return m_serverUrl; }
    DownloadManager* downloadManager() const { return m_downloader; }
    void setListTimeLimit(int ms) { m_listTimer.setInterval(ms); }
    // While its key is present, only signed lists and packages are taken.
    void setAuthenticator(UpdateAuthenticator* authenticator) { m_authenticator = authenticator; }

    // Installs the cached packages on a worker, reporting to context, which
    // is told that the program must restart, whatever the outcome. False,
    // and nothing done, unless Idle.
    bool install(UpdateProcessContext* context);
    // After install(), once context has shown the end.
    void endInstallation();

public slots:
    void checkForUpdates() override;

signals:
    void stateChanged(int state);
    void cachedPackageCountChanged(int cachedPackages);
    void downloadProgressChanged(int downloaded, int total);
    // A check or an installation ended.
    void finished();

private:
    QStringList listUrls() const;
    void startNextListDownload();
    void onPackageListDownloadFinished(int exitCode);
    void readListOutput();
    void abortListDownload();
    void onCacheUpdated(const QList<QUrl>& urls);
    void followCacheUpdate(const QFuture<QList<QUrl>>& update);
    void onListsFetched();
    bool acceptSignedLists(QList<VM24::PkgAction>* actions);
    bool acceptSignedList(int first, const QString& servedDir, const QString& stream,
                          QList<VM24::PkgAction>* actions);
    bool checkSignedDownloads();
    void advanceDownloadProgress();
    void onDownloadFinished();
    void recountCache();
    bool isSigned() const;
    void setState(State state);
    void finish();

    DownloadManager* m_downloader;
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
    // Until configured, no list is taken.
    qint64 m_listSizeLimit = 0;
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
