#include "damperpage.h"
#include "ui_editmtypedialog.h"

#include "member.h"
#include "mtypefields.h"
#include "mtypestate.h"

using namespace MTypeFields;

namespace {

QList<QLineEdit *> damperA2Edits(Ui::editMTypeDialog *ui)
{
    return {ui->c1LineEdit, ui->c2LineEdit, ui->c3LineEdit, ui->gappLineEdit, ui->gapmLineEdit, ui->alfaLineEdit_6,
            ui->c4LineEdit, ui->c5LineEdit, ui->c6LineEdit, ui->alfamLineEdit, ui->thetaLineEdit_2, ui->slLineEdit_2};
}

QList<QLineEdit *> damperBEdits(Ui::editMTypeDialog *ui)
{
    return {ui->fxmaxLineEdit, ui->fxminLineEdit, ui->fymaxLineEdit, ui->fyminLineEdit,
            ui->fzmaxLineEdit, ui->fzminLineEdit};
}

} // namespace

DamperPage::DamperPage(MTypeState &s, HysteresisPanel &panel) : MTypePage(s, panel)
{
    showFields(0);
}

void DamperPage::showFields(int itype)
{
    state.setFieldShown(ui->alfaLineEdit_6, itype >= 1);
    for (QLineEdit *e : {ui->c4LineEdit, ui->c5LineEdit, ui->c6LineEdit, ui->alfamLineEdit})
        state.setFieldShown(e, itype >= 2);
}

void DamperPage::showAll()
{
    ui->labelLineEdit->setText(state.member->getLabel());
    const int *A1 = state.member->getDamperA1();
    select(ui->itypeCBox_3, A1[0]);
    select(ui->limitCBox, A1[1]);
    fill(damperA2Edits(ui), state.member->getDamperA2());
    fill(damperBEdits(ui), state.member->getDamperB());
    showFields(ui->itypeCBox_3->currentIndex());
    // Dampers have no material specific damping.
    ui->groupBox->hide();
}

void DamperPage::readAll()
{
    int *A1 = state.member->getDamperA1();
    A1[0] = chosenIndex(ui->itypeCBox_3);
    A1[1] = chosenIndex(ui->limitCBox);
    read(damperA2Edits(ui), state.member->getDamperA2());
    read(damperBEdits(ui), state.member->getDamperB());
}
