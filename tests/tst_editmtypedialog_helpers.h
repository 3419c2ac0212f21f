#ifndef TST_EDITMTYPEDIALOG_HELPERS_H
#define TST_EDITMTYPEDIALOG_HELPERS_H

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
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
    // Clicks a button; the "title|text" of the message box it opened, or empty.
    QString refusal(const char *button = "okBtn")
    {
        QString text;
        QTimer::singleShot(0, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                text = box->windowTitle() + QLatin1Char('|') + box->text();
                box->close();
            }
        });
        click(button);
        QCoreApplication::processEvents();
        return text;
    }
    // Shows the selected record again from its stored values.
    void reshow() { click("cancelBtn"); }
    // Types values into fields: names[i] gets start + i.
    void type(const QStringList &names, double start)
    {
        for (int i = 0; i < names.size(); ++i)
            le(qPrintable(names.at(i)))->setText(QString::number(start + i));
    }
};

// Answers every message box that opens while it lives, from inside the box's
// own loop, with the button of that text; remembers what each box asked.
struct Answer
{
    QStringList asked;
    QTimer timer;

    explicit Answer(const QString &button)
    {
        timer.setInterval(0);
        QObject::connect(&timer, &QTimer::timeout, [this, button] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            asked << box->text();
            QAbstractButton *chosen = nullptr;
            for (QAbstractButton *b : box->buttons())
                if (b->text().remove(QLatin1Char('&')) == button)
                    chosen = b;
            const QMessageBox::ButtonRole role = chosen ? box->buttonRole(chosen) : QMessageBox::InvalidRole;
            const bool rightRole = (button == QLatin1String("Store") && role == QMessageBox::AcceptRole)
                                   || (button == QLatin1String("Discard") && chosen == box->button(QMessageBox::Discard))
                                   || (button == QLatin1String("Keep editing") && role == QMessageBox::RejectRole);
            if (chosen && rightRole) {
                chosen->click();
            } else {
                asked.last() += QStringLiteral(" [no button ") + button + QLatin1Char(']');
                box->done(0);
            }
        });
        timer.start();
    }
};

inline void checkArray(const double *a, int n, double start)
{
    for (int i = 0; i < n; ++i)
        QCOMPARE(a[i], start + i);
}

#endif
