#pragma once

#include <QFuture>
#include <QImage>
#include <QPixmap>
#include <QString>

// A picture decoded on a worker thread while the program goes on starting:
// the first pixmap() (in the GUI thread, at the latest when the picture is
// first painted) waits for the decoding if it is not done yet.
class BackgroundPicture
{
public:
    explicit BackgroundPicture(const QString& file);

    const QPixmap& pixmap();

private:
    QFuture<QImage> m_image;
    QPixmap m_pixmap;
};
