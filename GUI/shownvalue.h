#ifndef SHOWNVALUE_H
#define SHOWNVALUE_H

// A field often shows a stored value only approximately: a double as text with
// fewer digits than it holds, a code the combo has no item for as some other
// item. Reading the field back must give the stored value itself as long as
// the user has not changed the field, so each field remembers what it was
// shown with, and what it then stood for.

#include <QComboBox>
#include <QLineEdit>
#include <QString>
#include <QTableWidgetItem>
#include <QVariant>

#include <cmath>

namespace ShownValue {

inline const char *const textKey = "shownText";
inline const char *const indexKey = "shownIndex";
inline const char *const valueKey = "shownValue";

// A typed number: text that is not a finite number reads as 0, so that no
// "inf" or "nan" reaches a file that could then not be opened again.
inline double typed(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

// Item data roles of a table cell, beside its text.
constexpr int valueRole = Qt::UserRole;
constexpr int textRole = Qt::UserRole + 1;

// The field no longer stands for a stored value.
inline void forget(QObject *field)
{
    field->setProperty(valueKey, QVariant());
}

// setProperty() leaves a value that compares equal in place, and doubles
// compare equal across signs of zero and within a tolerance.
inline void remember(QObject *field, const QVariant &value)
{
    forget(field);
    field->setProperty(valueKey, value);
}

// The text is set last: whoever follows textChanged then sees the field as shown.
template <typename T>
void show(QLineEdit *edit, const QString &text, T value)
{
    edit->setProperty(textKey, text);
    remember(edit, QVariant::fromValue(value));
    edit->setText(text);
}

// The edit still holds the text it was shown with a stored value.
inline bool unchanged(const QLineEdit *edit)
{
    return edit->property(valueKey).isValid() && edit->text() == edit->property(textKey).toString();
}

// The value the edit was shown with while it still holds that text, else typed
// (the conversion of what it holds now).
template <typename T>
T read(const QLineEdit *edit, T typed)
{
    const QVariant shown = edit->property(valueKey);
    if (shown.isValid() && edit->text() == edit->property(textKey).toString())
        return shown.value<T>();
    return typed;
}

// Selects index; while the combo stays at the item then current, it stands for value.
inline void show(QComboBox *box, int index, int value)
{
    box->setCurrentIndex(index);
    box->setProperty(indexKey, box->currentIndex());
    box->setProperty(textKey, box->currentText());
    remember(box, value);
}

inline int read(const QComboBox *box, int chosen)
{
    const QVariant shown = box->property(valueKey);
    if (shown.isValid() && box->currentIndex() == box->property(indexKey).toInt()
        && box->currentText() == box->property(textKey).toString())
        return shown.toInt();
    return chosen;
}

inline QTableWidgetItem *cell(const QString &text, double value)
{
    auto *item = new QTableWidgetItem(text);
    item->setData(valueRole, value);
    item->setData(textRole, text);
    return item;
}

inline double read(const QTableWidgetItem *item, double typed)
{
    const QVariant shown = item->data(valueRole);
    if (shown.isValid() && item->text() == item->data(textRole).toString())
        return shown.toDouble();
    return typed;
}

} // namespace ShownValue

#endif // SHOWNVALUE_H
