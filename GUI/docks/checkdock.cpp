#include "checkdock.h"

#include "modelcheck.h"
#include "projectmodel.h"

#include <QListWidget>
#include <QTimer>

CheckDock::CheckDock(const ProjectModel *m, std::function<QString()> file, QWidget *parent)
    : QDockWidget(tr("Check Model"), parent), model(m), projectFile(std::move(file))
{
    setObjectName(QStringLiteral("checkDock"));
    checkList = new QListWidget(this);
    checkList->setObjectName(QStringLiteral("checkList"));
    setWidget(checkList);
    connect(checkList, &QListWidget::itemDoubleClicked, this, &CheckDock::activated);

    timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(0);
    connect(timer, &QTimer::timeout, this, &CheckDock::refresh);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (shown)
            schedule();
    });
    // Any change of the model: checked again once the program is idle, once for a burst.
    connect(model, &ProjectModel::modelReset, this, &CheckDock::schedule);
    connect(model, &ProjectModel::nodesChanged, this, &CheckDock::schedule);
    connect(model, &ProjectModel::membersInserted, this, &CheckDock::schedule);
    connect(model, &ProjectModel::membersRemoved, this, &CheckDock::schedule);
    connect(model, &ProjectModel::membersChanged, this, &CheckDock::schedule);
    connect(model, &ProjectModel::typesChanged, this, &CheckDock::schedule);
    connect(model, &ProjectModel::settingsChanged, this, &CheckDock::schedule);
}

void CheckDock::showNow()
{
    show();
    raise();
    refresh();
}

void CheckDock::schedule()
{
    if (isVisible())
        timer->start();
}

void CheckDock::refresh()
{
    timer->stop();
    const QList<ModelCheck::Problem> problems = ModelCheck::check(model->data(), projectFile());
    checkList->setUpdatesEnabled(false);
    checkList->clear();
    for (const ModelCheck::Problem &p : problems) {
        auto *item = new QListWidgetItem(ModelCheck::format(p), checkList);
        item->setData(Qt::UserRole, int(p.item));
        item->setData(Qt::UserRole + 1, p.number);
        item->setForeground(p.severity == ModelCheck::Problem::Error ? QColor(Qt::darkRed) : QColor(Qt::black));
    }
    if (problems.isEmpty())
        new QListWidgetItem(tr("No problems found."), checkList);
    checkList->setUpdatesEnabled(true);
    setWindowTitle(tr("Check Model: %1").arg(ModelCheck::summary(problems)));
}

void CheckDock::activated(QListWidgetItem *item)
{
    const int kind = item->data(Qt::UserRole).toInt();
    const int number = item->data(Qt::UserRole + 1).toInt();
    if (kind == ModelCheck::Problem::Node || kind == ModelCheck::Problem::Member)
        emit itemAsked(kind == ModelCheck::Problem::Member, number);
}
