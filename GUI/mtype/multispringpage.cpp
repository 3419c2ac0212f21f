#include "multispringpage.h"
#include "ui_editmtypedialog.h"

#include "hysteresispanel.h"
#include "member.h"
#include "mtypefields.h"
#include "mtypestate.h"

using namespace MTypeFields;

namespace {

// Rule code of each entry of the multi-spring IHYST combo (0: no rule group).
const int multiSpringRules[10] = {-1, 35, 2, 3, 40, 41, 38, 15, 5, 63};

QList<QLineEdit *> multiA2Edits(Ui::editMTypeDialog *ui)
{
    return {ui->hsLineEdit, ui->wgtLineEdit_4, ui->thetaLineEdit_3, ui->slLineEdit_3};
}

QList<QLineEdit *> multiB2Edits(Ui::editMTypeDialog *ui)
{
    return {ui->saLineEdit, ui->svLineEdit, ui->ytLineEdit, ui->ycLineEdit,
            ui->ypLineEdit, ui->ynLineEdit, ui->raLineEdit_2, ui->rvLineEdit};
}

QList<QLineEdit *> klosEdits(Ui::editMTypeDialog *ui)
{
    return {ui->duct1LineEdit_4, ui->duct2LineEdit_4, ui->rductLineEdit_2, ui->duct3LineEdit_3, ui->rcycLineEdit_2};
}

} // namespace

MultiSpringPage::MultiSpringPage(MTypeState &s, HysteresisPanel &panel) : MTypePage(s, panel) {}

void MultiSpringPage::showRule(int index)
{
    if (index <= 0 || index > 9) {
        laws.hideAll();
        return;
    }
    laws.showRule(multiSpringRules[index], ui->multiSpringLawLayout);
}

void MultiSpringPage::showKlos(int klos)
{
    ui->klosGroupBox->setVisible(klos > 0);
    state.setFieldShown(ui->rcycLineEdit_2, klos >= 4);
}

void MultiSpringPage::ruleChosen(int index)
{
    if (state.editing(Member::MULTISPRING))
        showRule(index);
}

void MultiSpringPage::ilosChosen(int index)
{
    if (state.editing(Member::MULTISPRING))
        showDegradation(ui->multiSpringDegLayout, index, true);
}

void MultiSpringPage::klosChosen(int index)
{
    if (!state.editing(Member::MULTISPRING))
        return;
    if (index > 0)
        fill(klosEdits(ui), state.member->getMultiSpringKLOS());
    showKlos(index);
}

void MultiSpringPage::showAll()
{
    ui->labelLineEdit->setText(state.member->getLabel());
    const int *A1 = state.member->getMultiSpringA1();
    const int *B1 = state.member->getMultiSpringB1();
    select(ui->ihystCBox_4, A1[0]);
    select(ui->ilosCBox_3, A1[1]);
    select(ui->klosCBox, A1[2]);
    select(ui->idamgCBox_3, A1[3]);
    // A new record holds NS 0 and ITYPE 0 until its first Set Properties.
    select(ui->nsCBox, B1[0] == 0 ? 0 : B1[0] / 2 - 1);
    select(ui->itypeCBox_4, B1[1] == 0 ? 0 : B1[1] - 1);

    fill(degEdits(ui), state.member->getFrameDeg());
    fill(klosEdits(ui), state.member->getMultiSpringKLOS());
    fill(multiA2Edits(ui), state.member->getMultiSpringA2());
    fill(multiB2Edits(ui), state.member->getMultiSpringB2());

    showRule(ui->ihystCBox_4->currentIndex());
    showDegradation(ui->multiSpringDegLayout, ui->ilosCBox_3->currentIndex(), false);
    showKlos(ui->klosCBox->currentIndex());
    showDamping(ui->multiSpringDampLayout);
}

void MultiSpringPage::readAll()
{
    int *A1 = state.member->getMultiSpringA1();
    A1[0] = chosenIndex(ui->ihystCBox_4);
    switch (A1[0]) {
    case 1: laws.readRule(35); break;
    case 8: laws.readRule(5); break;
    case 9: laws.readRule(63); break;
    default: break;
    }
    A1[1] = chosenIndex(ui->ilosCBox_3);
    A1[2] = chosenIndex(ui->klosCBox);
    A1[3] = chosenIndex(ui->idamgCBox_3);
    if (A1[1] > 0)
        read(degEdits(ui), state.member->getFrameDeg());
    if (A1[2] > 0)
        read(klosEdits(ui), state.member->getMultiSpringKLOS());
    readDamping();
    read(multiA2Edits(ui), state.member->getMultiSpringA2());
    int *B1 = state.member->getMultiSpringB1();
    B1[0] = 2 * chosenIndex(ui->nsCBox) + 2;
    B1[1] = chosenIndex(ui->itypeCBox_4) + 1;
    read(multiB2Edits(ui), state.member->getMultiSpringB2());
}
