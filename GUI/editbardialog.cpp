#include "editbardialog.h"
#include "ui_editbardialog.h"

#include "member.h"
#include "shownvalue.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>
#include <QStringListModel>

namespace {

// Selects index when the combo has it, else nothing.
void selectIndex(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

// "0" to n, one list for the NODE3 and NODE4 combos of every member's dialog:
// each member has its own dialog, and filling two combos of a large model's
// node count item by item made each first opening slow.
QStringListModel *nodeNumbers(int n)
{
    static QPointer<QStringListModel> model;
    if (!model)
        model = new QStringListModel(QCoreApplication::instance());
    if (model->rowCount() != n + 1) {
        QStringList entries;
        entries.reserve(n + 1);
        for (int k = 0; k <= n; ++k)
            entries << QString::number(k);
        model->setStringList(entries);
    }
    return model;
}

} // namespace

editBarDialog::editBarDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::editBarDialog)
{
    ui->setupUi(this);
    setFixedSize(size());
    ui->okBtn->setFocus();
}

editBarDialog::~editBarDialog()
{
    delete ui;
}

void editBarDialog::setMTypeList(const QList<Member *> &list)
{
    ui->mTypeComboBox->clear();
    for (const Member *m : list) {
        if (m)
            ui->mTypeComboBox->addItem(QString::number(m->getID()) + QStringLiteral("  ") + m->getLabel());
    }
}

void editBarDialog::setBarId(int value)
{
    id = value;
    ui->idLineEdit->setText(QString::number(id));
}

void editBarDialog::setBarMType(int m)
{
    mType = m;
    selectIndex(ui->mTypeComboBox, m - 1);
}

void editBarDialog::setNodesCount(int n)
{
    QStringListModel *numbers = nodeNumbers(qMax(0, n));
    for (QComboBox *combo : {ui->node3ComboBox, ui->node4ComboBox}) {
        if (combo->model() != numbers) {
            // Sized by a few digits, not by measuring every item.
            combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            combo->setMinimumContentsLength(6);
            combo->setModel(numbers);
        }
    }
}

void editBarDialog::setNode1(int node)
{
    ui->node1LineEdit->setText(QString::number(node));
}

void editBarDialog::setNode2(int node)
{
    ui->node2LineEdit->setText(QString::number(node));
}

void editBarDialog::setNode3(int node)
{
    node3 = node;
    selectIndex(ui->node3ComboBox, node);
}

void editBarDialog::setNode4(int node)
{
    node4 = node;
    selectIndex(ui->node4ComboBox, node);
}

void editBarDialog::setIOut(int value)
{
    iout = value;
    // A code without an item (hand-edited project) selects nothing and is
    // kept until an item is chosen.
    selectIndex(ui->iOutComboBox, value);
    ShownValue::show(ui->iOutComboBox, ui->iOutComboBox->currentIndex(), value);
}

void editBarDialog::on_okBtn_clicked()
{
    const int mTypeIndex = ui->mTypeComboBox->currentIndex();
    if (mTypeIndex < 0) {
        QMessageBox::critical(nullptr, QStringLiteral("Error"), QStringLiteral("You must select a Member Type"));
        return;
    }
    // An unselected NODE3/NODE4 means "not given".
    emit setProperties(mTypeIndex + 1,
                       qMax(0, ui->node3ComboBox->currentIndex()),
                       qMax(0, ui->node4ComboBox->currentIndex()),
                       ShownValue::read(ui->iOutComboBox, qMax(0, ui->iOutComboBox->currentIndex())));
    accept();
}

void editBarDialog::on_cancelBtn_clicked()
{
    selectIndex(ui->mTypeComboBox, mType - 1);
    selectIndex(ui->node3ComboBox, node3);
    selectIndex(ui->node4ComboBox, node4);
    setIOut(iout);
}

void editBarDialog::on_pushButton_clicked()
{
    // Close first: the member may dispose of itself, and of this dialog, on
    // deleteBar(), so nothing here may run after the signal.
    done(QDialog::Accepted);
    emit deleteBar();
}
