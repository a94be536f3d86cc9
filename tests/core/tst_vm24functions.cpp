#include "core/systemactions.h"
#include "core/vm24.h"
#include "settings/settings.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <limits>

class Vm24FunctionsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Korvane"));
        QCoreApplication::setApplicationName(QStringLiteral("VM24"));
        Settings::configureLocation();
    }

    void moneyFormatting_data()
    {
        QTest::addColumn<int>("cents");
        QTest::addColumn<QString>("credit");
        QTest::newRow("zero") << 0 << "0,00";
        QTest::newRow("five cents") << 5 << "0,05";
        QTest::newRow("one euro") << 100 << "1,00";
        QTest::newRow("mixed") << 1234 << "12,34";
        QTest::newRow("large") << 123456 << "1234,56";
        QTest::newRow("negative") << -250 << "-2,50";
    }
    void moneyFormatting()
    {
        QFETCH(int, cents);
        QFETCH(QString, credit);
        QCOMPARE(VM24::format_credit(cents), credit);
        QCOMPARE(VM24::format_money(cents), QString(QChar(0x20AC)) + QLatin1Char(' ') + credit);
    }

    // Every int and every 64-bit total, the extremes included, reads as the
    // decimal digits of the amount with a comma before the last two.
    void moneyFormattingCoversEveryValue()
    {
        const auto byDigits = [](qint64 cents) {
            QString digits = QString::number(cents);
            const bool negative = digits.startsWith(QLatin1Char('-'));
            if (negative)
                digits.remove(0, 1);
            digits = digits.rightJustified(3, QLatin1Char('0'));
            digits.insert(digits.size() - 2, QLatin1Char(','));
            return negative ? QLatin1Char('-') + digits : digits;
        };
        QList<qint64> wide{std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::min() + 1,
                           std::numeric_limits<qint64>::max(), qint64(std::numeric_limits<int>::max()) + 1,
                           qint64(std::numeric_limits<int>::min()) - 1};
        QList<int> narrow{std::numeric_limits<int>::min(), std::numeric_limits<int>::min() + 1,
                          std::numeric_limits<int>::max(), std::numeric_limits<int>::max() - 1};
        for (int cents = -1000; cents <= 1000; ++cents)
            narrow.append(cents);
        QRandomGenerator random(24);
        for (int i = 0; i < 5000; ++i) {
            narrow.append(int(random.generate()));
            wide.append(qint64(random.generate64()));
        }
        for (int cents : std::as_const(narrow)) {
            QCOMPARE(VM24::format_credit(cents), byDigits(cents));
            QCOMPARE(VM24::format_money(cents), QString(QChar(0x20AC)) + QLatin1Char(' ') + byDigits(cents));
        }
        for (qint64 cents : std::as_const(wide))
            QCOMPARE(VM24::format_credit(cents), byDigits(cents));
        QCOMPARE(VM24::format_credit(std::numeric_limits<int>::min()), QStringLiteral("-21474836,48"));
        QCOMPARE(VM24::format_credit(std::numeric_limits<qint64>::min()), QStringLiteral("-92233720368547758,08"));
    }

    void moneyParsing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("cents");
        QTest::newRow("whole") << "12" << 1200;
        QTest::newRow("one digit fraction") << "12,5" << 1250;
        QTest::newRow("three digit fraction cut") << "12,345" << 1234;
        QTest::newRow("trailing comma") << "3," << 300;
        QTest::newRow("plain") << "3" << 300;
        QTest::newRow("seven cents") << "0,07" << 7;
        QTest::newRow("seventy cents") << "0,7" << 70;
        QTest::newRow("garbage whole") << "ab,50" << 50;
        QTest::newRow("garbage fraction") << "4,xy" << 400;
        QTest::newRow("empty") << "" << 0;
    }
    void moneyParsing()
    {
        QFETCH(QString, text);
        QFETCH(int, cents);
        QCOMPARE(VM24::read_money_amount(text), cents);
    }

    void boardDates()
    {
        const QDateTime stamp(QDate(2031, 3, 9), QTime(14, 5, 7));
        QCOMPARE(VM24::format_rk_date(stamp), QStringLiteral("20310309_140507"));
        QCOMPARE(VM24::read_rk_date(QStringLiteral("20310309_140507")), stamp);
        QVERIFY(!VM24::read_rk_date(QStringLiteral("2031-03-09")).isValid());
    }

    void serialNumbers()
    {
        QCOMPARE(VM24::format_serial(42), QStringLiteral("00042"));
        QCOMPARE(VM24::format_serial(123456), QStringLiteral("123456"));
        QCOMPARE(VM24::clamp_serial(-5), 0);
        QCOMPARE(VM24::clamp_serial(100000), 99999);
        QCOMPARE(VM24::clamp_serial(731), 731);
    }

    void environmentSwitches_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("expectedBool");
        QTest::addColumn<int>("expectedInt");
        QTest::newRow("one") << QByteArray("1") << true << 1;
        QTest::newRow("zero") << QByteArray("0") << false << 0;
        QTest::newRow("two") << QByteArray("2") << true << 2;
        QTest::newRow("word") << QByteArray("yes") << true << 77;
        QTest::newRow("empty") << QByteArray("") << true << 77;
        QTest::newRow("negative") << QByteArray("-3") << true << -3;
    }
    void environmentSwitches()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, expectedBool);
        QFETCH(int, expectedInt);
        qputenv("VM24_TEST_SWITCH", value);
        QCOMPARE(VM24::get_env_bool("VM24_TEST_SWITCH", true), expectedBool);
        QCOMPARE(VM24::get_env_int("VM24_TEST_SWITCH", 77), expectedInt);
        // The default really is what comes back for anything but 0 or 1.
        if (value != "0" && value != "1")
            QCOMPARE(VM24::get_env_bool("VM24_TEST_SWITCH", false), false);
        qunsetenv("VM24_TEST_SWITCH");
        QCOMPARE(VM24::get_env_bool("VM24_TEST_SWITCH", false), false);
        QCOMPARE(VM24::get_env_int("VM24_TEST_SWITCH", 5), 5);
    }

    void pathsFollowTheApplicationDirectory()
    {
        TestEnvironment::ScopedAppDir appDir;
        QCOMPARE(VM24::application_dir(), QDir(appDir.path()).absolutePath());
        QCOMPARE(VM24::get_path(QStringLiteral("data/../scripts/x.sh")), appDir.path() + QStringLiteral("/scripts/x.sh"));
        QCOMPARE(VM24::get_path(QStringLiteral("/etc/hostname")), QStringLiteral("/etc/hostname"));
        QSettings settings;
        QCOMPARE(settings.fileName(), appDir.filePath(QStringLiteral("Korvane/VM24.ini")));
    }

    void serialDevice()
    {
        const QByteArray saved = qgetenv("VM24_SERIAL_DEVICE");
        qunsetenv("VM24_SERIAL_DEVICE");
        QCOMPARE(VM24::serial_device_path(), QStringLiteral("/dev/ttyAMA0"));
        qputenv("VM24_SERIAL_DEVICE", "/tmp/board-link");
        QCOMPARE(VM24::serial_device_path(), QStringLiteral("/tmp/board-link"));
        qputenv("VM24_SERIAL_DEVICE", saved);
    }

    void temporaryDirectories()
    {
        const QString made = VM24::make_temp_dir("/tmp/vm24-tmp-XXXXXX");
        QVERIFY(!made.isEmpty());
        QVERIFY(QFileInfo(made).isDir());
        QVERIFY(QDir().rmdir(made));
        QVERIFY(VM24::make_temp_dir("/tmp/a-template-that-is-far-too-long-XXXXXX").isNull());
        QVERIFY(VM24::make_temp_dir("/nonexistent-dir/vm24-XXXXXX").isNull());
    }

    void boardAnswerStrings()
    {
        QCOMPARE(VM24::strip_version_string(" FW : 1.07 \r"), QByteArray("1.07"));
        QCOMPARE(VM24::strip_version_string("no separator"), QByteArray());
        QCOMPARE(VM24::strip_serial_number_string("BV:NV9:  123456 "), QByteArray("123456"));
        QCOMPARE(VM24::strip_serial_number_string("A:B:C:D"), QByteArray("D"));
        QCOMPARE(VM24::strip_serial_number_string("A:B"), QByteArray());
    }

    void platformScriptsAreRecordedNotRun()
    {
        TestEnvironment::ScopedAppDir appDir;
        const QString record = appDir.filePath(QStringLiteral("actions.log"));
        const QByteArray saved = qgetenv("VM24_SYSTEM_ACTIONS_RECORD");
        qputenv("VM24_SYSTEM_ACTIONS_RECORD", record.toLocal8Bit());

        VM24::change_hostname(42);
        VM24::set_system_date_time(QDateTime(QDate(2026, 12, 8), QTime(9, 30, 0)));
        VM24::set_system_date_time(QDateTime());  // invalid: nothing happens
        VM24::adjust_system_date_time(QDateTime(QDate(2026, 12, 8), QTime(9, 30, 0)));  // clock already set

        const QList<QStringList> actions = SystemActions::recordedActions();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions.at(0), (QStringList{appDir.path() + QStringLiteral("/change_hostname.sh"), QStringLiteral("vm24_00042")}));
        QCOMPARE(actions.at(1), (QStringList{appDir.path() + QStringLiteral("/set_system_time.sh"), QStringLiteral("2026-12-08 09:30:00")}));
        qputenv("VM24_SYSTEM_ACTIONS_RECORD", saved);
    }

    void systemActionsRunWhenNotRecording()
    {
        const QByteArray saved = qgetenv("VM24_SYSTEM_ACTIONS_RECORD");
        qunsetenv("VM24_SYSTEM_ACTIONS_RECORD");
        QByteArray output;
        QCOMPARE(SystemActions::run(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("echo hi; exit 3")}, &output), 3);
        QCOMPARE(output, QByteArray("hi\n"));
        QCOMPARE(SystemActions::run(QStringLiteral("/nonexistent/script.sh"), {}), -1);
        QCOMPARE(SystemActions::run(QStringLiteral("/bin/sleep"), {QStringLiteral("5")}, 200), -1);
        qputenv("VM24_SYSTEM_ACTIONS_RECORD", saved);
    }
};

QTEST_GUILESS_MAIN(Vm24FunctionsTest)
#include "tst_vm24functions.moc"
