#ifndef EDITGRIDDIALOG_H
#define EDITGRIDDIALOG_H

#include <QDialog>
#include <QStringList>

namespace Ui {
class editGridDialog;
}

class QTableWidget;

// Where the user types the X and Y grid lines. The dialog owns the model's
// grid: XLines/YLines hold the ordinates as text, XIds/YIds their labels.
// The lists change only on a successful OK, so whatever happens while the
// dialog is open they keep describing the grid that is drawn.
class editGridDialog : public QDialog
{
    Q_OBJECT

public:
    explicit editGridDialog(QWidget *parent = nullptr);
    ~editGridDialog() override;

    QStringList getXLines() const { return XLines; }
    QStringList getYLines() const { return YLines; }
    QStringList getXIds() const { return XIds; }
    QStringList getYIds() const { return YIds; }
    void setXLines(const QStringList &lines) { XLines = lines, xFrom.clear(); }
    void setYLines(const QStringList &lines) { YLines = lines, yFrom.clear(); }
    // After an OK, for each line of XLines (YLines): the row of the loaded grid it
    // was typed in, or -1 for a row added since. Each row carries its origin, so
    // rows inserted above it do not change it. Empty when the lists were set directly.
    QList<int> getXFrom() const { return xFrom; }
    QList<int> getYFrom() const { return yFrom; }
    void setXIds(const QStringList &ids) { XIds = ids; }
    void setYIds(const QStringList &ids) { YIds = ids; }

    // Default output flags of new nodes and new members (0 to 3).
    int getNodesIOut() const;
    int getElemetsIOut() const;
    void setNodesIOut(int iout);
    void setElementsIOut(int iout);

    // Starts the numbering of appended rows again; the grid itself is kept.
    void init();
    // Loads the tables (and the IOUT combos) from the accepted grid.
    void setTables();
    // init(), then 50 empty rows in each table.
    void addInitRows();
    // Both line lists ascending by value, rewritten in 'g' notation.
    void sortLines();
    // Rebuild the lists from the tables' non-empty ordinate cells.
    void setXLines();
    void setYLines();

    // "n@s": n lines (1 to 1000) at spacing s; false for other text.
    static bool isSpacing(const QString &text, int *n = nullptr, double *s = nullptr);

signals:
    void updateGrid(bool option);

protected:
    // In a table, Enter goes to the next row (OK is its button's) and Delete empties the selected cells.
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_okBtn_clicked();
    void on_cancelBtn_clicked();
    void on_addXRowBtn_clicked();
    void on_addYRowBtn_clicked();

private:
    enum TableCheck { ValuesGood, ValuesBad, DuplicateAxes };
    // The first refused cell's row, -1 for none, with why in `detail`.
    static TableCheck checkTable(const QTableWidget *table, int *badRow = nullptr, QString *detail = nullptr);
    static QStringList ordinates(const QTableWidget *table);
    static QList<int> origins(const QTableWidget *table);
    // Replaces an n@s cell by its n lines; false when the line before it is no number.
    bool expand(QTableWidget *table, int row);
    void cellChanged(QTableWidget *table, int row, int column);
    static void appendRow(QTableWidget *table, int number);
    static void fillTable(QTableWidget *table, const QStringList &lines, const QStringList &ids);

    Ui::editGridDialog *ui;
    QStringList XLines;
    QStringList YLines;
    QStringList XIds;
    QStringList YIds;
    // Accepted IOUT defaults; the combos are the working copy.
    int nodesIOut = 0;
    int elementsIOut = 0;
    // Rows appended since the last init(): they number the new rows.
    int xAddedRows = 0;
    int yAddedRows = 0;
    bool expanding = false;
    // The lines' origins after an OK.
    QList<int> xFrom;
    QList<int> yFrom;
};

#endif // EDITGRIDDIALOG_H
