#ifndef MODELLAYER_H
#define MODELLAYER_H

#include <QList>
#include <QPainter>
#include <QRect>
#include <QRectF>
#include <QTransform>

class Bar;
class Node;
class QGraphicsItem;
class QGraphicsScene;
class QImage;
class QWidget;

// Draws the window's grid, members and nodes as their items draw themselves
// when small on screen, but together: the level lines and node squares that
// make up nearly all of a zoomed-out model are written straight into the
// picture, the rest is drawn one call per colour. Qt would visit every item
// in turn. It reads the window's lists of items and owns nothing.
class ModelLayer
{
public:
    ModelLayer(const QList<QGraphicsItem *> &grid, const QList<Bar *> &bars, const QList<Node *> &nodes)
        : grid(grid), bars(bars), nodes(nodes)
    {
    }

    // Every member and node is drawn plain at this level of detail.
    static bool covers(double levelOfDetail);

    // Draws over the canvas's area (in the view's pixels) what the view shows
    // there through its transform; the background is already in place.
    void paint(QImage &canvas, const QTransform &view, const QRect &area, QPainter::RenderHints hints,
               const QGraphicsScene *scene, QWidget *widget) const;

private:
    const QList<QGraphicsItem *> &grid;
    const QList<Bar *> &bars;
    const QList<Node *> &nodes;
};

#endif // MODELLAYER_H
