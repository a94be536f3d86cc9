#pragma once

#include <QChar>
#include <QDialog>
#include <QString>

#include <memory>

class QButtonGroup;
class QLabel;
class QPushButton;
class QValidator;

// A modal pad of ten digits, one special key, backspace, clear, enter and
// cancel. Every keystroke is checked by the pad's validator: a text the
// validator rejects is never shown, and enter is enabled only while the
// text is acceptable. The first key after the pad was opened with a value
// replaces that value.
class AbstractNumPad : public QDialog
{
    Q_OBJECT

public:
    // special: the character of the special key; a null character hides it.
    AbstractNumPad(QChar special, std::unique_ptr<QValidator> validator, QWidget* parent = nullptr);
    ~AbstractNumPad() override;

    void setTitle(const QString& title);
    QString title() const;
    QString text() const { return m_text; }
    // Shown only when the validator does not reject it; the next key replaces it.
    void setText(const QString& text);

    QPushButton* enterButton() const { return m_enter; }
    QPushButton* specialButton() const { return m_special; }
    QLabel* textLabel() const { return m_textLabel; }
    QLabel* titleLabel() const { return m_titleLabel; }

public slots:
    void onDigitClicked(int digit);
    void onSpecialClicked();
    void onBackspaceClicked();
    void clearText();

protected:
    virtual void specialAction();
    virtual void backspaceAction();
    virtual void postClearTextAction();
    // Shows candidate unless the validator rejects it; true when shown.
    bool showIfValid(const QString& candidate);
    void appendIfValid(QChar c);
    bool isAcceptable() const;

private:
    void createKeys();
    void changeEvent(QEvent* event) override;
    void retranslate();

    std::unique_ptr<QValidator> m_validator;
    QChar m_specialChar;
    QString m_text;
    bool m_replaceOnType = false;
    QLabel* m_titleLabel;
    QLabel* m_textLabel;
    QButtonGroup* m_digits;
    QPushButton* m_special;
    QPushButton* m_backspace;
    QPushButton* m_clear;
    QPushButton* m_enter;
    QPushButton* m_cancel;
};
