#ifndef HYSTERESISPANEL_H
#define HYSTERESISPANEL_H

#include <QList>
#include <QString>

class QBoxLayout;
class QComboBox;
class QGroupBox;
class QLineEdit;
class Member;
struct MTypeState;

// The hysteresis rule groups of the member type form. Every rule is one row of
// a table (its code, group, fields and the record arrays they fill), so that
// showing and storing any rule is the same loop.
class HysteresisPanel
{
public:
    explicit HysteresisPanel(MTypeState &state);

    void hideAll();
    // The group of rule code alone, in slot, filled from the record shown;
    // a code without a group hides them all.
    void showRule(int code, QBoxLayout *slot);
    // Only the chosen rule is stored; the parameters of the others keep their values.
    void readRule(int code);
    // RATIO and EBLKT of rule 53 only matter when buckling is included; they are stored anyway.
    void bucklingChosen(int index);

    // The concrete rules 54 and 33 hold one row per kind of concrete, shown
    // by their own combo and stored only by their own Save button. Their
    // group shows beside a steel group: it hides no other group.
    void showConcrete(int code, QBoxLayout *slot);
    void kindChosen(int code, int index);
    void saveKind(int code);
    void cancelKind(int code);
    // The rule's name (its group's title); empty for a code the table lacks.
    QString name(int code) const;
    // The kind names follow the language.
    void retranslate();

private:
    // An int of the record shown as a combo item: value = item index + offset.
    struct Choice
    {
        Choice(QComboBox *c, int o, int (*g)(const Member &, int), void (*s)(Member &, int, int),
               void (HysteresisPanel::*ch)(int) = nullptr)
            : combo(c), offset(o), get(g), set(s), chosen(ch) {}
        QComboBox *combo;
        int offset;
        int (*get)(const Member &, int kind);
        void (*set)(Member &, int kind, int value);
        void (HysteresisPanel::*chosen)(int index);  // fields that follow the item
    };
    struct Rule
    {
        Rule(int c, QGroupBox *g, const QList<QLineEdit *> &e = {}, double *(*v)(Member &, int kind) = nullptr,
             const QList<Choice> &ch = {})
            : code(c), group(g), edits(e), values(v), choices(ch) {}
        int code;
        QGroupBox *group;
        QList<QLineEdit *> edits;
        double *(*values)(Member &, int kind);  // the array edits fill
        QList<Choice> choices;
        QComboBox *kindBox = nullptr;  // concrete: the kind whose row is shown
        QLineEdit *kindName = nullptr;
    };

    const Rule *find(int code) const;
    const Rule &concrete(int code) const;
    void fillRule(const Rule &rule, int kind);
    void storeRule(const Rule &rule, int kind);
    void showKind(const Rule &rule, int kind);

    MTypeState &state;
    QList<Rule> rules;
    QList<Rule> concretes;
};

#endif // HYSTERESISPANEL_H
