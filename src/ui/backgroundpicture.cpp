#include "ui/backgroundpicture.h"

#include <QtConcurrentRun>

BackgroundPicture::BackgroundPicture(const QString& file)
    : m_image(QtConcurrent::run([file] { return QImage(file); }))
{
}

const QPixmap& BackgroundPicture::pixmap()
{
    if (m_image.isValid()) {
        m_pixmap = QPixmap::fromImage(m_image.result());
        m_image = QFuture<QImage>();
    }
    return m_pixmap;
}
