#pragma once

#include <QString>
#include <QTemporaryDir>

// Linked into every test program. Before main() runs it makes sure that
// platform actions are recorded (never carried out) and that the program's
// application directory is a fresh temporary one, so a test started by hand
// behaves like one started by ctest.
namespace TestEnvironment {

// The temporary application directory of this test process.
QString applicationDir();

// A path inside the project's source tree (scripts, test helpers).
QString sourcePath(const QString& relative);

// The machine's serial number in the settings file, as the program reads
// and writes it (clamped).
int readSerial();
void writeSerial(int serial);

// A fresh application directory for one test case: sets VM24_APP_DIR and the
// settings location to it. The directory lives as long as the returned object.
class ScopedAppDir
{
public:
    ScopedAppDir();
    ~ScopedAppDir();
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
};

} // namespace TestEnvironment
