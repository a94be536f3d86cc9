#pragma once

#include "ui/messagedialog.h"

class QPushButton;

// Asks a question that a person answers with one of two buttons. exec()
// returns QDialog::Accepted for the "yes" button.
class YesNoDialog : public MessageDialog
{
    Q_OBJECT

public:
    YesNoDialog(const QString& question, const QString& detail, QWidget* parent = nullptr);

    // Replaces the default button texts, e.g. "Procedi" and "Annulla".
    void setButtonTexts(const QString& yesText, const QString& noText);
    QPushButton* yesButton() const { return m_yes; }
    QPushButton* noButton() const { return m_no; }

    // Shows the question modally; true when the answer is "yes".
    static bool ask(const QString& question, const QString& detail, const QString& yesText,
                    const QString& noText, QWidget* parent = nullptr);

private:
    QPushButton* m_yes;
    QPushButton* m_no;
};
