#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

#include "earthquakerecord.h"
#include "mainwindow.h"
#include "responsespectrum.h"

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Runs the program with no display of any kind, or with the offscreen one.
int runProgram(const QStringList &args, QString *err = nullptr, QString *out = nullptr, bool display = false)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (display)
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(GUI_EXECUTABLE), args);
    if (!p.waitForFinished(30000))
        return -1;
    if (err)
        *err = QString::fromLocal8Bit(p.readAllStandardError());
    if (out)
        *out = QString::fromLocal8Bit(p.readAllStandardOutput());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
}

// Runs the program with arguments as bytes (QProcess would make them UTF-8),
// standard output on `outFd` if given and SIGPIPE at its default, as a shell leaves it.
int runBytes(QList<QByteArray> args, QString *err, int outFd = -1)
{
    args.prepend(GUI_EXECUTABLE);
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    QProcess p;
    p.setChildProcessModifier([&] {
        ::signal(SIGPIPE, SIG_DFL);
        if (outFd >= 0)
            ::dup2(outFd, STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    });
    p.start(QStringLiteral(GUI_EXECUTABLE), {});
    const bool finished = p.waitForFinished(30000);
    *err = QString::fromLocal8Bit(p.readAllStandardError());
    return !finished ? -1 : p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeText(const QString &path, const QByteArray &text)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text);
}

QStringList examples()
{
    return QDir(QStringLiteral(SOURCE_DIR "/examples")).entryList({QStringLiteral("*.kfp")}, QDir::Files, QDir::Name);
}

QString firstExample()
{
    return QStringLiteral(SOURCE_DIR "/examples/") + examples().value(0);
}

mode_t fileType(const QString &path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// What --generate writes to a regular file.
QByteArray generated(const QTemporaryDir &dir)
{
    const QString out = dir.filePath("regular.txt");
    return runProgram({"--generate", firstExample(), out}) == 0 ? readAll(out) : QByteArray();
}

} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT
private slots:
    void examplesGenerateAsTheWindowDoes_data();
    void examplesGenerateAsTheWindowDoes();
    void failuresAndExitStatuses();
    void outputIsTheProject_data();
    void outputIsTheProject();
    void fifoIsWrittenAndStaysAFifo();
    void dashIsStandardOutput();
    void characterDeviceStaysADevice();
    void checkListsProblems_data();
    void checkListsProblems();
    void checkUnreadable();
    void importExitStatuses();
    void importWarnings();
    void usageErrors_data();
    void usageErrors();
    void windowWithoutDisplay();
    void helpAndVersion();
    void recordAndSpectrum_data();
    void recordAndSpectrum();
    void undecodableNamesAreRefused_data();
    void undecodableNamesAreRefused();
    void closedPipeEndsWithBrokenPipe_data();
    void closedPipeEndsWithBrokenPipe();
};

void tst_CommandLine::examplesGenerateAsTheWindowDoes_data()
{
    QTest::addColumn<QString>("project");
    const QStringList list = examples();
    QVERIFY2(list.size() >= 3, "the sample projects are missing");
    for (const QString &name : list)
        QTest::addRow("%s", qPrintable(name)) << QStringLiteral(SOURCE_DIR "/examples/") + name;
}

void tst_CommandLine::examplesGenerateAsTheWindowDoes()
{
    QFETCH(QString, project);
    QTemporaryDir dir;
    const QString batchOut = dir.filePath("batch.txt");
    const QString guiOut = dir.filePath("gui.txt");
    QString err;
    QCOMPARE(runProgram({"--generate", project, batchOut}, &err), 0);
    QVERIFY2(err.isEmpty(), qPrintable(err));

    MainWindow w;
    QVERIFY(w.readProjectFile(project));
    QVERIFY(w.writeAnalysisFile(guiOut));
    const QByteArray batch = readAll(batchOut);
    QVERIFY(batch.startsWith("Project by Gui for Taliskor2D\n"));
    QCOMPARE(batch, readAll(guiOut));

    // The sample is also stable through a save in the window.
    const QString saved = dir.filePath("saved.kfp");
    QVERIFY(w.writeProjectFile(saved));
    QCOMPARE(readAll(saved), readAll(project));
}

void tst_CommandLine::failuresAndExitStatuses()
{
    QTemporaryDir dir;
    const QString out = dir.filePath("out.txt");
    writeText(out, "keep me\n");
    QString err;

    // An empty model: the same text the window shows.
    MainWindow w;
    const QString empty = dir.filePath("empty.kfp");
    QVERIFY(w.writeProjectFile(empty));
    QCOMPARE(runProgram({"--generate", empty, out}, &err), 1);
    QCOMPARE(err.trimmed(), QStringLiteral(
        "You must set, Nodes, Elements, Member-Types, Control Options, Drift, Equake, Loads, Weights."));
    QCOMPARE(readAll(out), QByteArray("keep me\n"));

    // A damaged project names its line.
    const QString first = QStringLiteral(SOURCE_DIR "/examples/") + examples().value(0);
    const QByteArray full = readAll(first);
    const QString cut = dir.filePath("cut.kfp");
    writeText(cut, full.left(full.size() / 2));
    QCOMPARE(runProgram({"--generate", cut, out}, &err), 2);
    QVERIFY2(err.contains(QLatin1String("ine ")), qPrintable(err));
    QCOMPARE(readAll(out), QByteArray("keep me\n"));

    // Two grid lines at one ordinate would put two nodes at one place.
    const QByteArray portal = readAll(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp"));
    const QByteArray repeatedLine = QByteArray(portal).replace("\n0\t6\t12\t18\n", "\n0\t6\t12\t12.0\n");
    QVERIFY(repeatedLine != portal);
    const QString repeated = dir.filePath("repeated.kfp");
    writeText(repeated, repeatedLine);
    QCOMPARE(runProgram({"--generate", repeated, out}, &err), 2);
    QVERIFY2(err.contains(QLatin1String("\"12.0\" is the same as \"12\"")), qPrintable(err));
    QCOMPARE(readAll(out), QByteArray("keep me\n"));
    QCOMPARE(runProgram({"--check", repeated}, &err), 2);

    // A missing project.
    QCOMPARE(runProgram({"--generate", dir.filePath("nothing.kfp"), out}, &err), 2);
    QVERIFY(!err.isEmpty());

    // An output that cannot be written: a folder's name, a missing folder.
    QCOMPARE(runProgram({"--generate", first, dir.path()}, &err), 2);
    QVERIFY(!err.isEmpty());
    QCOMPARE(runProgram({"--generate", first, dir.filePath("no/such/folder/out.txt")}, &err), 2);
    QVERIFY(!QFileInfo::exists(dir.filePath("no")));
    QCOMPARE(readAll(out), QByteArray("keep me\n"));

    // Missing output argument.
    QCOMPARE(runProgram({"--generate", first}, &err), 2);
}

void tst_CommandLine::outputIsTheProject_data()
{
    QTest::addColumn<QString>("output");
    QTest::newRow("same path") << "p.kfp";
    QTest::newRow("./ path") << "./p.kfp";
    QTest::newRow("symbolic link") << "link.kfp";
}

void tst_CommandLine::outputIsTheProject()
{
    QFETCH(QString, output);
    QTemporaryDir dir;
    const QString project = dir.filePath("p.kfp");
    QVERIFY(QFile::copy(firstExample(), project));
    QVERIFY(QFile::link("p.kfp", dir.filePath("link.kfp")));
    QString err;
    QCOMPARE(runProgram({"--generate", project, dir.path() + '/' + output}, &err), 2);
    QVERIFY2(err.contains(QLatin1String("is the project file itself")), qPrintable(err));
    QCOMPARE(readAll(project), readAll(firstExample()));
}

void tst_CommandLine::fifoIsWrittenAndStaysAFifo()
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo");
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QProcess reader;
    reader.start("cat", {fifo});
    QVERIFY(reader.waitForStarted());
    QCOMPARE(runProgram({"--generate", firstExample(), fifo}), 0);
    if (!reader.waitForFinished(10000))
        reader.kill(); // nobody opened the FIFO: it was replaced
    QCOMPARE(reader.readAllStandardOutput(), generated(dir));
    QCOMPARE(fileType(fifo), mode_t(S_IFIFO));
}

void tst_CommandLine::dashIsStandardOutput()
{
    QTemporaryDir dir;
    QString out;
    QCOMPARE(runProgram({"--generate", firstExample(), "-"}, nullptr, &out), 0);
    QVERIFY(!QFileInfo::exists("-"));
    QCOMPARE(out.toLocal8Bit(), generated(dir));
}

void tst_CommandLine::characterDeviceStaysADevice()
{
    // As root, a null device of our own, so that a regression cannot replace /dev/null.
    QTemporaryDir dir;
    QString null = dir.filePath("null");
    if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        null = QStringLiteral("/dev/null");
    QCOMPARE(runProgram({"--generate", firstExample(), null}), 0);
    QCOMPARE(fileType(null), mode_t(S_IFCHR));
}

void tst_CommandLine::checkListsProblems_data()
{
    QTest::addColumn<QByteArray>("project");   // empty: a new window's
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output");
    const QByteArray portal = readAll(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp"));
    QList<QByteArray> lines = portal.split('\n');
    QCOMPARE(lines.at(16), QByteArray("0\t0\t0\t5\t0\t0\t0"));   // node 6, coupled to node 5
    lines[16] = "0\t0\t0\t6\t0\t0\t0";
    QTest::newRow("sample") << portal << 0 << "0 errors, 0 warnings\n";
    QTest::newRow("coupled to itself") << lines.join('\n') << 1
                                       << "warning: node 6: KUP 1 couples the node to itself\n0 errors, 1 warning\n";
    QTest::newRow("new window") << QByteArray() << 1
                                << "error: model: no nodes\n"
                                   "error: model: no members\n"
                                   "error: model: no member types\n"
                                   "error: control options: not set\n"
                                   "error: drift: not set\n"
                                   "error: earthquake: not set\n"
                                   "error: loads: not set\n"
                                   "error: weights: not set\n"
                                   "8 errors, 0 warnings\n";
}

void tst_CommandLine::checkListsProblems()
{
    QFETCH(QByteArray, project);
    QFETCH(int, status);
    QFETCH(QString, output);
    QTemporaryDir dir;
    const QString path = dir.filePath("project.kfp");
    if (project.isEmpty()) {
        MainWindow w;
        QVERIFY(w.writeProjectFile(path));
    } else {
        writeText(path, project);
    }
    QString err, out;
    QCOMPARE(runProgram({"--check", path}, &err, &out), status);
    QCOMPARE(out, output);
    QCOMPARE(err, QString());
}

void tst_CommandLine::checkUnreadable()
{
    QTemporaryDir dir;
    const QByteArray full = readAll(firstExample());
    const QString cut = dir.filePath("cut.kfp");
    writeText(cut, full.left(full.size() / 2));
    QString err, out;
    QCOMPARE(runProgram({"--check", cut}, &err, &out), 2);
    QVERIFY2(err.startsWith(cut + ": ") && err.contains(QLatin1String("ine ")), qPrintable(err));
    QVERIFY(out.isEmpty());
    QCOMPARE(runProgram({"--check", dir.filePath("nothing.kfp")}, &err, &out), 2);
    QVERIFY(!err.isEmpty());
    QVERIFY(out.isEmpty());
}

void tst_CommandLine::importExitStatuses()
{
    QTemporaryDir dir;
    const QString analysis = dir.filePath("in.txt");
    QCOMPARE(runProgram({"--generate", firstExample(), analysis}), 0);
    // Written: the project generates the very file it came from.
    const QString project = dir.filePath("out.kfp");
    QString err;
    QCOMPARE(runProgram({"--import", analysis, project}, &err), 0);
    QVERIFY2(err.isEmpty(), qPrintable(err));
    const QString again = dir.filePath("again.txt");
    QCOMPARE(runProgram({"--generate", project, again}), 0);
    QCOMPARE(readAll(again), readAll(analysis));

    // Refused, or not writable: 2, and nothing is touched.
    const QString cut = dir.filePath("cut.txt");
    writeText(cut, readAll(analysis).left(200));
    writeText(project, "keep me\n");
    QCOMPARE(runProgram({"--import", cut, project}, &err), 2);
    QVERIFY2(err.startsWith(cut + ": Line "), qPrintable(err));
    QCOMPARE(runProgram({"--import", analysis, dir.path()}, &err), 2);
    QCOMPARE(runProgram({"--import", analysis, analysis}, &err), 2);
    QVERIFY2(err.contains("is the analysis file itself"), qPrintable(err));
    QCOMPARE(readAll(project), QByteArray("keep me\n"));
    QCOMPARE(readAll(again), readAll(analysis));
}

void tst_CommandLine::importWarnings()
{
    // Member 3 from node 4 to node 3: taken, said on standard error.
    QTemporaryDir dir;
    const QString analysis = dir.filePath("reversed.txt");
    const QByteArray original = readAll(QStringLiteral(TESTDATA_DIR "/analysis_portal.txt"));
    QVERIFY(original.contains("\n3\t1\t3\t4\t"));
    writeText(analysis, QByteArray(original).replace("\n3\t1\t3\t4\t", "\n3\t1\t4\t3\t"));
    const QString project = dir.filePath("out.kfp");
    QString err;
    QCOMPARE(runProgram({"--import", analysis, project}, &err), 0);
    QCOMPARE(err, QStringLiteral("warning: Line 19: member 3 runs from node 4 to node 3; Generate writes its ends "
                                 "lowest first, so its end 1 becomes node 3\n"));
    // As it says: Generate writes the ends lowest first.
    const QString again = dir.filePath("again.txt");
    QCOMPARE(runProgram({"--generate", project, again}), 0);
    QCOMPARE(readAll(again), original);
}

void tst_CommandLine::usageErrors_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("display");
    const QString p = firstExample();
    const struct {
        const char *name;
        QStringList args;
        const char *message;
    } rows[] = {
        {"unknown option", {"--bogus", p}, "Unknown option 'bogus'."},
        {"missing value", {"--generate"}, "Missing value after '--generate'."},
        {"repeated --generate", {"--generate", p, "--generate", p, "out.txt"}, "'--generate' was given more than once."},
        {"two projects", {p, p}, "Give at most one project file."},
        {"no output", {"--generate", p}, "'--generate' needs the output file after the project."},
        {"two outputs", {"--generate", p, "a.txt", "b.txt"}, "'--generate' takes one project and one output file."},
        {"check without project", {"--check"}, "Missing value after '--check'."},
        {"repeated --check", {"--check", p, "--check", p}, "'--check' was given more than once."},
        {"check of two", {"--check", p, p}, "'--check' takes one project."},
        {"check and generate", {"--check", p, "--generate", p, "out.txt"},
         "'--check' and '--generate' cannot be given together."},
        {"import without output", {"--import", p}, "'--import' needs the project file to write after the analysis file."},
        {"import and check", {"--import", p, "--check", p, "out.kfp"},
         "'--import' cannot be given with '--check' or '--generate'."},
        {"record and check", {"--record", p, "--check", p}, "'--record' cannot be given with another command."},
        {"spectrum and record", {"--spectrum", p, "--record", p}, "'--record' cannot be given with another command."},
        {"record of two", {"--record", p, p}, "'--record' takes one project."},
        {"repeated --spectrum", {"--spectrum", p, "--spectrum", p}, "'--spectrum' was given more than once."},
        {"damping without spectrum", {"--record", p, "--damping", "5"}, "'--damping' is given only with '--spectrum'."},
        {"damping 100", {"--spectrum", p, "--damping", "100"}, "'--damping' takes a percentage from 0 to below 100."},
        {"damping abc", {"--spectrum", p, "--damping", "abc"}, "'--damping' takes a percentage from 0 to below 100."},
    };
    for (const auto &row : rows) {
        QTest::addRow("%s, no display", row.name) << row.args << row.message << false;
        QTest::addRow("%s, display", row.name) << row.args << row.message << true;
    }
}

void tst_CommandLine::usageErrors()
{
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    QFETCH(bool, display);
    QString err, out;
    QCOMPARE(runProgram(args, &err, &out, display), 2);
    QVERIFY2(err.startsWith("taliskor2d-gui: " + message + "\n\nUsage: "), qPrintable(err));
    QVERIFY(out.isEmpty());
    QVERIFY(!QFileInfo::exists("out.txt") && !QFileInfo::exists("a.txt"));
}

void tst_CommandLine::windowWithoutDisplay()
{
    QString err;
    QCOMPARE(runProgram({firstExample()}, &err), 2);
    QVERIFY2(err.contains(QLatin1String("no display")), qPrintable(err));
}

void tst_CommandLine::helpAndVersion()
{
    QString out;
    QCOMPARE(runProgram({"--version"}, nullptr, &out), 0);
    QVERIFY(out.startsWith(QLatin1String("taliskor2d-gui ")));
    QCOMPARE(runProgram({"--help"}, nullptr, &out), 0);
    QVERIFY(out.contains(QLatin1String("--generate")));
    QVERIFY(out.contains(QLatin1String("--check <project>")));
}

void tst_CommandLine::recordAndSpectrum_data()
{
    QTest::addColumn<QByteArray>("quakeLine");   // the sample's earthquake options
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QStringList>("args");       // after the project
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("expected");       // standard output, or the end of standard error
    const QByteArray free = "3\t1\t0.02\t2\t0\t0\t0\t1";
    QTest::addRow("record") << free << QByteArray("0.1, -0.2\r\n3e-1\r\n") << QStringList{"--record"} << 0
                            << "time_s,acceleration_g\n0,0.05\n0.02,-0.1\n0.04,0.15\n";
    QTest::addRow("record, 10 digits") << free << QByteArray("0.123456789012\n") << QStringList{"--record"} << 0
                                       << "time_s,acceleration_g\n0,0.06172839451\n";
    QTest::addRow("bad sample") << free << QByteArray("0.1\n0.2 x\n") << QStringList{"--record"} << 2
                                << "rec.txt: Line 2: \"x\" is not a number\n";
    QTest::addRow("missing") << QByteArray("3\t1\t0.02\t2\t0\t0\t0\t1") << QByteArray() << QStringList{"--spectrum"}
                             << 2 << "rec.txt: No such file or directory\n";
    QTest::addRow("refused format") << QByteArray("0\t1\t0.02\t2\t0\t0\t0\t1") << QByteArray("1\n")
                                    << QStringList{"--spectrum"} << 2 << "rec.txt: No preview for the BERG format\n";
    // The spectrum as the core computes it, at the damping given.
    for (const char *damping : {"", "0", "2.5"}) {
        const QString percent = *damping ? QString::fromLatin1(damping) : QStringLiteral("5");
        EarthquakeRecord::Record r;
        r.interval = 0.02;
        r.g = {0.05, -0.1, 0.15, 0.0};
        const QByteArray out = ResponseSpectrum::csv(ResponseSpectrum::compute(r.g, r.interval, percent.toDouble() / 100, 9.8));
        QStringList args{"--spectrum"};
        if (*damping)
            args << "--damping" << damping;
        QTest::addRow("spectrum %s %%", qPrintable(percent)) << free << QByteArray("0.1 -0.2 0.3 0\n") << args << 0
                                                            << QString::fromLatin1(out);
    }
}

void tst_CommandLine::recordAndSpectrum()
{
    QFETCH(QByteArray, quakeLine);
    QFETCH(QByteArray, record);
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QList<QByteArray> lines = readAll(QStringLiteral(SOURCE_DIR "/examples/portal-frame-rc.kfp")).split('\n');
    const int at = int(lines.indexOf("elcentro-ns.txt"));
    QVERIFY(at > 0);
    lines[at - 1] = quakeLine;
    lines[at] = "rec.txt";
    const QString project = dir.filePath("p.kfp");
    writeText(project, lines.join('\n'));
    if (!record.isEmpty())
        writeText(dir.filePath("rec.txt"), record);
    // Found beside the project whatever the current folder.
    QString err, out;
    QCOMPARE(runProgram(QStringList{args.first(), project} + args.mid(1), &err, &out), status);
    if (status == 0) {
        QCOMPARE(out, expected);
        QCOMPARE(err, QString());
    } else {
        QCOMPARE(out, QString());
        QCOMPARE(err, dir.filePath(expected));
    }
}

void tst_CommandLine::undecodableNamesAreRefused_data()
{
    QTest::addColumn<QList<QByteArray>>("args"); // in the test's folder; "P" is a sample project
    QTest::addColumn<QByteArray>("shown");
    QTest::newRow("project") << QList<QByteArray>{"--generate", "caf\xE9.kfp", "out.txt"} << QByteArray("caf\\xE9.kfp");
    QTest::newRow("output") << QList<QByteArray>{"--generate", "P", "out\xE9.txt"} << QByteArray("out\\xE9.txt");
    QTest::newRow("output, cut short") << QList<QByteArray>{"--import", "P", "out\xC3"} << QByteArray("out\\xC3");
    QTest::newRow("joined to its option") << QList<QByteArray>{"--check=\xFF\xC3\xA9.kfp"}
                                          << QByteArray("\\xFF\xC3\xA9.kfp");
    QTest::newRow("window") << QList<QByteArray>{"caf\xE9.kfp"} << QByteArray("caf\\xE9.kfp");
}

void tst_CommandLine::undecodableNamesAreRefused()
{
    QFETCH(QList<QByteArray>, args);
    QFETCH(QByteArray, shown);
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + '/';
    const QByteArray project = readAll(firstExample());
    QList<QByteArray> made; // names QTemporaryDir cannot remove
    const auto guard = qScopeGuard([&made] {
        for (const QByteArray &path : made)
            ::unlink(path.constData());
    });
    for (const QByteArray &name : {QByteArray("caf\xE9.kfp"), QByteArray("\xFF\xC3\xA9.kfp")}) {
        made << folder + name;
        const int fd = ::open(made.last().constData(), O_WRONLY | O_CREAT, 0644);
        QVERIFY(fd >= 0 && ::write(fd, project.constData(), size_t(project.size())) == project.size());
        ::close(fd);
    }
    for (QByteArray &a : args)
        a = a == "P" ? QFile::encodeName(firstExample()) : a.startsWith('-') ? a.replace("=", "=" + folder) : folder + a;
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    QString err;
    QCOMPARE(runBytes(args, &err), 2);
    QCOMPARE(err, QString::fromUtf8(folder + shown + ": the file name is not valid UTF-8\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
}

void tst_CommandLine::closedPipeEndsWithBrokenPipe_data()
{
    QTest::addColumn<QList<QByteArray>>("args");
    QTest::addColumn<QString>("message");
    const QByteArray p = QFile::encodeName(firstExample());
    QTest::newRow("generate") << QList<QByteArray>{"--generate", p, "-"} << "-: Broken pipe\n";
    QTest::newRow("check") << QList<QByteArray>{"--check", p} << "standard output: Broken pipe\n";
    QTest::newRow("help") << QList<QByteArray>{"--help"} << "standard output: Broken pipe\n";
}

void tst_CommandLine::closedPipeEndsWithBrokenPipe()
{
    QFETCH(QList<QByteArray>, args);
    QFETCH(QString, message);
    // The reader is gone before the program starts: every write fails.
    int fds[2];
    QCOMPARE(::pipe2(fds, O_CLOEXEC), 0);
    ::close(fds[0]);
    QString err;
    const int status = runBytes(args, &err, fds[1]);
    ::close(fds[1]);
    QCOMPARE(status, 2);
    QCOMPARE(err, message);
}

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
