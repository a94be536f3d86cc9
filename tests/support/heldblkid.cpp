#include "heldblkid.h"

#include <QFile>
#include <QStandardPaths>

HeldBlkid::HeldBlkid()
    : m_previousPath(qgetenv("PATH"))
{
    const QString real = QStandardPaths::findExecutable(QStringLiteral("blkid"));
    if (!m_dir.isValid() || real.isEmpty())
        return;
    const QString script = m_dir.filePath(QStringLiteral("blkid"));
    QFile file(script);
    // The directory's path is passed in the environment, never pasted into the script.
    const QByteArray text = "#!/bin/sh\n"
                            ": > \"$HELD_BLKID_DIR/started\"\n"
                            "i=0\n"
                            "while [ ! -e \"$HELD_BLKID_DIR/released\" ] && [ $i -lt 400 ]; do sleep 0.05; i=$((i+1)); done\n"
                            "exec \"$HELD_BLKID_REAL\" \"$@\"\n";
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return;
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("HELD_BLKID_DIR", m_dir.path().toLocal8Bit());
    qputenv("HELD_BLKID_REAL", real.toLocal8Bit());
    qputenv("PATH", m_dir.path().toLocal8Bit() + ':' + m_previousPath);
    m_valid = true;
}

HeldBlkid::~HeldBlkid()
{
    release();
    qputenv("PATH", m_previousPath);
    qunsetenv("HELD_BLKID_DIR");
    qunsetenv("HELD_BLKID_REAL");
}

bool HeldBlkid::hasStarted() const
{
    return QFile::exists(m_dir.filePath(QStringLiteral("started")));
}

void HeldBlkid::release()
{
    QFile file(m_dir.filePath(QStringLiteral("released")));
    file.open(QIODevice::WriteOnly);
}
