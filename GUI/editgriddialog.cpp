#include "editgriddialog.h"
#include "ui_editgriddialog.h"

#include "projectdata.h"

#include <QMessageBox>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTableWidgetItem>

#include <algorithm>
#include <cmath>

namespace {

const int initialRows = 50;

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

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
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
        table->setItem(k, 1, new QTableWidgetItem(lines.at(k)));
    }
}

void editGridDialog::setTables()
{
    fillTable(ui->setXTableWidget, XLines, XIds);
    fillTable(ui->setYTableWidget, YLines, YIds);
    xLoaded = int(XLines.size());
    yLoaded = int(YLines.size());
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
            out.append(QString::number(lines.at(k).toDouble(), 'g', 15));
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

QList<int> editGridDialog::origins(const QTableWidget *table, int loaded)
{
    QList<int> from;
    for (int row = 0; row < table->rowCount(); ++row)
        if (!cellText(table, row, 1).isEmpty())
            from.append(row < loaded ? row : -1);
    return from;
}

void editGridDialog::setXLines()
{
    XLines = ordinates(ui->setXTableWidget);
    xFrom = origins(ui->setXTableWidget, xLoaded);
    XIds.clear();
    for (int k = 0; k < XLines.size(); ++k)
        XIds.append(QString::number(k + 1));
}

void editGridDialog::setYLines()
{
    YLines = ordinates(ui->setYTableWidget);
    yFrom = origins(ui->setYTableWidget, yLoaded);
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

editGridDialog::TableCheck editGridDialog::checkTable(const QTableWidget *table)
{
    const int rows = table->rowCount();
    QStringList texts;
    texts.reserve(rows);
    bool good = true;
    for (int row = 0; row < rows; ++row) {
        const QString text = cellText(table, row, 1);
        texts.append(text);
        if (!text.isEmpty() && good && !isOrdinate(text))
            good = false;
    }

    // Two axes are equal when they are the same number however typed
    // (4 and 4.0), or when the texts are identical.
    QList<double> values;
    QStringList kept;
    QList<bool> numeric;
    for (const QString &text : std::as_const(texts)) {
        if (text.isEmpty())
            continue;
        kept.append(text);
        const bool isNumber = isOrdinate(text);
        numeric.append(isNumber);
        values.append(isNumber ? text.toDouble() : 0.0);
    }
    for (int i = 0; i < kept.size(); ++i) {
        for (int j = i + 1; j < kept.size(); ++j) {
            if (kept.at(i) == kept.at(j)
                || (numeric.at(i) && numeric.at(j) && values.at(i) == values.at(j)))
                return DuplicateAxes;
        }
    }
    return good ? ValuesGood : ValuesBad;
}

void editGridDialog::on_okBtn_clicked()
{
    const TableCheck x = checkTable(ui->setXTableWidget);
    const TableCheck y = checkTable(ui->setYTableWidget);

    if (x == DuplicateAxes || y == DuplicateAxes) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("You can't put two equal axes"));
        return;
    }
    if (x != ValuesGood || y != ValuesGood) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Check the values."));
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
