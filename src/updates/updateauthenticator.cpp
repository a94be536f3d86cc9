#include "updates/updateauthenticator.h"

#include "core/detachedsignature.h"
#include "core/durablefile.h"
#include "core/vm24.h"
#include "updates/filedigest.h"
#include "updates/updateslog.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

const char* const UpdateAuthenticator::PUBLIC_KEY_FILENAME = "updates-public.pem";
const char* const UpdateAuthenticator::STATE_FILENAME = "updates-index-dates.txt";
const char* const UpdateAuthenticator::DIRECTORY_INDEX = "update.index";

namespace {

const char* const CONTEXT = "UpdateAuthenticator";
const char* const WARNED_KEY = "unauthenticated-warning";
const int MAX_KEY_SIZE = 4096;
const int MAX_STATE_SIZE = 64 * 1024;

QString translated(const char* text)
{
    return QCoreApplication::translate(CONTEXT, text);
}

bool read_limited(const QString& path, qint64 limit, QByteArray* content)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || QFileInfo(path).isSymLink() || !file.open(QIODevice::ReadOnly))
        return false;
    *content = file.read(limit + 1);
    return content->size() <= limit;
}

QString state_path()
{
    return VM24::get_path(QLatin1String(UpdateAuthenticator::STATE_FILENAME));
}

QMap<QString, QString> parse_state(const QByteArray& text)
{
    QMap<QString, QString> state;
    for (const QByteArray& line : text.split('\n')) {
        const int space = line.indexOf(' ');
        if (space > 0)
            state.insert(QString::fromUtf8(line.left(space)), QString::fromUtf8(line.mid(space + 1)));
    }
    return state;
}

} // namespace

UpdateAuthenticator::UpdateAuthenticator(QObject* parent)
    : QObject(parent)
{
}

QString UpdateAuthenticator::keyPath()
{
    return VM24::get_path(QLatin1String(PUBLIC_KEY_FILENAME));
}

bool UpdateAuthenticator::isKeyPresent() const
{
    return QFileInfo(keyPath()).isFile();
}

bool UpdateAuthenticator::mustAuthenticate(int userLevel) const
{
    return userLevel < 2 && isKeyPresent();
}

QString UpdateAuthenticator::directoryStream(int userLevel)
{
    return userLevel == 0 ? QStringLiteral("push") : QStringLiteral("usb");
}

QString UpdateAuthenticator::reasonUnlisted()
{
    return translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "non elencato nell'indice firmato"));
}

QString UpdateAuthenticator::reasonTooLong()
{
    return translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "più lungo di quanto elencato"));
}

QString UpdateAuthenticator::reasonChanged()
{
    return translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "diverso da quanto firmato"));
}

QString UpdateAuthenticator::reasonNotDownloaded()
{
    return translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "non scaricato"));
}

QString UpdateAuthenticator::reasonLevelOneSoftware()
{
    return translated(QT_TRANSLATE_NOOP(
        "UpdateAuthenticator", "software da chiavetta di livello 1 senza chiave degli aggiornamenti"));
}

void UpdateAuthenticator::refuse(const QString& name, const QString& reason)
{
    const QString message = translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "Aggiornamento rifiutato: %1 (%2)"))
                                .arg(name, reason);
    qCWarning(updatesLog).noquote() << message;
    emit warning(message);
}

bool UpdateAuthenticator::openIndex(const QString& indexPath, const QString& stream, SignedIndex* index,
                                    const QString& shownName)
{
    const QString name = shownName.isEmpty() ? QFileInfo(indexPath).fileName() : shownName;
    const QString signature = indexPath + QLatin1String(VM24::DETACHED_SIGNATURE_SUFFIX);
    QByteArray text;
    if (!QFileInfo(indexPath).isFile()) {
        refuse(name, translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "indice firmato mancante")));
        return false;
    }
    if (!QFileInfo(signature).isFile()) {
        refuse(name, translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "firma mancante")));
        return false;
    }
    if (!VM24::verify_detached_signature(indexPath, keyPath())) {
        refuse(name, translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "firma non valida")));
        return false;
    }
    if (!read_limited(indexPath, SignedIndex::MAX_INDEX_SIZE, &text) || !index->parse(text)) {
        refuse(name, translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "indice firmato non valido")));
        return false;
    }
    if (!index->isFor(m_serial)) {
        refuse(name, translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "indice per un'altra macchina")));
        return false;
    }
    const QDateTime last = lastApplied(stream);
    if (last.isValid() && index->published() < last) {
        refuse(name, translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "indice più vecchio dell'ultimo applicato")));
        return false;
    }
    return true;
}

bool UpdateAuthenticator::checkData(const SignedIndex& index, const QString& name, const QByteArray& data)
{
    if (!index.lists(name)) {
        refuse(name, reasonUnlisted());
        return false;
    }
    const SignedIndex::Entry entry = index.entry(name);
    if (entry.size != data.size()
        || QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex() != entry.sha256) {
        refuse(name, reasonChanged());
        return false;
    }
    return true;
}

bool UpdateAuthenticator::checkFile(const SignedIndex& index, const QString& name, const QString& path)
{
    if (!index.lists(name)) {
        refuse(name, reasonUnlisted());
        return false;
    }
    return checkEntry(name, index.entry(name), path);
}

bool UpdateAuthenticator::checkEntry(const QString& name, const SignedIndex::Entry& entry, const QString& path)
{
    VM24::FileDigest digest;
    if (!VM24::digest_file(path, &digest)) {
        refuse(name, translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "file non leggibile")));
        return false;
    }
    if (digest.size != entry.size) {
        refuse(name, digest.size > entry.size ? reasonTooLong()
                                              : translated(QT_TRANSLATE_NOOP("UpdateAuthenticator",
                                                                             "più corto di quanto elencato")));
        return false;
    }
    if (digest.sha256 != entry.sha256) {
        refuse(name, reasonChanged());
        return false;
    }
    return true;
}

bool UpdateAuthenticator::checkDirectory(const QString& dir, const QStringList& names, const QString& stream,
                                         SignedIndex* index)
{
    if (!openIndex(QDir(dir).filePath(QLatin1String(DIRECTORY_INDEX)), stream, index))
        return false;
    for (const QString& name : names) {
        if (!checkFile(*index, name, QDir(dir).filePath(name)))
            return false;
    }
    return true;
}

QString UpdateAuthenticator::readState(const QString& key) const
{
    QByteArray text;
    if (!read_limited(state_path(), MAX_STATE_SIZE, &text))
        return QString();
    return parse_state(text).value(key);
}

bool UpdateAuthenticator::writeState(const QString& key, const QString& value)
{
    QByteArray text;
    read_limited(state_path(), MAX_STATE_SIZE, &text);
    QMap<QString, QString> state = parse_state(text);
    state.insert(key, value);
    QByteArray written;
    for (auto it = state.cbegin(); it != state.cend(); ++it)
        written += it.key().toUtf8() + ' ' + it.value().toUtf8() + '\n';
    return VM24::write_file_durably(state_path(), written);
}

QDateTime UpdateAuthenticator::lastApplied(const QString& stream) const
{
    QMutexLocker lock(&m_mutex);
    return QDateTime::fromString(readState(stream), Qt::ISODate);
}

bool UpdateAuthenticator::recordApplied(const QString& stream, const SignedIndex& index)
{
    QMutexLocker lock(&m_mutex);
    const QDateTime last = QDateTime::fromString(readState(stream), Qt::ISODate);
    if (last.isValid() && last >= index.published())
        return true;
    return writeState(stream, index.published().toUTC().toString(Qt::ISODate));
}

bool UpdateAuthenticator::warnIfUnauthenticated(const QDate& today)
{
    if (isKeyPresent())
        return false;
    {
        QMutexLocker lock(&m_mutex);
        const QString day = today.toString(Qt::ISODate);
        if (readState(QLatin1String(WARNED_KEY)) == day || !writeState(QLatin1String(WARNED_KEY), day))
            return false;
    }
    const QString message = translated(QT_TRANSLATE_NOOP(
        "UpdateAuthenticator", "Aggiornamenti non autenticati: manca la chiave pubblica degli aggiornamenti"));
    qCWarning(updatesLog).noquote() << message;
    emit warning(message);
    return true;
}

bool UpdateAuthenticator::installKeyFrom(const QString& dir)
{
    QByteArray key;
    if (!read_limited(QDir(dir).filePath(QLatin1String(PUBLIC_KEY_FILENAME)), MAX_KEY_SIZE, &key)
        || !key.startsWith("-----BEGIN PUBLIC KEY-----"))
        return false;
    QByteArray installed;
    if (read_limited(keyPath(), MAX_KEY_SIZE, &installed) && installed == key)
        return false;
    if (!VM24::write_file_durably(keyPath(), key))
        return false;
    const QString message =
        translated(QT_TRANSLATE_NOOP("UpdateAuthenticator", "Chiave degli aggiornamenti installata da chiavetta USB"));
    qCInfo(updatesLog).noquote() << message;
    emit warning(message);
    return true;
}
