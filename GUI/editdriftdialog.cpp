#include "editdriftdialog.h"
#include "ui_editdriftdialog.h"

namespace {
const QString None = QStringLiteral("None");
}

editDriftDialog::editDriftDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::editDriftDialog), drift(None)
{
    ui->setupUi(this);
    setFixedSize(size());
    ui->setKupsTo0->setGeometry(ui->setKups->geometry());
    ui->setKups->setChecked(true);
    ui->setKupsTo0->setChecked(false);
    // Until the grid is known the only choice is "None".
    setColumns({});
    on_columnsComboBox_currentIndexChanged(ui->columnsComboBox->currentIndex());
}

editDriftDialog::~editDriftDialog()
{
    delete ui;
}

void editDriftDialog::setColumns(const QList<QString> &XIds)
{
    ui->columnsComboBox->clear();
    ui->columnsComboBox->addItem(None);
    for (const QString &id : XIds)
        ui->columnsComboBox->addItem(id);
    setDrift(drift);
}

void editDriftDialog::setDrift(const QString &text)
{
    drift = text;
    bool isNumber = false;
    int index = text.toInt(&isNumber);
    // A column the combo does not offer (yet) shows as "None"; the choice
    // itself is kept and selected again once the columns are set.
    if (!isNumber || index < 0 || index >= ui->columnsComboBox->count())
        index = 0;
    ui->columnsComboBox->setCurrentIndex(index);
}

void editDriftDialog::setKup1Automatically(bool on)
{
    ui->setKups->setChecked(on);
}

bool editDriftDialog::getKup1Automatically() const
{
    return ui->setKups->isChecked();
}

void editDriftDialog::setKup1AutomaticallyTo0(bool on)
{
    ui->setKupsTo0->setChecked(on);
}

bool editDriftDialog::getKup1AutomaticallyTo0() const
{
    return ui->setKupsTo0->isChecked();
}

void editDriftDialog::on_columnsComboBox_currentIndexChanged(int index)
{
    const bool column = index > 0;
    ui->setKups->setVisible(column);
    ui->setKupsTo0->setVisible(!column);
}

void editDriftDialog::on_okBtn_clicked()
{
    seted = true;
    // A column the grid no longer has showed as "None" and is stored so: the
    // KUP1 option must not act on a column that does not exist.
    const QString text = ui->columnsComboBox->currentIndex() > 0 ? ui->columnsComboBox->currentText() : None;
    setDrift(text);
    emit updateDrift(text == None ? ui->setKupsTo0->isChecked() : ui->setKups->isChecked());
    accept();
}

void editDriftDialog::on_cancelBtn_clicked()
{
    reject();
}

void editDriftDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ui->retranslateUi(this);
}
