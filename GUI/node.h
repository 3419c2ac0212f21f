#ifndef NODE_H
#define NODE_H

#include <QGraphicsItem>
#include <QColor>
#include <QObject>
#include <QPen>
#include <QStringList>

#include "projectmodel.h"

class editNodeDialog;
struct DrawingStyle;

// Draws one node of the model and carries its key. It holds a copy of the
// record it draws, refreshed by the window when the model changes; its own
// dialog's OK asks for an edit (editRequested) instead of writing anything.
// The dialog is made the first time it is opened, so large grids stay cheap.
class Node : public QObject, public QGraphicsItem
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)
public:
    enum { Type = UserType + 1 };

    // The mark a node's restraints and couplings call for, drawn below it.
    enum Support {
        NoSupport,     // nothing restrained
        Fixed,         // NF1 to NF3 all fixed
        Pinned,        // both translations fixed, rotation free
        Roller,        // exactly one translation fixed
        Restrained,    // any other restrained combination
        InputMotion    // a KUP of -1 or -k: the ground motion enters here
    };
    static Support support(const NodeRecord &record);

    explicit Node(QGraphicsItem *parent = nullptr);
    ~Node() override;

    int type() const override { return Type; }

    void setId(int value) { id = value; }
    int getId() const { return id; }
    void setKey(ModelKey value) { rec.key = value; }
    ModelKey key() const { return rec.key; }
    // A new mark may need more room: the scene is told before it changes.
    void setRecord(const NodeRecord &value);
    const NodeRecord &record() const { return rec; }
    void setXCoordinate(double value) { rec.x = value; }
    void setYCoordinate(double value) { rec.y = value; }
    double getXCoordinate() const { return rec.x; }
    double getYCoordinate() const { return rec.y; }

    void setNf1(int v) { rec.nf1 = v; }
    void setNf2(int v) { rec.nf2 = v; }
    void setNf3(int v) { rec.nf3 = v; }
    void setKup1(int v) { rec.kup1 = v; }
    void setKup2(int v) { rec.kup2 = v; }
    void setKup3(int v) { rec.kup3 = v; }
    void setIout(int v) { rec.iout = v; }
    int getNf1() const { return rec.nf1; }
    int getNf2() const { return rec.nf2; }
    int getNf3() const { return rec.nf3; }
    int getKup1() const { return rec.kup1; }
    int getKup2() const { return rec.kup2; }
    int getKup3() const { return rec.kup3; }
    int getIout() const { return rec.iout; }

    void setKup1List(const QStringList &list) { kup1List = list; }
    void setKup2List(const QStringList &list) { kup2List = list; }
    QStringList getKup1List() const { return kup1List; }
    QStringList getKup2List() const { return kup2List; }

    void addNode(int nodeId);
    void deleteNode(int nodeId);
    bool hasAssociation(int nodeId) const;
    QList<int> getNodes() const { return nodes; }

    // The node's dialog, made on first use and loaded with the node's values.
    editNodeDialog *getDialog();
    void openDialog();

    // Window-wide drawing options; the node draws its number when they say so.
    void setStyle(const DrawingStyle *value) { style = value; }
    // Where the node's number is written, in the node's coordinates.
    QRectF labelRect() const;

    // A few pixels wide at this level of detail, the node is drawn plain: a
    // square in its colour, green while it holds the mouse, a highlighted point
    // when selected. The window's layer draws many such nodes at once.
    static bool plainAt(double levelOfDetail) { return levelOfDetail < 0.3; }
    static QRectF plainRect() { return QRectF(-5, -5, 10, 10); }
    static QColor plainColour(bool pressed);
    static QPen selectedPen();
    // pos() and isSelected(), kept with the rest of what the layer reads.
    QPointF placeNow() const { return place; }
    bool selectedNow() const { return selected; }

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

public slots:
    void updateNode();

signals:
    void barProcedure(int id);
    // The dialog's OK: the values the node should take.
    void editRequested(const NodeRecord &record);

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void loadDialog();

    int id = 0;
    NodeRecord rec;
    const DrawingStyle *style = nullptr;
    editNodeDialog *dialog = nullptr;
    QPointF place;
    bool selected = false;
    QList<int> nodes;
    QStringList kup1List;
    QStringList kup2List;
};

#endif // NODE_H
