#include "ui/imagelabel.h"

#include "ui/stylebackground.h"

#include <QPainter>

ImageLabel::ImageLabel(QWidget* parent)
    : QWidget(parent)
{
}

ImageLabel::ImageLabel(const QPixmap& pixmap, const QMargins& margins, QWidget* parent)
    : QWidget(parent)
    , m_margins(margins)
{
    setPixmap(pixmap);
}

void ImageLabel::setPixmap(const QPixmap& pixmap)
{
    m_pixmap = pixmap;
    takeSizeOf(this, pixmap);
    update();
}

void ImageLabel::setText(const QString& text)
{
    if (m_text == text)
        return;
    m_text = text;
    update();
}

void ImageLabel::setMargins(const QMargins& margins)
{
    m_margins = margins;
    update();
}

void ImageLabel::paintPictureAndText(QWidget* widget, QPainter& painter, const QPixmap& pixmap,
                                     const QString& text, const QMargins& margins)
{
    VM24::paint_style_background(widget, painter);
    if (!pixmap.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(widget->rect(), pixmap);
    }
    if (text.isEmpty())
        return;
    painter.setFont(widget->font());
    painter.setPen(widget->palette().color(widget->foregroundRole()));
    painter.drawText(widget->rect().marginsRemoved(margins), Qt::AlignCenter | Qt::TextWordWrap, text);
}

void ImageLabel::takeSizeOf(QWidget* widget, const QPixmap& pixmap)
{
    if (!pixmap.isNull())
        widget->setFixedSize(pixmap.deviceIndependentSize().toSize());
}

void ImageLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintPictureAndText(this, painter, m_pixmap, m_text, m_margins);
}
