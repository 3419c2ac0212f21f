#ifndef ANALYSISTEXT_H
#define ANALYSISTEXT_H

// The analysis file as lines, kept in the writer's parts so that a change of
// the model rewrites only the lines it touched, and what each line stands for.
// The lines joined, each closed by a line feed, are what Generate writes.

#include "analysiswriter.h"
#include "projectmodel.h"

#include <QList>
#include <QSet>
#include <QStringList>

#include <functional>

class AnalysisText
{
public:
    // What changed since the last update, as the model's signals told it.
    struct Changes {
        bool all = false;
        bool members = false;   // members inserted or removed: later ones renumbered
        bool types = false;
        QList<ProjectModel::Section> sections;
        QSet<ModelKey> nodes, memberRecords;
        bool isEmpty() const
        {
            return !all && !members && !types && sections.isEmpty() && nodes.isEmpty() && memberRecords.isEmpty();
        }
    };

    // `removed` lines from `line` on give way to `lines`. Edits come in order,
    // each counting lines as they stand once the edits before it are made.
    struct Edit {
        int line = 0;
        int removed = 0;
        QStringList lines;
    };

    enum Kind { None, Control, Node, Member, Type, Drift, Shape, Quake };
    // What a line stands for: `index` is the place (from 0) of the node, member or type.
    struct Link {
        Kind kind = None;
        int index = -1;
        bool operator==(const Link &o) const { return kind == o.kind && index == o.index; }
    };

    // Gathers what the model's signals tell into *changes, then calls changed()
    // (for as long as context lives).
    static void follow(const ProjectModel *model, QObject *context, Changes *changes,
                       const std::function<void()> &changed);

    // Brings the lines up to the model; the first update writes them all.
    QList<Edit> update(const ProjectModel &model, const Changes &changes);

    // What Generate would still refuse for, in its own words; empty when it would write.
    const QString &missing() const { return refusal; }

    int lineCount() const;
    QString text() const;
    QString line(int number) const;
    int sectionStart(AnalysisWriter::Section section) const;
    int sectionLines(AnalysisWriter::Section section) const { return int(parts[section].size()); }

    Link link(int line) const;
    // -1 when there is no such line.
    int nodeLine(int index) const;
    int memberLine(int index) const;
    int typeLine(int index) const;
    // The node's rows of WEIGHTS, LOADS and SHAPE.
    QList<int> nodeValueLines(int index) const;

private:
    void rewrite(AnalysisWriter::Section section, const ProjectData &data, int base, QList<Edit> &edits);
    template <typename Write>
    void rewriteRecords(AnalysisWriter::Section section, const QList<int> &places, int base, QList<Edit> &edits,
                        const Write &write);

    QStringList parts[AnalysisWriter::SectionCount];
    QList<int> typeStarts;   // first line of each PROPS block within the part
    int nodeCount = 0;
    bool written = false;
    QString refusal;
};

#endif // ANALYSISTEXT_H
