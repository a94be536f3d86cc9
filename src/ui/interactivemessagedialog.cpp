#include "ui/interactivemessagedialog.h"

#include <utility>

InteractiveMessageDialog::InteractiveMessageDialog(QWidget* parent)
    : InteractiveMessageDialog(QString(), QString(), parent)
{
}

InteractiveMessageDialog::InteractiveMessageDialog(const QString& title, const QString& text, QWidget* parent)
    : TaskWatcherDialog(title, text, parent)
{
    setAutoclose(DEFAULT_DURATION_MS);
}

InteractiveMessageDialog* InteractiveMessageDialog::showTemporary(const QString& title, const QString& text, int ms,
                                                                  QWidget* parent, std::function<void()> closed)
{
    return showModal(title, text, ms, false, parent, std::move(closed));
}

InteractiveMessageDialog* InteractiveMessageDialog::showInteractive(const QString& title, const QString& text, int ms,
                                                                    QWidget* parent, std::function<void()> closed)
{
    return showModal(title, text, ms, true, parent, std::move(closed));
}

InteractiveMessageDialog* InteractiveMessageDialog::showModal(const QString& title, const QString& text, int ms,
                                                              bool closesOnTouch, QWidget* parent,
                                                              std::function<void()> closed)
{
    auto* dialog = new InteractiveMessageDialog(title, text, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAutoclose(ms > 0 ? ms : DEFAULT_DURATION_MS);
    dialog->setClosesOnTouch(closesOnTouch);
    if (closed)
        connect(dialog, &QDialog::finished, dialog, [closed] { closed(); });
    dialog->open();
    return dialog;
}
