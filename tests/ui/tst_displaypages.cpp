#include "core/vm24.h"
#include "recordingactivity.h"
#include "ui/brixoeventspage.h"
#include "ui/clickablearea.h"
#include "ui/clickableimagelabel.h"
#include "ui/context.h"
#include "ui/custombannerpage.h"
#include "ui/imagelabel.h"
#include "ui/openpharmaciespage.h"
#include "ui/slideshowcontrol.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

namespace {

void write_file(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

void write_picture(const QString& path, const QColor& color, const QSize& size = QSize(40, 30))
{
    QDir().mkpath(QFileInfo(path).path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    QVERIFY(image.save(path));
}

// Display pages over a home stand-in, with "data:" pointing at a fresh directory.
struct DisplayFixture
{
    QTemporaryDir data;
    QStackedWidget views;
    Context context{&views};
    RecordingActivity home{&context};

    DisplayFixture()
    {
        QDir::setSearchPaths(QStringLiteral("data"), {data.path()});
        context.addView(&home);
        context.startActivity(&home);
    }
    QString dataFile(const QString& name) const { return data.filePath(name); }
};

} // namespace

class DisplayPagesTest : public QObject
{
    Q_OBJECT

private slots:
    void pageGoesBackByItselfUnlessPaused();
    void customBannerShowsTheShopMessageAndKeepsItWhenTheFileGoes();
    void pharmaciesListScrollingKeepsThePageUp();
    void eventsPageShowsThePartnerPicture();
    void pictureWidgetsTakeTheSizeOfTheirPicture();
    void pressedButtonsShowTheOverlay();
    void slideshowListsPicturesByNameIgnoringCase();
    void emptySlideshowStartsWhenPicturesArrive();
    void slideshowAdvancesAndPaintsTheCurrentPicture();
};

void DisplayPagesTest::pageGoesBackByItselfUnlessPaused()
{
    DisplayFixture fixture;
    CustomBannerPage page(&fixture.context);
    fixture.context.addView(&page);
    QCOMPARE(page.backButton()->pos(), QPoint(212, 1594));
    QCOMPARE(page.contentWidget()->geometry(), QRect(0, 0, 1080, 1594));

    fixture.context.startActivity(&page);
    QVERIFY(page.isTimerRunning());
    QVERIFY(page.remainingTime() > 6000);
    QCOMPARE(fixture.views.currentWidget(), &page);

    // Something started over the page stops its timer; coming back restarts it.
    RecordingActivity other(&fixture.context);
    fixture.context.addView(&other);
    fixture.context.startActivity(&other);
    QVERIFY(!page.isTimerRunning());
    other.finish();
    QVERIFY(page.isTimerRunning());

    page.setTimeout(50);
    page.restoreTimer();
    QTRY_COMPARE(fixture.context.currentActivity(), &fixture.home);
    QCOMPARE(fixture.home.lastResult, ActivityResult::NO_RESULT);

    // The back button leaves at once.
    page.setTimeout(SimpleDisplayActivity::TIMEOUT_MS);
    fixture.context.startActivity(&page);
    QTest::mouseClick(page.backButton(), Qt::LeftButton);
    QCOMPARE(fixture.context.currentActivity(), &fixture.home);
    QVERIFY(!page.isTimerRunning());
}

void DisplayPagesTest::customBannerShowsTheShopMessageAndKeepsItWhenTheFileGoes()
{
    DisplayFixture fixture;
    CustomBannerPage page(&fixture.context);
    fixture.context.addView(&page);
    write_file(fixture.dataFile(QStringLiteral("user/messaggio.html")), "<b>Aperti</b> anche la domenica");

    fixture.context.startActivity(&page);
    QCOMPARE(page.messageText(), QStringLiteral("<b>Aperti</b> anche la domenica"));
    page.goBack();

    QFile::remove(fixture.dataFile(QStringLiteral("user/messaggio.html")));
    fixture.context.startActivity(&page);
    QCOMPARE(page.messageText(), QStringLiteral("<b>Aperti</b> anche la domenica"));
}

void DisplayPagesTest::pharmaciesListScrollingKeepsThePageUp()
{
    DisplayFixture fixture;
    OpenPharmaciesPage page(&fixture.context);
    fixture.context.addView(&page);
    fixture.views.resize(1080, 1920);
    fixture.views.show();
    QByteArray list = "<h1>Turni</h1>";
    for (int i = 0; i < 80; ++i)
        list += "<p>Farmacia numero " + QByteArray::number(i) + "</p>";
    write_file(fixture.dataFile(QStringLiteral("user/turni.html")), list);

    fixture.context.startActivity(&page);
    QVERIFY(page.textView()->toPlainText().contains(QStringLiteral("Farmacia numero 79")));
    QCOMPARE(page.textView()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    page.setTimeout(3000);
    page.restoreTimer();
    QTest::qWait(1500);
    QScrollBar* scrollBar = page.textView()->verticalScrollBar();
    QVERIFY(scrollBar->maximum() > 0);
    scrollBar->setValue(scrollBar->maximum() / 2);
    QVERIFY(page.remainingTime() > 2000);
    QCOMPARE(fixture.context.currentActivity(), &page);
    QTRY_COMPARE(fixture.context.currentActivity(), &fixture.home);
}

void DisplayPagesTest::eventsPageShowsThePartnerPicture()
{
    DisplayFixture fixture;
    BrixoEventsPage page(&fixture.context);
    fixture.context.addView(&page);
    fixture.context.startActivity(&page);
    QVERIFY(!page.hasPicture());
    page.goBack();

    write_picture(fixture.dataFile(QStringLiteral("brixo-events/brixo-events.jpg")), Qt::darkGreen);
    fixture.context.startActivity(&page);
    QVERIFY(page.hasPicture());
}

void DisplayPagesTest::pictureWidgetsTakeTheSizeOfTheirPicture()
{
    QPixmap picture(320, 120);
    picture.fill(Qt::blue);
    ImageLabel label(picture, QMargins(10, 10, 10, 10));
    QCOMPARE(label.size(), QSize(320, 120));
    QCOMPARE(label.minimumSize(), label.maximumSize());
    ClickableImageLabel button(picture, QMargins());
    QCOMPARE(button.size(), QSize(320, 120));
    QCOMPARE(button.downColor(), VM24::PRESSED_BUTTON_BRIGHT);
}

void DisplayPagesTest::pressedButtonsShowTheOverlay()
{
    QPixmap picture(200, 100);
    picture.fill(Qt::black);
    ClickableImageLabel button(picture, QMargins());
    button.setDownColor(QColor(255, 255, 255, 255));
    QCOMPARE(button.grab().toImage().pixelColor(100, 50), QColor(Qt::black));
    button.setDown(true);
    QCOMPARE(button.grab().toImage().pixelColor(100, 50), QColor(Qt::white));
    // The overlay has rounded corners.
    QCOMPARE(button.grab().toImage().pixelColor(0, 0), QColor(Qt::black));
    // A disabled button is faded.
    button.setDown(false);
    picture.fill(Qt::white);
    button.setPixmap(picture);
    button.setEnabled(false);
    QImage onBlack(button.size(), QImage::Format_RGB32);
    onBlack.fill(Qt::black);
    button.render(&onBlack, QPoint(), QRegion(), QWidget::DrawChildren);
    QVERIFY(onBlack.pixelColor(100, 50).lightness() < 200);

    QWidget parent;
    parent.resize(100, 100);
    parent.setStyleSheet(QStringLiteral("background: black"));
    ClickableArea area(&parent);
    area.setGeometry(0, 0, 100, 100);
    area.setDownColor(Qt::red);
    QCOMPARE(parent.grab().toImage().pixelColor(50, 50), QColor(Qt::black));
    area.setDown(true);
    QCOMPARE(parent.grab().toImage().pixelColor(50, 50), QColor(Qt::red));
}

void DisplayPagesTest::slideshowListsPicturesByNameIgnoringCase()
{
    QTemporaryDir media;
    write_picture(media.filePath(QStringLiteral("b.png")), Qt::red);
    write_picture(media.filePath(QStringLiteral("A.jpg")), Qt::green);
    write_file(media.filePath(QStringLiteral("c.png.txt")), "");
    write_picture(media.filePath(QStringLiteral("C.PNG")), Qt::blue);
    write_file(media.filePath(QStringLiteral("notes.txt")), "not a picture");
    write_picture(media.filePath(QStringLiteral("sub/d.png")), Qt::blue);

    SlideshowControl slideshow;
    slideshow.setDirectory(media.path());
    slideshow.loadSlideshow();
    QCOMPARE(slideshow.files(), QStringList({media.filePath(QStringLiteral("A.jpg")),
                                             media.filePath(QStringLiteral("b.png")),
                                             media.filePath(QStringLiteral("C.PNG"))}));
    QVERIFY(slideshow.testAttribute(Qt::WA_TransparentForMouseEvents));
}

void DisplayPagesTest::emptySlideshowStartsWhenPicturesArrive()
{
    QTemporaryDir media;
    SlideshowControl slideshow;
    slideshow.setDirectory(media.path());
    slideshow.resize(90, 120);
    slideshow.loadSlideshow();
    slideshow.show();
    QVERIFY(!slideshow.isPlaying());

    write_picture(media.filePath(QStringLiteral("1.png")), Qt::red);
    write_picture(media.filePath(QStringLiteral("2.png")), Qt::green);
    slideshow.onContentChanged(QStringLiteral("products"));
    QVERIFY(slideshow.files().isEmpty());
    slideshow.onContentChanged(QStringLiteral("media"));
    QCOMPARE(slideshow.files().size(), 2);
    QCOMPARE(slideshow.currentIndex(), 0);
    QVERIFY(slideshow.isPlaying());

    slideshow.hide();
    QVERIFY(!slideshow.isPlaying());
    slideshow.show();
    QVERIFY(slideshow.isPlaying());
}

void DisplayPagesTest::slideshowAdvancesAndPaintsTheCurrentPicture()
{
    QTemporaryDir media;
    write_picture(media.filePath(QStringLiteral("1.png")), Qt::red);
    write_picture(media.filePath(QStringLiteral("2.jpg")), Qt::blue, QSize(300, 10));
    SlideshowControl slideshow;
    slideshow.setDirectory(media.path());
    slideshow.setInterval(40);
    slideshow.resize(90, 120);
    slideshow.loadSlideshow();
    slideshow.show();

    QImage first = slideshow.grab().toImage();
    QCOMPARE(first.pixelColor(5, 5), QColor(Qt::red));
    QCOMPARE(first.pixelColor(85, 115), QColor(Qt::red));
    QTRY_COMPARE(slideshow.currentIndex(), 1);
    // Stretched over the whole widget whatever the picture's proportions.
    QImage second = slideshow.grab().toImage();
    QVERIFY(qAbs(second.pixelColor(85, 115).blue() - 255) < 8);
    QVERIFY(second.pixelColor(85, 115).red() < 8);
    QTRY_COMPARE(slideshow.currentIndex(), 0);
}

QTEST_MAIN(DisplayPagesTest)
#include "tst_displaypages.moc"
