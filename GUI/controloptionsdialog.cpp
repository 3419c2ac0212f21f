#include "controloptionsdialog.h"
#include "ui_controloptionsdialog.h"

#include "numberfield.h"
#include "projectdata.h"
#include "shownvalue.h"

#include <QLabel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QSignalBlocker>

#include <cstring>

namespace {

// IPVERT combo: "0", "1", "2", "-n" and, while IPANAL is 8 or 9, "n".
const int ipvertNegative = 3;
const int ipvertPositive = 4;

bool displacementHistories(int ipanal)
{
    return ipanal == 8 || ipanal == 9;
}

bool alphaActive(int ipanal)
{
    return ipanal == 6 || displacementHistories(ipanal);
}

QString showDouble(double v)
{
    return QString::number(v, 'g', 10);
}

int toInt(const QString &text)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    return ok ? v : 0;
}

double toDouble(const QString &text)
{
    return ShownValue::typed(text);
}

// The text holds only 10 digits: a field left as shown gives back the stored value itself.
void showValue(QLineEdit *edit, double v)
{
    ShownValue::show(edit, showDouble(v), v);
}

double readValue(const QLineEdit *edit)
{
    return ShownValue::read(edit, toDouble(edit->text()));
}

} // namespace

controlOptionsDialog::controlOptionsDialog(QWidget *parent)
    : QDialog(parent),
      ui(new Ui::controlOptionsDialog),
      a(new int[ASize]()),
      b(new int[BSize]()),
      d(new int[DSize]()),
      c(new double[CSize]()),
      e(new double[ESize]()),
      seted(false)
{
    ui->setupUi(this);
    ui->groupBox_5->hide();
    ui->ipvertLineEdit->setEnabled(false);
    ui->ipvertLineEdit_2->setEnabled(false);
    ui->joutLineEdit->setEnabled(false);
    ui->dstortLineEdit->setEnabled(false);
    ui->nlevelLineEdit->setEnabled(false);
    ui->nmpLineEdit->setEnabled(false);
    ui->nmemLineEdit->setEnabled(false);
    ui->ntypeLineEdit->setEnabled(false);
    // Not resizable: the form's layout holds the dialog at its size hint,
    // which grows only when the modal damping group is shown.
    layout()->activate();

    // Each field is named by its label: "mLineEdit" by "mLabel" (NNP's is "nnpLabel").
    const QList<QLineEdit *> whole = {ui->nmpLineEdit, ui->nmemLineEdit, ui->ntypeLineEdit, ui->mLineEdit,
                                      ui->mode1LineEdit, ui->mode2LineEdit, ui->kpLineEdit, ui->kpaLineEdit,
                                      ui->kplotLineEdit, ui->joutLineEdit, ui->nlevelLineEdit, ui->kdumpLineEdit,
                                      ui->maxitLineEdit, ui->maxcitLineEdit};
    for (QLineEdit *edit : storedEdits()) {
        const QString stem = edit->objectName().chopped(int(std::strlen("LineEdit")));
        const QLabel *label = edit == ui->nmpLineEdit ? ui->nnpLabel : findChild<QLabel *>(stem + QStringLiteral("Label"));
        NumberField::watch(edit, label ? label->text() : stem.toUpper(),
                           whole.contains(edit) ? NumberField::Whole : NumberField::Real);
    }
    NumberField::watch(ui->dampLineEdit, ui->dampLabel->text());

    // One mode to start with, valued 0.
    on_pushButton_clicked();

    setNullProperties();
    ui->ipvertLineEdit->setText(QStringLiteral("-"));
}

controlOptionsDialog::~controlOptionsDialog()
{
    delete[] a;
    delete[] b;
    delete[] c;
    delete[] d;
    delete[] e;
    delete ui;
}

int *controlOptionsDialog::getA() { return a; }
int *controlOptionsDialog::getB() { return b; }
double *controlOptionsDialog::getC() { return c; }
int *controlOptionsDialog::getD() { return d; }
double *controlOptionsDialog::getE() { return e; }

QList<double> controlOptionsDialog::getDumpList() const
{
    return dampList;
}

void controlOptionsDialog::setDumpList(QList<double> list)
{
    dampList = list;
    refillModeCombo(dampList.isEmpty() ? -1 : 0);
    updateModeButtons();
}

bool controlOptionsDialog::isSeted() const
{
    return seted;
}

void controlOptionsDialog::setSeted(bool value)
{
    seted = value;
}

void controlOptionsDialog::setProperties(int nmp, int nmem, int nlevel, int ntype)
{
    b[0] = nmp;
    b[1] = nmem;
    b[2] = ntype;
    b[10] = nlevel;
    showProperties();
}

void controlOptionsDialog::setGridDefaults(int yLines)
{
    ModelCore::setGridDefaults(yLines, b, c);
    showProperties();
}

void controlOptionsDialog::setNullProperties()
{
    for (int i = 0; i < ASize; ++i)
        a[i] = 0;
    for (int i = 0; i < BSize; ++i)
        b[i] = 0;
    b[11] = 1; // NUP: drifts along X

    const double cDefaults[CSize] = {9.8, 0.0, 0.0, 0.0, 0.0, 1.0, 1.0, 10.0, 1.0, 0.5};
    for (int i = 0; i < CSize; ++i)
        c[i] = cDefaults[i];

    for (int i = 0; i < DSize; ++i)
        d[i] = 0;

    const double eDefaults[ESize] = {0.0001, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.1};
    for (int i = 0; i < ESize; ++i)
        e[i] = eDefaults[i];

    showProperties();
}

void controlOptionsDialog::showProperties()
{
    showA();
    showB();
    showC();
    showD();
    showE();
}

void controlOptionsDialog::setComboIndex(QComboBox *combo, int index)
{
    // A value the combo has no item for (hand-edited project file) shows the
    // first item rather than no item, which OK would store as -1.
    combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : 0);
}

void controlOptionsDialog::showA()
{
    {
        const QSignalBlocker b0(ui->ipanalCmbBox);
        const QSignalBlocker b1(ui->ictypeComboBox);
        const QSignalBlocker b2(ui->ipvertComboBox);
        setComboIndex(ui->ipanalCmbBox, a[0]);
        setComboIndex(ui->ifmtComboBox, a[1]);
        setComboIndex(ui->iplasComboBox, a[2]);
        setComboIndex(ui->ipconComboBox, a[3]);
        setComboIndex(ui->ictypeComboBox, a[4]);
        updateIpvertItems(ui->ipanalCmbBox->currentIndex());
        showIpvert();
        setComboIndex(ui->inlgeoComboBox, a[6]);
        setComboIndex(ui->ipnfComboBox, a[7]);
        setComboIndex(ui->izeroComboBox, a[8]);
        setComboIndex(ui->orthoComboBox, a[9]);
        setComboIndex(ui->imodeComboBox, a[10]);
    }
    // The combos may already have stood at these indexes, so the state that
    // hangs on them (SHAPE, ALPHA, damping group) is applied explicitly: the
    // main window relies on this after filling the arrays in place.
    emit activateAlpha(alphaActive(ui->ipanalCmbBox->currentIndex()));
    updateIpvertEdits(ui->ipvertComboBox->currentIndex());
    ui->groupBox_5->setVisible(ui->ictypeComboBox->currentIndex() == 4);
}

void controlOptionsDialog::showIpvert()
{
    const int v = a[5];
    if (v < 0) {
        ui->ipvertComboBox->setCurrentIndex(ipvertNegative);
        ui->ipvertLineEdit->setText(QString::number(v));
        ui->ipvertLineEdit_2->clear();
    } else if (v > 2 && ui->ipvertComboBox->count() > ipvertPositive) {
        ui->ipvertComboBox->setCurrentIndex(ipvertPositive);
        ui->ipvertLineEdit_2->setText(QString::number(v));
        ui->ipvertLineEdit->setText(QStringLiteral("-"));
    } else {
        setComboIndex(ui->ipvertComboBox, v);
        ui->ipvertLineEdit->setText(QStringLiteral("-"));
        ui->ipvertLineEdit_2->clear();
    }
}

void controlOptionsDialog::showB()
{
    ui->nmpLineEdit->setText(QString::number(b[0]));
    ui->nmemLineEdit->setText(QString::number(b[1]));
    ui->ntypeLineEdit->setText(QString::number(b[2]));
    ui->mLineEdit->setText(QString::number(b[3]));
    ui->mode1LineEdit->setText(QString::number(b[4]));
    ui->mode2LineEdit->setText(QString::number(b[5]));
    ui->kpLineEdit->setText(QString::number(b[6]));
    ui->kpaLineEdit->setText(QString::number(b[7]));
    ui->kplotLineEdit->setText(QString::number(b[8]));
    ui->joutLineEdit->setText(QString::number(b[9]));
    ui->nlevelLineEdit->setText(QString::number(b[10]));
    setComboIndex(ui->nupComboBox, b[11] - 1);
    setComboIndex(ui->iresidComboBox, b[12]);
    ui->kdumpLineEdit->setText(QString::number(b[13]));
}

void controlOptionsDialog::showC()
{
    showValue(ui->gravLineEdit, c[0]);
    showValue(ui->c1LineEdit, c[1]);
    showValue(ui->c2LineEdit, c[2]);
    showValue(ui->dtLineEdit, c[3]);
    showValue(ui->timeLineEdit, c[4]);
    showValue(ui->factorLineEdit, c[5]);
    showValue(ui->dstortLineEdit, c[6]);
    showValue(ui->dfactLineEdit, c[7]);
    showValue(ui->xmaxLineEdit, c[8]);
    showValue(ui->ymaxLineEdit, c[9]);
}

void controlOptionsDialog::showD()
{
    ui->maxitLineEdit->setText(QString::number(d[0]));
    ui->maxcitLineEdit->setText(QString::number(d[1]));
    setComboIndex(ui->dComboBox, d[2] == 100 ? 2 : d[2]);
}

void controlOptionsDialog::showE()
{
    showValue(ui->ftestLineEdit, e[0]);
    showValue(ui->wavexLineEdit, e[1]);
    showValue(ui->waveyLineEdit, e[2]);
    showValue(ui->thetaLineEdit, e[3]);
    showValue(ui->dxmaxLineEdit, e[4]);
    showValue(ui->dymaxLineEdit, e[5]);
    showValue(ui->omegaLineEdit, e[6]);
    showValue(ui->fLineEdit, e[7]);
}

void controlOptionsDialog::updateIpvertItems(int ipanal)
{
    QComboBox *combo = ui->ipvertComboBox;
    if (displacementHistories(ipanal)) {
        if (combo->count() == ipvertPositive)
            combo->addItem(QStringLiteral("n"));
    } else if (combo->count() > ipvertPositive) {
        // Leaving "n" falls back to the X-direction earthquake, not to "-n".
        if (combo->currentIndex() == ipvertPositive)
            combo->setCurrentIndex(0);
        combo->removeItem(ipvertPositive);
    }
}

void controlOptionsDialog::updateIpvertEdits(int index)
{
    if (index == ipvertNegative) {
        ui->ipvertLineEdit->show();
        ui->ipvertLineEdit->setEnabled(true);
        ui->ipvertLineEdit_2->hide();
        ui->ipvertLineEdit_2->setEnabled(false);
        emit activateShapeAction(true);
    } else if (index == ipvertPositive) {
        ui->ipvertLineEdit_2->show();
        ui->ipvertLineEdit_2->setEnabled(true);
        ui->ipvertLineEdit->hide();
        ui->ipvertLineEdit->setEnabled(false);
        emit activateShapeAction(false);
    } else {
        ui->ipvertLineEdit->hide();
        ui->ipvertLineEdit->setText(QStringLiteral("-"));
        ui->ipvertLineEdit_2->show();
        ui->ipvertLineEdit_2->setEnabled(false);
        ui->ipvertLineEdit_2->clear();
        emit activateShapeAction(false);
    }
}

bool controlOptionsDialog::readIpvert(int *value)
{
    const int index = ui->ipvertComboBox->currentIndex();
    if (index == ipvertNegative) {
        static const QRegularExpression negative(QStringLiteral("^-[0-9]+$"));
        const QString text = ui->ipvertLineEdit->text();
        bool ok = false;
        const int v = text.toInt(&ok);
        // "-0" would leave SHAPE on with no load component.
        if (!negative.match(text).hasMatch() || !ok || v >= 0)
            return false;
        *value = v;
        return true;
    }
    if (index == ipvertPositive && displacementHistories(ui->ipanalCmbBox->currentIndex())) {
        static const QRegularExpression positive(QStringLiteral("^[0-9]+$"));
        const QString text = ui->ipvertLineEdit_2->text();
        bool ok = false;
        const int v = text.toInt(&ok);
        if (!positive.match(text).hasMatch() || !ok)
            return false;
        *value = v;
        return true;
    }
    *value = index < 0 ? 0 : index;
    return true;
}

// The number fields OK stores (the modal damping value has its own Set button).
QList<QLineEdit *> controlOptionsDialog::storedEdits() const
{
    return {ui->nmpLineEdit, ui->nmemLineEdit, ui->ntypeLineEdit, ui->mLineEdit, ui->mode1LineEdit,
            ui->mode2LineEdit, ui->gravLineEdit, ui->c1LineEdit, ui->c2LineEdit, ui->dtLineEdit,
            ui->timeLineEdit, ui->factorLineEdit, ui->kpLineEdit, ui->kpaLineEdit, ui->kplotLineEdit,
            ui->joutLineEdit, ui->dstortLineEdit, ui->dfactLineEdit, ui->xmaxLineEdit, ui->ymaxLineEdit,
            ui->nlevelLineEdit, ui->kdumpLineEdit, ui->maxitLineEdit, ui->maxcitLineEdit, ui->ftestLineEdit,
            ui->wavexLineEdit, ui->waveyLineEdit, ui->thetaLineEdit, ui->dxmaxLineEdit, ui->dymaxLineEdit,
            ui->omegaLineEdit, ui->fLineEdit};
}

void controlOptionsDialog::on_okBtn_clicked()
{
    // Check first, so a refused OK leaves every stored value as it was.
    if (!NumberField::check(storedEdits()))
        return;
    int ipvert = 0;
    if (!readIpvert(&ipvert)) {
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Check the values"));
        return;
    }

    seted = true;
    a[0] = ui->ipanalCmbBox->currentIndex();
    a[1] = ui->ifmtComboBox->currentIndex();
    a[2] = ui->iplasComboBox->currentIndex();
    a[3] = ui->ipconComboBox->currentIndex();
    a[4] = ui->ictypeComboBox->currentIndex();
    a[5] = ipvert;
    a[6] = ui->inlgeoComboBox->currentIndex();
    a[7] = ui->ipnfComboBox->currentIndex();
    a[8] = ui->izeroComboBox->currentIndex();
    a[9] = ui->orthoComboBox->currentIndex();
    a[10] = ui->imodeComboBox->currentIndex();

    b[0] = toInt(ui->nmpLineEdit->text());
    b[1] = toInt(ui->nmemLineEdit->text());
    b[2] = toInt(ui->ntypeLineEdit->text());
    b[3] = toInt(ui->mLineEdit->text());
    b[4] = toInt(ui->mode1LineEdit->text());
    b[5] = toInt(ui->mode2LineEdit->text());
    b[6] = toInt(ui->kpLineEdit->text());
    b[7] = toInt(ui->kpaLineEdit->text());
    b[8] = toInt(ui->kplotLineEdit->text());
    b[9] = toInt(ui->joutLineEdit->text());
    b[10] = toInt(ui->nlevelLineEdit->text());
    b[11] = ui->nupComboBox->currentIndex() + 1;
    b[12] = ui->iresidComboBox->currentIndex();
    b[13] = toInt(ui->kdumpLineEdit->text());

    c[0] = readValue(ui->gravLineEdit);
    c[1] = readValue(ui->c1LineEdit);
    c[2] = readValue(ui->c2LineEdit);
    c[3] = readValue(ui->dtLineEdit);
    c[4] = readValue(ui->timeLineEdit);
    c[5] = readValue(ui->factorLineEdit);
    c[6] = readValue(ui->dstortLineEdit);
    c[7] = readValue(ui->dfactLineEdit);
    c[8] = readValue(ui->xmaxLineEdit);
    c[9] = readValue(ui->ymaxLineEdit);

    d[0] = toInt(ui->maxitLineEdit->text());
    d[1] = toInt(ui->maxcitLineEdit->text());
    d[2] = ui->dComboBox->currentIndex() == 2 ? 100 : ui->dComboBox->currentIndex();

    e[0] = readValue(ui->ftestLineEdit);
    e[1] = readValue(ui->wavexLineEdit);
    e[2] = readValue(ui->waveyLineEdit);
    e[3] = readValue(ui->thetaLineEdit);
    e[4] = readValue(ui->dxmaxLineEdit);
    e[5] = readValue(ui->dymaxLineEdit);
    e[6] = readValue(ui->omegaLineEdit);
    e[7] = readValue(ui->fLineEdit);

    // Show what was stored (text that did not convert now reads 0).
    showProperties();
    emit updateControlOptions(a[4]);
    accept();
}

void controlOptionsDialog::on_cancelBtn_clicked()
{
    showProperties();
}

void controlOptionsDialog::reject()
{
    // Closing without OK keeps nothing typed, and SHAPE / ALPHA go back to
    // what the stored values call for.
    showProperties();
    QDialog::reject();
}

void controlOptionsDialog::on_ipanalCmbBox_currentIndexChanged(int index)
{
    emit activateAlpha(alphaActive(index));
    updateIpvertItems(index);
}

void controlOptionsDialog::on_ipvertComboBox_currentIndexChanged(int index)
{
    updateIpvertEdits(index);
}

void controlOptionsDialog::on_ictypeComboBox_currentIndexChanged(int index)
{
    ui->groupBox_5->setVisible(index == 4);
}

void controlOptionsDialog::on_pushButton_clicked()
{
    dampList.append(0.0);
    {
        const QSignalBlocker blocker(ui->comboBox);
        ui->comboBox->addItem(QString::number(dampList.size()));
        ui->comboBox->setCurrentIndex(ui->comboBox->count() - 1);
    }
    on_comboBox_currentIndexChanged(ui->comboBox->currentIndex());
    updateModeButtons();
}

void controlOptionsDialog::on_pushButton_2_clicked()
{
    const int index = ui->comboBox->currentIndex();
    if (index < 0 || index >= dampList.size() || !NumberField::check({ui->dampLineEdit}))
        return;
    dampList[index] = readValue(ui->dampLineEdit);
    showValue(ui->dampLineEdit, dampList.at(index));
}

void controlOptionsDialog::on_deleteBtn_clicked()
{
    const int index = ui->comboBox->currentIndex();
    if (index < 0 || index >= dampList.size())
        return;
    dampList.removeAt(index);
    refillModeCombo(qMin(index, int(dampList.size()) - 1));
    updateModeButtons();
}

void controlOptionsDialog::on_comboBox_currentIndexChanged(int index)
{
    if (index >= 0 && index < dampList.size()) {
        showValue(ui->dampLineEdit, dampList.at(index));
    } else {
        ui->dampLineEdit->clear();
        ShownValue::forget(ui->dampLineEdit);
    }
}

void controlOptionsDialog::refillModeCombo(int select)
{
    {
        const QSignalBlocker blocker(ui->comboBox);
        ui->comboBox->clear();
        for (int i = 1; i <= dampList.size(); ++i)
            ui->comboBox->addItem(QString::number(i));
        ui->comboBox->setCurrentIndex(select);
    }
    on_comboBox_currentIndexChanged(ui->comboBox->currentIndex());
}

void controlOptionsDialog::updateModeButtons()
{
    const bool any = !dampList.isEmpty();
    ui->pushButton_2->setVisible(any);
    ui->deleteBtn->setVisible(any);
}
