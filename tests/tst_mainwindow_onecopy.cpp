#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>
#include <QUndoStack>

#include "bar.h"
#include "controloptionsdialog.h"
#include "mainwindow.h"
#include "member.h"
#include "node.h"
#include "windowbytes.h"

// The model is the one copy: what the window's items and dialogs are asked to
// change reaches the model as one step, and what changed the model reaches
// every dialog. The window's menus and tool bars stay where users know them.

namespace {

void openExample(MainWindow &w)
{
    if (!w.readProjectFile(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp")))
        qFatal("example not opened");
}

// Runs open(); act() runs on the modal dialog it shows, inside its loop, and must close it.
void onModal(const std::function<void()> &open, const std::function<void(QDialog *)> &act)
{
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [act] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            act(d);
    });
    timer.start(0);
    open();
    timer.stop();
}

void click(QWidget *d, const char *button)
{
    auto *b = d->findChild<QPushButton *>(QLatin1String(button));
    if (!b)
        qFatal("missing button %s", button);
    b->click();
}

QString keys(const QAction *a)
{
    QStringList out;
    for (const QKeySequence &k : a->shortcuts())
        out << k.toString(QKeySequence::PortableText);
    return out.join(QLatin1Char(','));
}

// One line per entry: where it is, its object name, text and keys.
QStringList describe(const QString &where, const QList<QAction *> &actions)
{
    QStringList out;
    for (const QAction *a : actions) {
        if (a->isSeparator()) {
            out << where + QStringLiteral(" | --");
            continue;
        }
        const QString name = a->menu() ? a->menu()->objectName() : a->objectName();
        out << QStringLiteral("%1 | %2 | %3 | %4").arg(where, name, a->text(), keys(a));
        if (a->menu() && where.count(QLatin1Char('/')) < 2)
            out += describe(where + QLatin1Char('/') + a->text(), a->menu()->actions());
    }
    return out;
}

} // namespace

class tst_MainWindowOneCopy : public QObject
{
    Q_OBJECT

private slots:
    void actionsStayInPlace();
    void deletedTypeStaysDeleted();
    void reloadKeepsWhatWasTyped();
    void hiddenTypeDialogLoadsWhenShown_data();
    void hiddenTypeDialogLoadsWhenShown();
    void itemSettersAreSteps_data();
    void itemSettersAreSteps();
    void newModelHasOneDampingMode();
};

void tst_MainWindowOneCopy::actionsStayInPlace()
{
    MainWindow w;
    QStringList shown = describe(QStringLiteral("menu"), w.menuBar()->actions());
    for (const char *bar : {"mainToolBar", "editToolBar"})
        shown += describe(QLatin1String(bar), w.findChild<QToolBar *>(QLatin1String(bar))->actions());
    // The recent projects depend on the machine.
    shown.erase(std::remove_if(shown.begin(), shown.end(),
                               [](const QString &s) { return s.startsWith(QLatin1String("menu/File/Open Recent")); }),
                shown.end());
    const QStringList expected = {
#include "data/window_actions.inc"
    };
    if (shown != expected)
        qWarning().noquote() << shown.join(QLatin1Char('\n'));
    QCOMPARE(shown, expected);
}

void tst_MainWindowOneCopy::deletedTypeStaysDeleted()
{
    MainWindow w;
    openExample(w);
    const QList<MemberTypeRecord> before = w.projectModel()->types();
    QVERIFY(before.size() >= 2);
    const ModelKey gone = before.first().key;
    // A step outside the dialog while it is shown: the dialog shows the model.
    int steps = 0;
    onModal([&] { w.showEditMTypeDialog(); },
            [&](QDialog *d) {
                w.deleteMType(1);
                steps = w.undoStack()->count();
                click(d, "addBtn");
                click(d, "okBtn");
                d->reject();
            });
    const QList<MemberTypeRecord> &after = w.projectModel()->types();
    QCOMPARE(after.size(), before.size());
    QCOMPARE(w.projectModel()->typeIndex(gone), -1);
    for (int i = 1; i < before.size(); ++i)
        QCOMPARE(after.at(i - 1).key, before.at(i).key);
    QCOMPARE(w.undoStack()->count(), steps + 1);
    QVERIFY(w.undoStack()->text(steps) != QLatin1String("Member types"));
    // Undone outside the dialog, the dialog shows the model again.
    w.undoStack()->undo();
    w.undoStack()->undo();
    QCOMPARE(w.getMTypeDialog()->getMembersTypes().size(), before.size());
    QCOMPARE(w.getMTypeDialog()->getMembersTypes().first()->getLabel(), before.first().values->getLabel());
}

void tst_MainWindowOneCopy::reloadKeepsWhatWasTyped()
{
    // A step on another type leaves the shown type, and what was typed into it, in place.
    MainWindow w;
    openExample(w);
    const ModelKey second = w.projectModel()->types().at(1).key;
    QString label;
    int shown = -1;
    onModal([&] { w.showEditMTypeDialog(); },
            [&](QDialog *d) {
                d->findChild<QComboBox *>(QStringLiteral("mTypeComboBox"))->setCurrentIndex(1);
                d->findChild<QLineEdit *>(QStringLiteral("labelLineEdit"))->setText(QStringLiteral("typed"));
                w.deleteMType(1);
                label = d->findChild<QLineEdit *>(QStringLiteral("labelLineEdit"))->text();
                shown = w.getMTypeDialog()->selectedMType();
                click(d, "cancelBtn");
                d->reject();
            });
    QCOMPARE(label, QStringLiteral("typed"));
    QCOMPARE(shown, w.projectModel()->typeIndex(second));
}

void tst_MainWindowOneCopy::hiddenTypeDialogLoadsWhenShown_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("direct");   // shown by its own show(), not the window's action
    QTest::newRow("deleted") << "delete" << false;
    QTest::newRow("deletion undone") << "undo" << false;
    QTest::newRow("project reopened") << "reopen" << true;
}

void tst_MainWindowOneCopy::hiddenTypeDialogLoadsWhenShown()
{
    QFETCH(QString, step);
    QFETCH(bool, direct);
    MainWindow w;
    openExample(w);
    if (step != QLatin1String("delete"))
        w.deleteMType(1);
    editMTypeDialog *d = w.getMTypeDialog();
    const auto *list = d->findChild<QComboBox *>(QStringLiteral("mTypeComboBox"));
    const int loaded = list->count();
    if (step == QLatin1String("delete"))
        w.deleteMType(1);
    else if (step == QLatin1String("undo"))
        w.undoStack()->undo();
    else
        openExample(w);
    // Hidden, it is not reloaded.
    QVERIFY(w.projectModel()->types().size() != loaded);
    QCOMPARE(list->count(), loaded);
    QStringList shown;
    const auto read = [&] {
        for (const Member *m : d->getMembersTypes())
            shown << m->getLabel();
    };
    if (direct) {
        d->show();
        read();
        d->hide();
    } else {
        onModal([&] { w.showEditMTypeDialog(); }, [&](QDialog *dialog) {
            read();
            dialog->reject();
        });
    }
    QStringList model;
    for (const MemberTypeRecord &t : w.projectModel()->types())
        model << t.values->getLabel();
    QCOMPARE(shown, model);
    QCOMPARE(list->count(), model.size());
}

void tst_MainWindowOneCopy::itemSettersAreSteps_data()
{
    QTest::addColumn<QString>("setter");
    QTest::addColumn<QList<int>>("values");
    QTest::addColumn<bool>("step");
    QTest::newRow("kup3") << "kup3" << QList<int>{-4} << true;
    QTest::newRow("iout") << "iout" << QList<int>{3} << true;
    QTest::newRow("nf3") << "nf3" << QList<int>{1} << true;
    QTest::newRow("nf1 unchanged") << "nf1" << QList<int>{-1} << false;
    QTest::newRow("properties") << "properties" << QList<int>{2, 5, 7, 1} << true;
    QTest::newRow("properties unchanged") << "properties" << QList<int>{-1} << false;
    QTest::newRow("dest node") << "dest" << QList<int>{3} << true;
}

void tst_MainWindowOneCopy::itemSettersAreSteps()
{
    QFETCH(QString, setter);
    QFETCH(QList<int>, values);
    QFETCH(bool, step);
    MainWindow w;
    openExample(w);
    const QByteArray before = projectBytes(w);
    const int steps = w.undoStack()->count();
    Node *node = w.getNodes().at(5);
    Bar *bar = w.getBars().at(0);
    const int v = values.first();
    if (setter == QLatin1String("kup3"))
        node->setKup3(v);
    else if (setter == QLatin1String("iout"))
        node->setIout(v);
    else if (setter == QLatin1String("nf3"))
        node->setNf3(v);
    else if (setter == QLatin1String("nf1"))
        node->setNf1(node->getNf1());
    else if (setter == QLatin1String("properties") && v < 0)
        bar->setProperties(bar->getMTypeId(), bar->getNode3(), bar->getNode4(), bar->getIout());
    else if (setter == QLatin1String("properties"))
        bar->setProperties(values.at(0), values.at(1), values.at(2), values.at(3));
    else if (setter == QLatin1String("dest"))
        bar->setDestNode(w.getNodes().at(v - 1));
    QCOMPARE(w.undoStack()->count(), steps + (step ? 1 : 0));
    QCOMPARE(projectBytes(w) != before, step);
    const NodeRecord *n = w.projectModel()->node(node->key());
    const MemberRecord *m = w.projectModel()->member(bar->key());
    if (setter == QLatin1String("kup3"))
        QCOMPARE(n->kup3, -4);
    else if (setter == QLatin1String("iout"))
        QCOMPARE(n->iout, 3);
    else if (setter == QLatin1String("nf3"))
        QCOMPARE(n->nf3, 1);
    else if (setter == QLatin1String("properties") && step)
        QCOMPARE((QList<int>{w.projectModel()->typeNumber(m->type), m->node3, m->node4, m->iout}), values);
    else if (setter == QLatin1String("dest"))
        QCOMPARE(w.projectModel()->nodeNumber(m->dest), 3);
    if (step) {
        w.undoStack()->undo();
        QCOMPARE(projectBytes(w), before);
    }
}

void tst_MainWindowOneCopy::newModelHasOneDampingMode()
{
    // A new model has one mode valued 0, so Add Mode makes a second one.
    MainWindow w;
    QCOMPARE(w.projectModel()->control().dampList, QList<double>{0.0});
    w.getGridDialog()->setXLines({"0", "5"});
    w.getGridDialog()->setYLines({"0", "3"});
    w.drawAllItems(true);
    onModal([&] { w.showControlOptionsDialog(); },
            [](QDialog *d) {
                d->findChild<QComboBox *>(QStringLiteral("ictypeComboBox"))->setCurrentIndex(4);
                click(d, "pushButton");
                click(d, "okBtn");
            });
    QCOMPARE(w.projectModel()->control().a[4], 4);
    QCOMPARE(w.projectModel()->control().dampList, (QList<double>{0.0, 0.0}));
}

QTEST_MAIN(tst_MainWindowOneCopy)
#include "tst_mainwindow_onecopy.moc"
