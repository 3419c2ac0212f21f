#ifndef TABLEKEYS_H
#define TABLEKEYS_H

class QTableWidget;

// The keys every spreadsheet has, shared by the window's tables.
namespace TableKeys {
// Delete: the selected cells that may be edited are emptied, as clearing each by hand would.
bool emptySelected(QTableWidget *table);
}

#endif // TABLEKEYS_H
