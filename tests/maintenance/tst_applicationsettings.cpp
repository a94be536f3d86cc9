// The settings page as an operator uses it: values typed on the pads reach
// the settings file, receipt rows are cut, a dynamic network keeps the
// static values already saved, the level-3 fields stay locked below level
// 3, and leaving with unsaved changes asks first. (The network test has a
// network of its own: tst_networktest.)

#include "input/numericeditfield.h"
#include "input/abstractnumpad.h"
#include "input/numpad.h"
#include "core/vm24.h"
#include "input/confirmationdialog.h"
#include "input/codeeditfield.h"
#include "input/ipeditfield.h"
#include "input/texteditfield.h"
#include "input/virtualkeyboard.h"
#include "input/virtualkey.h"
#include "maintenance/applicationsettings.h"
#include "recordingactivity.h"
#include "settings/networkinfo.h"
#include "logging/filenotifier.h"
#include "settings/settings.h"
#include "settings/settingsmanager.h"
#include "tasks/dailylogcompiler.h"
#include "tasks/machinestaterecorder.h"
#include "tasks/mailertask.h"
#include "testenvironment.h"
#include "ui/context.h"
#include "modaldialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QStackedWidget>
#include <QTimer>
#include <QTranslator>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

void save_screenshot(QWidget& widget, const QString& name)
{
    if (!qEnvironmentVariableIsEmpty("VM24_SCREENSHOT_DIR"))
        widget.grab().save(qEnvironmentVariable("VM24_SCREENSHOT_DIR") + QLatin1Char('/') + name + QStringLiteral(".png"));
}

void type_digits(AbstractNumPad* pad, const QString& digits)
{
    for (QChar digit : digits)
        pad->onDigitClicked(digit.digitValue());
}

} // namespace

class ApplicationSettingsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<QStackedWidget> m_views;
    std::unique_ptr<Context> m_context;
    std::unique_ptr<SettingsManager> m_manager;
    RecordingActivity* m_home = nullptr;
    ApplicationSettings* m_page = nullptr;

    void open(int level)
    {
        m_page->setUserLevel(level);
        m_context->startActivity(m_page);
        QCOMPARE(m_context->currentView(), m_page);
    }

    // Saves through the page and waits for the synchronisation behind its box.
    void save()
    {
        QSignalSpy saved(m_page, &ApplicationSettings::saved);
        m_page->saveSettings();
        QVERIFY(saved.count() > 0 || saved.wait(15000));
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

private slots:
    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        m_views = std::make_unique<QStackedWidget>();
        m_context = std::make_unique<Context>(m_views.get());
        m_manager = std::make_unique<SettingsManager>(nullptr);
        m_manager->setNetworkProfilePath(m_appDir->filePath(QStringLiteral("static_ethernet")));
        m_home = new RecordingActivity(m_context.get(), m_views.get());
        m_page = new ApplicationSettings(m_manager.get(), nullptr, nullptr, m_context.get(), m_views.get());
        m_context->addView(m_home);
        m_context->addView(m_page);
        m_views->resize(1080, 1920);
        m_views->show();
        m_context->startActivity(m_home);
    }

    void cleanup()
    {
        m_views.reset();
        m_context.reset();
        m_manager.reset();
        m_appDir.reset();
    }

    void typedValuesAreSaved()
    {
        {
            QSettings settings;
            settings.setValue(QStringLiteral("NetworkConfig/host-ip"), QStringLiteral("10.1.2.3"));
            settings.setValue(QStringLiteral("NetworkConfig/method"), QStringLiteral("dynamic"));
        }
        open(2);
        QVERIFY(!m_page->saveButton()->isEnabled());
        QVERIFY(!m_page->serialField()->isEnabled());
        QVERIFY(!m_page->supportEmailField()->isEnabled());
        QCOMPARE(m_page->shortWaitField()->text(), QStringLiteral("45 sec"));

        m_page->shortWaitField()->click();
        answer_open_dialog<NumPad>([](NumPad* pad) {
            pad->onDigitClicked(3);
            pad->onDigitClicked(0);
            pad->accept();
        });
        QVERIFY(m_page->saveButton()->isEnabled());
        m_page->receiptRowField(0)->click();
        answer_open_dialog<VirtualKeyboard>([](VirtualKeyboard* keyboard) {
            keyboard->setText(QString(30, QLatin1Char('r')));
            keyboard->accept();
        });
        m_page->userTextField()->click();
        answer_open_dialog<VirtualKeyboard>([](VirtualKeyboard* keyboard) {
            keyboard->shiftButton()->click();
            for (QChar c : QStringLiteral("farmacia"))
                keyboard->keyFor(c)->click();
            keyboard->enterButton()->click();
        });
        // A hopper offers the coins a hopper can hold and stores cents.
        QComboBox* hopper = m_page->hopperCombo(0);
        QStringList coins;
        for (int index = 0; index < hopper->count(); ++index)
            coins.append(hopper->itemText(index));
        QCOMPARE(coins, (QStringList{"-", "0,05", "0,10", "0,20", "0,50", "1,00", "2,00"}));
        hopper->setCurrentIndex(hopper->findText(QStringLiteral("0,50")));
        save();
        QVERIFY(!m_page->saveButton()->isEnabled());

        QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("short-wait")).toInt(), 30);
        QCOMPARE(settings.value(QStringLiteral("user-text")).toString(), QStringLiteral("FARMACIA"));
        QCOMPARE(settings.value(QStringLiteral("receipt-row-1")).toString(), QString(24, QLatin1Char('r')));
        QCOMPARE(settings.value(QStringLiteral("NetworkConfig/method")).toString(), QStringLiteral("dynamic"));
        QCOMPARE(settings.value(QStringLiteral("NetworkConfig/host-ip")).toString(), QStringLiteral("10.1.2.3"));
        QVERIFY(!settings.contains(QStringLiteral("NetworkConfig/gateway")));
        QCOMPARE(settings.value(QStringLiteral("Alarms/tamper")).toBool(), true);
        QCOMPARE(settings.value(QStringLiteral("hopper-value_1")).toInt(), 50);
        QCOMPARE(settings.value(QStringLiteral("hopper-value_2")).toInt(), 0);
    }

    void staticNetworkAndLevelThreeFields()
    {
        open(3);
        QVERIFY(m_page->serialField()->isEnabled());
        QVERIFY(m_page->supportEmailField()->isEnabled());
        m_page->methodCombo()->setCurrentIndex(m_page->methodCombo()->findData(QStringLiteral("static")));
        QVERIFY(m_page->hostIpField()->isEnabled());
        QCOMPARE(m_page->hostIpField()->inputText(), QStringLiteral("192.168.0.100"));
        // The serial has five digits: the pad takes no sixth.
        m_page->serialField()->click();
        answer_open_dialog<NumPad>([](NumPad* pad) {
            type_digits(pad, QStringLiteral("100000"));
            QCOMPARE(pad->text(), QStringLiteral("10000"));
            pad->clearText();
            type_digits(pad, QStringLiteral("99999"));
            QVERIFY(pad->enterButton()->isEnabled());
            pad->enterButton()->click();
        });
        QCOMPARE(m_page->serialField()->text(), QStringLiteral("99999"));
        QVERIFY(m_page->saveButton()->isEnabled());
        save();
        QSettings settings;
        QCOMPARE(settings.value(QStringLiteral("NetworkConfig/method")).toString(), QStringLiteral("static"));
        QCOMPARE(settings.value(QStringLiteral("NetworkConfig/host-ip")).toString(), QStringLiteral("192.168.0.100"));
        QCOMPARE(settings.value(QStringLiteral("advanced/serial")).toInt(), 99999);
        // The static profile and the network script follow the save.
        QVERIFY(QFile::exists(m_appDir->filePath(QStringLiteral("static_ethernet"))));
    }

    // A serial beyond five digits left by an older program is read as the
    // board reads it by everything that names the machine, and a save
    // through the page writes that one value back.
    void everyReaderSeesTheOneSerial()
    {
        QSettings().setValue(QStringLiteral("advanced/serial"), 123456);
        const QString spool = m_appDir->path();
        MailerTask mailer(spool, spool);
        FileNotifier notifier;
        DailyLogCompiler compiler(spool, nullptr);
        MachineStateRecorder recorder(nullptr, nullptr, nullptr, spool);
        {
            QSettings settings;
            mailer.loadConfiguration(settings);
            notifier.setSerial(Settings(settings).value(Settings::Serial));
            compiler.loadConfiguration(settings);
            recorder.loadConfiguration(settings);
        }
        QCOMPARE(TestEnvironment::readSerial(), 99999);
        QCOMPARE(mailer.serial(), 99999);
        QCOMPARE(notifier.serial(), 99999);
        QCOMPARE(compiler.serial(), 99999);
        QCOMPARE(recorder.serial(), 99999);

        open(3);
        QCOMPARE(m_page->serialField()->text(), QStringLiteral("99999"));
        save_screenshot(*m_views, QStringLiteral("settings-page-it"));
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/en")));
        QCoreApplication::installTranslator(&english);
        QCoreApplication::processEvents();
        QCOMPARE(m_page->serialField()->title(), QStringLiteral("Serial number"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
        save_screenshot(*m_views, QStringLiteral("settings-page-en"));
        QCoreApplication::removeTranslator(&english);
        QCoreApplication::processEvents();
        m_page->onEdit();
        save();
        QCOMPARE(QSettings().value(QStringLiteral("advanced/serial")).toInt(), 99999);
    }

    void leavingWithChangesAsksFirst()
    {
        open(1);
        m_page->shortWaitField()->setValue(20);
        m_page->onEdit();
        m_page->exitButton()->click();
        answer_open_dialog<ConfirmationDialog>([](ConfirmationDialog* dialog) { dialog->cancelButton()->click(); });
        QCOMPARE(m_context->currentActivity(), m_page);
        m_page->exitButton()->click();
        answer_open_dialog<ConfirmationDialog>([](ConfirmationDialog* dialog) { dialog->discardButton()->click(); });
        QCOMPARE(m_context->currentActivity(), m_home);
        QVERIFY(!QSettings().contains(QStringLiteral("short-wait")));

        open(1);
        m_page->shortWaitField()->setValue(20);
        m_page->onEdit();
        m_page->exitButton()->click();
        answer_open_dialog<ConfirmationDialog>([](ConfirmationDialog* dialog) { dialog->saveButton()->click(); });
        // The page ends once the settings are synchronised.
        QTRY_COMPARE_WITH_TIMEOUT(m_context->currentActivity(), m_home, 15000);
        QCOMPARE(QSettings().value(QStringLiteral("short-wait")).toInt(), 20);
    }

    void netmaskPrefixes()
    {
        QCOMPARE(VM24::netmask_to_cidr(QStringLiteral("255.255.240.0")), 20);
        QCOMPARE(VM24::netmask_to_cidr(QStringLiteral("255.255.255.0")), 24);
        QCOMPARE(VM24::netmask_to_cidr(QStringLiteral("0.0.0.0")), 0);
        QCOMPARE(VM24::netmask_to_cidr(QStringLiteral("255.255.255.255")), 32);
    }
};

QTEST_MAIN(ApplicationSettingsTest)
#include "tst_applicationsettings.moc"
