#ifndef MTYPESTATE_H
#define MTYPESTATE_H

#include <QHash>

class QBoxLayout;
class QLabel;
class QWidget;
class Member;

namespace Ui {
class editMTypeDialog;
}

// What the parts of the member type form share: the one form, the record it
// shows, each field's label and the slot each shared group sits in.
struct MTypeState
{
    explicit MTypeState(Ui::editMTypeDialog *form) : ui(form) {}

    // The record shown is of this category.
    bool editing(int category) const;
    // A field is shown or hidden together with its label.
    void setFieldShown(QWidget *field, bool shown);
    // Moves a group shared by several pages into the slot of the page that shows it.
    void placeIn(QWidget *group, QBoxLayout *slot);

    Ui::editMTypeDialog *const ui;
    Member *member = nullptr;  // the record shown, or null
    bool show11d = false;      // material specific damping shown and stored
    QHash<QWidget *, QLabel *> labelOf;     // field -> its label
    QHash<QWidget *, QBoxLayout *> hostOf;  // shared group -> slot it sits in
};

#endif // MTYPESTATE_H
