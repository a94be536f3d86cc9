// Parse time of a content descriptor of 10,000 lines (catalogue lines for
// 500 names, media, banner and events lines, comments), against a data
// directory whose assets exist. The target is under 50 ms.
//
// Run:  build/bin/bench_descriptor [runs]      (default 20 runs, median shown)

#include "updates/assetsregistry.h"
#include "updates/brixobannerupdatecommand.h"
#include "updates/brixoeventsupdatecommand.h"
#include "updates/catalogueupdatecommand.h"
#include "updates/mediaupdatecommand.h"
#include "updates/updatedescriptorinterpreter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

#include <time.h>

namespace {

const int LINES = 10000;

double thread_cpu_ms()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

QByteArray make_descriptor()
{
    QByteArray text;
    for (int i = 0; i < LINES; ++i) {
        const QString day = QDate::currentDate().addDays(-(i % 30) - 1).toString(QStringLiteral("yyyy-MM-dd"));
        const QString time = QStringLiteral("%1:%2").arg(i % 24, 2, 10, QLatin1Char('0')).arg(i % 60, 2, 10, QLatin1Char('0'));
        switch (i % 10) {
        case 0:
            text += "# published " + day.toUtf8() + "\n";
            break;
        case 1:
            text += QStringLiteral("media http://updates.example/contents/media-%1.zip %2 %3\n").arg(i).arg(day, time).toUtf8();
            break;
        case 2:
            text += QStringLiteral("brixo-banner http://updates.example/b/banner-%1.png %2\n").arg(i).arg(day).toUtf8();
            break;
        default:
            text += QStringLiteral("catalogue cat%1 http://updates.example/c/cat%1-%2.zip %3 %4\n")
                        .arg(i % 500).arg(i).arg(day, time).toUtf8();
        }
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 20;
    QTemporaryDir dir;
    AssetsRegistry registry(dir.filePath(QStringLiteral("data")));
    registry.addAsset(QStringList{"products", "brixo-events", "brixo-banner", "media"});
    for (int i = 0; i < 250; ++i)
        QDir(registry.assetDir(QStringLiteral("products"))).mkdir(QStringLiteral("cat%1").arg(i));
    UpdateDescriptorInterpreter interpreter;
    interpreter.addCommand(QStringLiteral("Banner Brixo"), std::make_unique<BrixoBannerUpdateCommand>(&registry));
    interpreter.addCommand(QStringLiteral("Brixo Events"), std::make_unique<BrixoEventsUpdateCommand>(&registry));
    interpreter.addCommand(QStringLiteral("Cataloghi prodotti"), std::make_unique<CatalogueUpdateCommand>(&registry));
    interpreter.addCommand(QStringLiteral("Home Page"), std::make_unique<MediaUpdateCommand>(&registry));
    const QByteArray descriptor = make_descriptor();

    QList<double> times;
    QList<double> cpuTimes;
    int urls = 0;
    for (int run = 0; run < runs; ++run) {
        QBuffer buffer;
        buffer.setData(descriptor);
        buffer.open(QIODevice::ReadOnly);
        QElapsedTimer timer;
        const double cpuStart = thread_cpu_ms();
        timer.start();
        interpreter.parse(&buffer);
        times << timer.nsecsElapsed() / 1e6;
        cpuTimes << thread_cpu_ms() - cpuStart;
        urls = interpreter.downloads().size();
    }
    std::sort(times.begin(), times.end());
    std::sort(cpuTimes.begin(), cpuTimes.end());
    QTextStream(stdout) << QStringLiteral("descriptor of %1 lines (%2 bytes), %3 runs, %4 URLs to fetch\n")
                               .arg(LINES).arg(descriptor.size()).arg(runs).arg(urls)
                        << QStringLiteral("  wall: median %1 ms, min %2 ms, max %3 ms\n")
                               .arg(times.at(times.size() / 2), 0, 'f', 2).arg(times.first(), 0, 'f', 2).arg(times.last(), 0, 'f', 2)
                        << QStringLiteral("  cpu:  median %1 ms, min %2 ms, max %3 ms\n")
                               .arg(cpuTimes.at(cpuTimes.size() / 2), 0, 'f', 2).arg(cpuTimes.first(), 0, 'f', 2)
                               .arg(cpuTimes.last(), 0, 'f', 2);
    return 0;
}
