#include "core/childprocess.h"

#include <QProcess>

namespace VM24 {

int run_child_process(const QString& program, const QStringList& arguments, int timeoutMs, QByteArray* output,
                      const QByteArray* input)
{
    QProcess process;
    if (!input)
        process.setStandardInputFile(QProcess::nullDevice());
    if (!output)
        process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted())
        return -1;
    if (input) {
        process.write(*input);
        process.closeWriteChannel();
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (output)
        *output = process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace VM24
