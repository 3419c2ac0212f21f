#include "codenames.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>

namespace {

// The label follows the combo's own showing and hiding.
class Follower : public QObject
{
public:
    Follower(QComboBox *combo, QLabel *label) : QObject(label), label(label) { combo->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
            label->setVisible(static_cast<QWidget *>(watched)->isVisibleTo(label->parentWidget()));
        return false;
    }

private:
    QLabel *label;
};

} // namespace

QString CodeNames::lineOf(const QComboBox *combo, const QString &code)
{
    if (code.isEmpty())
        return QString();
    // "2Cover concrete" names 2; "27 ..." does not name 2.
    for (const QString &line : combo->toolTip().split(QLatin1Char('\n')))
        if (line.startsWith(code) && (line.size() == code.size() || !line.at(code.size()).isDigit()))
            return line.trimmed();
    return QString();
}

void CodeNames::tipItems(QComboBox *combo, const Lines &lines)
{
    for (int i = 0; i < combo->count(); ++i) {
        const QString code = combo->itemText(i);
        combo->setItemData(i, lines ? lines(code) : lineOf(combo, code), Qt::ToolTipRole);
    }
}

QLabel *CodeNames::nameBeside(QComboBox *combo, const QString &objectName, const Lines &lines)
{
    QWidget *parent = combo->parentWidget();
    auto *label = new QLabel(parent);
    label->setObjectName(objectName);
    auto *pair = new QWidget(parent);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    if (QLayout *layout = parent ? parent->layout() : nullptr) {
        delete layout->replaceWidget(combo, pair);
        pair->setLayout(row);
        row->addWidget(combo);
        row->addWidget(label, 1);
    } else {
        delete row;
        delete pair;
    }
    const auto show = [combo, label, lines] {
        const QString code = combo->currentText();
        const QString line = lines ? lines(code) : lineOf(combo, code);
        label->setText(line.isEmpty() ? code : code + QLatin1String("  ") + line.mid(code.size()).trimmed());
    };
    QObject::connect(combo, &QComboBox::currentIndexChanged, label, show);
    show();
    label->setVisible(!combo->isHidden());
    new Follower(combo, label);
    return label;
}
