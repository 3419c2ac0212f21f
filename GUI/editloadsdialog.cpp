#include "editloadsdialog.h"
#include "ui_editloadsdialog.h"

editLoadsDialog::editLoadsDialog(QWidget *parent)
    : NodeTableDialog(parent), ui(new Ui::editLoadsDialog)
{
    ui->setupUi(this);
    bindForm(ui->loadsTableWidget, ui->groupBox, ui->okBtn, ui->cancelBtn, {50, 80, 70, 110, 200}, true);
}

editLoadsDialog::~editLoadsDialog()
{
    delete ui;
}

QList<double> &editLoadsDialog::values(int column)
{
    return column == 1 ? fx : column == 2 ? fy : fm;
}

void editLoadsDialog::on_okBtn_clicked()
{
    okPressed();
}

void editLoadsDialog::on_cancelBtn_clicked()
{
    cancelPressed();
}

void editLoadsDialog::on_loadsTableWidget_itemSelectionChanged()
{
    selectionChanged();
}

void editLoadsDialog::on_loadsTableWidget_pressed(const QModelIndex &pressedIndex)
{
    cellPressed(pressedIndex);
}

void editLoadsDialog::changeEvent(QEvent *event)
{
    NodeTableDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
