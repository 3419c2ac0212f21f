#ifndef EDITLOADSDIALOG_H
#define EDITLOADSDIALOG_H

#include "nodetabledialog.h"

namespace Ui {
class editLoadsDialog;
}

// Nodal loads FX, FY, FM: one row per node.
class editLoadsDialog : public NodeTableDialog
{
    Q_OBJECT

public:
    explicit editLoadsDialog(QWidget *parent = nullptr);
    ~editLoadsDialog() override;

    QList<double> getFx() const { return fx; }
    QList<double> getFy() const { return fy; }
    QList<double> getFm() const { return fm; }
    // Append to the stored list (a project is read into empty lists);
    // setLists() replaces all three.
    void setFx(const QList<double> &values) { fx.append(values); }
    void setFy(const QList<double> &values) { fy.append(values); }
    void setFm(const QList<double> &values) { fm.append(values); }

public slots:
    void on_okBtn_clicked();
    void on_cancelBtn_clicked();
    void on_loadsTableWidget_itemSelectionChanged();
    void on_loadsTableWidget_pressed(const QModelIndex &pressedIndex);

protected:
    void changeEvent(QEvent *event) override;
    QList<double> &values(int column) override;

private:
    Ui::editLoadsDialog *ui;
    QList<double> fx, fy, fm;
};

#endif // EDITLOADSDIALOG_H
