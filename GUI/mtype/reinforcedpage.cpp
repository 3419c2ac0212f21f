#include "reinforcedpage.h"
#include "ui_editmtypedialog.h"

#include "hysteresispanel.h"
#include "member.h"
#include "mtypefields.h"
#include "mtypestate.h"

using namespace MTypeFields;

namespace {

QList<QLineEdit *> reinforcedA2Edits(Ui::editMTypeDialog *ui)
{
    return {ui->bLineEdit_2, ui->dLineEdit_2, ui->cLineEdit_2, ui->hlLineEdit, ui->wgtLineEdit_5, ui->thetaLineEdit_4};
}

QList<QLineEdit *> reinforcedBEdits(Ui::editMTypeDialog *ui)
{
    return {ui->ecLineEdit, ui->fpcLineEdit, ui->ftLineEdit, ui->eccLineEdit, ui->fpccLineEdit, ui->ftcLineEdit,
            ui->ecvLineEdit, ui->fpcvLineEdit, ui->ftvLineEdit, ui->dbLineEdit, ui->flexvLineEdit};
}

QList<QLineEdit *> reinforcedCEdits(Ui::editMTypeDialog *ui)
{
    return {ui->esLineEdit, ui->fscLineEdit, ui->fstLineEdit, ui->atopLineEdit, ui->abtmLineEdit, ui->slongLineEdit};
}

} // namespace

ReinforcedPage::ReinforcedPage(MTypeState &s, HysteresisPanel &panel) : MTypePage(s, panel) {}

// The steel group hides every other rule group; the concrete group is shown beside it.
void ReinforcedPage::showSteel(int isteel)
{
    switch (isteel) {
    case 0: laws.showRule(53, ui->reinforcedLawLayout); break;
    case 1: laws.showRule(39, ui->reinforcedLawLayout); break;
    case 2: laws.showRule(1, ui->reinforcedLawLayout); break;
    default: laws.hideAll(); break;
    }
}

void ReinforcedPage::showConcrete(int iconc)
{
    if (iconc == 0)
        laws.showConcrete(54, ui->reinforcedLawLayout);
    else if (iconc == 1)
        laws.showConcrete(33, ui->reinforcedLawLayout);
}

void ReinforcedPage::steelChosen(int index)
{
    if (!state.editing(Member::REINFORCED))
        return;
    showSteel(index);
    showConcrete(ui->iconcCBox->currentIndex());
}

void ReinforcedPage::concreteChosen(int index)
{
    if (!state.editing(Member::REINFORCED))
        return;
    laws.hideAll();
    showSteel(ui->isteelCBox->currentIndex());
    showConcrete(index);
}

void ReinforcedPage::showAll()
{
    ui->labelLineEdit->setText(state.member->getLabel());
    const int *A1 = state.member->getReinforcedA1();
    select(ui->jplasCBox, A1[0]);
    select(ui->isteelCBox, A1[1]);
    select(ui->iconcCBox, A1[2]);
    showSteel(ui->isteelCBox->currentIndex());
    showConcrete(ui->iconcCBox->currentIndex());
    fill(reinforcedA2Edits(ui), state.member->getReinforcedA2());
    fill(reinforcedBEdits(ui), state.member->getReinforcedB());
    fill(reinforcedCEdits(ui), state.member->getReinforcedC());
    showDamping(ui->reinforcedDampLayout);
}

// The concrete rows are stored only by the Save buttons of their groups.
void ReinforcedPage::readAll()
{
    int *A1 = state.member->getReinforcedA1();
    A1[0] = chosenIndex(ui->jplasCBox);
    A1[1] = chosenIndex(ui->isteelCBox);
    A1[2] = chosenIndex(ui->iconcCBox);
    if (A1[1] == 0)
        laws.readRule(53);
    else if (A1[1] == 1)
        laws.readRule(39);
    read(reinforcedA2Edits(ui), state.member->getReinforcedA2());
    read(reinforcedBEdits(ui), state.member->getReinforcedB());
    read(reinforcedCEdits(ui), state.member->getReinforcedC());
    readDamping();
}
