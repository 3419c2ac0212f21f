#include "editshapedialog.h"
#include "ui_editshapedialog.h"

#include "numberfield.h"
#include "shownvalue.h"

editShapeDialog::editShapeDialog(QWidget *parent)
    : NodeTableDialog(parent), ui(new Ui::editShapeDialog)
{
    ui->setupUi(this);
    bindForm(ui->shapeTableWidget, ui->groupBox, ui->okBtn, ui->cancelBtn, {32, 89, 52, 159, 150}, false);
    ui->alphaLineEdit->setEnabled(false);
    NumberField::watch(ui->alphaLineEdit, ui->label->text());
}

editShapeDialog::~editShapeDialog()
{
    delete ui;
}

QList<double> &editShapeDialog::values(int column)
{
    return column == 1 ? fx : column == 2 ? fy : fm;
}

void editShapeDialog::setActivateAlpha(bool on)
{
    showAlfa = on;
    ui->alphaLineEdit->setEnabled(on);
}

void editShapeDialog::afterSetTable()
{
    if (showAlfa) {
        ShownValue::show(ui->alphaLineEdit, QString::number(alpha, 'g', 10), alpha);
    } else {
        ui->alphaLineEdit->clear();
        ShownValue::forget(ui->alphaLineEdit);
    }
}

void editShapeDialog::afterStore()
{
    // An inactive ALPHA is shown empty, so it is stored as 0.
    alpha = ShownValue::read(ui->alphaLineEdit, ShownValue::typed(ui->alphaLineEdit->text()));
}

void editShapeDialog::on_okBtn_clicked()
{
    okPressed();
}

void editShapeDialog::on_cancelBtn_clicked()
{
    cancelPressed();
}

void editShapeDialog::changeEvent(QEvent *event)
{
    NodeTableDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
