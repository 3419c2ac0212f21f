#include "windowactions.h"

#include "imagefiles.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QToolBar>

namespace WindowActions {

#define TEXT(s) QT_TRANSLATE_NOOP("MainWindow", s)

const QList<Action> &actions()
{
    static const QList<Action> table = {
        {"actionNew_Project", TEXT("New Project"), "Ctrl+N", nullptr, nullptr, "newFile"},
        {"actionImport_Analysis_File", TEXT("Import Analysis File..."), "", nullptr,
         TEXT("Make a new model of an analysis input file"), "importAnalysisFile"},
        {"actionSave_Project_As", TEXT("Save Project As..."), "Ctrl+Shift+S", nullptr, nullptr, "saveFileAs"},
        {"exportPictureAct", TEXT("Export Picture..."), "", nullptr,
         TEXT("Write the whole model as drawn to a PNG, SVG or PDF file"), "showExportPictureDialog"},
        {"openAct", TEXT("Open project (Ctrl+O)"), "", "libs/open.dll", TEXT("Open a new project"), "openFile"},
        {"saveAct", TEXT("Save project (Ctrl+S)"), "", "libs/save.dll", TEXT("Save project"), "saveFile"},
        {"createBarAct", TEXT("Create member"), "", nullptr, nullptr, "createBar"},
        {"deleteAct", TEXT("Delete a member (Supr)"), "Del", "libs/delete.dll", nullptr,
         "deleteBarByButton"},
        {"zoomInAct", TEXT("Zoom In (+)"), "+", "libs/zoom-in.dll", TEXT("Zoom In (+)"), "zoomIn"},
        {"zoomOutAct", TEXT("Zoom Out (-)"), "-", "libs/zoom-out.dll", TEXT("Zoom Out (-)"), "zoomOut"},
        {"zoomToFitAct", TEXT("Zoom to Fit"), "Ctrl+0", nullptr, TEXT("Show the whole model (Ctrl+0, or F in the view)"),
         "zoomToFit"},
        {"generateAct", TEXT("Generate Taliskor2D File"), "", "libs/generate.dll", TEXT("Generate Taliskor2D File"),
         "generateFile"},
        {"findAct", TEXT("Find..."), "Ctrl+F", nullptr,
         TEXT("Select a node or member by its number and centre the view on it"), "showFindDialog"},
        {"assignAct", TEXT("Assign to Selection…"), "", nullptr, TEXT("Set values for every selected member and node"),
         "showEditAssignDialog"},
        {"replicateAct", TEXT("Replicate…"), "Ctrl+R", nullptr,
         TEXT("Copy the selected members and nodes across bays and up or down storeys"), "showReplicateDialog"},
        {"dimensionsAct", TEXT("Dimensions"), "", nullptr, TEXT("Show the width of each bay and the height of each storey"),
         nullptr, "setDimensions"},
        {"checkModelAct", TEXT("Check Model"), "F7", nullptr, nullptr, "showCheckDock"},
        {"userGuideAct", TEXT("User Guide"), "F1", nullptr, TEXT("How to use the program"), "showUserGuide"},
        {"colourByCategoryAct", TEXT("Category"), "", nullptr, nullptr},
        {"colourByTypeAct", TEXT("Member type"), "", nullptr, nullptr, nullptr, "setColourByType"},
        {"memberNumbersAct", TEXT("Member numbers"), "", nullptr, nullptr, nullptr, "setMemberNumbers"},
    };
    return table;
}

const QList<Place> &places()
{
    static const QList<Place> table = {
        {"menuFile", {"actionNew_Project", "actionOpen_Project", "actionImport_Analysis_File", "menuOpen_Recent",
                      "actionSave_Project", "actionSave_Project_As", "-", "exportPictureAct", "generateFileAction",
                      "-", "quitAction"}},
        {"menuEdit", {"undoAct", "redoAct", "-", "editControlOptionsAction", "editGridAction", "editLoadAction",
                      "editDriftAction", "editMTypeAction", "editMassAction", "actionSHAPE", "actionEQUAKE", "-",
                      "findAct", "-", "assignAct", "replicateAct"}},
        {"menuView", {"viewMainToolBarAct", "viewEditToolBarAct", "-", "zoomInAct", "zoomOutAct", "zoomToFitAct", "-",
                      "menuColourBy", "memberNumbersAct", "legendAct", "analysisFileAct", "dimensionsAct"}},
        {"menuColourBy", {"colourByCategoryAct", "colourByTypeAct"}},
        {"menuTools", {"checkModelAct"}},
        {"menuHelp", {"userGuideAct", "actionAbout"}},
        {"mainToolBar", {"openAct", "saveAct", "-", "zoomInAct", "zoomOutAct", "-", "generateAct"}},
        {"editToolBar", {"createBarAct", "mtypeCBox", "quickDrawCBox", "deleteAct"}},
    };
    return table;
}

#undef TEXT

QHash<QString, QAction *> make(QWidget *window)
{
    QHash<QString, QAction *> made;
    for (const Action &a : actions()) {
        const QString text = QCoreApplication::translate("MainWindow", a.text);
        QAction *action = nullptr;
        if (a.icon) {
            const QIcon icon(ImageFiles::path(QLatin1String(a.icon)));
            action = icon.isNull() ? new QAction(text, window) : new QAction(icon, text, window);
        } else {
            action = new QAction(text, window);
        }
        action->setObjectName(QLatin1String(a.name));
        if (*a.keys)
            action->setShortcut(QKeySequence(QLatin1String(a.keys), QKeySequence::PortableText));
        if (a.tip)
            action->setStatusTip(QCoreApplication::translate("MainWindow", a.tip));
        if (const char *slot = a.triggered)
            QObject::connect(action, &QAction::triggered, window, [window, slot] {
                if (!QMetaObject::invokeMethod(window, slot))
                    qFatal("no slot %s", slot);
            });
        if (const char *slot = a.toggled) {
            action->setCheckable(true);
            QObject::connect(action, &QAction::toggled, window, [window, slot](bool on) {
                if (!QMetaObject::invokeMethod(window, slot, Q_ARG(bool, on)))
                    qFatal("no slot %s", slot);
            });
        }
        made.insert(QLatin1String(a.name), action);
    }
    return made;
}

void arrange(QWidget *window)
{
    for (const Place &place : places()) {
        const QString name = QLatin1String(place.name);
        QMenu *menu = window->findChild<QMenu *>(name);
        QToolBar *bar = menu ? nullptr : window->findChild<QToolBar *>(name);
        if (menu)
            menu->clear();
        else if (bar)
            bar->clear();
        else
            qFatal("no menu or tool bar %s", place.name);
        for (const char *entry : place.entries) {
            const QString e = QLatin1String(entry);
            if (e == QLatin1String("-")) {
                if (menu)
                    menu->addSeparator();
                else
                    bar->addSeparator();
            } else if (QMenu *sub = window->findChild<QMenu *>(e)) {
                menu->addMenu(sub);
            } else if (QAction *action = window->findChild<QAction *>(e)) {
                if (menu)
                    menu->addAction(action);
                else
                    bar->addAction(action);
            } else if (QWidget *widget = window->findChild<QWidget *>(e); widget && bar) {
                bar->addWidget(widget);
            } else {
                qFatal("no entry %s for %s", entry, place.name);
            }
        }
    }
}

} // namespace WindowActions
