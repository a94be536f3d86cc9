// The content update: the check against a server on loopback, the signed
// releases, and the whole nightly path from the scheduler through the page
// that applies the content to the next start.

#include "updates/contentupdateservice.h"

#include "board/powercontrol.h"
#include "core/vm24.h"
#include "maintenance/contentupdatepage.h"
#include "settings/settings.h"
#include "tasks/nightlychecktask.h"
#include "tasks/taskscheduler.h"
#include "testfiles.h"
#include "ui/context.h"
#include "ui/pendingactivityqueue.h"
#include "ui/updateprogressdialog.h"
#include "updates/assetsregistry.h"
#include "updates/updateauthenticator.h"
#include "updates/updatefiles.h"
#include "updates/updateprocesscontext.h"

#include "httpserverprocess.h"
#include "recordingactivity.h"
#include "testenvironment.h"
#include "updatesigningrig.h"
#include "zipwriter.h"

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>

#include <sys/time.h>

namespace {

void set_modified(const QString& path, const QDateTime& when)
{
    const timeval times[2] = {{time_t(when.toSecsSinceEpoch()), 0}, {time_t(when.toSecsSinceEpoch()), 0}};
    QVERIFY(::utimes(QFile::encodeName(path).constData(), times) == 0);
}

QString yesterday()
{
    return QDate::currentDate().addDays(-1).toString(QStringLiteral("yyyy-MM-dd"));
}

QDateTime yesterday_night()
{
    return QDateTime(QDate::currentDate().addDays(-1), QTime(1, 30));
}

// The machine as the program composes it: the service, its nightly task in
// the scheduler (with a start missed last night) and the page on the queue.
struct Machine
{
    TestEnvironment::ScopedAppDir appDir;
    AssetsRegistry registry{VM24::get_path(QStringLiteral("data"))};
    QStackedWidget views;
    Context context{&views};
    PendingActivityQueue queue;
    PowerControl power;
    RecordingActivity home{&context};
    UpdateAuthenticator authenticator;
    std::unique_ptr<ContentUpdateService> downloader;
    std::unique_ptr<ContentUpdatePage> page;
    TaskScheduler scheduler;
    NightlyCheckTask* task = nullptr;

    explicit Machine(const QString& serverAddress)
    {
        registry.addAsset(QStringList{"products", "brixo-events", "brixo-banner", "media", "user"});
        for (const char* asset : {"products", "brixo-events", "brixo-banner", "media"})
            set_modified(registry.assetDir(QLatin1String(asset)), QDateTime::currentDateTime().addYears(-1));
        QSettings settings;
        settings.setValue(QStringLiteral("advanced/serial"), 4242);
        settings.setValue(QStringLiteral("UpdatesServer/address"), serverAddress);
        downloader = std::make_unique<ContentUpdateService>(&registry);
        page = std::make_unique<ContentUpdatePage>(downloader.get(), &queue, &power, &context);
        task = new NightlyCheckTask(downloader.get(), NightlyCheckTask::CONTENT_LIMITS);
        QObject::connect(downloader.get(), &ContentUpdateService::finished, task, &NightlyCheckTask::checkEnded);
        task->loadConfiguration(settings);
        {
            QSettings store(scheduler.timeStorePath(), QSettings::IniFormat);
            store.setValue(QLatin1String(NightlyCheckTask::CONTENT_TASK_NAME), yesterday_night());
        }
        scheduler.registerTask(task, QLatin1String(NightlyCheckTask::CONTENT_TASK_NAME));
        authenticator.setSerial(Settings(settings).value(Settings::Serial));
        downloader->setAuthenticator(&authenticator);
        context.addView(&home);
        context.startActivity(&home);
    }
};

// Takes the ready content as the page would, and tells when it has ended.
class RecordingContext : public UpdateProcessContext
{
public:
    bool ended() const { return m_ended; }

protected:
    void updateProgress(const QString&) override {}
    void updateEnd() override { m_ended = true; }
    void onFileProgress(const QString&, int, int) override {}

private:
    std::atomic<bool> m_ended{false};
};

// The page waits in the queue for it; here the content is taken without it.
void apply_ready_content(Machine& machine)
{
    ContentUpdateService* service = machine.downloader.get();
    QCOMPARE(service->state(), ContentUpdateService::ContentsReady);
    QCOMPARE(machine.queue.size(), 1);
    QCOMPARE(machine.queue.takeOne(), static_cast<Activity*>(machine.page.get()));
    RecordingContext context;
    service->apply(&context);
    QTRY_VERIFY_WITH_TIMEOUT(context.ended(), 30000);
    service->endApplying();
    QCOMPARE(service->state(), ContentUpdateService::Idle);
}

// The served tree of a content release: media for every machine, a
// catalogue for machine 04242, both descriptors published and signed.
struct SignedRelease
{
    QTemporaryDir served;
    HttpServerProcess server{served.path()};

    QString path(const QString& relative) const { return served.filePath(relative); }

    bool write(UpdateSigningRig& rig)
    {
        ZipWriter media;
        media.add(QStringLiteral("01-spring.png"), "spring slide");
        ZipWriter catalogue;
        catalogue.add(QStringLiteral("index.xml"), "<catalogue name=\"farmacia\"/>");
        if (!QDir(served.path()).mkpath(QStringLiteral("contents/04242"))
            || !media.write(path(QStringLiteral("contents/media-2024.zip")))
            || !catalogue.write(path(QStringLiteral("contents/04242/farmacia.zip"))))
            return false;
        write_file(path(QStringLiteral("contents/descriptor.txt")),
                   QStringLiteral("media %1 %2 06:00\n").arg(server.url(QStringLiteral("contents/media-2024.zip")), yesterday()).toUtf8());
        write_file(path(QStringLiteral("contents/04242/descriptor.txt")),
                   QStringLiteral("catalogue farmacia %1 %2\n")
                       .arg(server.url(QStringLiteral("contents/04242/farmacia.zip")), yesterday())
                       .toUtf8());
        return rig.publishContent(path(QStringLiteral("contents")));
    }
};

bool has_applied_content(const AssetsRegistry& registry)
{
    return QFileInfo::exists(registry.baseDir() + QStringLiteral("/media/01-spring.png"))
        || QFileInfo::exists(registry.baseDir() + QStringLiteral("/products/farmacia"));
}

QStringList texts(const QSignalSpy& spy)
{
    QStringList all;
    for (const QList<QVariant>& signal : spy)
        all << signal.at(0).toString();
    return all;
}

enum Tamper { Untouched, DescriptorChanged, ArchiveChanged, FileLonger, ForeignSignature, NoSignature,
              OlderReplayed, OtherSerial, Unlisted };

} // namespace

class ContentUpdateServiceTest : public QObject
{
    Q_OBJECT

private slots:
    // The night's start, missed while the machine was off, runs the check:
    // the general and the machine's own descriptor name new media and a new
    // catalogue; after the check the update waits for the home page, then
    // applies them under the progress dialog, returns to idle and only then
    // takes its next start.
    void checkDownloadAndApply()
    {
        QTemporaryDir served;
        ZipWriter media;
        media.add(QStringLiteral("01-spring.png"), "spring slide");
        QVERIFY(QDir(served.path()).mkpath(QStringLiteral("contents/04242")));
        QVERIFY(media.write(served.filePath(QStringLiteral("contents/media-2024.zip"))));
        ZipWriter catalogue;
        catalogue.add(QStringLiteral("index.xml"), "<catalogue name=\"farmacia\"/>");
        QVERIFY(catalogue.write(served.filePath(QStringLiteral("contents/04242/farmacia.zip"))));
        HttpServerProcess server(served.path());
        QVERIFY(server.start());
        write_file(served.filePath(QStringLiteral("contents/descriptor.txt")),
                   QStringLiteral("media %1 %2 06:00\n").arg(server.url(QStringLiteral("contents/media-2024.zip")), yesterday()).toUtf8());
        write_file(served.filePath(QStringLiteral("contents/04242/descriptor.txt")),
                   QStringLiteral("catalogue farmacia %1 %2\n").arg(server.url(QStringLiteral("contents/04242/farmacia.zip")), yesterday()).toUtf8());

        Machine machine(server.address());
        ContentUpdateService* downloader = machine.downloader.get();
        QCOMPARE(downloader->serverUrl().toString(), QStringLiteral("http://") + server.address());
        QSignalSpy states(downloader, &ContentUpdateService::stateChanged);
        QSignalSpy results(downloader, &ContentUpdateService::finished);
        QSignalSpy changed(&machine.registry, &AssetsRegistry::contentChanged);
        QCOMPARE(machine.task->startTime(), yesterday_night());
        machine.scheduler.runTasks();
        QCOMPARE(downloader->state(), ContentUpdateService::Checking);
        QVERIFY(!machine.task->canRun(QDateTime::currentDateTime()));
        QTRY_COMPARE_WITH_TIMEOUT(downloader->state(), ContentUpdateService::ContentsReady, 60000);
        QCOMPARE(machine.queue.size(), 1);
        const QString downloads = downloader->downloadDir();
        // Both files wait under names of their own.
        QCOMPARE(QDir(downloads).entryList(QDir::Files).size(), 2);
        QVERIFY(changed.isEmpty());
        downloader->checkForUpdates(); // busy: ignored
        QCOMPARE(machine.queue.size(), 1);

        // Not started again before the content is applied.
        QCOMPARE(machine.task->startTime(), yesterday_night());
        machine.context.startActivity(machine.queue.takeOne());
        QVERIFY(!machine.power.isEnabled());
        UpdateProgressDialog* dialog = machine.page->dialog();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->text(), QStringLiteral("Aggiornamento contenuti in corso"));
        QTRY_COMPARE_WITH_TIMEOUT(dialog->text(), QStringLiteral("Aggiornamento completato"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(machine.context.currentActivity(), &machine.home, 10000);
        QVERIFY(machine.power.isEnabled());
        QCOMPARE(downloader->state(), ContentUpdateService::Idle);
        QVERIFY(!QFileInfo::exists(downloads));
        QCOMPARE(states.size(), 3);
        QCOMPARE(results.size(), 1);
        QCOMPARE(results.first().at(0).toInt(), int(ContentUpdateService::Applied));
        const QDateTime next = machine.task->startTime();
        QVERIFY(next > QDateTime::currentDateTime() && next < QDateTime::currentDateTime().addSecs(26 * 3600));
        QCOMPARE(machine.scheduler.getSavedTime(QLatin1String(NightlyCheckTask::CONTENT_TASK_NAME)), next);

        const QString data = machine.registry.baseDir();
        QCOMPARE(read_file(data + QStringLiteral("/media/01-spring.png")), QByteArray("spring slide"));
        QCOMPARE(read_file(data + QStringLiteral("/products/farmacia/index.xml")), QByteArray("<catalogue name=\"farmacia\"/>"));
        QStringList announced;
        for (const QList<QVariant>& change : changed)
            announced << change.at(0).toString();
        QCOMPARE(announced, (QStringList{"products", "media"}));

        // The same descriptors again: the content is newer, nothing to do.
        states.clear();
        downloader->checkForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(downloader->state(), ContentUpdateService::Idle, 60000);
        QCOMPARE(states.size(), 2);
        QCOMPARE(results.last().at(0).toInt(), int(ContentUpdateService::NothingNew));
        QVERIFY(machine.queue.isEmpty());
    }

    // With the owner's key on the machine, a signed release is applied, and
    // every way of tampering with it applies nothing, keeps the former
    // content and names the file and the reason in a warning row.
    void signedReleases_data()
    {
        QTest::addColumn<int>("tamper");
        QTest::addColumn<QString>("warning");
        const QString refused = QStringLiteral("Aggiornamento rifiutato: ");
        QTest::newRow("valid") << int(Untouched) << QString();
        QTest::newRow("descriptor changed after signing")
            << int(DescriptorChanged) << refused + QStringLiteral("descriptor.txt (diverso da quanto firmato)");
        QTest::newRow("catalogue archive changed after signing")
            << int(ArchiveChanged) << refused + QStringLiteral("farmacia.zip (diverso da quanto firmato)");
        QTest::newRow("file longer than listed")
            << int(FileLonger) << refused + QStringLiteral("media-2024.zip (più lungo di quanto elencato)");
        QTest::newRow("signature of another key")
            << int(ForeignSignature) << refused + QStringLiteral("contents/descriptor.txt.index (firma non valida)");
        QTest::newRow("no signature")
            << int(NoSignature) << refused + QStringLiteral("contents/descriptor.txt.index (firma mancante)");
        QTest::newRow("older index after a newer one")
            << int(OlderReplayed)
            << refused + QStringLiteral("contents/descriptor.txt.index (indice più vecchio dell'ultimo applicato)");
        QTest::newRow("index for another serial")
            << int(OtherSerial) << refused + QStringLiteral("contents/04242/descriptor.txt.index (indice per un'altra macchina)");
        QTest::newRow("file the index does not list")
            << int(Unlisted) << refused + QStringLiteral("media-2024.zip (non elencato nell'indice firmato)");
    }

    void signedReleases()
    {
        QFETCH(int, tamper);
        QFETCH(QString, warning);
        SignedRelease release;
        QVERIFY(release.server.start());
        Machine machine(release.server.address());
        UpdateSigningRig rig(machine.appDir.path());
        QVERIFY2(rig.isValid(), qPrintable(rig.error()));
        QVERIFY(release.write(rig));
        ContentUpdateService* downloader = machine.downloader.get();
        const QString generalIndex = release.path(QStringLiteral("contents/descriptor.txt.index"));
        if (tamper == OlderReplayed) {
            // The machine applies a release; then the server hands out the one before.
            QVERIFY(QFile::copy(generalIndex, generalIndex + QStringLiteral(".old")));
            QVERIFY(QFile::copy(generalIndex + QStringLiteral(".sig"), generalIndex + QStringLiteral(".sig.old")));
            QTest::qWait(1100);
            QVERIFY(rig.publishContent(release.path(QStringLiteral("contents"))));
            downloader->checkForUpdates();
            QTRY_COMPARE_WITH_TIMEOUT(downloader->state(), ContentUpdateService::ContentsReady, 60000);
            apply_ready_content(machine);
            QVERIFY(has_applied_content(machine.registry));
            QVERIFY(VM24::rm_dir(machine.registry.baseDir() + QStringLiteral("/products/farmacia")));
            QVERIFY(QFile::remove(machine.registry.baseDir() + QStringLiteral("/media/01-spring.png")));
            set_modified(machine.registry.assetDir(QStringLiteral("media")), QDateTime::currentDateTime().addYears(-1));
            set_modified(machine.registry.assetDir(QStringLiteral("products")), QDateTime::currentDateTime().addYears(-1));
            for (const QString& suffix : {QStringLiteral(""), QStringLiteral(".sig")}) {
                QVERIFY(QFile::remove(generalIndex + suffix));
                QVERIFY(QFile::rename(generalIndex + suffix + QStringLiteral(".old"), generalIndex + suffix));
            }
        }
        const auto flip_middle_byte = [](const QString& path) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray bytes = file.readAll();
            bytes[bytes.size() / 2] = char(bytes.at(bytes.size() / 2) ^ 0x55);
            QVERIFY(file.seek(0));
            QCOMPARE(file.write(bytes), bytes.size());
        };
        switch (tamper) {
        case DescriptorChanged:
            write_file(release.path(QStringLiteral("contents/descriptor.txt")),
                       read_file(release.path(QStringLiteral("contents/descriptor.txt"))) + "# changed\n");
            break;
        case ArchiveChanged:
            flip_middle_byte(release.path(QStringLiteral("contents/04242/farmacia.zip")));
            break;
        case FileLonger:
            write_file(release.path(QStringLiteral("contents/media-2024.zip")),
                       read_file(release.path(QStringLiteral("contents/media-2024.zip"))) + QByteArray(4096, 'x'));
            break;
        case ForeignSignature:
            QVERIFY(rig.resign(generalIndex, [](QByteArray text) { return text; }, true));
            break;
        case NoSignature:
            QVERIFY(QFile::remove(generalIndex + QStringLiteral(".sig")));
            break;
        case OtherSerial:
            QVERIFY(rig.resign(release.path(QStringLiteral("contents/04242/descriptor.txt.index")),
                               [](QByteArray text) { return text.replace("for 04242", "for 04243"); }));
            break;
        case Unlisted:
            QVERIFY(rig.resign(generalIndex, [](QByteArray text) {
                QByteArray kept;
                for (const QByteArray& line : text.split('\n')) {
                    if (!line.startsWith("file media-2024.zip") && !line.isEmpty())
                        kept += line + '\n';
                }
                return kept;
            }));
            break;
        default:
            break;
        }

        QSignalSpy warnings(&machine.authenticator, &UpdateAuthenticator::warning);
        QSignalSpy results(downloader, &ContentUpdateService::finished);
        const QDateTime appliedBefore = machine.authenticator.lastApplied(QStringLiteral("contents/descriptor.txt"));
        downloader->checkForUpdates();
        if (warning.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(downloader->state(), ContentUpdateService::ContentsReady, 60000);
            apply_ready_content(machine);
            const QString data = machine.registry.baseDir();
            QCOMPARE(read_file(data + QStringLiteral("/media/01-spring.png")), QByteArray("spring slide"));
            QCOMPARE(read_file(data + QStringLiteral("/products/farmacia/index.xml")),
                     QByteArray("<catalogue name=\"farmacia\"/>"));
            QCOMPARE(texts(warnings), QStringList());
            QVERIFY(machine.authenticator.lastApplied(QStringLiteral("contents/descriptor.txt")).isValid());
            QVERIFY(machine.authenticator.lastApplied(QStringLiteral("contents/own/descriptor.txt")).isValid());
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(downloader->state(), ContentUpdateService::Idle, 60000);
        QCOMPARE(results.size(), 1);
        QCOMPARE(results.first().at(0).toInt(), int(ContentUpdateService::Failed));
        QVERIFY(machine.queue.isEmpty());
        QVERIFY(!has_applied_content(machine.registry));
        QCOMPARE(texts(warnings), QStringList{warning});
        QCOMPARE(machine.authenticator.lastApplied(QStringLiteral("contents/descriptor.txt")), appliedBefore);
    }

    // Without the key: content as before (checkDownloadAndApply), and one
    // warning row a day that updates are not authenticated, however often
    // the machine starts or checks.
    void unauthenticatedWarningOncePerDay()
    {
        TestEnvironment::ScopedAppDir appDir;
        const QDate today = QDate::currentDate();
        {
            UpdateAuthenticator authenticator;
            QSignalSpy warnings(&authenticator, &UpdateAuthenticator::warning);
            QVERIFY(authenticator.warnIfUnauthenticated(today));
            QVERIFY(!authenticator.warnIfUnauthenticated(today));
            QCOMPARE(texts(warnings), QStringList{QStringLiteral(
                                          "Aggiornamenti non autenticati: manca la chiave pubblica degli aggiornamenti")});
        }
        UpdateAuthenticator restarted;
        QVERIFY(!restarted.warnIfUnauthenticated(today));
        QVERIFY(restarted.warnIfUnauthenticated(today.addDays(1)));
        UpdateSigningRig rig(appDir.path());
        QVERIFY2(rig.isValid(), qPrintable(rig.error()));
        QVERIFY(!restarted.warnIfUnauthenticated(today.addDays(2)));
    }

    // No descriptor on the server, or a server that never answers: the check
    // ends, nothing is queued, the temporary directory goes.
    void failedChecksEndQuietly()
    {
        QTemporaryDir served;
        HttpServerProcess server(served.path());
        QVERIFY(server.start());
        Machine machine(server.address());
        machine.downloader->checkForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(machine.downloader->state(), ContentUpdateService::Idle, 60000);
        QVERIFY(machine.queue.isEmpty());
        QVERIFY(machine.downloader->downloadDir().isEmpty());

        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        QList<QTcpSocket*> held;
        connect(&silent, &QTcpServer::newConnection, &silent, [&silent, &held] {
            while (QTcpSocket* socket = silent.nextPendingConnection())
                held << socket; // accepted, never answered
        });
        Machine hanging(QStringLiteral("127.0.0.1:%1").arg(silent.serverPort()));
        hanging.downloader->setDescriptorTimeLimit(1500);
        QElapsedTimer elapsed;
        elapsed.start();
        QSignalSpy results(hanging.downloader.get(), &ContentUpdateService::finished);
        hanging.downloader->checkForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(hanging.downloader->state(), ContentUpdateService::Idle, 20000);
        QVERIFY(elapsed.elapsed() < 15000);
        QCOMPARE(results.size(), 1);
        QCOMPARE(results.first().at(0).toInt(), int(ContentUpdateService::Failed));
        QVERIFY(!held.isEmpty());
        QVERIFY(hanging.queue.isEmpty());
    }
};

QTEST_MAIN(ContentUpdateServiceTest)
#include "tst_contentupdateservice.moc"
