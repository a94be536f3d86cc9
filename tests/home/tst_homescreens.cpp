#include "home/homepage.h"
#include "recordingactivity.h"
#include "settings/settings.h"
#include "testenvironment.h"
#include "ui/context.h"
#include "ui/custombannerpage.h"
#include "ui/openpharmaciespage.h"
#include "ui/pendingactivityqueue.h"
#include "ui/slideshowcontrol.h"
#include "ui/startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStackedWidget>
#include <QTranslator>
#include <QtTest>

// Renders the home page and its display pages at 1080 x 1920 with the real
// style sheet, in Italian and in English, keeps the pictures under
// tests/screens in the build tree and checks the fixed rectangles.
class HomeScreensTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void homePageColoursAndRectangles_data();
    void homePageColoursAndRectangles();
    void displayPages_data();
    void displayPages();

private:
    QImage render(const QString& language, const std::function<void(HomePage&, Context&)>& show,
                  const QString& name);

    QString m_screens;
    QTemporaryDir m_data;
};

void HomeScreensTest::initTestCase()
{
    QVERIFY(VM24::install_style_sheet(*qApp));
    m_screens = QCoreApplication::applicationDirPath() + QStringLiteral("/screens");
    QDir().mkpath(m_screens);
    QDir::setSearchPaths(QStringLiteral("data"), {m_data.path()});
    QDir().mkpath(m_data.filePath(QStringLiteral("user")));
    QFile message(m_data.filePath(QStringLiteral("user/messaggio.html")));
    QVERIFY(message.open(QIODevice::WriteOnly));
    message.write("<p>Siamo aperti dal luned&igrave; al sabato, 8:30 - 19:30.</p><p>Servizio di misurazione della pressione.</p>");
    message.close();
    QFile duty(m_data.filePath(QStringLiteral("user/turni.html")));
    QVERIFY(duty.open(QIODevice::WriteOnly));
    duty.write("<h2>Oggi</h2><p>Farmacia Centrale - Via Roma 1</p><p>Farmacia del Ponte - Piazza Cavour 4</p>");
}

QImage HomeScreensTest::render(const QString& language, const std::function<void(HomePage&, Context&)>& show,
                               const QString& name)
{
    TestEnvironment::ScopedAppDir appDir;
    QStackedWidget views;
    views.setFixedSize(1080, 1920);
    Context context(&views);
    PendingActivityQueue queue;
    RecordingActivity productPage(&context);
    QTranslator translator;
    QCoreApplication::installTranslator(&translator);
    HomePage home([&productPage] { return &productPage; }, &queue, nullptr, nullptr, translator, &context);
    context.addView(&home);
    QSettings settings;
    settings.setValue(QStringLiteral("default-language"), language);
    settings.setValue(QStringLiteral("user-text"), QStringLiteral("Farmacia Santa Chiara"));
    home.loadConfiguration(settings);
    views.show();
    context.startActivity(&home);
    show(home, context);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const QImage image = views.grab().toImage();
    image.save(QStringLiteral("%1/%2-%3.png").arg(m_screens, name, language));
    QCoreApplication::removeTranslator(&translator);
    return image;
}

void HomeScreensTest::homePageColoursAndRectangles_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("it") << QStringLiteral("it");
    QTest::newRow("en") << QStringLiteral("en");
}

void HomeScreensTest::homePageColoursAndRectangles()
{
    QFETCH(QString, language);
    const QImage image = render(language, [](HomePage&, Context&) {}, QStringLiteral("home"));
    QCOMPARE(image.size(), QSize(1080, 1920));

    const QColor fill(186, 41, 46);
    const QColor outline(112, 3, 11);
    for (const QRect& banner : {HomePage::INFO_RECTANGLE_TOP, HomePage::INFO_RECTANGLE_BOTTOM}) {
        QCOMPARE(banner.size(), QSize(959, 97));
        // Fill just inside the corners, outline on the edges, page outside.
        QCOMPARE(image.pixelColor(banner.left() + 6, banner.center().y()), fill);
        QCOMPARE(image.pixelColor(banner.right() - 6, banner.top() + 3), fill);
        QCOMPARE(image.pixelColor(banner.center().x(), banner.top()), outline);
        QCOMPARE(image.pixelColor(banner.center().x(), banner.bottom()), outline);
        QVERIFY(image.pixelColor(banner.left() - 2, banner.center().y()) != fill);
        // White text somewhere on the banner's middle line, never touching its ends.
        int whiteFrom = -1, whiteTo = -1;
        for (int x = banner.left(); x <= banner.right(); ++x) {
            for (int y = banner.top() + 20; y < banner.bottom() - 20; ++y) {
                if (image.pixelColor(x, y) == QColor(Qt::white)) {
                    whiteFrom = whiteFrom < 0 ? x : whiteFrom;
                    whiteTo = x;
                    break;
                }
            }
        }
        QVERIFY2(whiteFrom > banner.left() + 10 && whiteTo < banner.right() - 10, "banner text clipped or missing");
        QVERIFY(qAbs((whiteFrom + whiteTo) / 2 - banner.center().x()) < 6);
    }
}

void HomeScreensTest::displayPages_data()
{
    homePageColoursAndRectangles_data();
}

void HomeScreensTest::displayPages()
{
    QFETCH(QString, language);
    const QImage banner = render(language, [](HomePage& home, Context&) { home.showCustomBanner(); },
                                 QStringLiteral("custom-banner"));
    const QImage pharmacies = render(language, [](HomePage& home, Context&) { home.showOpenPharmacies(); },
                                     QStringLiteral("pharmacies"));
    // The back button is the same picture at the same place on both pages.
    const QRect back(212, 1594, 656, 260);
    QCOMPARE(banner.copy(back), pharmacies.copy(back));
    QVERIFY(banner.copy(0, 0, 1080, 1594) != pharmacies.copy(0, 0, 1080, 1594));
}

QTEST_MAIN(HomeScreensTest)
#include "tst_homescreens.moc"
