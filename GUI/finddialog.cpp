#include "finddialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

findDialog::findDialog(QWidget *parent)
    : QDialog(parent),
      kindCBox(new QComboBox(this)),
      numberLineEdit(new QLineEdit(this)),
      okBtn(new QPushButton(tr("Find"), this)),
      cancelBtn(new QPushButton(tr("Cancel"), this))
{
    setWindowTitle(tr("Find"));
    kindCBox->setObjectName(QStringLiteral("kindCBox"));
    kindCBox->addItems({tr("Node"), tr("Member")});
    numberLineEdit->setObjectName(QStringLiteral("numberLineEdit"));
    numberLineEdit->setValidator(new QIntValidator(1, 999999999, numberLineEdit));
    okBtn->setObjectName(QStringLiteral("okBtn"));
    okBtn->setDefault(true);
    cancelBtn->setObjectName(QStringLiteral("cancelBtn"));

    auto *form = new QFormLayout;
    form->addRow(tr("Find"), kindCBox);
    form->addRow(tr("Number"), numberLineEdit);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(okBtn, &QPushButton::clicked, this, &findDialog::on_okBtn_clicked);
    connect(cancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

void findDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Ready for the number at once; the kind stays as last chosen.
    numberLineEdit->setFocus();
    numberLineEdit->selectAll();
}

void findDialog::setCounts(int nodes, int members)
{
    nodeCount = nodes;
    memberCount = members;
}

bool findDialog::isMember() const
{
    return kindCBox->currentIndex() == 1;
}

int findDialog::getNumber() const
{
    bool ok = false;
    const int n = numberLineEdit->text().trimmed().toInt(&ok);
    return ok ? n : 0;
}

void findDialog::on_okBtn_clicked()
{
    const int count = isMember() ? memberCount : nodeCount;
    const int n = getNumber();
    if (n < 1 || n > count) {
        const QString what = isMember() ? tr("member") : tr("node");
        const QString typed = numberLineEdit->text().trimmed();
        const QString text = count == 0       ? tr("The model has no %1s.").arg(what)
                             : typed.isEmpty() ? tr("Type the number of the %1 to find.").arg(what)
                                               : tr("There is no %1 %2: the numbers run from 1 to %3.")
                                                     .arg(what, typed)
                                                     .arg(count);
        QMessageBox::critical(this, tr("Error"), text);
        numberLineEdit->setFocus();
        numberLineEdit->selectAll();
        return;
    }
    accept();
}
