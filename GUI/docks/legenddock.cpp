#include "legenddock.h"

#include "bar.h"
#include "drawingstyle.h"
#include "member.h"
#include "projectmodel.h"

#include <QListWidget>

LegendDock::LegendDock(const ProjectModel *m, const DrawingStyle *s, QWidget *parent)
    : QDockWidget(tr("Legend"), parent), model(m), style(s)
{
    setObjectName(QStringLiteral("legendDock"));
    legendList = new QListWidget(this);
    legendList->setObjectName(QStringLiteral("legendList"));
    setWidget(legendList);
    toggleViewAction()->setObjectName(QStringLiteral("legendAct"));
}

void LegendDock::refresh()
{
    // Each type as its members are drawn now.
    legendList->clear();
    for (int i = 0; i < model->types().size(); ++i) {
        const MemberTypeRecord &t = model->types().at(i);
        const QColor colour = style->colourByType ? style->typeColours.value(i)
                                                  : Bar::categoryColour(t.values ? t.values->getType() : -1);
        auto *item = new QListWidgetItem(
            QStringLiteral("%1  %2").arg(i + 1).arg(t.values ? t.values->getLabel() : QString()), legendList);
        item->setData(Qt::DecorationRole, colour);
        item->setData(Qt::UserRole, i + 1);
    }
    if (model->types().isEmpty())
        new QListWidgetItem(tr("No member types."), legendList);
}
