#ifndef SETTINGSCOMMAND_H
#define SETTINGSCOMMAND_H

#include <QUndoCommand>

#include "projectmodel.h"

// New values for one section of the model (control options, drift, weights, …).
template <typename T>
class SettingsCommand : public QUndoCommand
{
public:
    using Getter = const T &(ProjectModel::*)() const;
    using Setter = void (ProjectModel::*)(const T &);

    SettingsCommand(ProjectModel *m, Getter get, Setter set, const T &value, const QString &text,
                    QUndoCommand *parent = nullptr)
        : QUndoCommand(text, parent), model(m), setter(set), before((m->*get)()), after(value)
    {
    }

    void redo() override { (model->*setter)(after); }
    void undo() override { (model->*setter)(before); }

    bool isEmpty() const { return before == after; }

private:
    ProjectModel *model;
    Setter setter;
    T before, after;
};

#endif // SETTINGSCOMMAND_H
