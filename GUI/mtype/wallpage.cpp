#include "wallpage.h"
#include "ui_editmtypedialog.h"

#include "member.h"
#include "mtypefields.h"
#include "mtypestate.h"
#include "numberfield.h"

#include <QSignalBlocker>

using namespace MTypeFields;

namespace {

QList<QLineEdit *> wallA2Edits(Ui::editMTypeDialog *ui)
{
    return {ui->wgtLineEdit_3, ui->amaxLineEdit, ui->imaxLineEdit, ui->h1LineEdit_2, ui->h2LineEdit_2};
}

QList<QLineEdit *> wallBEdits(Ui::editMTypeDialog *ui)
{
    return {ui->emodcLineEdit, ui->emodsLineEdit, ui->sigaLineEdit, ui->sigbLineEdit, ui->epsbLineEdit,
            ui->sigcrLineEdit, ui->sigysLineEdit, ui->sbilinLineEdit, ui->alfaLineEdit_5};
}

QList<QLineEdit *> wallDEdits(Ui::editMTypeDialog *ui)
{
    return {ui->bLineEdit, ui->dLineEdit, ui->b1LineEdit, ui->b2LineEdit, ui->d1LineEdit, ui->d2LineEdit,
            ui->d3LineEdit, ui->d4LineEdit, ui->as1LineEdit, ui->as2LineEdit, ui->as3LineEdit};
}

} // namespace

WallPage::WallPage(MTypeState &s, HysteresisPanel &panel) : MTypePage(s, panel)
{
    ui->xiLineEdit->setText(QStringLiteral("0"));
    ui->asiLineEdit->setText(QStringLiteral("0"));
    ui->aciLineEdit->setText(QStringLiteral("0"));
}

void WallPage::nsectChosen(int index)
{
    // Hinge lengths only apply with two integration sections.
    state.setFieldShown(ui->h1LineEdit_2, index == 0);
    state.setFieldShown(ui->h2LineEdit_2, index == 0);
}

void WallPage::ruleChosen(int index)
{
    state.setFieldShown(ui->alfaLineEdit_5, index == 2);
}

// NIP 19 and 20 exist only for the numerical section input.
void WallPage::setNipItems(bool numerical)
{
    const QSignalBlocker blocker(ui->nipCBox);
    if (numerical) {
        if (ui->nipCBox->count() == 16)
            ui->nipCBox->addItems({QStringLiteral("19"), QStringLiteral("20")});
    } else {
        if (ui->nipCBox->currentIndex() > 15)
            ui->nipCBox->setCurrentIndex(15);
        while (ui->nipCBox->count() > 16)
            ui->nipCBox->removeItem(ui->nipCBox->count() - 1);
    }
}

void WallPage::icondChosen(int index)
{
    if (!state.editing(Member::WALL))
        return;
    if (index == 0 && ui->nipCBox->currentIndex() > 15)
        ui->nipCBox->setCurrentIndex(15);  // runs the NIP handler: the lists follow
    setNipItems(index == 1);
    ui->wall1GroupBox->setVisible(index == 0);
    ui->wall2GroupBox->setVisible(index == 1);
}

// The three segment lists always hold NIP entries: new segments start at 0,
// existing ones keep their values.
void WallPage::resizeWallLists(int n)
{
    for (QList<double> *list : {state.member->getWallXI(), state.member->getWallASI(), state.member->getWallACI()}) {
        while (list->size() < n)
            list->append(0.0);
        while (list->size() > n)
            list->removeLast();
    }
}

void WallPage::rebuildSegments(int n, int selected)
{
    {
        const QSignalBlocker blocker(ui->subAreaCBox);
        ui->subAreaCBox->clear();
        for (int i = 1; i <= n; ++i)
            ui->subAreaCBox->addItem(QString::number(i));
        ui->subAreaCBox->setCurrentIndex(selected >= 0 && selected < n ? selected : 0);
    }
    showSegment(ui->subAreaCBox->currentIndex());
}

void WallPage::showSegment(int index)
{
    if (index < 0 || !state.editing(Member::WALL))
        return;
    const QList<double> *xi = state.member->getWallXI();
    const QList<double> *asi = state.member->getWallASI();
    const QList<double> *aci = state.member->getWallACI();
    showNumber(ui->xiLineEdit, index < xi->size() ? xi->at(index) : 0.0);
    showNumber(ui->asiLineEdit, index < asi->size() ? asi->at(index) : 0.0);
    showNumber(ui->aciLineEdit, index < aci->size() ? aci->at(index) : 0.0);
}

void WallPage::nipChosen(int index)
{
    if (index < 0 || !state.editing(Member::WALL))
        return;
    resizeWallLists(index + 3);
    rebuildSegments(index + 3, 0);
}

void WallPage::saveSegment()
{
    const int index = ui->subAreaCBox->currentIndex();
    if (index < 0 || !state.editing(Member::WALL)
        || !NumberField::check({ui->xiLineEdit, ui->asiLineEdit, ui->aciLineEdit}))
        return;
    QList<double> *lists[3] = {state.member->getWallXI(), state.member->getWallASI(), state.member->getWallACI()};
    const QLineEdit *edits[3] = {ui->xiLineEdit, ui->asiLineEdit, ui->aciLineEdit};
    for (int k = 0; k < 3; ++k) {
        while (lists[k]->size() <= index)
            lists[k]->append(0.0);
        (*lists[k])[index] = shownValue(edits[k]);
    }
}

void WallPage::cancelSegment()
{
    showSegment(ui->subAreaCBox->currentIndex());
}

// Showing never changes the record: the combos are set with their handlers
// held back, ICOND before NIP because NIP 19 and 20 need the numerical input.
void WallPage::showAll()
{
    ui->labelLineEdit->setText(state.member->getLabel());
    const int *A1 = state.member->getWallA1();
    select(ui->icondCBox_2, A1[2]);
    setNipItems(ui->icondCBox_2->currentIndex() == 1);
    select(ui->nsectCBox, A1[0] - 2);
    select(ui->nipCBox, A1[1] - 3);
    select(ui->ihystCBox_3, A1[3]);
    rebuildSegments(ui->nipCBox->currentIndex() + 3, ui->subAreaCBox->currentIndex());

    fill(wallA2Edits(ui), state.member->getWallA2());
    fill(wallBEdits(ui), state.member->getWallB());
    fill(wallDEdits(ui), state.member->getWallD());

    nsectChosen(ui->nsectCBox->currentIndex());
    ruleChosen(ui->ihystCBox_3->currentIndex());
    ui->wall1GroupBox->setVisible(ui->icondCBox_2->currentIndex() == 0);
    ui->wall2GroupBox->setVisible(ui->icondCBox_2->currentIndex() == 1);
    showDamping(ui->wallDampLayout);
}

void WallPage::readAll()
{
    int *A1 = state.member->getWallA1();
    A1[0] = chosenIndex(ui->nsectCBox) + 2;
    A1[1] = chosenIndex(ui->nipCBox) + 3;
    A1[2] = chosenIndex(ui->icondCBox_2);
    A1[3] = chosenIndex(ui->ihystCBox_3);
    // The file writer lists NIP segments: keep the lists that long.
    resizeWallLists(A1[1]);
    read(wallA2Edits(ui), state.member->getWallA2());
    read(wallBEdits(ui), state.member->getWallB());
    readDamping();
    if (A1[2] == 0)
        read(wallDEdits(ui), state.member->getWallD());
}
