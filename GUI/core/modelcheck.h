#ifndef MODELCHECK_H
#define MODELCHECK_H

// Every problem of a model, each located on the item it concerns. Errors are
// what makes Generate refuse the model; warnings are what it writes although
// the analysis is unlikely to be what was meant. Qt Core only.

#include <QHash>
#include <QList>
#include <QString>

#include <vector>

struct ModelData;
struct NodeRecord;

namespace ModelCheck {

struct Problem {
    enum Severity { Error, Warning };
    // Section: number is a ProjectModel::Section; Model: number is 0.
    enum Item { Model, Node, Member, MemberType, Section };
    Severity severity = Warning;
    Item item = Model;
    int number = 0;       // node, member or member type number (from 1)
    QString text;         // the problem without its item
    // "member 12: no member type"
    QString line() const;
    bool operator==(const Problem &o) const;
};

// Errors first, in the order of Generate's message, then warnings by item and number.
// `projectFile` is the model's file, in whose folder a relative record name
// is found (empty: the current folder). The record is read again only when
// its file or the options that read it changed.
QList<Problem> check(const ModelData &data, const QString &projectFile);

// The nodes placed on the grid of their distinct ordinates, to find the nodes
// a straight member passes over (the check's test, and where a grid edit splits).
class NodePlaces
{
public:
    explicit NodePlaces(const QList<NodeRecord> &nodes);
    // Places (from 0) of the nodes strictly inside the segment from node a to
    // node b, ascending by column (by row for an upright one).
    QList<int> between(int a, int b) const;

private:
    int column(double x) const;
    int row(double y) const;
    qint64 key(int column, int row) const { return qint64(column) * qint64(ys.size()) + row; }

    const QList<NodeRecord> &nodes;
    std::vector<double> xs, ys;
    QHash<qint64, int> nodeOn;
    double tolerance = 0.0;
};

// "error: member 12: no member type"
QString format(const Problem &problem);
// "2 errors, 1 warning"
QString summary(const QList<Problem> &problems);

} // namespace ModelCheck

#endif // MODELCHECK_H
