#pragma once

#include <QPushButton>

// A switch: a checkable button that shows one text when checked and
// another when not.
class TwoStateButton : public QPushButton
{
    Q_OBJECT

public:
    TwoStateButton(const QString& checkedText, const QString& uncheckedText, QWidget* parent = nullptr);

    void setTexts(const QString& checkedText, const QString& uncheckedText);

private:
    void showState();

    QString m_checkedText;
    QString m_uncheckedText;
};
