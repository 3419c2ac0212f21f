#include "analysistext.h"

#include "tabline.h"

#include <QTextStream>

#include <algorithm>
#include <optional>

using AnalysisWriter::Section;

namespace {

QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    // Every line the writer ends with a line feed: the piece after the last one is empty.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// The edits that turn old into now: the differing middle, split into runs of
// changed lines when the count stays, so a renumbering touches only what moved.
void diff(const QStringList &old, const QStringList &now, int base, QList<AnalysisText::Edit> &edits)
{
    const int shorter = int(std::min(old.size(), now.size()));
    int head = 0;
    while (head < shorter && old.at(head) == now.at(head))
        ++head;
    int tail = 0;
    while (tail < shorter - head && old.at(old.size() - 1 - tail) == now.at(now.size() - 1 - tail))
        ++tail;
    const int oldMiddle = int(old.size()) - head - tail;
    const int newMiddle = int(now.size()) - head - tail;
    if (oldMiddle != newMiddle) {
        edits.append({base + head, oldMiddle, now.mid(head, newMiddle)});
        return;
    }
    for (int k = head; k < head + oldMiddle;) {
        if (old.at(k) == now.at(k)) {
            ++k;
            continue;
        }
        int end = k + 1;
        while (end < head + oldMiddle && old.at(end) != now.at(end))
            ++end;
        edits.append({base + k, end - k, now.mid(k, end - k)});
        k = end;
    }
}

} // namespace

void AnalysisText::follow(const ProjectModel *model, QObject *context, Changes *changes,
                          const std::function<void()> &changed)
{
    QObject::connect(model, &ProjectModel::modelReset, context, [=] {
        changes->all = true;
        changed();
    });
    QObject::connect(model, &ProjectModel::nodesChanged, context, [=](const QList<ModelKey> &keys) {
        for (ModelKey k : keys)
            changes->nodes.insert(k);
        changed();
    });
    QObject::connect(model, &ProjectModel::membersChanged, context, [=](const QList<ModelKey> &keys) {
        for (ModelKey k : keys)
            changes->memberRecords.insert(k);
        changed();
    });
    for (auto signal : {&ProjectModel::membersInserted, &ProjectModel::membersRemoved})
        QObject::connect(model, signal, context, [=] {
            changes->members = true;
            changed();
        });
    QObject::connect(model, &ProjectModel::typesChanged, context, [=] {
        changes->types = true;
        changed();
    });
    QObject::connect(model, &ProjectModel::settingsChanged, context, [=](ProjectModel::Section s) {
        if (!changes->sections.contains(s))
            changes->sections.append(s);
        changed();
    });
}

template <typename Write>
void AnalysisText::rewriteRecords(Section section, const QList<int> &places, int base, QList<Edit> &edits,
                                  const Write &write)
{
    // A record's line follows the part's first line.
    QStringList &lines = parts[section];
    for (int place : places) {
        QString text;
        {
            QTextStream out(&text);
            const DefaultNumberFormat guard(out);
            write(out, place);
        }
        text.chop(1);
        const int at = place + 1;
        if (lines.at(at) != text) {
            lines[at] = text;
            edits.append({base + at, 1, {text}});
        }
    }
}

void AnalysisText::rewrite(Section section, const ProjectData &data, int base, QList<Edit> &edits)
{
    QString text;
    QList<int> starts;
    {
        QTextStream out(&text);
        qsizetype counted = 0, lines = 0;
        AnalysisWriter::writeSection(out, data, section, [&](qsizetype) {
            out.flush();
            lines += std::count(text.cbegin() + counted, text.cend(), QLatin1Char('\n'));
            counted = text.size();
            starts.append(int(lines));
        });
    }
    QStringList now = linesOf(text);
    if (section == AnalysisWriter::Props)
        typeStarts = starts;
    diff(parts[section], now, base, edits);
    parts[section] = std::move(now);
}

QList<AnalysisText::Edit> AnalysisText::update(const ProjectModel &model, const Changes &changes)
{
    bool whole[AnalysisWriter::SectionCount] = {};
    auto mark = [&](std::initializer_list<Section> list) {
        for (Section s : list)
            whole[s] = true;
    };
    if (changes.all || !written)
        std::fill(std::begin(whole), std::end(whole), true);
    // The header counts the nodes, members and types.
    if (changes.members)
        mark({AnalysisWriter::Header, AnalysisWriter::Elements});
    if (changes.types)
        mark({AnalysisWriter::Header, AnalysisWriter::Props, AnalysisWriter::Elements});
    for (ProjectModel::Section s : changes.sections) {
        switch (s) {
        case ProjectModel::Grid: std::fill(std::begin(whole), std::end(whole), true); break;
        case ProjectModel::Control:
            mark({AnalysisWriter::Header, AnalysisWriter::Props, AnalysisWriter::Shape});
            break;
        case ProjectModel::Drift: mark({AnalysisWriter::Drift}); break;
        case ProjectModel::Weights: mark({AnalysisWriter::Weights}); break;
        case ProjectModel::Loads: mark({AnalysisWriter::Loads}); break;
        case ProjectModel::Shape: mark({AnalysisWriter::Shape}); break;
        case ProjectModel::Quake: mark({AnalysisWriter::Quake}); break;
        }
    }
    // Records are rewritten in place only while their lines are all there.
    if (!changes.nodes.isEmpty() && parts[AnalysisWriter::Nodes].size() != model.nodes().size() + 2)
        mark({AnalysisWriter::Nodes});
    if (!changes.memberRecords.isEmpty() && parts[AnalysisWriter::Elements].size() != model.members().size() + 2)
        mark({AnalysisWriter::Elements});

    // Only a change of a part, never a record's values, can change what Generate refuses.
    std::optional<ProjectData> data;
    if (std::any_of(std::begin(whole), std::end(whole), [](bool b) { return b; })) {
        data.emplace(model.projectData());
        refusal = ModelCore::completenessMessage(*data);
    }

    QList<Edit> edits;
    int base = 0;
    for (int k = 0; k < AnalysisWriter::SectionCount; ++k) {
        const Section s = Section(k);
        if (whole[s]) {
            rewrite(s, *data, base, edits);
        } else if (s == AnalysisWriter::Nodes && !changes.nodes.isEmpty()) {
            QList<int> places;
            for (ModelKey key : changes.nodes)
                if (const int i = model.nodeIndex(key); i >= 0)
                    places.append(i);
            std::sort(places.begin(), places.end());
            rewriteRecords(s, places, base, edits,
                           [&](QTextStream &out, int i) { AnalysisWriter::writeNode(out, model.nodeData(i)); });
        } else if (s == AnalysisWriter::Elements && !changes.memberRecords.isEmpty()) {
            QList<int> places;
            for (ModelKey key : changes.memberRecords)
                if (const int i = model.memberIndex(key); i >= 0)
                    places.append(i);
            std::sort(places.begin(), places.end());
            rewriteRecords(s, places, base, edits,
                           [&](QTextStream &out, int i) { AnalysisWriter::writeElement(out, model.barData(i)); });
        }
        base += int(parts[s].size());
    }
    nodeCount = int(model.nodes().size());
    written = true;
    return edits;
}

int AnalysisText::lineCount() const
{
    int n = 0;
    for (const QStringList &p : parts)
        n += int(p.size());
    return n;
}

QString AnalysisText::text() const
{
    QString out;
    qsizetype size = 0;
    for (const QStringList &p : parts)
        for (const QString &l : p)
            size += l.size() + 1;
    out.reserve(size);
    for (const QStringList &p : parts)
        for (const QString &l : p)
            out += l + QLatin1Char('\n');
    return out;
}

QString AnalysisText::line(int number) const
{
    for (const QStringList &p : parts) {
        if (number < p.size())
            return number >= 0 ? p.at(number) : QString();
        number -= int(p.size());
    }
    return QString();
}

int AnalysisText::sectionStart(Section section) const
{
    int n = 0;
    for (int k = 0; k < section; ++k)
        n += int(parts[k].size());
    return n;
}

AnalysisText::Link AnalysisText::link(int line) const
{
    if (line < 0)
        return {};
    int start = 0;
    int k = 0;
    while (k < AnalysisWriter::SectionCount && line >= start + parts[k].size())
        start += int(parts[k++].size());
    if (k == AnalysisWriter::SectionCount)
        return {};
    const int rel = line - start;
    const int size = int(parts[k].size());
    // Rows between the part's title line and its closing blank line.
    auto row = [&](Kind kind, int rows) { return rel >= 1 && rel <= rows ? Link{kind, rel - 1} : Link{}; };
    switch (Section(k)) {
    case AnalysisWriter::Header: return {Control, -1};
    case AnalysisWriter::Drift: return {Drift, -1};
    case AnalysisWriter::Nodes: return row(Node, std::min(size - 2, nodeCount));
    case AnalysisWriter::Elements: return row(Member, size - 2);
    case AnalysisWriter::Weights: return row(Node, std::min(size - 2, nodeCount));
    case AnalysisWriter::Loads: return row(Node, std::min(size - 1, nodeCount));
    case AnalysisWriter::Props: {
        // A block ends at the blank line before the next one.
        for (int t = int(typeStarts.size()) - 1; t >= 0; --t) {
            if (rel < typeStarts.at(t))
                continue;
            const int end = t + 1 < typeStarts.size() ? typeStarts.at(t + 1) - 1 : size - 1;
            return rel < end ? Link{Type, t} : Link{};
        }
        return {};
    }
    case AnalysisWriter::Shape:
        if (rel == 1)
            return {Shape, -1};
        return rel >= 2 && nodeCount > 0 ? Link{Node, (rel - 2) % nodeCount} : Link{};
    case AnalysisWriter::Quake: return rel >= 1 ? Link{Quake, -1} : Link{};
    }
    return {};
}

int AnalysisText::nodeLine(int index) const
{
    return index >= 0 && index < parts[AnalysisWriter::Nodes].size() - 2
               ? sectionStart(AnalysisWriter::Nodes) + 1 + index
               : -1;
}

int AnalysisText::memberLine(int index) const
{
    return index >= 0 && index < parts[AnalysisWriter::Elements].size() - 2
               ? sectionStart(AnalysisWriter::Elements) + 1 + index
               : -1;
}

int AnalysisText::typeLine(int index) const
{
    if (index < 0 || index >= typeStarts.size())
        return -1;
    return sectionStart(AnalysisWriter::Props) + typeStarts.at(index);
}

QList<int> AnalysisText::nodeValueLines(int index) const
{
    QList<int> out;
    if (index < 0 || index >= nodeCount)
        return out;
    if (index < parts[AnalysisWriter::Weights].size() - 2)
        out.append(sectionStart(AnalysisWriter::Weights) + 1 + index);
    if (index < parts[AnalysisWriter::Loads].size() - 1)
        out.append(sectionStart(AnalysisWriter::Loads) + 1 + index);
    const int shape = sectionStart(AnalysisWriter::Shape);
    for (int r = index; r < parts[AnalysisWriter::Shape].size() - 2; r += nodeCount)
        out.append(shape + 2 + r);
    return out;
}
