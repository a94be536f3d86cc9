#include "accounting/accountingservice.h"
#include "core/vm24.h"
#include "logging/logdatabase.h"
#include "logging/notificationservice.h"
#include "maintenance/exportableitem.h"
#include "maintenance/exporttask.h"
#include "maintenance/maintenancemenu.h"
#include "maintenance/maintenancemenuentry.h"
#include "maintenance/maintenancemode.h"
#include "maintenance/usbexportmenu.h"
#include "board/powercontrol.h"
#include "catalogue/productprovider.h"
#include "security/usbmonitor.h"
#include "ui/context.h"
#include "ui/startup.h"
#include "updates/assetsregistry.h"
#include "recordingactivity.h"
#include "simulatedboard.h"
#include "testenvironment.h"
#include "updates/updateprocesscontext.h"
#include "ui/updateprogressdialog.h"
#include "usbkeyrig.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTranslator>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QSqlQuery>
#include <QXmlStreamReader>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <sys/resource.h>

namespace {

bool write_file(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray read_file(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The names stored in an archive, as an archiver of its own lists them.
QStringList archive_names(const QString& zip)
{
    QProcess lister;
    lister.start(QStringLiteral("bsdtar"), {QStringLiteral("-tf"), zip});
    if (!lister.waitForFinished(30000) || lister.exitCode() != 0)
        return {QStringLiteral("unreadable")};
    QStringList names = QString::fromUtf8(lister.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    names.sort();
    return names;
}

// The periods an accounting report covers: the rows of its table of dates.
QStringList report_periods(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QStringLiteral("unreadable")};
    QXmlStreamReader xml(&file);
    QStringList periods;
    bool inDates = false;
    bool inBody = false;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (xml.name() == QLatin1String("table"))
                inDates = xml.attributes().value(QLatin1String("class")) == QLatin1String("dates");
            else if (inDates && xml.name() == QLatin1String("tbody"))
                inBody = true;
            else if (inBody && xml.name() == QLatin1String("tr") && xml.readNextStartElement())
                periods << xml.readElementText();
        } else if (token == QXmlStreamReader::EndElement && xml.name() == QLatin1String("tbody")) {
            inBody = false;
        }
    }
    if (xml.hasError())
        periods << xml.errorString();
    return periods;
}

// The one export folder on a stick.
QString export_folder(const QString& stickFolder)
{
    const QStringList folders = QDir(stickFolder).entryList({QStringLiteral("export_*")}, QDir::Dirs);
    return folders.size() == 1 ? QDir(stickFolder).filePath(folders.first()) : QString();
}

class RecordingContext : public UpdateProcessContext
{
public:
    QStringList stages;
    bool ended = false;
    std::function<void(const QString&)> onStage;

protected:
    void updateProgress(const QString& stage) override
    {
        stages << stage;
        if (onStage)
            onStage(stage);
    }
    void updateEnd() override { ended = true; }
    void onFileProgress(const QString&, int, int) override {}
};

// Files larger than limit cannot be written by this process or its children
// while it lives: a stick that is full.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t limit)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = m_saved;
        limited.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved;
    void (*m_handler)(int);
};

} // namespace

class TestUsbExport : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnvironment::ScopedAppDir> m_appDir;
    std::unique_ptr<SimulatedBoard> m_board;
    QString m_stick;

    QString data(const QString& path) const { return m_appDir->filePath("data/" + path); }

    ExportTask::Sources sources() const
    {
        ExportTask::Sources s;
        s.settingsFile = QSettings().fileName();
        s.catalogueRoot = data("products");
        s.mediaDir = data("media");
        s.eventsPictureDir = data("brixo-events");
        s.bannerPictureDir = data("brixo-banner");
        s.userDir = data("user");
        s.productNames = {{"main/1", "Crema"}};
        s.ledger = AccountingService().ledger();
        s.controller = m_board->controller();
        s.serial = 42;
        return s;
    }

    using Outcome = ExportTask::Result;

    Outcome runExport(RecordingContext& context, int userLevel = 3)
    {
        QList<int> all;
        for (int item = 0; item < ExportableItem::Count; ++item)
            all << item;
        ExportTask task(QDir(m_stick), sources(), all, userLevel, 3, &context);
        return task.run();
    }

private slots:
    void init()
    {
        m_appDir = std::make_unique<TestEnvironment::ScopedAppDir>();
        QSettings settings;
        settings.setValue("advanced/serial", 42);
        settings.sync();
        QVERIFY(write_file(data("products/main/index.xml"), "<catalogue name=\"main\"/>"));
        QVERIFY(write_file(data("products/main/pictures/1.png"), QByteArray(300 * 1024, 'p')));
        QVERIFY(write_file(data("products/zz-user-edits/mod.xml"), "<edits/>"));
        QVERIFY(write_file(data("media/slide1.jpg"), "one"));
        QVERIFY(write_file(data("media/more/slide2.jpg"), QByteArray(200 * 1024, 's')));
        QVERIFY(write_file(data("brixo-events/brixo-events.jpg"), "events"));
        QVERIFY(write_file(data("brixo-banner/brixo-banner.png"), "banner"));
        QVERIFY(write_file(data("user/note.txt"), "note"));
        m_stick = m_appDir->filePath("stick/VM24");
        QVERIFY(QDir().mkpath(m_stick));

        QVERIFY(VM24::open_log_database(m_appDir->filePath("log.db")));
        QSqlQuery insert(VM24::log_database());
        for (int days : {1, 2, 5}) {
            QVERIFY(insert.exec(QStringLiteral("INSERT INTO Log VALUES ('%1', 'info', '%2 days ago')")
                                    .arg(QDateTime::currentDateTime()
                                             .addDays(-days)
                                             .addSecs(60)
                                             .toString(VM24::SQL_DATE_TIME_FORMAT))
                                    .arg(days)));
        }
        m_board = std::make_unique<SimulatedBoard>();
        QVERIFY2(m_board->start(), qPrintable(m_board->errorString()));
    }
    void cleanup()
    {
        m_board.reset();
        m_appDir.reset();
    }

    void everyItemLandsOnTheStick();
    void fullStickIsNamedInTheResult();
    void stickPulledOutMidwayIsNamedInTheResult();
    void pageOffersTheItemsOfTheOperatorsLevel();
    void anExportTakesTheLevelOfThePresentStick();
    void anExportNeverLeavesTheStick();
};

void TestUsbExport::everyItemLandsOnTheStick()
{
    RecordingContext context;
    const Outcome outcome = runExport(context);
    QCOMPARE(outcome.failures, QStringList());
    QVERIFY(context.ended);
    QCOMPARE(context.stages.size(), 8);
    QCOMPARE(context.stages.first(), QStringLiteral("Impostazioni"));
    const QDir folder(outcome.folder);
    QVERIFY(QRegularExpression("/stick/VM24/export_\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d$").match(outcome.folder).hasMatch());
    // The settings file under its own name ("VM24.ini" on the machine).
    const QString settingsName = QFileInfo(QSettings().fileName()).fileName();
    const QString audit = "eva-dts_00042_" + folder.dirName().mid(int(strlen("export_"))) + ".txt";
    QStringList expected{settingsName,       "VM24Log.xml", "accounting.html", "brixo-banner.png",
                         "brixo-events.jpg", "main.rkdb",   "media.zip",       "note.txt", audit};
    expected.sort();
    QCOMPARE(folder.entryList(QDir::Files, QDir::Name), expected);
    QCOMPARE(read_file(folder.filePath(settingsName)), read_file(QSettings().fileName()));
    QCOMPARE(archive_names(folder.filePath("main.rkdb")), QStringList({"1.png", "index.xml"}));
    QCOMPARE(archive_names(folder.filePath("media.zip")), QStringList({"slide1.jpg", "slide2.jpg"}));
    // Stored, not compressed: the archive is at least as large as its files.
    QVERIFY(QFileInfo(folder.filePath("main.rkdb")).size() > 300 * 1024);
    QCOMPARE(read_file(folder.filePath("brixo-events.jpg")), QByteArray("events"));
    QCOMPARE(read_file(folder.filePath("note.txt")), QByteArray("note"));

    QFile log(folder.filePath("VM24Log.xml"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QXmlStreamReader reader(&log);
    QStringList infos;
    while (!reader.atEnd()) {
        if (reader.readNext() == QXmlStreamReader::StartElement && reader.name() == QLatin1String("Info"))
            infos << reader.readElementText();
    }
    QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
    infos.sort();
    QCOMPARE(infos, QStringList({"1 days ago", "2 days ago"}));
    QCOMPARE(report_periods(folder.filePath("accounting.html")), QStringList({"Totale", "Parziale", "Log"}));
    // Below level 3 the report covers the partial period only.
    RecordingContext lower;
    QTest::qWait(1100); // a folder of its own
    const Outcome levelTwo = runExport(lower, 2);
    QCOMPARE(levelTwo.failures, QStringList());
    QCOMPARE(report_periods(QDir(levelTwo.folder).filePath("accounting.html")), QStringList({"Parziale"}));
    // The audit file of the books, with the identity of the board that answered.
    const QByteArray auditText = read_file(folder.filePath(audit));
    QVERIFY2(auditText.startsWith("DXS*VM2400042*") && auditText.endsWith("DXE*1*1\r\n"), auditText.constData());
    const QRegularExpression board("\r\nCB1\\*00042\\*RK710\\*[^*\r]+\r\n");
    QVERIFY2(board.match(QString::fromLatin1(auditText)).hasMatch(), auditText.constData());
}

void TestUsbExport::fullStickIsNamedInTheResult()
{
    RecordingContext context;
    Outcome outcome;
    {
        FileSizeLimit full(100 * 1024);
        outcome = runExport(context);
    }
    QCOMPARE(outcome.failures, QStringList({"main.rkdb", "media.zip"}));
    const QDir folder(outcome.folder);
    QCOMPARE(read_file(folder.filePath(ExportTask::INCOMPLETE_FILE)), QByteArray("main.rkdb\nmedia.zip\n"));
    // No partial archive is left to be taken for a whole one.
    QVERIFY(!folder.exists("main.rkdb") && !folder.exists("media.zip"));
    QVERIFY(folder.exists("VM24Log.xml") && folder.exists("note.txt"));
}

void TestUsbExport::stickPulledOutMidwayIsNamedInTheResult()
{
    RecordingContext context;
    const QString stick = m_stick;
    context.onStage = [stick](const QString& stage) {
        if (stage == QLatin1String("Log eventi"))
            QDir(stick).removeRecursively();
    };
    const Outcome outcome = runExport(context);
    QCOMPARE(outcome.failures.mid(0, 2), QStringList({"VM24Log.xml", "accounting.html"}));
    QCOMPARE(outcome.failures.size(), 3);
    QVERIFY(outcome.failures.last().startsWith("eva-dts_00042_"));
    QVERIFY(context.ended);
}

void TestUsbExport::pageOffersTheItemsOfTheOperatorsLevel()
{
    VM24::install_style_sheet(*qApp);
    QTranslator italian;
    QVERIFY(VM24::load_translation(italian, "it"));
    QCoreApplication::installTranslator(&italian);
    // As in the program: the stack of pages inside the window, the box a child of the window.
    QWidget screen;
    screen.setFixedSize(1080, 1920);
    auto* views = new QStackedWidget(&screen);
    Context context(views);
    UsbMonitor usb(m_appDir->filePath("media"), nullptr);
    AccountingService accounting;
    ProductProvider products(data("products"));
    AssetsRegistry assets(m_appDir->filePath("data"));
    PowerControl power;
    UsbExportMenu page(&usb, &accounting, &products, &assets, &power, m_board->controller(), &context, &screen);
    screen.show();

    page.setUserLevel(1);
    page.onStart();
    QVERIFY(page.isVisible());
    QVERIFY(!page.okButton()->isEnabled());
    QVERIFY(!page.itemBox(ExportableItem::HomePage)->isEnabled() && !page.itemBox(ExportableItem::Branding)->isEnabled());
    QVERIFY(!page.daysLabel()->isVisible());
    page.allButton()->click();
    QVERIFY(page.okButton()->isEnabled());
    QVERIFY(!page.itemBox(ExportableItem::HomePage)->isChecked() && page.itemBox(ExportableItem::EventLog)->isChecked());
    QVERIFY(page.daysLabel()->isVisible());
    QCOMPARE(page.logInterval(), 14);
    for (int i = 0; i < 13; ++i)
        page.minusButton()->click();
    QCOMPARE(page.logInterval(), 1);
    QVERIFY(!page.minusButton()->isEnabled());
    page.plusButton()->click();
    QCOMPARE(page.daysLabel()->text(), QStringLiteral("2 giorni"));
    page.grab().save(QDir(QCoreApplication::applicationDirPath()).filePath("usbexport-it.png"));
    QTranslator english;
    QVERIFY(VM24::load_translation(english, "en"));
    QCoreApplication::installTranslator(&english);
    QTRY_COMPARE(page.daysLabel()->text(), QStringLiteral("2 days"));
    page.grab().save(QDir(QCoreApplication::applicationDirPath()).filePath("usbexport-en.png"));
    QCoreApplication::removeTranslator(&english);
    page.itemBox(ExportableItem::EventLog)->click();
    QVERIFY(!page.daysLabel()->isVisible());

    // Started again: nothing chosen, Ok off; from level 2 every item can be chosen.
    page.onStop();
    QVERIFY(power.isEnabled());
    page.setUserLevel(2);
    page.onStart();
    QVERIFY(!page.okButton()->isEnabled());
    QVERIFY(!page.itemBox(ExportableItem::Settings)->isChecked());
    page.allButton()->click();
    for (int item = 0; item < ExportableItem::Count; ++item)
        QVERIFY(page.itemBox(item)->isChecked());
    QCoreApplication::removeTranslator(&italian);
}

// The operator opens the export page with a level-3 key, then swaps the key
// for another stick: the page's next export is the new stick's, at its level
// (none yet), so it holds neither the whole report nor the home-page media.
void TestUsbExport::anExportTakesTheLevelOfThePresentStick()
{
    UsbKeyRig rig(m_appDir->path());
    QVERIFY2(rig.isValid(), qPrintable(rig.error()));
    QWidget screen;
    screen.setFixedSize(1080, 1920);
    auto* views = new QStackedWidget(&screen);
    Context context(views);
    RecordingActivity home(&context);
    context.addView(&home);
    VM24::NotificationService notifications;
    UsbMonitor usb(rig.mediaDir(), nullptr);
    usb.setSettleTime(0);
    AccountingService accounting;
    ProductProvider products(data("products"));
    AssetsRegistry assets(m_appDir->filePath("data"));
    PowerControl power;
    UsbExportMenu page(&usb, &accounting, &products, &assets, &power, m_board->controller(), &context, &screen);
    MaintenanceMode mode(&usb, &notifications, &context, &screen);
    mode.bindActivity(MaintenanceMenuEntry::UsbExport, &page);
    screen.show();
    context.startActivity(&home);
    QVERIFY(!rig.makeStick("sdb1", "3c4d5e6f").isEmpty());
    QVERIFY(rig.makeKey("sdb1", "3c4d5e6f", 3));
    usb.onDirectoryChanged();
    context.startActivity(&mode);
    // The stick is authenticated on the pool; the menu opens when it is.
    QTRY_VERIFY(mode.menu()->isVisible());
    QCOMPARE(mode.userLevel(), 3);

    const auto exportReportAndMedia = [&page] {
        page.itemBox(ExportableItem::HomePage)->click();
        page.itemBox(ExportableItem::AccountingReport)->click();
        page.okButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(page.progressDialog()->text(), QStringLiteral("Aggiornamento completato"), 20000);
        QTest::mouseClick(page.progressDialog(), Qt::LeftButton);
    };
    QAbstractButton* entry = mode.menu()->entryButton(MaintenanceMenuEntry::UsbExport);
    entry->click();
    QVERIFY(page.isVisible());
    exportReportAndMedia();
    const QString keyFolder = export_folder(rig.stickPath("sdb1") + "/VM24");
    QCOMPARE(report_periods(keyFolder + "/accounting.html"), QStringList({"Totale", "Parziale", "Log"}));
    QVERIFY(QFile::exists(keyFolder + "/media.zip"));

    QTRY_VERIFY(mode.menu()->isVisible());
    entry->click();
    QVERIFY(page.itemBox(ExportableItem::HomePage)->isEnabled());
    QVERIFY(QDir().rename(rig.stickPath("sdb1"), m_appDir->filePath("parked")));
    QVERIFY(!rig.makeStick("sda1", "4d5e6f7a").isEmpty());
    usb.onDirectoryChanged();
    exportReportAndMedia();
    const QString otherFolder = export_folder(rig.stickPath("sda1") + "/VM24");
    QCOMPARE(report_periods(otherFolder + "/accounting.html"), QStringList({"Parziale"}));
    QVERIFY(!QFile::exists(otherFolder + "/media.zip"));

    QTRY_VERIFY(mode.menu()->isVisible());
    QCOMPARE(mode.menu()->levelLabel()->text(), QStringLiteral("Nessuna chiave USB inserita"));
    QVERIFY(rig.removeStick("sda1"));
    usb.onDirectoryChanged();
    mode.menu()->exitButton()->click();
    QTRY_COMPARE(context.currentActivity(), &home);
}

// A stick's VM24 folder that links into the machine, or no stick at all:
// the export writes nothing anywhere and says so.
void TestUsbExport::anExportNeverLeavesTheStick()
{
    QWidget screen;
    auto* views = new QStackedWidget(&screen);
    Context context(views);
    RecordingActivity home(&context);
    context.addView(&home);
    const QString media = m_appDir->filePath("media");
    const QString stick = media + "/usbdrive-sdc1";
    const QString machine = m_appDir->filePath("machine-folder");
    QVERIFY(QDir().mkpath(stick) && QDir().mkpath(machine));
    QVERIFY(QFile::link(machine, stick + "/VM24"));
    UsbMonitor usb(media, nullptr);
    usb.onDirectoryChanged();
    AccountingService accounting;
    ProductProvider products(data("products"));
    AssetsRegistry assets(m_appDir->filePath("data"));
    PowerControl power;
    UsbExportMenu page(&usb, &accounting, &products, &assets, &power, m_board->controller(), &context, &screen);
    screen.show();
    context.startActivity(&home);
    QTemporaryDir current;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(current.path()));
    const auto restore = qScopeGuard([previous] { QDir::setCurrent(previous); });

    for (const char* when : {"VM24 folder linked into the machine", "no stick"}) {
        page.setUserLevel(1);
        context.startActivity(&page);
        page.itemBox(ExportableItem::Settings)->click();
        page.okButton()->click();
        QTRY_COMPARE_WITH_TIMEOUT(page.progressDialog()->text(), QStringLiteral("Esportazione incompleta"), 20000);
        QVERIFY2(QDir(machine).isEmpty(), when);
        QVERIFY2(QDir(current.path()).isEmpty(), when);
        QTest::mouseClick(page.progressDialog(), Qt::LeftButton);
        QTRY_COMPARE(context.currentActivity(), &home);
        QVERIFY(QDir(stick).removeRecursively());
        usb.onDirectoryChanged();
    }
}

QTEST_MAIN(TestUsbExport)
#include "tst_usbexport.moc"
