#include "ui/slideshowcontrol.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

const char* const SlideshowControl::MEDIA_ASSET = "media";

SlideshowControl::SlideshowControl(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&m_timer, &QTimer::timeout, this, &SlideshowControl::showNext);
}

void SlideshowControl::setDirectory(const QString& directory)
{
    m_directory = directory;
}

void SlideshowControl::loadSlideshow()
{
    const bool wasPlaying = m_timer.isActive();
    m_files.clear();
    m_cache.clear();
    m_index = 0;

    const QDir dir(m_directory);
    const QFileInfoList entries =
        dir.entryInfoList({QStringLiteral("*.png"), QStringLiteral("*.jpg")},
                          QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries)
        m_files.append(entry.absoluteFilePath());
    m_cache.resize(m_files.size());

    // Painted opaquely only when there is a picture to cover the widget;
    // with none the page below shows through.
    setAttribute(Qt::WA_OpaquePaintEvent, !m_files.isEmpty());
    // A shown slideshow that was empty starts as soon as pictures arrive.
    if (wasPlaying || isVisible())
        play();
    update();
}

void SlideshowControl::play()
{
    if (m_files.isEmpty())
        m_timer.stop();
    else
        m_timer.start(m_interval);
}

void SlideshowControl::stop()
{
    m_timer.stop();
}

void SlideshowControl::setInterval(int ms)
{
    m_interval = ms;
    if (m_timer.isActive())
        m_timer.start(m_interval);
}

void SlideshowControl::onContentChanged(const QString& asset)
{
    if (asset == QLatin1String(MEDIA_ASSET))
        loadSlideshow();
}

void SlideshowControl::showNext()
{
    if (m_files.isEmpty())
        return;
    m_index = (m_index + 1) % m_files.size();
    update();
}

const QPixmap& SlideshowControl::currentPixmap()
{
    QPixmap& cached = m_cache[m_index];
    if (cached.isNull()) {
        const QPixmap picture(m_files.at(m_index));
        if (!picture.isNull())
            cached = picture.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return cached;
}

void SlideshowControl::paintEvent(QPaintEvent*)
{
    if (m_files.isEmpty())
        return;
    const QPixmap& picture = currentPixmap();
    QPainter painter(this);
    if (picture.isNull())
        painter.fillRect(rect(), palette().window());
    else
        painter.drawPixmap(0, 0, picture);
}

void SlideshowControl::resizeEvent(QResizeEvent* event)
{
    // The cached pictures are scaled to the old size.
    m_cache.fill(QPixmap());
    QWidget::resizeEvent(event);
}

void SlideshowControl::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    play();
}

void SlideshowControl::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    stop();
}
