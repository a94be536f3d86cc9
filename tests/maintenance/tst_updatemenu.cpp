#include "testfiles.h"
#include "maintenance/updatemenu.h"

#include "board/powercontrol.h"
#include "core/vm24.h"
#include "security/usbmonitor.h"
#include "settings/settingsmanager.h"
#include "ui/context.h"
#include "ui/startup.h"
#include "ui/updateprogressdialog.h"
#include "updates/assetsregistry.h"
#include "updates/updateauthenticator.h"

#include "recordingactivity.h"
#include "testenvironment.h"
#include "updatesigningrig.h"
#include "zipwriter.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtTest>

namespace {

void save_screenshot(QWidget& widget, const QString& name)
{
    if (!qEnvironmentVariableIsEmpty("VM24_SCREENSHOT_DIR"))
        widget.grab().save(qEnvironmentVariable("VM24_SCREENSHOT_DIR") + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// The machine with a USB stick whose program folder the test fills.
struct Machine
{
    TestEnvironment::ScopedAppDir appDir;
    QTemporaryDir media;
    QWidget window;
    QStackedWidget views{&window};
    Context context{&views};
    RecordingActivity home{&context};
    PowerControl power;
    UsbMonitor usb{media.path(), nullptr};
    AssetsRegistry registry{VM24::get_path(QStringLiteral("data"))};
    SettingsManager settingsManager{nullptr};
    UpdateAuthenticator authenticator;
    UpdateMenu menu{&usb, &power, &registry, &settingsManager, &context, &window, &authenticator};

    Machine()
    {
        window.resize(1080, 1920);
        views.resize(1080, 1920);
        settingsManager.setNetworkProfilePath(appDir.filePath(QStringLiteral("static_ethernet")));
        registry.addAsset(QStringList{"products", "brixo-events", "brixo-banner", "media", "user"});
        QDir(media.path()).mkpath(QStringLiteral("usbdrive-sda/VM24"));
        usb.onDirectoryChanged();
        context.addView(&home);
        context.startActivity(&home);
        window.show();
    }

    QString stick() const { return usb.dataRoot(); }

    void open(int level)
    {
        menu.setUserLevel(level);
        context.startActivity(&menu);
    }

    QStringList enabledItems() const
    {
        QStringList items;
        for (int item = 0; item < UpdateMenu::ITEM_COUNT; ++item) {
            QCheckBox* box = menu.checkBox(UpdateMenu::UpdateItem(item));
            if (box->isVisible() && box->isEnabled())
                items << box->text();
        }
        return items;
    }

    QStringList shownItems() const
    {
        QStringList items;
        for (int item = 0; item < UpdateMenu::ITEM_COUNT; ++item) {
            if (menu.checkBox(UpdateMenu::UpdateItem(item))->isVisible())
                items << menu.checkBox(UpdateMenu::UpdateItem(item))->text();
        }
        return items;
    }
};

} // namespace

class UpdateMenuTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(VM24::install_style_sheet(*qApp));
    }

    // media.zip and VM24.ini: "Impostazioni" always, "Home Page" only from
    // level 2; nothing else becomes selectable.
    void offersWhatTheStickHolds()
    {
        Machine machine;
        write_file(machine.stick() + QStringLiteral("/media.zip"), "zip");
        write_file(machine.stick() + QStringLiteral("/VM24.ini"), "[General]\n");
        write_file(machine.stick() + QStringLiteral("/brixo-banner.png.old"), "x");

        machine.open(1);
        QVERIFY(machine.menu.isVisible());
        QCOMPARE(machine.shownItems(), (QStringList{"Impostazioni", "Prodotti", "Software", "Personalizzazioni"}));
        QCOMPARE(machine.enabledItems(), QStringList{"Impostazioni"});
        machine.menu.cancelButton()->click();
        QCOMPARE(machine.context.currentActivity(), &machine.home);

        machine.open(2);
        QCOMPARE(machine.enabledItems(), (QStringList{"Impostazioni", "Home Page"}));
        QVERIFY(!machine.menu.okButton()->isEnabled());
        QCheckBox* homePage = machine.menu.checkBox(UpdateMenu::HomePage);
        const QPoint onTheBox(30, homePage->height() / 2);
        QTest::mouseClick(homePage, Qt::LeftButton, {}, onTheBox);
        QVERIFY(machine.menu.okButton()->isEnabled());
        QTest::mouseClick(homePage, Qt::LeftButton, {}, onTheBox);
        QVERIFY(!machine.menu.okButton()->isEnabled());
        machine.menu.allButton()->click();
        QVERIFY(machine.menu.checkBox(UpdateMenu::Settings)->isChecked());
        QVERIFY(machine.menu.checkBox(UpdateMenu::HomePage)->isChecked());
        QVERIFY(!machine.menu.checkBox(UpdateMenu::Products)->isChecked());
        QVERIFY(machine.menu.okButton()->isEnabled());
        save_screenshot(machine.menu, QStringLiteral("usb-update-menu-it"));
        QTranslator english;
        QVERIFY(english.load(QStringLiteral(":/i18n/en")));
        QCoreApplication::installTranslator(&english);
        QCoreApplication::processEvents();
        QCOMPARE(machine.menu.checkBox(UpdateMenu::Customizations)->text(), QStringLiteral("Customisations"));
        save_screenshot(machine.menu, QStringLiteral("usb-update-menu-en"));
        QCoreApplication::removeTranslator(&english);
        QCoreApplication::processEvents();
        machine.menu.cancelButton()->click();
    }

    // A level-2 operator installs everything the stick holds: the partner
    // catalogue (a level-0 push would skip it), new media, the pictures,
    // the texts and the settings; then the menu closes.
    void installsTheChosenItems()
    {
        Machine machine;
        const QString stick = machine.stick();
        ZipWriter brixo;
        brixo.add(QStringLiteral("index.xml"), "<catalogue name=\"brixo\"/>");
        QVERIFY(brixo.write(stick + QStringLiteral("/brixo.rkdb")));
        QVERIFY(brixo.write(stick + QStringLiteral("/farmacia.rkdb")));
        write_file(stick + QStringLiteral("/media/01-new.png"), "slide 1");
        write_file(stick + QStringLiteral("/media/02-new.png"), "slide 2");
        write_file(stick + QStringLiteral("/brixo-banner.png"), "banner");
        write_file(stick + QStringLiteral("/turni.html"), "<p>turni</p>");
        write_file(stick + QStringLiteral("/VM24.ini"), "[General]\nuser-text=Farmacia Centrale\n");
        write_file(machine.registry.assetDir(QStringLiteral("media")) + QStringLiteral("/00-old.png"), "old");

        machine.open(2);
        QCOMPARE(machine.enabledItems(),
                 (QStringList{"Impostazioni", "Prodotti", "Home Page", "Personalizzazioni", "Branding"}));
        machine.menu.allButton()->click();
        machine.menu.okButton()->click();
        QVERIFY(!machine.power.isEnabled());
        UpdateProgressDialog* dialog = machine.menu.progressDialog();
        QTRY_COMPARE_WITH_TIMEOUT(dialog->text(), QStringLiteral("Aggiornamento completato"), 20000);
        save_screenshot(*dialog, QStringLiteral("usb-update-completed-it"));
        QTest::mouseClick(dialog, Qt::LeftButton);
        QCOMPARE(machine.context.currentActivity(), &machine.home);
        QVERIFY(!machine.menu.isVisible());
        QVERIFY(machine.power.isEnabled());

        const QString data = machine.registry.baseDir();
        QCOMPARE(read_file(data + QStringLiteral("/products/brixo/index.xml")), QByteArray("<catalogue name=\"brixo\"/>"));
        QVERIFY(!QFileInfo::exists(data + QStringLiteral("/products/farmacia")));
        QCOMPARE(QDir(data + QStringLiteral("/media")).entryList(QDir::Files), (QStringList{"01-new.png", "02-new.png"}));
        QCOMPARE(read_file(data + QStringLiteral("/brixo-banner/brixo-banner.png")), QByteArray("banner"));
        QCOMPARE(read_file(data + QStringLiteral("/user/turni.html")), QByteArray("<p>turni</p>"));
        QCOMPARE(QSettings().value(QStringLiteral("user-text")).toString(), QStringLiteral("Farmacia Centrale"));
    }

    // From a level-1 stick, with the update key on the machine, settings are
    // imported only when the folder's signed index lists them as they are.
    void levelOneSettingsNeedTheSignedIndex()
    {
        Machine machine;
        UpdateSigningRig rig(machine.appDir.path());
        QVERIFY2(rig.isValid(), qPrintable(rig.error()));
        QSignalSpy warnings(&machine.authenticator, &UpdateAuthenticator::warning);
        const QString ini = machine.stick() + QStringLiteral("/VM24.ini");
        write_file(ini, "[General]\nuser-text=Farmacia Firmata\n");
        const auto update = [&] {
            machine.open(1);
            QCOMPARE(machine.enabledItems(), QStringList{QStringLiteral("Impostazioni")});
            machine.menu.allButton()->click();
            machine.menu.okButton()->click();
            UpdateProgressDialog* dialog = machine.menu.progressDialog();
            QTRY_COMPARE_WITH_TIMEOUT(dialog->text(), QStringLiteral("Aggiornamento completato"), 20000);
            QTest::mouseClick(dialog, Qt::LeftButton);
            QCOMPARE(machine.context.currentActivity(), &machine.home);
        };
        update();
        QVERIFY(QSettings().value(QStringLiteral("user-text")).toString() != QStringLiteral("Farmacia Firmata"));
        QCOMPARE(warnings.size(), 1);
        QCOMPARE(warnings.takeFirst().at(0).toString(),
                 QStringLiteral("Aggiornamento rifiutato: update.index (indice firmato mancante)"));
        QVERIFY(rig.signIndex(machine.stick() + QStringLiteral("/update.index"), QStringLiteral("all"), {ini}));
        update();
        QCOMPARE(QSettings().value(QStringLiteral("user-text")).toString(), QStringLiteral("Farmacia Firmata"));
        QVERIFY(warnings.isEmpty());
    }
};

QTEST_MAIN(UpdateMenuTest)
#include "tst_updatemenu.moc"
