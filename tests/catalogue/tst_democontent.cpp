#include "catalogue/priceprovider.h"
#include "catalogue/productids.h"
#include "catalogue/productprovider.h"
#include "settings/settings.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// The demo machine's content must load as a real machine would load it.
class TestDemoContent : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_copy;
    QString m_demo;

private slots:
    void initTestCase()
    {
        m_demo = QFINDTESTDATA("../../demo");
        QVERIFY(!m_demo.isEmpty());
        QVERIFY(m_copy.isValid());
        // Loading writes the edits catalogue: work on a copy.
        QCOMPARE(QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-R"), m_demo + QStringLiteral("/data/products"), m_copy.path()}), 0);
    }

    void cataloguesAndArrangement()
    {
        ProductProvider provider(m_copy.filePath(QStringLiteral("products")));
        provider.loadDatabase();
        QSettings settings(m_demo + QStringLiteral("/Korvane/VM24.ini"), QSettings::IniFormat);
        provider.setArrangement(Settings(settings).arrangement());

        QVERIFY(provider.productCount() >= 30);
        QSet<QString> categories;
        int cheaperCashless = 0;
        for (int index = 0; index < provider.productCount(); ++index) {
            const ProductRecord& product = provider.getProduct(index);
            QVERIFY2(!product.name().isEmpty() && !product.description().isEmpty(), qPrintable(product.id()));
            QVERIFY2(product.price(0) > 0, qPrintable(product.id()));
            QVERIFY2(product.price(1) <= product.price(0), qPrintable(product.id()));
            QVERIFY(!product.isModified());
            categories.insert(product.category());
            if (product.price(1) > 0)
                ++cheaperCashless;
        }
        QVERIFY(categories.size() >= 5);
        QVERIFY(cheaperCashless >= 5);

        QSet<QString> arranged;
        for (int selection = 0; selection < VM24::NUMBER_OF_SELECTIONS; ++selection) {
            const ProductRecord& product = provider.getProductAtLocation(selection);
            QVERIFY2(!product.name().isEmpty(), qPrintable(QString::number(selection)));
            QCOMPARE(VM24::is_brixo_product_id(product.id()), VM24::is_brixo_reserved_button(selection));
            if (arranged.contains(product.id()))
                QVERIFY(provider.locationsOf(product.id()).size() > 1);
            arranged.insert(product.id());
        }
        QVERIFY(arranged.size() < VM24::NUMBER_OF_SELECTIONS);

        PriceProvider prices(&provider);
        prices.setCustomerLevel(1);
        QVERIFY(prices.price(provider.arrangement().at(0)) > 0);
    }
};

QTEST_MAIN(TestDemoContent)
#include "tst_democontent.moc"
