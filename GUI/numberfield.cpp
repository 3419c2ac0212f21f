#include "numberfield.h"

#include "shownvalue.h"

#include <QAbstractItemView>
#include <QGridLayout>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>
#include <QTableWidget>
#include <QToolTip>

#include <cmath>

namespace NumberField {

namespace {

const char *const kindKey = "numberKind";
const char *const nameKey = "numberName";
const char *const tipKey = "numberTip";
const char *const sheetKey = "numberSheet";
const char *const markedKey = "numberMarked";

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isSign(QChar c)
{
    return c == QLatin1Char('+') || c == QLatin1Char('-');
}

// Digits, one point, an optional sign and exponent; nothing else.
bool decimalForm(QStringView s, Kind kind)
{
    qsizetype i = 0;
    const qsizetype n = s.size();
    if (i < n && isSign(s[i]))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(s[i]))
        ++i, ++digits;
    if (kind == Whole)
        return digits > 0 && i == n;
    if (i < n && s[i] == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < n && (s[i] == QLatin1Char('e') || s[i] == QLatin1Char('E'))) {
        ++i;
        if (i < n && isSign(s[i]))
            ++i;
        qsizetype exponent = 0;
        while (i < n && isDigit(s[i]))
            ++i, ++exponent;
        if (exponent == 0)
            return false;
    }
    return i == n;
}

QString cleanLabel(QString text)
{
    text.remove(QLatin1Char('&'));
    text = text.trimmed();
    if (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

void mark(QLineEdit *edit)
{
    // A disabled field stores nothing: no mark, whatever it holds.
    const QString why = edit->isEnabled() ? fault(edit) : QString();
    const bool marked = edit->property(markedKey).toBool();
    if (why.isEmpty() == !marked)
        return;
    edit->setProperty(markedKey, !why.isEmpty());
    if (why.isEmpty()) {
        edit->setStyleSheet(edit->property(sheetKey).toString());
        edit->setToolTip(edit->property(tipKey).toString());
    } else {
        edit->setProperty(sheetKey, edit->styleSheet());
        edit->setProperty(tipKey, edit->toolTip());
        edit->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid red; }"));
        edit->setToolTip(edit->property(nameKey).toString() + QLatin1Char(' ') + why);
    }
}

// Marks again when the field is enabled or disabled.
class EnabledWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange)
            mark(static_cast<QLineEdit *>(watched));
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

QString fault(const QString &text, Kind kind)
{
    const QString t = text.trimmed();
    const QString why = kind == Whole ? QStringLiteral("must be a whole number") : QStringLiteral("must be a number");
    if (!decimalForm(t, kind))
        return why;
    bool ok = false;
    if (kind == Whole) {
        t.toInt(&ok);
        return ok ? QString() : why;
    }
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v) ? QString() : why;
}

QString fault(const QLineEdit *edit)
{
    const QVariant kind = edit->property(kindKey);
    if (!kind.isValid() || ShownValue::unchanged(edit))
        return QString();
    return fault(edit->text(), Kind(kind.toInt()));
}

void watch(QLineEdit *edit, const QString &name, Kind kind)
{
    edit->setProperty(kindKey, int(kind));
    edit->setProperty(nameKey, name);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit] { mark(edit); });
    edit->installEventFilter(new EnabledWatch(edit));
}

QString labelName(QWidget *field)
{
    QWidget *window = field->window();
    for (QLabel *l : window->findChildren<QLabel *>())
        if (l->buddy() == field)
            return cleanLabel(l->text());
    // A second column of values: the label of the row, and the column's heading.
    QWidget *parent = field->parentWidget();
    if (!parent)
        return QString();
    for (QGridLayout *grid : parent->findChildren<QGridLayout *>()) {
        const int at = grid->indexOf(field);
        if (at < 0)
            continue;
        int row, column, rowSpan, columnSpan;
        grid->getItemPosition(at, &row, &column, &rowSpan, &columnSpan);
        QString name;
        for (int c = column - 1; c >= 0 && name.isEmpty(); --c)
            if (QLayoutItem *item = grid->itemAtPosition(row, c))
                if (auto *l = qobject_cast<QLabel *>(item->widget()))
                    name = cleanLabel(l->text());
        if (QLayoutItem *head = grid->itemAtPosition(0, column))
            if (auto *l = qobject_cast<QLabel *>(head->widget()))
                name += QStringLiteral(" (") + cleanLabel(l->text()) + QLatin1Char(')');
        return name.trimmed();
    }
    return QString();
}

bool isChecked(const QLineEdit *edit)
{
    return edit->property(kindKey).isValid() && edit->isEnabled() && edit->isVisibleTo(edit->window());
}

bool check(QWidget *scope)
{
    return check(scope->findChildren<QLineEdit *>());
}

bool check(const QList<QLineEdit *> &edits)
{
    for (QLineEdit *edit : edits) {
        if (!isChecked(edit))
            continue;
        const QString why = fault(edit);
        if (why.isEmpty())
            continue;
        QMessageBox::critical(edit->window(), QStringLiteral("Error"),
                              edit->property(nameKey).toString() + QLatin1Char(' ') + why);
        for (QWidget *w = edit->parentWidget(); w; w = w->parentWidget())
            if (auto *area = qobject_cast<QScrollArea *>(w))
                area->ensureWidgetVisible(edit);
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    return true;
}

QString cellFault(const QModelIndex &index)
{
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return QString();
    const QVariant shownText = index.data(ShownValue::textRole);
    if (shownText.isValid() && text == shownText.toString() && index.data(ShownValue::valueRole).isValid())
        return QString();
    return fault(text);
}

CellDelegate::CellDelegate(int firstColumn, QObject *parent) : QStyledItemDelegate(parent), first(firstColumn)
{
}

void CellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (index.column() < first || cellFault(index).isEmpty())
        return;
    painter->save();
    painter->setPen(QPen(Qt::red, 2));
    painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
    painter->restore();
}

bool CellDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                             const QModelIndex &index)
{
    if (event->type() == QEvent::ToolTip && index.column() >= first) {
        const QString why = cellFault(index);
        if (!why.isEmpty()) {
            QToolTip::showText(event->globalPos(), QStringLiteral("This cell ") + why, view);
            return true;
        }
    }
    return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void refuseCell(QTableWidget *table, int row, int column, const QString &why)
{
    const QTableWidgetItem *head = table->horizontalHeaderItem(column);
    const QTableWidgetItem *id = table->item(row, 0);
    QString name = head ? head->text() : QString::number(column + 1);
    name += QStringLiteral(" of node ") + (id ? id->text() : QString());
    // The SHAPE table lists each node once per load component.
    int sameNode = 0;
    for (int r = 0; id && r < table->rowCount() && sameNode < 2; ++r)
        if (const QTableWidgetItem *other = table->item(r, 0))
            sameNode += other->text() == id->text();
    if (sameNode > 1)
        name += QStringLiteral(" in row ") + QString::number(row + 1);
    table->setCurrentCell(row, column);
    table->scrollToItem(table->item(row, column));
    QMessageBox::critical(table->window(), QStringLiteral("Error"), name + QLatin1Char(' ') + why);
}

} // namespace NumberField
