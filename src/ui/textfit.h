#pragma once

#include <QFont>

class QString;

namespace VM24 {

// The font, made smaller step by step when needed, in which every line of
// text fits width pixels. Translations run longer than the Italian texts the
// screens were drawn for.
QFont fitted_font(const QFont& font, const QString& text, int width);

} // namespace VM24
