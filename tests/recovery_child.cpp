// A window with unsaved changes that autosaves quickly, for the recovery test to kill.
// Usage: recovery_child APPNAME PROJECT

#include <QApplication>

#include "mainwindow.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    // The test's own name, so that both look in the same recovery folder.
    QCoreApplication::setApplicationName(QString::fromLocal8Bit(argv[1]));
    MainWindow w;
    if (!w.readProjectFile(QString::fromLocal8Bit(argv[2])))
        return 2;
    w.setAutosaveInterval(50);
    // The edit the test makes too: member 1 deleted.
    w.deleteBar(1);
    return app.exec();
}
