#pragma once

#include "ui/messagedialog.h"

#include <functional>

class QPushButton;

// Asks a question that a person answers with one of two buttons; the dialog
// is accepted for the "yes" button.
class YesNoDialog : public MessageDialog
{
    Q_OBJECT

public:
    YesNoDialog(const QString& question, const QString& detail, QWidget* parent = nullptr);

    // Replaces the default button texts, e.g. "Procedi" and "Annulla".
    void setButtonTexts(const QString& yesText, const QString& noText);
    QPushButton* yesButton() const { return m_yes; }
    QPushButton* noButton() const { return m_no; }

    // Opens the question window-modal and returns; answered(true) follows
    // for "yes", answered(false) for "no" or a box closed otherwise.
    static void ask(const QString& question, const QString& detail, const QString& yesText,
                    const QString& noText, QWidget* parent, std::function<void(bool)> answered);

private:
    QPushButton* m_yes;
    QPushButton* m_no;
};
