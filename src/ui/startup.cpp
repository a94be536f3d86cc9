#include "settings/settings.h"
#include "ui/startup.h"


#include <QApplication>
#include <QColor>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSplashScreen>
#include <QTranslator>

namespace VM24 {

namespace {

const char* const SPLASH_BACKGROUND = ":/images/generic-background";
// Shown behind the message when the background picture is missing.
const QColor SPLASH_FALLBACK_COLOR(0x1b, 0x26, 0x2f);
const int SPLASH_MESSAGE_PIXEL_SIZE = 44;

QPixmap splash_background()
{
    QPixmap background{QLatin1String(SPLASH_BACKGROUND)};
    if (!background.isNull())
        return background;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(1080, 1920);
    background = QPixmap(size);
    background.fill(SPLASH_FALLBACK_COLOR);
    return background;
}

} // namespace

bool install_style_sheet(QApplication& application, const QString& resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    application.setStyleSheet(QString::fromUtf8(file.readAll()));
    return true;
}

bool load_translation(QTranslator& translator, const QString& language)
{
    return translator.load(language, QLatin1String(TRANSLATIONS_RESOURCE_DIR));
}

QString start_language()
{
    return Settings().value(Settings::DefaultLanguage);
}

QString splash_message()
{
    return QCoreApplication::translate("SplashMessages", "Inizializzazione interfaccia grafica");
}

void show_full_screen(QWidget* widget)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        widget->setGeometry(screen->geometry());
    widget->showFullScreen();
}

std::unique_ptr<QSplashScreen> show_splash_screen()
{
    auto splash = std::make_unique<QSplashScreen>(splash_background(), Qt::WindowStaysOnTopHint);
    QFont font = splash->font();
    font.setPixelSize(SPLASH_MESSAGE_PIXEL_SIZE);
    font.setBold(true);
    splash->setFont(font);
    show_full_screen(splash.get());
    splash->showMessage(splash_message(), Qt::AlignCenter, Qt::white);
    // The splash screen's own repaint shows it before any event loop runs.
    splash->repaint();
    return splash;
}

} // namespace VM24
