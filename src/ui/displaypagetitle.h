#pragma once

class ImageLabel;
class QWidget;

namespace VM24 {

// The title picture of the display pages: the partner banner frame with a
// centred title (style class "title"), placed at the top centre of parent.
ImageLabel* make_display_page_title(QWidget* parent);
// Lays out a display page's content area: the title at the top centre and
// the body filling the room below it.
void lay_out_display_page(QWidget* content, ImageLabel* title, QWidget* body);

} // namespace VM24
