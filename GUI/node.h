#ifndef NODE_H
#define NODE_H

#include <QGraphicsItem>
#include <QObject>
#include <QStringList>

class editNodeDialog;

// A structural joint: its record and the item that draws it. The node's dialog
// is made the first time it is opened, so large grids stay cheap.
class Node : public QObject, public QGraphicsItem
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)
public:
    enum { Type = UserType + 1 };

    explicit Node(QGraphicsItem *parent = nullptr);
    ~Node() override;

    int type() const override { return Type; }

    void setId(int value) { id = value; }
    int getId() const { return id; }
    void setXCoordinate(double value) { x = value; }
    void setYCoordinate(double value) { y = value; }
    double getXCoordinate() const { return x; }
    double getYCoordinate() const { return y; }

    void setNf1(int v) { nf1 = v; }
    void setNf2(int v) { nf2 = v; }
    void setNf3(int v) { nf3 = v; }
    void setKup1(int v) { kup1 = v; }
    void setKup2(int v) { kup2 = v; }
    void setKup3(int v) { kup3 = v; }
    void setIout(int v) { iout = v; }
    int getNf1() const { return nf1; }
    int getNf2() const { return nf2; }
    int getNf3() const { return nf3; }
    int getKup1() const { return kup1; }
    int getKup2() const { return kup2; }
    int getKup3() const { return kup3; }
    int getIout() const { return iout; }

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

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

public slots:
    void updateNode();

signals:
    void barProcedure(int id);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void loadDialog();

    int id = 0;
    int nf1 = 0, nf2 = 0, nf3 = 0;
    int kup1 = 0, kup2 = 0, kup3 = 0;
    int iout = 0;
    double x = 0.0, y = 0.0;
    editNodeDialog *dialog = nullptr;
    QList<int> nodes;
    QStringList kup1List;
    QStringList kup2List;
};

#endif // NODE_H
