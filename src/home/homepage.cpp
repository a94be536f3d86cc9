#include "home/homepage.h"

#include "board/inputmask.h"
#include "settings/settings.h"
#include "ui/alarmdialog.h"
#include "ui/clickablearea.h"
#include "ui/clickableimagelabel.h"
#include "ui/context.h"
#include "ui/custombannerpage.h"
#include "ui/openpharmaciespage.h"
#include "ui/pendingactivityqueue.h"
#include "ui/startup.h"
#include "ui/stylebackground.h"
#include "ui/textfit.h"
#include "vending/alarmmanager.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFile>
#include <QPainter>
#include <QTranslator>

#include <utility>

const QRect HomePage::MEDIA_FRAME(QPoint(22, 390), QPoint(1056, 1690));
const QRect HomePage::INFO_RECTANGLE_TOP(QPoint(60, 278), QPoint(1018, 374));
const QRect HomePage::INFO_RECTANGLE_BOTTOM(QPoint(60, 1705), QPoint(1018, 1801));
const QRect HomePage::LANGUAGE_TOOLBAR(QPoint(329, 1819), QPoint(750, 1898));
const QRect HomePage::MEDIA_AREA(QPoint(92, 424), QPoint(992, 1654));
const QMargins HomePage::BUTTON_MARGINS(27, 27, 27, 27);
const QStringList HomePage::SUPPORTED_LANGUAGES{QStringLiteral("it"), QStringLiteral("en"),
                                                QStringLiteral("de"), QStringLiteral("fr")};

namespace {

const QPoint CUSTOM_TEXT_BUTTON_POSITION(36, 14);
const QPoint PHARMACIES_BUTTON_POSITION(542, 14);
const char* const ITALIAN = "it";
const int LANGUAGE_BUTTON_SIZE = 80;
const int LANGUAGE_BUTTON_STEP = 114;
const int BANNER_RADIUS = 11;
const int BANNER_FONT_POINTS = 42;
const int BANNER_TEXT_PADDING = 24;
const QColor BANNER_OUTLINE(112, 3, 11);
const QColor BANNER_FILL(186, 41, 46);

// A button over the pictures that draws nothing, not even while pressed.
class InvisibleButton : public QAbstractButton
{
public:
    using QAbstractButton::QAbstractButton;

protected:
    void paintEvent(QPaintEvent*) override {}
};

} // namespace

HomePage::HomePage(std::function<Activity*()> productPage, PendingActivityQueue* pendingActivities,
                   AlarmManager* alarmManager, Activity* maintenanceMode, QTranslator& translator, Context* context,
                   QWidget* parent)
    : QWidget(parent)
    , Activity(context)
    , m_productPage(std::move(productPage))
    , m_pendingActivities(pendingActivities)
    , m_alarmManager(alarmManager)
    , m_maintenanceMode(maintenanceMode)
    , m_alarmDialog(new AlarmDialog(this))
    , m_translator(translator)
    , m_defaultLanguage(Settings::defaultValue(Settings::DefaultLanguage))
    , m_mediaFrame(QStringLiteral(":/images/media-frame"))
    , m_languageToolbar(QStringLiteral(":/images/language-toolbar"))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_restoreTimer.setSingleShot(true);
    m_restoreTimer.setInterval(Settings::defaultValue(Settings::RestoreLanguageTimeout) * 1000);
    connect(&m_restoreTimer, &QTimer::timeout, this, &HomePage::restoreDefaultLanguage);

    createHeaderButtons();
    createTouchTargets();
    createLanguageButtons();
    retranslate();
}

void HomePage::createHeaderButtons()
{
    const QPixmap picture(QStringLiteral(":/images/home-button"));
    m_customTextButton = new ClickableImageLabel(picture, BUTTON_MARGINS, this);
    m_customTextButton->setProperty("class", QStringLiteral("home-button"));
    m_customTextButton->move(CUSTOM_TEXT_BUTTON_POSITION);
    connect(m_customTextButton, &QAbstractButton::clicked, this, &HomePage::showCustomBanner);

    m_pharmaciesButton = new ClickableImageLabel(picture, BUTTON_MARGINS, this);
    m_pharmaciesButton->setProperty("class", QStringLiteral("home-button"));
    m_pharmaciesButton->move(PHARMACIES_BUTTON_POSITION);
    connect(m_pharmaciesButton, &QAbstractButton::clicked, this, &HomePage::showOpenPharmacies);
}

void HomePage::createTouchTargets()
{
    auto* top = new ClickableArea(this);
    top->setGeometry(INFO_RECTANGLE_TOP);
    auto* pictures = new InvisibleButton(this);
    pictures->setGeometry(MEDIA_FRAME);
    auto* bottom = new ClickableArea(this);
    bottom->setGeometry(INFO_RECTANGLE_BOTTOM);
    for (QAbstractButton* target : {static_cast<QAbstractButton*>(top), static_cast<QAbstractButton*>(pictures),
                                    static_cast<QAbstractButton*>(bottom)})
        connect(target, &QAbstractButton::clicked, this, &HomePage::onEnterClicked);
}

void HomePage::createLanguageButtons()
{
    m_languageButtons = new QButtonGroup(this);
    for (int i = 0; i < SUPPORTED_LANGUAGES.size(); ++i) {
        const QString resource =
            QStringLiteral("%1/%2").arg(QLatin1String(VM24::TRANSLATIONS_RESOURCE_DIR), SUPPORTED_LANGUAGES.at(i));
        if (!QFile::exists(resource))
            continue;
        auto* button = new ClickableArea(this);
        button->setGeometry(LANGUAGE_TOOLBAR.left() + LANGUAGE_BUTTON_STEP * i, LANGUAGE_TOOLBAR.top(),
                            LANGUAGE_BUTTON_SIZE, LANGUAGE_BUTTON_SIZE);
        button->setObjectName(QStringLiteral("language-") + SUPPORTED_LANGUAGES.at(i));
        m_languageButtons->addButton(button, i);
    }
    connect(m_languageButtons, &QButtonGroup::idClicked, this, &HomePage::onLanguageButtonClicked);
}

void HomePage::onStart()
{
    setUpPage();
}

void HomePage::onResume(const ActivityResult&)
{
    setUpPage();
}

// The page is shown before a pending activity takes the screen, so that the
// activity's own page stays on top.
void HomePage::setUpPage()
{
    setLanguage(m_defaultLanguage);
    context()->showView(this);
    if (!m_pendingActivities->isEmpty()) {
        startPendingActivity();
        return;
    }
    disconnect(m_queueConnection);
    m_queueConnection = connect(m_pendingActivities, &PendingActivityQueue::queueNotEmpty, this,
                                &HomePage::startPendingActivity);
    disconnect(m_alarmConnection);
    if (m_alarmManager) {
        m_alarmConnection =
            connect(m_alarmManager, &AlarmManager::alarmsChanged, this, &HomePage::onAlarmsChanged);
        onAlarmsChanged(m_alarmManager->activeAlarms());
    }
}

void HomePage::onPause()
{
    m_restoreTimer.stop();
    disconnect(m_queueConnection);
    disconnect(m_alarmConnection);
    m_alarmDialog->hide();
}

void HomePage::onAlarmsChanged(VM24::Alarms alarms)
{
    if (!alarms) {
        m_alarmDialog->hide();
        return;
    }
    m_alarmDialog->setAlarms(alarms);
    m_alarmDialog->show();
}

void HomePage::loadConfiguration(const Settings& settings)
{
    m_defaultLanguage = settings.value(Settings::DefaultLanguage);
    const int timeout = settings.value(Settings::RestoreLanguageTimeout);
    m_restoreTimer.setInterval(qMax(0, timeout) * 1000);
    m_userText = settings.value(Settings::UserText);
    m_customTextButton->setText(m_userText);
}

void HomePage::setLanguage(const QString& language)
{
    if (language == m_currentLanguage)
        return;
    m_currentLanguage = language;
    // A language without a translation shows the Italian texts, from the
    // Italian translation when there is one: it carries the plural forms
    // the source texts leave open. Every page re-translates on the
    // language change.
    if (!VM24::load_translation(m_translator, language))
        VM24::load_translation(m_translator, QLatin1String(ITALIAN));
}

void HomePage::onEnterClicked()
{
    if (Activity* page = m_productPage ? m_productPage() : nullptr)
        startActivity(page);
}

CustomBannerPage* HomePage::customBannerPage()
{
    if (!m_customBannerPage) {
        m_customBannerPage = new CustomBannerPage(context());
        context()->addView(m_customBannerPage);
    }
    return m_customBannerPage;
}

OpenPharmaciesPage* HomePage::pharmaciesPage()
{
    if (!m_pharmaciesPage) {
        m_pharmaciesPage = new OpenPharmaciesPage(context());
        context()->addView(m_pharmaciesPage);
    }
    return m_pharmaciesPage;
}

void HomePage::showCustomBanner()
{
    startActivity(customBannerPage());
}

void HomePage::showOpenPharmacies()
{
    startActivity(pharmaciesPage());
}

void HomePage::startPendingActivity()
{
    if (m_pendingActivities->isEmpty())
        return;
    startActivity(m_pendingActivities->takeOne());
}

void HomePage::onInputChanged(int inputs)
{
    if (isResumed() && m_maintenanceMode && (inputs & InputMask::InternalButton))
        startActivity(m_maintenanceMode);
}

void HomePage::onLanguageButtonClicked(int index)
{
    if (index < 0 || index >= SUPPORTED_LANGUAGES.size())
        return;
    setLanguage(SUPPORTED_LANGUAGES.at(index));
    m_restoreTimer.start();
}

void HomePage::restoreDefaultLanguage()
{
    setLanguage(m_defaultLanguage);
}

QString HomePage::bannerText() const
{
    return tr("TOCCA LO SCHERMO PER ACQUISTARE");
}

void HomePage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    VM24::paint_style_background(this, painter);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(MEDIA_FRAME, m_mediaFrame.pixmap());
    paintBanner(painter, INFO_RECTANGLE_TOP);
    paintBanner(painter, INFO_RECTANGLE_BOTTOM);
    painter.drawPixmap(LANGUAGE_TOOLBAR, m_languageToolbar.pixmap());
}

void HomePage::paintBanner(QPainter& painter, const QRect& rect)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(BANNER_OUTLINE);
    painter.setBrush(BANNER_FILL);
    painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), BANNER_RADIUS, BANNER_RADIUS);

    QFont font = this->font();
    font.setPointSize(BANNER_FONT_POINTS);
    font.setBold(true);
    const QString text = bannerText();
    painter.setFont(VM24::fitted_font(font, text, rect.width() - 2 * BANNER_TEXT_PADDING));
    painter.setPen(Qt::white);
    painter.drawText(rect, Qt::AlignCenter, text);
    painter.restore();
}

void HomePage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void HomePage::retranslate()
{
    m_pharmaciesButton->setText(tr("FARMACIE\nDI TURNO"));
    update();
}
