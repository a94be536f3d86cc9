#include "lookchecks.h"

#include <QDirIterator>
#include <QImage>
#include <QJsonObject>
#include <QMargins>
#include <QSet>
#include <QtTest>

// Every picture the pages load by name is compiled in, is a valid image and
// has the size its place on the 1080 x 1920 screen needs.
class PicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void namedPictureIsCompiledIn_data()
    {
        QTest::addColumn<QString>("path");
        const char* images[] = {
            "generic-background", "media-frame", "language-toolbar", "home-button", "promo-button",
            "product-button-base", "product-button-base-empty", "product-button-base-error",
            "button-price-frame", "info-pane", "cancel-button", "confirm-button", "description-frame",
            "price-frame", "quantity-frame", "product-base", "brixo-tagline", "large-shadow", "arrows-down",
            "brixo-banner-frame"};
        for (const char* name : images)
            QTest::newRow(name) << QStringLiteral(":/images/%1").arg(QLatin1String(name));
        const char* icons[] = {
            "yes", "no", "it", "en", "exit", "save", "help", "checked", "plus", "minus", "next-page",
            "previous-page", "reboot", "refresh", "support", "coins", "no-coins", "alarm-on", "alarm-off",
            "log/all", "log/session", "log/purchase", "log/purchase-small", "log/recharge", "log/recharge-small",
            "log/change", "log/change-small", "log/overpay", "log/overpay-small", "log/alarm", "log/alarm-small",
            "log/alarm-clear", "log/alarms-activated", "log/alarms-deactivated", "log/info", "log/info-small",
            "log/warning", "log/warning-small", "log/power-management", "log/power-management-small",
            "log/power-on", "log/restart", "log/halt", "log/battery-power", "log/cash", "log/cash-inserted",
            "log/nfc", "log/pos", "log/session-begin", "log/current-credit", "log/session-end"};
        for (const char* name : icons)
            QTest::newRow(name) << QStringLiteral(":/icons/%1").arg(QLatin1String(name));
    }
    void namedPictureIsCompiledIn()
    {
        QFETCH(QString, path);
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
    }

    // Pictures drawn at their own size over a fixed screen rectangle.
    void pictureMatchesItsScreenRectangle_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("splash and page background") << "generic-background" << QSize(1080, 1920);
        QTest::newRow("media frame 22,390-1056,1690") << "media-frame" << QSize(1035, 1301);
        QTest::newRow("language toolbar 329,1819-750,1898") << "language-toolbar" << QSize(422, 80);
        QTest::newRow("information panel 534 x 386") << "info-pane" << QSize(534, 386);
        QTest::newRow("product button") << "product-button-base" << QSize(269, 317);
        QTest::newRow("product button, empty column") << "product-button-base-empty" << QSize(269, 317);
        QTest::newRow("product button, dispenser error") << "product-button-base-error" << QSize(269, 317);
        QTest::newRow("partner banner 44,1670-1035,1912") << "brixo-banner-frame" << QSize(992, 243);
        // Centred: placed at x 212 on suggestions and display pages.
        QTest::newRow("promo button") << "promo-button" << QSize(656, 260);
    }
    void pictureMatchesItsScreenRectangle()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QCOMPARE(QImage(QStringLiteral(":/images/") + name).size(), size);
    }

    void headerButtonsFitAboveTheTopBanner()
    {
        // Two header buttons at (36, 14) and (542, 14); the top banner starts at y 278.
        const QSize button = QImage(QStringLiteral(":/images/home-button")).size();
        QVERIFY(button.isValid());
        QVERIFY2(36 + button.width() < 542, "the two header buttons overlap");
        QVERIFY2(542 + button.width() <= 1080, "the pharmacies button passes the screen edge");
        QVERIFY2(14 + button.height() < 278, "the header buttons cover the top banner");
    }

    void promoButtonsLeaveRoomForText()
    {
        // The suggestions page stacks two promo buttons 334 px apart, the display
        // pages put one at y 1594; the text goes inside the promotional margins.
        const QSize button = QImage(QStringLiteral(":/images/promo-button")).size();
        QVERIFY(button.height() <= 1554 - 1220);
        QVERIFY(1594 + button.height() <= 1920);
        const QRect text = QRect(QPoint(0, 0), button) - QMargins(129, 26, 129, 71);
        QVERIFY2(text.width() >= 300 && text.height() >= 96, "no room for a button text");
    }

    void everyCompiledPictureIsUsable()
    {
        int images = 0;
        QDirIterator it(QStringLiteral(":/images"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QImage image(path);
            QVERIFY2(!image.isNull(), qPrintable(path));
            QVERIFY2(image.width() <= 1080 && image.height() <= 1920, qPrintable(path + " is larger than the screen"));
            ++images;
        }
        QVERIFY(images >= 20);
    }

    void iconsAreSquareAtTheSizesOfTheirPlaces()
    {
        // Buttons and combo items take 96 or 48 px icons, event-log entries 80 x 80.
        const QSet<int> sizes{48, 80, 96};
        int icons = 0;
        QDirIterator it(QStringLiteral(":/icons"), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QImage icon(path);
            QVERIFY2(!icon.isNull(), qPrintable(path));
            QVERIFY2(icon.width() == icon.height(), qPrintable(path + " is not square"));
            QVERIFY2(sizes.contains(icon.width()), qPrintable(path));
            if (path.startsWith(QLatin1String(":/icons/log/")) && !path.endsWith(QLatin1String("-small"))
                && path != QLatin1String(":/icons/log/all") && path != QLatin1String(":/icons/log/session"))
                QVERIFY2(icon.width() == 80, qPrintable(path + " does not fill its 80 x 80 label"));
            ++icons;
        }
        QVERIFY(icons >= 51);
    }

    void layoutZonesLieInsideTheirPictures()
    {
        const QJsonObject pictures = LookChecks::pictures();
        QVERIFY2(!pictures.isEmpty(), "layout.json missing");
        for (auto picture = pictures.begin(); picture != pictures.end(); ++picture) {
            const QImage image(QStringLiteral(":/images/") + picture.key());
            QVERIFY2(!image.isNull(), qPrintable(picture.key()));
            const QJsonObject zones = picture.value().toObject();
            for (auto zone = zones.begin(); zone != zones.end(); ++zone) {
                const QRect rect = LookChecks::zoneRect(zone.value().toObject());
                QVERIFY2(!rect.isEmpty() && image.rect().contains(rect),
                         qPrintable(picture.key() + QLatin1Char('/') + zone.key()));
            }
        }
    }

    void productThumbnailTileIsOpaqueWhereThePictureGoes()
    {
        // Thumbnails have transparent backgrounds: the tile under them must be
        // solid so products read the same in every state of the button.
        const QJsonObject base = LookChecks::pictures().value(QStringLiteral("product-button-base")).toObject();
        const QRect tile = LookChecks::zoneRect(base.value(QStringLiteral("thumbnail")).toObject()).adjusted(4, 4, -4, -4);
        for (const char* name : {"product-button-base", "product-button-base-empty", "product-button-base-error"}) {
            const QImage image = QImage(QStringLiteral(":/images/") + QLatin1String(name)).convertToFormat(QImage::Format_ARGB32);
            for (int y = tile.top(); y <= tile.bottom(); y += 7) {
                for (int x = tile.left(); x <= tile.right(); x += 7)
                    QVERIFY2(qAlpha(image.pixel(x, y)) == 255 && qGray(image.pixel(x, y)) > 200, name);
            }
        }
    }
};

QTEST_GUILESS_MAIN(PicturesTest)
#include "tst_pictures.moc"
