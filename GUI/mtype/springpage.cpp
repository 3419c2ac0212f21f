#include "springpage.h"
#include "ui_editmtypedialog.h"

#include "hysteresispanel.h"
#include "member.h"
#include "mtypefields.h"
#include "mtypestate.h"

using namespace MTypeFields;

namespace {

QList<QLineEdit *> springA2Edits(Ui::editMTypeDialog *ui)
{
    return {ui->kxLineEdit, ui->kyLineEdit, ui->gjLineEdit, ui->wgtLineEdit_2, ui->rfLineEdit_2, ui->rtLineEdit,
            ui->psxLineEdit, ui->psyLineEdit, ui->pszLineEdit, ui->thetaLineEdit, ui->slLineEdit};
}

QList<QLineEdit *> springCEdits(Ui::editMTypeDialog *ui)
{
    return {ui->fxpLineEdit, ui->fxmLineEdit, ui->fypLineEdit, ui->fymLineEdit, ui->mzpLineEdit, ui->mzmLineEdit};
}

QList<QLineEdit *> springDEdits(Ui::editMTypeDialog *ui)
{
    return {ui->fx1LineEdit, ui->fy1LineEdit, ui->fx2LineEdit, ui->fy2LineEdit, ui->mzpLineEdit_2,
            ui->mzmLineEdit_2, ui->rx1LineEdit, ui->ry1LineEdit, ui->rx2LineEdit, ui->ry2LineEdit};
}

QList<QLineEdit *> springEEdits(Ui::editMTypeDialog *ui)
{
    return {ui->fxpLineEdit_2, ui->fxmLineEdit_2, ui->fypLineEdit_2, ui->fymLineEdit_2, ui->mzpLineEdit_3,
            ui->mzmLineEdit_3, ui->fcryLineEdit, ui->fccyLineEdit, ui->alfaLineEdit_4, ui->hingeLineEdit,
            ui->duct1LineEdit_2, ui->duct2LineEdit_2, ui->resLineEdit, ui->duct3LineEdit_2};
}

QList<QLineEdit *> springFEdits(Ui::editMTypeDialog *ui)
{
    return {ui->pytLineEdit_5, ui->pycLineEdit_5, ui->fypLineEdit_3, ui->fymLineEdit_3, ui->pbLineEdit_6,
            ui->mbLineEdit_6, ui->m1bLineEdit_2, ui->m2bLineEdit_2, ui->moLineEdit_3};
}

} // namespace

SpringPage::SpringPage(MTypeState &s, HysteresisPanel &panel) : MTypePage(s, panel) {}

int SpringPage::springRule() const
{
    return ui->ihystCBox_2->currentText().toInt();
}

void SpringPage::showSpringYield()
{
    QGroupBox *groups[5] = {ui->spring1GroupBox, ui->spring2GroupBox, ui->spring3GroupBox,
                            ui->spring4GroupBox, ui->spring5GroupBox};
    const int chosen = springRule() != 0 ? ui->itypeCBox_2->currentIndex() : -1;
    for (int i = 0; i < 5; ++i)
        groups[i]->setVisible(i == chosen);
}

void SpringPage::fillSpringYield()
{
    fill(springCEdits(ui), state.member->getSpringC());
    fill(springDEdits(ui), state.member->getSpringD());
    fill(springEEdits(ui), state.member->getSpringE());
    select(ui->iCBox, state.member->springI);
    fill(springFEdits(ui), state.member->getSpringF());
    fill({ui->f0LineEdit, ui->muLineEdit}, state.member->getSpringG());
    select(ui->iopCBox_2, state.member->springIOP);
}

void SpringPage::itypeChosen()
{
    if (!state.editing(Member::SPRING))
        return;
    if (springRule() != 0)
        fillSpringYield();
    showSpringYield();
}

void SpringPage::ruleChosen()
{
    if (!state.editing(Member::SPRING))
        return;
    // The elastic rule only hides the yield groups: Set Properties still reads
    // the one of ITYPE, so what was typed there must stay.
    if (springRule() != 0)
        fillSpringYield();
    showSpringYield();
    laws.showRule(springRule(), ui->springLawLayout);
}

void SpringPage::ilosChosen(int index)
{
    if (state.editing(Member::SPRING))
        showDegradation(ui->springDegLayout, index, true);
}

void SpringPage::showAll()
{
    ui->labelLineEdit->setText(state.member->getLabel());
    const int *A1 = state.member->getSpringA1();
    select(ui->itypeCBox_2, A1[0] - 1);
    selectNumber(ui->ihystCBox_2, A1[1]);
    select(ui->ilosCBox_2, A1[2]);
    select(ui->idamgCBox_2, A1[3]);
    select(ui->itrussCBox, A1[4]);
    select(ui->iopCBox, A1[5]);

    fill(springA2Edits(ui), state.member->getSpringA2());
    fillSpringYield();
    fill(degEdits(ui), state.member->getFrameDeg());

    showSpringYield();
    showDegradation(ui->springDegLayout, ui->ilosCBox_2->currentIndex(), false);
    laws.showRule(springRule(), ui->springLawLayout);
    showDamping(ui->springDampLayout);
}

void SpringPage::readAll()
{
    int *A1 = state.member->getSpringA1();
    A1[2] = chosenIndex(ui->ilosCBox_2);
    A1[3] = chosenIndex(ui->idamgCBox_2);
    read(springA2Edits(ui), state.member->getSpringA2());
    A1[4] = chosenIndex(ui->itrussCBox);
    A1[5] = chosenIndex(ui->iopCBox);

    A1[0] = chosenIndex(ui->itypeCBox_2) + 1;
    switch (A1[0]) {
    case 1: read(springCEdits(ui), state.member->getSpringC()); break;
    case 2: read(springDEdits(ui), state.member->getSpringD()); break;
    case 3:
        read(springEEdits(ui), state.member->getSpringE());
        state.member->springI = chosenIndex(ui->iCBox);
        break;
    case 4: read(springFEdits(ui), state.member->getSpringF()); break;
    case 5:
        read({ui->f0LineEdit, ui->muLineEdit}, state.member->getSpringG());
        state.member->springIOP = chosenIndex(ui->iopCBox_2);
        break;
    default: break;
    }

    if (A1[2] > 0)
        read(degEdits(ui), state.member->getFrameDeg());
    A1[1] = chosenNumber(ui->ihystCBox_2);
    laws.readRule(springRule());
    readDamping();
}
