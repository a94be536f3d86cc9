#include "input/virtualkeyboard.h"

#include "input/virtualkey.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

const char* const VirtualKeyboard::CHARACTERS = "1234567890qwertyuiopasdfghjklzxcvbnm,";
// Same order as CHARACTERS; 0 for a key without an alternative.
const char16_t VirtualKeyboard::ALTS[] = {
    u'!', u'"', u'.', u'$', u'%', u'&', u'/', u'(', u')', u'=',
    u'@', u'#', u'\u00e8', u'\u00e9', u'+', u'*', u'\u00f9', u'\u00ec', u'\u00f2', u'\n',
    u'\u00e0', 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, u';',
};

namespace {

const int KEY_SIDE = 96;
// Keys per row: digits, ten letters, nine letters, seven letters and ",".
const int ROW_STARTS[] = {0, 10, 20, 29, 37};

QPushButton* make_function_key(QWidget* parent, int width = KEY_SIDE)
{
    auto* key = new QPushButton(parent);
    key->setFixedSize(width, KEY_SIDE);
    key->setFocusPolicy(Qt::NoFocus);
    key->setProperty("class", QStringLiteral("function"));
    return key;
}

} // namespace

VirtualKeyboard::VirtualKeyboard(QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
    , m_title(new QLabel(this))
    , m_editor(new QPlainTextEdit(this))
{
    setModal(true);
    setProperty("class", QStringLiteral("decorated-dialog"));
    // Narrow keys: the command keys keep their words whole.
    setStyleSheet(QStringLiteral("QPushButton { padding: 4px; }"));
    m_title->setProperty("class", QStringLiteral("title"));
    m_title->setAlignment(Qt::AlignCenter);
    m_editor->setFixedHeight(160);
    m_editor->setStyleSheet(QStringLiteral("font-size: 36px;"));
    createKeys();
    retranslate();
    connect(m_editor, &QPlainTextEdit::textChanged, this, &VirtualKeyboard::onTextChanged);
    onTextChanged();
}

VirtualKeyboard::~VirtualKeyboard() = default;

void VirtualKeyboard::createKeys()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(12);
    layout->addWidget(m_title);
    layout->addWidget(m_editor);
    for (int row = 0; row < 4; ++row) {
        auto* line = new QHBoxLayout;
        line->setSpacing(6);
        line->addStretch();
        if (row == 3) {
            m_shift = make_function_key(this, 150);
            m_shift->setCheckable(true);
            line->addWidget(m_shift);
        }
        for (int i = ROW_STARTS[row]; i < ROW_STARTS[row + 1]; ++i) {
            auto* key = new VirtualKey(QLatin1Char(CHARACTERS[i]), QChar(ALTS[i]), this);
            key->setFixedSize(KEY_SIDE, KEY_SIDE);
            connect(key, &VirtualKey::keyPressed, this, &VirtualKeyboard::onKeyClicked);
            m_keys.append(key);
            line->addWidget(key);
        }
        line->addStretch();
        layout->addLayout(line);
    }
    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    m_alt = make_function_key(this, 120);
    m_alt->setCheckable(true);
    m_alt->setText(QStringLiteral("Alt"));
    m_clear = make_function_key(this, 110);
    m_clear->setText(QStringLiteral("C"));
    m_space = make_function_key(this, 300);
    m_space->setProperty("class", QStringLiteral("generic-menu-button"));
    m_backspace = make_function_key(this, 120);
    m_backspace->setText(QStringLiteral("\u2190"));
    m_cancel = make_function_key(this, 160);
    m_enter = make_function_key(this, 160);
    for (QPushButton* key : {m_alt, m_clear, m_space, m_backspace, m_cancel, m_enter})
        bottom->addWidget(key);
    layout->addLayout(bottom);

    connect(m_shift, &QPushButton::toggled, this, &VirtualKeyboard::updateModes);
    connect(m_alt, &QPushButton::toggled, this, &VirtualKeyboard::updateModes);
    connect(m_space, &QPushButton::clicked, this, &VirtualKeyboard::onSpacebarClicked);
    connect(m_backspace, &QPushButton::clicked, this, &VirtualKeyboard::onBackspaceClicked);
    connect(m_clear, &QPushButton::clicked, m_editor, &QPlainTextEdit::clear);
    connect(m_enter, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void VirtualKeyboard::retranslate()
{
    m_shift->setText(tr("shift"));
    m_enter->setText(tr("OK"));
    m_cancel->setText(tr("Annulla"));
}

void VirtualKeyboard::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void VirtualKeyboard::updateModes()
{
    for (VirtualKey* key : std::as_const(m_keys))
        key->setModes(m_shift->isChecked(), m_alt->isChecked());
}

VirtualKey* VirtualKeyboard::keyFor(QChar ch) const
{
    const int index = QString::fromLatin1(CHARACTERS).indexOf(ch);
    return index < 0 ? nullptr : m_keys.at(index);
}

void VirtualKeyboard::setTitle(const QString& title)
{
    m_title->setText(title);
}

QString VirtualKeyboard::text() const
{
    return m_editor->toPlainText();
}

void VirtualKeyboard::setText(const QString& text)
{
    m_editor->setPlainText(text);
    m_editor->moveCursor(QTextCursor::End);
}

void VirtualKeyboard::setValidator(QValidator* validator)
{
    m_validator.reset(validator);
    onTextChanged();
}

void VirtualKeyboard::insert(const QString& text)
{
    m_editor->textCursor().insertText(text);
    m_editor->ensureCursorVisible();
}

void VirtualKeyboard::onKeyClicked(QChar ch)
{
    if (m_validator) {
        QString candidate = text() + ch;
        int pos = candidate.size();
        if (m_validator->validate(candidate, pos) == QValidator::Invalid)
            return;
    }
    insert(QString(ch));
}

void VirtualKeyboard::onSpacebarClicked()
{
    insert(QStringLiteral(" "));
}

void VirtualKeyboard::onBackspaceClicked()
{
    m_editor->textCursor().deletePreviousChar();
}

void VirtualKeyboard::onTextChanged()
{
    QString current = text();
    int pos = current.size();
    m_enter->setEnabled(!m_validator || m_validator->validate(current, pos) == QValidator::Acceptable);
}
