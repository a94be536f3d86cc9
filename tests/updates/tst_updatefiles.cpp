#include "testfiles.h"
#include "updates/diskspacereserve.h"
#include "updates/updatefiles.h"
#include "updates/ziparchive.h"

#include "zipwriter.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Every entry under dir with its content (links as "-> target"), to compare
// a tree before and after.
QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        const QString key = QDir(dir).relativeFilePath(path);
        if (info.isSymLink())
            entries.insert(key, "-> " + info.symLinkTarget().toUtf8());
        else
            entries.insert(key, info.isDir() ? QByteArray("<dir>") : read_file(path));
    }
    return entries;
}

} // namespace

class UpdateFilesTest : public QObject
{
    Q_OBJECT

private slots:
    // Archives from outside never write beyond their target: each kind of
    // escaping entry, and an archive that cannot be read whole, is refused
    // before anything is written; the target keeps its old content and
    // nothing around it changes.
    void escapingArchivesAreRefusedAndChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("archive");
        auto make = [](const std::function<void(ZipWriter&)>& fill) {
            ZipWriter zip;
            zip.add(QStringLiteral("index.xml"), "<catalogue/>");
            fill(zip);
            return zip.bytes();
        };
        QTest::newRow("dot-dot") << make([](ZipWriter& z) { z.add(QStringLiteral("../escaped.txt"), "x"); });
        QTest::newRow("dot-dot inside") << make([](ZipWriter& z) { z.add(QStringLiteral("a/../../escaped.txt"), "x"); });
        QTest::newRow("absolute") << make([](ZipWriter& z) { z.add(QStringLiteral("/tmp/vm24-escaped.txt"), "x"); });
        QTest::newRow("backslash") << make([](ZipWriter& z) { z.add(QStringLiteral("..\\escaped.txt"), "x"); });
        QTest::newRow("symlink then write through it") << make([](ZipWriter& z) {
            z.addSymlink(QStringLiteral("link"), QStringLiteral(".."));
            z.add(QStringLiteral("link/escaped.txt"), "x");
        });
        QTest::newRow("symlink alone") << make([](ZipWriter& z) { z.addSymlink(QStringLiteral("passwd"), QStringLiteral("/etc/passwd")); });
        QTest::newRow("control character") << make([](ZipWriter& z) { z.add(QStringLiteral("a\nb.txt"), "x"); });
        QTest::newRow("not a zip") << QByteArray(5000, 'z');
        QTest::newRow("truncated") << make([](ZipWriter&) {}).left(60);
        QTest::newRow("end record cut off") << make([](ZipWriter&) {}).chopped(4);
        QByteArray corrupt = make([](ZipWriter& z) { z.add(QStringLiteral("second.xml"), "<second/>"); });
        corrupt[corrupt.lastIndexOf(QByteArray("PK\x01\x02", 4)) + 3] = 0x7f;
        QTest::newRow("central directory damaged") << corrupt;
    }

    void escapingArchivesAreRefusedAndChangeNothing()
    {
        QFETCH(QByteArray, archive);
        QTemporaryDir root;
        const QString data = root.filePath(QStringLiteral("data"));
        const QString target = data + QStringLiteral("/products/user");
        write_file(target + QStringLiteral("/index.xml"), "old catalogue");
        write_file(data + QStringLiteral("/products/other/index.xml"), "other");
        write_file(root.filePath(QStringLiteral("upload.zip")), archive);
        const QMap<QString, QByteArray> before = snapshot(root.path());

        QVERIFY(!VM24::extract_zip_replacing(root.filePath(QStringLiteral("upload.zip")), target));
        QCOMPARE(snapshot(root.path()), before);
        QVERIFY(!QFileInfo::exists(QStringLiteral("/tmp/vm24-escaped.txt")));

        // The temporary extraction refuses it as well and leaves nothing behind.
        QVERIFY(VM24::unzip_archive_temp(root.filePath(QStringLiteral("upload.zip"))).isEmpty());
    }

    void goodArchiveReplacesTheTargetWhole()
    {
        QTemporaryDir root;
        const QString target = root.filePath(QStringLiteral("products/user"));
        write_file(target + QStringLiteral("/index.xml"), "old");
        write_file(target + QStringLiteral("/stale.png"), "stale");
        ZipWriter zip;
        zip.add(QStringLiteral("index.xml"), "new");
        zip.add(QStringLiteral("pictures/1.png"), "png");
        QVERIFY(zip.write(root.filePath(QStringLiteral("user.rkdb"))));

        QVERIFY(VM24::extract_zip_replacing(root.filePath(QStringLiteral("user.rkdb")), target));
        const QMap<QString, QByteArray> expected{{"index.xml", "new"}, {"pictures", "<dir>"}, {"pictures/1.png", "png"}};
        QCOMPARE(snapshot(target), expected);
        // No staging or former directory is left beside the target.
        QCOMPARE(QDir(root.filePath(QStringLiteral("products"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"user"});
        QCOMPARE(ZipArchive(root.filePath(QStringLiteral("user.rkdb"))).names(),
                 (QStringList{"index.xml", "pictures/1.png"}));
    }

    // A zip bomb, made with the real zip from 300 MB of zeros: refused
    // before extraction when its declared size would eat into the disk
    // space reserve, and the refusal is logged. One whose central directory
    // and local header lie about the size is stopped at the declared size
    // while it is written. The target keeps its old content in both cases.
    void zipBombsAreRefused()
    {
        QTemporaryDir root;
        const QString zeros = root.filePath(QStringLiteral("zeros.bin"));
        QFile sparse(zeros);
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(300 * 1024 * 1024));
        sparse.close();
        const QString bomb = root.filePath(QStringLiteral("bomb.zip"));
        QProcess zip;
        zip.setWorkingDirectory(root.path());
        zip.start(QStringLiteral("zip"), {QStringLiteral("-q"), QStringLiteral("-9"), bomb, QStringLiteral("zeros.bin")});
        QVERIFY(zip.waitForFinished(120000));
        QCOMPARE(zip.exitCode(), 0);
        QVERIFY(QFile::remove(zeros));
        QVERIFY(QFileInfo(bomb).size() < 2 * 1024 * 1024);
        QCOMPARE(ZipArchive(bomb).uncompressedSize(), qint64(300) * 1024 * 1024);

        const QString target = root.filePath(QStringLiteral("media"));
        write_file(target + QStringLiteral("/01.png"), "old slide");
        // 100 MB free beyond the reserve.
        DiskSpaceReserve::setProbe([](const QString&) { return DiskSpaceReserve::reserveBytes() + 100 * 1024 * 1024; });
        auto restore = qScopeGuard([] { DiskSpaceReserve::setProbe(nullptr); });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Archive refused, its 314572800 bytes would "
                                                                             "leave less than 67108864 bytes free")));
        QVERIFY(!VM24::extract_zip_replacing(bomb, target));
        QCOMPARE(snapshot(root.path()).keys(), (QStringList{"bomb.zip", "media", "media/01.png"}));

        // The same bomb declaring 1000 bytes: the staging directory, watched
        // during the extraction, never holds more than that.
        QByteArray lying = read_file(bomb);
        const qsizetype central = lying.lastIndexOf(QByteArray("PK\x01\x02", 4));
        QVERIFY(central > 0 && lying.startsWith(QByteArray("PK\x03\x04", 4)));
        const char declared[4] = {char(0xe8), char(0x03), 0, 0};
        lying.replace(22, 4, declared, 4);           // local header
        lying.replace(central + 24, 4, declared, 4); // central directory
        write_file(bomb, lying);
        QCOMPARE(ZipArchive(bomb).uncompressedSize(), 1000);
        std::atomic<bool> extracting{true};
        std::atomic<qint64> largest{0};
        std::thread watcher([&] {
            while (extracting) {
                QDirIterator it(root.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
                while (it.hasNext()) {
                    it.next();
                    if (it.fileName() != QLatin1String("bomb.zip"))
                        largest = qMax<qint64>(largest, it.fileInfo().size());
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
        QVERIFY(!VM24::extract_zip_replacing(bomb, target));
        extracting = false;
        watcher.join();
        QVERIFY2(largest <= 1001, qPrintable(QString::number(largest)));
        QCOMPARE(snapshot(root.path()).keys(), (QStringList{"bomb.zip", "media", "media/01.png"}));
        QCOMPARE(read_file(target + QStringLiteral("/01.png")), QByteArray("old slide"));
    }

    // A file whose data does not match its checksum fails the extraction.
    void damagedArchiveKeepsTheOldContent()
    {
        QTemporaryDir root;
        const QString target = root.filePath(QStringLiteral("media"));
        write_file(target + QStringLiteral("/01.png"), "old slide");
        ZipWriter zip;
        zip.add(QStringLiteral("01.png"), "new slide, a longer one");
        QByteArray bytes = zip.bytes();
        bytes[40] = char(bytes[40] ^ 0x55); // inside the stored data
        write_file(root.filePath(QStringLiteral("media.zip")), bytes);

        QVERIFY(!VM24::extract_zip_replacing(root.filePath(QStringLiteral("media.zip")), target));
        QCOMPARE(read_file(target + QStringLiteral("/01.png")), QByteArray("old slide"));
        QCOMPARE(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"media", "media.zip"}));
    }

    // A symbolic link already in the target is never written through, while
    // a target reached through a link of its own is extracted as any other.
    void linksOnDiskAreNeverFollowedOutOfTheTarget()
    {
        QTemporaryDir root;
        const QString target = root.filePath(QStringLiteral("media"));
        const QString outside = root.filePath(QStringLiteral("outside"));
        write_file(outside + QStringLiteral("/keep.txt"), "keep");
        QVERIFY(QDir().mkpath(target));
        QVERIFY(QFile::link(outside, target + QStringLiteral("/slides")));
        ZipWriter zip;
        zip.add(QStringLiteral("index.xml"), "<media/>");
        zip.add(QStringLiteral("slides/keep.txt"), "overwritten");
        zip.add(QStringLiteral("slides/new.txt"), "planted");
        QVERIFY(zip.write(root.filePath(QStringLiteral("media.zip"))));
        const QMap<QString, QByteArray> outsideBefore = snapshot(outside);

        QVERIFY(!VM24::extract_zip(root.filePath(QStringLiteral("media.zip")), target));
        QCOMPARE(snapshot(outside), outsideBefore);

        const QString linked = root.filePath(QStringLiteral("linked"));
        QVERIFY(QFile::link(outside, linked));
        ZipWriter plain;
        plain.add(QStringLiteral("sub/new.txt"), "new", 0104777); // set-user-ID, writable by all
        QVERIFY(plain.write(root.filePath(QStringLiteral("plain.zip"))));
        QVERIFY(VM24::extract_zip(root.filePath(QStringLiteral("plain.zip")), linked));
        QCOMPARE(read_file(outside + QStringLiteral("/sub/new.txt")), QByteArray("new"));
        // Modes are the program's own, never the archive's.
        QCOMPARE(QFileInfo(outside + QStringLiteral("/sub/new.txt")).permissions()
                     & (QFile::ExeOwner | QFile::WriteOther),
                 QFile::Permissions());
    }

    // Directory names that a shell would read as something else are plain
    // names here: only that directory's content goes.
    void cleanDirEmptiesOnlyThatDirectory_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("space") << QStringLiteral("push dir");
        QTest::newRow("quote") << QStringLiteral("it's");
        QTest::newRow("command") << QStringLiteral("$(touch pwned)");
        QTest::newRow("glob") << QStringLiteral("*");
    }

    void cleanDirEmptiesOnlyThatDirectory()
    {
        QFETCH(QString, name);
        QTemporaryDir root;
        const QString dir = root.filePath(name);
        write_file(dir + QStringLiteral("/a.txt"), "a");
        write_file(dir + QStringLiteral("/.hidden"), "h");
        write_file(dir + QStringLiteral("/sub/b.txt"), "b");
        write_file(root.filePath(QStringLiteral("keep/keep.txt")), "keep");
        write_file(root.filePath(QStringLiteral("outside.txt")), "outside");
        QVERIFY(QFile::link(root.filePath(QStringLiteral("keep")), dir + QStringLiteral("/link-to-keep")));

        QVERIFY(VM24::clean_dir(dir));
        QVERIFY(QDir(dir).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
        QCOMPARE(read_file(root.filePath(QStringLiteral("keep/keep.txt"))), QByteArray("keep"));
        QCOMPARE(read_file(root.filePath(QStringLiteral("outside.txt"))), QByteArray("outside"));
        QVERIFY(!QFileInfo::exists(root.filePath(QStringLiteral("pwned"))));
        QVERIFY(!QFileInfo::exists(QDir::current().filePath(QStringLiteral("pwned"))));

        // rm_dir of a link removes the link, never what it points to.
        QVERIFY(QFile::link(root.filePath(QStringLiteral("keep")), dir + QStringLiteral("/link")));
        QVERIFY(VM24::rm_dir(dir + QStringLiteral("/link")));
        QCOMPARE(read_file(root.filePath(QStringLiteral("keep/keep.txt"))), QByteArray("keep"));
        QVERIFY(VM24::rm_dir(dir));
        QVERIFY(!QFileInfo::exists(dir));
        QVERIFY(!VM24::rm_dir(QString()));
    }

    void urlFileNamesNeverNameAnotherDirectory_data()
    {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("plain") << "http://h/contents/media.zip" << "media.zip";
        QTest::newRow("no slash") << "media.zip" << "media.zip";
        QTest::newRow("trailing slash") << "http://h/contents/" << "";
        QTest::newRow("encoded slash") << "http://h/a/..%2F..%2Fetc%2Fpasswd" << "passwd";
        QTest::newRow("dot-dot") << "http://h/a/%2E%2E" << "";
        QTest::newRow("encoded backslash") << "http://h/a/..%5Cx.zip" << "";
        QTest::newRow("option-like") << "http://h/-d.zip" << "";
        QTest::newRow("control") << "http://h/a%0Ab.zip" << "";
    }

    void urlFileNamesNeverNameAnotherDirectory()
    {
        QFETCH(QString, url);
        QFETCH(QString, fileName);
        QCOMPARE(VM24::url_filename(QUrl(url)), fileName);
    }

    void onlyHttpIsDownloaded()
    {
        QVERIFY(VM24::is_downloadable_url(QUrl(QStringLiteral("http://127.0.0.1:8080/a.zip"))));
        QVERIFY(VM24::is_downloadable_url(QUrl(QStringLiteral("https://example.invalid/a.zip"))));
        QVERIFY(!VM24::is_downloadable_url(QUrl(QStringLiteral("file:///etc/passwd"))));
        QVERIFY(!VM24::is_downloadable_url(QUrl(QStringLiteral("ftp://127.0.0.1/a.zip"))));
        QVERIFY(!VM24::is_downloadable_url(QUrl(QStringLiteral("/etc/passwd"))));
    }
};

QTEST_GUILESS_MAIN(UpdateFilesTest)
#include "tst_updatefiles.moc"
