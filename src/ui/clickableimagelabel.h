#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QMargins>
#include <QPixmap>

// A picture button: an ImageLabel that can be touched. The button text is
// drawn on the picture; while pressed a rounded overlay of the down colour
// covers it. The button takes the fixed size of its pixmap.
class ClickableImageLabel : public QAbstractButton
{
    Q_OBJECT

public:
    explicit ClickableImageLabel(QWidget* parent = nullptr);
    ClickableImageLabel(const QPixmap& pixmap, const QMargins& margins, QWidget* parent = nullptr);

    QPixmap pixmap() const { return m_pixmap; }
    void setPixmap(const QPixmap& pixmap);
    QMargins margins() const { return m_margins; }
    void setMargins(const QMargins& margins);
    QColor downColor() const { return m_downColor; }
    void setDownColor(const QColor& color);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_pixmap;
    QMargins m_margins;
    QColor m_downColor;
};
