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

// Draws one node of the model and carries its key. Once given the model
// (setModel), its getters read the model's record and its setters of NF1..NF3,
// KUP1..KUP3 and IOUT ask for an edit (editRequested), as its dialog's OK does;
// the window pushes it as a step. What it draws is the copy the scene
// controller shows it (showRecord). The dialog is made the first time it is
// opened, so large grids stay cheap.
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
    // The model whose record the node reads and asks to change; none: the node keeps its own.
    void setModel(const ProjectModel *value) { model = value; }
    // What the node draws. A new mark may need more room: the scene is told before it changes.
    void showRecord(const NodeRecord &value);
    // The model's record, or the one shown while the node has no model.
    const NodeRecord &record() const;
    void setXCoordinate(double value) { rec.x = value; }
    void setYCoordinate(double value) { rec.y = value; }
    double getXCoordinate() const { return rec.x; }
    double getYCoordinate() const { return rec.y; }

    void setNf1(int v) { request(&NodeRecord::nf1, v); }
    void setNf2(int v) { request(&NodeRecord::nf2, v); }
    void setNf3(int v) { request(&NodeRecord::nf3, v); }
    void setKup1(int v) { request(&NodeRecord::kup1, v); }
    void setKup2(int v) { request(&NodeRecord::kup2, v); }
    void setKup3(int v) { request(&NodeRecord::kup3, v); }
    void setIout(int v) { request(&NodeRecord::iout, v); }
    int getNf1() const { return record().nf1; }
    int getNf2() const { return record().nf2; }
    int getNf3() const { return record().nf3; }
    int getKup1() const { return record().kup1; }
    int getKup2() const { return record().kup2; }
    int getKup3() const { return record().kup3; }
    int getIout() const { return record().iout; }

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
    // One value of the record, as an edit of the model's record (or shown, without a model).
    void request(int NodeRecord::*field, int value);

    int id = 0;
    NodeRecord rec;
    const ProjectModel *model = nullptr;
    const DrawingStyle *style = nullptr;
    editNodeDialog *dialog = nullptr;
    QPointF place;
    bool selected = false;
    QList<int> nodes;
    QStringList kup1List;
    QStringList kup2List;
};

#endif // NODE_H
