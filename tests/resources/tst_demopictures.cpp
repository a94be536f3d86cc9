#include "catalogue/productprovider.h"
#include "lookchecks.h"
#include "settings/settings.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QJsonObject>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

bool copyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

} // namespace

// The demo content has every picture the program looks for, at the size of
// the place that shows it: the program itself finds the product pictures.
class DemoPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_data.isValid());
        QVERIFY(copyTree(QStringLiteral(VM24_DEMO_DIR "/data"), m_data.path()));
    }

    void everyProductHasItsPictures()
    {
        ProductProvider provider(m_data.filePath(QStringLiteral("products")));
        provider.loadDatabase();
        QVERIFY2(provider.productCount() >= 30, "demo catalogues missing");
        for (int i = 0; i < provider.productCount(); ++i) {
            const QString id = provider.getProduct(i).id();
            const QPixmap thumbnail = provider.getThumbnail(id);
            QVERIFY2(!thumbnail.isNull(), qPrintable(id + QStringLiteral(": no thumbnail")));
            QCOMPARE(thumbnail.size(), QSize(192, 192));
            const QImage large = provider.getImage(id);
            QVERIFY2(!large.isNull(), qPrintable(id + QStringLiteral(": no large picture")));
            QCOMPARE(large.size(), QSize(480, 600));
            // Packs stand free on any background.
            QVERIFY2(large.hasAlphaChannel() && qAlpha(large.pixel(0, 0)) == 0, qPrintable(id));
        }
    }

    void everyArrangedSelectionShowsAPicture()
    {
        ProductProvider provider(m_data.filePath(QStringLiteral("products")));
        provider.loadDatabase();
        QSettings settings(QStringLiteral(VM24_DEMO_DIR "/Korvane/VM24.ini"), QSettings::IniFormat);
        provider.setArrangement(Settings(settings).arrangement());
        for (int selection = 0; selection < 18; ++selection) {
            const QString id = provider.arrangement().value(selection);
            QVERIFY2(!id.isEmpty(), qPrintable(QString::number(selection)));
            QVERIFY2(!provider.getThumbnail(id).isNull(), qPrintable(id));
        }
    }

    void slidesFillTheMediaArea()
    {
        // The slideshow stretches every picture over (92, 424)-(992, 1654).
        const QDir media(m_data.filePath(QStringLiteral("media")));
        const QStringList slides = media.entryList({QStringLiteral("*.png"), QStringLiteral("*.jpg")}, QDir::Files);
        QVERIFY(slides.size() >= 3);
        for (const QString& slide : slides)
            QCOMPARE(QImage(media.filePath(slide)).size(), QSize(901, 1231));
    }

    void partnerPicturesFitTheirPlaces()
    {
        const QJsonObject frame = LookChecks::pictures().value(QStringLiteral("brixo-banner-frame")).toObject();
        const QRect window = LookChecks::zoneRect(frame.value(QStringLiteral("window")).toObject());
        QVERIFY(!window.isEmpty());
        const QImage banner(m_data.filePath(QStringLiteral("brixo-banner/brixo-banner.png")));
        QCOMPARE(banner.size(), window.size());
        // The events page shows its picture above the back button at y 1594.
        const QImage events(m_data.filePath(QStringLiteral("brixo-events/brixo-events.jpg")));
        QVERIFY(!events.isNull());
        QVERIFY(events.width() <= 1080 && events.height() <= 1594);
    }

private:
    QTemporaryDir m_data;
};

QTEST_MAIN(DemoPicturesTest)
#include "tst_demopictures.moc"
