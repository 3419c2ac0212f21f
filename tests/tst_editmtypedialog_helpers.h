#ifndef TST_EDITMTYPEDIALOG_HELPERS_H
#define TST_EDITMTYPEDIALOG_HELPERS_H

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "editmtypedialog.h"
#include "member.h"

// Drives the member type dialog through its widgets, as a user would.
struct MTypeForm
{
    editMTypeDialog d;

    template <class T>
    T *get(const char *name)
    {
        T *w = d.findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("missing widget %s", name);
        return w;
    }
    QLineEdit *le(const char *name) { return get<QLineEdit>(name); }
    QComboBox *cb(const char *name) { return get<QComboBox>(name); }
    QGroupBox *gb(const char *name) { return get<QGroupBox>(name); }
    void click(const char *name) { get<QPushButton>(name)->click(); }
    bool shown(const char *name) { return get<QWidget>(name)->isVisibleTo(&d); }
    // A field counts as shown only together with its label.
    bool fieldShown(const char *name)
    {
        QWidget *w = get<QWidget>(name);
        const QLabel *l = d.findChild<QLabel *>(QStringLiteral("lbl_") + QString::fromLatin1(name));
        const bool visible = w->isVisibleTo(&d);
        if (l && l->isVisibleTo(&d) != visible)
            qFatal("label of %s disagrees with its field", name);
        return visible;
    }
    void set(const char *name, const QString &text) { le(name)->setText(text); }
    QString text(const char *name) { return le(name)->text(); }
    void pick(const char *combo, const QString &item)
    {
        QComboBox *c = cb(combo);
        const int i = c->findText(item);
        if (i < 0)
            qFatal("combo %s has no item %s", combo, qPrintable(item));
        c->setCurrentIndex(i);
    }
    QString current(const char *combo) { return cb(combo)->currentText(); }
    QStringList items(const char *combo)
    {
        QStringList out;
        QComboBox *c = cb(combo);
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i);
        return out;
    }
    Member *add(int type)
    {
        cb("mTypeCBox")->setCurrentIndex(type);
        click("addBtn");
        return d.getMembersTypes().last();
    }
    void ok() { click("okBtn"); }
    // Shows the selected record again from its stored values.
    void reshow() { click("cancelBtn"); }
    // Types values into fields: names[i] gets start + i.
    void type(const QStringList &names, double start)
    {
        for (int i = 0; i < names.size(); ++i)
            le(qPrintable(names.at(i)))->setText(QString::number(start + i));
    }
};

inline void checkArray(const double *a, int n, double start)
{
    for (int i = 0; i < n; ++i)
        QCOMPARE(a[i], start + i);
}

#endif
