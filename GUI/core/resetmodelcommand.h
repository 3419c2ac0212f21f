#ifndef RESETMODELCOMMAND_H
#define RESETMODELCOMMAND_H

#include <QUndoCommand>

#include "projectmodel.h"

// Replaces the whole model (the first grid); undo gives the former one back.
class ResetModelCommand : public QUndoCommand
{
public:
    ResetModelCommand(ProjectModel *model, const ModelData &after, const QString &text,
                      QUndoCommand *parent = nullptr)
        : QUndoCommand(text, parent), model(model), before(model->data()), after(after)
    {
    }

    void redo() override { model->resetData(after); }
    void undo() override { model->resetData(before); }

private:
    ProjectModel *model;
    ModelData before, after;
};

#endif // RESETMODELCOMMAND_H
