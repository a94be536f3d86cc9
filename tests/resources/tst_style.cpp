#include "lookchecks.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QStringList g_styleWarnings;

void collectStyleWarnings(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_styleWarnings << message;
}

QString readResource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QLabel* styledLabel(const QString& cssClass, QWidget* parent = nullptr)
{
    auto* label = new QLabel(parent);
    if (!cssClass.isEmpty())
        label->setProperty("class", cssClass);
    label->ensurePolished();
    return label;
}

QColor textColour(QWidget* widget)
{
    return widget->palette().color(widget->foregroundRole());
}

// The colour a button really paints its text with in its present state
// (style sheets colour states such as :checked at paint time only): the
// pixel that changes most when the button shows two full blocks.
QColor renderedTextColour(QPushButton& button)
{
    const QString text = button.text();
    button.setText(QString());
    const QImage empty = button.grab().toImage();
    button.setText(QStringLiteral("\u2588\u2588"));
    const QImage blocks = button.grab().toImage();
    button.setText(text);
    QPoint most;
    int largest = -1;
    for (int y = 0; y < blocks.height(); ++y) {
        for (int x = 0; x < blocks.width(); ++x) {
            const QRgb a = empty.pixel(x, y);
            const QRgb b = blocks.pixel(x, y);
            const int difference = qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
            if (difference > largest) {
                largest = difference;
                most = QPoint(x, y);
            }
        }
    }
    return QColor(blocks.pixel(most));
}

} // namespace

// The main style sheet is valid, uses the look's font, and every text it
// colours stays readable (contrast 4.5 : 1 or more) on the picture or surface
// it is drawn on, in Italian and in English, without clipping.
class StyleTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString style = readResource(QStringLiteral(":/main-style"));
        QVERIFY2(!style.isEmpty(), ":/main-style is not compiled in");
        QtMessageHandler previous = qInstallMessageHandler(collectStyleWarnings);
        qApp->setStyleSheet(style);
        QScopedPointer<QLabel> probe(styledLabel(QStringLiteral("title")));
        QPushButton button;
        button.ensurePolished();
        qInstallMessageHandler(previous);
        QVERIFY2(g_styleWarnings.isEmpty(), qPrintable(g_styleWarnings.join(QLatin1Char('\n'))));
    }

    void textUsesTheLooksFontFamily()
    {
        QScopedPointer<QLabel> label(styledLabel(QString()));
        QCOMPARE(QFontInfo(label->font()).family(), QStringLiteral("DejaVu Sans"));
        QVERIFY(label->font().pixelSize() >= 28);
    }

    void accountingStyleIsCompiledIn()
    {
        QVERIFY(readResource(QStringLiteral(":/accounting-style")).contains(QLatin1String("#b6bfde")));
    }

    // Each text zone of a picture (tools/artwork/layout.json) with the class
    // the page gives its label.
    void textZoneIsReadable_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QRect>("zone");
        QTest::addColumn<QString>("cssClass");
        const QJsonObject pictures = LookChecks::pictures();
        QVERIFY(!pictures.isEmpty());
        for (auto picture = pictures.begin(); picture != pictures.end(); ++picture) {
            const QJsonObject zones = picture.value().toObject();
            for (auto zone = zones.begin(); zone != zones.end(); ++zone) {
                const QString cssClass = zone.value().toObject().value(QStringLiteral("class")).toString();
                if (cssClass.isEmpty())
                    continue;
                const QString row = picture.key() + QLatin1Char('/') + zone.key();
                QTest::newRow(qPrintable(row)) << picture.key() << LookChecks::zoneRect(zone.value().toObject())
                                               << cssClass;
            }
        }
    }
    void textZoneIsReadable()
    {
        QFETCH(QString, picture);
        QFETCH(QRect, zone);
        QFETCH(QString, cssClass);
        const QImage image(QStringLiteral(":/images/") + picture);
        QVERIFY(!image.isNull());
        QScopedPointer<QLabel> label(styledLabel(cssClass));
        const double ratio = LookChecks::contrastOver(image, zone, textColour(label.data()));
        QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("contrast %1 of class %2").arg(ratio).arg(cssClass)));
    }

    void pageTextIsReadableOnTheBackground()
    {
        const QImage background(QStringLiteral(":/images/generic-background"));
        QScopedPointer<QLabel> label(styledLabel(QString()));
        for (const char* cssClass : {"", "title", "page-heading", "collect-label", "display-text", "text"}) {
            label->setProperty("class", QLatin1String(cssClass));
            label->setStyleSheet(QString());   // re-polish with the new class
            const double ratio = LookChecks::contrastOver(background, background.rect(), textColour(label.data()), 0.0);
            QVERIFY2(ratio >= 4.5, cssClass);
        }
    }

    // Surfaces painted by the style sheet itself: grab the widget and compare the
    // text colour with the surface next to the text.
    void dialogAndButtonTextIsReadable_data()
    {
        QTest::addColumn<QString>("surfaceClass");
        QTest::addColumn<QString>("textClass");
        QTest::newRow("wait dialog") << "decorated-dialog" << "decorated-label";
        QTest::newRow("wait dialog footer") << "decorated-dialog" << "decorated-label footer-label";
        QTest::newRow("export footer") << "decorated-dialog" << "footer-label";
        QTest::newRow("alarm dialog") << "error-dialog" << "";
        QTest::newRow("alarm dialog title") << "error-dialog" << "title";
        QTest::newRow("maintenance dialog") << "" << "";
    }
    void dialogAndButtonTextIsReadable()
    {
        QFETCH(QString, surfaceClass);
        QFETCH(QString, textClass);
        QDialog dialog;
        dialog.setProperty("class", surfaceClass);
        dialog.resize(600, 320);
        auto* layout = new QVBoxLayout(&dialog);
        layout->setContentsMargins(32, 32, 32, 16);
        QLabel* label = styledLabel(textClass, &dialog);
        layout->addWidget(label, 0, Qt::AlignBottom);
        dialog.ensurePolished();
        const QImage surface = dialog.grab().toImage();
        const double ratio = LookChecks::contrastOver(surface, QRect(20, 20, 560, 40), textColour(label));
        QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
    }

    void buttonTextIsReadable_data()
    {
        QTest::addColumn<QString>("cssClass");
        QTest::addColumn<bool>("checked");
        QTest::newRow("plain") << "" << false;
        QTest::newRow("menu button") << "generic-menu-button" << false;
        QTest::newRow("menu button, checked") << "generic-menu-button" << true;
        QTest::newRow("save and exit") << "generic-menu-button bottom" << false;
        QTest::newRow("alarm switch off") << "generic-menu-button alarm-enable" << false;
        QTest::newRow("alarm switch on") << "generic-menu-button alarm-enable" << true;
        QTest::newRow("light switch, steady") << "light-behaviour" << false;
        QTest::newRow("light switch, flashing") << "light-behaviour" << true;
        QTest::newRow("keyboard command key") << "function" << false;
    }
    void buttonTextIsReadable()
    {
        QFETCH(QString, cssClass);
        QFETCH(bool, checked);
        QPushButton button;
        if (!cssClass.isEmpty())
            button.setProperty("class", cssClass);
        button.setCheckable(checked);
        button.setChecked(checked);
        button.resize(400, 100);
        button.ensurePolished();
        QVERIFY2(button.minimumSizeHint().height() >= 72, "button lower than a finger");
        const QImage surface = button.grab().toImage();
        const QRect inside = surface.rect().adjusted(12, 12, -12, -12);
        const double ratio = LookChecks::contrastOver(surface, inside, renderedTextColour(button));
        QVERIFY2(ratio >= 4.5, qPrintable(QString::number(ratio)));
    }

    // The longest texts each zone carries, in Italian and in English, fit
    // without clipping at the size of their class.
    void textFitsItsZone_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("zone");
        QTest::addColumn<QString>("text");
        auto add = [](const char* picture, const char* zone, const char* italian, const char* english) {
            QTest::addRow("%s/%s it", picture, zone) << picture << zone << QString::fromUtf8(italian);
            QTest::addRow("%s/%s en", picture, zone) << picture << zone << QString::fromUtf8(english);
        };
        add("promo-button", "text", "TORNA INDIETRO", "GO BACK");
        add("promo-button", "text", "ALTRI PRODOTTI", "MORE PRODUCTS");
        add("promo-button", "text", "NO GRAZIE", "NO THANKS");
        add("home-button", "text", "FARMACIE\nDI TURNO", "PHARMACIES\nON DUTY");
        add("brixo-banner-frame", "title", "INFORMAZIONI DELLA FARMACIA", "PHARMACY INFORMATION");
        add("info-pane", "heading", "INSERISCI DENARO", "INSERT MONEY");
        add("info-pane", "change", "RESTO MASSIMO EROGABILE\n\u20ac 50,00", "MAXIMUM CHANGE AVAILABLE\n\u20ac 50,00");
        add("info-pane", "change", "RESTO NON DISPONIBILE", "CHANGE NOT AVAILABLE");
        add("info-pane", "ticket", "SCONTRINO NON DISPONIBILE", "RECEIPT NOT AVAILABLE");
        add("info-pane", "close", "CHIUDI OPERAZIONE", "END TRANSACTION");
        add("description-frame", "heading", "DESCRIZIONE:", "DESCRIPTION:");
        add("price-frame", "heading", "PREZZO UNITARIO:", "UNIT PRICE:");
        add("price-frame", "value", "\u20ac 99,50", "\u20ac 99,50");
        add("quantity-frame", "heading", "QUANTITA':", "QUANTITY:");
        add("quantity-frame", "value", "10", "10");
        add("cancel-button", "text", "ANNULLA", "CANCEL");
        add("confirm-button", "text", "CONFERMA", "CONFIRM");
        add("button-price-frame", "text", "\u20ac 129,90", "\u20ac 129,90");
    }
    void textFitsItsZone()
    {
        QFETCH(QString, picture);
        QFETCH(QString, zone);
        QFETCH(QString, text);
        const QJsonObject entry = LookChecks::pictures().value(picture).toObject().value(zone).toObject();
        const QRect rect = LookChecks::zoneRect(entry);
        QVERIFY(!rect.isEmpty());
        QScopedPointer<QLabel> label(styledLabel(entry.value(QStringLiteral("class")).toString()));
        const QFontMetrics metrics(label->font());
        for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
            QVERIFY2(metrics.horizontalAdvance(word) <= rect.width(), qPrintable(word + QStringLiteral(" is too wide")));
        const QRect needed = metrics.boundingRect(QRect(0, 0, rect.width(), 10000), Qt::AlignHCenter | Qt::TextWordWrap, text);
        QVERIFY2(needed.height() <= rect.height(),
                 qPrintable(QStringLiteral("%1 px of %2").arg(needed.height()).arg(rect.height())));
    }
};

QTEST_MAIN(StyleTest)
#include "tst_style.moc"
