// Builds the sample projects through the main window, as a user would, and saves
// them with "Save Project". Usage: make_examples OUTPUT_FOLDER

#include "bar.h"
#include "mainwindow.h"
#include "member.h"
#include "node.h"
#include "projectdata.h"
#include "../tests/testmodels.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>

#include <cstdio>
#include <functional>

namespace {

using TestModels::addMemberTypes;
using TestModels::setGrid;

template <size_t N, typename T>
void set(T *array, const T (&values)[N])
{
    for (size_t i = 0; i < N; ++i)
        array[i] = values[i];
}

// Draws a member of type mtype between two node ids with the mouse procedure.
void draw(MainWindow &w, int mtype, int from, int to)
{
    w.getMTypeComboBox()->setCurrentIndex(mtype - 1);
    w.barProcedure(from);
    w.barProcedure(to);
}

void startDrawing(MainWindow &w)
{
    QAction *create = w.findChild<QAction *>(QStringLiteral("createBarAct"));
    create->setChecked(true);
    w.createBar();
}

void acceptControl(MainWindow &w, const std::function<void(controlOptionsDialog &)> &edit)
{
    controlOptionsDialog *c = w.getControlDialog();
    c->getC()[3] = 0.01;   // DT
    c->getC()[4] = 20.0;   // TIME
    edit(*c);
    c->setProperties(int(w.getNodes().size()), int(w.getBars().size()), int(w.getGridDialog()->getYLines().size()),
                     int(w.getMTypeDialog()->getMembersTypes().size()));
    c->setSeted(true);
    emit c->updateControlOptions(c->getA()[4]);
}

void acceptDrift(MainWindow &w, const QString &column)
{
    editDriftDialog *d = w.getDriftDialog();
    d->setColumns(w.getGridDialog()->getXIds());
    d->setDrift(column);
    d->setKup1Automatically(true);
    d->setSeted(true);
    emit d->updateDrift(true);
}

void acceptQuake(MainWindow &w, const QString &record, double scale)
{
    editQuakeDialog *q = w.getQuakeDialog();
    q->geta()[0] = 3;        // free format
    q->geta()[1] = 1;        // first line
    q->getb()[0] = 0.02;     // DELTAT
    q->getb()[1] = scale;    // ASCALE
    q->getb()[2] = -1;       // pad a short record with zeros
    q->getb()[5] = 1.0;      // TSCALE
    q->setFile(record);
    q->setSeted(true);
    emit q->updateQuake();
}

// Weights on every node above the base, lateral loads 0 (dead load as weights only).
void setFloorWeights(MainWindow &w, double perNode)
{
    QList<double> wx, wy, wd, fx, fy, fm;
    for (const Node *n : w.getNodes()) {
        const bool base = n->getNf1() == 1;
        wx << (base ? 0.0 : perNode);
        wy << (base ? 0.0 : perNode);
        wd << 0.0;
        fx << 0.0;
        fy << (base ? 0.0 : -perNode * 9.8);
        fm << 0.0;
    }
    w.getMassDialog()->setLists(wx, wy, wd);
    emit w.getMassDialog()->stored();
    w.getLoadDialog()->setLists(fx, fy, fm);
    emit w.getLoadDialog()->stored();
}

void frameColumn(Member &m, double pyc, double mo)
{
    set(m.getFrameA(), {2, 0, 0, 4, 0, 0, 0, 0, 0});
    set(m.getFrameB(), {2.5e7, 1.04e7, 0.25, 0.208, 0.0052, 6.0, 0.0, 0.0, 0.0, 0.0});
    set(m.getFrameC(), {0.0, 0.02, 0.25, 0.25, 0.0, 0.0, 0.0, 0.0, 0.0});
    set(m.getFrameG(), {pyc, pyc * 0.37, mo * 1.7, mo * 1.5, mo * 1.3, mo, -pyc * 0.16});
    set(m.getTakeda(), {0.4, 0.6, 1.0});
}

void frameBeam(Member &m)
{
    set(m.getFrameA(), {2, 0, 0, 4, 0, 0, 0, 0, 0});
    set(m.getFrameB(), {2.5e7, 1.04e7, 0.18, 0.15, 0.0054, 4.5, 0.25, 0.25, 0.0, 0.0});
    set(m.getFrameC(), {0.0, 0.015, 0.3, 0.3, 0.0, 0.0, 0.0, 0.0, 0.0});
    set(m.getFrameG(), {-5400.0, -2000.0, 260.0, 240.0, 220.0, 180.0, 860.0});
    set(m.getTakeda(), {0.5, 0.6, 1.0});
}

bool save(MainWindow &w, const QString &path)
{
    const QString missing = ModelCore::completenessMessage(w.collectProjectData());
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(missing));
        return false;
    }
    return w.writeProjectFile(path);
}

// 3 bays of 6 m, 4 storeys of 3.5 m, reinforced concrete columns and beams with Takeda hysteresis.
bool portalFrame(const QString &path)
{
    MainWindow w;
    setGrid(w, {"0", "6", "12", "18"}, {"0", "3.5", "7", "10.5", "14"});
    addMemberTypes(w, {Member::FRAME}, "Column-500x500", [](Member &m) { frameColumn(m, -7500.0, 250.0); });
    addMemberTypes(w, {Member::FRAME}, "Beam-300x600", frameBeam);
    startDrawing(w);
    for (int storey = 0; storey < 4; ++storey)
        for (int col = 1; col <= 4; ++col)
            draw(w, 1, storey * 4 + col, (storey + 1) * 4 + col);
    for (int floor = 1; floor <= 4; ++floor)
        for (int bay = 1; bay <= 3; ++bay)
            draw(w, 2, floor * 4 + bay, floor * 4 + bay + 1);
    setFloorWeights(w, 25.0);
    acceptDrift(w, "1");
    acceptQuake(w, "elcentro-ns.txt", 1.0);
    acceptControl(w, [](controlOptionsDialog &) {});
    return save(w, path);
}

// A base-isolated two-bay frame: SPRING isolators under the columns, a structural wall
// in the first bay and a viscous DAMPER brace in the second.
bool isolatedFrame(const QString &path)
{
    MainWindow w;
    setGrid(w, {"0", "6", "12"}, {"0", "0.4", "4", "8"});
    addMemberTypes(w, {Member::FRAME}, "Column", [](Member &m) { frameColumn(m, -6000.0, 220.0); });
    addMemberTypes(w, {Member::FRAME}, "Beam", frameBeam);
    addMemberTypes(w, {Member::SPRING}, "Isolator", [](Member &m) {
        set(m.getSpringA1(), {1, 2, 0, 0, 0, 0});
        set(m.getSpringA2(), {2.0e6, 1500.0, 1.0e5, 0.0, 0.1, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0});
        set(m.getSpringC(), {1.0e5, -1.0e5, 150.0, -150.0, 1.0e5, -1.0e5});
    });
    addMemberTypes(w, {Member::WALL}, "Wall-250", [](Member &m) {
        set(m.getWallA1(), {3, 10, 0, 1});
        set(m.getWallA2(), {12.0, 0.9, 0.8, 0.0, 0.0});
        set(m.getWallB(), {2.5e7, 2.0e8, 30000.0, 25000.0, 0.004, 3000.0, 420000.0, 0.01, 0.0});
        set(m.getWallD(), {0.25, 6.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0045, 0.0, 0.0});
    });
    addMemberTypes(w, {Member::DAMPER}, "Viscous-brace", [](Member &m) {
        set(m.getDamperA1(), {1, 0});
        set(m.getDamperA2(), {450.0, 0.0, 0.0, 0.0, 0.0, 0.35, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0});
    });
    startDrawing(w);
    for (int col = 1; col <= 3; ++col)
        draw(w, 3, col, col + 3);                 // isolators
    for (int level = 1; level <= 2; ++level) {
        draw(w, 4, level * 3 + 1, level * 3 + 4);  // wall, grid line 1
        draw(w, 1, level * 3 + 2, level * 3 + 5);
        draw(w, 1, level * 3 + 3, level * 3 + 6);
    }
    for (int floor = 1; floor <= 3; ++floor)
        for (int bay = 1; bay <= 2; ++bay)
            draw(w, 2, floor * 3 + bay, floor * 3 + bay + 1);
    draw(w, 5, 5, 9);                             // brace across the second bay, first storey
    setFloorWeights(w, 30.0);
    acceptDrift(w, "2");
    acceptQuake(w, "kobe-jma-ns.txt", 1.0);
    acceptControl(w, [](controlOptionsDialog &) {});
    return save(w, path);
}

// A bridge-pier style plastic-hinge model: MULTISPRING bases, REINFORCED hinges under
// the cap beam, elastic FRAME shafts, pushed by a SHAPE pattern (IPVERT -2).
bool plasticHinges(const QString &path)
{
    MainWindow w;
    setGrid(w, {"0", "8"}, {"0", "0.5", "6", "6.4"});
    addMemberTypes(w, {Member::FRAME}, "Pier-shaft", [](Member &m) {
        set(m.getFrameA(), {1, 0, 0, 0, 0, 0, 0, 0, 0});
        set(m.getFrameB(), {2.8e7, 1.17e7, 1.13, 0.94, 0.1018, 27.0, 0.0, 0.0, 0.0, 0.0});
    });
    addMemberTypes(w, {Member::MULTISPRING}, "Pier-base", [](Member &m) {
        set(m.getMultiSpringA1(), {2, 0, 0, 0});
        set(m.getMultiSpringA2(), {0.5, 0.0, 0.0, 0.0});
        set(m.getMultiSpringB1(), {6, 1});
        set(m.getMultiSpringB2(), {5.0e6, 2.0e5, 2000.0, -8000.0, 300.0, -300.0, 0.02, 0.05});
    });
    addMemberTypes(w, {Member::REINFORCED}, "Pier-top-hinge", [](Member &m) {
        set(m.getReinforcedA1(), {1, 0, 0});
        set(m.getReinforcedA2(), {1.2, 1.2, 0.06, 0.6, 0.0, 0.0});
        set(m.getReinforcedB(), {2.8e7, 35000.0, 3200.0, 2.5e7, 30000.0, 2900.0, 2.5e7, 30000.0, 2900.0, 0.3, 1.0});
        set(m.getReinforcedC(), {2.0e8, 460000.0, 460000.0, 0.0098, 0.0098, 0.15});
    });
    addMemberTypes(w, {Member::FRAME}, "Cap-beam", [](Member &m) {
        set(m.getFrameA(), {1, 0, 0, 0, 0, 0, 0, 0, 0});
        set(m.getFrameB(), {2.8e7, 1.17e7, 1.8, 1.5, 0.54, 45.0, 0.6, 0.6, 0.0, 0.0});
    });
    startDrawing(w);
    for (int col = 1; col <= 2; ++col) {
        draw(w, 2, col, col + 2);         // base multi-spring
        draw(w, 1, col + 2, col + 4);     // shaft
        draw(w, 3, col + 4, col + 6);     // top hinge
    }
    draw(w, 4, 7, 8);                     // cap beam
    QList<double> wx, wy, wd, fx, fy, fm;
    for (const Node *n : w.getNodes()) {
        const double m = n->getId() >= 7 ? 400.0 : (n->getNf1() ? 0.0 : 20.0);
        wx << m; wy << m; wd << 0.0;
        fx << 0.0; fy << -m * 9.8; fm << 0.0;
    }
    w.getMassDialog()->setLists(wx, wy, wd);
    emit w.getMassDialog()->stored();
    w.getLoadDialog()->setLists(fx, fy, fm);
    emit w.getLoadDialog()->stored();
    acceptDrift(w, "1");
    acceptQuake(w, "chichi-tcu068-ew.txt", 1.0);
    acceptControl(w, [](controlOptionsDialog &c) { c.getA()[5] = -2; });
    // Two lateral patterns: uniform, then triangular-like on the cap.
    QList<double> sx, sy, sm;
    for (int k = 0; k < 2; ++k) {
        for (const Node *n : w.getNodes()) {
            const double top = n->getId() >= 7 ? 1.0 : (n->getId() >= 5 ? (k == 0 ? 1.0 : 0.9) : 0.0);
            sx << top; sy << 0.0; sm << 0.0;
        }
    }
    w.getShapeDialog()->setLists(sx, sy, sm);
    emit w.getShapeDialog()->stored();
    return save(w, path);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make_examples OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    const bool ok = portalFrame(dir.filePath("portal-frame-rc.kfp"))
                    && isolatedFrame(dir.filePath("isolated-frame-wall-damper.kfp"))
                    && plasticHinges(dir.filePath("pier-plastic-hinges-shape.kfp"));
    return ok ? 0 : 1;
}
