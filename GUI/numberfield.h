#ifndef NUMBERFIELD_H
#define NUMBERFIELD_H

// Typed numbers are taken only as finite decimals in the C locale (or whole
// numbers where the value is an integer). Anything else used to be read as 0
// without a word; now the field is marked while it holds it, and OK refuses
// it naming the field, so nothing is stored.

#include <QList>
#include <QString>
#include <QStyledItemDelegate>

class QLineEdit;
class QTableWidget;
class QWidget;

namespace NumberField {

enum Kind { Real, Whole };

// Empty when text is such a number, else why not: "must be a number" or
// "must be a whole number".
QString fault(const QString &text, Kind kind = Real);

// The fault of a watched edit: one still showing its stored value has none.
QString fault(const QLineEdit *edit);

// Marks edit (red frame, tool tip saying why) whenever its text changes to
// one that is no number; name is how the messages call it.
void watch(QLineEdit *edit, const QString &name, Kind kind = Real);

// The text of the label the user sees for field: the label whose buddy it is,
// or else the one left of it in its grid row with the column's heading
// ("PYC (END 2)"). Empty when there is none.
QString labelName(QWidget *field);

// Whether edit is watched and would be read: shown and enabled.
bool isChecked(const QLineEdit *edit);

// The first checked edit within scope that holds no number: tells the user
// ("END1 must be a number") and puts the cursor there. True when there is none.
bool check(QWidget *scope);
bool check(const QList<QLineEdit *> &edits);

// Frames cells from column firstColumn on that hold text that is no number;
// an empty cell stands for 0. Its tool tip says why.
class CellDelegate : public QStyledItemDelegate
{
public:
    CellDelegate(int firstColumn, QObject *parent);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

private:
    int first;
};

// The fault of a table cell's text; empty text, or a cell still showing its
// stored value, has none.
QString cellFault(const QModelIndex &index);

// Tells the user about a bad cell ("WX of node 12 must be a number") and
// selects it.
void refuseCell(QTableWidget *table, int row, int column, const QString &why);

} // namespace NumberField

#endif // NUMBERFIELD_H
