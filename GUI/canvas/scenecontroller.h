#ifndef SCENECONTROLLER_H
#define SCENECONTROLLER_H

#include <QHash>
#include <QList>
#include <QObject>
#include <QRectF>
#include <QString>

#include "drawingstyle.h"
#include "pictureexport.h"
#include "projectmodel.h"

class Bar;
class DimensionsItem;
class GridView;
class Member;
class ModelLayer;
class Node;
class QGraphicsItem;
class QGraphicsScene;

// The scene the view shows: one item per node and member, the grid's lines
// and ids, and the layer that draws them all when zoomed out. It follows the
// model's signals, so a one-item edit touches one item, and passes on what
// the items ask for; it never changes the model itself.
class SceneController : public QObject
{
    Q_OBJECT
public:
    SceneController(ProjectModel *model, GridView *view, QObject *parent = nullptr);
    ~SceneController() override;

    QGraphicsScene *scene() const { return graphicsScene; }
    DrawingStyle &style() { return drawing; }
    const QList<Node *> &nodes() const { return newNodes; }
    const QList<Bar *> &bars() const { return newBars; }
    Node *nodeItem(ModelKey key) const { return nodeItems.value(key); }
    Bar *barItem(ModelKey key) const { return barItems.value(key); }
    // The model's type records, as the items look them up.
    const QList<Member *> &types() const { return shownTypes; }
    QList<Member *> typeList() const;

    // Scene units per metre: x to the right, y (negative) upwards.
    void setFactors(double x, double y);
    double xFactor() const { return XFactor; }
    double yFactor() const { return YFactor; }
    // The grid's extreme lines, as stored text.
    QString xMinLimit() const;
    QString xMaxLimit() const;
    QString yMinLimit() const;
    QString yMaxLimit() const;
    // Everything drawn of the grid: its lines, ids, marks and numbers; empty without one.
    QRectF extent() const;

    // Drawing pieces of the grid, for the window's own entry points.
    void drawLine(double x1, double y1, double x2, double y2);
    void drawId(double x, double y, const QString &text);
    void drawNodeId(double x, double y, const QString &text);
    void drawXLines();
    void drawYLines();
    void drawXIds();
    void drawYIds();
    void drawNodesIds();
    void setNodes();
    Node *drawNode(const NodeRecord &record, int id);
    // Each node's KUP1 and KUP2 choices: the nodes of its row and column.
    void updateKupsLists();

    void setColourByType(bool byType);
    void setMemberNumbers(bool on);
    // Bay widths and storey heights (on at first).
    void setDimensions(bool on);
    bool dimensionsShown() const { return dimensionsOn; }

    QList<Bar *> selectedBars() const;
    QList<Node *> selectedNodes() const;
    // Selects the nodes and members wholly inside a scene box; without `add` alone.
    void selectInBox(const QRectF &sceneBox, bool add);
    // Selects node or member `number` (from 1) alone and centres the view on it.
    bool findItem(bool member, int number);
    // Selects, alone, every member of type `number` (from 1).
    void selectMembersOfType(int number);
    // The member the delete button names when nothing is selected; -1 for none.
    int namedMember() const { return barIdSelected; }
    void setNamedMember(int id) { barIdSelected = id; }
    // The whole scene as drawn, to a picture file; on paper unless black is asked for.
    // The legend of a report page is the types' colours when members are coloured by type.
    bool writePicture(const QString &fileName, PictureExport::Options options, QString *error);

signals:
    // What the items ask for; the window turns each into a step.
    void nodeClicked(int id);
    void nodeEditRequested(const NodeRecord &record);
    void memberEditRequested(const MemberRecord &next);
    void memberDeleteRequested(int id);
    void memberActivated(int id);
    void memberDeactivated();
    // The scene follows the model again.
    void rebuilt();
    void membersCounted();
    void typesShown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void rebuild();
    void nodesChanged(const QList<ModelKey> &keys);
    void membersInserted(const QList<ModelKey> &keys);
    void membersRemoved(const QList<ModelKey> &keys);
    void membersChanged(const QList<ModelKey> &keys);
    void typesChanged();

private:
    Bar *makeBar(const MemberRecord &record, int number);
    void showMember(Bar *bar, const MemberRecord &record, const QHash<ModelKey, int> *typeNumbers = nullptr);
    void renumberBars(int from);

    ProjectModel *model;
    GridView *view;
    QGraphicsScene *graphicsScene = nullptr;
    ModelLayer *layer = nullptr;
    QHash<ModelKey, Node *> nodeItems;
    QHash<ModelKey, Bar *> barItems;
    QList<Node *> newNodes;
    QList<Bar *> newBars;
    QList<QGraphicsItem *> gridItems;   // the grid's lines, ids and dimensions
    DimensionsItem *dimensions = nullptr;
    bool dimensionsOn = true;
    QList<Member *> shownTypes;
    DrawingStyle drawing;
    double XFactor = 20.0;
    double YFactor = -20.0;
    int barIdSelected = -1;
};

#endif // SCENECONTROLLER_H
