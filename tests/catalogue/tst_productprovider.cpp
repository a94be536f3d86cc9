#include "catalogue/priceprovider.h"
#include "catalogue/productprovider.h"
#include "settings/settings.h"
#include "updates/assetsregistry.h"

#include "core/vm24.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

bool write_text(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) == text.toUtf8().size();
}

bool write_picture(const QString& path, int width)
{
    QImage image(width, 10, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return image.save(path, "PNG");
}

const char* const MAIN_CATALOGUE =
    "<catalogue name=\"main\" timestamp=\"2024-03-01T10:20:30\">"
    "<product id=\"1001\" name=\"Paracetamolo\" category=\"Dolore\">"
    "<prices><price level=\"0\">250</price></prices></product>"
    "<product id=\"1002\" name=\"Ibuprofene\" category=\"Dolore\">"
    "<prices><price level=\"0\">250</price><price level=\"1\">200</price></prices></product>"
    "<product id=\"1003\" name=\"Cerotti\" category=\"Primo soccorso\">"
    "<prices><price level=\"1\">300</price></prices></product>"
    "</catalogue>";

} // namespace

class TestProductProvider : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<ProductProvider> m_provider;

    QString root() const { return m_appDir->filePath(QStringLiteral("data/products")); }
    QString catalogueFile(const QString& catalogue) const { return root() + QLatin1Char('/') + catalogue + QStringLiteral("/index.xml"); }

    void arrange(const QMap<int, QString>& selections)
    {
        QSettings settings;
        for (auto it = selections.cbegin(); it != selections.cend(); ++it)
            settings.setValue(QStringLiteral("Products/selection_%1").arg(it.key()), it.value());
        m_provider->setArrangement(Settings(settings).arrangement());
    }

private slots:
    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        QVERIFY(write_text(catalogueFile(QStringLiteral("main")), QLatin1String(MAIN_CATALOGUE)));
        m_provider = std::make_unique<ProductProvider>(root());
        m_provider->loadDatabase();
    }

    void cleanup()
    {
        m_provider.reset();
        m_appDir.reset();
    }

    void lookups()
    {
        QCOMPARE(m_provider->productCount(), 3);
        QCOMPARE(m_provider->getProduct(0).id(), QStringLiteral("main/1001"));
        QCOMPARE(m_provider->getProduct(2).id(), QStringLiteral("main/1003"));
        QCOMPARE(&m_provider->getProduct(3), &ProductProvider::NULL_PRODUCT);
        QCOMPARE(&m_provider->getProduct(-1), &ProductProvider::NULL_PRODUCT);
        QCOMPARE(m_provider->getProduct(QStringLiteral("main/1002")).name(), QStringLiteral("Ibuprofene"));
        QCOMPARE(&m_provider->getProduct(QStringLiteral("1002")), &ProductProvider::NULL_PRODUCT);
        QCOMPARE(ProductProvider::NULL_PRODUCT, ProductRecord());
        QCOMPARE(m_provider->catalogueHeader(QStringLiteral("main")).fileName, catalogueFile(QStringLiteral("main")));
    }

    void arrangementFromSettings()
    {
        QCOMPARE(m_provider->arrangement().size(), 18);
        arrange({{2, "main/1001"}, {5, "main/1001"}, {9, "main/1001"}, {4, "main/9999"}, {17, "main/1003"}});
        QCOMPARE(m_provider->getProductAtLocation(5).name(), QStringLiteral("Paracetamolo"));
        QCOMPARE(m_provider->getProductAtLocation(17).id(), QStringLiteral("main/1003"));
        QCOMPARE(&m_provider->getProductAtLocation(0), &ProductProvider::NULL_PRODUCT);
        QCOMPARE(&m_provider->getProductAtLocation(4), &ProductProvider::NULL_PRODUCT);
        QCOMPARE(&m_provider->getProductAtLocation(18), &ProductProvider::NULL_PRODUCT);
        QCOMPARE(m_provider->locationsOf(QStringLiteral("main/1001")), (QList<int>{2, 5, 9}));
        QVERIFY(m_provider->locationsOf(QStringLiteral("main/1002")).isEmpty());

        // A key that disappears from the settings empties its selection.
        QSettings settings;
        settings.remove(QStringLiteral("Products/selection_17"));
        m_provider->setArrangement(Settings(settings).arrangement());
        QVERIFY(m_provider->arrangement().at(17).isEmpty());
    }

    void saveArrangementReplacesTheWholeGroup()
    {
        {
            QSettings settings;
            settings.setValue(QStringLiteral("Products/selection_20"), QStringLiteral("main/1001"));
            settings.setValue(QStringLiteral("Products/other"), QStringLiteral("x"));
            settings.setValue(QStringLiteral("Products/selection_3"), QStringLiteral("main/1002"));
            settings.setValue(QStringLiteral("max-credit"), 3000);
        }
        QVector<QString> arrangement(18);
        arrangement[0] = QStringLiteral("main/1003");
        arrangement[7] = QStringLiteral("main/1001");
        m_provider->setArrangement(arrangement);
        QCOMPARE(m_provider->arrangement(), arrangement);
        {
            Settings stored;
            stored.setArrangement(m_provider->arrangement());
            stored.sync();
        }

        QSettings settings;
        settings.beginGroup(QStringLiteral("Products"));
        QStringList expectedKeys;
        for (int selection = 0; selection < 18; ++selection)
            expectedKeys.append(QStringLiteral("selection_%1").arg(selection));
        QStringList keys = settings.childKeys();
        keys.sort();
        expectedKeys.sort();
        QCOMPARE(keys, expectedKeys);
        QCOMPARE(settings.value(QStringLiteral("selection_0")).toString(), QStringLiteral("main/1003"));
        QCOMPARE(settings.value(QStringLiteral("selection_3")).toString(), QString());
        settings.endGroup();
        QCOMPARE(settings.value(QStringLiteral("max-credit")).toInt(), 3000);

        ProductProvider reloaded(root());
        reloaded.setArrangement(Settings(settings).arrangement());
        QCOMPARE(reloaded.arrangement(), arrangement);

        // A short arrangement still covers every selection.
        m_provider->setArrangement({QStringLiteral("main/1002")});
        QCOMPARE(m_provider->arrangement().size(), 18);
        QCOMPARE(m_provider->getProductAtLocation(0).id(), QStringLiteral("main/1002"));
        QCOMPARE(&m_provider->getProductAtLocation(17), &ProductProvider::NULL_PRODUCT);
    }

    void prices()
    {
        PriceProvider prices(m_provider.get());
        QSignalSpy changed(&prices, &PriceProvider::pricesChanged);
        QCOMPARE(prices.customerLevel(), 0);
        QCOMPARE(prices.price(QStringLiteral("main/1001")), 250);
        QCOMPARE(prices.price(QStringLiteral("main/1002")), 250);
        QCOMPARE(prices.price(QStringLiteral("main/1003")), 0);
        QCOMPARE(prices.price(QStringLiteral("main/none")), 0);

        prices.setCustomerLevel(1);
        prices.setCustomerLevel(1);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(prices.price(QStringLiteral("main/1001")), 250);
        QCOMPARE(prices.price(QStringLiteral("main/1002")), 200);
        QCOMPARE(prices.price(QStringLiteral("main/1003")), 300);
        QCOMPARE(prices.price(QStringLiteral("main/none")), 0);

        // A level no product carries falls back to the cash price.
        prices.setCustomerLevel(7);
        QCOMPARE(prices.price(QStringLiteral("main/1002")), 250);
        prices.setCustomerLevel(0);
        QCOMPARE(changed.count(), 3);
    }

    void picturesAreCachedUntilTrimmed()
    {
        QCOMPARE(m_provider->getThumbnailPath(QStringLiteral("main/1001")), root() + QStringLiteral("/main/1001.png"));
        QCOMPARE(m_provider->getImagePath(QStringLiteral("main/1001")), root() + QStringLiteral("/main/1001_large.png"));
        QVERIFY(write_picture(m_provider->getThumbnailPath(QStringLiteral("main/1001")), 20));
        QVERIFY(write_picture(m_provider->getImagePath(QStringLiteral("main/1001")), 40));
        arrange({{0, "main/1001"}});

        QCOMPARE(m_provider->getThumbnail(QStringLiteral("main/1001")).width(), 20);
        QCOMPARE(m_provider->getImage(QStringLiteral("main/1001")).width(), 40);
        QVERIFY(m_provider->getThumbnail(QStringLiteral("main/1002")).isNull());
        QVERIFY(m_provider->getImage(QStringLiteral("main/1002")).isNull());

        // Files that change on disk are not looked at again while cached.
        QVERIFY(write_picture(m_provider->getThumbnailPath(QStringLiteral("main/1001")), 21));
        QVERIFY(write_picture(m_provider->getThumbnailPath(QStringLiteral("main/1002")), 22));
        QVERIFY(write_picture(m_provider->getImagePath(QStringLiteral("main/1002")), 42));
        QCOMPARE(m_provider->getThumbnail(QStringLiteral("main/1001")).width(), 20);
        QVERIFY(m_provider->getThumbnail(QStringLiteral("main/1002")).isNull());

        // Saving an arrangement forgets the pictures of unarranged products only.
        m_provider->setArrangement({QStringLiteral("main/1001")});
        QCOMPARE(m_provider->getThumbnail(QStringLiteral("main/1001")).width(), 20);
        QCOMPARE(m_provider->getThumbnail(QStringLiteral("main/1002")).width(), 22);
        QCOMPARE(m_provider->getImage(QStringLiteral("main/1002")).width(), 42);

        // A reload forgets them all.
        m_provider->loadDatabase();
        QCOMPARE(m_provider->getThumbnail(QStringLiteral("main/1001")).width(), 21);
    }

    void largePicturesKeptAreBoundedAndTheLatestStay()
    {
        // Forty products' pictures of some 350 kB decoded: three times the bound.
        const auto id = [](int n) { return QStringLiteral("main/%1").arg(2000 + n); };
        const auto write_large = [](const QString& path, int width) {
            QImage image(width, 300, QImage::Format_RGB32);
            image.fill(Qt::darkGreen);
            return image.save(path, "PNG");
        };
        for (int n = 0; n < 40; ++n)
            QVERIFY(write_large(m_provider->getImagePath(id(n)), 300));
        for (int round = 0; round < 2; ++round) {
            for (int n = 0; n < 40; ++n) {
                QCOMPARE(m_provider->getImage(id(n)).width(), 300);
                QVERIFY2(m_provider->cachedImagesKb() <= ProductProvider::IMAGE_CACHE_LIMIT_KB,
                         QByteArray::number(m_provider->cachedImagesKb()));
            }
        }
        QVERIFY(m_provider->cachedImagesKb() > ProductProvider::IMAGE_CACHE_LIMIT_KB / 2);
        // The last ones shown are still decoded; the first were let go and
        // are read again.
        QVERIFY(write_large(m_provider->getImagePath(id(0)), 301));
        QVERIFY(write_large(m_provider->getImagePath(id(39)), 301));
        QCOMPARE(m_provider->getImage(id(39)).width(), 300);
        QCOMPARE(m_provider->getImage(id(0)).width(), 301);
    }

    void contentChangesReloadOnlyForProducts()
    {
        AssetsRegistry registry(m_appDir->filePath(QStringLiteral("data")));
        connect(&registry, &AssetsRegistry::contentChanged, m_provider.get(), &ProductProvider::onContentChanged);
        QVERIFY(registry.addAsset(QStringList{"products", "media"}));
        QVERIFY(write_text(catalogueFile(QStringLiteral("main")),
                           QStringLiteral("<catalogue name=\"main\"><product id=\"1001\" name=\"Nuovo\"/></catalogue>")));

        registry.notifyAssetChanged(QStringLiteral("media"));
        QCOMPARE(m_provider->productCount(), 3);
        QCOMPARE(m_provider->getProduct(QStringLiteral("main/1001")).name(), QStringLiteral("Paracetamolo"));
        registry.notifyAssetChanged(QStringLiteral("products"));
        QCOMPARE(m_provider->productCount(), 1);
        QCOMPARE(m_provider->getProduct(QStringLiteral("main/1001")).name(), QStringLiteral("Nuovo"));
    }

    void productsResolvedThroughTheDataPrefix()
    {
        AssetsRegistry registry(VM24::get_path(QStringLiteral("data")));
        registry.addBaseDirToSearchPath();
        ProductProvider provider(QStringLiteral("data:products"));
        provider.loadDatabase();
        QCOMPARE(provider.productCount(), 3);
        QCOMPARE(provider.getThumbnailPath(QStringLiteral("brixo/7")), root() + QStringLiteral("/brixo/7.png"));
        QVERIFY(QFile::exists(root() + QStringLiteral("/zz-user-edits/index.xml")));
    }

    void edits()
    {
        QVERIFY(!m_provider->getProduct(QStringLiteral("main/1001")).isModified());
        ProductRecord* existing = m_provider->modifyProduct(QStringLiteral("main/1001"));
        QVERIFY(existing);
        existing->setName(QStringLiteral("Paracetamolo 1000 mg"));
        QVERIFY(m_provider->getProduct(QStringLiteral("main/1001")).isModified());
        QVERIFY(!m_provider->modifyProduct(QStringLiteral("main/9999")));
        QCOMPARE(m_provider->productCount(), 3);

        ProductRecord& created = m_provider->modifyOrCreate(QStringLiteral("main/1004"));
        QVERIFY(created.isModified());
        QVERIFY(created.name().isEmpty());
        created.setName(QStringLiteral("Garze"));
        QCOMPARE(m_provider->productCount(), 4);
        QCOMPARE(&m_provider->modifyOrCreate(QStringLiteral("main/1004")), &m_provider->getProduct(QStringLiteral("main/1004")));

        m_provider->saveModified();
        m_provider->loadDatabase();
        QCOMPARE(m_provider->getProduct(QStringLiteral("main/1001")).name(), QStringLiteral("Paracetamolo 1000 mg"));
        QVERIFY(m_provider->getProduct(QStringLiteral("main/1001")).isModified());

        // New pictures are moved into place, replacing the old ones.
        const QString incoming = m_appDir->filePath(QStringLiteral("incoming.png"));
        QVERIFY(write_picture(m_provider->getThumbnailPath(QStringLiteral("main/1002")), 20));
        QVERIFY(write_picture(incoming, 30));
        QVERIFY(m_provider->setThumbnail(QStringLiteral("main/1002"), incoming));
        QVERIFY(!QFile::exists(incoming));
        QCOMPARE(QImage(m_provider->getThumbnailPath(QStringLiteral("main/1002"))).width(), 30);
        QVERIFY(write_picture(incoming, 50));
        QVERIFY(m_provider->setImage(QStringLiteral("main/1002"), incoming));
        QCOMPARE(QImage(m_provider->getImagePath(QStringLiteral("main/1002"))).width(), 50);
        QVERIFY(!m_provider->setImage(QStringLiteral("main/1002"), incoming));

        m_provider->removeProduct(QStringLiteral("main/1002"));
        QCOMPARE(&m_provider->getProduct(QStringLiteral("main/1002")), &ProductProvider::NULL_PRODUCT);
        QVERIFY(!QFile::exists(m_provider->getThumbnailPath(QStringLiteral("main/1002"))));
        QVERIFY(!QFile::exists(m_provider->getImagePath(QStringLiteral("main/1002"))));
    }
};

QTEST_MAIN(TestProductProvider)
#include "tst_productprovider.moc"
