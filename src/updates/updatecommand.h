#pragma once

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>

class AssetsRegistry;
class UpdateProcessContext;

// One kind of item of the content descriptor: decides from the descriptor's
// lines whether the machine needs the item, names what to download, and
// installs it once downloaded.
class UpdateCommand
{
public:
    explicit UpdateCommand(AssetsRegistry* registry);
    virtual ~UpdateCommand();

    // Forgets everything taken from a former descriptor.
    virtual void reset() = 0;
    // True when the line (split into fields) belongs to this command.
    virtual bool parse(const QStringList& fields) = 0;
    // What to download, each URL with the local file name it is stored
    // under. Names differ between commands and between the items of one
    // command, so that two URLs ending in the same name never meet.
    virtual QList<QPair<QUrl, QString>> downloads() const = 0;
    // Work that needs no download (a catalogue to delete).
    virtual bool hasPendingActions() const { return false; }
    // Runs on a worker thread.
    virtual void execute(QDir& downloadDir, UpdateProcessContext* ctx) = 0;

    void setName(const QString& name) { m_name = name; }
    QString name() const { return m_name; }

    // Called before the lines of a descriptor are offered: the time they
    // are judged against, and a fresh start for the look-up caches.
    void beginParse(const QDateTime& now);

    // A URL that may be downloaded and names a usable file.
    static bool isUsableUrl(const QUrl& url);

protected:
    AssetsRegistry* registry() const { return m_registry; }

    // Date field (yyyy-MM-dd) with an optional time field (hh:mm), local
    // time, midnight without time, in ms since the epoch; -1 when either is
    // malformed.
    qint64 publication(const QString& date, const QString& time);
    // A valid publication that is not in the future.
    bool isDue(qint64 publication) const { return publication >= 0 && publication <= m_nowMs; }
    // Modification time of the file or directory in ms; -1 (older than any
    // publication) when it does not exist. Read once per descriptor.
    qint64 modified(const QString& path);

private:
    QString m_name;
    AssetsRegistry* m_registry;
    qint64 m_nowMs = 0;
    QHash<QString, qint64> m_publications;
    QHash<QString, qint64> m_modified;
};
