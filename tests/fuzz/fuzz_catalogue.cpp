// The catalogue reader on any bytes, as a delivered "index.xml" could hold
// them: the file is loaded as the catalogue "main" next to the user-edits
// catalogue, then the edits are saved and loaded again.
#include "catalogue/productdatabase.h"
#include "testenvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>

namespace {

QString catalogue_root()
{
    static const QString root = [] {
        const QString path = TestEnvironment::applicationDir() + QStringLiteral("/products");
        QDir().mkpath(path + QStringLiteral("/main"));
        return path;
    }();
    return root;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_catalogue";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);

    const QString root = catalogue_root();
    QFile file(root + QStringLiteral("/main/index.xml"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    QFile::remove(root + QStringLiteral("/zz-user-edits/index.xml"));

    ProductDatabase database;
    database.loadCatalogues(root);
    for (auto it = database.products().begin(); it != database.products().end(); ++it)
        it->setModified(true);
    const ProductDatabase::ProductMap loaded = database.products();
    QStringList names;
    for (const Catalogue& header : database.catalogues())
        names.append(header.name);
    database.saveModified();
    database.loadCatalogues(root);
    // A catalogue named "main": everything read from it is now also in the
    // user edits, and the same products come back.
    if (names == QStringList({QStringLiteral("main"), QStringLiteral("zz-user-edits")})
        && database.products().keys() != loaded.keys())
        std::abort();
    return 0;
}
