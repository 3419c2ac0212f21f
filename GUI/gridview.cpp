#include "gridview.h"

#include "modellayer.h"

#include <QGraphicsItem>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

GridView::GridView(QWidget *parent) : QGraphicsView(parent) {}

bool GridView::layerDraws() const
{
    return layer && scene() && ModelLayer::covers(QStyleOptionGraphicsItem::levelOfDetailFromTransform(transform()));
}

void GridView::followChanges(bool on)
{
    // Qt repaints a changed item where it last painted it, and items the layer
    // draws were never painted by Qt. While the layer draws, the scene reports
    // its changes as scene rectangles instead: that is Qt's way for anyone who
    // follows the scene's changes, and Qt then follows them too.
    QGraphicsScene *want = on ? scene() : nullptr;
    if (want == followed)
        return;
    if (followed) {
        disconnect(followed, &QGraphicsScene::changed, this, &GridView::sceneChanged);
        disconnect(followed, SIGNAL(changed(QList<QRectF>)), this, SLOT(updateScene(QList<QRectF>)));
    }
    followed = want;
    if (followed)
        connect(followed, &QGraphicsScene::changed, this, &GridView::sceneChanged);
}

void GridView::removeFromScene(const QList<QGraphicsItem *> &items)
{
    QGraphicsScene *from = scene();
    if (!from || items.isEmpty())
        return;
    if (!followed) {
        for (QGraphicsItem *item : items)
            from->removeItem(item);
        return;
    }
    // Followed, the scene repaints everything for each item that leaves it;
    // unfollowed for the moment, it repaints nothing, so the view is told where.
    QRectF where;
    followChanges(false);
    for (QGraphicsItem *item : items) {
        where |= item->sceneBoundingRect();
        from->removeItem(item);
    }
    followChanges(true);
    from->update(where);
}

void GridView::sceneChanged(const QList<QRectF> &region)
{
    updateScene(region);
}

void GridView::paintEvent(QPaintEvent *event)
{
    // A change of scale repaints everything, so the switch loses no change.
    const bool layered = layerDraws();
    followChanges(layered);
    if (!layered) {
        QGraphicsView::paintEvent(event);
        return;
    }
    // Qt's own pass, over one pixel, keeps the scene's bookkeeping as it
    // expects: items to polish, the index brought up to date, and a pending
    // full update marked done (until then the scene drops item updates).
    const QRect area = event->rect();
    QPaintEvent corner(QRect(area.topLeft(), QSize(1, 1)));
    QGraphicsView::paintEvent(&corner);

    const qreal ratio = viewport()->devicePixelRatioF();
    const QSize size = viewport()->size() * ratio;
    if (canvas.size() != size || canvas.devicePixelRatio() != ratio) {
        canvas = QImage(size, QImage::Format_RGB32);
        canvas.setDevicePixelRatio(ratio);
    }
    const QTransform view = viewportTransform();
    const QRectF exposed = view.inverted().mapRect(QRectF(area.adjusted(-2, -2, 2, 2)));
    {
        QPainter painter(&canvas);
        painter.setClipRect(area);
        painter.setWorldTransform(view);
        drawBackground(&painter, exposed);
    }
    layer->paint(canvas, view, area, renderHints(), scene(), viewport());

    QPainter painter(viewport());
    painter.drawImage(area, canvas, QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
    painter.setWorldTransform(view);
    drawForeground(&painter, exposed);
}
