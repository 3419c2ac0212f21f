#include "selecttool.h"

#include "canvas.h"
#include "gridview.h"
#include "scenecontroller.h"

#include <QMouseEvent>

bool SelectTool::press(QMouseEvent *event, bool, bool onItem)
{
    if (onItem)
        return false;
    selecting = true;
    adding = event->modifiers() & Qt::ControlModifier;
    canvas->startBox(event->position().toPoint());
    return true;
}

bool SelectTool::move(QMouseEvent *event)
{
    if (!selecting)
        return false;
    canvas->dragBox(event->position().toPoint());
    return true;
}

bool SelectTool::release(QMouseEvent *event)
{
    if (!selecting || event->button() != Qt::LeftButton)
        return false;
    selecting = false;
    const QRect box = canvas->finishBox(event->position().toPoint());
    // A click on empty space is a box of nothing: it clears, unless Ctrl is held.
    canvas->sceneController()->selectInBox(canvas->view()->mapToScene(box).boundingRect(), adding);
    return true;
}

bool SelectTool::escape()
{
    if (!selecting)
        return false;
    selecting = false;
    canvas->dropBox();
    return true;
}
