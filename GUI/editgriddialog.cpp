#include "editgriddialog.h"
#include "ui_editgriddialog.h"

#include "fieldtext.h"
#include "projectdata.h"
#include "tablekeys.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTableWidgetItem>

#include <algorithm>
#include <cmath>

namespace {

const int initialRows = 50;
// Where a row of the loaded grid keeps the place of its line.
const int originRole = Qt::UserRole;

// Whole-text patterns of an accepted ordinate. The decimal point is a literal
// '.', and only ASCII digits count: anything else would not convert to a
// number and would silently become 0.
bool isOrdinate(const QString &text)
{
    static const QRegularExpression patterns[] = {
        QRegularExpression(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]+"))),
        QRegularExpression(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]+\\.[0-9]+"))),
        QRegularExpression(QRegularExpression::anchoredPattern(QStringLiteral("-[0-9]+"))),
        QRegularExpression(QRegularExpression::anchoredPattern(QStringLiteral("-[0-9]+\\.[0-9]+"))),
    };
    bool matched = false;
    for (const QRegularExpression &re : patterns) {
        if (re.match(text).hasMatch()) {
            matched = true;
            break;
        }
    }
    if (!matched)
        return false;
    // A digit string too long for a double is no usable ordinate either.
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok && std::isfinite(v);
}

// An ordinate as the dialog writes it: 15 significant digits and never an
// exponent ("1e-05"), which isOrdinate() would refuse when the grid is next edited.
QString ordinateText(double v)
{
    const QString shortest = QString::number(v, 'g', 15);
    if (!shortest.contains(QLatin1Char('e')))
        return shortest;
    const int decimals = std::max(0, 14 - int(std::floor(std::log10(std::fabs(v)))));
    QString fixed = QString::number(v, 'f', decimals);
    if (fixed.contains(QLatin1Char('.'))) {
        while (fixed.endsWith(QLatin1Char('0')))
            fixed.chop(1);
        if (fixed.endsWith(QLatin1Char('.')))
            fixed.chop(1);
    }
    return fixed;
}

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

QTableWidgetItem *blankIdItem()
{
    auto *item = new QTableWidgetItem(QString());
    item->setFlags(Qt::NoItemFlags);
    return item;
}

} // namespace

editGridDialog::editGridDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::editGridDialog)
{
    ui->setupUi(this);
    ui->setXTableWidget->setColumnWidth(1, 110);
    ui->setYTableWidget->setColumnWidth(1, 110);
    setFixedSize(size());
    ui->okBtn->setFocus();
    for (QTableWidget *table : {ui->setXTableWidget, ui->setYTableWidget}) {
        table->installEventFilter(this);
        connect(table, &QTableWidget::cellChanged, this,
                [this, table](int row, int column) { cellChanged(table, row, column); });
    }
}

editGridDialog::~editGridDialog()
{
    delete ui;
}

int editGridDialog::getNodesIOut() const
{
    return nodesIOut;
}

int editGridDialog::getElemetsIOut() const
{
    return elementsIOut;
}

void editGridDialog::setNodesIOut(int iout)
{
    nodesIOut = qBound(0, iout, 3);
    ui->nodesCBox->setCurrentIndex(nodesIOut);
}

void editGridDialog::setElementsIOut(int iout)
{
    elementsIOut = qBound(0, iout, 3);
    ui->elementsCBox->setCurrentIndex(elementsIOut);
}

void editGridDialog::init()
{
    xAddedRows = 0;
    yAddedRows = 0;
}

void editGridDialog::fillTable(QTableWidget *table, const QStringList &lines, const QStringList &ids)
{
    table->setRowCount(0);
    table->setRowCount(int(lines.size()));
    for (int k = 0; k < lines.size(); ++k) {
        table->setItem(k, 0, new QTableWidgetItem(k < ids.size() ? ids.at(k) : QString()));
        auto *item = new QTableWidgetItem(lines.at(k));
        item->setData(originRole, k);
        table->setItem(k, 1, item);
    }
}

void editGridDialog::setTables()
{
    fillTable(ui->setXTableWidget, XLines, XIds);
    fillTable(ui->setYTableWidget, YLines, YIds);
    ui->nodesCBox->setCurrentIndex(nodesIOut);
    ui->elementsCBox->setCurrentIndex(elementsIOut);
}

void editGridDialog::addInitRows()
{
    init();
    for (int i = 0; i < initialRows; ++i) {
        on_addXRowBtn_clicked();
        on_addYRowBtn_clicked();
    }
}

void editGridDialog::sortLines()
{
    // The origins of the lines, when known, are sorted along with them.
    auto sorted = [](QStringList &lines, QList<int> &from) {
        QList<int> order(lines.size());
        for (int k = 0; k < order.size(); ++k)
            order[k] = k;
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return lines.at(a).toDouble() < lines.at(b).toDouble(); });
        QStringList out;
        QList<int> outFrom;
        out.reserve(lines.size());
        for (int k : std::as_const(order)) {
            out.append(ordinateText(lines.at(k).toDouble()));
            if (from.size() == lines.size())
                outFrom.append(from.at(k));
        }
        lines = out;
        from = outFrom;
    };
    sorted(XLines, xFrom);
    sorted(YLines, yFrom);
}

QStringList editGridDialog::ordinates(const QTableWidget *table)
{
    QStringList lines;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QString text = cellText(table, row, 1);
        if (!text.isEmpty())
            lines.append(text);
    }
    return lines;
}

QList<int> editGridDialog::origins(const QTableWidget *table)
{
    QList<int> from;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *item = table->item(row, 1);
        if (item && !item->text().isEmpty())
            from.append(item->data(originRole).isValid() ? item->data(originRole).toInt() : -1);
    }
    return from;
}

void editGridDialog::setXLines()
{
    XLines = ordinates(ui->setXTableWidget);
    xFrom = origins(ui->setXTableWidget);
    XIds.clear();
    for (int k = 0; k < XLines.size(); ++k)
        XIds.append(QString::number(k + 1));
}

void editGridDialog::setYLines()
{
    YLines = ordinates(ui->setYTableWidget);
    yFrom = origins(ui->setYTableWidget);
    YIds.clear();
    for (int k = 0; k < YLines.size(); ++k)
        YIds.append(k == 0 ? QStringLiteral("BASE") : QStringLiteral("STORY-") + QString::number(k));
}

void editGridDialog::appendRow(QTableWidget *table, int number)
{
    const int row = table->rowCount();
    table->insertRow(row);
    auto *idItem = new QTableWidgetItem(QString::number(number));
    idItem->setFlags(Qt::NoItemFlags);
    table->setItem(row, 0, idItem);
    table->setItem(row, 1, new QTableWidgetItem(QString()));
}

void editGridDialog::on_addXRowBtn_clicked()
{
    appendRow(ui->setXTableWidget, ++xAddedRows);
}

void editGridDialog::on_addYRowBtn_clicked()
{
    appendRow(ui->setYTableWidget, ++yAddedRows);
}

editGridDialog::TableCheck editGridDialog::checkTable(const QTableWidget *table, int *badRow, QString *detail)
{
    const int rows = table->rowCount();
    QStringList texts;
    texts.reserve(rows);
    bool good = true;
    for (int row = 0; row < rows; ++row) {
        const QString text = cellText(table, row, 1);
        texts.append(text);
        if (!text.isEmpty() && good && !isOrdinate(text)) {
            good = false;
            if (badRow)
                *badRow = row;
            if (detail)
                *detail = QStringLiteral("row %1: \"%2\" %3")
                              .arg(row + 1)
                              .arg(text, text.contains(QLatin1Char('@')) ? QStringLiteral("is not n@s with n from 1 to 1000")
                                                                         : QStringLiteral("is not a number"));
        }
    }

    // Two axes are equal when they are the same number however typed
    // (4 and 4.0), or when the texts are identical: the project reader's rule.
    QStringList kept;
    for (const QString &text : std::as_const(texts)) {
        if (!text.isEmpty())
            kept.append(text);
    }
    if (FieldText::repeatedGridLine(kept, nullptr) >= 0)
        return DuplicateAxes;
    return good ? ValuesGood : ValuesBad;
}

bool editGridDialog::isSpacing(const QString &text, int *n, double *s)
{
    const int at = int(text.indexOf(QLatin1Char('@')));
    if (at <= 0)
        return false;
    const QString count = text.left(at), step = text.mid(at + 1);
    static const QRegularExpression digits(QRegularExpression::anchoredPattern(QStringLiteral("[0-9]+")));
    if (!digits.match(count).hasMatch() || !isOrdinate(step))
        return false;
    bool ok = false;
    const int lines = count.toInt(&ok);
    if (!ok || lines < 1 || lines > 1000)
        return false;
    if (n)
        *n = lines;
    if (s)
        *s = step.toDouble();
    return true;
}

bool editGridDialog::expand(QTableWidget *table, int row)
{
    int n = 0;
    double s = 0;
    if (!isSpacing(cellText(table, row, 1), &n, &s))
        return false;
    double from = 0;
    for (int above = row - 1; above >= 0; --above) {
        const QString text = cellText(table, above, 1);
        if (text.isEmpty())
            continue;
        if (!isOrdinate(text))
            return false;
        from = text.toDouble();
        break;
    }
    // The cell's row takes the first line and keeps its origin; the others are new rows.
    expanding = true;
    table->item(row, 1)->setText(ordinateText(from + s));
    for (int k = 2; k <= n; ++k) {
        table->insertRow(row + k - 1);
        table->setItem(row + k - 1, 0, blankIdItem());
        table->setItem(row + k - 1, 1, new QTableWidgetItem(ordinateText(from + k * s)));
    }
    expanding = false;
    return true;
}

void editGridDialog::cellChanged(QTableWidget *table, int row, int column)
{
    if (!expanding && column == 1)
        expand(table, row);
}

bool editGridDialog::eventFilter(QObject *watched, QEvent *event)
{
    // The table sees the keys its cell editor leaves, before it takes Enter itself.
    auto *table = qobject_cast<QTableWidget *>(watched);
    if (!table || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const int column = table->currentColumn() < 0 ? 1 : table->currentColumn();
        const int row = table->currentRow() + 1;
        if (row >= table->rowCount()) {
            if (table == ui->setXTableWidget)
                on_addXRowBtn_clicked();
            else
                on_addYRowBtn_clicked();
        }
        // Moving on ends the cell's edit; an n@s there expands and pushes this row down past its lines.
        table->setCurrentCell(row, column);
        table->setFocus();
        return true;
    }
    if (key == Qt::Key_Delete)   // an open cell takes its own Delete
        return TableKeys::emptySelected(table);
    return QDialog::eventFilter(watched, event);
}

void editGridDialog::on_okBtn_clicked()
{
    // An n@s that could not expand when typed (no number above it then) may now.
    for (QTableWidget *table : {ui->setXTableWidget, ui->setYTableWidget}) {
        for (int row = 0; row < table->rowCount(); ++row)
            expand(table, row);
    }
    int xRow = -1, yRow = -1;
    QString xDetail, yDetail;
    const TableCheck x = checkTable(ui->setXTableWidget, &xRow, &xDetail);
    const TableCheck y = checkTable(ui->setYTableWidget, &yRow, &yDetail);

    if (x == DuplicateAxes || y == DuplicateAxes) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("You can't put two equal axes"));
        return;
    }
    if (x != ValuesGood || y != ValuesGood) {
        // The first refused cell is selected and named.
        QTableWidget *table = x != ValuesGood ? ui->setXTableWidget : ui->setYTableWidget;
        const int row = x != ValuesGood ? xRow : yRow;
        table->setCurrentCell(row, 1);
        table->scrollToItem(table->item(row, 1));
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("Check the values."),
                        QMessageBox::Ok, this);
        box.setDetailedText((x != ValuesGood ? QStringLiteral("X ") + xDetail : QStringLiteral("Y ") + yDetail));
        box.exec();
        return;
    }

    setXLines();
    setYLines();
    sortLines();
    nodesIOut = ui->nodesCBox->currentIndex();
    elementsIOut = ui->elementsCBox->currentIndex();
    emit updateGrid(true);
    accept();
}

void editGridDialog::on_cancelBtn_clicked()
{
    // Back to the accepted grid: an OK that follows must not read a removal of every line.
    setTables();
    addInitRows();
}
