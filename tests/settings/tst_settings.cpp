#include "settings/settings.h"

#include "core/alarm.h"
#include "core/vm24.h"
#include "testenvironment.h"

#include <QFile>
#include <QSet>
#include <QSettings>
#include <QtTest>

namespace {

// The value as the settings file holds it: times as "hh:mm".
QVariant stored_form(const SettingDefinition& row)
{
    if (row.type == QMetaType::fromType<QTime>())
        return row.fallback.toTime().toString(QStringLiteral("hh:mm"));
    return row.fallback;
}

// An empty default means "not set" (no server, the machine's own network
// test targets, no motor map): the rule need not take it.
bool is_unset(const QVariant& fallback)
{
    return (fallback.userType() == QMetaType::QString && fallback.toString().isEmpty())
        || (fallback.userType() == QMetaType::QStringList && fallback.toStringList().isEmpty());
}

QVariant read_as_row_type(const Settings& settings, int row, QMetaType type)
{
    if (type == QMetaType::fromType<int>())
        return settings.value(Setting<int>{row});
    if (type == QMetaType::fromType<bool>())
        return settings.value(Setting<bool>{row});
    if (type == QMetaType::fromType<qint64>())
        return settings.value(Setting<qint64>{row});
    if (type == QMetaType::fromType<QTime>())
        return settings.value(Setting<QTime>{row});
    if (type == QMetaType::fromType<QStringList>())
        return settings.value(Setting<QStringList>{row});
    return settings.value(Setting<QString>{row});
}

bool write_text(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    // Every row, the alarm switches among them: a key of its own that the
    // import finds, a default of the row's type that its rule takes and
    // that reads back the same from a file holding it.
    void everyRowHasAKeyARuleAndADefaultInRange()
    {
        TestEnvironment::ScopedAppDir appDir;
        const QList<SettingDefinition>& table = Settings::table();
        QCOMPARE(table.size(), int(SettingRows::FirstAlarmSwitch + std::size(VM24::ALARM_FLAGS)));
        QCOMPARE(SettingRule::all().size(), table.size());
        QSettings store(appDir.filePath(QStringLiteral("row.ini")), QSettings::IniFormat);
        QSet<QString> keys;
        for (int row = 0; row < table.size(); ++row) {
            const SettingDefinition& definition = table.at(row);
            const QString key = definition.rule.key;
            QVERIFY2(!key.isEmpty() && !key.endsWith(QLatin1Char('/')), qPrintable(QString::number(row)));
            QVERIFY2(!keys.contains(key), qPrintable(key));
            keys.insert(key);
            QCOMPARE(SettingRule::find(key), &SettingRule::all().at(row));
            QVERIFY2(definition.fallback.metaType() == definition.type, qPrintable(key));
            if (is_unset(definition.fallback))
                continue;
            const std::optional<QVariant> accepted = definition.rule.accept(stored_form(definition));
            QVERIFY2(accepted.has_value(), qPrintable(key + QStringLiteral(": default refused by its rule")));

            store.clear();
            store.setValue(key, *accepted);
            QVERIFY2(read_as_row_type(Settings(store), row, definition.type) == definition.fallback, qPrintable(key));
        }
        for (int flag : VM24::ALARM_FLAGS) {
            const Setting<bool> alarmSwitch = Settings::alarmSwitch(VM24::Alarm(flag));
            QCOMPARE(Settings::key(alarmSwitch),
                     QStringLiteral("Alarms/") + VM24::alarm_code(VM24::Alarm(flag)));
            QCOMPARE(Settings::defaultValue(alarmSwitch), true);
        }
    }

    void serialNumbersAreClampedOnReadAndWrite()
    {
        TestEnvironment::ScopedAppDir appDir;
        QCOMPARE(TestEnvironment::readSerial(), 0);
        TestEnvironment::writeSerial(-5);
        QCOMPARE(TestEnvironment::readSerial(), 0);
        TestEnvironment::writeSerial(100000);
        QCOMPARE(TestEnvironment::readSerial(), 99999);
        TestEnvironment::writeSerial(731);
        QCOMPARE(TestEnvironment::readSerial(), 731);
        // The value lands in the INI file under the application directory.
        QSettings file(Settings().fileName(), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("advanced/serial")).toInt(), 731);
        // A hand-edited value out of range is clamped when read.
        file.setValue(QStringLiteral("advanced/serial"), 250000);
        file.sync();
        QCOMPARE(TestEnvironment::readSerial(), 99999);
    }

    void scheduleTimes_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QTime>("expected");
        const QTime dflt(2, 0);
        QTest::newRow("absent") << QVariant() << dflt;
        QTest::newRow("valid") << QVariant(QStringLiteral("23:15")) << QTime(23, 15);
        QTest::newRow("midnight") << QVariant(QStringLiteral("00:00")) << QTime(0, 0);
        QTest::newRow("hour out of range") << QVariant(QStringLiteral("25:00")) << dflt;
        QTest::newRow("one hour digit") << QVariant(QStringLiteral("7:30")) << dflt;
        QTest::newRow("text") << QVariant(QStringLiteral("soon")) << dflt;
    }
    void scheduleTimes()
    {
        QFETCH(QVariant, stored);
        QFETCH(QTime, expected);
        TestEnvironment::ScopedAppDir appDir;
        QSettings settings;
        if (stored.isValid())
            settings.setValue(QStringLiteral("Schedule/ftp-transfer"), stored);
        QCOMPARE(Settings(settings).value(Settings::FtpTransferTime), expected);
    }

    // A settings file as a machine in the field holds it reads the values
    // it always did, and writing values back keeps the file's form.
    void aMachinesFileReadsAsBefore()
    {
        TestEnvironment::ScopedAppDir appDir;
        const QString path = appDir.filePath(QStringLiteral("machine.ini"));
        const QByteArray firstAlarm = VM24::alarm_code(VM24::Alarm(VM24::ALARM_FLAGS[0])).toLatin1();
        QVERIFY(write_text(path, "[General]\n"
                                 "default-language=en\n"
                                 "short-wait=30\n"
                                 "hopper-value_1=50\n"
                                 "use-optical-barrier=true\n"
                                 "motor-map=1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17\n"
                                 "receipt-row-1=Farmacia Aurora\n"
                                 "[Alarms]\n"
                                 "email=owner@example.org\n"
                                 + firstAlarm + "=false\n"
                                 "[FtpServer]\n"
                                 "port=2121\n"
                                 "[Schedule]\n"
                                 "ftp-transfer=03:30\n"
                                 "remote-update=25:00\n"
                                 "[UpdatesServer]\n"
                                 "max-list-bytes=-5\n"
                                 "max-content-bytes=2048\n"
                                 "[advanced]\n"
                                 "serial=123456\n"
                                 "[Products]\n"
                                 "selection_2=main/7\n"));
        QSettings store(path, QSettings::IniFormat);
        Settings settings(store);
        QCOMPARE(settings.value(Settings::DefaultLanguage), QStringLiteral("en"));
        QCOMPARE(settings.value(Settings::ShortWait), 30);
        QCOMPARE(settings.value(Settings::LongWait), 60);
        QCOMPARE(settings.value(Settings::HopperValue1), 50);
        QCOMPARE(settings.value(Settings::HopperValue2), 0);
        QCOMPARE(settings.value(Settings::UseOpticalBarrier), true);
        QCOMPARE(settings.value(Settings::MotorMap).size(), 18);
        QCOMPARE(settings.value(Settings::MotorMap).first().trimmed(), QStringLiteral("1"));
        QCOMPARE(settings.receiptRows(), QStringList({QStringLiteral("Farmacia Aurora"), QString(), QString()}));
        QCOMPARE(settings.value(Settings::AlarmsEmail), QStringLiteral("owner@example.org"));
        QCOMPARE(settings.value(Settings::FtpPort), 2121);
        QCOMPARE(settings.value(Settings::FtpTransferTime), QTime(3, 30));
        // A time that is not one, a cap that is not positive: their defaults.
        QCOMPARE(settings.value(Settings::RemoteUpdateTime), QTime(2, 0));
        QCOMPARE(settings.value(Settings::UpdatesMaxListBytes), 4LL * 1024 * 1024);
        QCOMPARE(settings.value(Settings::UpdatesMaxContentBytes), 2048LL);
        QCOMPARE(settings.value(Settings::Serial), 99999);
        QCOMPARE(settings.arrangement().value(2), QStringLiteral("main/7"));
        QCOMPARE(settings.arrangement().size(), 18);
        QVERIFY(!settings.contains(Settings::EvadtsDailyFile));
        QCOMPARE(settings.value(Settings::alarmSwitch(VM24::Alarm(VM24::ALARM_FLAGS[0]))), false);
        QCOMPARE(settings.value(Settings::alarmSwitch(VM24::Alarm(VM24::ALARM_FLAGS[1]))), true);

        settings.setValue(Settings::FtpTransferTime, QTime(4, 5));
        settings.setValue(Settings::Serial, -3);
        settings.setValue(Settings::NetworkNetmask, QStringLiteral("16"));
        QVERIFY(settings.sync());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.contains("ftp-transfer=04:05"), text.constData());
        QVERIFY2(text.contains("[advanced]\nserial=0"), text.constData());
        QVERIFY2(text.contains("netmask=16"), text.constData());
        QVERIFY2(text.contains(firstAlarm + "=false"), text.constData());
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
