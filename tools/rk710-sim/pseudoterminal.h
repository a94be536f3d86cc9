#pragma once

#include <QString>

namespace rk710sim {

// The master side of a pseudo-terminal in raw mode, whose slave plays the
// board's serial device. The simulator keeps a descriptor of its own on the
// slave so the master never sees a hang-up between two programs opening it,
// and optionally keeps a symbolic link to the slave at a stable path.
class PseudoTerminal
{
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Opens the pair; on failure errorString() says why.
    bool open();
    // Points linkPath at the slave, replacing whatever link was there. Refuses
    // to replace anything that is not a symbolic link.
    bool createLink(const QString& linkPath);
    void close();

    int masterDescriptor() const { return m_master; }
    QString slavePath() const { return m_slavePath; }
    QString linkPath() const { return m_linkPath; }
    QString errorString() const { return m_error; }

    // Non-blocking; returns the bytes read (empty when nothing is there).
    QByteArray readAvailable();
    // Returns false when the line did not take every byte.
    bool write(const QByteArray& bytes);

private:
    bool fail(const QString& what);

    int m_master = -1;
    int m_slaveKeeper = -1;
    QString m_slavePath;
    QString m_linkPath;
    QString m_error;
};

} // namespace rk710sim
