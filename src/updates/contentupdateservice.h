#pragma once

#include "updates/signedindex.h"
#include "updates/updatecheck.h"

#include <QByteArray>
#include <QFuture>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <memory>

class AssetsRegistry;
class DownloadManager;
class UpdateAuthenticator;
class UpdateDescriptorInterpreter;
class UpdateProcessContext;

// The content update: fetches the content descriptors from the updates
// server and downloads what is newer than the machine's content. The
// content then waits (ContentsReady) until whoever shows the update applies
// it and reports the end; every check ends in finished() and Idle.
class ContentUpdateService : public QObject, public UpdateCheck
{
    Q_OBJECT

public:
    enum State { Idle = 0, Checking = 1, ContentsReady = 2 };
    enum Result { Failed = 0, NothingNew = 1, Applied = 2 };

    static const char* const DOWNLOAD_DIR_TEMPLATE; // "/tmp/vm24-downloads-XXXXXX"
    // The descriptor download ends after this, whatever the server does.
    static constexpr int DEFAULT_DESCRIPTOR_TIME_LIMIT_MS = 3 * 60 * 1000;

    explicit ContentUpdateService(AssetsRegistry* registry, QObject* parent = nullptr);
    ~ContentUpdateService() override;

    void configure(const Configuration& configuration) override;
    bool hasServer() const override;
    bool isIdle() const override { return m_state == Idle; }
    State state() const { return m_state; }
    QUrl serverUrl() const { return m_serverUrl; }
    QString downloadDir() const { return m_tempDir; }
    DownloadManager* downloader() const { return m_downloader; }
    void setDescriptorTimeLimit(int ms) { m_descriptorTimeLimitMs = ms; }
    // While its key is present, only signed content is applied.
    void setAuthenticator(UpdateAuthenticator* authenticator) { m_authenticator = authenticator; }

    // Ready content only: applies it on a worker, reporting to context;
    // the content is the machine's once context shows the end.
    void apply(UpdateProcessContext* context);
    // After apply(), once context has shown the end.
    void endApplying();

public slots:
    void checkForUpdates() override;

signals:
    void stateChanged(int state);
    void finished(int result);

private slots:
    void onDescriptorDownloadFinished(int exitCode, QProcess::ExitStatus status);
    void onDownloadFinished();

private:
    void setState(State state);
    void finish(Result result);
    void readDescriptorOutput();
    void startDownloads();
    void startSignedCheck();
    bool acceptSignedDescriptors();
    bool openSignedDescriptor(const QString& prefix, const QString& servedPath, const QString& stream,
                              SignedIndex* index, QByteArray* descriptor);
    void queueSignedDownloads();
    bool checkSignedDownloads();

    std::unique_ptr<UpdateDescriptorInterpreter> m_interpreter;
    DownloadManager* m_downloader;
    QProcess* m_process;
    QTimer m_descriptorTimeLimit;
    QByteArray m_descriptor;
    QString m_tempDir;
    State m_state = Idle;
    QUrl m_serverUrl;
    QString m_serial;
    int m_descriptorTimeLimitMs = DEFAULT_DESCRIPTOR_TIME_LIMIT_MS;
    bool m_descriptorRefused = false;
    UpdateAuthenticator* m_authenticator = nullptr;
    enum class SignedPhase { Off, Descriptors, Content };
    SignedPhase m_signedPhase = SignedPhase::Off;
    struct Expected
    {
        QString name;
        SignedIndex::Entry entry;
    };
    QHash<QString, Expected> m_expected; // by local file name
    QStringList m_tooLong;
    QList<QPair<QString, SignedIndex>> m_acceptedIndexes; // stream, index
    qint64 m_descriptorSizeLimit;
    QFuture<void> m_application;
};
