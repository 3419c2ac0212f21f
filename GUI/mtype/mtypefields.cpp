#include "mtypefields.h"

#include "numberfield.h"
#include "shownvalue.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace MTypeFields {

namespace {

QString num(double v)
{
    return QString::number(v, 'g', 10);
}

// Text that is not a finite number is stored as 0, without a message.
double value(const QLineEdit *edit)
{
    return ShownValue::typed(edit->text());
}

} // namespace

void showNumber(QLineEdit *edit, double v)
{
    ShownValue::show(edit, num(v), v);
}

double shownValue(const QLineEdit *edit)
{
    return ShownValue::read(edit, value(edit));
}

void fill(const QList<QLineEdit *> &edits, const double *values)
{
    for (int i = 0; i < edits.size(); ++i)
        showNumber(edits.at(i), values[i]);
}

void read(const QList<QLineEdit *> &edits, double *values)
{
    for (int i = 0; i < edits.size(); ++i)
        if (NumberField::fault(edits.at(i)).isEmpty())
            values[i] = shownValue(edits.at(i));
}

void select(QComboBox *box, int index)
{
    if (box->count() == 0)
        return;
    const QSignalBlocker blocker(box);
    ShownValue::show(box, std::clamp(index, 0, box->count() - 1), index);
}

void selectNumber(QComboBox *box, int number)
{
    if (box->count() == 0)
        return;
    const QSignalBlocker blocker(box);
    ShownValue::show(box, std::max(0, box->findText(QString::number(number))), number);
}

int chosenIndex(const QComboBox *box)
{
    return ShownValue::read(box, box->currentIndex());
}

int chosenNumber(const QComboBox *box)
{
    return ShownValue::read(box, box->currentText().toInt());
}

} // namespace MTypeFields
