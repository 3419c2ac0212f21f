#ifndef EDITSHAPEDIALOG_H
#define EDITSHAPEDIALOG_H

#include "nodetabledialog.h"

namespace Ui {
class editShapeDialog;
}

// SHAPE load pattern: FX, FY, FM per node and load component (the node rows
// repeated once per component), and ALPHA, editable only while activated.
class editShapeDialog : public NodeTableDialog
{
    Q_OBJECT

public:
    explicit editShapeDialog(QWidget *parent = nullptr);
    ~editShapeDialog() override;

    QList<double> getFx() const { return fx; }
    QList<double> getFy() const { return fy; }
    QList<double> getFm() const { return fm; }
    // Append to the stored list (a project is read into empty lists);
    // setLists() replaces all three.
    void setFx(const QList<double> &values) { fx.append(values); }
    void setFy(const QList<double> &values) { fy.append(values); }
    void setFm(const QList<double> &values) { fm.append(values); }

    double getAlpha() const { return alpha; }
    void setAlpha(double value) { alpha = value; }
    bool showAlpha() const { return showAlfa; }
    void setActivateAlpha(bool on);

public slots:
    void on_okBtn_clicked();
    void on_cancelBtn_clicked();

protected:
    void changeEvent(QEvent *event) override;
    QList<double> &values(int column) override;
    void afterSetTable() override;
    void afterStore() override;

private:
    Ui::editShapeDialog *ui;
    QList<double> fx, fy, fm;
    bool showAlfa = false;
    double alpha = 2.0;
};

#endif // EDITSHAPEDIALOG_H
