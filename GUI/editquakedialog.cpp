#include "editquakedialog.h"
#include "ui_editquakedialog.h"

#include "numberfield.h"
#include "shownvalue.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

editQuakeDialog::editQuakeDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::editQuakeDialog)
{
    ui->setupUi(this);
    setFixedSize(size());
    // The name is one line of the project and analysis files: no control characters.
    ui->fileLineEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^\\x00-\\x1f\\x7f]*")), ui->fileLineEdit));
    ui->fileLineEdit->setMaxLength(1000);
    NumberField::watch(ui->iStartLineEdit, ui->label_2->text(), NumberField::Whole);
    const QList<QPair<QLineEdit *, QLabel *>> reals = {
        {ui->deltaTLineEdit, ui->label_3}, {ui->ascaleLineEdit, ui->label_4}, {ui->endLineEdit, ui->label_5},
        {ui->velLineEdit, ui->label_6}, {ui->disLineEdit, ui->label_7}, {ui->tScaleLineEdit, ui->label_8}};
    for (const auto &[edit, label] : reals)
        NumberField::watch(edit, label->text());
    setNullProperties();
    // Empty fields would hold no number: a first OK must be able to store the zeros.
    showProperties();
}

editQuakeDialog::~editQuakeDialog()
{
    delete ui;
}

void editQuakeDialog::setNullProperties()
{
    for (int &value : a)
        value = 0;
    for (double &value : b)
        value = 0.0;
    file.clear();
}

void editQuakeDialog::showA()
{
    ShownValue::show(ui->ibergComboBox, a[0], a[0]);
    ui->iStartLineEdit->setText(QString::number(a[1]));
}

void editQuakeDialog::showB()
{
    QLineEdit *const edits[6] = {ui->deltaTLineEdit, ui->ascaleLineEdit, ui->endLineEdit,
                                 ui->velLineEdit, ui->disLineEdit, ui->tScaleLineEdit};
    for (int i = 0; i < 6; ++i)
        ShownValue::show(edits[i], QString::number(b[i], 'g', 5), b[i]);
}

void editQuakeDialog::showProperties()
{
    showA();
    showB();
    ui->fileLineEdit->setText(file);
}

void editQuakeDialog::on_pushButton_clicked()
{
    if (!NumberField::check(this))
        return;
    seted = true;
    // Fields left as shown keep their stored values, digits beyond the five shown included.
    a[0] = ShownValue::read(ui->ibergComboBox, ui->ibergComboBox->currentIndex());
    a[1] = ui->iStartLineEdit->text().trimmed().toInt();
    const QLineEdit *const edits[6] = {ui->deltaTLineEdit, ui->ascaleLineEdit, ui->endLineEdit,
                                       ui->velLineEdit, ui->disLineEdit, ui->tScaleLineEdit};
    for (int i = 0; i < 6; ++i)
        b[i] = ShownValue::read(edits[i], ShownValue::typed(edits[i]->text()));
    file = ui->fileLineEdit->text();
    emit updateQuake();
    accept();
}

void editQuakeDialog::on_pushButton_2_clicked()
{
    showProperties();
}

void editQuakeDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
