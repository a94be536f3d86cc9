#pragma once

#include <QMessageBox>

// Asks what to do with unsaved changes: "Salva" and "Ignora modifiche"
// accept the dialog (save() tells which), "Annulla" rejects it.
class ConfirmationDialog : public QMessageBox
{
    Q_OBJECT

public:
    explicit ConfirmationDialog(QWidget* parent = nullptr);

    int exec() override;
    bool save() const { return m_save; }

    QAbstractButton* saveButton() const { return m_saveButton; }
    QAbstractButton* discardButton() const { return m_discardButton; }
    QAbstractButton* cancelButton() const { return m_cancelButton; }

private:
    QAbstractButton* m_saveButton;
    QAbstractButton* m_discardButton;
    QAbstractButton* m_cancelButton;
    bool m_save = false;
};
