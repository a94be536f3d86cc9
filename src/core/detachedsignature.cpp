#include "core/detachedsignature.h"

#include "core/childprocess.h"
#include "core/corelog.h"
#include "core/vm24.h"

#include <QFileInfo>

namespace VM24 {

namespace {

const int SCRIPT_TIMEOUT_MS = 60000;

int run_script(const char* script, const QStringList& arguments)
{
    const QString program = get_path(QLatin1String(script));
    const int code = run_child_process(program, arguments, SCRIPT_TIMEOUT_MS);
    if (code < 0)
        qCWarning(coreLog) << program << "did not run to its end within" << SCRIPT_TIMEOUT_MS << "ms";
    return code;
}

} // namespace

bool verify_detached_signature(const QString& file, const QString& publicKeyFile)
{
    return run_script(VERIFY_SIGNATURE_SCRIPT,
                      {QFileInfo(file).absoluteFilePath(), QFileInfo(publicKeyFile).absoluteFilePath()})
        == 0;
}

bool sign_detached(const QString& file, const QString& privateKeyFile)
{
    return run_script(SIGN_SIGNATURE_SCRIPT, {file, privateKeyFile}) == 0;
}

} // namespace VM24
