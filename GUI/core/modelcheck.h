#ifndef MODELCHECK_H
#define MODELCHECK_H

// Every problem of a model, each located on the item it concerns. Errors are
// what makes Generate refuse the model; warnings are what it writes although
// the analysis is unlikely to be what was meant. Qt Core only.

#include <QList>
#include <QString>

struct ModelData;

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

// "error: member 12: no member type"
QString format(const Problem &problem);
// "2 errors, 1 warning"
QString summary(const QList<Problem> &problems);

} // namespace ModelCheck

#endif // MODELCHECK_H
