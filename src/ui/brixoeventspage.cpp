#include "ui/brixoeventspage.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

const char* const BrixoEventsPage::EVENTS_PICTURE = "data:brixo-events/brixo-events.jpg";

BrixoEventsPage::BrixoEventsPage(Context* context, QWidget* parent)
    : SimpleDisplayActivity(context, parent)
    , m_picture(new QLabel(contentWidget()))
{
    m_picture->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(contentWidget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_picture);
}

void BrixoEventsPage::onStart()
{
    const QPixmap picture{QLatin1String(EVENTS_PICTURE)};
    const QSize room = contentWidget()->size();
    // Shown whole: a picture larger than the page is scaled down to fit.
    if (!picture.isNull() && (picture.width() > room.width() || picture.height() > room.height()))
        m_picture->setPixmap(picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    else
        m_picture->setPixmap(picture);
    SimpleDisplayActivity::onStart();
}

bool BrixoEventsPage::hasPicture() const
{
    return !m_picture->pixmap().isNull();
}
