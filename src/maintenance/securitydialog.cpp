#include "maintenance/securitydialog.h"

#include "maintenance/maintenancelog.h"
#include "maintenance/stickwait.h"
#include "security/usbmonitor.h"
#include "ui/interactivemessagedialog.h"
#include "ui/longrunningoperation.h"
#include "ui/stylebackground.h"
#include "ui/taskwatcherdialog.h"

#include <QButtonGroup>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QSize DIALOG_SIZE(900, 1000);
const int PROGRAMMABLE_LEVELS = 3;
const int INSUFFICIENT_PRIVILEGES_MS = 5000;

QPushButton* make_button(QWidget* parent)
{
    auto* button = new QPushButton(parent);
    button->setProperty("class", QStringLiteral("generic-menu-button bottom"));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

SecurityDialog::SecurityDialog(UsbMonitor* usb, Context* context, QWidget* parent)
    : MenuActivity(context, parent)
    , m_usb(usb)
    , m_title(new QLabel(this))
    , m_information(new QLabel(this))
    , m_levels(new QButtonGroup(this))
    , m_exit(make_button(this))
{
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(DIALOG_SIZE);
    setProperty("class", QStringLiteral("decorated-dialog"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 48, 48, 48);
    layout->setSpacing(32);
    m_title->setProperty("class", QStringLiteral("title"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setWordWrap(true);
    m_information->setProperty("class", QStringLiteral("decorated-label"));
    m_information->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_title);
    layout->addWidget(m_information);
    for (int level = 1; level <= PROGRAMMABLE_LEVELS; ++level) {
        QPushButton* button = make_button(this);
        m_levels->addButton(button, level);
        layout->addWidget(button);
    }
    layout->addStretch();
    m_exit->setIcon(QIcon(QStringLiteral(":/icons/exit")));
    layout->addWidget(m_exit);
    connect(m_levels, &QButtonGroup::idClicked, this, &SecurityDialog::onProgramKeyClicked);
    connect(m_exit, &QPushButton::clicked, this, &SecurityDialog::done);
    retranslate();
}

void SecurityDialog::retranslate()
{
    m_title->setText(tr("Programmazione chiavi di accesso"));
    for (int level = 1; level <= PROGRAMMABLE_LEVELS; ++level)
        m_levels->button(level)->setText(tr("Chiave di livello %1").arg(level));
    m_exit->setText(tr("Esci"));
    m_information->setText(tr("Utente di livello %1").arg(userLevel()));
}

void SecurityDialog::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    MenuActivity::changeEvent(event);
}

void SecurityDialog::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    VM24::paint_style_background(this);
}

QAbstractButton* SecurityDialog::levelButton(int level) const
{
    return m_levels->button(level);
}

// A box over the screen, not a view of the stack.
void SecurityDialog::onStart()
{
    m_information->setText(tr("Utente di livello %1").arg(userLevel()));
    m_keys = VM24::PrivateKeys();
    updateButtons();
    if (QWidget* screen = parentWidget() ? parentWidget()->window() : nullptr)
        move(screen->geometry().center() - rect().center());
    show();
    if (userLevel() < 1) {
        InteractiveMessageDialog::showInteractive(tr("Privilegi insufficienti"), tr("Tocca il riquadro per uscire"),
                                                  INSUFFICIENT_PRIVILEGES_MS, this, [this] { done(); });
        return;
    }
    loadKeys();
}

void SecurityDialog::onResume(const ActivityResult&)
{
    show();
}

void SecurityDialog::onStop()
{
    m_keys = VM24::PrivateKeys();
    hide();
}

void SecurityDialog::loadKeys()
{
    UsbMonitor* usb = m_usb;
    const int level = userLevel();
    const QFuture<VM24::PrivateKeys> loaded =
        QtConcurrent::run([usb, level] { return VM24::load_private_keys(*usb, level); });
    VM24::long_running_operation(loaded, this, tr("Caricamento parametri di sicurezza"), tr("Attendere prego"),
                                 VM24::PrivateKeys(), [this, level](const VM24::PrivateKeys& keys) {
                                     m_keys = keys;
                                     updateButtons();
                                     qCInfo(maintenanceLog) << "key programming ready at level" << level;
                                 });
}

void SecurityDialog::updateButtons()
{
    const int level = userLevel();
    levelButton(1)->setEnabled(level >= 1 && !m_keys.admin.isEmpty());
    levelButton(2)->setEnabled(level >= 2 && !m_keys.admin.isEmpty());
    levelButton(3)->setEnabled(level >= 3 && !m_keys.master.isEmpty());
}

void SecurityDialog::onProgramKeyClicked(int level)
{
    VM24::unmount_and_wait_for_removal(m_usb, this, [this, level] {
        VM24::wait_for_stick(m_usb, true, tr("Inserire un dispositivo USB per iniziare la programmazione"),
                             QString(), this, true, [this, level](bool inserted) {
                                 if (inserted)
                                     programKey(level);
                             });
    });
}

void SecurityDialog::programKey(int level)
{
    UsbMonitor* usb = m_usb;
    const VM24::PrivateKeys keys = m_keys;
    const QFuture<bool> result =
        QtConcurrent::run([usb, level, keys] { return VM24::program_security_key(*usb, level, keys); });
    VM24::long_running_operation(result, this, tr("Programmazione chiave di livello %1 in corso").arg(level),
                                 tr("Non rimuovere il dispositivo USB"), false, [this, level](bool programmed) {
                                     qCInfo(maintenanceLog) << "key of level" << level
                                                            << (programmed ? "programmed" : "not programmed");
                                     VM24::wait_for_stick(m_usb, false,
                                                          programmed ? tr("Programmazione avvenuta con successo")
                                                                     : tr("Impossibile programmare la chiave"),
                                                          tr("Rimuovere il dispositivo USB per continuare"), this,
                                                          false, {});
                                 });
}

void SecurityDialog::done()
{
    VM24::unmount_and_wait_for_removal(m_usb, this, [this] { finish(); });
}
