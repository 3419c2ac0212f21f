#include "editnodedialog.h"
#include "ui_editnodedialog.h"

#include "shownvalue.h"

#include <QMessageBox>
#include <QRegularExpression>

namespace {

const QString inputEntry = QStringLiteral("-k");
const QString supportEntry = QStringLiteral("-1");
const QString defaultInput = QStringLiteral("-2");

} // namespace

editNodeDialog::editNodeDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::editNodeDialog)
{
    ui->setupUi(this);
    setFixedSize(size());
}

editNodeDialog::~editNodeDialog()
{
    delete ui;
}

void editNodeDialog::setId(int value)
{
    id = value;
    ui->IDLineEdit->setText(QString::number(id));
}

void editNodeDialog::setX(double value)
{
    x = value;
    ui->XLineEdit->setText(QString::number(x, 'g', 15));
}

void editNodeDialog::setY(double value)
{
    y = value;
    ui->YLineEdit->setText(QString::number(y, 'g', 15));
}

void editNodeDialog::setKup1List(const QStringList &list)
{
    kup1List = list;
    kup1List << supportEntry << inputEntry;
}

void editNodeDialog::setKup2List(const QStringList &list)
{
    kup2List = list;
    kup2List << supportEntry << inputEntry;
}

void editNodeDialog::setKup3List()
{
    const QString own = QString::number(id);
    kup3List.clear();
    kup3List << QStringLiteral("0");
    for (qsizetype k = 0; k + 2 < kup1List.size(); ++k) {
        if (kup1List.at(k) != own)
            kup3List << kup1List.at(k);
    }
    // The column list brings "-1" and "-k" along at the end.
    for (const QString &entry : std::as_const(kup2List)) {
        if (entry != own)
            kup3List << entry;
    }
}

void editNodeDialog::loadKup(QComboBox *combo, QLineEdit *edit, const QStringList &entries, int value)
{
    combo->blockSignals(true);
    combo->clear();
    combo->addItems(entries);
    // A coupling to a node not on the node's line is not kept: node numbers
    // follow the grid, so after a grid change it names some other node.
    const int current = combo->findText(QString::number(value), Qt::MatchExactly);
    combo->setCurrentIndex(current >= 0 ? current : 0);
    if (value < -1) {
        edit->setText(QString::number(value));
        const int input = combo->findText(inputEntry, Qt::MatchExactly);
        if (input >= 0)
            combo->setCurrentIndex(input);
    } else {
        // A fresh suggestion for the next time "-k" is picked.
        edit->setText(defaultInput);
    }
    combo->blockSignals(false);
    edit->setHidden(!inputChosen(combo));
}

void editNodeDialog::setProperties()
{
    // A code without an item (hand-edited project) shows the nearest item but is
    // kept unless another item is chosen.
    ShownValue::show(ui->nf1ComboBox, qBound(0, nf1, 1), nf1);
    ShownValue::show(ui->nf2ComboBox, qBound(0, nf2, 1), nf2);
    ShownValue::show(ui->nf3ComboBox, qBound(0, nf3, 1), nf3);

    const QString own = QString::number(id);
    QStringList kup1Entries{QStringLiteral("0")};
    for (const QString &entry : std::as_const(kup1List)) {
        if (entry != own)
            kup1Entries << entry;
    }
    QStringList kup2Entries{QStringLiteral("0")};
    for (const QString &entry : std::as_const(kup2List)) {
        if (entry != own)
            kup2Entries << entry;
    }
    // The first node of the row is not offered for KUP 3.
    QStringList kup3Entries;
    for (const QString &entry : std::as_const(kup3List)) {
        if (kup1List.isEmpty() || entry != kup1List.first())
            kup3Entries << entry;
    }

    loadKup(ui->kup1ComboBox, ui->kup1LineEdit, kup1Entries, kup1);
    loadKup(ui->kup2ComboBox, ui->kup2LineEdit, kup2Entries, kup2);
    loadKup(ui->kup3ComboBox, ui->kup3LineEdit, kup3Entries, kup3);

    ShownValue::show(ui->ioutComboBox, qBound(0, iout, 3), iout);
}

bool editNodeDialog::inputChosen(const QComboBox *combo)
{
    return combo->currentIndex() >= 0 && combo->currentText() == inputEntry;
}

bool editNodeDialog::validInput(const QLineEdit *edit)
{
    static const QRegularExpression pattern(QRegularExpression::anchoredPattern(QStringLiteral("-[0-9]+")));
    if (!pattern.match(edit->text()).hasMatch())
        return false;
    bool ok = false;
    const int value = edit->text().toInt(&ok);
    return ok && value < -1;
}

int editNodeDialog::chosenKup(const QComboBox *combo, const QLineEdit *edit)
{
    if (inputChosen(combo))
        return edit->text().toInt();
    return combo->currentText().toInt();
}

void editNodeDialog::on_okBtn_clicked()
{
    // Only a KUP that is set to "-k" reads its line edit, so only those are checked.
    const bool good = (!inputChosen(ui->kup1ComboBox) || validInput(ui->kup1LineEdit))
                      && (!inputChosen(ui->kup2ComboBox) || validInput(ui->kup2LineEdit))
                      && (!inputChosen(ui->kup3ComboBox) || validInput(ui->kup3LineEdit));
    if (!good) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Check the values"));
        return;
    }

    nf1 = ShownValue::read(ui->nf1ComboBox, ui->nf1ComboBox->currentIndex());
    nf2 = ShownValue::read(ui->nf2ComboBox, ui->nf2ComboBox->currentIndex());
    nf3 = ShownValue::read(ui->nf3ComboBox, ui->nf3ComboBox->currentIndex());
    kup1 = chosenKup(ui->kup1ComboBox, ui->kup1LineEdit);
    kup2 = chosenKup(ui->kup2ComboBox, ui->kup2LineEdit);
    kup3 = chosenKup(ui->kup3ComboBox, ui->kup3LineEdit);
    iout = ShownValue::read(ui->ioutComboBox, ui->ioutComboBox->currentIndex());
    emit updateNode();
    accept();
}

void editNodeDialog::on_cancelBtn_clicked()
{
    setProperties();
}

void editNodeDialog::on_kup1ComboBox_currentIndexChanged(int)
{
    ui->kup1LineEdit->setHidden(!inputChosen(ui->kup1ComboBox));
}

void editNodeDialog::on_kup2ComboBox_currentIndexChanged(int)
{
    ui->kup2LineEdit->setHidden(!inputChosen(ui->kup2ComboBox));
}

void editNodeDialog::on_kup3ComboBox_currentIndexChanged(int)
{
    ui->kup3LineEdit->setHidden(!inputChosen(ui->kup3ComboBox));
}
