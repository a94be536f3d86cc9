#pragma once

#include <QDateTime>
#include <QDir>
#include <QObject>
#include <QString>
#include <QStringList>

// The data directory and its replaceable content. Each asset (catalogues,
// home-page media, partner banner and events, the shop's texts, the package
// cache) is a sub-directory of the base directory; the rest of the program
// names it through the "data:" prefix ("data:media") and reloads when
// contentChanged announces that an asset was replaced.
class AssetsRegistry : public QObject
{
    Q_OBJECT

public:
    static const char* const SEARCH_PREFIX; // "data"

    explicit AssetsRegistry(const QString& baseDir, QObject* parent = nullptr);

    // Makes "data:<name>" resolve to <base>/<name>.
    void addBaseDirToSearchPath() const;

    // Creates the asset's sub-directory (and the base) when missing.
    bool addAsset(const QString& name);
    bool addAsset(const QStringList& names);

    // Puts right what an update cut off by a power loss left behind, in the
    // base and in each asset: the complete former or new content stays, no
    // half-made one. Call at start-up before anything reads the assets.
    void recoverInterruptedUpdates() const;

    QString baseDir() const;
    // Absolute path of the asset's directory; empty when it does not exist.
    QString assetDir(const QString& name) const;
    // Modification time of the asset's base entry; invalid (and so older
    // than any valid time) when the asset does not exist.
    QDateTime lastModified(const QString& name) const;

public slots:
    // Announces that the content of an existing asset was replaced.
    void notifyAssetChanged(const QString& id);

signals:
    void contentChanged(const QString& id);

private:
    QDir m_base;
};
