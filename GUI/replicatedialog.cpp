#include "replicatedialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
QSpinBox *spinBox(QWidget *parent, const char *name, int minimum, int value)
{
    auto *box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(minimum, 1000);
    box->setValue(value);
    return box;
}
} // namespace

ReplicateDialog::ReplicateDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("replicateDialog"));
    setWindowTitle(tr("Replicate"));
    baysBox = spinBox(this, "baysSpinBox", -1000, 0);
    storeysBox = spinBox(this, "storeysSpinBox", -1000, 1);
    timesBox = spinBox(this, "timesSpinBox", 1, 1);
    baysBox->setToolTip(tr("Column lines each copy moves: to the right, or to the left when negative"));
    storeysBox->setToolTip(tr("Floor lines each copy moves: up, or down when negative"));

    auto *form = new QFormLayout;
    form->addRow(tr("Bays:"), baysBox);
    form->addRow(tr("Storeys:"), storeysBox);
    form->addRow(tr("Times:"), timesBox);
    auto *note = new QLabel(tr("Copies that would leave the grid, or join or overlap a member, are skipped."), this);
    note->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

int ReplicateDialog::bays() const { return baysBox->value(); }
int ReplicateDialog::storeys() const { return storeysBox->value(); }
int ReplicateDialog::times() const { return timesBox->value(); }
