#include "ui/pushupdatesdirectorywatcher.h"

#include "board/powercontrol.h"
#include "core/vm24.h"
#include "settings/settingsmanager.h"
#include "ui/pendingactivityqueue.h"
#include "ui/uilog.h"
#include "ui/updateprogressdialog.h"
#include "updates/catalogueeditshandler.h"
#include "updates/catalogueresourcehandler.h"
#include "updates/customizationshandler.h"
#include "updates/guidedpackageinstaller.h"
#include "updates/settingsfilehandler.h"
#include "updates/updateauthenticator.h"
#include "updates/updatefiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QtConcurrent>

#include <algorithm>

const char* const PushUpdatesDirectoryWatcher::LINK_NAME = "remote-updates";
const char* const PushUpdatesDirectoryWatcher::DONE_FILENAME = "done";

namespace {

const char* const CONTEXT = "PushUpdatesDirectoryWatcher";

QString translated(const char* title)
{
    return QCoreApplication::translate(CONTEXT, title);
}

// Removes the entries that were there when the update began; files pushed
// since (a further update and its "done") stay for the next run.
void remove_entries(const QString& dir, const QStringList& names)
{
    for (const QString& name : names)
        VM24::rm_dir(QDir(dir).filePath(name));
}

// With the update key, a push is applied only when its own signed index
// lists every file pushed (and there is nothing else: no directories).
bool is_vouched_for(UpdateAuthenticator* authenticator, const QString& pushDir, const QStringList& pushed)
{
    if (!authenticator || !authenticator->mustAuthenticate(0))
        return true;
    const QString index = QLatin1String(UpdateAuthenticator::DIRECTORY_INDEX);
    QStringList files;
    for (const QString& name : pushed) {
        if (name == index || name == index + QLatin1String(".sig"))
            continue;
        const QFileInfo entry(QDir(pushDir).filePath(name));
        if (!entry.isFile() || entry.isSymLink()) {
            authenticator->refuse(name, UpdateAuthenticator::reasonUnlisted());
            return false;
        }
        files.append(name);
    }
    SignedIndex signedIndex;
    if (!authenticator->checkDirectory(pushDir, files, UpdateAuthenticator::directoryStream(0), &signedIndex))
        return false;
    authenticator->recordApplied(UpdateAuthenticator::directoryStream(0), signedIndex);
    return true;
}

} // namespace

PushUpdatesDirectoryWatcher::PushUpdatesDirectoryWatcher(PendingActivityQueue* activityQueue,
                                                         AssetsRegistry* registry, ProductProvider* provider,
                                                         SettingsManager* settingsManager, PowerControl* powerControl,
                                                         Context* context, QObject* parent,
                                                         UpdateAuthenticator* authenticator)
    : QObject(parent)
    , Activity(context)
    , m_activityQueue(activityQueue)
    , m_powerControl(powerControl)
    , m_watcher(new QFileSystemWatcher(this))
    , m_dialog(new UpdateProgressDialog(qobject_cast<QWidget*>(parent)))
    , m_linkPath(VM24::get_path(QLatin1String(LINK_NAME)))
    , m_authenticator(authenticator)
{
    addHandler(QT_TRANSLATE_NOOP("PushUpdatesDirectoryWatcher", "Prodotti"),
               std::make_unique<CatalogueResourceHandler>(registry));
    addHandler(QT_TRANSLATE_NOOP("PushUpdatesDirectoryWatcher", "Personalizzazioni"),
               std::make_unique<CustomizationsHandler>(registry));
    addHandler(QT_TRANSLATE_NOOP("PushUpdatesDirectoryWatcher", "Aggiornamenti software"),
               std::make_unique<GuidedPackageInstaller>(authenticator));
    addHandler(QT_TRANSLATE_NOOP("PushUpdatesDirectoryWatcher", "Impostazioni"),
               std::make_unique<SettingsFileHandler>([settingsManager](const QString& path, int level) {
                   return settingsManager && settingsManager->importFromFile(path, level);
               }, authenticator));
    addHandler(QT_TRANSLATE_NOOP("PushUpdatesDirectoryWatcher", "Impostazione da Web"),
               std::make_unique<CatalogueEditsHandler>(provider, registry));
    connect(m_dialog, &QDialog::accepted, this, &PushUpdatesDirectoryWatcher::onUpdateFinished);
    connect(&m_workerStages, &QFutureWatcher<size_t>::finished, this,
            &PushUpdatesDirectoryWatcher::onWorkerStagesEnded);
}

PushUpdatesDirectoryWatcher::~PushUpdatesDirectoryWatcher()
{
    delete m_dialog;
    if (m_pushDir.isEmpty())
        return;
    VM24::rm_dir(m_pushDir);
    if (QFileInfo(m_linkPath).isSymLink())
        QFile::remove(m_linkPath);
}

void PushUpdatesDirectoryWatcher::addHandler(const char* title, std::unique_ptr<ResourceHandler> handler)
{
    m_stages.push_back({title, std::move(handler)});
}

bool PushUpdatesDirectoryWatcher::initialise()
{
    const QString dir = VM24::make_temp_dir("/tmp/vm24-push-updates-XXXXXX");
    if (dir.isEmpty()) {
        qCWarning(uiLog) << "No push-update directory: push updates are off";
        return false;
    }
    VM24::rm_dir(m_linkPath);
    if (!QFile::link(dir, m_linkPath)) {
        qCWarning(uiLog) << "Push-update link not made, push updates are off:" << m_linkPath;
        VM24::rm_dir(dir);
        return false;
    }
    m_pushDir = dir;
    m_watcher->addPath(m_linkPath);
    listen(true);
    return true;
}

void PushUpdatesDirectoryWatcher::listen(bool on)
{
    if (on == m_listening)
        return;
    m_listening = on;
    if (on)
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &PushUpdatesDirectoryWatcher::onDirectoryChanged);
    else
        disconnect(m_watcher, &QFileSystemWatcher::directoryChanged, this,
                   &PushUpdatesDirectoryWatcher::onDirectoryChanged);
}

bool PushUpdatesDirectoryWatcher::takeDone()
{
    const QString done = QDir(m_pushDir).filePath(QLatin1String(DONE_FILENAME));
    if (m_pushDir.isEmpty() || !QFileInfo::exists(done))
        return false;
    QFile::remove(done);
    listen(false);
    m_activityQueue->enqueue(this, PENDING_PRIORITY);
    return true;
}

void PushUpdatesDirectoryWatcher::onDirectoryChanged(const QString&)
{
    takeDone();
}

std::vector<const PushUpdatesDirectoryWatcher::Stage*> PushUpdatesDirectoryWatcher::sortedStages() const
{
    std::vector<const Stage*> stages;
    for (const Stage& stage : m_stages)
        stages.push_back(&stage);
    std::stable_sort(stages.begin(), stages.end(),
                     [](const Stage* a, const Stage* b) { return translated(a->title) < translated(b->title); });
    return stages;
}

QStringList PushUpdatesDirectoryWatcher::stageTitles() const
{
    QStringList titles;
    for (const Stage* stage : sortedStages())
        titles.append(translated(stage->title));
    return titles;
}

void PushUpdatesDirectoryWatcher::onStart()
{
    qCInfo(uiLog) << "Applying the pushed update";
    m_powerControl->setEnabled(false);
    m_dialog->prepare(tr("Aggiornamento in corso"), tr("Lettura file di aggiornamento in corso..."), 0);
    m_dialog->open();
    m_run = std::make_shared<Run>();
    for (const Stage* stage : sortedStages())
        m_run->stages.emplace_back(translated(stage->title), stage->handler.get());
    m_run->pushDir = m_pushDir;
    m_run->pushed = QDir(m_pushDir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    runStagesFrom(0);
}

// On a worker, the stages from first up to the next one that runs on this
// thread; its index comes back, or RUN_ENDED once the update is over.
void PushUpdatesDirectoryWatcher::runStagesFrom(size_t first)
{
    const std::shared_ptr<Run> run = m_run;
    UpdateProgressDialog* dialog = m_dialog;
    UpdateAuthenticator* authenticator = m_authenticator;
    m_workerStages.setFuture(QtConcurrent::run([run, first, dialog, authenticator] {
        if (first == 0) {
            dialog->beginUpdate();
            run->trusted = is_vouched_for(authenticator, run->pushDir, run->pushed);
        }
        for (size_t i = first; run->trusted && i < run->stages.size(); ++i) {
            const auto& [title, handler] = run->stages[i];
            if (handler->runsOnGuiThread())
                return i;
            dialog->beginStage(title);
            handler->apply(QDir(run->pushDir), dialog);
        }
        remove_entries(run->pushDir, run->pushed);
        dialog->finishUpdate();
        return RUN_ENDED;
    }));
}

void PushUpdatesDirectoryWatcher::onWorkerStagesEnded()
{
    const size_t stage = m_workerStages.result();
    if (stage == RUN_ENDED) {
        m_run.reset();
        return;
    }
    const auto& [title, handler] = m_run->stages[stage];
    m_dialog->beginStage(title);
    handler->apply(QDir(m_run->pushDir), m_dialog);
    runStagesFrom(stage + 1);
}

void PushUpdatesDirectoryWatcher::onUpdateFinished()
{
    finish();
}

void PushUpdatesDirectoryWatcher::onStop()
{
    qCInfo(uiLog) << "Pushed update applied";
    if (m_dialog->restartRequired())
        m_powerControl->doAction(PowerControl::Restart);
    m_powerControl->setEnabled(true);
    if (!takeDone())
        listen(true);
}
