#ifndef NODETABLEDIALOG_H
#define NODETABLEDIALOG_H

#include <QDialog>
#include <QList>
#include <QModelIndex>

#include <functional>

class QGroupBox;
class QMenu;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// A dialog around a table with one row per node: the node id in column 0 and
// three values in columns 1 to 3, kept in three lists of doubles that the
// subclass owns. The weights, loads and shape dialogs are faces of it.
//
// The lists are one entry per row only after a store: every setTable() appends
// a zero per row, so the stored values keep their row positions and new rows
// start at 0; the next store cuts the lists back to the row count.
class NodeTableDialog : public QDialog
{
    Q_OBJECT

public:
    ~NodeTableDialog() override;

    // Sets the rows for the given node ids (column 0), keeping the cells of
    // the rows that stay, and appends one 0.0 per row to each list.
    void setTable(const QList<int> &ids);
    // Shows the lists in columns 1 to 3 (entries past the last row are not shown).
    void setByLists();
    // Reads columns 1 to 3 back into the lists; empty (or non-numeric, which OK refuses) cells give 0,
    // a cell still showing a stored value gives that value to the last bit.
    void save();
    // Empties every cell (the row count stays).
    void deleteAll();
    // The node cell's tool tip for a node id, asked when it is hovered ("(12,7) STORY-3").
    void setNodeTip(const std::function<QString(int id)> &tip) { nodeTip = tip; }
    // Replaces the three lists as a whole.
    void setLists(const QList<double> &first, const QList<double> &second,
                  const QList<double> &third);

signals:
    // The lists were stored from the table (OK, or Escape restoring them).
    void stored();

public slots:
    void copy();
    void paste();
    // Escape: restore the table from the lists, store it, then close.
    void reject() override;

protected:
    // Where the group box, table and buttons go on a resize, as offsets from
    // the dialog's width and height.
    struct Frame {
        int boxWidth, boxHeight;      // group box: (width - boxWidth, height - boxHeight)
        int tableWidth, tableHeight;  // table: (width - tableWidth, height - tableHeight)
        int cancelX;                  // Cancel at (width - cancelX, height - 30)
    };

    explicit NodeTableDialog(QWidget *parent = nullptr);

    // Called by the subclass once its form is built.
    void bindForm(QTableWidget *table, QGroupBox *box, QPushButton *okButton,
                  QPushButton *cancelButton, const Frame &frame, bool clipboardMenu);

    // The list shown in column 1, 2 or 3.
    virtual QList<double> &values(int column) = 0;
    // Hooks for what a face keeps beside the table.
    virtual void afterSetTable() {}
    virtual void afterStore() {}

    // What the subclasses' button, selection and press slots do.
    void okPressed();
    void cancelPressed();
    void selectionChanged();
    void cellPressed(const QModelIndex &pressedIndex);

    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

    QList<QTableWidgetItem *> itemsSelected;
    QModelIndex index;   // the cell last pressed with the right button: where Paste goes

private:
    void store();
    void restoreAndStore();
    // False, after telling the user, when a cell holds text that is no number.
    bool checkCells();

    // Cells that still hold what setByLists() put there; anything else that
    // changes a cell (typing, pasting, a test) makes it count as changed.
    // Opening and OK then only look at changed cells: tens of thousands are not.
    bool unchanged(int row, int column) const;
    void cellsChanged(const QModelIndex &from, const QModelIndex &to);
    void forgetShown();

    QTableWidget *table = nullptr;
    std::function<QString(int)> nodeTip;
    QList<int> shownIds;   // the node ids the rows show
    QList<double> shown[3];     // by column 1 to 3: the value each row's cell was given
    QList<bool> untouched[3];   // and whether the cell still holds it
    bool filling = false;       // setByLists() is writing the cells
    QGroupBox *groupBox = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *cancelButton = nullptr;
    Frame frame = {50, 80, 70, 110, 200};
    QMenu *menu = nullptr;
    Qt::MouseButton lastButton = Qt::NoButton;
};

#endif // NODETABLEDIALOG_H
