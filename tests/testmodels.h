#ifndef TESTMODELS_H
#define TESTMODELS_H

// Grids and member types as the tests, the benchmarks and the sample maker
// build them, and the bytes a model saves. The window's helpers are there
// only where the window is: the core's tests do not see mainwindow.h.

#include "analysiswriter.h"
#include "member.h"
#include "projectdata.h"
#include "projectfile.h"
#include "projectmodel.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QStringList>
#include <QTextStream>

#include <functional>
#include <memory>

#if __has_include("mainwindow.h")
#include "mainwindow.h"
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#define TESTMODELS_WINDOW
#endif

namespace TestModels {

// Grid line labels as the grid dialog gives them.
inline QStringList xIds(qsizetype lines)
{
    QStringList ids;
    for (qsizetype i = 0; i < lines; ++i)
        ids << QString::number(i + 1);
    return ids;
}

inline QStringList yIds(qsizetype lines)
{
    QStringList ids;
    for (qsizetype i = 0; i < lines; ++i)
        ids << (i == 0 ? QStringLiteral("BASE") : QStringLiteral("STORY-%1").arg(i));
    return ids;
}

// The grid with other lines, labels as the dialog gives them.
inline GridSettings gridWith(const GridSettings &old, const QStringList &xs, const QStringList &ys)
{
    GridSettings g = old;
    g.XLines = xs, g.YLines = ys;
    g.XIds = xIds(xs.size()), g.YIds = yIds(ys.size());
    return g;
}

// A member type numbered after the project's others, which owns it; an empty label keeps the default.
inline Member *addType(ProjectData &d, int category, const QString &label = QString())
{
    auto m = std::make_unique<Member>(int(d.memberTypes.size()) + 1, category);
    if (!label.isEmpty())
        m->setLabel(label);
    Member *raw = m.get();
    d.ownedMembers.push_back(std::move(m));
    d.memberTypes.append(raw);
    return raw;
}

struct Bytes {
    QByteArray project, analysis;
    QByteArray hash() const
    {
        return QCryptographicHash::hash(project, QCryptographicHash::Sha1)
               + QCryptographicHash::hash(analysis, QCryptographicHash::Sha1);
    }
};

// What a save and a "Generate File" would write now.
inline Bytes bytesOf(const ProjectModel &m)
{
    const ProjectData p = m.projectData();
    Bytes b;
    QTextStream project(&b.project), analysis(&b.analysis);
    ProjectFile::write(project, p);
    AnalysisWriter::write(analysis, p);
    project.flush();
    analysis.flush();
    return b;
}

#ifdef SOURCE_DIR
// A sample of examples/; an empty name leaves the model as a new window has it.
inline bool openSample(ProjectModel &m, const QString &name)
{
    ProjectData data;
    if (name.isEmpty())
        return true;
    if (!ProjectFile::readFile(QStringLiteral(SOURCE_DIR "/examples/") + name, data))
        return false;
    m.resetData(ProjectModel::fromProjectData(data));
    return true;
}
#endif

#ifdef TESTMODELS_WINDOW
// The grid dialog's OK with these lines; no labels given, the dialog's own.
inline void setGrid(MainWindow &w, const QStringList &x, const QStringList &y, const QStringList &xLabels = {},
                    const QStringList &yLabels = {})
{
    editGridDialog *d = w.getGridDialog();
    d->setXLines(x);
    d->setYLines(y);
    d->setXIds(xLabels.isEmpty() ? xIds(x.size()) : xLabels);
    d->setYIds(yLabels.isEmpty() ? yIds(y.size()) : yLabels);
    emit d->updateGrid(true);
}

// Types of the categories added to the member-type dialog's list, as its OK
// gives them (several are one step); with a label and fill, each is so set.
inline void addMemberTypes(MainWindow &w, const QList<int> &categories, const QString &label = QString(),
                           const std::function<void(Member &)> &fill = nullptr)
{
    editMTypeDialog *d = w.getMTypeDialog();
    QList<Member *> records;
    const int first = int(d->getMembersTypes().size());
    for (int i = 0; i < categories.size(); ++i) {
        auto *m = new Member(first + i + 1, categories.at(i));
        if (!label.isEmpty())
            m->setLabel(label);
        if (fill)
            fill(*m);
        records << m;
    }
    d->setMTypes(records);
    d->addItems(int(records.size()));
    emit d->updateMTypes();
}

// Runs act() while a timer answers the next message box it shows with the
// button of that text; returns the box's text, empty when none was shown.
inline QString answeringBox(const QString &button, const std::function<void()> &act)
{
    QString shown;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        for (QAbstractButton *b : box->buttons())
            if (b->text() == button) {
                shown = box->text();
                timer.stop();
                // From the box's own loop: a click while it is still being shown would close it before its loop runs.
                QTimer::singleShot(0, b, &QAbstractButton::click);
                return;
            }
    });
    timer.start();
    act();
    timer.stop();
    return shown;
}
#endif

} // namespace TestModels

#endif // TESTMODELS_H
