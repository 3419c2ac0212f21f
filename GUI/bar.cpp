#include "bar.h"

#include "editbardialog.h"
#include "member.h"
#include "node.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QLineF>
#include <QPainter>
#include <QtMath>

Bar::Bar(Node *sourceNode, Node *destNode, int barId, int mtype, int outFlag)
    : mTypeId(mtype), id(barId), iout(outFlag), source(sourceNode), dest(destNode)
{
    setFlag(ItemIsSelectable);
    adjust();
    setZValue(0);
    updateToolTip();
}

Bar::~Bar()
{
    delete dialog;
}

void Bar::setId(int value)
{
    // The number shows only in the tool tip: nothing to repaint.
    if (id == value)
        return;
    id = value;
    updateToolTip();
}

void Bar::setSourceNode(Node *node)
{
    source = node;
    adjust();
}

void Bar::setDestNode(Node *node)
{
    dest = node;
    adjust();
}

void Bar::adjust()
{
    if (!source || !dest)
        return;
    const QLineF line(mapFromItem(source, 0, 0), mapFromItem(dest, 0, 0));
    const qreal length = line.length();
    prepareGeometryChange();
    if (length > qreal(0.0)) {
        const QPointF offset((line.dx() * 10) / length, (line.dy() * 10) / length);
        sourcePoint = line.p1() + offset;
        destPoint = line.p2() - offset;
    } else {
        sourcePoint = destPoint = line.p1();
    }
}

QRectF Bar::boundingRect() const
{
    if (!source || !dest)
        return QRectF();
    const qreal extra = (1 + arrowSize) / 2.0;
    return QRectF(sourcePoint, QSizeF(destPoint.x() - sourcePoint.x(), destPoint.y() - sourcePoint.y()))
        .normalized()
        .adjusted(-extra, -extra, extra, extra);
}

void Bar::updateToolTip()
{
    if (mTypeId == 0)
        setToolTip(QStringLiteral("ID : %1\nMTYPE : None").arg(id));
    else
        setToolTip(QStringLiteral("ID : %1\nMTYPE : %2").arg(id).arg(mTypeId));
}

void Bar::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!source || !dest)
        return;
    const QLineF line(sourcePoint, destPoint);
    if (qFuzzyCompare(line.length(), qreal(0.0)))
        return;

    QColor colour = Qt::white;
    Qt::PenStyle style = Qt::SolidLine;
    switch (category) {
    case 0: colour = Qt::gray; break;
    case 1: colour = Qt::yellow; break;
    case 2: colour = Qt::darkGreen; break;
    case 3: colour = Qt::darkGray; break;
    case 4: colour = Qt::darkYellow; break;
    case 5: colour = Qt::red; break;
    default: style = Qt::DotLine; break;
    }
    if (scene() && scene()->mouseGrabberItem() == this)
        colour = Qt::green;
    painter->setPen(QPen(colour, 7, style, Qt::SquareCap, Qt::RoundJoin));
    painter->drawLine(line);
}

void Bar::setProperties(int mType, int n3, int n4, int out)
{
    const bool renumbered = mType != mTypeId;
    mTypeId = mType;
    node3 = n3;
    node4 = n4;
    iout = out;
    // A number beyond the list is never looked up.
    const int was = category;
    if (mTypeId >= 1 && mTypeId <= mTypeList.size())
        category = mTypeList.at(mTypeId - 1)->getType();
    else
        category = -1;
    if (renumbered)
        updateToolTip();
    // Only the category shows in the drawing.
    if (category != was)
        update();
}

void Bar::requestProperties(int mType, int n3, int n4, int out)
{
    emit editRequested(barKey, mType, n3, n4, out);
}

void Bar::deleteThis()
{
    if (deleting)
        return;
    deleting = true;
    emit deleteBar(id);
    deleting = false;
}

void Bar::deleteMe()
{
    deleteThis();
}

editBarDialog *Bar::getDialog()
{
    if (!dialog) {
        dialog = new editBarDialog();
        connect(dialog, &editBarDialog::deleteBar, this, &Bar::deleteThis);
        connect(dialog, &editBarDialog::setProperties, this, &Bar::requestProperties);
    }
    return dialog;
}

void Bar::openDialog()
{
    editBarDialog *d = getDialog();
    d->setMTypeList(mTypeList);
    d->setBarId(id);
    d->setBarMType(mTypeId);
    d->setNodesCount(int(newNodes.size()));
    d->setNode1(source ? source->getId() : 0);
    d->setNode2(dest ? dest->getId() : 0);
    d->setNode3(node3);
    d->setNode4(node4);
    d->setIOut(iout);
    d->exec();
}

void Bar::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->button() == Qt::RightButton) {
        // The dialog takes the release: the member must not keep the mouse. Taken
        // here, the press neither clears the selection nor reaches the items below.
        if (scene() && scene()->mouseGrabberItem() == this)
            ungrabMouse();
        openDialog();
        event->accept();
        return;
    }
    // Selection (Ctrl adds or removes) is the scene's.
    QGraphicsItem::mousePressEvent(event);
}
