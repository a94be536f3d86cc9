#include "ui/taskwatcherdialog.h"

#include <QMouseEvent>

TaskWatcherDialog::TaskWatcherDialog(QWidget* parent)
    : TaskWatcherDialog(QString(), QString(), parent)
{
}

TaskWatcherDialog::TaskWatcherDialog(const QString& message, const QString& footer, QWidget* parent)
    : MessageDialog(message, footer, parent)
{
    m_autocloseTimer.setSingleShot(true);
    connect(&m_autocloseTimer, &QTimer::timeout, this, &QDialog::accept);
}

void TaskWatcherDialog::setAutoclose(int ms)
{
    m_autocloseMs = ms;
    m_autocloseTimer.stop();
    if (isVisible())
        startAutoclose();
}

void TaskWatcherDialog::showEvent(QShowEvent* event)
{
    MessageDialog::showEvent(event);
    startAutoclose();
}

void TaskWatcherDialog::hideEvent(QHideEvent* event)
{
    m_autocloseTimer.stop();
    MessageDialog::hideEvent(event);
}

void TaskWatcherDialog::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_closesOnTouch && event->button() == Qt::LeftButton) {
        accept();
        return;
    }
    MessageDialog::mouseReleaseEvent(event);
}

void TaskWatcherDialog::startAutoclose()
{
    if (m_autocloseMs > 0)
        m_autocloseTimer.start(m_autocloseMs);
}
