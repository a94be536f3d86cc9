#include "ui/simpledisplayactivity.h"

#include "core/vm24.h"
#include "ui/clickableimagelabel.h"
#include "ui/context.h"
#include "ui/stylebackground.h"

#include <QEvent>

const QPoint SimpleDisplayActivity::EXIT_BUTTON_LOCATION(212, 1594);

namespace {
const int SCREEN_WIDTH = 1080;
}

SimpleDisplayActivity::SimpleDisplayActivity(Context* context, QWidget* parent)
    : QWidget(parent)
    , Activity(context)
    , m_content(new QWidget(this))
    , m_backButton(new ClickableImageLabel(QPixmap(QStringLiteral(":/images/promo-button")),
                                           VM24::PROMO_BUTTON_MARGINS, this))
{
    m_content->setGeometry(0, 0, SCREEN_WIDTH, EXIT_BUTTON_LOCATION.y());
    m_backButton->setProperty("class", QStringLiteral("promo-button"));
    m_backButton->move(EXIT_BUTTON_LOCATION);
    connect(m_backButton, &QAbstractButton::clicked, this, &SimpleDisplayActivity::goBack);

    m_timer.setSingleShot(true);
    m_timer.setInterval(TIMEOUT_MS);
    retranslate();
}

void SimpleDisplayActivity::onStart()
{
    initActivity();
}

void SimpleDisplayActivity::onResume(const ActivityResult&)
{
    initActivity();
}

void SimpleDisplayActivity::onPause()
{
    m_timer.stop();
    disconnect(m_timeoutConnection);
}

void SimpleDisplayActivity::goBack()
{
    finish();
}

void SimpleDisplayActivity::pauseTimer()
{
    m_timer.stop();
}

void SimpleDisplayActivity::restoreTimer()
{
    m_timer.start();
}

void SimpleDisplayActivity::initActivity()
{
    disconnect(m_timeoutConnection);
    m_timeoutConnection = connect(&m_timer, &QTimer::timeout, this, &SimpleDisplayActivity::goBack);
    m_timer.start();
    context()->showView(this);
}

void SimpleDisplayActivity::paintEvent(QPaintEvent*)
{
    VM24::paint_style_background(this);
}

void SimpleDisplayActivity::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void SimpleDisplayActivity::retranslate()
{
    m_backButton->setText(tr("TORNA INDIETRO"));
}
