#pragma once

#include <QPushButton>

#include <functional>

class QDialog;

// A field of an operator form: a button that shows its value (followed by
// an affix such as " sec"); a touch opens the field's pad pre-filled with
// the value, and accepting the pad stores the new value and emits
// editingFinished().
class EditField : public QPushButton
{
    Q_OBJECT

public:
    explicit EditField(QWidget* parent = nullptr);

    void setCharacterLimit(int limit) { m_characterLimit = limit; }
    int characterLimit() const { return m_characterLimit; }
    void setInputText(const QString& text);
    QString inputText() const { return m_inputText; }
    void setAffix(const QString& affix);
    QString affix() const { return m_affix; }
    void setTitle(const QString& title) { m_title = title; }
    QString title() const { return m_title; }

signals:
    void editingFinished();

protected:
    // Opens the pad with the current text and returns; see openPad().
    virtual void doEdit(const QString& current) = 0;
    // Opens pad window-modal (it deletes itself when closed). Once it is
    // accepted, store takes its value, true when the value was stored, and
    // editingFinished() follows.
    void openPad(QDialog* pad, std::function<bool()> store);

private:
    void onClicked();
    void updateText();

    QString m_inputText;
    QString m_affix;
    QString m_title;
    int m_characterLimit = -1;
};
