#include "app/placeholderpage.h"

#include "app/context.h"

#include <QCoreApplication>
#include <QFont>
#include <QPainter>

namespace {
const QColor BACKGROUND(0x1b, 0x26, 0x2f);
const QColor ACCENT(0x2e, 0x9e, 0x6b);
} // namespace

PlaceholderPage::PlaceholderPage(Context* context, QWidget* parent)
    : QWidget(parent)
    , Activity(context)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PlaceholderPage::onStart()
{
    context()->showView(this);
}

void PlaceholderPage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), BACKGROUND);

    const int centreY = height() / 2;
    QFont title = font();
    title.setPixelSize(qMax(24, width() / 6));
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(Qt::white);
    const QRect titleRect(0, centreY - title.pixelSize(), width(), title.pixelSize() + title.pixelSize() / 3);
    painter.drawText(titleRect, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("vm24"));

    const int barWidth = width() / 5;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ACCENT);
    painter.drawRoundedRect(QRect((width() - barWidth) / 2, titleRect.bottom() + 24, barWidth, 12), 6, 6);

    QFont version = font();
    version.setPixelSize(qMax(12, width() / 30));
    painter.setFont(version);
    painter.setPen(QColor(255, 255, 255, 180));
    painter.drawText(QRect(0, titleRect.bottom() + 60, width(), version.pixelSize() * 2),
                     Qt::AlignHCenter | Qt::AlignTop, QCoreApplication::applicationVersion());
}
