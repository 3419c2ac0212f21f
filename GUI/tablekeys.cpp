#include "tablekeys.h"

#include <QTableWidget>

bool TableKeys::emptySelected(QTableWidget *table)
{
    for (QTableWidgetItem *item : table->selectedItems())
        if (item->flags() & Qt::ItemIsEditable)
            item->setText(QString());
    return true;
}
