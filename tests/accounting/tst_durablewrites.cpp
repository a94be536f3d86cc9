// A killed process keeps the page cache, so the power-cut test proves the
// atomic rename but not that the data reaches the medium. This test records
// the system calls of a ledger commit and a counters write and checks the
// order that survives a power loss: data written to the temporary file, the
// file synced, renamed over the old one, the directory synced; and the
// backup ledger replaced only once the new main file is durable. The same
// order is proven for every other file the program reads back after a
// restart, each written once by its own writer.
#include "builtprogram.h"
#include "testenvironment.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

namespace {

struct Call
{
    QString name;
    QString path;   // the file a descriptor refers to, or the first path argument
    QString target; // the second path argument of a rename
};

// One strace line: "rename("/a.tmp", "/a") = 0" or "fsync(3</a.tmp>) = 0".
QList<Call> parse_trace(const QByteArray& trace)
{
    static const QRegularExpression line(QStringLiteral(
        R"re(^(?:\d+\s+)?(\w+)\((?:AT_FDCWD(?:<[^>]*>)?, )?(?:\d+<([^>]*)>|"([^"]*)")(?:, (?:AT_FDCWD(?:<[^>]*>)?, )?"([^"]*)")?.*= (-?\d+))re"));
    QList<Call> calls;
    for (const QByteArray& raw : trace.split('\n')) {
        const QRegularExpressionMatch match = line.match(QString::fromUtf8(raw));
        if (!match.hasMatch() || match.captured(5).toInt() < 0)
            continue;
        QString name = match.captured(1);
        if (name.startsWith(QLatin1String("rename")))
            name = QStringLiteral("rename");
        if (name == QLatin1String("unlinkat"))
            name = QStringLiteral("unlink");
        const QString path = match.captured(2).isEmpty() ? match.captured(3) : match.captured(2);
        calls.append({ name, path, match.captured(4) });
    }
    return calls;
}

int find(const QList<Call>& calls, int from, const QString& name, const QString& path)
{
    for (int i = from; i < calls.size(); ++i) {
        if (calls.at(i).name == name && calls.at(i).path == path)
            return i;
    }
    return -1;
}

// fsync, or fdatasync for a file's data: both reach the medium.
int find_sync(const QList<Call>& calls, int from, const QString& path)
{
    const int full = find(calls, from, QStringLiteral("fsync"), path);
    const int data = find(calls, from, QStringLiteral("fdatasync"), path);
    return full < 0 ? data : data < 0 ? full : qMin(full, data);
}

const char* const TRACED_CALLS
    = "trace=openat,write,fsync,fdatasync,rename,renameat,renameat2,unlink,unlinkat,linkat";

// Runs program with arguments under strace; the calls it made, and its output.
QList<Call> trace_program(const QString& strace, const QString& tracePath, const QString& program,
                          const QStringList& arguments, const QProcessEnvironment& environment,
                          QByteArray* output = nullptr)
{
    QProcess traced;
    // The leak checker of a sanitizer build cannot run under a tracer.
    QProcessEnvironment tracedEnvironment = environment;
    if (tracedEnvironment.contains(QStringLiteral("ASAN_OPTIONS")))
        tracedEnvironment.insert(QStringLiteral("ASAN_OPTIONS"),
                                 tracedEnvironment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":detect_leaks=0"));
    traced.setProcessEnvironment(tracedEnvironment);
    traced.start(strace, QStringList{ QStringLiteral("-f"), QStringLiteral("-qq"), QStringLiteral("-y"),
                                      QStringLiteral("-e"), QStringLiteral("signal=none"), QStringLiteral("-e"),
                                      QLatin1String(TRACED_CALLS), QStringLiteral("-o"), tracePath }
                             + BuiltProgram::command(program) + arguments);
    if (!traced.waitForFinished(60000) || traced.exitCode() != 0) {
        qWarning().noquote() << program << "failed:" << traced.readAllStandardError();
        return {};
    }
    if (output)
        *output = traced.readAllStandardOutput();
    QFile traceFile(tracePath);
    if (!traceFile.open(QIODevice::ReadOnly))
        return {};
    return parse_trace(traceFile.readAll());
}

// The indices of the renames that put a new version of file in place.
QList<int> replacements(const QList<Call>& calls, const QString& file)
{
    QList<int> found;
    for (int i = 0; i < calls.size(); ++i) {
        if (calls.at(i).name == QLatin1String("rename") && calls.at(i).target == file)
            found.append(i);
    }
    return found;
}

// Checks one replacement of file at rename index r; returns the index of
// the directory sync that makes it durable.
int check_durable_replacement(const QList<Call>& calls, int r, const QString& file)
{
    QString temporary = calls.at(r).path;
    const QString directory = QFileInfo(file).absolutePath();
    int opened = -1;
    for (int i = r - 1; i >= 0 && opened < 0; --i) {
        if (calls.at(i).name == QLatin1String("openat") && calls.at(i).path == temporary)
            opened = i;
    }
    // The toolkit writes an unnamed file (O_TMPFILE, "#inode" to strace)
    // and links it to the temporary name before the rename.
    for (int i = r - 1; i >= 0 && opened < 0; --i) {
        if (calls.at(i).name != QLatin1String("linkat") || calls.at(i).target != temporary)
            continue;
        for (int j = i - 1; j >= 0 && opened < 0; --j) {
            if (calls.at(j).name == QLatin1String("write")
                && calls.at(j).path.startsWith(directory + QStringLiteral("/#"))) {
                temporary = calls.at(j).path;
                for (opened = j; opened > 0 && calls.at(opened - 1).path == temporary; --opened) { }
            }
        }
        break;
    }
    const QString what = file + QLatin1Char(' ');
    if (opened < 0)
        qWarning().noquote() << what << "temporary file never opened";
    const int written = opened < 0 ? -1 : find(calls, opened, QStringLiteral("write"), temporary);
    const int synced = written < 0 ? -1 : find_sync(calls, written, temporary);
    if (written < 0 || written > r)
        qWarning().noquote() << what << "data not written before the rename";
    if (synced < 0 || synced > r)
        qWarning().noquote() << what << "file not synced before the rename";
    // By the writer itself: before anything else is renamed, as a later
    // writer's sync of the same directory may never come.
    int nextRename = r + 1;
    while (nextRename < calls.size() && calls.at(nextRename).name != QLatin1String("rename"))
        ++nextRename;
    int directorySynced = find(calls, r, QStringLiteral("fsync"), directory);
    if (directorySynced > nextRename)
        directorySynced = -1;
    if (directorySynced < 0)
        qWarning().noquote() << what << "directory not synced after the rename";
    const bool ordered = opened >= 0 && written >= 0 && written < r && synced >= 0 && synced < r;
    return ordered ? directorySynced : -1;
}

} // namespace

class DurableWritesTest : public QObject
{
    Q_OBJECT

private slots:
    void commitReachesTheMediumInOrder();
    void everyFileReadAfterARestartReachesTheMediumInOrder();
};

void DurableWritesTest::commitReachesTheMediumInOrder()
{
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    QVERIFY2(!strace.isEmpty(), "strace is needed (tools/packages.txt)");
    TestEnvironment::ScopedAppDir dir;
    const QString ledger = QFileInfo(dir.filePath(QStringLiteral("accounting.xml"))).absoluteFilePath();
    const QString backup = ledger + QStringLiteral(".bak");
    const QString counters = QFileInfo(dir.filePath(QStringLiteral("counters.xml"))).absoluteFilePath();

    // A first run makes a ledger; the backup is then put one session behind,
    // as a commit cut short leaves it, so that start-up rewrites it too.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VM24_APP_DIR"), dir.path());
    QProcess first;
    first.setProcessEnvironment(environment);
    BuiltProgram::start(first, QStringLiteral(LEDGER_COMMITTER), { QStringLiteral("once") });
    QVERIFY(first.waitForFinished(30000));
    QCOMPARE(first.exitCode(), 0);
    QVERIFY(QFile::copy(ledger, ledger + QStringLiteral(".old")));
    QProcess second;
    second.setProcessEnvironment(environment);
    BuiltProgram::start(second, QStringLiteral(LEDGER_COMMITTER), { QStringLiteral("once") });
    QVERIFY(second.waitForFinished(30000));
    QVERIFY(QFile::remove(backup));
    QVERIFY(QFile::rename(ledger + QStringLiteral(".old"), backup));

    const QList<Call> calls = trace_program(strace, dir.filePath(QStringLiteral("trace.txt")),
                                            QStringLiteral(LEDGER_COMMITTER), { QStringLiteral("once") }, environment);
    QVERIFY(!calls.isEmpty());

    // Start-up repairs the backup, the commit writes the main file and then
    // the backup, and the counters document is written once.
    const QList<int> ledgerRenames = replacements(calls, ledger);
    const QList<int> backupRenames = replacements(calls, backup);
    const QList<int> counterRenames = replacements(calls, counters);
    QCOMPARE(ledgerRenames.size(), 1);
    QCOMPARE(backupRenames.size(), 2);
    QCOMPARE(counterRenames.size(), 1);
    const int ledgerDurable = check_durable_replacement(calls, ledgerRenames.first(), ledger);
    QVERIFY2(ledgerDurable >= 0, "ledger commit out of order (see the warnings)");
    for (int r : backupRenames)
        QVERIFY2(check_durable_replacement(calls, r, backup) >= 0, "backup write out of order (see the warnings)");
    QVERIFY2(check_durable_replacement(calls, counterRenames.first(), counters) >= 0,
             "counters write out of order (see the warnings)");

    // The backup that the commit replaces is the only good copy until the
    // new main file is durable.
    QVERIFY2(backupRenames.last() > ledgerDurable, "backup replaced before the new ledger was durable");
    for (const Call& call : calls) {
        QVERIFY2(!(call.name == QLatin1String("unlink") && (call.path == ledger || call.path == backup)),
                 qPrintable(QStringLiteral("ledger file removed: ") + call.path));
    }
}

void DurableWritesTest::everyFileReadAfterARestartReachesTheMediumInOrder()
{
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    QVERIFY2(!strace.isEmpty(), "strace is needed (tools/packages.txt)");
    TestEnvironment::ScopedAppDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VM24_APP_DIR"), dir.path());
    // Each file is there already, as on a machine that has run before: the
    // traced run replaces it.
    QProcess first;
    first.setProcessEnvironment(environment);
    BuiltProgram::start(first, QStringLiteral(DURABLE_WRITERS), {});
    QVERIFY(first.waitForFinished(30000));
    QCOMPARE(first.exitCode(), 0);
    QByteArray output;
    const QList<Call> calls = trace_program(strace, dir.filePath(QStringLiteral("trace.txt")),
                                            QStringLiteral(DURABLE_WRITERS), {}, environment, &output);
    QVERIFY(!calls.isEmpty());
    const QStringList files = QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(files.size(), 5);
    for (const QString& file : files) {
        const QList<int> renames = replacements(calls, file);
        QVERIFY2(!renames.isEmpty(), qPrintable(file + QStringLiteral(" never replaced by a rename")));
        for (int r : renames)
            QVERIFY2(check_durable_replacement(calls, r, file) >= 0, qPrintable(file + QStringLiteral(" out of order (see the warnings)")));
    }
}

QTEST_GUILESS_MAIN(DurableWritesTest)
#include "tst_durablewrites.moc"
