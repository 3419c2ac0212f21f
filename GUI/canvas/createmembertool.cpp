#include "createmembertool.h"

#include "canvas.h"
#include "createmembercommand.h"
#include "drawingstyle.h"
#include "gridview.h"
#include "node.h"
#include "projectmodel.h"
#include "scenecontroller.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QPen>
#include <QMessageBox>
#include <QMouseEvent>
#include <QUndoStack>

#include <algorithm>

CreateMemberTool::CreateMemberTool(Canvas *canvas, ProjectModel *m, QUndoStack *s, QWidget *w)
    : CanvasTool(canvas), model(m), stack(s), window(w)
{
    // A new scene has none of the nodes picked.
    connect(canvas->sceneController(), &SceneController::rebuilt, this, [this] {
        // The scene deleted the mark and line with everything else.
        band = nullptr;
        mark = nullptr;
        initialNode = nullptr;
        setFirstPicked(false);
    });
}

void CreateMemberTool::setFirstPicked(bool picked)
{
    firstPicked = picked;
    if (firstPicked && initialNode)
        showPending();
    else
        dropPending();
    emit hintChanged();
}

void CreateMemberTool::showPending()
{
    QGraphicsScene *scene = canvas->sceneController()->scene();
    const QColor colour = DrawingStyle::highlight();
    if (!mark) {
        mark = new QGraphicsEllipseItem(-8, -8, 16, 16);
        mark->setFlag(QGraphicsItem::ItemIgnoresTransformations);
        mark->setPen(QPen(colour, 2));
        band = new QGraphicsLineItem;
        QPen pen(colour, 1.5, Qt::DashLine);
        pen.setCosmetic(true);
        band->setPen(pen);
        for (QGraphicsItem *item : {static_cast<QGraphicsItem *>(mark), static_cast<QGraphicsItem *>(band)}) {
            item->setAcceptedMouseButtons(Qt::NoButton);
            item->setZValue(1000);
            scene->addItem(item);
        }
    }
    const QPointF at = initialNode->scenePos();
    mark->setPos(at);
    band->setLine(QLineF(at, at));
    mark->show();
    band->show();
}

QGraphicsEllipseItem *CreateMemberTool::firstNodeMark() const
{
    return mark && mark->isVisible() ? mark : nullptr;
}

QGraphicsLineItem *CreateMemberTool::rubberBand() const
{
    return band && band->isVisible() ? band : nullptr;
}

void CreateMemberTool::dropPending()
{
    // Hidden, not deleted: taking an item out of a scene of thirty thousand
    // costs its index far more than hiding it.
    if (mark)
        mark->hide();
    if (band)
        band->hide();
}

void CreateMemberTool::deactivate()
{
    firstPicked = false;
    dropPending();
}

QString CreateMemberTool::hint() const
{
    if (boxing)
        return tr("Quick draw: release to create %1 in the box").arg(quickDrawText ? quickDrawText().toLower() : QString());
    return firstPicked ? tr("Create member: click the second node") : tr("Create member: click the first node");
}

void CreateMemberTool::nodeClicked(int nodeId)
{
    const QList<Node *> &nodes = canvas->sceneController()->nodes();
    if (nodeId < 1 || nodeId > nodes.size())
        return;
    if (!firstPicked) {
        initialNode = nodes.at(nodeId - 1);
        setFirstPicked(true);
        return;
    }
    Node *finalNode = nodes.at(nodeId - 1);
    // A message box takes the mouse's release: no node may keep the mouse after it.
    const auto release = [this] {
        if (QGraphicsItem *grabber = canvas->sceneController()->scene()->mouseGrabberItem())
            grabber->ungrabMouse();
    };
    if (finalNode == initialNode) {
        release();
        setFirstPicked(false);
        QMessageBox::critical(window, tr("Error"), tr("You must select differents nodes"));
        emit leaveRequested();
        return;
    }
    if (finalNode->hasAssociation(initialNode->getId())) {
        release();
        setFirstPicked(false);
        QMessageBox::critical(window, tr("Error"), tr("You can't put two bars between two nodes"));
        return;
    }
    setFirstPicked(false);
    MemberRecord r;
    r.type = model->typeKey(typeNumber ? typeNumber() : 0);
    r.source = initialNode->key();
    r.dest = finalNode->key();
    r.iout = model->grid().elementsIOut;
    const bool chain = QGuiApplication::keyboardModifiers() & Qt::ShiftModifier;
    const int endId = finalNode->getId();
    stack->push(new CreateMemberCommand(model, r));
    if (chain && endId <= nodes.size()) {
        initialNode = nodes.at(endId - 1);
        setFirstPicked(true);
    }
}

bool CreateMemberTool::press(QMouseEvent *event, bool onNode, bool)
{
    // A press on a node is the two-click member's.
    if (onNode)
        return false;
    boxing = true;
    canvas->startBox(event->position().toPoint());
    emit hintChanged();
    return true;
}

bool CreateMemberTool::move(QMouseEvent *event)
{
    if (band && band->isVisible() && !boxing) {
        band->setLine(QLineF(band->line().p1(), canvas->view()->mapToScene(event->position().toPoint())));
        return false;
    }
    if (!boxing)
        return false;
    canvas->dragBox(event->position().toPoint());
    return true;
}

bool CreateMemberTool::release(QMouseEvent *event)
{
    if (!boxing || event->button() != Qt::LeftButton)
        return false;
    boxing = false;
    const QRect box = canvas->finishBox(event->position().toPoint());
    emit hintChanged();
    // A click is no box; a box drops a first node picked before it.
    if (box.width() > 2 || box.height() > 2) {
        setFirstPicked(false);
        quickDraw(canvas->view()->mapToScene(box).boundingRect());
    }
    return true;
}

bool CreateMemberTool::escape()
{
    // Esc drops a pending first node; with none it does nothing.
    if (!boxing && firstPicked) {
        setFirstPicked(false);
        return true;
    }
    if (!boxing)
        return false;
    boxing = false;
    canvas->dropBox();
    emit hintChanged();
    return true;
}

void CreateMemberTool::quickDraw(const QRectF &sceneBox)
{
    const SceneController *scene = canvas->sceneController();
    const QRectF box = sceneBox.normalized();
    const double x1 = box.left() / scene->xFactor(), x2 = box.right() / scene->xFactor();
    const double y1 = box.top() / scene->yFactor(), y2 = box.bottom() / scene->yFactor();
    static const int kinds[] = {ProjectModel::Columns, ProjectModel::Beams, ProjectModel::ColumnsAndBeams};
    const int choice = std::clamp(quickDrawChoice ? quickDrawChoice() : 2, 0, 2);
    const auto segments = model->freeSegments(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2),
                                              std::max(y1, y2), kinds[choice]);
    // As the two-click member: the tool bar's type and the grid's Elements IOUT.
    MemberRecord r;
    r.type = model->typeKey(typeNumber ? typeNumber() : 0);
    r.iout = model->grid().elementsIOut;
    QList<MemberRecord> records;
    records.reserve(segments.size());
    for (const auto &segment : segments) {
        r.source = segment.first;
        r.dest = segment.second;
        records.append(r);
    }
    if (!records.isEmpty())
        stack->push(new CreateMemberCommand(model, records));
}
