#pragma once

#include <QMessageBox>

#include <functional>

// Asks what to do with unsaved changes: "Salva" and "Ignora modifiche"
// accept the dialog (save() tells which), "Annulla" rejects it.
class ConfirmationDialog : public QMessageBox
{
    Q_OBJECT

public:
    explicit ConfirmationDialog(QWidget* parent = nullptr);

    // Opens the question window-modal and returns; unless it was cancelled,
    // proceed(save) follows once it has closed.
    static void ask(QWidget* parent, std::function<void(bool save)> proceed);

    // True when the box closed through "Salva" or "Ignora modifiche".
    bool proceeds() const;
    bool save() const { return clickedButton() == m_saveButton; }

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
};
