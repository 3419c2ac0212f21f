#ifndef MTYPEFIELDS_H
#define MTYPEFIELDS_H

// How the member type form shows a record's numbers and codes and reads them
// back: a field left as shown gives back the record's value itself.

#include <QList>

class QComboBox;
class QLineEdit;

namespace MTypeFields {

// The text holds 10 digits.
void showNumber(QLineEdit *edit, double v);
double shownValue(const QLineEdit *edit);

void fill(const QList<QLineEdit *> &edits, const double *values);
// A field holding no number stores nothing: shown, OK refuses it first; hidden
// or disabled, it keeps the record's value.
void read(const QList<QLineEdit *> &edits, double *values);

// Selects an item without running the combo's handler; out of range picks the
// nearest item, but until another item is chosen chosenIndex() gives index.
void select(QComboBox *box, int index);
// The same for a combo whose items are the stored numbers: chosenNumber() gives number.
void selectNumber(QComboBox *box, int number);
int chosenIndex(const QComboBox *box);
int chosenNumber(const QComboBox *box);

} // namespace MTypeFields

#endif // MTYPEFIELDS_H
