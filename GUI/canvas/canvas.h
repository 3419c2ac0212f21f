#ifndef CANVAS_H
#define CANVAS_H

#include <QObject>
#include <QPoint>

class CanvasTool;
class GridView;
class QRubberBand;
class SceneController;

// The grid view's mouse: zoom, pan and fit for every tool, and the left
// button for the active one. It owns no model data.
class Canvas : public QObject
{
    Q_OBJECT
public:
    Canvas(GridView *view, SceneController *scene, QObject *parent = nullptr);

    GridView *view() const { return gridView; }
    SceneController *sceneController() const { return controller; }
    // The box a tool drags from a point of the view: shown while it is dragged;
    // finishing gives it in the view's pixels.
    void startBox(const QPoint &at);
    void dragBox(const QPoint &to);
    QRect finishBox(const QPoint &to);
    void dropBox();

    void setTool(CanvasTool *tool);
    CanvasTool *tool() const { return active; }
    // Esc: the tool drops what it holds.
    bool escape();

    void zoomIn();
    void zoomOut();
    // The whole model in view; once the view is shown, when it is not yet.
    void zoomToFit();
    // Fitted, the view fits again whenever its size changes; a zoom, pan or Find ends that.
    bool isFitted() const { return fitted; }
    void leaveFit() { fitted = false; }
    void zoomAbout(const QPoint &viewPos, double factor);

signals:
    // The cursor is over this point of the view.
    void hovered(const QPoint &viewPos);
    // The active tool, or what it would do next, changed.
    void hintChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool mouseEvent(QEvent *event);

    GridView *gridView;
    SceneController *controller;
    CanvasTool *active = nullptr;
    QRubberBand *rubberBand = nullptr;
    QPoint boxFrom;
    QPoint panFrom;
    bool panning = false;
    bool fitWhenShown = false;   // asked before the view had its size
    bool fitted = false;
};

#endif // CANVAS_H
