#include <QtTest>

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <functional>

#include "bar.h"
#include "mainwindow.h"
#include "member.h"
#include "testmodels.h"

// A member type typed through the member-type dialog of a window must come
// back from a saved project exactly as it was typed, and both windows must
// write the same PROPS block.

namespace {

using TestModels::setGrid;

// Drives a member-type dialog owned by a window through its widgets and
// remembers which line edits were typed into.
struct Form
{
    editMTypeDialog *d = nullptr;
    QStringList typed;

    template <class T>
    T *get(const QString &name) const
    {
        T *w = d->findChild<T *>(name);
        if (!w)
            qFatal("missing widget %s", qPrintable(name));
        return w;
    }
    void pick(const QString &combo, const QString &item)
    {
        QComboBox *c = get<QComboBox>(combo);
        const int i = c->findText(item);
        if (i < 0)
            qFatal("combo %s has no item %s", qPrintable(combo), qPrintable(item));
        c->setCurrentIndex(i);
    }
    void index(const QString &combo, int i) { get<QComboBox>(combo)->setCurrentIndex(i); }
    // Numbers typed as the dialog itself shows them, so a reopened dialog can show the same text.
    void type(const QStringList &names, const QList<double> &values)
    {
        if (names.size() != values.size())
            qFatal("%lld fields, %lld values", qint64(names.size()), qint64(values.size()));
        for (int i = 0; i < names.size(); ++i) {
            get<QLineEdit>(names.at(i))->setText(QString::number(values.at(i), 'g', 10));
            typed << names.at(i);
        }
    }
    void label(const QString &text)
    {
        get<QLineEdit>(QStringLiteral("labelLineEdit"))->setText(text);
        typed << QStringLiteral("labelLineEdit");
    }
    void click(const QString &button) { get<QPushButton>(button)->click(); }
};

using Typist = std::function<void(Form &)>;

QByteArray T(int n)
{
    return QByteArray(n, '\t');
}

const char *const kPages[6] = {"frameGroupBox", "springGroupBox", "wallGroupBox", "damperGroupBox",
                               "multiSpringGroupBox", "reinforcedGroupBox"};

// A 2 x 2 grid, the damping choice ICTYPE, every setting accepted.
void prepareWindow(MainWindow &w, int ictype)
{
    setGrid(w, {"0", "5"}, {"0", "3"});
    controlOptionsDialog *c = w.getControlDialog();
    c->getA()[4] = ictype;
    c->setSeted(true);
    emit c->updateControlOptions(ictype);
    w.getDriftDialog()->setSeted(true);
    w.getQuakeDialog()->setSeted(true);
    w.getLoadDialog()->setLists({0, 10, 0, 10}, {0, -5, 0, -5}, {0, 0, 0, 0});
    w.getMassDialog()->setLists({0, 2, 0, 2}, {0, 2, 0, 2}, {0, 0, 0, 0});
}

// What the window does before it shows the member-type dialog.
editMTypeDialog *openMTypeDialog(MainWindow &w)
{
    editMTypeDialog *d = w.getMTypeDialog();
    d->setShow11d(w.isShow11d());
    return d;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The PROPS section: from its header to the line before WEIGHTS.
QByteArray propsOf(const QByteArray &file)
{
    const qsizetype from = file.indexOf("\nPROPS\n");
    const qsizetype to = file.indexOf("\nWEIGHTS\n");
    if (from < 0 || to < from)
        return QByteArray();
    return file.mid(from + 1, to - from);
}

QStringList namedWidgets(QWidget *root)
{
    QStringList names;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            names << name;
    }
    names.removeDuplicates();
    names.sort();
    return names;
}

// Every named widget of the shown page: same visibility, texts, items and selection.
void comparePages(editMTypeDialog *first, editMTypeDialog *second, int category, const QString &when)
{
    for (int k = 0; k < 6; ++k) {
        QWidget *p1 = first->findChild<QWidget *>(QLatin1String(kPages[k]));
        QWidget *p2 = second->findChild<QWidget *>(QLatin1String(kPages[k]));
        QCOMPARE(p1->isVisibleTo(first), k == category);
        QCOMPARE(p2->isVisibleTo(second), k == category);
    }
    for (const char *name : {"labelLineEdit", "typeLineEdit"})
        QCOMPARE(second->findChild<QLineEdit *>(QLatin1String(name))->text(),
                 first->findChild<QLineEdit *>(QLatin1String(name))->text());

    // Hidden widgets keep whatever an earlier choice left in them; what counts is what the page shows.
    QWidget *page1 = first->findChild<QWidget *>(QLatin1String(kPages[category]));
    QWidget *page2 = second->findChild<QWidget *>(QLatin1String(kPages[category]));
    QStringList names = namedWidgets(page1) + namedWidgets(page2);
    names.removeDuplicates();
    int compared = 0;
    for (const QString &name : std::as_const(names)) {
        QWidget *w1 = first->findChild<QWidget *>(name);
        QWidget *w2 = second->findChild<QWidget *>(name);
        const QByteArray where = (when + QLatin1String(": ") + name).toUtf8();
        QVERIFY2(w1 && w2, where.constData());
        const bool shown1 = page1->isAncestorOf(w1) && w1->isVisibleTo(first);
        const bool shown2 = page2->isAncestorOf(w2) && w2->isVisibleTo(second);
        QVERIFY2(shown1 == shown2, (where + (shown1 ? " shown only in the first" : " shown only in the second")).constData());
        if (!shown1)
            continue;
        ++compared;
        QVERIFY2(w1->parentWidget()->objectName() == w2->parentWidget()->objectName(), where.constData());
        QVERIFY2(w1->isEnabled() == w2->isEnabled(), where.constData());
        if (auto *e1 = qobject_cast<QLineEdit *>(w1)) {
            const QString t2 = qobject_cast<QLineEdit *>(w2)->text();
            QVERIFY2(e1->text() == t2, (where + " \"" + e1->text().toUtf8() + "\" / \"" + t2.toUtf8() + '"').constData());
        } else if (auto *c1 = qobject_cast<QComboBox *>(w1)) {
            auto *c2 = qobject_cast<QComboBox *>(w2);
            QVERIFY2(c1->count() == c2->count(), where.constData());
            for (int i = 0; i < c1->count(); ++i)
                QVERIFY2(c1->itemText(i) == c2->itemText(i), where.constData());
            QVERIFY2(c1->currentIndex() == c2->currentIndex(),
                     (where + ' ' + QByteArray::number(c1->currentIndex()) + " / "
                      + QByteArray::number(c2->currentIndex())).constData());
        } else if (auto *g1 = qobject_cast<QGroupBox *>(w1)) {
            QVERIFY2(g1->title() == qobject_cast<QGroupBox *>(w2)->title(), where.constData());
        }
    }
    QVERIFY(compared > 10);
}

// ------------------------------------------------------------ the records

void typeFrameTakeda(Form &f)
{
    f.label(QStringLiteral("COL A"));
    f.pick("itypeCBox", "2");
    f.pick("ihystCBox", "4");
    f.pick("icondCBox", "1");
    f.pick("ilosCBox", "4");
    f.pick("ipinCBox", "3");
    f.pick("icolCBox", "2");
    f.pick("igaCBox", "2");
    f.pick("iductCBox", "1");
    f.pick("gIEndcomboBox", "1");
    f.pick("kkkcomboBox", "1");
    f.pick("iopComboBox", "1");
    f.type({"eLineEdit", "gLineEdit", "aLineEdit", "asLineEdit", "iLineEdit", "wgtLineEdit", "end1LineEdit",
            "end2LineEdit", "fj1LineEdit", "fj2LineEdit"},
           {2.5e7, 1.04e7, 0.25, 0.208, 0.0052, 6, 0.1, 0.2, 1e-05, 2e-05});
    f.type({"raLineEdit", "rfLineEdit", "h1LineEdit", "h2LineEdit"}, {0.01, 0.02, 0.3, 0.35});
    f.type({"pyccLineEdit", "pbLineEdit", "mbLineEdit", "m1bLineEdit", "m2bLineEdit", "moLineEdit", "pytcLineEdit"},
           {-5400, -2000, 260, 240, 220, 180, 860});
    f.type({"pyccLineEdit_2", "pbLineEdit_8", "mbLineEdit_8", "m1bLineEdit_3", "m2bLineEdit_3", "moLineEdit_5",
            "pytcLineEdit_2"},
           {-5500, -2100, 270, 250, 230, 190, 870});
    f.type({"m1LineEdit", "m2LineEdit", "v1LineEdit", "v2LineEdit", "axialLineEdit", "axpsLineEdit"},
           {12.5, -12.5, 30, -30, 100, 50});
    f.type({"flexLineEdit", "bearLineEdit", "v1LineEdit_2", "v2LineEdit_2", "v3LineEdit"}, {1.1, 2.2, 3.3, 4.4, 5.5});
    f.type({"duct1LineEdit", "duct2LineEdit", "rductLineEdit", "duct3LineEdit", "rcycLineEdit"}, {2, 6, 0.2, 10, 5});
    f.type({"alfaLineEdit", "betaLineEdit", "nfLineEdit"}, {0.4, 0.6, 2});
    f.type({"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"}, {0.01, 0.02, 0.03});
}

void typeFrameSina(Form &f)
{
    f.label(QStringLiteral("BEAM-8"));
    f.pick("itypeCBox", "8");
    f.pick("ihystCBox", "8");
    f.pick("igaCBox", "1");
    f.pick("ilosCBox", "3");
    f.pick("ipinCBox", "1");
    f.pick("icolCBox", "3");
    f.pick("iendComboBox_2", "1");
    f.pick("idoCBox", "2");
    f.type({"eLineEdit", "gLineEdit", "aLineEdit", "asLineEdit", "iLineEdit", "wgtLineEdit", "end1LineEdit",
            "end2LineEdit", "fj1LineEdit", "fj2LineEdit"},
           {3e7, 1.2e7, 0.5, 0.4, 0.01, 12, 0.15, 0.3, 0.002, 0.001});
    f.type({"raLineEdit", "rfLineEdit", "h1LineEdit", "h2LineEdit"}, {0.03, 0.04, 0.5, 0.55});
    f.type({"pycpLineEdit", "pycmLineEdit", "pbLineEdit_5", "mbLineEdit_5", "pcLineEdit_4", "mcLineEdit_4",
            "pytpLineEdit", "pytmLineEdit"},
           {-900, -800, -300, 150, -100, 120, 400, 380});
    f.type({"pycpLineEdit_2", "pycmLineEdit_2", "pbLineEdit_10", "mbLineEdit_10", "pcLineEdit_7", "mcLineEdit_7",
            "pytpLineEdit_2", "pytmLineEdit_2"},
           {-910, -810, -310, 160, -110, 130, 410, 390});
    f.type({"vyLineEdit", "vcrLineEdit", "vccLineEdit", "alfaLineEdit_7", "rLineEdit", "duct1LineEdit_3",
            "duct2LineEdit_3", "vresLineEdit", "phi1LineEdit", "phi2LineEdit", "presLineEdit"},
           {50, 20, 10, 0.05, 0.5, 2, 8, 15, 0.001, 0.01, 5});
    f.type({"duct1LineEdit", "duct2LineEdit", "rductLineEdit", "duct3LineEdit"}, {1.5, 4, 0.3, 9});
    f.type({"sinaAlfaLineEdit", "sinaBetaLineEdit", "fcrpLineEdit", "fcrmLineEdit", "fccLineEdit"},
           {0.1, 0.2, 25, -25, 5});
    f.type({"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"}, {0.04, 0.05, 0.06});
}

void typeSpring(Form &f)
{
    f.label(QStringLiteral("SPR1"));
    f.pick("itypeCBox_2", "3");
    f.pick("ihystCBox_2", "53");
    f.pick("ilosCBox_2", "2");
    f.pick("itrussCBox", "2");
    f.pick("iopCBox", "1");
    f.pick("iCBox", "2");
    f.pick("ihardCBox", "3");
    f.pick("ibcklCBox", "0");
    f.type({"kxLineEdit", "kyLineEdit", "gjLineEdit", "wgtLineEdit_2", "rfLineEdit_2", "rtLineEdit", "psxLineEdit",
            "psyLineEdit", "pszLineEdit", "thetaLineEdit", "slLineEdit"},
           {1000, 2000, 300, 4.5, 0.05, 0.06, 7, 8, 9, 30, 0.25});
    f.type({"fxpLineEdit_2", "fxmLineEdit_2", "fypLineEdit_2", "fymLineEdit_2", "mzpLineEdit_3", "mzmLineEdit_3",
            "fcryLineEdit", "fccyLineEdit", "alfaLineEdit_4", "hingeLineEdit", "duct1LineEdit_2", "duct2LineEdit_2",
            "resLineEdit", "duct3LineEdit_2"},
           {100, -100, 200, -200, 50, -50, 20, 10, 0.1, 0.3, 2, 6, 0.2, 12});
    f.type({"duct1LineEdit", "duct2LineEdit", "rductLineEdit", "duct3LineEdit"}, {3, 7, 0.25, 11});
    f.type({"fyavLineEdit", "ehard1LineEdit", "fuLineEdit", "euLineEdit", "fhard2LineEdit", "ehard2LineEdit"},
           {420, 12, 630, 90, 520, 45});
    f.type({"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"}, {0.07, 0.08, 0.09});
}

void typeWall(Form &f)
{
    f.label(QStringLiteral("WALL-W1"));
    f.pick("icondCBox_2", "1");
    f.pick("nipCBox", "4");
    f.pick("nsectCBox", "3");
    f.pick("ihystCBox_3", "2");
    f.type({"wgtLineEdit_3", "amaxLineEdit", "imaxLineEdit"}, {2.4, 0.6, 0.09});
    f.type({"emodcLineEdit", "emodsLineEdit", "sigaLineEdit", "sigbLineEdit", "epsbLineEdit", "sigcrLineEdit",
            "sigysLineEdit", "sbilinLineEdit", "alfaLineEdit_5"},
           {25000, 200000, 30, 25, 0.004, 3, 400, 0.01, 0.85});
    const double xi[4] = {-1.5, -0.5, 0.5, 1.5};
    const double asi[4] = {0.002, 0.001, 0.001, 0.002};
    const double aci[4] = {0.2, 0.1, 0.1, 0.2};
    for (int k = 0; k < 4; ++k) {
        f.pick("subAreaCBox", QString::number(k + 1));
        f.type({"xiLineEdit", "asiLineEdit", "aciLineEdit"}, {xi[k], asi[k], aci[k]});
        f.click("saveWallBtn");
    }
    f.type({"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"}, {0.11, 0.12, 0.13});
}

void typeDamper(Form &f)
{
    f.label(QStringLiteral("DMP"));
    f.pick("itypeCBox_3", "2");
    f.pick("limitCBox", "1");
    f.type({"c1LineEdit", "c2LineEdit", "c3LineEdit", "gappLineEdit", "gapmLineEdit", "alfaLineEdit_6", "c4LineEdit",
            "c5LineEdit", "c6LineEdit", "alfamLineEdit", "thetaLineEdit_2", "slLineEdit_2"},
           {1.5, 2.5, 3.5, 0.01, -0.01, 0.6, 4.5, 5.5, 6.5, 0.7, 45, -0.25});
    f.type({"fxmaxLineEdit", "fxminLineEdit", "fymaxLineEdit", "fyminLineEdit", "fzmaxLineEdit", "fzminLineEdit"},
           {500, -500, 600, -600, 700, -700});
}

void typeMultiSpring(Form &f)
{
    f.label(QStringLiteral("MS-1"));
    f.pick("ihystCBox_4", "8");
    f.pick("ilosCBox_3", "5");
    f.pick("klosCBox", "4");
    f.pick("nsCBox", "6");
    f.pick("itypeCBox_4", "3");
    f.pick("imodeCBox", "2");
    f.pick("ilogCBox", "1");
    f.type({"hsLineEdit", "wgtLineEdit_4", "thetaLineEdit_3", "slLineEdit_3"}, {0.45, 3.2, 90, 0.1});
    f.type({"saLineEdit", "svLineEdit", "ytLineEdit", "ycLineEdit", "ypLineEdit", "ynLineEdit", "raLineEdit_2",
            "rvLineEdit"},
           {0.04, 0.03, 0.2, -0.2, 0.15, -0.15, 0.02, 0.05});
    f.type({"duct1LineEdit", "duct2LineEdit", "rductLineEdit", "duct3LineEdit", "rcycLineEdit"}, {2.5, 5, 0.4, 8, 3});
    f.type({"duct1LineEdit_4", "duct2LineEdit_4", "rductLineEdit_2", "duct3LineEdit_3", "rcycLineEdit_2"},
           {1.2, 3.4, 0.5, 7.5, 2});
    f.type({"gappLineEdit_2", "gapmLineEdit_2", "rcompLineEdit", "cLineEdit", "epsoLineEdit"},
           {0.001, -0.002, 0.05, 0.3, 1e-05});
    f.type({"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"}, {0.14, 0.15, 0.16});
}

void typeReinforced(Form &f)
{
    f.label(QStringLiteral("RC HINGE"));
    f.pick("jplasCBox", "1");
    f.pick("isteelCBox", "0");
    f.pick("iconcCBox", "1");
    f.pick("ihardCBox", "2");
    f.pick("ibcklCBox", "1");
    f.type({"bLineEdit_2", "dLineEdit_2", "cLineEdit_2", "hlLineEdit", "wgtLineEdit_5", "thetaLineEdit_4"},
           {0.4, 0.6, 0.05, 0.3, 5.8, 90});
    f.type({"ecLineEdit", "fpcLineEdit", "ftLineEdit", "eccLineEdit", "fpccLineEdit", "ftcLineEdit", "ecvLineEdit",
            "fpcvLineEdit", "ftvLineEdit", "dbLineEdit", "flexvLineEdit"},
           {27000, 32, 3.2, 30000, 40, 4, 28000, 35, 3.5, 0.02, 0.9});
    f.type({"esLineEdit", "fscLineEdit", "fstLineEdit", "atopLineEdit", "abtmLineEdit", "slongLineEdit"},
           {200000, 420, 450, 0.0012, 0.0015, 0.15});
    f.type({"fyavLineEdit", "ehard1LineEdit", "fuLineEdit", "euLineEdit", "fhard2LineEdit", "ehard2LineEdit",
            "ratioLineEdit", "eblktLineEdit"},
           {400, 15, 600, 100, 500, 50, 6, 0.2});
    const QStringList stress = {"fcLineEdit", "ftLineEdit_2", "ucLineEdit", "uulLineEdit",
                                "uclLineEdit", "emoLineEdit", "gunLineEdit", "areLineEdit"};
    const QStringList strut = {"area1LineEdit", "area2LineEdit", "r1LineEdit", "r2LineEdit"};
    for (int k = 0; k < 3; ++k) {
        f.index("ihyst33CBox", k);
        const double s = 0.1 * k;
        f.type(stress, {-20.0 - k, 2 + s, -0.002 - 0.0001 * k, -0.004 - 0.0001 * k, 0.001 + 0.0001 * k,
                        15000 + 100.0 * k, 1.5 + s, 0.2 + 0.01 * k});
        f.type(strut, {0.1 + 0.01 * k, 0.05 + 0.001 * k, 0.003 + 0.0001 * k, 0.006 + 0.0001 * k});
        f.index("ienvCBox", k == 1 ? 0 : 1);
        f.click("ihyst33OkBtn");
    }
    f.type({"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"}, {0.17, 0.18, 0.19});
}


const QStringList kFrameB = {"eLineEdit", "gLineEdit", "aLineEdit", "asLineEdit", "iLineEdit", "wgtLineEdit",
                             "end1LineEdit", "end2LineEdit", "fj1LineEdit", "fj2LineEdit"};
const QStringList kFrameC = {"raLineEdit", "rfLineEdit", "h1LineEdit", "h2LineEdit"};
const QStringList kDamping = {"beta0LineEdit", "betatLineEdit", "alfaLineEdit_2"};
const QStringList kDeg4 = {"duct1LineEdit", "duct2LineEdit", "rductLineEdit", "duct3LineEdit"};
const QStringList kDeg5 = kDeg4 + QStringList{"rcycLineEdit"};
const QStringList kSpringA2 = {"kxLineEdit", "kyLineEdit", "gjLineEdit", "wgtLineEdit_2", "rfLineEdit_2", "rtLineEdit",
                               "psxLineEdit", "psyLineEdit", "pszLineEdit", "thetaLineEdit", "slLineEdit"};
const QStringList kWallB8 = {"emodcLineEdit", "emodsLineEdit", "sigaLineEdit", "sigbLineEdit",
                             "epsbLineEdit", "sigcrLineEdit", "sigysLineEdit", "sbilinLineEdit"};
const QStringList kMultiA2 = {"hsLineEdit", "wgtLineEdit_4", "thetaLineEdit_3", "slLineEdit_3"};
const QStringList kMultiB2 = {"saLineEdit", "svLineEdit", "ytLineEdit", "ycLineEdit",
                              "ypLineEdit", "ynLineEdit", "raLineEdit_2", "rvLineEdit"};
const QStringList kReinforcedA2 = {"bLineEdit_2", "dLineEdit_2", "cLineEdit_2", "hlLineEdit", "wgtLineEdit_5",
                                   "thetaLineEdit_4"};
const QStringList kReinforcedB = {"ecLineEdit", "fpcLineEdit", "ftLineEdit", "eccLineEdit", "fpccLineEdit",
                                  "ftcLineEdit", "ecvLineEdit", "fpcvLineEdit", "ftvLineEdit", "dbLineEdit",
                                  "flexvLineEdit"};
const QStringList kReinforcedC = {"esLineEdit", "fscLineEdit", "fstLineEdit", "atopLineEdit", "abtmLineEdit",
                                  "slongLineEdit"};

void typeFrameSteel56(Form &f)
{
    f.label(QStringLiteral("STEEL-COL"));
    f.pick("itypeCBox", "3");
    f.pick("ihystCBox", "56");
    f.pick("iop56CBox", "2");
    f.pick("ilosCBox", "7");
    f.pick("icondCBox", "1");
    f.pick("ipinCBox", "2");
    f.pick("icolCBox", "1");
    f.pick("iductCBox", "1");
    f.pick("iendComboBox", "1");
    f.type(kFrameB, {2.1e8, 8.1e7, 0.012, 0.006, 0.0003, 0.95, 0.05, 0.06, 0.0001, 0.0002});
    f.type(kFrameC, {0.005, 0.03, 0.2, 0.25});
    f.type({"pycLineEdit_3", "pbLineEdit_3", "mbLineEdit_3", "moLineEdit_2", "pcLineEdit_2", "mcLineEdit_2",
            "pytLineEdit_3"},
           {-3000, -1500, 400, 350, -800, 300, 2900});
    f.type({"pycLineEdit_6", "pbLineEdit_7", "mbLineEdit_7", "moLineEdit_4", "pcLineEdit_5", "mcLineEdit_5",
            "pytLineEdit_6"},
           {-3100, -1600, 410, 360, -810, 310, 2950});
    f.type({"m1LineEdit", "m2LineEdit", "v1LineEdit", "v2LineEdit", "axialLineEdit", "axpsLineEdit"},
           {5, -5, 7.5, -7.5, 20, 10});
    f.type(kDeg5, {1.1, 3.3, 0.45, 12, 4});
    f.type({"alfa56LineEdit", "beta56LineEdit", "gamma56LineEdit", "delta56LineEdit", "phi56LineEdit",
            "fcrp56LineEdit", "fcrn56LineEdit", "fccp56LineEdit", "fccn56LineEdit", "pmax56LineEdit",
            "pmin56LineEdit"},
           {0.3, 0.4, 0.5, 0.6, 0.7, 0.25, 0.35, 0.15, 0.2, 1500, -2500});
    f.type(kDamping, {0.21, 0.22, 0.23});
}

void typeFrameQuadratic57(Form &f)
{
    f.label(QStringLiteral("Q4"));
    f.pick("itypeCBox", "4");
    f.pick("ihystCBox", "57");
    f.pick("iop57CBox", "1");
    f.pick("ilosCBox", "1");
    f.type(kFrameB, {20000, 8000, 0.3, 0.25, 0.00675, 7.2, 0.4, 0.4, 0.001, 0.001});
    f.type(kFrameC, {0.001, 0.05, 0.45, 0.4});
    f.type({"pycLineEdit_2", "pbLineEdit_2", "mbLineEdit_2", "pcLineEdit", "mcLineEdit", "pytLineEdit_2"},
           {-4000, -1800, 500, -900, 450, 1200});
    f.type(kDeg4, {2, 5, 0.1, 20});
    f.type({"alfa57LineEdit", "beta57LineEdit", "gamma57LineEdit", "delta57LineEdit", "phi57LineEdit",
            "fcrp57LineEdit", "fcrn57LineEdit", "pmax57LineEdit", "pmin57LineEdit"},
           {0.45, 0.55, 0.65, 0.75, 0.85, 0.3, 0.4, 3000, -3500});
}

void typeFrameBeam31(Form &f)
{
    f.label(QStringLiteral("BM"));
    f.pick("itypeCBox", "1");
    f.pick("ihystCBox", "31");
    f.pick("igaCBox", "2");
    f.pick("ipinCBox", "1");
    f.type(kFrameB, {1e6, 4e5, 2, 1, 0.5, 3, 0.2, 0.1, 0.003, 0.004});
    f.type(kFrameC, {0.002, 0.04, 0.6, 0.65});
    f.type({"pytLineEdit", "pycLineEdit", "my1pLineEdit", "my1mLineEdit", "my2pLineEdit", "my2mLineEdit"},
           {800, -900, 250, -260, 270, -280});
    f.type({"betaLineEdit_2", "fcrLineEdit", "fccLineEdit_2"}, {0.35, -40, 15});
    f.type({"flexLineEdit", "bearLineEdit", "v1LineEdit_2", "v2LineEdit_2", "v3LineEdit"}, {6, 7, 8, 9, 10});
    f.type(kDamping, {0.24, 0.25, 0.26});
}

void typeSpringSlackness(Form &f)
{
    f.label(QStringLiteral("S-5"));
    f.pick("itypeCBox_2", "1");
    f.pick("ihystCBox_2", "5");
    f.pick("ilosCBox_2", "4");
    f.pick("itrussCBox", "1");
    f.pick("imodeCBox", "1");
    f.pick("ilogCBox", "1");
    f.type(kSpringA2, {500, 600, 700, 1.5, 0.1, 0.2, 1, 2, 3, 15, -0.5});
    f.type({"fxpLineEdit", "fxmLineEdit", "fypLineEdit", "fymLineEdit", "mzpLineEdit", "mzmLineEdit"},
           {40, -40, 50, -50, 60, -60});
    f.type(kDeg5, {1.5, 2.5, 0.35, 6, 2});
    f.type({"gappLineEdit_2", "gapmLineEdit_2", "rcompLineEdit", "cLineEdit", "epsoLineEdit"},
           {0.01, -0.01, 0.2, 0.5, 0.0001});
    f.type(kDamping, {0.27, 0.28, 0.29});
}

void typeSpringFriction(Form &f)
{
    f.label(QStringLiteral("FRICTION"));
    f.pick("itypeCBox_2", "5");
    f.pick("ihystCBox_2", "32");
    f.pick("iopCBox_2", "1");
    f.pick("iopCBox", "1");
    f.type(kSpringA2, {100, 200, 300, 0.5, 0.01, 0.02, 0.3, 0.4, 0.6, 60, 0.125});
    f.type({"f0LineEdit", "muLineEdit"}, {25, 0.35});
    f.type({"alfaLineEdit_3", "betaLineEdit_3"}, {-0.05, 0.9});
    f.type(kDamping, {0.31, 0.32, 0.33});
}

void typeSpringGap(Form &f)
{
    f.label(QStringLiteral("GAP"));
    f.pick("itypeCBox_2", "2");
    f.pick("ihystCBox_2", "63");
    f.type(kSpringA2, {11, 12, 13, 14, 0.15, 0.16, 17, 18, 19, 20, 0.21});
    f.type({"fx1LineEdit", "fy1LineEdit", "fx2LineEdit", "fy2LineEdit", "mzpLineEdit_2", "mzmLineEdit_2",
            "rx1LineEdit", "ry1LineEdit", "rx2LineEdit", "ry2LineEdit"},
           {1, 2, 3, 4, 5, -5, 0.1, 0.2, 0.3, 0.4});
    f.type({"gappLineEdit_3", "gapmLineEdit_3"}, {0.02, -0.03});
    f.type(kDamping, {0.34, 0.35, 0.36});
}

void typeSpringSteel39(Form &f)
{
    f.label(QStringLiteral("DR"));
    f.pick("itypeCBox_2", "4");
    f.pick("ihystCBox_2", "39");
    f.type(kSpringA2, {21, 22, 23, 24, 0.25, 0.26, 27, 28, 29, 30, 0.31});
    f.type({"pytLineEdit_5", "pycLineEdit_5", "fypLineEdit_3", "fymLineEdit_3", "pbLineEdit_6", "mbLineEdit_6",
            "m1bLineEdit_2", "m2bLineEdit_2", "moLineEdit_3"},
           {900, -1800, 70, -70, -600, 300, 280, 260, 200});
    f.type({"eshLineEdit", "esuLineEdit", "fsuLineEdit", "omegafLineEdit"}, {0.01, 0.09, 550, 0.8});
    f.type(kDamping, {0.37, 0.38, 0.39});
}

void typeWallStandard(Form &f)
{
    f.label(QStringLiteral("W-STD"));
    f.pick("nipCBox", "5");
    f.pick("ihystCBox_3", "1");
    f.type({"wgtLineEdit_3", "amaxLineEdit", "imaxLineEdit", "h1LineEdit_2", "h2LineEdit_2"},
           {3.6, 0.8, 0.12, 1.2, 2.4});
    f.type(kWallB8, {24000, 195000, 28, 24, 0.0035, 2.8, 410, 0.02});
    f.type({"bLineEdit", "dLineEdit", "b1LineEdit", "b2LineEdit", "d1LineEdit", "d2LineEdit", "d3LineEdit",
            "d4LineEdit", "as1LineEdit", "as2LineEdit", "as3LineEdit"},
           {0.3, 4, 0.5, 0.6, 0.45, 0.55, 0.2, 0.25, 0.001, 0.0012, 0.0008});
    f.type(kDamping, {0.41, 0.42, 0.43});
}

void typeWallTwentySegments(Form &f)
{
    f.label(QStringLiteral("W20"));
    f.pick("icondCBox_2", "1");
    f.pick("nipCBox", "20");
    f.pick("nsectCBox", "7");
    f.type({"wgtLineEdit_3", "amaxLineEdit", "imaxLineEdit"}, {1.8, 0.4, 0.05});
    f.type(kWallB8, {23000, 190000, 26, 22, 0.003, 2.5, 390, 0.015});
    for (int k = 1; k <= 20; ++k) {
        f.pick("subAreaCBox", QString::number(k));
        f.type({"xiLineEdit", "asiLineEdit", "aciLineEdit"}, {k + 0.5, 2.0 * k, 3.0 * k});
        f.click("saveWallBtn");
    }
    f.type(kDamping, {0.44, 0.45, 0.46});
}

void typeDamperZero(Form &f)
{
    f.label(QStringLiteral("VISCOUS"));
    f.type({"c1LineEdit", "c2LineEdit", "c3LineEdit", "gappLineEdit", "gapmLineEdit", "thetaLineEdit_2",
            "slLineEdit_2"},
           {10, 20, 30, 0.5, -0.5, 15, 0.4});
    f.type({"fxmaxLineEdit", "fxminLineEdit", "fymaxLineEdit", "fyminLineEdit", "fzmaxLineEdit", "fzminLineEdit"},
           {100, -100, 200, -200, 300, -300});
}

void typeDamperOne(Form &f)
{
    f.label(QStringLiteral("D1"));
    f.pick("itypeCBox_3", "1");
    f.pick("limitCBox", "1");
    f.type({"c1LineEdit", "c2LineEdit", "c3LineEdit", "gappLineEdit", "gapmLineEdit", "alfaLineEdit_6",
            "thetaLineEdit_2", "slLineEdit_2"},
           {1, 2, 3, 0.1, -0.1, 0.35, 30, 0.2});
    f.type({"fxmaxLineEdit", "fxminLineEdit", "fymaxLineEdit", "fyminLineEdit", "fzmaxLineEdit", "fzminLineEdit"},
           {11, -11, 22, -22, 33, -33});
}

void typeMultiSpringGap(Form &f)
{
    f.label(QStringLiteral("MS-GAP"));
    f.pick("ihystCBox_4", "1");
    f.pick("ilosCBox_3", "2");
    f.pick("klosCBox", "3");
    f.pick("nsCBox", "10");
    f.pick("itypeCBox_4", "4");
    f.type(kMultiA2, {0.5, 4, 45, 0.3});
    f.type(kMultiB2, {0.05, 0.04, 0.25, -0.25, 0.2, -0.2, 0.03, 0.06});
    f.type(kDeg4, {2, 4, 0.3, 7});
    f.type({"duct1LineEdit_4", "duct2LineEdit_4", "rductLineEdit_2", "duct3LineEdit_3"}, {1.5, 3.5, 0.6, 6.5});
    f.type({"gappLineEdit_4", "gapmLineEdit_4", "punLineEdit"}, {0.002, -0.003, 0.7});
    f.type(kDamping, {0.47, 0.48, 0.49});
}

void typeMultiSpringElasticGap(Form &f)
{
    f.label(QStringLiteral("MS-EG"));
    f.pick("ihystCBox_4", "9");
    f.pick("itypeCBox_4", "2");
    f.type(kMultiA2, {0.6, 5, 30, -0.2});
    f.type(kMultiB2, {0.06, 0.05, 0.3, -0.3, 0.25, -0.25, 0.04, 0.07});
    f.type({"gappLineEdit_3", "gapmLineEdit_3"}, {0.004, -0.005});
}

void typeReinforcedPeng(Form &f)
{
    f.label(QStringLiteral("RC-P"));
    f.pick("isteelCBox", "1");
    f.type(kReinforcedA2, {0.35, 0.7, 0.04, 0.35, 6.1, 45});
    f.type(kReinforcedB, {26000, 30, 3, 29000, 38, 3.8, 27500, 33, 3.3, 0.025, 0.85});
    f.type(kReinforcedC, {205000, 400, 430, 0.001, 0.0014, 0.2});
    f.type({"eshLineEdit", "esuLineEdit", "fsuLineEdit", "omegafLineEdit"}, {0.008, 0.1, 600, 0.9});
    const QStringList peng = {"tlimitLineEdit", "climitLineEdit", "betaLineEdit_4", "fboLineEdit",
                              "LLineEdit", "tfactorLineEdit", "cfactorLineEdit", "ettLineEdit"};
    const QList<double> rows[3] = {{0.003, 0.006, 2.5, 0.3, 1.2, 1.1, 0.9, 0.0001},
                                   {0.0031, 0.0061, 2.6, 0.31, 1.3, 1.2, 0.8, 0.0002},
                                   {0.0032, 0.0062, 2.7, 0.32, 1.4, 1.3, 0.7, 0.0003}};
    for (int k = 0; k < 3; ++k) {
        f.index("ihyst54CBox", k);
        f.type(peng, rows[k]);
        f.click("ihyst54OkBtn");
    }
    f.type(kDamping, {0.51, 0.52, 0.53});
}

// Shows the record on every sub-page its options hold (wall segments, concrete kinds).
void forEachSubPage(int category, editMTypeDialog *a, editMTypeDialog *b, const std::function<void(const QString &)> &check)
{
    const char *combo = nullptr;
    if (category == Member::WALL)
        combo = "subAreaCBox";
    for (const char *kind : {"ihyst54CBox", "ihyst33CBox"})
        if (category == Member::REINFORCED && a->findChild<QWidget *>(QLatin1String(kind))->isVisibleTo(a))
            combo = kind;
    if (!combo) {
        check(QStringLiteral("page"));
        return;
    }
    auto *ca = a->findChild<QComboBox *>(QLatin1String(combo));
    auto *cb = b->findChild<QComboBox *>(QLatin1String(combo));
    for (int i = 0; i < ca->count(); ++i) {
        ca->setCurrentIndex(i);
        cb->setCurrentIndex(i);
        check(QStringLiteral("%1 %2").arg(QLatin1String(combo)).arg(i + 1));
    }
}

} // namespace

Q_DECLARE_METATYPE(Typist)

class tst_MemberTypeFiles : public QObject
{
    Q_OBJECT
private slots:
    void typedRecordSurvivesProject_data();
    void typedRecordSurvivesProject();
    void manyRecordsShownInTurn();
    void copiesKeepEveryValue();
};

void tst_MemberTypeFiles::typedRecordSurvivesProject_data()
{
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("ictype");
    QTest::addColumn<Typist>("typist");
    QTest::addColumn<QByteArray>("block");

    const QByteArray basic = "! basic section properties\n";
    const QByteArray damping = T(15) + "! material specific damping\n";

    QTest::addRow("frame concrete takeda")
        << int(Member::FRAME) << 5 << Typist(typeFrameTakeda)
        << "1\tFRAME\tCOL A\n"
           "2\t3\t1\t4\t4\t0\t2\t2\t1" + T(9) + basic
           + "2.5e+07\t1.04e+07\t0.25\t0.208\t0.0052\t6\t0.1\t0.2\t1e-05\t2e-05" + T(7) + "! elastic section properties\n"
           + "0.01\t0.02\t0.3\t0.35" + T(14) + "! member bi-linear factors and hinge properties\n"
           + "0.01\t0.02\t0.03" + damping
           + "12.5\t-12.5\t30\t-30\t100\t50\t1" + T(11) + "! member initial fixed end forces\n"
           + "-5400\t-2000\t260\t240\t220\t180\t860\t1" + T(10)
           + "! concrete beam-column yield surface at end 1 of member\n"
           + "-5500\t-2100\t270\t250\t230\t190\t870" + T(11) + "! concrete beam-column yield surface at end 2 of member\n"
           + "1.1\t2.2\t3.3\t4.4\t5.5" + T(13) + "! in-elastic flange shear-link parameters\n"
           + "2\t6\t0.2\t10\t5" + T(13) + "! strength degradation parameters\n"
           + "0.4\t0.6\t2\t1" + T(14) + "! modified takeda degrading stiffness hysteresis\n";

    QTest::addRow("frame asymmetric sina")
        << int(Member::FRAME) << 5 << Typist(typeFrameSina)
        << "1\tFRAME\tBEAM-8\n"
           "8\t1\t0\t8\t3\t0\t3\t1\t0" + T(9) + basic
           + "3e+07\t1.2e+07\t0.5\t0.4\t0.01\t12\t0.15\t0.3\t0.002\t0.001" + T(7) + "! elastic section properties\n"
           + "0.03\t0.04\t0.5\t0.55" + T(14) + "! member bi-linear factors and hinge properties\n"
           + "0.04\t0.05\t0.06" + damping
           + "-900\t-800\t-300\t150\t-100\t120\t400\t380\t1" + T(9)
           + "! asymmetric quadratic beam-column yield surface at end 1 of member\n"
           + "-910\t-810\t-310\t160\t-110\t130\t410\t390" + T(10)
           + "! asymmetric quadratic beam-column yield surface at end 2 of member\n"
           + "50\t20\t10\t0.05\t0.5\t2\t8\t15\t0.001\t0.01\t5\t2" + T(6) + "! in-elastic shear parameters\n"
           + "1.5\t4\t0.3\t9" + T(14) + "! strength degradation parameters\n"
           + "0.1\t0.2\t25\t-25\t5" + T(13) + "! sina degrading stiffness hysteresis\n";

    QTest::addRow("frame steel rule 56")
        << int(Member::FRAME) << 5 << Typist(typeFrameSteel56)
        << "1\tFRAME\tSTEEL-COL\n"
           "3\t2\t1\t56\t7\t0\t1\t0\t1" + T(9) + basic
           + "2.1e+08\t8.1e+07\t0.012\t0.006\t0.0003\t0.95\t0.05\t0.06\t0.0001\t0.0002" + T(7)
           + "! elastic section properties\n"
           + "0.005\t0.03\t0.2\t0.25" + T(14) + "! member bi-linear factors and hinge properties\n"
           + "0.21\t0.22\t0.23" + damping
           + "5\t-5\t7.5\t-7.5\t20\t10\t0" + T(11) + "! member initial fixed end forces\n"
           + "-3000\t-1500\t400\t350\t-800\t300\t2900\t1" + T(10) + "! steel beam-column yield surface at end 1 of member\n"
           + "-3100\t-1600\t410\t360\t-810\t310\t2950" + T(11) + "! steel beam-column yield surface at end 2 of member\n"
           + "1.1\t3.3\t0.45\t12\t4" + T(13) + "! strength degradation parameters\n"
           + "0.3\t0.4\t0.5\t0.6\t0.7\t0.25\t0.35\t0.15\t0.2\t2\t1500\t-2500" + T(6) + "! modified sina hysteresis\n";

    QTest::addRow("frame quadratic rule 57 without damping")
        << int(Member::FRAME) << 0 << Typist(typeFrameQuadratic57)
        << "1\tFRAME\tQ4\n"
           "4\t0\t0\t57\t1\t0\t0\t0\t0" + T(9) + basic
           + "20000\t8000\t0.3\t0.25\t0.00675\t7.2\t0.4\t0.4\t0.001\t0.001" + T(7) + "! elastic section properties\n"
           + "0.001\t0.05\t0.45\t0.4" + T(14) + "! member bi-linear factors and hinge properties\n"
           + "-4000\t-1800\t500\t-900\t450\t1200\t0" + T(11)
           + "! quadratic beam-column yield surface at end 1 of member\n"
           + "2\t5\t0.1\t20" + T(14) + "! strength degradation parameters\n"
           + "0.45\t0.55\t0.65\t0.75\t0.85\t0.3\t0.4\t1\t3000\t-3500" + T(8) + "! revised takeda hysteresis\n";

    QTest::addRow("frame beam modified sina")
        << int(Member::FRAME) << 5 << Typist(typeFrameBeam31)
        << "1\tFRAME\tBM\n"
           "1\t1\t0\t31\t0\t0\t0\t2\t0" + T(9) + basic
           + "1e+06\t400000\t2\t1\t0.5\t3\t0.2\t0.1\t0.003\t0.004" + T(7) + "! elastic section properties\n"
           + "0.002\t0.04\t0.6\t0.65" + T(14) + "! member bi-linear factors and hinge properties\n"
           + "0.24\t0.25\t0.26" + damping
           + "800\t-900\t250\t-260\t270\t-280" + T(12) + "! beam yield conditions\n"
           + "6\t7\t8\t9\t10" + T(13) + "! in-elastic flange shear-link parameters\n"
           + "0.35\t-40\t15" + T(15) + "! modified sina model hysteresis\n";

    QTest::addRow("spring type 3 dhakal")
        << int(Member::SPRING) << 5 << Typist(typeSpring)
        << "1\tSPRING\tSPR1\n"
           "3\t53\t2\t0\t1000\t2000\t300\t4.5\t0.05\t0.06\t7\t8\t9\t30\t2\t1\t0.25\t" + basic
           + "0.07\t0.08\t0.09" + damping
           + "100\t-100\t200\t-200\t50\t-50\t20\t10\t0.1\t0.3\t2\t6\t0.2\t12\t2\t\t\t! yield surface ITYPE = 3\n"
           + "3\t7\t0.25\t11" + T(14) + "! strength degradation parameters\n"
           + "3\t0\t420\t12\t630\t90\t520\t45\t0\t0" + T(10) + "! dhakal steel hysteresis\n";

    QTest::addRow("spring type 1 slackness")
        << int(Member::SPRING) << 5 << Typist(typeSpringSlackness)
        << "1\tSPRING\tS-5\n"
           "1\t5\t4\t0\t500\t600\t700\t1.5\t0.1\t0.2\t1\t2\t3\t15\t1\t0\t-0.5\t" + basic
           + "0.27\t0.28\t0.29" + damping
           + "40\t-40\t50\t-50\t60\t-60" + T(12) + "! yield surface ITYPE = 1\n"
           + "1.5\t2.5\t0.35\t6\t2" + T(13) + "! strength degradation parameters\n"
           + "0.01\t-0.01\t1\t0.2\t0.5\t0.0001\t1" + T(11) + "! bilinear with slackness hysteresis\n";

    QTest::addRow("spring type 5 modified bilinear")
        << int(Member::SPRING) << 5 << Typist(typeSpringFriction)
        << "1\tSPRING\tFRICTION\n"
           "5\t32\t0\t0\t100\t200\t300\t0.5\t0.01\t0.02\t0.3\t0.4\t0.6\t60\t0\t1\t0.125\t" + basic
           + "0.31\t0.32\t0.33" + damping
           + "25\t0.35\t1" + T(15) + "! yield surface ITYPE = 5\n"
           + "-0.05\t0.9" + T(16) + "! modified bilinear rule hysteresis\n";

    QTest::addRow("spring type 2 gap")
        << int(Member::SPRING) << 5 << Typist(typeSpringGap)
        << "1\tSPRING\tGAP\n"
           "2\t63\t0\t0\t11\t12\t13\t14\t0.15\t0.16\t17\t18\t19\t20\t0\t0\t0.21\t" + basic
           + "0.34\t0.35\t0.36" + damping
           + "1\t2\t3\t4\t5\t-5\t0.1\t0.2\t0.3\t0.4" + T(8) + "! yield surface ITYPE = 2\n"
           + "0.02\t-0.03" + T(16) + "! bilinear elastic with gap hysteresis\n";

    QTest::addRow("spring type 4 dodd-restrepo, ictype 7")
        << int(Member::SPRING) << 7 << Typist(typeSpringSteel39)
        << "1\tSPRING\tDR\n"
           "4\t39\t0\t0\t21\t22\t23\t24\t0.25\t0.26\t27\t28\t29\t30\t0\t0\t0.31\t" + basic
           + "0.37\t0.38\t0.39" + damping
           + "900\t-1800\t70\t-70\t-600\t300\t280\t260\t200" + T(9) + "! yield surface ITYPE = 4\n"
           + "0.01\t0.09\t550\t0.8" + T(14) + "! dodd-restrepo steel hysteresis\n";

    QTest::addRow("wall numerical")
        << int(Member::WALL) << 5 << Typist(typeWall)
        << "1\tWALL\tWALL-W1\n"
           "3\t4\t1\t2\t2.4\t0.6\t0.09" + T(11) + basic
           + "25000\t200000\t30\t25\t0.004\t3\t400\t0.01\t0.85" + T(9) + "! concrete and steel properties\n"
           + "0.11\t0.12\t0.13" + damping
           + "1\t-1.5\t0.002\t0.2" + T(14) + "! input for numerical wall section\n"
           + "2\t-0.5\t0.001\t0.1" + T(14) + "! input for numerical wall section\n"
           + "3\t0.5\t0.001\t0.1" + T(14) + "! input for numerical wall section\n"
           + "4\t1.5\t0.002\t0.2" + T(14) + "! input for numerical wall section\n";

    QTest::addRow("wall standard")
        << int(Member::WALL) << 5 << Typist(typeWallStandard)
        << "1\tWALL\tW-STD\n"
           "2\t5\t0\t1\t3.6\t0.8\t0.12\t1.2\t2.4" + T(9) + basic
           + "24000\t195000\t28\t24\t0.0035\t2.8\t410\t0.02" + T(10) + "! concrete and steel properties\n"
           + "0.41\t0.42\t0.43" + damping
           + "0.3\t4\t0.5\t0.6\t0.45\t0.55\t0.2\t0.25\t0.001\t0.0012\t0.0008" + T(7)
           + "! input for standard wall section\n";

    QByteArray twenty = "1\tWALL\tW20\n"
                        "7\t20\t1\t0\t1.8\t0.4\t0.05" + T(11) + basic
                        + "23000\t190000\t26\t22\t0.003\t2.5\t390\t0.015" + T(10) + "! concrete and steel properties\n"
                        + "0.44\t0.45\t0.46" + damping;
    for (int k = 1; k <= 20; ++k)
        twenty += QByteArray::number(k) + '\t' + QByteArray::number(k) + ".5\t" + QByteArray::number(2 * k) + '\t'
                  + QByteArray::number(3 * k) + T(14) + "! input for numerical wall section\n";
    QTest::addRow("wall numerical, 20 segments")
        << int(Member::WALL) << 5 << Typist(typeWallTwentySegments) << twenty;

    QTest::addRow("damper type 2")
        << int(Member::DAMPER) << 5 << Typist(typeDamper)
        << QByteArray("1\tDAMPER\tDMP\n"
                      "2\t1.5\t2.5\t3.5\t0.01\t-0.01\t0.6\t4.5\t5.5\t6.5\t0.7\t45\t1\t-0.25\n"
                      "500\t-500\t600\t-600\t700\t-700\n");

    QTest::addRow("damper type 0")
        << int(Member::DAMPER) << 5 << Typist(typeDamperZero)
        << QByteArray("1\tDAMPER\tVISCOUS\n"
                      "0\t10\t20\t30\t0.5\t-0.5\t15\t0\t0.4\n"
                      "100\t-100\t200\t-200\t300\t-300\n");

    QTest::addRow("damper type 1")
        << int(Member::DAMPER) << 5 << Typist(typeDamperOne)
        << QByteArray("1\tDAMPER\tD1\n"
                      "1\t1\t2\t3\t0.1\t-0.1\t0.35\t30\t1\t0.2\n"
                      "11\t-11\t22\t-22\t33\t-33\n");

    QTest::addRow("multispring slackness")
        << int(Member::MULTISPRING) << 5 << Typist(typeMultiSpring)
        << "1\tMULTISPRING\tMS-1\n"
           "8\t5\t4\t0\t0.45\t3.2\t90\t0.1" + T(10) + "! control parameters\n"
           + "6\t3\t0.04\t0.03\t0.2\t-0.2\t0.15\t-0.15\t0.02\t0.05" + T(8) + "! section properties\n"
           + "2.5\t5\t0.4\t8\t3" + T(13) + "! longitudinal strength degradation parameters\n"
           + "1.2\t3.4\t0.5\t7.5\t2" + T(13) + "! shear strength degradation parameters\n"
           + "0.14\t0.15\t0.16" + damping
           + "0.001\t-0.002\t2\t0.05\t0.3\t1e-05\t1" + T(11) + "! bilinear with slackness hysteresis\n";

    QTest::addRow("multispring gap")
        << int(Member::MULTISPRING) << 5 << Typist(typeMultiSpringGap)
        << "1\tMULTISPRING\tMS-GAP\n"
           "1\t2\t3\t0\t0.5\t4\t45\t0.3" + T(10) + "! control parameters\n"
           + "10\t4\t0.05\t0.04\t0.25\t-0.25\t0.2\t-0.2\t0.03\t0.06" + T(8) + "! section properties\n"
           + "2\t4\t0.3\t7" + T(14) + "! longitudinal strength degradation parameters\n"
           + "1.5\t3.5\t0.6\t6.5" + T(14) + "! shear strength degradation parameters\n"
           + "0.47\t0.48\t0.49" + damping
           + "0.002\t-0.003\t0.7" + T(15) + "! degrading bilinear with gap hysteresis\n";

    QTest::addRow("multispring elastic with gap, no damping")
        << int(Member::MULTISPRING) << 0 << Typist(typeMultiSpringElasticGap)
        << "1\tMULTISPRING\tMS-EG\n"
           "9\t0\t0\t0\t0.6\t5\t30\t-0.2" + T(10) + "! control parameters\n"
           + "2\t2\t0.06\t0.05\t0.3\t-0.3\t0.25\t-0.25\t0.04\t0.07" + T(8) + "! section properties\n"
           + "0.004\t-0.005" + T(16) + "! bilinear elastic with gap hysteresis\n";

    QTest::addRow("reinforced masonry dhakal")
        << int(Member::REINFORCED) << 5 << Typist(typeReinforced)
        << "1\tREINFORCED\tRC HINGE\n"
           "1\t0.4\t0.6\t0.05\t0.3\t5.8\t90\t0\t1" + T(9) + "! control parameters\n"
           + "27000\t32\t3.2\t30000\t40\t4\t28000\t35\t3.5\t0.02\t0.9" + T(7) + "! concrete material parameters\n"
           + "200000\t420\t450\t0.0012\t0.0015\t0.15" + T(12) + "! steel material properties\n"
           + "0.17\t0.18\t0.19" + damping
           + "-20\t2\t-0.002\t-0.004\t0.001\t15000\t1.5\t0.2" + T(10)
           + "! masonry strut, stress-strain for confined concrete hysteresis\n"
           + "0.1\t0.05\t0.003\t0.006\t1" + T(13) + "! masonry strut, strut data for confined concrete\n"
           + "-21\t2.1\t-0.0021\t-0.0041\t0.0011\t15100\t1.6\t0.21" + T(10)
           + "! masonry strut stress-strain for cover concrete hysteresis\n"
           + "0.11\t0.051\t0.0031\t0.0061\t0" + T(13) + "! masonry strut, strut data for cover concrete hysteresis\n"
           + "2\t1\t400\t15\t600\t100\t500\t50\t6\t0.2" + T(8) + "! dhakal steel hysteresis\n"
           + "-22\t2.2\t-0.0022\t-0.0042\t0.0012\t15200\t1.7\t0.22" + T(10)
           + "! masonry strut, stress-strain for shear concrete hysteresis\n"
           + "0.12\t0.052\t0.0032\t0.0062\t1" + T(13) + "! masonry strut, strut data for shear concrete hysteresis\n";
    QTest::addRow("reinforced peng dodd-restrepo")
        << int(Member::REINFORCED) << 5 << Typist(typeReinforcedPeng)
        << "1\tREINFORCED\tRC-P\n"
           "0\t0.35\t0.7\t0.04\t0.35\t6.1\t45\t1\t0" + T(9) + "! control parameters\n"
           + "26000\t30\t3\t29000\t38\t3.8\t27500\t33\t3.3\t0.025\t0.85" + T(7) + "! concrete material parameters\n"
           + "205000\t400\t430\t0.001\t0.0014\t0.2" + T(12) + "! steel material properties\n"
           + "0.51\t0.52\t0.53" + damping
           + "0.003\t0.006\t2.5\t0.3\t1.2\t1.1\t0.9\t0.0001" + T(10) + "! brian peng for confined concrete hysteresis\n"
           + "0.0031\t0.0061\t2.6\t0.31\t1.3\t1.2\t0.8\t0.0002" + T(10) + "! brian peng for cover concrete hysteresis\n"
           + "0.008\t0.1\t600\t0.9" + T(14) + "! dodd-restrepo steel hysteresis\n"
           + "0.0032\t0.0062\t2.7\t0.32\t1.4\t1.3\t0.7\t0.0003" + T(10) + "! brian peng for shear concrete hysteresis\n";

    QTest::addRow("reinforced peng elasto-plastic")
        << int(Member::REINFORCED) << 5 << Typist([](Form &f) {
               typeReinforcedPeng(f);
               f.pick("isteelCBox", "2");
           })
        << "1\tREINFORCED\tRC-P\n"
           "0\t0.35\t0.7\t0.04\t0.35\t6.1\t45\t2\t0" + T(9) + "! control parameters\n"
           + "26000\t30\t3\t29000\t38\t3.8\t27500\t33\t3.3\t0.025\t0.85" + T(7) + "! concrete material parameters\n"
           + "205000\t400\t430\t0.001\t0.0014\t0.2" + T(12) + "! steel material properties\n"
           + "0.51\t0.52\t0.53" + damping
           + "0.003\t0.006\t2.5\t0.3\t1.2\t1.1\t0.9\t0.0001" + T(10) + "! brian peng for confined concrete hysteresis\n"
           + "0.0031\t0.0061\t2.6\t0.31\t1.3\t1.2\t0.8\t0.0002" + T(10) + "! brian peng for cover concrete hysteresis\n"
           + "0.0032\t0.0062\t2.7\t0.32\t1.4\t1.3\t0.7\t0.0003" + T(10) + "! brian peng for shear concrete hysteresis\n";
}

void tst_MemberTypeFiles::typedRecordSurvivesProject()
{
    QFETCH(int, category);
    QFETCH(int, ictype);
    QFETCH(Typist, typist);
    QFETCH(QByteArray, block);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    MainWindow first;
    prepareWindow(first, ictype);
    Form f;
    f.d = openMTypeDialog(first);
    f.index(QStringLiteral("mTypeCBox"), category);
    f.click(QStringLiteral("addBtn"));
    QCOMPARE(f.d->getMembersTypes().size(), 1);
    QWidget *page = f.get<QWidget>(QLatin1String(kPages[category]));
    QVERIFY(page->isVisibleTo(f.d));

    typist(f);

    // Every field the page shows for this configuration got a value of its own.
    QStringList untouched;
    for (QLineEdit *e : page->findChildren<QLineEdit *>())
        if (e->isVisibleTo(f.d) && e->isEnabled() && !f.typed.contains(e->objectName()))
            untouched << e->objectName();
    QVERIFY2(untouched.isEmpty(), qPrintable(untouched.join(QLatin1Char(' '))));
    QCOMPARE(f.d->findChild<QGroupBox *>(QStringLiteral("groupBox"))->isVisibleTo(f.d),
             category != Member::DAMPER && (ictype == 5 || ictype == 7));

    f.click(QStringLiteral("okBtn"));
    QCOMPARE(first.getMTypeComboBox()->itemText(0), QStringLiteral("1  ") + f.d->getMembersTypes().at(0)->getLabel());

    QAction *create = first.findChild<QAction *>(QStringLiteral("createBarAct"));
    QVERIFY(create->isEnabled());
    create->setChecked(true);
    first.createBar();
    first.barProcedure(1);
    first.barProcedure(3);
    QCOMPARE(first.getBars().size(), 1);
    QCOMPARE(first.getBars().at(0)->getType(), category);

    const QString project = dir.filePath(QStringLiteral("model.kfp"));
    QVERIFY(first.writeProjectFile(project));

    MainWindow second;
    QVERIFY(second.readProjectFile(project));
    editMTypeDialog *d2 = openMTypeDialog(second);
    QCOMPARE(d2->getMembersTypes().size(), 1);
    d2->findChild<QComboBox *>(QStringLiteral("mTypeComboBox"))->setCurrentIndex(0);

    forEachSubPage(category, f.d, d2, [&](const QString &when) { comparePages(f.d, d2, category, when); });
    if (QTest::currentTestFailed())
        return;

    const QString out1 = dir.filePath(QStringLiteral("first.txt"));
    const QString out2 = dir.filePath(QStringLiteral("second.txt"));
    QVERIFY(first.writeAnalysisFile(out1));
    QVERIFY(second.writeAnalysisFile(out2));
    const QByteArray text1 = readAll(out1);
    QCOMPARE(propsOf(text1), QByteArray("PROPS\n") + block + '\n');
    QCOMPARE(readAll(out2), text1);
}

// Every record in one project: showing one record must not leave anything
// behind that changes how the next one is shown.
void tst_MemberTypeFiles::manyRecordsShownInTurn()
{
    const QList<QPair<int, Typist>> records = {
        {Member::WALL, typeWallTwentySegments}, {Member::FRAME, typeFrameTakeda},
        {Member::REINFORCED, typeReinforced},   {Member::WALL, typeWallStandard},
        {Member::FRAME, typeFrameSina},         {Member::SPRING, typeSpring},
        {Member::MULTISPRING, typeMultiSpring}, {Member::REINFORCED, typeReinforcedPeng},
        {Member::DAMPER, typeDamper},           {Member::FRAME, typeFrameSteel56},
        {Member::SPRING, typeSpringFriction},   {Member::WALL, typeWall},
        {Member::FRAME, typeFrameQuadratic57},  {Member::MULTISPRING, typeMultiSpringGap},
        {Member::SPRING, typeSpringSlackness},  {Member::DAMPER, typeDamperOne},
        {Member::FRAME, typeFrameBeam31},       {Member::SPRING, typeSpringGap},
        {Member::SPRING, typeSpringSteel39},    {Member::MULTISPRING, typeMultiSpringElasticGap},
        {Member::DAMPER, typeDamperZero},
    };
    QTemporaryDir dir;
    MainWindow first;
    prepareWindow(first, 5);
    Form f;
    f.d = openMTypeDialog(first);
    for (const auto &record : records) {
        f.index(QStringLiteral("mTypeCBox"), record.first);
        f.click(QStringLiteral("addBtn"));
        record.second(f);
        f.click(QStringLiteral("okBtn"));
    }
    const int n = int(records.size());
    QCOMPARE(first.getMTypeComboBox()->count(), n);

    const QString project = dir.filePath(QStringLiteral("many.kfp"));
    QVERIFY(first.writeProjectFile(project));
    MainWindow second;
    QVERIFY(second.readProjectFile(project));
    editMTypeDialog *d2 = openMTypeDialog(second);
    QCOMPARE(d2->getMembersTypes().size(), n);

    auto *list1 = f.get<QComboBox>(QStringLiteral("mTypeComboBox"));
    auto *list2 = d2->findChild<QComboBox *>(QStringLiteral("mTypeComboBox"));
    QList<int> order;
    for (int i = 0; i < n; ++i)
        order << i;
    for (int i = n - 1; i >= 0; --i)
        order << i;
    for (int i = 0; i < n; i += 2)
        order << i;
    for (int i : std::as_const(order)) {
        list1->setCurrentIndex(i);
        list2->setCurrentIndex(i);
        const int category = records.at(i).first;
        forEachSubPage(category, f.d, d2, [&](const QString &when) {
            comparePages(f.d, d2, category, QStringLiteral("type %1, %2").arg(i + 1).arg(when));
        });
        if (QTest::currentTestFailed())
            return;
    }

    const QString out1 = dir.filePath(QStringLiteral("first.txt"));
    const QString out2 = dir.filePath(QStringLiteral("second.txt"));
    QVERIFY(first.writeAnalysisFile(out1));
    QVERIFY(second.writeAnalysisFile(out2));
    const QByteArray props = propsOf(readAll(out1));
    QCOMPARE(props.count("\n\n"), n);
    QVERIFY(props.contains("\n\n21\tDAMPER\tVISCOUS\n0\t10\t20\t30\t0.5\t-0.5\t15\t0\t0.4\n"));
    QCOMPARE(readAll(out2), readAll(out1));

    // Set Properties on what a record shows stores it unchanged, hidden fields included.
    for (int i = n - 1; i >= 0; --i) {
        list2->setCurrentIndex(i);
        d2->findChild<QPushButton *>(QStringLiteral("okBtn"))->click();
    }
    const QString out3 = dir.filePath(QStringLiteral("third.txt"));
    const QString again = dir.filePath(QStringLiteral("again.kfp"));
    QVERIFY(second.writeAnalysisFile(out3));
    QCOMPARE(readAll(out3), readAll(out1));
    QVERIFY(second.writeProjectFile(again));
    QCOMPARE(readAll(again), readAll(project));
}

// "Copy MTYPE" gives a record that writes the same block but for its number and label.
void tst_MemberTypeFiles::copiesKeepEveryValue()
{
    const QList<QPair<int, Typist>> records = {
        {Member::FRAME, typeFrameTakeda},   {Member::FRAME, typeFrameSina},       {Member::SPRING, typeSpring},
        {Member::WALL, typeWallTwentySegments}, {Member::DAMPER, typeDamper},  {Member::MULTISPRING, typeMultiSpring},
        {Member::REINFORCED, typeReinforced}, {Member::REINFORCED, typeReinforcedPeng},
    };
    QTemporaryDir dir;
    MainWindow first;
    prepareWindow(first, 5);
    Form f;
    f.d = openMTypeDialog(first);
    for (const auto &record : records) {
        f.index(QStringLiteral("mTypeCBox"), record.first);
        f.click(QStringLiteral("addBtn"));
        record.second(f);
        f.click(QStringLiteral("okBtn"));
        f.click(QStringLiteral("copyBtn"));
    }
    const int n = int(records.size());
    QCOMPARE(first.getMTypeComboBox()->count(), 2 * n);
    QCOMPARE(first.getMTypeComboBox()->itemText(1), QStringLiteral("2  MTYPE2"));

    const QString project = dir.filePath(QStringLiteral("copies.kfp"));
    QVERIFY(first.writeProjectFile(project));
    MainWindow second;
    QVERIFY(second.readProjectFile(project));
    const QString out = dir.filePath(QStringLiteral("copies.txt"));
    QVERIFY(second.writeAnalysisFile(out));
    QByteArray props = propsOf(readAll(out));
    props.chop(2); // the last block's line feed and the empty line before WEIGHTS
    QList<QByteArray> parts = props.mid(int(qstrlen("PROPS\n"))).split('\n');
    // Split into blocks at the empty lines.
    QList<QByteArray> byType;
    QByteArray current;
    for (const QByteArray &line : std::as_const(parts)) {
        if (line.isEmpty()) {
            byType << current;
            current.clear();
        } else {
            current += line + '\n';
        }
    }
    byType << current;
    QCOMPARE(byType.size(), 2 * n);
    for (int k = 0; k < n; ++k) {
        const QByteArray original = byType.at(2 * k);
        const QByteArray copy = byType.at(2 * k + 1);
        const qsizetype cut1 = original.indexOf('\n');
        const qsizetype cut2 = copy.indexOf('\n');
        QVERIFY(copy.startsWith(QByteArray::number(2 * k + 2) + '\t'));
        QVERIFY(copy.left(cut2).endsWith("\tMTYPE" + QByteArray::number(2 * k + 2)));
        QCOMPARE(copy.mid(cut2), original.mid(cut1));
    }
}

QTEST_MAIN(tst_MemberTypeFiles)
#include "tst_membertypefiles.moc"
