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
    setCacheMode(DeviceCoordinateCache);
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
    d->setX(x);
    d->setY(y);
    d->setKup1(kup1);
    d->setKup2(kup2);
    d->setKup3(kup3);
    d->setNf1(nf1);
    d->setNf2(nf2);
    d->setNf3(nf3);
    d->setKup1List(kup1List);
    d->setKup2List(kup2List);
    d->setKup3List();
    d->setIout(iout);
    d->setProperties();
}

void Node::openDialog()
{
    loadDialog();
    dialog->exec();
}

void Node::updateNode()
{
    nf1 = dialog->getNf1();
    nf2 = dialog->getNf2();
    nf3 = dialog->getNf3();
    kup1 = dialog->getKup1();
    kup2 = dialog->getKup2();
    kup3 = dialog->getKup3();
    iout = dialog->getIout();
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
    if (event->button() == Qt::RightButton)
        openDialog();
    else if (event->button() == Qt::LeftButton)
        emit barProcedure(id);
    update();
    QGraphicsItem::mousePressEvent(event);
}
