#include "inputrecords.h"

#include <QApplication>
#include <QFile>
#include <QGenericPluginFactory>
#include <QMouseEvent>
#include <QWidget>
#include <QtTest>

#include <memory>

using namespace InputRecords;

namespace {

struct Received
{
    QEvent::Type type;
    QPoint pos;
    Qt::MouseButton button;
};

// A full-screen page that notes every press and release it is given.
class TouchTarget : public QWidget
{
public:
    QList<Received> received;

    int count(QEvent::Type type) const
    {
        return int(std::count_if(received.cbegin(), received.cend(),
                                 [type](const Received& r) { return r.type == type; }));
    }

protected:
    void mousePressEvent(QMouseEvent* event) override { note(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { note(event); }

private:
    void note(QMouseEvent* event)
    {
        received.append({event->type(), event->globalPosition().toPoint(), event->button()});
    }
};

using Handler = std::unique_ptr<QObject>;

Handler createHandler(const QString& key, const QString& deviceString)
{
    return Handler(QGenericPluginFactory::create(key, deviceString));
}

} // namespace

// The plug-in as the window system loads it, on an offscreen portrait screen
// of 1080 x 1920.
class TouchevPluginTest : public QObject
{
    Q_OBJECT

private:
    TouchTarget* m_target = nullptr;

    bool touchAndWait(Fifo& fifo, bool down, const QPoint& raw)
    {
        const QEvent::Type type = down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease;
        const int before = m_target->count(type);
        if (!fifo.write(touch(down, raw.x(), raw.y())))
            return false;
        return QTest::qWaitFor([&] { return m_target->count(type) > before; });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QGenericPluginFactory::keys().contains(QStringLiteral("touchev")));
        m_target = new TouchTarget;
        m_target->setGeometry(0, 0, 1080, 1920);
        m_target->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_target));
        QCOMPARE(m_target->screen()->geometry(), QRect(0, 0, 1080, 1920));
        QCOMPARE(m_target->frameGeometry(), QRect(0, 0, 1080, 1920));
    }
    void cleanupTestCase() { delete m_target; }
    void init() { m_target->received.clear(); }

    void touchArrivesAtScreenPoint_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<QPoint>("raw");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("270 centre") << "" << QPoint(2048, 2048) << QPoint(539, 960);
        QTest::newRow("90 centre") << ":rot=90" << QPoint(2048, 2048) << QPoint(540, 959);
        QTest::newRow("270 near the bottom left") << "" << QPoint(4000, 4000) << QPoint(25, 1875);
        // The far edge maps one pixel past the screen; it stays on it.
        QTest::newRow("270 far corner") << "" << QPoint(4095, 4095) << QPoint(0, 1919);
        QTest::newRow("270 origin") << "" << QPoint(0, 0) << QPoint(1079, 0);
        QTest::newRow("90 origin") << ":rot=90" << QPoint(0, 0) << QPoint(0, 1919);
    }
    void touchArrivesAtScreenPoint()
    {
        QFETCH(QString, options);
        QFETCH(QPoint, raw);
        QFETCH(QPoint, expected);
        Fifo fifo;
        Handler handler = createHandler(QStringLiteral("touchev"), fifo.path() + ":limits=4095x4095" + options);
        QVERIFY(handler);
        QCOMPARE(handler->objectName(), QStringLiteral("Simple Evdev Mouse Handler"));
        QVERIFY(fifo.openWriter());

        QVERIFY(touchAndWait(fifo, true, raw));
        QVERIFY(touchAndWait(fifo, false, raw));
        QCOMPARE(m_target->received.size(), 2);
        QCOMPARE(m_target->received.at(0).type, QEvent::MouseButtonPress);
        QCOMPARE(m_target->received.at(0).button, Qt::LeftButton);
        QCOMPARE(m_target->received.at(0).pos, expected);
        QCOMPARE(m_target->received.at(1).type, QEvent::MouseButtonRelease);
        QCOMPARE(m_target->received.at(1).pos, expected);
    }

    void keyIsMatchedWithoutCase()
    {
        Fifo fifo;
        QVERIFY(createHandler(QStringLiteral("TouchEv"), fifo.path()));
        QVERIFY(!createHandler(QStringLiteral("touchevx"), fifo.path()));
    }

    // What the application does when the device node goes and comes back:
    // delete the handler, later create it again with the same device string.
    void closeAndReopen()
    {
        Fifo fifo;
        const QString deviceString = fifo.path() + ":limits=4095x4095";
        Handler handler = createHandler(QStringLiteral("touchev"), deviceString);
        QVERIFY(handler);
        QVERIFY(fifo.openWriter());
        QVERIFY(touchAndWait(fifo, true, QPoint(2048, 2048)));

        // The device goes away with the finger down: the press is ended.
        fifo.closeWriter();
        QTRY_COMPARE(m_target->count(QEvent::MouseButtonRelease), 1);
        handler.reset();

        handler = createHandler(QStringLiteral("touchev"), deviceString);
        QVERIFY(handler);
        QVERIFY(fifo.openWriter());
        QVERIFY(touchAndWait(fifo, true, QPoint(1000, 1000)));
        QCOMPARE(m_target->received.last().pos, QPoint(816, 468));

        // Closed by the application while touched: the press is ended too.
        handler.reset();
        QTRY_COMPARE(m_target->count(QEvent::MouseButtonRelease), 2);
        QCOMPARE(m_target->received.last().pos, QPoint(816, 468));
    }
};

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("portrait.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(R"({"windowFrameMargins": false, "screens": [{"name": "portrait", "x": 0, "y": 0, "width": 1080, "height": 1920,
                  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());

    QApplication app(argc, argv);
    QCoreApplication::addLibraryPath(QStringLiteral(TOUCHEV_PLUGIN_DIR));
    TouchevPluginTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_touchevplugin.moc"
