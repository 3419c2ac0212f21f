#ifndef EDITNODEDIALOG_H
#define EDITNODEDIALOG_H

#include <QDialog>
#include <QStringList>

namespace Ui {
class editNodeDialog;
}

class QComboBox;
class QLineEdit;

// Edits one node: restraints NF 1-3, couplings KUP 1-3 and IOUT. The node
// loads the values with the setters, calls setProperties() and runs the
// dialog; on OK the dialog keeps the values and emits updateNode().
class editNodeDialog : public QDialog
{
    Q_OBJECT

public:
    explicit editNodeDialog(QWidget *parent = nullptr);
    ~editNodeDialog() override;

    void setId(int id);
    void setX(double x);
    void setY(double y);
    void setNf1(int v) { nf1 = v; }
    void setNf2(int v) { nf2 = v; }
    void setNf3(int v) { nf3 = v; }
    void setKup1(int v) { kup1 = v; }
    void setKup2(int v) { kup2 = v; }
    void setKup3(int v) { kup3 = v; }
    void setIout(int v) { iout = v; }

    // Ids of the nodes on the node's Y line (KUP 1) and X line (KUP 2),
    // the node included; "-1" and "-k" are appended.
    void setKup1List(const QStringList &list);
    void setKup2List(const QStringList &list);
    // KUP 3 choices from the other two lists.
    void setKup3List();
    // Loads the widgets from the stored values.
    void setProperties();

    int getId() const { return id; }
    double getX() const { return x; }
    double getY() const { return y; }
    int getNf1() const { return nf1; }
    int getNf2() const { return nf2; }
    int getNf3() const { return nf3; }
    int getKup1() const { return kup1; }
    int getKup2() const { return kup2; }
    int getKup3() const { return kup3; }
    int getIout() const { return iout; }
    QStringList getKup1List() const { return kup1List; }
    QStringList getKup2List() const { return kup2List; }

signals:
    void updateNode();

private slots:
    void on_okBtn_clicked();
    void on_cancelBtn_clicked();
    void on_kup1ComboBox_currentIndexChanged(int index);
    void on_kup2ComboBox_currentIndexChanged(int index);
    void on_kup3ComboBox_currentIndexChanged(int index);

private:
    void loadKup(QComboBox *combo, QLineEdit *edit, const QStringList &entries, int value);
    static bool inputChosen(const QComboBox *combo);
    static bool validInput(const QLineEdit *edit);
    static int chosenKup(const QComboBox *combo, const QLineEdit *edit);

    int id = 0;
    int nf1 = 0;
    int nf2 = 0;
    int nf3 = 0;
    int kup1 = 0;
    int kup2 = 0;
    int kup3 = 0;
    int iout = 0;
    double x = 0.0;
    double y = 0.0;
    Ui::editNodeDialog *ui;
    QStringList kup1List;
    QStringList kup2List;
    QStringList kup3List;
};

#endif // EDITNODEDIALOG_H
