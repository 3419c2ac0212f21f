#include "editmtypedialog.h"
#include "ui_editmtypedialog.h"

#include "codenames.h"
#include "damperpage.h"
#include "framepage.h"
#include "hysteresispanel.h"
#include "member.h"
#include "multispringpage.h"
#include "numberfield.h"
#include "reinforcedpage.h"
#include "springpage.h"
#include "wallpage.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QVBoxLayout>

editMTypeDialog::editMTypeDialog(QWidget *parent)
    : QDialog(parent), ui(new Ui::editMTypeDialog), state(ui)
{
    ui->setupUi(this);
    init();

    // The form is taller than most screens: it scrolls vertically inside a
    // scroll area as high as the screen less room for the window frame.
    const int w = width();
    QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const int h = screen ? screen->geometry().height() - 80 : 688;
    area = new QScrollArea(this);
    area->setWidget(ui->formWidget);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setFixedSize(w, h);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    setFixedSize(w, h);
}

editMTypeDialog::~editMTypeDialog()
{
    state.member = nullptr;
    qDeleteAll(membersTypes);
    membersTypes.clear();
    delete ui;
}

void editMTypeDialog::init()
{
    ui->okBtn->setFocus();

    // The label is one line of the project and analysis files: no control characters.
    ui->labelLineEdit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^\\x00-\\x1f\\x7f]*")), ui->labelLineEdit));
    ui->labelLineEdit->setMaxLength(1000);

    for (QLabel *l : findChildren<QLabel *>())
        if (l->buddy())
            state.labelOf.insert(l->buddy(), l);
    // Every line edit but these holds a number.
    const QList<QLineEdit *> texts = {ui->labelLineEdit, ui->typeLineEdit, ui->ihyst33LineEdit, ui->ihyst54LineEdit};
    for (QLineEdit *edit : ui->formWidget->findChildren<QLineEdit *>()) {
        if (texts.contains(edit))
            continue;
        const QLabel *l = state.labelOf.value(edit);
        QString name = l ? l->text().remove(QLatin1Char('&')).trimmed() : NumberField::labelName(edit);
        if (name.endsWith(QLatin1Char(':')))
            name = name.chopped(1).trimmed();
        NumberField::watch(edit, name.isEmpty() ? edit->toolTip() : name);
    }

    laws = std::make_unique<HysteresisPanel>(state);
    showCodeNames();
    state.hostOf.insert(ui->degradingStrengthGroupBox, ui->frameDegLayout);
    state.hostOf.insert(ui->groupBox, ui->frameDampLayout);

    for (QWidget *w : {static_cast<QWidget *>(ui->groupBox), static_cast<QWidget *>(ui->editMTypeGroupBox),
                       static_cast<QWidget *>(ui->deleteBtn), static_cast<QWidget *>(ui->copyBtn),
                       static_cast<QWidget *>(ui->okBtn), static_cast<QWidget *>(ui->cancelBtn)})
        w->hide();
    state.setFieldShown(ui->mTypeComboBox, false);
    for (QGroupBox *g : {ui->frameGroupBox, ui->springGroupBox, ui->wallGroupBox, ui->damperGroupBox,
                         ui->multiSpringGroupBox, ui->reinforcedGroupBox,
                         ui->BasicSectionGroupBox_3, ui->fGroupBox, ui->gGroupBox, ui->hGroupBox, ui->iGroupBox,
                         ui->iiGroupBox, ui->groupBox_2, ui->degradingStrengthGroupBox,
                         ui->inelasticShearGroupBox, ui->flangeShearGroupBox,
                         ui->spring1GroupBox, ui->spring2GroupBox, ui->spring3GroupBox, ui->spring4GroupBox,
                         ui->spring5GroupBox, ui->wall2GroupBox, ui->klosGroupBox})
        g->hide();

    frame = std::make_unique<FramePage>(state, *laws);
    spring = std::make_unique<SpringPage>(state, *laws);
    wall = std::make_unique<WallPage>(state, *laws);
    damper = std::make_unique<DamperPage>(state, *laws);
    multiSpring = std::make_unique<MultiSpringPage>(state, *laws);
    reinforced = std::make_unique<ReinforcedPage>(state, *laws);
}

// ---------------------------------------------------------------------------
// Frame of the dialog
// ---------------------------------------------------------------------------

QList<Member *> editMTypeDialog::getMembersTypes() const
{
    return membersTypes;
}

void editMTypeDialog::setMTypes(const QList<Member *> &types)
{
    for (Member *m : types)
        if (m && !membersTypes.contains(m))
            membersTypes.append(m);
    // Items added before their records: show the selected one now.
    if (!state.member && ui->mTypeComboBox->currentIndex() >= 0)
        on_mTypeComboBox_currentIndexChanged(ui->mTypeComboBox->currentIndex());
}

void editMTypeDialog::addItems(int l)
{
    for (int i = 0; i < l; ++i)
        ui->mTypeComboBox->addItem(QString::number(ui->mTypeComboBox->count() + 1));
}

void editMTypeDialog::reloadMTypes(const QList<Member *> &types, int select)
{
    Member *kept = types.value(select);
    if (state.member && shownRecord && kept && kept->sameValues(*shownRecord)) {
        const QList<Member *> old = membersTypes;
        membersTypes = types;
        state.member = kept;
        {
            const QSignalBlocker blocker(ui->mTypeComboBox);
            ui->mTypeComboBox->clear();
            addItems(int(membersTypes.size()));
            ui->mTypeComboBox->setCurrentIndex(select);
        }
        qDeleteAll(old);
        return;
    }
    state.member = nullptr;
    const QList<Member *> old = membersTypes;
    membersTypes.clear();
    ui->mTypeComboBox->clear();
    qDeleteAll(old);
    membersTypes = types;
    addItems(int(membersTypes.size()));
    if (select >= 0 && select < membersTypes.size())
        ui->mTypeComboBox->setCurrentIndex(select);
}

int editMTypeDialog::selectedMType() const
{
    return state.member ? int(membersTypes.indexOf(state.member)) : -1;
}

void editMTypeDialog::newMType(int id, int type)
{
    membersTypes.append(new Member(id, type));
}

// Keeps one combo item per record, whatever added records before.
void editMTypeDialog::syncTypeList()
{
    while (ui->mTypeComboBox->count() < membersTypes.size())
        ui->mTypeComboBox->addItem(QString::number(ui->mTypeComboBox->count() + 1));
}

void editMTypeDialog::on_addBtn_clicked()
{
    if (!settleEdits())
        return;
    state.member = nullptr;  // settled: showing the new type asks nothing more
    const int id = membersTypes.size() + 1;
    newMType(id, ui->mTypeCBox->currentIndex());
    syncTypeList();
    ui->mTypeComboBox->setCurrentIndex(id - 1);
    emit updateMTypes();
}

void editMTypeDialog::on_copyBtn_clicked()
{
    if (!state.member || !settleEdits())
        return;
    const int id = membersTypes.size() + 1;
    membersTypes.append(new Member(id, *state.member));
    state.member = nullptr;
    syncTypeList();
    ui->mTypeComboBox->setCurrentIndex(id - 1);
    emit updateMTypes();
}

void editMTypeDialog::on_deleteBtn_clicked()
{
    if (!state.member)
        return;
    const int oldId = state.member->getID();
    if (deleteCheck && !deleteCheck(oldId))
        return;
    Member *gone = state.member;
    state.member = nullptr;
    membersTypes.removeOne(gone);
    delete gone;
    for (int i = 0; i < membersTypes.size(); ++i)
        membersTypes.at(i)->setID(i + 1);
    ui->mTypeComboBox->clear();
    addItems(membersTypes.size());
    emit deleteMType(oldId);
}

void editMTypeDialog::on_mTypeComboBox_currentIndexChanged(int index)
{
    QGroupBox *pages[6] = {ui->frameGroupBox, ui->springGroupBox, ui->wallGroupBox,
                           ui->damperGroupBox, ui->multiSpringGroupBox, ui->reinforcedGroupBox};
    if (state.member && membersTypes.value(index) != state.member && !settleEdits()) {
        // Keep editing: the combo goes back to the type shown.
        const QSignalBlocker blocker(ui->mTypeComboBox);
        ui->mTypeComboBox->setCurrentIndex(int(membersTypes.indexOf(state.member)));
        return;
    }
    Member *selected = membersTypes.value(index);
    if (!selected) {
        state.member = nullptr;
        shownRecord.reset();
        shownAs.reset();
        ui->deleteBtn->hide();
        ui->copyBtn->hide();
        ui->editMTypeGroupBox->hide();
        if (index < 0)
            state.setFieldShown(ui->mTypeComboBox, false);
        for (QGroupBox *p : pages)
            p->hide();
        ui->okBtn->hide();
        ui->cancelBtn->hide();
        return;
    }

    ui->editMTypeGroupBox->show();
    ui->deleteBtn->show();
    ui->copyBtn->show();
    state.setFieldShown(ui->mTypeComboBox, true);
    ui->okBtn->show();
    ui->cancelBtn->show();
    state.member = selected;
    const int type = state.member->getType();
    for (int t = 0; t < 6; ++t)
        pages[t]->setVisible(t == type);
    ui->typeLineEdit->setText(Member::categoryCaption(type));
    showSelected();
}

// Fills the page from the selected record.
void editMTypeDialog::showSelected()
{
    switch (state.member->getType()) {
    case Member::FRAME: frame->showAll(); break;
    case Member::SPRING: spring->showAll(); break;
    case Member::WALL: wall->showAll(); break;
    case Member::DAMPER: damper->showAll(); break;
    case Member::MULTISPRING: multiSpring->showAll(); break;
    case Member::REINFORCED: reinforced->showAll(); break;
    default: ui->labelLineEdit->setText(state.member->getLabel()); break;
    }
    noteShown();
}

// Reads the form into member, as Set Properties stores it.
void editMTypeDialog::readPage()
{
    state.member->setLabel(ui->labelLineEdit->text());
    switch (state.member->getType()) {
    case Member::FRAME: frame->readAll(); break;
    case Member::SPRING: spring->readAll(); break;
    case Member::WALL: wall->readAll(); break;
    case Member::DAMPER: damper->readAll(); break;
    case Member::MULTISPRING: multiSpring->readAll(); break;
    case Member::REINFORCED: reinforced->readAll(); break;
    default: break;
    }
}

// What Set Properties would store now into a record holding base.
Member editMTypeDialog::wouldStore(const Member &base)
{
    Member draft(base);
    Member *const selected = state.member;
    state.member = &draft;
    readPage();
    state.member = selected;
    return draft;
}

void editMTypeDialog::noteShown()
{
    shownRecord = std::make_unique<Member>(*state.member);
    shownAs = std::make_unique<Member>(wouldStore(*shownRecord));
}

// Set Properties would change the record, and the form no longer reads as it
// did when shown: showing alone must not count (a new record's unset codes,
// wall lists kept NIP long), nor what the page's own Save buttons stored since.
bool editMTypeDialog::hasUnstoredEdits()
{
    if (!state.member)
        return false;
    // Text that is no number reads as nothing, yet it was typed.
    for (const QLineEdit *edit : ui->formWidget->findChildren<QLineEdit *>())
        if (NumberField::isChecked(edit) && !NumberField::fault(edit).isEmpty())
            return true;
    if (wouldStore(*state.member).sameValues(*state.member))
        return false;
    return !shownRecord || !wouldStore(*shownRecord).sameValues(*shownAs);
}

// Before the shown type's edits would be lost: store them, drop them, or stay (false).
bool editMTypeDialog::settleEdits()
{
    if (!hasUnstoredEdits())
        return true;
    QMessageBox box(QMessageBox::Question, windowTitle(),
                    tr("Store the changes to member type %1?").arg(state.member->getID()), QMessageBox::NoButton, this);
    QPushButton *store = box.addButton(tr("Store"), QMessageBox::AcceptRole);
    QPushButton *discard = box.addButton(QMessageBox::Discard);
    QPushButton *keep = box.addButton(tr("Keep editing"), QMessageBox::RejectRole);
    box.setDefaultButton(store);
    box.setEscapeButton(keep);
    box.exec();
    if (box.clickedButton() == store)
        return storeShown();
    if (box.clickedButton() == discard) {
        on_cancelBtn_clicked();
        return true;
    }
    return false;
}

void editMTypeDialog::done(int result)
{
    if (settleEdits())
        QDialog::done(result);
}

void editMTypeDialog::on_okBtn_clicked()
{
    storeShown();
}

// Set Properties; false when a field holds no number and nothing was stored.
bool editMTypeDialog::storeShown()
{
    if (!state.member)
        return true;
    if (!NumberField::check(ui->formWidget))
        return false;
    readPage();
    noteShown();
    emit updateMTypes();
    return true;
}

void editMTypeDialog::on_cancelBtn_clicked()
{
    if (state.member)
        showSelected();
}

void editMTypeDialog::setShow11d(bool show)
{
    state.show11d = show;
    // Show the selected record again under the new setting; the window sets
    // this before showing the dialog, when no edit is pending.
    state.member = nullptr;
    const int index = ui->mTypeComboBox->currentIndex();
    ui->mTypeComboBox->setCurrentIndex(-1);
    ui->mTypeComboBox->setCurrentIndex(index);
}

CodeNames::Lines editMTypeDialog::ruleLines() const
{
    // The frame and spring rules are named by the rule table.
    return [this](const QString &code) {
        const QString name = laws->name(code.toInt());
        return name.isEmpty() ? QString() : code + QLatin1Char(' ') + name;
    };
}

void editMTypeDialog::tipCodes()
{
    static const QRegularExpression codes(QStringLiteral("^(ihyst|itype|ilos|ipin)CBox(_\\d)?$"));
    for (QComboBox *c : findChildren<QComboBox *>(codes))
        CodeNames::tipItems(c, c == ui->ihystCBox || c == ui->ihystCBox_2 ? ruleLines() : nullptr);
}

void editMTypeDialog::showCodeNames()
{
    tipCodes();
    const QList<QComboBox *> rules = {ui->ihystCBox, ui->ihystCBox_2, ui->ihystCBox_3, ui->ihystCBox_4};
    for (int k = 0; k < rules.size(); ++k)
        CodeNames::nameBeside(rules.at(k),
                              k == 0 ? QStringLiteral("ihystNameLabel") : QStringLiteral("ihystNameLabel_%1").arg(k + 1),
                              k < 2 ? ruleLines() : nullptr);
}

void editMTypeDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        tipCodes();
        frame->retranslate();
        laws->retranslate();
    }
    QDialog::changeEvent(event);
}

// ---------------------------------------------------------------------------
// Hysteresis rule groups
// ---------------------------------------------------------------------------

void editMTypeDialog::on_ibcklCBox_currentIndexChanged(int index) { laws->bucklingChosen(index); }
void editMTypeDialog::on_ihyst54CBox_currentIndexChanged(int index) { laws->kindChosen(54, index); }
void editMTypeDialog::on_ihyst54OkBtn_clicked() { laws->saveKind(54); }
void editMTypeDialog::on_ihyst54CancelBtn_clicked() { laws->cancelKind(54); }
void editMTypeDialog::on_ihyst33CBox_currentIndexChanged(int index) { laws->kindChosen(33, index); }
void editMTypeDialog::on_ihyst33OkBtn_clicked() { laws->saveKind(33); }
void editMTypeDialog::on_ihyst33CancelBtn_clicked() { laws->cancelKind(33); }

// ---------------------------------------------------------------------------
// FRAME page
// ---------------------------------------------------------------------------

void editMTypeDialog::on_itypeCBox_currentIndexChanged(int) { frame->itypeChosen(); }
void editMTypeDialog::on_ihystCBox_currentIndexChanged(int) { frame->ruleChosen(); }
void editMTypeDialog::on_icondCBox_currentIndexChanged(int index) { frame->icondChosen(index); }
void editMTypeDialog::on_ilosCBox_currentIndexChanged(int index) { frame->ilosChosen(index); }
void editMTypeDialog::on_igaCBox_currentIndexChanged(int) { frame->igaChosen(); }
void editMTypeDialog::on_gIEndcomboBox_currentIndexChanged(int) { frame->showEnd2(ui->gIEndcomboBox); }
void editMTypeDialog::on_iendComboBox_currentIndexChanged(int) { frame->showEnd2(ui->iendComboBox); }
void editMTypeDialog::on_comboBox_2_currentIndexChanged(int) { frame->showEnd2(ui->comboBox_2); }
void editMTypeDialog::on_iendComboBox_2_currentIndexChanged(int) { frame->showEnd2(ui->iendComboBox_2); }

// ---------------------------------------------------------------------------
// SPRING page
// ---------------------------------------------------------------------------

void editMTypeDialog::on_itypeCBox_2_currentIndexChanged(int) { spring->itypeChosen(); }
void editMTypeDialog::on_ihystCBox_2_currentIndexChanged(int) { spring->ruleChosen(); }
void editMTypeDialog::on_ilosCBox_2_currentIndexChanged(int index) { spring->ilosChosen(index); }

// ---------------------------------------------------------------------------
// WALL page
// ---------------------------------------------------------------------------

void editMTypeDialog::on_nsectCBox_currentIndexChanged(int index) { wall->nsectChosen(index); }
void editMTypeDialog::on_nipCBox_currentIndexChanged(int index) { wall->nipChosen(index); }
void editMTypeDialog::on_icondCBox_2_currentIndexChanged(int index) { wall->icondChosen(index); }
void editMTypeDialog::on_ihystCBox_3_currentIndexChanged(int index) { wall->ruleChosen(index); }
void editMTypeDialog::on_subAreaCBox_currentIndexChanged(int index) { wall->showSegment(index); }
void editMTypeDialog::on_saveWallBtn_clicked() { wall->saveSegment(); }
void editMTypeDialog::on_cancelWallBtn_clicked() { wall->cancelSegment(); }

// ---------------------------------------------------------------------------
// DAMPER page
// ---------------------------------------------------------------------------

void editMTypeDialog::on_itypeCBox_3_currentIndexChanged(int index) { damper->showFields(index); }

// ---------------------------------------------------------------------------
// MULTISPRING page
// ---------------------------------------------------------------------------

void editMTypeDialog::on_ihystCBox_4_currentIndexChanged(int index) { multiSpring->ruleChosen(index); }
void editMTypeDialog::on_ilosCBox_3_currentIndexChanged(int index) { multiSpring->ilosChosen(index); }
void editMTypeDialog::on_klosCBox_currentIndexChanged(int index) { multiSpring->klosChosen(index); }

// ---------------------------------------------------------------------------
// REINFORCED page
// ---------------------------------------------------------------------------

void editMTypeDialog::on_isteelCBox_currentIndexChanged(int index) { reinforced->steelChosen(index); }
void editMTypeDialog::on_iconcCBox_currentIndexChanged(int index) { reinforced->concreteChosen(index); }
