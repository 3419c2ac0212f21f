#include "selecttool.h"

#include "canvas.h"
#include "gridview.h"
#include "scenecontroller.h"

#include <QMouseEvent>
#include <QRubberBand>

bool SelectTool::press(QMouseEvent *event, bool, bool onItem)
{
    if (onItem)
        return false;
    selecting = true;
    adding = event->modifiers() & Qt::ControlModifier;
    from = event->position().toPoint();
    canvas->band()->setGeometry(QRect(from, QSize()));
    canvas->band()->show();
    return true;
}

bool SelectTool::move(QMouseEvent *event)
{
    if (!selecting)
        return false;
    canvas->band()->setGeometry(QRect(from, event->position().toPoint()).normalized());
    return true;
}

bool SelectTool::release(QMouseEvent *event)
{
    if (!selecting || event->button() != Qt::LeftButton)
        return false;
    selecting = false;
    canvas->band()->hide();
    const QRect box = QRect(from, event->position().toPoint()).normalized();
    // A click on empty space is a box of nothing: it clears, unless Ctrl is held.
    canvas->sceneController()->selectInBox(canvas->view()->mapToScene(box).boundingRect(), adding);
    return true;
}

bool SelectTool::escape()
{
    if (!selecting)
        return false;
    selecting = false;
    canvas->band()->hide();
    return true;
}
