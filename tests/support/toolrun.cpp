#include "toolrun.h"

#include <QProcess>

QString ToolRun::failure(const QString& program, const QStringList& arguments) const
{
    return program + QLatin1Char(' ') + arguments.join(QLatin1Char(' ')) + QStringLiteral(": ")
        + QString::fromLocal8Bit(errors.isEmpty() ? output : errors);
}

ToolRun run_tool(const QString& program, const QStringList& arguments, const QString& workDir, int timeoutMs)
{
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    ToolRun run;
    const bool ended = process.waitForFinished(timeoutMs);
    if (!ended)
        process.kill();
    run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    if (ended && process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    return run;
}

bool make_ed25519_key_pair(const QString& privatePath, const QString& publicPath, QString* error)
{
    const QString openssl = QStringLiteral("openssl");
    const QStringList steps[] = {
        {QStringLiteral("genpkey"), QStringLiteral("-algorithm"), QStringLiteral("ed25519"), QStringLiteral("-out"),
         privatePath},
        {QStringLiteral("pkey"), QStringLiteral("-in"), privatePath, QStringLiteral("-pubout"), QStringLiteral("-out"),
         publicPath},
    };
    for (const QStringList& arguments : steps) {
        const ToolRun run = run_tool(openssl, arguments);
        if (!run.succeeded()) {
            if (error)
                *error = run.failure(openssl, arguments);
            return false;
        }
    }
    return true;
}
