#ifndef WINDOWACTIONS_H
#define WINDOWACTIONS_H

#include <QHash>
#include <QList>
#include <QString>

class QAction;
class QMenuBar;
class QObject;
class QWidget;

// The window's actions and where they stand, described in one place: every
// action the form does not make (object name, text, keys, icon, status tip,
// what it calls), then each menu's and tool bar's entries in order.
namespace WindowActions {

struct Action {
    const char *name;
    const char *text;
    const char *keys;     // portable text, "" for none
    const char *icon;     // image file under libs/, or nullptr
    const char *tip;      // status tip, or nullptr
    const char *triggered = nullptr;   // the window's slot it calls, by name
    const char *toggled = nullptr;     // the window's slot it tells its check state, by name
};

// A menu or tool bar (by object name) and its entries: actions, sub-menus and
// tool-bar widgets by object name, "-" for a separator.
struct Place {
    const char *name;
    QList<const char *> entries;
};

const QList<Action> &actions();
const QList<Place> &places();

// Makes the table's actions on the window and connects them; returns them by name.
QHash<QString, QAction *> make(QWidget *window);
// Fills the menus and tool bars in the table's order from what the window now
// holds (its form's actions, the table's, and any other named action, menu or widget).
void arrange(QWidget *window);

} // namespace WindowActions

#endif // WINDOWACTIONS_H
