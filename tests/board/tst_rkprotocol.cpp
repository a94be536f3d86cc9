#include "board/rkprotocol.h"
#include "board/rkserialport.h"
#include "ptypeer.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <termios.h>
#include <unistd.h>

using rkprotocol::RkProtocol;

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int v : values)
        result.append(char(v));
    return result;
}

// A peer that answers the first frame with `fault` and every later one
// with the acknowledged answer "ok".
PtyPeer::Responder faultyThenGood(std::function<QByteArray(const PtyPeer::Frame&)> fault)
{
    auto count = std::make_shared<std::atomic<int>>(0);
    return [=](const PtyPeer::Frame& frame) {
        if ((*count)++ == 0)
            return fault(frame);
        return PtyPeer::answer(frame.identifier, QByteArray("ok"));
    };
}

// Redirects the error output into a file for the lifetime of the object.
class StderrCapture
{
public:
    StderrCapture()
    {
        m_file = m_dir.filePath("stderr.txt");
        fflush(stderr);
        m_saved = dup(STDERR_FILENO);
        FILE* f = fopen(m_file.toLocal8Bit().constData(), "w");
        dup2(fileno(f), STDERR_FILENO);
        fclose(f);
    }
    ~StderrCapture() { restore(); }
    QByteArray text()
    {
        restore();
        QFile file(m_file);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        fflush(stderr);
        dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
        m_saved = -1;
    }
    QTemporaryDir m_dir;
    QString m_file;
    int m_saved = -1;
};

} // namespace

class TestRkProtocol : public QObject
{
    Q_OBJECT

private:
    bool openOn(RkProtocol& protocol, PtyPeer& peer)
    {
        peer.start();
        return protocol.open(peer.slavePath().toLocal8Bit().constData(), 115200);
    }

    static bool send(RkProtocol& protocol, const QByteArray& request, QByteArray* reply = nullptr,
                     int attempts = 5, int timeout = 10)
    {
        char buffer[64];
        int length = sizeof buffer;
        const bool ok = protocol.sendCommand(reinterpret_cast<const quint8*>(request.constData()),
                                             int(request.size()), timeout, attempts, buffer, &length);
        if (reply)
            *reply = ok ? QByteArray(buffer, qMin(length, int(sizeof buffer))) : QByteArray();
        return ok;
    }

private slots:
    void requestFramesCarryCounterAndChecksum()
    {
        PtyPeer peer;
        peer.setResponder([](const PtyPeer::Frame& f) { return PtyPeer::answer(f.identifier, {}); });
        RkProtocol protocol;
        QVERIFY(openOn(protocol, peer));

        for (int i = 0; i < 10; ++i)
            QVERIFY(send(protocol, QByteArray("A")));

        const QList<PtyPeer::Frame> frames = peer.frames();
        QCOMPARE(frames.size(), 10);
        QCOMPARE(frames[0].raw, bytes({0x23, 0x01, 0x00, 0x01, 0x41, 0xBC}));
        QCOMPARE(frames[2].identifier, quint8(0x41));
        QCOMPARE(frames[8].identifier, quint8(0x01));
        QCOMPARE(frames[7].identifier, quint8(0xE1));
        for (const PtyPeer::Frame& frame : frames)
            QVERIFY(frame.checksumOk);
        QCOMPARE(protocol.sequence(), 10);
        QCOMPARE(protocol.errors(), 0);
        QByteArray all;
        for (const PtyPeer::Frame& frame : frames)
            all += frame.raw;
        QCOMPARE(peer.received(), all);
    }

    void answersAreDelivered()
    {
        PtyPeer peer;
        peer.setResponder([](const PtyPeer::Frame& f) {
            if (f.data == "empty")
                return PtyPeer::answer(f.identifier, {});
            if (f.data == "long")
                return PtyPeer::answer(f.identifier, QByteArray("0123456789"));
            if (f.data == "long-bad-tail") {
                QByteArray a = PtyPeer::answer(f.identifier, QByteArray("0123456789"));
                a[a.size() - 3] = 'X'; // beyond the caller's buffer
                return a;
            }
            return PtyPeer::answer(f.identifier, f.data + "!");
        });
        RkProtocol protocol;
        QVERIFY(openOn(protocol, peer));

        QByteArray reply;
        QVERIFY(send(protocol, QByteArray("\x01\x02hello", 7), &reply));
        QCOMPARE(reply, QByteArray("\x01\x02hello!", 8));

        // A zero-length answer is a success with nothing in it.
        QVERIFY(send(protocol, QByteArray("empty"), &reply));
        QCOMPARE(reply, QByteArray());

        // More than the buffer holds: the buffer is filled, the announced
        // length reported, the rest still checked.
        char buffer[8];
        memset(buffer, '#', sizeof buffer);
        int length = 4;
        QVERIFY(protocol.sendCommand(reinterpret_cast<const quint8*>("long"), 4, 10, 1, buffer, &length));
        QCOMPARE(length, 10);
        QCOMPARE(QByteArray(buffer, 8), QByteArray("0123####"));

        length = 4;
        QVERIFY(!protocol.sendCommand(reinterpret_cast<const quint8*>("long-bad-tail"), 13, 10, 1, buffer, &length));
        QCOMPARE(length, 10);

        // No reply wanted.
        QVERIFY(protocol.sendCommand(reinterpret_cast<const quint8*>("x"), 1, 10, 1, nullptr, nullptr));
    }

    void faultyAttemptIsRetriedWithSameIdentifier_data()
    {
        QTest::addColumn<int>("fault");
        QTest::newRow("nak") << 0;
        QTest::newRow("wrong identifier") << 1;
        QTest::newRow("bad checksum") << 2;
        QTest::newRow("truncated answer") << 3;
        QTest::newRow("missing checksum") << 4;
    }

    void faultyAttemptIsRetriedWithSameIdentifier()
    {
        QFETCH(int, fault);
        PtyPeer peer;
        peer.setResponder(faultyThenGood([fault](const PtyPeer::Frame& f) {
            QByteArray good = PtyPeer::answer(f.identifier, QByteArray("bad"));
            switch (fault) {
            case 0: return QByteArray(1, PtyPeer::NAK);
            case 1: return PtyPeer::answer(quint8(f.identifier + 0x20), QByteArray("bad"));
            case 2: good[good.size() - 1] = char(good[good.size() - 1] ^ 0x01); return good;
            case 3: return good.left(5);
            default: return good.left(good.size() - 1);
            }
        }));
        RkProtocol protocol;
        QVERIFY(openOn(protocol, peer));

        QElapsedTimer timer;
        timer.start();
        QByteArray reply;
        QVERIFY(send(protocol, QByteArray("q"), &reply));
        QCOMPARE(reply, QByteArray("ok"));
        const QList<PtyPeer::Frame> frames = peer.frames();
        QCOMPARE(frames.size(), 2);
        QCOMPARE(frames[0].identifier, quint8(0x01));
        QCOMPARE(frames[1].raw, frames[0].raw);
        QCOMPARE(protocol.sequence(), 1);
        QCOMPARE(protocol.errors(), 0);
        if (fault == 0)
            QVERIFY2(timer.elapsed() < 500, "a NAK ends the attempt at once");
    }

    // Only a request the board refused at every attempt is known not to have
    // run; one whose answers went missing or came back spoiled may have, and
    // so may one that succeeded only after such an attempt.
    void requestTellsWhetherTheBoardMayHaveAnsweredIntoTheVoid_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<bool>("succeeds");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<bool>("lost");
        QTest::newRow("nak every time") << "nnn" << false << true << false;
        QTest::newRow("nothing every time") << "sss" << false << false << true;
        QTest::newRow("lost, then refused") << "snn" << false << false << true;
        QTest::newRow("refused, then a bad checksum") << "nnc" << false << false << true;
        QTest::newRow("refused, then answered") << "nn" << true << false << false;
        QTest::newRow("lost, then answered") << "s" << true << false << true;
        QTest::newRow("bad checksum, then answered") << "nc" << true << false << true;
    }
    void requestTellsWhetherTheBoardMayHaveAnsweredIntoTheVoid()
    {
        QFETCH(QString, answers);
        QFETCH(bool, succeeds);
        QFETCH(bool, refused);
        QFETCH(bool, lost);
        PtyPeer peer;
        auto attempt = std::make_shared<std::atomic<int>>(0);
        peer.setResponder([=](const PtyPeer::Frame& f) {
            const int n = (*attempt)++;
            if (n >= answers.size())
                return PtyPeer::answer(f.identifier, QByteArray("ok"));
            QByteArray spoiled = PtyPeer::answer(f.identifier, QByteArray("ok"));
            spoiled[spoiled.size() - 1] = char(spoiled[spoiled.size() - 1] ^ 0x01);
            switch (answers.at(n).toLatin1()) {
            case 'n': return QByteArray(1, PtyPeer::NAK);
            case 'c': return spoiled;
            default: return QByteArray();
            }
        });
        RkProtocol protocol;
        QVERIFY(openOn(protocol, peer));
        QCOMPARE(send(protocol, QByteArray("q"), nullptr, 3, 2), succeeds);
        QCOMPARE(protocol.lastRequestRefused(), refused);
        QCOMPARE(protocol.lastRequestLostAnAnswer(), lost);
        QVERIFY(send(protocol, QByteArray("q")));
        QVERIFY(!protocol.lastRequestRefused());
        QVERIFY(!protocol.lastRequestLostAnAnswer());
    }

    void strayBytesBeforeAcknowledgementAreSkipped()
    {
        PtyPeer peer;
        peer.setResponder([](const PtyPeer::Frame& f) {
            return QByteArray("\x00\xff noise ", 9) + PtyPeer::answer(f.identifier, QByteArray("ok"));
        });
        RkProtocol protocol;
        QVERIFY(openOn(protocol, peer));
        QByteArray reply;
        QVERIFY(send(protocol, QByteArray("q"), &reply, 1));
        QCOMPARE(reply, QByteArray("ok"));
        QCOMPARE(peer.frameCount(), 1);
    }

    void staleAnswerIsPurgedBeforeRetransmission()
    {
        // The first attempt gets a NAK followed by a complete, valid answer;
        // the line is purged before the retransmission, so that answer must
        // never be taken for the reply.
        PtyPeer peer;
        peer.setResponder(faultyThenGood([](const PtyPeer::Frame& f) {
            return QByteArray(1, PtyPeer::NAK) + PtyPeer::answer(f.identifier, QByteArray("stale"));
        }));
        RkProtocol protocol;
        QVERIFY(openOn(protocol, peer));
        QByteArray reply;
        QVERIFY(send(protocol, QByteArray("q"), &reply));
        QCOMPARE(reply, QByteArray("ok"));
        QCOMPARE(peer.frameCount(), 2);
    }

    void silentBoardTimesOutPerAttemptAndCountsErrors()
    {
        PtyPeer peer;
        std::atomic<bool> silent{true};
        peer.setResponder([&](const PtyPeer::Frame& f) {
            return silent ? QByteArray() : PtyPeer::answer(f.identifier, {});
        });
        RkProtocol protocol;
        QVERIFY(openOn(protocol, peer));

        QElapsedTimer timer;
        timer.start();
        QVERIFY(!send(protocol, QByteArray("q"), nullptr, 2));
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed >= 1900 && elapsed < 5000, qPrintable(QString::number(elapsed)));
        QCOMPARE(peer.frameCount(), 2);
        QCOMPARE(peer.frames()[1].identifier, peer.frames()[0].identifier);
        QCOMPARE(protocol.errors(), 1);
        QCOMPARE(protocol.sequence(), 1);

        QVERIFY(!send(protocol, QByteArray("q"), nullptr, 1, 1));
        QVERIFY(!send(protocol, QByteArray("q"), nullptr, 1, 1));
        QCOMPARE(protocol.errors(), 3);

        silent = false;
        peer.clearRecords();
        QVERIFY(send(protocol, QByteArray("q")));
        QCOMPARE(protocol.errors(), 0);
        QCOMPARE(protocol.sequence(), 4);
        QCOMPARE(peer.frames()[0].identifier, quint8(0x61));
    }

    void degenerateArgumentsFailWithoutAnswer()
    {
        PtyPeer peer;
        peer.setResponder([](const PtyPeer::Frame& f) { return PtyPeer::answer(f.identifier, {}); });
        RkProtocol protocol;
        QVERIFY(openOn(protocol, peer));

        char buffer[4];
        QVERIFY(!protocol.sendCommand(reinterpret_cast<const quint8*>("q"), 1, 10, 3, buffer, nullptr));
        QCOMPARE(peer.frameCount(), 0);
        QCOMPARE(protocol.errors(), 1);

        QVERIFY(!protocol.sendCommand(reinterpret_cast<const quint8*>("q"), 1, 10, 0, nullptr, nullptr));
        QCOMPARE(protocol.errors(), 2);

        QVERIFY(!protocol.sendCommand(reinterpret_cast<const quint8*>("q"), 1, 0, 1, nullptr, nullptr));
        QCOMPARE(protocol.errors(), 3);
        QCOMPARE(protocol.sequence(), 3);
    }

    void closedPortFailsWithoutCounting()
    {
        RkProtocol closed;
        QVERIFY(!closed.isOpen());
        QVERIFY(!closed.sendCommand(reinterpret_cast<const quint8*>("q"), 1, 10, 5, nullptr, nullptr));
        QCOMPARE(closed.sequence(), 0);
        QCOMPARE(closed.errors(), 0);
        QVERIFY(closed.lastRequestRefused());

        QTemporaryDir dir;
        QFile regular(dir.filePath("not-a-tty"));
        QVERIFY(regular.open(QIODevice::WriteOnly));
        regular.close();

        StderrCapture capture;
        RkProtocol missing;
        QVERIFY(!missing.open(dir.filePath("no-such-device").toLocal8Bit().constData(), 115200));
        QVERIFY(!missing.open(regular.fileName().toLocal8Bit().constData(), 115200));
        const QByteArray text = capture.text();
        QCOMPARE(text.count("Failed to open serial port."), 2);
        QVERIFY(!missing.isOpen());
        QVERIFY(!missing.sendCommand(reinterpret_cast<const quint8*>("q"), 1, 10, 5, nullptr, nullptr));
        QCOMPARE(missing.errors(), 0);
    }

    void defaultsAndSetters()
    {
        RkProtocol protocol;
        QCOMPARE(protocol.timeout(), 10);
        QCOMPARE(protocol.maxRetransmissions(), 5);
        protocol.setTimeout(2050);
        protocol.setMaxRetransmissions(2);
        QCOMPARE(protocol.timeout(), 20);
        QCOMPARE(protocol.maxRetransmissions(), 2);
    }

    void portIsConfiguredRaw_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("dataBits");
        QTest::addColumn<int>("parity");
        QTest::addColumn<int>("stopBits");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("cflags");
        QTest::newRow("board line") << 115200 << 8 << 0 << 1 << int(B115200) << int(CS8);
        QTest::newRow("unknown baud") << 12345 << 9 << 0 << 0 << int(B115200) << int(CS8);
        QTest::newRow("9600 7O2") << 9600 << 7 << 2 << 2 << int(B9600) << int(CS7 | PARENB | PARODD | CSTOPB);
        QTest::newRow("1200 5E1") << 1200 << 5 << 1 << 1 << int(B1200) << int(CS5 | PARENB);
        QTest::newRow("57600 6E1") << 57600 << 6 << 7 << 1 << int(B57600) << int(CS6 | PARENB);
    }

    void portIsConfiguredRaw()
    {
        QFETCH(int, baud);
        QFETCH(int, dataBits);
        QFETCH(int, parity);
        QFETCH(int, stopBits);
        QFETCH(int, speed);
        QFETCH(int, cflags);
        const termios settings = RkSerialPortSettings(baud, dataBits, parity, stopBits);
        const tcflag_t framing = CSIZE | PARENB | PARODD | CSTOPB;
        QCOMPARE(int(settings.c_cflag & framing), cflags);
        QCOMPARE(int(settings.c_cflag & ~framing & ~CBAUD), int(CREAD | CLOCAL));
        QCOMPARE(int(settings.c_iflag), int(IGNPAR));
        QCOMPARE(int(settings.c_oflag), 0);
        QCOMPARE(int(settings.c_lflag), 0);

        // A pseudo-terminal keeps the speed, the line discipline and the read
        // timeout (it forces 8 data bits and no parity itself).
        PtyPeer peer;
        const int fd = RkSerialPortOpen(peer.slavePath().toLocal8Bit().constData(), baud, dataBits, parity, stopBits);
        QVERIFY(fd > 0);
        termios tio;
        QCOMPARE(tcgetattr(fd, &tio), 0);
        QCOMPARE(int(cfgetospeed(&tio)), speed);
        QCOMPARE(int(cfgetispeed(&tio)), speed);
        QVERIFY(tio.c_cflag & CREAD);
        QVERIFY(tio.c_cflag & CLOCAL);
        QVERIFY(!(tio.c_cflag & CRTSCTS));
        QCOMPARE(int(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN)), 0);
        QCOMPARE(int(tio.c_oflag & OPOST), 0);
        QCOMPARE(int(tio.c_iflag & (IXON | IXOFF | ICRNL)), 0);
        QVERIFY(tio.c_iflag & IGNPAR);
        QCOMPARE(int(tio.c_cc[VMIN]), 0);
        QCOMPARE(int(tio.c_cc[VTIME]), 1);
        RkSerialPortClose(fd);
    }

    void byteAndStringIo()
    {
        PtyPeer peer;
        peer.start();
        const int fd = RkSerialPortOpen(peer.slavePath().toLocal8Bit().constData(), 115200, 8, 0, 1);
        QVERIFY(fd > 0);

        QElapsedTimer timer;
        timer.start();
        QCOMPARE(RkSerialPortReadByte(fd), -1);
        QVERIFY(timer.elapsed() >= 80 && timer.elapsed() < 600);

        peer.inject(QByteArray("\xff", 1));
        QCOMPARE(RkSerialPortReadByte(fd), 255);

        peer.inject(QByteArray("line\nrest"));
        char line[16];
        QCOMPARE(RkSerialPortReadString(fd, line, sizeof line), 5);
        QCOMPARE(QByteArray(line), QByteArray("line\n"));
        QCOMPARE(RkSerialPortReadString(fd, line, 3), 2);
        QCOMPARE(QByteArray(line), QByteArray("re"));
        QCOMPARE(RkSerialPortReadString(fd, line, 1), -1);
        RkSerialPortPurge(fd);
        QCOMPARE(RkSerialPortReadByte(fd), -1);

        QCOMPARE(RkSerialPortWriteByte(fd, 0x123), 0x23);
        QCOMPARE(RkSerialPortWriteString(fd, "ab"), 2);
        QCOMPARE(RkSerialPortWriteString(fd, nullptr), -1);
        QCOMPARE(RkSerialPortWrite(fd, "\x00\x01", 2), 2);
        RkSerialPortFlush(fd);
        QTRY_COMPARE(peer.received(), QByteArray("#ab\x00\x01", 5));
        RkSerialPortClose(fd);
    }
};

QTEST_GUILESS_MAIN(TestRkProtocol)
#include "tst_rkprotocol.moc"
