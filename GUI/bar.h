#ifndef BAR_H
#define BAR_H

#include <QGraphicsItem>
#include <QList>
#include <QObject>
#include <QColor>
#include <QLineF>
#include <QPen>
#include <QPointF>

#include "projectmodel.h"

class Node;
class Member;
class editBarDialog;
struct DrawingStyle;

// Draws one member of the model as a thick line between its nodes and carries
// its key. Once given the model (setModel), its getters read the model's
// record, and its setters of the type, NODE3, NODE4, IOUT and ends ask for an
// edit, as its dialog's OK and Delete do; the window pushes it as a step. What
// it draws is what the scene controller shows it (showProperties, showEnds).
// The member's dialog is made the first time it is opened.
class Bar : public QObject, public QGraphicsItem
{
    Q_OBJECT
    Q_INTERFACES(QGraphicsItem)
public:
    enum { Type = UserType + 2 };

    Bar(Node *sourceNode, Node *destNode, int id, int mtype, int iout);
    ~Bar() override;

    int type() const override { return Type; }

    void setId(int value);
    int getId() const { return id; }
    void setKey(ModelKey value) { barKey = value; }
    ModelKey key() const { return barKey; }
    // The model whose record the member reads and asks to change; none: the member keeps its own values.
    void setModel(const ProjectModel *value) { model = value; }
    int getMTypeId() const;
    int getType() const { return category; }
    int getNode3() const;
    int getNode4() const;
    int getIout() const;
    Node *sourceNode() const { return source; }
    Node *destNode() const { return dest; }
    // Ask for the member to join another node at that end (editRequested).
    void setSourceNode(Node *node);
    void setDestNode(Node *node);
    // The ends drawn.
    void showEnds(Node *sourceNode, Node *destNode);
    void setMTypeList(const QList<Member *> &list) { mTypeList = list; }
    void setNodesList(const QList<Node *> &list) { newNodes = list; }
    // What the member draws and shows: its type number, NODE3, NODE4 and IOUT.
    void showProperties(int mTypeId, int node3, int node4, int iout);

    void adjust();
    void deleteMe();

    editBarDialog *getDialog();
    void openDialog();

    // "ID : n" and "MTYPE : m" (or "None"), made when asked: renumbering or
    // retyping thousands of members sets no text. The item's own copy, which
    // Qt reads through QGraphicsItem, is brought up to date when it is shown.
    QString toolTip() const;
    void refreshToolTip();

    // Window-wide drawing options: colour by type, member numbers.
    void setStyle(const DrawingStyle *value) { style = value; }
    // The colour and line the member is drawn with, unselected.
    QColor colour() const;
    // A member type category's colour (-1: no type).
    static QColor categoryColour(int category);
    Qt::PenStyle penStyle() const { return category < 0 ? Qt::DotLine : Qt::SolidLine; }
    // The options changed: new room for the number, or a new colour.
    void styleChanged();

    // Thinner than a pixel or two at this level of detail, the member is drawn
    // plain: a hairline, three pixels of highlight when selected, green while
    // it holds the mouse. The window's layer draws many such members at once.
    static bool plainAt(double levelOfDetail) { return 7 * levelOfDetail < 1.5; }
    static QPen plainPen(const QColor &colour, Qt::PenStyle style, bool selected);
    QColor plainColour(bool grabbed) const;
    // The line drawn, in the item's coordinates, which are the scene's: a
    // member is never moved, its ends follow its nodes.
    QLineF drawnLine() const { return QLineF(sourcePoint, destPoint); }
    // isSelected(), kept with the rest of what the layer reads.
    bool selectedNow() const { return selected; }

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

public slots:
    // Asks for these values (editRequested); without a model, shows them.
    void setProperties(int mTypeId, int node3, int node4, int iout);
    // Asks for the member to be deleted (deleteBar); the window removes the item.
    void deleteThis();
    // The dialog's OK: asks for these values (editRequested).
    void requestProperties(int mTypeId, int node3, int node4, int iout);

signals:
    void deleteBar(int id);
    // The record the member should hold: its dialog's OK, or a setter of its values or ends.
    void editRequested(const MemberRecord &next);
    void activateDeleteAct(int id);
    void deactivateDeleteAct();

protected:
    QVariant itemChange(GraphicsItemChange change, const QVariant &value) override;
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;

private:
    const MemberRecord *modelRecord() const;
    // The model's record with these values; false without one.
    bool withValues(int mTypeId, int node3, int node4, int iout, MemberRecord &next) const;

    ModelKey barKey = 0;
    const ProjectModel *model = nullptr;
    int mTypeId = 0;
    int category = -1;   // category code of the member type; -1 = none
    int id = 0;
    int node3 = 0, node4 = 0;
    int iout = 0;
    editBarDialog *dialog = nullptr;
    Node *source = nullptr;
    Node *dest = nullptr;
    QList<Member *> mTypeList;
    QPointF sourcePoint;
    QPointF destPoint;
    double arrowSize = 10.0;
    QList<Node *> newNodes;
    bool deleting = false;
    const DrawingStyle *style = nullptr;
    bool numbered = false;   // the bounds hold the number
    bool selected = false;
};

#endif // BAR_H
