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

protected:
    bool event(QEvent* event) override;

private:
    void widen();

    QAbstractButton* m_saveButton = nullptr;
    QAbstractButton* m_discardButton = nullptr;
    QAbstractButton* m_cancelButton = nullptr;
    bool m_save = false;
};
