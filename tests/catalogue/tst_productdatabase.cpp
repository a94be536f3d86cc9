#include "catalogue/cataloguefile.h"
#include "catalogue/productdatabase.h"
#include "catalogue/productids.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

const QString PRODUCT_1234 = QStringLiteral(
    "<product id=\"1234\" name=\"Crema mani\" category=\"Pelle\">"
    "<description>Idrata e protegge</description>"
    "<prices><price level=\"0\">650</price><price level=\"1\">600</price></prices>"
    "</product>");

QString catalogue_xml(const QString& name, const QString& body)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<catalogue name=\"%1\" timestamp=\"2024-03-01T10:20:30\">%2</catalogue>\n")
        .arg(name, body);
}

bool write_text(const QString& path, const QString& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) == text.toUtf8().size();
}

QString read_text(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList header_names(const ProductDatabase& database)
{
    QStringList names;
    for (const Catalogue& header : database.catalogues())
        names.append(header.name);
    return names;
}

QString without_timestamp(QString text)
{
    return text.replace(QRegularExpression(QStringLiteral("timestamp=\"[^\"]*\"")), QStringLiteral("timestamp=\"T\""));
}

} // namespace

class TestProductDatabase : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QDir m_root;
    void writeCatalogue(const QString& directory, const QString& name, const QString& body)
    {
        QVERIFY(write_text(m_root.filePath(directory + QStringLiteral("/index.xml")), catalogue_xml(name, body)));
    }
    QString userEditsFile() const { return m_root.filePath(QStringLiteral("zz-user-edits/index.xml")); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_root.setPath(m_dir->path());
    }

    void idFunctions_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("cataloguePart");
        QTest::addColumn<QString>("localPart");
        QTest::addColumn<QString>("qualifiedInMain");
        QTest::addColumn<QString>("localToMain");
        QTest::addColumn<bool>("brixo");
        QTest::newRow("local") << "1234" << "1234" << "1234" << "main/1234" << "1234" << false;
        QTest::newRow("qualified") << "main/1234" << "main" << "1234" << "main/1234" << "1234" << false;
        QTest::newRow("other catalogue") << "brixo-2024/7" << "brixo-2024" << "7" << "brixo-2024/7" << "brixo-2024/7" << true;
        QTest::newRow("leading slash") << "/x" << "" << "x" << "main//x" << "/x" << false;
        QTest::newRow("two slashes") << "main/a/b" << "main" << "a/b" << "main/a/b" << "a/b" << false;
        QTest::newRow("brixo only in local part") << "main/brixo" << "main" << "brixo" << "main/brixo" << "brixo" << false;
        QTest::newRow("brixo is case-sensitive") << "Brixo/1" << "Brixo" << "1" << "Brixo/1" << "Brixo/1" << false;
        QTest::newRow("empty") << "" << "" << "" << "main/" << "" << false;
    }

    void idFunctions()
    {
        QFETCH(QString, id);
        QFETCH(QString, cataloguePart);
        QFETCH(QString, localPart);
        QFETCH(QString, qualifiedInMain);
        QFETCH(QString, localToMain);
        QFETCH(bool, brixo);
        Catalogue main;
        main.name = QStringLiteral("main");
        QCOMPARE(VM24::catalogue_part(id), cataloguePart);
        QCOMPARE(ProductRecord(id).unqualifiedId(), localPart);
        QCOMPARE(VM24::qualify_product_id(QStringLiteral("main"), id), qualifiedInMain);
        QCOMPARE(VM24::make_local(main, id), localToMain);
        QCOMPARE(VM24::is_brixo_product_id(id), brixo);
    }

    void reservedSelections()
    {
        QList<int> reserved;
        for (int selection = -1; selection <= VM24::NUMBER_OF_SELECTIONS; ++selection) {
            if (VM24::is_brixo_reserved_button(selection))
                reserved.append(selection);
        }
        QCOMPARE(reserved, (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 11, 12}));
    }

    void recordSettersAndDependencies()
    {
        ProductRecord record;
        QCOMPARE(record, ProductRecord());
        record.setPrice(0, 250);
        record.setPrice(4, 90);
        record.setPrice(5, 1);
        record.setPrice(-1, 2);
        QCOMPARE(record.price(0), 250);
        QCOMPARE(record.price(4), 90);
        QCOMPARE(record.price(5), 0);
        QCOMPARE(record.price(-1), 0);

        Catalogue header;
        header.addDependency(QStringLiteral("main"));
        header.addDependency(QString());
        header.addDependency(QStringLiteral("main"));
        header.addDependency(QStringLiteral("brixo"));
        QCOMPARE(header.dependencies, (QStringList{"main", "brixo"}));
    }

    void emptyRootGainsUserEditsCatalogue()
    {
        ProductDatabase database;
        database.loadCatalogues(m_root.path());
        QVERIFY(database.products().isEmpty());
        QCOMPARE(header_names(database), QStringList{"zz-user-edits"});
        QVERIFY(database.catalogues().first().dependencies.isEmpty());
        QVERIFY(database.catalogues().first().timestamp.isValid());
        QVERIFY(QFile::exists(userEditsFile()));

        // An existing edits file is left as it is.
        const QString edits = catalogue_xml(QStringLiteral("zz-user-edits"), QStringLiteral("<dependencies/>"));
        QVERIFY(write_text(userEditsFile(), edits));
        database.loadCatalogues(m_root.path());
        QCOMPARE(read_text(userEditsFile()), edits);
    }

    void missingRootYieldsEmptyDatabase()
    {
        const QString missing = m_root.filePath(QStringLiteral("missing"));
        ProductDatabase database;
        database.loadCatalogues(missing);
        QVERIFY(database.products().isEmpty());
        QVERIFY(database.catalogues().isEmpty());
        QVERIFY(!QFile::exists(missing));
        database.saveModified();
        QVERIFY(!QFile::exists(missing));
    }

    void loadsInNameOrderAndEditsOverrideFieldByField()
    {
        writeCatalogue(QStringLiteral("main"), QStringLiteral("main"),
                       QStringLiteral("<dependencies><dependency id=\"base\"/><other/><dependency id=\"base\"/></dependencies>")
                           + PRODUCT_1234
                           + QStringLiteral("<product id=\"main/77\" name=\"Cerotti\" category=\"Primo soccorso\"/>"));
        writeCatalogue(QStringLiteral("Base"), QStringLiteral("base"),
                       QStringLiteral("<product id=\"1\" name=\"Garze\"/>"));
        writeCatalogue(QStringLiteral("zz-user-edits"), QStringLiteral("zz-user-edits"),
                       QStringLiteral("<product id=\"main/1234\" name=\"Crema mani 75 ml\"/>"
                                      "<product id=\"main/9999\" name=\"Fantasma\"/>"
                                      "<product id=\"base/1\"><prices><price level=\"1\">180</price></prices></product>"));

        ProductDatabase database;
        database.loadCatalogues(m_root.path());
        QCOMPARE(header_names(database), (QStringList{"base", "main", "zz-user-edits"}));
        QCOMPARE(database.catalogues().at(1).dependencies, QStringList{"base"});
        QCOMPARE(database.catalogues().at(1).timestamp, QDateTime(QDate(2024, 3, 1), QTime(10, 20, 30)));
        QCOMPARE(database.catalogues().at(1).fileName, m_root.filePath(QStringLiteral("main/index.xml")));
        // main/9999, which main does not define, is the operator's own product.
        QCOMPARE(database.products().keys(), (QStringList{"base/1", "main/1234", "main/77", "main/9999"}));
        QCOMPARE(database.products()[QStringLiteral("main/9999")].name(), QStringLiteral("Fantasma"));
        QVERIFY(database.products()[QStringLiteral("main/9999")].isModified());

        const ProductRecord& edited = database.products()[QStringLiteral("main/1234")];
        QCOMPARE(edited.name(), QStringLiteral("Crema mani 75 ml"));
        QCOMPARE(edited.category(), QStringLiteral("Pelle"));
        QCOMPARE(edited.description(), QStringLiteral("Idrata e protegge"));
        QCOMPARE(edited.price(0), 650);
        QCOMPARE(edited.price(1), 600);
        QVERIFY(edited.isModified());

        const ProductRecord& base = database.products()[QStringLiteral("base/1")];
        QCOMPARE(base.name(), QStringLiteral("Garze"));
        QCOMPARE(base.price(1), 180);
        QVERIFY(base.isModified());
        QVERIFY(!database.products()[QStringLiteral("main/77")].isModified());
        QCOMPARE(database.catalogueHeader(QStringLiteral("main")).fileName, database.catalogues().at(1).fileName);
        QVERIFY(database.catalogueHeader(QStringLiteral("nessuno")).name.isEmpty());
        QVERIFY(!database.catalogueHeader(QStringLiteral("nessuno")).timestamp.isValid());
    }

    void laterDeliveredCatalogueClearsEditMark()
    {
        writeCatalogue(QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("<product id=\"1\" name=\"Uno\"/>"));
        writeCatalogue(QStringLiteral("b"), QStringLiteral("b"),
                       QStringLiteral("<product id=\"a/1\" category=\"Nuova\"/><product id=\"c/5\" name=\"Altrui\"/>"));
        ProductDatabase database;
        database.loadCatalogues(m_root.path());
        QCOMPARE(database.products().keys(), QStringList{"a/1"});
        QCOMPARE(database.products()[QStringLiteral("a/1")].name(), QStringLiteral("Uno"));
        QCOMPARE(database.products()[QStringLiteral("a/1")].category(), QStringLiteral("Nuova"));
        QVERIFY(!database.products()[QStringLiteral("a/1")].isModified());
    }

    void idsAreQualifiedWithTheCatalogueName()
    {
        writeCatalogue(QStringLiteral("main"), QStringLiteral("main"),
                       QStringLiteral("<product id=\"1234\" name=\"locale\"/>"
                                      "<product id=\"main/1234\" category=\"qualificato\"/>"
                                      "<product id=\"/x\" name=\"barra\"/>"));
        ProductDatabase database;
        database.loadCatalogues(m_root.path());
        QCOMPARE(database.products().keys(), (QStringList{"main//x", "main/1234"}));
        QCOMPARE(database.products()[QStringLiteral("main/1234")].name(), QStringLiteral("locale"));
        QCOMPARE(database.products()[QStringLiteral("main/1234")].category(), QStringLiteral("qualificato"));
    }

    void badContentIsSkipped()
    {
        writeCatalogue(QStringLiteral("a-noname"), QString(), QStringLiteral("<product id=\"1\" name=\"x\"/>"));
        QVERIFY(write_text(m_root.filePath(QStringLiteral("b-wrongroot/index.xml")),
                           QStringLiteral("<catalog name=\"b\"><product id=\"1\" name=\"x\"/></catalog>")));
        QVERIFY(write_text(m_root.filePath(QStringLiteral("c-notxml/index.xml")), QStringLiteral("non XML")));
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("d-noindex")));
        QVERIFY(write_text(m_root.filePath(QStringLiteral("plainfile")), QStringLiteral("x")));
        writeCatalogue(QStringLiteral("e"), QStringLiteral("e"),
                       QStringLiteral("<wrapper><product id=\"hidden\" name=\"no\"/></wrapper>"
                                      "<product id=\"1\" name=\"Prezzi\">"
                                      "<extra><description>no</description></extra>"
                                      "<prices><price level=\"0\">250</price><price level=\"5\">9</price>"
                                      "<price level=\"-1\">9</price><price level=\"x\">120</price>"
                                      "<price level=\"1\">dieci</price><price level=\"2\">-300</price>"
                                      "<price level=\"3\"> 75 </price><bogus level=\"4\">1</bogus></prices>"
                                      "</product>"));
        // A file cut short keeps what was read before the break.
        QVERIFY(write_text(m_root.filePath(QStringLiteral("f/index.xml")),
                           QStringLiteral("<catalogue name=\"f\"><product id=\"1\" name=\"Intero\"/><product id=\"2\" na")));

        ProductDatabase database;
        database.loadCatalogues(m_root.path());
        QCOMPARE(header_names(database), (QStringList{"e", "f", "zz-user-edits"}));
        QCOMPARE(database.products().keys(), (QStringList{"e/1", "f/1"}));
        const ProductRecord& record = database.products()[QStringLiteral("e/1")];
        QCOMPARE(record.description(), QString());
        // Level "x" reads as level 0, and its price replaces the earlier one.
        QCOMPARE(record.price(0), 120);
        QCOMPARE(record.price(1), 0);
        QCOMPARE(record.price(2), 0);
        QCOMPARE(record.price(3), 75);
        QCOMPARE(record.price(4), 0);

        // The files that do not parse are named, so that the owner can learn
        // why products are missing.
        const QStringList problems = database.loadProblems();
        QCOMPARE(problems.size(), 3);
        QVERIFY2(problems.at(0).contains(m_root.filePath(QStringLiteral("b-wrongroot/index.xml"))), qPrintable(problems.at(0)));
        QVERIFY2(problems.at(1).contains(m_root.filePath(QStringLiteral("c-notxml/index.xml"))), qPrintable(problems.at(1)));
        QVERIFY2(problems.at(2).contains(m_root.filePath(QStringLiteral("f/index.xml"))), qPrintable(problems.at(2)));
        database.loadCatalogues(m_root.path());
        QCOMPARE(database.loadProblems().size(), 3);
    }

    void oversizedCatalogueIsRefused()
    {
        const QString padding(int(ProductDatabase::MAX_CATALOGUE_FILE_BYTES), QLatin1Char('x'));
        writeCatalogue(QStringLiteral("big"), QStringLiteral("big"),
                       PRODUCT_1234 + QStringLiteral("<product id=\"2\" name=\"Lunga\"><description>%1</description></product>").arg(padding));
        writeCatalogue(QStringLiteral("main"), QStringLiteral("main"), PRODUCT_1234);
        ProductDatabase database;
        database.loadCatalogues(m_root.path());
        QCOMPARE(header_names(database), (QStringList{"main", "zz-user-edits"}));
        QCOMPARE(database.products().keys(), QStringList("main/1234"));
        QCOMPARE(database.loadProblems().size(), 1);
        QVERIFY(database.loadProblems().first().contains(m_root.filePath(QStringLiteral("big/index.xml"))));
    }

    void savesEditsAndUserProducts()
    {
        writeCatalogue(QStringLiteral("main"), QStringLiteral("main"), PRODUCT_1234);
        writeCatalogue(QStringLiteral("user"), QStringLiteral("user"),
                       QStringLiteral("<product id=\"u1\" name=\"Mio\"/>"));
        ProductDatabase database;
        database.loadCatalogues(m_root.path());
        const QString mainBefore = read_text(m_root.filePath(QStringLiteral("main/index.xml")));

        ProductRecord& edited = database.products()[QStringLiteral("main/1234")];
        edited.setName(QStringLiteral("Crema <mani> & \"piedi\""));
        edited.setPrice(0, 0);
        edited.setPrice(3, 400);
        edited.setPrice(1, 550);
        edited.setModified(true);
        ProductRecord zero(QStringLiteral("main/0"));
        zero.setModified(true);
        database.add(zero);
        ProductRecord created(QStringLiteral("user/u2"));
        created.setName(QStringLiteral("Nuovo"));
        created.setPrice(0, 100);
        created.setModified(true);
        database.add(created);

        database.saveModified();
        database.saveModified();

        QCOMPARE(without_timestamp(read_text(userEditsFile())), QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<catalogue name=\"zz-user-edits\" timestamp=\"T\">\n"
            "    <dependencies>\n"
            "        <dependency id=\"main\"/>\n"
            "        <dependency id=\"user\"/>\n"
            "    </dependencies>\n"
            "    <product id=\"main/0\" name=\"\" category=\"\">\n"
            "        <description></description>\n"
            "        <prices/>\n"
            "    </product>\n"
            "    <product id=\"main/1234\" name=\"Crema &lt;mani&gt; &amp; &quot;piedi&quot;\" category=\"Pelle\">\n"
            "        <description>Idrata e protegge</description>\n"
            "        <prices>\n"
            "            <price level=\"1\">550</price>\n"
            "            <price level=\"3\">400</price>\n"
            "        </prices>\n"
            "    </product>\n"
            "</catalogue>\n"));
        const QString userFile = read_text(m_root.filePath(QStringLiteral("user/index.xml")));
        QVERIFY(userFile.contains(QStringLiteral("<product id=\"u1\" name=\"Mio\"")));
        QVERIFY(userFile.contains(QStringLiteral("<product id=\"u2\" name=\"Nuovo\"")));
        QCOMPARE(read_text(m_root.filePath(QStringLiteral("main/index.xml"))), mainBefore);
        QVERIFY(QDateTime::currentDateTime().secsTo(database.catalogueHeader(QStringLiteral("user")).timestamp) <= 0);
        QVERIFY(database.catalogueHeader(QStringLiteral("user")).timestamp.secsTo(QDateTime::currentDateTime()) < 5);
        QCOMPARE(QDir(m_root.filePath(QStringLiteral("zz-user-edits"))).entryList(QDir::Files), QStringList{"index.xml"});

        // After a reload only the products the edits file names are marked;
        // main/0, which main does not define, comes back from its edit.
        ProductDatabase reloaded;
        reloaded.loadCatalogues(m_root.path());
        QCOMPARE(reloaded.products().keys(), (QStringList{"main/0", "main/1234", "user/u1", "user/u2"}));
        QVERIFY(reloaded.products()[QStringLiteral("main/0")].isModified());
        const ProductRecord& again = reloaded.products()[QStringLiteral("main/1234")];
        QVERIFY(again.isModified());
        QCOMPARE(again.name(), edited.name());
        // Level 0 had no price in the edits file, so the delivered one shows through.
        QCOMPARE(again.price(0), 650);
        QCOMPARE(again.price(1), 550);
        QCOMPARE(again.price(3), 400);
        QVERIFY(!reloaded.products()[QStringLiteral("user/u1")].isModified());
        QCOMPARE(reloaded.catalogueHeader(QStringLiteral("zz-user-edits")).dependencies, (QStringList{"main", "user"}));
    }

    void userProductsWithoutUserCatalogueAreWrittenNowhere()
    {
        writeCatalogue(QStringLiteral("main"), QStringLiteral("main"), PRODUCT_1234);
        ProductDatabase database;
        database.loadCatalogues(m_root.path());
        ProductRecord created(QStringLiteral("user/u2"));
        created.setModified(true);
        database.add(created);
        database.saveModified();
        QVERIFY(!read_text(userEditsFile()).contains(QStringLiteral("u2")));
        QVERIFY(!QFile::exists(m_root.filePath(QStringLiteral("user"))));
    }

    void editsNeverOverwriteADeliveredCatalogue()
    {
        // "zzz" sorts after the edits catalogue and so loads last; the edits
        // still go into the edits catalogue only.
        writeCatalogue(QStringLiteral("main"), QStringLiteral("main"), PRODUCT_1234);
        writeCatalogue(QStringLiteral("zzz"), QStringLiteral("zzz"), QStringLiteral("<product id=\"9\" name=\"Ultimo\"/>"));
        const QString lastBefore = read_text(m_root.filePath(QStringLiteral("zzz/index.xml")));
        ProductDatabase database;
        database.loadCatalogues(m_root.path());
        QCOMPARE(header_names(database), (QStringList{"main", "zz-user-edits", "zzz"}));
        database.products()[QStringLiteral("main/1234")].setModified(true);
        database.saveModified();
        QCOMPARE(read_text(m_root.filePath(QStringLiteral("zzz/index.xml"))), lastBefore);
        QVERIFY(read_text(userEditsFile()).contains(QStringLiteral("main/1234")));
        QCOMPARE(database.catalogueHeader(QStringLiteral("zz-user-edits")).dependencies, (QStringList{"main", "zzz"}));
    }

    void unwritableFileIsLeftAsItWas()
    {
        writeCatalogue(QStringLiteral("main"), QStringLiteral("main"), PRODUCT_1234);
        writeCatalogue(QStringLiteral("user"), QStringLiteral("user"), QStringLiteral("<product id=\"u1\" name=\"Mio\"/>"));
        ProductDatabase database;
        database.loadCatalogues(m_root.path());
        database.products()[QStringLiteral("main/1234")].setModified(true);
        database.products()[QStringLiteral("user/u1")].setName(QStringLiteral("Rinominato"));
        const QDateTime before = database.catalogueHeader(QStringLiteral("zz-user-edits")).timestamp;

        // The edits directory turns into a plain file: its index cannot be written.
        QVERIFY(QDir(m_root.filePath(QStringLiteral("zz-user-edits"))).removeRecursively());
        QVERIFY(write_text(m_root.filePath(QStringLiteral("zz-user-edits")), QStringLiteral("occupato")));
        database.saveModified();
        QCOMPARE(read_text(m_root.filePath(QStringLiteral("zz-user-edits"))), QStringLiteral("occupato"));
        QCOMPARE(database.catalogueHeader(QStringLiteral("zz-user-edits")).timestamp, before);
        QVERIFY(read_text(m_root.filePath(QStringLiteral("user/index.xml"))).contains(QStringLiteral("Rinominato")));
    }
};

QTEST_GUILESS_MAIN(TestProductDatabase)
#include "tst_productdatabase.moc"
