#include "app/displaypagetitle.h"

#include "app/imagelabel.h"

namespace {
const char* const TITLE_FRAME = ":/images/brixo-banner-frame";
const QMargins TITLE_MARGINS(98, 20, 98, 55);
} // namespace

namespace VM24 {

ImageLabel* make_display_page_title(QWidget* parent)
{
    auto* title = new ImageLabel(QPixmap(QLatin1String(TITLE_FRAME)), TITLE_MARGINS, parent);
    title->setProperty("class", QStringLiteral("title"));
    return title;
}

} // namespace VM24
