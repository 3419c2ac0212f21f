#include "scenecontroller.h"

#include "bar.h"
#include "dimensionsitem.h"
#include "gridview.h"
#include "member.h"
#include "modellayer.h"
#include "node.h"
#include "pictureexport.h"

#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsSceneHelpEvent>
#include <QGraphicsSimpleTextItem>
#include <QSet>
#include <QStyleOptionGraphicsItem>

SceneController::SceneController(ProjectModel *m, GridView *v, QObject *parent)
    : QObject(parent), model(m), view(v)
{
    graphicsScene = new QGraphicsScene(this);
    view->setBackgroundBrush(QBrush(Qt::black, Qt::SolidPattern));
    view->setScene(graphicsScene);
    graphicsScene->installEventFilter(this);
    layer = new ModelLayer(gridItems, newBars, newNodes);
    view->setLayer(layer);
    drawing.font = view->font();
    const QFontMetricsF metrics(drawing.font);
    drawing.digitWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    drawing.lineHeight = metrics.height();

    connect(model, &ProjectModel::modelReset, this, &SceneController::rebuild);
    connect(model, &ProjectModel::nodesChanged, this, &SceneController::nodesChanged);
    connect(model, &ProjectModel::membersInserted, this, &SceneController::membersInserted);
    connect(model, &ProjectModel::membersRemoved, this, &SceneController::membersRemoved);
    connect(model, &ProjectModel::membersChanged, this, &SceneController::membersChanged);
    connect(model, &ProjectModel::typesChanged, this, &SceneController::typesChanged);
}

SceneController::~SceneController()
{
    // The scene owns the nodes, members, lines and labels; no view may repaint
    // it item by item while it goes.
    disconnect(model, nullptr, this, nullptr);
    view->setScene(nullptr);
    view->setLayer(nullptr);
    delete layer;
    newNodes.clear();
    newBars.clear();
    gridItems.clear();
    delete graphicsScene;
}

bool SceneController::eventFilter(QObject *watched, QEvent *event)
{
    // The scene would tell each of its tens of thousands of items that the
    // window gained or lost the focus, at every dialog and every new scene;
    // they draw and select alike either way.
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate)
        return true;
    if (event->type() == QEvent::GraphicsSceneHelp) {
        // A member's tool tip is made when it is shown; the scene then shows it.
        const auto *help = static_cast<QGraphicsSceneHelpEvent *>(event);
        for (QGraphicsItem *item : view->items(view->viewport()->mapFromGlobal(help->screenPos()))) {
            if (item->type() == Bar::Type) {
                static_cast<Bar *>(item)->refreshToolTip();
                break;
            }
            if (!item->toolTip().isEmpty())
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

QList<Member *> SceneController::typeList() const
{
    // The items and dialogs only read the records; the model keeps them.
    QList<Member *> list;
    list.reserve(model->types().size());
    for (const MemberTypeRecord &t : model->types())
        list.append(const_cast<Member *>(t.values.get()));
    return list;
}

// ---------------------------------------------------------------- the grid

void SceneController::setFactors(double x, double y)
{
    XFactor = x;
    YFactor = y;
}

namespace {
// First entry with the extreme numeric value, as stored text.
QString limitOf(const QStringList &lines, bool smallest)
{
    if (lines.isEmpty())
        return QString();
    QString best = lines.first();
    double bestValue = best.toDouble();
    for (const QString &s : lines) {
        const double v = s.toDouble();
        if (smallest ? v < bestValue : v > bestValue) {
            best = s;
            bestValue = v;
        }
    }
    return best;
}
} // namespace

QString SceneController::xMinLimit() const { return limitOf(model->grid().XLines, true); }
QString SceneController::xMaxLimit() const { return limitOf(model->grid().XLines, false); }
QString SceneController::yMinLimit() const { return limitOf(model->grid().YLines, true); }
QString SceneController::yMaxLimit() const { return limitOf(model->grid().YLines, false); }

QRectF SceneController::extent() const
{
    const GridSettings &g = model->grid();
    if (model->nodes().isEmpty() || g.XLines.isEmpty() || g.YLines.isEmpty())
        return QRectF();
    // Known from the lines: the lines, the line ids left of and above them,
    // and the marks and numbers below the lowest nodes.
    const double xMin = xMinLimit().toDouble(), xMax = xMaxLimit().toDouble();
    const double yMin = yMinLimit().toDouble(), yMax = yMaxLimit().toDouble();
    const QRectF grid = QRectF(QPointF(XFactor * (xMin - 4.0), YFactor * (yMax + 2.0)),
                               QPointF(XFactor * (xMax + 1.5), YFactor * yMin + 25))
                            .normalized();
    return dimensions && dimensions->isVisible() ? grid.united(dimensions->sceneBoundingRect()) : grid;
}

void SceneController::drawLine(double x1, double y1, double x2, double y2)
{
    // A hairline: one pixel at every zoom, the cheapest line to draw.
    gridItems.append(graphicsScene->addLine(XFactor * x1, YFactor * y1, XFactor * x2, YFactor * y2,
                                            QPen(Qt::gray, 0, Qt::SolidLine)));
}

void SceneController::drawId(double x, double y, const QString &text)
{
    // A plain text item: a text document per grid line id costs more to draw.
    QGraphicsSimpleTextItem *item = graphicsScene->addSimpleText(text);
    item->setBrush(Qt::green);
    item->setPos(XFactor * x, YFactor * y);
    // Where a document-based label showed its text (4 units of margin).
    item->setTransform(QTransform::fromTranslate(4, 4));
    gridItems.append(item);
}

void SceneController::drawNodeId(double x, double y, const QString &text)
{
    // One light item per node: a text document per label costs about 17 kB,
    // which dominated the memory and drawing time of large grids.
    QGraphicsSimpleTextItem *item = graphicsScene->addSimpleText(text);
    item->setBrush(Qt::red);
    item->setPos(XFactor * x, YFactor * y);
    item->setTransform(QTransform::fromTranslate(4, 4));
    gridItems.append(item);
}

void SceneController::drawXLines()
{
    const double yMin = yMinLimit().toDouble();
    const double yMax = yMaxLimit().toDouble();
    for (const QString &x : model->grid().XLines) {
        if (!x.isEmpty())
            drawLine(x.toDouble(), yMin, x.toDouble(), yMax);
    }
}

void SceneController::drawYLines()
{
    const double xMin = xMinLimit().toDouble();
    const double xMax = xMaxLimit().toDouble();
    for (const QString &y : model->grid().YLines) {
        if (!y.isEmpty())
            drawLine(xMin - 1.5, y.toDouble(), xMax + 1.5, y.toDouble());
    }
}

void SceneController::drawXIds()
{
    const double yMax = yMaxLimit().toDouble();
    const QStringList &lines = model->grid().XLines;
    const QStringList &ids = model->grid().XIds;
    for (int i = 0; i < lines.size() && i < ids.size(); ++i) {
        if (lines.at(i).isEmpty() || ids.at(i).isEmpty())
            continue;
        drawId(lines.at(i).toDouble() - 0.5, yMax + 2.0, ids.at(i));
    }
}

void SceneController::drawYIds()
{
    const double xMin = xMinLimit().toDouble();
    const QStringList &lines = model->grid().YLines;
    const QStringList &ids = model->grid().YIds;
    for (int i = 0; i < lines.size() && i < ids.size(); ++i) {
        if (lines.at(i).isEmpty() || ids.at(i).isEmpty())
            continue;
        drawId(xMin - 4.0, lines.at(i).toDouble() + 1.2, ids.at(i));
    }
}

void SceneController::drawNodesIds()
{
    // Each node writes its own number, and only when it can be read: ten
    // thousand label items made every zoom and repaint of a large grid slow.
    drawing.nodeNumbers = true;
    graphicsScene->update();
}

Node *SceneController::drawNode(const NodeRecord &record, int id)
{
    view->setRenderHint(QPainter::Antialiasing);
    Node *node = new Node();
    node->setPos(XFactor * record.x, YFactor * record.y);
    node->setId(id);
    node->showRecord(record);
    node->setToolTip(QLatin1Char('(') + QString::number(record.x, 'g', 15) + QLatin1Char(',')
                     + QString::number(record.y, 'g', 15) + QLatin1Char(')'));
    connect(node, &Node::barProcedure, this, &SceneController::nodeClicked);
    connect(node, &Node::editRequested, this, &SceneController::nodeEditRequested);
    node->setStyle(&drawing);
    newNodes.append(node);
    graphicsScene->addItem(node);
    return node;
}

void SceneController::setNodes()
{
    const QList<NodeRecord> &nodes = model->nodes();
    newNodes.reserve(nodes.size());
    nodeItems.reserve(nodes.size());
    for (int i = 0; i < nodes.size(); ++i) {
        Node *node = drawNode(nodes.at(i), i + 1);
        node->setModel(model);
        nodeItems.insert(nodes.at(i).key, node);
    }
}

void SceneController::updateKupsLists()
{
    const int nX = int(model->grid().XLines.size());
    const int nY = int(model->grid().YLines.size());
    if (nX == 0 || nY == 0 || newNodes.size() < qsizetype(nX) * nY)
        return;
    // One list per row and per column, shared by the nodes on it.
    QList<QStringList> rows(nY), columns(nX);
    for (int i = 0; i < nY; ++i) {
        for (int j = 0; j < nX; ++j) {
            const QString id = QString::number(newNodes.at(i * nX + j)->getId());
            rows[i].append(id);
            columns[j].append(id);
        }
    }
    for (int i = 0; i < nY; ++i) {
        for (int j = 0; j < nX; ++j) {
            Node *node = newNodes.at(i * nX + j);
            node->setKup1List(rows.at(i));
            node->setKup2List(columns.at(j));
        }
    }
}

// ---------------------------------------------------------------- the model changed

void SceneController::rebuild()
{
    view->setSceneRect(QRectF());   // Find's room goes with the model it was made for
    newNodes.clear();
    newBars.clear();
    gridItems.clear();
    dimensions = nullptr;
    nodeItems.clear();
    barItems.clear();
    barIdSelected = -1;
    // Detached while it empties, so the view does not repaint item by item.
    view->setScene(nullptr);
    graphicsScene->clear();

    if (!model->nodes().isEmpty()) {
        drawXLines();
        drawYLines();
        drawXIds();
        drawYIds();
        dimensions = new DimensionsItem(&drawing);
        dimensions->setLines(ModelCore::sortLines(model->grid().XLines), ModelCore::sortLines(model->grid().YLines),
                             XFactor, YFactor);
        dimensions->setVisible(dimensionsOn);
        graphicsScene->addItem(dimensions);
        gridItems.append(dimensions);
        setNodes();
        drawNodesIds();
        updateKupsLists();
        shownTypes = typeList();
        newBars.reserve(model->members().size());
        barItems.reserve(model->members().size());
        for (int i = 0; i < model->members().size(); ++i)
            if (Bar *bar = makeBar(model->members().at(i), i + 1))
                newBars.append(bar);
    }
    view->setScene(graphicsScene);
    typesChanged();
    emit rebuilt();
}

Bar *SceneController::makeBar(const MemberRecord &r, int number)
{
    Node *start = nodeItems.value(r.source);
    Node *end = nodeItems.value(r.dest);
    if (!start || !end)
        return nullptr;
    Bar *bar = new Bar(start, end, number, model->typeNumber(r.type), r.iout);
    bar->setNodesList(newNodes);
    end->addNode(start->getId());
    start->addNode(end->getId());
    bar->setMTypeList(shownTypes);
    bar->setStyle(&drawing);
    bar->styleChanged();
    connect(bar, &Bar::activateDeleteAct, this, &SceneController::memberActivated);
    connect(bar, &Bar::deleteBar, this, &SceneController::memberDeleteRequested);
    connect(bar, &Bar::deactivateDeleteAct, this, &SceneController::memberDeactivated);
    connect(bar, &Bar::editRequested, this, &SceneController::memberEditRequested);
    graphicsScene->addItem(bar);
    bar->setKey(r.key);
    bar->setModel(model);
    bar->showProperties(model->typeNumber(r.type), r.node3, r.node4, r.iout);
    barItems.insert(r.key, bar);
    return bar;
}

void SceneController::showMember(Bar *bar, const MemberRecord &r, const QHash<ModelKey, int> *typeNumbers)
{
    Node *start = nodeItems.value(r.source), *end = nodeItems.value(r.dest);
    if (start && end && (start != bar->sourceNode() || end != bar->destNode())) {
        // Joined to other nodes: the nodes' own lists of neighbours follow.
        if (bar->sourceNode() && bar->destNode()) {
            bar->sourceNode()->deleteNode(bar->destNode()->getId());
            bar->destNode()->deleteNode(bar->sourceNode()->getId());
        }
        start->addNode(end->getId());
        end->addNode(start->getId());
        bar->showEnds(start, end);
    }
    const int type = typeNumbers ? typeNumbers->value(r.type, 0) : model->typeNumber(r.type);
    bar->showProperties(type, r.node3, r.node4, r.iout);
}

void SceneController::renumberBars(int from)
{
    for (int i = qMax(0, from); i < newBars.size(); ++i)
        newBars.at(i)->setId(i + 1);
}

void SceneController::nodesChanged(const QList<ModelKey> &keys)
{
    for (ModelKey key : keys) {
        Node *node = nodeItems.value(key);
        const NodeRecord *r = model->node(key);
        if (node && r) {
            node->showRecord(*r);
            node->update();
        }
    }
}

void SceneController::membersInserted(const QList<ModelKey> &keys)
{
    int first = int(newBars.size());
    for (ModelKey key : keys) {
        const MemberRecord *r = model->member(key);
        const int i = model->memberIndex(key);
        if (!r || i < 0)
            continue;
        if (Bar *bar = makeBar(*r, i + 1)) {
            if (keys.size() == 1)
                newBars.insert(qMin(i, int(newBars.size())), bar);
            first = qMin(first, i);
        }
    }
    if (keys.size() > 1) {
        // Many at once: the list again in the model's order, in one pass.
        QList<Bar *> ordered;
        ordered.reserve(model->members().size());
        for (const MemberRecord &r : model->members())
            if (Bar *bar = barItems.value(r.key))
                ordered.append(bar);
        newBars = ordered;
    }
    renumberBars(first);
    emit membersCounted();
}

void SceneController::membersRemoved(const QList<ModelKey> &keys)
{
    QSet<Bar *> gone;
    QList<QGraphicsItem *> leaving;
    for (ModelKey key : keys) {
        Bar *bar = barItems.take(key);
        if (!bar)
            continue;
        gone.insert(bar);
        if (Node *s = bar->sourceNode())
            if (Node *e = bar->destNode()) {
                s->deleteNode(e->getId());
                e->deleteNode(s->getId());
            }
        if (barIdSelected == bar->getId())
            barIdSelected = -1;
        // It may be the item whose dialog or event asked for this: that one
        // leaves the scene when it is deleted, once its event is over.
        if (graphicsScene->mouseGrabberItem() != bar)
            leaving.append(bar);
        bar->deleteLater();
    }
    view->removeFromScene(leaving);
    int first = -1;
    QList<Bar *> kept;
    kept.reserve(newBars.size());
    for (int i = 0; i < newBars.size(); ++i) {
        if (gone.contains(newBars.at(i))) {
            if (first < 0)
                first = i;
        } else {
            kept.append(newBars.at(i));
        }
    }
    newBars = kept;
    if (first >= 0)
        renumberBars(first);
    emit membersCounted();
}

void SceneController::membersChanged(const QList<ModelKey> &keys)
{
    for (ModelKey key : keys) {
        Bar *bar = barItems.value(key);
        const MemberRecord *r = model->member(key);
        if (bar && r)
            showMember(bar, *r);
    }
}

void SceneController::typesChanged()
{
    shownTypes = typeList();
    drawing.typeColours.clear();
    QHash<ModelKey, int> numbers;
    for (int i = 0; i < model->types().size(); ++i) {
        drawing.typeColours.append(DrawingStyle::typeColour(model->types().at(i).key));
        numbers.insert(model->types().at(i).key, i + 1);
    }
    for (Bar *bar : std::as_const(newBars)) {
        const MemberRecord *r = model->member(bar->key());
        if (!r)
            continue;
        bar->setMTypeList(shownTypes);
        showMember(bar, *r, &numbers);
    }
    emit typesShown();
}

// ---------------------------------------------------------------- drawing options

void SceneController::setColourByType(bool byType)
{
    drawing.colourByType = byType;
    graphicsScene->update();
}

void SceneController::setMemberNumbers(bool on)
{
    drawing.memberNumbers = on;
    for (Bar *bar : std::as_const(newBars))
        bar->styleChanged();
    graphicsScene->update();
}

void SceneController::setDimensions(bool on)
{
    dimensionsOn = on;
    if (dimensions)
        dimensions->setVisible(on);
}

bool SceneController::writePicture(const QString &fileName, PictureExport::Options options, QString *error)
{
    if (drawing.colourByType)
        for (int i = 0; i < model->types().size(); ++i) {
            const MemberTypeRecord &t = model->types().at(i);
            options.legend.append({drawing.typeColours.value(i),
                                   QStringLiteral("%1  %2").arg(i + 1).arg(t.values ? t.values->getLabel() : QString())});
        }
    drawing.paper = !options.blackBackground;
    const bool written = PictureExport::write(graphicsScene, fileName, options, error);
    drawing.paper = false;
    return written;
}

// ---------------------------------------------------------------- selection

QList<Bar *> SceneController::selectedBars() const
{
    QList<Bar *> bars;
    for (QGraphicsItem *item : graphicsScene->selectedItems())
        if (item->type() == Bar::Type)
            bars.append(static_cast<Bar *>(item));
    return bars;
}

QList<Node *> SceneController::selectedNodes() const
{
    QList<Node *> nodes;
    for (QGraphicsItem *item : graphicsScene->selectedItems())
        if (item->type() == Node::Type)
            nodes.append(static_cast<Node *>(item));
    return nodes;
}

void SceneController::selectInBox(const QRectF &sceneBox, bool add)
{
    const QRectF box = sceneBox.normalized();
    if (!add)
        graphicsScene->clearSelection();
    for (QGraphicsItem *item : graphicsScene->items(box, Qt::IntersectsItemBoundingRect)) {
        bool inside = false;
        if (item->type() == Node::Type) {
            inside = box.contains(item->mapToScene(item->shape().boundingRect()).boundingRect());
        } else if (item->type() == Bar::Type) {
            // The member's line and half its pen, not the room its number takes.
            const Bar *bar = static_cast<const Bar *>(item);
            if (bar->sourceNode() && bar->destNode()) {
                const QRectF line = QRectF(bar->sourceNode()->scenePos(), bar->destNode()->scenePos()).normalized();
                inside = box.contains(line.adjusted(-3.5, -3.5, 3.5, 3.5));
            }
        }
        if (inside)
            item->setSelected(true);
    }
}

bool SceneController::findItem(bool member, int number)
{
    QGraphicsItem *target = nullptr;
    if (!member && number >= 1 && number <= newNodes.size())
        target = newNodes.at(number - 1);
    else if (member && number >= 1 && number <= newBars.size())
        target = newBars.at(number - 1);
    if (!target)
        return false;
    graphicsScene->clearSelection();
    target->setSelected(true);
    // Close enough that its number shows (drawn from 7 pixels high), with room to spare.
    const double lod = QStyleOptionGraphicsItem::levelOfDetailFromTransform(view->transform());
    const double readable = 11.0 / drawing.lineHeight;
    if (lod > 0 && lod < readable)
        view->scale(readable / lod, readable / lod);
    // Room around the model, so that an item at its edge can come to the middle.
    const QPointF middle = target->sceneBoundingRect().center();
    const QRectF shown = view->mapToScene(view->viewport()->rect()).boundingRect();
    view->setSceneRect(view->sceneRect().united(shown.translated(middle - shown.center())));
    view->centerOn(middle);
    return true;
}

void SceneController::selectMembersOfType(int number)
{
    graphicsScene->clearSelection();
    for (Bar *bar : std::as_const(newBars))
        if (bar->getMTypeId() == number)
            bar->setSelected(true);
}
