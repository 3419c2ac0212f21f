#include <QtTest>

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QUndoStack>

#include "mainwindow.h"
#include "projectfile.h"
#include "windowbytes.h"

// Unsaved work is never thrown away without a question, saving goes where the
// user expects, and a killed program's changes come back.

namespace {

const QString kExample = QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Answers every modal dialog that run() shows, in order: a message box by the
// text of the button to click, a file dialog by the path to take ("" cancels).
// Returns the texts of the message boxes seen, "(HTML) " before one shown as rich text.
QStringList answer(const QStringList &answers, const std::function<void()> &run)
{
    QStringList seen;
    int next = 0;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (next >= answers.size()) {
            // Not expected: seen, and closed so that the test fails instead of waiting.
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                seen << box->text();
            modal->close();
            return;
        }
        const QString a = answers.at(next);
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            const bool html = box->textFormat() == Qt::RichText
                              || (box->textFormat() == Qt::AutoText && Qt::mightBeRichText(box->text()));
            seen << (html ? QStringLiteral("(HTML) ") : QString()) + box->text();
            ++next;
            for (QAbstractButton *b : box->buttons())
                if (b->text().remove(QLatin1Char('&')) == a) {
                    b->click();
                    return;
                }
            qFatal("no button %s", qPrintable(a));
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            ++next;
            if (a.isEmpty()) {
                dialog->reject();
            } else {
                dialog->selectFile(a);
                static_cast<QDialog *>(dialog)->accept();
            }
        }
    });
    timer.start();
    run();
    return seen;
}

void edit(MainWindow &w)
{
    w.deleteBar(1);
}

QAction *action(MainWindow &w, const char *name)
{
    QAction *a = w.findChild<QAction *>(QLatin1String(name));
    if (!a)
        qFatal("missing action %s", name);
    return a;
}

} // namespace

class tst_MainWindowFiles : public QObject
{
    Q_OBJECT

private slots:
    void titleFollowsTheSavedState();
    void closingAsks_data();
    void closingAsks();
    void openAndNewAskFirst();
    void refusedFileChangesNothing();
    void saveThenSaveAs();
    void recentProjects();
    void autosaveWritesAndRemovesTheRecoveryFile();
    void killedProgramIsRecovered();
    void recoveredNameIsPlainText();
    void hugeGridsAreAskedOrRefused();
    void importMakesAnUntitledModifiedModel();
    void importShowsItsWarningsOnce_data();
    void importShowsItsWarningsOnce();
};

void tst_MainWindowFiles::titleFollowsTheSavedState()
{
    MainWindow w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Untitled[*] - GUI for Taliskor2D"));
    QVERIFY(!w.isWindowModified());
    QVERIFY(w.readProjectFile(kExample));
    QCOMPARE(w.windowTitle(), QStringLiteral("portal-frame-rc.kfp[*] - GUI for Taliskor2D"));
    QVERIFY(!w.isWindowModified());
    edit(w);
    QVERIFY(w.isWindowModified());
    w.undoStack()->undo();
    QVERIFY(!w.isWindowModified());
    w.undoStack()->redo();
    QTemporaryDir dir;
    QVERIFY(w.writeProjectFile(dir.filePath(QStringLiteral("saved.kfp"))));
    QCOMPARE(w.windowTitle(), QStringLiteral("saved.kfp[*] - GUI for Taliskor2D"));
    QVERIFY(!w.isWindowModified());
    // Undone past the saved state, the model differs from the file again.
    w.undoStack()->undo();
    QVERIFY(w.isWindowModified());
}

void tst_MainWindowFiles::closingAsks_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::addRow("cancel") << QStringList{"Cancel"} << false << false;
    QTest::addRow("discard") << QStringList{"Discard"} << true << false;
    QTest::addRow("save") << QStringList{"Save"} << true << true;
}

void tst_MainWindowFiles::closingAsks()
{
    QFETCH(QStringList, answers);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("model.kfp"));
    QFile::copy(kExample, path);
    MainWindow w;
    QVERIFY(w.readProjectFile(path));
    w.show();
    edit(w);
    const QByteArray edited = projectBytes(w);
    bool result = true;
    const QStringList seen = answer(answers, [&] { result = w.close(); });
    QCOMPARE(seen, QStringList{QStringLiteral("Save the changes to model.kfp?")});
    QCOMPARE(result, closed);
    QCOMPARE(readAll(path) == edited, saved);
    QCOMPARE(w.isVisible(), !closed);

    // Nothing unsaved: no question.
    MainWindow clean;
    clean.show();
    QCOMPARE(answer({"Cancel"}, [&] { QVERIFY(clean.close()); }), QStringList());
}

void tst_MainWindowFiles::openAndNewAskFirst()
{
    QTemporaryDir dir;
    MainWindow w;
    QVERIFY(w.readProjectFile(kExample));
    edit(w);
    // Cancel keeps the model and its history.
    answer({"Cancel"}, [&] { action(w, "actionOpen_Project")->trigger(); });
    QCOMPARE(w.undoStack()->count(), 1);
    answer({"Cancel"}, [&] { action(w, "actionNew_Project")->trigger(); });
    QCOMPARE(w.getBars().size(), 27);

    // Save, then a name with no extension: the project gets .kfp, the new model is empty.
    const QString typed = dir.filePath(QStringLiteral("renamed"));
    answer({typed}, [&] { w.saveFileAs(); });
    QVERIFY(QFileInfo::exists(typed + QStringLiteral(".kfp")));
    edit(w);
    const QStringList seen = answer({"Save"}, [&] { action(w, "actionNew_Project")->trigger(); });
    QCOMPARE(seen, QStringList{QStringLiteral("Save the changes to renamed.kfp?")});
    QCOMPARE(w.getBars().size(), 0);
    QVERIFY(w.getNodes().isEmpty());
    QCOMPARE(w.undoStack()->count(), 0);
    QCOMPARE(w.windowTitle(), QStringLiteral("Untitled[*] - GUI for Taliskor2D"));
    QVERIFY(action(w, "editGridAction")->isEnabled());
    QCOMPARE(readAll(typed + QStringLiteral(".kfp")).size() > 0, true);

    // Open over a modified model, changes discarded.
    w.getGridDialog()->setXLines({"0", "5"});
    w.getGridDialog()->setYLines({"0", "3"});
    w.drawAllItems(true);
    answer({"Discard", kExample}, [&] { action(w, "openAct")->trigger(); });
    QCOMPARE(w.getBars().size(), 28);
    QCOMPARE(w.undoStack()->count(), 0);
}

void tst_MainWindowFiles::refusedFileChangesNothing()
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.kfp"));
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("not a project\n");
    f.close();
    MainWindow w;
    QVERIFY(w.readProjectFile(kExample));
    edit(w);
    const QByteArray before = projectBytes(w);
    const QString title = w.windowTitle();
    answer({"OK"}, [&] { QVERIFY(!w.readProjectFile(bad)); });
    QCOMPARE(projectBytes(w), before);
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(w.undoStack()->count(), 1);
    QVERIFY(w.isWindowModified());
}

void tst_MainWindowFiles::saveThenSaveAs()
{
    QTemporaryDir dir;
    MainWindow w;
    QVERIFY(w.readProjectFile(kExample));
    QCOMPARE(w.currentFile(), kExample);
    const QString first = dir.filePath(QStringLiteral("first.kfp"));
    answer({first}, [&] { action(w, "actionSave_Project_As")->trigger(); });
    QCOMPARE(w.currentFile(), first);
    edit(w);
    // Save writes the current file without asking.
    QCOMPARE(answer({""}, [&] { action(w, "actionSave_Project")->trigger(); }), QStringList());
    QCOMPARE(readAll(first), projectBytes(w));
    QVERIFY(!w.isWindowModified());
    // Save As always asks; cancelled, nothing changes.
    const QString second = dir.filePath(QStringLiteral("second.kfp"));
    answer({""}, [&] { action(w, "actionSave_Project_As")->trigger(); });
    QCOMPARE(w.currentFile(), first);
    answer({second}, [&] { action(w, "actionSave_Project_As")->trigger(); });
    QCOMPARE(w.currentFile(), second);
    QCOMPARE(readAll(second), readAll(first));
    QCOMPARE(w.windowTitle(), QStringLiteral("second.kfp[*] - GUI for Taliskor2D"));

    // Generate never writes over the open project, by any name.
    const QByteArray project = readAll(second);
    const QString other = dir.filePath(QStringLiteral("./second.kfp"));
    QStringList seen = answer({"OK"}, [&] { QVERIFY(!w.writeAnalysisFile(other)); });
    QCOMPARE(seen.size(), 1);
    QVERIFY(seen.first().contains(QStringLiteral("open project")));
    QCOMPARE(readAll(second), project);

    // A new model asks for a name the first time.
    MainWindow fresh;
    const QString named = dir.filePath(QStringLiteral("fresh"));
    answer({named}, [&] { action(fresh, "actionSave_Project")->trigger(); });
    QCOMPARE(fresh.currentFile(), named + QStringLiteral(".kfp"));
}

void tst_MainWindowFiles::recentProjects()
{
    QTemporaryDir dir;
    MainWindow w;
    QStringList saved;
    for (int k = 0; k < 10; ++k) {
        saved.prepend(dir.filePath(QStringLiteral("p%1.kfp").arg(k)));
        QVERIFY(w.writeProjectFile(saved.first()));
    }
    QCOMPARE(w.recentFiles(), saved.mid(0, 8));
    QMenu *menu = w.findChild<QMenu *>(QStringLiteral("menuOpen_Recent"));
    QCOMPARE(menu->actions().size(), 8);
    QCOMPARE(menu->actions().first()->data().toString(), saved.first());

    // A file that went is dropped, with a word.
    QFile::remove(saved.at(1));
    const QStringList seen = answer({"OK"}, [&] { menu->actions().at(1)->trigger(); });
    QCOMPARE(seen.size(), 1);
    QVERIFY(seen.first().contains(saved.at(1)));
    QVERIFY(!w.recentFiles().contains(saved.at(1)));
    QCOMPARE(menu->actions().size(), 7);

    // Another window sees the same list.
    MainWindow other;
    QCOMPARE(other.recentFiles(), w.recentFiles());
}

void tst_MainWindowFiles::autosaveWritesAndRemovesTheRecoveryFile()
{
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery"))
        .removeRecursively();
    QTemporaryDir dir;
    MainWindow w;
    QVERIFY(w.readProjectFile(kExample));
    w.setAutosaveInterval(10);
    QTest::qWait(50);
    QVERIFY(w.recoveryFile().isEmpty());   // nothing unsaved, nothing written
    edit(w);
    QVERIFY(QTest::qWaitFor([&] { return !w.recoveryFile().isEmpty() && QFileInfo::exists(w.recoveryFile()); }));
    const QString recovery = w.recoveryFile();
    QCOMPARE(readAll(recovery), projectBytes(w));
    // A second window does not take the first one's file.
    MainWindow other;
    QCOMPARE(answer({"Discard"}, [&] { QVERIFY(!other.offerRecovery()); }), QStringList());
    QVERIFY(QFileInfo::exists(recovery));
    // A clean save removes it.
    QVERIFY(w.writeProjectFile(dir.filePath(QStringLiteral("saved.kfp"))));
    QVERIFY(!QFileInfo::exists(recovery));
}

void tst_MainWindowFiles::killedProgramIsRecovered()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("frame.kfp"));
    QFile::copy(kExample, path);
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
    QDir(folder).removeRecursively();

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(env);
    child.start(QStringLiteral(RECOVERY_CHILD), {QCoreApplication::applicationName(), path});
    QVERIFY(child.waitForStarted());
    QVERIFY(QTest::qWaitFor(
        [&] { return !QDir(folder).entryList({QStringLiteral("*.info")}, QDir::Files).isEmpty(); }, 10000));
    child.kill();   // SIGKILL: nothing is cleaned up
    QVERIFY(child.waitForFinished());

    MainWindow expected;
    QVERIFY(expected.readProjectFile(path));
    edit(expected);

    MainWindow w;
    const QStringList seen = answer({"Recover"}, [&] { QVERIFY(w.offerRecovery()); });
    QCOMPARE(seen.size(), 1);
    QVERIFY2(seen.first().startsWith(QStringLiteral("Recover the unsaved changes to frame.kfp from ")),
             qPrintable(seen.first()));
    QCOMPARE(projectBytes(w), projectBytes(expected));
    QVERIFY(w.isWindowModified());
    QCOMPARE(w.windowTitle(), QStringLiteral("frame.kfp[*] - GUI for Taliskor2D"));
    // Taken over: nobody is offered it again.
    MainWindow later;
    QVERIFY(!later.offerRecovery());
    // Closed with its changes discarded, the window leaves no recovery file behind.
    answer({"Discard"}, [&] { w.close(); });
    QCOMPARE(QDir(folder).entryList({QStringLiteral("*.kfp")}, QDir::Files), QStringList());
}

void tst_MainWindowFiles::recoveredNameIsPlainText()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
    QDir(folder).removeRecursively();
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(QFile::copy(kExample, folder + QStringLiteral("/window-1-1.kfp")));
    QFile info(folder + QStringLiteral("/window-1-1.info"));
    QVERIFY(info.open(QIODevice::WriteOnly));
    info.write("<img src=\"x.png\">\n\n2024-05-06T07:08:09\n");
    info.close();

    const QString name = QStringLiteral("<img src=\"x.png\">");
    MainWindow w;
    const QStringList seen = answer({"Recover"}, [&] { QVERIFY(w.offerRecovery()); });
    QCOMPARE(seen.size(), 1);
    QVERIFY2(seen.first().startsWith(QStringLiteral("Recover the unsaved changes to ") + name), qPrintable(seen.first()));
    QCOMPARE(w.windowTitle(), name + QStringLiteral("[*] - GUI for Taliskor2D"));
    // So are a file's name and the words its reader quotes from it.
    QTemporaryDir dir;
    const QString damaged = dir.filePath(name + QStringLiteral(".kfp"));
    QFile bad(damaged);
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("<b>not a project</b>\n");
    bad.close();
    const QStringList refused = answer({"OK"}, [&] { QVERIFY(!w.readProjectFile(damaged)); });
    QCOMPARE(refused.size(), 1);
    QVERIFY2(refused.first().startsWith(QStringLiteral("The project \"%1\" could not be opened").arg(damaged)),
             qPrintable(refused.first()));
    QCOMPARE(answer({"Discard"}, [&] { w.close(); }), QStringList{QStringLiteral("Save the changes to %1?").arg(name)});
}

void tst_MainWindowFiles::hugeGridsAreAskedOrRefused()
{
    QTemporaryDir dir;
    const auto write = [&](int lines) {
        ProjectData data;
        for (int i = 0; i < lines; ++i) {
            data.XLines << QString::number(i);
            data.YLines << QString::number(i);
        }
        ModelCore::rebuildDerived(data);
        const QString path = dir.filePath(QStringLiteral("grid%1.kfp").arg(lines));
        return ProjectFile::writeFile(path, data) ? path : QString();
    };
    MainWindow w;
    QVERIFY(w.readProjectFile(kExample));
    const QString large = write(501);
    QStringList seen = answer({"No"}, [&] { QVERIFY(!w.readProjectFile(large)); });
    QCOMPARE(seen.size(), 1);
    QVERIFY(seen.first().startsWith(QStringLiteral("The grid has 251001 nodes.")));
    QCOMPARE(w.getBars().size(), 28);
    const QString huge = write(600);
    seen = answer({"OK"}, [&] { QVERIFY(!w.readProjectFile(huge)); });
    QCOMPARE(seen.size(), 1);
    QVERIFY(seen.first().contains(QStringLiteral("1 GB")));
    QCOMPARE(w.currentFile(), kExample);

    // The grid dialog's OK asks the same.
    MainWindow fresh;
    QStringList lines;
    for (int i = 0; i < 501; ++i)
        lines << QString::number(i);
    fresh.getGridDialog()->setXLines(lines);
    fresh.getGridDialog()->setYLines(lines);
    seen = answer({"No"}, [&] { fresh.drawAllItems(true); });
    QCOMPARE(seen.size(), 1);
    QVERIFY(fresh.getNodes().isEmpty());
    QCOMPARE(fresh.undoStack()->count(), 0);
}

void tst_MainWindowFiles::importMakesAnUntitledModifiedModel()
{
    QTemporaryDir dir;
    const QString analysis = dir.filePath(QStringLiteral("portal.txt"));
    {
        MainWindow source;
        QVERIFY(source.readProjectFile(kExample));
        QVERIFY(source.writeAnalysisFile(analysis));
    }
    MainWindow w;
    const QList<QAction *> items = w.findChild<QMenu *>(QStringLiteral("menuFile"))->actions();
    QCOMPARE(items.indexOf(action(w, "actionImport_Analysis_File")), items.indexOf(action(w, "actionOpen_Project")) + 1);

    QVERIFY(w.readProjectFile(kExample));
    edit(w);
    // A refused file names its line and leaves the model as it was.
    const QString bad = dir.filePath(QStringLiteral("bad.txt"));
    QFile f(bad);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("Title\n1 2 3\n");
    f.close();
    const QByteArray before = projectBytes(w);
    QStringList seen = answer({"OK"}, [&] { QVERIFY(!w.readAnalysisFile(bad)); });
    QCOMPARE(seen.size(), 1);
    QVERIFY2(seen.first().contains(QStringLiteral("Line 2: 11 fields were expected, not 3")), qPrintable(seen.first()));
    QCOMPARE(projectBytes(w), before);

    // The unsaved question first, then the file: the model of the example, new and unsaved.
    seen = answer({"Discard", analysis}, [&] { action(w, "actionImport_Analysis_File")->trigger(); });
    QCOMPARE(seen, QStringList{QStringLiteral("Save the changes to portal-frame-rc.kfp?")});
    QCOMPARE(projectBytes(w), readAll(kExample));
    QCOMPARE(w.currentFile(), QString());
    QCOMPARE(w.windowTitle(), QStringLiteral("Untitled[*] - GUI for Taliskor2D"));
    QVERIFY(w.isWindowModified());
    QCOMPARE(w.undoStack()->count(), 0);
    // Save asks for a project name.
    const QString named = dir.filePath(QStringLiteral("imported.kfp"));
    answer({named}, [&] { action(w, "actionSave_Project")->trigger(); });
    QCOMPARE(w.currentFile(), named);
    QVERIFY(!w.isWindowModified());
}

void tst_MainWindowFiles::importShowsItsWarningsOnce_data()
{
    QTest::addColumn<int>("first");      // members from this one on are written from their higher node
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("tail");   // past 20, the box lists the first 20
    QTest::newRow("two beams") << 17 << 2 << QString();
    QTest::newRow("every member") << 1 << 28 << QStringLiteral("\n\u2026 and 8 more (Show Details\u2026)");
}

void tst_MainWindowFiles::importShowsItsWarningsOnce()
{
    QFETCH(int, first);
    QFETCH(int, count);
    QFETCH(QString, tail);
    QTemporaryDir dir;
    const QString analysis = dir.filePath(QStringLiteral("portal.txt"));
    {
        MainWindow source;
        QVERIFY(source.readProjectFile(kExample));
        QVERIFY(source.writeAnalysisFile(analysis));
    }
    QList<QByteArray> lines = readAll(analysis).split('\n');
    QStringList expected;
    for (int k = 0, member = first; k < lines.size() && member < first + count; ++k) {
        QList<QByteArray> f = lines.at(k).split('\t');
        if (f.size() != 7 || f.at(0).toInt() != member)
            continue;
        std::swap(f[2], f[3]);
        lines[k] = f.join('\t');
        expected << QStringLiteral("Line %1: member %2 runs from node %3 to node %4; Generate writes its ends lowest "
                                   "first, so its end 1 becomes node %4")
                        .arg(k + 1).arg(member++).arg(QString::fromLatin1(f.at(2)), QString::fromLatin1(f.at(3)));
    }
    QCOMPARE(expected.size(), count);
    QFile f(analysis);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(lines.join('\n'));
    f.close();

    MainWindow w;
    const QStringList seen = answer({analysis, "OK"}, [&] { action(w, "actionImport_Analysis_File")->trigger(); });
    QCOMPARE(seen, QStringList(QStringLiteral("\"portal.txt\" was imported with %1 warnings:\n\n").arg(count)
                               + QStringList(expected.mid(0, 20)).join(QLatin1Char('\n')) + tail));
    QCOMPARE(w.getBars().size(), 28);
}

QTEST_MAIN(tst_MainWindowFiles)
#include "tst_mainwindow_files.moc"
