#ifndef CHECKDOCK_H
#define CHECKDOCK_H

#include <QDockWidget>

#include <functional>

class ProjectModel;
class QListWidget;
class QListWidgetItem;
class QTimer;

// Tools → Check Model: the model's problems, one a line, checked again once
// the program is idle after any change while the dock is shown.
class CheckDock : public QDockWidget
{
    Q_OBJECT
public:
    // `projectFile` gives the model's file, whose folder holds a relative record name.
    CheckDock(const ProjectModel *model, std::function<QString()> projectFile, QWidget *parent = nullptr);

    QListWidget *list() const { return checkList; }
    // Shown, raised and up to date.
    void showNow();

public slots:
    void refresh();
    void refreshIfShown() { schedule(); }

signals:
    // A double-click on a node's or member's line.
    void itemAsked(bool member, int number);

private:
    void schedule();
    void activated(QListWidgetItem *item);

    const ProjectModel *model;
    std::function<QString()> projectFile;
    QListWidget *checkList;
    QTimer *timer;   // coalesces the refreshes of a burst of edits
};

#endif // CHECKDOCK_H
