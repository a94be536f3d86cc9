#include "pacmanroot.h"

#include "toolrun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool write_file(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

int run(const QString& program, const QStringList& arguments, const QString& workDir = QString(),
        QByteArray* output = nullptr)
{
    const ToolRun run = run_tool(program, arguments, workDir);
    if (output)
        *output = run.output;
    return run.exitCode;
}

} // namespace

PacmanRoot::PacmanRoot()
    : m_previous(qgetenv("VM24_PACMAN_CONFIG"))
{
    const QString root = rootPath();
    QDir().mkpath(root + QStringLiteral("/var/lib/pacman"));
    QDir().mkpath(root + QStringLiteral("/var/cache/pacman/pkg"));
    const QString config = QStringLiteral("[options]\n"
                                          "RootDir = %1\n"
                                          "DBPath = %1/var/lib/pacman/\n"
                                          "CacheDir = %1/var/cache/pacman/pkg/\n"
                                          "LogFile = %1/pacman.log\n"
                                          "GPGDir = %1/gnupg/\n"
                                          "HookDir = %1/hooks/\n"
                                          "Architecture = auto\n"
                                          "SigLevel = Never\n"
                                          "LocalFileSigLevel = Never\n")
                               .arg(root);
    m_valid = m_dir.isValid() && write_file(configPath(), config.toUtf8());
    qputenv("VM24_PACMAN_CONFIG", configPath().toUtf8());
}

PacmanRoot::~PacmanRoot()
{
    if (m_previous.isEmpty())
        qunsetenv("VM24_PACMAN_CONFIG");
    else
        qputenv("VM24_PACMAN_CONFIG", m_previous);
}

QString PacmanRoot::configPath() const
{
    return m_dir.filePath(QStringLiteral("pacman.conf"));
}

QString PacmanRoot::rootPath() const
{
    return m_dir.filePath(QStringLiteral("root"));
}

QString PacmanRoot::buildPackage(const QString& name, const QString& version, const QString& dir) const
{
    QTemporaryDir tree;
    const QByteArray info = QStringLiteral("pkgname = %1\npkgver = %2\npkgdesc = test package\narch = any\nsize = %3\n")
                                .arg(name, version)
                                .arg(version.size())
                                .toUtf8();
    if (!write_file(tree.filePath(QStringLiteral(".PKGINFO")), info)
        || !write_file(tree.filePath(QStringLiteral("usr/share/%1/version").arg(name)), version.toUtf8()))
        return QString();
    QString fileVersion = version;
    fileVersion.replace(QLatin1Char(':'), QLatin1Char('_'));
    const QString package = QDir(dir).absoluteFilePath(QStringLiteral("%1-%2-any.pkg.tar.gz").arg(name, fileVersion));
    QDir().mkpath(dir);
    const int rc = run(QStringLiteral("bsdtar"),
                       {QStringLiteral("-czf"), package, QStringLiteral(".PKGINFO"), QStringLiteral("usr")},
                       tree.path());
    return rc == 0 ? package : QString();
}

bool PacmanRoot::install(const QString& packageFile) const
{
    return run(QStringLiteral("pacman"), {QStringLiteral("--config"), configPath(), QStringLiteral("-U"),
                                          QStringLiteral("--noconfirm"), QStringLiteral("--noprogress"), packageFile})
           == 0;
}

QString PacmanRoot::installedVersion(const QString& name) const
{
    QByteArray output;
    if (run(QStringLiteral("pacman"), {QStringLiteral("--config"), configPath(), QStringLiteral("-Q"), name},
            QString(), &output)
        != 0)
        return QString();
    const QList<QByteArray> parts = output.simplified().split(' ');
    return parts.size() >= 2 ? QString::fromUtf8(parts.at(1)) : QString();
}

QString PacmanRoot::installedFileVersion(const QString& name) const
{
    QFile file(rootPath() + QStringLiteral("/usr/share/%1/version").arg(name));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}
