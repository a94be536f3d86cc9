#include "ui/displaypagetitle.h"

#include "ui/imagelabel.h"

#include <QVBoxLayout>

namespace {
const char* const TITLE_FRAME = ":/images/brixo-banner-frame";
const QMargins TITLE_MARGINS(98, 20, 98, 55);
const QMargins PAGE_MARGINS(60, 40, 60, 40);
const int PAGE_SPACING = 40;
} // namespace

namespace VM24 {

ImageLabel* make_display_page_title(QWidget* parent)
{
    auto* title = new ImageLabel(QPixmap(QLatin1String(TITLE_FRAME)), TITLE_MARGINS, parent);
    title->setProperty("class", QStringLiteral("title"));
    return title;
}

void lay_out_display_page(QWidget* content, ImageLabel* title, QWidget* body)
{
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(PAGE_MARGINS);
    layout->setSpacing(PAGE_SPACING);
    layout->addWidget(title, 0, Qt::AlignHCenter | Qt::AlignTop);
    layout->addWidget(body, 1);
}

} // namespace VM24
