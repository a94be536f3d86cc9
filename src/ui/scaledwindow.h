#pragma once

#include <QGraphicsView>

class QGraphicsProxyWidget;

// A desktop window that shows the machine's screen at another size: the
// content keeps its size in pixels and is drawn, and touched, through a
// scaled view. Qt paints widgets at no less than one device pixel per
// pixel, so QT_SCALE_FACTOR cannot make the screen smaller: it shrinks the
// window and leaves the screen drawn at full size, cut off.
// Windows the content opens (dialogs) show inside, centred on the content.
// The content stays the caller's: it is handed back when the window goes.
class ScaledWindow : public QGraphicsView
{
public:
    ScaledWindow(QWidget* content, qreal scale, QWidget* parent = nullptr);
    ~ScaledWindow() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool opensFromContent(const QWidget* window) const;

    QWidget* m_content;
    QGraphicsProxyWidget* m_proxy;
};
