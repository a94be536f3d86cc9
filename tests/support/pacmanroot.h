#pragma once

#include <QString>
#include <QTemporaryDir>

// A private root and package database for the real package manager, with
// small packages built on the spot. While the object lives,
// VM24_PACMAN_CONFIG names its pacman.conf, so every package-manager call of
// the program works on this root and never on the machine's own.
class PacmanRoot
{
public:
    PacmanRoot();
    ~PacmanRoot();

    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }
    QString configPath() const;
    QString rootPath() const;

    // Builds "<name>-<version>-any.pkg.tar.gz" in dir holding one file,
    // usr/share/<name>/version, whose content is the version. Returns its
    // path, or an empty string on failure.
    QString buildPackage(const QString& name, const QString& version, const QString& dir) const;
    // Installs a package file straight with the package manager.
    bool install(const QString& packageFile) const;
    // The installed version as the package database holds it; empty when
    // the package is not installed.
    QString installedVersion(const QString& name) const;
    // The content of the package's version file in the root.
    QString installedFileVersion(const QString& name) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_valid = false;
};
