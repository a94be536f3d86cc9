// The one way the program replaces a file it reads back: whole or not at
// all, never through a link, and every temporary file it may leave behind
// is one that the readers of a directory know to skip. (The order in which
// the data reaches the medium is proven under strace by
// accounting_durablewrites.)
#include "core/durablefile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QtTest>

namespace {

QByteArray read_file(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList entries(const QString& dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class DurableFileTest : public QObject
{
    Q_OBJECT

private slots:
    void replacesWholeOrNotAtAll()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state.xml"));
        QVERIFY(VM24::write_file_durably(path, QByteArrayLiteral("first")));
        QVERIFY(VM24::write_file_durably(path, QByteArrayLiteral("second")));
        QCOMPARE(read_file(path), QByteArray("second"));

        // A writer that gives up halfway leaves the former file, and nothing beside it.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Cannot write")));
        QVERIFY(!VM24::write_file_durably(path, [](QIODevice* device) {
            device->write("half of the third");
            return false;
        }));
        QCOMPARE(read_file(path), QByteArray("second"));
        QCOMPARE(entries(dir.path()), QStringList{QStringLiteral("state.xml")});

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Cannot write")));
        QVERIFY(!VM24::write_file_durably(dir.filePath(QStringLiteral("missing/state.xml")), QByteArrayLiteral("x")));
    }

    // The link is replaced by the file, as a rename replaces it; what it
    // pointed to is left as it was.
    void replacesALinkInsteadOfWritingThroughIt()
    {
        QTemporaryDir dir;
        const QString outside = dir.filePath(QStringLiteral("outside.txt"));
        QVERIFY(VM24::write_file_durably(outside, QByteArrayLiteral("keep")));
        const QString path = dir.filePath(QStringLiteral("spool/event.xml"));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("spool"))));
        QVERIFY(QFile::link(outside, path));

        QVERIFY(VM24::write_file_durably(path, QByteArrayLiteral("<event/>")));
        QVERIFY(!QFileInfo(path).isSymLink());
        QCOMPARE(read_file(path), QByteArray("<event/>"));
        QCOMPARE(read_file(outside), QByteArray("keep"));
    }

    // The safe save names its temporary file as a temporary file made from
    // the file's own name is named; older releases used ".tmp".
    void temporariesAreKnownToReaders()
    {
        QTemporaryDir dir;
        const QStringList reports{QStringLiteral("VM24Data_00042_20261210_081500.xml"),
                                  QStringLiteral("EVADTS_00042_20261210.txt"),
                                  QStringLiteral("VM24Alarm_00042_20261210_081500_2.mail"),
                                  QStringLiteral("report.HTML"), QStringLiteral("accounting.xml.bak"),
                                  QStringLiteral("accounting.xml.unreadable-20261210_081500")};
        for (const QString& report : reports) {
            QVERIFY2(!VM24::is_durable_write_temporary(report), qPrintable(report));
            QVERIFY(VM24::is_durable_write_temporary(report + QStringLiteral(".tmp")));
            for (int i = 0; i < 50; ++i) {
                QTemporaryFile temporary(dir.filePath(report));
                QVERIFY(temporary.open());
                const QString name = QFileInfo(temporary.fileName()).fileName();
                QVERIFY2(VM24::is_durable_write_temporary(name), qPrintable(name));
            }
        }
    }
};

QTEST_GUILESS_MAIN(DurableFileTest)
#include "tst_durablefile.moc"
