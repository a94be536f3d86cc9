#include "testfiles.h"
#include "updates/assetsregistry.h"
#include "updates/brixobannerupdatecommand.h"
#include "updates/brixoeventsupdatecommand.h"
#include "updates/catalogueupdatecommand.h"
#include "updates/diskspacereserve.h"
#include "updates/downloadmanager.h"
#include "updates/mediaupdatecommand.h"
#include "updates/updatedescriptorinterpreter.h"
#include "updates/updateprocesscontext.h"

#include "httpserverprocess.h"
#include "zipwriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
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

// Records what an update reports.
class RecordingContext : public UpdateProcessContext
{
public:
    QStringList events;

protected:
    void updateProgress(const QString& stage) override { events << QStringLiteral("stage ") + stage; }
    void updateEnd() override { events << QStringLiteral("end"); }
    void onFileProgress(const QString& item, int current, int total) override
    {
        events << QStringLiteral("item %1 %2/%3").arg(item).arg(current).arg(total);
    }
};

// The machine's data directory with its content assets, all dated a year
// ago unless a test says otherwise, and the interpreter with its four commands.
struct Machine
{
    QTemporaryDir dir;
    AssetsRegistry registry{dir.filePath(QStringLiteral("data"))};
    UpdateDescriptorInterpreter interpreter;
    QDateTime yearAgo = QDateTime::currentDateTime().addYears(-1);

    Machine()
    {
        registry.addAsset(QStringList{"products", "brixo-events", "brixo-banner", "media"});
        for (const char* asset : {"products", "brixo-events", "brixo-banner", "media"})
            set_modified(registry.assetDir(QLatin1String(asset)), yearAgo);
        interpreter.addCommand(QStringLiteral("Banner Brixo"), std::make_unique<BrixoBannerUpdateCommand>(&registry));
        interpreter.addCommand(QStringLiteral("Brixo Events"), std::make_unique<BrixoEventsUpdateCommand>(&registry));
        interpreter.addCommand(QStringLiteral("Cataloghi prodotti"), std::make_unique<CatalogueUpdateCommand>(&registry));
        interpreter.addCommand(QStringLiteral("Home Page"), std::make_unique<MediaUpdateCommand>(&registry));
    }

    bool parse(const QByteArray& descriptor)
    {
        QBuffer buffer;
        buffer.setData(descriptor);
        buffer.open(QIODevice::ReadOnly);
        return interpreter.parse(&buffer);
    }

    QStringList urls() const
    {
        QStringList list;
        for (const auto& download : interpreter.downloads())
            list << download.first.toString();
        return list;
    }

    CatalogueUpdateCommand* catalogues() const { return static_cast<CatalogueUpdateCommand*>(interpreter.command(2)); }
};

QString day(int offset)
{
    return QDate::currentDate().addDays(offset).toString(QStringLiteral("yyyy-MM-dd"));
}

} // namespace

class ContentDescriptorTest : public QObject
{
    Q_OBJECT

private slots:
    void takesWhatIsDueAndNewer()
    {
        Machine machine;
        const QByteArray descriptor = QStringLiteral(
            "# contents\n"
            "\n"
            "  media   http://srv/m/media-old.zip %1\n"
            "media http://srv/m/media.zip %1 08:30\r\n"
            "brixo-events http://srv/e/events.jpg %2\n"           // tomorrow: not yet
            "brixo-banner http://srv/b/banner.png\n"              // too few fields
            "catalogue farmacia http://srv/c/farmacia.zip %1\n"
            "catalogue brixo delete %1 10:00\n"
            "catalogue zeta http://srv/c/zeta.zip %2\n"           // tomorrow
            "catalogue ../../etc delete %1\n"                     // not a catalogue name
            "catalogue zz-user-edits delete %1\n"                 // the operator's own
            "catalogue .main.new-abc123 http://srv/c/x.zip %1\n"  // a staging name
            "catalogue odd notaurl %1\n"
            "unknown line here\n")
                                          .arg(day(-1), day(1))
                                          .toUtf8();
        QVERIFY(machine.parse(descriptor));
        QCOMPARE(machine.urls(), (QStringList{"http://srv/c/farmacia.zip", "http://srv/m/media.zip"}));
        QVERIFY(machine.interpreter.hasPendingActions());
        QCOMPARE(machine.catalogues()->actions().keys(), (QStringList{"brixo", "farmacia"}));

        // Parsing again starts afresh.
        QVERIFY(machine.parse(QByteArray()));
        QVERIFY(machine.urls().isEmpty());
        QVERIFY(!machine.interpreter.hasPendingActions());
    }

    // The later of two due lines wins; when the asset is newer than it,
    // nothing is fetched even though the earlier line alone would be.
    void laterLineWinsAndNewerContentIsKept()
    {
        Machine machine;
        set_modified(machine.registry.assetDir(QStringLiteral("media")), QDateTime::currentDateTime().addDays(-5));
        QDir(machine.registry.assetDir(QStringLiteral("products"))).mkdir(QStringLiteral("farmacia"));
        set_modified(machine.registry.assetDir(QStringLiteral("products")) + QStringLiteral("/farmacia"),
                     QDateTime::currentDateTime().addDays(-5));
        QVERIFY(machine.parse(QStringLiteral("media http://srv/old.zip %1\nmedia http://srv/new.zip %2\n"
                                             "catalogue farmacia http://srv/f.zip %1\ncatalogue farmacia delete %2\n")
                                  .arg(day(-10), day(-7))
                                  .toUtf8()));
        QVERIFY(machine.urls().isEmpty());
        QVERIFY(!machine.interpreter.hasPendingActions());
    }

    // Random bytes, huge and long descriptors, odd dates, other schemes and
    // control characters: nothing to fetch, no crash.
    void badDescriptorsFetchNothing_data()
    {
        QTest::addColumn<QByteArray>("descriptor");
        QTest::addColumn<bool>("accepted");
        QRandomGenerator random(1717);
        for (int i = 0; i < 20; ++i) {
            QByteArray bytes(random.bounded(1, 20000), Qt::Uninitialized);
            for (char& b : bytes)
                b = char(random.bounded(256));
            QTest::addRow("random %d", i) << bytes << true;
        }
        QByteArray huge(10 * 1024 * 1024, 'x');
        huge.prepend(QStringLiteral("media http://srv/m.zip %1\n").arg(day(-1)).toUtf8());
        QTest::newRow("10 MB") << huge << false;
        QByteArray manyLines;
        for (int i = 0; i < 10000; ++i)
            manyLines += QStringLiteral("media http://srv/m%1.zip %2\n").arg(i).arg(day(1)).toUtf8();
        QTest::newRow("10000 future lines") << manyLines << true;
        QTest::newRow("invalid dates") << QByteArray("media http://srv/m.zip 2024-02-30\n"
                                                     "media http://srv/m.zip 2024-13-01 10:00\n"
                                                     "media http://srv/m.zip 2024-01-01 25:61\n"
                                                     "media http://srv/m.zip yesterday\n"
                                                     "catalogue c http://srv/c.zip 01/01/2024\n")
                                       << true;
        QTest::newRow("far future") << QByteArray("media http://srv/m.zip 9999-12-31 23:59\n") << true;
        QTest::newRow("other schemes") << QStringLiteral("media file:///etc/passwd %1\n"
                                                         "brixo-banner ftp://127.0.0.1/b.png %1\n"
                                                         "brixo-events /etc/shadow %1\n"
                                                         "catalogue c file:///etc/ %1\n"
                                                         "media http:///nohost.zip %1\n")
                                              .arg(day(-1))
                                              .toUtf8()
                                       << true;
        QTest::newRow("control characters") << QStringLiteral("media http://srv/m\x01.zip %1\n"
                                                              "media\x1b[2J http://srv/m.zip %1\n"
                                                              "catalogue ca\x7ft http://srv/c.zip %1\n"
                                                              "media http://srv/-o.zip %1\n"
                                                              "media http://srv/dir/ %1\n")
                                                   .arg(day(-1))
                                                   .toUtf8()
                                            << true;
    }

    void badDescriptorsFetchNothing()
    {
        QFETCH(QByteArray, descriptor);
        QFETCH(bool, accepted);
        Machine machine;
        QCOMPARE(machine.parse(descriptor), accepted);
        QVERIFY2(machine.urls().isEmpty(), qPrintable(machine.urls().join(QLatin1Char(' '))));
        QVERIFY(!machine.interpreter.hasPendingActions());
    }

    // Many lines per name still give one action per name.
    // (How fast this parses is the descriptor benchmark's business.)
    void tenThousandLinesKeepOneActionPerName()
    {
        Machine machine;
        QByteArray descriptor;
        for (int i = 0; i < 10000; ++i) {
            descriptor += QStringLiteral("catalogue cat%1 http://srv/c/cat%1.zip %2 10:%3\n")
                              .arg(i % 500).arg(day(-(i % 30) - 1)).arg(i % 60, 2, 10, QLatin1Char('0'))
                              .toUtf8();
        }
        QVERIFY(machine.parse(descriptor));
        QCOMPARE(machine.catalogues()->actions().size(), 500);
    }

    // Real wget against a loopback server: files arrive in order, a missing
    // one is dropped, a left-over temporary directory is emptied first, and
    // the commands install what arrived.
    void downloadsAndApplies()
    {
        QTemporaryDir served;
        ZipWriter media;
        media.add(QStringLiteral("01-new.png"), "slide");
        QVERIFY(QDir(served.path()).mkpath(QStringLiteral("m")) && QDir(served.path()).mkpath(QStringLiteral("c/farmacia")));
        QVERIFY(media.write(served.filePath(QStringLiteral("m/media.zip"))));
        // Both catalogue archives are served under the same file name.
        ZipWriter farmacia;
        farmacia.add(QStringLiteral("index.xml"), "<catalogue name='farmacia'/>");
        QVERIFY(farmacia.write(served.filePath(QStringLiteral("c/farmacia/catalogue.zip"))));
        write_file(served.filePath(QStringLiteral("c/broken/catalogue.zip")), QByteArray(3000, 'b'));
        write_file(served.filePath(QStringLiteral("e/events.jpg")), "events picture");
        HttpServerProcess server(served.path());
        QVERIFY(server.start());

        Machine machine;
        const QString products = machine.registry.assetDir(QStringLiteral("products"));
        write_file(products + QStringLiteral("/broken/index.xml"), "old broken");
        write_file(products + QStringLiteral("/gone/index.xml"), "to delete");
        write_file(machine.registry.assetDir(QStringLiteral("media")) + QStringLiteral("/00-old.png"), "old");
        write_file(machine.registry.assetDir(QStringLiteral("brixo-banner")) + QStringLiteral("/brixo-banner.png"), "banner");
        for (const QString& dir : {products + QStringLiteral("/broken"), products + QStringLiteral("/gone"),
                                   machine.registry.assetDir(QStringLiteral("media")),
                                   machine.registry.assetDir(QStringLiteral("brixo-banner"))})
            set_modified(dir, machine.yearAgo);
        QVERIFY(machine.parse(QStringLiteral("media %1 %4\n"
                                             "brixo-events %2 %4\n"
                                             "brixo-banner %3 %4\n"
                                             "catalogue farmacia %5 %4\n"
                                             "catalogue broken %6 %4\n"
                                             "catalogue gone delete %4\n")
                                  .arg(server.url(QStringLiteral("m/media.zip")), server.url(QStringLiteral("e/events.jpg")),
                                       server.url(QStringLiteral("b/missing.png")), day(-1),
                                       server.url(QStringLiteral("c/farmacia/catalogue.zip")), server.url(QStringLiteral("c/broken/catalogue.zip")))
                                  .toUtf8()));

        QTemporaryDir downloads;
        write_file(downloads.filePath(QStringLiteral(".temp-downloads/left-over.part")), "old");
        DownloadManager manager;
        QVERIFY(manager.setDownloadDirectory(downloads.path()));
        manager.addUrl(machine.interpreter.downloads());
        manager.addUrl(QUrl(QStringLiteral("file:///etc/passwd")));
        QCOMPARE(manager.queueSize(), 5);
        QSignalSpy files(&manager, &DownloadManager::fileDownloaded);
        QSignalSpy finished(&manager, &DownloadManager::downloadFinished);
        manager.startDownload();
        QVERIFY(finished.wait(60000));
        QCOMPARE(files.size(), 4);
        QCOMPARE(manager.downloadedCount(), 4);
        QVERIFY(QDir(downloads.filePath(QStringLiteral(".temp-downloads"))).isEmpty());

        RecordingContext ctx;
        QDir downloadDir(downloads.path());
        QSignalSpy changed(&machine.registry, &AssetsRegistry::contentChanged);
        machine.interpreter.executeUpdateCommands(downloadDir, &ctx);
        QCOMPARE(ctx.events, (QStringList{"stage Brixo Events", "item events.jpg 1/0",
                                          "stage Cataloghi prodotti", "item broken 1/3", "item farmacia 2/3",
                                          "item gone 3/3", "stage Home Page", "item media.zip 1/0", "end"}));
        QCOMPARE(read_file(machine.registry.assetDir(QStringLiteral("brixo-events")) + QStringLiteral("/brixo-events.jpg")),
                 QByteArray("events picture"));
        QCOMPARE(read_file(machine.registry.assetDir(QStringLiteral("brixo-banner")) + QStringLiteral("/brixo-banner.png")),
                 QByteArray("banner"));
        QCOMPARE(read_file(products + QStringLiteral("/farmacia/index.xml")), QByteArray("<catalogue name='farmacia'/>"));
        QCOMPARE(read_file(products + QStringLiteral("/broken/index.xml")), QByteArray("old broken"));
        QVERIFY(!QFileInfo::exists(products + QStringLiteral("/gone")));
        QCOMPARE(QDir(machine.registry.assetDir(QStringLiteral("media"))).entryList(QDir::Files), QStringList{"01-new.png"});
        QStringList announced;
        for (const QList<QVariant>& change : changed)
            announced << change.at(0).toString();
        QCOMPARE(announced, (QStringList{"brixo-events", "products", "media"}));

        // Now that the content is newer, the same descriptor fetches nothing
        // but the catalogue whose archive was damaged.
        QVERIFY(machine.parse(QStringLiteral("media %1 %2\ncatalogue farmacia %3 %2\ncatalogue broken %4 %2\n")
                                  .arg(server.url(QStringLiteral("m/media.zip")), day(-1),
                                       server.url(QStringLiteral("c/farmacia/catalogue.zip")), server.url(QStringLiteral("c/broken/catalogue.zip")))
                                  .toUtf8()));
        QCOMPARE(machine.urls(), QStringList{server.url(QStringLiteral("c/broken/catalogue.zip"))});
    }

    // A file far beyond its limit (sparse, 8 GB, served on loopback) is
    // stopped as it grows, and one that would eat into the disk space
    // reserve likewise; both refusals are logged with their reason, the
    // files after them still arrive, and the old media stay.
    void oversizedFilesAreStopped()
    {
        QTemporaryDir served;
        QFile huge(served.filePath(QStringLiteral("huge.zip")));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(qint64(8) << 30));
        huge.close();
        write_file(served.filePath(QStringLiteral("medium.png")), QByteArray(3 * 1024 * 1024, 'm'));
        write_file(served.filePath(QStringLiteral("small.png")), "events picture");
        HttpServerProcess server(served.path());
        QVERIFY(server.start());

        Machine machine;
        write_file(machine.registry.assetDir(QStringLiteral("media")) + QStringLiteral("/00-old.png"), "old");
        set_modified(machine.registry.assetDir(QStringLiteral("media")), machine.yearAgo);
        QVERIFY(machine.parse(QStringLiteral("media %1 %2\nbrixo-events %3 %2\n")
                                  .arg(server.url(QStringLiteral("huge.zip")), day(-1), server.url(QStringLiteral("small.png")))
                                  .toUtf8()));
        QTemporaryDir downloads;
        const QString temp = downloads.filePath(QLatin1String(DownloadManager::TEMP_DIR_NAME));
        DownloadManager manager;
        QVERIFY(manager.setDownloadDirectory(downloads.path()));
        manager.setFileSizeLimit(10 * 1024 * 1024);
        QSignalSpy files(&manager, &DownloadManager::fileDownloaded);
        QSignalSpy finished(&manager, &DownloadManager::downloadFinished);
        // Room enough: only the size limit stops the huge archive.
        DiskSpaceReserve::setProbe([](const QString&) { return qint64(1) << 40; });
        auto restore = qScopeGuard([] { DiskSpaceReserve::setProbe(nullptr); });
        manager.addUrl(machine.interpreter.downloads());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                               "Download refused, larger than the limit of 10485760 bytes - .*huge\\.zip")));
        QElapsedTimer elapsed;
        elapsed.start();
        manager.startDownload();
        QVERIFY(finished.wait(60000));
        QVERIFY(elapsed.elapsed() < 30000);
        QCOMPARE(files.size(), 1);
        QVERIFY(QDir(temp).isEmpty());

        // 2 MB free beyond the reserve, less what the downloads hold: a
        // 3 MB file is stopped though within its limit.
        DiskSpaceReserve::setProbe([temp](const QString&) {
            qint64 used = 0;
            for (const QFileInfo& file : QDir(temp).entryInfoList(QDir::Files))
                used += file.size();
            return DiskSpaceReserve::reserveBytes() + 2 * 1024 * 1024 - used;
        });
        manager.addUrl(QUrl(server.url(QStringLiteral("medium.png"))));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral(
                                               "Download refused, it would leave less than 67108864 bytes free - .*medium\\.png")));
        manager.startDownload();
        QVERIFY(finished.wait(60000));
        QCOMPARE(files.size(), 1);
        QVERIFY(!QFileInfo::exists(downloads.filePath(QStringLiteral("medium.png"))));
        QVERIFY(QDir(temp).isEmpty());

        RecordingContext ctx;
        QDir downloadDir(downloads.path());
        machine.interpreter.executeUpdateCommands(downloadDir, &ctx);
        QCOMPARE(read_file(machine.registry.assetDir(QStringLiteral("brixo-events")) + QStringLiteral("/brixo-events.png")),
                 QByteArray("events picture"));
        QCOMPARE(QDir(machine.registry.assetDir(QStringLiteral("media"))).entryList(QDir::Files), QStringList{"00-old.png"});
    }

    // A server that accepts and never answers costs the file, not the run.
    void hangingServerLosesTheFileOnly()
    {
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
        QList<QTcpSocket*> held;
        connect(&silent, &QTcpServer::newConnection, &silent, [&silent, &held] {
            while (QTcpSocket* socket = silent.nextPendingConnection())
                held << socket;
        });
        QTemporaryDir downloads;
        DownloadManager manager;
        QVERIFY(manager.setDownloadDirectory(downloads.path()));
        manager.setFileTimeLimit(1500);
        manager.addUrl(QUrl(QStringLiteral("http://127.0.0.1:%1/media.zip").arg(silent.serverPort())));
        QSignalSpy finished(&manager, &DownloadManager::downloadFinished);
        QElapsedTimer elapsed;
        elapsed.start();
        manager.startDownload();
        QVERIFY(finished.wait(20000));
        QVERIFY(elapsed.elapsed() < 15000);
        QVERIFY(!held.isEmpty());
        QCOMPARE(manager.downloadedCount(), 0);
        QVERIFY(!QFileInfo::exists(downloads.filePath(QStringLiteral("media.zip"))));
        QVERIFY(QDir(downloads.filePath(QStringLiteral(".temp-downloads"))).isEmpty());
    }
};

QTEST_GUILESS_MAIN(ContentDescriptorTest)
#include "tst_contentdescriptor.moc"
