#include "input/selfpositioningpricenumpad.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QStringList>

namespace {

// Keys smaller than the other pads' so that the pad fits beside a product
// button of any column of the 1080-pixel screen; still large for a finger.
const int KEY_SIDE = 112;
const int KEY_SPACING = 12;
// Room the title may take: the width of the four columns of keys.
const int TITLE_WIDTH = 4 * KEY_SIDE + 3 * KEY_SPACING;

} // namespace

SelfPositioningPriceNumPad::SelfPositioningPriceNumPad(const QRect& anchor, int startCents, QWidget* parent)
    : PriceNumPad(parent)
    , m_anchor(anchor)
{
    setStyleSheet(QStringLiteral("QPushButton { min-width: %1px; max-width: %1px; min-height: %1px; "
                                 "max-height: %1px; padding: 0px; } "
                                 "QPushButton[class~=\"function\"] { font-size: 22px; }")
                      .arg(KEY_SIDE));
    for (QPushButton* key : findChildren<QPushButton*>()) {
        key->setFixedSize(KEY_SIDE, KEY_SIDE);
        key->setAutoDefault(false);
        key->setDefault(false);
    }
    layout()->setContentsMargins(24, 24, 24, 24);
    if (startCents >= 0)
        setValue(startCents);
}

QPoint SelfPositioningPriceNumPad::placement(const QRect& anchor, const QSize& size, const QRect& screen)
{
    int x = anchor.right() + 1;
    if (x + size.width() > screen.right() + 1)
        x = anchor.left() - size.width();
    if (x < screen.left()) {
        // No side has room: the side with more of it, kept on the screen.
        const int roomRight = screen.right() - anchor.right();
        const int roomLeft = anchor.left() - screen.left();
        x = roomRight >= roomLeft ? screen.right() + 1 - size.width() : screen.left();
        x = qMax(screen.left(), x);
    }
    int y = anchor.top();
    if (y + size.height() > screen.bottom() + 1)
        y = anchor.bottom() + 1 - size.height();
    y = qMax(screen.top(), y);
    return QPoint(x, y);
}

void SelfPositioningPriceNumPad::setElidedTitle(const QString& title)
{
    titleLabel()->ensurePolished();
    const QFontMetrics metrics(titleLabel()->font());
    QStringList lines = title.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = metrics.elidedText(line, Qt::ElideRight, TITLE_WIDTH);
    setTitle(lines.join(QLatin1Char('\n')));
}

void SelfPositioningPriceNumPad::showEvent(QShowEvent* event)
{
    adjustSize();
    move(placement(m_anchor, size(), screenRect()));
    PriceNumPad::showEvent(event);
}

// The machine's screen is the window the pad was opened from.
QRect SelfPositioningPriceNumPad::screenRect() const
{
    if (parentWidget())
        return parentWidget()->window()->geometry();
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect(0, 0, 1080, 1920);
}
