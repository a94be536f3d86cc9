#include "ui/yesnodialog.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>

namespace {

const QSize BUTTON_MINIMUM_SIZE(240, 96);
const QSize BUTTON_ICON_SIZE(48, 48);
const int BUTTON_SPACING = 32;

QPushButton* make_button(const char* icon, QWidget* parent)
{
    auto* button = new QPushButton(QIcon(QLatin1String(icon)), QString(), parent);
    button->setProperty("class", QLatin1String("generic-menu-button"));
    button->setMinimumSize(BUTTON_MINIMUM_SIZE);
    button->setIconSize(BUTTON_ICON_SIZE);
    button->setAutoDefault(false);
    return button;
}

} // namespace

YesNoDialog::YesNoDialog(const QString& question, const QString& detail, QWidget* parent)
    : MessageDialog(question, detail, parent)
    , m_yes(make_button(":/icons/yes", this))
    , m_no(make_button(":/icons/no", this))
{
    setButtonTexts(tr("Sì"), tr("No"));
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QWidget(this);
    auto* row = new QHBoxLayout(buttons);
    row->setContentsMargins(0, BUTTON_SPACING / 2, 0, 0);
    row->setSpacing(BUTTON_SPACING);
    row->addStretch();
    row->addWidget(m_yes);
    row->addWidget(m_no);
    row->addStretch();
    addBottomWidget(buttons);
}

void YesNoDialog::setButtonTexts(const QString& yesText, const QString& noText)
{
    m_yes->setText(yesText);
    m_no->setText(noText);
}

void YesNoDialog::ask(const QString& question, const QString& detail, const QString& yesText,
                      const QString& noText, QWidget* parent, std::function<void(bool)> answered)
{
    auto* dialog = new YesNoDialog(question, detail, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setButtonTexts(yesText, noText);
    connect(dialog, &QDialog::finished, dialog, [answered](int result) {
        if (answered)
            answered(result == QDialog::Accepted);
    });
    dialog->open();
}
