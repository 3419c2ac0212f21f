#include "node.h"

#include "editnodedialog.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
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
    d->setId(id);
    d->setX(rec.x);
    d->setY(rec.y);
    d->setKup1(rec.kup1);
    d->setKup2(rec.kup2);
    d->setKup3(rec.kup3);
    d->setNf1(rec.nf1);
    d->setNf2(rec.nf2);
    d->setNf3(rec.nf3);
    d->setKup1List(kup1List);
    d->setKup2List(kup2List);
    d->setKup3List();
    d->setIout(rec.iout);
    d->setProperties();
}

void Node::openDialog()
{
    loadDialog();
    dialog->exec();
}

void Node::updateNode()
{
    NodeRecord next = rec;
    next.nf1 = dialog->getNf1();
    next.nf2 = dialog->getNf2();
    next.nf3 = dialog->getNf3();
    next.kup1 = dialog->getKup1();
    next.kup2 = dialog->getKup2();
    next.kup3 = dialog->getKup3();
    next.iout = dialog->getIout();
    emit editRequested(next);
}

QRectF Node::boundingRect() const
{
    return QRectF(-12, -12, 25, 25);
}

QPainterPath Node::shape() const
{
    QPainterPath path;
    path.addEllipse(-10, -10, 20, 20);
    return path;
}

void Node::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    QRadialGradient gradient(-5, -5, 10);
    const bool pressed = scene() && scene()->mouseGrabberItem() == this;
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
