#include "ui/backgroundpicture.h"

#include "core/threadpool.h"

BackgroundPicture::BackgroundPicture(const QString& file)
    : m_image(VM24::run_in_thread_pool([file] { return QImage(file); }))
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
