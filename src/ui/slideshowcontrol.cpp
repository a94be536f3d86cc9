#include "ui/slideshowcontrol.h"

#include <QtConcurrentRun>

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
    m_picture = QPixmap();
    m_pictureIndex = -1;
    m_prepared = QFuture<QImage>();
    m_preparedIndex = -1;
    m_index = 0;

    const QDir dir(m_directory);
    const QFileInfoList entries =
        dir.entryInfoList({QStringLiteral("*.png"), QStringLiteral("*.jpg")},
                          QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries)
        m_files.append(entry.absoluteFilePath());
    // The first picture is decoded while the program goes on starting.
    if (!m_files.isEmpty())
        prepare(0);

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

void SlideshowControl::prepare(int index)
{
    const QString file = m_files.at(index);
    const QSize size = this->size();
    m_prepared = QtConcurrent::run([file, size] {
        const QImage picture(file);
        return picture.isNull() ? picture : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    });
    m_preparedIndex = index;
    m_preparedSize = size;
}

const QPixmap& SlideshowControl::currentPixmap()
{
    if (m_pictureIndex == m_index)
        return m_picture;
    if (m_preparedIndex != m_index || m_preparedSize != size())
        prepare(m_index);
    m_picture = QPixmap::fromImage(m_prepared.result());
    m_pictureIndex = m_index;
    const int next = (m_index + 1) % int(m_files.size());
    if (next != m_index)
        prepare(next);
    return m_picture;
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
    // The picture shown is scaled to the old size.
    m_pictureIndex = -1;
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
