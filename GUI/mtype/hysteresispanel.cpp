#include "hysteresispanel.h"
#include "ui_editmtypedialog.h"

#include "member.h"
#include "mtypefields.h"
#include "mtypestate.h"
#include "numberfield.h"

#include <algorithm>

using namespace MTypeFields;

namespace {

const char *const kindNames[3] = {"Confined concrete", "Cover concrete", "Shear concrete"};

} // namespace

HysteresisPanel::HysteresisPanel(MTypeState &s) : state(s)
{
    Ui::editMTypeDialog *ui = state.ui;
    rules = {
        {0, ui->elasticGroupBox},
        {1, ui->elastoplasticGroupBox},
        {2, ui->bilinealGroupBox},
        {3, ui->ihyst3GroupBox},
        {4, ui->takedaGroupBox, {ui->alfaLineEdit, ui->betaLineEdit, ui->nfLineEdit},
         [](Member &m, int) { return m.getTakeda(); },
         {{ui->kkkcomboBox, 1, [](const Member &m, int) { return m.getTakKKK(); },
           [](Member &m, int, int v) { m.setTakKKK(v); }}}},
        {5, ui->ihyst5GroupBox,
         {ui->gappLineEdit_2, ui->gapmLineEdit_2, ui->rcompLineEdit, ui->cLineEdit, ui->epsoLineEdit},
         [](Member &m, int) { return m.getihyst5A(); },
         {{ui->imodeCBox, 0, [](const Member &m, int) { return m.getihyst5B()[0]; },
           [](Member &m, int, int v) { m.getihyst5B()[0] = v; }},
          {ui->ilogCBox, 0, [](const Member &m, int) { return m.getihyst5B()[1]; },
           [](Member &m, int, int v) { m.getihyst5B()[1] = v; }}}},
        {8, ui->sinaGroupBox,
         {ui->sinaAlfaLineEdit, ui->sinaBetaLineEdit, ui->fcrpLineEdit, ui->fcrmLineEdit, ui->fccLineEdit},
         [](Member &m, int) { return m.getSina(); }},
        {15, ui->ihyst15GroupBox},
        {16, ui->ihyst16GroupBox},
        {17, ui->ihyst17GroupBox},
        {27, ui->ihyst27GroupBox},
        {31, ui->modifiedSinaGroupBox, {ui->betaLineEdit_2, ui->fcrLineEdit, ui->fccLineEdit_2},
         [](Member &m, int) { return m.getmSina(); }},
        {32, ui->modifiedBilinearGroupBox, {ui->alfaLineEdit_3, ui->betaLineEdit_3},
         [](Member &m, int) { return m.getmBilinear(); }},
        {34, ui->ihyst34GroupBox},
        {35, ui->ihyst35GroupBox, {ui->gappLineEdit_4, ui->gapmLineEdit_4, ui->punLineEdit},
         [](Member &m, int) { return m.getihyst35(); }},
        {38, ui->ihyst38GroupBox},
        {39, ui->ihyst39GroupBox, {ui->eshLineEdit, ui->esuLineEdit, ui->fsuLineEdit, ui->omegafLineEdit},
         [](Member &m, int) { return m.getihyst39(); }},
        {40, ui->ihyst40GroupBox},
        {41, ui->ihyst41GroupBox},
        {43, ui->ihyst43GroupBox},
        {53, ui->ihyst53GroupBox,
         {ui->fyavLineEdit, ui->ehard1LineEdit, ui->fuLineEdit, ui->euLineEdit, ui->fhard2LineEdit,
          ui->ehard2LineEdit, ui->ratioLineEdit, ui->eblktLineEdit},
         [](Member &m, int) { return m.getihyst53B(); },
         {{ui->ihardCBox, 1, [](const Member &m, int) { return m.getihyst53A()[0]; },
           [](Member &m, int, int v) { m.getihyst53A()[0] = v; }},
          {ui->ibcklCBox, 0, [](const Member &m, int) { return m.getihyst53A()[1]; },
           [](Member &m, int, int v) { m.getihyst53A()[1] = v; }, &HysteresisPanel::bucklingChosen}}},
        {56, ui->ihyst56GroupBox,
         {ui->alfa56LineEdit, ui->beta56LineEdit, ui->gamma56LineEdit, ui->delta56LineEdit, ui->phi56LineEdit,
          ui->fcrp56LineEdit, ui->fcrn56LineEdit, ui->fccp56LineEdit, ui->fccn56LineEdit, ui->pmax56LineEdit,
          ui->pmin56LineEdit},
         [](Member &m, int) { return m.getihyst56(); },
         {{ui->iop56CBox, 0, [](const Member &m, int) { return m.getihyst56IOP(); },
           [](Member &m, int, int v) { m.setihyst56IOP(v); }}}},
        {57, ui->ihyst57GroupBox,
         {ui->alfa57LineEdit, ui->beta57LineEdit, ui->gamma57LineEdit, ui->delta57LineEdit, ui->phi57LineEdit,
          ui->fcrp57LineEdit, ui->fcrn57LineEdit, ui->pmax57LineEdit, ui->pmin57LineEdit},
         [](Member &m, int) { return m.getihyst57(); },
         {{ui->iop57CBox, 0, [](const Member &m, int) { return m.getihyst57IOP(); },
           [](Member &m, int, int v) { m.setihyst57IOP(v); }}}},
        {59, ui->ihyst59GroupBox},
        {63, ui->ihyst63GroupBox, {ui->gappLineEdit_3, ui->gapmLineEdit_3},
         [](Member &m, int) { return m.getihyst63(); }},
    };

    concretes = {
        {54, ui->ihyst54GroupBox,
         {ui->tlimitLineEdit, ui->climitLineEdit, ui->betaLineEdit_4, ui->fboLineEdit, ui->LLineEdit,
          ui->tfactorLineEdit, ui->cfactorLineEdit, ui->ettLineEdit},
         [](Member &m, int kind) { return m.getihyst54()[kind]; }},
        {33, ui->ihyst33GroupBox,
         {ui->fcLineEdit, ui->ftLineEdit_2, ui->ucLineEdit, ui->uulLineEdit, ui->uclLineEdit, ui->emoLineEdit,
          ui->gunLineEdit, ui->areLineEdit, ui->area1LineEdit, ui->area2LineEdit, ui->r1LineEdit, ui->r2LineEdit},
         [](Member &m, int kind) { return m.getihyst33A()[kind]; },
         {{ui->ienvCBox, 0, [](const Member &m, int kind) { return m.getihyst33B()[kind]; },
           [](Member &m, int kind, int v) { m.getihyst33B()[kind] = v; }}}},
    };
    concretes[0].kindBox = ui->ihyst54CBox;
    concretes[0].kindName = ui->ihyst54LineEdit;
    concretes[1].kindBox = ui->ihyst33CBox;
    concretes[1].kindName = ui->ihyst33LineEdit;

    // Every group starts in the FRAME page's slot.
    for (const QList<Rule> *list : {&rules, &concretes})
        for (const Rule &r : *list)
            state.hostOf.insert(r.group, ui->frameLawLayout);
    hideAll();
    for (const Rule &r : std::as_const(concretes)) {
        r.kindName->setEnabled(false);
        r.kindName->setText(QString::fromLatin1(kindNames[0]));
    }
}

void HysteresisPanel::hideAll()
{
    for (const QList<Rule> *list : {&rules, &concretes})
        for (const Rule &r : *list)
            r.group->hide();
}

QString HysteresisPanel::name(int code) const
{
    const Rule *rule = find(code);
    return rule && rule->group ? rule->group->title() : QString();
}

const HysteresisPanel::Rule *HysteresisPanel::find(int code) const
{
    for (const Rule &r : rules)
        if (r.code == code)
            return &r;
    return nullptr;
}

const HysteresisPanel::Rule &HysteresisPanel::concrete(int code) const
{
    return code == 54 ? concretes.at(0) : concretes.at(1);
}

void HysteresisPanel::fillRule(const Rule &rule, int kind)
{
    Member &m = *state.member;
    if (rule.values)
        fill(rule.edits, rule.values(m, kind));
    for (const Choice &c : rule.choices) {
        select(c.combo, c.get(m, kind) - c.offset);
        if (c.chosen)
            (this->*c.chosen)(c.combo->currentIndex());
    }
}

void HysteresisPanel::storeRule(const Rule &rule, int kind)
{
    Member &m = *state.member;
    if (rule.values)
        read(rule.edits, rule.values(m, kind));
    for (const Choice &c : rule.choices)
        c.set(m, kind, chosenIndex(c.combo) + c.offset);
}

void HysteresisPanel::showRule(int code, QBoxLayout *slot)
{
    const Rule *rule = find(code);
    if (!rule) {
        hideAll();
        return;
    }
    state.placeIn(rule->group, slot);
    hideAll();
    rule->group->show();
    fillRule(*rule, 0);
}

void HysteresisPanel::readRule(int code)
{
    if (const Rule *rule = find(code))
        storeRule(*rule, 0);
}

void HysteresisPanel::bucklingChosen(int index)
{
    state.setFieldShown(state.ui->ratioLineEdit, index == 1);
    state.setFieldShown(state.ui->eblktLineEdit, index == 1);
}

void HysteresisPanel::showKind(const Rule &rule, int kind)
{
    if (!state.member || kind < 0 || kind > 2)
        return;
    rule.group->show();
    fillRule(rule, kind);
}

void HysteresisPanel::showConcrete(int code, QBoxLayout *slot)
{
    const Rule &rule = concrete(code);
    state.placeIn(rule.group, slot);
    const int kind = std::max(0, rule.kindBox->currentIndex());
    rule.kindName->setText(QString::fromLatin1(kindNames[kind]));
    showKind(rule, kind);
}

void HysteresisPanel::kindChosen(int code, int index)
{
    if (index < 0)
        return;
    const Rule &rule = concrete(code);
    rule.kindName->setText(QString::fromLatin1(kindNames[index]));
    showKind(rule, index);
}

void HysteresisPanel::saveKind(int code)
{
    const Rule &rule = concrete(code);
    const int kind = rule.kindBox->currentIndex();
    if (!NumberField::check(rule.group) || !state.member || kind < 0 || kind > 2)
        return;
    storeRule(rule, kind);
}

void HysteresisPanel::cancelKind(int code)
{
    const Rule &rule = concrete(code);
    showKind(rule, rule.kindBox->currentIndex());
}

void HysteresisPanel::retranslate()
{
    for (const Rule &r : std::as_const(concretes))
        r.kindName->setText(QString::fromLatin1(kindNames[std::max(0, r.kindBox->currentIndex())]));
}
