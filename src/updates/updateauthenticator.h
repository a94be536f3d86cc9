#pragma once

#include "updates/signedindex.h"

#include <QDate>
#include <QDateTime>
#include <QMutex>
#include <QObject>
#include <QString>

#include <atomic>

// Whether updates are authenticated, and the checks when they are. The
// owner's update key is the Ed25519 public key "updates-public.pem" in the
// application directory; while it is there, every update from the server
// and the push directory, and software and settings from a level-1 stick,
// are applied only when a signed index vouches for them. Each refusal is a
// warning row that names the file and the reason. Any thread may call it.
class UpdateAuthenticator : public QObject
{
    Q_OBJECT

public:
    static const char* const PUBLIC_KEY_FILENAME; // "updates-public.pem"
    // The last applied index date of each stream, and the day of the last
    // "not authenticated" warning.
    static const char* const STATE_FILENAME; // "updates-index-dates.txt"
    // The index of an update directory (push directory, stick folder).
    static const char* const DIRECTORY_INDEX; // "update.index"

    explicit UpdateAuthenticator(QObject* parent = nullptr);

    // This machine's serial number, which an index must be for; set from the
    // settings by whoever composes the authenticator.
    void setSerial(int serial) { m_serial = serial; }

    static QString keyPath();
    bool isKeyPresent() const;
    // Whether files from a source of that user level need the signed index:
    // with the key present, below level 2 (push updates are level 0).
    bool mustAuthenticate(int userLevel) const;
    // The stream of an update directory's indexes: "push" (level 0) or "usb".
    static QString directoryStream(int userLevel);

    // Reads the index at indexPath and checks its signature "<index>.sig"
    // against the key, its form, that it is for this machine's serial and
    // that it is not older than the last one applied on stream. On failure
    // a warning names the index and the reason.
    // shownName names the index in the warning (its file name by default).
    bool openIndex(const QString& indexPath, const QString& stream, SignedIndex* index,
                   const QString& shownName = QString());
    // The named file (or data) against its size and hash in the index.
    bool checkData(const SignedIndex& index, const QString& name, const QByteArray& data);
    bool checkFile(const SignedIndex& index, const QString& name, const QString& path);
    bool checkEntry(const QString& name, const SignedIndex::Entry& entry, const QString& path);
    // Checks the directory's own index and every name given against it.
    bool checkDirectory(const QString& dir, const QStringList& names, const QString& stream, SignedIndex* index);
    // Kept durably: an older index on that stream is refused from now on.
    bool recordApplied(const QString& stream, const SignedIndex& index);
    QDateTime lastApplied(const QString& stream) const;

    // A warning row "Aggiornamento rifiutato: <name> (<reason>)".
    void refuse(const QString& name, const QString& reason);
    // Without the key: one warning row per day that updates are not
    // authenticated. True when it wrote one.
    bool warnIfUnauthenticated(const QDate& today = QDate::currentDate());
    // Installs the key file found in dir (a level-3 stick's folder); true
    // when one was installed.
    bool installKeyFrom(const QString& dir);

    static QString reasonUnlisted();
    static QString reasonTooLong();
    static QString reasonChanged();
    static QString reasonNotDownloaded();
    static QString reasonLevelOneSoftware();

signals:
    // A warning row for the event log; emitted from the calling thread.
    void warning(const QString& message);

private:
    QString readState(const QString& key) const;
    bool writeState(const QString& key, const QString& value);

    mutable QMutex m_mutex;
    std::atomic<int> m_serial{0};
};
