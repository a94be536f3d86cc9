// The log viewer over three months of a busy machine: 250,000 event-log
// rows. Measures the reload (rows read off the GUI thread and rebuilt as
// notifications) against a bare query reading the same rows in this process
// on a worker thread as well, counts the paints of the wait box during the
// reload, and times a page change (the next 18 entries, painted) against one
// frame at 60 Hz.
//
// Run (headless):   QT_QPA_PLATFORM=offscreen build/bin/bench_logviewer [rows] [rounds]
// Defaults: 250000 rows, 3 rounds (medians are printed). The log lives in a
// temporary directory.

#include "catalogue/productprovider.h"
#include "core/vm24.h"
#include "logging/logdatabase.h"
#include "maintenance/logviewer.h"
#include "ui/context.h"
#include "ui/messagedialog.h"

#include <QApplication>
#include <QPushButton>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QtConcurrentRun>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

const char* const SELECT_ALL = "SELECT timestamp, category, data FROM Log WHERE category != 'debug' ORDER BY rowid DESC";

// Counts the paints of every wait box.
class WaitBoxPaints : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && qobject_cast<MessageDialog*>(watched))
            ++paints;
        return false;
    }
};

// A day of a busy machine repeats this pattern of rows.
bool fill_log(int rows)
{
    QSqlDatabase db = VM24::log_database();
    if (!db.transaction())
        return false;
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO Log VALUES (?, ?, ?)"));
    const QStringList categories = {"vending-session-info", "cash-inserted", "vending-session-info", "product-purchased",
                                    "return-change", "vending-session-info", "debug", "info", "alarm", "overpay"};
    const QStringList data = {"flag=0&cash=0&cashless=0", "banknotes=500&coins=220", "flag=1&cash=720&cashless=0",
                              "productId=main/1701&cost=290&dispenser=13&method=Cash&userInfo=", "100",
                              "flag=2&cash=0&cashless=0", "credit read", "VM24 1.1.5 - RK710 27", "id=1&clear=0",
                              "40"};
    const QDateTime now = QDateTime::currentDateTime();
    for (int i = 0; i < rows; ++i) {
        const int kind = i % categories.size();
        insert.addBindValue(now.addSecs(-qint64(rows - i) * 30).toString(QLatin1String(VM24::SQL_DATE_TIME_FORMAT)));
        insert.addBindValue(categories.at(kind));
        insert.addBindValue(data.at(kind));
        if (!insert.exec())
            return false;
    }
    return db.commit();
}

// The same rows read and turned into strings, nothing else.
int bare_read()
{
    QSqlQuery query(VM24::log_database());
    query.setForwardOnly(true);
    if (!query.exec(QLatin1String(SELECT_ALL)))
        return -1;
    int rows = 0;
    while (query.next()) {
        const QString timestamp = query.value(0).toString();
        const QString category = query.value(1).toString();
        const QString data = query.value(2).toString();
        rows += timestamp.isEmpty() && category.isEmpty() && data.isEmpty() ? 0 : 1;
    }
    return rows;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 250000;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    QTemporaryDir dir;
    qputenv("VM24_APP_DIR", dir.path().toLocal8Bit());
    if (!VM24::open_log_database(dir.filePath(QStringLiteral("log.db")))) {
        std::fprintf(stderr, "cannot open the log\n");
        return 1;
    }
    QElapsedTimer fillTimer;
    fillTimer.start();
    if (!fill_log(rows)) {
        std::fprintf(stderr, "cannot fill the log\n");
        return 1;
    }
    std::printf("log of %d rows written in %lld ms\n", rows, fillTimer.elapsed());

    ProductProvider products(dir.filePath(QStringLiteral("products")));
    QStackedWidget views;
    Context context(&views);
    auto* viewer = new LogViewer(&products, &context, &views);
    context.addView(viewer);
    views.resize(1080, 1920);
    views.show();
    context.showView(viewer);
    WaitBoxPaints waitPaints;
    app.installEventFilter(&waitPaints);

    std::vector<double> bare, reload;
    std::vector<int> paints;
    int bareRows = 0;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        QFuture<int> read = QtConcurrent::run(bare_read);
        read.waitForFinished();
        bare.push_back(timer.elapsed());
        bareRows = read.result();

        const int before = waitPaints.paints;
        timer.start();
        // The reload returns at once; its entries show once it is done.
        QEventLoop shown;
        QObject::connect(viewer, &LogViewer::reloaded, &shown, &QEventLoop::quit);
        viewer->reload();
        shown.exec();
        reload.push_back(timer.elapsed());
        paints.push_back(waitPaints.paints - before);
    }
    std::printf("bare query: %d rows in %.0f ms (median of %d)\n", bareRows, median(bare), rounds);
    std::printf("log viewer reload: %d entries in %.0f ms (median of %d), %.2fx the bare query\n",
                viewer->loadedCount(), median(reload), rounds, median(reload) / std::max(1.0, median(bare)));
    std::printf("each round, bare / reload in ms:");
    for (std::size_t i = 0; i < bare.size(); ++i)
        std::printf(" %.0f/%.0f", bare[i], reload[i]);
    std::printf("\n");
    std::printf("wait box paints during each reload:");
    for (int p : paints)
        std::printf(" %d", p);
    std::printf("\n");

    std::vector<double> pageMs;
    QElapsedTimer timer;
    for (int page = 0; page < 60 && viewer->nextButton()->isEnabled(); ++page) {
        timer.start();
        viewer->onNextPage();
        viewer->repaint();
        pageMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(pageMs.begin(), pageMs.end());
    const double ninetieth = pageMs.empty() ? 0 : pageMs[pageMs.size() * 9 / 10];
    std::printf("page change (18 entries, painted): median %.2f ms, 90th percentile %.2f ms, worst %.2f ms over %zu "
                "pages; one frame at 60 Hz is 16.67 ms\n",
                median(pageMs), ninetieth, pageMs.empty() ? 0 : pageMs.back(), pageMs.size());
    return 0;
}
