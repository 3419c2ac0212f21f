#include "framepage.h"
#include "ui_editmtypedialog.h"

#include "hysteresispanel.h"
#include "member.h"
#include "mtypefields.h"
#include "mtypestate.h"
#include "shownvalue.h"

#include <QSignalBlocker>

using namespace MTypeFields;

namespace {

QList<QLineEdit *> frameBEdits(Ui::editMTypeDialog *ui)
{
    return {ui->eLineEdit, ui->gLineEdit, ui->aLineEdit, ui->asLineEdit, ui->iLineEdit,
            ui->wgtLineEdit, ui->end1LineEdit, ui->end2LineEdit, ui->fj1LineEdit, ui->fj2LineEdit};
}

QList<QLineEdit *> frameCEdits(Ui::editMTypeDialog *ui)
{
    return {ui->raLineEdit, ui->rfLineEdit, ui->h1LineEdit, ui->h2LineEdit, ui->h3LineEdit,
            ui->h4LineEdit, ui->h5LineEdit, ui->h6LineEdit, ui->h7LineEdit};
}

QList<QLineEdit *> frameFEdits(Ui::editMTypeDialog *ui)
{
    return {ui->pytLineEdit, ui->pycLineEdit, ui->my1pLineEdit, ui->my1mLineEdit, ui->my2pLineEdit,
            ui->my2mLineEdit, ui->my3pLineEdit, ui->my3mLineEdit, ui->my4pLineEdit, ui->my4mLineEdit};
}

QList<QLineEdit *> frameGEdits(Ui::editMTypeDialog *ui)
{
    return {ui->pyccLineEdit, ui->pbLineEdit, ui->mbLineEdit, ui->m1bLineEdit,
            ui->m2bLineEdit, ui->moLineEdit, ui->pytcLineEdit};
}

QList<QLineEdit *> frameG2Edits(Ui::editMTypeDialog *ui)
{
    return {ui->pyccLineEdit_2, ui->pbLineEdit_8, ui->mbLineEdit_8, ui->m1bLineEdit_3,
            ui->m2bLineEdit_3, ui->moLineEdit_5, ui->pytcLineEdit_2};
}

QList<QLineEdit *> frameHEdits(Ui::editMTypeDialog *ui)
{
    return {ui->pycLineEdit_3, ui->pbLineEdit_3, ui->mbLineEdit_3, ui->moLineEdit_2,
            ui->pcLineEdit_2, ui->mcLineEdit_2, ui->pytLineEdit_3};
}

QList<QLineEdit *> frameH2Edits(Ui::editMTypeDialog *ui)
{
    return {ui->pycLineEdit_6, ui->pbLineEdit_7, ui->mbLineEdit_7, ui->moLineEdit_4,
            ui->pcLineEdit_5, ui->mcLineEdit_5, ui->pytLineEdit_6};
}

QList<QLineEdit *> frameIEdits(Ui::editMTypeDialog *ui)
{
    return {ui->pycLineEdit_2, ui->pbLineEdit_2, ui->mbLineEdit_2, ui->pcLineEdit, ui->mcLineEdit,
            ui->pytLineEdit_2};
}

QList<QLineEdit *> frameI2Edits(Ui::editMTypeDialog *ui)
{
    return {ui->pycLineEdit_7, ui->pbLineEdit_9, ui->mbLineEdit_9, ui->pcLineEdit_6, ui->mcLineEdit_6,
            ui->pytLineEdit_7};
}

QList<QLineEdit *> frameIIEdits(Ui::editMTypeDialog *ui)
{
    return {ui->pycpLineEdit, ui->pycmLineEdit, ui->pbLineEdit_5, ui->mbLineEdit_5,
            ui->pcLineEdit_4, ui->mcLineEdit_4, ui->pytpLineEdit, ui->pytmLineEdit};
}

QList<QLineEdit *> frameII2Edits(Ui::editMTypeDialog *ui)
{
    return {ui->pycpLineEdit_2, ui->pycmLineEdit_2, ui->pbLineEdit_10, ui->mbLineEdit_10,
            ui->pcLineEdit_7, ui->mcLineEdit_7, ui->pytpLineEdit_2, ui->pytmLineEdit_2};
}

QList<QLineEdit *> frameEEdits(Ui::editMTypeDialog *ui)
{
    return {ui->m1LineEdit, ui->m2LineEdit, ui->v1LineEdit, ui->v2LineEdit, ui->axialLineEdit, ui->axpsLineEdit};
}

QList<QLineEdit *> frameJEdits(Ui::editMTypeDialog *ui)
{
    return {ui->vyLineEdit, ui->vcrLineEdit, ui->vccLineEdit, ui->alfaLineEdit_7, ui->rLineEdit,
            ui->duct1LineEdit_3, ui->duct2LineEdit_3, ui->vresLineEdit, ui->phi1LineEdit,
            ui->phi2LineEdit, ui->presLineEdit};
}

QList<QLineEdit *> frameKEdits(Ui::editMTypeDialog *ui)
{
    return {ui->flexLineEdit, ui->bearLineEdit, ui->v1LineEdit_2, ui->v2LineEdit_2, ui->v3LineEdit};
}

} // namespace

FramePage::FramePage(MTypeState &s, HysteresisPanel &panel) : MTypePage(s, panel)
{
    // Hinges 3 and 4 and the third and fourth yield moments are not offered,
    // but their fields still carry the record's values.
    for (QLineEdit *e : {ui->h3LineEdit, ui->h4LineEdit, ui->h5LineEdit, ui->h6LineEdit, ui->h7LineEdit,
                         ui->my3pLineEdit, ui->my3mLineEdit, ui->my4pLineEdit, ui->my4mLineEdit})
        state.setFieldShown(e, false);
    for (QComboBox *iend : {ui->gIEndcomboBox, ui->iendComboBox, ui->comboBox_2, ui->iendComboBox_2})
        showEnd2(iend);
}

// The IGA items depend on the rule; the form's own items, translated again, do not know that.
void FramePage::retranslate()
{
    const int index = ui->igaCBox->currentIndex();
    rebuildIga();
    // Back at the same item, IGA still stands for the value it was shown with.
    const QSignalBlocker blocker(ui->igaCBox);
    ui->igaCBox->setCurrentIndex(index);
}

int FramePage::frameRule() const
{
    return ui->ihystCBox->currentText().toInt();
}

QGroupBox *FramePage::frameYieldGroup(int itype) const
{
    switch (itype) {
    case 1: return ui->fGroupBox;
    case 2: return ui->gGroupBox;
    case 3: return ui->hGroupBox;
    case 4: return ui->iGroupBox;
    case 8: return ui->iiGroupBox;
    default: return nullptr;
    }
}

// Only the yield surface of the chosen section type shows, and none while the member is elastic.
void FramePage::showFrameYield()
{
    QGroupBox *chosen = frameRule() != 0 ? frameYieldGroup(ui->itypeCBox->currentText().toInt()) : nullptr;
    for (QGroupBox *g : {ui->fGroupBox, ui->gGroupBox, ui->hGroupBox, ui->iGroupBox, ui->iiGroupBox})
        g->setVisible(g == chosen);
}

void FramePage::fillFrameYield()
{
    fill(frameFEdits(ui), state.member->getFrameF());
    fill(frameGEdits(ui), state.member->getFrameG());
    fill(frameG2Edits(ui), state.member->getFrameG2());
    fill(frameHEdits(ui), state.member->getFrameH());
    fill(frameH2Edits(ui), state.member->getFrameH2());
    fill(frameIEdits(ui), state.member->getFrameI());
    fill(frameI2Edits(ui), state.member->getFrameI2());
    fill(frameIIEdits(ui), state.member->getFrameII());
    fill(frameII2Edits(ui), state.member->getFrameII2());
    for (QComboBox *iend : {ui->gIEndcomboBox, ui->iendComboBox, ui->comboBox_2, ui->iendComboBox_2}) {
        select(iend, state.member->getFrameIEnd());
        showEnd2(iend);
    }
}

void FramePage::showEnd2(QComboBox *iend)
{
    QList<QLineEdit *> edits;
    QList<QLabel *> heads;
    if (iend == ui->gIEndcomboBox) {
        edits = frameG2Edits(ui);
        heads = {ui->gGroupBoxEnd2Head, ui->gGroupBoxEnd2Head_b};
    } else if (iend == ui->iendComboBox) {
        edits = frameH2Edits(ui);
        heads = {ui->hGroupBoxEnd2Head, ui->hGroupBoxEnd2Head_b};
    } else if (iend == ui->comboBox_2) {
        edits = frameI2Edits(ui);
        heads = {ui->iGroupBoxEnd2Head, ui->iGroupBoxEnd2Head_b};
    } else {
        edits = frameII2Edits(ui);
        heads = {ui->iiGroupBoxEnd2Head, ui->iiGroupBoxEnd2Head_b};
    }
    const bool own = iend->currentIndex() == 1;
    for (QLineEdit *e : std::as_const(edits))
        e->setVisible(own);
    for (QLabel *l : std::as_const(heads))
        l->setVisible(own);
}

// IGA 1 (in-elastic shear) exists only with the SINA rule; the stored value is the item's number.
void FramePage::rebuildIga()
{
    const int previous = ui->igaCBox->currentIndex();
    const QSignalBlocker blocker(ui->igaCBox);
    ui->igaCBox->clear();
    if (frameRule() == 8)
        ui->igaCBox->addItems({QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")});
    else
        ui->igaCBox->addItems({QStringLiteral("0"), QStringLiteral("2")});
    ui->igaCBox->setCurrentIndex(previous <= 0 ? 0 : ui->igaCBox->count() - 1);
}

void FramePage::showFrameShear(bool fillFields)
{
    const int iga = ui->igaCBox->currentText().toInt();
    if (fillFields && state.member) {
        if (iga == 1) {
            fill(frameJEdits(ui), state.member->getFrameJ());
            select(ui->idoCBox, state.member->getFrameJIDO());
        } else if (iga == 2) {
            fill(frameKEdits(ui), state.member->getFrameK());
        }
    }
    ui->inelasticShearGroupBox->setVisible(iga == 1);
    ui->flangeShearGroupBox->setVisible(iga == 2);
}

void FramePage::itypeChosen()
{
    if (!state.editing(Member::FRAME))
        return;
    fillFrameYield();
    showFrameYield();
}

void FramePage::ruleChosen()
{
    if (!state.editing(Member::FRAME))
        return;
    // The yield fields already hold the record's values or what was typed since.
    const int rule = frameRule();
    ui->BasicSectionGroupBox_3->setVisible(rule != 0);
    showFrameYield();
    laws.showRule(rule, ui->frameLawLayout);
    rebuildIga();
    showFrameShear(true);
}

void FramePage::icondChosen(int index)
{
    if (!state.editing(Member::FRAME))
        return;
    if (index == 1) {
        fill(frameEEdits(ui), state.member->getFrameE());
        select(ui->iopComboBox, state.member->getFrameIOP());
    }
    ui->groupBox_2->setVisible(index == 1);
}

void FramePage::ilosChosen(int index)
{
    if (state.editing(Member::FRAME))
        showDegradation(ui->frameDegLayout, index, true);
}

void FramePage::igaChosen()
{
    if (state.editing(Member::FRAME))
        showFrameShear(true);
}

void FramePage::showAll()
{
    ui->labelLineEdit->setText(state.member->getLabel());
    const int *A = state.member->getFrameA();

    selectNumber(ui->itypeCBox, A[0]);
    selectNumber(ui->ihystCBox, A[3]);
    select(ui->ipinCBox, A[1]);
    select(ui->icondCBox, A[2]);
    select(ui->ilosCBox, A[4]);
    select(ui->idamgCBox, A[5]);
    select(ui->icolCBox, A[6]);
    select(ui->iductCBox, A[8]);

    // Every field is filled, shown or not, so that no value of the record
    // shown before can be stored into this one.
    fillFrameYield();
    fill(frameEEdits(ui), state.member->getFrameE());
    select(ui->iopComboBox, state.member->getFrameIOP());
    fill(degEdits(ui), state.member->getFrameDeg());
    fill(frameBEdits(ui), state.member->getFrameB());
    fill(frameCEdits(ui), state.member->getFrameC());
    fill(frameJEdits(ui), state.member->getFrameJ());
    select(ui->idoCBox, state.member->getFrameJIDO());
    fill(frameKEdits(ui), state.member->getFrameK());

    const int rule = frameRule();
    ui->BasicSectionGroupBox_3->setVisible(rule != 0);
    showFrameYield();
    ui->groupBox_2->setVisible(ui->icondCBox->currentIndex() == 1);
    showDegradation(ui->frameDegLayout, ui->ilosCBox->currentIndex(), false);
    laws.showRule(rule, ui->frameLawLayout);
    showDamping(ui->frameDampLayout);

    rebuildIga();
    const int iga = A[7];
    {
        // A stored IGA 1 outside SINA shows as "2" but is kept until IGA is chosen.
        const QSignalBlocker blocker(ui->igaCBox);
        ShownValue::show(ui->igaCBox, rule != 8 ? (iga != 0 ? 1 : 0) : (iga == 0 ? 0 : (iga == 1 ? 1 : 2)), iga);
    }
    showFrameShear(false);
}

void FramePage::readAll()
{
    int *A = state.member->getFrameA();

    A[0] = chosenNumber(ui->itypeCBox);
    switch (A[0]) {
    case 1:
        read(frameFEdits(ui), state.member->getFrameF());
        break;
    case 2:
        read(frameGEdits(ui), state.member->getFrameG());
        read(frameG2Edits(ui), state.member->getFrameG2());
        state.member->setFrameIEnd(chosenIndex(ui->gIEndcomboBox));
        break;
    case 3:
        read(frameHEdits(ui), state.member->getFrameH());
        read(frameH2Edits(ui), state.member->getFrameH2());
        state.member->setFrameIEnd(chosenIndex(ui->iendComboBox));
        break;
    case 4:
        read(frameIEdits(ui), state.member->getFrameI());
        read(frameI2Edits(ui), state.member->getFrameI2());
        state.member->setFrameIEnd(chosenIndex(ui->comboBox_2));
        break;
    case 8:
        read(frameIIEdits(ui), state.member->getFrameII());
        read(frameII2Edits(ui), state.member->getFrameII2());
        state.member->setFrameIEnd(chosenIndex(ui->iendComboBox_2));
        break;
    default:
        break;
    }

    A[1] = chosenIndex(ui->ipinCBox);
    A[2] = chosenIndex(ui->icondCBox);
    if (A[2] == 1) {
        read(frameEEdits(ui), state.member->getFrameE());
        state.member->setFrameIOP(chosenIndex(ui->iopComboBox));
    }

    A[3] = chosenNumber(ui->ihystCBox);
    // The parameters read are those of the group shown: a kept rule without an item has none.
    laws.readRule(frameRule());
    const int iga = chosenNumber(ui->igaCBox);
    if (A[3] == 8 && iga == 1) {
        read(frameJEdits(ui), state.member->getFrameJ());
        state.member->setFrameJIDO(chosenIndex(ui->idoCBox));
    }

    A[4] = chosenIndex(ui->ilosCBox);
    A[5] = chosenIndex(ui->idamgCBox);
    A[6] = chosenIndex(ui->icolCBox);
    A[7] = iga;
    if (iga == 2)
        read(frameKEdits(ui), state.member->getFrameK());
    A[8] = chosenIndex(ui->iductCBox);

    read(frameBEdits(ui), state.member->getFrameB());
    read(frameCEdits(ui), state.member->getFrameC());
    readDamping();
    if (A[4] > 0)
        read(degEdits(ui), state.member->getFrameDeg());
}
