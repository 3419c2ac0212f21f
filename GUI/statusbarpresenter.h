#ifndef STATUSBARPRESENTER_H
#define STATUSBARPRESENTER_H

#include <QObject>
#include <QPoint>

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

private:
    const ProjectModel *model;
    const SceneController *scene;
    GridView *view;
    QLabel *coordinatesLabel;
    QLabel *hoverLabel;
    QLabel *modeLabel;
    QLabel *countsLabel;
};

#endif // STATUSBARPRESENTER_H
