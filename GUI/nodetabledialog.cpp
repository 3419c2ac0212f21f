#include "nodetabledialog.h"

#include "numberfield.h"
#include "shownvalue.h"
#include "tablekeys.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCursor>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableWidget>
#include <QToolTip>

#include <algorithm>
#include <cstring>

NodeTableDialog::NodeTableDialog(QWidget *parent) : QDialog(parent)
{
}

NodeTableDialog::~NodeTableDialog()
{
    // The table goes with the dialog's children, after this part of the
    // dialog: its last changes must not reach it.
    if (table)
        disconnect(table->model(), nullptr, this, nullptr);
}

void NodeTableDialog::bindForm(QTableWidget *tableWidget, QGroupBox *box, QPushButton *ok,
                               QPushButton *cancel, const Frame &f, bool clipboardMenu)
{
    table = tableWidget;
    groupBox = box;
    okButton = ok;
    cancelButton = cancel;
    frame = f;
    setMinimumSize(480, 280);
    table->setItemDelegate(new NumberField::CellDelegate(1, table));
    connect(table->model(), &QAbstractItemModel::dataChanged, this, &NodeTableDialog::cellsChanged);
    connect(table->model(), &QAbstractItemModel::modelReset, this, &NodeTableDialog::forgetShown);
    connect(table->model(), &QAbstractItemModel::layoutChanged, this, &NodeTableDialog::forgetShown);
    connect(table->model(), &QAbstractItemModel::rowsInserted, this, &NodeTableDialog::forgetShown);
    connect(table->model(), &QAbstractItemModel::rowsRemoved, this, &NodeTableDialog::forgetShown);

    // Ctrl+C, Ctrl+V and Delete, as in every spreadsheet; the node cells' tool tips.
    table->installEventFilter(this);
    table->viewport()->installEventFilter(this);
    if (clipboardMenu) {
        // The press signal does not say which button was used; the viewport does.
        menu = new QMenu(this);
        connect(menu->addAction(QStringLiteral("Copy")), &QAction::triggered, this, &NodeTableDialog::copy);
        connect(menu->addAction(QStringLiteral("Paste")), &QAction::triggered, this, &NodeTableDialog::paste);
    }
}

bool NodeTableDialog::unchanged(int row, int column) const
{
    const QList<bool> &flags = untouched[column - 1];
    return row < flags.size() && flags.at(row);
}

void NodeTableDialog::cellsChanged(const QModelIndex &from, const QModelIndex &to)
{
    if (filling)
        return;
    for (int column = qMax(1, from.column()); column <= qMin(3, to.column()); ++column) {
        QList<bool> &flags = untouched[column - 1];
        for (int row = from.row(); row <= to.row() && row < flags.size(); ++row)
            flags[row] = false;
    }
}

void NodeTableDialog::forgetShown()
{
    if (filling)
        return;
    for (QList<bool> &flags : untouched)
        flags.clear();
}

void NodeTableDialog::deleteAll()
{
    // The selection may point at the items about to be deleted.
    itemsSelected.clear();
    table->clearContents();
    shownIds.clear();
}

// The items are kept between showings: a large model has tens of thousands
// of cells, and building them anew made every opening slow. Rows keep their
// places, so only the ids that changed are set.
void NodeTableDialog::setTable(const QList<int> &ids)
{
    const int rows = int(ids.size());
    if (ids != shownIds || table->rowCount() != rows) {
        itemsSelected.clear();
        table->setUpdatesEnabled(false);
        table->setRowCount(rows);
        for (int row = 0; row < rows; ++row) {
            if (row < shownIds.size() && shownIds.at(row) == ids.at(row) && table->item(row, 0))
                continue;
            auto *item = new QTableWidgetItem(QString::number(ids.at(row)));
            item->setFlags(Qt::NoItemFlags);
            table->setItem(row, 0, item);
        }
        table->setUpdatesEnabled(true);
        shownIds = ids;
    }
    for (int column = 1; column <= 3; ++column) {
        QList<double> &list = values(column);
        list.reserve(list.size() + rows);
        for (int row = 0; row < rows; ++row)
            list.append(0.0);
    }
    afterSetTable();
}

namespace {

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

void NodeTableDialog::setByLists()
{
    table->setUpdatesEnabled(false);
    const int rows = table->rowCount();
    for (int column = 1; column <= 3; ++column) {
        const QList<double> &list = values(column);
        QList<double> &given = shown[column - 1];
        QList<bool> &flags = untouched[column - 1];
        given.resize(rows);
        flags.resize(rows);
        for (int row = 0; row < rows; ++row) {
            if (row >= list.size()) {
                filling = true;
                if (QTableWidgetItem *item = table->item(row, column)) {
                    itemsSelected.removeAll(item);
                    delete table->takeItem(row, column);
                }
                filling = false;
                flags[row] = false;
                continue;
            }
            const double v = list.at(row);
            // A cell already showing the value is left alone: most are, on a reopening.
            if (flags.at(row) && sameBits(given.at(row), v))
                continue;
            QTableWidgetItem *item = table->item(row, column);
            filling = true;
            if (item) {
                const QVariant was = item->data(ShownValue::valueRole);
                if (!was.isValid() || !sameBits(was.toDouble(), v)
                    || item->text() != item->data(ShownValue::textRole).toString()) {
                    const QString text = QString::number(v, 'g', 10);
                    item->setData(ShownValue::valueRole, v);
                    item->setData(ShownValue::textRole, text);
                    item->setText(text);
                }
            } else {
                table->setItem(row, column, ShownValue::cell(QString::number(v, 'g', 10), v));
            }
            filling = false;
            given[row] = v;
            flags[row] = true;
        }
    }
    table->setUpdatesEnabled(true);
}

void NodeTableDialog::save()
{
    for (int column = 1; column <= 3; ++column) {
        values(column).clear();
        values(column).reserve(table->rowCount());
    }
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 1; column <= 3; ++column) {
            if (unchanged(row, column)) {
                values(column).append(shown[column - 1].at(row));
                continue;
            }
            const QTableWidgetItem *item = table->item(row, column);
            // A cell still showing its stored value's 10 digits gives back that value itself.
            values(column).append(item ? ShownValue::read(item, ShownValue::typed(item->text())) : 0.0);
        }
    }
}

bool NodeTableDialog::checkCells()
{
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 1; column <= 3; ++column) {
            const QTableWidgetItem *item = table->item(row, column);
            // What setByLists() wrote is a number.
            if (!item || unchanged(row, column))
                continue;
            const QString why = NumberField::cellFault(table->model()->index(row, column));
            if (!why.isEmpty()) {
                NumberField::refuseCell(table, row, column, why);
                return false;
            }
        }
    }
    return true;
}

void NodeTableDialog::setLists(const QList<double> &first, const QList<double> &second,
                               const QList<double> &third)
{
    values(1) = first;
    values(2) = second;
    values(3) = third;
}

void NodeTableDialog::store()
{
    save();
    afterStore();
    emit stored();
}

void NodeTableDialog::restoreAndStore()
{
    cancelPressed();
    store();
}

void NodeTableDialog::okPressed()
{
    // Nothing is stored while a cell or field holds text that is no number.
    if (!checkCells() || !NumberField::check(this))
        return;
    store();
    accept();
}

void NodeTableDialog::cancelPressed()
{
    setByLists();
}

void NodeTableDialog::reject()
{
    restoreAndStore();
    QDialog::reject();
}

void NodeTableDialog::closeEvent(QCloseEvent *event)
{
    // The title bar's close button ends the same way as Escape.
    if (isVisible())
        reject();
    event->accept();
}

void NodeTableDialog::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    const int w = event->size().width();
    const int h = event->size().height();
    groupBox->setFixedSize(w - frame.boxWidth, h - frame.boxHeight);
    table->setFixedSize(w - frame.tableWidth, h - frame.tableHeight);
    okButton->move(80, h - 30);
    cancelButton->move(w - frame.cancelX, h - 30);
}

bool NodeTableDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (table && watched == table->viewport() && event->type() == QEvent::MouseButtonPress)
        lastButton = static_cast<QMouseEvent *>(event)->button();
    if (table && watched == table->viewport() && event->type() == QEvent::ToolTip && nodeTip) {
        // Made when asked: a table may have tens of thousands of rows.
        const auto *help = static_cast<QHelpEvent *>(event);
        const int row = table->rowAt(help->pos().y());
        if (table->columnAt(help->pos().x()) == 0 && row >= 0 && row < shownIds.size()) {
            QToolTip::showText(help->globalPos(), nodeTip(shownIds.at(row)), table->viewport());
            return true;
        }
    }
    if (table && watched == table && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Copy)) {
            copy();
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            index = table->currentIndex();   // at the current cell, as the menu's at the pressed one
            paste();
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier)
            return TableKeys::emptySelected(table);
    }
    return QDialog::eventFilter(watched, event);
}

void NodeTableDialog::selectionChanged()
{
    itemsSelected = table->selectedItems();
}

void NodeTableDialog::cellPressed(const QModelIndex &pressedIndex)
{
    if (!menu || lastButton != Qt::RightButton)
        return;
    index = pressedIndex;
    menu->popup(QCursor::pos());
}

void NodeTableDialog::copy()
{
    // Read the selection afresh: stored item pointers die with a rebuilt table.
    itemsSelected = table->selectedItems();
    if (itemsSelected.isEmpty())
        return;

    // The block is read column by column; the view reports it row by row.
    QList<QTableWidgetItem *> items = itemsSelected;
    std::sort(items.begin(), items.end(), [](const QTableWidgetItem *l, const QTableWidgetItem *r) {
        return l->column() != r->column() ? l->column() < r->column() : l->row() < r->row();
    });
    int rows = 1;
    while (rows < items.size() && items.at(rows)->row() > items.at(rows - 1)->row())
        ++rows;
    const int columns = int(items.size()) / rows;

    QString text;
    for (int r = 0; r < rows; ++r) {
        for (int k = 0; k < columns; ++k) {
            if (k > 0)
                text += QLatin1Char('\t');
            text += items.at(k * rows + r)->text();
        }
        text += QLatin1Char('\n');
    }
    QGuiApplication::clipboard()->setText(text);
}

void NodeTableDialog::paste()
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty() || !index.isValid())
        return;
    const int firstRow = index.row();
    const int firstColumn = index.column();
    if (firstRow >= table->rowCount())
        return;

    QStringList lines = text.split(QLatin1Char('\n'));
    // A block ended by a line feed leaves an empty last part; text from other
    // programs often lacks that line feed, and its last line is data.
    if (lines.last().isEmpty())
        lines.removeLast();
    if (table->rowCount() < firstRow + lines.size()) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"),
                              QStringLiteral("You have chosen more items than suitable."));
        return;
    }

    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringList cells = line.split(QLatin1Char('\t'));
        for (int j = 0; j < cells.size(); ++j) {
            const int column = firstColumn + j;
            // Node ids never change, and there is no cell right of the last column.
            if (column < 1 || column >= table->columnCount())
                continue;
            QTableWidgetItem *item = table->item(firstRow + i, column);
            if (item)
                item->setText(cells.at(j));
            else
                table->setItem(firstRow + i, column, new QTableWidgetItem(cells.at(j)));
        }
    }
}
