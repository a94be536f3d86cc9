#pragma once

class ImageLabel;
class QWidget;

namespace VM24 {

// The title picture of the display pages: the partner banner frame with a
// centred title (style class "title"), placed at the top centre of parent.
ImageLabel* make_display_page_title(QWidget* parent);

} // namespace VM24
