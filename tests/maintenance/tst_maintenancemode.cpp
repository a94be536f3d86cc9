// Maintenance mode with real USB keys (real openssl, scripts and blkid on
// vfat images): the level a stick grants decides the menu, the menu starts
// the bound pages with that level, opening and closing reach the event log,
// a key's reset instructions run only from level 2, the stick must come out
// at the end, and an operator's key programs a blank stick.

#include "core/durablefile.h"
#include "core/systemactions.h"
#include "core/vm24.h"
#include "logging/notificationservice.h"
#include "maintenance/maintenancemenu.h"
#include "maintenance/maintenancemode.h"
#include "maintenance/resetdialog.h"
#include "maintenance/securitydialog.h"
#include "notificationlog.h"
#include "recordingactivity.h"
#include "security/securitykey.h"
#include "security/usbmonitor.h"
#include "testenvironment.h"
#include "ui/context.h"
#include "ui/menuactivity.h"
#include "ui/taskwatcherdialog.h"
#include "ui/yesnodialog.h"
#include "updates/updateauthenticator.h"
#include "heldblkid.h"
#include "toolrun.h"
#include "usbkeyrig.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTimer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

const QString STICK = QStringLiteral("sdz1");
const QString STICK_ID = QStringLiteral("2b3c4d5e");
const QString BLANK = QStringLiteral("sdy1");
const QString BLANK_ID = QStringLiteral("6f7a8b9c");

// Writes down the texts of information notifications.
class InfoLog : public NotificationLog
{
public:
    QStringList infos;
    void visit(const VM24::InfoNotification* n) override { infos.append(n->message()); }
};

class LevelPage : public MenuActivity
{
public:
    using MenuActivity::MenuActivity;
    void onStart() override
    {
        MenuActivity::onStart();
        startedAtLevel.append(userLevel());
    }
    QList<int> startedAtLevel;
};

// Runs action once, as soon as predicate holds, from the event loop of
// whatever modal box is up then. Gives up after timeoutMs.
// The watch ends with its owner: one left armed by a test that never met
// its condition must not act in the next test.
void act_when(QObject* owner, std::function<bool()> predicate, std::function<void()> action, int timeoutMs = 20000)
{
    auto* timer = new QTimer(owner);
    auto started = std::make_shared<QElapsedTimer>();
    started->start();
    QObject::connect(timer, &QTimer::timeout, [timer, predicate, action, started, timeoutMs] {
        if (predicate()) {
            timer->stop();
            timer->deleteLater();
            action();
        } else if (started->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            qWarning("act_when: condition never met");
        }
    });
    timer->start(50);
}

bool write_all(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

QByteArray read_all(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString modal_text()
{
    auto* box = qobject_cast<MessageDialog*>(QApplication::activeModalWidget());
    return box ? box->text() : QString();
}

// The mode's boxes are gone: what they stood for is done (the test's
// watches answer and close the ones that ask).
void settle()
{
    QTRY_VERIFY_WITH_TIMEOUT(!qobject_cast<MessageDialog*>(QApplication::activeModalWidget()), 30000);
}

} // namespace

class MaintenanceModeTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<UsbKeyRig> m_rig;
    std::unique_ptr<QWidget> m_window;
    QStackedWidget* m_views = nullptr;
    std::unique_ptr<Context> m_context;
    std::unique_ptr<RecordingActivity> m_home;
    std::unique_ptr<VM24::NotificationService> m_notifications;
    InfoLog m_log;
    UsbMonitor* m_usb = nullptr;
    MaintenanceMode* m_mode = nullptr;
    qsizetype m_actionsBefore = 0;

    void insert(const QString& device, const QString& id, int level)
    {
        QVERIFY(!m_rig->makeStick(device, id).isEmpty());
        if (level > 1)
            QVERIFY(m_rig->makeKey(device, id, level));
        m_usb->onDirectoryChanged();
        QVERIFY(m_usb->isUsbInserted());
    }

    // When the box asking to remove the stick comes up, takes the stick out.
    void removeWhenAsked(const QString& device)
    {
        act_when(m_window.get(), [] { return modal_text() == QStringLiteral("Rimuovere il dispositivo USB per continuare"); },
                 [this, device] { m_rig->removeStick(device); });
    }

    // Takes the stick out keeping what it holds; back() puts it in again.
    void park(const QString& device)
    {
        QVERIFY(QDir().rename(m_rig->stickPath(device), m_appDir->filePath(QStringLiteral("parked"))));
    }
    void unpark(const QString& device)
    {
        QVERIFY(QDir().rename(m_appDir->filePath(QStringLiteral("parked")), m_rig->stickPath(device)));
    }

    QStringList umounts() const
    {
        QStringList paths;
        for (const QStringList& action : SystemActions::recordedActions().mid(m_actionsBefore)) {
            if (action.value(0) == QStringLiteral("umount"))
                paths.append(action.value(1));
        }
        return paths;
    }

private slots:
    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        m_actionsBefore = SystemActions::recordedActions().size();
        m_rig = std::make_unique<UsbKeyRig>(m_appDir->path());
        QVERIFY2(m_rig->isValid(), qPrintable(m_rig->error()));
        m_window = std::make_unique<QWidget>();
        m_window->resize(1080, 1920);
        m_views = new QStackedWidget(m_window.get());
        m_context = std::make_unique<Context>(m_views);
        m_home = std::make_unique<RecordingActivity>(m_context.get());
        m_context->addView(m_home.get());
        m_notifications = std::make_unique<VM24::NotificationService>();
        m_log.infos.clear();
        m_notifications->addHandler(&m_log);
        m_usb = new UsbMonitor(m_window.get());
        m_mode = new MaintenanceMode(m_usb, m_notifications.get(), m_context.get(), m_window.get());
        m_window->show();
        m_context->startActivity(m_home.get());
    }

    void cleanup()
    {
        m_home.reset();
        m_window.reset();
        m_context.reset();
        m_notifications.reset();
        m_rig.reset();
        m_appDir.reset();
    }

    void menuEntriesFollowTheLevel()
    {
        MaintenanceMenu* menu = m_mode->menu();
        const auto shown = [menu](int entry) { return !menu->entryButton(entry)->isHidden(); };
        menu->setUserLevel(0);
        QCOMPARE(menu->levelLabel()->text(), QStringLiteral("Nessuna chiave USB inserita"));
        QVERIFY(!shown(6) && !shown(8) && !shown(9));
        QVERIFY(shown(0) && shown(3) && shown(7));
        menu->setUserLevel(1);
        QCOMPARE(menu->levelLabel()->text(), QStringLiteral("Utente livello 1"));
        QVERIFY(!shown(6) && shown(8) && shown(9));
        menu->setUserLevel(2);
        QVERIFY(shown(6) && shown(8) && shown(9));
        // Entries without a page are there but cannot be pressed.
        QVERIFY(!menu->entryButton(0)->isEnabled());
        LevelPage page(m_context.get());
        m_mode->bindActivity(MaintenanceMenuEntry::Accounting, &page);
        QVERIFY(menu->entryButton(2)->isEnabled());
    }

    void supportRequestAndRestart()
    {
        // A stand-in for the mail script writes down its arguments and input.
        const QString script = m_appDir->filePath(QStringLiteral("smtp_send.py"));
        const QString record = m_appDir->filePath(QStringLiteral("mail.txt"));
        {
            QFile file(script);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/mail.txt\"\n"
                       "printf 'stdin:' >> \"$(dirname \"$0\")/mail.txt\"\ncat >> \"$(dirname \"$0\")/mail.txt\"\n");
        }
        QVERIFY(QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QSettings().setValue(QStringLiteral("advanced/serial"), 42);
        QSettings().setValue(QStringLiteral("advanced/support-email"), QStringLiteral(" help@example.org "));
        MaintenanceMenu* menu = m_mode->menu();
        act_when(m_window.get(), [] { return qobject_cast<YesNoDialog*>(QApplication::activeModalWidget()); },
                 [] { qobject_cast<YesNoDialog*>(QApplication::activeModalWidget())->yesButton()->click(); });
        menu->supportButton()->click();
        settle();
        QCOMPARE(m_log.lines, QStringList{QStringLiteral("support-request")});
        const auto mail = [record] {
            QFile file(record);
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QTRY_VERIFY_WITH_TIMEOUT(mail().contains("stdin:00042 "), 10000);
        const QStringList lines = QString::fromUtf8(mail()).split(QLatin1Char('\n'));
        QCOMPARE(lines.mid(0, 10), (QStringList{QStringLiteral("-"), QStringLiteral("vm24@korvane.it"),
                                                QStringLiteral("help@example.org"), QStringLiteral("smtp://smtp.korvane.it:587"),
                                                QStringLiteral("vm24@korvane.it"), QStringLiteral("-S"),
                                                QStringLiteral("VM24 00042 - Richiesta assistenza"), QStringLiteral("-q"),
                                                QStringLiteral("-s"), QStringLiteral("plain")}));

        QSignalSpy quit(m_mode, &MaintenanceMode::quitRequested);
        menu->restartButton()->click();
        QCOMPARE(quit.count(), 1);
    }

    void levelTwoKeyOpensTheMenuAndTheStickMustGo()
    {
        LevelPage settingsPage(m_context.get());
        m_context->addView(&settingsPage);
        // The page is built when its entry is first chosen, and only then.
        int built = 0;
        m_mode->bindActivity(MaintenanceMenuEntry::Settings, [&settingsPage, &built]() -> MenuActivity* {
            ++built;
            return &settingsPage;
        });
        insert(STICK, STICK_ID, 2);

        m_context->startActivity(m_mode);

        settle();
        MaintenanceMenu* menu = m_mode->menu();
        QVERIFY(menu->isVisible());
        QCOMPARE(menu->levelLabel()->text(), QStringLiteral("Utente livello 2"));
        QVERIFY(!menu->entryButton(MaintenanceMenuEntry::KeyGeneration)->isHidden());
        QCOMPARE(m_log.infos, QStringList{QStringLiteral("Apertura menu di manutenzione (livello 2)")});

        QVERIFY(menu->entryButton(MaintenanceMenuEntry::Settings)->isEnabled());
        QCOMPARE(built, 0);
        menu->entryButton(MaintenanceMenuEntry::Settings)->click();
        QCOMPARE(settingsPage.startedAtLevel, QList<int>{2});
        QVERIFY(!menu->isVisible());
        QCOMPARE(m_context->currentView(), &settingsPage);
        settingsPage.finish();
        QVERIFY(menu->isVisible());
        menu->entryButton(MaintenanceMenuEntry::Settings)->click();
        QCOMPARE(settingsPage.startedAtLevel, (QList<int>{2, 2}));
        QCOMPARE(built, 1);
        settingsPage.finish();

        QVERIFY(umounts().isEmpty());
        removeWhenAsked(STICK);
        menu->exitButton()->click();
        settle();
        QCOMPARE(m_context->currentActivity(), m_home.get());
        QCOMPARE(m_log.infos.last(), QStringLiteral("Chiusura menu di manutenzione"));
        QCOMPARE(umounts(), QStringList{m_rig->stickPath(STICK)});
        QVERIFY(!m_usb->isUsbInserted());
        QCOMPARE(m_usb->userLevel(), -1);
    }

    void withoutAStickTheMenuOpensAtLevelZero()
    {
        m_context->startActivity(m_mode);
        settle();
        QCOMPARE(m_mode->menu()->levelLabel()->text(), QStringLiteral("Nessuna chiave USB inserita"));
        QCOMPARE(m_log.infos, QStringList{QStringLiteral("Apertura menu di manutenzione (livello 0)")});
        m_mode->menu()->exitButton()->click();
        settle();
        QCOMPARE(m_context->depth(), 1);
        QVERIFY(umounts().isEmpty());
    }

    void resetInstructionsRunOnlyFromLevelTwo_data()
    {
        QTest::addColumn<int>("level");
        QTest::newRow("level 1") << 1;
        QTest::newRow("level 2") << 2;
    }
    void resetInstructionsRunOnlyFromLevelTwo()
    {
        QFETCH(int, level);
        QSettings().setValue(QStringLiteral("max-credit"), 7000);
        insert(STICK, STICK_ID, level);
        const QString resetFile = m_rig->stickPath(STICK) + QStringLiteral("/VM24/soft_reset.txt");
        QVERIFY(QDir().mkpath(m_rig->stickPath(STICK) + QStringLiteral("/VM24")));
        {
            QFile file(resetFile);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("SETTINGS\nONCE\n");
        }
        QSignalSpy quit(m_mode, &MaintenanceMode::quitRequested);
        bool askedToRestart = false;
        bool renamed = false;
        act_when(m_window.get(), [] { return qobject_cast<ResetDialog*>(QApplication::activeModalWidget()) && modal_text().startsWith(QStringLiteral("Attendere il riavvio")); },
                 [&askedToRestart, &renamed, resetFile] {
                     askedToRestart = true;
                     renamed = !QFile::exists(resetFile) && QFile::exists(resetFile + QStringLiteral(".once"));
                     auto* dialog = qobject_cast<ResetDialog*>(QApplication::activeModalWidget());
                     QTest::mouseClick(dialog, Qt::LeftButton);
                 });
        if (level > 1)
            removeWhenAsked(STICK);
        m_context->startActivity(m_mode);
        settle();

        if (level == 1) {
            QVERIFY(m_mode->menu()->isVisible());
            QCOMPARE(m_mode->menu()->levelLabel()->text(), QStringLiteral("Utente livello 1"));
            QVERIFY(QFile::exists(resetFile));
            QCOMPARE(QSettings().value(QStringLiteral("max-credit")).toInt(), 7000);
            QCOMPARE(quit.count(), 0);
            QVERIFY(!askedToRestart);
            removeWhenAsked(STICK);
            m_mode->menu()->exitButton()->click();
            settle();
        } else {
            QVERIFY(askedToRestart);
            QVERIFY(renamed);
            QCOMPARE(quit.count(), 1);
            QVERIFY(!QSettings().contains(QStringLiteral("max-credit")));
            QVERIFY(m_log.infos.isEmpty());
            QVERIFY(!m_mode->menu()->isVisible());
        }
        QCOMPARE(m_context->currentActivity(), m_home.get());
        QVERIFY(!m_usb->isUsbInserted());
    }

    // A "once" file runs at its first insertion only, whether an older
    // ".once" file is in the way of its new name or a directory is (then the
    // machine remembers it).
    void onceInstructionsRunOnce_data()
    {
        QTest::addColumn<bool>("renamable");
        QTest::newRow("older .once file") << true;
        QTest::newRow(".once name taken by a directory") << false;
    }
    void onceInstructionsRunOnce()
    {
        QFETCH(bool, renamable);
        insert(STICK, STICK_ID, 2);
        const QString dir = m_rig->stickPath(STICK) + QStringLiteral("/VM24");
        const QString resetFile = dir + QStringLiteral("/soft_reset.txt");
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(write_all(resetFile, "settings\nonce\n"));
        if (renamable)
            QVERIFY(write_all(resetFile + QStringLiteral(".once"), "getenv\nonce\n"));
        else
            QVERIFY(QDir().mkpath(resetFile + QStringLiteral(".once/held")));
        QSignalSpy quit(m_mode, &MaintenanceMode::quitRequested);
        for (int insertion = 1; insertion <= 2; ++insertion) {
            QSettings().setValue(QStringLiteral("max-credit"), 7000 + insertion);
            int resets = 0;
            act_when(m_window.get(), [] { return qobject_cast<ResetDialog*>(QApplication::activeModalWidget())
                                             && modal_text().startsWith(QStringLiteral("Attendere il riavvio")); },
                     [&resets] {
                         ++resets;
                         QTest::mouseClick(QApplication::activeModalWidget(), Qt::LeftButton);
                     });
            act_when(m_window.get(), [] { return modal_text() == QStringLiteral("Rimuovere il dispositivo USB per continuare"); },
                     [this] { park(STICK); });
            m_context->startActivity(m_mode);
            settle();
            if (insertion == 1) {
                QCOMPARE(resets, 1);
                QCOMPARE(quit.count(), 1);
                QVERIFY(!QSettings().contains(QStringLiteral("max-credit")));
            } else {
                QVERIFY(m_mode->menu()->isVisible());
                QCOMPARE(m_mode->menu()->levelLabel()->text(), QStringLiteral("Utente livello 2"));
                QCOMPARE(resets, 0);
                QCOMPARE(quit.count(), 1);
                QCOMPARE(QSettings().value(QStringLiteral("max-credit")).toInt(), 7002);
                m_mode->menu()->exitButton()->click();
                settle();
            }
            QCOMPARE(m_context->currentActivity(), m_home.get());
            QTRY_VERIFY(!m_usb->isUsbInserted());
            unpark(STICK);
            QTRY_VERIFY(m_usb->isUsbInserted());
        }
        QCOMPARE(QFile::exists(resetFile), !renamable);
        if (renamable)
            QCOMPARE(read_all(resetFile + QStringLiteral(".once")), QByteArray("settings\nonce\n"));
    }

    // The stick is pulled while blkid still reads it: no level, no reset,
    // and never the reset files of the program's current directory.
    void aStickPulledDuringAuthenticationGrantsNothing()
    {
        insert(STICK, STICK_ID, 2);
        const QString dir = m_rig->stickPath(STICK) + QStringLiteral("/VM24");
        QVERIFY(QDir().mkpath(dir));
        QVERIFY(write_all(dir + QStringLiteral("/soft_reset.txt"), "settings\n"));
        QVERIFY(write_all(dir + QStringLiteral("/vm24.env"), "VM24_ENABLE_HEARTBEAT=1\n"));
        QTemporaryDir current;
        QVERIFY(write_all(current.filePath(QStringLiteral("soft_reset.txt")), "settings\n"));
        QVERIFY(write_all(current.filePath(QStringLiteral("vm24.env")), "VM24_ENABLE_HEARTBEAT=1\n"));
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(current.path()));
        const auto restore = qScopeGuard([previous] { QDir::setCurrent(previous); });
        const QString machineEnvironment = m_appDir->filePath(QStringLiteral("vm24.env"));
        QVERIFY(write_all(machineEnvironment, "VM24_GREEDY_CHANGE=1\n"));
        QSettings().setValue(QStringLiteral("max-credit"), 7000);

        HeldBlkid blkid;
        QVERIFY(blkid.isValid());
        act_when(m_window.get(), [&blkid] { return blkid.hasStarted(); },
                 [this, &blkid] {
                     park(STICK);
                     m_usb->onDirectoryChanged();
                     blkid.release();
                 });
        QSignalSpy quit(m_mode, &MaintenanceMode::quitRequested);
        m_context->startActivity(m_mode);
        settle();
        QVERIFY(m_mode->menu()->isVisible());
        QCOMPARE(m_mode->menu()->levelLabel()->text(), QStringLiteral("Nessuna chiave USB inserita"));
        QCOMPARE(m_usb->userLevel(), -1);
        QCOMPARE(m_log.infos, QStringList{QStringLiteral("Apertura menu di manutenzione (livello 0)")});
        QCOMPARE(quit.count(), 0);
        QCOMPARE(QSettings().value(QStringLiteral("max-credit")).toInt(), 7000);
        QCOMPARE(read_all(machineEnvironment), QByteArray("VM24_GREEDY_CHANGE=1\n"));
        m_mode->menu()->exitButton()->click();
        settle();
        QCOMPARE(m_context->currentActivity(), m_home.get());
    }

    void levelThreeKeysNeedTheMasterKey()
    {
        insert(STICK, STICK_ID, 3);
        QVERIFY(QFile::copy(m_rig->adminPrivateKey(), m_rig->securityDir(STICK) + QStringLiteral("/vm24.pem")));
        QCOMPARE(m_usb->authenticateUsb(), 3);
        SecurityDialog dialog(m_usb, m_context.get(), m_window.get());
        dialog.setUserLevel(3);
        m_context->startActivity(&dialog);
        settle();
        QVERIFY(dialog.levelButton(2)->isEnabled());
        QVERIFY(!dialog.levelButton(3)->isEnabled());
        dialog.onStop();
        QVERIFY(QFile::copy(m_rig->masterPrivateKey(), m_rig->securityDir(STICK) + QStringLiteral("/vm24-master.pem")));
        dialog.onStart();
        settle();
        QVERIFY(dialog.levelButton(3)->isEnabled());
        // Below level 1 nothing can be programmed and the box closes.
        removeWhenAsked(STICK);
        dialog.done();
        settle();
        dialog.setUserLevel(0);
        act_when(m_window.get(), [] { return modal_text() == QStringLiteral("Privilegi insufficienti"); },
                 [] { QTest::mouseClick(QApplication::activeModalWidget(), Qt::LeftButton); });
        m_context->startActivity(&dialog);
        settle();
        QCOMPARE(m_context->currentActivity(), m_home.get());
        QVERIFY(!dialog.levelButton(1)->isEnabled());
    }

    void operatorKeyProgramsABlankStick()
    {
        insert(STICK, STICK_ID, 2);
        QVERIFY(QFile::copy(m_rig->adminPrivateKey(), m_rig->securityDir(STICK) + QStringLiteral("/vm24.pem")));
        QCOMPARE(m_usb->authenticateUsb(), 2);
        SecurityDialog dialog(m_usb, m_context.get(), m_window.get());
        dialog.setUserLevel(m_usb->userLevel());
        m_context->startActivity(&dialog);
        settle();
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.levelButton(1)->isEnabled());
        QVERIFY(dialog.levelButton(2)->isEnabled());
        QVERIFY(!dialog.levelButton(3)->isEnabled());

        removeWhenAsked(STICK);
        act_when(m_window.get(), [] { return modal_text() == QStringLiteral("Inserire un dispositivo USB per iniziare la programmazione"); },
                 [this] { m_rig->makeStick(BLANK, BLANK_ID); });
        QString outcome;
        int programmedLevel = -2;
        bool carriesAdminKey = true;
        act_when(m_window.get(), [] { return modal_text().startsWith(QStringLiteral("Programmazione avvenuta"))
                             || modal_text().startsWith(QStringLiteral("Impossibile")); },
                 [&, this] {
                     outcome = modal_text();
                     const QString manifest = m_rig->securityDir(BLANK) + QStringLiteral("/manifest.txt");
                     programmedLevel = VM24::check_manifest(manifest, BLANK);
                     carriesAdminKey = QFile::exists(m_rig->securityDir(BLANK) + QStringLiteral("/vm24.pem"));
                     m_rig->removeStick(BLANK);
                 });
        dialog.onProgramKeyClicked(1);
        settle();
        QCOMPARE(outcome, QStringLiteral("Programmazione avvenuta con successo"));
        QCOMPARE(programmedLevel, 1);
        QVERIFY(!carriesAdminKey);
        QCOMPARE(umounts(), (QStringList{m_rig->stickPath(STICK), m_rig->stickPath(BLANK)}));
        QVERIFY(!m_usb->isUsbInserted());
        dialog.done();
        settle();
        QCOMPARE(m_context->currentActivity(), m_home.get());
        QVERIFY(!dialog.isVisible());
    }

    // The owner brings the update key on a stick of level 3: opening the
    // menu installs it. A lower level, or a file that is no public key,
    // leaves the machine's key as it was.
    void updateKeyComesOnlyFromALevelThreeStick_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("validKey");
        QTest::addColumn<bool>("installed");
        QTest::newRow("level 3, key") << 3 << true << true;
        QTest::newRow("level 2, key") << 2 << true << false;
        QTest::newRow("level 3, no key") << 3 << false << false;
    }
    void updateKeyComesOnlyFromALevelThreeStick()
    {
        QFETCH(int, level);
        QFETCH(bool, validKey);
        QFETCH(bool, installed);
        const QByteArray machineKey = "-----BEGIN PUBLIC KEY-----\nmachine's own\n-----END PUBLIC KEY-----\n";
        QVERIFY(VM24::write_file_durably(UpdateAuthenticator::keyPath(), machineKey));
        const ToolRun owner = run_tool(QStringLiteral("openssl"), {QStringLiteral("pkey"), QStringLiteral("-in"),
                                                                  m_rig->masterPrivateKey(), QStringLiteral("-pubout")});
        QVERIFY(owner.succeeded());
        const QByteArray ownerKey = owner.output;
        UpdateAuthenticator authenticator;
        QSignalSpy rows(&authenticator, &UpdateAuthenticator::warning);
        m_mode->setUpdateAuthenticator(&authenticator);

        insert(STICK, STICK_ID, level);
        QVERIFY(QDir().mkpath(m_usb->dataRoot()));
        const QString programFolder = m_usb->resolvedDataRoot();
        QVERIFY(!programFolder.isEmpty());
        QFile stickKey(QDir(programFolder).filePath(QLatin1String(UpdateAuthenticator::PUBLIC_KEY_FILENAME)));
        QVERIFY(stickKey.open(QIODevice::WriteOnly));
        stickKey.write(validKey ? ownerKey : QByteArray("not a key\n"));
        stickKey.close();

        m_context->startActivity(m_mode);
        QTRY_VERIFY(m_mode->menu()->isVisible());
        QCOMPARE(m_usb->userLevel(), level);
        removeWhenAsked(STICK);
        m_mode->finish();
        QTRY_COMPARE(m_context->currentActivity(), m_home.get());
        QTRY_VERIFY(!m_usb->isUsbInserted());
        m_mode->setUpdateAuthenticator(nullptr);

        QCOMPARE(read_all(UpdateAuthenticator::keyPath()), installed ? ownerKey : machineKey);
        QCOMPARE(rows.count(), installed ? 1 : 0);
        if (installed)
            QCOMPARE(rows.first().first().toString(), QStringLiteral("Chiave degli aggiornamenti installata da chiavetta USB"));
    }
};

QTEST_MAIN(MaintenanceModeTest)
#include "tst_maintenancemode.moc"
