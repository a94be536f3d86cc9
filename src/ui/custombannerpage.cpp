#include "ui/custombannerpage.h"

#include "ui/displaypagetitle.h"
#include "ui/imagelabel.h"

#include <QEvent>
#include <QFile>
#include <QLabel>

const char* const CustomBannerPage::MESSAGE_FILE = "data:user/messaggio.html";

CustomBannerPage::CustomBannerPage(Context* context, QWidget* parent)
    : SimpleDisplayActivity(context, parent)
    , m_title(VM24::make_display_page_title(contentWidget()))
    , m_message(new QLabel(contentWidget()))
{
    m_message->setStyleSheet(QStringLiteral("color: white"));
    m_message->setProperty("class", QStringLiteral("display-text"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::RichText);

    VM24::lay_out_display_page(contentWidget(), m_title, m_message);
    retranslate();
}

void CustomBannerPage::onStart()
{
    loadMessage();
    SimpleDisplayActivity::onStart();
}

QString CustomBannerPage::messageText() const
{
    return m_message->text();
}

void CustomBannerPage::loadMessage()
{
    QFile file{QLatin1String(MESSAGE_FILE)};
    if (!file.open(QIODevice::ReadOnly))
        return; // the previous text stays
    m_message->setText(QString::fromUtf8(file.readAll()));
}

void CustomBannerPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    SimpleDisplayActivity::changeEvent(event);
}

void CustomBannerPage::retranslate()
{
    m_title->setText(tr("INFORMAZIONI DELLA FARMACIA"));
}
