#pragma once

#include "ui/activity.h"
#include "updates/resourcehandler.h"

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class AssetsRegistry;
class PendingActivityQueue;
class PowerControl;
class UpdateAuthenticator;
class ProductProvider;
class QFileSystemWatcher;
class SettingsManager;
class UpdateProgressDialog;

// The push-update directory: a remote party copies files into the link
// "remote-updates" in the application directory and then a file "done".
// The update is applied, when the home page hands over the screen, by every
// handler in turn under a progress dialog; the files that were applied are
// removed afterwards. The handlers run on a worker, except those that change
// the GUI thread's objects: the worker's run stops before such a stage, the
// stage runs here, and a further worker's run takes the stages after it.
class PushUpdatesDirectoryWatcher : public QObject, public Activity
{
    Q_OBJECT

public:
    static const char* const LINK_NAME;     // "remote-updates"
    static const char* const DONE_FILENAME; // "done"
    static constexpr int PENDING_PRIORITY = 5;

    PushUpdatesDirectoryWatcher(PendingActivityQueue* activityQueue, AssetsRegistry* registry,
                                ProductProvider* provider, SettingsManager* settingsManager,
                                PowerControl* powerControl, Context* context, QObject* parent = nullptr,
                                UpdateAuthenticator* authenticator = nullptr);
    ~PushUpdatesDirectoryWatcher() override;

    // Creates the push directory under /tmp and the link to it; false (push
    // updates disabled for the run) when either fails.
    bool initialise();

    // A further stage; title is the untranslated stage title (a
    // QT_TRANSLATE_NOOP in this class's context).
    void addHandler(const char* title, std::unique_ptr<ResourceHandler> handler);

    QString linkPath() const { return m_linkPath; }
    QString pushDir() const { return m_pushDir; }
    UpdateProgressDialog* dialog() const { return m_dialog; }
    // The stage titles in the order they run, translated.
    QStringList stageTitles() const;

    void onStart() override;
    void onStop() override;

private slots:
    void onDirectoryChanged(const QString& path);
    void onUpdateFinished();

private:
    struct Stage
    {
        const char* title;
        std::unique_ptr<ResourceHandler> handler;
    };
    // One pushed update on its way through the stages.
    struct Run
    {
        std::vector<std::pair<QString, ResourceHandler*>> stages;
        QString pushDir;
        QStringList pushed;
        bool trusted = false;
    };
    static constexpr size_t RUN_ENDED = size_t(-1);

    std::vector<const Stage*> sortedStages() const;
    void runStagesFrom(size_t first);
    void onWorkerStagesEnded();
    bool takeDone();
    void listen(bool on);

    PendingActivityQueue* m_activityQueue;
    PowerControl* m_powerControl;
    QFileSystemWatcher* m_watcher;
    UpdateProgressDialog* m_dialog;
    std::vector<Stage> m_stages;
    QString m_linkPath;
    QString m_pushDir;
    UpdateAuthenticator* m_authenticator;
    std::shared_ptr<Run> m_run;
    QFutureWatcher<size_t> m_workerStages;
    bool m_listening = false;
};
