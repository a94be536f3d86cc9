#include "updates/assetsregistry.h"

#include "catalogue/productdatabase.h"
#include "core/defaults.h"
#include "core/vm24.h"
#include "testenvironment.h"
#include "testfiles.h"
#include "updates/updatefiles.h"

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

    // A power cut during updates leaves staging directories: a half-made
    // catalogue beside the one it was to replace, a new catalogue half
    // extracted, and two targets moved aside whose replacement never came.
    // The catalogue loader never reads them; at start-up the moved-aside
    // content comes back and the rest goes.
    void updateCutOffByAPowerLoss()
    {
        TestEnvironment::ScopedAppDir appDir;
        AssetsRegistry registry(appDir.filePath(QStringLiteral("data")));
        QVERIFY(registry.addAsset(QStringList{"products", "media"}));
        const QString products = registry.assetDir(QStringLiteral("products"));
        const auto catalogue = [](const QString& name, const QString& product) {
            return QStringLiteral("<catalogue name=\"%1\"><product id=\"%2\" name=\"%2\"/></catalogue>")
                .arg(name, product)
                .toUtf8();
        };
        write_file(products + QStringLiteral("/main/index.xml"), catalogue(QStringLiteral("main"), QStringLiteral("1")));
        const QString halfMain = VM24::make_staging_dir(products + QStringLiteral("/main"));
        write_file(halfMain + QStringLiteral("/index.xml"), catalogue(QStringLiteral("main"), QStringLiteral("half")));
        const QString halfNew = VM24::make_staging_dir(products + QStringLiteral("/fresh"));
        write_file(halfNew + QStringLiteral("/index.xml"), catalogue(QStringLiteral("fresh"), QStringLiteral("2")));
        QVERIFY(QFileInfo(halfNew).fileName().startsWith(QStringLiteral(".fresh.new-")));
        write_file(products + QStringLiteral("/.shop.old-k3Jq9Z/index.xml"),
                   catalogue(QStringLiteral("shop"), QStringLiteral("3")));
        QVERIFY(QDir(registry.assetDir(QStringLiteral("media"))).removeRecursively());
        write_file(registry.baseDir() + QStringLiteral("/.media.old-Ab12Cd/01.png"), "slide");
        write_file(registry.baseDir() + QStringLiteral("/.media.new-Ef34Gh/01.png"), "half");

        ProductDatabase before;
        before.loadCatalogues(products);
        QCOMPARE(before.products().keys(), QStringList{QStringLiteral("main/1")});
        QVERIFY(before.catalogueHeader(QStringLiteral("fresh")).name.isEmpty());

        registry.recoverInterruptedUpdates();
        QCOMPARE(QDir(products).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{"main", "shop", "zz-user-edits"}));
        QCOMPARE(QDir(registry.baseDir()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name),
                 (QStringList{"media", "products"}));
        QCOMPARE(read_file(registry.baseDir() + QStringLiteral("/media/01.png")), QByteArray("slide"));
        ProductDatabase after;
        after.loadCatalogues(products);
        QCOMPARE(after.products().keys(), (QStringList{"main/1", "shop/3"}));
        // Nothing left to put right: a second start changes nothing.
        registry.recoverInterruptedUpdates();
        QCOMPARE(read_file(products + QStringLiteral("/shop/index.xml")), catalogue(QStringLiteral("shop"), QStringLiteral("3")));
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
