#include "ui/interactivemessagedialog.h"

InteractiveMessageDialog::InteractiveMessageDialog(QWidget* parent)
    : InteractiveMessageDialog(QString(), QString(), parent)
{
}

InteractiveMessageDialog::InteractiveMessageDialog(const QString& title, const QString& text, QWidget* parent)
    : TaskWatcherDialog(title, text, parent)
{
    setAutoclose(DEFAULT_DURATION_MS);
}

int InteractiveMessageDialog::showTemporary(const QString& title, const QString& text, int ms, QWidget* parent)
{
    return showModal(title, text, ms, false, parent);
}

int InteractiveMessageDialog::showInteractive(const QString& title, const QString& text, int ms, QWidget* parent)
{
    return showModal(title, text, ms, true, parent);
}

int InteractiveMessageDialog::showModal(const QString& title, const QString& text, int ms,
                                        bool closesOnTouch, QWidget* parent)
{
    InteractiveMessageDialog dialog(title, text, parent);
    dialog.setAutoclose(ms > 0 ? ms : DEFAULT_DURATION_MS);
    dialog.setClosesOnTouch(closesOnTouch);
    return dialog.exec();
}
