// The simulator's frame layer over a real pseudo-terminal: framing,
// refusals, resynchronisation, retransmissions and the injected line faults.

#include "simulatorbench.h"

#include <QFile>
#include <QJsonArray>
#include <QTest>

#include <memory>

class TestFrames : public QObject
{
    Q_OBJECT

private:
    bool startSimulator(const QJsonObject& state = QJsonObject(), const QStringList& arguments = QStringList())
    {
        m_bench = std::make_unique<SimulatorBench>();
        if (!m_bench->start(state, arguments))
            return false;
        m_sim = &m_bench->sim();
        m_wire = &m_bench->wire();
        return true;
    }

    int stock(int column) const { return m_bench->stock(column); }
    int linkCount(const char* key) const { return m_bench->linkCount(key); }
    QByteArray awaitOperation() { return m_bench->awaitOperation(); }

    static QJsonObject fastMotors(int stockOfColumn1)
    {
        return QJsonObject{{"columns", QJsonArray{stockOfColumn1}}, {"timings", SimulatorBench::fastTimings()}};
    }

    std::unique_ptr<SimulatorBench> m_bench;
    Rk710SimProcess* m_sim = nullptr;
    WireProbe* m_wire = nullptr;

private slots:
    void cleanup()
    {
        m_bench.reset();
    }

    void answersCarryTheRequestIdentifierAndAChecksum()
    {
        QVERIFY(startSimulator());
        QCOMPARE(WireProbe::frame(0x01, "A").toHex(' '), QByteArray("23 01 00 01 41 bc"));

        const WireProbe::Reply clear = m_wire->request("A");
        QCOMPARE(clear.kind, WireProbe::Reply::Answer);
        QCOMPARE(clear.raw.toHex(' '), QByteArray("06 01 00 00 fe"));

        const WireProbe::Reply inputs = m_wire->request("I");
        QCOMPARE(inputs.kind, WireProbe::Reply::Answer);
        QCOMPARE(inputs.identifier, quint8(0x21));
        QCOMPARE(inputs.data.size(), 4);

        // The counter wraps after eight requests: identifier 0x01 comes back
        // with other data and is a new request, not a retransmission.
        for (int i = 2; i < 8; ++i)
            QCOMPARE(m_wire->request("S").kind, WireProbe::Reply::Answer);
        QCOMPARE(m_wire->nextIdentifier(), quint8(0x01));
        const WireProbe::Reply ninth = m_wire->request("K");
        QCOMPARE(ninth.identifier, quint8(0x01));
        QCOMPARE(ninth.data.size(), 8);
        QCOMPARE(linkCount("executed"), 9);
        QCOMPARE(linkCount("retransmissions"), 0);

        QFile log(m_sim->requestLogPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray wire = log.readAll();
        QVERIFY(wire.contains(" rx 23 01 00 01 41 BC\n"));
        QVERIFY(wire.contains(" tx 06 01 00 00 FE\n"));
    }

    void aFullRequestLogMakesWayForTheNewestFrames()
    {
        QVERIFY(startSimulator(QJsonObject(), {QStringLiteral("--log-limit"), QStringLiteral("1")}));
        // Some five kilobytes of requests and answers through a log of one.
        for (int i = 0; i < 80; ++i)
            QCOMPARE(m_wire->request("S").kind, WireProbe::Reply::Answer);
        const QByteArray last = WireProbe::frame(m_wire->nextIdentifier(), "K").toHex(' ').toUpper();
        QCOMPARE(m_wire->request("K").kind, WireProbe::Reply::Answer);

        QFile log(m_sim->requestLogPath());
        QFile previous(m_sim->requestLogPath() + QStringLiteral(".1"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(previous.open(QIODevice::ReadOnly));
        QVERIFY2(log.size() <= 1024 && previous.size() <= 1024,
                 QByteArray::number(log.size()) + " and " + QByteArray::number(previous.size()));
        QVERIFY(previous.size() > 512);
        QVERIFY(log.readAll().contains(" rx " + last + "\n"));
        // The older file ends on a whole line; the newer starts on one.
        QVERIFY(previous.readAll().endsWith('\n'));
    }

    void refusesWhatItCannotTakeWithoutActing()
    {
        QVERIFY(startSimulator());
        QByteArray corrupted = WireProbe::frame(m_wire->nextIdentifier(), "E\x0F");
        corrupted[corrupted.size() - 1] = char(corrupted.back() ^ 0x01);
        m_wire->sendRaw(corrupted);
        QCOMPARE(m_wire->readReply(1000).kind, WireProbe::Reply::Nak);

        const QList<QByteArray> refused{"?", QByteArray("E"), QByteArray("E\x0F\x00", 3), "Q", "Y\x03",
                                        QByteArray("M\x03"), QByteArray("H\x03\x00\x64", 4), "T\x13",
                                        QByteArray("T\x00", 2)};
        for (const QByteArray& request : refused)
            QVERIFY2(m_wire->request(request).kind == WireProbe::Reply::Nak, request.toHex().constData());

        const QJsonObject state = m_sim->state();
        QCOMPARE(state.value("enables").toObject().value("coinAcceptor").toBool(), false);
        QCOMPARE(state.value("operation").toObject().value("state").toString(), QString("idle"));
        QCOMPARE(state.value("link").toObject().value("badFrames").toInt(), 1);
        QCOMPARE(state.value("link").toObject().value("executed").toInt(), 0);
    }

    void findsTheNextFrameAfterNoiseAndBrokenFrames()
    {
        QVERIFY(startSimulator());
        // A request purges the line before it writes: the simulator reads
        // the noise first.
        m_wire->sendRaw(QByteArray("\x00\x17garbage\xFF", 10));
        QTRY_COMPARE_WITH_TIMEOUT(linkCount("skippedBytes"), 10, 10000);
        QCOMPARE(m_wire->request("I").kind, WireProbe::Reply::Answer);

        // A frame cut short is abandoned after a pause (200 ms from the last
        // byte read); the next one counts.
        m_wire->sendRaw(WireProbe::frame(0x41, "C").left(3));
        QTest::qWait(1000);
        QCOMPARE(m_wire->request("C").kind, WireProbe::Reply::Answer);
        QCOMPARE(linkCount("badFrames"), 1);

        // A length no request has is not waited for.
        m_wire->sendRaw(QByteArray("\x23\x61\xFF\xFF", 4));
        QTRY_COMPARE_WITH_TIMEOUT(linkCount("badFrames"), 2, 10000);
        QCOMPARE(m_wire->request("S").kind, WireProbe::Reply::Answer);
    }

    void aRetransmittedMotorCommandMovesTheMotorOnce()
    {
        QVERIFY(startSimulator(fastMotors(2)));
        const quint8 identifier = m_wire->nextIdentifier();
        const WireProbe::Reply first = m_wire->request("T\x01");
        QCOMPARE(first.kind, WireProbe::Reply::Answer);
        const WireProbe::Reply again = m_wire->requestWithIdentifier(identifier, "T\x01");
        QCOMPARE(again.kind, WireProbe::Reply::Answer);
        QCOMPARE(again.raw, first.raw);

        const QByteArray done = awaitOperation();
        QCOMPARE(done.toHex(' '), QByteArray("54 01 01"));
        QCOMPARE(stock(1), 1);
        QCOMPARE(linkCount("retransmissions"), 1);

        // The same command under a new identifier is a new cycle.
        QCOMPARE(m_wire->request("T\x01").kind, WireProbe::Reply::Answer);
        QCOMPARE(awaitOperation().toHex(' '), QByteArray("54 01 01"));
        QCOMPARE(stock(1), 0);
    }

    void aRepeatedReadIsReadAgainAndALateRepeatIsNew()
    {
        QVERIFY(startSimulator(fastMotors(2)));
        const quint8 read = m_wire->nextIdentifier();
        const WireProbe::Reply closed = m_wire->request("I");
        QVERIFY(closed.data.size() == 4 && (closed.data.at(3) & 1));
        QCOMPARE(m_sim->control("door front open"), QString("ok"));
        const WireProbe::Reply open = m_wire->requestWithIdentifier(read, "I");
        QVERIFY(open.data.size() == 4 && !(open.data.at(3) & 1));

        QCOMPARE(m_sim->control("timing retransmitMs 200"), QString("ok"));
        const quint8 identifier = m_wire->nextIdentifier();
        QCOMPARE(m_wire->request("T\x01").kind, WireProbe::Reply::Answer);
        QTest::qWait(400);
        QCOMPARE(m_wire->requestWithIdentifier(identifier, "T\x01").kind, WireProbe::Reply::Answer);
        QCOMPARE(awaitOperation().toHex(' '), QByteArray("54 01 01"));
        QCOMPARE(stock(1), 0);
        QCOMPARE(linkCount("retransmissions"), 1);
    }

    void refusedAndDroppedAnswersAsConfigured()
    {
        QVERIFY(startSimulator(fastMotors(3)));
        QCOMPARE(m_sim->control("fault nak next 2"), QString("ok"));
        const quint8 identifier = m_wire->nextIdentifier();
        QCOMPARE(m_wire->request("T\x01").kind, WireProbe::Reply::Nak);
        QCOMPARE(m_wire->requestWithIdentifier(identifier, "T\x01").kind, WireProbe::Reply::Nak);
        QCOMPARE(m_wire->requestWithIdentifier(identifier, "T\x01").kind, WireProbe::Reply::Answer);
        QCOMPARE(awaitOperation().toHex(' '), QByteArray("54 01 01"));
        QCOMPARE(stock(1), 2);

        // An answer lost on the way: the command ran, the retransmission
        // only fetches the answer.
        QCOMPARE(m_sim->control("fault drop next 1"), QString("ok"));
        const quint8 dropped = m_wire->nextIdentifier();
        QCOMPARE(m_wire->request("T\x01", 300).kind, WireProbe::Reply::Nothing);
        QCOMPARE(m_wire->requestWithIdentifier(dropped, "T\x01").kind, WireProbe::Reply::Answer);
        QTRY_COMPARE_WITH_TIMEOUT(m_sim->state().value("operation").toObject().value("state").toString(),
                                  QStringLiteral("finished"), 10000);

        // A lost end-of-operation answer is repeated, not replaced by
        // "nothing running".
        QCOMPARE(m_sim->control("fault drop next 1"), QString("ok"));
        const quint8 poll = m_wire->nextIdentifier();
        QCOMPARE(m_wire->request("N", 300).kind, WireProbe::Reply::Nothing);
        const WireProbe::Reply result = m_wire->requestWithIdentifier(poll, "N");
        QCOMPARE(result.kind, WireProbe::Reply::Answer);
        QCOMPARE(result.data.toHex(' '), QByteArray("54 01 01"));
        QCOMPARE(stock(1), 1);
        QCOMPARE(linkCount("dropped"), 2);
        QCOMPARE(linkCount("naks"), 2);
    }

    void corruptedStrayAndLateAnswers()
    {
        QVERIFY(startSimulator());
        QCOMPARE(m_sim->control("fault corrupt next 1"), QString("ok"));
        const quint8 identifier = m_wire->nextIdentifier();
        QCOMPARE(m_wire->request("S").kind, WireProbe::Reply::BadChecksum);
        QCOMPARE(m_wire->requestWithIdentifier(identifier, "S").kind, WireProbe::Reply::Answer);

        QCOMPARE(m_sim->control("fault stray 6"), QString("ok"));
        const WireProbe::Reply stray = m_wire->request("I");
        QCOMPARE(stray.kind, WireProbe::Reply::Answer);
        QCOMPARE(stray.skipped.size(), 6);
        QVERIFY(!stray.skipped.contains('\x06') && !stray.skipped.contains('\x15'));

        QCOMPARE(m_sim->control("fault stray 0"), QString("ok"));
        QCOMPARE(m_sim->control("fault delay 300"), QString("ok"));
        const WireProbe::Reply late = m_wire->request("I");
        QCOMPARE(late.kind, WireProbe::Reply::Answer);
        QVERIFY2(late.elapsedMs >= 250, QByteArray::number(late.elapsedMs).constData());

        QCOMPARE(m_sim->control("fault clear"), QString("ok"));
        QCOMPARE(m_sim->control("fault noise 5"), QString("ok"));
        QCOMPARE(m_wire->drain(200).size(), 5);
    }

    void silenceAnswersNothing()
    {
        QVERIFY(startSimulator());
        QCOMPARE(m_sim->control("fault silence on"), QString("ok"));
        QCOMPARE(m_wire->request("I", 300).kind, WireProbe::Reply::Nothing);
        QCOMPARE(m_sim->control("fault silence off"), QString("ok"));
        QCOMPARE(m_wire->request("I").kind, WireProbe::Reply::Answer);

        QCOMPARE(m_sim->control("fault silence 400"), QString("ok"));
        QCOMPARE(m_wire->request("I", 200).kind, WireProbe::Reply::Nothing);
        QTest::qWait(300);
        QCOMPARE(m_wire->request("I").kind, WireProbe::Reply::Answer);
        QCOMPARE(linkCount("ignored"), 2);
    }

    void randomFaultsRepeatWithTheSeed()
    {
        auto pattern = [this](const char* seed) {
            QString kinds;
            if (!startSimulator(QJsonObject(), {QStringLiteral("--seed"), QLatin1String(seed)}))
                return QString("no simulator");
            m_sim->control("fault nak 0.5");
            for (int i = 0; i < 24; ++i)
                kinds += m_wire->request("I").kind == WireProbe::Reply::Nak ? 'N' : 'a';
            cleanup();
            return kinds;
        };
        const QString first = pattern("7");
        QVERIFY2(first.contains('N') && first.contains('a'), qPrintable(first));
        QCOMPARE(pattern("7"), first);
        QVERIFY(pattern("8") != first);
    }
};

QTEST_GUILESS_MAIN(TestFrames)
#include "tst_frames.moc"
