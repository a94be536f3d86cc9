#include "updates/packagemanager.h"

#include "core/childprocess.h"
#include "core/systemactions.h"
#include "updates/updateslog.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

// "pacman", or the program named by VM24_PACMAN (tests).
QString pacman_program()
{
    const QString configured = qEnvironmentVariable("VM24_PACMAN");
    return configured.isEmpty() ? QStringLiteral("pacman") : configured;
}

QString private_configuration()
{
    return qEnvironmentVariable("VM24_PACMAN_CONFIG");
}

QStringList pacman_arguments(const QStringList& arguments)
{
    const QString config = private_configuration();
    return config.isEmpty() ? arguments : QStringList{QStringLiteral("--config"), config} + arguments;
}

// "name version" as printed by -Q and -Qp; empty fields on any failure.
VM24::PkgInfo run_query(const QStringList& arguments)
{
    QByteArray output;
    const int rc = VM24::run_child_process(pacman_program(), pacman_arguments(arguments),
                                           VM24::PACKAGE_QUERY_TIMEOUT_MS, &output);
    const int nul = output.indexOf('\0');
    if (nul >= 0)
        output.truncate(nul);
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    const QStringList parts = QString::fromUtf8(output).split(blanks);
    VM24::PkgInfo info;
    if (rc == 0 && parts.size() >= 2) {
        info.name = parts.at(0);
        info.version = parts.at(1);
    }
    return info;
}

} // namespace

namespace VM24 {

bool is_valid_package_name(const QString& name)
{
    static const QRegularExpression rule(QStringLiteral("^[a-z0-9@_+][a-z0-9@._+-]*$"));
    return rule.match(name).hasMatch();
}

PkgInfo query_package_info_from_database(const QString& name)
{
    if (!is_valid_package_name(name))
        return {};
    return run_query({QStringLiteral("-Q"), QStringLiteral("--"), name});
}

PkgInfo query_package_file_info(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    PkgInfo info = run_query({QStringLiteral("-Qp"), QStringLiteral("--"), path});
    if (!info.name.isEmpty())
        info.file = path;
    return info;
}

bool is_installation_required(const PkgAction& action)
{
    return is_installation_required(action, query_package_info_from_database(action.name));
}

bool is_installation_required(const PkgAction& action, const PkgInfo& installed)
{
    if (action.policy == PkgAction::Force)
        return !action.equalsTo(installed);
    if (!installed.name.isEmpty() && !installed.version.isEmpty())
        return action.isNewerThan(installed);
    return true;
}

bool install_packages(const QStringList& files)
{
    // "--overwrite *" lets a package take over files another one owned, what
    // "--force" did before the package manager dropped that option.
    const QStringList arguments = pacman_arguments(
        QStringList{QStringLiteral("-U"), QStringLiteral("--overwrite"), QStringLiteral("*"),
                    QStringLiteral("--noconfirm"), QStringLiteral("--noprogress"), QStringLiteral("--")}
        + files);
    qCInfo(updatesLog) << "installing" << files;
    // Nothing is asked of anyone: standard input is closed; what the package
    // manager reports goes to the updates log.
    QByteArray output;
    int rc;
    if (private_configuration().isEmpty())
        rc = SystemActions::run(pacman_program(), arguments, &output, -1);
    else
        rc = run_child_process(pacman_program(), arguments, -1, &output);
    for (const QByteArray& line : output.split('\n')) {
        if (!line.trimmed().isEmpty())
            qCInfo(updatesLog).noquote() << "pacman:" << QString::fromUtf8(line);
    }
    if (rc != 0)
        qCWarning(updatesLog) << "package installation failed, exit code" << rc;
    return rc == 0;
}

bool install_package_file(const QString& file)
{
    return install_packages({file});
}

} // namespace VM24
