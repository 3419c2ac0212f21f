#include "modellayer.h"

#include "bar.h"
#include "node.h"

#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QImage>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QVarLengthArray>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Fills a rectangle of pixels, already clipped, in an opaque colour.
void fill(QImage &canvas, const QRect &r, QRgb colour)
{
    const qsizetype stride = canvas.bytesPerLine() / 4;
    auto *row = reinterpret_cast<QRgb *>(canvas.bits()) + r.top() * stride + r.left();
    for (int y = r.top(); y <= r.bottom(); ++y, row += stride)
        std::fill(row, row + r.width(), colour);
}

// The pixels of a level or upright line of the given width, from device
// coordinates: the pixel rows (or columns) it passes through.
QRect hairline(const QPointF &a, const QPointF &b, int width)
{
    const int before = (width - 1) / 2, after = width / 2;
    if (a.y() == b.y()) {
        const int y = int(std::floor(a.y()));
        return QRect(QPoint(int(std::floor(qMin(a.x(), b.x()))), y - before),
                     QPoint(int(std::floor(qMax(a.x(), b.x()))), y + after));
    }
    const int x = int(std::floor(a.x()));
    return QRect(QPoint(x - before, int(std::floor(qMin(a.y(), b.y())))),
                 QPoint(x + after, int(std::floor(qMax(a.y(), b.y())))));
}

} // namespace

bool ModelLayer::covers(double levelOfDetail)
{
    return Bar::plainAt(levelOfDetail) && Node::plainAt(levelOfDetail);
}

void ModelLayer::paint(QImage &canvas, const QTransform &view, const QRect &area, QPainter::RenderHints hints,
                       const QGraphicsScene *scene, QWidget *widget) const
{
    const qreal ratio = canvas.devicePixelRatio();
    const QTransform toPixels = view * QTransform::fromScale(ratio, ratio);
    const QRect pixels = QRect(QPoint(int(area.left() * ratio), int(area.top() * ratio)),
                               QSize(int(std::ceil(area.width() * ratio)), int(std::ceil(area.height() * ratio))))
                         & canvas.rect();
    if (pixels.isEmpty())
        return;
    const QRectF exposed = view.inverted().mapRect(QRectF(area).adjusted(-2, -2, 2, 2));
    const QGraphicsItem *grabber = scene ? scene->mouseGrabberItem() : nullptr;
    const double lod = QStyleOptionGraphicsItem::levelOfDetailFromTransform(view);

    // Where a scene point falls in the canvas: the view only scales and moves.
    const double sx = toPixels.m11(), sy = toPixels.m22(), dx = toPixels.dx(), dy = toPixels.dy();
    const bool plainView = toPixels.type() <= QTransform::TxScale;
    const auto pixel = [&](const QPointF &p) {
        return plainView ? QPointF(sx * p.x() + dx, sy * p.y() + dy) : toPixels.map(p);
    };

    const double reach = lod > 0 ? 3.0 / lod : 0;
    // A small area, as one edit repaints: the scene's index finds the few
    // items there, where a walk over the lists would visit the whole model.
    QList<QGraphicsItem *> someGrid;
    QList<Bar *> someBars;
    QList<Node *> someNodes;
    const QSizeF whole = QSizeF(canvas.size()) / ratio;
    const bool few = scene && 8.0 * area.width() * area.height() < whole.width() * whole.height();
    if (few) {
        const double margin = qMax(reach, 12.0);
        for (QGraphicsItem *item :
             scene->items(exposed.adjusted(-margin, -margin, margin, margin), Qt::IntersectsItemBoundingRect)) {
            if (item->type() == Bar::Type)
                someBars.append(static_cast<Bar *>(item));
            else if (item->type() == Node::Type)
                someNodes.append(static_cast<Node *>(item));
            else
                someGrid.append(item);
        }
    }

    QPainter painter;
    const auto begin = [&] {
        painter.begin(&canvas);
        painter.setClipRect(area);
        painter.setWorldTransform(view);
    };

    // The grid: its lines together, one call per pen, its ids as Qt draws them.
    begin();
    painter.setRenderHints(hints);
    QList<std::pair<QPen, QList<QLineF>>> lines;
    QList<const QGraphicsItem *> others;
    for (const QGraphicsItem *item : few ? someGrid : grid) {
        if (!item->isVisible())
            continue;
        const QTransform at = item->sceneTransform();
        // A hairline's bounds have no width: widened, they can meet the area.
        if (!at.mapRect(item->boundingRect()).adjusted(-1, -1, 1, 1).intersects(exposed))
            continue;
        const auto *line = qgraphicsitem_cast<const QGraphicsLineItem *>(item);
        if (!line) {
            others.append(item);
            continue;
        }
        if (lines.isEmpty() || lines.last().first != line->pen())
            lines.append({line->pen(), {}});
        lines.last().second.append(at.map(line->line()));
    }
    for (const auto &[pen, list] : std::as_const(lines)) {
        painter.setPen(pen);
        painter.drawLines(list);
    }
    QStyleOptionGraphicsItem option;
    for (const QGraphicsItem *item : std::as_const(others)) {
        painter.setWorldTransform(item->sceneTransform() * view);
        option.exposedRect = item->boundingRect();
        option.rect = option.exposedRect.toAlignedRect();
        const_cast<QGraphicsItem *>(item)->paint(&painter, &option, widget);
    }
    painter.end();

    // Members. Plain level and upright ones go straight into the pixels; the
    // rest, slanted or dotted, are drawn one list per pen, selected ones last.
    struct Group {
        QColor colour;
        Qt::PenStyle style;
        bool selected;
        QList<QLineF> lines;
    };
    std::vector<Group> groups;
    const QRectF near = exposed.adjusted(-reach, -reach, reach, reach);
    QRgb lastColour = 0;
    QColor last;
    for (const Bar *bar : few ? someBars : bars) {
        const QLineF line = bar->drawnLine();
        if (line.p1() == line.p2())
            continue;
        if (qMax(line.x1(), line.x2()) < near.left() || qMin(line.x1(), line.x2()) > near.right()
            || qMax(line.y1(), line.y2()) < near.top() || qMin(line.y1(), line.y2()) > near.bottom())
            continue;
        const bool selected = bar->selectedNow();
        const QColor colour = bar->plainColour(bar == grabber);
        const Qt::PenStyle style = bar->penStyle();
        const QPointF a = pixel(line.p1()), b = pixel(line.p2());
        if (style == Qt::SolidLine && !selected && (a.x() == b.x() || a.y() == b.y())) {
            if (colour != last) {
                last = colour;
                lastColour = colour.rgba() | 0xff000000u;
            }
            const QRect r = hairline(a, b, 1) & pixels;
            if (!r.isEmpty())
                fill(canvas, r, lastColour);
            continue;
        }
        auto g = std::find_if(groups.begin(), groups.end(), [&](const Group &x) {
            return x.selected == selected && x.style == style && x.colour == colour;
        });
        if (g == groups.end())
            g = groups.insert(groups.end(), Group{colour, style, selected, {}});
        g->lines.append(line);
    }
    if (!groups.empty()) {
        begin();
        for (bool selected : {false, true})
            for (const Group &g : groups)
                if (g.selected == selected) {
                    painter.setPen(Bar::plainPen(g.colour, g.style, g.selected));
                    painter.drawLines(g.lines);
                }
        painter.end();
    }

    // Nodes, over the members: squares straight into the pixels, the pressed
    // and the selected ones drawn.
    const QRectF mark = Node::plainRect();
    const QRectF nodeNear = exposed.adjusted(-12, -12, 12, 12);
    const QRgb blue = Node::plainColour(false).rgba() | 0xff000000u;
    QList<QPointF> chosen;
    const Node *pressed = nullptr;
    const QSizeF side = toPixels.mapRect(mark).size();
    for (const Node *node : few ? someNodes : nodes) {
        const QPointF at = node->placeNow();
        if (!nodeNear.contains(at))
            continue;
        if (node->selectedNow()) {
            chosen.append(at);
            continue;
        }
        if (node == grabber) {
            pressed = node;
            continue;
        }
        const QPointF corner = pixel(at + mark.topLeft());
        const int left = qRound(corner.x()), top = qRound(corner.y());
        QRect r(left, top, qMax(1, qRound(corner.x() + side.width()) - left),
                qMax(1, qRound(corner.y() + side.height()) - top));
        r &= pixels;
        if (!r.isEmpty())
            fill(canvas, r, blue);
    }
    if (pressed || !chosen.isEmpty()) {
        begin();
        if (pressed) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Node::plainColour(true));
            painter.drawRect(mark.translated(pressed->pos()));
        }
        if (!chosen.isEmpty()) {
            painter.setPen(Node::selectedPen());
            painter.drawPoints(chosen.constData(), int(chosen.size()));
        }
        painter.end();
    }
}
