#include "windowactions.h"

#include "imagefiles.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMetaObject>
#include <QPointer>
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

namespace {

// The window's named objects, the first of each name and kind. The dialogs
// hold none of its entries: a search per entry through their forms would
// cost more than the rest of arranging. Guarded: clearing a menu deletes
// the actions it owns.
struct Named {
    QHash<QString, QPointer<QMenu>> menus;
    QHash<QString, QPointer<QToolBar>> bars;
    QHash<QString, QPointer<QAction>> actions;
    QHash<QString, QPointer<QWidget>> widgets;
};

template <typename T>
void keepFirst(QHash<QString, QPointer<T>> &hash, const QString &name, T *object)
{
    if (!hash.contains(name))
        hash.insert(name, object);
}

void collect(const QObject *parent, Named &named)
{
    for (QObject *o : parent->children()) {
        if (qobject_cast<QDialog *>(o))
            continue;
        if (const QString name = o->objectName(); !name.isEmpty()) {
            if (auto *m = qobject_cast<QMenu *>(o))
                keepFirst(named.menus, name, m);
            if (auto *b = qobject_cast<QToolBar *>(o))
                keepFirst(named.bars, name, b);
            if (auto *a = qobject_cast<QAction *>(o))
                keepFirst(named.actions, name, a);
            if (auto *w = qobject_cast<QWidget *>(o))
                keepFirst(named.widgets, name, w);
        }
        collect(o, named);
    }
}

} // namespace

void arrange(QWidget *window)
{
    Named named;
    collect(window, named);
    for (const Place &place : places()) {
        const QString name = QLatin1String(place.name);
        QMenu *menu = named.menus.value(name);
        QToolBar *bar = menu ? nullptr : named.bars.value(name);
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
            } else if (QMenu *sub = named.menus.value(e)) {
                menu->addMenu(sub);
            } else if (QAction *action = named.actions.value(e)) {
                if (menu)
                    menu->addAction(action);
                else
                    bar->addAction(action);
            } else if (QWidget *widget = named.widgets.value(e); widget && bar) {
                bar->addWidget(widget);
            } else {
                qFatal("no entry %s for %s", entry, place.name);
            }
        }
    }
}

} // namespace WindowActions
