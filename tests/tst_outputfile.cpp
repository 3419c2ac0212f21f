// Output files: which names are one file, and the reasons given when a write fails.

#include "outputfile.h"
#include "projectdata.h"
#include "projectfile.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeText(const QString &path, const QByteArray &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

// More text than a 16 KiB file system holds.
void fillLarge(QTextStream &out)
{
    for (int i = 0; i < 4000; ++i)
        out << "line " << i << " of a file too large for its file system\n";
}

} // namespace

class tst_OutputFile : public QObject
{
    Q_OBJECT
private slots:
    void sameFile_data();
    void sameFile();
    void noTemporaryFileMessageNamesTheFolder();
    void symbolicLinkLoopGivesTheSystemsReason();
    void fullDeviceGivesTheSystemsReasonAndStaysADevice();
    void fullFileSystemGivesTheSystemsReasonAndKeepsTheFile();
    void unwritableFileGivesTheSystemsReasonAndKeepsTheFile_data();
    void unwritableFileGivesTheSystemsReasonAndKeepsTheFile();
};

void tst_OutputFile::sameFile_data()
{
    QTest::addColumn<QString>("other");
    QTest::addColumn<bool>("same");
    QTest::newRow("same name") << "p.kfp" << true;
    QTest::newRow("./ and ..") << "./sub/../p.kfp" << true;
    QTest::newRow("symbolic link") << "link.kfp" << true;
    QTest::newRow("hard link") << "hard.kfp" << true;
    QTest::newRow("same content") << "copy.kfp" << false;
    QTest::newRow("missing") << "missing.kfp" << false;
    QTest::newRow("folder") << "sub" << false;
}

void tst_OutputFile::sameFile()
{
    QFETCH(QString, other);
    QFETCH(bool, same);
    QTemporaryDir dir;
    const QString project = dir.filePath("p.kfp");
    QVERIFY(writeText(project, "project\n") && writeText(dir.filePath("copy.kfp"), "project\n"));
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    QVERIFY(QFile::link("p.kfp", dir.filePath("link.kfp")));
    QCOMPARE(::link(QFile::encodeName(project).constData(), QFile::encodeName(dir.filePath("hard.kfp")).constData()), 0);
    QCOMPARE(OutputFile::sameFile(project, dir.filePath(other)), same);
    QCOMPARE(OutputFile::sameFile(dir.filePath(other), project), same);
}

void tst_OutputFile::noTemporaryFileMessageNamesTheFolder()
{
    QCOMPARE(OutputFile::noTemporaryFileMessage("/data/ro/out.txt", "Permission denied"),
             QStringLiteral("No temporary file could be made in the folder /data/ro (Permission denied), "
                            "so the file was not replaced."));
}

void tst_OutputFile::symbolicLinkLoopGivesTheSystemsReason()
{
    QTemporaryDir dir;
    const QString loop = dir.filePath("loop");
    QVERIFY(QFile::link(loop, loop));
    QString error;
    QVERIFY(!OutputFile::write(loop, fillLarge, &error));
    QCOMPARE(error, QStringLiteral("Too many levels of symbolic links"));
    QVERIFY(QFileInfo(loop).isSymLink());
}

void tst_OutputFile::fullDeviceGivesTheSystemsReasonAndStaysADevice()
{
    // As root, a node of our own: should it be replaced, /dev/full is not.
    QTemporaryDir dir;
    QString full = dir.filePath("full");
    if (::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        full = QStringLiteral("/dev/full");
    QString error;
    QVERIFY(!ProjectFile::writeFile(full, ProjectData(), &error));
    QCOMPARE(error, QStringLiteral("No space left on device"));
    struct stat st;
    QVERIFY(::stat(QFile::encodeName(full).constData(), &st) == 0 && S_ISCHR(st.st_mode));
}

void tst_OutputFile::fullFileSystemGivesTheSystemsReasonAndKeepsTheFile()
{
    QTemporaryDir dir;
    if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", dir.path()}) != 0)
        QSKIP("cannot mount a small file system here (needs root)");
    struct Unmount {
        QString path;
        ~Unmount() { QProcess::execute("umount", {path}); }
    } unmount{dir.path()};

    const QString out = dir.filePath("out.txt");
    QVERIFY(writeText(out, "keep me\n"));
    QString error;
    QVERIFY(!OutputFile::write(out, fillLarge, &error));
    QCOMPARE(error, QStringLiteral("No space left on device"));
    QCOMPARE(readAll(out), QByteArray("keep me\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.txt"});
}

void tst_OutputFile::unwritableFileGivesTheSystemsReasonAndKeepsTheFile_data()
{
    QTest::addColumn<bool>("readOnlyMount"); // else an immutable file
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only file system") << true << "Read-only file system";
    QTest::newRow("immutable file") << false << "Operation not permitted";
}

void tst_OutputFile::unwritableFileGivesTheSystemsReasonAndKeepsTheFile()
{
    QFETCH(bool, readOnlyMount);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString out = dir.filePath("out.txt");
    QStringList undo; // a command run before the folder is removed, whatever fails
    const auto guard = qScopeGuard([&undo] {
        if (!undo.isEmpty())
            QProcess::execute(undo.takeFirst(), undo);
    });
    if (readOnlyMount) {
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=16k", "tmpfs", dir.path()}) != 0)
            QSKIP("cannot mount a file system here (needs root)");
        undo = QStringList{"umount", dir.path()};
        QVERIFY(writeText(out, "keep me\n"));
        QCOMPARE(QProcess::execute("mount", {"-o", "remount,ro", dir.path()}), 0);
    } else {
        QVERIFY(writeText(out, "keep me\n"));
        if (QProcess::execute("chattr", {"+i", out}) != 0)
            QSKIP("chattr +i is not permitted here (needs root and a file system that has it)");
        undo = QStringList{"chattr", "-i", out};
    }
    QString error;
    QVERIFY(!OutputFile::write(out, fillLarge, &error));
    QCOMPARE(error, reason);
    QCOMPARE(readAll(out), QByteArray("keep me\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"out.txt"});
}

QTEST_GUILESS_MAIN(tst_OutputFile)
#include "tst_outputfile.moc"
