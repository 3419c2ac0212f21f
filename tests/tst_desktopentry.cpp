// What `cmake --install` puts in share/ makes a double-click on a project open it:
// the project file type is known by its extension and the desktop entry takes it.

#include <QMimeDatabase>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class tst_DesktopEntry : public QObject
{
    Q_OBJECT
private slots:
    void projectFilesOpenInTheProgram();
};

void tst_DesktopEntry::projectFilesOpenInTheProgram()
{
    QTemporaryDir prefix;
    QProcess install;
    install.start(QStringLiteral(CMAKE_COMMAND), {"--install", BINARY_DIR, "--prefix", prefix.path()});
    QVERIFY(install.waitForFinished(60000));
    QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());

    // Only the installed types, before the database is first used.
    qputenv("XDG_DATA_DIRS", QFile::encodeName(prefix.filePath("share")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(prefix.filePath("none")));
    const QMimeType type = QMimeDatabase().mimeTypeForFile("portal.kfp", QMimeDatabase::MatchExtension);
    QCOMPARE(type.name(), QStringLiteral("application/x-taliskor2d-project"));

    QFile entry(prefix.filePath("share/applications/taliskor2d-gui.desktop"));
    QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(entry.readAll()).split('\n');
    QVERIFY(lines.contains("MimeType=" + type.name() + ';'));
    QVERIFY(lines.contains("Exec=taliskor2d-gui %f"));
}

QTEST_GUILESS_MAIN(tst_DesktopEntry)
#include "tst_desktopentry.moc"
