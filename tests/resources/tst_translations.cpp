// Every text the program translates has an Italian and an English entry:
// the translation files are refreshed from the sources into a temporary
// copy, which must then hold no unfinished and no vanished entry.

#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString lupdate_program()
{
    const QString inBinaries = QLibraryInfo::path(QLibraryInfo::BinariesPath) + QStringLiteral("/lupdate");
    if (QFileInfo(inBinaries).isExecutable())
        return inBinaries;
    return QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath) + QStringLiteral("/lupdate");
}

// The sources of the entries lupdate marked with the given type.
QStringList entries_of_type(const QString& tsFile, const QString& type)
{
    QFile file(tsFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {QStringLiteral("cannot read ") + tsFile};
    static const QRegularExpression message(
        QStringLiteral("<source>([^<]*)</source>\\s*(?:<comment>[^<]*</comment>\\s*)?<translation type=\"(\\w+)\""),
        QRegularExpression::DotMatchesEverythingOption);
    QStringList sources;
    const QString text = QString::fromUtf8(file.readAll());
    for (auto it = message.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(2) == type)
            sources.append(match.captured(1));
    }
    return sources;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everyTextIsTranslated_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("Italian") << QStringLiteral("it");
        QTest::newRow("English") << QStringLiteral("en");
    }
    void everyTextIsTranslated()
    {
        QFETCH(QString, language);
        const QString program = lupdate_program();
        if (!QFileInfo(program).isExecutable())
            QSKIP("lupdate is not installed");
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString copy = dir.filePath(language + QStringLiteral(".ts"));
        QVERIFY(QFile::copy(QStringLiteral(VM24_SOURCE_DIR "/resources/i18n/") + language + QStringLiteral(".ts"),
                            copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(program, {QStringLiteral("-locations"), QStringLiteral("none"),
                                QStringLiteral(VM24_SOURCE_DIR "/src"), QStringLiteral("-ts"), copy});
        QVERIFY(lupdate.waitForFinished(60000));
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());

        const QStringList unfinished = entries_of_type(copy, QStringLiteral("unfinished"));
        QVERIFY2(unfinished.isEmpty(), qPrintable(QStringLiteral("untranslated: ") + unfinished.join(QStringLiteral(" | "))));
        const QStringList vanished = entries_of_type(copy, QStringLiteral("vanished"));
        QVERIFY2(vanished.isEmpty(), qPrintable(QStringLiteral("no longer used: ") + vanished.join(QStringLiteral(" | "))));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
