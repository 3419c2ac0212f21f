#include "editassigndialog.h"

#include "member.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
const char *const valueNames[6] = {"WX", "WY", "WD", "FX", "FY", "FM"};

QComboBox *choices(QWidget *parent, const char *name, const QStringList &items, const QString &tip)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->addItem(QObject::tr("unchanged"));
    combo->addItems(items);
    combo->setToolTip(tip);
    return combo;
}
} // namespace

editAssignDialog::editAssignDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("editAssignDialog"));
    setWindowTitle(tr("Assign to Selection"));
    setModal(true);
    const QStringList flags{QStringLiteral("0"), QStringLiteral("1")};
    const QStringList iouts{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};

    membersBox = new QGroupBox(this);
    membersBox->setObjectName(QStringLiteral("membersGroupBox"));
    auto *memberForm = new QFormLayout(membersBox);
    mTypeComboBox = choices(membersBox, "mTypeComboBox", {}, tr("Member type number (MTYPE)"));
    memberIoutComboBox = choices(membersBox, "memberIoutComboBox", iouts, tr("Output control flag"));
    memberForm->addRow(tr("MTYPE"), mTypeComboBox);
    memberForm->addRow(tr("IOUT"), memberIoutComboBox);

    nodesBox = new QGroupBox(this);
    nodesBox->setObjectName(QStringLiteral("nodesGroupBox"));
    auto *nodeForm = new QFormLayout(nodesBox);
    nf1ComboBox = choices(nodesBox, "nf1ComboBox", flags, tr("0 x-displacement is unconstrained, 1 fixed"));
    nf2ComboBox = choices(nodesBox, "nf2ComboBox", flags, tr("0 y-displacement is unconstrained, 1 fixed"));
    nf3ComboBox = choices(nodesBox, "nf3ComboBox", flags, tr("0 Z-rotation is unconstrained, 1 fixed"));
    nodeIoutComboBox = choices(nodesBox, "nodeIoutComboBox", iouts, tr("Output control flag"));
    nodeForm->addRow(tr("NF 1"), nf1ComboBox);
    nodeForm->addRow(tr("NF 2"), nf2ComboBox);
    nodeForm->addRow(tr("NF 3"), nf3ComboBox);
    nodeForm->addRow(tr("IOUT"), nodeIoutComboBox);
    for (int i = 0; i < 6; ++i) {
        edits[i] = new QLineEdit(nodesBox);
        edits[i]->setObjectName(QString::fromLatin1(valueNames[i]).toLower() + QStringLiteral("LineEdit"));
        edits[i]->setPlaceholderText(tr("unchanged"));
        nodeForm->addRow(QLatin1String(valueNames[i]), edits[i]);
    }

    auto *okBtn = new QPushButton(tr("OK"), this);
    okBtn->setObjectName(QStringLiteral("okBtn"));
    okBtn->setDefault(true);
    auto *cancelBtn = new QPushButton(tr("Cancel"), this);
    cancelBtn->setObjectName(QStringLiteral("cancelBtn"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn);
    buttons->addWidget(cancelBtn);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(membersBox);
    layout->addWidget(nodesBox);
    layout->addLayout(buttons);
    QMetaObject::connectSlotsByName(this);
    setCounts(0, 0);
}

void editAssignDialog::setMTypeList(const QList<Member *> &list)
{
    while (mTypeComboBox->count() > 1)
        mTypeComboBox->removeItem(1);
    for (int k = 0; k < list.size(); ++k)
        if (list.at(k))
            mTypeComboBox->addItem(QString::number(k + 1) + QStringLiteral("  ") + list.at(k)->getLabel());
}

void editAssignDialog::setCounts(int members, int nodes)
{
    membersBox->setTitle(members == 1 ? tr("1 member") : tr("%1 members").arg(members));
    nodesBox->setTitle(nodes == 1 ? tr("1 node") : tr("%1 nodes").arg(nodes));
    membersBox->setVisible(members > 0);
    nodesBox->setVisible(nodes > 0);
    adjustSize();
}

void editAssignDialog::clearFields()
{
    for (QComboBox *c : {mTypeComboBox, memberIoutComboBox, nf1ComboBox, nf2ComboBox, nf3ComboBox, nodeIoutComboBox})
        c->setCurrentIndex(0);
    for (int i = 0; i < 6; ++i) {
        edits[i]->clear();
        values[i].reset();
    }
}

int editAssignDialog::choice(const QComboBox *combo)
{
    return combo->currentIndex() <= 0 ? -1 : combo->currentIndex() - 1;
}

int editAssignDialog::getMType() const
{
    return mTypeComboBox->currentIndex() <= 0 ? -1 : mTypeComboBox->currentIndex();
}

int editAssignDialog::getMemberIout() const { return choice(memberIoutComboBox); }
int editAssignDialog::getNf1() const { return choice(nf1ComboBox); }
int editAssignDialog::getNf2() const { return choice(nf2ComboBox); }
int editAssignDialog::getNf3() const { return choice(nf3ComboBox); }
int editAssignDialog::getNodeIout() const { return choice(nodeIoutComboBox); }

std::optional<double> editAssignDialog::parseNumber(const QString &text, bool *ok)
{
    const QString t = text.trimmed();
    *ok = true;
    if (t.isEmpty())
        return std::nullopt;
    // "1,5" is not 15, and no locale's comma is a decimal point here.
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    const double v = c.toDouble(t, ok);
    if (!*ok || !std::isfinite(v)) {
        *ok = false;
        return std::nullopt;
    }
    return v;
}

void editAssignDialog::on_okBtn_clicked()
{
    std::optional<double> read[6];
    for (int i = 0; i < 6; ++i) {
        bool ok = true;
        read[i] = parseNumber(edits[i]->text(), &ok);
        if (!ok) {
            QMessageBox::critical(this, tr("Error"), tr("%1 must be a number").arg(QLatin1String(valueNames[i])));
            edits[i]->setFocus();
            edits[i]->selectAll();
            return;
        }
    }
    for (int i = 0; i < 6; ++i)
        values[i] = read[i];
    accept();
}

void editAssignDialog::on_cancelBtn_clicked()
{
    reject();
}
