#include <QtTest>

#include <QAction>
#include <QFileDialog>
#include <QComboBox>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include "bar.h"
#include "mainwindow.h"
#include "member.h"
#include "node.h"
#include "testmodels.h"

// Opening, saving and generating as the main window does them.

namespace {

struct Shown
{
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int count = 0;
};

// Runs f and returns the message box it showed (closed at once). The timer
// dies with the call, so a call that shows nothing leaves no timer behind to
// catch a later test's message.
template <typename F>
Shown messageOf(F f)
{
    Shown shown;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&shown] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown.title = box->windowTitle();
            shown.text = box->text();
            shown.icon = box->icon();
            ++shown.count;
            box->close();
        }
    });
    timer.start(0);
    f();
    return shown;
}

// Answers the file dialog that f opens with `path` ("" cancels it); returns the
// dialog's caption and filters, and the text of a message box shown instead.
struct Asked
{
    QString caption;
    QStringList filters;
    QString message;
};

template <typename F>
Asked answerFileDialog(const QString &path, F f)
{
    Asked asked;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            asked.caption = dialog->windowTitle();
            asked.filters = dialog->nameFilters();
            if (path.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(path);
                static_cast<QDialog *>(dialog)->accept();
            }
        } else if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            asked.message = box->text();
            box->close();
        }
    });
    timer.start();
    f();
    return asked;
}

QAction *action(MainWindow &w, const char *name)
{
    QAction *a = w.findChild<QAction *>(QLatin1String(name));
    if (!a)
        qFatal("missing action %s", name);
    return a;
}

using TestModels::setGrid;

// Adds a member type through the dialog's "Add MTYPE" and, when given, labels it with "Set Properties".
void addMemberType(MainWindow &w, int category, const QString &label = QString())
{
    editMTypeDialog *d = w.getMTypeDialog();
    d->setShow11d(w.isShow11d());
    d->findChild<QComboBox *>(QStringLiteral("mTypeCBox"))->setCurrentIndex(category);
    d->findChild<QPushButton *>(QStringLiteral("addBtn"))->click();
    if (!label.isEmpty()) {
        d->findChild<QLineEdit *>(QStringLiteral("labelLineEdit"))->setText(label);
        d->findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
    }
}

void draw(MainWindow &w, int mtype, int from, int to)
{
    QAction *create = action(w, "createBarAct");
    if (!create->isChecked()) {
        create->setChecked(true);
        w.createBar();
    }
    w.getMTypeComboBox()->setCurrentIndex(mtype - 1);
    w.barProcedure(from);
    w.barProcedure(to);
}

// A 3 x 3 model with its own grid ids, three members of two types and every setting accepted.
void buildModel(MainWindow &w, int ipvert)
{
    setGrid(w, {"0", "4", "8"}, {"0", "3", "6"}, {"A", "B", "C"}, {"GROUND", "FIRST", "ROOF"});
    addMemberType(w, Member::FRAME);
    addMemberType(w, Member::SPRING, QStringLiteral("GIRDER"));
    draw(w, 1, 1, 4);
    draw(w, 2, 4, 5);
    draw(w, 1, 5, 8);

    controlOptionsDialog *c = w.getControlDialog();
    c->getA()[5] = ipvert;
    c->getB()[3] = 1;      // M
    c->getB()[4] = 2;      // MODE1
    c->getB()[5] = 2;      // MODE2
    c->getC()[1] = 3.5;    // C1
    c->getC()[2] = 4.5;    // C2
    c->getC()[3] = 0.01;   // DT
    c->showProperties();
    c->setSeted(true);
    emit c->updateControlOptions(c->getA()[4]);

    editDriftDialog *drift = w.getDriftDialog();
    drift->setColumns(w.getGridDialog()->getXIds());
    drift->setDrift(QStringLiteral("1"));
    drift->setKup1Automatically(true);
    drift->setSeted(true);
    emit drift->updateDrift(true);

    QList<double> zero(9, 0.0), load, weight;
    for (int k = 0; k < 9; ++k) {
        load << (k < 3 ? 0.0 : 10.0 * k);
        weight << (k < 3 ? 0.0 : 1.5 * k);
    }
    w.getLoadDialog()->setLists(load, zero, zero);
    emit w.getLoadDialog()->stored();
    w.getMassDialog()->setLists(weight, weight, zero);
    emit w.getMassDialog()->stored();
    if (ipvert < 0) {
        // One row per node and per vertical shape.
        QList<double> shape;
        for (int k = 0; k < 9 * -ipvert; ++k)
            shape << 0.25 * k;
        w.getShapeDialog()->setLists(shape, QList<double>(shape.size(), 0.0), shape);
        w.getShapeDialog()->setAlpha(0.75);
        emit w.getShapeDialog()->stored();
    }
    editQuakeDialog *q = w.getQuakeDialog();
    q->geta()[0] = 3;
    q->getb()[0] = 0.02;
    q->getb()[1] = 9.8;
    q->setFile(QStringLiteral("elcentro.txt"));
    q->setSeted(true);
    emit q->updateQuake();
}

QByteArray T(int n)
{
    return QByteArray(n, '\t');
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Replaces field `field` of line `line` (both from 0).
QByteArray withField(const QByteArray &file, int line, int field, const QByteArray &value)
{
    QList<QByteArray> lines = file.split('\n');
    QList<QByteArray> fields = lines[line].split('\t');
    fields[field] = value;
    lines[line] = fields.join('\t');
    return lines.join('\n');
}

// The line (from 0) that is exactly `text`, searched from `from` on.
int lineOf(const QByteArray &file, const QByteArray &text, int from = 0)
{
    const QList<QByteArray> lines = file.split('\n');
    for (int k = from; k < lines.size(); ++k)
        if (lines.at(k) == text)
            return k;
    return -1;
}

void checkUntouched(MainWindow &w)
{
    for (const char *name : {"openAct", "actionOpen_Project", "editGridAction"})
        QVERIFY2(action(w, name)->isEnabled(), name);
    for (const char *name : {"editMTypeAction", "editLoadAction", "editControlOptionsAction", "actionSHAPE"})
        QVERIFY2(!action(w, name)->isEnabled(), name);
    QVERIFY(w.getNodes().isEmpty());
    QVERIFY(w.getBars().isEmpty());
    QVERIFY(w.getMTypeDialog()->getMembersTypes().isEmpty());
    QVERIFY(w.getScene()->items().isEmpty());
    QVERIFY(w.getGridDialog()->getXLines().isEmpty());
    QCOMPARE(w.getMTypeComboBox()->count(), 0);
    QCOMPARE(w.getControlDialog()->getB()[0], 0);
    QVERIFY(!w.getControlDialog()->isSeted());
}

} // namespace

class tst_ProjectWindow : public QObject
{
    Q_OBJECT
private slots:
    void openingRebuildsTheWindow_data();
    void openingRebuildsTheWindow();
    void refusedFileLeavesWindowUnchanged_data();
    void refusedFileLeavesWindowUnchanged();
    void reopenedModelGeneratesTheSameFile();
    void failedWriteIsReported_data();
    void failedWriteIsReported();
    void generatingAnEmptyModelNamesEverything();
    void commandsAskForTheFileName();
    void emptyModelOpensEmpty();
    void gridsSurvive_data();
    void gridsSurvive();
    void labelsSurvive_data();
    void labelsSurvive();
    void alphaFollowsIpanal_data();
    void alphaFollowsIpanal();
    void missingShapeIsNamed();
};

void tst_ProjectWindow::openingRebuildsTheWindow_data()
{
    QTest::addColumn<int>("ipvert");
    QTest::addRow("vertical shape pattern") << -2;
    QTest::addRow("no vertical earthquake") << 0;
    QTest::addRow("vertical earthquake") << 1;
}

void tst_ProjectWindow::openingRebuildsTheWindow()
{
    QFETCH(int, ipvert);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("model.kfp"));
    {
        MainWindow w;
        buildModel(w, ipvert);
        QCOMPARE(action(w, "actionSHAPE")->isEnabled(), ipvert < 0);
        QVERIFY(w.writeProjectFile(path));
    }
    // Counts that disagree with the model they describe: the window rebuilds them.
    QByteArray file = readAll(path);
    file = withField(file, 1, 0, "77");
    file = withField(file, 1, 1, "66");
    file = withField(file, 1, 2, "55");
    file = withField(file, 2, 8, "44");
    QVERIFY(writeAll(path, file));

    MainWindow w;
    QCOMPARE(messageOf([&] { QVERIFY(w.readProjectFile(path)); }).count, 0);

    QCOMPARE(w.getGridDialog()->getXIds(), QStringList({"1", "2", "3"}));
    QCOMPARE(w.getGridDialog()->getYIds(), QStringList({"BASE", "STORY-1", "STORY-2"}));
    QCOMPARE(w.getGridDialog()->getXLines(), QStringList({"0", "4", "8"}));
    QStringList labels;
    for (QGraphicsItem *item : w.getScene()->items())
        if (auto *t = qgraphicsitem_cast<QGraphicsTextItem *>(item))
            labels << t->toPlainText();
        else if (auto *t = qgraphicsitem_cast<QGraphicsSimpleTextItem *>(item))
            labels << t->text();
    QVERIFY(labels.contains(QStringLiteral("STORY-2")));
    QVERIFY(!labels.contains(QStringLiteral("ROOF")));

    // The grid stays editable; another project can be opened at any time.
    for (const char *name : {"editGridAction", "openAct", "actionOpen_Project", "editLoadAction", "editDriftAction",
                             "editMTypeAction", "editMassAction", "editControlOptionsAction", "actionEQUAKE",
                             "createBarAct"})
        QVERIFY2(action(w, name)->isEnabled(), name);
    QCOMPARE(action(w, "actionSHAPE")->isEnabled(), ipvert < 0);

    controlOptionsDialog *c = w.getControlDialog();
    QCOMPARE(c->getA()[5], ipvert);
    QCOMPARE(c->getB()[3], 1);
    QCOMPARE(c->getB()[4], 2);
    QCOMPARE(c->getB()[5], 2);
    QCOMPARE(c->getC()[1], 3.5);
    QCOMPARE(c->getC()[2], 4.5);
    QCOMPARE(c->getB()[0], 9);
    QCOMPARE(c->getB()[1], 3);
    QCOMPARE(c->getB()[2], 2);
    QCOMPARE(c->getB()[10], 3);
    QVERIFY(c->isSeted());
    QVERIFY(w.getDriftDialog()->isSeted());
    QVERIFY(w.getQuakeDialog()->isSeted());
    QCOMPARE(w.getDriftIds(), QStringList({"1", "4", "7"}));

    QCOMPARE(w.getMTypeComboBox()->count(), 2);
    QCOMPARE(w.getMTypeComboBox()->itemText(0), QStringLiteral("1  MTYPE1"));
    QCOMPARE(w.getMTypeComboBox()->itemText(1), QStringLiteral("2  GIRDER"));
    QVERIFY(w.getMTypeComboBox()->isEnabled());
    QCOMPARE(w.getMTypeDialog()->findChild<QComboBox *>(QStringLiteral("mTypeComboBox"))->count(), 2);

    QCOMPARE(w.getNodes().size(), 9);
    QCOMPARE(w.getBars().size(), 3);
    const int ends[3][3] = {{1, 4, Member::FRAME}, {4, 5, Member::SPRING}, {5, 8, Member::FRAME}};
    for (int k = 0; k < 3; ++k) {
        const Bar *b = w.getBars().at(k);
        QCOMPARE(b->getId(), k + 1);
        QCOMPARE(b->sourceNode()->getId(), ends[k][0]);
        QCOMPARE(b->destNode()->getId(), ends[k][1]);
        QCOMPARE(b->getType(), ends[k][2]);
    }
    // The joined nodes know each other again: a second member between them is refused.
    QVERIFY(w.getNodes().at(3)->hasAssociation(1));
    QVERIFY(w.getNodes().at(3)->hasAssociation(5));

    // Opened and accepted unchanged, the control options keep what was read.
    int before[14];
    std::copy_n(c->getB(), 14, before);
    const double c1 = c->getC()[1];
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() == c)
            c->findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
    });
    timer.start();
    action(w, "editControlOptionsAction")->trigger();
    timer.stop();
    QVERIFY(!c->isVisible());
    for (int k = 0; k < 14; ++k)
        QCOMPARE(c->getB()[k], before[k]);
    QCOMPARE(c->getC()[1], c1);
    QCOMPARE(c->getA()[5], ipvert);
    QCOMPARE(action(w, "actionSHAPE")->isEnabled(), ipvert < 0);

    if (ipvert < 0) {
        QCOMPARE(w.getShapeDialog()->getFx().size(), 18);
        QCOMPARE(w.getShapeDialog()->getFx().at(17), 4.25);
        QCOMPARE(w.getShapeDialog()->getAlpha(), 0.75);
    } else {
        QVERIFY(w.getShapeDialog()->getFx().isEmpty());
    }
}

void tst_ProjectWindow::refusedFileLeavesWindowUnchanged_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addRow("truncated in the members") << "truncated";
    QTest::addRow("truncated before the flags") << "noflags";
    QTest::addRow("more nodes than the grid") << "nodes";
    QTest::addRow("member at node 0") << "node0";
    QTest::addRow("member type beyond the list") << "mtype";
    QTest::addRow("empty file") << "empty";
    QTest::addRow("an analysis file") << "analysis";
}

void tst_ProjectWindow::refusedFileLeavesWindowUnchanged()
{
    QFETCH(QString, fault);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("model.kfp"));
    {
        MainWindow w;
        setGrid(w, {"0", "5"}, {"0", "3"});
        addMemberType(w, Member::FRAME);
        draw(w, 1, 1, 3);
        QVERIFY(w.writeProjectFile(path));
    }
    QByteArray file = readAll(path);
    // Lines (from 0): 0-3 control options, 4-7 grid, 8 drift, 9 IOUT, 10 node count, 11-14 nodes.
    QCOMPARE(file.split('\n').at(10), QByteArray("4"));
    const int memberLine = lineOf(file, "1\t1\t1\t3\t0\t0\t0", 15);
    QVERIFY(memberLine > 15);
    QCOMPARE(file.split('\n').at(memberLine - 1), QByteArray("1"));

    int line = 0;       // from 1, as the message names it
    QString why;
    QString tail;       // the message's end, when not "Line N: why"
    if (fault == QLatin1String("truncated")) {
        const QList<QByteArray> lines = file.split('\n');
        file = lines.mid(0, memberLine).join('\n') + '\n';
        line = memberLine;
        why = QStringLiteral("the count 1 is more than the rest of the file holds");
    } else if (fault == QLatin1String("noflags")) {
        QList<QByteArray> lines = file.split('\n');
        QCOMPARE(lines.takeLast(), QByteArray());
        QCOMPARE(lines.takeLast(), QByteArray("0\t0\t0"));
        file = lines.join('\n') + '\n';
        line = int(lines.size()) + 1;
        why = QStringLiteral("the file ends before the project is complete");
    } else if (fault == QLatin1String("nodes")) {
        file = withField(file, 10, 0, "5");
        line = 11;
        why = QStringLiteral("the file holds 5 nodes but the grid has only 4");
    } else if (fault == QLatin1String("node0")) {
        file = withField(file, memberLine, 2, "0");
        line = memberLine + 1;
        why = QStringLiteral("node 0 does not exist");
    } else if (fault == QLatin1String("empty")) {
        file.clear();
        line = 1;
        why = QStringLiteral("the file ends before the project is complete");
    } else if (fault == QLatin1String("analysis")) {
        MainWindow w;
        QVERIFY(w.readProjectFile(path));
        const QString generated = dir.filePath(QStringLiteral("model.txt"));
        QVERIFY(w.writeAnalysisFile(generated));
        file = readAll(generated);
        // Named for what it is, with the way to read it.
        tail = QStringLiteral("model.kfp looks like an analysis input file, not a project: "
                              "use File \u2192 Import Analysis File\u2026 (--import)");
    } else {
        file = withField(file, memberLine, 1, "2");
        line = memberLine + 1;
        why = QStringLiteral("member type 2 does not exist");
    }
    QVERIFY(writeAll(path, file));

    MainWindow w;
    bool opened = true;
    const Shown shown = messageOf([&] { opened = w.readProjectFile(path); });
    QVERIFY(!opened);
    QCOMPARE(shown.count, 1);
    QCOMPARE(shown.title, QStringLiteral("Error"));
    QCOMPARE(shown.icon, QMessageBox::Critical);
    if (tail.isEmpty())
        tail = QStringLiteral("Line %1: %2").arg(line).arg(why);
    QVERIFY2(shown.text.endsWith(tail), qPrintable(shown.text));
    QVERIFY2(shown.text.contains(path), qPrintable(shown.text));
    checkUntouched(w);
    // Everything the window would save is what a window that never opened anything saves.
    MainWindow untouched;
    const QString mine = dir.filePath(QStringLiteral("after.kfp"));
    const QString fresh = dir.filePath(QStringLiteral("fresh.kfp"));
    QVERIFY(w.writeProjectFile(mine));
    QVERIFY(untouched.writeProjectFile(fresh));
    QCOMPARE(readAll(mine), readAll(fresh));

    // The window is still fresh: a grid can be drawn in it.
    setGrid(w, {"0", "5"}, {"0", "3"});
    QCOMPARE(w.getNodes().size(), 4);
}

void tst_ProjectWindow::reopenedModelGeneratesTheSameFile()
{
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("model.kfp"));
    const QString built = dir.filePath(QStringLiteral("built.txt"));
    const QString reopened = dir.filePath(QStringLiteral("reopened.txt"));
    const QString again = dir.filePath(QStringLiteral("again.kfp"));

    MainWindow w;
    buildModel(w, -1);
    addMemberType(w, Member::WALL, QStringLiteral("CORE WALL"));
    addMemberType(w, Member::DAMPER, QStringLiteral("say \"no\" \\ twice"));
    addMemberType(w, Member::MULTISPRING);
    addMemberType(w, Member::REINFORCED, QStringLiteral("HINGE"));
    addMemberType(w, Member::FRAME, QStringLiteral("\"QUOTED"));
    draw(w, 3, 2, 5);
    draw(w, 4, 5, 6);
    draw(w, 5, 6, 9);
    draw(w, 6, 3, 6);
    draw(w, 7, 7, 8);
    // An empty label, and a member left without its type.
    editMTypeDialog *d = w.getMTypeDialog();
    d->findChild<QComboBox *>(QStringLiteral("mTypeComboBox"))->setCurrentIndex(4);
    d->findChild<QLineEdit *>(QStringLiteral("labelLineEdit"))->clear();
    d->findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
    d->findChild<QComboBox *>(QStringLiteral("mTypeComboBox"))->setCurrentIndex(2);
    TestModels::answeringBox(QStringLiteral("Delete"),
                             [d] { d->findChild<QPushButton *>(QStringLiteral("deleteBtn"))->click(); });
    QCOMPARE(w.getBars().at(3)->getMTypeId(), 0);
    QCOMPARE(w.getBars().at(4)->getMTypeId(), 3);
    // As the member's and the node's dialogs ask on OK.
    w.getBars().at(1)->requestProperties(2, 5, 7, 1);
    NodeRecord node = w.getNodes().at(4)->record();
    node.kup2 = 2;
    emit w.getNodes().at(4)->editRequested(node);
    controlOptionsDialog *c = w.getControlDialog();
    c->getA()[4] = 4;
    c->setDumpList({5.0, 3.0, 0.5});
    emit c->updateControlOptions(4);
    QCOMPARE(w.getBars().size(), 8);
    QVERIFY(w.writeAnalysisFile(built));
    QVERIFY(w.writeProjectFile(project));

    MainWindow fresh;
    QVERIFY(fresh.readProjectFile(project));
    QVERIFY(fresh.writeAnalysisFile(reopened));
    const QByteArray text = readAll(built);
    QVERIFY(text.startsWith("Project by Gui for Taliskor2D\n"));
    QVERIFY(text.contains("\nSHAPE\n"));
    QVERIFY(text.contains("\n5\tREINFORCED\tHINGE\n"));
    QVERIFY(text.contains("\n3\tDAMPER\tsay \"no\" \\ twice\n"));
    QVERIFY(text.contains("\n4\tMULTISPRING\t\n"));
    QVERIFY(text.contains("\n6\tFRAME\t\"QUOTED\n"));
    QVERIFY(text.contains("\n1\t5\t2\t3\t3\t0.5" + T(7) + "! user specified modal damping parameters\n"));
    QCOMPARE(readAll(reopened), text);
    QCOMPARE(fresh.getBars().at(1)->getNode3(), 5);
    QCOMPARE(fresh.getBars().at(1)->getNode4(), 7);
    QCOMPARE(fresh.getBars().at(3)->getMTypeId(), 0);
    QCOMPARE(fresh.getBars().at(3)->getType(), -1);
    QCOMPARE(fresh.getControlDialog()->getDumpList(), QList<double>({5.0, 3.0, 0.5}));
    QCOMPARE(fresh.getMTypeComboBox()->itemText(2), QStringLiteral("3  say \"no\" \\ twice"));
    QCOMPARE(fresh.getMTypeComboBox()->itemText(3), QStringLiteral("4  "));

    // Saved again, the project is the same file.
    QVERIFY(fresh.writeProjectFile(again));
    QCOMPARE(readAll(again), readAll(project));

    // The reopened model goes on being edited as one drawn in the window.
    editMTypeDialog *d2 = fresh.getMTypeDialog();
    auto *list = d2->findChild<QComboBox *>(QStringLiteral("mTypeComboBox"));
    QCOMPARE(list->count(), 6);
    addMemberType(fresh, Member::SPRING);
    QCOMPARE(list->count(), 7);
    QCOMPARE(list->itemText(6), QStringLiteral("7"));
    QCOMPARE(d2->getMembersTypes().at(6)->getID(), 7);
    QCOMPARE(fresh.getMTypeComboBox()->itemText(6), QStringLiteral("7  MTYPE7"));
    QCOMPARE(fresh.getControlDialog()->getB()[2], 7);
    QString refused;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&refused] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            refused = box->text();
            box->close();
        }
    });
    timer.start(0);
    draw(fresh, 7, 4, 1);
    QCOMPARE(refused, QStringLiteral("You can't put two bars between two nodes"));
    QCOMPARE(fresh.getBars().size(), 8);
    draw(fresh, 7, 9, 8);
    QCOMPARE(fresh.getBars().size(), 9);
    QCOMPARE(fresh.getBars().at(8)->getId(), 9);
    QCOMPARE(fresh.getBars().at(8)->getType(), int(Member::SPRING));
    QCOMPARE(fresh.getControlDialog()->getB()[1], 9);

    // Deleting a type of the opened model moves its members as in a drawn one.
    QList<int> types;
    for (const Bar *b : fresh.getBars())
        types << b->getMTypeId();
    QCOMPARE(types, QList<int>({1, 2, 1, 0, 3, 4, 5, 6, 7}));
    list->setCurrentIndex(1);
    TestModels::answeringBox(QStringLiteral("Delete"),
                             [d2] { d2->findChild<QPushButton *>(QStringLiteral("deleteBtn"))->click(); });
    types.clear();
    for (const Bar *b : fresh.getBars())
        types << b->getMTypeId();
    QCOMPARE(types, QList<int>({1, 0, 1, 0, 2, 3, 4, 5, 6}));
    QCOMPARE(fresh.getBars().at(8)->getType(), int(Member::SPRING));
    QCOMPARE(fresh.getMTypeComboBox()->count(), 6);
    QCOMPARE(fresh.getControlDialog()->getB()[2], 6);
}

void tst_ProjectWindow::failedWriteIsReported_data()
{
    QTest::addColumn<bool>("project");
    QTest::addColumn<QString>("where");
    for (bool project : {true, false}) {
        const char *what = project ? "save" : "generate";
        QTest::addRow("%s to a folder's name", what) << project << "taken.kfp";
        QTest::addRow("%s into a missing folder", what) << project << "missing/model.kfp";
        QTest::addRow("%s below an existing file", what) << project << "old.kfp/model.kfp";
    }
}

void tst_ProjectWindow::failedWriteIsReported()
{
    QFETCH(bool, project);
    QFETCH(QString, where);
    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(root.mkdir(QStringLiteral("taken.kfp")));
    const QString inside = root.filePath(QStringLiteral("taken.kfp/keep.txt"));
    QVERIFY(writeAll(inside, "kept\n"));
    const QString neighbour = root.filePath(QStringLiteral("old.kfp"));
    QVERIFY(writeAll(neighbour, "old model\n"));
    const QString target = root.filePath(where);

    MainWindow w;
    buildModel(w, 0);
    bool written = true;
    const Shown shown = messageOf([&] { written = project ? w.writeProjectFile(target) : w.writeAnalysisFile(target); });
    QVERIFY(!written);
    QCOMPARE(shown.count, 1);
    QCOMPARE(shown.title, QStringLiteral("Error"));
    QCOMPARE(shown.icon, QMessageBox::Critical);
    QVERIFY2(shown.text.startsWith(QStringLiteral("The file \"%1\" could not be written").arg(target)),
             qPrintable(shown.text));

    // Nothing on disk changed and nothing was left behind.
    QVERIFY(QFileInfo(root.filePath(QStringLiteral("taken.kfp"))).isDir());
    QCOMPARE(readAll(inside), QByteArray("kept\n"));
    QCOMPARE(QDir(root.filePath(QStringLiteral("taken.kfp"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList({"keep.txt"}));
    QCOMPARE(readAll(neighbour), QByteArray("old model\n"));
    QCOMPARE(root.entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
             QStringList({"old.kfp", "taken.kfp"}));

    // The same window still writes to a good name.
    QVERIFY(project ? w.writeProjectFile(neighbour) : w.writeAnalysisFile(neighbour));
    QVERIFY(readAll(neighbour) != QByteArray("old model\n"));
}

void tst_ProjectWindow::generatingAnEmptyModelNamesEverything()
{
    MainWindow w;
    const Shown shown = messageOf([&] { w.generateFile(); });
    QCOMPARE(shown.count, 1);
    QCOMPARE(shown.title, QStringLiteral("Error"));
    QCOMPARE(shown.icon, QMessageBox::Critical);
    QCOMPARE(shown.text, QStringLiteral("You must set, Nodes, Elements, Member-Types, Control Options, Drift, Equake, "
                                        "Loads, Weights."));
}

void tst_ProjectWindow::commandsAskForTheFileName()
{
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("chosen.kfp"));
    const QString analysis = dir.filePath(QStringLiteral("chosen.txt"));
    const QString direct = dir.filePath(QStringLiteral("direct.txt"));

    MainWindow w;
    buildModel(w, -1);
    const QStringList kfp = {QStringLiteral("GUI File (*.kfp)")};
    Asked asked = answerFileDialog(project, [&] { action(w, "actionSave_Project")->trigger(); });
    QCOMPARE(asked.caption, QStringLiteral("Save project"));
    QCOMPARE(asked.filters, kfp);
    QCOMPARE(asked.message, QString());
    QVERIFY(QFileInfo::exists(project));

    asked = answerFileDialog(analysis, [&] { action(w, "generateFileAction")->trigger(); });
    QCOMPARE(asked.caption, QStringLiteral("Generate file"));
    QCOMPARE(asked.filters, QStringList({"Text File (*.txt)", "Data File(*.dat)"}));
    QCOMPARE(asked.message, QString());
    QVERIFY(w.writeAnalysisFile(direct));
    QCOMPARE(readAll(analysis), readAll(direct));

    // Cancelled: nothing written, nothing said.
    const QString cancelled = dir.filePath(QStringLiteral("never.txt"));
    asked = answerFileDialog(QString(), [&] { action(w, "generateAct")->trigger(); });
    QCOMPARE(asked.caption, QStringLiteral("Generate file"));
    QCOMPARE(asked.message, QString());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 3);

    MainWindow fresh;
    asked = answerFileDialog(QString(), [&] { action(fresh, "openAct")->trigger(); });
    QCOMPARE(asked.caption, QStringLiteral("Open project"));
    QCOMPARE(asked.filters, kfp);
    QCOMPARE(asked.message, QString());
    checkUntouched(fresh);

    asked = answerFileDialog(project, [&] { action(fresh, "actionOpen_Project")->trigger(); });
    QCOMPARE(asked.message, QString());
    QCOMPARE(fresh.getBars().size(), 3);
    QVERIFY(action(fresh, "openAct")->isEnabled());
    const QString reopened = dir.filePath(QStringLiteral("reopened.txt"));
    QVERIFY(fresh.writeAnalysisFile(reopened));
    QCOMPARE(readAll(reopened), readAll(direct));
}

void tst_ProjectWindow::missingShapeIsNamed()
{
    MainWindow w;
    buildModel(w, -1);
    w.getShapeDialog()->setLists({}, {}, {});
    emit w.getShapeDialog()->stored();
    const Asked asked = answerFileDialog(QString(), [&] { w.generateFile(); });
    QCOMPARE(asked.caption, QString());
    QCOMPARE(asked.message, QStringLiteral("You must set, Shape."));

    // With IPVERT back at 0 the empty pattern is not asked for and the file has no SHAPE section.
    w.getControlDialog()->getA()[5] = 0;
    w.getControlDialog()->showProperties();
    emit w.getControlDialog()->updateControlOptions(0);
    QVERIFY(!action(w, "actionSHAPE")->isEnabled());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("noshape.txt"));
    const Asked second = answerFileDialog(path, [&] { w.generateFile(); });
    QCOMPARE(second.message, QString());
    QCOMPARE(second.caption, QStringLiteral("Generate file"));
    const QByteArray text = readAll(path);
    QVERIFY(text.endsWith("\n\nEQUAKE\telcentro.txt\n3\t0\t0.02\t9.8\t0\t0\t0\t0\n"));
    QVERIFY(!text.contains("SHAPE"));
}

void tst_ProjectWindow::emptyModelOpensEmpty()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("empty.kfp"));
    {
        MainWindow w;
        w.getQuakeDialog()->setSeted(true);
        emit w.getQuakeDialog()->updateQuake();
        QCOMPARE(messageOf([&] { QVERIFY(w.writeProjectFile(path)); }).count, 0);
    }
    MainWindow w;
    QCOMPARE(messageOf([&] { QVERIFY(w.readProjectFile(path)); }).count, 0);
    QVERIFY(w.getNodes().isEmpty());
    QVERIFY(w.getBars().isEmpty());
    QVERIFY(w.getMTypeDialog()->getMembersTypes().isEmpty());
    QCOMPARE(w.getDrift(), QStringLiteral("None"));
    QVERIFY(w.getDriftIds().isEmpty());
    QVERIFY(!w.getControlDialog()->isSeted());
    QVERIFY(!w.getDriftDialog()->isSeted());
    QVERIFY(w.getQuakeDialog()->isSeted());
    for (const char *name : {"createBarAct", "actionSHAPE"})
        QVERIFY2(!action(w, name)->isEnabled(), name);
    QVERIFY(action(w, "openAct")->isEnabled());
    QVERIFY(action(w, "editGridAction")->isEnabled());
    QVERIFY(action(w, "editMTypeAction")->isEnabled());
    QCOMPARE(w.getMTypeComboBox()->count(), 0);

    const Shown shown = messageOf([&] { w.generateFile(); });
    QCOMPARE(shown.text, QStringLiteral("You must set, Nodes, Elements, Member-Types, Control Options, Drift, Loads, "
                                        "Weights."));
}

void tst_ProjectWindow::gridsSurvive_data()
{
    QTest::addColumn<QStringList>("x");
    QTest::addColumn<QStringList>("y");
    QTest::addRow("one node") << QStringList{"0"} << QStringList{"0"};
    QTest::addRow("one row") << QStringList{"0", "5", "10"} << QStringList{"0"};
    QTest::addRow("one column") << QStringList{"2"} << QStringList{"0", "3", "6"};
    QTest::addRow("unsorted") << QStringList{"10", "0", "5"} << QStringList{"6", "0", "3"};
    QTest::addRow("decimals") << QStringList{"0.5", "2.25", "7.125"} << QStringList{"-1.5", "2.75"};
}

// Whatever the grid, the reopened window has the same nodes and writes the same file.
void tst_ProjectWindow::gridsSurvive()
{
    QFETCH(QStringList, x);
    QFETCH(QStringList, y);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("grid.kfp"));
    const QString first = dir.filePath(QStringLiteral("first.txt"));
    const QString second = dir.filePath(QStringLiteral("second.txt"));

    MainWindow w;
    setGrid(w, x, y);
    const int n = int(x.size() * y.size());
    QCOMPARE(w.getNodes().size(), n);
    addMemberType(w, Member::FRAME);
    if (n > 1)
        draw(w, 1, 1, n);
    w.getControlDialog()->setSeted(true);
    emit w.getControlDialog()->updateControlOptions(0);
    w.getDriftDialog()->setSeted(true);
    emit w.getDriftDialog()->updateDrift(false);
    w.getQuakeDialog()->setSeted(true);
    emit w.getQuakeDialog()->updateQuake();
    QVERIFY(w.writeProjectFile(path));
    QVERIFY(w.writeAnalysisFile(first));

    MainWindow fresh;
    QVERIFY(fresh.readProjectFile(path));
    QCOMPARE(fresh.getGridDialog()->getXLines(), x);
    QCOMPARE(fresh.getGridDialog()->getYLines(), y);
    QCOMPARE(fresh.getNodes().size(), n);
    for (int k = 0; k < n; ++k) {
        QCOMPARE(fresh.getNodes().at(k)->getId(), k + 1);
        QCOMPARE(fresh.getNodes().at(k)->getXCoordinate(), w.getNodes().at(k)->getXCoordinate());
        QCOMPARE(fresh.getNodes().at(k)->getYCoordinate(), w.getNodes().at(k)->getYCoordinate());
        QCOMPARE(fresh.getNodes().at(k)->pos(), w.getNodes().at(k)->pos());
    }
    QCOMPARE(fresh.getBars().size(), w.getBars().size());
    QVERIFY(fresh.writeAnalysisFile(second));
    QCOMPARE(readAll(second), readAll(first));
}

void tst_ProjectWindow::labelsSurvive_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("record");
    QTest::addRow("empty") << "" << "";
    QTest::addRow("one blank") << " " << " ";
    QTest::addRow("blanks around") << "  A  " << "   ";
    QTest::addRow("a quote") << "\"" << "\"";
    QTest::addRow("quote inside") << "x\"y" << "x\"y";
    QTest::addRow("backslashes") << "a\\b\\" << "c:\\quakes\\el centro.txt";
    QTest::addRow("quoted") << "\"A B\"" << "\"q\"";
    QTest::addRow("null name") << "NULL!NULL" << "NULL!NULL";
    QTest::addRow("accents") << QString::fromUtf8("VIGA-\xc3\x91\xc3\xa9") << QString::fromUtf8("se\xc3\xb1" "al.txt");
    QTest::addRow("wide") << QString::fromUtf8("\xe6\xa2\x81 1") << QString::fromUtf8("\xe5\x9c\xb0\xe9\x9c\x87.txt");
}

// Member-type labels and the earthquake record name come back as typed.
void tst_ProjectWindow::labelsSurvive()
{
    QFETCH(QString, label);
    QFETCH(QString, record);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("labels.kfp"));
    const QString first = dir.filePath(QStringLiteral("first.txt"));
    const QString second = dir.filePath(QStringLiteral("second.txt"));
    MainWindow w;
    buildModel(w, 0);
    editMTypeDialog *d = w.getMTypeDialog();
    d->findChild<QComboBox *>(QStringLiteral("mTypeComboBox"))->setCurrentIndex(0);
    d->findChild<QLineEdit *>(QStringLiteral("labelLineEdit"))->setText(label);
    d->findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
    w.getQuakeDialog()->setFile(record);
    emit w.getQuakeDialog()->updateQuake();
    QVERIFY(w.writeProjectFile(path));
    QVERIFY(w.writeAnalysisFile(first));
    if (record == QLatin1String("NULL!NULL"))
        QVERIFY(readAll(path).endsWith("\n\"NULL!NULL\"\n1\t1\t1\n"));

    MainWindow fresh;
    QVERIFY(fresh.readProjectFile(path));
    QCOMPARE(fresh.getMTypeDialog()->getMembersTypes().at(0)->getLabel(), label);
    QCOMPARE(fresh.getMTypeComboBox()->itemText(0), QStringLiteral("1  ") + label);
    // A blank name of up to seven blanks is kept as no name.
    const bool blank = record.size() <= 7 && record.count(QLatin1Char(' ')) == record.size();
    QCOMPARE(fresh.getQuakeDialog()->getFile(), blank ? QString() : record);
    QCOMPARE(fresh.getMTypeDialog()->findChild<QLineEdit *>(QStringLiteral("labelLineEdit"))->text(), label);
    QVERIFY(fresh.writeAnalysisFile(second));
    if (!blank)
        QCOMPARE(readAll(second), readAll(first));
    QVERIFY(readAll(first).contains("\n1\tFRAME\t" + label.toUtf8() + '\n'));
}

void tst_ProjectWindow::alphaFollowsIpanal_data()
{
    QTest::addColumn<int>("ipanal");
    QTest::addColumn<bool>("alpha");
    QTest::addRow("static") << 0 << false;
    QTest::addRow("ipanal 6") << 6 << true;
    QTest::addRow("ipanal 8") << 8 << true;
    QTest::addRow("ipanal 9") << 9 << true;
}

void tst_ProjectWindow::alphaFollowsIpanal()
{
    QFETCH(int, ipanal);
    QFETCH(bool, alpha);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("alpha.kfp"));
    {
        MainWindow w;
        buildModel(w, -1);
        w.getControlDialog()->getA()[0] = ipanal;
        w.getControlDialog()->showProperties();
        emit w.getControlDialog()->updateControlOptions(0);
        QCOMPARE(w.getShapeDialog()->showAlpha(), alpha);
        QVERIFY(w.writeProjectFile(path));
    }
    MainWindow w;
    QVERIFY(w.readProjectFile(path));
    QCOMPARE(w.getControlDialog()->getA()[0], ipanal);
    QCOMPARE(w.getShapeDialog()->showAlpha(), alpha);
    QCOMPARE(w.getShapeDialog()->getAlpha(), 0.75);
    QVERIFY(action(w, "actionSHAPE")->isEnabled());
}

QTEST_MAIN(tst_ProjectWindow)
#include "tst_projectwindow.moc"
