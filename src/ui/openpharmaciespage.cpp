#include "ui/openpharmaciespage.h"

#include "ui/displaypagetitle.h"
#include "ui/imagelabel.h"

#include <QEvent>
#include <QFile>
#include <QScrollBar>
#include <QTextBrowser>

const char* const OpenPharmaciesPage::DUTY_FILE = "data:user/turni.html";

OpenPharmaciesPage::OpenPharmaciesPage(Context* context, QWidget* parent)
    : SimpleDisplayActivity(context, parent)
    , m_title(VM24::make_display_page_title(contentWidget()))
    , m_text(new QTextBrowser(contentWidget()))
{
    m_text->setReadOnly(true);
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->setFocusPolicy(Qt::NoFocus);
    m_text->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    m_text->viewport()->setAutoFillBackground(false);
    m_text->setProperty("class", QStringLiteral("display-text"));
    m_text->document()->setDefaultStyleSheet(QStringLiteral("body { color: white; }"));
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(m_text->verticalScrollBar(), &QScrollBar::valueChanged, this, &OpenPharmaciesPage::restoreTimer);

    VM24::lay_out_display_page(contentWidget(), m_title, m_text);
    retranslate();
}

void OpenPharmaciesPage::onStart()
{
    loadList();
    SimpleDisplayActivity::onStart();
}

void OpenPharmaciesPage::loadList()
{
    QFile file{QLatin1String(DUTY_FILE)};
    if (!file.open(QIODevice::ReadOnly))
        return; // the previous list stays
    m_text->setHtml(QString::fromUtf8(file.readAll()));
}

void OpenPharmaciesPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    SimpleDisplayActivity::changeEvent(event);
}

void OpenPharmaciesPage::retranslate()
{
    m_title->setText(tr("FARMACIE\nDI TURNO"));
}
