#pragma once

#include <QMargins>
#include <QPixmap>
#include <QWidget>

class QPainter;

// A picture with a text on it: the pixmap stretched over the widget, the
// text centred and word-wrapped inside the margins. The widget takes the
// fixed size of its pixmap.
class ImageLabel : public QWidget
{
    Q_OBJECT

public:
    explicit ImageLabel(QWidget* parent = nullptr);
    ImageLabel(const QPixmap& pixmap, const QMargins& margins, QWidget* parent = nullptr);

    QPixmap pixmap() const { return m_pixmap; }
    void setPixmap(const QPixmap& pixmap);
    QString text() const { return m_text; }
    void setText(const QString& text);
    QMargins margins() const { return m_margins; }
    void setMargins(const QMargins& margins);

    // The painting shared with ClickableImageLabel: style background,
    // stretched pixmap, then the text in the widget's font and text colour.
    static void paintPictureAndText(QWidget* widget, QPainter& painter, const QPixmap& pixmap,
                                    const QString& text, const QMargins& margins);
    // Fixes the widget's size to the pixmap's; a null pixmap leaves it as it is.
    static void takeSizeOf(QWidget* widget, const QPixmap& pixmap);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_pixmap;
    QString m_text;
    QMargins m_margins;
};
