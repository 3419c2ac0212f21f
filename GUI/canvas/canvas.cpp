#include "canvas.h"

#include "bar.h"
#include "canvastool.h"
#include "gridview.h"
#include "node.h"
#include "scenecontroller.h"

#include <QMouseEvent>
#include <QRubberBand>
#include <QScrollBar>
#include <QShortcut>
#include <QWheelEvent>

Canvas::Canvas(GridView *view, SceneController *scene, QObject *parent)
    : QObject(parent), gridView(view), controller(scene)
{
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    view->viewport()->setMouseTracking(true);
    view->viewport()->installEventFilter(this);
    view->installEventFilter(this);
    // Every item sets the pen, brush and hints it draws with, so none needs its
    // painter state saved; scattered changes repaint their bounding rectangle
    // once instead of testing every item against a region of a thousand parts.
    view->setOptimizationFlag(QGraphicsView::DontSavePainterState);
    view->setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    // Boxes are the tools' own: the view's rubber band would judge nodes by the
    // room their numbers and support marks take.
    view->setDragMode(QGraphicsView::NoDrag);
    rubberBand = new QRubberBand(QRubberBand::Rectangle, view->viewport());
    rubberBand->hide();
    auto *fitKey = new QShortcut(QKeySequence(Qt::Key_F), view);
    fitKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(fitKey, &QShortcut::activated, this, &Canvas::zoomToFit);
}

void Canvas::setTool(CanvasTool *tool)
{
    if (tool == active)
        return;
    if (active) {
        active->deactivate();
        disconnect(active, nullptr, this, nullptr);
    }
    active = tool;
    if (active) {
        connect(active, &CanvasTool::hintChanged, this, &Canvas::hintChanged);
        active->activate();
    }
    emit hintChanged();
}

void Canvas::startBox(const QPoint &at)
{
    boxFrom = at;
    rubberBand->setGeometry(QRect(at, QSize()));
    rubberBand->show();
}

void Canvas::dragBox(const QPoint &to)
{
    rubberBand->setGeometry(QRect(boxFrom, to).normalized());
}

QRect Canvas::finishBox(const QPoint &to)
{
    rubberBand->hide();
    return QRect(boxFrom, to).normalized();
}

void Canvas::dropBox()
{
    rubberBand->hide();
}

bool Canvas::escape()
{
    return active && active->escape();
}

void Canvas::zoomIn()
{
    fitted = false;
    gridView->scale(1.1, 1.1);
}

void Canvas::zoomOut()
{
    fitted = false;
    gridView->scale(0.9090909091, 0.9090909091);
}

void Canvas::zoomToFit()
{
    fitted = true;
    if (!gridView->isVisible())
        fitWhenShown = true;
    const QRectF all = controller->extent();
    if (all.isEmpty())
        return;
    gridView->setSceneRect(QRectF());   // the room Find made goes
    const double margin = 0.03 * qMax(all.width(), all.height());
    gridView->fitInView(all.adjusted(-margin, -margin, margin, margin), Qt::KeepAspectRatio);
}

void Canvas::zoomAbout(const QPoint &viewPos, double factor)
{
    fitted = false;
    const QPointF anchor = gridView->mapToScene(viewPos);
    gridView->scale(factor, factor);
    // Scroll so the same model point is under the cursor again.
    const QPoint moved = gridView->mapFromScene(anchor) - viewPos;
    gridView->horizontalScrollBar()->setValue(gridView->horizontalScrollBar()->value() + moved.x());
    gridView->verticalScrollBar()->setValue(gridView->verticalScrollBar()->value() + moved.y());
}

bool Canvas::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == gridView) {
        // The layouts size the view; a fit asked for before the first show happens now.
        if ((event->type() == QEvent::Resize || event->type() == QEvent::Show) && fitWhenShown
            && gridView->isVisible()) {
            fitWhenShown = false;
            zoomToFit();
        } else if (event->type() == QEvent::Resize && fitted) {
            // A dock shown or hidden, the window resized: once the viewport has its new size.
            QMetaObject::invokeMethod(this, [this] {
                if (fitted)
                    zoomToFit();
            }, Qt::QueuedConnection);
        }
        return false;
    }
    if (watched != gridView->viewport())
        return false;
    if (mouseEvent(event))
        return true;
    switch (event->type()) {
    case QEvent::Wheel: {
        auto *wheel = static_cast<QWheelEvent *>(event);
        const int steps = wheel->angleDelta().y();
        if (steps != 0)
            zoomAbout(wheel->position().toPoint(), steps > 0 ? 1.1 : 1.0 / 1.1);
        return true;
    }
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::MiddleButton) {
            panning = true;
            fitted = false;
            panFrom = mouse->position().toPoint();
            gridView->viewport()->setCursor(Qt::ClosedHandCursor);
            return true;
        }
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint at = mouse->position().toPoint();
        if (panning) {
            const QPoint d = at - panFrom;
            panFrom = at;
            gridView->horizontalScrollBar()->setValue(gridView->horizontalScrollBar()->value() - d.x());
            gridView->verticalScrollBar()->setValue(gridView->verticalScrollBar()->value() - d.y());
            return true;
        }
        emit hovered(at);
        break;
    }
    case QEvent::MouseButtonRelease:
        if (panning && static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton) {
            panning = false;
            gridView->viewport()->unsetCursor();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

bool Canvas::mouseEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        bool onNode = false, onItem = false;
        for (QGraphicsItem *item : gridView->items(mouse->position().toPoint())) {
            onNode = onNode || item->type() == Node::Type;
            onItem = onItem || item->type() == Node::Type || item->type() == Bar::Type;
        }
        // The view's box is the left button's: a right press only opens an item's dialog.
        if (mouse->button() == Qt::RightButton)
            return !onItem;
        if (mouse->button() != Qt::LeftButton || !active)
            return false;
        return active->press(mouse, onNode, onItem);
    }
    case QEvent::MouseMove:
        if (active && active->move(static_cast<QMouseEvent *>(event))) {
            emit hovered(static_cast<QMouseEvent *>(event)->position().toPoint());
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        return active && active->release(static_cast<QMouseEvent *>(event));
    default:
        return false;
    }
}
