#include "maintenance/producthelpdialog.h"

#include "catalogue/productrecord.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QVBoxLayout>

const QSize ProductHelpDialog::DIALOG_SIZE(760, 900);

ProductHelpDialog::ProductHelpDialog(const ProductRecord& product, int durationMs, QWidget* parent)
    : QDialog(parent, Qt::FramelessWindowHint | Qt::Dialog)
    , m_description(new QPlainTextEdit(this))
    , m_durationMs(durationMs)
{
    setModal(true);
    setFixedSize(DIALOG_SIZE);
    setObjectName(QStringLiteral("productHelp"));
    setStyleSheet(QStringLiteral("#productHelp { border: 4px solid #1f4fd1; }"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(24);
    auto* heading = new QLabel(tr("DESCRIZIONE:"), this);
    heading->setStyleSheet(QStringLiteral("color: #ffffff; font-size: 30pt; font-weight: bold;"));
    layout->addWidget(heading);
    // A fixed box, wrapped inside words that do not fit a line; a text too
    // long for the box is cut at its bottom. Touches go to the dialog.
    m_description->setPlainText(product.description());
    m_description->setReadOnly(true);
    m_description->setFrameShape(QFrame::NoFrame);
    m_description->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_description->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_description->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_description->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_description->setFocusPolicy(Qt::NoFocus);
    m_description->setStyleSheet(QStringLiteral("background: transparent; color: #ffffff; font-size: 32px; "
                                                "border: none; padding: 0px;"));
    m_description->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    layout->addWidget(m_description, 1);
}

void ProductHelpDialog::showEvent(QShowEvent* event)
{
    if (parentWidget()) {
        QRect frame(QPoint(0, 0), DIALOG_SIZE);
        frame.moveCenter(parentWidget()->window()->geometry().center());
        move(frame.topLeft());
    }
    if (m_durationMs > 0)
        QTimer::singleShot(m_durationMs, this, &QDialog::accept);
    QDialog::showEvent(event);
}

void ProductHelpDialog::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    accept();
}
