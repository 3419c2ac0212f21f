#ifndef LEGENDDOCK_H
#define LEGENDDOCK_H

#include <QDockWidget>

class ProjectModel;
class QListWidget;
struct DrawingStyle;

// View → Legend: each member type's number, label and the colour its members are drawn in.
class LegendDock : public QDockWidget
{
    Q_OBJECT
public:
    LegendDock(const ProjectModel *model, const DrawingStyle *style, QWidget *parent = nullptr);

public slots:
    void refresh();

private:
    const ProjectModel *model;
    const DrawingStyle *style;
    QListWidget *legendList;
};

#endif // LEGENDDOCK_H
