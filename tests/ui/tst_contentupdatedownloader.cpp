#include "testfiles.h"
#include "ui/contentupdatedownloader.h"

#include "board/powercontrol.h"
#include "core/vm24.h"
#include "ui/context.h"
#include "ui/pendingactivityqueue.h"
#include "ui/updateprogressdialog.h"
#include "updates/assetsregistry.h"

#include "httpserverprocess.h"
#include "recordingactivity.h"
#include "testenvironment.h"
#include "zipwriter.h"

#include <QFile>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

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

struct Machine
{
    TestEnvironment::ScopedAppDir appDir;
    AssetsRegistry registry{VM24::get_path(QStringLiteral("data"))};
    QStackedWidget views;
    Context context{&views};
    PendingActivityQueue queue;
    PowerControl power;
    RecordingActivity home{&context};
    std::unique_ptr<ContentUpdateDownloader> downloader;

    explicit Machine(const QString& serverAddress)
    {
        registry.addAsset(QStringList{"products", "brixo-events", "brixo-banner", "media", "user"});
        for (const char* asset : {"products", "brixo-events", "brixo-banner", "media"})
            set_modified(registry.assetDir(QLatin1String(asset)), QDateTime::currentDateTime().addYears(-1));
        QSettings settings;
        settings.setValue(QStringLiteral("advanced/serial"), 4242);
        settings.setValue(QStringLiteral("UpdatesServer/address"), serverAddress);
        downloader = std::make_unique<ContentUpdateDownloader>(&queue, &registry, &power, &context);
        downloader->loadConfiguration(settings);
        context.addView(&home);
        context.startActivity(&home);
    }
};

} // namespace

class ContentUpdateDownloaderTest : public QObject
{
    Q_OBJECT

private slots:
    // The general and the machine's own descriptor name new media and a new
    // catalogue; after the check the update waits for the home page, then
    // applies them under the progress dialog and returns to idle.
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
        ContentUpdateDownloader* downloader = machine.downloader.get();
        QCOMPARE(downloader->serverUrl().toString(), QStringLiteral("http://") + server.address());
        QSignalSpy states(downloader, &ContentUpdateDownloader::stateChanged);
        QSignalSpy changed(&machine.registry, &AssetsRegistry::contentChanged);
        downloader->checkForUpdates();
        QCOMPARE(downloader->state(), ContentUpdateDownloader::Checking);
        QTRY_COMPARE_WITH_TIMEOUT(downloader->state(), ContentUpdateDownloader::ContentsReady, 60000);
        QCOMPARE(machine.queue.size(), 1);
        const QString downloads = downloader->downloadDir();
        // Both files wait under names of their own.
        QCOMPARE(QDir(downloads).entryList(QDir::Files).size(), 2);
        QVERIFY(changed.isEmpty());
        downloader->checkForUpdates(); // busy: ignored
        QCOMPARE(machine.queue.size(), 1);

        machine.context.startActivity(machine.queue.takeOne());
        QVERIFY(!machine.power.isEnabled());
        UpdateProgressDialog* dialog = downloader->dialog();
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->text(), QStringLiteral("Aggiornamento contenuti in corso"));
        QTRY_COMPARE_WITH_TIMEOUT(dialog->text(), QStringLiteral("Aggiornamento completato"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(machine.context.currentActivity(), &machine.home, 10000);
        QVERIFY(machine.power.isEnabled());
        QCOMPARE(downloader->state(), ContentUpdateDownloader::Idle);
        QVERIFY(!QFileInfo::exists(downloads));
        QCOMPARE(states.size(), 3);

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
        QTRY_COMPARE_WITH_TIMEOUT(downloader->state(), ContentUpdateDownloader::Idle, 60000);
        QCOMPARE(states.size(), 2);
        QVERIFY(machine.queue.isEmpty());
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
        QTRY_COMPARE_WITH_TIMEOUT(machine.downloader->state(), ContentUpdateDownloader::Idle, 60000);
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
        hanging.downloader->checkForUpdates();
        QTRY_COMPARE_WITH_TIMEOUT(hanging.downloader->state(), ContentUpdateDownloader::Idle, 20000);
        QVERIFY(elapsed.elapsed() < 15000);
        QVERIFY(!held.isEmpty());
        QVERIFY(hanging.queue.isEmpty());
    }
};

QTEST_MAIN(ContentUpdateDownloaderTest)
#include "tst_contentupdatedownloader.moc"
