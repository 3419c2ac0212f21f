#ifndef GRIDVIEW_H
#define GRIDVIEW_H

#include <QGraphicsView>
#include <QImage>
#include <QPointer>

class ModelLayer;

// The window's view of the grid. When the whole model is small on screen its
// layer draws every node and member in a few calls; Qt would otherwise visit
// each of tens of thousands of items on every repaint. The items stay in the
// scene for selection, hover, tool tips and their dialogs.
class GridView : public QGraphicsView
{
    Q_OBJECT
public:
    explicit GridView(QWidget *parent = nullptr);

    // Null: Qt draws every item itself.
    void setLayer(const ModelLayer *value) { layer = value; }
    const ModelLayer *modelLayer() const { return layer; }
    // The layer draws the view at its present scale.
    bool layerDraws() const;
    // Takes the items out of the scene, repainting where they were.
    void removeFromScene(const QList<QGraphicsItem *> &items);

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    void sceneChanged(const QList<QRectF> &region);

private:
    void followChanges(bool on);

    const ModelLayer *layer = nullptr;
    QImage canvas;   // the layer draws here, then it is copied to the screen
    QPointer<QGraphicsScene> followed;   // whose changes repaint the view by their scene rectangles
};

#endif // GRIDVIEW_H
