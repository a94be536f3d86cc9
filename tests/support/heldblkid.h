#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A blkid that is slow on cue: while it lives, "blkid" on PATH is a
// stand-in that tells when it has started and waits for release() before
// it runs the real blkid with the same arguments, so a test can act on a
// stick while its UUID is being read.
class HeldBlkid
{
public:
    HeldBlkid();
    ~HeldBlkid();

    bool isValid() const { return m_valid; }
    bool hasStarted() const;
    void release();

private:
    QTemporaryDir m_dir;
    QByteArray m_previousPath;
    bool m_valid = false;
};
