#include "input/confirmationdialog.h"

#include <QIcon>
#include <QPushButton>

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

int ConfirmationDialog::exec()
{
    QMessageBox::exec();
    QAbstractButton* clicked = clickedButton();
    if (clicked == m_saveButton || clicked == m_discardButton) {
        m_save = clicked == m_saveButton;
        return QDialog::Accepted;
    }
    return QDialog::Rejected;
}
