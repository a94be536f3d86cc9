#pragma once

#include <QDialog>

#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QValidator;
class VirtualKey;

// The on-screen keyboard for text: 37 character keys with an alternative
// character each, space bar, shift, Alt, backspace, clear, enter and cancel.
// With a validator a key only types when the text plus its character is not
// rejected, and enter needs an acceptable text.
class VirtualKeyboard : public QDialog
{
    Q_OBJECT

public:
    static const char* const CHARACTERS;
    static const char16_t ALTS[];
    static const int KEY_COUNT = 37;

    explicit VirtualKeyboard(QWidget* parent = nullptr);
    ~VirtualKeyboard() override;

    void setTitle(const QString& title);
    QString text() const;
    void setText(const QString& text);
    // Owned; replaces (and deletes) the previous one. Null for none.
    void setValidator(QValidator* validator);

    VirtualKey* key(int index) const { return m_keys.at(index); }
    VirtualKey* keyFor(QChar ch) const;
    QPushButton* shiftButton() const { return m_shift; }
    QPushButton* altButton() const { return m_alt; }
    QPushButton* spaceBar() const { return m_space; }
    QPushButton* enterButton() const { return m_enter; }
    QPushButton* backspaceButton() const { return m_backspace; }

public slots:
    void onKeyClicked(QChar ch);
    void onSpacebarClicked();
    void onBackspaceClicked();
    void onTextChanged();

private:
    void createKeys();
    void updateModes();
    void insert(const QString& text);
    void changeEvent(QEvent* event) override;
    void retranslate();

    std::unique_ptr<QValidator> m_validator;
    QLabel* m_title;
    QPlainTextEdit* m_editor;
    QList<VirtualKey*> m_keys;
    QPushButton* m_shift;
    QPushButton* m_alt;
    QPushButton* m_space;
    QPushButton* m_backspace;
    QPushButton* m_clear;
    QPushButton* m_enter;
    QPushButton* m_cancel;
};
