#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A machine with USB security keys for tests and benchmarks: the real sign
// and verify scripts and fresh Ed25519 key pairs (openssl) in the
// application directory, a mount directory and a device directory that the
// program watches (VM24_MEDIA_DIR, VM24_DEV_DIR), and an Ethernet address
// file (VM24_NET_ADDRESS_FILE). A stick is a directory "usbdrive-<device>"
// under the mount directory plus a vfat image "<device>" made with
// mkfs.vfat -i, whose UUID the real blkid reads.
class UsbKeyRig
{
public:
    static const char* const MAC; // this machine's address

    // appDir: the application directory the program uses (VM24_APP_DIR).
    explicit UsbKeyRig(const QString& appDir);
    ~UsbKeyRig();

    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }

    QString mediaDir() const;
    QString devDir() const;
    QString adminPrivateKey() const;
    QString masterPrivateKey() const;
    // A key pair that is not the machine's: private key path.
    QString foreignPrivateKey() const;

    // Makes the device's image with the volume id (8 hex digits, blkid
    // prints it as XXXX-XXXX) and returns the stick's mount directory,
    // not yet inserted when insert is false.
    QString makeStick(const QString& device, const QString& volumeId, bool insert = true);
    // Inserts a stick made earlier; removing takes its directory away.
    void insertStick(const QString& device);
    bool removeStick(const QString& device);
    QString stickPath(const QString& device) const;
    QString securityDir(const QString& device) const;

    // Writes manifest text and signs it with openssl directly (not through
    // the program's scripts), as someone forging a key would.
    bool writeManifest(const QString& device, const QByteArray& text);
    bool signManifest(const QString& device, const QString& privateKey);
    // The three lines a genuine key of the level for the stick carries.
    QByteArray manifestText(const QString& volumeId, int level, const QByteArray& mac = MAC) const;
    // A genuine key: manifest for the stick's id, signed with the right key.
    bool makeKey(const QString& device, const QString& volumeId, int level);

    static QString uuidOf(const QString& volumeId);
    static int run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr);

private:
    bool fail(const QString& message);

    QTemporaryDir m_dir;
    QString m_appDir;
    QByteArray m_previousMedia, m_previousDev, m_previousAddress;
    bool m_valid = false;
    QString m_error;
};
