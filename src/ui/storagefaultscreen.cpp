#include "ui/storagefaultscreen.h"

#include "core/vm24.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const QMargins CARD_MARGINS(48, 64, 48, 64);
// The card's border in the style sheet ("error-dialog").
const int CARD_BORDER = 6;
} // namespace

StorageFaultScreen::StorageFaultScreen(QWidget* parent)
    : QWidget(parent)
{
    setProperty("class", QStringLiteral("fault-screen"));
    setAttribute(Qt::WA_StyledBackground);

    auto* card = new QFrame(this);
    card->setProperty("class", QStringLiteral("error-dialog"));
    card->setFixedWidth(CARD_WIDTH);
    m_message = new QLabel(card);
    m_message->setProperty("class", QStringLiteral("title"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(CARD_MARGINS);
    cardLayout->addWidget(m_message);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(card, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    // The style sheet's fonts before the first layout: the wrapped notice
    // is measured in the font it is drawn in.
    ensurePolished();
    showMessage();

    m_retry.setInterval(RETRY_INTERVAL_MS);
    connect(&m_retry, &QTimer::timeout, this, &StorageFaultScreen::lookAgain);
    m_retry.start();
}

QString StorageFaultScreen::message()
{
    return tr("Memoria della macchina non scrivibile: vendita sospesa. Chiamare l'assistenza.");
}

QString StorageFaultScreen::shownMessage() const
{
    return m_message->text();
}

void StorageFaultScreen::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        showMessage();
    QWidget::changeEvent(event);
}

// The card grows with the lines of the wrapped text: a layout gives a
// centred card only the height of its unwrapped text.
void StorageFaultScreen::showMessage()
{
    m_message->setText(message());
    const int width = CARD_WIDTH - CARD_MARGINS.left() - CARD_MARGINS.right() - 2 * CARD_BORDER;
    m_message->setMinimumHeight(m_message->heightForWidth(width));
}

void StorageFaultScreen::lookAgain()
{
    if (!VM24::application_dir_writable())
        return;
    m_retry.stop();
    emit writable();
}
