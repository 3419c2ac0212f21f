#ifndef DIMENSIONSITEM_H
#define DIMENSIONSITEM_H

#include <QGraphicsItem>
#include <QList>
#include <QStringList>

struct DrawingStyle;

// View → Dimensions: the width of each bay under the lowest line and the height
// of each storey left of the first column line's ids. One item draws them all;
// its numbers keep the size of the view's font at every zoom and are left out
// where they do not fit between their lines.
class DimensionsItem : public QGraphicsItem
{
public:
    enum { Type = UserType + 3 };

    explicit DimensionsItem(const DrawingStyle *style);

    // The grid's lines in metres, ascending, and the scene units per metre.
    void setLines(const QList<double> &xs, const QList<double> &ys, double xFactor, double yFactor);

    int type() const override { return Type; }
    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

    // "%g": 6 significant digits.
    static QString number(double value);
    // The numbers it shows: bay widths, then storey heights.
    QStringList texts() const;

private:
    const DrawingStyle *style;
    QList<double> xs, ys;   // scene units
    QList<double> widths, heights;
    QStringList widthTexts, heightTexts;   // made once per grid, not at every repaint
    double below = 0;       // scene y of the bays' dimension line
    double beside = 0;      // scene x of the storeys' dimension line
};

#endif // DIMENSIONSITEM_H
