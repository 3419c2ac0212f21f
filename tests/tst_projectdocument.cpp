#include <QtTest>

#include "deletememberscommand.h"
#include "outputfile.h"
#include "projectdata.h"
#include "projectdocument.h"
#include "projectfile.h"
#include "projectmodel.h"

#include <QSettings>
#include <QUndoStack>

#include <atomic>
#include <cerrno>
#include <memory>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The project's file state without a window: what is saved is what is read
// back, the modified state follows the saved one, failures change nothing,
// and unsaved changes sit in a recovery file only while there are any.

namespace {

const QString kExample = QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp");

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A model, its history and their document, as a window holds them.
struct Project {
    ProjectModel model;
    QUndoStack stack;
    ProjectDocument doc{&model, &stack};

    QByteArray bytes() const
    {
        QByteArray out;
        QTextStream stream(&out);
        ProjectFile::write(stream, model.projectData());
        stream.flush();
        return out;
    }
    void deleteFirstMember() { stack.push(new DeleteMembersCommand(&model, {model.members().first().key})); }
};

QString recoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

// What a program with process id 1 left: no lock, so nobody holds it.
const QString kBase = QStringLiteral("/window-1-1");
const QByteArray kInfo = "frame.kfp\n/somewhere/frame.kfp\n2024-05-06T07:08:09\n";

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Runs recover() on a thread of its own, so that a file that blocks it fails
// the test instead of hanging it ("blocked"); the FIFOs are then opened at
// both ends to let it go. Returns each name asked about, "name: reason" for
// one that cannot be read.
QStringList recoverWatched(ProjectDocument &doc, bool answer, const QStringList &fifos = {})
{
    struct Run {
        QStringList offers;
        std::atomic<bool> done{false};
    };
    const auto run = std::make_shared<Run>();
    std::thread([run, &doc, answer] {
        doc.recover(
            [&](const ProjectDocument::Recovery &r) {
                run->offers << r.name;
                return answer;
            },
            [&](const ProjectDocument::Recovery &r, const QString &error) {
                run->offers << r.name + QStringLiteral(": ") + error;
                return answer;
            });
        run->done = true;
    }).detach();
    if (QTest::qWaitFor([&] { return run->done.load(); }, 5000))
        return run->offers;
    for (int k = 0; k < 100 && !run->done; ++k) {
        for (const QString &fifo : fifos)
            ::close(::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK));
        QTest::qWait(10);
    }
    return {QStringLiteral("blocked")};
}

} // namespace

class tst_ProjectDocument : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void roundTrip_data();
    void roundTrip();
    void refusalChangesNothing_data();
    void refusalChangesNothing();
    void recentFiles_data();
    void recentFiles();
    void autosaveOnlyWhileModified_data();
    void autosaveOnlyWhileModified();
    void recoveryFromAKilledProgram_data();
    void recoveryFromAKilledProgram();
    void oddRecoveryFilesNeverBlock_data();
    void oddRecoveryFilesNeverBlock();
    void unreadableRecoveryOfferedOnce_data();
    void unreadableRecoveryOfferedOnce();
};

void tst_ProjectDocument::init()
{
    QSettings settings(QStringLiteral("Taliskor2D"), QCoreApplication::applicationName());
    settings.remove(QStringLiteral("recentFiles"));
    settings.remove(QStringLiteral("keptRecoveryFiles"));
    QDir(recoveryFolder()).removeRecursively();
}

void tst_ProjectDocument::roundTrip_data()
{
    QTest::addColumn<bool>("analysis");
    QTest::addRow("project file") << false;
    QTest::addRow("analysis file") << true;
}

void tst_ProjectDocument::roundTrip()
{
    QFETCH(bool, analysis);
    QTemporaryDir dir;
    Project source;
    QVERIFY(source.doc.open(kExample, nullptr));
    QSignalSpy modified(&source.doc, &ProjectDocument::modifiedChanged);
    source.deleteFirstMember();
    QVERIFY(source.doc.isModified());
    QCOMPARE(modified.count(), 1);

    QString error;
    const QString path = dir.filePath(analysis ? QStringLiteral("out.txt") : QStringLiteral("out.kfp"));
    QVERIFY2(analysis ? source.doc.writeAnalysis(path, &error) : source.doc.save(path, &error), qPrintable(error));
    // Generating is not saving.
    QCOMPARE(source.doc.isModified(), analysis);
    QCOMPARE(source.doc.fileName(), analysis ? kExample : path);

    Project read;
    QSignalSpy renamed(&read.doc, &ProjectDocument::fileChanged);
    QVERIFY2(analysis ? read.doc.importAnalysis(path, &error) : read.doc.open(path, &error), qPrintable(error));
    QCOMPARE(read.bytes(), source.bytes());
    QCOMPARE(read.stack.count(), 0);
    // An imported model is new and unsaved: Save must ask for a project name.
    QCOMPARE(read.doc.isModified(), analysis);
    QCOMPARE(read.doc.fileName(), analysis ? QString() : path);
    QCOMPARE(read.doc.displayName(), analysis ? QStringLiteral("Untitled") : QStringLiteral("out.kfp"));
    QCOMPARE(renamed.count(), analysis ? 0 : 1);

    const QString saved = dir.filePath(QStringLiteral("saved.kfp"));
    QVERIFY(read.doc.save(saved, &error));
    QVERIFY(!read.doc.isModified());
    QCOMPARE(readAll(saved), source.bytes());
}

void tst_ProjectDocument::refusalChangesNothing_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("reason");   // a part of it; empty: none, the caller refused
    const QString missing = OutputFile::systemReason(ENOENT);
    QTest::addRow("save into a missing folder") << "save" << "missing/model.kfp" << missing;
    QTest::addRow("generate into a missing folder") << "generate" << "missing/model.txt" << missing;
    QTest::addRow("generate over the project") << "generate" << "project.kfp"
                                               << "This is the open project's file itself; it is not overwritten.";
    QTest::addRow("open a missing file") << "open" << "missing.kfp" << missing;
    QTest::addRow("import a project file") << "import" << "project.kfp" << "Line 2: a whole number was expected";
    QTest::addRow("open refused by the caller") << "refuse" << "project.kfp" << "";
}

void tst_ProjectDocument::refusalChangesNothing()
{
    QFETCH(QString, operation);
    QFETCH(QString, target);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString project = dir.filePath(QStringLiteral("project.kfp"));
    QVERIFY(QFile::copy(kExample, project));
    Project p;
    QVERIFY(p.doc.open(project, nullptr));
    p.deleteFirstMember();
    const QByteArray before = p.bytes();
    const QStringList recent = p.doc.recentFiles();
    QSignalSpy changed(&p.doc, &ProjectDocument::titleChanged);

    const QString path = dir.filePath(target);
    QString error;
    bool done = true;
    if (operation == QLatin1String("save"))
        done = p.doc.save(path, &error);
    else if (operation == QLatin1String("generate"))
        done = p.doc.writeAnalysis(path, &error);
    else if (operation == QLatin1String("open"))
        done = p.doc.open(path, &error);
    else if (operation == QLatin1String("import"))
        done = p.doc.importAnalysis(path, &error);
    else
        done = p.doc.open(path, &error, [](const ProjectData &) { return false; });
    QVERIFY(!done);
    if (reason.isEmpty())
        QCOMPARE(error, QString());
    else
        QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(p.bytes(), before);
    QCOMPARE(p.stack.count(), 1);
    QVERIFY(p.doc.isModified());
    QCOMPARE(p.doc.fileName(), project);
    QCOMPARE(p.doc.recentFiles(), recent);
    QCOMPARE(changed.count(), 0);
    QCOMPARE(readAll(project), readAll(kExample));
}

void tst_ProjectDocument::recentFiles_data()
{
    QTest::addColumn<QStringList>("saves");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QStringList>("expected");
    QStringList ten;
    for (int k = 0; k < 10; ++k)
        ten << QStringLiteral("p%1.kfp").arg(k);
    QTest::addRow("newest first, eight kept") << ten << "" << QStringList{"p9.kfp", "p8.kfp", "p7.kfp", "p6.kfp",
                                                                          "p5.kfp", "p4.kfp", "p3.kfp", "p2.kfp"};
    QTest::addRow("saved again, moved to the front")
        << QStringList{"a.kfp", "b.kfp", "a.kfp"} << "" << QStringList{"a.kfp", "b.kfp"};
    QTest::addRow("taken off") << QStringList{"a.kfp", "b.kfp", "c.kfp"} << "b.kfp" << QStringList{"c.kfp", "a.kfp"};
}

void tst_ProjectDocument::recentFiles()
{
    QFETCH(QStringList, saves);
    QFETCH(QString, removed);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    Project p;
    QSignalSpy changed(&p.doc, &ProjectDocument::recentFilesChanged);
    for (const QString &name : saves)
        QVERIFY(p.doc.save(dir.filePath(name), nullptr));
    if (!removed.isEmpty())
        p.doc.removeRecentFile(dir.filePath(removed));
    QStringList paths;
    for (const QString &name : expected)
        paths << dir.filePath(name);
    QCOMPARE(p.doc.recentFiles(), paths);
    QCOMPARE(changed.count(), saves.size() + (removed.isEmpty() ? 0 : 1));
}

void tst_ProjectDocument::autosaveOnlyWhileModified_data()
{
    QTest::addColumn<QString>("back");   // how the model comes back to its saved state
    QTest::addRow("saved") << "save";
    QTest::addRow("undone") << "undo";
    QTest::addRow("new project") << "new";
}

void tst_ProjectDocument::autosaveOnlyWhileModified()
{
    QFETCH(QString, back);
    QTemporaryDir dir;
    Project p;
    QVERIFY(p.doc.open(kExample, nullptr));
    p.doc.setAutosaveInterval(10);
    QTest::qWait(50);
    QVERIFY(p.doc.recoveryFile().isEmpty());

    p.deleteFirstMember();
    QVERIFY(QTest::qWaitFor([&] { return QFileInfo::exists(p.doc.recoveryFile()); }));
    const QString recovery = p.doc.recoveryFile();
    QCOMPARE(readAll(recovery), p.bytes());
    const QString info = QString::fromUtf8(readAll(recovery.chopped(4) + QStringLiteral(".info")));
    QVERIFY2(info.startsWith(QStringLiteral("portal-frame-rc.kfp\n") + kExample + QLatin1Char('\n')), qPrintable(info));

    if (back == QLatin1String("save"))
        QVERIFY(p.doc.save(dir.filePath(QStringLiteral("saved.kfp")), nullptr));
    else if (back == QLatin1String("undo"))
        p.stack.undo();
    else
        p.doc.newProject();
    QVERIFY(QTest::qWaitFor([&] { return !QFileInfo::exists(recovery); }));
    QVERIFY(p.doc.recoveryFile().isEmpty());
    QTest::qWait(50);
    QVERIFY(!QFileInfo::exists(recovery));
}

void tst_ProjectDocument::recoveryFromAKilledProgram_data()
{
    QTest::addColumn<bool>("recover");
    QTest::addRow("recovered") << true;
    QTest::addRow("discarded") << false;
}

void tst_ProjectDocument::recoveryFromAKilledProgram()
{
    QFETCH(bool, recover);
    QVERIFY(QDir().mkpath(recoveryFolder()));
    const QString base = recoveryFolder() + kBase;
    QVERIFY(QFile::copy(kExample, base + QStringLiteral(".kfp")));
    QVERIFY(writeFile(base + QStringLiteral(".info"), kInfo));

    Project p;
    QList<ProjectDocument::Recovery> offered;
    QStringList unreadable;
    const bool recovered = p.doc.recover(
        [&](const ProjectDocument::Recovery &r) {
            offered << r;
            return recover;
        },
        [&](const ProjectDocument::Recovery &, const QString &error) {
            unreadable << error;
            return false;
        });
    QCOMPARE(unreadable, QStringList());
    QCOMPARE(recovered, recover);
    QCOMPARE(offered.size(), 1);
    QCOMPARE(offered.first().name, QStringLiteral("frame.kfp"));
    QCOMPARE(offered.first().time, QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    // Taken over or let go, the old files are gone either way.
    QVERIFY(!QFileInfo::exists(base + QStringLiteral(".kfp")));
    QVERIFY(!QFileInfo::exists(base + QStringLiteral(".info")));
    QCOMPARE(p.doc.isModified(), recover);
    QCOMPARE(p.doc.fileName(), recover ? QStringLiteral("/somewhere/frame.kfp") : QString());
    QCOMPARE(p.model.members().isEmpty(), !recover);
    // Recovered changes are safe in this document's own file at once.
    QCOMPARE(QFileInfo::exists(p.doc.recoveryFile()), recover);
}

void tst_ProjectDocument::oddRecoveryFilesNeverBlock_data()
{
    QTest::addColumn<QString>("suffix");   // which of the recovery's files is odd
    QTest::addColumn<QString>("kind");     // a FIFO, a link to one or to /dev/zero, or that many bytes
    QTest::addColumn<QString>("offered");  // the name offered; empty: nothing
    const QString untitled = QStringLiteral("Untitled");
    QTest::addRow(".info a FIFO") << ".info" << "fifo" << untitled;
    QTest::addRow(".info a link to a FIFO") << ".info" << "link to fifo" << untitled;
    QTest::addRow(".info a link to /dev/zero") << ".info" << "/dev/zero" << untitled;
    QTest::addRow(".info of 64 KiB") << ".info" << "65536" << "frame.kfp";
    QTest::addRow(".info of 64 KiB + 1") << ".info" << "65537" << untitled;
    // Without a lock to ask, the file may be a running program's.
    QTest::addRow(".lock a FIFO") << ".lock" << "fifo" << "";
    QTest::addRow(".lock a link to a FIFO") << ".lock" << "link to fifo" << "";
    QTest::addRow(".kfp a FIFO") << ".kfp" << "fifo" << "";
    QTest::addRow(".kfp a link to /dev/zero") << ".kfp" << "/dev/zero" << "";
}

void tst_ProjectDocument::oddRecoveryFilesNeverBlock()
{
    QFETCH(QString, suffix);
    QFETCH(QString, kind);
    QFETCH(QString, offered);
    QVERIFY(QDir().mkpath(recoveryFolder()));
    const QString base = recoveryFolder() + kBase;
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    if (suffix != QLatin1String(".kfp"))
        QVERIFY(QFile::copy(kExample, base + QStringLiteral(".kfp")));
    if (suffix != QLatin1String(".info"))
        QVERIFY(writeFile(base + QStringLiteral(".info"), kInfo));
    const QString odd = base + suffix;
    if (kind == QLatin1String("fifo"))
        QCOMPARE(::mkfifo(QFile::encodeName(odd).constData(), 0600), 0);
    else if (kind == QLatin1String("link to fifo"))
        QVERIFY(QFile::link(fifo, odd));
    else if (kind == QLatin1String("/dev/zero"))
        QVERIFY(QFile::link(kind, odd));
    else
        QVERIFY(writeFile(odd, kInfo + QByteArray(kind.toInt() - kInfo.size(), ' ')));

    Project p;
    QCOMPARE(recoverWatched(p.doc, false, {odd, fifo}), offered.isEmpty() ? QStringList() : QStringList{offered});
    // Discarded, the recovery file goes; the odd one is left alone.
    QCOMPARE(QFileInfo::exists(base + QStringLiteral(".kfp")), offered.isEmpty());
    if (!kind.at(0).isDigit())
        QVERIFY(QFileInfo::exists(odd));
}

void tst_ProjectDocument::unreadableRecoveryOfferedOnce_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<bool>("remove");
    QTest::addRow("a folder, kept") << "folder" << OutputFile::systemReason(EISDIR) << false;
    QTest::addRow("a folder, deleted") << "folder" << OutputFile::systemReason(EISDIR) << true;
    QTest::addRow("not a project, kept") << "text" << "Line 1:" << false;
}

void tst_ProjectDocument::unreadableRecoveryOfferedOnce()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    QFETCH(bool, remove);
    QVERIFY(QDir().mkpath(recoveryFolder()));
    const QString base = recoveryFolder() + kBase;
    const QString file = base + QStringLiteral(".kfp");
    QVERIFY(kind == QLatin1String("folder") ? QDir().mkdir(file) : writeFile(file, "not a project\n"));
    QVERIFY(writeFile(base + QStringLiteral(".info"), kInfo));

    Project p;
    const QStringList offers = recoverWatched(p.doc, remove);
    QCOMPARE(offers.size(), 1);
    QVERIFY2(offers.first().startsWith(QStringLiteral("frame.kfp: ")) && offers.first().contains(reason),
             qPrintable(offers.first()));
    QCOMPARE(QFileInfo::exists(file), !remove);
    QCOMPARE(QFileInfo::exists(base + QStringLiteral(".info")), !remove);

    // Not asked again at the next start.
    Project next;
    QCOMPARE(recoverWatched(next.doc, false), QStringList());
    if (remove)
        return;
    // Changed since, it is offered again.
    const struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(file).constData(), times, 0), 0);
    QCOMPARE(recoverWatched(next.doc, false).size(), 1);
}

QTEST_GUILESS_MAIN(tst_ProjectDocument)
#include "tst_projectdocument.moc"
