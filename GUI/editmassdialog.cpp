#include "editmassdialog.h"
#include "ui_editmassdialog.h"

editMassDialog::editMassDialog(QWidget *parent)
    : NodeTableDialog(parent), ui(new Ui::editMassDialog)
{
    ui->setupUi(this);
    bindForm(ui->massTableWidget, ui->groupBox, ui->okBtn, ui->cancelBtn, {50, 80, 70, 110, 200}, true);
    connect(ui->massTableWidget, &QTableWidget::pressed, this, &editMassDialog::pressed);
}

editMassDialog::~editMassDialog()
{
    delete ui;
}

QList<double> &editMassDialog::values(int column)
{
    return column == 1 ? wx : column == 2 ? wy : wd;
}

void editMassDialog::on_okBtn_clicked()
{
    okPressed();
}

void editMassDialog::on_cancelBtn_clicked()
{
    cancelPressed();
}

void editMassDialog::on_massTableWidget_itemSelectionChanged()
{
    selectionChanged();
}

void editMassDialog::pressed(const QModelIndex &pressedIndex)
{
    cellPressed(pressedIndex);
}

void editMassDialog::changeEvent(QEvent *event)
{
    NodeTableDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
