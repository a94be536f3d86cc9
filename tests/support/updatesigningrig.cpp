#include "updatesigningrig.h"

#include "toolrun.h"

#include <QDir>
#include <QFile>

namespace {

const char* const SCRIPTS[] = {"sign_manifest.sh", "verify_manifest.sh"};

QString source(const QString& relative)
{
    return QStringLiteral(VM24_SOURCE_DIR "/") + relative;
}

} // namespace

UpdateSigningRig::UpdateSigningRig(const QString& appDir, bool installKey)
    : m_dir(QDir::tempPath() + QStringLiteral("/vm24-signing-XXXXXX"))
{
    for (const char* script : SCRIPTS) {
        const QString target = QDir(appDir).filePath(QLatin1String(script));
        QFile::remove(target);
        if (!QFile::copy(source(QStringLiteral("scripts/")) + QLatin1String(script), target)) {
            fail(QStringLiteral("cannot install ") + QLatin1String(script));
            return;
        }
    }
    const QString foreignPublic = m_dir.filePath(QStringLiteral("foreign-public.pem"));
    m_valid = make_ed25519_key_pair(privateKey(), publicKey(), &m_error)
        && make_ed25519_key_pair(foreignPrivateKey(), foreignPublic, &m_error);
    if (m_valid && installKey)
        m_valid = QFile::copy(publicKey(), QDir(appDir).filePath(QStringLiteral("updates-public.pem")))
            || fail(QStringLiteral("cannot install the update key"));
}

QString UpdateSigningRig::privateKey() const
{
    return m_dir.filePath(QStringLiteral("owner.pem"));
}

QString UpdateSigningRig::foreignPrivateKey() const
{
    return m_dir.filePath(QStringLiteral("foreign.pem"));
}

QString UpdateSigningRig::publicKey() const
{
    return m_dir.filePath(QStringLiteral("owner-public.pem"));
}

bool UpdateSigningRig::fail(const QString& message)
{
    m_valid = false;
    m_error = message;
    return false;
}

bool UpdateSigningRig::run(const QString& program, const QStringList& arguments)
{
    const ToolRun run = run_tool(program, arguments);
    return run.succeeded() || fail(run.failure(program, arguments));
}

bool UpdateSigningRig::signIndex(const QString& index, const QString& forWhom, const QStringList& files)
{
    return run(source(QStringLiteral("tools/sign-index.sh")), QStringList{index, privateKey(), forWhom} + files);
}

bool UpdateSigningRig::publishContent(const QString& dir)
{
    return run(source(QStringLiteral("tools/publish-content.sh")), {dir, privateKey()});
}

bool UpdateSigningRig::resign(const QString& index, const std::function<QByteArray(QByteArray)>& edit, bool foreign)
{
    QFile file(index);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read ") + index);
    const QByteArray text = edit(file.readAll());
    file.close();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size())
        return fail(QStringLiteral("cannot write ") + index);
    file.close();
    return run(QStringLiteral("sh"), {source(QStringLiteral("scripts/sign_manifest.sh")), index,
                                      foreign ? foreignPrivateKey() : privateKey()});
}
