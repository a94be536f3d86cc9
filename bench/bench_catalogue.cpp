// Load time of the product database: a generated catalogue of 5,000
// products, alone and with a user-edits catalogue overriding 500 of them,
// and the time to write those 500 edits back.
//
// Run:  build/bin/bench_catalogue [runs]      (default 20 runs, median shown)

#include "catalogue/cataloguefile.h"
#include "catalogue/productdatabase.h"
#include "catalogue/productids.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

const int PRODUCTS = 5000;
const int EDITS = 500;

void write_catalogue(const QString& root, const QString& name, int count, int step, bool edits)
{
    QDir(root).mkpath(name);
    Catalogue header;
    header.name = name;
    header.timestamp = QDateTime::currentDateTime();
    QList<ProductRecord> records;
    for (int i = 0; i < count; ++i) {
        ProductRecord record(QStringLiteral("main/%1").arg(10000 + i * step));
        record.setName(edits ? QStringLiteral("Prodotto modificato %1").arg(i)
                             : QStringLiteral("Prodotto %1 - confezione da %2 pezzi").arg(i).arg(i % 50 + 1));
        record.setCategory(QStringLiteral("Categoria %1").arg(i % 12));
        record.setDescription(QStringLiteral("Descrizione del prodotto %1: indicazioni, modo d'uso e avvertenze. ").arg(i).repeated(3));
        record.setPrice(0, 250 + i % 2000);
        if (i % 3 == 0)
            record.setPrice(1, 200 + i % 2000);
        records.append(record);
    }
    QList<const ProductRecord*> pointers;
    for (const ProductRecord& record : records)
        pointers.append(&record);
    VM24::write_catalogue_file(QDir(root).filePath(name + QStringLiteral("/index.xml")), header, pointers);
}

double median_ms(int runs, const std::function<void()>& work)
{
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QString::fromLocal8Bit(argv[1]).toInt()) : 20;
    QTextStream out(stdout);

    QTemporaryDir plain;
    QTemporaryDir edited;
    write_catalogue(plain.path(), QStringLiteral("main"), PRODUCTS, 1, false);
    write_catalogue(edited.path(), QStringLiteral("main"), PRODUCTS, 1, false);
    write_catalogue(edited.path(), QLatin1String(VM24::USER_EDITS_CATALOGUE_NAME), EDITS, PRODUCTS / EDITS, true);

    ProductDatabase database;
    const double alone = median_ms(runs, [&] { database.loadCatalogues(plain.path()); });
    const int loadedAlone = database.products().size();
    const double withEdits = median_ms(runs, [&] { database.loadCatalogues(edited.path()); });
    int modified = 0;
    for (const ProductRecord& record : database.products())
        modified += record.isModified() ? 1 : 0;
    const double save = median_ms(runs, [&] { database.saveModified(); });

    out << "catalogue of " << loadedAlone << " products, median of " << runs << " runs\n";
    out << "  load alone:                 " << QString::number(alone, 'f', 1) << " ms\n";
    out << "  load with " << modified << " user edits:   " << QString::number(withEdits, 'f', 1) << " ms  (x"
        << QString::number(withEdits / alone, 'f', 2) << ")\n";
    out << "  save the " << modified << " edits:         " << QString::number(save, 'f', 1) << " ms\n";
    return loadedAlone == PRODUCTS && modified == EDITS ? 0 : 1;
}
