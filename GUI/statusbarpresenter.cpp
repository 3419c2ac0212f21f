#include "statusbarpresenter.h"

#include "bar.h"
#include "gridview.h"
#include "member.h"
#include "node.h"
#include "projectmodel.h"
#include "scenecontroller.h"

#include <QLabel>
#include <QStatusBar>

StatusBarPresenter::StatusBarPresenter(QStatusBar *bar, const ProjectModel *m, const SceneController *s,
                                       GridView *v)
    : QObject(bar), model(m), scene(s), view(v)
{
    coordinatesLabel = new QLabel(bar);
    coordinatesLabel->setObjectName(QStringLiteral("statusCoordinates"));
    coordinatesLabel->setMinimumWidth(150);
    hoverLabel = new QLabel(bar);
    hoverLabel->setObjectName(QStringLiteral("statusItem"));
    modeLabel = new QLabel(bar);
    modeLabel->setObjectName(QStringLiteral("statusMode"));
    countsLabel = new QLabel(bar);
    countsLabel->setObjectName(QStringLiteral("statusCounts"));
    bar->addWidget(coordinatesLabel);
    bar->addWidget(hoverLabel, 1);
    bar->addWidget(modeLabel);
    selectionLabel = new QLabel(bar);
    selectionLabel->setObjectName(QStringLiteral("statusSelection"));
    bar->addPermanentWidget(selectionLabel);
    bar->addPermanentWidget(countsLabel);
    showCounts();
    // A whole new model or grid: whatever was under the cursor may be gone.
    connect(model, &ProjectModel::modelReset, this, &StatusBarPresenter::dropHover);
    connect(model, &ProjectModel::settingsChanged, this, [this](ProjectModel::Section s) {
        if (s == ProjectModel::Grid)
            dropHover();
    });
    connect(model, &ProjectModel::membersRemoved, this, &StatusBarPresenter::membersRemoved);
}

void StatusBarPresenter::showHint(const QString &hint)
{
    modeLabel->setText(hint);
}

void StatusBarPresenter::showSelection(int members, int nodes)
{
    QStringList parts;
    if (members > 0)
        parts << (members == 1 ? tr("1 member") : tr("%1 members").arg(members));
    if (nodes > 0)
        parts << (nodes == 1 ? tr("1 node") : tr("%1 nodes").arg(nodes));
    selectionLabel->setText(parts.isEmpty() ? QString() : tr("%1 selected").arg(parts.join(tr(" and "))));
}

void StatusBarPresenter::dropHover()
{
    hoveredMember = 0;
    hoverLabel->clear();
}

void StatusBarPresenter::membersRemoved(const QList<ModelKey> &keys)
{
    if (hoveredMember && keys.contains(hoveredMember))
        dropHover();
}

void StatusBarPresenter::showCounts()
{
    // Sizes the model keeps: no walk over its records.
    const auto count = [](qsizetype n, const QString &one, const QString &many) {
        return (n == 1 ? one : many).arg(n);
    };
    countsLabel->setText(count(model->nodes().size(), tr("%1 node"), tr("%1 nodes")) + QStringLiteral(", ")
                         + count(model->members().size(), tr("%1 member"), tr("%1 members")) + QStringLiteral(", ")
                         + count(model->types().size(), tr("%1 member type"), tr("%1 member types")));
}

void StatusBarPresenter::showHover(const QPoint &viewPos)
{
    const QPointF p = view->mapToScene(viewPos);
    coordinatesLabel->setText(QStringLiteral("(%1, %2)")
                                  .arg(QString::number(p.x() / scene->xFactor(), 'f', 2),
                                       QString::number(p.y() / scene->yFactor(), 'f', 2)));
    // The scene's index finds the few items there; a node wins over a member.
    Node *node = nullptr;
    Bar *bar = nullptr;
    for (QGraphicsItem *item : view->items(viewPos)) {
        if (item->type() == Node::Type) {
            node = static_cast<Node *>(item);
            break;
        }
        if (!bar && item->type() == Bar::Type)
            bar = static_cast<Bar *>(item);
    }
    hoveredMember = 0;
    if (node) {
        const NodeRecord &r = node->record();
        hoverLabel->setText(tr("Node %1 at (%2, %3)")
                                .arg(node->getId())
                                .arg(QString::number(r.x, 'g', 15), QString::number(r.y, 'g', 15)));
    } else if (const MemberRecord *r = bar ? model->member(bar->key()) : nullptr) {
        const QString ends = tr("nodes %1 to %2")
                                 .arg(bar->sourceNode() ? bar->sourceNode()->getId() : 0)
                                 .arg(bar->destNode() ? bar->destNode()->getId() : 0);
        hoveredMember = bar->key();
        const int t = model->typeIndex(r->type);
        if (t >= 0 && model->types().at(t).values)
            hoverLabel->setText(tr("Member %1: type %2 %3, %4")
                                    .arg(bar->getId())
                                    .arg(t + 1)
                                    .arg(model->types().at(t).values->getLabel(), ends));
        else
            hoverLabel->setText(tr("Member %1: no type, %2").arg(bar->getId()).arg(ends));
    } else {
        hoverLabel->clear();
    }
}
