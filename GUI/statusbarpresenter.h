#ifndef STATUSBARPRESENTER_H
#define STATUSBARPRESENTER_H

#include <QList>
#include <QObject>
#include <QPoint>

#include "projectmodel.h"

class GridView;
class ProjectModel;
class QLabel;
class QStatusBar;
class SceneController;

// The status bar: the model coordinates under the cursor, the node or member
// there, what the next click does, and the model's size.
class StatusBarPresenter : public QObject
{
    Q_OBJECT
public:
    StatusBarPresenter(QStatusBar *bar, const ProjectModel *model, const SceneController *scene, GridView *view);

public slots:
    void showHover(const QPoint &viewPos);
    void showCounts();
    void showHint(const QString &hint);
    // "3 members and 2 nodes selected"; nothing when none is.
    void showSelection(int members, int nodes);

private slots:
    // The item the hover text names went away.
    void dropHover();
    void membersRemoved(const QList<ModelKey> &keys);

private:
    const ProjectModel *model;
    const SceneController *scene;
    GridView *view;
    QLabel *coordinatesLabel;
    QLabel *hoverLabel;
    QLabel *modeLabel;
    QLabel *countsLabel;
    QLabel *selectionLabel;
    ModelKey hoveredMember = 0;   // the member the hover text names, if one
};

#endif // STATUSBARPRESENTER_H
