// Runs once each writer of a file that the program reads back after a
// restart, in VM24_APP_DIR, for the test that records the system calls:
// the settings file (the product arrangement, saved as the settings page
// saves), the time store, a catalogue edit, a spool file and the session
// journal in the ledger. Prints each file's path, one a line.
#include "accounting/accountingservice.h"
#include "catalogue/catalogue.h"
#include "catalogue/cataloguefile.h"
#include "catalogue/productids.h"
#include "catalogue/productprovider.h"
#include "core/durablefile.h"
#include "core/defaults.h"
#include "core/vm24.h"
#include "logging/filewritertask.h"
#include "settings/settings.h"
#include "tasks/taskscheduler.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QVector>

#include <cstdio>

namespace {

void print(const QString& path)
{
    std::printf("%s\n", qPrintable(QFileInfo(path).absoluteFilePath()));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QLatin1String(VM24::APPLICATION_NAME));
    QCoreApplication::setOrganizationName(QLatin1String(VM24::ORGANIZATION_NAME));
    Settings::configureLocation();
    bool ok = true;

    ProductProvider products(VM24::get_path(QStringLiteral("data/products")));
    QVector<QString> arrangement(VM24::NUMBER_OF_SELECTIONS);
    arrangement[3] = QStringLiteral("main/1701");
    products.setArrangement(arrangement);
    Settings settings;
    settings.setArrangement(products.arrangement());
    settings.sync();
    print(settings.fileName());

    TaskScheduler scheduler;
    scheduler.saveTime(QStringLiteral("machine-state-recorder"), QDateTime::currentDateTime());
    print(scheduler.timeStorePath());

    QDir().mkpath(VM24::get_path(QStringLiteral("data/products/user")));
    Catalogue header;
    header.name = QStringLiteral("user");
    header.timestamp = QDateTime::currentDateTime();
    const QString catalogue = VM24::get_path(QStringLiteral("data/products/user/index.xml"));
    ok = VM24::write_catalogue_file(catalogue, header, {}) && ok;
    print(catalogue);

    const QString spool = VM24::get_path(QStringLiteral("outgoing/event.xml"));
    ok = FileWriterTask::write(spool, QByteArrayLiteral("<event/>")) && ok;
    print(spool);

    AccountingService accounting;
    SessionJournal::OpenSession session;
    session.balance.coins = 100;
    session.balance.extraCredit = 100;
    accounting.journalSession(session);
    print(AccountingService::ledgerPath());
    return ok ? 0 : 1;
}
