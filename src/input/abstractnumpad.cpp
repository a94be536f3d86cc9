#include "input/abstractnumpad.h"

#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

namespace {

const QSize KEY_SIZE(180, 120);

QPushButton* make_key(const QString& text, const char* styleClass, QWidget* parent)
{
    auto* key = new QPushButton(text, parent);
    key->setFixedSize(KEY_SIZE);
    key->setFocusPolicy(Qt::NoFocus);
    if (styleClass)
        key->setProperty("class", QLatin1String(styleClass));
    return key;
}

} // namespace

AbstractNumPad::AbstractNumPad(QChar special, std::unique_ptr<QValidator> validator, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
    , m_validator(std::move(validator))
    , m_specialChar(special)
    , m_titleLabel(new QLabel(this))
    , m_textLabel(new QLabel(this))
    , m_digits(new QButtonGroup(this))
{
    setModal(true);
    setProperty("class", QStringLiteral("decorated-dialog"));
    m_titleLabel->setProperty("class", QStringLiteral("title"));
    m_titleLabel->setAlignment(Qt::AlignCenter);
    m_textLabel->setProperty("class", QStringLiteral("text"));
    m_textLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_textLabel->setMinimumHeight(96);
    m_textLabel->setStyleSheet(QStringLiteral("background: #ffffff; color: #0b1633; border-radius: 11px; "
                                              "padding: 8px 16px; font-size: 48px;"));
    createKeys();
    retranslate();
    m_enter->setEnabled(false);
}

AbstractNumPad::~AbstractNumPad() = default;

void AbstractNumPad::createKeys()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 32, 32, 32);
    layout->setSpacing(16);
    layout->addWidget(m_titleLabel);
    layout->addWidget(m_textLabel);
    auto* grid = new QGridLayout;
    grid->setSpacing(12);
    for (int digit = 1; digit <= 9; ++digit) {
        QPushButton* key = make_key(QString::number(digit), nullptr, this);
        m_digits->addButton(key, digit);
        grid->addWidget(key, (9 - digit) / 3, (digit - 1) % 3);
    }
    QPushButton* zero = make_key(QStringLiteral("0"), nullptr, this);
    m_digits->addButton(zero, 0);
    grid->addWidget(zero, 3, 1);
    m_special = make_key(QString(m_specialChar), nullptr, this);
    m_special->setVisible(!m_specialChar.isNull());
    grid->addWidget(m_special, 3, 0);
    m_backspace = make_key(QStringLiteral("\u2190"), "function", this);
    grid->addWidget(m_backspace, 0, 3);
    m_clear = make_key(QStringLiteral("C"), "function", this);
    grid->addWidget(m_clear, 1, 3);
    m_cancel = make_key(QString(), "function", this);
    grid->addWidget(m_cancel, 2, 3);
    m_enter = make_key(QString(), "function", this);
    grid->addWidget(m_enter, 3, 3);
    grid->addWidget(new QWidget(this), 3, 2);
    layout->addLayout(grid);

    connect(m_digits, &QButtonGroup::idClicked, this, &AbstractNumPad::onDigitClicked);
    connect(m_special, &QPushButton::clicked, this, &AbstractNumPad::onSpecialClicked);
    connect(m_backspace, &QPushButton::clicked, this, &AbstractNumPad::onBackspaceClicked);
    connect(m_clear, &QPushButton::clicked, this, &AbstractNumPad::clearText);
    connect(m_enter, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void AbstractNumPad::retranslate()
{
    m_enter->setText(tr("OK"));
    m_cancel->setText(tr("Annulla"));
}

void AbstractNumPad::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void AbstractNumPad::setTitle(const QString& title)
{
    m_titleLabel->setText(title);
}

QString AbstractNumPad::title() const
{
    return m_titleLabel->text();
}

void AbstractNumPad::setText(const QString& text)
{
    if (showIfValid(text))
        m_replaceOnType = true;
}

bool AbstractNumPad::showIfValid(const QString& candidate)
{
    QString text = candidate;
    int pos = text.size();
    if (m_validator && m_validator->validate(text, pos) == QValidator::Invalid)
        return false;
    m_text = candidate;
    m_textLabel->setText(m_text);
    m_enter->setEnabled(isAcceptable());
    return true;
}

bool AbstractNumPad::isAcceptable() const
{
    QString text = m_text;
    int pos = text.size();
    return !m_validator || m_validator->validate(text, pos) == QValidator::Acceptable;
}

void AbstractNumPad::appendIfValid(QChar c)
{
    showIfValid(m_replaceOnType ? QString(c) : m_text + c);
    m_replaceOnType = false;
}

void AbstractNumPad::onDigitClicked(int digit)
{
    appendIfValid(QChar('0' + digit));
}

void AbstractNumPad::onSpecialClicked()
{
    specialAction();
}

void AbstractNumPad::onBackspaceClicked()
{
    backspaceAction();
}

void AbstractNumPad::clearText()
{
    m_text.clear();
    m_textLabel->clear();
    m_replaceOnType = false;
    m_enter->setEnabled(isAcceptable());
    postClearTextAction();
}

void AbstractNumPad::specialAction()
{
    appendIfValid(m_specialChar);
}

void AbstractNumPad::backspaceAction()
{
    showIfValid(m_text.left(m_text.size() - 1));
    m_replaceOnType = false;
}

void AbstractNumPad::postClearTextAction()
{
}
