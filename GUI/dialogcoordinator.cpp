#include "dialogcoordinator.h"

#include "controloptionsdialog.h"
#include "editdriftdialog.h"
#include "editgriddialog.h"
#include "editloadsdialog.h"
#include "editmassdialog.h"
#include "editmtypedialog.h"
#include "editquakedialog.h"
#include "editshapedialog.h"
#include "member.h"
#include "membertypecommand.h"
#include "modelsteps.h"
#include "resetmodelcommand.h"
#include "settingscommand.h"

#include <QEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QUndoStack>

DialogCoordinator::DialogCoordinator(ProjectModel *m, QUndoStack *s, const Dialogs &dialogs, QWidget *w)
    : QObject(w), model(m), stack(s), d(dialogs), window(w)
{
    connect(d.grid, &editGridDialog::updateGrid, this, &DialogCoordinator::gridAccepted);
    connect(d.drift, &editDriftDialog::updateDrift, this, &DialogCoordinator::driftAccepted);
    connect(d.control, &controlOptionsDialog::updateControlOptions, this, &DialogCoordinator::controlAccepted);
    connect(d.mtype, &editMTypeDialog::updateMTypes, this, &DialogCoordinator::mtypesAccepted);
    // Deleting a type members use asks first; the dialog's Delete names the
    // type by its place in the dialog's list: the key shown there.
    d.mtype->setDeleteCheck([this](int id) { return mayDeleteType(mtypeKeys.value(id - 1)); });
    connect(d.mtype, &editMTypeDialog::deleteMType, this, [this](int id) {
        const QScopedValueRollback<bool> asked(mtypeStep, true);
        if (id >= 1 && id <= mtypeKeys.size())
            deleteType(mtypeKeys.at(id - 1));
    });
    // However it comes to be shown, it shows the model.
    d.mtype->installEventFilter(this);
    connect(d.control, &controlOptionsDialog::activateAlpha, d.shape, &editShapeDialog::setActivateAlpha);
    connect(d.quake, &editQuakeDialog::updateQuake, this, &DialogCoordinator::quakeAccepted);
    // The earthquake dialog reads its record with the model's current file and control options.
    d.quake->setContext([this] {
        return editQuakeDialog::Context{projectFile ? projectFile() : QString(), model->control()};
    });
    connect(d.mass, &editMassDialog::stored, this, &DialogCoordinator::weightsAccepted);
    connect(d.loads, &editLoadsDialog::stored, this, &DialogCoordinator::loadsAccepted);
    connect(d.shape, &editShapeDialog::stored, this, &DialogCoordinator::shapeAccepted);

    // After every step, each dialog shows the model.
    connect(model, &ProjectModel::modelReset, this, &DialogCoordinator::loadAll);
    connect(model, &ProjectModel::settingsChanged, this, &DialogCoordinator::settingsChanged);
    connect(model, &ProjectModel::typesChanged, this, [this] {
        typesChanged();
        syncCounts();
    });
    connect(model, &ProjectModel::membersInserted, this, &DialogCoordinator::syncCounts);
    connect(model, &ProjectModel::membersRemoved, this, &DialogCoordinator::syncCounts);
    // Each table's node cell names where the node is.
    const auto tip = [this](int id) {
        if (id < 1 || id > model->nodes().size())
            return QString();
        const NodeRecord &n = model->nodes().at(id - 1);
        const GridSettings &g = model->grid();
        QString storey;
        for (int k = 0; k < g.YLines.size() && k < g.YIds.size(); ++k)
            if (g.YLines.at(k).toDouble() == n.y)
                storey = g.YIds.at(k);
        return QStringLiteral("(%1,%2) %3").arg(QString::number(n.x, 'g', 15), QString::number(n.y, 'g', 15), storey).trimmed();
    };
    for (NodeTableDialog *table : {static_cast<NodeTableDialog *>(d.mass), static_cast<NodeTableDialog *>(d.loads),
                                   static_cast<NodeTableDialog *>(d.shape)})
        table->setNodeTip(tip);
    loadControl();
    loadDrift();
    loadQuake();
    loadTables();
}

void DialogCoordinator::pushStep(QUndoCommand *command)
{
    stack->push(command);
}

// ---------------------------------------------------------------- loading

void DialogCoordinator::loadAll()
{
    loadControl();
    loadDrift();
    loadQuake();
    loadTables();
    loadGrid();
    typesChanged();
}

bool DialogCoordinator::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == d.mtype && event->type() == QEvent::Show)
        loadMTypesIfStale();
    return QObject::eventFilter(watched, event);
}

void DialogCoordinator::settingsChanged(ProjectModel::Section section)
{
    switch (section) {
    case ProjectModel::Control:
        d.shape->setActivateAlpha(model->alphaActive());
        loadControl();
        break;
    case ProjectModel::Drift: loadDrift(); break;
    case ProjectModel::Quake: loadQuake(); break;
    case ProjectModel::Weights:
    case ProjectModel::Loads:
    case ProjectModel::Shape: loadTables(); break;
    case ProjectModel::Grid: loadGrid(); break;
    }
}

void DialogCoordinator::loadGrid()
{
    const GridSettings &g = model->grid();
    d.grid->setXLines(g.XLines);
    d.grid->setYLines(g.YLines);
    d.grid->setXIds(g.XIds);
    d.grid->setYIds(g.YIds);
    d.grid->setNodesIOut(g.nodesIOut);
    d.grid->setElementsIOut(g.elementsIOut);
}

void DialogCoordinator::loadControl()
{
    const ControlSettings &c = model->control();
    std::copy(std::begin(c.a), std::end(c.a), d.control->getA());
    std::copy(std::begin(c.b), std::end(c.b), d.control->getB());
    std::copy(std::begin(c.c), std::end(c.c), d.control->getC());
    std::copy(std::begin(c.d), std::end(c.d), d.control->getD());
    std::copy(std::begin(c.e), std::end(c.e), d.control->getE());
    d.control->setDumpList(c.dampList);
    d.control->setSeted(c.seted);
    d.control->setProperties(int(model->nodes().size()), int(model->members().size()),
                             int(model->grid().YLines.size()), int(model->types().size()));
}

void DialogCoordinator::syncCounts()
{
    // The counts only, in place: redrawing the whole form costs more than an edit may.
    int *b = d.control->getB();
    b[0] = int(model->nodes().size());
    b[1] = int(model->members().size());
    b[2] = int(model->types().size());
    b[10] = int(model->grid().YLines.size());
}

void DialogCoordinator::loadDrift()
{
    const DriftSettings &s = model->drift();
    d.drift->setColumns(model->grid().XIds);
    d.drift->setDrift(s.drift);
    d.drift->setKup1AutomaticallyTo0(s.kup1AutomaticallyTo0);
    d.drift->setKup1Automatically(s.kup1Automatically);
    d.drift->setSeted(s.seted);
}

void DialogCoordinator::loadQuake()
{
    const QuakeSettings &q = model->quake();
    std::copy(std::begin(q.a), std::end(q.a), d.quake->geta());
    std::copy(std::begin(q.b), std::end(q.b), d.quake->getb());
    d.quake->setFile(q.file);
    d.quake->setSeted(q.seted);
}

void DialogCoordinator::loadTables()
{
    const NodeValues &w = model->weights();
    d.mass->setLists(w.first, w.second, w.third);
    const NodeValues &l = model->loads();
    d.loads->setLists(l.first, l.second, l.third);
    const ShapeSettings &s = model->shape();
    d.shape->setLists(s.fx, s.fy, s.fm);
    d.shape->setAlpha(s.alpha);
    d.shape->setActivateAlpha(model->alphaActive());
}

void DialogCoordinator::typesChanged()
{
    // Reloading copies every type: a hidden dialog waits until it is shown or
    // read. After its own step it is reloaded at once, as its list must match
    // the model's keys for its next OK.
    if (d.mtype->isVisible() || mtypeStep)
        loadMTypes();
    else
        mtypesStale = true;
}

void DialogCoordinator::loadMTypesIfStale()
{
    if (mtypesStale)
        loadMTypes();
}

void DialogCoordinator::loadMTypes(int select)
{
    mtypesStale = false;
    // Unless a place is asked for, the type shown stays shown, found by its
    // key; a new one shown last is the model's last.
    const int shown = d.mtype->selectedMType();
    if (select < 0) {
        select = shown;
        if (shown >= 0 && shown < mtypeKeys.size()) {
            const int now = model->typeIndex(mtypeKeys.at(shown));
            select = now >= 0 ? now : shown;
        }
    }
    const int count = int(model->types().size());
    select = count == 0 ? -1 : qBound(0, select, count - 1);
    QList<Member *> copies;
    mtypeKeys.clear();
    copies.reserve(count);
    for (int i = 0; i < count; ++i) {
        auto *m = new Member(*model->types().at(i).values);
        m->setID(i + 1);
        copies.append(m);
        mtypeKeys.append(model->types().at(i).key);
    }
    d.mtype->reloadMTypes(copies, select);
}

// ---------------------------------------------------------------- showing

namespace {
QList<int> nodeNumbers(int count, int times = 1)
{
    QList<int> ids;
    ids.reserve(qsizetype(count) * times);
    for (int k = 0; k < times; ++k)
        for (int i = 1; i <= count; ++i)
            ids.append(i);
    return ids;
}
} // namespace

void DialogCoordinator::showGrid()
{
    loadGrid();
    d.grid->sortLines();
    d.grid->setTables();
    d.grid->addInitRows();
    d.grid->exec();
}

void DialogCoordinator::showLoads()
{
    const NodeValues &l = model->loads();
    d.loads->setLists(l.first, l.second, l.third);
    d.loads->setTable(nodeNumbers(int(model->nodes().size())));
    d.loads->setByLists();
    d.loads->exec();
}

void DialogCoordinator::showMass()
{
    const NodeValues &w = model->weights();
    d.mass->setLists(w.first, w.second, w.third);
    d.mass->setTable(nodeNumbers(int(model->nodes().size())));
    d.mass->setByLists();
    d.mass->exec();
}

void DialogCoordinator::showDrift()
{
    loadDrift();
    d.drift->exec();
}

void DialogCoordinator::showMTypes(int index)
{
    loadMTypes(index);
    const int ictype = model->control().a[4];
    d.mtype->setShow11d(ictype == 5 || ictype == 7);
    d.mtype->exec();
}

void DialogCoordinator::showControl()
{
    loadControl();
    d.control->exec();
}

void DialogCoordinator::showQuake()
{
    loadQuake();
    d.quake->showProperties();
    d.quake->exec();
}

void DialogCoordinator::showShape()
{
    const ShapeSettings &s = model->shape();
    d.shape->setLists(s.fx, s.fy, s.fm);
    d.shape->setAlpha(s.alpha);
    d.shape->setActivateAlpha(model->alphaActive());
    const int k = -model->control().a[5];
    d.shape->setTable(k > 0 ? nodeNumbers(int(model->nodes().size()), k) : QList<int>());
    d.shape->setByLists();
    d.shape->exec();
}

// ---------------------------------------------------------------- the OKs

void DialogCoordinator::quakeAccepted()
{
    QuakeSettings q;
    std::copy_n(d.quake->geta(), 2, q.a);
    std::copy_n(d.quake->getb(), 6, q.b);
    q.file = d.quake->getFile();
    q.seted = d.quake->isSeted();
    push(new SettingsCommand<QuakeSettings>(model, &ProjectModel::quake, &ProjectModel::setQuake, q,
                                            tr("Earthquake")));
}

void DialogCoordinator::weightsAccepted()
{
    const NodeValues w{d.mass->getWx(), d.mass->getWy(), d.mass->getWd()};
    push(new SettingsCommand<NodeValues>(model, &ProjectModel::weights, &ProjectModel::setWeights, w,
                                         tr("Weights")));
}

void DialogCoordinator::loadsAccepted()
{
    const NodeValues l{d.loads->getFx(), d.loads->getFy(), d.loads->getFm()};
    push(new SettingsCommand<NodeValues>(model, &ProjectModel::loads, &ProjectModel::setLoads, l, tr("Loads")));
}

void DialogCoordinator::shapeAccepted()
{
    ShapeSettings s;
    s.fx = d.shape->getFx();
    s.fy = d.shape->getFy();
    s.fm = d.shape->getFm();
    s.alpha = d.shape->getAlpha();
    push(new SettingsCommand<ShapeSettings>(model, &ProjectModel::shape, &ProjectModel::setShape, s, tr("Shape")));
}

void DialogCoordinator::controlAccepted()
{
    // The counts are the model's own, whatever the form shows.
    ControlSettings next = model->control();
    std::copy_n(d.control->getA(), 11, next.a);
    const int counts[] = {0, 1, 2, 10};
    int kept[4];
    for (int k = 0; k < 4; ++k)
        kept[k] = next.b[counts[k]];
    std::copy_n(d.control->getB(), 14, next.b);
    for (int k = 0; k < 4; ++k)
        next.b[counts[k]] = kept[k];
    std::copy_n(d.control->getC(), 10, next.c);
    std::copy_n(d.control->getD(), 3, next.d);
    std::copy_n(d.control->getE(), 8, next.e);
    next.dampList = d.control->getDumpList();
    next.seted = d.control->isSeted();
    push(new SettingsCommand<ControlSettings>(model, &ProjectModel::control, &ProjectModel::setControl, next,
                                              tr("Control options")));
}

void DialogCoordinator::driftAccepted(bool setKups)
{
    // Its choice, and the KUP1 couplings that follow it, in one step.
    DriftSettings next;
    next.drift = d.drift->getDrift();
    next.kup1AutomaticallyTo0 = d.drift->getKup1AutomaticallyTo0();
    next.kup1Automatically = d.drift->getKup1Automatically();
    next.seted = d.drift->isSeted();

    if (QUndoCommand *step = ModelSteps::drift(model, next, setKups))
        pushStep(step);
}

void DialogCoordinator::mtypesAccepted()
{
    // Added, copied or stored: the dialog's list against the model, by key.
    // A stale list would undo what changed since it was loaded.
    loadMTypesIfStale();
    const QScopedValueRollback<bool> asked(mtypeStep, true);
    QList<const Member *> shown;
    for (const Member *m : d.mtype->getMembersTypes())
        shown.append(m);
    if (QUndoCommand *step = ModelSteps::memberTypes(model, mtypeKeys, shown))
        pushStep(step);
}

bool DialogCoordinator::mayDeleteType(ModelKey key)
{
    int users = 0;
    for (const MemberRecord &m : model->members())
        users += m.type == key;
    const Member *type = model->memberType(key);
    if (users == 0 || !type)
        return true;
    const QString text = users == 1 ? tr("Member type %1 (%2) is used by 1 member. Delete it and leave it "
                                         "without a type?")
                                    : tr("Member type %1 (%2) is used by %3 members. Delete it and leave them "
                                         "without a type?")
                                          .arg(QStringLiteral("%1"), QStringLiteral("%2"), QString::number(users));
    QMessageBox box(QMessageBox::Question, tr("Delete member type"),
                    text.arg(model->typeNumber(key)).arg(type->getLabel()), QMessageBox::NoButton, d.mtype);
    QPushButton *remove = box.addButton(tr("Delete"), QMessageBox::DestructiveRole);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == remove;
}

void DialogCoordinator::deleteType(ModelKey key)
{
    if (model->memberType(key))
        pushStep(new MemberTypeCommand(model, MemberTypeCommand::Delete, key, nullptr));
}

// ---------------------------------------------------------------- the grid

bool DialogCoordinator::gridCanBeDrawn(qint64 nodes, qint64 members)
{
    // What an item costs in the window, with its label and share of the scene's index.
    const qint64 bytes = nodes * 3000 + members * 1500;
    if (bytes > (qint64(1) << 30)) {
        QMessageBox::critical(window, tr("Error"),
                              tr("The grid has %1 nodes and %2 members: drawing it would take more than "
                                 "1 GB of memory, so it is not drawn.")
                                  .arg(nodes)
                                  .arg(members));
        return false;
    }
    if (nodes > 250000) {
        const auto answer = QMessageBox::question(
            window, tr("Large grid"),
            tr("The grid has %1 nodes. Drawing it takes a long time and much memory. Draw it?").arg(nodes));
        return answer == QMessageBox::Yes;
    }
    return true;
}

QList<int> DialogCoordinator::lineOrigins(const QStringList &oldLines, const QStringList &newLines,
                                          const QList<int> &rows)
{
    // Old and new lines in ascending order, as the nodes follow them.
    const QList<double> before = ModelCore::sortLines(oldLines);
    const QList<double> after = ModelCore::sortLines(newLines);
    if (rows.size() == after.size())
        return rows;
    // Lists set without the tables: a line at an old ordinate continues that line.
    QList<int> from;
    from.reserve(after.size());
    for (double v : after)
        from.append(int(before.indexOf(v)));
    return from;
}

void DialogCoordinator::gridAccepted(bool gridDefaults)
{
    // A new grid with a node at every intersection, or an edit of the drawn one.
    GridSettings grid;
    grid.XLines = d.grid->getXLines();
    grid.YLines = d.grid->getYLines();
    grid.XIds = d.grid->getXIds();
    grid.YIds = d.grid->getYIds();
    grid.nodesIOut = d.grid->getNodesIOut();
    grid.elementsIOut = d.grid->getElemetsIOut();
    if (model->nodes().isEmpty()) {
        if (!gridCanBeDrawn(qint64(grid.XLines.size()) * grid.YLines.size(), 0))
            return;
        const ModelData next = ProjectModel::withGrid(model->data(), grid, gridDefaults);
        stack->push(new ResetModelCommand(model, next, tr("Grid")));
        return;
    }

    // Each new line continues the row it was typed in.
    const QList<int> xFrom = lineOrigins(model->grid().XLines, grid.XLines, d.grid->getXFrom());
    const QList<int> yFrom = lineOrigins(model->grid().YLines, grid.YLines, d.grid->getYFrom());
    // A refused edit leaves the dialog's lists describing the drawn grid.
    if (!gridCanBeDrawn(qint64(grid.XLines.size()) * grid.YLines.size(), model->members().size())) {
        loadGrid();
        return;
    }
    // One question for what the edit deletes and what it splits.
    const ProjectModel::GridRemoval gone = ProjectModel::gridRemoval(model->data(), xFrom, yFrom);
    const ProjectModel::GridSplit split = ProjectModel::gridSplit(model->data(), grid, xFrom, yFrom);
    const auto named = [](const QString &axis, const QList<int> &numbers) {
        if (numbers.isEmpty())
            return QString();
        QStringList texts;
        for (int n : numbers)
            texts << QString::number(n);
        return (numbers.size() == 1 ? tr("%1 line %2") : tr("%1 lines %2"))
            .arg(axis, texts.join(QLatin1String(", ")));
    };
    const auto both = [&named](const QList<int> &x, const QList<int> &y) {
        QStringList parts;
        for (const QString &part : {named(QStringLiteral("X"), x), named(QStringLiteral("Y"), y)})
            if (!part.isEmpty())
                parts << part;
        return parts.join(tr(" and "));
    };
    QStringList sentences;
    if (gone.members > 0 || gone.nodes > 0 || gone.references > 0) {
        // Removed lines by their number in the grid as drawn.
        const auto removed = [&](int count, const QList<int> &from) {
            QList<int> numbers;
            for (int k = 0; k < count; ++k)
                if (!from.contains(k))
                    numbers << k + 1;
            return numbers;
        };
        QString text = tr("Removing %1 deletes %2 members and the data of %3 nodes")
                           .arg(both(removed(int(model->grid().XLines.size()), xFrom),
                                     removed(int(model->grid().YLines.size()), yFrom)))
                           .arg(gone.members)
                           .arg(gone.nodes);
        if (gone.references > 0)
            text += tr(", and sets %1 node references to 0").arg(gone.references);
        sentences << text + QLatin1Char('.');
    }
    if (split.members == 1)
        sentences << tr("Adding %1 splits 1 member.").arg(both(split.xLines, split.yLines));
    else if (split.members > 1)
        sentences << tr("Adding %1 splits %2 members.").arg(both(split.xLines, split.yLines)).arg(split.members);
    if (!sentences.isEmpty()) {
        sentences << tr("Continue?");
        if (QMessageBox::question(window, tr("Edit grid"), sentences.join(QLatin1Char(' '))) != QMessageBox::Yes) {
            loadGrid();
            return;
        }
    }
    const ModelData next = ProjectModel::withEditedGrid(model->data(), grid, xFrom, yFrom);
    stack->push(new ResetModelCommand(model, next, tr("Edit grid")));
}
