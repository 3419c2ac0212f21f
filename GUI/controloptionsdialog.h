#ifndef CONTROLOPTIONSDIALOG_H
#define CONTROLOPTIONSDIALOG_H

#include <QDialog>
#include <QList>

class QComboBox;
class QLineEdit;

namespace Ui {
class controlOptionsDialog;
}

// Principal analysis options and the frame, output, iteration and damping
// control parameters of the analysis (46 values), plus the optional list of
// user-specified modal damping values.
//
// The arrays are owned here and handed out by pointer: the input file writer
// reads them in place and the project reader fills them in place, then calls
// setProperties() so the widgets and the SHAPE / ALPHA state follow them.
class controlOptionsDialog : public QDialog
{
    Q_OBJECT

public:
    enum { ASize = 11, BSize = 14, CSize = 10, DSize = 3, ESize = 8 };

    explicit controlOptionsDialog(QWidget *parent = nullptr);
    ~controlOptionsDialog() override;

    int *getA();
    int *getB();
    double *getC();
    int *getD();
    double *getE();

    QList<double> getDumpList() const;
    void setDumpList(QList<double> list);

    bool isSeted() const;
    void setSeted(bool value);

    // Model counts: NNP, NMEM, NLEVEL (number of Y grid lines), NTYPE.
    void setProperties(int nmp, int nmem, int nlevel, int ntype);
    // Defaults a freshly drawn grid gives: M and MODE2 = Y lines - 1,
    // MODE1 = 1, C1 = C2 = 2.0.
    void setGridDefaults(int yLines);

    void showProperties();
    void setNullProperties();

public slots:
    void reject() override;

signals:
    void updateControlOptions(int ictype);
    void activateShapeAction(bool on);
    void activateAlpha(bool on);

private slots:
    void on_okBtn_clicked();
    void on_cancelBtn_clicked();
    void on_ipanalCmbBox_currentIndexChanged(int index);
    void on_ipvertComboBox_currentIndexChanged(int index);
    void on_ictypeComboBox_currentIndexChanged(int index);
    void on_pushButton_clicked();
    void on_pushButton_2_clicked();
    void on_deleteBtn_clicked();
    void on_comboBox_currentIndexChanged(int index);

private:
    void showA();
    void showB();
    void showC();
    void showD();
    void showE();
    void showIpvert();
    void updateIpvertItems(int ipanal);
    void updateIpvertEdits(int index);
    void refillModeCombo(int select);
    void updateModeButtons();
    bool readIpvert(int *value);
    static void setComboIndex(QComboBox *combo, int index);
    QList<QLineEdit *> storedEdits() const;

    Ui::controlOptionsDialog *ui;
    QList<double> dampList;
    int *a;
    int *b;
    int *d;
    double *c;
    double *e;
    bool seted;
};

#endif
