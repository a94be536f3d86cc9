// The simulator's control channel and state: the socket and its client, the
// standard-input channel, the input and status words following what was done
// to the machine, the start state, receipts, clock, serial adoption, reset.

#include "simulatorbench.h"
#include "builtprogram.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestControl : public QObject
{
    Q_OBJECT

private:
    QString control(const QString& command) { return m_bench.sim().control(command); }
    quint32 inputs() { return quint32(SimulatorBench::integer(m_bench.ask("I"), 0)); }
    quint32 status() { return quint32(SimulatorBench::integer(m_bench.ask("S"), 0)); }

    static int runClient(const QStringList& arguments, QByteArray* output, const QByteArray& input = QByteArray())
    {
        QProcess client;
        BuiltProgram::start(client, Rk710SimProcess::programPath(), arguments);
        client.write(input);
        client.closeWriteChannel();
        if (!client.waitForFinished(10000))
            return -1;
        *output = client.readAllStandardOutput();
        return client.exitStatus() == QProcess::NormalExit ? client.exitCode() : -1;
    }

    // Answers may have arrived while the socket was still writing: the lines
    // already buffered count before waiting for more.
    static QStringList readLines(QLocalSocket& socket, int count)
    {
        QStringList lines;
        for (;;) {
            while (socket.canReadLine())
                lines.append(QString::fromUtf8(socket.readLine()).trimmed());
            if (lines.size() >= count || !socket.waitForReadyRead(10000))
                return lines;
        }
    }

    SimulatorBench m_bench;

private slots:
    void socketAnswersEveryLineInOrder()
    {
        QVERIFY(m_bench.start());
        QLocalSocket socket;
        socket.connectToServer(m_bench.sim().controlPath());
        QVERIFY(socket.waitForConnected(10000));
        socket.write("key in\n\n# a comment\ncolumn 19 stock 1\nkey sideways\nmains off\n");
        const QStringList answers = readLines(socket, 4);
        QCOMPARE(answers, (QStringList{"ok", "error no column 19", "error usage: key in|out", "ok"}));
        // A line too long to take is refused once, up to its end, whether it
        // arrives whole or in parts.
        auto sendLongLine = [&socket](bool inParts) {
            const QByteArray line = QByteArray(200000, 'x') + "\nkey out\n";
            const int first = inParts ? 100000 : int(line.size());
            socket.write(line.left(first));
            socket.waitForBytesWritten(10000);
            QTest::qWait(inParts ? 300 : 0);
            socket.write(line.mid(first));
            return readLines(socket, 2);
        };
        QCOMPARE(sendLongLine(false), (QStringList{"error line too long", "ok"}));
        QCOMPARE(sendLongLine(true), (QStringList{"error line too long", "ok"}));

        QByteArray output;
        const QString path = m_bench.sim().controlPath();
        QCOMPARE(runClient({"--send", path, "temperature 41", "battery -5"}, &output), 0);
        QCOMPARE(output, QByteArray("ok\nok\n"));
        QCOMPARE(runClient({"--send", path, "temperature 300"}, &output), 1);
        QVERIFY(output.startsWith("error "));
        QCOMPARE(runClient({"--send", path}, &output, "button down\nstate\n"), 0);
        QVERIFY(output.startsWith("ok\nok {"));
        QCOMPARE(runClient({"--send", m_bench.sim().directory() + "/nobody.sock", "state", "--timeout", "500"}, &output),
                 2);

        const quint32 word = inputs();
        QVERIFY(!(word & (1u << 2)));
        QVERIFY(!(word & (1u << 7)));
        QVERIFY(word & (1u << 8));
        QCOMPARE(int((word >> 16) & 0xFF), 41);
        QCOMPARE(qint32(word) >> 24, -5);
    }

    void standardInputIsAControlChannelToo()
    {
        QTemporaryDir dir;
        QProcess sim;
        sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        BuiltProgram::start(sim, Rk710SimProcess::programPath(), {"--link", dir.filePath("tty")});
        QVERIFY(sim.waitForStarted(5000));
        sim.write("column 3 stock 2\nstate\nquit\n");
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 0);
        const QList<QByteArray> lines = sim.readAllStandardOutput().split('\n');
        QCOMPARE(lines.value(0), dir.filePath("tty").toLocal8Bit());
        QCOMPARE(lines.value(1), QByteArray("ok column 3 stock 2"));
        QVERIFY(lines.value(2).startsWith("ok {"));
        const QJsonObject state = QJsonDocument::fromJson(lines.value(2).mid(3)).object();
        QCOMPARE(state.value("presence").toInteger(), qint64(1) << 2);
        QCOMPARE(lines.value(3), QByteArray("ok bye"));
        QVERIFY(!QFile::exists(dir.filePath("tty"))); // the link goes with the simulator
    }

    void wordsFollowTheMachine()
    {
        QVERIFY(m_bench.start());
        const quint32 closed = inputs();
        QCOMPARE(closed & 0x1FFu, 0x8Bu); // doors closed, product door closed, mains
        QCOMPARE(control("door front open"), QString("ok"));
        QCOMPARE(control("door back open"), QString("ok"));
        QCOMPARE(inputs() & 0x3u, 0u);
        QVERIFY(!m_bench.ask("E\x08").isNull());
        QCOMPARE(control("card insert 500"), QString("ok card 1 balance 500"));
        QCOMPARE(inputs() & 0x30u, 0x30u);
        QCOMPARE(control("tray 2"), QString("ok tray 2"));
        QVERIFY(inputs() & (1u << 6));

        QCOMPARE(status() & 0x3Eu, 0x3Eu);
        QVERIFY(!(status() & (1u << 16)));
        for (const char* off : {"device coin-acceptor off", "device coin-changer off", "device bill-validator off",
                                "device cashless off", "device pos off"})
            QVERIFY(control(off).startsWith("ok"));
        QCOMPARE(status() & 0x3Eu, 0u);
        QCOMPARE(control("paper out"), QString("ok"));
        QVERIFY(status() & (1u << 16));
        QVERIFY(control("device toaster off").startsWith("error unknown device"));

        QVERIFY(!m_bench.ask(QByteArray("O\x01\x0C\x00", 4)).isNull());
        QVERIFY(!m_bench.ask(QByteArray("O\x00\x04\x00", 4)).isNull());
        QVERIFY(!m_bench.ask(QByteArray("U\x01\x32\x32\x00", 5)).isNull());
        QVERIFY(!m_bench.ask(QByteArray("L\x00", 2)).isNull());
        const QJsonObject state = m_bench.state();
        QCOMPARE(state.value("outputs").toInt(), 0x800);
        QCOMPARE(state.value("pwm").toArray(), (QJsonArray{1, 50, 50, 0}));
        QCOMPARE(state.value("power").toObject().value("emergency").toInt(), 1);
        QCOMPARE(state.value("inputs").toInteger(), qint64(inputs()));
        QCOMPARE(state.value("status").toInteger(), qint64(status()));
    }

    void startStateSetsUpTheMachine()
    {
        const QJsonObject start{{"columns", QJsonArray{3, QJsonObject{{"stock", 1}, {"jam", "hard"}}}},
                                {"hoppers", QJsonArray{QJsonObject{{"value", 100}, {"coins", 40}}}},
                                {"card", QJsonObject{{"present", true}, {"balance", 2500}, {"id", 7}}},
                                {"doors", QJsonObject{{"front", "open"}}},
                                {"serial", 4321}};
        QVERIFY(m_bench.start(start));
        const QByteArray mask = m_bench.ask("K");
        QCOMPARE(mask.toHex(' '), QByteArray("03 00 00 00 00 00 00 00"));
        QVERIFY(status() & (1u << 8));
        QVERIFY(!(inputs() & 1u));
        QCOMPARE(SimulatorBench::word(m_bench.ask(QByteArray("J\x01\x00\x00", 4)), 0), 100);
        const QJsonObject state = m_bench.state();
        QCOMPARE(state.value("card").toObject().value("balance").toInt(), 2500);
        QCOMPARE(state.value("columns").toArray().at(1).toObject().value("jam").toString(), QString("hard"));

        QTemporaryDir dir;
        QFile bad(dir.filePath("bad.json"));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("{\"columns\": [{\"jam\": \"sticky\"}]}");
        bad.close();
        QProcess sim;
        BuiltProgram::start(sim, Rk710SimProcess::programPath(), {"--state", bad.fileName(), "--no-stdin"});
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 2);
        QVERIFY(sim.readAllStandardError().contains("jam"));
    }

    void aSavedStateStartsTheSameMachine()
    {
        QVERIFY(m_bench.start());
        QVERIFY(!m_bench.ask("E\x0F").isNull());
        for (const char* action : {"column 7 stock 3", "column 2 jam hard", "hopper 1 fill", "tube 50 12",
                                   "card insert 12,34 77", "coin 200", "door back open", "tray 1", "key in", "mains off",
                                   "temperature 33", "battery 90", "device pos off", "paper 40", "timing motorMs 700"})
            QVERIFY2(control(action).startsWith("ok"), action);
        const QJsonObject saved = m_bench.state();

        SimulatorBench copy;
        QVERIFY(copy.start(saved));
        const QJsonObject restored = copy.state();
        for (const char* key : {"columns", "hoppers", "tubes", "card", "counters", "doors", "tray", "key", "mains",
                                "temperature", "battery", "devices", "status", "presence", "serial",
                                "timings", "versions", "versionBytes", "resetFlag"})
            QVERIFY2(restored.value(QLatin1String(key)) == saved.value(QLatin1String(key)), key);
        QCOMPARE(restored.value("printer").toObject().value("paperLines").toInt(), 40);
        // The card shows in the credit and the reader's input bit only once a
        // host enables the reader.
        QCOMPARE(restored.value("inputs").toInteger(), saved.value("inputs").toInteger() & ~qint64(0x20));
        QJsonObject credit = saved.value("credit").toObject();
        credit.insert("cashless", 0);
        credit.insert("cardId", -1);
        QCOMPARE(restored.value("credit").toObject(), credit);
    }

    void printedLinesBecomeReceipts()
    {
        QVERIFY(m_bench.start());
        QCOMPARE(m_bench.ask("P\x01SCONTRINO").toHex(), QByteArray("01"));
        QCOMPARE(m_bench.ask("P\x02Totale 1,50").toHex(), QByteArray("01"));
        QCOMPARE(m_bench.ask(QByteArray("P\x00", 2) + "Riga lunga che va a capo da sola").toHex(), QByteArray("01"));
        QVERIFY(!m_bench.ask("I").isNull()); // any other request ends the receipt

        QCOMPARE(control("receipts"),
                 QString("ok [[\"SCONTRINO\",\"Totale 1,50\",\"Riga lunga che va a capo da sola\"]]"));
        QFile log(m_bench.sim().receiptLogPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QByteArray text = log.readAll();
        QVERIFY(text.contains("\n  |       SCONTRINO        |\n"));
        QVERIFY(text.contains("\n  |             Totale 1,50|\n"));
        QVERIFY(text.contains("\n  |Riga lunga che va a capo|\n  | da sola                |\n"));

        QCOMPARE(control("paper 1"), QString("ok"));
        QCOMPARE(m_bench.ask("P\x03" "1").toHex(), QByteArray("01"));
        QCOMPARE(m_bench.ask("P\x03" "2").toHex(), QByteArray("00"));
        QVERIFY(status() & (1u << 16));
        QCOMPARE(control("paper in"), QString("ok"));
        QVERIFY(!(status() & (1u << 16)));
    }

    void clockSerialAndBoardReset()
    {
        QVERIFY(m_bench.start({{"timings", QJsonObject{{"watchdogMs", 1500}}}}));
        QElapsedTimer sinceSet;
        sinceSet.start();
        const QByteArray set = m_bench.ask(QByteArray("G\x1F\x03\x09\x0E\x05\x07\x07", 8));
        QCOMPARE(set.left(6).toHex(' '), QByteArray("1f 03 09 0e 05 07"));
        QCOMPARE(int(set.at(6)), 7); // a Sunday
        QTest::qWait(1100);
        const QByteArray read = m_bench.ask(QByteArray("G\x00\x00\x00\xFF\xFF\xFF\x00", 8));
        // The clock ran at least the wait and at most the whole exchange, however busy the machine.
        const qint64 mostSeconds = 7 + sinceSet.elapsed() / 1000;
        QCOMPARE(read.left(5).toHex(' '), QByteArray("1f 03 09 0e 05"));
        QVERIFY2(read.at(5) >= 8 && read.at(5) <= mostSeconds,
                 qPrintable(QStringLiteral("%1 s, at most %2").arg(int(read.at(5))).arg(mostSeconds)));

        QVERIFY(status() & 1u); // just powered up
        const QByteArray keep = m_bench.ask(QByteArray("V\x02\x01\x00\x00\x30\x39\x00\x00", 9));
        QCOMPARE(keep.toHex(' '), QByteArray("01 1b 00 00 00 00"));
        QVERIFY(!(status() & 1u));
        const QByteArray adopt = m_bench.ask(QByteArray("V\x02\x01\x00\x00\x30\x39\x01\x01", 9));
        QCOMPARE(SimulatorBench::integer(adopt, 2), 12345);

        // The watchdog, armed by the exchange, fires when the host goes quiet.
        QTRY_VERIFY_WITH_TIMEOUT(m_bench.state().value("watchdog").toObject().value("expired").toInt() >= 1, 10000);

        QVERIFY(!m_bench.ask("E\x0F").isNull());
        QCOMPARE(control("reset"), QString("ok board reset"));
        QVERIFY(status() & 1u);
        const QJsonObject state = m_bench.state();
        QCOMPARE(state.value("enables").toObject().value("coinAcceptor").toBool(), false);
        QCOMPARE(state.value("serial").toInt(), 12345);
        QCOMPARE(state.value("watchdog").toObject().value("enabled").toBool(), false);
    }
};

QTEST_GUILESS_MAIN(TestControl)
#include "tst_control.moc"
