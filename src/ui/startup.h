#pragma once

#include <QString>

#include <memory>

class QApplication;
class QSplashScreen;
class QTranslator;
class QWidget;

// The steps of the program's start-up that do not need the board.
namespace VM24 {

static const char* const MAIN_STYLE_RESOURCE = ":/main-style";
static const char* const TRANSLATIONS_RESOURCE_DIR = ":/i18n";
static const int PIXMAP_CACHE_LIMIT_KB = 10240;

// Reads the style sheet resource whole and installs it on the application.
// A missing resource leaves the application without a style sheet.
bool install_style_sheet(QApplication& application,
                         const QString& resource = QLatin1String(MAIN_STYLE_RESOURCE));

// Loads the translation named language (e.g. "en") from ":/i18n" into the
// translator. When there is none the translator is left empty, so the
// Italian source texts show.
bool load_translation(QTranslator& translator, const QString& language);

// The language the program starts in: settings key "default-language".
QString start_language();

// "Inizializzazione interfaccia grafica", in the current language.
QString splash_message();

// Shows the widget over the whole primary screen, also where no window
// manager handles full-screen requests (a bare X server).
void show_full_screen(QWidget* widget);

// Shows the start-up splash full screen with its message and paints it once.
std::unique_ptr<QSplashScreen> show_splash_screen();

} // namespace VM24
