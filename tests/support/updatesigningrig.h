#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// The owner's update key for a test: a real Ed25519 key pair made by
// openssl, the public half installed as the machine's update key in the
// application directory with the real signature scripts, and a second,
// foreign key pair. Indexes are written and signed by the real
// tools/sign-index.sh.
class UpdateSigningRig
{
public:
    // installKey false: the scripts only, the machine holds no update key.
    explicit UpdateSigningRig(const QString& appDir, bool installKey = true);

    bool isValid() const { return m_valid; }
    QString error() const { return m_error; }
    QString privateKey() const;
    QString foreignPrivateKey() const;
    QString publicKey() const;

    // tools/sign-index.sh INDEX KEY FOR FILES...
    bool signIndex(const QString& index, const QString& forWhom, const QStringList& files);
    // tools/publish-content.sh DIR KEY
    bool publishContent(const QString& dir);
    // Rewrites the index text (edit) and signs it again, by the owner's key
    // or the foreign one.
    bool resign(const QString& index, const std::function<QByteArray(QByteArray)>& edit, bool foreign = false);

private:
    bool run(const QString& program, const QStringList& arguments);
    bool fail(const QString& message);

    QTemporaryDir m_dir;
    bool m_valid = false;
    QString m_error;
};
