#include "core/unixsignalwatcher.h"
#include "core/vm24.h"
#include "testenvironment.h"
#include "ui/startup.h"
#include "ui/storagefaultscreen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QSignalSpy>
#include <QSplashScreen>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

#include <signal.h>

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Korvane"));
        QCoreApplication::setApplicationName(QStringLiteral("VM24"));
    }

    void translationSwitchesTheSplashMessage()
    {
        QTranslator translator;
        QCoreApplication::installTranslator(&translator);

        QVERIFY(VM24::load_translation(translator, QStringLiteral("en")));
        QCOMPARE(VM24::splash_message(), QStringLiteral("Initialising user interface"));

        QVERIFY(VM24::load_translation(translator, QStringLiteral("it")));
        QCOMPARE(VM24::splash_message(), QStringLiteral("Inizializzazione interfaccia grafica"));

        // An unknown language shows the Italian source texts, not the last language loaded.
        QVERIFY(VM24::load_translation(translator, QStringLiteral("en")));
        QVERIFY(!VM24::load_translation(translator, QStringLiteral("ita")));
        QVERIFY(translator.isEmpty());
        QCOMPARE(VM24::splash_message(), QStringLiteral("Inizializzazione interfaccia grafica"));

        QCoreApplication::removeTranslator(&translator);
    }

    void startLanguageComesFromTheSettings()
    {
        TestEnvironment::ScopedAppDir appDir;
        QCOMPARE(VM24::start_language(), QStringLiteral("it"));
        {
            QSettings settings;
            settings.setValue(QStringLiteral("default-language"), QStringLiteral("en"));
        }
        QCOMPARE(VM24::start_language(), QStringLiteral("en"));
        QVERIFY(QFile::exists(appDir.filePath(QStringLiteral("Korvane/VM24.ini"))));
    }

    void styleSheetIsInstalledWhenPresentAndOptionalOtherwise()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("style.qss"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("QWidget { color: white; }");
        file.close();

        auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
        QVERIFY(VM24::install_style_sheet(*application, path));
        QCOMPARE(application->styleSheet(), QStringLiteral("QWidget { color: white; }"));

        application->setStyleSheet(QString());
        QVERIFY(!VM24::install_style_sheet(*application, dir.filePath(QStringLiteral("missing.qss"))));
        QVERIFY(application->styleSheet().isEmpty());
    }

    void splashScreenShowsTheMessageFullScreen()
    {
        std::unique_ptr<QSplashScreen> splash = VM24::show_splash_screen();
        QVERIFY(splash->isVisible());
        QVERIFY(splash->windowState() & Qt::WindowFullScreen);
        QCOMPARE(splash->geometry(), QGuiApplication::primaryScreen()->geometry());
        QCOMPARE(splash->message(), QStringLiteral("Inizializzazione interfaccia grafica"));
        QVERIFY(!splash->pixmap().isNull());
    }

    void storageFaultScreenStaysUntilTheStateDirectoryTakesFiles_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("shown");
        QTest::newRow("it") << QStringLiteral("it")
                            << QStringLiteral("Memoria della macchina non scrivibile: vendita sospesa. Chiamare l'assistenza.");
        QTest::newRow("en") << QStringLiteral("en")
                            << QStringLiteral("Machine storage cannot be written: sales suspended. Please call for service.");
    }
    void storageFaultScreenStaysUntilTheStateDirectoryTakesFiles()
    {
        QFETCH(QString, language);
        QFETCH(QString, shown);
        TestEnvironment::ScopedAppDir appDir;
        // A state directory under a regular file cannot be made, even by root.
        const QString blocker = appDir.filePath(QStringLiteral("a-file"));
        QFile(blocker).open(QIODevice::WriteOnly);
        qputenv("VM24_APP_DIR", QFile::encodeName(blocker + QStringLiteral("/state")));
        QVERIFY(!VM24::application_dir_writable());

        auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
        QVERIFY(VM24::install_style_sheet(*application));
        QTranslator translator;
        QVERIFY(VM24::load_translation(translator, language));
        QCoreApplication::installTranslator(&translator);
        StorageFaultScreen screen;
        screen.setRetryInterval(50);
        QSignalSpy writable(&screen, &StorageFaultScreen::writable);
        screen.setGeometry(0, 0, 1080, 1920);
        screen.show();
        QCoreApplication::processEvents();

        const QString screens = QCoreApplication::applicationDirPath() + QStringLiteral("/screens");
        QDir().mkpath(screens);
        screen.grab().save(QStringLiteral("%1/storage-fault-%2.png").arg(screens, language));
        QCOMPARE(screen.shownMessage(), shown);
        const QLabel* label = screen.messageLabel();
        QVERIFY(label->isVisible());
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(shown));
        QVERIFY(screen.rect().contains(label->mapTo(&screen, label->rect().bottomRight())));
        QVERIFY(label->font().pixelSize() >= 40);

        QTest::qWait(300);
        QCOMPARE(writable.count(), 0);
        QVERIFY(QFile::remove(blocker));
        QTRY_COMPARE(writable.count(), 1);
        QVERIFY(QFileInfo(blocker + QStringLiteral("/state")).isDir());
        // No probe is left behind in the state directory.
        QCOMPARE(QDir(blocker + QStringLiteral("/state")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        QTest::qWait(200);
        QCOMPARE(writable.count(), 1);
        QCoreApplication::removeTranslator(&translator);
        application->setStyleSheet(QString());
    }

    void quitSignalsArriveAsQtSignals()
    {
        UnixSignalWatcher watcher({SIGTERM, SIGINT});
        QVERIFY(watcher.isWatching());
        QSignalSpy received(&watcher, &UnixSignalWatcher::received);

        ::raise(SIGTERM);
        ::raise(SIGINT);

        QTRY_COMPARE(received.count(), 2);
        QCOMPARE(received.at(0).at(0).toInt(), int(SIGTERM));
        QCOMPARE(received.at(1).at(0).toInt(), int(SIGINT));
    }

    void aSecondWatcherIsRefusedAndTheFirstKeepsWorking()
    {
        UnixSignalWatcher first({SIGTERM});
        QTest::ignoreMessage(QtWarningMsg, "UnixSignalWatcher: only one watcher per process");
        UnixSignalWatcher second({SIGINT});
        QVERIFY(!second.isWatching());

        QSignalSpy received(&first, &UnixSignalWatcher::received);
        ::raise(SIGTERM);
        QTRY_COMPARE(received.count(), 1);
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
