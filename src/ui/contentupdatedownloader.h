#pragma once

#include "settings/iconfigurable.h"
#include "settings/settings.h"
#include "tasks/dailyjob.h"
#include "ui/menuactivity.h"
#include "ui/updateprogressdialog.h"
#include "updates/signedindex.h"

#include <QByteArray>
#include <QPointer>
#include <QProcess>
#include <QTimer>
#include <QUrl>

#include <memory>

class AssetsRegistry;
class DownloadManager;
class PendingActivityQueue;
class PowerControl;
class UpdateAuthenticator;
class UpdateDescriptorInterpreter;

// The nightly content update: fetches the content descriptor from the
// updates server, downloads what is newer than the machine's content and,
// once the home page hands over the screen, applies it as an activity under
// a progress dialog shown over the screen. The task scheduler owns it once
// registered, so it has no parent; dialogParent is the progress dialog's.
class ContentUpdateDownloader : public MenuActivity, public DailyJob, public IConfigurable
{
    Q_OBJECT

public:
    enum State { Idle = 0, Checking = 1, ContentsReady = 2 };

    static const char* const DOWNLOAD_DIR_TEMPLATE; // "/tmp/vm24-downloads-XXXXXX"
    // Its name with the scheduler, under which the time store of earlier
    // runs keeps its next start.
    static const char* const TASK_NAME; // "content-downloader"
    static constexpr int PENDING_PRIORITY = 10;
    // The descriptor download ends after this, whatever the server does.
    static constexpr int DEFAULT_DESCRIPTOR_TIME_LIMIT_MS = 3 * 60 * 1000;

    ContentUpdateDownloader(PendingActivityQueue* activityQueue, AssetsRegistry* registry, PowerControl* powerControl,
                            Context* context, QWidget* dialogParent = nullptr);
    ~ContentUpdateDownloader() override;

    State state() const { return m_state; }
    QUrl serverUrl() const { return m_serverUrl; }
    QString downloadDir() const { return m_tempDir; }
    UpdateProgressDialog* dialog() const { return m_dialog.data(); }
    DownloadManager* downloader() const { return m_downloader; }
    void setDescriptorTimeLimit(int ms) { m_descriptorTimeLimitMs = ms; }
    // While its key is present, only signed content is applied.
    void setAuthenticator(UpdateAuthenticator* authenticator) { m_authenticator = authenticator; }

    // DailyJob
    bool canRun(const QDateTime& now) const override;
    void run() override;
    void schedule() override;
    QDateTime computeNextStartTime(const QDateTime& current) const override;

    // Activity
    void onStart() override;
    void onResume(const ActivityResult&) override {}
    void onStop() override;

    void loadConfiguration(const Settings& settings) override;

public slots:
    void checkForUpdates();

signals:
    void stateChanged(int state);

private slots:
    void onDescriptorDownloadFinished(int exitCode, QProcess::ExitStatus status);
    void onDownloadFinished();
    void onUpdateFinished();

private:
    void setState(State state);
    void rescheduleSelf();
    void readDescriptorOutput();
    void startDownloads();
    void startSignedCheck();
    bool acceptSignedDescriptors();
    bool openSignedDescriptor(const QString& prefix, const QString& servedPath, const QString& stream,
                              SignedIndex* index, QByteArray* descriptor);
    bool queueSignedDownloads();
    bool checkSignedDownloads();

    PendingActivityQueue* m_activityQueue;
    AssetsRegistry* m_registry;
    PowerControl* m_powerControl;
    std::unique_ptr<UpdateDescriptorInterpreter> m_interpreter;
    DownloadManager* m_downloader;
    QPointer<UpdateProgressDialog> m_dialog;
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
    qint64 m_descriptorSizeLimit = Settings::defaultValue(Settings::UpdatesMaxDescriptorBytes);
};
