#ifndef CREATEMEMBERTOOL_H
#define CREATEMEMBERTOOL_H

#include <QRectF>

#include <functional>

#include "canvastool.h"

class Node;
class ProjectModel;
class QGraphicsEllipseItem;
class QGraphicsLineItem;
class QUndoStack;
class QWidget;

// Drawing members: two clicks on nodes make one member; a box dragged from
// away from any node makes one on every free grid segment inside it (quick
// draw). Each is one step, of the tool bar's member type.
class CreateMemberTool : public CanvasTool
{
    Q_OBJECT
public:
    CreateMemberTool(Canvas *canvas, ProjectModel *model, QUndoStack *stack, QWidget *window);

    // The tool bar's member type (from 1), quick-draw choice (0 columns, 1 beams, 2 both) and its text.
    std::function<int()> typeNumber;
    std::function<int()> quickDrawChoice;
    std::function<QString()> quickDrawText;

    // A left click on node `id` (from 1); with Shift held, the member made
    // there chains: the next one starts at that node.
    void nodeClicked(int id);
    // Quick draw over a box in scene coordinates.
    void quickDraw(const QRectF &sceneBox);
    // A first node is picked (true) or not.
    void setFirstPicked(bool picked);
    // While a first node is picked: the mark on it and the line from it to the cursor.
    QGraphicsEllipseItem *firstNodeMark() const;
    QGraphicsLineItem *rubberBand() const;

    void deactivate() override;
    bool press(QMouseEvent *event, bool onNode, bool onItem) override;
    bool move(QMouseEvent *event) override;
    bool release(QMouseEvent *event) override;
    bool escape() override;
    QString hint() const override;

signals:
    // The same node was picked twice: the mode is left.
    void leaveRequested();

private:
    ProjectModel *model;
    QUndoStack *stack;
    QWidget *window;
    bool firstPicked = false;
    Node *initialNode = nullptr;
    bool boxing = false;
    QGraphicsLineItem *band = nullptr;   // in the scene, which owns them
    QGraphicsEllipseItem *mark = nullptr;
    void showPending();
    void dropPending();
};

#endif // CREATEMEMBERTOOL_H
