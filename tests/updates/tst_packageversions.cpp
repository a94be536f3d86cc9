// The version order must be the package manager's own: the program decides
// what to download and install with it, the package manager then installs by
// its own. Every pair here is also put to the package manager's vercmp tool.

#include "updates/versioncomparison.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

namespace {

int vercmp(const QString& a, const QString& b)
{
    QProcess process;
    process.start(QStringLiteral("vercmp"), {a, b});
    if (!process.waitForFinished(10000) || process.exitStatus() != QProcess::NormalExit)
        return 99;
    bool ok = false;
    const int result = process.readAllStandardOutput().trimmed().toInt(&ok);
    return ok ? result : 99;
}

// Versions built from the pieces that make the order tricky: epochs (also
// empty and with leading zeros), numbers with leading zeros, letters,
// separator runs of different lengths and kinds, empty parts and releases.
class VersionGenerator
{
public:
    explicit VersionGenerator(quint32 seed)
        : m_random(seed)
    {
    }

    QString version()
    {
        QString text;
        const int epoch = pick(8);
        if (epoch == 1)
            text += QStringLiteral(":");
        else if (epoch == 2)
            text += number() + QLatin1Char(':');
        text += part(1 + pick(4));
        const int release = pick(4);
        if (release == 1)
            text += QLatin1Char('-') + part(1 + pick(2));
        else if (release == 2)
            text += QLatin1Char('-');
        return text;
    }

    // A close relative of v: one piece changed, added or removed.
    QString variant(const QString& v)
    {
        QString text = v;
        const int at = text.isEmpty() ? 0 : pick(text.size() + 1);
        switch (pick(5)) {
        case 0:
            text.insert(at, segment());
            break;
        case 1:
            text.insert(at, separator());
            break;
        case 2:
            if (!text.isEmpty())
                text.remove(qMin(at, int(text.size()) - 1), 1 + pick(2));
            break;
        case 3:
            text += segment();
            break;
        default:
            text.insert(at, QLatin1Char('0'));
            break;
        }
        return text;
    }

private:
    int pick(int n) { return int(m_random.bounded(quint32(n))); }

    QString number()
    {
        static const char* const numbers[] = {"0", "00", "1", "01", "001", "2", "9", "10", "010", "99", "100",
                                              "12345678901234567890", "012345678901234567890"};
        return QLatin1String(numbers[pick(std::size(numbers))]);
    }

    QString letters()
    {
        static const char* const words[] = {"a", "b", "z", "A", "Z", "alpha", "beta", "rc", "pre", "git", "aa"};
        return QLatin1String(words[pick(std::size(words))]);
    }

    QString separator()
    {
        static const char* const separators[] = {".", ".", ".", "_", "+", "~", "..", "._", "-", "", "é", ":"};
        return QString::fromUtf8(separators[pick(std::size(separators))]);
    }

    QString segment() { return pick(3) == 0 ? letters() : number(); }

    QString part(int segments)
    {
        QString text = pick(10) == 0 ? separator() : QString();
        for (int i = 0; i < segments; ++i) {
            if (i > 0)
                text += separator();
            text += segment();
        }
        if (pick(8) == 0)
            text += separator();
        return text;
    }

    QRandomGenerator m_random;
};

struct Pair
{
    QString a;
    QString b;
};

} // namespace

class TestPackageVersions : public QObject
{
    Q_OBJECT

private slots:
    void examplesOfTheVersionOrder_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("expected");
        QTest::newRow("the epoch decides") << "1:1.0" << "2.0" << 1;
        QTest::newRow("one release only") << "1.0-2" << "1.0" << 0;
        QTest::newRow("letter suffix is older") << "1.0" << "1.0a" << 1;
        QTest::newRow("more segments are newer") << "1.0" << "1.0.0" << -1;
        QTest::newRow("leading zeros") << "1.01" << "1.1" << 0;
        QTest::newRow("releases compared") << "1.0-1" << "1.0-2" << -1;
        QTest::newRow("empty epoch is zero") << ":1.0" << "0:1.0" << 0;
        QTest::newRow("longer separator") << "1..0" << "1.0" << 1;
        QTest::newRow("numbers beat letters") << "1.0.1" << "1.0.a" << 1;
        QTest::newRow("identical") << "2:3.4-5" << "2:3.4-5" << 0;
        QTest::newRow("long numbers") << "1.12345678901234567890" << "1.12345678901234567891" << -1;
        QTest::newRow("empty strings") << "" << "" << 0;
        QTest::newRow("empty against a version") << "" << "1" << -1;
    }

    void examplesOfTheVersionOrder()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, expected);
        QCOMPARE(VM24::compare_versions(a, b), expected);
        QCOMPARE(VM24::compare_versions(b, a), -expected);
        QCOMPARE(vercmp(a, b), expected);
    }

    void nullVersions()
    {
        QCOMPARE(VM24::compare_versions(QString(), QString()), 0);
        QCOMPARE(VM24::compare_versions(QString(), QStringLiteral("")), -1);
        QCOMPARE(VM24::compare_versions(QStringLiteral("0"), QString()), 1);
        QCOMPARE(VM24::compare_versions(static_cast<const char*>(nullptr), "1"), -1);
    }

    // Thousands of generated pairs, each also in reverse: not one answer may
    // differ from the package manager's.
    void generatedPairsAgreeWithThePackageManager()
    {
        VersionGenerator generator(20261209);
        QList<Pair> pairs;
        for (int i = 0; i < 1500; ++i) {
            const QString a = generator.version();
            pairs.append({a, generator.version()});
            pairs.append({a, generator.variant(a)});
        }
        QStringList differences;
        int newer = 0, older = 0, same = 0;
        for (const Pair& pair : pairs) {
            const int ours = VM24::compare_versions(pair.a, pair.b);
            const int theirs = vercmp(pair.a, pair.b);
            if (ours != theirs || VM24::compare_versions(pair.b, pair.a) != -theirs)
                differences.append(QStringLiteral("'%1' '%2': %3, package manager %4").arg(pair.a, pair.b).arg(ours).arg(theirs));
            (theirs > 0 ? newer : theirs < 0 ? older : same)++;
        }
        if (!differences.isEmpty())
            qWarning().noquote() << differences.mid(0, 20).join(QLatin1Char('\n'));
        QCOMPARE(differences.size(), 0);
        // The pairs reach all three answers, equality by more than identity.
        QVERIFY(newer > 200 && older > 200 && same > 50);
    }
};

QTEST_GUILESS_MAIN(TestPackageVersions)
#include "tst_packageversions.moc"
