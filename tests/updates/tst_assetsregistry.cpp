#include "updates/assetsregistry.h"

#include "core/defaults.h"
#include "core/vm24.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

class TestAssetsRegistry : public QObject
{
    Q_OBJECT

private slots:
    void dataPrefixFollowsTheApplicationDirectory()
    {
        TestEnvironment::ScopedAppDir appDir;
        AssetsRegistry registry(VM24::get_path(QLatin1String(VM24::Defaults::General::DATA_DIR)));
        QCOMPARE(registry.baseDir(), appDir.filePath(QStringLiteral("data")));
        QVERIFY(registry.addAsset(QStringList{"products", "brixo-events", "brixo-banner", "media", "user",
                                              "package-cache"}));
        registry.addBaseDirToSearchPath();

        QFile slide(appDir.filePath(QStringLiteral("data/media/01.png")));
        QVERIFY(slide.open(QIODevice::WriteOnly));
        slide.write("slide");
        slide.close();

        QFile viaPrefix(QStringLiteral("data:media/01.png"));
        QVERIFY(viaPrefix.open(QIODevice::ReadOnly));
        QCOMPARE(viaPrefix.readAll(), QByteArray("slide"));
        QCOMPARE(QDir(QStringLiteral("data:products")).absolutePath(), appDir.filePath(QStringLiteral("data/products")));
        QCOMPARE(registry.assetDir(QStringLiteral("user")), appDir.filePath(QStringLiteral("data/user")));

        // A second registry (another application directory) takes the prefix over.
        TestEnvironment::ScopedAppDir other;
        AssetsRegistry moved(VM24::get_path(QStringLiteral("data")));
        moved.addAsset(QStringLiteral("media"));
        moved.addBaseDirToSearchPath();
        QVERIFY(!QFile::exists(QStringLiteral("data:media/01.png")));
        QVERIFY(QFileInfo(QStringLiteral("data:media")).isDir());
    }

    void missingAssets()
    {
        TestEnvironment::ScopedAppDir appDir;
        AssetsRegistry registry(appDir.filePath(QStringLiteral("data")));
        QVERIFY(registry.addAsset(QStringLiteral("media")));
        QVERIFY(!registry.addAsset(QString()));
        QVERIFY(!registry.assetDir(QStringLiteral("media")).isEmpty());

        QSignalSpy changed(&registry, &AssetsRegistry::contentChanged);
        registry.notifyAssetChanged(QStringLiteral("media"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.takeFirst().at(0).toString(), QStringLiteral("media"));

        QVERIFY(QDir(registry.assetDir(QStringLiteral("media"))).removeRecursively());
        QVERIFY(registry.assetDir(QStringLiteral("media")).isEmpty());
        registry.notifyAssetChanged(QStringLiteral("media"));
        registry.notifyAssetChanged(QStringLiteral("products"));
        registry.notifyAssetChanged(QString());
        QCOMPARE(changed.count(), 0);

        // A plain file of that name is no asset.
        QFile file(appDir.filePath(QStringLiteral("data/user")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        QVERIFY(registry.assetDir(QStringLiteral("user")).isEmpty());
    }

    void lastModified()
    {
        TestEnvironment::ScopedAppDir appDir;
        AssetsRegistry registry(appDir.filePath(QStringLiteral("data")));
        QVERIFY(registry.addAsset(QStringLiteral("media")));
        const QDateTime present = registry.lastModified(QStringLiteral("media"));
        const QDateTime missing = registry.lastModified(QStringLiteral("products"));
        QVERIFY(present.isValid());
        QVERIFY(qAbs(present.secsTo(QDateTime::currentDateTime())) < 60);
        QVERIFY(!missing.isValid());
        QVERIFY(missing < present);
        QVERIFY(missing < QDateTime::fromSecsSinceEpoch(0));
    }
};

QTEST_GUILESS_MAIN(TestAssetsRegistry)
#include "tst_assetsregistry.moc"
