#include "ui/scaledwindow.h"
#include "testenvironment.h"

#include <QDialog>
#include <QGraphicsProxyWidget>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

namespace {

const QSize SCREEN(1080, 1920);
const QColor PAGE(20, 40, 120);
const QColor TARGET(200, 30, 40);
const QColor DIALOG(250, 250, 250);
const QRect BUTTON(760, 1600, 240, 200);

// A portrait screen painted in one colour, with a button near its far corner.
class Page : public QWidget
{
public:
    Page()
        : button(new QPushButton(this))
    {
        setFixedSize(SCREEN);
        button->setGeometry(BUTTON);
        button->setStyleSheet(QStringLiteral("background: %1; border: none").arg(TARGET.name()));
    }

    QPushButton* button;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), PAGE); }
};

bool near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) <= 8 && qAbs(a.green() - b.green()) <= 8 && qAbs(a.blue() - b.blue()) <= 8;
}

} // namespace

class ScaledWindowTest : public QObject
{
    Q_OBJECT

private slots:
    // The screen comes out whole at the scaled size, with its parts in place,
    // and a touch at a scaled place reaches the widget drawn there.
    void showsTheWholeScreenScaledAndTouchesReachIt_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("half") << 0.5;
        QTest::newRow("three quarters") << 0.75;
        QTest::newRow("double") << 2.0;
    }

    void showsTheWholeScreenScaledAndTouchesReachIt()
    {
        QFETCH(qreal, scale);
        Page page;
        ScaledWindow window(&page, scale);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), (QSizeF(SCREEN) * scale).toSize());

        const QImage shown = window.grab().toImage();
        const auto at = [&](QPointF p) { return shown.pixelColor((p * scale).toPoint()); };
        QVERIFY(near(at(QPointF(4, 4)), PAGE));
        QVERIFY(near(at(QPointF(1074, 1914)), PAGE));
        QVERIFY(near(at(BUTTON.center()), TARGET));
        QVERIFY(near(at(QPointF(BUTTON.left() - 8, BUTTON.center().y())), PAGE));

        QSignalSpy clicked(page.button, &QPushButton::clicked);
        QTest::mouseClick(window.viewport(), Qt::LeftButton, {}, (QPointF(BUTTON.center()) * scale).toPoint());
        QCOMPARE(clicked.count(), 1);
        QTest::mouseClick(window.viewport(), Qt::LeftButton, {},
                          (QPointF(BUTTON.left() - 8, BUTTON.center().y()) * scale).toPoint());
        QCOMPARE(clicked.count(), 1);
    }

    // A dialog of a page shows inside the window, in the middle of the
    // screen, although the desktop's screen is smaller than the kiosk's.
    void dialogsShowInTheMiddleOfTheScreen()
    {
        QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().height() < SCREEN.height());
        Page page;
        ScaledWindow window(&page, 0.5);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QDialog dialog(page.button, Qt::Dialog | Qt::FramelessWindowHint);
        dialog.setFixedSize(600, 320);
        dialog.setStyleSheet(QStringLiteral("background: %1").arg(DIALOG.name()));
        dialog.show();
        QTRY_VERIFY(dialog.graphicsProxyWidget());
        QTRY_COMPARE(dialog.graphicsProxyWidget()->sceneBoundingRect().center().toPoint(),
                     QRect(QPoint(), SCREEN).center() + QPoint(1, 1));

        const QImage shown = window.grab().toImage();
        QVERIFY(near(shown.pixelColor(270, 480), DIALOG));
        QVERIFY(near(shown.pixelColor(270, 480 - 80 - 4), PAGE));
        QVERIFY(near(shown.pixelColor(270, 480 + 80 + 4), PAGE));
    }

    // The page is the caller's: the window hands it back when it goes.
    void theScreenOutlivesTheWindow()
    {
        Page page;
        {
            ScaledWindow window(&page, 0.5);
            window.show();
            QVERIFY(page.graphicsProxyWidget());
        }
        QVERIFY(!page.graphicsProxyWidget());
        QVERIFY(page.isWindow());
        QCOMPARE(page.size(), SCREEN);
    }
};

QTEST_MAIN(ScaledWindowTest)
#include "tst_scaledwindow.moc"
