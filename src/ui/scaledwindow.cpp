#include "ui/scaledwindow.h"

#include <QApplication>
#include <QEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>

ScaledWindow::ScaledWindow(QWidget* content, qreal scale, QWidget* parent)
    : QGraphicsView(parent)
    , m_content(content)
{
    auto* scene = new QGraphicsScene(this);
    m_proxy = scene->addWidget(content);
    setScene(scene);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    setSceneRect(QRectF(QPointF(0, 0), content->size()));
    setTransform(QTransform::fromScale(scale, scale));
    setFixedSize((QSizeF(content->size()) * scale).toSize());
    qApp->installEventFilter(this);
}

ScaledWindow::~ScaledWindow()
{
    qApp->removeEventFilter(this);
    // A proxy deletes the widget it holds.
    m_proxy->setWidget(nullptr);
}

// A window opened from the content is placed on the desktop in global
// coordinates, which the view maps into the scene. A dialog centres itself
// with its parent window's size unscaled and keeps inside the desktop's
// screen, so it lands off the middle, or partly outside the window; it is
// centred on the content instead, unless it was placed on purpose.
bool ScaledWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && !window->testAttribute(Qt::WA_Moved) && opensFromContent(window)) {
            const QPoint topLeft = QRect(QPoint(), m_content->size()).center() - window->rect().center();
            window->move(m_content->mapToGlobal(topLeft));
        }
    }
    return QGraphicsView::eventFilter(watched, event);
}

bool ScaledWindow::opensFromContent(const QWidget* window) const
{
    for (const QWidget* w = window->parentWidget(); w; w = w->parentWidget()) {
        if (w == m_content)
            return true;
    }
    return false;
}
