#pragma once

#include "core/alarm.h"
#include "settings/iconfigurable.h"
#include "ui/activity.h"
#include "ui/backgroundpicture.h"

#include <QRect>
#include <QTimer>
#include <QWidget>

#include <functional>

class AlarmDialog;
class AlarmManager;
class ClickableArea;
class ClickableImageLabel;
class CustomBannerPage;
class OpenPharmaciesPage;
class PendingActivityQueue;
class QButtonGroup;
class QTranslator;

// The idle screen and the bottom of the activity stack: the pictures of the
// slideshow inside a frame, two red banners inviting a touch, the language
// buttons and two header buttons for the shop's message and the pharmacies
// on duty. Any touch on the banners or the pictures starts the purchase.
// While it has the screen it shows the out-of-service dialog during alarms
// and hands the screen to activities waiting in the pending queue.
class HomePage : public QWidget, public Activity, public IConfigurable
{
    Q_OBJECT

public:
    static const QRect MEDIA_FRAME;
    static const QRect INFO_RECTANGLE_TOP;
    static const QRect INFO_RECTANGLE_BOTTOM;
    static const QRect LANGUAGE_TOOLBAR;
    static const QRect MEDIA_AREA;
    static const QMargins BUTTON_MARGINS;
    // In the order of the language buttons; only those with a translation
    // among the resources get a button.
    static const QStringList SUPPORTED_LANGUAGES;

    // productPage gives the page a touch starts, asked for at each touch:
    // it may be built on the first.
    HomePage(std::function<Activity*()> productPage, PendingActivityQueue* pendingActivities, AlarmManager* alarmManager,
             Activity* maintenanceMode, QTranslator& translator, Context* context, QWidget* parent = nullptr);

    void onStart() override;
    void onResume(const ActivityResult& result) override;
    void onPause() override;

    void loadConfiguration(const Settings& settings) override;
    void setLanguage(const QString& language);

    QString currentLanguage() const { return m_currentLanguage; }
    QString defaultLanguage() const { return m_defaultLanguage; }
    bool isRestoreTimerRunning() const { return m_restoreTimer.isActive(); }
    int restoreTimeoutMs() const { return m_restoreTimer.interval(); }
    QButtonGroup* languageButtons() const { return m_languageButtons; }
    AlarmDialog* alarmDialog() const { return m_alarmDialog; }
    // The pages of the header buttons, built when first opened.
    ClickableImageLabel* customTextButton() const { return m_customTextButton; }
    ClickableImageLabel* pharmaciesButton() const { return m_pharmaciesButton; }
    CustomBannerPage* customBannerPage();
    OpenPharmaciesPage* pharmaciesPage();
    // The text the banners show, fitted to their width in the page's font.
    QString bannerText() const;

public slots:
    void onEnterClicked();
    void showCustomBanner();
    void showOpenPharmacies();
    void startPendingActivity();
    void onAlarmsChanged(VM24::Alarms alarms);
    void onInputChanged(int inputs);
    void onLanguageButtonClicked(int index);
    void restoreDefaultLanguage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setUpPage();
    void createHeaderButtons();
    void createTouchTargets();
    void createLanguageButtons();
    void paintBanner(QPainter& painter, const QRect& rect);
    void retranslate();

    std::function<Activity*()> m_productPage;
    PendingActivityQueue* m_pendingActivities;
    AlarmManager* m_alarmManager;
    Activity* m_maintenanceMode;
    AlarmDialog* m_alarmDialog;
    ClickableImageLabel* m_customTextButton = nullptr;
    ClickableImageLabel* m_pharmaciesButton = nullptr;
    CustomBannerPage* m_customBannerPage = nullptr;
    OpenPharmaciesPage* m_pharmaciesPage = nullptr;
    QButtonGroup* m_languageButtons = nullptr;
    QTranslator& m_translator;
    QString m_defaultLanguage;
    QString m_currentLanguage;
    QString m_userText;
    QTimer m_restoreTimer;
    BackgroundPicture m_mediaFrame;
    BackgroundPicture m_languageToolbar;
    QMetaObject::Connection m_queueConnection;
    QMetaObject::Connection m_alarmConnection;
};
