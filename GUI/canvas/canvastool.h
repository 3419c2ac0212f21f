#ifndef CANVASTOOL_H
#define CANVASTOOL_H

#include <QObject>
#include <QString>

class Canvas;
class QMouseEvent;

// One way of working on the canvas: selecting, or drawing members. The canvas
// gives every tool the same navigation (wheel zoom, middle-button pan, fit)
// and hands the left button to the active tool, which decides.
class CanvasTool : public QObject
{
    Q_OBJECT
public:
    explicit CanvasTool(Canvas *canvas) : QObject(), canvas(canvas) {}

    virtual void activate() {}
    virtual void deactivate() {}
    // A left press: onNode/onItem tell what lies under it. True when the tool takes it;
    // false leaves it to the scene (its items' own clicks and selection).
    virtual bool press(QMouseEvent *event, bool onNode, bool onItem) = 0;
    virtual bool move(QMouseEvent *) { return false; }
    virtual bool release(QMouseEvent *) { return false; }
    // Esc: drops what is in hand; true when there was something.
    virtual bool escape() { return false; }
    // What the next click does, for the status bar; empty for nothing to say.
    virtual QString hint() const { return QString(); }

signals:
    void hintChanged();

protected:
    Canvas *canvas;
};

#endif // CANVASTOOL_H
