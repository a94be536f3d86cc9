#include "coordtransform.h"
#include "inputrecords.h"
#include "touchevmousehandler.h"

#include <QtTest>

#include <fcntl.h>
#include <memory>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

using namespace InputRecords;

namespace {

struct Reported
{
    QPoint pos;
    int buttons;
    bool operator==(const Reported& other) const { return pos == other.pos && buttons == other.buttons; }
};

char* toString(const Reported& r)
{
    return QTest::toString(QStringLiteral("(%1, %2) buttons %3").arg(r.pos.x()).arg(r.pos.y()).arg(r.buttons));
}

// Records what the handler would hand to the window system.
class RecordingHandler : public TouchevMouseHandler
{
public:
    using TouchevMouseHandler::TouchevMouseHandler;
    QList<Reported> reported;

protected:
    void mouseChanged(const QPoint& screenPos, int buttons) override { reported.append({screenPos, buttons}); }
};

// The read end goes to the handler, the test writes to the other.
struct Pipe
{
    int readEnd = -1;
    int writeEnd = -1;
    Pipe()
    {
        int fds[2];
        if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) == 0) {
            readEnd = fds[0];
            writeEnd = fds[1];
        }
    }
    ~Pipe() { closeWriter(); }
    bool write(const QByteArray& data) { return writeAll(writeEnd, data); }
    void closeWriter()
    {
        if (writeEnd >= 0)
            ::close(writeEnd);
        writeEnd = -1;
    }
};

const QSize PANEL(4095, 4095);

TouchevMouseHandler::CoordTransform* transform(int rotation, const QSize& limits)
{
    TouchevMouseHandler::CoordTransform* t = TouchevMouseHandler::CoordTransform::create(rotation);
    t->setHardwareLimits(limits);
    return t;
}

std::unique_ptr<RecordingHandler> handlerOn(int fd, bool compression = true, int jitterLimit = 0,
                                            const QSize& limits = PANEL)
{
    return std::make_unique<RecordingHandler>(QStringLiteral("touchev"), QStringLiteral("test"), fd,
                                              compression, jitterLimit, transform(270, limits));
}

// Rot270 on a 4095 x 4095 panel, for the expected screen points.
QPoint screen(int x, int y)
{
    TouchevMouseHandler::Rot270 panel;
    panel.setHardwareLimits(PANEL);
    return panel.apply(QPoint(x, y));
}

} // namespace

class TouchevMouseHandlerTest : public QObject
{
    Q_OBJECT

private slots:
    void deviceString_data()
    {
        QTest::addColumn<QString>("deviceString");
        QTest::addColumn<bool>("fromEnvironment");
        QTest::addColumn<bool>("compression");
        QTest::addColumn<int>("jitterLimit");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QSize>("limits");

        // "%1" stands for the device path.
        QTest::newRow("device only") << "%1" << false << true << 0 << 270 << QSize();
        QTest::newRow("empty, device from environment") << "" << true << true << 0 << 270 << QSize();
        QTest::newRow("options, device from environment")
            << ":nocompress:dejitter=7" << true << false << 7 << 270 << QSize();
        QTest::newRow("all options") << "%1:rot=90:grab=1:dejitter=3:limits=4095x4095:nocompress"
                                     << false << false << 3 << 90 << QSize(4096, 4096);
        QTest::newRow("rot=270") << "%1:rot=270" << false << true << 0 << 270 << QSize();
        QTest::newRow("other rotations mean 270") << "%1:rot=180" << false << true << 0 << 270 << QSize();
        QTest::newRow("bad numbers count 0") << "%1::dejitter=abc::rot=ninety:limits=axb"
                                             << false << true << 0 << 270 << QSize();
        QTest::newRow("case matters") << "%1:NoCompress:Rot=90" << false << true << 0 << 270 << QSize();
        QTest::newRow("unusable limits") << "%1:limits=0x4095" << false << true << 0 << 270 << QSize();
    }
    void deviceString()
    {
        QFETCH(QString, deviceString);
        QFETCH(bool, fromEnvironment);
        QFETCH(bool, compression);
        QFETCH(int, jitterLimit);
        QFETCH(int, rotation);
        QFETCH(QSize, limits);

        Fifo fifo;
        QVERIFY(fifo.isValid());
        const QByteArray previous = qgetenv("TSLIB_TSDEVICE");
        qputenv("TSLIB_TSDEVICE", fromEnvironment ? fifo.path().toLocal8Bit() : QByteArray("/nonexistent/ts"));
        std::unique_ptr<TouchevMouseHandler> handler(
            TouchevMouseHandler::create(QStringLiteral("touchev"), QString(deviceString).replace("%1", fifo.path())));
        qputenv("TSLIB_TSDEVICE", previous);

        QVERIFY(handler);
        QCOMPARE(handler->device(), fifo.path());
        QVERIFY(handler->fd() >= 0);
        QVERIFY(handler->isReading());
        QCOMPARE(handler->objectName(), QStringLiteral("Simple Evdev Mouse Handler"));
        QCOMPARE(handler->compression(), compression);
        QCOMPARE(handler->jitterLimit(), jitterLimit);
        const bool isRot90 = dynamic_cast<const TouchevMouseHandler::Rot90*>(handler->transform());
        QCOMPARE(isRot90, rotation == 90);
        QCOMPARE(handler->transform()->hasHardwareLimits(), limits.isValid());
        if (limits.isValid())
            QCOMPARE(handler->transform()->rawArea().size(), limits);
    }

    void unopenableDevice_data()
    {
        QTest::addColumn<QString>("deviceString");
        QTest::addColumn<QString>("warning");
        QTest::newRow("missing") << "/nonexistent/touch:rot=90"
                                 << "Cannot open mouse input device '/nonexistent/touch': No such file or directory";
        QTest::newRow("no device at all") << ":rot=90" << "Cannot open mouse input device '': No such file or directory";
    }
    void unopenableDevice()
    {
        QFETCH(QString, deviceString);
        QFETCH(QString, warning);
        const QByteArray previous = qgetenv("TSLIB_TSDEVICE");
        qunsetenv("TSLIB_TSDEVICE");
        QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        TouchevMouseHandler* handler = TouchevMouseHandler::create(QStringLiteral("touchev"), deviceString);
        if (!previous.isNull())
            qputenv("TSLIB_TSDEVICE", previous);
        QCOMPARE(handler, nullptr);
    }

    void batches_data()
    {
        QTest::addColumn<bool>("compression");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QList<Reported>>("expected");

        const QByteArray threeMoves = position(1000, 1000) + position(1100, 1000) + position(1200, 1100);
        QTest::newRow("three moves compressed") << true << threeMoves
                                                << QList<Reported>{{screen(1200, 1100), 0}};
        QTest::newRow("three moves uncompressed")
            << false << threeMoves
            << QList<Reported>{{screen(1000, 1000), 0}, {screen(1100, 1000), 0}, {screen(1200, 1100), 0}};

        // A touch is reported at once, also with compression and without a move.
        QTest::newRow("touch down in place") << true << touch(true, 0, 0) << QList<Reported>{{screen(0, 0), 1}};
        QTest::newRow("touch down, moves, up")
            << true << touch(true, 2000, 2000) + position(2100, 2000) + position(2200, 2000) + touch(false, 2200, 2000)
            << QList<Reported>{{screen(2000, 2000), 1}, {screen(2200, 2000), 0}};
        QTest::newRow("moves then touch down")
            << true << position(500, 500) + touch(true, 600, 600)
            << QList<Reported>{{screen(600, 600), 1}};
        QTest::newRow("touch down then moves compressed")
            << true << touch(true, 600, 600) + position(700, 700) + position(800, 800)
            << QList<Reported>{{screen(600, 600), 1}, {screen(800, 800), 1}};
        QTest::newRow("touch down then moves uncompressed")
            << false << touch(true, 600, 600) + position(700, 700) + position(800, 800)
            << QList<Reported>{{screen(600, 600), 1}, {screen(700, 700), 1}, {screen(800, 800), 1}};

        // Repeating the current position is no move.
        QTest::newRow("same position") << false << position(0, 0) + position(0, 0) << QList<Reported>{};
        QTest::newRow("no synchronisation yet") << false << record(EV_ABS, ABS_X, 300) << QList<Reported>{};
        // After the kernel dropped events, the rest of that report is
        // incomplete and skipped; reading goes on with the next one.
        QTest::newRow("dropped events")
            << false
            << record(EV_ABS, ABS_X, 300) + record(EV_SYN, SYN_DROPPED, 0) + touch(true, 400, 500) + position(600, 700)
            << QList<Reported>{{screen(600, 700), 0}};
        QTest::newRow("dropped events, then a touch")
            << true << record(EV_SYN, SYN_DROPPED, 0) + position(1, 2) + touch(true, 400, 500)
            << QList<Reported>{{screen(400, 500), 1}};
        QTest::newRow("other axes ignored")
            << false << record(EV_ABS, ABS_PRESSURE, 80) + record(EV_ABS, ABS_MT_POSITION_X, 9) + syncReport()
            << QList<Reported>{};
    }
    void batches()
    {
        QFETCH(bool, compression);
        QFETCH(QByteArray, input);
        QFETCH(QList<Reported>, expected);
        Pipe pipe;
        auto handler = handlerOn(pipe.readEnd, compression);
        QVERIFY(pipe.write(input));
        handler->readMouseData();
        QCOMPARE(handler->reported, expected);
    }

    void leftButtonKeys_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("isLeftButton");
        QTest::newRow("BTN_LEFT") << int(BTN_LEFT) << true;
        QTest::newRow("BTN_MIDDLE") << int(BTN_MIDDLE) << true;
        QTest::newRow("last mouse button 287") << 287 << true;
        QTest::newRow("BTN_TRIGGER 288") << int(BTN_TRIGGER) << true;
        QTest::newRow("BTN_TOUCH 330") << int(BTN_TOUCH) << true;
        QTest::newRow("289") << 289 << false;
        QTest::newRow("BTN_TOOL_FINGER") << int(BTN_TOOL_FINGER) << false;
        QTest::newRow("KEY_A") << int(KEY_A) << false;
        QTest::newRow("271") << 271 << false;
    }
    void leftButtonKeys()
    {
        QFETCH(int, code);
        QFETCH(bool, isLeftButton);
        Pipe pipe;
        auto handler = handlerOn(pipe.readEnd);
        QVERIFY(pipe.write(key(code, 1) + syncReport() + key(code, 0) + syncReport()));
        handler->readMouseData();
        const QList<Reported> expected = isLeftButton
            ? QList<Reported>{{screen(0, 0), 1}, {screen(0, 0), 0}}
            : QList<Reported>{};
        QCOMPARE(handler->reported, expected);
    }

    // With dejitter 5, a move must be longer than 5 raw units from the last
    // reported point to be reported.
    void dejitter_data()
    {
        QTest::addColumn<bool>("compression");
        QTest::addColumn<QPoint>("move");
        QTest::addColumn<bool>("reported");
        QTest::newRow("3, 4 is within") << true << QPoint(3, 4) << false;
        QTest::newRow("4, 4 is beyond") << true << QPoint(4, 4) << true;
        QTest::newRow("-5, 0 is within") << true << QPoint(-5, 0) << false;
        QTest::newRow("0, -6 is beyond") << true << QPoint(0, -6) << true;
        QTest::newRow("uncompressed ignores it") << false << QPoint(1, 0) << true;
    }
    void dejitter()
    {
        QFETCH(bool, compression);
        QFETCH(QPoint, move);
        QFETCH(bool, reported);
        Pipe pipe;
        auto handler = handlerOn(pipe.readEnd, compression, 5);
        QVERIFY(pipe.write(touch(true, 2000, 2000)));
        handler->readMouseData();
        QVERIFY(pipe.write(position(2000 + move.x(), 2000 + move.y())));
        handler->readMouseData();
        QCOMPARE(handler->reported.size(), reported ? 2 : 1);
        if (reported)
            QCOMPARE(handler->reported.last(), (Reported{screen(2000 + move.x(), 2000 + move.y()), 1}));
    }

    void dejitterMeasuresFromLastReport()
    {
        // Small steps add up: the third one leaves the radius around the
        // last reported point.
        Pipe pipe;
        auto handler = handlerOn(pipe.readEnd, true, 5);
        QVERIFY(pipe.write(touch(true, 2000, 2000)));
        handler->readMouseData();
        for (int x : {2002, 2004, 2006}) {
            QVERIFY(pipe.write(position(x, 2000)));
            handler->readMouseData();
        }
        QCOMPARE(handler->reported, (QList<Reported>{{screen(2000, 2000), 1}, {screen(2006, 2000), 1}}));
    }

    void relativeAxes()
    {
        // A device without absolute axes: identity mapping, and the position
        // stays on the screen however far the mouse goes.
        Pipe pipe;
        auto handler = handlerOn(pipe.readEnd, false, 0, QSize());
        QVERIFY(!handler->transform()->hasHardwareLimits());
        const QByteArray input = record(EV_REL, REL_X, 10) + record(EV_REL, REL_Y, 20) + syncReport()
            + record(EV_REL, REL_X, -50) + syncReport()
            + record(EV_REL, REL_Y, 5000) + syncReport()
            + record(EV_REL, REL_WHEEL, 1) + syncReport()
            + key(BTN_LEFT, 1) + record(EV_REL, REL_X, 7) + syncReport();
        QVERIFY(pipe.write(input));
        handler->readMouseData();
        QCOMPARE(handler->reported, (QList<Reported>{{QPoint(10, 20), 0},
                                                     {QPoint(0, 20), 0},
                                                     {QPoint(0, 1919), 0},
                                                     {QPoint(7, 1919), 1}}));
    }

    void partialRecords()
    {
        // A record split over two reads is put together, not dropped.
        Pipe pipe;
        auto handler = handlerOn(pipe.readEnd, false);
        const QByteArray input = touch(true, 1234, 2345);
        const int split = TouchevMouseHandler::RECORD_SIZE + 5;
        QVERIFY(pipe.write(input.left(split)));
        handler->readMouseData();
        QVERIFY(handler->reported.isEmpty());
        QVERIFY(pipe.write(input.mid(split)));
        handler->readMouseData();
        QCOMPARE(handler->reported, (QList<Reported>{{screen(1234, 2345), 1}}));
    }

    void reportSplitOverReads()
    {
        // Whole records, but the synchronisation record arrives with the
        // next read: the touch-down must still be reported.
        Pipe pipe;
        auto handler = handlerOn(pipe.readEnd);
        QVERIFY(pipe.write(key(BTN_TOUCH, 1) + record(EV_ABS, ABS_X, 800)));
        handler->readMouseData();
        QVERIFY(handler->reported.isEmpty());
        QVERIFY(pipe.write(record(EV_ABS, ABS_Y, 900) + syncReport()));
        handler->readMouseData();
        QCOMPARE(handler->reported, (QList<Reported>{{screen(800, 900), 1}}));
    }

    void moreThanOneBuffer()
    {
        // 40 reports of 3 records do not fit in one buffer of 64 records;
        // each read takes what fits and the rest follows.
        Pipe pipe;
        auto handler = handlerOn(pipe.readEnd, false);
        QByteArray input;
        for (int i = 1; i <= 40; ++i)
            input += position(i * 10, i * 20);
        QVERIFY(input.size() > TouchevMouseHandler::BUFFER_RECORDS * TouchevMouseHandler::RECORD_SIZE);
        QVERIFY(pipe.write(input));
        for (int read = 0; read < 3; ++read)
            handler->readMouseData();
        QCOMPARE(handler->reported.size(), 40);
        QCOMPARE(handler->reported.at(20).pos, screen(210, 420));
        QCOMPARE(handler->reported.last().pos, screen(400, 800));
    }

    void notifierDrivesReading()
    {
        Pipe pipe;
        auto handler = handlerOn(pipe.readEnd);
        QVERIFY(handler->isReading());
        QVERIFY(pipe.write(touch(true, 100, 200)));
        QTRY_COMPARE(handler->reported, (QList<Reported>{{screen(100, 200), 1}}));
    }

    void suspendAndResume()
    {
        Pipe pipe;
        auto handler = handlerOn(pipe.readEnd);
        QVERIFY(pipe.write(touch(true, 100, 200)));
        QTRY_COMPARE(handler->reported.size(), 1);

        handler->suspend();
        QVERIFY(!handler->isReading());
        QVERIFY(pipe.write(position(300, 400)));
        QTest::qWait(100);
        QCOMPARE(handler->reported.size(), 1);

        // Resuming re-reads the state: a pipe answers no axis query, so the
        // position is 0, 0 and the button is up; then the waiting move follows.
        handler->resume();
        QVERIFY(handler->isReading());
        QCOMPARE(handler->reported.at(1), (Reported{screen(0, 0), 0}));
        QTRY_COMPARE(handler->reported.size(), 3);
        QCOMPARE(handler->reported.at(2), (Reported{screen(300, 400), 0}));
    }

    void deviceEndsWhileTouched_data()
    {
        QTest::addColumn<bool>("throughNotifier");
        QTest::newRow("read called") << false;
        QTest::newRow("notifier") << true;
    }
    void deviceEndsWhileTouched()
    {
        QFETCH(bool, throughNotifier);
        Pipe pipe;
        auto handler = handlerOn(pipe.readEnd);
        QVERIFY(pipe.write(touch(true, 100, 200)));
        pipe.closeWriter();
        if (throughNotifier) {
            QTRY_COMPARE(handler->fd(), -1);
        } else {
            handler->readMouseData(); // the touch
            QVERIFY(handler->fd() >= 0);
            handler->readMouseData(); // the end
            QCOMPARE(handler->fd(), -1);
        }
        QVERIFY(!handler->isReading());
        // The finger is lifted for the window system.
        QCOMPARE(handler->reported, (QList<Reported>{{screen(100, 200), 1}, {screen(100, 200), 0}}));
        QCOMPARE(::fcntl(pipe.readEnd, F_GETFD), -1);

        handler->readMouseData();
        handler->suspend();
        handler->resume();
        QCOMPARE(handler->reported.size(), 2);
    }

    void terminalHangsUp()
    {
        // A pseudo-terminal whose other side closes is hung up and its reads
        // end: the handler stops just as for a vanished device.
        const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        QVERIFY(master >= 0);
        QVERIFY(::grantpt(master) == 0 && ::unlockpt(master) == 0);
        const int slave = ::open(::ptsname(master), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        QVERIFY(slave >= 0);
        termios raw = {};
        QVERIFY(::tcgetattr(slave, &raw) == 0);
        ::cfmakeraw(&raw);
        QVERIFY(::tcsetattr(slave, TCSANOW, &raw) == 0);

        auto handler = handlerOn(slave);
        QVERIFY(writeAll(master, touch(true, 4000, 100)));
        QTRY_COMPARE(handler->reported, (QList<Reported>{{screen(4000, 100), 1}}));
        ::close(master);
        QTRY_COMPARE(handler->fd(), -1);
        QCOMPARE(handler->reported.last(), (Reported{screen(4000, 100), 0}));
    }
};

QTEST_MAIN(TouchevMouseHandlerTest)
#include "tst_touchevmousehandler.moc"
