// Package lists, installation decisions, the package cache and installs,
// against the real package manager working on a private root.

#include "core/systemactions.h"
#include "pacmanroot.h"
#include "updates/packagecache.h"
#include "updates/packagelists.h"
#include "updates/guidedpackageinstaller.h"
#include "updates/packagemanager.h"
#include "updates/updateauthenticator.h"
#include "updates/updateprocesscontext.h"
#include "testenvironment.h"
#include "updatesigningrig.h"

#include <QSignalSpy>

#include <QBuffer>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

using VM24::PkgAction;

namespace {

PkgAction action(PkgAction::Policy policy, const QString& name, const QString& version, const QString& url = QString())
{
    PkgAction result;
    result.policy = policy;
    result.name = name;
    result.version = version;
    result.file = url;
    return result;
}

QList<PkgAction> parse(const QByteArray& text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return VM24::parse_server_descriptor(&buffer);
}

bool write_file(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QStringList file_names(const QString& dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

int recorded_installs()
{
    int count = 0;
    for (const QStringList& line : SystemActions::recordedActions())
        count += line.value(0) == QLatin1String("pacman") ? 1 : 0;
    return count;
}

class RecordingContext : public UpdateProcessContext
{
public:
    int items = 0;

protected:
    void updateProgress(const QString&) override {}
    void updateEnd() override {}
    void onFileProgress(const QString&, int, int) override { ++items; }
};

} // namespace

class TestPackageManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        m_foo10 = m_root.buildPackage(QStringLiteral("foo"), QStringLiteral("1.0-1"), m_packages.path());
        m_foo11 = m_root.buildPackage(QStringLiteral("foo"), QStringLiteral("1.1-1"), m_packages.path());
        m_bar = m_root.buildPackage(QStringLiteral("bar"), QStringLiteral("2:0.5-3"), m_packages.path());
        QVERIFY(!m_foo10.isEmpty() && !m_foo11.isEmpty() && !m_bar.isEmpty());
    }

    // The decision table of both policies, with foo missing, at the listed
    // version and newer than listed.
    void installationDecisions()
    {
        const PkgAction force = action(PkgAction::Force, QStringLiteral("foo"), QStringLiteral("1.0-1"));
        const PkgAction automatic = action(PkgAction::Auto, QStringLiteral("foo"), QStringLiteral("1.0-1"));
        QCOMPARE(VM24::query_package_info_from_database(QStringLiteral("foo")).name, QString());
        QVERIFY(VM24::is_installation_required(force));
        QVERIFY(VM24::is_installation_required(automatic));

        QVERIFY(m_root.install(m_foo10));
        const VM24::PkgInfo installed = VM24::query_package_info_from_database(QStringLiteral("foo"));
        QCOMPARE(installed.name, QStringLiteral("foo"));
        QCOMPARE(installed.version, QStringLiteral("1.0-1"));
        QVERIFY(installed.file.isEmpty());
        QVERIFY(!VM24::is_installation_required(force));
        QVERIFY(!VM24::is_installation_required(automatic));
        QVERIFY(VM24::is_installation_required(action(PkgAction::Auto, QStringLiteral("foo"), QStringLiteral("1.0-2"))));

        QVERIFY(m_root.install(m_foo11));
        QVERIFY(VM24::is_installation_required(force)); // a downgrade
        QVERIFY(!VM24::is_installation_required(automatic));
        QVERIFY(!VM24::is_installation_required(action(PkgAction::Auto, QStringLiteral("foo"), QStringLiteral("1.1"))));
    }

    void packageFiles()
    {
        const VM24::PkgInfo bar = VM24::query_package_file_info(m_bar);
        QCOMPARE(bar.name, QStringLiteral("bar"));
        QCOMPARE(bar.version, QStringLiteral("2:0.5-3"));
        QCOMPARE(bar.file, m_bar);
        const QString junk = m_packages.filePath(QStringLiteral("junk.pkg.tar.gz"));
        QVERIFY(write_file(junk, QByteArray(3000, 'x')));
        for (const QString& path : {junk, m_packages.filePath(QStringLiteral("missing.pkg.tar.gz"))}) {
            const VM24::PkgInfo none = VM24::query_package_file_info(path);
            QVERIFY(none.name.isEmpty() && none.version.isEmpty() && none.file.isEmpty());
        }
    }

    // Installs run the package manager on the private root; a file it
    // cannot read fails the whole installation and changes nothing.
    void installations()
    {
        // The record file outlives a run: count from what it holds now.
        const int recordedBefore = recorded_installs();
        const QString junk = m_packages.filePath(QStringLiteral("bad.pkg.tar.gz"));
        QVERIFY(write_file(junk, "not a package"));
        QVERIFY(!VM24::install_packages({m_foo10, m_bar, junk}));
        QCOMPARE(m_root.installedVersion(QStringLiteral("bar")), QString());
        QVERIFY(!VM24::install_packages({}));

        QVERIFY(VM24::install_packages({m_foo10, m_bar}));
        QCOMPARE(m_root.installedVersion(QStringLiteral("foo")), QStringLiteral("1.0-1"));
        QCOMPARE(m_root.installedFileVersion(QStringLiteral("foo")), QStringLiteral("1.0-1"));
        QCOMPARE(m_root.installedVersion(QStringLiteral("bar")), QStringLiteral("2:0.5-3"));
        QVERIFY(VM24::install_package_file(m_foo11));
        QCOMPARE(m_root.installedFileVersion(QStringLiteral("foo")), QStringLiteral("1.1-1"));
        QCOMPARE(recorded_installs(), recordedBefore);

        // Without a private root the installation is the machine's: only recorded.
        const QByteArray config = qgetenv("VM24_PACMAN_CONFIG");
        qunsetenv("VM24_PACMAN_CONFIG");
        QVERIFY(VM24::install_packages({m_foo10}));
        qputenv("VM24_PACMAN_CONFIG", config);
        QCOMPARE(recorded_installs(), recordedBefore + 1);
        QCOMPARE(SystemActions::recordedActions().last().mid(1),
                 (QStringList{"-U", "--overwrite", "*", "--noconfirm", "--noprogress", "--", m_foo10}));
        QCOMPARE(m_root.installedVersion(QStringLiteral("foo")), QStringLiteral("1.1-1"));
    }

    // On the machine itself the package manager runs as a platform action:
    // with nothing to read (standard input closed at once, so a question
    // ends it instead of hanging the installation) and its report taken.
    // A stand-in tells what it was given.
    void machineInstallationHasNothingToRead()
    {
        QTemporaryDir standIn;
        const QString program = standIn.filePath(QStringLiteral("pacman"));
        QVERIFY(write_file(program, "#!/usr/bin/python3\n"
                                    "import os, select, sys\n"
                                    "ready = select.select([0], [], [], 5)[0]\n"
                                    "state = 'closed' if ready and os.read(0, 1) == b'' else 'open'\n"
                                    "open(sys.argv[0] + '.report', 'w').write(' '.join([state] + sys.argv[1:]))\n"
                                    "print('checking package integrity...' * 2000)\n"));
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const QByteArray config = qgetenv("VM24_PACMAN_CONFIG");
        const QByteArray record = qgetenv("VM24_SYSTEM_ACTIONS_RECORD");
        auto restore = qScopeGuard([&] {
            qputenv("VM24_PACMAN_CONFIG", config);
            qputenv("VM24_SYSTEM_ACTIONS_RECORD", record);
            qunsetenv("VM24_PACMAN");
        });
        qunsetenv("VM24_PACMAN_CONFIG");
        qunsetenv("VM24_SYSTEM_ACTIONS_RECORD");
        qputenv("VM24_PACMAN", program.toLocal8Bit());
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY(VM24::install_packages({m_foo10}));
        QVERIFY(elapsed.elapsed() < 4000);
        QFile report(program + QStringLiteral(".report"));
        QVERIFY(report.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(report.readAll()),
                 QStringLiteral("closed -U --overwrite * --noconfirm --noprogress -- ") + m_foo10);
    }

    void serverLists()
    {
        const QList<PkgAction> actions = parse("  # comment\n"
                                               "\n"
                                               "FORCE foo 1.0-1 http://h/foo.pkg.tar.gz\n"
                                               "\t Force  bar 2:1 x y http://h/bar.pkg.tar.gz  \n"
                                               "forced baz 1 http://h/baz.pkg\n"
                                               "auto short 1\n"
                                               "#auto hidden 1 http://h/hidden.pkg\n"
                                               "auto foo 1.0-1 http://h/foo.pkg.tar.gz\n"
                                               // Names the package manager would take for options, or refuses.
                                               "auto -Syu 1 http://h/a.pkg\n"
                                               "auto --config=/tmp/evil.conf 1 http://h/b.pkg\n"
                                               "auto .hidden 1 http://h/c.pkg\n"
                                               "auto Foo 1 http://h/d.pkg\n"
                                               "auto f\xc3\xb6o 1 http://h/e.pkg\n");
        QCOMPARE(actions.size(), 4);
        QCOMPARE(actions.at(0).policy, PkgAction::Force);
        QCOMPARE(actions.at(1).policy, PkgAction::Force);
        QCOMPARE(actions.at(1).version, QStringLiteral("2:1"));
        QCOMPARE(actions.at(1).file, QStringLiteral("http://h/bar.pkg.tar.gz"));
        QCOMPARE(actions.at(2).policy, PkgAction::Auto);
        QCOMPARE(actions.at(2).name, QStringLiteral("baz"));
        QCOMPARE(actions.at(3).file, actions.at(0).file); // nothing deduplicated
        QVERIFY(parse(QByteArray()).isEmpty());
        QVERIFY(VM24::parse_server_descriptor(nullptr).isEmpty());
    }

    // Random bytes, 10 MB, 10,000 lines and control characters: the parser
    // survives, and only lines of four fields make actions.
    void hostileServerLists()
    {
        QByteArray noise(10 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator random(17);
        random.fillRange(reinterpret_cast<quint32*>(noise.data()), noise.size() / 4);
        const QList<PkgAction> fromNoise = parse(noise);
        for (const PkgAction& each : fromNoise)
            QVERIFY(!each.name.isEmpty() && !each.file.isEmpty());

        QByteArray lines;
        for (int i = 0; i < 10000; ++i)
            lines += i % 2 ? QByteArray("auto pkg") + QByteArray::number(i) + " 1.0 http://h/p" + QByteArray::number(i) + "\n"
                           : QByteArray("x\x01y\x7f \x1b[2J\r\n");
        const QList<PkgAction> many = parse(lines);
        QCOMPARE(many.size(), 5000);
        QCOMPARE(many.last().file, QStringLiteral("http://h/p9999"));
        QVERIFY(parse("auto na\x01me 1\x02.0 http://h/a\x03b.pkg\n").isEmpty());
    }

    // Names and versions come from the package files; short lines, missing
    // or unreadable files and paths out of the directory give empty actions.
    void packageUpdateFiles()
    {
        QTemporaryDir stick;
        QDir(stick.path()).mkpath(QStringLiteral("pkgs"));
        QVERIFY(QFile::copy(m_bar, stick.filePath(QStringLiteral("pkgs/bar.pkg.tar.gz"))));
        QVERIFY(write_file(stick.filePath(QStringLiteral("junk.pkg")), "junk"));
        const QString list = stick.filePath(QLatin1String(VM24::PACKAGE_DESCRIPTOR));
        QVERIFY(write_file(list, QStringLiteral("force whatever 9.9 pkgs/bar.pkg.tar.gz ignored\n"
                                                "# force bar 1 pkgs/bar.pkg.tar.gz\n"
                                                "auto foo 1.0 missing.pkg\n"
                                                "auto foo\n"
                                                "auto junk 1 junk.pkg\n"
                                                "auto foo 1 %1\n"
                                                "auto foo 1 ../%2\n")
                                     .arg(m_foo10, QFileInfo(m_foo10).fileName())
                                     .toUtf8()));
        QVERIFY(QFile::copy(m_foo10, QFileInfo(stick.path()).dir().filePath(QFileInfo(m_foo10).fileName())));
        const QList<PkgAction> actions = VM24::parse_package_update_file(list);
        QCOMPARE(actions.size(), 6);
        QCOMPARE(actions.at(0).policy, PkgAction::Force);
        QCOMPARE(actions.at(0).name, QStringLiteral("bar"));
        QCOMPARE(actions.at(0).version, QStringLiteral("2:0.5-3"));
        QCOMPARE(actions.at(0).file, stick.filePath(QStringLiteral("pkgs/bar.pkg.tar.gz")));
        for (int i = 1; i < actions.size(); ++i)
            QVERIFY2(actions.at(i).name.isEmpty() && actions.at(i).version.isEmpty(), qPrintable(QString::number(i)));
        QFile::remove(QFileInfo(stick.path()).dir().filePath(QFileInfo(m_foo10).fileName()));
        QVERIFY(VM24::parse_package_update_file(stick.filePath(QStringLiteral("none.ini"))).isEmpty());
    }

    // The cache follows the list: what is cached and still required stays
    // and is not fetched again, what is no longer required goes, what is
    // missing is fetched once, and only from http(s) URLs with plain names.
    void cacheFollowsTheList()
    {
        QVERIFY(VM24::install_packages({m_foo10}));
        QTemporaryDir cache;
        for (const char* name : {"foo-1.1-1-any.pkg.tar.gz", "stale.pkg.tar.gz", ".partial"})
            QVERIFY(write_file(cache.filePath(QLatin1String(name)), "cached"));
        QCOMPARE(VM24::count_cached_packages(cache.path()), 2);
        const QList<PkgAction> list{
            action(PkgAction::Auto, "foo", "1.1-1", "http://h/pkgs/foo-1.1-1-any.pkg.tar.gz"),
            action(PkgAction::Auto, "new", "1", "http://h/pkgs/new-1.pkg"),
            action(PkgAction::Auto, "new", "1", "https://h/mirror/new-1.pkg"),
            action(PkgAction::Force, "foo", "1.0-1", "http://h/pkgs/foo-1.0-1.pkg"),
            action(PkgAction::Auto, "f1", "1", "file:///etc/passwd"),
            action(PkgAction::Auto, "f2", "1", "ftp://h/f2.pkg"),
            action(PkgAction::Auto, "f3", "1", "http://h/pkgs/..%2F..%2Fescape.pkg"),
            action(PkgAction::Auto, "f4", "1", "http://h/pkgs/.."),
            action(PkgAction::Auto, "f5", "1", "http://h/pkgs/"),
            action(PkgAction::Auto, "f6", "1", "http:///nohost.pkg"),
            action(PkgAction::Auto, "f7", "1", "not a url at all"),
            action(PkgAction::Auto, "f8", "1", "http://h/pkgs/a%0Ab.pkg"),
        };
        const QList<QUrl> downloads = VM24::update_local_package_cache(list, cache.path());
        QCOMPARE(downloads.size(), 2);
        QCOMPARE(downloads.first(), QUrl(QStringLiteral("http://h/pkgs/new-1.pkg")));
        // Encoded separators name no place out of the cache.
        QCOMPARE(VM24::package_file_name(downloads.last()), QStringLiteral("escape.pkg"));
        QCOMPARE(file_names(cache.path()), (QStringList{".partial", "foo-1.1-1-any.pkg.tar.gz"}));
        QCOMPARE(VM24::count_cached_packages(cache.path()), 1);

        // Next night foo 1.1-1 is no longer listed.
        QVERIFY(VM24::update_local_package_cache(list.mid(3, 1), cache.path()).isEmpty());
        QCOMPARE(VM24::count_cached_packages(cache.path()), 0);
    }

    void cachedPackagesAreInstalledThenRemoved()
    {
        QTemporaryDir cache;
        QVERIFY(QFile::copy(m_foo11, cache.filePath(QFileInfo(m_foo11).fileName())));
        QVERIFY(QFile::copy(m_bar, cache.filePath(QFileInfo(m_bar).fileName())));
        QVERIFY(VM24::install_cached_packages(cache.path()));
        QCOMPARE(m_root.installedFileVersion(QStringLiteral("foo")), QStringLiteral("1.1-1"));
        QCOMPARE(VM24::count_cached_packages(cache.path()), 0);

        // A failed installation empties the cache as well.
        QVERIFY(write_file(cache.filePath(QStringLiteral("broken.pkg")), "broken"));
        QVERIFY(!VM24::install_cached_packages(cache.path()));
        QCOMPARE(VM24::count_cached_packages(cache.path()), 0);
    }

    // An update directory's list: the packages that must be installed are,
    // in one go; a missing file is skipped; a restart is asked only when the
    // package manager succeeded; the stick's files stay.
    void guidedInstallFromAnUpdateDirectory()
    {
        QVERIFY(VM24::install_packages({m_foo10, m_bar}));
        QTemporaryDir stick;
        const QString foo12 = m_root.buildPackage(QStringLiteral("foo"), QStringLiteral("1.2-1"), stick.path());
        QVERIFY(QFile::copy(m_bar, stick.filePath(QStringLiteral("bar.pkg"))));
        const QString list = stick.filePath(QStringLiteral("package_update.ini"));
        QVERIFY(write_file(list, QStringLiteral("auto foo 1 %1\nauto gone 1 gone.pkg\nforce bar 1 bar.pkg\n")
                                     .arg(QFileInfo(foo12).fileName())
                                     .toUtf8()));
        GuidedPackageInstaller installer;
        QVERIFY(installer.accepts(QStringLiteral("package_update.ini")));
        QVERIFY(!installer.accepts(QStringLiteral("package_update.ini.bak")));
        RecordingContext context;
        installer.apply(QDir(stick.path()), &context);
        QVERIFY(context.restartRequired());
        QCOMPARE(context.items, 1);
        QCOMPARE(m_root.installedFileVersion(QStringLiteral("foo")), QStringLiteral("1.2-1"));
        QCOMPARE(m_root.installedVersion(QStringLiteral("bar")), QStringLiteral("2:0.5-3"));
        QVERIFY(QFile::exists(foo12));

        // Nothing left to install: no installation, no restart.
        RecordingContext again;
        installer.apply(QDir(stick.path()), &again);
        QVERIFY(!again.restartRequired());

        // A package the package manager refuses: no restart.
        const QString broken = stick.filePath(QStringLiteral("broken.pkg"));
        const QString foo13 = m_root.buildPackage(QStringLiteral("foo"), QStringLiteral("1.3-1"), stick.path());
        QVERIFY(QFile::copy(foo13, broken));
        QFile truncated(broken);
        QVERIFY(truncated.resize(truncated.size() / 2));
        QVERIFY(write_file(list, "auto foo 1 broken.pkg\n"));
        RecordingContext failing;
        installer.apply(QDir(stick.path()), &failing);
        QVERIFY(!failing.restartRequired());
        QCOMPARE(m_root.installedFileVersion(QStringLiteral("foo")), QStringLiteral("1.2-1"));

        // No list, or an empty one: the context is not touched.
        QFile::remove(list);
        RecordingContext untouched;
        installer.apply(QDir(stick.path()), &untouched);
        QCOMPARE(untouched.items, 0);
    }

    // A level-1 stick installs no package without the update key; with the
    // key, only from a signed folder whose index lists the list and the
    // package as they are.
    void levelOneSticks()
    {
        TestEnvironment::ScopedAppDir appDir;
        QVERIFY(VM24::install_packages({m_foo10}));
        QTemporaryDir stick;
        const QString foo12 = m_root.buildPackage(QStringLiteral("foo"), QStringLiteral("1.2-1"), stick.path());
        const QString list = stick.filePath(QStringLiteral("package_update.ini"));
        QVERIFY(write_file(list, QStringLiteral("auto foo 1 %1\n").arg(QFileInfo(foo12).fileName()).toUtf8()));
        UpdateAuthenticator authenticator;
        QSignalSpy warnings(&authenticator, &UpdateAuthenticator::warning);
        GuidedPackageInstaller installer(&authenticator);
        const auto apply = [&](const QString& warning) {
            RecordingContext context;
            context.setUserLevel(1);
            installer.apply(QDir(stick.path()), &context);
            QCOMPARE(context.restartRequired(), warning.isEmpty());
            QCOMPARE(warnings.size(), warning.isEmpty() ? 0 : 1);
            if (!warning.isEmpty())
                QCOMPARE(warnings.takeFirst().at(0).toString(), QStringLiteral("Aggiornamento rifiutato: ") + warning);
            QCOMPARE(m_root.installedFileVersion(QStringLiteral("foo")),
                     warning.isEmpty() ? QStringLiteral("1.2-1") : QStringLiteral("1.0-1"));
        };
        apply(QStringLiteral("package_update.ini (software da chiavetta di livello 1 senza chiave degli aggiornamenti)"));
        UpdateSigningRig rig(appDir.path());
        QVERIFY2(rig.isValid(), qPrintable(rig.error()));
        apply(QStringLiteral("update.index (indice firmato mancante)"));
        const QString index = stick.filePath(QStringLiteral("update.index"));
        QVERIFY(rig.signIndex(index, QStringLiteral("all"), {list, foo12}));
        QFile package(foo12);
        QVERIFY(package.open(QIODevice::Append));
        QVERIFY(package.write("tail") == 4);
        package.close();
        apply(QFileInfo(foo12).fileName() + QStringLiteral(" (più lungo di quanto elencato)"));
        QVERIFY(package.resize(package.size() - 4));
        apply(QString());
    }

private:
    PacmanRoot m_root;
    QTemporaryDir m_packages;
    QString m_foo10;
    QString m_foo11;
    QString m_bar;
};

QTEST_GUILESS_MAIN(TestPackageManager)
#include "tst_packagemanager.moc"
