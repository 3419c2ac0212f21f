#include "bar.h"

#include "drawingstyle.h"
#include "editbardialog.h"
#include "member.h"
#include "node.h"

#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QLineF>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QtMath>

Bar::Bar(Node *sourceNode, Node *destNode, int barId, int mtype, int outFlag)
    : mTypeId(mtype), id(barId), iout(outFlag), source(sourceNode), dest(destNode)
{
    setFlag(ItemIsSelectable);
    adjust();
    setZValue(0);
    refreshToolTip();
}

Bar::~Bar()
{
    delete dialog;
}

void Bar::setId(int value)
{
    // The number shows in the tool tip, and in the drawing only when numbers are on.
    if (id == value)
        return;
    if (numbered)
        prepareGeometryChange();
    id = value;
}

const MemberRecord *Bar::modelRecord() const
{
    return model ? model->member(barKey) : nullptr;
}

int Bar::getMTypeId() const
{
    const MemberRecord *r = modelRecord();
    return r ? model->typeNumber(r->type) : mTypeId;
}

int Bar::getNode3() const
{
    const MemberRecord *r = modelRecord();
    return r ? r->node3 : node3;
}

int Bar::getNode4() const
{
    const MemberRecord *r = modelRecord();
    return r ? r->node4 : node4;
}

int Bar::getIout() const
{
    const MemberRecord *r = modelRecord();
    return r ? r->iout : iout;
}

void Bar::setSourceNode(Node *node)
{
    const MemberRecord *r = modelRecord();
    if (!r) {
        showEnds(node, dest);
        return;
    }
    if (node && node->key() != r->source) {
        MemberRecord next = *r;
        next.source = node->key();
        emit editRequested(next);
    }
}

void Bar::setDestNode(Node *node)
{
    const MemberRecord *r = modelRecord();
    if (!r) {
        showEnds(source, node);
        return;
    }
    if (node && node->key() != r->dest) {
        MemberRecord next = *r;
        next.dest = node->key();
        emit editRequested(next);
    }
}

void Bar::showEnds(Node *sourceNode, Node *destNode)
{
    source = sourceNode;
    dest = destNode;
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
    QRectF r = QRectF(sourcePoint, QSizeF(destPoint.x() - sourcePoint.x(), destPoint.y() - sourcePoint.y()))
                   .normalized()
                   .adjusted(-extra, -extra, extra, extra);
    if (numbered && style) {
        const QPointF mid = (sourcePoint + destPoint) / 2;
        const double w = style->digitWidth * QString::number(id).size() + 4, h = style->lineHeight;
        r |= QRectF(mid.x() - w / 2, mid.y() - h / 2, w, h);
    }
    return r;
}

QString Bar::toolTip() const
{
    if (mTypeId == 0)
        return QStringLiteral("ID : %1\nMTYPE : None").arg(id);
    return QStringLiteral("ID : %1\nMTYPE : %2").arg(id).arg(mTypeId);
}

void Bar::refreshToolTip()
{
    QGraphicsItem::setToolTip(toolTip());
}

QColor Bar::colour() const
{
    if (style && style->colourByType && mTypeId >= 1 && mTypeId <= style->typeColours.size())
        return style->typeColours.at(mTypeId - 1);
    const QColor c = categoryColour(category);
    return style && style->paper && c == QColor(Qt::white) ? QColor(Qt::black) : c;
}

QColor Bar::categoryColour(int category)
{
    switch (category) {
    case 0: return Qt::gray;
    case 1: return Qt::yellow;
    case 2: return Qt::darkGreen;
    case 3: return Qt::darkGray;
    case 4: return Qt::darkYellow;
    case 5: return Qt::red;
    default: return Qt::white;
    }
}

QPen Bar::plainPen(const QColor &colour, Qt::PenStyle style, bool selected)
{
    QPen pen(colour, selected ? 3 : 0, style);
    pen.setCosmetic(true);
    return pen;
}

QColor Bar::plainColour(bool grabbed) const
{
    if (selected)
        return DrawingStyle::highlight();
    return grabbed ? QColor(Qt::green) : colour();
}

void Bar::styleChanged()
{
    const bool want = style && style->memberNumbers;
    if (want != numbered) {
        prepareGeometryChange();
        numbered = want;
    }
}

void Bar::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    if (!source || !dest)
        return;
    const QLineF line(sourcePoint, destPoint);
    if (qFuzzyCompare(line.length(), qreal(0.0)))
        return;

    const bool grabbed = scene() && scene()->mouseGrabberItem() == this;
    // Detail from the painter, so a large export shows everything the screen would.
    const qreal lod = QStyleOptionGraphicsItem::levelOfDetailFromTransform(painter->worldTransform());
    if (plainAt(lod)) {
        if (painter->testRenderHint(QPainter::Antialiasing))
            painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(plainPen(plainColour(grabbed), penStyle(), isSelected()));
        painter->drawLine(line);
        return;
    }
    const QColor colour = grabbed ? QColor(Qt::green) : this->colour();
    const Qt::PenStyle style = penStyle();
    if (!painter->testRenderHint(QPainter::Antialiasing))
        painter->setRenderHint(QPainter::Antialiasing, true);
    if (isSelected()) {
        painter->setPen(QPen(DrawingStyle::highlight(), 11, Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
        painter->drawLine(line);
    }
    painter->setPen(QPen(colour, 7, style, Qt::SquareCap, Qt::RoundJoin));
    painter->drawLine(line);

    if (numbered && this->style && this->style->lineHeight * lod >= 7) {
        const QString text = QString::number(id);
        const double w = this->style->digitWidth * text.size() + 4, h = this->style->lineHeight;
        const QRectF label(line.center().x() - w / 2, line.center().y() - h / 2, w, h);
        painter->fillRect(label, Qt::black);
        painter->setFont(this->style->font);
        painter->setPen(QColor(235, 235, 235));
        painter->drawText(label, Qt::AlignCenter, text);
    }
}

bool Bar::withValues(int mType, int n3, int n4, int out, MemberRecord &next) const
{
    const MemberRecord *r = modelRecord();
    if (!r)
        return false;
    next = *r;
    next.type = model->typeKey(mType);
    next.node3 = n3;
    next.node4 = n4;
    next.iout = out;
    return true;
}

void Bar::setProperties(int mType, int n3, int n4, int out)
{
    requestProperties(mType, n3, n4, out);
}

void Bar::showProperties(int mType, int n3, int n4, int out)
{
    const QColor was = colour();
    const Qt::PenStyle wasStyle = penStyle();
    mTypeId = mType;
    node3 = n3;
    node4 = n4;
    iout = out;
    // A number beyond the list is never looked up.
    if (mTypeId >= 1 && mTypeId <= mTypeList.size())
        category = mTypeList.at(mTypeId - 1)->getType();
    else
        category = -1;
    // Only the colour and line show in the drawing.
    if (colour() != was || penStyle() != wasStyle)
        update();
}

void Bar::requestProperties(int mType, int n3, int n4, int out)
{
    MemberRecord next;
    if (withValues(mType, n3, n4, out, next))
        emit editRequested(next);
    else
        showProperties(mType, n3, n4, out);
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
    d->setBarMType(getMTypeId());
    d->setNodesCount(int(newNodes.size()));
    d->setNode1(source ? source->getId() : 0);
    d->setNode2(dest ? dest->getId() : 0);
    d->setNode3(getNode3());
    d->setNode4(getNode4());
    d->setIOut(getIout());
    d->exec();
}

QVariant Bar::itemChange(GraphicsItemChange change, const QVariant &value)
{
    if (change == ItemSelectedHasChanged)
        selected = value.toBool();
    return QGraphicsItem::itemChange(change, value);
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
