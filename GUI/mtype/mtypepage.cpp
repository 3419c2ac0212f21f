#include "mtypepage.h"
#include "ui_editmtypedialog.h"

#include "member.h"
#include "mtypefields.h"
#include "mtypestate.h"

using namespace MTypeFields;

MTypePage::MTypePage(MTypeState &s, HysteresisPanel &panel) : state(s), ui(s.ui), laws(panel) {}

MTypePage::~MTypePage() = default;

void MTypePage::showDamping(QBoxLayout *slot)
{
    if (!state.show11d || !state.member) {
        ui->groupBox->hide();
        return;
    }
    state.placeIn(ui->groupBox, slot);
    fill({ui->beta0LineEdit, ui->betatLineEdit, ui->alfaLineEdit_2}, state.member->getFrameIC());
    ui->groupBox->show();
}

void MTypePage::readDamping()
{
    if (state.show11d)
        read({ui->beta0LineEdit, ui->betatLineEdit, ui->alfaLineEdit_2}, state.member->getFrameIC());
}

void MTypePage::showDegradation(QBoxLayout *slot, int ilos, bool fillFields)
{
    state.placeIn(ui->degradingStrengthGroupBox, slot);
    if (fillFields && state.member)
        fill(degEdits(ui), state.member->getFrameDeg());
    ui->degradingStrengthGroupBox->setVisible(ilos > 0);
    state.setFieldShown(ui->rcycLineEdit, ilos >= 4);
}

QList<QLineEdit *> MTypePage::degEdits(Ui::editMTypeDialog *ui)
{
    return {ui->duct1LineEdit, ui->duct2LineEdit, ui->rductLineEdit, ui->duct3LineEdit, ui->rcycLineEdit};
}
