#include "input/confirmationdialog.h"

#include <QEvent>
#include <QIcon>
#include <QLayout>
#include <QPushButton>

namespace {

const int BUTTON_SPACING = 16;

} // namespace

ConfirmationDialog::ConfirmationDialog(QWidget* parent)
    : QMessageBox(parent)
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setProperty("class", QStringLiteral("decorated-dialog"));
    setWindowTitle(tr("Modifiche non salvate"));
    setText(QStringLiteral("<b>%1</b>").arg(tr("Modifiche non salvate")));
    setInformativeText(tr("Ci sono modifiche non salvate nella configurazione. Come procedere?"));
    m_saveButton = addButton(tr("Salva"), QMessageBox::ApplyRole);
    m_saveButton->setIcon(QIcon(QStringLiteral(":/icons/save")));
    m_discardButton = addButton(tr("Ignora modifiche"), QMessageBox::DestructiveRole);
    m_discardButton->setIcon(QIcon(QStringLiteral(":/icons/no")));
    m_cancelButton = addButton(tr("Annulla"), QMessageBox::RejectRole);
    m_cancelButton->setIcon(QIcon(QStringLiteral(":/icons/exit")));
    setDefaultButton(static_cast<QPushButton*>(m_cancelButton));
}

void ConfirmationDialog::ask(QWidget* parent, std::function<void(bool save)> proceed)
{
    auto* dialog = new ConfirmationDialog(parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::finished, dialog, [dialog, proceed] {
        if (dialog->proceeds())
            proceed(dialog->save());
    });
    dialog->open();
}

bool ConfirmationDialog::proceeds() const
{
    QAbstractButton* clicked = clickedButton();
    return clicked && (clicked == m_saveButton || clicked == m_discardButton);
}

// The message box caps its width at the screen's width less 480 pixels,
// narrower than the three buttons on the 1080-pixel screen, and sizes itself
// again on every layout change: each time it takes the width its buttons
// need, centred over the window it was opened from.
bool ConfirmationDialog::event(QEvent* event)
{
    const bool handled = QMessageBox::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::LayoutRequest:
    case QEvent::StyleChange:
    case QEvent::FontChange:
        widen();
        break;
    default:
        break;
    }
    return handled;
}

void ConfirmationDialog::widen()
{
    // Events arrive while the box is being built.
    if (!m_cancelButton || !layout())
        return;
    const QMargins margins = layout()->contentsMargins();
    int needed = margins.left() + margins.right() + 2 * BUTTON_SPACING;
    for (const QAbstractButton* button : {m_saveButton, m_discardButton, m_cancelButton})
        needed += button->sizeHint().width() + BUTTON_SPACING;
    if (needed <= width())
        return;
    const QPoint centre = parentWidget() ? parentWidget()->window()->geometry().center() : geometry().center();
    const int height = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(needed) : this->height();
    setFixedSize(needed, qMax(height, this->height()));
    move(centre.x() - needed / 2, centre.y() - this->height() / 2);
}
