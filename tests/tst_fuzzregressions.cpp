// Inputs that once broke the project reader (found by fuzzing, kept in
// tests/data/fuzz) and the properties they broke: a project is either refused
// with a line number and a reason, or it saves to a text that reopens to the
// very same project, and a complete one generates.

#include "analysisreader.h"
#include "analysiswriter.h"
#include "member.h"
#include "projectdata.h"
#include "projectfile.h"
#include "testmodels.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <QtTest>

#include <memory>

class tst_FuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void savedInputs_data();
    void savedInputs();
    void textsKeepByteOrderMark_data();
    void textsKeepByteOrderMark();
    void brokenUtf8InText_data();
    void brokenUtf8InText();
    void savedAnalysisInputs_data();
    void savedAnalysisInputs();

private:
    static QByteArray projectText(const ProjectData &data);
};

QByteArray tst_FuzzRegressions::projectText(const ProjectData &data)
{
    QByteArray bytes;
    QTextStream out(&bytes);
    ProjectFile::write(out, data);
    out.flush();
    return bytes;
}

void tst_FuzzRegressions::savedInputs_data()
{
    QTest::addColumn<QString>("fileName");
    const QDir dir(QStringLiteral(TESTDATA_DIR "/fuzz"));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    QVERIFY2(!files.isEmpty(), "no saved fuzz inputs");
    for (const QString &f : files)
        QTest::addRow("%s", qPrintable(f)) << dir.filePath(f);
}

void tst_FuzzRegressions::savedInputs()
{
    QFETCH(QString, fileName);
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();

    ProjectData data;
    QString error;
    if (!ProjectFile::read(content, data, &error)) {
        QVERIFY2(error.startsWith(QLatin1String("Line ")), qPrintable(error));
        return;
    }
    const QByteArray first = projectText(data);
    ProjectData again;
    QVERIFY2(ProjectFile::read(first, again, &error), qPrintable(error));
    QCOMPARE(projectText(again), first);

    if (ModelCore::completenessMessage(data).isEmpty()) {
        QByteArray analysis;
        QTextStream out(&analysis);
        AnalysisWriter::write(out, data);
        out.flush();
        QVERIFY(analysis.contains("\nNODES\t"));
        QVERIFY(analysis.contains("\nEQUAKE\t"));
    }
}

void tst_FuzzRegressions::textsKeepByteOrderMark_data()
{
    QTest::addColumn<QString>("text");
    const QChar bom(0xFEFF);
    QTest::addRow("mark alone") << QString(bom);
    QTest::addRow("mark in front") << bom + QStringLiteral("5");
    QTest::addRow("mark inside") << QStringLiteral("5") + bom;
}

void tst_FuzzRegressions::textsKeepByteOrderMark()
{
    QFETCH(QString, text);
    ProjectData data;
    data.XLines = QStringList{QStringLiteral("0"), QStringLiteral("5")};
    data.YLines = QStringList{QStringLiteral("0"), QStringLiteral("3")};
    TestModels::addType(data, Member::FRAME, text);
    data.quakeFile = text;
    ModelCore::rebuildDerived(data);

    const QByteArray saved = projectText(data);
    ProjectData read;
    QString error;
    QVERIFY2(ProjectFile::read(saved, read, &error), qPrintable(error));
    QCOMPARE(read.memberTypes.size(), 1);
    QCOMPARE(read.memberTypes.at(0)->getLabel(), text);
    QCOMPARE(read.quakeFile, text);
    QCOMPARE(projectText(read), saved);

    // In a grid line the mark is no part of a number.
    QByteArray withMark = saved;
    withMark.replace("\n0\t5\n", "\n0\t" + text.toUtf8() + "\n");
    QVERIFY(!ProjectFile::read(withMark, read, &error));
    QVERIFY2(error.startsWith("Line 6: the grid line \""), qPrintable(error));
}

void tst_FuzzRegressions::brokenUtf8InText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addRow("sequence cut at the end") << QByteArray("5\xCF");
    QTest::addRow("sequence cut alone") << QByteArray("\xCF");
    QTest::addRow("stray continuation byte") << QByteArray("\x80" "5");
}

// Bytes that are no UTF-8 are refused wherever a text holds them.
void tst_FuzzRegressions::brokenUtf8InText()
{
    QFETCH(QByteArray, bytes);
    ProjectData data;
    data.XLines = QStringList{QStringLiteral("0"), QStringLiteral("777")};
    data.YLines = QStringList{QStringLiteral("0"), QStringLiteral("3")};
    TestModels::addType(data, Member::FRAME, QStringLiteral("LBL"));
    ModelCore::rebuildDerived(data);
    const QByteArray saved = projectText(data);

    const std::pair<const char *, const char *> places[] = {
            {"\t777\n", "the grid line"}, {"\tLBL\n", "the member type label"}};
    for (const auto &[text, name] : places) {
        QCOMPARE(saved.count(text), 1);
        const int line = int(saved.left(saved.indexOf(text)).count('\n')) + 1;
        QByteArray content = saved;
        content.replace(text, "\t" + bytes + "\n");
        ProjectData read;
        QString error;
        QVERIFY(!ProjectFile::read(content, read, &error));
        QCOMPARE(error, QStringLiteral("Line %1: %2 is not valid UTF-8").arg(line).arg(name));
    }
}

void tst_FuzzRegressions::savedAnalysisInputs_data()
{
    QTest::addColumn<QString>("fileName");
    const QDir dir(QStringLiteral(TESTDATA_DIR "/fuzz-analysis"));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    QVERIFY2(!files.isEmpty(), "no saved fuzz inputs of the importer");
    for (const QString &f : files)
        QTest::addRow("%s", qPrintable(f)) << dir.filePath(f);
}

// The importer's findings: refused with a line, or a model that saves as a
// project that reopens and whose analysis file imports to itself.
void tst_FuzzRegressions::savedAnalysisInputs()
{
    QFETCH(QString, fileName);
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    ProjectData data;
    QString error;
    if (!AnalysisReader::read(file.readAll(), data, &error)) {
        QVERIFY2(error.startsWith(QLatin1String("Line ")), qPrintable(error));
        return;
    }
    ProjectData reopened;
    QVERIFY2(ProjectFile::read(projectText(data), reopened, &error), qPrintable(error));
    const auto generate = [](const ProjectData &d) {
        QByteArray bytes;
        QTextStream out(&bytes);
        AnalysisWriter::write(out, d);
        out.flush();
        return bytes;
    };
    const QByteArray first = generate(data);
    ProjectData again;
    QVERIFY2(AnalysisReader::read(first, again, &error), qPrintable(error));
    QCOMPARE(generate(again), first);
}

QTEST_GUILESS_MAIN(tst_FuzzRegressions)
#include "tst_fuzzregressions.moc"
