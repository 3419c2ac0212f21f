#include "node.h"

#include "drawingstyle.h"
#include "editnodedialog.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QRadialGradient>

Node::Node(QGraphicsItem *parent) : QGraphicsItem(parent)
{
    setFlag(ItemIsSelectable);
    setFlag(ItemSendsGeometryChanges);
    // No pixmap cache: drawing a node costs no more than drawing its cached
    // pixmap, and every zoom would render thousands of caches anew.
    setZValue(1);
}

Node::~Node()
{
    delete dialog;
}

void Node::addNode(int nodeId)
{
    nodes.append(nodeId);
}

void Node::deleteNode(int nodeId)
{
    nodes.removeOne(nodeId);
}

bool Node::hasAssociation(int nodeId) const
{
    return nodes.contains(nodeId);
}

editNodeDialog *Node::getDialog()
{
    if (!dialog) {
        dialog = new editNodeDialog();
        connect(dialog, &editNodeDialog::updateNode, this, &Node::updateNode);
    }
    return dialog;
}

void Node::loadDialog()
{
    editNodeDialog *d = getDialog();
    const NodeRecord &r = record();
    d->setId(id);
    d->setX(r.x);
    d->setY(r.y);
    d->setKup1(r.kup1);
    d->setKup2(r.kup2);
    d->setKup3(r.kup3);
    d->setNf1(r.nf1);
    d->setNf2(r.nf2);
    d->setNf3(r.nf3);
    d->setKup1List(kup1List);
    d->setKup2List(kup2List);
    d->setKup3List();
    d->setIout(r.iout);
    d->setProperties();
}

void Node::openDialog()
{
    loadDialog();
    dialog->exec();
}

void Node::updateNode()
{
    NodeRecord next = record();
    next.nf1 = dialog->getNf1();
    next.nf2 = dialog->getNf2();
    next.nf3 = dialog->getNf3();
    next.kup1 = dialog->getKup1();
    next.kup2 = dialog->getKup2();
    next.kup3 = dialog->getKup3();
    next.iout = dialog->getIout();
    emit editRequested(next);
}

Node::Support Node::support(const NodeRecord &r)
{
    if (r.kup1 < 0 || r.kup2 < 0 || r.kup3 < 0)
        return InputMotion;
    const bool x = r.nf1 == 1, y = r.nf2 == 1, turn = r.nf3 == 1;
    if (x && y)
        return turn ? Fixed : Pinned;
    if (x != y)
        return Roller;
    return turn ? Restrained : NoSupport;
}

const NodeRecord &Node::record() const
{
    if (model)
        if (const NodeRecord *r = model->node(rec.key))
            return *r;
    return rec;
}

void Node::request(int NodeRecord::*field, int value)
{
    NodeRecord next = record();
    next.*field = value;
    if (!model) {
        showRecord(next);
        return;
    }
    if (next != record())
        emit editRequested(next);
}

void Node::showRecord(const NodeRecord &value)
{
    if (support(value) != support(rec) || value.nf2 != rec.nf2)
        prepareGeometryChange();
    rec = value;
}

QRectF Node::labelRect() const
{
    // Below and right of the node, where the separate label items stood.
    const int digits = int(QString::number(id).size());
    const double w = style ? style->digitWidth * digits + 2 : 8.0 * digits;
    return QRectF(6, 6, w, style ? style->lineHeight : 14);
}

QRectF Node::boundingRect() const
{
    // The disc and its highlight, the support mark below (or left of) it, the number.
    QRectF r(-12, -12, 25, 25);
    switch (support(rec)) {
    case Fixed:
    case Pinned: r.setBottom(20); break;
    case Roller:
        if (rec.nf2 == 1)
            r.setBottom(20);
        else
            r.setLeft(-20);
        break;
    default: break;
    }
    if (style && style->nodeNumbers)
        r |= labelRect();
    return r;
}

QPainterPath Node::shape() const
{
    QPainterPath path;
    path.addEllipse(-10, -10, 20, 20);
    return path;
}

namespace {
const QColor supportColour(0, 190, 255);
const QColor inputColour(255, 60, 255);

// The hatched ground line at depth y, below the node.
void drawGround(QPainter *p, double y)
{
    p->drawLine(QLineF(-10, y, 10, y));
    for (double x = -8; x <= 10; x += 5)
        p->drawLine(QLineF(x, y, x - 3, y + 4));
}
} // namespace

QColor Node::plainColour(bool pressed)
{
    return pressed ? QColor(Qt::green) : QColor(Qt::blue);
}

QPen Node::selectedPen()
{
    QPen pen(DrawingStyle::highlight(), 4);
    pen.setCosmetic(true);
    return pen;
}

void Node::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    // Detail from the painter, so a large export shows everything the screen would.
    const qreal lod = QStyleOptionGraphicsItem::levelOfDetailFromTransform(painter->worldTransform());
    const bool pressed = scene() && scene()->mouseGrabberItem() == this;
    if (plainAt(lod)) {
        if (painter->testRenderHint(QPainter::Antialiasing))
            painter->setRenderHint(QPainter::Antialiasing, false);
        if (isSelected()) {
            painter->setPen(selectedPen());
            painter->drawPoint(QPointF(0, 0));
        } else {
            painter->setPen(Qt::NoPen);
            painter->setBrush(plainColour(pressed));
            painter->drawRect(plainRect());
        }
        return;
    }
    if (!painter->testRenderHint(QPainter::Antialiasing))
        painter->setRenderHint(QPainter::Antialiasing, true);

    // The support mark, under the disc.
    const Support mark = support(rec);
    if (mark != NoSupport) {
        painter->setPen(QPen(mark == InputMotion ? inputColour : supportColour, 1.5));
        painter->setBrush(Qt::NoBrush);
        switch (mark) {
        case Fixed:
            drawGround(painter, 8);
            break;
        case Pinned: {
            const QPointF tri[] = {{0, 5}, {-7, 14}, {7, 14}};
            painter->drawPolygon(tri, 3);
            drawGround(painter, 14);
            break;
        }
        case Roller: {
            painter->save();
            if (rec.nf2 != 1)
                painter->rotate(90);   // a horizontal reaction: the rollers stand left of the node
            const QPointF tri[] = {{0, 5}, {-7, 12}, {7, 12}};
            painter->drawPolygon(tri, 3);
            painter->drawEllipse(QPointF(-4, 14.5), 2, 2);
            painter->drawEllipse(QPointF(4, 14.5), 2, 2);
            painter->drawLine(QLineF(-10, 17, 10, 17));
            painter->restore();
            break;
        }
        case Restrained:
            painter->drawRect(QRectF(-8.5, -8.5, 17, 17));
            break;
        case InputMotion: {
            const QPointF diamond[] = {{0, -10}, {10, 0}, {0, 10}, {-10, 0}};
            painter->drawPolygon(diamond, 4);
            break;
        }
        case NoSupport: break;
        }
    }

    if (isSelected()) {
        painter->setPen(QPen(DrawingStyle::highlight(), 3));
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(QPointF(0, 0), 8.5, 8.5);
    }
    QRadialGradient gradient(-5, -5, 10);
    if (pressed) {
        gradient.setColorAt(0, QColor(Qt::darkGreen).lighter(120));
        gradient.setColorAt(1, QColor(Qt::green).lighter(120));
    } else {
        gradient.setColorAt(0, Qt::blue);
        gradient.setColorAt(1, Qt::darkBlue);
    }
    painter->setBrush(gradient);
    painter->setPen(Qt::NoPen);
    painter->drawEllipse(-5, -5, 10, 10);

    // The number, once it is large enough to read.
    if (style && style->nodeNumbers && style->lineHeight * lod >= 7) {
        painter->setFont(style->font);
        painter->setPen(Qt::red);
        painter->drawText(labelRect(), Qt::AlignLeft | Qt::AlignTop, QString::number(id));
    }
}

QVariant Node::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemPositionHasChanged)
        place = value.toPointF();
    else if (change == ItemSelectedHasChanged)
        selected = value.toBool();
    return QGraphicsItem::itemChange(change, value);
}

void Node::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        // As a member's: no grab outlives the dialog, the selection stays.
        if (scene() && scene()->mouseGrabberItem() == this)
            ungrabMouse();
        openDialog();
        event->accept();
        return;
    }
    if (event->button() == Qt::LeftButton)
        emit barProcedure(id);
    update();
    QGraphicsItem::mousePressEvent(event);
}
