#include "testfiles.h"
#include "ui/pushupdatesdirectorywatcher.h"

#include "board/powercontrol.h"
#include "catalogue/productprovider.h"
#include "core/vm24.h"
#include "ui/context.h"
#include "ui/pendingactivityqueue.h"
#include "ui/updateprogressdialog.h"
#include "updates/assetsregistry.h"
#include "updates/catalogueeditshandler.h"
#include "updates/updatefiles.h"
#include "updates/updateauthenticator.h"
#include "updates/updateprocesscontext.h"

#include "recordingactivity.h"
#include "testenvironment.h"
#include "updatesigningrig.h"
#include "zipwriter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QThreadPool>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

#include <memory>

namespace {

QByteArray png()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

const char* const MAIN_CATALOGUE =
    "<catalogue name=\"main\" timestamp=\"2024-03-01T10:20:30\">"
    "<product id=\"1001\" name=\"Paracetamolo\" category=\"Dolore\">"
    "<prices><price level=\"0\">250</price><price level=\"1\">230</price></prices></product>"
    "<product id=\"1002\" name=\"Ibuprofene\" category=\"Dolore\">"
    "<prices><price level=\"0\">390</price></prices></product>"
    "<product id=\"1003\" name=\"Cerotti\"/>"
    "</catalogue>";

class NullContext : public UpdateProcessContext
{
protected:
    void updateProgress(const QString&) override {}
    void updateEnd() override {}
    void onFileProgress(const QString&, int, int) override {}
};

// A machine's data directory, catalogue and activity stack.
struct Machine
{
    TestEnvironment::ScopedAppDir appDir;
    AssetsRegistry registry{VM24::get_path(QStringLiteral("data"))};
    std::unique_ptr<ProductProvider> provider;
    QStackedWidget views;
    Context context{&views};
    PendingActivityQueue queue;
    PowerControl power;
    RecordingActivity home{&context};

    Machine()
    {
        registry.addAsset(QStringList{"products", "brixo-events", "brixo-banner", "media", "user"});
        write_file(products() + QStringLiteral("/main/index.xml"), MAIN_CATALOGUE);
        write_file(products() + QStringLiteral("/main/1002.png"), png());
        write_file(products() + QStringLiteral("/zz-user-edits/index.xml"), "<catalogue name=\"zz-user-edits\"/>");
        provider = std::make_unique<ProductProvider>(products());
        provider->loadDatabase();
        QObject::connect(&registry, &AssetsRegistry::contentChanged, provider.get(), &ProductProvider::onContentChanged);
        context.addView(&home);
        context.startActivity(&home);
    }

    QString products() const { return registry.baseDir() + QStringLiteral("/products"); }
};

} // namespace

class PushUpdatesTest : public QObject
{
    Q_OBJECT

private slots:
    // With the owner's update key a push is applied only when its own signed
    // index lists every pushed file as it is; otherwise nothing of it is,
    // and a warning names the file and the reason.
    void signedPushes()
    {
        Machine machine;
        UpdateSigningRig rig(machine.appDir.path());
        QVERIFY2(rig.isValid(), qPrintable(rig.error()));
        UpdateAuthenticator authenticator;
        QSignalSpy warnings(&authenticator, &UpdateAuthenticator::warning);
        PushUpdatesDirectoryWatcher watcher(&machine.queue, &machine.registry, machine.provider.get(), nullptr,
                                            &machine.power, &machine.context, nullptr, &authenticator);
        QVERIFY(watcher.initialise());
        const QString push = watcher.linkPath();
        const QString message = machine.registry.baseDir() + QStringLiteral("/user/messaggio.html");
        const auto pushed = [&](bool sign, bool changeAfterSigning, const QString& warning) {
            write_file(push + QStringLiteral("/messaggio.html"), "<p>Firmato</p>");
            if (sign)
                QVERIFY(rig.signIndex(push + QStringLiteral("/update.index"), QStringLiteral("all"),
                                      {push + QStringLiteral("/messaggio.html")}));
            if (changeAfterSigning)
                write_file(push + QStringLiteral("/messaggio.html"), "<p>Firmata</p>");
            write_file(push + QStringLiteral("/done"), QByteArray());
            QTRY_COMPARE(machine.queue.size(), 1);
            machine.context.startActivity(machine.queue.takeOne());
            QTRY_COMPARE_WITH_TIMEOUT(machine.context.currentActivity(), &machine.home, 20000);
            QCOMPARE(read_file(message), warning.isEmpty() ? QByteArray("<p>Firmato</p>") : QByteArray());
            QCOMPARE(warnings.size(), warning.isEmpty() ? 0 : 1);
            if (!warning.isEmpty())
                QCOMPARE(warnings.takeFirst().at(0).toString(), QStringLiteral("Aggiornamento rifiutato: ") + warning);
            QVERIFY(!QFileInfo::exists(push + QStringLiteral("/messaggio.html")));
        };
        pushed(false, false, QStringLiteral("update.index (indice firmato mancante)"));
        pushed(true, true, QStringLiteral("messaggio.html (diverso da quanto firmato)"));
        pushed(true, false, QString());
    }

    // Files pushed and then "done": the update waits for the home page,
    // applies the user catalogue, the customer message and the product
    // edits (and nothing else), removes what it applied and listens again.
    // A second push during the run is taken right after it.
    void pushedFilesAreAppliedOnce()
    {
        Machine machine;
        PushUpdatesDirectoryWatcher watcher(&machine.queue, &machine.registry, machine.provider.get(), nullptr,
                                            &machine.power, &machine.context);
        QVERIFY(watcher.initialise());
        QCOMPARE(QFileInfo(watcher.linkPath()).symLinkTarget(), watcher.pushDir());
        QCOMPARE(watcher.linkPath(), machine.appDir.filePath(QStringLiteral("remote-updates")));
        QCOMPARE(watcher.stageTitles(), (QStringList{"Aggiornamenti software", "Impostazione da Web", "Impostazioni", "Personalizzazioni", "Prodotti"}));

        const QString push = watcher.linkPath();
        ZipWriter user;
        user.add(QStringLiteral("index.xml"), "<catalogue name=\"user\"><product id=\"u1\" name=\"Crema\"/></catalogue>");
        QVERIFY(user.write(push + QStringLiteral("/user.rkdb")));
        ZipWriter other;
        other.add(QStringLiteral("index.xml"), "<catalogue name=\"farmacia\"/>");
        QVERIFY(other.write(push + QStringLiteral("/farmacia.rkdb")));
        QVERIFY(other.write(push + QStringLiteral("/brixo-2024.rkdb")));
        write_file(push + QStringLiteral("/messaggio.html"), "<p>Buongiorno</p>");
        // A link in a push is never followed: a file elsewhere on the
        // machine is not copied in.
        write_file(machine.appDir.filePath(QStringLiteral("secret.txt")), "secret");
        QVERIFY(QFile::link(machine.appDir.filePath(QStringLiteral("secret.txt")), push + QStringLiteral("/turni.html")));
        write_file(push + QStringLiteral("/mod.xml"),
                   "<catalogue><product id=\"main/1001\" name=\"Tachipirina\"/>"
                   "<product id=\"main/1002\" deleted=\"\"/>"
                   "<product id=\"main/1003\" name=\"Nuovo\"><prices><price level=\"0\">120</price></prices></product>"
                   "<product id=\"../../escape\" name=\"x\"/></catalogue>");
        write_file(push + QStringLiteral("/1001.png"), png());
        QTest::qWait(300);
        QVERIFY(machine.queue.isEmpty());

        write_file(push + QStringLiteral("/done"), QByteArray());
        QTRY_COMPARE(machine.queue.size(), 1);
        QVERIFY(!QFileInfo::exists(push + QStringLiteral("/done")));
        machine.context.startActivity(machine.queue.takeOne());
        QVERIFY(!machine.power.isEnabled());
        UpdateProgressDialog* dialog = watcher.dialog();
        QVERIFY(dialog->isVisible());

        // A further push while this one runs.
        QTRY_COMPARE_WITH_TIMEOUT(dialog->text(), QStringLiteral("Aggiornamento completato"), 20000);
        write_file(push + QStringLiteral("/turni.html"), "<p>Turni</p>");
        write_file(push + QStringLiteral("/done"), QByteArray());
        QTest::qWait(300);
        QVERIFY(machine.queue.isEmpty());
        QTest::mouseClick(dialog, Qt::LeftButton);
        QCOMPARE(machine.context.currentActivity(), &machine.home);
        QVERIFY(machine.power.isEnabled());

        const QString data = machine.registry.baseDir();
        QCOMPARE(read_file(data + QStringLiteral("/user/messaggio.html")), QByteArray("<p>Buongiorno</p>"));
        QVERIFY(!QFileInfo::exists(data + QStringLiteral("/user/turni.html")));
        QCOMPARE(read_file(machine.appDir.filePath(QStringLiteral("secret.txt"))), QByteArray("secret"));
        QVERIFY(read_file(data + QStringLiteral("/products/user/index.xml")).contains("Crema"));
        QVERIFY(!QFileInfo::exists(data + QStringLiteral("/products/farmacia")));
        QVERIFY(!QFileInfo::exists(data + QStringLiteral("/products/brixo-2024")));
        QCOMPARE(machine.provider->getProduct(QStringLiteral("main/1001")).name(), QStringLiteral("Tachipirina"));
        QCOMPARE(machine.provider->getProduct(QStringLiteral("main/1001")).price(1), 230);
        // A delivered product's deletion takes its pictures and holds.
        QVERIFY(!QFileInfo::exists(data + QStringLiteral("/products/main/1002.png")));
        QVERIFY(machine.provider->getProduct(QStringLiteral("main/1002")).id().isEmpty());
        QCOMPARE(machine.provider->getProduct(QStringLiteral("main/1003")).price(0), 120);
        QCOMPARE(machine.provider->getProduct(QStringLiteral("main/1003")).name(), QStringLiteral("Nuovo"));
        QCOMPARE(read_file(data + QStringLiteral("/products/main/1001.png")), png());
        QVERIFY(machine.provider->getProduct(QStringLiteral("user/u1")).name() == QStringLiteral("Crema"));
        QVERIFY(!QFileInfo::exists(machine.appDir.filePath(QStringLiteral("escape.png"))));

        // The second push is queued at once; the first push's files are gone.
        QCOMPARE(machine.queue.size(), 1);
        QCOMPARE(QDir(push).entryList(QDir::Files), QStringList{"turni.html"});
        machine.context.startActivity(machine.queue.takeOne());
        QTRY_COMPARE_WITH_TIMEOUT(dialog->text(), QStringLiteral("Aggiornamento completato"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(machine.context.currentActivity(), &machine.home, 10000); // closes itself
        QCOMPARE(read_file(data + QStringLiteral("/user/turni.html")), QByteArray("<p>Turni</p>"));
        QVERIFY(QDir(push).isEmpty());
    }

    // The operator's edits pushed as mod.xml override the delivered
    // catalogue both ways, a product created in it and one deleted from it,
    // and hold over a restart and over a new delivery of that catalogue.
    void operatorEditsHoldOverRestartsAndDeliveries()
    {
        Machine machine;
        PushUpdatesDirectoryWatcher watcher(&machine.queue, &machine.registry, machine.provider.get(), nullptr,
                                            &machine.power, &machine.context);
        QVERIFY(watcher.initialise());
        write_file(watcher.linkPath() + QStringLiteral("/mod.xml"),
                   "<catalogue><product id=\"main/2001\" name=\"Spray nasale\" category=\"Naso\">"
                   "<prices><price level=\"0\">480</price></prices></product>"
                   "<product id=\"main/1002\" deleted=\"\"/>"
                   "<product id=\"main/1001\" name=\"Tachipirina\"/></catalogue>");
        write_file(watcher.linkPath() + QStringLiteral("/done"), QByteArray());
        QTRY_COMPARE(machine.queue.size(), 1);
        machine.context.startActivity(machine.queue.takeOne());
        QTRY_COMPARE_WITH_TIMEOUT(watcher.dialog()->text(), QStringLiteral("Aggiornamento completato"), 20000);
        QTest::mouseClick(watcher.dialog(), Qt::LeftButton);
        QCOMPARE(machine.context.currentActivity(), &machine.home);

        const auto check = [](const ProductProvider& provider) {
            QCOMPARE(provider.getProduct(QStringLiteral("main/2001")).name(), QStringLiteral("Spray nasale"));
            QCOMPARE(provider.getProduct(QStringLiteral("main/2001")).price(0), 480);
            QVERIFY(provider.getProduct(QStringLiteral("main/1002")).id().isEmpty());
            QCOMPARE(provider.getProduct(QStringLiteral("main/1001")).name(), QStringLiteral("Tachipirina"));
            QCOMPARE(provider.getProduct(QStringLiteral("main/1003")).name(), QStringLiteral("Cerotti"));
        };
        // The push reloaded the catalogue already.
        check(*machine.provider);
        if (QTest::currentTestFailed())
            return;
        ProductProvider restarted(machine.products());
        restarted.loadDatabase();
        check(restarted);
        if (QTest::currentTestFailed())
            return;

        // The server delivers main again, with 1002 in it.
        ZipWriter delivery;
        delivery.add(QStringLiteral("index.xml"), MAIN_CATALOGUE);
        delivery.add(QStringLiteral("1002.png"), png());
        QTemporaryDir downloads;
        QVERIFY(delivery.write(downloads.filePath(QStringLiteral("main.zip"))));
        QVERIFY(VM24::extract_zip_replacing(downloads.filePath(QStringLiteral("main.zip")),
                                            machine.products() + QStringLiteral("/main")));
        machine.registry.notifyAssetChanged(QStringLiteral("products"));
        check(*machine.provider);
        if (QTest::currentTestFailed())
            return;
        // Saving other edits keeps both.
        machine.provider->modifyProduct(QStringLiteral("main/1003"))->setPrice(0, 99);
        machine.provider->saveModified();
        ProductProvider again(machine.products());
        again.loadDatabase();
        check(again);
        QCOMPARE(again.getProduct(QStringLiteral("main/1003")).price(0), 99);
    }

    // Quitting while a pushed product edit waits for the GUI thread: the
    // quit path's wait for the workers releases the edit unapplied instead
    // of waiting for ever on a thread that waits for it.
    // A pushed edit runs on the GUI thread, between the workers' stages: the
    // quit path's wait for the workers never waits for it, and the edit is
    // made once this thread takes events again.
    void quitPathNeverWaitsForAPushedEdit()
    {
        Machine machine;
        PushUpdatesDirectoryWatcher watcher(&machine.queue, &machine.registry, machine.provider.get(), nullptr,
                                            &machine.power, &machine.context);
        QVERIFY(watcher.initialise());
        write_file(watcher.linkPath() + QStringLiteral("/mod.xml"),
                   "<catalogue><product id=\"main/1001\" name=\"Tachipirina\"/></catalogue>");
        write_file(watcher.linkPath() + QStringLiteral("/done"), QByteArray());
        QTRY_COMPARE(machine.queue.size(), 1);
        // From here the GUI thread takes no events: the worker reaches the
        // edit's stage and ends its run, then the quit path runs.
        machine.context.startActivity(machine.queue.takeOne());
        QThread::msleep(1500);
        QElapsedTimer quitting;
        quitting.start();
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(quitting.elapsed() < 1000);
        QCOMPARE(machine.provider->getProduct(QStringLiteral("main/1001")).name(), QStringLiteral("Paracetamolo"));
        QTRY_COMPARE(machine.provider->getProduct(QStringLiteral("main/1001")).name(), QStringLiteral("Tachipirina"));
        QTRY_COMPARE_WITH_TIMEOUT(watcher.dialog()->text(), QStringLiteral("Aggiornamento completato"), 20000);
        QTRY_VERIFY(QDir(watcher.pushDir()).isEmpty());
    }

    void linkAndDirectoryGoWithTheWatcher()
    {
        Machine machine;
        write_file(machine.appDir.filePath(QStringLiteral("remote-updates/stale.txt")), "stale");
        QString pushDir;
        {
            PushUpdatesDirectoryWatcher watcher(&machine.queue, &machine.registry, machine.provider.get(), nullptr,
                                                &machine.power, &machine.context);
            QVERIFY(watcher.initialise());
            pushDir = watcher.pushDir();
            QVERIFY(QFileInfo(watcher.linkPath()).isSymLink());
        }
        QVERIFY(!QFileInfo::exists(pushDir));
        QVERIFY(!QFileInfo(machine.appDir.filePath(QStringLiteral("remote-updates"))).isSymLink());
    }

    // A product edits file that is not well-formed changes nothing, however
    // far it reads correctly.
    void malformedEditsChangeNothing()
    {
        Machine machine;
        const QByteArray before = read_file(machine.products() + QStringLiteral("/main/index.xml"));
        const QByteArray editsBefore = read_file(machine.products() + QStringLiteral("/zz-user-edits/index.xml"));
        QSignalSpy changed(&machine.registry, &AssetsRegistry::contentChanged);
        CatalogueEditsHandler handler(machine.provider.get(), &machine.registry);
        QVERIFY(handler.accepts(QStringLiteral("mod.xml")));
        QVERIFY(!handler.accepts(QStringLiteral("mod.xml.bak")));
        NullContext ctx;
        QTemporaryDir pushed;
        for (const QByteArray& document :
             {QByteArray("<catalogue><product id=\"main/1001\" name=\"Rotto\"/><product id=\"main/1002\" deleted=\"\"/>"),
              QByteArray("<catalogue><product id=\"main/1001\" name=\"Rotto\"/></catalogo>"),
              QByteArray("\xff\xfe<catalogue>"), QByteArray()}) {
            write_file(pushed.filePath(QStringLiteral("mod.xml")), document);
            handler.apply(QDir(pushed.path()), &ctx);
            QCOMPARE(machine.provider->getProduct(QStringLiteral("main/1001")).name(), QStringLiteral("Paracetamolo"));
            QCOMPARE(machine.provider->getProduct(QStringLiteral("main/1002")).name(), QStringLiteral("Ibuprofene"));
        }
        QCOMPARE(changed.count(), 0);
        QCOMPARE(read_file(machine.products() + QStringLiteral("/zz-user-edits/index.xml")), editsBefore);
        QCOMPARE(read_file(machine.products() + QStringLiteral("/main/index.xml")), before);

        // Another root changes no product but still saves and announces.
        write_file(pushed.filePath(QStringLiteral("mod.xml")), "<products><product id=\"main/1001\" name=\"X\"/></products>");
        handler.apply(QDir(pushed.path()), &ctx);
        QCOMPARE(machine.provider->getProduct(QStringLiteral("main/1001")).name(), QStringLiteral("Paracetamolo"));
        QCOMPARE(changed.count(), 1);
    }
};

QTEST_MAIN(PushUpdatesTest)
#include "tst_pushupdates.moc"
