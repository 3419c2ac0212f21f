#include "dimensionsitem.h"

#include "drawingstyle.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <cmath>

namespace {
// Scene units: the gap from the lowest line (past the support marks and node
// numbers), the tick half length, and the room left for the numbers.
const double gap = 36, tick = 4, room = 20;
// Where the storey ids start left of the first column line, in metres.
const double idsLeft = 4.0;
} // namespace

DimensionsItem::DimensionsItem(const DrawingStyle *s) : style(s)
{
    setZValue(-1);
    // The item spans the whole grid: a repaint of one member exposes a sliver of
    // it, and only the dimensions in that sliver are drawn.
    setFlag(ItemUsesExtendedStyleOption);
}

QString DimensionsItem::number(double value)
{
    return QString::asprintf("%g", value);
}

QStringList DimensionsItem::texts() const
{
    return widthTexts + heightTexts;
}

void DimensionsItem::setLines(const QList<double> &x, const QList<double> &y, double xFactor, double yFactor)
{
    prepareGeometryChange();
    xs.clear(), ys.clear(), widths.clear(), heights.clear();
    for (int k = 0; k < x.size(); ++k) {
        xs << xFactor * x.at(k);
        if (k > 0)
            widths << x.at(k) - x.at(k - 1);
    }
    for (int k = 0; k < y.size(); ++k) {
        ys << yFactor * y.at(k);
        if (k > 0)
            heights << y.at(k) - y.at(k - 1);
    }
    widthTexts.clear(), heightTexts.clear();
    for (double v : std::as_const(widths))
        widthTexts << number(v);
    for (double v : std::as_const(heights))
        heightTexts << number(v);
    if (!xs.isEmpty() && !ys.isEmpty()) {
        below = std::max(ys.first(), ys.last()) + gap;
        beside = std::min(xs.first(), xs.last()) - xFactor * idsLeft - tick - 2;
    }
}

QRectF DimensionsItem::boundingRect() const
{
    if (xs.isEmpty() || ys.isEmpty())
        return QRectF();
    const double top = std::min(ys.first(), ys.last()), right = std::max(xs.first(), xs.last());
    return QRectF(QPointF(beside - tick - room, top - tick), QPointF(right + tick, below + tick + room));
}

void DimensionsItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *)
{
    if (xs.size() < 2 && ys.size() < 2)
        return;
    const QRectF exposed = option->exposedRect;
    const QRectF all = boundingRect();
    const double top = std::min(ys.first(), ys.last()), bottom = std::max(ys.first(), ys.last());
    const bool bays = xs.size() > 1 && exposed.intersects(QRectF(QPointF(all.left(), below - tick), all.bottomRight()));
    const bool storeys = ys.size() > 1
                         && exposed.intersects(QRectF(QPointF(all.left(), top - tick), QPointF(beside + tick, bottom + tick)));
    if (!bays && !storeys)
        return;
    const QColor colour = style->paper ? QColor(Qt::black) : QColor(110, 190, 255);
    painter->setPen(QPen(colour, 0));
    if (bays) {
        painter->drawLine(QLineF(xs.first(), below, xs.last(), below));
        for (double x : xs)
            painter->drawLine(QLineF(x, below - tick, x, below + tick));
    }
    if (storeys) {
        painter->drawLine(QLineF(beside, ys.first(), beside, ys.last()));
        for (double y : ys)
            painter->drawLine(QLineF(beside - tick, y, beside + tick, y));
    }

    // The numbers in the view's pixels: their size does not follow the zoom.
    const QTransform view = painter->worldTransform();
    const double sx = std::hypot(view.m11(), view.m12()), sy = std::hypot(view.m21(), view.m22());
    painter->save();
    painter->resetTransform();
    painter->setFont(style->font);
    const QFontMetricsF metrics(style->font, painter->device());
    const double high = metrics.height();
    if (bays && high <= room * sy) {
        for (int k = 0; k < widths.size(); ++k) {
            const QString &text = widthTexts.at(k);
            const double wide = metrics.horizontalAdvance(text);
            if (wide + 4 > std::abs(xs.at(k + 1) - xs.at(k)) * sx)
                continue;
            const QPointF at = view.map(QPointF((xs.at(k) + xs.at(k + 1)) / 2, below + tick));
            painter->drawText(QPointF(at.x() - wide / 2, at.y() + metrics.ascent()), text);
        }
    }
    if (storeys && high <= room * sx) {
        for (int k = 0; k < heights.size(); ++k) {
            const QString &text = heightTexts.at(k);
            const double wide = metrics.horizontalAdvance(text);
            if (wide + 4 > std::abs(ys.at(k + 1) - ys.at(k)) * sy)
                continue;
            // Read from below, left of the line.
            const QPointF at = view.map(QPointF(beside - tick, (ys.at(k) + ys.at(k + 1)) / 2));
            painter->save();
            painter->translate(at);
            painter->rotate(-90);
            painter->drawText(QPointF(-wide / 2, -metrics.descent()), text);
            painter->restore();
        }
    }
    painter->restore();
}
