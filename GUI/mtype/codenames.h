#ifndef CODENAMES_H
#define CODENAMES_H

#include <QString>

#include <functional>

class QComboBox;
class QLabel;

// The combos of the member-type form hold bare codes; their tool tips list
// "code name" lines. These make the codes readable without changing them.
namespace CodeNames {
// "code name" for a code; empty when the code has no name.
using Lines = std::function<QString(const QString &code)>;
// The line of the combo's tool tip that starts with the code; empty when none does.
QString lineOf(const QComboBox *combo, const QString &code);
// Each item's tool tip: its line, from the combo's tool tip unless given.
void tipItems(QComboBox *combo, const Lines &lines = nullptr);
// A label beside the combo naming the chosen code ("57  Revised Takeda
// Degrading Trilinear"); shown and hidden with the combo.
QLabel *nameBeside(QComboBox *combo, const QString &objectName, const Lines &lines = nullptr);
}

#endif // CODENAMES_H
